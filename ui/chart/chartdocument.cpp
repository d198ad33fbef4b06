#include "chartdocument.h"

#include "chartview.h"
#include "chartwords.h"
#include "meanings.h"
#include "messages.h"
#include "textunits.h"

#include "timeline.h"
#include "yearsahead.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QIODevice>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>

namespace veltara::chartview {

namespace {

// The title's type, and the least it shrinks to for a long name before it
// wraps between words.
constexpr double TitlePoints = 20;
constexpr double LeastTitlePoints = 12;
constexpr double BodyPoints = 10;

// The text format of the timeline's object in the document.
constexpr int TimelineObject = QTextFormat::UserObject + 1;

QString Text(std::string_view text)
{
    return ToQString(text).toHtmlEscaped();
}

QString Title(const QString &name)
{
    return QStringLiteral("Numerology Chart of ") + name;
}

// A palette for paper: black on white, whatever the desktop's theme.
QPalette PaperPalette()
{
    QPalette palette;
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, Qt::black);
    palette.setColor(QPalette::AlternateBase, QColor(0xEE, 0xEE, 0xEE));
    palette.setColor(QPalette::Mid, QColor(0x99, 0x99, 0x99));
    palette.setColor(QPalette::Highlight, QColor(0x2B, 0x5C, 0x9E));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0xB0, 0x30, 0x20));
    return palette;
}

QFont BodyFont()
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(BodyPoints);
    return font;
}

// Sets the title, the document's first block, in the largest type from
// TitlePoints down to LeastTitlePoints, in half points, in which it fits the
// page's width on one line; in the least otherwise, wrapping between words.
void FitTitle(QTextDocument &document, QPaintDevice *device, double width)
{
    QTextCursor title(document.begin());
    title.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    QFont font = title.charFormat().font();
    double points = TitlePoints;
    for (; points > LeastTitlePoints; points -= 0.5) {
        font.setPointSizeF(points);
        if (QFontMetricsF(font, device).horizontalAdvance(title.selectedText()) <= width)
            break;
    }
    // A heading's size is an adjustment of the document's font, which
    // would win over a size of its own.
    QTextCharFormat format = title.charFormat();
    format.clearProperty(QTextFormat::FontSizeAdjustment);
    format.setFontPointSize(points);
    title.setCharFormat(format);
}

// A number in its place, as the report tells it: the label and value in
// bold, then for each number its line in italics and its paragraph.
void AppendTold(QString &html, const chart::ChartLine &line, const chart::Chart &chart, const Date &today,
                const QString &extra = QString())
{
    html += QStringLiteral("<h3>") + Text(line.label) + QLatin1Char(' ') + Text(line.value) + extra +
            QStringLiteral("</h3>");
    for (const chart::Meaning &meaning : chart::LineMeanings(line, chart, today)) {
        html += QStringLiteral("<p><i>") + Text(meaning.line) + QStringLiteral(".</i>");
        if (!meaning.paragraph.empty())
            html += QStringLiteral("<br>") + Text(meaning.paragraph);
        html += QStringLiteral("</p>");
    }
}

// A row of a table of lines: the label in bold, the value in `valueWidth`
// per cent of the page, and the meanings' lines, one under the other.
void AppendRow(QString &html, const QString &label, const QString &value, const QStringList &lines,
               int valueWidth = 20)
{
    html += QStringLiteral("<tr><td width=\"22%\"><b>") + label +
            QStringLiteral("</b></td><td width=\"%1%\">").arg(valueWidth) + value + QStringLiteral("</td><td>") +
            lines.join(QStringLiteral("<br>")) + QStringLiteral("</td></tr>");
}

void AppendLines(QString &html, const std::vector<chart::ChartLine> &lines, const chart::Chart &chart,
                 const Date &today)
{
    for (const chart::ChartLine &line : lines) {
        QStringList meanings;
        for (const chart::Meaning &meaning : chart::LineMeanings(line, chart, today))
            meanings << Text(meaning.line) + QLatin1Char('.');
        AppendRow(html, Text(line.label), Text(line.value), meanings);
    }
}

const QString TableStart = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">");

bool OfTheName(const chart::ChartRow &row)
{
    return std::holds_alternative<std::vector<std::u32string> chart::PreparedName::*>(row.value);
}

