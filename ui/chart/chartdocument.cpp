#include "chartdocument.h"

#include "chartview.h"
#include "messages.h"
#include "textunits.h"

#include "timeline.h"
#include "yearsahead.h"
#include "meanings.h"

#include <QAbstractTextDocumentLayout>
#include <QIODevice>
#include <QPageLayout>
#include <QPainter>
#include <QPalette>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>

namespace veltara::chartview {

namespace {

QString Text(const std::string &text)
{
    return ToQString(std::string_view(text));
}

QString Escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

// A table row of cells, each escaped; the first in bold.
void AppendRow(QString &html, const QStringList &cells)
{
    html += QStringLiteral("<tr>");
    for (qsizetype i = 0; i < cells.size(); ++i) {
        html += i == 0 ? QStringLiteral("<td><b>") : QStringLiteral("<td>");
        html += Escaped(cells[i]);
        html += i == 0 ? QStringLiteral("</b></td>") : QStringLiteral("</td>");
    }
    html += QStringLiteral("</tr>");
}

void BeginSection(QString &html, const QString &heading)
{
    html += QStringLiteral("<h2>") + Escaped(heading) +
            QStringLiteral("</h2><table cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">");
}

void EndSection(QString &html)
{
    html += QStringLiteral("</table>");
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

// Draws a document on the pages of `writer` from the top of the page
// `painter` is on, a page at a time. Returns where it ends on its last page.
double DrawDocument(QPainter &painter, QPdfWriter &writer, const QString &html)
{
    QTextDocument document;
    document.documentLayout()->setPaintDevice(&writer);
    document.setHtml(html);
    const QSizeF page(writer.width(), writer.height());
    document.setPageSize(page);
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            writer.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document.drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    return document.documentLayout()->blockBoundingRect(document.lastBlock()).bottom() - (pages - 1) * page.height();
}

} // namespace

QStringList ChartDocumentHtmlParts(const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale)
{
    const Date today = ChartDate(inputs.today);
    QString html = QStringLiteral("<html><body><h1>Numerology Chart of ") + Escaped(inputs.name) +
                   QStringLiteral("</h1><p>Born ") + Escaped(locale.toString(inputs.birth, QLocale::LongFormat)) +
                   QStringLiteral(". Reading date ") +
                   Escaped(locale.toString(inputs.reading, QLocale::LongFormat)) + QStringLiteral(".</p>");
    if (chart::HasNameInUse(chart))
        html += QStringLiteral("<p>Name in use: ") + Escaped(QString::fromStdU32String(chart.currentName)) +
                QStringLiteral(".</p>");

    BeginSection(html, QStringLiteral("Core numbers"));
    for (const chart::ChartRow *row : chart::RowsInOrder(chart::Section::Core, chart::Words::Shown)) {
        if (!chart::HasValue(*row, chart))
            continue;
        const chart::ChartNumber &number = *chart::NumberOf(*row, chart);
        AppendRow(html, {Text(chart::RowLabel(*row, chart::Words::Shown)),
                         Text(chart::CompoundText(number.total, number.value)),
                         number.karmicDebt ? Text(chart::DebtText(number.karmicDebt)) : QString(),
                         Text(chart::MeaningLine(*row, chart, today))});
    }
    EndSection(html);

    BeginSection(html, Text(chart::CyclesHeading(chart, chart::Words::Shown)));
    std::vector<chart::ChartLine> spans;
    for (const chart::ChartRow *row : chart::RowsInOrder(chart::Section::Cycles, chart::Words::Shown)) {
        if (chart::HoldsSpans(*row)) {
            chart::AppendRowLines(*row, chart, chart::Words::Shown, spans);
            continue;
        }
        std::vector<chart::ChartLine> lines;
        chart::AppendRowLines(*row, chart, chart::Words::Shown, lines);
        // A row of several lines is the transits, each meant by its letter's value.
        for (std::size_t i = 0; i < lines.size(); ++i)
            AppendRow(html, {Text(lines[i].label), Text(lines[i].value),
                             Text(lines.size() == 1 ? chart::MeaningLine(*row, chart, today)
                                                    : chart::MeaningIn(lines[i].key, chart.transits[i].value))});
    }
    EndSection(html);
    // The spans in a table of their own, its columns fitted to them.
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"4\">");
    for (const chart::ChartLine &line : spans)
        AppendRow(html, {Text(line.label), Text(line.value)});
    EndSection(html);
    html += QStringLiteral("</body></html>");

    QString rest = QStringLiteral("<html><body>");
    AppendYearsAheadHtml(rest, chart);
    BeginSection(rest, QStringLiteral("The rest of the chart"));
    for (const ShownLine &line : ShownLines(chart::Section::Rest, chart, true))
        AppendRow(rest, {line.label, line.value});
    EndSection(rest);

    rest += QStringLiteral("<h2>How each number came about</h2>"
                           "<p>Pythagorean letter values; Chaldean values for the Chaldean number.</p>"
                           "<table cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">");
    for (const StepsRow &row : StepsRows(chart))
        AppendRow(rest, {row.label, row.value, row.steps});
    EndSection(rest);
    rest += QStringLiteral("</body></html>");
    return {html, rest};
}

bool WriteChartPdf(QIODevice &device, const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale)
{
    // A device that takes no bytes would leave the document's printing
    // without a word; what fails while writing, the device tells.
    if (!device.isWritable())
        return false;
    QPdfWriter writer(&device);
    writer.setTitle(QStringLiteral("Numerology Chart of ") + inputs.name);
    writer.setCreator(ApplicationTitle());
    writer.setPageLayout(QPageLayout(QPageSize(PageSizeFor(locale)), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    const QStringList parts = ChartDocumentHtmlParts(inputs, chart, locale);
    QPainter painter(&writer);

    // The title, the core numbers and the cycles; under them the timeline,
    // on the next page where it does not fit; the rest on a page of its own.
    double y = DrawDocument(painter, writer, parts[0]);
    const QFont font = QTextDocument().defaultFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, &writer);
    const double height = TimelineHeight(metrics);
    y += metrics.height();
    if (y + height > writer.height()) {
        writer.newPage();
        y = 0;
    }
    PaintTimeline(painter, QRectF(0, y, writer.width(), height), chart, PaperPalette());
    writer.newPage();
    DrawDocument(painter, writer, parts[1]);
    return painter.end();
}

} // namespace veltara::chartview
