// The numerology chart of a name and a birth date, read on a date: life path,
// birthday, expression, soul urge, personality and maturity numbers, karmic
// lessons, hidden passion, karmic debts and the Chaldean name number; the
// cycles (universal and personal year, month and day, pinnacles, challenges,
// period cycles); the inclusion grid, planes of expression, balance,
// rational thought, subconscious self, cornerstone, capstone and first
// vowel. Each number comes with the arithmetic that led to it.
//
// The name is read as Unicode code points. Only letters count, as FoldLetter
// reads them; the name's parts are separated by white space, and within a
// part a character that is no letter is skipped ("Jean-Pierre" is one part).
// A combining mark belongs to the character before it: after a letter it is
// part of that letter, so "Jose" + U+0301 gives the chart of "José". A part
// after the first that is a generational suffix (Jr, Sr, II, III, IV, in any
// letter case, with or without a dot) is left out of every number.
#pragma once

#include "dates.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace veltara::chart {

// Why a chart is not made.
enum class ChartRefusal {
    None,       // the chart is made
    NoLetter,   // the name has not one letter A-Z
    NoSuchDate, // the date does not exist
    BeforeBirth, // the reading date is before the birth date
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
    int karmicDebt = 0;      // 13, 14, 16 or 19 on the way from total to value; 0 for none
};

// A pinnacle, challenge or period cycle: its number and the ages it covers,
// from `fromAge` up to, not including, `toAge` (-1: the rest of life).
struct Span {
    ChartNumber number;
    int fromAge = 0;
    int toAge = -1;
    bool current = false; // the age on the reading date falls in it
};

// The letters of the name on one plane of expression.
struct Plane {
    int count = 0; // how many letters
    int value = 0; // their values added and reduced
};

// A letter of the name with its value; none (letter 0) where there is no
// such letter.
struct NamedLetter {
    char letter = 0;
    int value = 0;
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
    // The parts left out as generational suffixes, as written.
    std::vector<std::u32string> leftOut;
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
    Date date; // of birth
    ChartNumber lifePath, birthday, expression, soulUrge, personality, maturity;
    std::vector<int> karmicLessons; // 1-9 that no letter carries, ascending
    std::vector<int> hiddenPassion; // the values most letters carry, ascending
    std::vector<int> karmicDebts;   // among 13, 14, 16, 19, ascending
    ChaldeanNumber chaldean;

    // The cycles, on the reading date.
    Date on;
    int age = 0; // whole years on the reading date
    ChartNumber universalYear, personalYear, personalMonth, personalDay;
    std::array<Span, 4> pinnacles, challenges;
    std::array<Span, 3> periods;

    // The rest of the chart.
    std::array<int, 9> inclusion{}; // how many letters carry 1 to 9
    std::array<Plane, 4> planes;    // physical, mental, emotional, intuitive
    ChartNumber balance, rationalThought;
    int subconsciousSelf = 0;
    NamedLetter cornerstone, capstone, firstVowel; // of the first part

    PreparedName name;
};

// The chart's core numbers, in the order the chart lists them: a key for
// JSON, a label for text, and whether karmic debts are looked for on its way
// from total to value.
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

// A value of the chart that is one member of it: its key for JSON, its
// label for text and the member.
template <typename Value>
struct MemberRow {
    std::string_view key;
    std::string_view label;
    Value Chart::*member;
};

// The numbers of the cycles and the rest that are one number each, in the
// order the chart lists them after the core numbers.
using OtherNumberRow = MemberRow<ChartNumber>;

inline constexpr OtherNumberRow CycleNumberRows[] = {
    {"universalYear", "Universal Year", &Chart::universalYear},
    {"personalYear", "Personal Year", &Chart::personalYear},
    {"personalMonth", "Personal Month", &Chart::personalMonth},
    {"personalDay", "Personal Day", &Chart::personalDay},
};

