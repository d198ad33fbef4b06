#include "zodiac.h"

#include <limits>

namespace veltara {

namespace {

constexpr bool IsBlank(char16_t unit) noexcept { return unit == u' ' || unit == u'\t'; }

} // namespace

std::optional<std::uint64_t> BirthKey(std::u16string_view text) noexcept
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return std::nullopt;

    constexpr std::uint64_t Saturated = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t key = 0;
    for (const char16_t unit : text) {
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(unit - u'0');
        key = key > (Saturated - digit) / 10 ? Saturated : key * 10 + digit;
    }
    return key;
}

const ZodiacRange *FindZodiacSign(std::u16string_view birthDigits) noexcept
{
    // An unconvertible text reads as key 0, which no row holds.
    const std::uint64_t key = BirthKey(birthDigits).value_or(0);
    for (const ZodiacRange &range : ZodiacTable) {
        if (RangeContains(range, key))
            return &range;
    }
    return nullptr;
}

} // namespace veltara
