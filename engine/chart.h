// The numerology chart of a name and a birth date, read on a date: life path,
// birthday, expression, soul urge, personality and maturity numbers, karmic
// lessons, hidden passion, karmic debts and the Chaldean name number; the
// cycles (universal and personal year, month and day, pinnacles, challenges,
// period cycles); the inclusion grid, planes of expression, balance,
// rational thought, subconscious self, cornerstone, capstone and first
// vowel; with a name in use, the minor numbers of that name; the bridges;
// the transits of the name's letters and their essence; and, asked for, a
// forecast of the years ahead. Each number comes with the arithmetic that
// led to it.
//
// The name is read as name.h describes.
#pragma once

#include "dates.h"
#include "name.h"

#include <array>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <span>
#include <tuple>
#include <variant>
#include <vector>

namespace veltara::chart {

// Why a chart is not made.
enum class ChartRefusal {
    None,       // the chart is made
    NoLetter,   // the name has not one letter A-Z
    NoLetterInUse, // the name in use has not one letter A-Z
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
[[nodiscard]] ChartRefusal ParseChartDate(const std::vector<std::string_view> &fields, Date &date,
                                          std::string &problem);

struct ChartNumber {
    int value = 0;           // 0-9, 11, 22 or 33
    std::uint64_t total = 0; // the total that was reduced to the value
    std::string steps;       // the arithmetic on one line, UTF-8
    int karmicDebt = 0;      // 13, 14, 16 or 19 on the way from total to value; 0 for none

    bool operator==(const ChartNumber &) const = default;
};

// A pinnacle, challenge or period cycle: its number and the ages it covers,
// from `fromAge` up to, not including, `toAge` (-1: the rest of life).
struct Span {
    ChartNumber number;
    int fromAge = 0;
    int toAge = -1;
    bool current = false; // the age on the reading date falls in it

    bool operator==(const Span &) const = default;
};

// The letters of the name on one plane of expression.
struct Plane {
    int count = 0; // how many letters
    int value = 0; // their values added and reduced

    bool operator==(const Plane &) const = default;
};

// A letter of the name with its value; none (letter 0) where there is no
// such letter.
struct NamedLetter {
    char letter = 0;
    int value = 0;

    bool operator==(const NamedLetter &) const = default;
};

// The letter of a transit that covers an age: its value, and the ages it
// covers, from `fromAge` up to, not including, `toAge` (toAge - fromAge is
// the value). No letter (0) where there is no transit.
struct Transit {
    char letter = 0;
    int value = 0;
    int fromAge = 0;
    int toAge = 0;

    bool operator==(const Transit &) const = default;
};

// One year of the forecast, read on that year's birthday (1 March for a
// birth on 29 February in other years): the age reached then, the universal
// and personal year, the pinnacle, challenge and period whose ages hold that
// age, the letters of the three transits and the essence of that age.
// `changes` marks, by ForecastColumns' index, each value that differs from
// the year before (none in the first year).
struct ForecastYear {
    int year = 0, age = 0;
    int universalYear = 0, personalYear = 0, pinnacle = 0, challenge = 0, period = 0;
    char physical = 0, mental = 0, spiritual = 0;
    int essence = 0;
    std::uint32_t changes = 0;

    bool operator==(const ForecastYear &) const = default;
};

struct ChaldeanNumber {
    std::uint64_t compound = 0; // the total of all the letters of the name
    int root = 0;               // the compound reduced to 0-9, no master numbers
    std::string steps;

    bool operator==(const ChaldeanNumber &) const = default;
};

struct Chart {
    Date date; // of birth
    ChartNumber lifePath, birthday, expression, soulUrge, personality, maturity;
    std::vector<int> karmicLessons; // 1-9 that no letter carries, ascending
    std::vector<int> hiddenPassion; // the values most letters carry, ascending
    std::vector<int> karmicDebts;   // among 13, 14, 16, 19, ascending
    ChaldeanNumber chaldean;

    // The cycles, on the reading date; on the birth date when the reading
    // date is before it (CyclesDate).
    Date on;                      // the reading date, as given
    int age = 0;                  // whole years on the date the cycles are read on
    bool cyclesFromBirth = false; // the reading date is before the birth
    ChartNumber universalYear, personalYear, personalMonth, personalDay;
    std::array<Span, 4> pinnacles, challenges;
    std::array<Span, 3> periods;

