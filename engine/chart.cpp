#include "chart.h"

#include "letters.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <unordered_set>

namespace veltara::chart {

namespace {

constexpr std::string_view Arrow = " \u2192 ";

void AppendNumber(std::string &out, std::uint64_t number)
{
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, result.ptr);
}

bool IsPlainVowel(char letter) noexcept
{
    return letter == 'A' || letter == 'E' || letter == 'I' || letter == 'O' || letter == 'U';
}

// A, E, I, O, U, and Y when neither letter beside it is one of those.
bool IsVowel(char letter, char before, char after) noexcept
{
    if (letter == 'Y')
        return !IsPlainVowel(before) && !IsPlainVowel(after);
    return IsPlainVowel(letter);
}

// Calls visit(letter, vowel) for every folded letter of a part, in order.
template <typename Visit>
void ForEachLetter(std::u32string_view part, Visit &&visit)
{
    char before = 0;
    char pending = 0; // waits for the letter after it
    for (const char32_t c : part) {
        for (const char letter : FoldLetter(c)) {
            if (pending != 0)
                visit(pending, IsVowel(pending, before, letter));
            before = pending;
            pending = letter;
        }
    }
    if (pending != 0)
        visit(pending, IsVowel(pending, before, 0));
}

// A karmic debt on the way from a total to its value, as a bit of `debts`.
void NoteDebts(std::uint64_t total, unsigned &debts) noexcept
{
    for (std::uint64_t n = total;; n = AddDigits(n)) {
        switch (n) {
        case 13: debts |= 1u; break;
        case 14: debts |= 2u; break;
        case 16: debts |= 4u; break;
        case 19: debts |= 8u; break;
        default: break;
        }
        if (n <= 9 || IsMasterNumber(n))
            return;
    }
}

// One of the numbers added up part by part: expression, soul urge and
// personality.
struct PartNumber {
    ChartNumber *number;
    std::string *results; // the parts' results joined by " + "
    std::uint64_t partSum = 0;
    std::size_t partLetters = 0;
    std::size_t parts = 0;

    void StartPart() noexcept
    {
        partSum = 0;
        partLetters = 0;
    }

    void AddLetter(char letter)
    {
        std::string &steps = number->steps;
        if (partLetters == 0 && !steps.empty())
            steps.append("; ");
        steps.push_back(letter);
        partSum += static_cast<std::uint64_t>(PythagoreanValue(letter));
        ++partLetters;
    }

    void AddValue(char letter, bool first)
    {
        if (first)
            number->steps.push_back(' ');
        else
            number->steps.push_back('+');
        number->steps.push_back(static_cast<char>('0' + PythagoreanValue(letter)));
    }

    void EndPart()
    {
        if (partLetters == 0)
            return;
        const int result = Reduce(partSum);
        if (partLetters > 1) {
            number->steps.append(" = ");
            AppendNumber(number->steps, partSum);
            AppendReduction(number->steps, partSum, true);
        }
        if (parts != 0)
            results->append(" + ");
        AppendNumber(*results, static_cast<std::uint64_t>(result));
        number->total += static_cast<std::uint64_t>(result);
        ++parts;
    }

    void Finish(std::string_view none)
    {
        number->value = Reduce(number->total);
        if (parts == 0) {
            number->steps.assign(none);
        } else if (parts > 1) {
            number->steps.append("; ");
            number->steps.append(*results);
            number->steps.append(" = ");
            AppendNumber(number->steps, number->total);
            AppendReduction(number->steps, number->total, true);
        }
    }
};

void ClearNumber(ChartNumber &number)
{
    number.value = 0;
    number.total = 0;
    number.steps.clear();
}

void ClearChart(Chart &chart)
{
    for (ChartNumber *number : {&chart.lifePath, &chart.birthday, &chart.expression, &chart.soulUrge,
                                &chart.personality, &chart.maturity})
        ClearNumber(*number);
    chart.karmicLessons.clear();
    chart.hiddenPassion.clear();
    chart.karmicDebts.clear();
    chart.chaldean.compound = 0;
    chart.chaldean.root = 0;
    chart.chaldean.steps.clear();
    chart.uncounted.clear();
}

// "month 10 → 1", the part of the life path's steps for one date field.
void AppendDateField(std::string &out, std::string_view field, int number)
{
    out.append(field);
    out.push_back(' ');
    AppendNumber(out, static_cast<std::uint64_t>(number));
    AppendReduction(out, static_cast<std::uint64_t>(number), true);
}

// The uncounted entries of a name with very many of them, for a lookup that
// does not grow with their number; kept from call to call.
thread_local std::unordered_set<std::u32string> ManyEntries;
constexpr std::size_t FewEntries = 32;

// The uncounted entry just written (the last one) is dropped when an earlier
// entry is the same.
void DropRepeatedEntry(std::vector<std::u32string> &uncounted)
{
    const std::u32string &last = uncounted.back();
    if (uncounted.size() <= FewEntries) {
        for (std::size_t i = 0; i + 1 < uncounted.size(); ++i) {
            if (uncounted[i] == last) {
                uncounted.pop_back();
                return;
            }
        }
        return;
    }
    if (ManyEntries.empty())
        ManyEntries.insert(uncounted.begin(), uncounted.end() - 1);
    if (!ManyEntries.insert(last).second)
        uncounted.pop_back();
}

void FindUncounted(std::u32string_view name, std::vector<std::u32string> &uncounted)
{
    ManyEntries.clear();
    enum class After { Start, Letter, Entry } after = After::Start;
    for (const char32_t c : name) {
        if (IsWhiteSpace(c)) {
            if (after == After::Entry)
                DropRepeatedEntry(uncounted);
            after = After::Start;
            continue;
        }
        const bool mark = IsCombiningMark(c);
        if (mark && after == After::Letter)
            continue;
        if (mark && after == After::Entry) {
            uncounted.back().push_back(c);
            continue;
        }
        if (after == After::Entry)
            DropRepeatedEntry(uncounted);
        if (!mark && !FoldLetter(c).empty()) {
            after = After::Letter;
            continue;
        }
        uncounted.emplace_back(1, c);
        after = After::Entry;
    }
    if (after == After::Entry)
        DropRepeatedEntry(uncounted);
}

// The results of the parts joined by " + ", kept from call to call.
thread_local std::string ExpressionResults;
thread_local std::string SoulUrgeResults;
thread_local std::string PersonalityResults;

} // namespace

