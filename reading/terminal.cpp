#include "terminal.h"

#include "text.h"

#include <cstdlib>
#include <string_view>

namespace veltara::reading {

std::size_t ColumnsFromEnvironment()
{
    constexpr std::size_t Default = 80;
    const char *columns = std::getenv("COLUMNS");
    if (!columns || !*columns)
        return Default;
    std::size_t value = 0;
    for (const char c : std::string_view(columns)) {
        if (!IsDigit(c) || value > 100000)
            return Default;
        value = value * 10 + static_cast<std::size_t>(c - '0');
    }
    return value == 0 ? Default : value;
}

} // namespace veltara::reading
