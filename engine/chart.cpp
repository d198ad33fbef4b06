#include "chart.h"

#include "chartparts.h"
#include "letters.h"
#include "text.h"

#include <algorithm>
#include <tuple>

namespace veltara::chart {

namespace {

// Empties a number and its steps, keeping their storage.
void ClearNumber(ChartNumber &number)
{
    number.value = 0;
    number.total = 0;
    number.steps.clear();
    number.karmicDebt = 0;
}

// Empties every value of the chart, keeping the storage of its texts and
// lists, and of the prepared name.
void ClearChart(Chart &chart)
{
    for (const ChartRow &row : ChartRows) {
        std::visit(Overloaded{
                       [&](ChartNumber Chart::*member) { ClearNumber(chart.*member); },
                       [&](SpansMember auto spans) {
                           for (Span &span : chart.*spans) {
                               ClearNumber(span.number);
                               span.fromAge = 0;
                               span.toAge = -1;
                               span.current = false;
                           }
                       },
                       [&](ChaldeanNumber Chart::*member) {
                           (chart.*member).compound = 0;
                           (chart.*member).root = 0;
                           (chart.*member).steps.clear();
                       },
                       [&](std::vector<int> Chart::*member) { (chart.*member).clear(); },
                       [&](std::vector<std::u32string> PreparedName::*member) { (chart.name.*member).clear(); },
                       [&](std::array<ChartNumber, 2> Chart::*member) {
                           for (ChartNumber &number : chart.*member)
                               ClearNumber(number);
                       },
                       [&](std::vector<ForecastYear> Chart::*member) { (chart.*member).clear(); },
                       // A count, a yes or no, a letter, the planes, the
                       // inclusion counts, the transits: no storage to keep.
                       [&](auto member) { chart.*member = {}; },
                   },
                   row.value);
    }
    chart.age = 0;
    // Both names read as none: empty, their storage kept.
    PrepareName({}, chart.name);
    PrepareName({}, chart.nameInUse);
    chart.currentName.clear();
    for (std::string &letters : chart.transitLetters)
        letters.clear();
}

// Whether a text is empty or white space alone.
bool NoneGiven(std::u32string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char32_t c) { return IsWhiteSpace(c); });
}

} // namespace

std::string_view RefusalText(ChartRefusal refusal) noexcept
{
    switch (refusal) {
    case ChartRefusal::None: return {};
    case ChartRefusal::NoLetter: return "the name has no letter A to Z: write it in Latin letters";
    case ChartRefusal::NoLetterInUse: return "the name in use has no letter A to Z";
    case ChartRefusal::NoSuchDate: return "no such date";
    case ChartRefusal::NotIsoDate: return "is not a date YYYY-MM-DD";
    case ChartRefusal::NotADay: return "is not a day of the month";
    case ChartRefusal::NotAMonth: return "is not a month: give 1 to 12 or an English month name";
    case ChartRefusal::NotAYear: return "is not a year from 1 to 9999";
    case ChartRefusal::DateFields: return "give the date as YYYY-MM-DD or DAY MONTH YEAR";
    }
    return {};
}

ChartRefusal ParseChartDate(const std::vector<std::string_view> &fields, Date &date, std::string &problem)
{
    // A field the date cannot be read from: the field in quotes, and why.
    const auto refuse = [&problem](std::string_view field, ChartRefusal refusal) {
        problem = '"' + std::string(field) + "\" " + std::string(RefusalText(refusal));
        return refusal;
    };
    if (fields.size() == 1) {
        const std::string_view text = TrimBlanks(fields[0]);
        if (!IsIsoDateShape(text))
            return refuse(text, ChartRefusal::NotIsoDate);
        date = {SmallNumber(text.substr(0, 4), 4), SmallNumber(text.substr(5, 2), 2), SmallNumber(text.substr(8, 2), 2)};
    } else if (fields.size() == 3) {
        const std::string_view day = TrimBlanks(fields[0]);
        const std::string_view month = TrimBlanks(fields[1]);
        const std::string_view year = TrimBlanks(fields[2]);
        date = {SmallNumber(year, 5), MonthNumber(month), SmallNumber(day, 2)};
        if (date.day < 0)
            return refuse(day, ChartRefusal::NotADay);
        if (date.month == 0)
            return refuse(month, ChartRefusal::NotAMonth);
        if (date.year < 0)
            return refuse(year, ChartRefusal::NotAYear);
    } else {
        problem = RefusalText(ChartRefusal::DateFields);
        return ChartRefusal::DateFields;
    }
    if (!IsValidDate(date)) {
        problem = std::string(RefusalText(ChartRefusal::NoSuchDate)) + ": " + IsoDateText(date);
        if (date.year < 1 || date.year > 9999)
            problem.append(" (the years are 1 to 9999)");
        return ChartRefusal::NoSuchDate;
    }
    return ChartRefusal::None;
}

std::span<const MemberRow> MembersOf(const ChartRow &row) noexcept
{
    if (std::holds_alternative<std::array<ChartNumber, 2> Chart::*>(row.value))
        return BridgeRows;
    if (std::holds_alternative<std::array<Transit, 3> Chart::*>(row.value))
        return TransitRows;
    return {};
}

std::span<const Span> SpansOf(const ChartRow &row, const Chart &chart) noexcept
{
    return std::visit(Overloaded{
                          [&](SpansMember auto spans) -> std::span<const Span> { return chart.*spans; },
                          [](auto) { return std::span<const Span>(); },
                      },
                      row.value);
}