bool IsValidDate(int year, int month, int day) noexcept
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= Days[month - 1] + (month == 2 && leap ? 1 : 0);
}

std::string_view RefusalMessage(ChartRefusal refusal) noexcept
{
    switch (refusal) {
    case ChartRefusal::None: return {};
    case ChartRefusal::NoLetter: return "the name has no letter";
    case ChartRefusal::NoSuchDate: return "no such date";
    }
    return {};
}

std::uint64_t AddDigits(std::uint64_t number) noexcept
{
    std::uint64_t sum = 0;
    for (; number != 0; number /= 10)
        sum += number % 10;
    return sum;
}

bool IsMasterNumber(std::uint64_t number) noexcept
{
    return number == 11 || number == 22 || number == 33;
}

bool IsKarmicDebt(std::uint64_t number) noexcept
{
    return number == 13 || number == 14 || number == 16 || number == 19;
}

int Reduce(std::uint64_t number) noexcept
{
    while (number > 9 && !IsMasterNumber(number))
        number = AddDigits(number);
    return static_cast<int>(number);
}

int ReduceToRoot(std::uint64_t number) noexcept
{
    while (number > 9)
        number = AddDigits(number);
    return static_cast<int>(number);
}

int PythagoreanValue(char letter) noexcept
{
    if (letter < 'A' || letter > 'Z')
        return 0;
    return (letter - 'A') % 9 + 1;
}

int ChaldeanValue(char letter) noexcept
{
    //                                   A  B  C  D  E  F  G  H  I  J  K  L  M
    static constexpr std::array<int, 26> Values = {1, 2, 3, 4, 5, 8, 3, 5, 1, 1, 2, 3, 4,
    //                                   N  O  P  Q  R  S  T  U  V  W  X  Y  Z
                                                   5, 7, 8, 1, 2, 3, 4, 6, 6, 6, 5, 1, 7};
    if (letter < 'A' || letter > 'Z')
        return 0;
    return Values[static_cast<std::size_t>(letter - 'A')];
}

void AppendReduction(std::string &out, std::uint64_t number, bool keepMasters)
{
    while (number > 9 && !(keepMasters && IsMasterNumber(number))) {
        number = AddDigits(number);
        out.append(Arrow);
        AppendNumber(out, number);
    }
}

