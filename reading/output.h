// The two ways a reading is written: a JSON object on one line, and the text
// a person reads, with the explanation of each number.
#pragma once

#include "reading.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace veltara::reading {

// Appends a JSON string literal of well-formed UTF-8 text: quotes, backslashes
// and control characters escaped, everything else as it is.
void AppendJsonString(std::string &out, std::string_view utf8);

// Appends the reading as one JSON object (no line break) with the keys name,
// day, month, year, nameNumber, birthNumber, character, planet, element,
// letters, primaryColor, secondaryColors, zodiac and breakdown. The six
// profile texts are those of the row `profileNumber` of the profile table.
void AppendReadingJson(std::string &out, const Reading &reading);

// Appends {"row": N, "line": L, "error": "..."} (no line break).
void AppendRowErrorJson(std::string &out, std::uint64_t row, std::uint64_t line, std::string_view message);

// The reading as the window shows it, then how it came about. With a width,
// long lines are wrapped to that many columns, the continuation lines
// indented under the values; 0 keeps every value on one line.
std::string ReadingText(const Reading &reading, std::size_t width = 0);

// How many columns of a terminal the well-formed UTF-8 text takes: two for
// the wide East Asian characters, none for combining marks and invisible
// format characters, one for the rest.
std::size_t TextColumns(std::string_view utf8);

} // namespace veltara::reading