const ChartNumber *NumberOf(const ChartRow &row, const Chart &chart) noexcept
{
    const auto *member = std::get_if<ChartNumber Chart::*>(&row.value);
    return member ? &(chart.**member) : nullptr;
}

const Date &CyclesDate(const Chart &chart) noexcept
{
    return chart.cyclesFromBirth ? chart.date : chart.on;
}

const ChartRow *FindChartRow(std::string_view key) noexcept
{
    const auto *found =
        std::find_if(std::begin(ChartRows), std::end(ChartRows), [key](const ChartRow &row) { return row.key == key; });
    return found == std::end(ChartRows) ? nullptr : found;
}

ChartRefusal MakeChart(std::u32string_view name, const Date &date, const Date &on, Chart &chart)
{
    return MakeChart(name, date, on, {}, chart);
}

ChartRefusal MakeChart(std::u32string_view name, const Date &date, const Date &on, const ChartOptions &options,
                       Chart &chart)
{
    using namespace parts;
    const Steps steps = options.steps;
    chart.date = date;
    chart.on = on;
    // A refusal leaves the two dates and nothing else.
    const auto refuse = [&chart](ChartRefusal refusal) {
        ClearChart(chart);
        return refusal;
    };
    if (!IsValidDate(date) || !IsValidDate(on))
        return refuse(ChartRefusal::NoSuchDate);
    // Each value below is written afresh, but for what grows (the karmic
    // debts) and the years ahead, written only when asked for; only a
    // refusal empties the whole chart.
    chart.karmicDebts.clear();
    chart.forecast.clear();
    PrepareName(name, chart.name);
    if (chart.name.letters.empty())
        return refuse(ChartRefusal::NoLetter);
    // A name in use of white space alone has no letters, and is none.
    PrepareName(options.currentName, chart.nameInUse);
    if (!HasNameInUse(chart) && !NoneGiven(options.currentName))
        return refuse(ChartRefusal::NoLetterInUse);
    chart.currentName.assign(HasNameInUse(chart) ? options.currentName : std::u32string_view());
    const PreparedName &prepared = chart.name;
    LifePath(date, chart.lifePath, steps);
    Birthday(date, chart.birthday, steps);
    Expression(prepared, chart.expression, steps);
    SoulUrge(prepared, chart.soulUrge, steps);
    Personality(prepared, chart.personality, steps);
    Maturity(chart.lifePath, chart.expression, chart.maturity, steps);
    Chaldean(prepared, chart.chaldean, steps);
    Inclusion(prepared, chart.inclusion);
    KarmicLessons(chart.inclusion, chart.karmicLessons);
    HiddenPassion(chart.inclusion, chart.hiddenPassion);
    for (const ChartRow &row : ChartRows) {
        if (!row.carriesDebts)
            continue;
        ChartNumber &number = chart.*std::get<ChartNumber Chart::*>(row.value);
        number.karmicDebt = DebtOnTheWay(number.total);
        if (number.karmicDebt != 0 &&
            std::find(chart.karmicDebts.begin(), chart.karmicDebts.end(), number.karmicDebt) == chart.karmicDebts.end())
            chart.karmicDebts.push_back(number.karmicDebt);
    }
    std::sort(chart.karmicDebts.begin(), chart.karmicDebts.end());

    chart.cyclesFromBirth = std::tie(on.year, on.month, on.day) < std::tie(date.year, date.month, date.day);
    const Date &cyclesOn = CyclesDate(chart);
    chart.age = AgeOn(date, cyclesOn);
    UniversalYear(cyclesOn, chart.universalYear, steps);
    PersonalYear(date, cyclesOn, chart.personalYear, steps);
    PersonalMonth(chart.personalYear, cyclesOn, chart.personalMonth, steps);
    PersonalDay(chart.personalMonth, cyclesOn, chart.personalDay, steps);
    Pinnacles(date, chart.lifePath.value, chart.age, chart.pinnacles, steps);
    Challenges(date, chart.pinnacles, chart.age, chart.challenges, steps);
    Periods(date, chart.age, chart.periods, steps);
    TransitLetters(prepared, chart.transitLetters);
    Transits(chart.transitLetters, chart.age, chart.transits);
    Essence(chart.transits, chart.essence, steps);
    if (options.years > 0)
        Forecast(chart, options.years, chart.forecast);

    Planes(prepared, chart.planes);
    Balance(prepared, chart.balance, steps);
    RationalThought(prepared, chart.birthday, chart.rationalThought, steps);
    chart.subconsciousSelf = SubconsciousSelf(chart.karmicLessons);
    Cornerstone(prepared, chart.cornerstone);
    Capstone(prepared, chart.capstone);
    FirstVowel(prepared, chart.firstVowel);
    Bridges(chart, chart.bridges, steps);
    if (HasNameInUse(chart)) {
        Expression(chart.nameInUse, chart.minorExpression, steps);
        SoulUrge(chart.nameInUse, chart.minorSoulUrge, steps);
        Personality(chart.nameInUse, chart.minorPersonality, steps);
    } else {
        for (const ChartRow &row : ChartRows) {
            if (row.ofNameInUse)
                ClearNumber(chart.*std::get<ChartNumber Chart::*>(row.value));
        }
    }
    return ChartRefusal::None;
}

} // namespace veltara::chart
