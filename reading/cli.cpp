#include "cli.h"

#include "output.h"
#include "utf8.h"

#include <algorithm>
#include <utility>

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

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// An ISO date by its shape (whatever its month), or digits only.
bool LooksLikeDate(std::string_view text)
{
    if (text.size() == 10 && text[4] == '-' && text[7] == '-')
        return IsDigits(text.substr(0, 4)) && IsDigits(text.substr(5, 2)) && IsDigits(text.substr(8, 2));
    return IsDigits(text);
}

// The text as one word of a shell command line.
std::string ShellWord(std::string_view text)
{
    const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("-_.,:/+=@%").find(c) != std::string_view::npos;
    });
    if (plain)
        return std::string(text);
    std::string word = "'";
    for (const char c : text) {
        if (c == '\'')
            word.append("'\\''");
        else
            word.push_back(c);
    }
    word.push_back('\'');
    return word;
}

// A date first and a last argument that is none says that the name was put
// last. For a date in the ISO form the line shows the command as meant.
std::string OrderHint(const std::vector<std::string_view> &positional, bool json)
{
    if (positional.size() < 2 || !LooksLikeDate(positional.front()) || LooksLikeDate(positional.back()))
        return {};
    std::string hint = "the name comes first: veltara-reading ";
    if (json)
        hint.append("--json ");
    if (!ParseIsoDate(positional.front())) {
        hint.append("NAME DAY MONTH YEAR or NAME YYYY-MM-DD");
        return hint;
    }
    std::string name;
    for (std::size_t i = 1; i < positional.size(); ++i) {
        if (i != 1)
            name.push_back(' ');
        name.append(positional[i]);
    }
    hint.append(ShellWord(name));
    hint.push_back(' ');
    hint.append(positional.front());
    return hint;
}

// A month the window does not know adds no month digits, which is easily
// missed: "9", "09", "Sep" and "september" are none of the names.
std::string MonthHint(std::string_view month)
{
    if (month.empty() || IsMonthName(month))
        return {};
    return "only the twelve English month names, written January to December, are known; \"" +
           std::string(month) + "\" adds no month digits";
}

} // namespace

std::string_view UsageText()
{
    return "Usage: veltara-reading [--json] NAME DAY MONTH YEAR\n"
           "       veltara-reading [--json] NAME YYYY-MM-DD\n"
           "       veltara-reading --batch FILE\n"
           "       veltara-reading -h | --help | -v | --version\n";
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
           "of one character gets a 0 in front (an empty day becomes 0), only the\n"
           "twelve English month names January to December give month digits (any\n"
           "other MONTH adds none), only the first 8 characters of the month digits,\n"
           "day and year count. YYYY-MM-DD is read as the day DD, the month name of\n"
           "MM and the year YYYY. The name comes first.\n"
           "\n"
           "  --json        one JSON object instead of the text\n"
           "  --batch FILE  a reading for each CSV row of FILE (- for standard input),\n"
           "                name,YYYY-MM-DD or name,day,month,year: one JSON line per\n"
           "                row, {\"row\": N, \"line\": L, \"error\": \"...\"} for a row that\n"
           "                fails; blank lines and a header row are skipped\n"
           "  --            ends the options (for a name or day beginning with -)\n"
           "  -h, --help    this help\n"
           "  -v, --version the version\n"
           "\n"
           "Exit status: 0 reading given; 1 refused (the window's message on standard\n"
           "error) or, with --batch, any row failed; 2 wrong arguments, unreadable\n"
           "input or output that cannot be written.\n";
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
        } else if (argument == "--help" || argument == "-h") {
            options.mode = Options::Mode::Help;
            return options;
        } else if (argument == "--version" || argument == "-v") {
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
    std::string orderHint = OrderHint(positional, options.json);
    if (positional.size() == 4) {
        options.inputs = {std::string(positional[0]), std::string(positional[1]), std::string(positional[2]),
                          std::string(positional[3])};
        options.hint = orderHint.empty() ? MonthHint(positional[2]) : std::move(orderHint);
    } else if (positional.size() == 2) {
        const std::optional<DateFields> date = ParseIsoDate(positional[1]);
        if (!date) {
            Options usage = UsageError("\"" + std::string(positional[1]) +
                                       "\" is not a date YYYY-MM-DD with a month from 01 to 12");
            usage.hint = std::move(orderHint);
            return usage;
        }
        options.inputs = {std::string(positional[0]), date->day, date->month, date->year};
    } else {
        Options usage = UsageError(positional.empty() ? "no NAME and date given"
                                                      : "give NAME DAY MONTH YEAR or NAME YYYY-MM-DD");
        usage.hint = std::move(orderHint);
        return usage;
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
        text = ReadingText(reading, options.textWidth);
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
    if (row.fields.size() == 4) {
        return Inputs{row.fields[0], std::string(TrimBlanks(row.fields[1])), std::string(TrimBlanks(row.fields[2])),
                      std::string(TrimBlanks(row.fields[3]))};
    }
    if (row.fields.size() == 2) {
        std::optional<DateFields> date = ParseIsoDate(TrimBlanks(row.fields[1]));
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

bool IsBlankRow(const CsvRow &row)
{
    if (!row.error.empty())
        return false;
    return std::all_of(row.fields.begin(), row.fields.end(),
                       [](const std::string &field) { return TrimBlanks(field).empty(); });
}

bool IsHeaderRow(const CsvRow &row)
{
    if (!row.error.empty())
        return false;
    auto is = [&row](std::size_t field, std::string_view name) {
        const std::string_view text = TrimBlanks(row.fields[field]);
        return std::equal(text.begin(), text.end(), name.begin(), name.end(), [](char a, char b) {
            return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
        });
    };
    if (row.fields.size() == 2)
        return is(0, "name") && (is(1, "date") || is(1, "birthdate") || is(1, "birth date"));
    return row.fields.size() == 4 && is(0, "name") && is(1, "day") && is(2, "month") && is(3, "year");
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
    bool headerPossible = true;
    while (reader.next(row)) {
        if (IsBlankRow(row))
            continue;
        if (std::exchange(headerPossible, false) && IsHeaderRow(row))
            continue;
        ++result.rows;
        const std::optional<Inputs> inputs = RowInputs(row, problem);
        const Outcome outcome = inputs ? MakeReading(*inputs, reading) : Outcome::NotUtf8;
        if (!inputs) {
            AppendRowErrorJson(pending, result.rows, row.line, problem);
            ++result.failed;
        } else if (outcome != Outcome::Read) {
            AppendRowErrorJson(pending, result.rows, row.line,
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
