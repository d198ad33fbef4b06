#include "numerology.h"

#include <algorithm>

namespace veltara {

namespace {

constexpr std::array<std::u16string_view, 12> MonthCodes = {
    u"01", u"02", u"03", u"04", u"05", u"06", u"07", u"08", u"09", u"10", u"11", u"12",
};

void AppendCut(std::u16string &box, std::u16string_view text)
{
    box.append(text);
    if (box.size() > BirthDigitsMaxLength)
        box.resize(BirthDigitsMaxLength);
}

} // namespace

int ChaldeanValue(char letter) noexcept
{
    //                                             A  B  C  D  E  F  G  H  I  J  K  L  M
    static constexpr std::array<int, 26> Values = {1, 2, 3, 4, 5, 8, 3, 5, 1, 1, 2, 3, 4,
    //                                             N  O  P  Q  R  S  T  U  V  W  X  Y  Z
                                                   5, 7, 8, 1, 2, 3, 4, 6, 6, 6, 5, 1, 7};
    if (letter < 'A' || letter > 'Z')
        return 0;
    return Values[static_cast<std::size_t>(letter - 'A')];
}

std::uint64_t DigitSum(std::u16string_view text) noexcept
{
    std::uint64_t sum = 0;
    for (const char16_t unit : text) {
        if (unit >= u'1' && unit <= u'9')
            sum += static_cast<std::uint64_t>(unit - u'0');
    }
    return sum;
}

int ReduceLetterSum(std::uint64_t letterSum, std::vector<std::uint64_t> &passes)
{
    std::uint64_t n = letterSum;
    do {
        n = DigitSum(n);
        passes.push_back(n);
    } while (n > 9);
    return static_cast<int>(n);
}

std::u16string_view MonthDigits(std::u16string_view monthName) noexcept
{
    for (std::size_t i = 0; i < MonthNames.size(); ++i) {
        const std::string_view name = MonthNames[i];
        if (std::equal(monthName.begin(), monthName.end(), name.begin(), name.end()))
            return MonthCodes[i];
    }
    return {};
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

int ReduceBirthDigitSum(std::uint64_t digitSum, std::vector<std::uint64_t> &passes)
{
    std::uint64_t s = digitSum;
    passes.push_back(s);
    for (int pass = 0; pass < 2 && s > 9; ++pass) {
        s = DigitSum(s);
        passes.push_back(s);
    }
    return static_cast<int>(s);
}

} // namespace veltara