// Draws the timeline where the document holds its object: the chart's spans
// at the object's size, in the document's font, on paper's colours.
class TimelineDrawer : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    TimelineDrawer(const chart::Chart &chart, QSizeF size) : m_chart(chart), m_size(size) {}

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &) override { return m_size; }
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *document, int,
                    const QTextFormat &) override
    {
        painter->save();
        painter->setFont(document->defaultFont());
        PaintTimeline(*painter, rect, m_chart, PaperPalette());
        painter->restore();
    }

private:
    const chart::Chart &m_chart;
    QSizeF m_size;
};

// Puts the timeline's object where the document holds its placeholder.
void PlaceTimeline(QTextDocument &document)
{
    QTextCursor cursor = document.find(QString(QChar::ObjectReplacementCharacter));
    if (cursor.isNull())
        return;
    QTextCharFormat format;
    format.setObjectType(TimelineObject);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

// Which page a line of a block stands on, as the document is paginated.
int PageOf(const QTextDocument &document, const QTextBlock &block, int line, double pageHeight)
{
    const QRectF box = document.documentLayout()->blockBoundingRect(block);
    const double top = block.layout()->lineCount() > line ? box.top() + block.layout()->lineAt(line).y() : box.top();
    return static_cast<int>(top / pageHeight);
}

// Moves each heading that would stand at the foot of a page, apart from the
// first line after it, to the top of the next page.
void KeepHeadingsWithText(QTextDocument &document, double pageHeight)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (block.blockFormat().headingLevel() == 0 || !next.isValid())
            continue;
        if (PageOf(document, block, 0, pageHeight) != PageOf(document, next, 0, pageHeight)) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
    }
}

// The footer of a page: the practitioner's name and contact at the left,
// the page's number at the right, under a thin line.
void PaintFooter(QPainter &painter, const QRectF &area, const ReportDetails &details, int page, int pages)
{
    painter.save();
    QFont font = BodyFont();
    font.setPointSizeF(BodyPoints * 0.85);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, painter.device());
    const QString number = QStringLiteral("Page %1 of %2").arg(page).arg(pages);
    const QRectF text(area.left(), area.bottom() - metrics.height(), area.width(), metrics.height());
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, number);
    if (!details.isEmpty()) {
        QStringList parts;
        for (const QString &part : {details.practitioner.trimmed(), details.contact.trimmed()}) {
            if (!part.isEmpty())
                parts << part;
        }
        const double room = area.width() - metrics.horizontalAdvance(number) - metrics.height();
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(parts.join(QStringLiteral(" \u00b7 ")), Qt::ElideRight, room));
        painter.setPen(QPen(QColor(0x99, 0x99, 0x99), metrics.height() / 20));
        painter.drawLine(QPointF(area.left(), text.top() - metrics.height() * 0.3),
                         QPointF(area.right(), text.top() - metrics.height() * 0.3));
    }
    painter.restore();
}

