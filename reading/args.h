// The arguments of veltara-reading, and the texts of its help, usage and
// version.
#pragma once

#include "inputs.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltara::reading {

struct Options {
    // One reading or one numerology chart, a batch of either, or a text.
    enum class Mode { Reading, Chart, ReadingBatch, ChartBatch, Help, Version, Usage };
    Mode mode = Mode::Usage;
    bool json = false;
    bool csv = false;   // the batches: CSV rows instead of JSON lines
    bool steps = false; // with csv: the steps columns too
    std::string batchFile;          // the batches: "-" for standard input
    Inputs inputs;                  // Mode::Reading; Mode::Chart takes only the name
    // Mode::Chart: the date as given, YYYY-MM-DD or DAY MONTH YEAR, checked
    // when the chart is made.
    std::vector<std::string> chartDate;
    // The chart and its batch: the reading date, YYYY-MM-DD as given after
    // --on; empty for today.
    std::string on;
    // Mode::Chart: the name in use, as given after --current (UTF-8 checked
    // when the chart is made); empty for none.
    std::string current;
    // The chart and its batch: the years of the forecast (--years N, 1 to
    // 100); 0 for none.
    int years = 0;
    // With --batch: the threads the rows are answered on (--jobs N); 0 when
    // not given, for one per processor core.
    unsigned jobs = 0;
    std::string problem;            // Mode::Usage: what is wrong
    // One reading or chart, and Mode::Usage: one line for the standard error after
    // the reading, the refusal or the problem, when the arguments look
    // mistaken (a date before the name, a month that is no month name).
    std::string hint;
    // The text output is wrapped to this many columns (the terminal's
    // width); 0 leaves every value on one line.
    std::size_t textWidth = 0;
};

// Whether the mode is the chart's, one or a batch.
bool ChartMode(Options::Mode mode);

// Reads the arguments after the program name. "--" ends the options, so
// that a name or a day may begin with "-".
Options ParseArguments(const std::vector<std::string_view> &arguments);

std::string_view UsageText();
std::string_view HelpText();
std::string_view VersionText();

} // namespace veltara::reading
