// What the chart window and its PDF share: the engine's words for the chart
// (chartwords.h) as Qt text, the dates of the editors, and the paper.
#pragma once

#include "chart.h"
#include "chartwords.h"

#include <QDate>
#include <QLocale>
#include <QPageSize>
#include <QString>

#include <vector>

namespace veltara::chartview {

// One value as the window and the PDF show it: its name (the widget's name),
// label and value.
struct ShownLine {
    QString key;
    QString label;
    QString value;
};

// The lines of a section's rows, in the window's order; with `drawnApart`
// false, without the rows the window draws as pictures.
std::vector<ShownLine> ShownLines(chart::Section section, const chart::Chart &chart, bool drawnApart);
// The same as the engine's lines, for their meanings.
std::vector<chart::ChartLine> SectionLines(chart::Section section, const chart::Chart &chart, bool drawnApart);

// The date of the chart for a date of the editors.
Date ChartDate(QDate date);

// Letter in the Americas where it is the usual paper (the United States,
// Canada, Mexico and others), A4 elsewhere.
QPageSize::PageSizeId PageSizeFor(const QLocale &locale);

} // namespace veltara::chartview
