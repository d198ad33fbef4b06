// What the program needs to know of a terminal.
#pragma once

#include <cstddef>
#include <cstdio>

namespace veltara::reading {

// The width in columns of the terminal the stream writes to, or 0 when it
// does not write to a terminal. A terminal that does not tell its width is
// taken to have ColumnsFromEnvironment() columns. Each operating system has
// its own (terminal_posix.cpp, terminal_windows.cpp).
std::size_t TerminalColumns(std::FILE *stream);

// The width of a terminal that does not tell it: COLUMNS, or 80.
std::size_t ColumnsFromEnvironment();

} // namespace veltara::reading
