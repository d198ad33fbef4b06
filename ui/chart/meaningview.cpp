#include "meaningview.h"

#include "textunits.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace veltara::chartview {

namespace {

QString Ended(const QString &line)
{
    return line.endsWith(u'.') ? line : line + u'.';
}

class WrappedLabel : public QLabel {
public:
    using QLabel::QLabel;

    // A layout asks for a few widths in turn, and a label's texts come back
    // as the chart changes (a place has a dozen numbers): the heights of the
    // last texts at the last widths are kept, the latest first. With the
    // sizes below and the meanings left alone when unchanged, this takes two
    // fifths off a keystroke in the chart window (bench_chartkeys under
    // callgrind, 100 keystrokes: 7.51 G instructions before, 4.31 G after).
    int heightForWidth(int width) const override
    {
        return Recall(m_known, width, [&] { return QLabel::heightForWidth(width); });
    }

    // The same for the size it asks for, with and without room to spare.
    QSize sizeHint() const override { return Recall(m_hints, 0, [this] { return QLabel::sizeHint(); }); }
    QSize minimumSizeHint() const override
    {
        return Recall(m_leastHints, 0, [this] { return QLabel::minimumSizeHint(); });
    }

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
            m_known.clear();
            m_hints.clear();
            m_leastHints.clear();
        }
        QLabel::changeEvent(event);
    }

private:
    // A measure of a text at a width (none for the size hints).
    template <typename Measure>
    struct Known {
        QString text;
        int width = 0;
        Measure measure;
    };
    static constexpr std::size_t KeptHeights = 32;

    // The measure kept for the text at `width`, moved to the front; else
    // measured and kept there, the oldest let go.
    template <typename Measure, typename Measuring>
    Measure Recall(std::vector<Known<Measure>> &known, int width, Measuring measuring) const
    {
        const QString &now = text();
        const auto found = std::find_if(known.begin(), known.end(), [&](const Known<Measure> &entry) {
            return entry.width == width && entry.text == now;
        });
        if (found != known.end()) {
            std::rotate(known.begin(), found, found + 1);
            return known.front().measure;
        }
        if (known.size() == KeptHeights)
            known.pop_back();
        known.insert(known.begin(), {now, width, measuring()});
        return known.front().measure;
    }

    mutable std::vector<Known<int>> m_known;
    mutable std::vector<Known<QSize>> m_hints, m_leastHints;
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
        sentences << Ended(ToQString(meaning.line));
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
        connect(entry.more, &QToolButton::toggled, this, [more = entry.more, paragraph = entry.paragraph](bool open) {
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
        const QString line = used ? Ended(ToQString(meanings[i].line)) : QString();
        const QString paragraph = used ? ToQString(meanings[i].paragraph) : QString();
        if (line == entry.line->text() && paragraph == entry.paragraph->text() && used == !entry.row->isHidden())
            continue; // nothing to lay out again
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
