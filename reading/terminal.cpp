#include "terminal.h"

#include <cstdlib>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace veltara::reading {

namespace {

std::size_t ColumnsFromEnvironment()
{
    constexpr std::size_t Default = 80;
    const char *columns = std::getenv("COLUMNS");
    if (!columns || !*columns)
        return Default;
    std::size_t value = 0;
    for (const char c : std::string_view(columns)) {
        if (c < '0' || c > '9' || value > 100000)
            return Default;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value == 0 ? Default : value;
}

} // namespace

std::size_t TerminalColumns(std::FILE *stream)
{
#ifdef _WIN32
    const int descriptor = _fileno(stream);
    if (descriptor < 0 || !_isatty(descriptor))
        return 0;
    CONSOLE_SCREEN_BUFFER_INFO info;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    if (GetConsoleScreenBufferInfo(handle, &info) && info.srWindow.Right > info.srWindow.Left)
        return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
#else
    const int descriptor = fileno(stream);
    if (descriptor < 0 || !isatty(descriptor))
        return 0;
    winsize size{};
    if (ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
#endif
    return ColumnsFromEnvironment();
}

} // namespace veltara::reading
