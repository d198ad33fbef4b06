// Name number, number reduction and birth number.
//
// Texts are taken as UTF-16 code units, one unit at a time, exactly as the
// window's text fields hold them; the name number also accepts UTF-8 and gives
// the same result for the same text, because every letter of the letter table
// is a single unit in both forms and no other unit counts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltara {

// Value of one text unit in the letter table: A-I 1-9, J-R 1-9, S-Z 1-8, in
// either case. The space and everything outside the table count 0.
constexpr int LetterValue(char32_t unit) noexcept
{
    if (unit >= U'a' && unit <= U'z')
        unit -= U'a' - U'A';
    if (unit < U'A' || unit > U'Z')
        return 0;
    return static_cast<int>((unit - U'A') % 9) + 1;
}

// One reduction pass: the sum of the digit characters 1 to 9 of a text.
std::uint64_t DigitSum(std::u16string_view text) noexcept;
// The same pass over the plain decimal text of a whole number.
std::uint64_t DigitSum(std::uint64_t number) noexcept;

// Name number of a full name taken exactly as entered: the letter sum,
// reduced by digit-sum passes until a single digit remains (0 stays 0).
int CalcNameNumber(std::u16string_view fullName) noexcept;
int CalcNameNumber(std::string_view fullNameUtf8) noexcept;
// The name number's reduction of a letter sum: its digit sum, then further
// passes until a single digit remains. Each pass's value is appended to
// `passes` when one is given.
int ReduceLetterSum(std::uint64_t letterSum, std::vector<std::uint64_t> *passes = nullptr);

// Longest birth-date digit text the birth-digit box holds.
inline constexpr std::size_t BirthDigitsMaxLength = 8;

// Month digits "01" to "12" for an exact, case-sensitive English month name;
// empty for any other text.
std::u16string_view MonthDigits(std::u16string_view monthName) noexcept;
// The English month name of a month number 1 to 12 ("January" to
// "December"); empty for any other number.
std::u16string_view MonthName(int month) noexcept;

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

// Birth number of a birth-date digit text: its digit sum, reduced by at most
// two further passes, each only while the value is above 9.
int CalcBirthNumber(std::u16string_view birthDigits) noexcept;
// The birth number's reduction of the digit sum of a birth-date digit text:
// at most two further passes, each only while the value is above 9. The
// digit sum, then each pass, is appended to `passes` when one is given.
int ReduceBirthDigitSum(std::uint64_t digitSum, std::vector<std::uint64_t> *passes = nullptr);

} // namespace veltara
