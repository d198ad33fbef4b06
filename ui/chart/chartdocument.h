// The chart as a document to keep: the title with the name and both dates,
// the core numbers, the rest of the chart and how each number came about,
// as text, written as a PDF.
#pragma once

#include "chart.h"

#include <QDate>
#include <QLocale>
#include <QString>

class QIODevice;

namespace veltara::chartview {

struct ChartInputs {
    QString name;
    QDate birth;
    QDate reading;
};

// The document as HTML for QTextDocument; the dates as the locale writes
// them in full.
QString ChartDocumentHtml(const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale);

// Writes the document as a PDF of the locale's paper size to `device`, its
// texts as text. False when the device is not open for writing.
bool WriteChartPdf(QIODevice &device, const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale);

} // namespace veltara::chartview
