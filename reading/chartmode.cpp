#include "chartmode.h"

#include "args.h"
#include "batch.h"
#include "chartwords.h"
#include "csvwriter.h"
#include "json.h"
#include "text.h"

#include <utility>

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

std::uint64_t Unsigned(int n)
{
    return static_cast<std::uint64_t>(n);
}

void AppendNumberJson(JsonWriter &json, const chart::ChartRow &row, const ChartNumber &number)
{
    json.beginObject().key("value").number(Unsigned(number.value));
    if (row.form != chart::NumberForm::Cycle)
        json.key("total").number(number.total);
    json.key("steps").string(number.steps);
    if (row.form == chart::NumberForm::Core) {
        json.key("karmicDebt");
        if (number.karmicDebt != 0)
            json.number(Unsigned(number.karmicDebt));
        else
            json.null();
    }
    json.endObject();
}

void AppendSpanJson(JsonWriter &json, const chart::Span &span)
{
    json.beginObject()
        .key("value").number(Unsigned(span.number.value))
        .key("steps").string(span.number.steps)
        .key("fromAge").number(Unsigned(span.fromAge))
        .key("toAge");
    if (span.toAge >= 0)
        json.number(Unsigned(span.toAge));
    else
        json.null();
    json.key("current").raw(span.current ? "true" : "false").endObject();
}

// The value of one row of the chart.
void AppendRowJson(JsonWriter &json, const chart::ChartRow &row, const Chart &chart)
{
    json.key(row.key);
    std::visit(chart::Overloaded{
                   [&](ChartNumber Chart::*member) { AppendNumberJson(json, row, chart.*member); },
                   [&](auto Chart::*spans)
                       requires requires { (chart.*spans)[0].fromAge; }
                   {
                       json.beginArray();
                       for (const chart::Span &span : chart.*spans)
                           AppendSpanJson(json, span);
                       json.endArray();
                   },
                   [&](chart::ChaldeanNumber Chart::*member) {
                       const chart::ChaldeanNumber &number = chart.*member;
                       json.beginObject()
                           .key("compound").number(number.compound)
                           .key("root").number(Unsigned(number.root))
                           .key("steps").string(number.steps)
                           .endObject();
                   },
                   [&](std::vector<int> Chart::*member) { json.numbers(chart.*member); },
                   [&](int Chart::*member) { json.number(Unsigned(chart.*member)); },
                   [&](chart::NamedLetter Chart::*member) {
                       const chart::NamedLetter &letter = chart.*member;
                       if (letter.letter == 0) {
                           json.null();
                           return;
                       }
                       json.beginObject()
                           .key("letter").string(std::string_view(&letter.letter, 1))
                           .key("value").number(Unsigned(letter.value))
                           .endObject();
                   },
                   [&](std::array<chart::Plane, 4> Chart::*member) {
                       json.beginObject();
                       for (std::size_t i = 0; i < (chart.*member).size(); ++i) {
                           json.key(chart::PlaneRows[i].key)
                               .beginObject()
                               .key("count").number(Unsigned((chart.*member)[i].count))
                               .key("value").number(Unsigned((chart.*member)[i].value))
                               .endObject();
                       }
                       json.endObject();
                   },
                   [&](std::array<int, 9> Chart::*member) { json.numbers(chart.*member); },
                   [&](std::vector<std::u32string> chart::PreparedName::*member) {
                       json.beginArray();
                       for (const std::u32string &text : chart.name.*member)
                           json.string(Utf8Of(text));
                       json.endArray();
                   },
                   [&](bool Chart::*member) { json.raw(chart.*member ? "true" : "false"); },
               },
               row.value);
}

} // namespace

bool MakeChartOf(std::string_view name, const std::vector<std::string_view> &dateFields, const Date &on,
                 chart::Chart &chart, std::u32string &codePoints, std::string &problem, chart::Steps steps)
{
    Date date;
    if (chart::ParseChartDate(dateFields, date, problem) != chart::ChartRefusal::None)
        return false;
    if (!Utf8ToCodePoints(name, codePoints)) {
        problem = "the name is not valid UTF-8";
        return false;
    }
    const chart::ChartRefusal refusal = chart::MakeChart(codePoints, date, on, chart, steps);
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
    bool cycles = false;
    for (const chart::ChartRow &row : chart::ChartRows) {
        // The cycles open with the date they are read on and the age.
        if (row.section == chart::Section::Cycles && !std::exchange(cycles, true))
            json.key("on").string(IsoDateText(chart.on)).key("age").number(Unsigned(chart.age));
        AppendRowJson(json, row, chart);
    }
    json.endObject();
}

std::string ChartText(std::string_view name, const Chart &chart, std::size_t width)
{
    std::string out;
    for (const chart::TextLine &line : chart::ChartTextLines(name, chart)) {
        if (line.sentence)
            AppendSentence(out, line.label, width);
        else if (line.label.empty() && line.value.empty())
            out.push_back('\n');
        else
            AppendLine(out, line.label, line.value, width, line.breaks);
    }
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
    for (const std::string &note : chart::ChartNotes(chart))
        err(note + '\n');
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
    if (!MakeChartOf(row.fields[0], m_dateFields, m_on, m_chart, m_name, problem, m_csv ? m_steps : chart::Steps::Written))
        return false;
    if (m_csv) {
        CsvColumns columns(out, CsvColumns::Write::Values);
        AppendChartColumns(columns, row.fields[0], m_chart, m_steps, m_scratch);
    } else {
        AppendChartJson(out, row.fields[0], m_chart);
    }
    return true;
}

} // namespace veltara::reading
