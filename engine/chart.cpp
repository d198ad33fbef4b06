#include "chart.h"

#include "letters.h"
#include "numerology.h"
#include "text.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

namespace veltara::chart {

namespace {

constexpr std::string_view Arrow = " \u2192 ";

// A number and " → n" for every pass that reduces it.
void AppendReduced(std::string &out, std::uint64_t number, Masters masters = Masters::Keep)
{
    AppendNumber(out, number);
    while (number > 9 && !(masters == Masters::Keep && IsMasterNumber(number))) {
        number = DigitSum(number);
        out.append(Arrow);
        AppendNumber(out, number);
    }
}

bool IsPlainVowel(char letter) noexcept
{
    return letter == 'A' || letter == 'E' || letter == 'I' || letter == 'O' || letter == 'U';
}

enum class Counts { All, Vowels, Consonants };

bool IsCounted(Counts counts, char vowel) noexcept
{
    return counts == Counts::All || (vowel != 0) == (counts == Counts::Vowels);
}

// "LOVELACE 3+6+4+5+3+1+3+5 = 30 → 3", with the letters the number counts;
// returns their sum, 0 when there are none (every letter is worth 1 or more).
std::uint64_t AppendPart(std::string &out, std::string_view part, std::string_view vowels, Counts counts)
{
    std::size_t letters = 0;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (IsCounted(counts, vowels[i])) {
            out.push_back(part[i]);
            ++letters;
        }
    }
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (IsCounted(counts, vowels[i])) {
            const int value = LetterValue(static_cast<unsigned char>(part[i]));
            out.push_back(sum == 0 ? ' ' : '+');
            out.push_back(static_cast<char>('0' + value));
            sum += static_cast<std::uint64_t>(value);
        }
    }
    if (letters > 1) {
        out.append(" = ");
        AppendReduced(out, sum);
    }
    return sum;
}

// Expression, soul urge and personality: added up part by part.
void PartNumber(const PreparedName &name, Counts counts, std::string_view none, ChartNumber &number)
{
    number.total = 0;
    number.steps.clear();
    std::string results; // "11 + 9": each counted part's result
    std::size_t parts = 0;
    std::uint64_t onlySum = 0;
    for (std::size_t i = 0; i < name.partCount(); ++i) {
        const std::size_t before = number.steps.size();
        if (parts != 0)
            number.steps.append("; ");
        const std::uint64_t sum = AppendPart(number.steps, name.part(i), name.partVowels(i), counts);
        if (sum == 0) {
            number.steps.resize(before);
            continue;
        }
        const int result = Reduce(sum);
        if (parts++ != 0)
            results.append(" + ");
        AppendNumber(results, static_cast<std::uint64_t>(result));
        number.total += static_cast<std::uint64_t>(result);
        onlySum = sum;
    }
    if (parts == 0) {
        number.steps.assign(none);
    } else if (parts == 1) {
        number.total = onlySum;
    } else {
        number.steps.append("; ");
        number.steps.append(results);
        number.steps.append(" = ");
        AppendReduced(number.steps, number.total);
    }
    number.value = Reduce(number.total);
}

// The karmic debt 13, 14, 16 or 19 on the way from a total to its value, 0
// for none. A way holds one at the most: each of them is followed by 1-9 or 10.
int DebtOnTheWay(std::uint64_t total) noexcept
{
    for (std::uint64_t n = total;; n = DigitSum(n)) {
        if (n == 13 || n == 14 || n == 16 || n == 19)
            return static_cast<int>(n);
        if (n <= 9 || IsMasterNumber(n))
            return 0;
    }
}

void ClearNumber(ChartNumber &number)
{
    number.value = 0;
    number.total = 0;
    number.steps.clear();
    number.karmicDebt = 0;
}

