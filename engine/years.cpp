// The years ahead: the transits of the name's letters, their essence, and
// the forecast of a row a year.
#include "chartparts.h"

#include "numerology.h"
#include "text.h"

#include <algorithm>

namespace veltara::chart {

Date BirthdayIn(const Date &birth, int year) noexcept
{
    const Date birthday{year, birth.month, birth.day};
    return IsValidDate(birthday) ? birthday : Date{year, 3, 1};
}

Transit TransitAt(std::string_view letters, int age) noexcept
{
    int round = 0; // the years of one pass through the letters
    for (const char letter : letters)
        round += LetterValue(static_cast<unsigned char>(letter));
    if (round == 0)
        return {};
    age = std::max(age, 0);
    int from = age - age % round;
    for (const char letter : letters) {
        const int value = LetterValue(static_cast<unsigned char>(letter));
        if (age < from + value)
            return {letter, value, from, from + value};
        from += value;
    }
    return {}; // not reached: the letters of one round cover it
}

namespace parts {

namespace {

// The number of the span whose ages hold an age.
int NumberAt(std::span<const Span> spans, int age) noexcept
{
    for (const Span &span : spans) {
        if (age >= span.fromAge && (span.toAge < 0 || age < span.toAge))
            return span.number.value;
    }
    return 0;
}

} // namespace

void TransitLetters(const PreparedName &name, std::array<std::string, 3> &letters)
{
    const std::size_t parts = name.partCount();
    letters[0].assign(name.part(0));
    letters[1].clear();
    if (parts <= 2) {
        letters[1].assign(name.part(parts - 1));
    } else {
        for (std::size_t i = 1; i + 1 < parts; ++i)
            letters[1].append(name.part(i));
    }
    letters[2].assign(name.part(parts - 1));
}

void Transits(const std::array<std::string, 3> &letters, int age, std::array<Transit, 3> &transits)
{
    for (std::size_t i = 0; i < transits.size(); ++i)
        transits[i] = TransitAt(letters[i], age);
}

// "A 1 + I 9 + H 8 = 18 → 9".
void Essence(const std::array<Transit, 3> &transits, ChartNumber &number, Steps steps)
{
    const std::uint64_t total = Unsigned(transits[0].value + transits[1].value + transits[2].value);
    if (!WritesSteps(number, total, Reduce(total), steps))
        return;
    for (const Transit &transit : transits) {
        if (!number.steps.empty())
            number.steps.append(" + ");
        number.steps.push_back(transit.letter);
        number.steps.push_back(' ');
        AppendNumber(number.steps, Unsigned(transit.value));
    }
    number.steps.append(" = ");
    AppendReduced(number.steps, number.total);
}

void Forecast(const Chart &chart, int years, std::vector<ForecastYear> &forecast)
{
    forecast.clear();
    const int first = std::max(chart.on.year, chart.date.year);
    const int last = years > LastForecastYear - first ? LastForecastYear : first + years - 1; // no overflow
    for (int year = first; year <= last; ++year) {
        ForecastYear &row = forecast.emplace_back();
        row.year = year;
        row.age = AgeOn(chart.date, BirthdayIn(chart.date, year));
        row.universalYear = ReduceToDigit(Unsigned(year));
        row.personalYear = PersonalYearOf(chart.date, year);
        row.pinnacle = NumberAt(chart.pinnacles, row.age);
        row.challenge = NumberAt(chart.challenges, row.age);
        row.period = NumberAt(chart.periods, row.age);
        std::array<Transit, 3> transits;
        Transits(chart.transitLetters, row.age, transits);
        row.physical = transits[0].letter;
        row.mental = transits[1].letter;
        row.spiritual = transits[2].letter;
        row.essence = Reduce(Unsigned(transits[0].value + transits[1].value + transits[2].value));
        if (forecast.size() == 1)
            continue;
        const ForecastYear &before = forecast[forecast.size() - 2];
        for (std::size_t column = 0; column < std::size(ForecastColumns); ++column) {
            const bool differs =
                std::visit([&](auto member) { return row.*member != before.*member; }, ForecastColumns[column].cell);
            if (ForecastColumns[column].marked && differs)
                row.changes |= 1U << column;
        }
    }
}

} // namespace parts

} // namespace veltara::chart
