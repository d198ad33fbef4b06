// Small text helpers shared by the engine and the command line: blanks and
// digits, and strict UTF-8. The command line and the batch files are read
// as UTF-8, and a text that is not well-formed is refused rather than
// guessed at.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltara {

template <typename Unit>
constexpr bool IsBlank(Unit unit) noexcept
{
    return unit == Unit(' ') || unit == Unit('\t');
}

template <typename Unit>
constexpr bool IsDigit(Unit unit) noexcept
{
    return unit >= Unit('0') && unit <= Unit('9');
}

// The text without the spaces and tabs before and after it.
template <typename Unit>
constexpr std::basic_string_view<Unit> TrimBlanks(std::basic_string_view<Unit> text) noexcept
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}
constexpr std::string_view TrimBlanks(std::string_view text) noexcept { return TrimBlanks<char>(text); }

// At least one character, and only the digits 0 to 9.
constexpr bool IsDigits(std::string_view text) noexcept
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c); });
}

namespace detail {
void AppendLargeNumber(std::string &out, std::uint64_t number);
} // namespace detail

// A count, age or value of a chart or a reading (never below 0) as the
// unsigned number the text writers take.
constexpr std::uint64_t Unsigned(int n) noexcept
{
    return static_cast<std::uint64_t>(n);
}

// Appends the plain decimal text of a number.
inline void AppendNumber(std::string &out, std::uint64_t number)
{
    if (number < 10) // most numbers of a chart or a reading
        out.push_back(static_cast<char>('0' + number));
    else
        detail::AppendLargeNumber(out, number);
}

// A letter A-Z in lower case; every other character as it is.
constexpr char AsciiLower(char c) noexcept
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether two texts are the same but for the case of the letters A-Z.
constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) noexcept
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// Whether the bytes are well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes) noexcept;

// Decodes the next character of well-formed UTF-8 at `pos` and moves `pos`
// past it. The text must have been checked with IsValidUtf8.
char32_t NextCodePoint(std::string_view text, std::size_t &pos) noexcept;

// The character of UTF-16 text at `i`, a surrogate pair taken whole, and
// moves `i` past it; a surrogate without its partner is returned as it is.
char32_t NextCodePoint(std::u16string_view units, std::size_t &i) noexcept;

// Appends one character as UTF-8.
void AppendUtf8(std::string &out, char32_t codePoint);

// Checks and converts in one pass: `units` becomes the UTF-16 text units of
// well-formed UTF-8 and the function returns true; false for anything else,
// `units` then holding an unspecified part of the text.
[[nodiscard]] bool Utf8ToUtf16(std::string_view bytes, std::u16string &units);
// The same for code points: true when the bytes are well-formed UTF-8.
[[nodiscard]] bool Utf8ToCodePoints(std::string_view bytes, std::u32string &codePoints);
// Well-formed UTF-8 as UTF-16 text units; nullopt for anything else.
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

// UTF-16 text units as UTF-8. A surrogate without its partner (a text cut in
// the middle of a pair) becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

} // namespace veltara
