// Strict UTF-8: the command line and the batch files are read as UTF-8, and
// a text that is not well-formed is refused rather than guessed at.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veltara::reading {

// Whether the bytes are well-formed UTF-8: no stray or missing continuation
// bytes, no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes) noexcept;

// Decodes the next character of well-formed UTF-8 at `pos` and moves `pos`
// past it. The text must have been checked with IsValidUtf8.
char32_t NextCodePoint(std::string_view text, std::size_t &pos) noexcept;

// Appends one character as UTF-8.
void AppendUtf8(std::string &out, char32_t codePoint);

// Well-formed UTF-8 as UTF-16 text units; nullopt for anything else.
std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes);

// UTF-16 text units as UTF-8. A surrogate without its partner (a text cut in
// the middle of a pair) becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view units);

} // namespace veltara::reading
