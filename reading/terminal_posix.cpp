#include "terminal.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace veltara::reading {

std::size_t TerminalColumns(std::FILE *stream)
{
    const int descriptor = fileno(stream);
    if (descriptor < 0 || !isatty(descriptor))
        return 0;
    winsize size{};
    if (ioctl(descriptor, TIOCGWINSZ, &size) == 0 && size.ws_col > 0)
        return size.ws_col;
    return ColumnsFromEnvironment();
}

} // namespace veltara::reading
