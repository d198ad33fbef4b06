#include "chart.h"

#include "letters.h"
#include "numerology.h"
#include "text.h"

#include <algorithm>
#include <array>

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

// The debts 13, 14, 16 and 19 on the way from a total to its value, as bits.
unsigned DebtsOnTheWay(std::uint64_t total) noexcept
{
    static constexpr std::array<std::uint64_t, 4> Debts = {13, 14, 16, 19};
    unsigned found = 0;
    for (std::uint64_t n = total;; n = DigitSum(n)) {
        for (std::size_t bit = 0; bit < Debts.size(); ++bit) {
            if (n == Debts[bit])
                found |= 1u << bit;
        }
        if (n <= 9 || IsMasterNumber(n))
            return found;
    }
}

void ClearChart(Chart &chart)
{
    for (const ChartNumberRow &row : ChartNumberRows) {
        ChartNumber &number = chart.*row.number;
        number.value = 0;
        number.total = 0;
        number.steps.clear();
    }
    chart.karmicLessons.clear();
    chart.hiddenPassion.clear();
    chart.karmicDebts.clear();
    chart.chaldean.compound = 0;
    chart.chaldean.root = 0;
    chart.chaldean.steps.clear();
    chart.name.letters.clear();
    chart.name.vowels.clear();
    chart.name.ends.clear();
    chart.name.uncounted.clear();
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
    // 1 for each letter that follows the letter before it directly.
    std::string joined;
    // What the character before was, for the combining marks: a mark after
    // a letter is part of it, a mark after an uncounted character part of
    // that entry, and a mark at the start or after white space an entry.
    enum class After { Start, Letter, Entry } after = After::Start;
    for (const char32_t c : text) {
        const FoldedLetters folded = FoldLetter(c);
        if (!folded.empty()) {
            if (after == After::Entry)
                DropRepeatedEntry(name);
            for (const char letter : folded) {
                name.letters.push_back(letter);
                joined.push_back(after == After::Letter ? 1 : 0);
                after = After::Letter;
            }
        } else if (IsWhiteSpace(c)) {
            if (after == After::Entry)
                DropRepeatedEntry(name);
            EndPart(name, joined);
            after = After::Start;
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

std::string_view RefusalText(ChartRefusal refusal) noexcept
{
    switch (refusal) {
    case ChartRefusal::None: return {};
    case ChartRefusal::NoLetter: return "the name has no letter";
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

ChartRefusal MakeChart(std::u32string_view name, const Date &date, Chart &chart)
{
    ClearChart(chart);
    chart.date = date;
    if (!IsValidDate(date))
        return ChartRefusal::NoSuchDate;
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

    unsigned debts = 0;
    for (const ChartNumberRow &row : ChartNumberRows) {
        if (row.carriesDebts)
            debts |= DebtsOnTheWay((chart.*row.number).total);
    }
    static constexpr int Debts[4] = {13, 14, 16, 19};
    for (unsigned bit = 0; bit < 4; ++bit) {
        if (debts & (1u << bit))
            chart.karmicDebts.push_back(Debts[bit]);
    }
    return ChartRefusal::None;
}

} // namespace veltara::chart
