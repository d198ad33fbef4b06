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

// The chart of a UTF-8 name and a birth date given as fields (YYYY-MM-DD,
// or DAY MONTH YEAR), read on the date `on`; false, with the reason in
// `problem`, when a date is none, or the name is not UTF-8 or has no letter
// A-Z. `codePoints` is storage kept
// from call to call.
[[nodiscard]] bool MakeChartOf(std::string_view name, const std::vector<std::string_view> &dateFields, const Date &on,
                 chart::Chart &chart, std::u32string &codePoints, std::string &problem,
                 chart::Steps steps = chart::Steps::Written);

// The reading date of the options (--on YYYY-MM-DD, or today as the program
// fills it in); false, with the reason in `problem`, when it does not exist.
[[nodiscard]] bool ReadingDate(const Options &options, Date &on, std::string &problem);

// The chart as one JSON object (no line break): name, date, the six core
// numbers each with value, total, steps and karmicDebt, karmicLessons,
// hiddenPassion, karmicDebts, chaldean, uncounted, leftOut and notLatin; then
// the cycles (on, age, cyclesFromBirth, universalYear, personalYear,
// personalMonth, personalDay, pinnacles, challenges, periods) and the rest
// (inclusion, planes, balance, rationalThought, subconsciousSelf,
// cornerstone, capstone, firstVowel).
void AppendChartJson(std::string &out, std::string_view name, const chart::Chart &chart);

// The chart as a person reads it, then how each number came about; wrapped
// to `width` columns unless it is 0.
std::string ChartText(std::string_view name, const chart::Chart &chart, std::size_t width = 0);

// One chart from the command line: the text or JSON on `out`, a refusal in
// one line on `err`, or the chart's notes there a line each (chartwords.h's
// ChartNotes). Returns the exit status.
int RunChart(const Options &options, const Sink &out, const Sink &err);

// The JSON object, or with `csv` the CSV columns (CsvForm's), of the chart
// of each CSV row (name,YYYY-MM-DD or name,day,month,year), with the storage
// kept from row to row. Without the steps, the chart is made without them.
class ChartRows {
public:
    explicit ChartRows(const Date &on, bool csv = false, chart::Steps steps = chart::Steps::Written)
        : m_on(on), m_csv(csv), m_steps(steps)
    {
    }

    // False, with the reason in `problem`, when the row gives no chart.
    bool operator()(const CsvRow &row, std::string &out, std::string &problem);

private:
    Date m_on; // the reading date of every row
    bool m_csv;
    chart::Steps m_steps;
    chart::Chart m_chart;
    std::string m_scratch;
    std::u32string m_name;
    std::vector<std::string_view> m_dateFields;
};

} // namespace veltara::reading
