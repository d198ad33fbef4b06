#include "json.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace veltara::reading {

void AppendNumber(std::string &out, std::uint64_t number)
{
    if (number < 10) {
        out.push_back(static_cast<char>('0' + number));
        return;
    }
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, result.ptr);
}

namespace {

// Whether any byte is a control character, a double quote or a backslash,
// looked for eight bytes at a time.
bool NeedsEscape(std::string_view text)
{
    constexpr std::uint64_t Ones = 0x0101010101010101u;
    constexpr std::uint64_t Highs = 0x8080808080808080u;
    auto hasZeroByte = [](std::uint64_t v) { return (v - Ones) & ~v & Highs; };
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t v;
        std::memcpy(&v, text.data() + i, 8);
        // A byte below 0x20 has its high bit clear before and set after 0x20 is taken away.
        const std::uint64_t control = (v - 0x20 * Ones) & ~v & Highs;
        if (control | hasZeroByte(v ^ ('"' * Ones)) | hasZeroByte(v ^ ('\\' * Ones)))
            return true;
    }
    for (; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == '"' || byte == '\\')
            return true;
    }
    return false;
}

} // namespace

void AppendJsonString(std::string &out, std::string_view utf8)
{
    static constexpr char Hex[] = "0123456789abcdef";
    // Most texts need no escape at all: copied in one go.
    if (!NeedsEscape(utf8)) {
        const std::size_t start = out.size();
        out.resize(start + utf8.size() + 2);
        char *to = out.data() + start;
        *to++ = '"';
        to = std::copy(utf8.begin(), utf8.end(), to);
        *to = '"';
        return;
    }
    out.push_back('"');
    std::size_t plain = 0; // start of the run of bytes that need no escape
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte >= 0x20 && byte != '"' && byte != '\\')
            continue;
        out.append(utf8.substr(plain, i - plain));
        plain = i + 1;
        switch (byte) {
        case '"': out.append("\\\""); break;
        case '\\': out.append("\\\\"); break;
        case '\b': out.append("\\b"); break;
        case '\f': out.append("\\f"); break;
        case '\n': out.append("\\n"); break;
        case '\r': out.append("\\r"); break;
        case '\t': out.append("\\t"); break;
        default:
            out.append("\\u00");
            out.push_back(Hex[byte >> 4]);
            out.push_back(Hex[byte & 0xF]);
        }
    }
    out.append(utf8.substr(plain));
    out.push_back('"');
}

} // namespace veltara::reading
