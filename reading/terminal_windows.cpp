#include "terminal.h"

#include <io.h>
#include <windows.h>

namespace veltara::reading {

std::size_t TerminalColumns(std::FILE *stream)
{
    const int descriptor = _fileno(stream);
    if (descriptor < 0 || !_isatty(descriptor))
        return 0;
    CONSOLE_SCREEN_BUFFER_INFO info;
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(descriptor));
    if (GetConsoleScreenBufferInfo(handle, &info) && info.srWindow.Right > info.srWindow.Left)
        return static_cast<std::size_t>(info.srWindow.Right - info.srWindow.Left + 1);
    return ColumnsFromEnvironment();
}

} // namespace veltara::reading
