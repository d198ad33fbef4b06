#include "chartparts.h"

#include "numerology.h"
#include "text.h"

#include <algorithm>

namespace veltara::chart::parts {

namespace {

constexpr std::string_view Arrow = " \u2192 ";

// The letters a name number counts.
enum class Counts { All, Vowels, Consonants };

bool IsCounted(Counts counts, char vowel) noexcept
{
    return counts == Counts::All || (vowel != 0) == (counts == Counts::Vowels);
}

// "LOVELACE 3+6+4+5+3+1+3+5 = 30 → 3", with the letters the number counts;
// returns their sum, 0 when there are none (every letter is worth 1 or more).
// With Steps::Left it appends nothing and returns the sum alone.
std::uint64_t AppendPart(std::string &out, std::string_view part, std::string_view vowels, Counts counts, Steps steps)
{
    if (steps == Steps::Left) {
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i < part.size(); ++i) {
            if (IsCounted(counts, vowels[i]))
                sum += Unsigned(LetterValue(static_cast<unsigned char>(part[i])));
        }
        return sum;
    }
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
            sum += Unsigned(value);
        }
    }
    if (letters > 1) {
        out.append(" = ");
        AppendReduced(out, sum);
    }
    return sum;
}

// Expression, soul urge and personality: added up part by part.
void PartNumber(const PreparedName &name, Counts counts, std::string_view none, ChartNumber &number, Steps steps)
{
    number.total = 0;
    number.steps.clear();
    const bool written = steps == Steps::Written;
    std::string results; // "11 + 9": each counted part's result
    std::size_t parts = 0;
    std::uint64_t onlySum = 0;
    for (std::size_t i = 0; i < name.partCount(); ++i) {
        const std::size_t before = number.steps.size();
        if (written && parts != 0)
            number.steps.append("; ");
        const std::uint64_t sum = AppendPart(number.steps, name.part(i), name.partVowels(i), counts, steps);
        if (sum == 0) {
            number.steps.resize(before);
            continue;
        }
        const int result = Reduce(sum);
        if (written) {
            if (parts != 0)
                results.append(" + ");
            AppendNumber(results, Unsigned(result));
        }
        ++parts;
        number.total += Unsigned(result);
        onlySum = sum;
    }
    if (parts == 1)
        number.total = onlySum;
    number.value = Reduce(number.total);
    if (!written)
        return;
    if (parts == 0) {
        number.steps.assign(none);
    } else if (parts > 1) {
        number.steps.append("; ");
        number.steps.append(results);
        number.steps.append(" = ");
        AppendReduced(number.steps, number.total);
    }
}

// The values 1 to 9 that `count` letters carry, ascending.
void ValuesCarried(const std::array<int, 9> &inclusion, int count, std::vector<int> &values)
{
    values.clear();
    for (int value = 1; value <= 9; ++value) {
        if (inclusion[static_cast<std::size_t>(value - 1)] == count)
            values.push_back(value);
    }
}

NamedLetter Named(char letter)
{
    return {letter, LetterValue(static_cast<unsigned char>(letter))};
}

} // namespace

// A number and " → n" for every pass that reduces it.
void AppendReduced(std::string &out, std::uint64_t number, Masters masters)
{
    AppendNumber(out, number);
    while (number > 9 && !(masters == Masters::Keep && IsMasterNumber(number))) {
        number = DigitSum(number);
        out.append(Arrow);
        AppendNumber(out, number);
    }
}

void AddUp(ChartNumber &number, std::string_view first, std::uint64_t a, std::string_view second, std::uint64_t b,
           Masters masters, Steps steps)
{
    if (!WritesSteps(number, a + b, Reduce(a + b, masters), steps))
        return;
    number.steps.assign(first);
    AppendNumber(number.steps, a);
    number.steps.append(" + ");
    number.steps.append(second);
    AppendNumber(number.steps, b);
    number.steps.append(" = ");
    AppendReduced(number.steps, number.total, masters);
}

void Reduced(ChartNumber &number, std::string_view field, int value, Masters masters, Steps steps)
{
    if (!WritesSteps(number, Unsigned(value), Reduce(Unsigned(value), masters), steps))
        return;
    number.steps.assign(field);
    AppendReduced(number.steps, number.total, masters);
}

