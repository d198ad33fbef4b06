#include "meanings.h"

#include <algorithm>

namespace veltara::chart {

namespace {

// A number's or a karmic debt's texts.
struct NumberText {
    int number;
    std::string_view line;
    std::string_view paragraph;
};

struct PlaceText {
    std::string_view key;
    std::string_view line;
};

// The part of the reading date a cycle lasts for.
enum class DatePart { Year, Month, Day };

struct DatedPlaceText {
    std::string_view key;
    DatePart part;
    std::string_view line; // when the reading date falls in the present part
};

struct ValueText {
    int number;
    std::string_view line;
};

#include "meaningtexts.inc"

// The row of `table` whose `field` equals `value`, or null.
template <typename Row, std::size_t Size, typename Field, typename Value>
const Row *Find(const Row (&table)[Size], Field Row::*field, const Value &value) noexcept
{
    const Row *found = std::find_if(std::begin(table), std::end(table),
                                    [&](const Row &row) { return row.*field == value; });
    return found == std::end(table) ? nullptr : found;
}

template <typename Row, std::size_t Size, typename Field, typename Value>
std::string_view TextOf(const Row (&table)[Size], Field Row::*field, const Value &value,
                        std::string_view Row::*text) noexcept
{
    const Row *row = Find(table, field, value);
    return row ? row->*text : std::string_view();
}

bool FallsIn(DatePart part, const Date &on, const Date &today) noexcept
{
    const bool year = on.year == today.year, month = year && on.month == today.month;
    switch (part) {
    case DatePart::Year:
        return year;
    case DatePart::Month:
        return month;
    case DatePart::Day:
        return month && on.day == today.day;
    }
    return false;
}

// The number's own line for the place `key`.
std::string_view LineIn(std::string_view key, int number) noexcept
{
    if (key == "challenges")
        return ChallengeLine(number);
    if (key == "karmicLessons")
        return LessonLine(number);
    if (key == "karmicDebts")
        return DebtLine(number);
    return NumberLine(number);
}

std::string Joined(std::string_view place, std::string_view meaning)
{
    if (place.empty() || meaning.empty())
        return {};
    return std::string(place).append(" \u2014 ").append(meaning);
}

} // namespace

std::string_view NumberLine(int number) noexcept
{
    return TextOf(NumberTexts, &NumberText::number, number, &NumberText::line);
}

std::string_view NumberParagraph(int number) noexcept
{
    return TextOf(NumberTexts, &NumberText::number, number, &NumberText::paragraph);
}

std::string_view PlaceLine(std::string_view key) noexcept
{
    return TextOf(PlaceTexts, &PlaceText::key, key, &PlaceText::line);
}

std::string_view PlaceLine(std::string_view key, const Date &on, const Date &today) noexcept
{
    const DatedPlaceText *dated = Find(DatedPlaceTexts, &DatedPlaceText::key, key);
    return dated && FallsIn(dated->part, on, today) ? dated->line : PlaceLine(key);
}

std::string_view ChallengeLine(int number) noexcept
{
    return TextOf(ChallengeTexts, &ValueText::number, number, &ValueText::line);
}

std::string_view LessonLine(int number) noexcept
{
    return TextOf(LessonTexts, &ValueText::number, number, &ValueText::line);
}

std::string_view DebtLine(int number) noexcept
{
    return TextOf(DebtTexts, &NumberText::number, number, &NumberText::line);
}

std::string_view DebtParagraph(int number) noexcept
{
    return TextOf(DebtTexts, &NumberText::number, number, &NumberText::paragraph);
}

std::string MeaningIn(std::string_view key, int number)
{
    return Joined(PlaceLine(key), LineIn(key, number));
}

std::string MeaningIn(std::string_view key, int number, const Date &on, const Date &today)
{
    return Joined(PlaceLine(key, on, today), LineIn(key, number));
}

} // namespace veltara::chart
