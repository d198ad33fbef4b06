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

// The names of a chart as code points, kept from call to call.
struct NameStorage {
    std::u32string name, current;
};

// The reading date of the options (--on YYYY-MM-DD, or today as the program
// fills it in); false, with the reason in `problem`, when it does not exist.
[[nodiscard]] bool ReadingDate(const Options &options, Date &on, std::string &problem);

// The chart as a person reads it, then how each number came about; wrapped
// to `width` columns unless it is 0.
std::string ChartText(std::string_view name, const chart::Chart &chart, std::size_t width = 0);

// One chart from the command line: the text or JSON on `out`, a refusal in
// one line on `err`, or the chart's notes there a line each (chartwords.h's
// ChartNotes). Returns the exit status.
int RunChart(const Options &options, const Sink &out, const Sink &err);

// The JSON object, or with `csv` the CSV columns (CsvForm's), of the chart
// of each CSV row (name,YYYY-MM-DD, name,YYYY-MM-DD,current name or
// name,day,month,year), with the storage kept from row to row. Without the
// steps, the chart is made without them.
class ChartRows {
public:
    ChartRows(const Date &on, int years, bool csv = false, chart::Steps steps = chart::Steps::Written)
        : m_on(on), m_years(years), m_csv(csv), m_steps(steps)
    {
    }

    // False, with the reason in `problem`, when the row gives no chart.
    bool operator()(const CsvRow &row, std::string &out, std::string &problem);

private:
    Date m_on; // the reading date of every row
    int m_years; // of every row's forecast
    bool m_csv;
    chart::Steps m_steps;
    chart::Chart m_chart;
    std::string m_scratch;
    NameStorage m_names;
    std::vector<std::string_view> m_dateFields;
};

} // namespace veltara::reading
