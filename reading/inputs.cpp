#include "inputs.h"

#include "dates.h"
#include "numerology.h"
#include "text.h"


namespace veltara::reading {

namespace {

// The engine's tables hold their texts as UTF-16; the command line writes
// them as UTF-8, converted once.
struct TableTexts {
    std::array<std::array<std::string, 6>, 10> profiles; // by name number, none for 0
    std::array<std::string, 24> signs;

    TableTexts()
    {
        for (int number = 1; number <= 9; ++number) {
            const NameProfile *row = LookupNameProfile(number);
            profiles[static_cast<std::size_t>(number)] = {
                Utf16ToUtf8(row->characterText), Utf16ToUtf8(row->planet),       Utf16ToUtf8(row->element),
                Utf16ToUtf8(row->letters),       Utf16ToUtf8(row->primaryColor), Utf16ToUtf8(row->secondaryColors)};
        }
        for (std::size_t i = 0; i < ZodiacTable.size(); ++i)
            signs[i] = Utf16ToUtf8(ZodiacTable[i].sign);
    }
};

const TableTexts &Texts()
{
    static const TableTexts texts;
    return texts;
}

} // namespace

std::string_view SignText(const ZodiacRange &row) noexcept
{
    return Texts().signs[static_cast<std::size_t>(row.row - 1)];
}

const std::array<std::string, 6> &ProfileTexts(const NameProfile *profile) noexcept
{
    return Texts().profiles[profile ? static_cast<std::size_t>(profile->number) : 0];
}

bool MakeReading(const Inputs &inputs, Utf8Reading &reading)
{
    std::u16string (&units)[4] = reading.units;
    if (!Utf8ToUtf16(inputs.name, units[0]) || !Utf8ToUtf16(inputs.day, units[1]) ||
        !Utf8ToUtf16(inputs.month, units[2]) || !Utf8ToUtf16(inputs.year, units[3])) {
        reading = Utf8Reading();
        return false;
    }
    veltara::MakeReading({units[0], units[1], units[2], units[3], {}}, reading);
    reading.name = inputs.name;
    reading.day = Utf16ToUtf8(reading.paddedDay);
    reading.month = inputs.month;
    reading.year = inputs.year;
    return true;
}

std::optional<DateFields> ParseIsoDate(std::string_view text)
{
    if (!IsIsoDateShape(text))
        return std::nullopt;
    const int month = SmallNumber(text.substr(5, 2), 2);
    if (month < 1 || month > 12)
        return std::nullopt;
    return DateFields{std::string(text.substr(8, 2)), std::string(MonthNames[static_cast<std::size_t>(month - 1)]),
                      std::string(text.substr(0, 4))};
}

} // namespace veltara::reading
