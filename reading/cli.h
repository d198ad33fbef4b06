// The command line of veltara-reading: its arguments, one reading, and the
// batch of readings from CSV rows.
#pragma once

#include "csv.h"
#include "reading.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltara::reading {

// Exit statuses.
inline constexpr int ExitRead = 0;      // every reading given
inline constexpr int ExitRefused = 1;   // a reading refused as the window refuses it, or a batch row failed
inline constexpr int ExitUsage = 2;     // the arguments are wrong, or the input cannot be read

struct Options {
    enum class Mode { Reading, Batch, Help, Version, Usage };
    Mode mode = Mode::Usage;
    bool json = false;
    std::string batchFile;          // "-" for standard input
    Inputs inputs;                  // Mode::Reading
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

// Where the output goes; false when it could not be written.
using Sink = std::function<bool(std::string_view text)>;

// One reading: the text or the JSON object on `out`, a refusal's message on
// `err`. Returns the exit status.
int RunReading(const Options &options, const Sink &out, const Sink &err);

// The inputs of one CSV row: name,YYYY-MM-DD or name,day,month,year. The
// name is kept as written; spaces and tabs around the date fields are not
// part of them. On a row that cannot be read, `problem` says why.
std::optional<Inputs> RowInputs(const CsvRow &row, std::string &problem);

// A row with nothing but spaces and tabs in its fields: an empty line, or
// an empty row of a spreadsheet (",,,").
bool IsBlankRow(const CsvRow &row);

// A row of column names: name,date, name,birthdate, name,birth date or
// name,day,month,year, in any letter case, blanks around them allowed.
bool IsHeaderRow(const CsvRow &row);

struct BatchResult {
    std::uint64_t rows = 0;     // rows answered: neither blank nor the header
    std::uint64_t failed = 0;
    bool writeFailed = false;
};

// One JSON line per row of the input, in order: the reading, or
// {"row": N, "line": L, "error": "..."} for a row that cannot be read or is
// refused, N counting the rows answered and L the line the row starts on.
// Blank rows are skipped, and so is a header as the first row that is not
// blank.
BatchResult RunBatch(CsvReader &reader, const Sink &out);

} // namespace veltara::reading
