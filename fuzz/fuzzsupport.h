// Helpers shared by the fuzz targets: strict conversions between UTF-8 and
// UTF-16, written independently of the engine and of veltara-reading's own
// (fuzz_utf8 checks the one against the other), and a check that reports the
// failing input and aborts so that libFuzzer keeps it as a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace fuzzsupport {

[[noreturn]] inline void Fail(const char *what, const char *file, int line)
{
    std::fprintf(stderr, "\n==== fuzz check failed: %s (%s:%d)\n", what, file, line);
    std::fflush(stderr);
    std::abort();
}

// Valid UTF-8 to UTF-16; nullopt for any ill-formed input: stray or missing
// continuation bytes, overlong forms, surrogates, values above U+10FFFF.
inline std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        char32_t codePoint = 0;
        char32_t smallest = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if (lead >= 0xC0 && lead < 0xE0) {
            length = 2;
            codePoint = lead & 0x1Fu;
            smallest = 0x80;
        } else if (lead >= 0xE0 && lead < 0xF0) {
            length = 3;
            codePoint = lead & 0x0Fu;
            smallest = 0x800;
        } else if (lead >= 0xF0 && lead < 0xF8) {
            length = 4;
            codePoint = lead & 0x07u;
            smallest = 0x10000;
        } else {
            return std::nullopt; // continuation byte in lead position, or 0xF8..0xFF
        }
        if (bytes.size() - i < length)
            return std::nullopt;
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0u) != 0x80u)
                return std::nullopt;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return std::nullopt;
        if (codePoint < 0x10000) {
            out.push_back(static_cast<char16_t>(codePoint));
        } else {
            const char32_t offset = codePoint - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (offset >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (offset & 0x3FFu)));
        }
        i += length;
    }
    return out;
}

// Valid UTF-16 (no lone surrogate) to UTF-8; nullopt otherwise.
inline std::optional<std::string> Utf16ToUtf8(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size() * 3);
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t codePoint = units[i];
        if (codePoint >= 0xDC00 && codePoint <= 0xDFFF)
            return std::nullopt;
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF) {
            if (i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
                return std::nullopt;
            codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        if (codePoint < 0x80) {
            out.push_back(static_cast<char>(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
        }
    }
    return out;
}

// A field of fuzz bytes as the text a user could have typed: its UTF-16 form
// when the bytes are valid UTF-8, otherwise each byte as one unit (Latin-1),
// so that ill-formed input still reaches the engine.
inline std::u16string TextOf(std::string_view bytes)
{
    if (auto text = Utf8ToUtf16(bytes))
        return *std::move(text);
    std::u16string widened;
    widened.reserve(bytes.size());
    for (const char byte : bytes)
        widened.push_back(static_cast<unsigned char>(byte));
    return widened;
}

// Bytes taken pairwise, little end first, as UTF-16 units; an odd last byte
// is left out. Copied so that the units are aligned whatever the input is.
inline std::u16string UnitsOf(const std::uint8_t *data, std::size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return units;
}

// Reduction pass as the numbers are written down: the sum of the decimal
// digits of a whole number's text.
inline std::uint64_t DecimalDigitSum(std::uint64_t number)
{
    const std::string text = std::to_string(number);
    std::uint64_t sum = 0;
    for (const char digit : text)
        sum += static_cast<std::uint64_t>(digit - '0');
    return sum;
}

} // namespace fuzzsupport

#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition))                                                                         \
            ::fuzzsupport::Fail(#condition, __FILE__, __LINE__);                                  \
    } while (false)
