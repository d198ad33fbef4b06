#include "wrap.h"

#include "text.h"

#include <algorithm>

namespace veltara::reading {

namespace {

std::size_t CharacterColumns(char32_t c)
{
    if ((c >= 0x0300 && c <= 0x036F) || (c >= 0x200B && c <= 0x200F) || (c >= 0xFE00 && c <= 0xFE0F) ||
        c == 0xFEFF)
        return 0;
    if ((c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
        (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) ||
        (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
        (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD))
        return 2;
    return 1;
}

// Narrower than this, a wrapped value would be more line breaks than text.
constexpr std::size_t MinimumRoom = 20;

// Appends `text`, which starts at `column`, wrapped to `width` columns at
// its breaks: the spaces of a break are dropped and the next line starts
// with `indent` spaces. A word longer than a line is cut where the line
// ends. A width of 0 appends the text as it is.
void AppendWrapped(std::string &out, std::string_view text, std::size_t column, std::size_t indent,
                   std::size_t width, Breaks breaks)
{
    if (width == 0) {
        out.append(text);
        return;
    }
    const std::size_t right = std::max(width, indent + MinimumRoom);
    auto newLine = [&] {
        out.push_back('\n');
        out.append(indent, ' ');
        column = indent;
    };
    // An equals sign stays with what is on both sides of it ("14 = 48"), an
    // arrow with the number after it ("→ 5").
    constexpr std::string_view Arrow = "\u2192";
    auto isBreak = [&](std::size_t at) {
        if (text[at] != ' ' || (at > 0 && text[at - 1] == '=') || (at + 1 < text.size() && text[at + 1] == '=') ||
            text.substr(0, at).ends_with(Arrow))
            return false;
        return breaks == Breaks::AtSpaces || (at > 0 && text[at - 1] == ',');
    };
    bool written = false;  // some of the text is on the current line
    std::string_view gap;  // the spaces before the next word
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = pos;
        while (end < text.size() && !isBreak(end))
            ++end;
        const std::string_view word = text.substr(pos, end - pos);
        if (written && column + gap.size() + TextColumns(word) > right) {
            newLine();
        } else {
            out.append(gap);
            column += gap.size();
        }
        // A word wider than the line is cut where the line ends.
        for (std::size_t at = 0; at < word.size();) {
            std::size_t next = at;
            const std::size_t columns = CharacterColumns(NextCodePoint(word, next));
            if (written && column + columns > right)
                newLine();
            out.append(word.substr(at, next - at));
            column += columns;
            written = true;
            at = next;
        }
        pos = end;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        gap = text.substr(end, pos - end);
    }
}

} // namespace

void AppendLine(std::string &out, std::string_view label, std::string_view value, std::size_t width, Breaks breaks)
{
    out.append(label);
    out.append(std::string(label.size() < ValueColumn ? ValueColumn - label.size() : 1, ' '));
    AppendWrapped(out, value, std::max(label.size() + 1, ValueColumn), ValueColumn, width, breaks);
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    out.push_back('\n');
}

void AppendSentence(std::string &out, std::string_view sentence, std::size_t width)
{
    AppendWrapped(out, sentence, 0, 2, width, Breaks::AtSpaces);
    out.push_back('\n');
}

std::size_t TextColumns(std::string_view utf8)
{
    std::size_t columns = 0;
    for (std::size_t pos = 0; pos < utf8.size();)
        columns += CharacterColumns(NextCodePoint(utf8, pos));
    return columns;
}

} // namespace veltara::reading
