#include "text.h"

#include <array>
#include <charconv>

namespace veltara {

namespace {

constexpr bool IsContinuation(unsigned char byte) noexcept { return (byte & 0xC0u) == 0x80u; }

// Length of the well-formed sequence that starts at `pos`, 0 when there is none.
std::size_t SequenceLength(std::string_view bytes, std::size_t pos) noexcept
{
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    if (lead < 0x80)
        return 1;
    const std::size_t left = bytes.size() - pos;
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[pos + k]); };
    if (lead >= 0xC2 && lead <= 0xDF)
        return left >= 2 && IsContinuation(at(1)) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (left < 3 || !IsContinuation(at(1)) || !IsContinuation(at(2)))
            return 0;
        if (lead == 0xE0 && at(1) < 0xA0)
            return 0; // overlong
        if (lead == 0xED && at(1) >= 0xA0)
            return 0; // surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (left < 4 || !IsContinuation(at(1)) || !IsContinuation(at(2)) || !IsContinuation(at(3)))
            return 0;
        if (lead == 0xF0 && at(1) < 0x90)
            return 0; // overlong
        if (lead == 0xF4 && at(1) >= 0x90)
            return 0; // above U+10FFFF
        return 4;
    }
    return 0;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) noexcept
{
    for (std::size_t pos = 0, length = 0; pos < bytes.size(); pos += length) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) // ASCII, most of any text
            length = 1;
        else if ((length = SequenceLength(bytes, pos)) == 0)
            return false;
    }
    return true;
}

char32_t NextCodePoint(std::string_view text, std::size_t &pos) noexcept
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    char32_t codePoint = lead;
    if (lead >= 0xF0) {
        length = 4;
        codePoint = lead & 0x07u;
    } else if (lead >= 0xE0) {
        length = 3;
        codePoint = lead & 0x0Fu;
    } else if (lead >= 0xC0) {
        length = 2;
        codePoint = lead & 0x1Fu;
    }
    for (std::size_t k = 1; k < length && pos + k < text.size(); ++k)
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[pos + k]) & 0x3Fu);
    pos += length;
    return codePoint;
}

void detail::AppendLargeNumber(std::string &out, std::uint64_t number)
{
    std::array<char, 20> digits; // the most a 64-bit number has
    const char *end = std::to_chars(digits.data(), digits.data() + digits.size(), number).ptr;
    out.append(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

void AppendUtf8(std::string &out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
        return;
    }
    // The lead byte, then six bits a continuation byte.
    static constexpr unsigned char Lead[] = {0, 0xC0, 0xE0, 0xF0};
    const int continuations = codePoint < 0x800 ? 1 : codePoint < 0x10000 ? 2 : 3;
    out.push_back(static_cast<char>(Lead[continuations] | (codePoint >> (6 * continuations))));
    for (int k = continuations - 1; k >= 0; --k)
        out.push_back(static_cast<char>(0x80 | ((codePoint >> (6 * k)) & 0x3F)));
}

namespace {

// Checks and decodes well-formed UTF-8 in one pass into `text`, `put`
// writing each character that is not ASCII; false at the first sequence
// that is not well-formed. No character takes more units than it has bytes.
template <typename Text, typename Put>
bool Decode(std::string_view bytes, Text &text, Put put)
{
    text.resize(bytes.size());
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        // Plain ASCII, the common case of names and dates, a unit a byte.
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            text[count++] = static_cast<typename Text::value_type>(bytes[pos++]);
            continue;
        }
        if (SequenceLength(bytes, pos) == 0)
            return false;
        put(text, count, NextCodePoint(bytes, pos));
    }
    text.resize(count);
    return true;
}

} // namespace

bool Utf8ToUtf16(std::string_view bytes, std::u16string &units)
{
    return Decode(bytes, units, [](std::u16string &to, std::size_t &count, char32_t codePoint) {
        if (codePoint < 0x10000) {
            to[count++] = static_cast<char16_t>(codePoint);
            return;
        }
        const char32_t offset = codePoint - 0x10000;
        to[count++] = static_cast<char16_t>(0xD800 + (offset >> 10));
        to[count++] = static_cast<char16_t>(0xDC00 + (offset & 0x3FF));
    });
}

bool Utf8ToCodePoints(std::string_view bytes, std::u32string &codePoints)
{
    return Decode(bytes, codePoints,
                  [](std::u32string &to, std::size_t &count, char32_t codePoint) { to[count++] = codePoint; });
}

std::optional<std::u16string> Utf8ToUtf16(std::string_view bytes)
{
    std::u16string units;
    if (!Utf8ToUtf16(bytes, units))
        return std::nullopt;
    return units;
}

char32_t NextCodePoint(std::u16string_view units, std::size_t &i) noexcept
{
    const char32_t unit = units[i++];
    if (unit < 0xD800 || unit > 0xDBFF || i == units.size() || units[i] < 0xDC00 || units[i] > 0xDFFF)
        return unit;
    return 0x10000 + ((unit - 0xD800) << 10) + (units[i++] - 0xDC00);
}

std::string Utf16ToUtf8(std::u16string_view units)
{
    std::string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size();) {
        if (units[i] < 0x80) {
            out.push_back(static_cast<char>(units[i++]));
            continue;
        }
        const char32_t codePoint = NextCodePoint(units, i);
        AppendUtf8(out, codePoint >= 0xD800 && codePoint <= 0xDFFF ? 0xFFFD : codePoint);
    }
    return out;
}

} // namespace veltara
