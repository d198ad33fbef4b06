// The numerology chart on the command line (--chart): the chart of a UTF-8
// name, and its text and JSON.
#pragma once

#include "chart.h"
#include "csv.h"
#include "output.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltara::reading {

struct Options;

// The chart of a UTF-8 name and a date given as fields (YYYY-MM-DD, or DAY
// MONTH YEAR); false, with the reason in `problem`, when the date is none,
// the name is not UTF-8 or has no letter. `codePoints` is storage kept from
// call to call.
bool MakeChartOf(std::string_view name, const std::vector<std::string_view> &dateFields, chart::Chart &chart,
                 std::u32string &codePoints, std::string &problem);

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

// The JSON object of the chart of each CSV row (name,YYYY-MM-DD or
// name,day,month,year), with the storage kept from row to row.
class ChartRows {
public:
    // False, with the reason in `problem`, when the row gives no chart.
    bool operator()(const CsvRow &row, std::string &out, std::string &problem);

private:
    chart::Chart m_chart;
    std::u32string m_name;
    std::vector<std::string_view> m_dateFields;
};

} // namespace veltara::reading
