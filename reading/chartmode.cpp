#include "chartmode.h"

#include "args.h"
#include "batch.h"
#include "json.h"
#include "text.h"

#include <array>
#include <charconv>

namespace veltara::reading {

namespace {

constexpr std::array<std::string_view, 12> MonthNames = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december",
};

// The value of a text of digits (at most `maxDigits` of them), or -1.
int Number(std::string_view text, std::size_t maxDigits)
{
    if (!IsDigits(text) || text.size() > maxDigits)
        return -1;
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

// A month number 1 to 12, or an English month name in any case; 0 for
// anything else.
int MonthNumber(std::string_view text)
{
    if (IsDigits(text)) {
        const int month = Number(text, 2);
        return month >= 1 && month <= 12 ? month : 0;
    }
    for (std::size_t i = 0; i < MonthNames.size(); ++i) {
        const std::string_view name = MonthNames[i];
        if (std::equal(text.begin(), text.end(), name.begin(), name.end(), [](char a, char b) {
                return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
            }))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

void AppendPadded(std::string &out, int number, std::size_t digits)
{
    const std::string text = std::to_string(number);
    if (text.size() < digits)
        out.append(digits - text.size(), '0');
    out.append(text);
}

// YYYY-MM-DD.
std::string IsoDate(int year, int month, int day)
{
    std::string text;
    AppendPadded(text, year, 4);
    text.push_back('-');
    AppendPadded(text, month, 2);
    text.push_back('-');
    AppendPadded(text, day, 2);
    return text;
}

std::string Quoted(std::string_view text)
{
    return '"' + std::string(text) + '"';
}

// "2, 7", or "none".
std::string NumberList(const std::vector<int> &numbers)
{
    if (numbers.empty())
        return "none";
    std::string text;
    for (const int number : numbers) {
        if (!text.empty())
            text.append(", ");
        text.append(std::to_string(number));
    }
    return text;
}

struct NumberRow {
    std::string_view key;   // JSON
    std::string_view label; // text
    const chart::ChartNumber chart::Chart::*number;
};

constexpr NumberRow NumberRows[] = {
    {"lifePath", "Life Path", &chart::Chart::lifePath},
    {"birthday", "Birthday", &chart::Chart::birthday},
    {"expression", "Expression", &chart::Chart::expression},
    {"soulUrge", "Soul Urge", &chart::Chart::soulUrge},
    {"personality", "Personality", &chart::Chart::personality},
    {"maturity", "Maturity", &chart::Chart::maturity},
};

} // namespace

std::optional<ChartDate> ParseChartDate(const std::vector<std::string_view> &fields, std::string &problem)
{
    ChartDate date;
    if (fields.size() == 1) {
        const std::string_view text = TrimBlanks(fields[0]);
        if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !IsDigits(text.substr(0, 4)) ||
            !IsDigits(text.substr(5, 2)) || !IsDigits(text.substr(8, 2))) {
            problem = Quoted(text) + " is not a date YYYY-MM-DD";
            return std::nullopt;
        }
        date = {Number(text.substr(0, 4), 4), Number(text.substr(5, 2), 2), Number(text.substr(8, 2), 2)};
    } else if (fields.size() == 3) {
        const std::string_view day = TrimBlanks(fields[0]);
        const std::string_view month = TrimBlanks(fields[1]);
        const std::string_view year = TrimBlanks(fields[2]);
        date = {Number(year, 5), MonthNumber(month), Number(day, 2)};
        if (date.day < 0) {
            problem = Quoted(day) + " is not a day of the month";
            return std::nullopt;
        }
        if (date.month == 0) {
            problem = Quoted(month) + " is not a month: give 1 to 12 or an English month name";
            return std::nullopt;
        }
        if (date.year < 0) {
            problem = Quoted(year) + " is not a year from 1 to 9999";
            return std::nullopt;
        }
    } else {
        problem = "give the date as YYYY-MM-DD or DAY MONTH YEAR";
        return std::nullopt;
    }
    if (!chart::IsValidDate(date.year, date.month, date.day)) {
        problem = std::string(chart::RefusalMessage(chart::ChartRefusal::NoSuchDate)) + ": " +
                  IsoDate(date.year, date.month, date.day);
        if (date.year < 1 || date.year > 9999)
            problem.append(" (the years are 1 to 9999)");
        return std::nullopt;
    }
    return date;
}

bool MakeChartOf(std::string_view name, const ChartDate &date, chart::Chart &chart, std::string &problem)
{
    thread_local std::u32string codePoints;
    if (!Utf8ToCodePoints(name, codePoints)) {
        problem = "the name is not valid UTF-8";
        return false;
    }
    const chart::ChartRefusal refusal = chart::MakeChart(codePoints, date.year, date.month, date.day, chart);
    if (refusal != chart::ChartRefusal::None) {
        problem = chart::RefusalMessage(refusal);
        return false;
    }
    return true;
}

void AppendChartJson(std::string &out, std::string_view name, const chart::Chart &chart)
{
    JsonWriter json(out);
    json.beginObject().key("name").string(name).key("date").string(IsoDate(chart.year, chart.month, chart.day));
    for (const NumberRow &row : NumberRows) {
        const chart::ChartNumber &number = chart.*row.number;
        json.key(row.key)
            .beginObject()
            .key("value").number(static_cast<std::uint64_t>(number.value))
            .key("total").number(number.total)
            .key("steps").plainString(number.steps)
            .endObject();
    }
    json.key("karmicLessons").numbers(chart.karmicLessons)
        .key("hiddenPassion").numbers(chart.hiddenPassion)
        .key("karmicDebts").numbers(chart.karmicDebts)
        .key("chaldean")
        .beginObject()
        .key("compound").number(chart.chaldean.compound)
        .key("root").number(static_cast<std::uint64_t>(chart.chaldean.root))
        .key("steps").plainString(chart.chaldean.steps)
        .endObject();
    json.key("uncounted").beginArray();
    std::string entry;
    for (const std::u32string &characters : chart.uncounted) {
        entry.clear();
        for (const char32_t c : characters)
            AppendUtf8(entry, c);
        json.string(entry);
    }
    json.endArray().endObject();
}

std::string ChartText(std::string_view name, const chart::Chart &chart, std::size_t width)
{
    std::string out;
    AppendLine(out, "Name", name, width);
    AppendLine(out, "Date", IsoDate(chart.year, chart.month, chart.day), width);
    for (const NumberRow &row : NumberRows)
        AppendLine(out, row.label, std::to_string((chart.*row.number).value), width);
    AppendLine(out, "Karmic Lessons", NumberList(chart.karmicLessons), width);
    AppendLine(out, "Hidden Passion", NumberList(chart.hiddenPassion), width);
    AppendLine(out, "Karmic Debts", NumberList(chart.karmicDebts), width);
    AppendLine(out, "Chaldean", std::to_string(chart.chaldean.root) + " (compound " +
                                    std::to_string(chart.chaldean.compound) + ")", width);
    std::string uncounted;
    for (const std::u32string &characters : chart.uncounted) {
        if (!uncounted.empty())
            uncounted.append(", ");
        for (const char32_t c : characters)
            AppendCharacterShown(uncounted, c);
    }
    AppendLine(out, "Uncounted", uncounted.empty() ? "none" : uncounted, width, Breaks::AfterCommas);

    out.push_back('\n');
    AppendSentence(out, "How each number came about (Pythagorean letter values, Chaldean for the last)", width);
    for (const NumberRow &row : NumberRows) {
        std::string label = "  ";
        for (const char c : row.label)
            label.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        AppendLine(out, label, (chart.*row.number).steps, width);
    }
    AppendLine(out, "  Chaldean", chart.chaldean.steps, width);
    return out;
}

int RunChart(const Options &options, const Sink &out, const Sink &err)
{
    std::string problem;
    const std::vector<std::string_view> fields(options.chartDate.begin(), options.chartDate.end());
    chart::Chart chart;
    const std::optional<ChartDate> date = ParseChartDate(fields, problem);
    if (!date || !MakeChartOf(options.inputs.name, *date, chart, problem)) {
        err("veltara-reading: " + problem + '\n');
        return ExitRefused;
    }
    std::string text;
    if (options.json) {
        AppendChartJson(text, options.inputs.name, chart);
        text.push_back('\n');
    } else {
        text = ChartText(options.inputs.name, chart, options.textWidth);
    }
    return out(text) ? ExitRead : ExitUsage;
}

bool AppendChartRow(const CsvRow &row, std::string &out, std::string &problem)
{
    if (!row.error.empty()) {
        problem = row.error;
        return false;
    }
    if (row.fields.size() != 2 && row.fields.size() != 4) {
        problem = ColumnsProblem(row.fields.size());
        return false;
    }
    for (const std::string &field : row.fields) {
        if (!IsValidUtf8(field)) {
            problem = "the row is not valid UTF-8";
            return false;
        }
    }
    thread_local std::vector<std::string_view> fields;
    thread_local chart::Chart chart;
    fields.assign(row.fields.begin() + 1, row.fields.end());
    const std::optional<ChartDate> date = ParseChartDate(fields, problem);
    if (!date || !MakeChartOf(row.fields[0], *date, chart, problem))
        return false;
    AppendChartJson(out, row.fields[0], chart);
    return true;
}

} // namespace veltara::reading
