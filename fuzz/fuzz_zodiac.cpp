// Zodiac row of a reading of arbitrary short birth-date digit texts,
// differential: the engine's direct range test against the stepping
// reference, which any disagreement aborts.
//
// The input is read twice: as UTF-8 (byte by byte when ill-formed) and, when
// its length is even, as UTF-16 units. Keep it short (-max_len=12): a key that
// matches nothing costs the reference 3,660,000 steps. The reference depends
// on the single-precision key alone, so its answers are kept per key value.
#include "fuzzsupport.h"
#include "numerology.h"
#include "reading.h"
#include "zodiacreference.h"

#include <bit>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace {

constexpr std::size_t MaxInputLength = 12;

// The birth key by its contract: blanks (space, tab) around a non-empty run
// of decimal digits, saturating at UINT64_MAX; anything else is no key.
std::optional<std::uint64_t> ExpectedBirthKey(std::u16string_view text)
{
    const auto isBlank = [](char16_t unit) { return unit == u' ' || unit == u'\t'; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlank(text[first]))
        ++first;
    while (last > first && isBlank(text[last - 1]))
        --last;
    if (first == last)
        return std::nullopt;
    std::string ascii;
    for (std::size_t i = first; i < last; ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        ascii.push_back(static_cast<char>(text[i]));
    }
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (error == std::errc::result_out_of_range)
        return std::numeric_limits<std::uint64_t>::max();
    FUZZ_CHECK(error == std::errc() && end == ascii.data() + ascii.size());
    return value;
}

int ReferenceRow(float key)
{
    static std::unordered_map<std::uint32_t, int> known;
    const auto bits = std::bit_cast<std::uint32_t>(key);
    if (const auto found = known.find(bits); found != known.end())
        return found->second;
    if (known.size() > (1u << 20))
        known.clear();
    const int row = zodiacreference::ReferenceZodiacRow(key);
    known.emplace(bits, row);
    return row;
}

// The row found for the key of `text` against the reference's.
void CheckRow(const veltara::ZodiacRange *range, std::optional<std::uint64_t> key, std::u16string_view text)
{
    if (range) {
        const auto index = range - veltara::ZodiacTable.data();
        FUZZ_CHECK(index >= 0 && index < static_cast<std::ptrdiff_t>(veltara::ZodiacTable.size()));
        FUZZ_CHECK(range->row == index + 1);
        FUZZ_CHECK(key.has_value() && veltara::RangeContains(*range, *key));
    }
    const int referenceRow = ReferenceRow(zodiacreference::ReferenceBirthKey(text));
    FUZZ_CHECK((range ? range->row : 0) == referenceRow);
}

void CheckText(std::u16string_view text)
{
    const std::optional<std::uint64_t> key = veltara::BirthKey(text);
    FUZZ_CHECK(key == ExpectedBirthKey(text));
    // The lookup the reading makes of the key, for any text.
    CheckRow(veltara::FindZodiacRow(key.value_or(0)), key, text);

    // The reading of the text as the date fields compose it: after an unknown
    // month, the first two units as the day, kept as typed, and the rest as
    // the year; the box keeps the first 8 units. No date gives a shorter text.
    if (text.size() < 3)
        return;
    static veltara::ReadingResult reading; // its storage reused, as the window reuses it
    veltara::MakeReading({u"Ann", text.substr(0, 2), u"?", text.substr(2), {}}, reading);
    const std::u16string_view digits = text.substr(0, veltara::BirthDigitsMaxLength);
    FUZZ_CHECK(reading.birthDigits == digits && reading.birthKey == ExpectedBirthKey(digits));
    using veltara::ReadingOutcome;
    FUZZ_CHECK(reading.outcome == (reading.zodiac ? ReadingOutcome::Read : ReadingOutcome::InvalidBirthday));
    CheckRow(reading.zodiac, reading.birthKey, digits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > MaxInputLength)
        return 0;
    CheckText(fuzzsupport::TextOf(std::string_view(reinterpret_cast<const char *>(data), size)));
    if (size % 2 == 0)
        CheckText(fuzzsupport::UnitsOf(data, size));
    return 0;
}