// The report as HTML for QTextDocument, the dates as the locale writes them
// in full. The timeline stands in a paragraph of its own as the object
// replacement character, which the PDF draws; the PDF fits the title to the
// page's width.
QString ChartDocumentHtml(const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale,
                          bool appendix)
{
    const Date today = ChartDate(inputs.today);
    QString html = QStringLiteral("<html><body><h1>") +
                   Title(inputs.name).toHtmlEscaped() + QStringLiteral("</h1><p>Born ") +
                   locale.toString(inputs.birth, QLocale::LongFormat).toHtmlEscaped() +
                   QStringLiteral("<br>Reading date ") +
                   locale.toString(inputs.reading, QLocale::LongFormat).toHtmlEscaped() + QStringLiteral("</p>");
    if (chart::HasNameInUse(chart))
        html += QStringLiteral("<p>Name in use: ") + QString::fromStdU32String(chart.currentName).toHtmlEscaped() +
                QStringLiteral("</p>");

    html += QStringLiteral("<h2>Core numbers</h2>");
    for (const chart::ChartLine &line : SectionLines(chart::Section::Core, chart, true)) {
        const int debt = chart::NumberOf(*line.row, chart)->karmicDebt;
        AppendTold(html, line, chart, today, debt ? QStringLiteral(", ") + Text(chart::DebtText(debt)) : QString());
        if (debt)
            html += QStringLiteral("<p>") + Text(chart::DebtParagraph(debt)) + QStringLiteral("</p>");
    }

    // The numbers of now with their paragraphs; the universal year and the
    // spans not current go with the rest.
    // The notes: each part in other letters, for the appendix; then, last,
    // the cycles read from the birth, which the client reads here.
    std::vector<std::string> notes = chart::ChartNotes(chart);
    html += QStringLiteral("<h2>Where you are now</h2><p>") +
            Text(chart::CyclesHeading(chart, chart::Words::Shown)) + QStringLiteral("</p>");
    if (chart.cyclesFromBirth) {
        html += QStringLiteral("<p>") + Text(notes.back()) + QStringLiteral(".</p>");
        notes.pop_back();
    }
    std::vector<chart::ChartLine> later;
    for (const chart::ChartLine &line : SectionLines(chart::Section::Cycles, chart, true)) {
        const std::span<const chart::Span> spans = chart::SpansOf(*line.row, chart);
        const bool now = spans.empty() ? line.row->key != "universalYear" : spans[line.item].current;
        if (now)
            AppendTold(html, line, chart, today);
        else
            later.push_back(line);
    }
    html += QStringLiteral("<p>") + QString(QChar::ObjectReplacementCharacter) + QStringLiteral("</p>");

    AppendYearsAheadHtml(html, chart);
    html += QStringLiteral("<h2>The rest of the chart</h2>") + TableStart;
    AppendLines(html, later, chart, today);
    std::vector<chart::ChartLine> rest, ofTheName;
    for (const chart::ChartRow *row : chart::RowsInOrder(chart::Section::Rest, chart::Words::Shown))
        chart::AppendRowLines(*row, chart, chart::Words::Shown, OfTheName(*row) ? ofTheName : rest);
    AppendLines(html, rest, chart, today);
    html += QStringLiteral("</table>");

    if (appendix) {
        html += QStringLiteral("<h2 style=\"page-break-before:always\">Appendix</h2>");
        for (const std::string &note : notes)
            html += QStringLiteral("<p>") + Text(note) + QStringLiteral(".</p>");
        html += TableStart;
        AppendLines(html, ofTheName, chart, today);
        html += QStringLiteral("</table><h3>How each number came about</h3>"
                               "<p>Pythagorean letter values; Chaldean values for the Chaldean number.</p>") +
                TableStart;
        std::vector<chart::StepsLine> steps;
        chart::StepsLines(chart, chart::Words::Shown, steps);
        for (const chart::StepsLine &line : steps)
            AppendRow(html, Text(line.label), Text(line.value), {Text(line.steps)}, 6);
        html += QStringLiteral("</table>");
    }
    return html + QStringLiteral("</body></html>");
}

} // namespace

bool WriteChartPdf(QIODevice &device, const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale,
                   const ReportOptions &options)
{
    // A device that takes no bytes would leave the document's printing
    // without a word; what fails while writing, the device tells.
    if (!device.isWritable())
        return false;
    QPdfWriter writer(&device);
    writer.setTitle(Title(inputs.name));
    writer.setCreator(ApplicationTitle());
    writer.setPageLayout(QPageLayout(QPageSize(PageSizeFor(locale)), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 16), QPageLayout::Millimeter));
    QPainter painter(&writer);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setDocumentMargin(0);
    document.setDefaultFont(BodyFont());
    const QFontMetricsF metrics(document.defaultFont(), &writer);
    const double width = writer.width();
    TimelineDrawer timeline(chart, QSizeF(width - 1, TimelineHeight(metrics)));
    document.documentLayout()->registerHandler(TimelineObject, &timeline);
    document.setHtml(ChartDocumentHtml(inputs, chart, locale, options.appendix));
    FitTitle(document, &writer, width);
    PlaceTimeline(document);

    // The footer's room at the foot of every page: two lines of its type.
    const double footer = metrics.height() * 2.5;
    const QSizeF page(width, writer.height() - footer);
    document.setPageSize(page);
    KeepHeadingsWithText(document, page.height());
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
        PaintFooter(painter, QRectF(0, 0, width, writer.height()), options.details, i + 1, pages);
    }
    return painter.end();
}

} // namespace veltara::chartview

#include "chartdocument.moc"
