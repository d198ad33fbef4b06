// veltara-reading: the reading of the main window on the command line.
#include "args.h"
#include "batch.h"
#include "chartmode.h"
#include "console.h"
#include "terminal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

using namespace veltara::reading;

namespace {

// One line on the standard error. The texts come from the command line and
// the system, which hold no NUL.
void Complain(const std::string &what)
{
    std::fprintf(stderr, "veltara-reading: %s\n", what.c_str());
}

bool WriteError(std::string_view text)
{
    return std::fwrite(text.data(), 1, text.size(), stderr) == text.size();
}

// The standard output. The first write that fails is kept with its cause,
// nothing more is written after it, and it is reported once, at the end.
class Output {
public:
    bool write(std::string_view text)
    {
        if (m_error != 0)
            return false;
        errno = 0;
        if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size())
            return true;
        m_error = errno != 0 ? errno : EIO;
        return false;
    }

    // Everything written reached its destination; says why when it did not.
    bool finish()
    {
        if (m_error == 0) {
            errno = 0;
            if (std::fflush(stdout) != 0 || std::ferror(stdout))
                m_error = errno != 0 ? errno : EIO;
        }
        if (m_error == 0)
            return true;
        Complain(std::string("cannot write the output: ") + std::strerror(m_error));
        return false;
    }

private:
    int m_error = 0;
};

int Batch(const Options &options, Output &output)
{
    veltara::Date on;
    std::string problem;
    if (ChartMode(options.mode) && !ReadingDate(options, on, problem)) {
        Complain(problem);
        return ExitRefused;
    }
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
    // Each job makes its own row answer.
    const bool chart = ChartMode(options.mode);
    const veltara::chart::Steps steps = options.steps ? veltara::chart::Steps::Written : veltara::chart::Steps::Left;
    const BatchForm form = options.csv ? CsvForm(chart, steps, options.years) : BatchForm();
    const RowAnswers answers = chart ? RowAnswers([&] { return RowAnswer(ChartRows(on, options.years, options.csv, steps)); })
                                     : RowAnswers([&] { return RowAnswer(ReadingRows(options.csv, steps)); });
    const BatchResult result = RunBatch(reader, [&output](std::string_view text) { return output.write(text); },
                                        answers, options.jobs != 0 ? options.jobs : DefaultJobs(), form);
    if (!standardInput)
        std::fclose(input);

    // A failed write ends the batch; the rest of the input is not read.
    if (!output.finish())
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
    Options options = ParseArguments(arguments);
    if (ChartMode(options.mode) && options.on.empty())
        options.on = veltara::IsoDateText(LocalToday());
    Output output;
    switch (options.mode) {
    case Options::Mode::Help:
    case Options::Mode::Version:
        output.write(options.mode == Options::Mode::Help ? HelpText() : VersionText());
        return output.finish() ? ExitRead : ExitUsage;
    case Options::Mode::Usage:
        Complain(options.problem);
        if (!options.hint.empty())
            Complain(options.hint);
        WriteError(UsageText());
        WriteError("Try 'veltara-reading --help' for more information.\n");
        return ExitUsage;
    case Options::Mode::ReadingBatch:
    case Options::Mode::ChartBatch:
        return Batch(options, output);
    case Options::Mode::Reading:
    case Options::Mode::Chart:
        break;
    }
    if (!options.json)
        options.textWidth = TerminalColumns(stdout);
    const int status = (options.mode == Options::Mode::Chart ? RunChart : RunReading)(
        options, [&output](std::string_view text) { return output.write(text); }, WriteError);
    const bool written = output.finish();
    if (!options.hint.empty()) {
        // After the reading: on a terminal, the two outputs show in order.
        Complain(options.hint);
    }
    return written ? status : ExitUsage;
}
