#include "args.h"

#include "batch.h"
#include "chart.h"
#include "dates.h"
#include "numerology.h"
#include "text.h"
#include "version.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <utility>

namespace veltara::reading {

namespace {

Options UsageError(std::string problem, std::string hint = {})
{
    Options options;
    options.mode = Options::Mode::Usage;
    options.problem = std::move(problem);
    options.hint = std::move(hint);
    return options;
}

// An ISO date by its shape (whatever its month), or digits only.
bool LooksLikeDate(std::string_view text)
{
    return IsIsoDateShape(text) || IsDigits(text);
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
std::string OrderHint(const std::vector<std::string_view> &positional, bool chart, const Options &options)
{
    if (positional.size() < 2 || !LooksLikeDate(positional.front()) || LooksLikeDate(positional.back()))
        return {};
    std::string hint = "the name comes first: veltara-reading ";
    if (chart)
        hint.append("--chart ");
    if (options.json)
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
// missed: "9", "09", "Sep" and "september" are none of the names, only
// "January" to "December" exactly as the window lists them.
std::string MonthHint(std::string_view month)
{
    if (month.empty() || std::find(MonthNames.begin(), MonthNames.end(), month) != MonthNames.end())
        return {};
    return "only the twelve English month names, written January to December, are known; \"" +
           std::string(month) + "\" adds no month digits";
}

// The number after --jobs or --years, 1 to `most` in decimal digits; 0 for
// any other text.
unsigned CountUpTo(std::string_view text, unsigned most)
{
    unsigned count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count <= most ? count : 0;
}

// An option that takes a value, given as "--years N" or "--years=N" and at
// most once, with what the value is.
struct ValueOption {
    std::string_view name;
    std::string needs;
    bool given = false;
};

// The option the argument gives, or none.
ValueOption *OptionOf(std::string_view argument, std::initializer_list<ValueOption *> options)
{
    for (ValueOption *option : options) {
        if (argument.starts_with(option->name) &&
            (argument.size() == option->name.size() || argument[option->name.size()] == '='))
            return option;
    }
    return nullptr;
}

std::string NumberRange(unsigned most)
{
    return "a number from 1 to " + std::to_string(most);
}

// The forms of the command, as the usage and the help give them.
constexpr std::string_view Forms =
    "Usage: veltara-reading [--json] NAME DAY MONTH YEAR\n"
    "       veltara-reading [--json] NAME YYYY-MM-DD\n"
    "       veltara-reading [--jobs N] [--csv [--steps]] --batch FILE\n"
    "       veltara-reading --chart [--json] [--on YYYY-MM-DD] [--current NAME] [--years N]\n"
    "                       NAME YYYY-MM-DD | NAME DAY MONTH YEAR\n"
    "       veltara-reading --chart [--on YYYY-MM-DD] [--years N] [--jobs N] [--csv [--steps]]\n"
    "                       --batch FILE\n";

} // namespace

std::string_view UsageText()
{
    static const std::string text = std::string(Forms) + "       veltara-reading -h | --help | -v | --version\n";
    return text;
}

std::string_view HelpText()
{
    static_assert(MaxJobs == 256, "the help gives the jobs as 1 to 256");
    static const std::string text =
        "veltara-reading: the numerology reading of Veltara Numerology Software on the\n"
        "command line, with how each number came about.\n"
        "\n" +
        std::string(Forms) +
        "\n"
        "NAME DAY MONTH YEAR are the four fields of the window, as typed: a day\n"
        "of one character gets a 0 in front (an empty day becomes 0), only the\n"
        "twelve English month names January to December give month digits (any\n"
        "other MONTH adds none), only the first 8 characters of the month digits,\n"
        "day and year count. YYYY-MM-DD is read as the day DD, the month name of\n"
        "MM and the year YYYY. The name comes first.\n"
        "\n"
        "  --chart       the numerology chart instead: life path, birthday,\n"
        "                expression, soul urge, personality and maturity numbers,\n"
        "                karmic lessons, hidden passion, karmic debts and the\n"
        "                Chaldean name number; the cycles (personal year, month\n"
        "                and day, pinnacles, challenges, periods); inclusion,\n"
        "                planes, balance and the rest, each with its arithmetic.\n"
        "                The date must exist (years 1 to 9999); MONTH is 1 to 12\n"
        "                or an English month name in any case. Only letters\n"
        "                count: A to Z, accented Latin letters as their base\n"
        "                letter; a last part Jr, Jnr, Sr, Snr, II-IV, VI-IX or\n"
        "                2nd-9th is left out as a suffix\n"
        "  --on DATE     with --chart: the date the cycles are read for,\n"
        "                YYYY-MM-DD, for one chart or a whole batch (default:\n"
        "                today); before the birth date, the cycles are read\n"
        "                from the birth\n"
        "  --current NAME with --chart: the name in use now (after a marriage, a\n"
        "                short form), for the minor expression, soul urge and\n"
        "                personality; in a batch, a third field after the date\n"
        "                YYYY-MM-DD instead\n"
        "  --years N     with --chart: a forecast of N years ahead (1 to 100) from\n"
        "                the reading date's year, each year read on its birthday,\n"
        "                for one chart or a whole batch\n"
        "  --json        one JSON object instead of the text\n"
        "  --batch FILE  a reading (or chart) for each CSV row of FILE (- for standard\n"
        "                input), name,YYYY-MM-DD or name,day,month,year (for the\n"
        "                chart also name,YYYY-MM-DD,current name): one JSON\n"
        "                line per row, {\"row\": N, \"line\": L, \"error\": \"...\"} for a\n"
        "                row that fails; blank lines and a header row are skipped\n"
        "  --csv         with --batch: CSV for a spreadsheet instead (UTF-8, CRLF\n"
        "                line ends): a header row, then a row for each row, in\n"
        "                order: row, line, the JSON's keys as columns (nested keys\n"
        "                after a dot, \"pinnacles.1.fromAge\"), error. A list is one\n"
        "                field, its items separated by a space; a field beginning\n"
        "                with =, +, -, @, a tab or a CR is written after an\n"
        "                apostrophe, so that no spreadsheet runs it as a formula\n"
        "  --steps       with --csv: the steps columns too (the chart's arithmetic,\n"
        "                the reading's breakdown), left out otherwise\n"
        "  --jobs N      with --batch: answer the rows on N threads, 1 to 256\n"
        "                (default: one per processor core); the output is the same\n"
        "                for any N\n"
        "  --            ends the options (for a name or day beginning with -)\n"
        "  -h, --help    this help\n"
        "  -v, --version the version\n"
        "\n"
        "Exit status: 0 reading given; 1 refused (the window's message on standard\n"
        "error; for the chart, a date that does not exist, or a name or name in\n"
        "use without a letter A to Z) or, with --batch, any row failed; 2 wrong\n"
        "arguments, unreadable input or output that cannot be written.\n";
    return text;
}

std::string_view VersionText()
{
    static const std::string text = std::string("Veltara Numerology Software ") + ProgramVersion + '\n';
    return text;
}

bool ChartMode(Options::Mode mode)
{
    return mode == Options::Mode::Chart || mode == Options::Mode::ChartBatch;
}

Options ParseArguments(const std::vector<std::string_view> &arguments)
{
    Options options;
    ValueOption on{"--on", "a date YYYY-MM-DD"};
    ValueOption jobs{"--jobs", NumberRange(MaxJobs)};
    ValueOption current{"--current", "the name in use"};
    ValueOption years{"--years", NumberRange(chart::MostForecastYears)};
    ValueOption batch{"--batch", "a file (- for standard input)"};
    bool chart = false;
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
        } else if (argument == "--csv") {
            options.csv = true;
        } else if (argument == "--steps") {
            options.steps = true;
        } else if (argument == "--chart") {
            chart = true;
        } else if (ValueOption *option = OptionOf(argument, {&on, &jobs, &current, &years, &batch})) {
            const std::string name(option->name);
            if (option->given)
                return UsageError(name + " given twice");
            option->given = true;
            const bool apart = argument == option->name;
            if (apart && i + 1 == arguments.size())
                return UsageError(name + " needs " + option->needs);
            const std::string_view value = apart ? arguments[++i] : argument.substr(name.size() + 1);
            const std::string notValue = '"' + std::string(value) + "\" after " + name + " is not " + option->needs;
            if (option == &on) {
                options.on = value;
                if (!IsIsoDateShape(value))
                    return UsageError(notValue);
            } else if (option == &jobs) {
                options.jobs = CountUpTo(value, MaxJobs);
                if (options.jobs == 0)
                    return UsageError(notValue);
            } else if (option == &years) {
                options.years = static_cast<int>(CountUpTo(value, chart::MostForecastYears));
                if (options.years == 0)
                    return UsageError(notValue);
            } else if (option == &current) {
                options.current = value;
            } else {
                options.batchFile = value;
                if (value.empty())
                    return UsageError(name + " needs " + option->needs);
            }
        } else {
            return UsageError("unknown option " + std::string(argument));
        }
    }