void ClearChart(Chart &chart)
{
    for (const ChartNumberRow &row : ChartNumberRows)
        ClearNumber(chart.*row.number);
    for (const OtherNumberRow &row : CycleNumberRows)
        ClearNumber(chart.*row.member);
    for (const OtherNumberRow &row : RestNumberRows)
        ClearNumber(chart.*row.member);
    const auto clearSpans = [](auto &spans) {
        for (Span &span : spans) {
            ClearNumber(span.number);
            span.fromAge = 0;
            span.toAge = -1;
            span.current = false;
        }
    };
    clearSpans(chart.pinnacles);
    clearSpans(chart.challenges);
    clearSpans(chart.periods);
    chart.karmicLessons.clear();
    chart.hiddenPassion.clear();
    chart.karmicDebts.clear();
    chart.chaldean.compound = 0;
    chart.chaldean.root = 0;
    chart.chaldean.steps.clear();
    chart.age = 0;
    chart.inclusion = {};
    chart.planes = {};
    chart.subconsciousSelf = 0;
    for (const LetterRow &row : LetterRows)
        chart.*row.member = {};
    chart.name.letters.clear();
    chart.name.vowels.clear();
    chart.name.ends.clear();
    chart.name.uncounted.clear();
    chart.name.leftOut.clear();
}

// The uncounted entry just written (the last one) is dropped when an earlier
// entry is the same.
void DropRepeatedEntry(PreparedName &name)
{
    constexpr std::size_t FewEntries = 32;
    std::vector<std::u32string> &uncounted = name.uncounted;
    if (uncounted.size() <= FewEntries) {
        if (std::find(uncounted.begin(), uncounted.end() - 1, uncounted.back()) != uncounted.end() - 1)
            uncounted.pop_back();
        return;
    }
    if (name.manyUncounted.empty())
        name.manyUncounted.insert(uncounted.begin(), uncounted.end() - 1);
    if (!name.manyUncounted.insert(uncounted.back()).second)
        uncounted.pop_back();
}

// Ends the part that the last letters belong to, if it has any, and marks
// its vowels. `joined` tells for each letter whether it follows the letter
// before it with nothing but combining marks between them.
void EndPart(PreparedName &name, std::string_view joined)
{
    const std::size_t start = name.ends.empty() ? 0 : name.ends.back();
    const std::size_t end = name.letters.size();
    if (end == start)
        return;
    name.ends.push_back(end);
    const std::string_view letters = name.letters;
    for (std::size_t i = start; i < end; ++i) {
        bool vowel = IsPlainVowel(letters[i]);
        if (letters[i] == 'Y') {
            const bool afterVowel = joined[i] != 0 && IsPlainVowel(letters[i - 1]);
            const bool beforeVowel = i + 1 < end && joined[i + 1] != 0 && IsPlainVowel(letters[i + 1]);
            vowel = !afterVowel && !beforeVowel;
        }
        name.vowels.push_back(vowel ? 1 : 0);
    }
}

// A generational suffix: Jr, Sr, II, III or IV in any letter case, with or
// without a dot.
bool IsSuffix(std::u32string_view part)
{
    if (!part.empty() && part.back() == U'.')
        part.remove_suffix(1);
    static constexpr std::string_view Suffixes[] = {"jr", "sr", "ii", "iii", "iv"};
    return std::any_of(std::begin(Suffixes), std::end(Suffixes), [part](std::string_view suffix) {
        return std::equal(part.begin(), part.end(), suffix.begin(), suffix.end(), [](char32_t c, char letter) {
            return c < 0x80 && (c | 0x20) == static_cast<char32_t>(letter);
        });
    });
}

// Reads one part of the name, a run of characters that are no white space.
void ReadPart(std::u32string_view part, PreparedName &name, std::string &joined)
{
    // What the character before was, for the combining marks: a mark after
    // a letter is part of it, a mark after an uncounted character part of
    // that entry, and a mark at the start an entry.
    enum class After { Start, Letter, Entry } after = After::Start;
    for (const char32_t c : part) {
        const FoldedLetters folded = FoldLetter(c);
        if (!folded.empty()) {
            if (after == After::Entry)
                DropRepeatedEntry(name);
            for (const char letter : folded) {
                name.letters.push_back(letter);
                joined.push_back(after == After::Letter ? 1 : 0);
                after = After::Letter;
            }
        } else if (after != After::Start && IsCombiningMark(c)) {
            if (after == After::Entry)
                name.uncounted.back().push_back(c);
        } else {
            if (after == After::Entry)
                DropRepeatedEntry(name);
            name.uncounted.emplace_back(1, c);
            after = After::Entry;
        }
    }
    if (after == After::Entry)
        DropRepeatedEntry(name);
    EndPart(name, joined);
}

} // namespace

