#include "output.h"

#include "numerology.h"
#include "profiles.h"
#include "utf8.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace veltara::reading {

namespace {

void AppendNumber(std::string &out, std::uint64_t number)
{
    if (number < 10) {
        out.push_back(static_cast<char>('0' + number));
        return;
    }
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, result.ptr);
}

void AppendKey(std::string &out, std::string_view key)
{
    out.push_back('"');
    out.append(key);
    out.append("\": ");
}

template <typename Numbers>
void AppendNumberList(std::string &out, const Numbers &numbers)
{
    out.push_back('[');
    bool first = true;
    for (const auto number : numbers) {
        if (!first)
            out.append(", ");
        first = false;
        AppendNumber(out, number);
    }
    out.push_back(']');
}

// The digits of a number joined by " + ", as one reduction pass adds them.
void AppendDigitsAdded(std::string &out, std::uint64_t number)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    for (const char *digit = digits; digit != result.ptr; ++digit) {
        if (digit != digits)
            out.append(" + ");
        out.push_back(*digit);
    }
}

// How a character of the name is written in the explanation: as itself,
// except for the space and the characters that do not print.
void AppendCharacterShown(std::string &out, char32_t character)
{
    if (character == U' ') {
        out.append("space");
    } else if (character < 0x20 || (character >= 0x7F && character <= 0xA0) || character == 0xAD ||
               character == 0x1680 || (character >= 0x2000 && character <= 0x200F) ||
               (character >= 0x2028 && character <= 0x202F) || (character >= 0x205F && character <= 0x206F) ||
               character == 0x3000 || character == 0xFEFF) {
        // Controls, blanks other than the space, and invisible format characters.
        static constexpr char Hex[] = "0123456789ABCDEF";
        out.append("U+");
        std::string hex;
        for (char32_t rest = character; rest != 0 || hex.size() < 4; rest >>= 4)
            hex.insert(hex.begin(), Hex[rest & 0xF]);
        out.append(hex);
    } else {
        AppendUtf8(out, character);
    }
}

void AppendLine(std::string &out, std::string_view label, std::string_view value)
{
    out.append(label);
    out.append(std::string(label.size() < 18 ? 18 - label.size() : 1, ' '));
    out.append(value);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    out.push_back('\n');
}

} // namespace

void AppendJsonString(std::string &out, std::string_view utf8)
{
    static constexpr char Hex[] = "0123456789abcdef";
    // Most texts need no escape at all: copied in one go.
    bool plainText = true;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == '"' || byte == '\\') {
            plainText = false;
            break;
        }
    }
    if (plainText) {
        const std::size_t start = out.size();
        out.resize(start + utf8.size() + 2);
        char *to = out.data() + start;
        *to++ = '"';
        std::copy(utf8.begin(), utf8.end(), to);
        to[utf8.size()] = '"';
        return;
    }
    out.push_back('"');
    std::size_t plain = 0; // start of the run of bytes that need no escape
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\')
            continue;
        out.append(utf8.substr(plain, i - plain));
        plain = i + 1;
        switch (byte) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            out.append("\\u00");
            out.push_back(Hex[byte >> 4]);
            out.push_back(Hex[byte & 0xF]);
        }
    }
    out.append(utf8.substr(plain));
    out.push_back('"');
}

namespace {

// The parts of a reading's object that depend only on its name number: the
// six profile texts, escaped once.
const std::string &ProfileJson(int profileNumber)
{
    static const std::array<std::string, 10> Parts = [] {
        std::array<std::string, 10> parts;
        for (int number = 0; number <= 9; ++number) {
            const NameProfile *profile = LookupNameProfile(number);
            const std::u16string_view fields[] = {
                profile ? profile->characterText : std::u16string_view(),
                profile ? profile->planet : std::u16string_view(),
                profile ? profile->element : std::u16string_view(),
                profile ? profile->letters : std::u16string_view(),
                profile ? profile->primaryColor : std::u16string_view(),
                profile ? profile->secondaryColors : std::u16string_view(),
            };
            static constexpr std::string_view Keys[] = {"character", "planet", "element",
                                                        "letters", "primaryColor", "secondaryColors"};
            std::string &part = parts[static_cast<std::size_t>(number)];
            for (std::size_t i = 0; i < std::size(Keys); ++i) {
                AppendKey(part, Keys[i]);
                AppendJsonString(part, Utf16ToUtf8(fields[i]));
                part.append(", ");
            }
        }
        return parts;
    }();
    return Parts[static_cast<std::size_t>(profileNumber)];
}

// ["c", value] for each ASCII character, written once.
const std::string &AsciiLetterJson(char32_t character)
{
    static const std::array<std::string, 128> Parts = [] {
        std::array<std::string, 128> parts;
        for (char32_t c = 0; c < 128; ++c) {
            std::string &part = parts[c];
            part.push_back('[');
            AppendJsonString(part, std::string(1, static_cast<char>(c)));
            part.append(", ");
            AppendNumber(part, static_cast<std::uint64_t>(LetterValue(c)));
            part.push_back(']');
        }
        return parts;
    }();
    return Parts[character];
}

} // namespace