ChartRefusal MakeChart(std::u32string_view name, int year, int month, int day, Chart &chart)
{
    ClearChart(chart);
    chart.year = year;
    chart.month = month;
    chart.day = day;
    if (!IsValidDate(year, month, day))
        return ChartRefusal::NoSuchDate;

    ExpressionResults.clear();
    SoulUrgeResults.clear();
    PersonalityResults.clear();
    PartNumber expression{&chart.expression, &ExpressionResults};
    PartNumber soulUrge{&chart.soulUrge, &SoulUrgeResults};
    PartNumber personality{&chart.personality, &PersonalityResults};
    std::array<std::uint64_t, 10> carried{}; // letters carrying each value
    std::string &chaldeanSteps = chart.chaldean.steps;
    std::size_t letters = 0;

    for (std::size_t at = 0; at < name.size();) {
        if (IsWhiteSpace(name[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < name.size() && !IsWhiteSpace(name[end]))
            ++end;
        const std::u32string_view part = name.substr(at, end - at);
        at = end;

        expression.StartPart();
        soulUrge.StartPart();
        personality.StartPart();
        bool firstOfPart = true;
        ForEachLetter(part, [&](char letter, bool vowel) {
            if (firstOfPart && !chaldeanSteps.empty())
                chaldeanSteps.push_back(' ');
            firstOfPart = false;
            chaldeanSteps.push_back(letter);
            chart.chaldean.compound += static_cast<std::uint64_t>(ChaldeanValue(letter));
            ++carried[static_cast<std::size_t>(PythagoreanValue(letter))];
            ++letters;
            expression.AddLetter(letter);
            (vowel ? soulUrge : personality).AddLetter(letter);
        });
        if (firstOfPart)
            continue;
        bool firstLetter = true, firstVowel = true, firstConsonant = true;
        ForEachLetter(part, [&](char letter, bool vowel) {
            expression.AddValue(letter, firstLetter);
            firstLetter = false;
            if (vowel) {
                soulUrge.AddValue(letter, firstVowel);
                firstVowel = false;
            } else {
                personality.AddValue(letter, firstConsonant);
                firstConsonant = false;
            }
        });
        expression.EndPart();
        soulUrge.EndPart();
        personality.EndPart();
    }
    if (letters == 0) {
        ClearChart(chart);
        return ChartRefusal::NoLetter;
    }
    expression.Finish({});
    soulUrge.Finish("no vowel");
    personality.Finish("no consonant");

    // The Chaldean values of all the letters, after the letters themselves.
    bool firstValue = true;
    for (const char32_t c : name) {
        for (const char letter : FoldLetter(c)) {
            chaldeanSteps.push_back(firstValue ? ' ' : '+');
            firstValue = false;
            chaldeanSteps.push_back(static_cast<char>('0' + ChaldeanValue(letter)));
        }
    }
    if (letters > 1) {
        chaldeanSteps.append(" = ");
        AppendNumber(chaldeanSteps, chart.chaldean.compound);
        AppendReduction(chaldeanSteps, chart.chaldean.compound, false);
    }
    chart.chaldean.root = ReduceToRoot(chart.chaldean.compound);

    // Life path: month, day and year each reduced, then their sum.
    ChartNumber &lifePath = chart.lifePath;
    const int monthValue = Reduce(static_cast<std::uint64_t>(month));
    const int dayValue = Reduce(static_cast<std::uint64_t>(day));
    const int yearValue = Reduce(static_cast<std::uint64_t>(year));
    lifePath.total = static_cast<std::uint64_t>(monthValue + dayValue + yearValue);
    lifePath.value = Reduce(lifePath.total);
    AppendDateField(lifePath.steps, "month", month);
    AppendDateField(lifePath.steps, "; day", day);
    AppendDateField(lifePath.steps, "; year", year);
    lifePath.steps.append("; ");
    AppendNumber(lifePath.steps, static_cast<std::uint64_t>(monthValue));
    lifePath.steps.append(" + ");
    AppendNumber(lifePath.steps, static_cast<std::uint64_t>(dayValue));
    lifePath.steps.append(" + ");
    AppendNumber(lifePath.steps, static_cast<std::uint64_t>(yearValue));
    lifePath.steps.append(" = ");
    AppendNumber(lifePath.steps, lifePath.total);
    AppendReduction(lifePath.steps, lifePath.total, true);

    chart.birthday.total = static_cast<std::uint64_t>(day);
    chart.birthday.value = dayValue;
    AppendDateField(chart.birthday.steps, "day", day);

    ChartNumber &maturity = chart.maturity;
    maturity.total = static_cast<std::uint64_t>(lifePath.value + chart.expression.value);
    maturity.value = Reduce(maturity.total);
    AppendNumber(maturity.steps, static_cast<std::uint64_t>(lifePath.value));
    maturity.steps.append(" + ");
    AppendNumber(maturity.steps, static_cast<std::uint64_t>(chart.expression.value));
    maturity.steps.append(" = ");
    AppendNumber(maturity.steps, maturity.total);
    AppendReduction(maturity.steps, maturity.total, true);

    std::uint64_t most = 0;
    for (int value = 1; value <= 9; ++value)
        most = std::max(most, carried[static_cast<std::size_t>(value)]);
    for (int value = 1; value <= 9; ++value) {
        const std::uint64_t count = carried[static_cast<std::size_t>(value)];
        if (count == 0)
            chart.karmicLessons.push_back(value);
        if (count == most)
            chart.hiddenPassion.push_back(value);
    }

    unsigned debts = 0;
    for (const ChartNumber *number : {&chart.lifePath, &chart.birthday, &chart.expression, &chart.soulUrge,
                                      &chart.personality})
        NoteDebts(number->total, debts);
    static constexpr int Debts[4] = {13, 14, 16, 19};
    for (unsigned bit = 0; bit < 4; ++bit) {
        if (debts & (1u << bit))
            chart.karmicDebts.push_back(Debts[bit]);
    }

    FindUncounted(name, chart.uncounted);
    return ChartRefusal::None;
}

} // namespace veltara::chart