    // The rest of the chart.
    std::array<int, 9> inclusion{}; // how many letters carry 1 to 9
    std::array<Plane, 4> planes;    // physical, mental, emotional, intuitive
    ChartNumber balance, rationalThought;
    int subconsciousSelf = 0;
    NamedLetter cornerstone, capstone, firstVowel; // of the first part

    // The name in use and its minor numbers (all zero, with empty steps,
    // without one; see HasNameInUse).
    std::u32string currentName; // as given; empty for none
    PreparedName nameInUse;
    ChartNumber minorExpression, minorSoulUrge, minorPersonality;

    // The bridges, life path to expression and soul urge to personality, in
    // BridgeRows' order.
    std::array<ChartNumber, 2> bridges;

    // The letters each transit reads, in TransitRows' order (physical,
    // mental, spiritual: "THOMAS", "CRUISE", "MAPOTHER"), and the letter of
    // each at the age the cycles are read at, with the essence of that age.
    std::array<std::string, 3> transitLetters;
    std::array<Transit, 3> transits;
    ChartNumber essence;

    // The years ahead, one row a year; empty unless asked for.
    std::vector<ForecastYear> forecast;

    PreparedName name;
};

// Whether the chart has a name in use, and so the minor numbers.
inline bool HasNameInUse(const Chart &chart) noexcept
{
    return !chart.nameInUse.letters.empty();
}


// A visitor of a ChartValue with one lambda for each kind.
template <typename... Kinds>
struct Overloaded : Kinds... {
    using Kinds::operator()...;
};
template <typename... Kinds>
Overloaded(Kinds...) -> Overloaded<Kinds...>;

// Where a value stands in the chart: the core numbers (the name's and the
// birth date's), the cycles on the reading date, the rest of the chart.
// The years ahead stand between the cycles and the rest.
enum class Section { Core, Cycles, Years, Rest };

// Whether the chart is made with its steps (how each number came about) or
// without them, which saves their writing where none is shown.
enum class Steps { Written, Left };

// How a number is written, beside its steps.
enum class NumberForm {
    Core,  // its value, total and karmic debt: "14/5, karmic debt 14"
    Cycle, // its value alone (the total is the year or the sum shown)
    Plain, // its value, with its total in JSON
    Minor, // its value and total, "14/5", without karmic debt (of the name in use)
};

// Where a value of the chart is kept, which tells its kind: a number with
// its total and steps, a set of spans, the Chaldean number, a list of
// numbers, a count, a letter with its value, the planes, the inclusion
// counts, a list of texts (of the prepared name), a yes or no, a record of
// numbers (the bridges, named by BridgeRows), letters with their spans (the
// transits, named by TransitRows), or a table of rows (the forecast, its
// columns named by ForecastColumns).
using ChartValue =
    std::variant<ChartNumber Chart::*, std::array<Span, 4> Chart::*, std::array<Span, 3> Chart::*,
                 ChaldeanNumber Chart::*, std::vector<int> Chart::*, int Chart::*, NamedLetter Chart::*,
                 std::array<Plane, 4> Chart::*, std::array<int, 9> Chart::*,
                 std::vector<std::u32string> PreparedName::*, bool Chart::*, std::array<ChartNumber, 2> Chart::*,
                 std::array<Transit, 3> Chart::*, std::vector<ForecastYear> Chart::*>;

// Where a row keeps spans (pinnacles, challenges, periods), for a visitor.
template <typename Member>
concept SpansMember =
    std::same_as<Member, std::array<Span, 4> Chart::*> || std::same_as<Member, std::array<Span, 3> Chart::*>;

// A value of the chart: its JSON key (which is also its meaning key, the
// place's key in the meanings table), its label in the text chart, its
// label in the window and the PDF where that is not the text's label in
// sentence case, its section, where it is kept, and where it stands in the
// text chart and in the window and the PDF (JSON and the steps take the
// table's order). A row in JSON alone has no line in the text chart, the
// window or the PDF, which say it in words of their own.
struct ChartRow {
    std::string_view key;
    std::string_view label;
    std::string_view shownLabel = {};
    Section section = Section::Rest;
    ChartValue value;
    int textOrder = 0;
    int shownOrder = 0;
    NumberForm form = NumberForm::Plain;
    bool carriesDebts = false;    // karmic debts are looked for on its way from total to value
    bool properLabel = false;     // its label keeps its capitals in running text ("Chaldean")
    bool jsonOnly = false;        // only the JSON lists it
    bool ofNameInUse = false;     // a minor number: none without a name in use
};

// Every value of the chart, in the order of its JSON. Clearing, the karmic
// debt search, the text chart, the JSON, the window's and the PDF's rows and
// the steps iterate it: a new value is a function of its own and a row here.
// The rows of each section: the core numbers (in the same place in every
// listing), the cycles (numbers and spans), the rest.
constexpr ChartRow CoreRow(std::string_view key, std::string_view label, ChartNumber Chart::*number, int order,
                           bool carriesDebts)
{
    return {.key = key, .label = label, .section = Section::Core, .value = number, .textOrder = order,
            .shownOrder = order, .form = NumberForm::Core, .carriesDebts = carriesDebts};
}
constexpr ChartRow MinorRow(std::string_view key, std::string_view label, ChartNumber Chart::*number, int order)
{
    return {.key = key, .label = label, .section = Section::Core, .value = number, .textOrder = order,
            .shownOrder = order, .form = NumberForm::Minor, .ofNameInUse = true};
}
constexpr ChartRow CycleRow(std::string_view key, std::string_view label, ChartValue value, int order)
{
    const bool number = std::holds_alternative<ChartNumber Chart::*>(value);
    return {.key = key, .label = label, .section = Section::Cycles, .value = value, .textOrder = order,
            .shownOrder = order, .form = number ? NumberForm::Cycle : NumberForm::Plain};
}
constexpr ChartRow RestRow(std::string_view key, std::string_view label, ChartValue value, int textOrder,
                           int shownOrder, std::string_view shownLabel = {})
{
    return {.key = key, .label = label, .shownLabel = shownLabel, .section = Section::Rest, .value = value,
            .textOrder = textOrder, .shownOrder = shownOrder};
}
// A value that only the JSON lists: the text chart, the window and the PDF
// say it in words of their own (ChartNotes, CyclesHeading).
constexpr ChartRow JsonOnly(std::string_view key, Section section, ChartValue value)
{
    return {.key = key, .label = key, .section = section, .value = value, .jsonOnly = true};
}
// A cycle's number whose JSON gives its total too.
constexpr ChartRow WithTotal(ChartRow row)
{
    row.form = NumberForm::Plain;
    return row;
}
constexpr ChartRow ProperLabel(ChartRow row)
{
    row.properLabel = true;
    return row;
}

inline constexpr ChartRow ChartRows[] = {
    CoreRow("lifePath", "Life Path", &Chart::lifePath, 1, true),
    CoreRow("birthday", "Birthday", &Chart::birthday, 2, true),
    CoreRow("expression", "Expression", &Chart::expression, 3, true),
    CoreRow("soulUrge", "Soul Urge", &Chart::soulUrge, 4, true),
    CoreRow("personality", "Personality", &Chart::personality, 5, true),
    CoreRow("maturity", "Maturity", &Chart::maturity, 6, false),
    MinorRow("minorExpression", "Minor Expression", &Chart::minorExpression, 7),
    MinorRow("minorSoulUrge", "Minor Soul Urge", &Chart::minorSoulUrge, 8),
    MinorRow("minorPersonality", "Minor Personality", &Chart::minorPersonality, 9),
    RestRow("karmicLessons", "Karmic Lessons", &Chart::karmicLessons, 30, 30),
    RestRow("hiddenPassion", "Hidden Passion", &Chart::hiddenPassion, 31, 31),
    RestRow("karmicDebts", "Karmic Debts", &Chart::karmicDebts, 32, 32),
    ProperLabel(RestRow("chaldean", "Chaldean", &Chart::chaldean, 33, 39)),
    RestRow("uncounted", "Uncounted", &PreparedName::uncounted, 60, 40, "Characters not counted"),
    RestRow("leftOut", "Left Out", &PreparedName::leftOut, 61, 41, "Parts left out"),
    JsonOnly("notLatin", Section::Rest, &PreparedName::notLatin),
    JsonOnly("cyclesFromBirth", Section::Cycles, &Chart::cyclesFromBirth),
    CycleRow("universalYear", "Universal Year", &Chart::universalYear, 10),
    CycleRow("personalYear", "Personal Year", &Chart::personalYear, 11),
    CycleRow("personalMonth", "Personal Month", &Chart::personalMonth, 12),
    CycleRow("personalDay", "Personal Day", &Chart::personalDay, 13),
    CycleRow("pinnacles", "Pinnacle", &Chart::pinnacles, 14),
    CycleRow("challenges", "Challenge", &Chart::challenges, 15),
    CycleRow("periods", "Period", &Chart::periods, 16),
    CycleRow("transits", "Transit", &Chart::transits, 17),
    WithTotal(CycleRow("essence", "Essence", &Chart::essence, 18)),
    {.key = "forecast", .label = "Years Ahead", .section = Section::Years, .value = &Chart::forecast},
    RestRow("inclusion", "Inclusion", &Chart::inclusion, 51, 42),
    RestRow("planes", "Plane", &Chart::planes, 50, 43),
    RestRow("balance", "Balance", &Chart::balance, 34, 33),
    RestRow("rationalThought", "Rational Thought", &Chart::rationalThought, 35, 34),
    RestRow("subconsciousSelf", "Subconscious Self", &Chart::subconsciousSelf, 36, 35),
    RestRow("cornerstone", "Cornerstone", &Chart::cornerstone, 37, 36),
    RestRow("capstone", "Capstone", &Chart::capstone, 38, 37),
    RestRow("firstVowel", "First Vowel", &Chart::firstVowel, 39, 38),
    RestRow("bridges", "Bridge", &Chart::bridges, 40, 44),
};

// The planes of expression: each one's key (after "planes." in JSON), label
// and letters.
struct PlaneRow {
    std::string_view key;
    std::string_view label;
    std::string_view letters;
};
inline constexpr PlaneRow PlaneRows[] = {
    {"physical", "Physical", "DEMW"},
    {"mental", "Mental", "AGHJLNP"},
    {"emotional", "Emotional", "BIORSTXZ"},
    {"intuitive", "Intuitive", "CFKQUVY"},
};
static_assert(std::size(PlaneRows) == std::tuple_size_v<decltype(Chart::planes)>);

// The members of a record or a set of letters: each one's key (after
// "bridges." or "transits." in JSON and the meanings) and label.
struct MemberRow {
    std::string_view key;
    std::string_view label;
};
inline constexpr MemberRow BridgeRows[] = {
    {"lifePathExpression", "Life Path\u2013Expression"},
    {"soulUrgePersonality", "Soul Urge\u2013Personality"},
};
static_assert(std::size(BridgeRows) == std::tuple_size_v<decltype(Chart::bridges)>);
inline constexpr MemberRow TransitRows[] = {
    {"physical", "Physical"},
    {"mental", "Mental"},
    {"spiritual", "Spiritual"},
};
static_assert(std::size(TransitRows) == std::tuple_size_v<decltype(Chart::transits)>);

// The members of a row's record or set (BridgeRows, TransitRows), or none
// for a row of another kind.
std::span<const MemberRow> MembersOf(const ChartRow &row) noexcept;

// The columns of the forecast: each one's JSON key, label, where a row
// keeps it (a number or a letter), and whether a change from the year
// before is marked in it (not in the year and the age, which always
// change). A column's index is its bit in ForecastYear::changes.
struct ForecastColumn {
    std::string_view key;
    std::string_view label;
    std::variant<int ForecastYear::*, char ForecastYear::*> cell;
    bool marked = true;
};
inline constexpr ForecastColumn ForecastColumns[] = {
    {"year", "Year", &ForecastYear::year, false},
    {"age", "Age", &ForecastYear::age, false},
    {"universalYear", "Universal Year", &ForecastYear::universalYear},
    {"personalYear", "Personal Year", &ForecastYear::personalYear},
    {"pinnacle", "Pinnacle", &ForecastYear::pinnacle},
    {"challenge", "Challenge", &ForecastYear::challenge},
    {"period", "Period", &ForecastYear::period},
    {"physical", "Physical", &ForecastYear::physical},
    {"mental", "Mental", &ForecastYear::mental},
    {"spiritual", "Spiritual", &ForecastYear::spiritual},
    {"essence", "Essence", &ForecastYear::essence},
};

// Whether a column of a forecast row differs from the year before.
inline bool Changed(const ForecastYear &row, std::size_t column) noexcept
{
    return (row.changes >> column & 1U) != 0;
}

// Whether a row has a value in this chart: not the minor numbers without a
// name in use, nor the forecast when it was not asked for.
inline bool HasValue(const ChartRow &row, const Chart &chart) noexcept
{
    if (row.ofNameInUse)
        return HasNameInUse(chart);
    return !std::holds_alternative<std::vector<ForecastYear> Chart::*>(row.value) || !chart.forecast.empty();
}

// The spans a row holds, or none for a row of another kind.
std::span<const Span> SpansOf(const ChartRow &row, const Chart &chart) noexcept;

// Whether a row holds spans.
constexpr bool HoldsSpans(const ChartRow &row) noexcept
{
    return std::holds_alternative<std::array<Span, 4> Chart::*>(row.value) ||
           std::holds_alternative<std::array<Span, 3> Chart::*>(row.value);
}

// The rows that hold spans (pinnacles, challenges, periods), for the
// pictures that draw them.
inline constexpr std::size_t SpanRowCount = [] {
    std::size_t count = 0;
    for (const ChartRow &row : ChartRows)
        count += HoldsSpans(row) ? 1 : 0;
    return count;
}();

// The number a row holds, or none for a row of another kind.
const ChartNumber *NumberOf(const ChartRow &row, const Chart &chart) noexcept;

// The row of a key; none for a key no row has.
const ChartRow *FindChartRow(std::string_view key) noexcept;

// The date the cycles are read on: the reading date, or the birth date when
// the reading date is before it.
const Date &CyclesDate(const Chart &chart) noexcept;

// The whole years from a birth to a date: the age changes on the birthday
// (for 29 February, on 1 March in other years).
int AgeOn(const Date &birth, const Date &on) noexcept;

// The personal year of a birth date in a year: the birth month, day and the
// year, each reduced to a digit, added and reduced to a digit.
int PersonalYearOf(const Date &birth, int year) noexcept;

// A birth's birthday in a year: 1 March for 29 February in other years.
Date BirthdayIn(const Date &birth, int year) noexcept;

// The letter of a transit that reads `letters` ('A'..'Z') at an age: each
// letter lasts as many years as its value, the first from age 0, and after
// the last the letters begin again. No letter for no letters.
Transit TransitAt(std::string_view letters, int age) noexcept;

// The most years a forecast covers, and the last year it reaches.
inline constexpr int MostForecastYears = 100;
inline constexpr int LastForecastYear = 9999;

// What a chart is made with beside the name and the dates: the name in use
// (none when empty or blank), and how many years the forecast covers from
// the reading date's year, or the birth year if later (0: no forecast; no
// further than LastForecastYear).
struct ChartOptions {
    std::u32string_view currentName = {};
    int years = 0;
    // With Steps::Left every steps text stays empty, for a caller that shows
    // no steps (the CSV batch without its steps column): the numbers are the
    // same.
    Steps steps = Steps::Written;
};

// Makes the chart of a name and a birth date, read on the date `on`, into
// `chart`, whose storage is kept from call to call. The dates are checked
// first (they exist), then the name: a row whose date and name are both at
// fault is refused with NoSuchDate. On a refusal the chart holds the two
// dates and nothing else (zero numbers, empty steps and lists). A reading
// date before the birth gives the whole chart, with the cycles read on the
// birth date (age 0, the first pinnacle, challenge and period current, the
// personal year, month and day of the birth date) and cyclesFromBirth set.
//
// How each number is made, with its steps:
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
//   karmic lessons   1-9 that no letter carries; hidden passion, the values
//                    most letters carry
//   karmic debts     13, 14, 16 or 19 in the totals of the numbers that carry
//                    them and every number between each total and its value
//                    (19 → 10 → 1 carries 19); the sums of single parts do
//                    not count unless they are the total
// The cycles, with M, D and Y the birth month, day and year reduced to a
// digit; y, m, d the reading date's:
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
// The rest: inclusion, planes, balance (the first letters of the parts, to a
// digit), rational thought (the first part's expression + the birthday
// number, reduced), subconscious self (9 - the karmic lessons), cornerstone,
// capstone and first vowel of the first part.
// With a name in use (ChartOptions), the minor numbers read it as the
// expression, soul urge and personality read the name; a name in use with
// no letter A-Z is refused (NoLetterInUse, after the name). The karmic debts
// and the other numbers stay the name's.
//   bridges      |life path - expression| and |soul urge - personality|, each
//                reduced to a digit first: "|11 → 2 - 4| = 2"
//   transits     physical from the first part, mental from the parts between
//                the first and the last strung together (the last of two
//                parts), spiritual from the last (a suffix left out; all
//                three from a name of one part); each letter lasts as many
//                years as its value (TransitAt), read at the cycles' age
//   essence      the three letters' values added and reduced, master numbers
//                kept: "A 1 + I 9 + H 8 = 18 → 9"
//   forecast     a row a year, each read on that year's birthday (ForecastYear)
[[nodiscard]] ChartRefusal MakeChart(std::u32string_view name, const Date &date, const Date &on,
                                     const ChartOptions &options, Chart &chart);
// The chart without a name in use or a forecast.
[[nodiscard]] ChartRefusal MakeChart(std::u32string_view name, const Date &date, const Date &on, Chart &chart);

} // namespace veltara::chart