void DateSum(ChartNumber &number, int month, int day, int year, Masters masters, Steps steps)
{
    static constexpr std::string_view Names[] = {"month ", "day ", "year "};
    const std::uint64_t fields[] = {Unsigned(month), Unsigned(day), Unsigned(year)};
    std::uint64_t total = 0;
    for (const std::uint64_t field : fields)
        total += Unsigned(Reduce(field, masters));
    if (!WritesSteps(number, total, Reduce(total, masters), steps))
        return;
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        number.steps.append(Names[i]);
        AppendReduced(number.steps, fields[i], masters);
        number.steps.append("; ");
    }
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        if (i != 0)
            number.steps.append(" + ");
        AppendNumber(number.steps, Unsigned(Reduce(fields[i], masters)));
    }
    number.steps.append(" = ");
    AppendReduced(number.steps, number.total, masters);
}

void Difference(ChartNumber &number, std::string_view first, int a, std::string_view second, int b, Steps steps)
{
    const int x = ReduceToDigit(Unsigned(a)), y = ReduceToDigit(Unsigned(b));
    const int difference = x > y ? x - y : y - x;
    if (!WritesSteps(number, Unsigned(difference), difference, steps))
        return;
    number.steps.push_back('|'); // the steps are empty here
    number.steps.append(first);
    AppendReduced(number.steps, Unsigned(a), Masters::Reduce);
    number.steps.append(" - ");
    number.steps.append(second);
    AppendReduced(number.steps, Unsigned(b), Masters::Reduce);
    number.steps.append("| = ");
    AppendNumber(number.steps, number.total);
}

void LifePath(const Date &date, ChartNumber &number, Steps steps)
{
    DateSum(number, date.month, date.day, date.year, Masters::Keep, steps);
}

void Birthday(const Date &date, ChartNumber &number, Steps steps)
{
    Reduced(number, "day ", date.day, Masters::Keep, steps);
}

void Expression(const PreparedName &name, ChartNumber &number, Steps steps)
{
    PartNumber(name, Counts::All, {}, number, steps);
}

void SoulUrge(const PreparedName &name, ChartNumber &number, Steps steps)
{
    PartNumber(name, Counts::Vowels, "no vowel", number, steps);
}

void Personality(const PreparedName &name, ChartNumber &number, Steps steps)
{
    PartNumber(name, Counts::Consonants, "no consonant", number, steps);
}

void Maturity(const ChartNumber &lifePath, const ChartNumber &expression, ChartNumber &number, Steps steps)
{
    AddUp(number, {}, Unsigned(lifePath.value), {}, Unsigned(expression.value), Masters::Keep, steps);
}

void Chaldean(const PreparedName &name, ChaldeanNumber &number, Steps steps)
{
    number.compound = 0;
    for (const char letter : name.letters)
        number.compound += Unsigned(ChaldeanValue(letter));
    number.root = ReduceToDigit(number.compound);
    std::string &text = number.steps;
    text.clear();
    if (steps == Steps::Left)
        return;
    for (std::size_t i = 0; i < name.partCount(); ++i) {
        if (i != 0)
            text.push_back(' ');
        text.append(name.part(i));
    }
    char separator = ' ';
    for (const char letter : name.letters) {
        text.push_back(separator);
        text.push_back(static_cast<char>('0' + ChaldeanValue(letter)));
        separator = '+';
    }
    if (name.letters.size() > 1) {
        text.append(" = ");
        AppendReduced(text, number.compound, Masters::Reduce);
    }
}

void KarmicLessons(const std::array<int, 9> &inclusion, std::vector<int> &lessons)
{
    ValuesCarried(inclusion, 0, lessons);
}

void HiddenPassion(const std::array<int, 9> &inclusion, std::vector<int> &passion)
{
    ValuesCarried(inclusion, *std::max_element(inclusion.begin(), inclusion.end()), passion);
}

// A way holds one debt at the most: each of them is followed by 1-9 or 10.
int DebtOnTheWay(std::uint64_t total) noexcept
{
    for (std::uint64_t n = total;; n = DigitSum(n)) {
        if (n == 13 || n == 14 || n == 16 || n == 19)
            return static_cast<int>(n);
        if (n <= 9 || IsMasterNumber(n))
            return 0;
    }
}

