// The parts MakeChart composes the chart of: one function for each number,
// over the prepared name, the birth date or the numbers made before it. Each
// fills its own member of the chart, whose storage is kept from call to
// call; each that writes steps is told whether to (Steps::Left leaves them
// empty). For the chart's own files only: the front ends call MakeChart.
#pragma once

#include "chart.h"
#include "numerology.h"

#include <string>
#include <string_view>

namespace veltara::chart::parts {

// A number and " → n" for every pass that reduces it.
void AppendReduced(std::string &out, std::uint64_t number, Masters masters = Masters::Keep);

// Sets a number's total and value and empties its steps; whether its steps
// are to be written.
inline bool WritesSteps(ChartNumber &number, std::uint64_t total, int value, Steps steps)
{
    number.total = total;
    number.value = value;
    number.steps.clear();
    return steps == Steps::Written;
}

// The steps' shapes the numbers share; each sets the number's total and
// value, and writes its steps unless they are left out.
// "first a + second b = total → value".
void AddUp(ChartNumber &number, std::string_view first, std::uint64_t a, std::string_view second, std::uint64_t b,
           Masters masters, Steps steps);
// A number reduced from a date's field: "year 1950 → 15 → 6".
void Reduced(ChartNumber &number, std::string_view field, int value, Masters masters, Steps steps);
// "month 12 → 3; day 31 → 4; year 1950 → 15 → 6; 3 + 4 + 6 = 13 → 4": each
// field reduced, then their sum.
void DateSum(ChartNumber &number, int month, int day, int year, Masters masters, Steps steps);
// "|first a - second b| = value", each reduced to a digit first: "|11 → 2 - 4| = 2".
void Difference(ChartNumber &number, std::string_view first, int a, std::string_view second, int b, Steps steps);

// The core numbers.
void LifePath(const Date &date, ChartNumber &number, Steps steps);
void Birthday(const Date &date, ChartNumber &number, Steps steps);
void Expression(const PreparedName &name, ChartNumber &number, Steps steps);
void SoulUrge(const PreparedName &name, ChartNumber &number, Steps steps);
void Personality(const PreparedName &name, ChartNumber &number, Steps steps);
void Maturity(const ChartNumber &lifePath, const ChartNumber &expression, ChartNumber &number, Steps steps);
void Chaldean(const PreparedName &name, ChaldeanNumber &number, Steps steps);
// From the inclusion counts (Inclusion), how many letters carry 1 to 9.
void KarmicLessons(const std::array<int, 9> &inclusion, std::vector<int> &lessons);
void HiddenPassion(const std::array<int, 9> &inclusion, std::vector<int> &passion);
// The karmic debt 13, 14, 16 or 19 on the way from a total to its value, 0
// for none.
int DebtOnTheWay(std::uint64_t total) noexcept;

// The cycles on the reading date, from the birth date and the life path.
void UniversalYear(const Date &on, ChartNumber &number, Steps steps);
void PersonalYear(const Date &birth, const Date &on, ChartNumber &number, Steps steps);
void PersonalMonth(const ChartNumber &personalYear, const Date &on, ChartNumber &number, Steps steps);
void PersonalDay(const ChartNumber &personalMonth, const Date &on, ChartNumber &number, Steps steps);
void Pinnacles(const Date &birth, int lifePath, int age, std::array<Span, 4> &pinnacles, Steps steps);
void Challenges(const Date &birth, const std::array<Span, 4> &pinnacles, int age, std::array<Span, 4> &challenges,
                Steps steps);
void Periods(const Date &birth, int age, std::array<Span, 3> &periods, Steps steps);

// The transits and the forecast, from the name's parts, the cycles' age
// and the chart made before them.
void TransitLetters(const PreparedName &name, std::array<std::string, 3> &letters);
void Transits(const std::array<std::string, 3> &letters, int age, std::array<Transit, 3> &transits);
void Essence(const std::array<Transit, 3> &transits, ChartNumber &number, Steps steps);
void Forecast(const Chart &chart, int years, std::vector<ForecastYear> &forecast);

// The rest of the chart.
void Inclusion(const PreparedName &name, std::array<int, 9> &inclusion);
void Planes(const PreparedName &name, std::array<Plane, 4> &planes);
void Balance(const PreparedName &name, ChartNumber &number, Steps steps);
void RationalThought(const PreparedName &name, const ChartNumber &birthday, ChartNumber &number, Steps steps);
int SubconsciousSelf(const std::vector<int> &karmicLessons) noexcept;
void Cornerstone(const PreparedName &name, NamedLetter &letter);
void Capstone(const PreparedName &name, NamedLetter &letter);
void FirstVowel(const PreparedName &name, NamedLetter &letter);
void Bridges(const Chart &chart, std::array<ChartNumber, 2> &bridges, Steps steps);

} // namespace veltara::chart::parts
