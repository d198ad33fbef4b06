#include "chart.h"

#include "letters.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <unordered_set>

namespace veltara::chart {

namespace {

constexpr std::string_view Arrow = " \u2192 ";

// Room for a number and its reduction: at most 20 digits, then at most four
// passes (1.8e19 → at most 180 → at most 18 → at most 9) of an arrow and at
// most three digits.
constexpr std::size_t NumberRoom = 20 + 4 * (Arrow.size() + 3);

// Writes into a string without a check per character: the string is first
// grown by `room`, which the caller makes at least as large as what it
// writes, and cut to what was written at the end.
class Writer {
public:
    Writer(std::string &out, std::size_t room) : out_(out)
    {
        const std::size_t start = out.size();
        out.resize(start + room);
        at_ = out.data() + start;
    }
    ~Writer()
    {
        const auto written = static_cast<std::size_t>(at_ - out_.data());
        if (written > out_.size())
            std::abort(); // more than the room asked for: a fault of this file
        out_.resize(written);
    }
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    void Put(char c) noexcept { *at_++ = c; }
    void Put(std::string_view text) noexcept
    {
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
    }
    void Number(std::uint64_t number) noexcept
    {
        if (number < 10)
            *at_++ = static_cast<char>('0' + number);
        else
            at_ = std::to_chars(at_, at_ + 20, number).ptr;
    }
    // " → n" for every pass from `number` to its reduction.
    void Reduction(std::uint64_t number, bool keepMasters) noexcept
    {
        while (number > 9 && !(keepMasters && IsMasterNumber(number))) {
            number = AddDigits(number);
            Put(Arrow);
            Number(number);
        }
    }
    // Takes back the last `count` characters written.
    void Cut(std::size_t count) noexcept { at_ -= count; }
    // A number and the passes that reduce it.
    void Reduced(std::uint64_t number, bool keepMasters = true) noexcept
    {
        Number(number);
        Reduction(number, keepMasters);
    }

private:
    std::string &out_;
    char *at_;
};

bool IsPlainVowel(char letter) noexcept
{
    return letter == 'A' || letter == 'E' || letter == 'I' || letter == 'O' || letter == 'U';
}

// For each letter of a part, 1 when it is a vowel: A, E, I, O, U, and Y when
// neither letter beside it in the part is one of those.
void FindVowels(std::string_view part, std::string &vowels)
{
    vowels.resize(part.size());
    for (std::size_t i = 0; i < part.size(); ++i) {
        bool vowel = IsPlainVowel(part[i]);
        if (part[i] == 'Y')
            vowel = !(i > 0 && IsPlainVowel(part[i - 1])) && !(i + 1 < part.size() && IsPlainVowel(part[i + 1]));
        vowels[i] = vowel ? 1 : 0;
    }
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

// What MakeChart keeps from call to call, per thread, so that a batch of
// charts allocates nothing once the buffers have grown.
struct Scratch {
    std::string letters;        // the folded letters of the current part
    std::string vowels;         // 1 for each of them that is a vowel, else 0
    std::string chaldeanValues; // "1+4+1+..." for the whole name
    std::string results[3];     // each number's part results joined by " + "
    // The uncounted entries of a name with very many of them, for a lookup
    // that does not grow with their number.
    std::unordered_set<std::u32string> manyEntries;
};

thread_local Scratch TheScratch;

enum class Counts { All, Vowels, Consonants };

// One of the numbers added up part by part: expression, soul urge and
// personality.
struct PartNumber {
    ChartNumber &number;
    std::string &results;
    Counts counts;
    std::size_t parts = 0;

    // "LOVELACE 3+6+4+5+3+1+3+5 = 30 → 3", with the letters the number
    // counts; `vowels` tells for each letter of the part whether it is one.
    void AddPart(std::string_view part, std::string_view vowels)
    {
        const Counts counted = counts;
        const auto isCounted = [counted, vowels](std::size_t i) {
            return counted == Counts::All || (vowels[i] != 0) == (counted == Counts::Vowels);
        };
        std::uint64_t sum = 0;
        std::size_t letters = 0;
        {
            Writer out(number.steps, 3 * part.size() + 5 + NumberRoom);
            if (parts != 0)
                out.Put("; ");
            for (std::size_t i = 0; i < part.size(); ++i) {
                if (isCounted(i)) {
                    out.Put(part[i]);
                    ++letters;
                }
            }
            for (std::size_t i = 0; i < part.size(); ++i) {
                if (!isCounted(i))
                    continue;
                const int value = PythagoreanValue(part[i]);
                out.Put(sum == 0 ? ' ' : '+');
                out.Put(static_cast<char>('0' + value));
                sum += static_cast<std::uint64_t>(value);
            }
            if (letters > 1) {
                out.Put(" = ");
                out.Reduced(sum);
            }
            if (letters == 0)
                out.Cut(parts != 0 ? 2 : 0); // no "; " before nothing
        }
        if (letters == 0)
            return;
        const int result = Reduce(sum);
        Writer out(results, 5);
        if (parts != 0)
            out.Put(" + ");
        out.Number(static_cast<std::uint64_t>(result));
        number.total += static_cast<std::uint64_t>(result);
        ++parts;
    }

    void Finish(std::string_view none)
    {
        number.value = Reduce(number.total);
        if (parts == 0) {
            number.steps.assign(none);
        } else if (parts > 1) {
            Writer out(number.steps, 5 + results.size() + NumberRoom);
            out.Put("; ");
            out.Put(results);
            out.Put(" = ");
            out.Reduced(number.total);
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

// The uncounted entry just written (the last one) is dropped when an earlier
// entry is the same.
void DropRepeatedEntry(std::vector<std::u32string> &uncounted, std::unordered_set<std::u32string> &many)
{
    constexpr std::size_t FewEntries = 32;
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
    if (many.empty())
        many.insert(uncounted.begin(), uncounted.end() - 1);
    if (!many.insert(last).second)
        uncounted.pop_back();
}

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
    //                                             A  B  C  D  E  F  G  H  I  J  K  L  M
    static constexpr std::array<int, 26> Values = {1, 2, 3, 4, 5, 8, 3, 5, 1, 1, 2, 3, 4,
    //                                             N  O  P  Q  R  S  T  U  V  W  X  Y  Z
                                                   5, 7, 8, 1, 2, 3, 4, 6, 6, 6, 5, 1, 7};
    if (letter < 'A' || letter > 'Z')
        return 0;
    return Values[static_cast<std::size_t>(letter - 'A')];
}

void AppendReduction(std::string &out, std::uint64_t number, bool keepMasters)
{
    Writer(out, NumberRoom).Reduction(number, keepMasters);
}

ChartRefusal MakeChart(std::u32string_view name, int year, int month, int day, Chart &chart)
{
    ClearChart(chart);
    chart.year = year;
    chart.month = month;
    chart.day = day;
    if (!IsValidDate(year, month, day))
        return ChartRefusal::NoSuchDate;

    Scratch &scratch = TheScratch;
    scratch.letters.clear();
    scratch.chaldeanValues.clear();
    for (std::string &results : scratch.results)
        results.clear();
    scratch.manyEntries.clear();
    PartNumber expression{chart.expression, scratch.results[0], Counts::All};
    PartNumber soulUrge{chart.soulUrge, scratch.results[1], Counts::Vowels};
    PartNumber personality{chart.personality, scratch.results[2], Counts::Consonants};
    std::array<std::uint64_t, 10> carried{}; // letters carrying each value
    std::string &chaldeanSteps = chart.chaldean.steps;
    std::size_t letterCount = 0;

    const auto endPart = [&] {
        const std::string_view part = scratch.letters;
        if (part.empty())
            return;
        {
            Writer letters(chaldeanSteps, 1 + part.size());
            if (letterCount != 0)
                letters.Put(' ');
            letters.Put(part);
            Writer values(scratch.chaldeanValues, 2 * part.size());
            for (const char letter : part) {
                const int value = ChaldeanValue(letter);
                chart.chaldean.compound += static_cast<std::uint64_t>(value);
                if (letterCount++ != 0)
                    values.Put('+');
                values.Put(static_cast<char>('0' + value));
                ++carried[static_cast<std::size_t>(PythagoreanValue(letter))];
            }
        }
        FindVowels(part, scratch.vowels);
        expression.AddPart(part, scratch.vowels);
        soulUrge.AddPart(part, scratch.vowels);
        personality.AddPart(part, scratch.vowels);
        scratch.letters.clear();
    };

    // What the character before was, for the combining marks: a mark after
    // a letter is part of it, a mark after an uncounted character part of
    // that entry, and a mark at the start or after white space an entry.
    enum class After { Start, Letter, Entry } after = After::Start;
    std::vector<std::u32string> &uncounted = chart.uncounted;
    for (const char32_t c : name) {
        const FoldedLetters folded = FoldLetter(c);
        if (!folded.empty()) {
            if (after == After::Entry)
                DropRepeatedEntry(uncounted, scratch.manyEntries);
            scratch.letters.push_back(folded[0]);
            if (folded.size() > 1)
                scratch.letters.push_back(folded[1]);
            after = After::Letter;
        } else if (IsWhiteSpace(c)) {
            if (after == After::Entry)
                DropRepeatedEntry(uncounted, scratch.manyEntries);
            endPart();
            after = After::Start;
        } else if (after != After::Start && IsCombiningMark(c)) {
            if (after == After::Entry)
                uncounted.back().push_back(c);
        } else {
            if (after == After::Entry)
                DropRepeatedEntry(uncounted, scratch.manyEntries);
            uncounted.emplace_back(1, c);
            after = After::Entry;
        }
    }
    if (after == After::Entry)
        DropRepeatedEntry(uncounted, scratch.manyEntries);
    endPart();
    if (letterCount == 0) {
        ClearChart(chart);
        return ChartRefusal::NoLetter;
    }
    expression.Finish({});
    soulUrge.Finish("no vowel");
    personality.Finish("no consonant");

    // The Chaldean values of all the letters, after the letters themselves.
    {
        Writer out(chaldeanSteps, 4 + scratch.chaldeanValues.size() + NumberRoom);
        out.Put(' ');
        out.Put(scratch.chaldeanValues);
        if (letterCount > 1) {
            out.Put(" = ");
            out.Reduced(chart.chaldean.compound, false);
        }
    }
    chart.chaldean.root = ReduceToRoot(chart.chaldean.compound);

    // Life path: month, day and year each reduced, then their sum.
    // "month 10 → 1; day 12 → 3; year 1936 → 19 → 10 → 1; 1 + 3 + 1 = 5"
    ChartNumber &lifePath = chart.lifePath;
    const int monthValue = Reduce(static_cast<std::uint64_t>(month));
    const int dayValue = Reduce(static_cast<std::uint64_t>(day));
    const int yearValue = Reduce(static_cast<std::uint64_t>(year));
    lifePath.total = static_cast<std::uint64_t>(monthValue + dayValue + yearValue);
    lifePath.value = Reduce(lifePath.total);
    {
        Writer out(lifePath.steps, 40 + 4 * NumberRoom);
        out.Put("month ");
        out.Reduced(static_cast<std::uint64_t>(month));
        out.Put("; day ");
        out.Reduced(static_cast<std::uint64_t>(day));
        out.Put("; year ");
        out.Reduced(static_cast<std::uint64_t>(year));
        out.Put("; ");
        out.Number(static_cast<std::uint64_t>(monthValue));
        out.Put(" + ");
        out.Number(static_cast<std::uint64_t>(dayValue));
        out.Put(" + ");
        out.Number(static_cast<std::uint64_t>(yearValue));
        out.Put(" = ");
        out.Reduced(lifePath.total);
    }

    chart.birthday.total = static_cast<std::uint64_t>(day);
    chart.birthday.value = dayValue;
    {
        Writer out(chart.birthday.steps, 4 + NumberRoom);
        out.Put("day ");
        out.Reduced(static_cast<std::uint64_t>(day));
    }

    ChartNumber &maturity = chart.maturity;
    maturity.total = static_cast<std::uint64_t>(lifePath.value + chart.expression.value);
    maturity.value = Reduce(maturity.total);
    {
        Writer out(maturity.steps, 10 + NumberRoom);
        out.Number(static_cast<std::uint64_t>(lifePath.value));
        out.Put(" + ");
        out.Number(static_cast<std::uint64_t>(chart.expression.value));
        out.Put(" = ");
        out.Reduced(maturity.total);
    }

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
    return ChartRefusal::None;
}

} // namespace veltara::chart
