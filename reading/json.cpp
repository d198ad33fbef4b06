#include "json.h"

#include <array>

namespace veltara::reading {

namespace {

// For each byte, whether a JSON string escapes it: the controls, the
// quote and the backslash.
constexpr std::array<bool, 256> Escaped = [] {
    std::array<bool, 256> escaped{};
    for (std::size_t byte = 0; byte < 0x20; ++byte)
        escaped[byte] = true;
    escaped['"'] = true;
    escaped['\\'] = true;
    return escaped;
}();

} // namespace

void AppendJsonString(std::string &out, std::string_view utf8)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t plain = 0; // start of the run of bytes that need no escape
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (!Escaped[byte])
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
