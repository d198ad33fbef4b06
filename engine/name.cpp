#include "name.h"

#include "letters.h"

#include <algorithm>
#include <utility>

namespace veltara::chart {

namespace {

bool IsPlainVowel(char letter) noexcept
{
    return letter == 'A' || letter == 'E' || letter == 'I' || letter == 'O' || letter == 'U';
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
    name.vowels.resize(end);
    const std::string_view letters = name.letters;
    for (std::size_t i = start; i < end; ++i) {
        bool vowel = IsPlainVowel(letters[i]);
        if (letters[i] == 'Y') {
            const bool afterVowel = joined[i] != 0 && IsPlainVowel(letters[i - 1]);
            const bool beforeVowel = i + 1 < end && joined[i + 1] != 0 && IsPlainVowel(letters[i + 1]);
            vowel = !afterVowel && !beforeVowel;
        }
        name.vowels[i] = vowel ? 1 : 0;
    }
}

// Whether `part` is `word`, ASCII letters in any case; `word` in lower case.
bool IsWordInAnyCase(std::u32string_view part, std::string_view word)
{
    return std::equal(part.begin(), part.end(), word.begin(), word.end(), [](char32_t c, char letter) {
        return c < 0x80 && (c | 0x20) == static_cast<char32_t>(letter);
    });
}

// A generational suffix: Jr, Jnr, Sr or Snr in any letter case, with or
// without one dot; a Roman numeral II to IX but V, in capitals; an ordinal
// 2nd to 9th in any letter case.
bool IsSuffix(std::u32string_view part)
{
    static constexpr std::string_view Titles[] = {"jr", "jnr", "sr", "snr"};
    static constexpr std::u32string_view Numerals[] = {U"II", U"III", U"IV", U"VI", U"VII", U"VIII", U"IX"};
    static constexpr std::string_view Ordinals[] = {"2nd", "3rd", "4th", "5th", "6th", "7th", "8th", "9th"};
    const std::u32string_view undotted = part.ends_with(U'.') ? part.substr(0, part.size() - 1) : part;
    const auto among = [](std::u32string_view text, const auto &words) {
        return std::any_of(std::begin(words), std::end(words),
                           [text](std::string_view word) { return IsWordInAnyCase(text, word); });
    };
    return among(undotted, Titles) || among(part, Ordinals) ||
           std::find(std::begin(Numerals), std::end(Numerals), part) != std::end(Numerals);
}

// Reads one part of the name, a run of characters that are no white space.
void ReadPart(std::u32string_view part, PreparedName &name, std::string &joined)
{
    // What the character before was, for the combining marks: a mark after
    // a letter is part of it, a mark after an uncounted character part of
    // that entry, and a mark at the start an entry.
    enum class After { Start, Letter, Entry } after = After::Start;
    const std::size_t start = name.letters.size();
    bool letters = false; // of any script
    for (const char32_t c : part) {
        const FoldedLetters folded = FoldLetter(c);
        letters = letters || IsLetter(c);
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
    if (letters && name.letters.size() == start)
        name.notLatin.emplace_back(part);
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
    name.notLatin.clear();
    std::string joined; // 1 for each letter that follows the letter before it directly
    // Where the last part starts, for the suffix.
    std::size_t last = text.size();
    while (last > 0 && IsWhiteSpace(text[last - 1]))
        --last;
    while (last > 0 && !IsWhiteSpace(text[last - 1]))
        --last;
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
        const bool suffix = !std::exchange(first, false) && at == last && IsSuffix(part);
        at = end;
        if (suffix)
            name.leftOut.emplace_back(part);
        else
            ReadPart(part, name, joined);
    }
}

} // namespace veltara::chart
