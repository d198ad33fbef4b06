#include "meaningview.h"

#include "textunits.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

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

QLabel *MakeLine(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

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
        const bool shown = i < meanings.size();
        const QString line = shown ? Ended(Text(meanings[i].line)) : QString();
        const QString paragraph = shown ? Text(meanings[i].paragraph) : QString();
        entry.line->setText(line);
        entry.paragraph->setText(paragraph);
        entry.more->setAccessibleName(QStringLiteral("More on: ") + line);
        entry.more->setVisible(!paragraph.isEmpty());
        entry.paragraph->setVisible(entry.more->isChecked() && !paragraph.isEmpty());
        entry.row->setVisible(shown);
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
