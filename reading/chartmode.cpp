#include "chartmode.h"

#include "args.h"
#include "batch.h"
#include "json.h"
#include "text.h"

namespace veltara::reading {

namespace {

using chart::Chart;
using chart::ChartNumber;

std::string Utf8Of(const std::u32string &characters)
{
    std::string text;
    for (const char32_t c : characters)
        AppendUtf8(text, c);
    return text;
}

// A core number as practitioners write it: "14/5", or "7" where the total is
// the value; its karmic debt after it.
std::string CompoundText(const ChartNumber &number)
{
    std::string text;
    if (number.total != static_cast<std::uint64_t>(number.value)) {
        AppendNumber(text, number.total);
        text.push_back('/');
    }
    AppendNumber(text, static_cast<std::uint64_t>(number.value));
    if (number.karmicDebt != 0) {
        text.append(", karmic debt ");
        AppendNumber(text, static_cast<std::uint64_t>(number.karmicDebt));
    }
    return text;
}

// "8, ages 0 to 31", "7, from age 49", with ", now" on the current one.
std::string SpanText(const chart::Span &span)
{
    std::string text;
    AppendNumber(text, static_cast<std::uint64_t>(span.number.value));
    text.append(span.toAge < 0 ? ", from age " : ", ages ");
    AppendNumber(text, static_cast<std::uint64_t>(span.fromAge));
    if (span.toAge >= 0) {
        text.append(" to ");
        AppendNumber(text, static_cast<std::uint64_t>(span.toAge));
    }
    if (span.current)
        text.append(", now");
    return text;
}

// The label of a row in the steps: "  life path".
std::string StepsLabel(std::string_view label)
{
    std::string text = "  ";
    for (const char c : label)
        text.push_back(AsciiLower(c));
    return text;
}

void AppendNumberJson(JsonWriter &json, std::string_view key, const ChartNumber &number, bool total)
{
    json.key(key).beginObject().key("value").number(static_cast<std::uint64_t>(number.value));
    if (total)
        json.key("total").number(number.total);
    json.key("steps").string(number.steps).endObject();
}

} // namespace

// "2, 7", or "none".
std::string NumberList(const std::vector<int> &numbers)
{
    if (numbers.empty())
        return "none";
    std::string text;
    for (const int number : numbers) {
        if (!text.empty())
            text.append(", ");
        AppendNumber(text, static_cast<std::uint64_t>(number));
    }
    return text;
}

// Each entry in quotes, so that none is taken for the list's own commas or
// for "none": "\"-\", \"'\"".
std::string QuotedList(const std::vector<std::u32string> &entries)
{
    if (entries.empty())
        return "none";
    std::string text;
    for (const std::u32string &characters : entries) {
        if (!text.empty())
            text.append(", ");
        text.push_back('"');
        for (const char32_t c : characters)
            AppendCharacterShown(text, c);
        text.push_back('"');
    }
    return text;
}

std::string LetterText(const chart::NamedLetter &letter)
{
    if (letter.letter == 0)
        return "none";
    std::string text(1, letter.letter);
    text.push_back(' ');
    AppendNumber(text, static_cast<std::uint64_t>(letter.value));
    return text;
}

bool MakeChartOf(std::string_view name, const std::vector<std::string_view> &dateFields, const Date &on,
                 chart::Chart &chart, std::u32string &codePoints, std::string &problem)
{
    Date date;
    if (chart::ParseChartDate(dateFields, date, problem) != chart::ChartRefusal::None)
        return false;
    if (!Utf8ToCodePoints(name, codePoints)) {
        problem = "the name is not valid UTF-8";
        return false;
    }
    const chart::ChartRefusal refusal = chart::MakeChart(codePoints, date, on, chart);
    if (refusal == chart::ChartRefusal::BeforeBirth) {
        problem = std::string(chart::RefusalText(refusal)) + ": " + IsoDateText(on) + " before " + IsoDateText(date);
        return false;
    }
    if (refusal != chart::ChartRefusal::None) {
        problem = chart::RefusalText(refusal);
        return false;
    }
    return true;
}

bool ReadingDate(const Options &options, Date &on, std::string &problem)
{
    return chart::ParseChartDate({options.on}, on, problem) == chart::ChartRefusal::None;
}

void AppendChartJson(std::string &out, std::string_view name, const Chart &chart)
{
    JsonWriter json(out);
    json.beginObject().key("name").string(name).key("date").string(IsoDateText(chart.date));
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows) {
        const ChartNumber &number = chart.*row.number;
        json.key(row.key)
            .beginObject()
            .key("value").number(static_cast<std::uint64_t>(number.value))
            .key("total").number(number.total)
            .key("steps").string(number.steps)
            .key("karmicDebt");
        if (number.karmicDebt != 0)
            json.number(static_cast<std::uint64_t>(number.karmicDebt));
        else
            json.null();
        json.endObject();
    }
    json.key("karmicLessons").numbers(chart.karmicLessons)
        .key("hiddenPassion").numbers(chart.hiddenPassion)
        .key("karmicDebts").numbers(chart.karmicDebts)
        .key("chaldean")
        .beginObject()
        .key("compound").number(chart.chaldean.compound)
        .key("root").number(static_cast<std::uint64_t>(chart.chaldean.root))
        .key("steps").string(chart.chaldean.steps)
        .endObject();
    json.key("uncounted").beginArray();
    for (const std::u32string &characters : chart.name.uncounted)
        json.string(Utf8Of(characters));
    json.endArray().key("leftOut").beginArray();
    for (const std::u32string &part : chart.name.leftOut)
        json.string(Utf8Of(part));
    json.endArray();

