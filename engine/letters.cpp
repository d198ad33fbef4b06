#include "letters.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace veltara {

namespace {

struct LetterFold {
    char32_t codePoint;
    char first;
    char second; // 0 for a single letter
};

struct CodePointRange {
    char32_t first;
    char32_t last;
};

#include "letters_table.inc"

constexpr bool SortedFolds()
{
    for (std::size_t i = 1; i < std::size(LetterFolds); ++i) {
        if (LetterFolds[i - 1].codePoint >= LetterFolds[i].codePoint)
            return false;
    }
    return true;
}

template <std::size_t N>
constexpr bool SortedRanges(const CodePointRange (&ranges)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        if (ranges[i].first > ranges[i].last || (i > 0 && ranges[i - 1].last >= ranges[i].first))
            return false;
    }
    return true;
}

static_assert(SortedFolds(), "LetterFolds must be in code point order");
static_assert(SortedRanges(CombiningMarks), "CombiningMarks must be sorted and disjoint");
static_assert(SortedRanges(WhiteSpace), "WhiteSpace must be sorted and disjoint");

template <std::size_t N>
bool InRanges(const CodePointRange (&ranges)[N], char32_t c) noexcept
{
    // The first range that ends at or after c.
    const CodePointRange *range = std::lower_bound(
        std::begin(ranges), std::end(ranges), c, [](const CodePointRange &r, char32_t value) { return r.last < value; });
    return range != std::end(ranges) && range->first <= c;
}

} // namespace

FoldedLetters FoldLetter(char32_t c) noexcept
{
    FoldedLetters folded;
    if (c < 0x80) {
        if (c >= U'a' && c <= U'z')
            c -= U'a' - U'A';
        if (c >= U'A' && c <= U'Z') {
            folded.letters[0] = static_cast<char>(c);
            folded.count = 1;
        }
        return folded;
    }
    if (c < LetterFolds[0].codePoint || c > std::prev(std::end(LetterFolds))->codePoint)
        return folded;
    const LetterFold *fold = std::lower_bound(std::begin(LetterFolds), std::end(LetterFolds), c,
                                              [](const LetterFold &f, char32_t value) { return f.codePoint < value; });
    if (fold == std::end(LetterFolds) || fold->codePoint != c)
        return folded;
    folded.letters[0] = fold->first;
    folded.letters[1] = fold->second;
    folded.count = fold->second == 0 ? 1 : 2;
    return folded;
}

bool IsCombiningMark(char32_t c) noexcept
{
    return c >= CombiningMarks[0].first && InRanges(CombiningMarks, c);
}

bool IsWhiteSpace(char32_t c) noexcept
{
    if (c < 0x80)
        return c == U' ' || (c >= 0x09 && c <= 0x0D);
    return InRanges(WhiteSpace, c);
}

const char *LetterTablesUnicodeVersion() noexcept
{
    return UnicodeVersion;
}

} // namespace veltara
