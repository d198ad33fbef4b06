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

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltara::chart {

// The date exists in the proleptic Gregorian calendar, years 1 to 9999.
bool IsValidDate(int year, int month, int day) noexcept;

enum class ChartRefusal {
    None,       // the chart is made
    NoLetter,   // the name has not one letter
    NoSuchDate, // the date does not exist
};

// A one-line text for a refusal, without the name or the date: "no such date",
// "the name has no letter". Empty for None.
std::string_view RefusalMessage(ChartRefusal refusal) noexcept;

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

struct Chart {
    int year = 0, month = 0, day = 0;
    ChartNumber lifePath, birthday, expression, soulUrge, personality, maturity;
    std::vector<int> karmicLessons; // 1-9 that no letter carries, ascending
    std::vector<int> hiddenPassion; // the values most letters carry, ascending
    std::vector<int> karmicDebts;   // among 13, 14, 16, 19, ascending
    ChaldeanNumber chaldean;
    // The characters of the name that count as no letter, white space aside,
    // each once in order of first appearance; an entry is a character with
    // the combining marks that follow it (or a mark with no character before
    // it, at the start or after white space, with the marks after it).
    std::vector<std::u32string> uncounted;
};

// Makes the chart of a name and a birth date into `chart`, whose storage is
// kept from call to call. The date is checked first: a row whose date and
// name are both at fault is refused with NoSuchDate. On a refusal the chart
// holds the date and nothing else (zero numbers, empty steps and lists).
//
// Steps, with the folded letters of the name (É and e count as E):
//   life path    "month 10 → 1; day 12 → 3; year 1936 → 19 → 10 → 1; 1 + 3 + 1 = 5"
//   birthday     "day 29 → 11"
//   expression   "ADA 1+4+1 = 6; LOVELACE 3+6+4+5+3+1+3+5 = 30 → 3; 6 + 3 = 9"
//                each part's counted letters, their values and their sum
//                reduced (a part without counted letters is left out), then
//                the parts' results added and reduced; with one part, that
//                part's result is the total. Soul urge and personality show
//                only the letters they count; "no vowel" or "no consonant"
//                when there is none (value and total 0).
//   maturity     "5 + 9 = 14 → 5" (life path + expression)
//   Chaldean     "ADA LOVELACE 1+4+1+3+7+6+5+3+1+3+5 = 39 → 12 → 3"
// Every arrow is one pass that adds the digits of the number before it.
//
// Karmic debts are looked for in the totals of the life path, birthday,
// expression, soul urge and personality and every number between each total
// and its value (19 → 10 → 1 carries 19); the sums of single parts do not
// count unless they are the total.
ChartRefusal MakeChart(std::u32string_view name, int year, int month, int day, Chart &chart);

// One reduction pass: the sum of the decimal digits.
std::uint64_t AddDigits(std::uint64_t number) noexcept;
// Passes until 1-9 or a master number 11, 22, 33; 0 stays 0.
int Reduce(std::uint64_t number) noexcept;
// Passes until 0-9, master numbers included.
int ReduceToRoot(std::uint64_t number) noexcept;
bool IsMasterNumber(std::uint64_t number) noexcept;
// 13, 14, 16 or 19.
bool IsKarmicDebt(std::uint64_t number) noexcept;

// Letter values of 'A'..'Z' (0 for anything else): Pythagorean A-I 1-9,
// J-R 1-9, S-Z 1-8; Chaldean 1-8.
int PythagoreanValue(char letter) noexcept;
int ChaldeanValue(char letter) noexcept;

// Appends " → n" for every pass from `number` to its reduction (with or
// without master numbers): nothing when it is reduced already.
void AppendReduction(std::string &out, std::uint64_t number, bool keepMasters);

} // namespace veltara::chart