    json.key("on").string(IsoDateText(chart.on)).key("age").number(static_cast<std::uint64_t>(chart.age));
    for (const chart::OtherNumberRow &row : chart::CycleNumberRows)
        AppendNumberJson(json, row.key, chart.*row.member, false);
    for (const chart::SpanRow &row : chart::SpanRows) {
        json.key(row.key).beginArray();
        for (std::size_t i = 0; i < row.count; ++i) {
            const chart::Span &span = row.spans(chart)[i];
            json.beginObject()
                .key("value").number(static_cast<std::uint64_t>(span.number.value))
                .key("steps").string(span.number.steps)
                .key("fromAge").number(static_cast<std::uint64_t>(span.fromAge))
                .key("toAge");
            if (span.toAge >= 0)
                json.number(static_cast<std::uint64_t>(span.toAge));
            else
                json.null();
            json.key("current").raw(span.current ? "true" : "false").endObject();
        }
        json.endArray();
    }

    json.key("inclusion").numbers(chart.inclusion).key("planes").beginObject();
    for (std::size_t i = 0; i < chart.planes.size(); ++i) {
        json.key(chart::PlaneKeys[i])
            .beginObject()
            .key("count").number(static_cast<std::uint64_t>(chart.planes[i].count))
            .key("value").number(static_cast<std::uint64_t>(chart.planes[i].value))
            .endObject();
    }
    json.endObject();
    for (const chart::OtherNumberRow &row : chart::RestNumberRows)
        AppendNumberJson(json, row.key, chart.*row.member, true);
    json.key("subconsciousSelf").number(static_cast<std::uint64_t>(chart.subconsciousSelf));
    for (const chart::LetterRow &row : chart::LetterRows) {
        const chart::NamedLetter &letter = chart.*row.member;
        json.key(row.key);
        if (letter.letter == 0) {
            json.null();
            continue;
        }
        json.beginObject()
            .key("letter").string(std::string_view(&letter.letter, 1))
            .key("value").number(static_cast<std::uint64_t>(letter.value))
            .endObject();
    }
    json.endObject();
}

