// Letter folding: which of the letters A-Z a character of a name counts as.
//
// A-Z count in either case; a character that Unicode decomposes canonically
// into one of them followed by combining marks counts as that letter (é, ñ,
// å, ç, ễ ...); ß and ẞ count as S S, æ as A E, œ as O E, ø as O, ł as L,
// đ and ð as D, þ as T H, in either case, and so do their forms with marks
// (ǽ, ǿ ...). Every other character counts as no letter.
//
// The tables come from the Unicode Character Database: letters_table.inc is
// written by unicode/make_letters_table.py, which also gives the combining
// marks and the white space that the chart needs.
#pragma once

#include <cstddef>

namespace veltara {

// Zero, one or two uppercase letters 'A'..'Z'.
struct FoldedLetters {
    char letters[2] = {0, 0};
    unsigned char count = 0;

    constexpr std::size_t size() const noexcept { return count; }
    constexpr bool empty() const noexcept { return count == 0; }
    constexpr char operator[](std::size_t i) const noexcept { return letters[i]; }
    constexpr const char *begin() const noexcept { return letters; }
    constexpr const char *end() const noexcept { return letters + count; }
};

FoldedLetters FoldLetter(char32_t c) noexcept;

// General category Mn, Mc or Me.
bool IsCombiningMark(char32_t c) noexcept;
// The White_Space property.
bool IsWhiteSpace(char32_t c) noexcept;

// The version of Unicode the tables were made from, "15.0.0".
const char *LetterTablesUnicodeVersion() noexcept;

} // namespace veltara
