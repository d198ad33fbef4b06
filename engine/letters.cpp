#include "letters.h"

#include <algorithm>
#include <array>
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

template <std::size_t N>
constexpr bool SortedRanges(const CodePointRange (&ranges)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        if (ranges[i].first > ranges[i].last || (i > 0 && ranges[i - 1].last >= ranges[i].first))
            return false;
    }
    return true;
}

static_assert(std::adjacent_find(std::begin(LetterFolds), std::end(LetterFolds),
                                 [](const LetterFold &a, const LetterFold &b) { return a.codePoint >= b.codePoint; }) ==
                  std::end(LetterFolds),
              "LetterFolds must be in code point order");
static_assert(SortedRanges(CombiningMarks), "CombiningMarks must be sorted and disjoint");
static_assert(SortedRanges(Letters), "Letters must be sorted and disjoint");
static_assert(SortedRanges(WhiteSpace), "WhiteSpace must be sorted and disjoint");

template <std::size_t N>
bool InRanges(const CodePointRange (&ranges)[N], char32_t c) noexcept
{
    // The first range that ends at or after c.
    const CodePointRange *range = std::lower_bound(
        std::begin(ranges), std::end(ranges), c, [](const CodePointRange &r, char32_t value) { return r.last < value; });
    return range != std::end(ranges) && range->first <= c;
}

// Direct lookup for the code points below this, where most letters of
// Latin names are: Latin-1 Supplement and Latin Extended-A and -B.
constexpr char32_t DirectEnd = 0x0250;

struct DirectFold {
    char first = 0;
    char second = 0;
};

constexpr std::array<DirectFold, DirectEnd - 0x80> DirectFolds = [] {
    std::array<DirectFold, DirectEnd - 0x80> folds{};
    for (const LetterFold &fold : LetterFolds) {
        if (fold.codePoint >= 0x80 && fold.codePoint < DirectEnd)
            folds[fold.codePoint - 0x80] = {fold.first, fold.second};
    }
    return folds;
}();

} // namespace

namespace detail {

FoldedLetters FoldLetterBeyondAscii(char32_t c) noexcept
{
    if (c < DirectEnd) {
        const DirectFold &fold = DirectFolds[c - 0x80];
        return FoldedLetters(fold.first, fold.second);
    }
    if (c > std::prev(std::end(LetterFolds))->codePoint)
        return {};
    const LetterFold *fold = std::lower_bound(std::begin(LetterFolds), std::end(LetterFolds), c,
                                              [](const LetterFold &f, char32_t value) { return f.codePoint < value; });
    if (fold == std::end(LetterFolds) || fold->codePoint != c)
        return {};
    return FoldedLetters(fold->first, fold->second);
}

bool IsCombiningMarkBeyondAscii(char32_t c) noexcept
{
    return InRanges(CombiningMarks, c);
}

bool IsLetterBeyondAscii(char32_t c) noexcept
{
    return InRanges(Letters, c);
}

bool IsWhiteSpaceBeyondAscii(char32_t c) noexcept
{
    return InRanges(WhiteSpace, c);
}

} // namespace detail

} // namespace veltara
