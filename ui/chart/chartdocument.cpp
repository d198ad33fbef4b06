#include "chartdocument.h"

#include "chartview.h"
#include "messages.h"
#include "textunits.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextDocument>

namespace veltara::chartview {

namespace {

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

} // namespace

QString ChartDocumentHtml(const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale)
{
    QString html = QStringLiteral("<html><body><h1>Numerology Chart of ") + Escaped(inputs.name) +
                   QStringLiteral("</h1><p>Born ") + Escaped(locale.toString(inputs.birth, QLocale::LongFormat)) +
                   QStringLiteral(". Reading date ") +
                   Escaped(locale.toString(inputs.reading, QLocale::LongFormat)) + QStringLiteral(".</p>");

    BeginSection(html, QStringLiteral("Core numbers"));
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows) {
        const int debt = KarmicDebtOf(row, chart);
        AppendRow(html, {PlaceName(row.label), CompoundText(chart.*row.number),
                         debt ? QStringLiteral("karmic debt %1").arg(debt) : QString(), TileMeaning(row, chart)});
    }
    EndSection(html);

    BeginSection(html, QStringLiteral("The rest of the chart"));
    for (const RestRow &row : RestRows)
        AppendRow(html, {QLatin1String(row.label), row.text(chart)});
    EndSection(html);

    BeginSection(html, QStringLiteral("How each number came about"));
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows)
        AppendRow(html, {PlaceName(row.label), ToQString(std::string_view((chart.*row.number).steps))});
    AppendRow(html, {QStringLiteral("Chaldean"), ToQString(std::string_view(chart.chaldean.steps))});
    EndSection(html);
    html += QStringLiteral("<p>Pythagorean letter values; Chaldean values for the Chaldean number.</p></body></html>");
    return html;
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
                                     QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    QTextDocument document;
    document.setHtml(ChartDocumentHtml(inputs, chart, locale));
    document.print(&writer);
    return true;
}

} // namespace veltara::chartview
