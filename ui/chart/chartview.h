// How the chart window and its PDF write the chart's values: the compound of
// a number, its karmic debt, the lists, and the rows of the rest of the
// chart, each written once for both.
#pragma once

#include "chart.h"

#include <QDate>
#include <QLocale>
#include <QPageSize>
#include <QString>

#include <string_view>
#include <vector>

namespace veltara::chartview {

// "14/5", or "7" where the total is the value itself.
QString CompoundText(std::uint64_t total, int value);
QString CompoundText(const chart::ChartNumber &number);

// The karmic debt on a number's own way from its total to its value (13, 14,
// 16 or 19), 0 for none or for a number that carries no debts.
int KarmicDebtOf(const chart::ChartNumberRow &row, const chart::Chart &chart);

// A label as the window names a place: "Soul Urge" is "Soul urge".
QString PlaceName(std::string_view label);

// The line under a core number's tile: what the number means in its place,
// or, for a number without letters to count (0), what its steps say.
QString TileMeaning(const chart::ChartNumberRow &row, const chart::Chart &chart);

// A text of the engine (UTF-8) with its first letter in upper case.
QString Sentence(std::string_view text);

// The values of the chart beyond its core numbers, one row each, in the
// order the window and the PDF list them.
struct RestRow {
    const char *key;   // the widget's name and the meaning's place key
    const char *label; // as the window shows it
    QString (*text)(const chart::Chart &chart);
};
extern const RestRow RestRows[12];

// A span as a row names it, "Pinnacle 1", and its value and ages: "8, ages 0
// to 31", "7, from age 49", with ", now" on the current one.
QString SpanLabel(const chart::SpanRow &row, std::size_t i);
QString SpanText(const chart::Span &span);

// How one number came about: its label, its value as shown, and the
// engine's steps.
struct StepsRow {
    QString key; // the widget's name
    QString label;
    QString value;
    QString steps;
    QString named; // the label and value for screen readers: "Life path 5", "Pinnacle 1, 8"
};

// The steps of every number that has them, in the order the window and the
// PDF list them: the core numbers, Chaldean, the cycle numbers, each span and
// the rest's numbers. Their count does not depend on the chart.
std::vector<StepsRow> StepsRows(const chart::Chart &chart);
constexpr std::size_t SpanCount()
{
    std::size_t count = 0;
    for (const chart::SpanRow &row : chart::SpanRows)
        count += row.count;
    return count;
}
inline constexpr std::size_t StepsRowCount = std::size(chart::ChartNumberRows) + 1 + std::size(chart::CycleNumberRows) +
                                             SpanCount() + std::size(chart::RestNumberRows);

// The date as the locale writes it, with a four-digit year: the date
// editors take years 1 to 9999, which a two-digit year cannot tell apart.
QString DateFormat(const QLocale &locale);

// The date of the chart for a date of the editors.
Date ChartDate(QDate date);

// Letter in the Americas where it is the usual paper (the United States,
// Canada, Mexico and others), A4 elsewhere.
QPageSize::PageSizeId PageSizeFor(const QLocale &locale);

} // namespace veltara::chartview
