// The chart of arbitrary text and dates, against a plain reference written
// from the rules: part by part, letter by letter, with the Y rule looked up
// by index. Also: extra white space between the parts, other letter case and
// combining marks after letters change nothing; a chart made in reused
// storage is the chart made afresh; steps end with their number; a reading
// date before the birth reads the cycles on the birth date.
//
// Input: year (2 bytes, little end first), month, day, the reading date as
// years after the birth (before it when the byte's top bit is set), month
// and day, then the name as UTF-8 (a byte that is not valid UTF-8 is taken
// as the code point of its value).
#include "chart.h"
#include "fuzzsupport.h"
#include "letters.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

using veltara::chart::Chart;
using veltara::chart::ChartNumber;
using veltara::chart::ChartRefusal;

std::u32string Decode(const std::uint8_t *data, std::size_t size)
{
    std::u32string out;
    for (std::size_t i = 0; i < size;) {
        const std::uint8_t lead = data[i];
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                             : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        for (std::size_t k = 1; k < length; ++k) {
            if (i + k >= size || (data[i + k] & 0xC0u) != 0x80u) {
                length = 0;
                break;
            }
            c = (c << 6) | (data[i + k] & 0x3Fu);
        }
        if (length == 0 || (length == 3 && (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF))) ||
            (length == 4 && (c < 0x10000 || c > 0x10FFFF))) {
            out.push_back(lead);
            ++i;
            continue;
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

// The letter tables as they are written down.
int Pythagorean(char letter)
{
    constexpr std::string_view Letters[10] = {"", "AJS", "BKT", "CLU", "DMV", "ENW", "FOX", "GPY", "HQZ", "IR"};
    for (int value = 1; value <= 9; ++value) {
        if (Letters[value].find(letter) != std::string_view::npos)
            return value;
    }
    return 0;
}

int Chaldean(char letter)
{
    constexpr std::string_view Letters[9] = {"", "AIJQY", "BKR", "CGLS", "DMT", "EHNX", "UVW", "OZ", "FP"};
    for (int value = 1; value <= 8; ++value) {
        if (Letters[value].find(letter) != std::string_view::npos)
            return value;
    }
    return 0;
}

bool Master(std::uint64_t n)
{
    return n == 11 || n == 22 || n == 33;
}

int Reduced(std::uint64_t n, bool keepMasters = true)
{
    while (n > 9 && !(keepMasters && Master(n)))
        n = fuzzsupport::DecimalDigitSum(n);
    return static_cast<int>(n);
}

void Debts(std::uint64_t total, std::vector<int> &debts)
{
    for (std::uint64_t n = total;; n = fuzzsupport::DecimalDigitSum(n)) {
        if (n == 13 || n == 14 || n == 16 || n == 19)
            debts.push_back(static_cast<int>(n));
        if (n <= 9 || Master(n))
            return;
    }
}

bool PlainVowel(char letter)
{
    return std::string_view("AEIOU").find(letter) != std::string_view::npos;
}

struct Reference {
    std::uint64_t expression = 0, soulUrge = 0, personality = 0, compound = 0;
    std::array<int, 10> carried{};
    std::string letters, vowels, consonants;
    std::size_t leftOut = 0;
    std::string firstPart;
};

// A number added up part by part: the letter sum where one part counts,
// else the sum of the parts' reduced sums.
struct PartTotal {
    std::uint64_t reducedSums = 0, lastSum = 0;
    int parts = 0;

    void Add(std::uint64_t sum)
    {
        if (sum == 0)
            return;
        reducedSums += static_cast<std::uint64_t>(Reduced(sum));
        lastSum = sum;
        ++parts;
    }
    std::uint64_t Total() const { return parts == 1 ? lastSum : reducedSums; }
};

// A generational suffix, as written down: jr, jnr, sr or snr in any letter
// case, one dot after it or not; II, III, IV, VI, VII, VIII or IX as
// written; 2nd to 9th in any letter case.
bool Suffix(const std::u32string &part)
{
    std::string ascii, lower;
    for (const char32_t c : part) {
        if (c >= 0x80)
            return false;
        ascii.push_back(static_cast<char>(c));
        lower.push_back(static_cast<char>(c >= U'A' && c <= U'Z' ? c + 0x20 : c));
    }
    const std::set<std::string> titles{"jr", "jr.", "jnr", "jnr.", "sr", "sr.", "snr", "snr."};
    const std::set<std::string> numerals{"II", "III", "IV", "VI", "VII", "VIII", "IX"};
    const std::set<std::string> ordinals{"2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th"};
    return titles.contains(lower) || numerals.contains(ascii) || ordinals.contains(lower);
}

Reference Compute(std::u32string_view name)
{
    Reference r;
    // The runs of characters between white space; the last one, when it is
    // not the first, is left out as a suffix.
    std::vector<std::u32string> runs(1);
    for (const char32_t c : name) {
        if (!veltara::IsWhiteSpace(c))
            runs.back().push_back(c);
        else if (!runs.back().empty())
            runs.emplace_back();
    }
    if (runs.size() > 1 && runs.back().empty())
        runs.pop_back();
    // Each part's letters, and for each letter whether it follows the letter
    // before it with nothing but combining marks between them.
    std::vector<std::string> parts(1), joined(1);
    for (std::size_t k = 0; k < runs.size(); ++k) {
        if (k > 0 && k + 1 == runs.size() && Suffix(runs[k])) {
            ++r.leftOut;
            continue;
        }
        if (!parts.back().empty()) {
            parts.emplace_back();
            joined.emplace_back();
        }
        bool afterLetter = false;
        for (const char32_t c : runs[k]) {
            if (!veltara::FoldLetter(c).empty()) {
                for (const char letter : veltara::FoldLetter(c)) {
                    parts.back().push_back(letter);
                    joined.back().push_back(afterLetter ? 1 : 0);
                    afterLetter = true;
                }
            } else if (!veltara::IsCombiningMark(c)) {
                afterLetter = false;
            }
        }
    }
    r.firstPart = parts.front();
    PartTotal expression, soulUrge, personality;
    for (std::size_t p = 0; p < parts.size(); ++p) {
        const std::string &part = parts[p];
        std::uint64_t all = 0, vowels = 0, consonants = 0;
        for (std::size_t i = 0; i < part.size(); ++i) {
            const char letter = part[i];
            bool vowel = PlainVowel(letter);
            if (letter == 'Y')
                vowel = !(joined[p][i] && PlainVowel(part[i - 1])) &&
                        !(i + 1 < part.size() && joined[p][i + 1] && PlainVowel(part[i + 1]));
            const int value = Pythagorean(letter);
            all += static_cast<std::uint64_t>(value);
            (vowel ? vowels : consonants) += static_cast<std::uint64_t>(value);
            (vowel ? r.vowels : r.consonants).push_back(letter);
            r.letters.push_back(letter);
            ++r.carried[static_cast<std::size_t>(value)];
            r.compound += static_cast<std::uint64_t>(Chaldean(letter));
        }
        expression.Add(all);
        soulUrge.Add(vowels);
        personality.Add(consonants);
    }
    r.expression = expression.Total();
    r.soulUrge = soulUrge.Total();
    r.personality = personality.Total();
    return r;
}

// The letters A-Z of a text, in order.
std::string LettersOf(const std::string &steps)
{
    std::string letters;
    for (const char c : steps) {
        if (c >= 'A' && c <= 'Z')
            letters.push_back(c);
    }
    return letters;
}

bool EndsWith(const std::string &text, std::uint64_t number)
{
    const std::string digits = std::to_string(number);
    return text.size() > digits.size() && text.compare(text.size() - digits.size(), digits.size(), digits) == 0 &&
           (text[text.size() - digits.size() - 1] == ' ');
}

// Every value of the chart's table the same; the parts left out as many (a
// suffix keeps the case it was written in).
bool Same(const Chart &a, const Chart &b)
{
    for (const veltara::chart::ChartRow &row : veltara::chart::ChartRows) {
        const bool same = std::visit(
            [&](auto member) {
                if constexpr (std::is_same_v<decltype(member), std::vector<std::u32string> veltara::chart::PreparedName::*>)
                    return row.key == "leftOut" ? (a.name.*member).size() == (b.name.*member).size()
                                                : a.name.*member == b.name.*member;
                else
                    return a.*member == b.*member;
            },
            row.value);
        if (!same)
            return false;
    }
    return a.date == b.date && a.on == b.on && a.age == b.age;
}

bool ValidValue(int value)
{
    return (value >= 0 && value <= 9) || Master(static_cast<std::uint64_t>(value));
}

// The cycles: values in range, spans that join without gaps with one
// current in each set, the age as the calendar counts it, and a personal
// year of each value 1-9 in any nine years in a row.
void CheckCycles(const Chart &chart, const veltara::Date &birth, const veltara::Date &on)
{
    using namespace std::chrono;
    const auto days = [](const veltara::Date &date) {
        return sys_days{year_month_day{year{date.year}, month{static_cast<unsigned>(date.month)},
                                       day{static_cast<unsigned>(date.day)}}};
    };
    // The age: the last birthday (1 March for 29 February in another year) not after the reading date.
    int age = on.year - birth.year;
    while (age > 0) {
        veltara::Date birthday{birth.year + age, birth.month, birth.day};
        if (!veltara::IsValidDate(birthday))
            birthday = {birth.year + age, 3, 1};
        if (days(birthday) <= days(on))
            break;
        --age;
    }
    FUZZ_CHECK(chart.age == age);
    for (const ChartNumber *number : {&chart.universalYear, &chart.personalYear, &chart.personalMonth,
                                      &chart.personalDay})
        FUZZ_CHECK(number->value >= 1 && number->value <= 9);
    FUZZ_CHECK(veltara::chart::PersonalYearOf(birth, on.year) == chart.personalYear.value);
    unsigned seen = 0;
    for (int y = on.year; y < on.year + 9; ++y)
        seen |= 1u << veltara::chart::PersonalYearOf(birth, y);
    FUZZ_CHECK(seen == 0x3FEu);
    for (const veltara::chart::ChartRow &row : veltara::chart::ChartRows) {
        const std::span<const veltara::chart::Span> spans = veltara::chart::SpansOf(row, chart);
        if (spans.empty())
            continue;
        int current = 0;
        for (std::size_t i = 0; i < spans.size(); ++i) {
            FUZZ_CHECK(spans[i].fromAge == (i == 0 ? 0 : spans[i - 1].toAge));
            FUZZ_CHECK(i + 1 == spans.size() ? spans[i].toAge == -1 : spans[i].toAge > spans[i].fromAge);
            const int value = spans[i].number.value;
            FUZZ_CHECK(row.key == "challenges" ? value >= 0 && value <= 8 : ValidValue(value) && value != 0);
            current += spans[i].current ? 1 : 0;
            FUZZ_CHECK(spans[i].current == (age >= spans[i].fromAge && (spans[i].toAge < 0 || age < spans[i].toAge)));
        }
        FUZZ_CHECK(current == 1);
    }
    for (std::size_t i = 0; i < 4; ++i)
        FUZZ_CHECK(chart.challenges[i].toAge == chart.pinnacles[i].toAge);
}

// The rest: counts that add up to the letters, and the letters of the first part.
void CheckRest(const Chart &chart, const Reference &r)
{
    int included = 0, onPlanes = 0;
    for (std::size_t value = 1; value <= 9; ++value) {
        included += chart.inclusion[value - 1];
        FUZZ_CHECK((chart.inclusion[value - 1] == 0) == (r.carried[value] == 0));
    }
    for (const veltara::chart::Plane &plane : chart.planes) {
        onPlanes += plane.count;
        FUZZ_CHECK(ValidValue(plane.value) && (plane.count == 0) == (plane.value == 0));
    }
    FUZZ_CHECK(included == static_cast<int>(r.letters.size()) && onPlanes == included);
    FUZZ_CHECK(chart.subconsciousSelf == 9 - static_cast<int>(chart.karmicLessons.size()));
    FUZZ_CHECK(chart.balance.value >= 1 && chart.balance.value <= 9 && ValidValue(chart.rationalThought.value));
    FUZZ_CHECK(chart.cornerstone.letter == r.firstPart.front() && chart.capstone.letter == r.firstPart.back());
    FUZZ_CHECK(chart.firstVowel.letter == 0 || r.firstPart.find(chart.firstVowel.letter) != std::string::npos);
    FUZZ_CHECK(chart.name.leftOut.size() == r.leftOut);
    // The chart's debts are those of its numbers.
    std::vector<int> debts;
    for (const veltara::chart::ChartRow &row : veltara::chart::ChartRows) {
        const veltara::chart::ChartNumber *number = veltara::chart::NumberOf(row, chart);
        const int debt = number ? number->karmicDebt : 0;
        if (debt != 0 && std::find(debts.begin(), debts.end(), debt) == debts.end())
            debts.push_back(debt);
    }
    std::sort(debts.begin(), debts.end());
    FUZZ_CHECK(debts == chart.karmicDebts);
}

// The chart storage of the previous input, reused as a batch reuses it.
Chart reused;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 7)
        return 0;
    const int year = (data[0] | (data[1] << 8)) % 10240;
    const int month = data[2] % 14;
    const int day = data[3] % 33;
    const veltara::Date birth{year, month, day};
    const int years = data[4] & 0x7F;
    const veltara::Date on{data[4] & 0x80 ? year - years : year + years, 1 + data[5] % 12, 1 + data[6] % 31};
    const std::u32string name = Decode(data + 7, size - 7);

    Chart chart;
    const ChartRefusal refusal = veltara::chart::MakeChart(name, birth, on, chart);
    FUZZ_CHECK(veltara::chart::MakeChart(name, birth, on, reused) == refusal);
    FUZZ_CHECK(Same(chart, reused));

    using namespace std::chrono;
    const auto calendar = [](const veltara::Date &date) {
        return year_month_day{std::chrono::year{date.year}, std::chrono::month{static_cast<unsigned>(date.month)},
                              std::chrono::day{static_cast<unsigned>(date.day)}};
    };
    const bool validDate = year >= 1 && year <= 9999 && calendar(birth).ok();
    const bool validOn = on.year >= 1 && on.year <= 9999 && calendar(on).ok();
    FUZZ_CHECK(veltara::IsValidDate(birth) == validDate && veltara::IsValidDate(on) == validOn);
    const Reference r = Compute(name);
    if (!validDate || !validOn) {
        FUZZ_CHECK(refusal == ChartRefusal::NoSuchDate);
    } else if (r.letters.empty()) {
        FUZZ_CHECK(refusal == ChartRefusal::NoLetter);
    }
    if (refusal != ChartRefusal::None) {
        Chart empty;
        empty.date = birth;
        empty.on = on;
        FUZZ_CHECK(Same(chart, empty));
        return 0;
    }
    FUZZ_CHECK(validDate && validOn && !r.letters.empty());
    // Before the birth, the cycles are those of the birth date.
    const bool beforeBirth = calendar(on) < calendar(birth);
    FUZZ_CHECK(chart.cyclesFromBirth == beforeBirth && chart.on == on && chart.date == birth);
    CheckCycles(chart, birth, beforeBirth ? birth : on);
    CheckRest(chart, r);

    // The numbers by the rules.
    const std::uint64_t lifePathTotal = static_cast<std::uint64_t>(Reduced(static_cast<std::uint64_t>(month)) +
                                                                   Reduced(static_cast<std::uint64_t>(day)) +
                                                                   Reduced(static_cast<std::uint64_t>(year)));
    FUZZ_CHECK(chart.lifePath.total == lifePathTotal && chart.lifePath.value == Reduced(lifePathTotal));
    FUZZ_CHECK(chart.birthday.total == static_cast<std::uint64_t>(day) &&
               chart.birthday.value == Reduced(static_cast<std::uint64_t>(day)));
    FUZZ_CHECK(chart.expression.total == r.expression && chart.expression.value == Reduced(r.expression));
    FUZZ_CHECK(chart.soulUrge.total == r.soulUrge && chart.soulUrge.value == Reduced(r.soulUrge));
    FUZZ_CHECK(chart.personality.total == r.personality && chart.personality.value == Reduced(r.personality));
    const auto maturityTotal = static_cast<std::uint64_t>(chart.lifePath.value + chart.expression.value);
    FUZZ_CHECK(chart.maturity.total == maturityTotal && chart.maturity.value == Reduced(maturityTotal));
    for (const veltara::chart::ChartRow &row : veltara::chart::ChartRows) {
        if (row.section == veltara::chart::Section::Core)
            FUZZ_CHECK(ValidValue(veltara::chart::NumberOf(row, chart)->value));
    }
    FUZZ_CHECK(chart.chaldean.compound == r.compound && chart.chaldean.root == Reduced(r.compound, false));
    FUZZ_CHECK(chart.chaldean.root >= 1 && chart.chaldean.root <= 9);

    std::vector<int> lessons, passion, debts;
    const int most = *std::max_element(r.carried.begin() + 1, r.carried.end());
    for (int value = 1; value <= 9; ++value) {
        if (r.carried[static_cast<std::size_t>(value)] == 0)
            lessons.push_back(value);
        if (r.carried[static_cast<std::size_t>(value)] == most)
            passion.push_back(value);
    }
    FUZZ_CHECK(chart.karmicLessons == lessons && chart.hiddenPassion == passion);
    for (const std::uint64_t total : {lifePathTotal, static_cast<std::uint64_t>(day), r.expression, r.soulUrge,
                                      r.personality})
        Debts(total, debts);
    std::sort(debts.begin(), debts.end());
    debts.erase(std::unique(debts.begin(), debts.end()), debts.end());
    FUZZ_CHECK(chart.karmicDebts == debts);

    // The steps show the counted letters and end with the number.
    FUZZ_CHECK(LettersOf(chart.expression.steps) == r.letters);
    FUZZ_CHECK(LettersOf(chart.chaldean.steps) == r.letters);
    FUZZ_CHECK(r.vowels.empty() ? chart.soulUrge.steps == "no vowel" : LettersOf(chart.soulUrge.steps) == r.vowels);
    FUZZ_CHECK(r.consonants.empty() ? chart.personality.steps == "no consonant"
                                    : LettersOf(chart.personality.steps) == r.consonants);
    for (const ChartNumber *number : {&chart.lifePath, &chart.birthday, &chart.expression, &chart.maturity})
        FUZZ_CHECK(EndsWith(number->steps, static_cast<std::uint64_t>(number->value)));
    if (!r.vowels.empty())
        FUZZ_CHECK(EndsWith(chart.soulUrge.steps, static_cast<std::uint64_t>(chart.soulUrge.value)));
    if (!r.consonants.empty())
        FUZZ_CHECK(EndsWith(chart.personality.steps, static_cast<std::uint64_t>(chart.personality.value)));
    FUZZ_CHECK(EndsWith(chart.chaldean.steps, static_cast<std::uint64_t>(chart.chaldean.root)));
    // Uncounted: distinct entries, each a character that is no letter, or a
    // mark, followed by marks only; no white space.
    for (std::size_t i = 0; i < chart.name.uncounted.size(); ++i) {
        const std::u32string &entry = chart.name.uncounted[i];
        FUZZ_CHECK(!entry.empty() && !veltara::IsWhiteSpace(entry[0]));
        FUZZ_CHECK(veltara::FoldLetter(entry[0]).empty() || veltara::IsCombiningMark(entry[0]));
        for (std::size_t k = 1; k < entry.size(); ++k)
            FUZZ_CHECK(veltara::IsCombiningMark(entry[k]));
        for (std::size_t j = 0; j < i; ++j)
            FUZZ_CHECK(chart.name.uncounted[j] != entry);
    }

    // More white space around and between the parts, the other case of the
    // ASCII letters, and a combining mark after every letter: the same chart.
    std::u32string spaced = U"\u3000 ";
    std::u32string recased;
    std::u32string marked;
    for (const char32_t c : name) {
        spaced.push_back(c);
        if (veltara::IsWhiteSpace(c))
            spaced.append(U"\t\u00A0");
        const bool ascii = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
        recased.push_back(ascii ? c ^ 0x20 : c);
        marked.push_back(c);
        if (!veltara::FoldLetter(c).empty())
            marked.push_back(U'\u0301');
    }
    spaced.append(U"\n");
    // A mark on a suffix's letters makes it a part of the name; a Roman
    // numeral is one in capitals only.
    for (const std::u32string *same : {&spaced, &recased, &marked}) {
        if (same == &marked && !chart.name.leftOut.empty())
            continue;
        if (same == &recased && Compute(recased).leftOut != r.leftOut)
            continue;
        FUZZ_CHECK(veltara::chart::MakeChart(*same, birth, on, reused) == ChartRefusal::None);
        FUZZ_CHECK(Same(chart, reused));
    }
    return 0;
}
