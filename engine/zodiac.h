// The zodiac range table and the sun-sign lookup by birth key.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace veltara {

struct ZodiacRange {
    int row;                  // 1 to 24, the order in which rows are examined
    std::uint32_t firstKey;   // month * 1,000,000 + first day * 10,000
    std::uint32_t lastKey;    // month * 1,000,000 + last day * 10,000 + 9999
    std::u16string_view sign;
    std::u16string_view picture; // a file of the picture folder
};

// Each row covers some days of one month in every year 0000 to 9999.
inline constexpr std::array<ZodiacRange, 24> ZodiacTable = {{
    {1, 1010000, 1209999, u"Capricorn", u"capricorn.jpg"},
    {2, 1210000, 1319999, u"Aquarius", u"aquarius.jpg"},
    {3, 2010000, 2199999, u"Aquarius", u"aquarius.jpg"},
    {4, 2200000, 2299999, u"Pisces", u"pisces.jpg"},
    {5, 3010000, 3209999, u"Pisces", u"pisces.jpg"},
    {6, 3210000, 3319999, u"Aries", u"aries.jpg"},
    {7, 4010000, 4199999, u"Aries", u"aries.jpg"},
    {8, 4200000, 4309999, u"Taurus", u"taurus.jpg"},
    {9, 5010000, 5199999, u"Taurus", u"taurus.jpg"},
    {10, 5200000, 5319999, u"Gemini", u"gemini.jpg"},
    {11, 6010000, 6209999, u"Gemini", u"gemini.jpg"},
    {12, 6210000, 6309999, u"Cancer", u"cancer.jpg"},
    {13, 7010000, 7229999, u"Cancer", u"cancer.jpg"},
    {14, 7230000, 7319999, u"Leo", u"leo.jpg"},
    {15, 8010000, 8219999, u"Leo", u"leo.jpg"},
    {16, 8220000, 8319999, u"Virgo", u"virgo.jpg"},
    {17, 9010000, 9229999, u"Virgo", u"virgo.jpg"},
    {18, 9230000, 9309999, u"Libra", u"libra.jpg"},
    {19, 10010000, 10229999, u"Libra", u"libra.jpg"},
    {20, 10230000, 10319999, u"Scorpio", u"scorpio.jpg"},
    {21, 11010000, 11219999, u"Scorpio", u"scorpio.jpg"},
    {22, 11220000, 11309999, u"Sagittarius", u"sagittarius.jpg"},
    {23, 12010000, 12219999, u"Sagittarius", u"sagittarius.jpg"},
    {24, 12220000, 12319999, u"Capricorn", u"capricorn.jpg"},
}};

// The birth key: the numeric value of the whole birth-date digit text.
// Blanks (spaces, tabs) may stand before and after the digits; any other
// character, or no digit at all, makes the text unconvertible (nullopt).
// The reading does not depend on the user's locale. Values too large for any
// row saturate at UINT64_MAX.
std::optional<std::uint64_t> BirthKey(std::u16string_view birthDigits) noexcept;

// Whether a row holds the whole-number key.
constexpr bool RangeContains(const ZodiacRange &range, std::uint64_t key) noexcept
{
    return key >= range.firstKey && key <= range.lastKey;
}

// The first row whose range holds the key; nullptr when none does.
const ZodiacRange *FindZodiacRow(std::uint64_t key) noexcept;

} // namespace veltara
