// Letter folding: which of the letters A-Z a character of a name counts as.
//
// A-Z count in either case; a character that Unicode decomposes canonically
// into one of them, followed by combining marks or alone, counts as that
// letter (é, ñ, å, ç, ễ ..., the Kelvin sign K); ß and ẞ count as S S, æ as A E, œ as O E, ø as O, ł as L,
// đ and ð as D, þ as T H, in either case, and so do their forms with marks
// (ǽ, ǿ ...). Every other character counts as no letter.
//
// The tables come from the Unicode Character Database: letters_table.inc is
// written by unicode/make_letters_table.py, which also gives the combining
// marks, the letters of every script and the white space that the chart needs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace veltara {

// Zero, one or two uppercase letters 'A'..'Z', packed into one small value
// that stays in a register.
class FoldedLetters {
public:
    constexpr FoldedLetters() noexcept = default;
    // No letter when `first` is 0.
    constexpr explicit FoldedLetters(char first, char second = 0) noexcept
        : packed_(first == 0 ? std::uint16_t{0} : static_cast<std::uint16_t>(Byte(first) | Byte(second) << 8))
    {
    }

    constexpr bool empty() const noexcept { return packed_ == 0; }

    class Iterator {
    public:
        constexpr Iterator(std::uint16_t rest) noexcept : rest_(rest) {}
        constexpr char operator*() const noexcept { return static_cast<char>(rest_ & 0xFF); }
        constexpr Iterator &operator++() noexcept
        {
            rest_ = static_cast<std::uint16_t>(rest_ >> 8);
            return *this;
        }
        constexpr bool operator==(const Iterator &other) const noexcept = default;

    private:
        std::uint16_t rest_;
    };
    constexpr Iterator begin() const noexcept { return Iterator(packed_); }
    constexpr Iterator end() const noexcept { return Iterator(0); }

private:
    static constexpr unsigned Byte(char c) noexcept { return static_cast<unsigned char>(c); }

    std::uint16_t packed_ = 0; // the first letter in the low byte
};

namespace detail {
FoldedLetters FoldLetterBeyondAscii(char32_t c) noexcept;
bool IsCombiningMarkBeyondAscii(char32_t c) noexcept;
bool IsLetterBeyondAscii(char32_t c) noexcept;
bool IsWhiteSpaceBeyondAscii(char32_t c) noexcept;
} // namespace detail

inline FoldedLetters FoldLetter(char32_t c) noexcept
{
    if (c >= 0x80)
        return detail::FoldLetterBeyondAscii(c);
    const char32_t upper = c & ~char32_t{0x20};
    if (upper >= U'A' && upper <= U'Z')
        return FoldedLetters(static_cast<char>(upper));
    return {};
}

// General category Mn, Mc or Me.
inline bool IsCombiningMark(char32_t c) noexcept
{
    return c >= 0x0300 && detail::IsCombiningMarkBeyondAscii(c);
}

// General category L, a letter of any script: A-Z and a-z, é, Ж, 京 ...
inline bool IsLetter(char32_t c) noexcept
{
    if (c < 0x80)
        return !FoldLetter(c).empty();
    return detail::IsLetterBeyondAscii(c);
}

// The White_Space property.
inline bool IsWhiteSpace(char32_t c) noexcept
{
    if (c < 0x80)
        return c == U' ' || (c >= 0x09 && c <= 0x0D);
    return detail::IsWhiteSpaceBeyondAscii(c);
}

} // namespace veltara