inline constexpr OtherNumberRow RestNumberRows[] = {
    {"balance", "Balance", &Chart::balance},
    {"rationalThought", "Rational Thought", &Chart::rationalThought},
};

// The spans: pinnacles, challenges and periods.
struct SpanRow {
    std::string_view key;   // of the array in JSON
    std::string_view label; // of one span in text, numbered from 1
    std::size_t count;
    const Span *(*spans)(const Chart &chart);
};

inline constexpr SpanRow SpanRows[] = {
    {"pinnacles", "Pinnacle", 4, [](const Chart &chart) -> const Span * { return chart.pinnacles.data(); }},
    {"challenges", "Challenge", 4, [](const Chart &chart) -> const Span * { return chart.challenges.data(); }},
    {"periods", "Period", 3, [](const Chart &chart) -> const Span * { return chart.periods.data(); }},
};

inline constexpr std::string_view PlaneKeys[4] = {"physical", "mental", "emotional", "intuitive"};
inline constexpr std::string_view PlaneLabels[4] = {"Physical", "Mental", "Emotional", "Intuitive"};

// The letters of each plane of expression.
inline constexpr std::string_view PlaneLetters[4] = {"DEMW", "AGHJLNP", "BIORSTXZ", "CFKQUVY"};

// The letters of the first part that the chart names.
using LetterRow = MemberRow<NamedLetter>;

inline constexpr LetterRow LetterRows[] = {
    {"cornerstone", "Cornerstone", &Chart::cornerstone},
    {"capstone", "Capstone", &Chart::capstone},
    {"firstVowel", "First Vowel", &Chart::firstVowel},
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

// The cycles of a birth date on a reading date, no earlier than the birth.
// M, D and Y are the birth month, day and year reduced to a digit; y, m, d
// the reading date's.
//   age              whole years; it changes on the birthday (for 29 February,
//                    on 1 March in other years)
//   universal year   y reduced to a digit                "2023 → 7"
//   personal year    M + D + (y to a digit), to a digit  "4 + 5 + 4 = 13 → 4"
//   personal month   personal year + m, to a digit       "4 + 10 = 14 → 5"
//   personal day     personal month + d, to a digit      "5 + 7 = 12 → 3"
//   pinnacles        M + D, D + Y, first + second, M + Y, each reduced; the
//                    first until age 36 - L (L the life path to a digit), the
//                    second and third nine years each, the fourth for life
//   challenges       |M - D|, |D - Y|, |first - second|, |M - Y|, the same ages
//   periods          month, day and year, each reduced; the first ends in the
//                    year nearest the 28th birthday whose personal year is 1
//                    (the earlier on a tie), at the age reached in that year;
//                    the second lasts 27 years, the third for life
int AgeOn(const Date &birth, const Date &on) noexcept;
int PersonalYearOf(const Date &birth, int year) noexcept;
void Cycles(const Date &birth, const Date &on, int lifePath, Chart &chart);

// The rest of the chart from the prepared name and the core numbers:
// inclusion, planes, balance (the first letters of the parts, to a digit),
// rational thought (the first part's expression + the birthday number,
// reduced), subconscious self (9 - the karmic lessons), cornerstone,
// capstone and first vowel of the first part.
void RestOfChart(Chart &chart);

// Makes the chart of a name and a birth date, read on the date `on`, into
// `chart`, whose storage is kept from call to call. The birth date is
// checked first, then the reading date (it exists and is not before the
// birth), then the name: a row whose date and name are both at fault is
// refused with NoSuchDate. On a refusal the chart holds the two dates and
// nothing else (zero numbers, empty steps and lists).
//
// Karmic debts are looked for in the totals of the numbers that carry them
// and every number between each total and its value (19 → 10 → 1 carries
// 19); the sums of single parts do not count unless they are the total.
ChartRefusal MakeChart(std::u32string_view name, const Date &date, const Date &on, Chart &chart);

} // namespace veltara::chart
