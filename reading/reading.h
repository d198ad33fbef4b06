// One reading from the four inputs of the main window, as typed, by the
// window's own rules, together with how each number came about.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltara::reading {

// The four inputs as typed, in UTF-8.
struct Inputs {
    std::string name;
    std::string day;
    std::string month;
    std::string year;
};

// One character of the name with its value in the letter table (0 for the
// space and for everything outside the table).
struct LetterCount {
    char32_t character;
    int value;
};

// What the window shows after Calculate, plus the steps behind it. Texts are
// UTF-8 and empty where the window shows nothing.
struct Reading {
    std::string name;  // as typed
    std::string day;   // as the window shows it after Calculate: padded to two characters
    std::string month; // as typed
    std::string year;  // as typed
    int nameNumber = 0;
    int birthNumber = 0;
    std::string_view character;
    std::string_view planet;
    std::string_view element;
    std::string_view letters;
    std::string_view primaryColor;
    std::string_view secondaryColors;
    std::string_view zodiac;

    std::vector<LetterCount> letterCounts; // every character of the name, in order
    std::uint64_t letterSum = 0;
    std::vector<std::uint64_t> nameSums;   // each digit-sum pass after the letter sum
    std::string birthDigits;               // the birth-date digit text, at most 8 characters
    std::vector<std::uint64_t> birthSums;  // the digit sum of that text, then each further pass
    int zodiacRow = 0;                     // 1 to 24
    int profileNumber = 0;                 // the profile row shown, 0 for none
};

// How a reading ends: with a reading, or refused as the window refuses it.
enum class Outcome {
    Read,
    InvalidBirthdate, // month, day (once padded) or year empty
    MissingName,      // name empty
    InvalidBirthday,  // no zodiac row holds the date
    NotUtf8,          // an input is not well-formed UTF-8
};

// The message the window shows for a refusal (the same text for an empty date
// field and for a date no zodiac row covers); a short description for NotUtf8.
std::string_view OutcomeMessage(Outcome outcome) noexcept;

// Works out the reading as a freshly cleared window does on Calculate: the
// birth-date digit text first (month code, padded day, year, cut to eight
// characters), then the date check, the name check, the two numbers, the
// profile and the zodiac row. `reading` is filled on Outcome::Read; its
// storage is reused from call to call.
Outcome MakeReading(const Inputs &inputs, Reading &reading);

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

// Whether the text is one of the twelve English month names exactly as the
// window lists them ("January" to "December"), the only months that give
// month digits.
bool IsMonthName(std::string_view text);

// First and last day of a zodiac row and its month name, for the explanation.
struct ZodiacRowDays {
    std::string_view month;
    int firstDay;
    int lastDay;
};
ZodiacRowDays DaysOfZodiacRow(int row) noexcept;

} // namespace veltara::reading
