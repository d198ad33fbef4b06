// The chart as a report to hand a client: the title with the name and both
// dates; the core numbers with their paragraphs; where the client is now (the
// personal year, month and day, the current pinnacle, challenge and period
// with their paragraphs, and the timeline); the rest of the chart with its
// lines; then, unless left out, the appendix (how each number came about, the
// characters not counted, the parts left out). Every page carries its number
// and, once entered, the practitioner's footer. Written as a PDF whose texts
// are text.
#pragma once

#include "chart.h"
#include "reportdetails.h"

#include <QDate>
#include <QLocale>
#include <QString>

class QIODevice;

namespace veltara::chartview {

struct ChartInputs {
    QString name;
    QDate birth;
    QDate reading;
    QDate today; // the day the document is made, for the cycles' words
};

struct ReportOptions {
    ReportDetails details; // the footer; none when empty
    bool appendix = true;
};

// Writes the report as a PDF of the locale's paper size to `device`. False
// when the device is not open for writing.
bool WriteChartPdf(QIODevice &device, const ChartInputs &inputs, const chart::Chart &chart, const QLocale &locale,
                   const ReportOptions &options);

} // namespace veltara::chartview
