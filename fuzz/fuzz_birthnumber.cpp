// Birth-date digit text and birth number of a reading from arbitrary field
// texts.
//
// The input is split at its first three line feeds into the month, day and
// year texts and the current text of the birth-digit box (the rest). Each
// field is read as UTF-8, or byte by byte when it is not valid UTF-8.
#include "fuzzsupport.h"
#include "numerology.h"
#include "reading.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::u16string_view, 12> MonthNames = {
    u"January", u"February", u"March",     u"April",   u"May",      u"June",
    u"July",    u"August",   u"September", u"October", u"November", u"December",
};

// "01" to "12" for an exact month name; empty otherwise.
std::u16string ExpectedMonthDigits(std::u16string_view month)
{
    for (std::size_t i = 0; i < MonthNames.size(); ++i) {
        if (MonthNames[i] == month) {
            const std::size_t number = i + 1;
            return {static_cast<char16_t>(u'0' + number / 10), static_cast<char16_t>(u'0' + number % 10)};
        }
    }
    return {};
}

std::uint64_t ExpectedDigitSum(std::u16string_view text)
{
    std::uint64_t sum = 0;
    for (const char16_t unit : text) {
        if (unit >= u'1' && unit <= u'9')
            sum += static_cast<std::uint64_t>(unit - u'0');
    }
    return sum;
}

// Digit sum, then at most two further passes, each only above 9.
int ExpectedBirthNumber(std::u16string_view digits)
{
    std::uint64_t s = ExpectedDigitSum(digits);
    if (s > 9)
        s = fuzzsupport::DecimalDigitSum(s);
    if (s > 9)
        s = fuzzsupport::DecimalDigitSum(s);
    return static_cast<int>(s);
}

std::string_view NextField(std::string_view &rest)
{
    const std::size_t end = rest.find('\n');
    const std::string_view field = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return field;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char *>(data), size);
    const std::u16string month = fuzzsupport::TextOf(NextField(rest));
    const std::u16string day = fuzzsupport::TextOf(NextField(rest));
    const std::u16string year = fuzzsupport::TextOf(NextField(rest));
    const std::u16string current = fuzzsupport::TextOf(rest);

    static veltara::ReadingResult reading; // its storage reused, as the window reuses it
    veltara::MakeReading({u"Ann", day, month, year, current}, reading);

    // The padded day: a "0" in front of a day shorter than two units only.
    FUZZ_CHECK(reading.paddedDay == (day.size() < 2 ? u"0" + day : day));

    // The box holds at most 8 units: the first 8 of month digits (or the
    // box's text for an unknown month), padded day and year.
    FUZZ_CHECK(reading.birthDigits.size() <= veltara::BirthDigitsMaxLength);
    const std::u16string monthDigits = ExpectedMonthDigits(month);
    FUZZ_CHECK(veltara::MonthDigits(month) == monthDigits);
    const std::u16string joined = (monthDigits.empty() ? current : monthDigits) + reading.paddedDay + year;
    FUZZ_CHECK(reading.birthDigits == joined.substr(0, veltara::BirthDigitsMaxLength));

    // An empty month or year is refused (the padded day is never empty);
    // any other date gets the birth number of the box's text, a single digit.
    const bool dated = !month.empty() && !year.empty();
    FUZZ_CHECK((reading.outcome == veltara::ReadingOutcome::InvalidBirthdate) == !dated);
    if (dated)
        FUZZ_CHECK(reading.birthNumber == ExpectedBirthNumber(reading.birthDigits) && reading.birthNumber <= 9);

    // Any text at all: the reduction the reading makes of a digit sum, as
    // written down. Only a text of at most 8 units is sure to give a single
    // digit: a longer one can reach a digit sum such as 199, which three
    // passes bring to 19 and then 10.
    const std::u16string whole = fuzzsupport::TextOf(std::string_view(reinterpret_cast<const char *>(data), size));
    FUZZ_CHECK(veltara::DigitSum(whole) == ExpectedDigitSum(whole));
    std::vector<std::uint64_t> passes;
    const int wholeNumber = veltara::ReduceBirthDigitSum(veltara::DigitSum(whole), passes);
    FUZZ_CHECK(wholeNumber == ExpectedBirthNumber(whole));
    if (whole.size() <= veltara::BirthDigitsMaxLength)
        FUZZ_CHECK(wholeNumber >= 0 && wholeNumber <= 9);
    return 0;
}