void AppendReadingJson(std::string &out, const Reading &reading)
{
    // The profile texts are those of the name number's row.
    out.append("{\"name\": ");
    AppendJsonString(out, reading.name);
    out.append(", \"day\": ");
    AppendJsonString(out, reading.day);
    out.append(", \"month\": ");
    AppendJsonString(out, reading.month);
    out.append(", \"year\": ");
    AppendJsonString(out, reading.year);
    out.append(", \"nameNumber\": ");
    AppendNumber(out, static_cast<std::uint64_t>(reading.nameNumber));
    out.append(", \"birthNumber\": ");
    AppendNumber(out, static_cast<std::uint64_t>(reading.birthNumber));
    out.append(", ");
    out.append(ProfileJson(reading.profileNumber));
    out.append("\"zodiac\": ");
    AppendJsonString(out, reading.zodiac);

    out.append(", \"breakdown\": {\"letters\": [");
    std::string character;
    for (std::size_t i = 0; i < reading.letterCounts.size(); ++i) {
        const LetterCount &count = reading.letterCounts[i];
        if (i != 0)
            out.append(", ");
        if (count.character < 128) {
            out.append(AsciiLetterJson(count.character));
            continue;
        }
        out.push_back('[');
        character.clear();
        AppendUtf8(character, count.character);
        AppendJsonString(out, character);
        out.append(", ");
        AppendNumber(out, static_cast<std::uint64_t>(count.value));
        out.push_back(']');
    }
    out.append("], \"letterSum\": ");
    AppendNumber(out, reading.letterSum);
    out.append(", \"nameSums\": ");
    AppendNumberList(out, reading.nameSums);
    out.append(", \"birthDigits\": ");
    AppendJsonString(out, reading.birthDigits);
    out.append(", \"birthSums\": ");
    AppendNumberList(out, reading.birthSums);
    out.append(", \"zodiacRow\": ");
    AppendNumber(out, static_cast<std::uint64_t>(reading.zodiacRow));
    out.append("}}");
}

void AppendRowErrorJson(std::string &out, std::uint64_t row, std::string_view message)
{
    out.append("{\"row\": ");
    AppendNumber(out, row);
    out.append(", \"error\": ");
    AppendJsonString(out, message);
    out.push_back('}');
}

std::string ReadingText(const Reading &reading)
{
    std::string out;
    const std::string nameNumber = std::to_string(reading.nameNumber);
    const std::string birthNumber = std::to_string(reading.birthNumber);
    AppendLine(out, "Name Number", nameNumber);
    AppendLine(out, "Birth Number", birthNumber);
    AppendLine(out, "Character", reading.character);
    AppendLine(out, "Planet", reading.planet);
    AppendLine(out, "Element", reading.element);
    AppendLine(out, "Letters", reading.letters);
    AppendLine(out, "Primary Colors", reading.primaryColor);
    AppendLine(out, "Secondary Colors", reading.secondaryColors);
    AppendLine(out, "Zodiac", reading.zodiac);

    out.append("\nName number ");
    out.append(nameNumber);
    out.append(" from the letters of the name\n");
    std::string line;
    for (std::size_t i = 0; i < reading.letterCounts.size(); ++i) {
        if (i != 0)
            line.append(", ");
        AppendCharacterShown(line, reading.letterCounts[i].character);
        line.push_back(' ');
        AppendNumber(line, static_cast<std::uint64_t>(reading.letterCounts[i].value));
    }
    AppendLine(out, "  letters", line);
    line.clear();
    AppendNumber(line, reading.letterSum);
    AppendLine(out, "  letter sum", line);
    std::uint64_t previous = reading.letterSum;
    for (std::size_t pass = 0; pass < reading.nameSums.size(); ++pass) {
        line.clear();
        AppendDigitsAdded(line, previous);
        line.append(" = ");
        AppendNumber(line, reading.nameSums[pass]);
        AppendLine(out, "  pass " + std::to_string(pass + 1), line);
        previous = reading.nameSums[pass];
    }

    out.append("\nBirth number ");
    out.append(birthNumber);
    out.append(" from the birth-date digits (month, day, year)\n");
    AppendLine(out, "  digit text", reading.birthDigits);
    line.clear();
    for (const char c : reading.birthDigits) {
        if (c < '0' || c > '9')
            continue;
        if (!line.empty())
            line.append(" + ");
        line.push_back(c);
    }
    if (line.empty())
        line.push_back('0');
    line.append(" = ");
    AppendNumber(line, reading.birthSums.front());
    AppendLine(out, "  pass 1", line);
    for (std::size_t pass = 1; pass < reading.birthSums.size(); ++pass) {
        line.clear();
        AppendDigitsAdded(line, reading.birthSums[pass - 1]);
        line.append(" = ");
        AppendNumber(line, reading.birthSums[pass]);
        AppendLine(out, "  pass " + std::to_string(pass + 1), line);
    }

    const ZodiacRowDays days = DaysOfZodiacRow(reading.zodiacRow);
    out.append("\nZodiac sign ");
    out.append(reading.zodiac);
    out.append(" from row ");
    out.append(std::to_string(reading.zodiacRow));
    out.append(" of the zodiac table: ");
    out.append(days.month);
    out.push_back(' ');
    out.append(std::to_string(days.firstDay));
    out.append(" to ");
    out.append(days.month);
    out.push_back(' ');
    out.append(std::to_string(days.lastDay));
    out.push_back('\n');
    return out;
}

} // namespace veltara::reading
