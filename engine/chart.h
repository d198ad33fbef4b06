// The numerology chart of a name and a birth date: life path, birthday,
// expression, soul urge, personality and maturity numbers, karmic lessons,
// hidden passion, karmic debts and the Chaldean name number, each number with
// the arithmetic that led to it.
//
// The name is read as Unicode code points. Only letters count, as FoldLetter
// reads them; the name's parts are separated by white space, and within a
// part a character that is no letter is skipped ("Jean-Pierre" is one part).
// A combining mark belongs to the character before it: after a letter it is
// part of that letter, so "Jose" + U+0301 gives the chart of "José".
#pragma once

#include "dates.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace veltara::chart {

// Why a chart is not made.
enum class ChartRefusal {
    None,       // the chart is made
    NoLetter,   // the name has not one letter
    NoSuchDate, // the date does not exist
    // The date as written is none of the forms the chart reads.
    NotIsoDate, // one field that is not YYYY-MM-DD
    NotADay,    // of DAY MONTH YEAR
    NotAMonth,
    NotAYear,
    DateFields, // neither one field nor three
};

// The words of a refusal, without the name or the date: "no such date",
// "the name has no letter"; for a date field, what follows the field in
// quotes ("is not a day of the month"). Empty for None.
std::string_view RefusalText(ChartRefusal refusal) noexcept;

// A date of the chart from its fields as given: one field YYYY-MM-DD, or
// three fields DAY MONTH YEAR, MONTH a number 1 to 12 or an English month
// name in any case. Blanks around a field do not count. The date must exist;
// otherwise the refusal, with `problem` the whole line that says why
// ("\"13\" is not a month: ...", "no such date: 2023-02-29").
ChartRefusal ParseChartDate(const std::vector<std::string_view> &fields, Date &date, std::string &problem);

struct ChartNumber {
    int value = 0;           // 0-9, 11, 22 or 33
    std::uint64_t total = 0; // the total that was reduced to the value
    std::string steps;       // the arithmetic on one line, UTF-8
};

struct ChaldeanNumber {
    std::uint64_t compound = 0; // the total of all the letters of the name
    int root = 0;               // the compound reduced to 0-9, no master numbers
    std::string steps;
};

// The name as the numbers read it: its parts' folded letters, each marked
// vowel or not, and what did not count.
struct PreparedName {
    std::string letters;            // the folded letters 'A'..'Z' of all the parts
    std::string vowels;             // for each letter, 1 when it is a vowel, else 0
    std::vector<std::size_t> ends;  // where each part ends in `letters`
    // The characters of the name that count as no letter, white space aside,
    // each once in order of first appearance; an entry is a character with
    // the combining marks that follow it (or a mark with no character before
    // it, at the start or after white space, with the marks after it).
    std::vector<std::u32string> uncounted;
    // The uncounted entries of a name with very many of them, for a lookup
    // that does not grow with their number.
    std::unordered_set<std::u32string> manyUncounted;

    std::size_t partCount() const { return ends.size(); }
    std::string_view part(std::size_t i) const;
    std::string_view partVowels(std::size_t i) const;
};

// Reads a name into `name`, whose storage is kept from call to call. A
// vowel is A, E, I, O, U, and Y when neither letter beside it is one of
// those; only a letter with nothing but combining marks between it and the
// Y stands beside it (a hyphen or an apostrophe ends a word for this test).
void PrepareName(std::u32string_view text, PreparedName &name);

struct Chart {
    Date date;
    ChartNumber lifePath, birthday, expression, soulUrge, personality, maturity;
    std::vector<int> karmicLessons; // 1-9 that no letter carries, ascending
    std::vector<int> hiddenPassion; // the values most letters carry, ascending
    std::vector<int> karmicDebts;   // among 13, 14, 16, 19, ascending
    ChaldeanNumber chaldean;
    PreparedName name;
};

// The chart's numbers that carry a total and steps, in the order the chart
// lists them: a key for JSON, a label for text, and whether karmic debts are
// looked for on its way from total to value.
struct ChartNumberRow {
    std::string_view key;
    std::string_view label;
    ChartNumber Chart::*number;
    bool carriesDebts;
};

inline constexpr ChartNumberRow ChartNumberRows[] = {
    {"lifePath", "Life Path", &Chart::lifePath, true},
    {"birthday", "Birthday", &Chart::birthday, true},
    {"expression", "Expression", &Chart::expression, true},
    {"soulUrge", "Soul Urge", &Chart::soulUrge, true},
    {"personality", "Personality", &Chart::personality, true},
    {"maturity", "Maturity", &Chart::maturity, false},
};

// Each number from the prepared name or the date, into `number`, whose
// storage is kept from call to call. Every arrow in the steps is one pass
// that adds the digits of the number before it.
//
//   life path    "month 10 → 1; day 12 → 3; year 1936 → 19 → 10 → 1; 1 + 3 + 1 = 5"
//   birthday     "day 29 → 11"
//   expression   "ADA 1+4+1 = 6; LOVELACE 3+6+4+5+3+1+3+5 = 30 → 3; 6 + 3 = 9":
//                each part's counted letters, their values and their sum
//                reduced (a part without counted letters is left out), then
//                the parts' results added and reduced. Where only one part
//                counts, its letter sum is the total. Soul urge and
//                personality show only the letters they count; "no vowel" or
//                "no consonant" when there is none (value and total 0).
//   maturity     "5 + 9 = 14 → 5" (life path + expression)
//   Chaldean     "ADA LOVELACE 1+4+1+3+7+6+5+3+1+3+5 = 39 → 12 → 3"
void LifePath(const Date &date, ChartNumber &number);
void Birthday(const Date &date, ChartNumber &number);
void Expression(const PreparedName &name, ChartNumber &number);
void SoulUrge(const PreparedName &name, ChartNumber &number);
void Personality(const PreparedName &name, ChartNumber &number);
void Maturity(const ChartNumber &lifePath, const ChartNumber &expression, ChartNumber &number);
void Chaldean(const PreparedName &name, ChaldeanNumber &number);

// Makes the chart of a name and a birth date into `chart`, whose storage is
// kept from call to call. The date is checked first: a row whose date and
// name are both at fault is refused with NoSuchDate. On a refusal the chart
// holds the date and nothing else (zero numbers, empty steps and lists).
//
// Karmic debts are looked for in the totals of the numbers that carry them
// and every number between each total and its value (19 → 10 → 1 carries
// 19); the sums of single parts do not count unless they are the total.
ChartRefusal MakeChart(std::u32string_view name, const Date &date, Chart &chart);

} // namespace veltara::chart
