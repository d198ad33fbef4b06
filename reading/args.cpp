#include "args.h"

#include "batch.h"
#include "chart.h"
#include "dates.h"
#include "text.h"
#include "version.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace veltara::reading {

namespace {

Options UsageError(std::string problem)
{
    Options options;
    options.mode = Options::Mode::Usage;
    options.problem = std::move(problem);
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
// missed: "9", "09", "Sep" and "september" are none of the names.
std::string MonthHint(std::string_view month)
{
    if (month.empty() || IsMonthName(month))
        return {};
    return "only the twelve English month names, written January to December, are known; \"" +
           std::string(month) + "\" adds no month digits";
}

// The number after --jobs, 1 to MaxJobs in decimal digits; 0 for any other
// text.
unsigned JobsCount(std::string_view text)
{
    unsigned count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count <= MaxJobs ? count : 0;
}

// The number after --years, 1 to the most a forecast covers in decimal
// digits; 0 for any other text.
int YearsCount(std::string_view text)
{
    int count = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    return error == std::errc() && end == text.data() + text.size() && count >= 1 &&
                   count <= chart::MostForecastYears
               ? count
               : 0;
}

} // namespace

std::string_view UsageText()
{
    return "Usage: veltara-reading [--json] NAME DAY MONTH YEAR\n"
           "       veltara-reading [--json] NAME YYYY-MM-DD\n"
           "       veltara-reading [--jobs N] [--csv [--steps]] --batch FILE\n"
           "       veltara-reading --chart [--json] [--on YYYY-MM-DD] [--current NAME] [--years N]\n"
           "                       NAME YYYY-MM-DD | NAME DAY MONTH YEAR\n"
           "       veltara-reading --chart [--on YYYY-MM-DD] [--years N] [--jobs N] [--csv [--steps]]\n"
           "                       --batch FILE\n"
           "       veltara-reading -h | --help | -v | --version\n";
}

std::string_view HelpText()
{
    static_assert(MaxJobs == 256, "the help gives the jobs as 1 to 256");
    return "veltara-reading: the numerology reading of Veltara Numerology Software on the\n"
           "command line, with how each number came about.\n"
           "\n"
           "Usage: veltara-reading [--json] NAME DAY MONTH YEAR\n"
           "       veltara-reading [--json] NAME YYYY-MM-DD\n"
           "       veltara-reading [--jobs N] [--csv [--steps]] --batch FILE\n"
           "       veltara-reading --chart [--json] [--on YYYY-MM-DD] [--current NAME] [--years N]\n"
           "                       NAME YYYY-MM-DD | NAME DAY MONTH YEAR\n"
           "       veltara-reading --chart [--on YYYY-MM-DD] [--years N] [--jobs N] [--csv [--steps]]\n"
           "                       --batch FILE\n"
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
    bool batch = false;
    bool onGiven = false;
    bool jobsGiven = false;
    bool currentGiven = false;
    bool yearsGiven = false;
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
        } else if (argument == "--on" || argument.starts_with("--on=")) {
            if (onGiven)
                return UsageError("--on given twice");
            onGiven = true;
            if (argument == "--on" && i + 1 == arguments.size())
                return UsageError("--on needs a date YYYY-MM-DD");
            options.on = argument == "--on" ? arguments[++i] : argument.substr(5);
            if (!IsIsoDateShape(options.on))
                return UsageError("\"" + options.on + "\" after --on is not a date YYYY-MM-DD");
        } else if (argument == "--jobs" || argument.starts_with("--jobs=")) {
            if (jobsGiven)
                return UsageError("--jobs given twice");
            jobsGiven = true;
            const std::string range = "a number from 1 to " + std::to_string(MaxJobs);
            if (argument == "--jobs" && i + 1 == arguments.size())
                return UsageError("--jobs needs " + range);
            const std::string_view count = argument == "--jobs" ? arguments[++i] : argument.substr(7);
            options.jobs = JobsCount(count);
            if (options.jobs == 0)
                return UsageError("\"" + std::string(count) + "\" after --jobs is not " + range);
        } else if (argument == "--current" || argument.starts_with("--current=")) {
            if (currentGiven)
                return UsageError("--current given twice");
            currentGiven = true;
            if (argument == "--current" && i + 1 == arguments.size())
                return UsageError("--current needs the name in use");
            options.current = argument == "--current" ? arguments[++i] : argument.substr(10);
        } else if (argument == "--years" || argument.starts_with("--years=")) {
            if (yearsGiven)
                return UsageError("--years given twice");
            yearsGiven = true;
            const std::string range = "a number from 1 to " + std::to_string(chart::MostForecastYears);
            if (argument == "--years" && i + 1 == arguments.size())
                return UsageError("--years needs " + range);
            const std::string_view count = argument == "--years" ? arguments[++i] : argument.substr(8);
            options.years = YearsCount(count);
            if (options.years == 0)
                return UsageError("\"" + std::string(count) + "\" after --years is not " + range);
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

    if (onGiven && !chart)
        return UsageError("--on is for the chart: give --chart too");
    if (currentGiven && !chart)
        return UsageError("--current is for the chart: give --chart too");
    if (yearsGiven && !chart)
        return UsageError("--years is for the chart: give --chart too");
    if (currentGiven && batch)
        return UsageError("--current is for one chart: in a batch, give the name in use as a third field after "
                          "the date YYYY-MM-DD");
    if (jobsGiven && !batch)
        return UsageError("--jobs is for the batch: give --batch too");
    if (options.csv && !batch)
        return UsageError("--csv is for the batch: give --batch too");
    if (options.csv && options.json)
        return UsageError("--csv and --json are two forms: give one");
    if (options.steps && !options.csv)
        return UsageError("--steps is for the CSV batch (JSON always has the steps): give --csv too");
    if (batch) {
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

} // namespace veltara::reading
