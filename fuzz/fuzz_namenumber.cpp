// Name number of arbitrary text: the UTF-8 and UTF-16 forms of the same text
// give the same number, and the number is the letter sum reduced by digit-sum
// passes to a single digit.
#include "fuzzsupport.h"
#include "numerology.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

// The letter table as it is written down: the letters of each value.
constexpr std::string_view LettersOfValue[10] = {
    "", "AJSajs", "BKTbkt", "CLUclu", "DMVdmv", "ENWenw", "FOXfox", "GPYgpy", "HQZhqz", "IRir",
};

int TableValue(char32_t unit)
{
    if (unit > 0x7F)
        return 0;
    for (int value = 1; value <= 9; ++value) {
        if (LettersOfValue[value].find(static_cast<char>(unit)) != std::string_view::npos)
            return value;
    }
    return 0;
}

// The name number by its rule: digit-sum passes until a single digit is left
// (a digital root), so even the longest name gets a reading.
int ExpectedNameNumber(std::uint64_t letterSum)
{
    return letterSum == 0 ? 0 : static_cast<int>(1 + (letterSum - 1) % 9);
}

template <typename Text>
std::uint64_t LetterSum(const Text &text)
{
    std::uint64_t sum = 0;
    for (const auto unit : text)
        sum += static_cast<std::uint64_t>(TableValue(static_cast<std::make_unsigned_t<decltype(unit)>>(unit)));
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // The bytes as UTF-8; a valid text must give the same number as UTF-16.
    const int fromUtf8 = veltara::CalcNameNumber(bytes);
    if (const auto utf16 = fuzzsupport::Utf8ToUtf16(bytes)) {
        const int fromUtf16 = veltara::CalcNameNumber(std::u16string_view(*utf16));
        FUZZ_CHECK(fromUtf8 == fromUtf16);
    }

    // The bytes as UTF-16 units; a valid text must give the same number as UTF-8.
    const std::u16string units = fuzzsupport::UnitsOf(data, size);
    const int fromUnits = veltara::CalcNameNumber(std::u16string_view(units));
    if (const auto utf8 = fuzzsupport::Utf16ToUtf8(units))
        FUZZ_CHECK(fromUnits == veltara::CalcNameNumber(std::string_view(*utf8)));

    // Every unit counts on its own, ill-formed text included.
    FUZZ_CHECK(fromUtf8 == ExpectedNameNumber(LetterSum(bytes)));
    FUZZ_CHECK(fromUnits == ExpectedNameNumber(LetterSum(units)));
    FUZZ_CHECK(fromUtf8 >= 0 && fromUtf8 <= 9);
    return 0;
}
