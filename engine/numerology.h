// The arithmetic every number system shares: letter values, digit sums and
// reductions, the month names; and the reading's own rules, the name number
// and the birth number.
//
// The reading takes its texts as UTF-16 code units, one unit at a time,
// exactly as the window's text fields hold them.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltara {

// The Pythagorean value of a character: A-I 1-9, J-R 1-9, S-Z 1-8, in
// either case. The space and everything else count 0.
constexpr int LetterValue(char32_t unit) noexcept
{
    if (unit >= U'a' && unit <= U'z')
        unit -= U'a' - U'A';
    if (unit < U'A' || unit > U'Z')
        return 0;
    return static_cast<int>((unit - U'A') % 9) + 1;
}

// The Chaldean value of an uppercase letter 'A'..'Z', 1 to 8; 0 for anything else.
int ChaldeanValue(char letter) noexcept;

// One reduction pass: the sum of the decimal digits of a number.
constexpr std::uint64_t DigitSum(std::uint64_t number) noexcept
{
    std::uint64_t sum = 0;
    for (; number != 0; number /= 10)
        sum += number % 10;
    return sum;
}
// The same pass over a text: the sum of its digit characters 1 to 9.
std::uint64_t DigitSum(std::u16string_view text) noexcept;

constexpr bool IsMasterNumber(std::uint64_t number) noexcept
{
    return number == 11 || number == 22 || number == 33;
}

// Whether a reduction stops at the master numbers 11, 22 and 33.
enum class Masters { Keep, Reduce };

// Digit-sum passes until 1-9, or a master number when they are kept; 0
// stays 0.
constexpr int Reduce(std::uint64_t number, Masters masters = Masters::Keep) noexcept
{
    while (number > 9 && !(masters == Masters::Keep && IsMasterNumber(number)))
        number = DigitSum(number);
    return static_cast<int>(number);
}
// Passes until 1-9, no master numbers.
inline int ReduceToDigit(std::uint64_t number) noexcept { return Reduce(number, Masters::Reduce); }

// The English month names, January to December.
inline constexpr std::array<std::string_view, 12> MonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December",
};

// The name number's reduction of a letter sum: its digit sum, then further
// passes until a single digit remains. Each pass's value is appended to
// `passes`.
int ReduceLetterSum(std::uint64_t letterSum, std::vector<std::uint64_t> &passes);

// Longest birth-date digit text the birth-digit box holds.
inline constexpr std::size_t BirthDigitsMaxLength = 8;

// Month digits "01" to "12" for an exact, case-sensitive English month name;
// empty for any other text.
std::u16string_view MonthDigits(std::u16string_view monthName) noexcept;

struct BirthDigitsResult {
    std::u16string digits;    // new text of the birth-digit box, at most 8 units
    std::u16string paddedDay; // the day text as written back into the day field
};

// Composes the birth-date digit text: month digits (replacing the box's
// current text; an unknown month keeps it), the day padded with a leading "0"
// when shorter than two units, then the year. Every write keeps at most the
// first 8 units.
BirthDigitsResult BirthDigits(std::u16string_view month, std::u16string_view day,
                              std::u16string_view year, std::u16string_view currentDigits);

// The birth number's reduction of the digit sum of a birth-date digit text:
// at most two further passes, each only while the value is above 9. The
// digit sum, then each pass, is appended to `passes`.
int ReduceBirthDigitSum(std::uint64_t digitSum, std::vector<std::uint64_t> &passes);

} // namespace veltara
