// The arguments of veltara-reading, and the texts of its help, usage and
// version.
#pragma once

#include "inputs.h"

#include <string>
#include <string_view>
#include <vector>

namespace veltara::reading {

struct Options {
    enum class Mode { Reading, Batch, Help, Version, Usage };
    Mode mode = Mode::Usage;
    bool json = false;
    bool chart = false;             // the numerology chart instead of the reading
    std::string batchFile;          // "-" for standard input
    Inputs inputs;                  // Mode::Reading; the chart takes only the name
    // Mode::Reading with `chart`: the date as given, YYYY-MM-DD or DAY MONTH
    // YEAR, checked when the chart is made.
    std::vector<std::string> chartDate;
    // With `chart`: the reading date, YYYY-MM-DD as given after --on; empty
    // for today.
    std::string on;
    // With --batch: the threads the rows are answered on (--jobs N); 0 when
    // not given, for one per processor core.
    unsigned jobs = 0;
    std::string problem;            // Mode::Usage: what is wrong
    // Mode::Reading and Mode::Usage: one line for the standard error after
    // the reading, the refusal or the problem, when the arguments look
    // mistaken (a date before the name, a month that is no month name).
    std::string hint;
    // The text output is wrapped to this many columns (the terminal's
    // width); 0 leaves every value on one line.
    std::size_t textWidth = 0;
};

// Reads the arguments after the program name. "--" ends the options, so
// that a name or a day may begin with "-".
Options ParseArguments(const std::vector<std::string_view> &arguments);

std::string_view UsageText();
std::string_view HelpText();
std::string_view VersionText();

} // namespace veltara::reading
