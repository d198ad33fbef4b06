// The two ways a reading is written: a JSON object on one line, and the text
// a person reads, with the explanation of each number. The text's lines are
// wrapped by wrap.h, which callers get from here.
#pragma once

#include "inputs.h"
#include "json.h"
#include "wrap.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace veltara::reading {

// Exit statuses.
inline constexpr int ExitRead = 0;      // every reading given
inline constexpr int ExitRefused = 1;   // a reading refused as the window refuses it, or a batch row failed
inline constexpr int ExitUsage = 2;     // the arguments are wrong, the input cannot be read or the output written

// Where the output goes; false when it could not be written.
using Sink = std::function<bool(std::string_view text)>;

struct Options;

// One reading: the text or the JSON object on `out`, a refusal's message on
// `err`. Returns the exit status: ExitUsage when `out` fails.
int RunReading(const Options &options, const Sink &out, const Sink &err);

// Appends the reading as one JSON object (no line break) with the keys name,
// day, month, year, nameNumber, birthNumber, character, planet, element,
// letters, primaryColor, secondaryColors, zodiac and breakdown.
void AppendReadingJson(std::string &out, const Utf8Reading &reading);

// Appends {"row": N, "line": L, "error": "..."} (no line break).
void AppendRowErrorJson(std::string &out, std::uint64_t row, std::uint64_t line, std::string_view message);

// The reading as the window shows it, then how it came about. With a width,
// long lines are wrapped to that many columns, the continuation lines
// indented under the values; 0 keeps every value on one line.
std::string ReadingText(const Utf8Reading &reading, std::size_t width = 0);

} // namespace veltara::reading
