// Name number of a reading with arbitrary text as the name: the number is the
// letter sum reduced by digit-sum passes to a single digit, and the UTF-8 and
// UTF-16 forms of the same text give the same number.
#include "fuzzsupport.h"
#include "reading.h"

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

// The name number of a reading of `name` born on 5 January 1980, checked
// against the letter sum of the name's text in any form.
int NameNumber(std::u16string_view name, std::uint64_t letterSum)
{
    static veltara::ReadingResult reading; // its storage reused, as the window reuses it
    veltara::MakeReading({name, u"05", u"January", u"1980", {}}, reading);
    if (name.empty()) {
        FUZZ_CHECK(reading.outcome == veltara::ReadingOutcome::MissingName);
        return 0;
    }
    FUZZ_CHECK(reading.outcome == veltara::ReadingOutcome::Read && reading.letterSum == letterSum);
    FUZZ_CHECK(reading.nameNumber == ExpectedNameNumber(letterSum));
    return reading.nameNumber;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // The bytes as a field's text: UTF-8, or byte by byte when ill-formed.
    // Every letter of the table is one byte and one unit, and no other byte
    // or unit counts, so the UTF-8 bytes and their UTF-16 units give the same
    // number.
    const int fromBytes = NameNumber(fuzzsupport::TextOf(bytes), LetterSum(bytes));
    FUZZ_CHECK(fromBytes >= 0 && fromBytes <= 9);

    // The bytes as UTF-16 units, lone surrogates and all.
    const std::u16string units = fuzzsupport::UnitsOf(data, size);
    NameNumber(units, LetterSum(units));
    return 0;
}