std::string_view PreparedName::part(std::size_t i) const
{
    const std::size_t start = i == 0 ? 0 : ends[i - 1];
    return std::string_view(letters).substr(start, ends[i] - start);
}

std::string_view PreparedName::partVowels(std::size_t i) const
{
    const std::size_t start = i == 0 ? 0 : ends[i - 1];
    return std::string_view(vowels).substr(start, ends[i] - start);
}

void PrepareName(std::u32string_view text, PreparedName &name)
{
    name.letters.clear();
    name.vowels.clear();
    name.ends.clear();
    name.uncounted.clear();
    name.manyUncounted.clear();
    name.leftOut.clear();
    std::string joined; // 1 for each letter that follows the letter before it directly
    bool first = true;
    for (std::size_t at = 0; at < text.size();) {
        if (IsWhiteSpace(text[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < text.size() && !IsWhiteSpace(text[end]))
            ++end;
        const std::u32string_view part = text.substr(at, end - at);
        at = end;
        if (!std::exchange(first, false) && IsSuffix(part))
            name.leftOut.emplace_back(part);
        else
            ReadPart(part, name, joined);
    }
}

std::string_view RefusalText(ChartRefusal refusal) noexcept
{
    switch (refusal) {
    case ChartRefusal::None: return {};
    case ChartRefusal::NoLetter: return "the name has no letter A to Z: write it in Latin letters";
    case ChartRefusal::NoSuchDate: return "no such date";
    case ChartRefusal::BeforeBirth: return "the reading date is before the birth date";
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

void LifePath(const Date &date, ChartNumber &number)
{
    const auto month = static_cast<std::uint64_t>(date.month);
    const auto day = static_cast<std::uint64_t>(date.day);
    const auto year = static_cast<std::uint64_t>(date.year);
    number.total = static_cast<std::uint64_t>(Reduce(month) + Reduce(day) + Reduce(year));
    number.value = Reduce(number.total);
    std::string &steps = number.steps;
    steps.assign("month ");
    AppendReduced(steps, month);
    steps.append("; day ");
    AppendReduced(steps, day);
    steps.append("; year ");
    AppendReduced(steps, year);
    steps.append("; ");
    AppendNumber(steps, static_cast<std::uint64_t>(Reduce(month)));
    steps.append(" + ");
    AppendNumber(steps, static_cast<std::uint64_t>(Reduce(day)));
    steps.append(" + ");
    AppendNumber(steps, static_cast<std::uint64_t>(Reduce(year)));
    steps.append(" = ");
    AppendReduced(steps, number.total);
}

void Birthday(const Date &date, ChartNumber &number)
{
    number.total = static_cast<std::uint64_t>(date.day);
    number.value = Reduce(number.total);
    number.steps.assign("day ");
    AppendReduced(number.steps, number.total);
}

void Expression(const PreparedName &name, ChartNumber &number)
{
    PartNumber(name, Counts::All, {}, number);
}

void SoulUrge(const PreparedName &name, ChartNumber &number)
{
    PartNumber(name, Counts::Vowels, "no vowel", number);
}

void Personality(const PreparedName &name, ChartNumber &number)
{
    PartNumber(name, Counts::Consonants, "no consonant", number);
}

void Maturity(const ChartNumber &lifePath, const ChartNumber &expression, ChartNumber &number)
{
    number.total = static_cast<std::uint64_t>(lifePath.value + expression.value);
    number.value = Reduce(number.total);
    number.steps.clear();
    AppendNumber(number.steps, static_cast<std::uint64_t>(lifePath.value));
    number.steps.append(" + ");
    AppendNumber(number.steps, static_cast<std::uint64_t>(expression.value));
    number.steps.append(" = ");
    AppendReduced(number.steps, number.total);
}

void Chaldean(const PreparedName &name, ChaldeanNumber &number)
{
    std::string &steps = number.steps;
    steps.clear();
    for (std::size_t i = 0; i < name.partCount(); ++i) {
        if (i != 0)
            steps.push_back(' ');
        steps.append(name.part(i));
    }
    number.compound = 0;
    char separator = ' ';
    for (const char letter : name.letters) {
        const int value = ChaldeanValue(letter);
        number.compound += static_cast<std::uint64_t>(value);
        steps.push_back(separator);
        steps.push_back(static_cast<char>('0' + value));
        separator = '+';
    }
    if (name.letters.size() > 1) {
        steps.append(" = ");
        AppendReduced(steps, number.compound, Masters::Reduce);
    }
    number.root = ReduceToDigit(number.compound);
}

int AgeOn(const Date &birth, const Date &on) noexcept
{
    Date birthday{on.year, birth.month, birth.day};
    if (!IsValidDate(birthday)) // 29 February in another year
        birthday = {on.year, 3, 1};
    const bool before = on.month < birthday.month || (on.month == birthday.month && on.day < birthday.day);
    return on.year - birth.year - (before ? 1 : 0);
}

int PersonalYearOf(const Date &birth, int year) noexcept
{
    return ReduceToDigit(static_cast<std::uint64_t>(ReduceToDigit(static_cast<std::uint64_t>(birth.month)) +
                                                    ReduceToDigit(static_cast<std::uint64_t>(birth.day)) +
                                                    ReduceToDigit(static_cast<std::uint64_t>(year))));
}

namespace {

// "a + b = total → value", the total reduced to a digit or, with the master
// numbers kept, reduced.
void AddUp(ChartNumber &number, std::string_view first, std::uint64_t a, std::string_view second, std::uint64_t b,
           Masters masters)
{
    number.total = a + b;
    number.value = Reduce(number.total, masters);
    number.steps.assign(first);
    AppendNumber(number.steps, a);
    number.steps.append(" + ");
    number.steps.append(second);
    AppendNumber(number.steps, b);
    number.steps.append(" = ");
    AppendReduced(number.steps, number.total, masters);
}

// "|a - b| = value".
void Difference(ChartNumber &number, std::string_view first, int a, std::string_view second, int b)
{
    number.value = a > b ? a - b : b - a;
    number.total = static_cast<std::uint64_t>(number.value);
    number.steps.assign("|");
    number.steps.append(first);
    AppendNumber(number.steps, static_cast<std::uint64_t>(a));
    number.steps.append(" - ");
    number.steps.append(second);
    AppendNumber(number.steps, static_cast<std::uint64_t>(b));
    number.steps.append("| = ");
    AppendNumber(number.steps, number.total);
}

// A number reduced from a date's field: "year 1950 → 15 → 6".
void Reduced(ChartNumber &number, std::string_view field, int value, Masters masters)
{
    number.total = static_cast<std::uint64_t>(value);
    number.value = Reduce(number.total, masters);
    number.steps.assign(field);
    AppendReduced(number.steps, number.total, masters);
}

void SetAges(std::array<Span, 4> &spans, int firstEnd)
{
    for (std::size_t i = 0; i < spans.size(); ++i) {
        spans[i].fromAge = i == 0 ? 0 : spans[i - 1].toAge;
        spans[i].toAge = i == 0 ? firstEnd : i == 3 ? -1 : spans[i].fromAge + 9;
    }
}

template <std::size_t N>
void MarkCurrent(std::array<Span, N> &spans, int age)
{
    for (Span &span : spans)
        span.current = age >= span.fromAge && (span.toAge < 0 || age < span.toAge);
}

} // namespace

void Cycles(const Date &birth, const Date &on, int lifePath, Chart &chart)
{
    const auto digit = [](int n) { return ReduceToDigit(static_cast<std::uint64_t>(n)); };
    const int m = digit(birth.month), d = digit(birth.day), y = digit(birth.year);
    chart.on = on;
    chart.age = AgeOn(birth, on);

    ChartNumber &universal = chart.universalYear;
    Reduced(universal, {}, on.year, Masters::Reduce);
    ChartNumber &personalYear = chart.personalYear;
    personalYear.total = static_cast<std::uint64_t>(m + d + universal.value);
    personalYear.value = ReduceToDigit(personalYear.total);
    std::string &steps = personalYear.steps;
    steps.assign("month ");
    AppendReduced(steps, static_cast<std::uint64_t>(birth.month), Masters::Reduce);
    steps.append("; day ");
    AppendReduced(steps, static_cast<std::uint64_t>(birth.day), Masters::Reduce);
    steps.append("; year ");
    AppendReduced(steps, static_cast<std::uint64_t>(on.year), Masters::Reduce);
    steps.append("; ");
    AppendNumber(steps, static_cast<std::uint64_t>(m));
    steps.append(" + ");
    AppendNumber(steps, static_cast<std::uint64_t>(d));
    steps.append(" + ");
    AppendNumber(steps, static_cast<std::uint64_t>(universal.value));
    steps.append(" = ");
    AppendReduced(steps, personalYear.total, Masters::Reduce);
    AddUp(chart.personalMonth, {}, static_cast<std::uint64_t>(personalYear.value), {},
          static_cast<std::uint64_t>(on.month), Masters::Reduce);
    AddUp(chart.personalDay, {}, static_cast<std::uint64_t>(chart.personalMonth.value), {},
          static_cast<std::uint64_t>(on.day), Masters::Reduce);

    const auto u = [](int n) { return static_cast<std::uint64_t>(n); };
    std::array<Span, 4> &pinnacles = chart.pinnacles;
    AddUp(pinnacles[0].number, "month ", u(m), "day ", u(d), Masters::Keep);
    AddUp(pinnacles[1].number, "day ", u(d), "year ", u(y), Masters::Keep);
    AddUp(pinnacles[2].number, {}, u(pinnacles[0].number.value), {}, u(pinnacles[1].number.value), Masters::Keep);
    AddUp(pinnacles[3].number, "month ", u(m), "year ", u(y), Masters::Keep);
    SetAges(pinnacles, 36 - ReduceToDigit(u(lifePath)));

    std::array<Span, 4> &challenges = chart.challenges;
    Difference(challenges[0].number, "month ", m, "day ", d);
    Difference(challenges[1].number, "day ", d, "year ", y);
    Difference(challenges[2].number, {}, challenges[0].number.value, {}, challenges[1].number.value);
    Difference(challenges[3].number, "month ", m, "year ", y);
    SetAges(challenges, pinnacles[0].toAge);

    // The first period ends in the year nearest the 28th birthday whose
    // personal year is 1: one of any nine years in a row, so no further
    // than four years away, and never two at the same distance.
    const int year28 = birth.year + 28;
    int firstEnd = 28;
    for (int away = 0; away <= 4; ++away) {
        if (PersonalYearOf(birth, year28 - away) == 1 || PersonalYearOf(birth, year28 + away) == 1) {
            firstEnd = 28 + (PersonalYearOf(birth, year28 - away) == 1 ? -away : away);
            break;
        }
    }
    std::array<Span, 3> &periods = chart.periods;
    Reduced(periods[0].number, "month ", birth.month, Masters::Keep);
    Reduced(periods[1].number, "day ", birth.day, Masters::Keep);
    Reduced(periods[2].number, "year ", birth.year, Masters::Keep);
    periods[0].fromAge = 0;
    periods[0].toAge = firstEnd;
    periods[1].fromAge = firstEnd;
    periods[1].toAge = firstEnd + 27;
    periods[2].fromAge = firstEnd + 27;
    periods[2].toAge = -1;

    MarkCurrent(pinnacles, chart.age);
    MarkCurrent(challenges, chart.age);
    MarkCurrent(periods, chart.age);
}

void RestOfChart(Chart &chart)
{
    const PreparedName &name = chart.name;
    for (const char letter : name.letters) {
        const int value = LetterValue(static_cast<unsigned char>(letter));
        ++chart.inclusion[static_cast<std::size_t>(value - 1)];
        for (std::size_t plane = 0; plane < std::size(PlaneLetters); ++plane) {
            if (PlaneLetters[plane].find(letter) != std::string_view::npos) {
                ++chart.planes[plane].count;
                chart.planes[plane].value += value; // reduced below
            }
        }
    }
    for (Plane &plane : chart.planes)
        plane.value = Reduce(static_cast<std::uint64_t>(plane.value));
    chart.subconsciousSelf = 9 - static_cast<int>(chart.karmicLessons.size());

    // Balance: "A 1 + L 3 = 4".
    ChartNumber &balance = chart.balance;
    for (std::size_t i = 0; i < name.partCount(); ++i) {
        const char letter = name.part(i).front();
        const int value = LetterValue(static_cast<unsigned char>(letter));
        if (i != 0)
            balance.steps.append(" + ");
        balance.steps.push_back(letter);
        balance.steps.push_back(' ');
        AppendNumber(balance.steps, static_cast<std::uint64_t>(value));
        balance.total += static_cast<std::uint64_t>(value);
    }
    if (name.partCount() > 1) {
        balance.steps.append(" = ");
        AppendReduced(balance.steps, balance.total, Masters::Reduce);
    }
    balance.value = ReduceToDigit(balance.total);

    // Rational thought: "ADA 1+4+1 = 6; 6 + 3 = 9", the birthday number last.
    const std::string_view first = name.part(0);
    ChartNumber &rational = chart.rationalThought;
    const std::uint64_t firstSum = AppendPart(rational.steps, first, name.partVowels(0), Counts::All);
    rational.steps.append("; ");
    rational.total = static_cast<std::uint64_t>(Reduce(firstSum) + chart.birthday.value);
    rational.value = Reduce(rational.total);
    AppendNumber(rational.steps, static_cast<std::uint64_t>(Reduce(firstSum)));
    rational.steps.append(" + ");
    AppendNumber(rational.steps, static_cast<std::uint64_t>(chart.birthday.value));
    rational.steps.append(" = ");
    AppendReduced(rational.steps, rational.total);

    const auto named = [](char letter) { return NamedLetter{letter, LetterValue(static_cast<unsigned char>(letter))}; };
    chart.cornerstone = named(first.front());
    chart.capstone = named(first.back());
    const std::string_view vowels = name.partVowels(0);
    const std::size_t vowel = vowels.find('\1');
    if (vowel != std::string_view::npos)
        chart.firstVowel = named(first[vowel]);
}

ChartRefusal MakeChart(std::u32string_view name, const Date &date, const Date &on, Chart &chart)
{
    ClearChart(chart);
    chart.date = date;
    chart.on = on;
    if (!IsValidDate(date) || !IsValidDate(on))
        return ChartRefusal::NoSuchDate;
    if (std::tie(on.year, on.month, on.day) < std::tie(date.year, date.month, date.day))
        return ChartRefusal::BeforeBirth;
    PrepareName(name, chart.name);
    if (chart.name.letters.empty()) {
        ClearChart(chart);
        return ChartRefusal::NoLetter;
    }
    LifePath(date, chart.lifePath);
    Birthday(date, chart.birthday);
    Expression(chart.name, chart.expression);
    SoulUrge(chart.name, chart.soulUrge);
    Personality(chart.name, chart.personality);
    Maturity(chart.lifePath, chart.expression, chart.maturity);
    Chaldean(chart.name, chart.chaldean);

    std::array<std::size_t, 10> carried{}; // letters carrying each value
    for (const char letter : chart.name.letters)
        ++carried[static_cast<std::size_t>(LetterValue(static_cast<unsigned char>(letter)))];
    const std::size_t most = *std::max_element(carried.begin() + 1, carried.end());
    for (int value = 1; value <= 9; ++value) {
        const std::size_t count = carried[static_cast<std::size_t>(value)];
        if (count == 0)
            chart.karmicLessons.push_back(value);
        if (count == most)
            chart.hiddenPassion.push_back(value);
    }

    for (const ChartNumberRow &row : ChartNumberRows) {
        ChartNumber &number = chart.*row.number;
        if (row.carriesDebts)
            number.karmicDebt = DebtOnTheWay(number.total);
        if (number.karmicDebt != 0 &&
            std::find(chart.karmicDebts.begin(), chart.karmicDebts.end(), number.karmicDebt) == chart.karmicDebts.end())
            chart.karmicDebts.push_back(number.karmicDebt);
    }
    std::sort(chart.karmicDebts.begin(), chart.karmicDebts.end());

    Cycles(date, on, chart.lifePath.value, chart);
    RestOfChart(chart);
    return ChartRefusal::None;
}

} // namespace veltara::chart
