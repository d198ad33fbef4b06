// The numerology chart on the command line (--chart): its dates, the chart
// of a UTF-8 name, and its text and JSON.
#pragma once

#include "chart.h"
#include "csv.h"
#include "output.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltara::reading {

struct Options;

struct ChartDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// A date of the chart from its fields as given: one field YYYY-MM-DD, or
// three fields DAY MONTH YEAR, MONTH a number 1 to 12 or an English month
// name in any case. Blanks around a field do not count. The date must
// exist; otherwise nullopt, and `problem` says why in one line.
std::optional<ChartDate> ParseChartDate(const std::vector<std::string_view> &fields, std::string &problem);

// The chart of a UTF-8 name on a date; false, with the reason in `problem`,
// when the name is not UTF-8 or has no letter.
bool MakeChartOf(std::string_view name, const ChartDate &date, chart::Chart &chart, std::string &problem);

// The chart as one JSON object (no line break): name, date, the six numbers
// each with value, total and steps, karmicLessons, hiddenPassion,
// karmicDebts, chaldean and uncounted.
void AppendChartJson(std::string &out, std::string_view name, const chart::Chart &chart);

// The chart as a person reads it, then how each number came about; wrapped
// to `width` columns unless it is 0.
std::string ChartText(std::string_view name, const chart::Chart &chart, std::size_t width = 0);

// One chart from the command line: the text or JSON on `out`, a refusal in
// one line on `err`. Returns the exit status.
int RunChart(const Options &options, const Sink &out, const Sink &err);

// The JSON object of the chart of one CSV row (name,YYYY-MM-DD or
// name,day,month,year); false, with the reason in `problem`, when the row
// gives no chart.
bool AppendChartRow(const CsvRow &row, std::string &out, std::string &problem);

} // namespace veltara::reading
