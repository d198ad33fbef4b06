// The lines of the text output wrapped to a terminal's width: a label with
// its value from a fixed column, a sentence, and the columns a text takes.
#pragma once

#include "chartwords.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace veltara::reading {

// A line of the text output: the label, then the value from a fixed column,
// wrapped to `width` columns (0: not wrapped) with its continuation lines
// indented under the value.
void AppendLine(std::string &out, std::string_view label, std::string_view value, std::size_t width = 0,
                Breaks breaks = Breaks::AtSpaces);

// A line of the explanation that is a sentence; its continuation lines are
// indented by two.
void AppendSentence(std::string &out, std::string_view sentence, std::size_t width);

// How many columns of a terminal the well-formed UTF-8 text takes: two for
// the wide East Asian characters, none for combining marks and invisible
// format characters, one for the rest.
std::size_t TextColumns(std::string_view utf8);

} // namespace veltara::reading