std::string ChartText(std::string_view name, const Chart &chart, std::size_t width)
{
    std::string out;
    AppendLine(out, "Name", name, width);
    AppendLine(out, "Date", IsoDateText(chart.date), width);
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows)
        AppendLine(out, row.label, CompoundText(chart.*row.number), width);

    out.push_back('\n');
    std::string heading = "Cycles on " + IsoDateText(chart.on) + ", at age ";
    AppendNumber(heading, static_cast<std::uint64_t>(chart.age));
    AppendSentence(out, heading, width);
    for (const chart::OtherNumberRow &row : chart::CycleNumberRows)
        AppendLine(out, row.label, std::to_string((chart.*row.member).value), width);
    for (const chart::SpanRow &row : chart::SpanRows) {
        for (std::size_t i = 0; i < row.count; ++i)
            AppendLine(out, std::string(row.label) + ' ' + std::to_string(i + 1), SpanText(row.spans(chart)[i]),
                       width);
    }

    out.push_back('\n');
    AppendLine(out, "Karmic Lessons", NumberList(chart.karmicLessons), width);
    AppendLine(out, "Hidden Passion", NumberList(chart.hiddenPassion), width);
    AppendLine(out, "Karmic Debts", NumberList(chart.karmicDebts), width);
    AppendLine(out, "Chaldean", std::to_string(chart.chaldean.root) + " (compound " +
                                    std::to_string(chart.chaldean.compound) + ")", width);
    for (const chart::OtherNumberRow &row : chart::RestNumberRows)
        AppendLine(out, row.label, std::to_string((chart.*row.member).value), width);
    AppendLine(out, "Subconscious Self", std::to_string(chart.subconsciousSelf), width);
    for (const chart::LetterRow &row : chart::LetterRows)
        AppendLine(out, row.label, LetterText(chart.*row.member), width);
    for (std::size_t i = 0; i < chart.planes.size(); ++i) {
        AppendLine(out, std::string(chart::PlaneLabels[i]) + " Plane",
                   std::to_string(chart.planes[i].count) + (chart.planes[i].count == 1 ? " letter" : " letters") +
                       ", value " + std::to_string(chart.planes[i].value),
                   width);
    }
    std::string inclusion;
    for (std::size_t i = 0; i < chart.inclusion.size(); ++i) {
        if (i != 0)
            inclusion.append(", ");
        inclusion.append(std::to_string(i + 1) + ": " + std::to_string(chart.inclusion[i]));
    }
    AppendLine(out, "Inclusion", inclusion, width, Breaks::AfterCommas);
    AppendLine(out, "Uncounted", QuotedList(chart.name.uncounted), width, Breaks::AfterCommas);
    AppendLine(out, "Left Out", QuotedList(chart.name.leftOut), width, Breaks::AfterCommas);

    out.push_back('\n');
    AppendSentence(out, "How each number came about (Pythagorean letter values, Chaldean for the Chaldean)", width);
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows)
        AppendLine(out, StepsLabel(row.label), (chart.*row.number).steps, width);
    AppendLine(out, "  Chaldean", chart.chaldean.steps, width);
    for (const chart::OtherNumberRow &row : chart::CycleNumberRows)
        AppendLine(out, StepsLabel(row.label), (chart.*row.member).steps, width);
    for (const chart::SpanRow &row : chart::SpanRows) {
        for (std::size_t i = 0; i < row.count; ++i)
            AppendLine(out, StepsLabel(row.label) + ' ' + std::to_string(i + 1), row.spans(chart)[i].number.steps,
                       width);
    }
    for (const chart::OtherNumberRow &row : chart::RestNumberRows)
        AppendLine(out, StepsLabel(row.label), (chart.*row.member).steps, width);
    return out;
}

int RunChart(const Options &options, const Sink &out, const Sink &err)
{
    std::string problem;
    const std::vector<std::string_view> fields(options.chartDate.begin(), options.chartDate.end());
    Date on;
    chart::Chart chart;
    std::u32string codePoints;
    if (!ReadingDate(options, on, problem) || !MakeChartOf(options.inputs.name, fields, on, chart, codePoints, problem)) {
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

bool ChartRows::operator()(const CsvRow &row, std::string &out, std::string &problem)
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
    m_dateFields.assign(row.fields.begin() + 1, row.fields.end());
    if (!MakeChartOf(row.fields[0], m_dateFields, m_on, m_chart, m_name, problem))
        return false;
    AppendChartJson(out, row.fields[0], m_chart);
    return true;
}

} // namespace veltara::reading
