#include "meaningview.h"

#include "textunits.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace veltara::chartview {

namespace {

QString Text(std::string_view text)
{
    return ToQString(text);
}

QString Ended(const QString &line)
{
    return line.endsWith(u'.') ? line : line + u'.';
}

class WrappedLabel : public QLabel {
public:
    using QLabel::QLabel;

    // A layout asks for a few widths in turn: the last few are kept.
    int heightForWidth(int width) const override
    {
        if (text() != m_text) {
            m_text = text();
            m_heights.fill({-1, 0});
        }
        for (const auto &[known, height] : m_heights) {
            if (known == width)
                return height;
        }
        std::rotate(m_heights.rbegin(), m_heights.rbegin() + 1, m_heights.rend());
        m_heights.front() = {width, QLabel::heightForWidth(width)};
        return m_heights.front().second;
    }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_heights.fill({-1, 0});
        QLabel::changeEvent(event);
    }

private:
    mutable std::array<std::pair<int, int>, 4> m_heights{{{-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}}};
    mutable QString m_text;
};

QLabel *MakeLine(QWidget *parent, const QString &name)
{
    QLabel *label = MakeWrappedLabel(parent, name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

} // namespace

QLabel *MakeWrappedLabel(QWidget *parent, const QString &name)
{
    auto *label = new WrappedLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString MeaningSentences(const std::vector<chart::Meaning> &meanings)
{
    QStringList sentences;
    for (const chart::Meaning &meaning : meanings)
        sentences << Ended(Text(meaning.line));
    return sentences.join(u' ');
}

MeaningView::MeaningView(const QString &name, std::size_t capacity, QWidget *parent) : QWidget(parent)
{
    setObjectName(name + QStringLiteral("Meanings"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (std::size_t i = 0; i < capacity; ++i) {
        const QString suffix = i == 0 ? QString() : QString::number(i + 1);
        Entry entry;
        entry.row = new QWidget(this);
        auto *row = new QHBoxLayout(entry.row);
        row->setContentsMargins(0, 0, 0, 0);
        entry.line = MakeLine(entry.row, name + QStringLiteral("Meaning") + suffix);
        entry.more = new QToolButton(entry.row);
        entry.more->setObjectName(name + QStringLiteral("More") + suffix);
        entry.more->setText(QStringLiteral("More"));
        entry.more->setCheckable(true);
        entry.more->setAutoRaise(true);
        entry.more->setArrowType(Qt::RightArrow);
        entry.more->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        entry.more->setFocusPolicy(Qt::StrongFocus);
        entry.more->setToolTip(QStringLiteral("What this number means here, at more length"));
        row->addWidget(entry.line, 1);
        row->addWidget(entry.more, 0, Qt::AlignTop);
        entry.paragraph = MakeLine(this, name + QStringLiteral("Paragraph") + suffix);
        entry.paragraph->hide();
        layout->addWidget(entry.row);
        layout->addWidget(entry.paragraph);
        QToolButton *more = entry.more;
        QLabel *paragraph = entry.paragraph;
        connect(more, &QToolButton::toggled, this, [more, paragraph](bool open) {
            more->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
            paragraph->setVisible(open && !paragraph->text().isEmpty());
        });
        entry.row->hide();
        m_entries.push_back(entry);
    }
}

void MeaningView::setMeanings(const std::vector<chart::Meaning> &meanings)
{
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const Entry &entry = m_entries[i];
        const bool used = i < meanings.size();
        const QString line = used ? Ended(Text(meanings[i].line)) : QString();
        const QString paragraph = used ? Text(meanings[i].paragraph) : QString();
        entry.line->setText(line);
        entry.paragraph->setText(paragraph);
        entry.more->setAccessibleName(QStringLiteral("More on: ") + line);
        entry.more->setVisible(!paragraph.isEmpty());
        entry.paragraph->setVisible(entry.more->isChecked() && !paragraph.isEmpty());
        entry.row->setVisible(used);
    }
    m_description = MeaningSentences(meanings);
}

std::vector<QWidget *> MeaningView::focusChain() const
{
    std::vector<QWidget *> chain;
    for (const Entry &entry : m_entries)
        chain.push_back(entry.more);
    return chain;
}

} // namespace veltara::chartview
