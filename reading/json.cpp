#include "json.h"

#include <algorithm>
#include <charconv>

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

void AppendJsonString(std::string &out, std::string_view utf8)
{
    static constexpr char Hex[] = "0123456789abcdef";
    // Most texts need no escape at all: copied in one go.
    static constexpr auto Escaped = [] {
        std::array<bool, 256> escaped{};
        for (int byte = 0; byte < 0x20; ++byte)
            escaped[static_cast<std::size_t>(byte)] = true;
        escaped['"'] = escaped['\\'] = true;
        return escaped;
    }();
    const bool plainText = std::none_of(utf8.begin(), utf8.end(),
                                        [](char c) { return Escaped[static_cast<unsigned char>(c)]; });
    if (plainText) {
        const std::size_t start = out.size();
        out.resize(start + utf8.size() + 2);
        char *to = out.data() + start;
        *to++ = '"';
        std::copy(utf8.begin(), utf8.end(), to);
        to[utf8.size()] = '"';
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
