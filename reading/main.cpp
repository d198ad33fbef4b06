// veltara-reading: the reading of the main window on the command line.
#include "cli.h"
#include "console.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

using namespace veltara::reading;

namespace {

bool Write(std::FILE *stream, std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

// One line on the standard error. The texts come from the command line and
// the system, which hold no NUL.
void Complain(const std::string &what)
{
    std::fprintf(stderr, "veltara-reading: %s\n", what.c_str());
}

// Everything written reached its destination; says so when it did not.
bool Flushed()
{
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return true;
    Complain(std::string("cannot write the output: ") + std::strerror(errno));
    return false;
}

// Larger pipe buffers mean fewer switches between the programs of a
// pipeline; where the system does not offer it, nothing changes.
void WidenPipe([[maybe_unused]] std::FILE *stream)
{
#ifdef F_SETPIPE_SZ
    constexpr int PipeBytes = 1024 * 1024;
    const int descriptor = fileno(stream);
    if (descriptor >= 0 && fcntl(descriptor, F_GETPIPE_SZ) > 0 && fcntl(descriptor, F_GETPIPE_SZ) < PipeBytes)
        fcntl(descriptor, F_SETPIPE_SZ, PipeBytes);
#endif
}

int Batch(const Options &options)
{
    const bool standardInput = options.batchFile == "-";
    std::FILE *input = standardInput ? stdin : OpenForReading(options.batchFile);
    if (!input) {
        Complain("cannot read " + options.batchFile + ": " + std::strerror(errno));
        return ExitUsage;
    }
    WidenPipe(input);
    WidenPipe(stdout);
    int readError = 0;
    CsvReader reader([&](char *buffer, std::size_t size) -> std::size_t {
        const std::size_t got = std::fread(buffer, 1, size, input);
        if (got == 0 && std::ferror(input))
            readError = errno;
        return got;
    });
    const BatchResult result = RunBatch(reader, [](std::string_view text) { return Write(stdout, text); });
    if (!standardInput)
        std::fclose(input);

    const bool written = !result.writeFailed && Flushed();
    if (result.writeFailed && written)
        Complain("cannot write the output");
    if (!written)
        return ExitUsage;
    if (readError != 0) {
        Complain("cannot read " + std::string(standardInput ? "standard input" : options.batchFile) + ": " +
                 std::strerror(readError));
        return ExitUsage;
    }
    return result.failed == 0 ? ExitRead : ExitRefused;
}

} // namespace

int main(int argc, char *argv[])
{
    UseBinaryStandardStreams();
    const std::vector<std::string> given = CommandLineArguments(argc, argv);
    const std::vector<std::string_view> arguments(given.begin(), given.end());
    const Options options = ParseArguments(arguments);
    switch (options.mode) {
    case Options::Mode::Help:
        Write(stdout, HelpText());
        return Flushed() ? ExitRead : ExitUsage;
    case Options::Mode::Version:
        Write(stdout, VersionText());
        return Flushed() ? ExitRead : ExitUsage;
    case Options::Mode::Usage:
        Complain(options.problem);
        Write(stderr, UsageText());
        Write(stderr, "Try 'veltara-reading --help' for more information.\n");
        return ExitUsage;
    case Options::Mode::Batch:
        return Batch(options);
    case Options::Mode::Reading:
        break;
    }
    const int status = RunReading(
        options, [](std::string_view text) { return Write(stdout, text); },
        [](std::string_view text) { return Write(stderr, text); });
    return Flushed() ? status : ExitUsage;
}
