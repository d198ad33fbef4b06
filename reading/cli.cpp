#include "cli.h"

#include "output.h"
#include "utf8.h"

namespace veltara::reading {

namespace {

constexpr std::string_view NotUtf8Row = "the row is not valid UTF-8";

Options UsageError(std::string problem)
{
    Options options;
    options.mode = Options::Mode::Usage;
    options.problem = std::move(problem);
    return options;
}

} // namespace

std::string_view UsageText()
{
    return "Usage: veltara-reading [--json] NAME DAY MONTH YEAR\n"
           "       veltara-reading [--json] NAME YYYY-MM-DD\n"
           "       veltara-reading --batch FILE\n"
           "       veltara-reading --help | --version\n";
}

std::string_view HelpText()
{
    return "veltara-reading: the numerology reading of Veltara Numerology Software on the\n"
           "command line, with how each number came about.\n"
           "\n"
           "Usage: veltara-reading [--json] NAME DAY MONTH YEAR\n"
           "       veltara-reading [--json] NAME YYYY-MM-DD\n"
           "       veltara-reading --batch FILE\n"
           "\n"
           "NAME DAY MONTH YEAR are the four fields of the window, as typed: a day\n"
           "of one character gets a 0 in front, MONTH is an English month name with a\n"
           "capital initial (\"January\"), only the first 8 characters of the month\n"
           "digits, day and year count. YYYY-MM-DD is read as the day DD, the month\n"
           "name of MM and the year YYYY.\n"
           "\n"
           "  --json        one JSON object instead of the text\n"
           "  --batch FILE  a reading for each CSV row of FILE (- for standard input),\n"
           "                name,YYYY-MM-DD or name,day,month,year: one JSON line per\n"
           "                row, {\"row\": N, \"error\": \"...\"} for a row that fails\n"
           "  --            ends the options (for a name or day beginning with -)\n"
           "  --help        this help\n"
           "  --version     the version\n"
           "\n"
           "Exit status: 0 reading given; 1 refused (the window's message on standard\n"
           "error) or, with --batch, any row failed; 2 wrong arguments or unreadable\n"
           "input.\n";
}

std::string_view VersionText()
{
    return "Veltara Numerology Software " VELTARA_VERSION "\n";
}

Options ParseArguments(const std::vector<std::string_view> &arguments)
{
    Options options;
    bool batch = false;
    bool optionsEnded = false;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument.front() != '-') {
            positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help") {
            options.mode = Options::Mode::Help;
            return options;
        } else if (argument == "--version") {
            options.mode = Options::Mode::Version;
            return options;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--batch" || argument.starts_with("--batch=")) {
            if (batch)
                return UsageError("--batch given twice");
            batch = true;
            if (argument == "--batch") {
                if (i + 1 == arguments.size())
                    return UsageError("--batch needs a file (- for standard input)");
                options.batchFile = arguments[++i];
            } else {
                options.batchFile = argument.substr(8);
            }
            if (options.batchFile.empty())
                return UsageError("--batch needs a file (- for standard input)");
        } else {
            return UsageError("unknown option " + std::string(argument));
        }
    }

    if (batch) {
        if (!positional.empty())
            return UsageError("--batch takes no NAME or date");
        options.mode = Options::Mode::Batch;
        return options;
    }
    for (const std::string_view argument : positional) {
        if (!IsValidUtf8(argument))
            return UsageError("the arguments must be UTF-8 text");
    }
    if (positional.size() == 4) {
        options.inputs = {std::string(positional[0]), std::string(positional[1]), std::string(positional[2]),
                          std::string(positional[3])};
    } else if (positional.size() == 2) {
        const std::optional<DateFields> date = ParseIsoDate(positional[1]);
        if (!date)
            return UsageError("\"" + std::string(positional[1]) + "\" is not a date YYYY-MM-DD with a month from 01 to 12");
        options.inputs = {std::string(positional[0]), date->day, date->month, date->year};
    } else {
        return UsageError(positional.empty() ? "no NAME and date given"
                                             : "give NAME DAY MONTH YEAR or NAME YYYY-MM-DD");
    }
    options.mode = Options::Mode::Reading;
    return options;
}

int RunReading(const Options &options, const Sink &out, const Sink &err)
{
    Reading reading;
    const Outcome outcome = MakeReading(options.inputs, reading);
    if (outcome != Outcome::Read) {
        std::string message(OutcomeMessage(outcome));
        message.push_back('\n');
        err(message);
        return outcome == Outcome::NotUtf8 ? ExitUsage : ExitRefused;
    }
    std::string text;
    if (options.json) {
        AppendReadingJson(text, reading);
        text.push_back('\n');
    } else {
        text = ReadingText(reading);
    }
    return out(text) ? ExitRead : ExitRefused;
}

std::optional<Inputs> RowInputs(const CsvRow &row, std::string &problem)
{
    if (!row.error.empty()) {
        problem = row.error;
        return std::nullopt;
    }
    // The reading checks the fields of a row of four; a date must be one.
    if (row.fields.size() == 2 && !IsValidUtf8(row.fields[0])) {
        problem = NotUtf8Row;
        return std::nullopt;
    }
    if (row.fields.size() == 4)
        return Inputs{row.fields[0], row.fields[1], row.fields[2], row.fields[3]};
    if (row.fields.size() == 2) {
        std::optional<DateFields> date = ParseIsoDate(row.fields[1]);
        if (!date) {
            problem = "the date is not YYYY-MM-DD with a month from 01 to 12";
            return std::nullopt;
        }
        return Inputs{row.fields[0], std::move(date->day), std::move(date->month), std::move(date->year)};
    }
    problem = "the row has " + std::to_string(row.fields.size()) +
              (row.fields.size() == 1 ? " column" : " columns") +
              ", not name,YYYY-MM-DD or name,day,month,year";
    return std::nullopt;
}

BatchResult RunBatch(CsvReader &reader, const Sink &out)
{
    constexpr std::size_t FlushBytes = 256 * 1024;
    BatchResult result;
    CsvRow row;
    Reading reading;
    std::string problem;
    std::string pending;
    pending.reserve(FlushBytes + 4096);
    while (reader.next(row)) {
        ++result.rows;
        const std::optional<Inputs> inputs = RowInputs(row, problem);
        const Outcome outcome = inputs ? MakeReading(*inputs, reading) : Outcome::NotUtf8;
        if (!inputs) {
            AppendRowErrorJson(pending, row.number, problem);
            ++result.failed;
        } else if (outcome != Outcome::Read) {
            AppendRowErrorJson(pending, row.number,
                               outcome == Outcome::NotUtf8 ? NotUtf8Row : OutcomeMessage(outcome));
            ++result.failed;
        } else {
            AppendReadingJson(pending, reading);
        }
        pending.push_back('\n');
        if (pending.size() >= FlushBytes) {
            if (!out(pending)) {
                result.writeFailed = true;
                return result;
            }
            pending.clear();
        }
    }
    if (!pending.empty() && !out(pending))
        result.writeFailed = true;
    return result;
}

} // namespace veltara::reading
