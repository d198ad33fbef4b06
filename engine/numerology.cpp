#include "numerology.h"

#include <array>

namespace veltara {

namespace {

constexpr std::array<std::u16string_view, 12> MonthNames = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December",
};

constexpr std::array<std::u16string_view, 12> MonthCodes = {
    u"01", u"02", u"03", u"04", u"05", u"06", u"07", u"08", u"09", u"10", u"11", u"12",
};

template <typename Unit>
std::uint64_t LetterSum(std::basic_string_view<Unit> text) noexcept
{
    std::uint64_t sum = 0;
    for (const Unit unit : text)
        sum += static_cast<std::uint64_t>(LetterValue(static_cast<std::make_unsigned_t<Unit>>(unit)));
    return sum;
}

void AppendCut(std::u16string &box, std::u16string_view text)
{
    box.append(text);
    if (box.size() > BirthDigitsMaxLength)
        box.resize(BirthDigitsMaxLength);
}

} // namespace

std::uint64_t DigitSum(std::u16string_view text) noexcept
{
    std::uint64_t sum = 0;
    for (const char16_t unit : text) {
        if (unit >= u'1' && unit <= u'9')
            sum += static_cast<std::uint64_t>(unit - u'0');
    }
    return sum;
}

std::uint64_t DigitSum(std::uint64_t number) noexcept
{
    std::uint64_t sum = 0;
    for (; number != 0; number /= 10)
        sum += number % 10;
    return sum;
}

int ReduceLetterSum(std::uint64_t letterSum, std::vector<std::uint64_t> *passes)
{
    std::uint64_t n = letterSum;
    do {
        n = DigitSum(n);
        if (passes)
            passes->push_back(n);
    } while (n > 9);
    return static_cast<int>(n);
}

int CalcNameNumber(std::u16string_view fullName) noexcept
{
    return ReduceLetterSum(LetterSum(fullName));
}

int CalcNameNumber(std::string_view fullNameUtf8) noexcept
{
    return ReduceLetterSum(LetterSum(fullNameUtf8));
}

std::u16string_view MonthDigits(std::u16string_view monthName) noexcept
{
    for (std::size_t i = 0; i < MonthNames.size(); ++i) {
        if (MonthNames[i] == monthName)
            return MonthCodes[i];
    }
    return {};
}

std::u16string_view MonthName(int month) noexcept
{
    if (month < 1 || month > static_cast<int>(MonthNames.size()))
        return {};
    return MonthNames[static_cast<std::size_t>(month - 1)];
}

BirthDigitsResult BirthDigits(std::u16string_view month, std::u16string_view day,
                              std::u16string_view year, std::u16string_view currentDigits)
{
    BirthDigitsResult result;
    const std::u16string_view code = MonthDigits(month);
    AppendCut(result.digits, code.empty() ? currentDigits : code);

    result.paddedDay = day.size() < 2 ? u"0" + std::u16string(day) : std::u16string(day);
    AppendCut(result.digits, result.paddedDay);
    AppendCut(result.digits, year);
    return result;
}

int ReduceBirthDigitSum(std::uint64_t digitSum, std::vector<std::uint64_t> *passes)
{
    std::uint64_t s = digitSum;
    if (passes)
        passes->push_back(s);
    for (int pass = 0; pass < 2 && s > 9; ++pass) {
        s = DigitSum(s);
        if (passes)
            passes->push_back(s);
    }
    return static_cast<int>(s);
}

int CalcBirthNumber(std::u16string_view birthDigits) noexcept
{
    return ReduceBirthDigitSum(DigitSum(birthDigits));
}

} // namespace veltara
