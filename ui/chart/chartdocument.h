// The chart as a document to keep: the title with the name and both dates,
// the core numbers, the cycles with their timeline, the rest of the chart
// and how each number came about, as text, written as a PDF.
#pragma once

#include "chart.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

class QIODevice;

namespace veltara::chartview {

struct ChartInputs {
    QString name;
    QDate birth;
    QDate reading;
    QDate today; // the day the document is made, for the cycles' words
};

// The document as HTML for QTextDocument; the dates as the locale writes
// them in full. Two parts: the title, the core numbers and the cycles; then
// the rest of the chart and the steps. The PDF draws the timeline between
// them.
QStringList ChartDocumentHtmlParts(const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale);

// Writes the document as a PDF of the locale's paper size to `device`, its
// texts as text. False when the device is not open for writing.
bool WriteChartPdf(QIODevice &device, const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale);

} // namespace veltara::chartview
