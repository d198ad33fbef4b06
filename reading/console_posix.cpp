#include "console.h"

#include <ctime>

#include <fcntl.h>

namespace veltara::reading {

std::vector<std::string> CommandLineArguments(int argc, char *argv[])
{
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void UseBinaryStandardStreams() {}

std::FILE *OpenForReading(const std::string &path)
{
    return std::fopen(path.c_str(), "rb");
}

void WidenPipe([[maybe_unused]] std::FILE *stream)
{
    // Linux only; other systems keep the size they chose.
#ifdef F_SETPIPE_SZ
    constexpr int PipeBytes = 1024 * 1024;
    const int descriptor = fileno(stream);
    if (descriptor < 0)
        return;
    const int size = fcntl(descriptor, F_GETPIPE_SZ);
    if (size > 0 && size < PipeBytes)
        fcntl(descriptor, F_SETPIPE_SZ, PipeBytes);
#endif
}

Date LocalToday()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

} // namespace veltara::reading
