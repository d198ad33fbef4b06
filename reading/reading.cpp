#include "reading.h"

#include "numerology.h"
#include "profiles.h"
#include "utf8.h"
#include "zodiac.h"

#include <algorithm>
#include <array>

namespace veltara::reading {

namespace {

// The engine's tables hold their texts as UTF-16; the reading hands them out
// as UTF-8, converted once.
struct TableTexts {
    struct Profile {
        std::string character, planet, element, letters, primaryColor, secondaryColors;
    };
    std::array<Profile, 9> profiles;
    std::array<std::string, 24> signs;
    std::array<std::string, 12> months;

    TableTexts()
    {
        for (int number = 1; number <= 9; ++number) {
            const NameProfile *row = LookupNameProfile(number);
            profiles[static_cast<std::size_t>(number - 1)] = {
                Utf16ToUtf8(row->characterText), Utf16ToUtf8(row->planet),       Utf16ToUtf8(row->element),
                Utf16ToUtf8(row->letters),       Utf16ToUtf8(row->primaryColor), Utf16ToUtf8(row->secondaryColors)};
        }
        for (std::size_t i = 0; i < ZodiacTable.size(); ++i)
            signs[i] = Utf16ToUtf8(ZodiacTable[i].sign);
        for (int month = 1; month <= 12; ++month)
            months[static_cast<std::size_t>(month - 1)] = Utf16ToUtf8(MonthName(month));
    }
};

const TableTexts &Texts()
{
    static const TableTexts texts;
    return texts;
}

void ToUnits(std::string_view utf8, std::u16string &units)
{
    units.resize(utf8.size());
    std::size_t ascii = 0;
    for (; ascii < utf8.size() && static_cast<unsigned char>(utf8[ascii]) < 0x80; ++ascii)
        units[ascii] = static_cast<char16_t>(utf8[ascii]);
    units.resize(ascii);
    for (std::size_t pos = ascii; pos < utf8.size();) {
        const char32_t codePoint = NextCodePoint(utf8, pos);
        if (codePoint < 0x10000) {
            units.push_back(static_cast<char16_t>(codePoint));
        } else {
            units.push_back(static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF)));
        }
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

std::string_view OutcomeMessage(Outcome outcome) noexcept
{
    switch (outcome) {
    case Outcome::Read:
        return {};
    case Outcome::InvalidBirthdate:
    case Outcome::InvalidBirthday:
        return "You Have Entered An Invalid Birthdate.  Please Retry.";
    case Outcome::MissingName:
        return "You Must Enter Your Full Name.";
    case Outcome::NotUtf8:
        return "not valid UTF-8";
    }
    return {};
}

Outcome MakeReading(const Inputs &inputs, Reading &reading)
{
    if (!IsValidUtf8(inputs.name) || !IsValidUtf8(inputs.day) || !IsValidUtf8(inputs.month) ||
        !IsValidUtf8(inputs.year))
        return Outcome::NotUtf8;

    // The birth-date digit text, composed before any check, from a cleared
    // window's empty digit box. The window counts text units as UTF-16 does.
    thread_local std::u16string day, month, year;
    ToUnits(inputs.day, day);
    ToUnits(inputs.month, month);
    ToUnits(inputs.year, year);
    const BirthDigitsResult birth = BirthDigits(month, day, year, std::u16string_view());

    if (month.empty() || birth.paddedDay.empty() || year.empty())
        return Outcome::InvalidBirthdate;
    if (inputs.name.empty())
        return Outcome::MissingName;

    const ZodiacRange *zodiac = FindZodiacSign(birth.digits);
    if (!zodiac)
        return Outcome::InvalidBirthday;

    reading.name = inputs.name;
    reading.day = Utf16ToUtf8(birth.paddedDay);
    reading.month = inputs.month;
    reading.year = inputs.year;

    // The name: every character with its value, the letter sum and the passes.
    reading.letterCounts.clear();
    reading.letterSum = 0;
    reading.letterCounts.reserve(inputs.name.size());
    for (std::size_t pos = 0; pos < inputs.name.size();) {
        const auto byte = static_cast<unsigned char>(inputs.name[pos]);
        const char32_t character = byte < 0x80 ? static_cast<char32_t>(inputs.name[pos++])
                                               : NextCodePoint(inputs.name, pos);
        const int value = LetterValue(character);
        reading.letterCounts.push_back({character, value});
        reading.letterSum += static_cast<std::uint64_t>(value);
    }
    reading.nameSums.clear();
    std::uint64_t n = DigitSum(reading.letterSum);
    reading.nameSums.push_back(n);
    while (n > 9) {
        n = DigitSum(n);
        reading.nameSums.push_back(n);
    }
    reading.nameNumber = CalcNameNumber(std::string_view(inputs.name));

    // The birth number: the digit sum of the digit text, then at most two
    // further passes while above 9.
    reading.birthDigits = Utf16ToUtf8(birth.digits);
    reading.birthSums.clear();
    std::uint64_t s = DigitSum(std::u16string_view(birth.digits));
    reading.birthSums.push_back(s);
    for (int pass = 0; pass < 2 && s > 9; ++pass) {
        s = DigitSum(s);
        reading.birthSums.push_back(s);
    }
    reading.birthNumber = CalcBirthNumber(birth.digits);

    const TableTexts &texts = Texts();
    reading.zodiacRow = zodiac->row;
    reading.zodiac = texts.signs[static_cast<std::size_t>(zodiac->row - 1)];

    if (const NameProfile *profile = LookupNameProfile(reading.nameNumber)) {
        const TableTexts::Profile &row = texts.profiles[static_cast<std::size_t>(profile->number - 1)];
        reading.profileNumber = profile->number;
        reading.character = row.character;
        reading.planet = row.planet;
        reading.element = row.element;
        reading.letters = row.letters;
        reading.primaryColor = row.primaryColor;
        reading.secondaryColors = row.secondaryColors;
    } else {
        reading.profileNumber = 0;
        reading.character = reading.planet = reading.element = reading.letters = {};
        reading.primaryColor = reading.secondaryColors = {};
    }
    return Outcome::Read;
}

std::optional<DateFields> ParseIsoDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
        if (!IsDigit(text[i]))
            return std::nullopt;
    }
    const int month = (text[5] - '0') * 10 + (text[6] - '0');
    if (month < 1 || month > 12)
        return std::nullopt;
    return DateFields{std::string(text.substr(8, 2)), Texts().months[static_cast<std::size_t>(month - 1)],
                      std::string(text.substr(0, 4))};
}

bool IsMonthName(std::string_view text)
{
    const auto &months = Texts().months;
    return std::find(months.begin(), months.end(), text) != months.end();
}

ZodiacRowDays DaysOfZodiacRow(int row) noexcept
{
    if (row < 1 || row > static_cast<int>(ZodiacTable.size()))
        return {{}, 0, 0};
    const ZodiacRange &range = ZodiacTable[static_cast<std::size_t>(row - 1)];
    const auto month = static_cast<int>(range.firstKey / 1000000);
    return {Texts().months[static_cast<std::size_t>(month - 1)], static_cast<int>(range.firstKey / 10000 % 100),
            static_cast<int>(range.lastKey / 10000 % 100)};
}

} // namespace veltara::reading
