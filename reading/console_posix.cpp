#include "console.h"

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

} // namespace veltara::reading
