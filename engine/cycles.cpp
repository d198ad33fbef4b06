#include "chartparts.h"

#include "numerology.h"
#include "text.h"

namespace veltara::chart {

int AgeOn(const Date &birth, const Date &on) noexcept
{
    const Date birthday = BirthdayIn(birth, on.year);
    const bool before = on.month < birthday.month || (on.month == birthday.month && on.day < birthday.day);
    return on.year - birth.year - (before ? 1 : 0);
}

int PersonalYearOf(const Date &birth, int year) noexcept
{
    const auto digit = [](int n) { return ReduceToDigit(Unsigned(n)); };
    return digit(digit(birth.month) + digit(birth.day) + digit(year));
}

namespace parts {

namespace {

int Digit(int n)
{
    return ReduceToDigit(Unsigned(n));
}

// The ages of a set of spans: the first from birth to `firstEnd`, those
// between `years` long each, the last for life; and which one holds `age`.
template <std::size_t N>
void SetAges(std::array<Span, N> &spans, int firstEnd, int years, int age)
{
    for (std::size_t i = 0; i < N; ++i) {
        Span &span = spans[i];
        span.fromAge = i == 0 ? 0 : spans[i - 1].toAge;
        span.toAge = i == 0 ? firstEnd : i == N - 1 ? -1 : span.fromAge + years;
        span.current = age >= span.fromAge && (span.toAge < 0 || age < span.toAge);
    }
}

} // namespace

void UniversalYear(const Date &on, ChartNumber &number, Steps steps)
{
    Reduced(number, {}, on.year, Masters::Reduce, steps);
}

void PersonalYear(const Date &birth, const Date &on, ChartNumber &personalYear, Steps steps)
{
    DateSum(personalYear, birth.month, birth.day, on.year, Masters::Reduce, steps);
}

void PersonalMonth(const ChartNumber &personalYear, const Date &on, ChartNumber &number, Steps steps)
{
    AddUp(number, {}, Unsigned(personalYear.value), {}, Unsigned(on.month), Masters::Reduce, steps);
}

void PersonalDay(const ChartNumber &personalMonth, const Date &on, ChartNumber &number, Steps steps)
{
    AddUp(number, {}, Unsigned(personalMonth.value), {}, Unsigned(on.day), Masters::Reduce, steps);
}

void Pinnacles(const Date &birth, int lifePath, int age, std::array<Span, 4> &pinnacles, Steps steps)
{
    const int m = Digit(birth.month), d = Digit(birth.day), y = Digit(birth.year);
    AddUp(pinnacles[0].number, "month ", Unsigned(m), "day ", Unsigned(d), Masters::Keep, steps);
    AddUp(pinnacles[1].number, "day ", Unsigned(d), "year ", Unsigned(y), Masters::Keep, steps);
    AddUp(pinnacles[2].number, {}, Unsigned(pinnacles[0].number.value), {}, Unsigned(pinnacles[1].number.value),
          Masters::Keep, steps);
    AddUp(pinnacles[3].number, "month ", Unsigned(m), "year ", Unsigned(y), Masters::Keep, steps);
    SetAges(pinnacles, 36 - Digit(lifePath), 9, age);
}

void Challenges(const Date &birth, const std::array<Span, 4> &pinnacles, int age, std::array<Span, 4> &challenges,
                Steps steps)
{
    const int m = Digit(birth.month), d = Digit(birth.day), y = Digit(birth.year);
    Difference(challenges[0].number, "month ", m, "day ", d, steps);
    Difference(challenges[1].number, "day ", d, "year ", y, steps);
    Difference(challenges[2].number, {}, challenges[0].number.value, {}, challenges[1].number.value, steps);
    Difference(challenges[3].number, "month ", m, "year ", y, steps);
    SetAges(challenges, pinnacles[0].toAge, 9, age);
}

void Periods(const Date &birth, int age, std::array<Span, 3> &periods, Steps steps)
{
    // The first period ends in the year nearest the 28th birthday whose
    // personal year is 1. The personal year rises by one a year, 9 to 1, so
    // one of any nine years in a row is a 1: no further than four years
    // away, and never two at the same distance.
    const int sinceOne = PersonalYearOf(birth, birth.year + 28) - 1; // years since the last 1
    const int firstEnd = sinceOne <= 4 ? 28 - sinceOne : 28 + 9 - sinceOne;
    Reduced(periods[0].number, "month ", birth.month, Masters::Keep, steps);
    Reduced(periods[1].number, "day ", birth.day, Masters::Keep, steps);
    Reduced(periods[2].number, "year ", birth.year, Masters::Keep, steps);
    SetAges(periods, firstEnd, 27, age);
}

} // namespace parts

} // namespace veltara::chart
