#include "zodiac.h"

#include "text.h"

#include <limits>

namespace veltara {

std::optional<std::uint64_t> BirthKey(std::u16string_view text) noexcept
{
    text = TrimBlanks(text);
    if (text.empty())
        return std::nullopt;

    constexpr std::uint64_t Saturated = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t key = 0;
    for (const char16_t unit : text) {
        if (!IsDigit(unit))
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(unit - u'0');
        key = key > (Saturated - digit) / 10 ? Saturated : key * 10 + digit;
    }
    return key;
}

const ZodiacRange *FindZodiacRow(std::uint64_t key) noexcept
{
    for (const ZodiacRange &range : ZodiacTable) {
        if (RangeContains(range, key))
            return &range;
    }
    return nullptr;
}

} // namespace veltara
