// The inputs of a reading as the command line gives them, in UTF-8: the
// reading from them, and the dates and month names they are written with.
#pragma once

#include "reading.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veltara::reading {

// The four inputs as typed, in UTF-8.
struct Inputs {
    std::string name;
    std::string day;
    std::string month;
    std::string year;
};

// The engine's reading with the texts the output writes, in UTF-8.
struct Utf8Reading : veltara::ReadingResult {
    std::string name;  // as typed
    std::string day;   // as the window shows it after Calculate: padded to two characters
    std::string month; // as typed
    std::string year;  // as typed
    // The inputs as the engine takes them: storage kept from call to call.
    std::u16string units[4];

    bool operator==(const Utf8Reading &) const = default;
};

// Works out the reading of a freshly cleared window into `reading`, whose
// storage is reused from call to call, the texts on a refusal too; false,
// with `reading` as a new one, when an input is not well-formed UTF-8.
// Nothing of an earlier reading stays either way.
[[nodiscard]] bool MakeReading(const Inputs &inputs, Utf8Reading &reading);

// The UTF-8 texts of the engine's tables, converted once.
std::string_view SignText(const ZodiacRange &row) noexcept;
// The six texts of a name-number profile row in the order character, planet,
// element, letters, primary colour, secondary colours; empty texts without
// a row.
const std::array<std::string, 6> &ProfileTexts(const NameProfile *profile) noexcept;

// An ISO date YYYY-MM-DD read as the window's three fields: the day "DD", the
// English month name of MM and the year "YYYY". Whether the day exists is
// left to the reading. nullopt unless the text is four digits, "-", two
// digits from 01 to 12, "-", two digits.
struct DateFields {
    std::string day;
    std::string month;
    std::string year;
};
std::optional<DateFields> ParseIsoDate(std::string_view text);

} // namespace veltara::reading
