// One reading from the four inputs of the main window, worked out once for
// both the window and the command line: the outcome, every value the window
// shows, and how each number came about.
#pragma once

#include "profiles.h"
#include "zodiac.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltara {

// The inputs as typed, in UTF-16 text units, as the window's fields hold them.
struct ReadingInputs {
    std::u16string_view name;
    std::u16string_view day;
    std::u16string_view month;
    std::u16string_view year;
    // The birth-date digit box before Calculate: empty in a cleared window. An
    // unknown month keeps its text as the month digits.
    std::u16string_view birthDigits;
};

// How a reading ends: with a reading, or refused as the window refuses it.
enum class ReadingOutcome {
    Read,
    InvalidBirthdate, // month, day (once padded) or year empty
    MissingName,      // name empty
    InvalidBirthday,  // no zodiac row holds the date
};

// The message of a refusal, the same text for an empty date field and for a
// date no zodiac row covers; empty for ReadingOutcome::Read.
std::string_view RefusalText(ReadingOutcome outcome) noexcept;

// One character of the name with its value in the letter table (0 for the
// space and for everything outside the table).
struct LetterCount {
    char32_t character;
    int value;
    bool operator==(const LetterCount &) const = default;
};

struct ReadingResult {
    ReadingOutcome outcome = ReadingOutcome::Read;
    // The birth-date digits, composed before any check.
    std::u16string paddedDay;   // the day as written back into its field
    std::u16string birthDigits; // the digit box's new text, at most 8 units
    // The rest is filled when the date and the name are given, on
    // InvalidBirthday too: the window works out the numbers before it looks
    // for the zodiac row. Otherwise it is 0, none and empty.
    int nameNumber = 0;
    int birthNumber = 0;
    const NameProfile *profile = nullptr; // the name number's row, none for 0
    const ZodiacRange *zodiac = nullptr;  // none on InvalidBirthday

    // How it came about.
    std::vector<LetterCount> letterCounts; // every character of the name, in order
    std::uint64_t letterSum = 0;
    std::vector<std::uint64_t> nameSums;  // each digit-sum pass after the letter sum
    std::vector<std::uint64_t> birthSums; // the digit sum of the digit text, then each further pass
    std::optional<std::uint64_t> birthKey; // the digit text as a whole number, when it is one

    bool operator==(const ReadingResult &) const = default;
};

// Works out the reading as the window does on Calculate: the birth-date
// digit text first (month code, padded day, year, cut to eight units), then
// the date check, the name check, the two numbers, the profile and the zodiac
// row. `reading`'s storage is reused from call to call: every member is
// written on every outcome, so nothing of an earlier reading stays.
void MakeReading(const ReadingInputs &inputs, ReadingResult &reading);

} // namespace veltara