    for (const ValueOption *option : {&on, &current, &years}) {
        if (option->given && !chart)
            return UsageError(std::string(option->name) + " is for the chart: give --chart too");
    }
    if (current.given && batch.given)
        return UsageError("--current is for one chart: in a batch, give the name in use as a third field after "
                          "the date YYYY-MM-DD");
    if (jobs.given && !batch.given)
        return UsageError("--jobs is for the batch: give --batch too");
    if (options.csv && !batch.given)
        return UsageError("--csv is for the batch: give --batch too");
    if (options.csv && options.json)
        return UsageError("--csv and --json are two forms: give one");
    if (options.steps && !options.csv)
        return UsageError("--steps is for the CSV batch (JSON always has the steps): give --csv too");
    if (batch.given) {
        if (!positional.empty())
            return UsageError("--batch takes no NAME or date");
        options.mode = chart ? Options::Mode::ChartBatch : Options::Mode::ReadingBatch;
        return options;
    }
    for (const std::string_view argument : positional) {
        if (!IsValidUtf8(argument))
            return UsageError("the arguments must be UTF-8 text");
    }
    std::string orderHint = OrderHint(positional, chart, options);
    if (chart && (positional.size() == 2 || positional.size() == 4)) {
        options.inputs.name = positional[0];
        options.chartDate.assign(positional.begin() + 1, positional.end());
        options.hint = std::move(orderHint);
        options.mode = Options::Mode::Chart;
        return options;
    }
    if (positional.size() == 4) {
        options.inputs = {std::string(positional[0]), std::string(positional[1]), std::string(positional[2]),
                          std::string(positional[3])};
        options.hint = orderHint.empty() ? MonthHint(positional[2]) : std::move(orderHint);
    } else if (positional.size() == 2) {
        const std::optional<DateFields> date = ParseIsoDate(positional[1]);
        if (!date) {
            return UsageError("\"" + std::string(positional[1]) + "\" is not a date YYYY-MM-DD with a month from 01 to 12",
                              std::move(orderHint));
        }
        options.inputs = {std::string(positional[0]), date->day, date->month, date->year};
    } else {
        return UsageError(positional.empty() ? "no NAME and date given" : "give NAME DAY MONTH YEAR or NAME YYYY-MM-DD",
                          std::move(orderHint));
    }
    options.mode = Options::Mode::Reading;
    return options;
}

} // namespace veltara::reading