void Inclusion(const PreparedName &name, std::array<int, 9> &inclusion)
{
    inclusion = {};
    for (const char letter : name.letters)
        ++inclusion[static_cast<std::size_t>(LetterValue(static_cast<unsigned char>(letter)) - 1)];
}

// The plane of each letter A to Z, from the planes' table: one lookup a
// letter instead of a search of the four planes' letters (which made Planes
// 16% of a chart made without its steps; callgrind, 20,000 rows).
constexpr std::array<std::size_t, 26> LetterPlanes = [] {
    std::array<std::size_t, 26> planes{};
    for (std::size_t plane = 0; plane < std::size(PlaneRows); ++plane) {
        for (const char letter : PlaneRows[plane].letters)
            planes[static_cast<std::size_t>(letter - 'A')] = plane;
    }
    return planes;
}();
static_assert([] {
    std::array<int, 26> seen{};
    for (const PlaneRow &plane : PlaneRows) {
        for (const char letter : plane.letters)
            ++seen[static_cast<std::size_t>(letter - 'A')];
    }
    return std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; });
}(), "each letter A to Z is on one plane");

void Planes(const PreparedName &name, std::array<Plane, 4> &planes)
{
    planes = {};
    for (const char letter : name.letters) { // 'A'..'Z', each on one plane
        Plane &plane = planes[LetterPlanes[static_cast<std::size_t>(letter - 'A')]];
        ++plane.count;
        plane.value += LetterValue(static_cast<unsigned char>(letter)); // reduced below
    }
    for (Plane &plane : planes)
        plane.value = Reduce(Unsigned(plane.value));
}

// "A 1 + L 3 = 4".
void Balance(const PreparedName &name, ChartNumber &balance, Steps steps)
{
    balance.total = 0;
    balance.steps.clear();
    for (std::size_t i = 0; i < name.partCount(); ++i) {
        const char letter = name.part(i).front();
        const int value = LetterValue(static_cast<unsigned char>(letter));
        balance.total += Unsigned(value);
        if (steps == Steps::Left)
            continue;
        if (i != 0)
            balance.steps.append(" + ");
        balance.steps.push_back(letter);
        balance.steps.push_back(' ');
        AppendNumber(balance.steps, Unsigned(value));
    }
    if (steps == Steps::Written && name.partCount() > 1) {
        balance.steps.append(" = ");
        AppendReduced(balance.steps, balance.total, Masters::Reduce);
    }
    balance.value = ReduceToDigit(balance.total);
}

// "ADA 1+4+1 = 6; 6 + 3 = 9", the birthday number last.
void RationalThought(const PreparedName &name, const ChartNumber &birthday, ChartNumber &rational, Steps steps)
{
    rational.steps.clear();
    const std::uint64_t firstSum = AppendPart(rational.steps, name.part(0), name.partVowels(0), Counts::All, steps);
    rational.total = Unsigned(Reduce(firstSum) + birthday.value);
    rational.value = Reduce(rational.total);
    if (steps == Steps::Left)
        return;
    rational.steps.append("; ");
    AppendNumber(rational.steps, Unsigned(Reduce(firstSum)));
    rational.steps.append(" + ");
    AppendNumber(rational.steps, Unsigned(birthday.value));
    rational.steps.append(" = ");
    AppendReduced(rational.steps, rational.total);
}

int SubconsciousSelf(const std::vector<int> &karmicLessons) noexcept
{
    return 9 - static_cast<int>(karmicLessons.size());
}

void Cornerstone(const PreparedName &name, NamedLetter &letter)
{
    letter = Named(name.part(0).front());
}

void Capstone(const PreparedName &name, NamedLetter &letter)
{
    letter = Named(name.part(0).back());
}

void FirstVowel(const PreparedName &name, NamedLetter &letter)
{
    const std::size_t vowel = name.partVowels(0).find('\1');
    letter = vowel == std::string_view::npos ? NamedLetter{} : Named(name.part(0)[vowel]);
}

void Bridges(const Chart &chart, std::array<ChartNumber, 2> &bridges, Steps steps)
{
    Difference(bridges[0], {}, chart.lifePath.value, {}, chart.expression.value, steps);
    Difference(bridges[1], {}, chart.soulUrge.value, {}, chart.personality.value, steps);
}

} // namespace veltara::chart::parts
