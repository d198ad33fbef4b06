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

// An object with a member for each of a row's values, named by `rows`
// (PlaneRows, BridgeRows, TransitRows), each an object that `write` fills.
template <typename Rows, typename Values, typename Write>
void AppendMembersJson(JsonWriter &json, const Rows &rows, const Values &values, Write write)
{
    json.beginObject();
    for (std::size_t i = 0; i < values.size(); ++i) {
        json.key(rows[i].key).beginObject();
        write(values[i]);
        json.endObject();
    }
    json.endObject();
}

// The value of one row of the chart, each kind in its own way: a visitor of
// the row's member.
struct RowJson {
    JsonWriter &json;
    const chart::ChartRow &row;
    const Chart &chart;

    void operator()(ChartNumber Chart::*member) const { AppendNumberJson(json, row, chart.*member); }
    template <std::size_t Count>
    void operator()(std::array<chart::Span, Count> Chart::*spans) const
    {
        json.beginArray();
        for (const chart::Span &span : chart.*spans)
            AppendSpanJson(json, span);
        json.endArray();
    }
    void operator()(chart::ChaldeanNumber Chart::*member) const
    {
        const chart::ChaldeanNumber &number = chart.*member;
        json.beginObject()
            .key("compound").number(number.compound)
            .key("root").number(Unsigned(number.root))
            .key("steps").string(number.steps)
            .endObject();
    }
    void operator()(std::vector<int> Chart::*member) const { json.numbers(chart.*member); }
    void operator()(int Chart::*member) const { json.number(Unsigned(chart.*member)); }
    void operator()(chart::NamedLetter Chart::*member) const
    {
        const chart::NamedLetter &letter = chart.*member;
        if (letter.letter == 0) {
            json.null();
            return;
        }
        json.beginObject()
            .key("letter").string(std::string_view(&letter.letter, 1))
            .key("value").number(Unsigned(letter.value))
            .endObject();
    }
    void operator()(std::array<chart::Plane, 4> Chart::*member) const
    {
        AppendMembersJson(json, chart::PlaneRows, chart.*member, [this](const chart::Plane &plane) {
            json.key("count").number(Unsigned(plane.count)).key("value").number(Unsigned(plane.value));
        });
    }
    void operator()(std::array<int, 9> Chart::*member) const { json.numbers(chart.*member); }
    void operator()(std::vector<std::u32string> chart::PreparedName::*member) const
    {
        json.beginArray();
        for (const std::u32string &text : chart.name.*member)
            json.string(Utf8Text(text));
        json.endArray();
    }
    void operator()(bool Chart::*member) const { json.raw(chart.*member ? "true" : "false"); }
    void operator()(std::array<ChartNumber, 2> Chart::*member) const
    {
        AppendMembersJson(json, chart::BridgeRows, chart.*member, [this](const ChartNumber &number) {
            json.key("value").number(Unsigned(number.value)).key("steps").string(number.steps);
        });
    }
    void operator()(std::array<chart::Transit, 3> Chart::*member) const
    {
        AppendMembersJson(json, chart::TransitRows, chart.*member, [this](const chart::Transit &transit) {
            json.key("letter").string(std::string_view(&transit.letter, 1))
                .key("value").number(Unsigned(transit.value))
                .key("fromAge").number(Unsigned(transit.fromAge))
                .key("toAge").number(Unsigned(transit.toAge));
        });
    }
    void operator()(std::vector<chart::ForecastYear> Chart::*member) const
    {
        json.beginArray();
        for (const chart::ForecastYear &year : chart.*member) {
            json.beginObject();
            for (std::size_t i = 0; i < std::size(chart::ForecastColumns); ++i) {
                json.key(chart::ForecastColumns[i].key);
                const std::string cell = chart::ForecastCell(year, i);
                if (std::holds_alternative<int chart::ForecastYear::*>(chart::ForecastColumns[i].cell))
                    json.raw(cell);
                else
                    json.string(cell);
            }
            json.endObject();
        }
        json.endArray();
    }
};

// One row of the chart: null for a minor number without a name in use; no
// key for the forecast that was not asked for.
void AppendRowJson(JsonWriter &json, const chart::ChartRow &row, const Chart &chart)
{
    if (!chart::HasValue(row, chart)) {
        if (row.ofNameInUse)
            json.key(row.key).null();
        return;
    }
    json.key(row.key);
    std::visit(RowJson{json, row, chart}, row.value);
}

// The chart of a UTF-8 name and a birth date given as fields (YYYY-MM-DD,
// or DAY MONTH YEAR), read on the date `on`, with the name in use in UTF-8
// (empty for none) and the years of the forecast (0 for none); false, with
// the reason in `problem`, when a date is none, the name in use is not UTF-8,
// or a name has no letter A-Z. The name must be well-formed UTF-8.
bool MakeChartOf(std::string_view name, const std::vector<std::string_view> &dateFields, const Date &on,
                 std::string_view current, int years, chart::Steps steps, Chart &chart, NameStorage &storage,
                 std::string &problem)
{
    Date date;
    if (chart::ParseChartDate(dateFields, date, problem) != chart::ChartRefusal::None)
        return false;
    // The name comes checked as UTF-8 (with the arguments, with the batch's
    // row); the name in use after --current does not.
    if (!Utf8ToCodePoints(name, storage.name) || !Utf8ToCodePoints(current, storage.current)) {
        problem = "the name in use is not valid UTF-8";
        return false;
    }
    const chart::ChartRefusal refusal =
        chart::MakeChart(storage.name, date, on, {.currentName = storage.current, .years = years, .steps = steps}, chart);
    if (refusal != chart::ChartRefusal::None) {
        problem = chart::RefusalText(refusal);
        return false;
    }
    return true;
}

// The chart as one JSON object (no line break): name, currentName (null for
// none), date, the six core numbers each with value, total, steps and
// karmicDebt, the three minor numbers (null without a name in use), karmicLessons,
// hiddenPassion, karmicDebts, chaldean, uncounted, leftOut and notLatin; then
// the cycles (on, age, cyclesFromBirth, universalYear, personalYear,
// personalMonth, personalDay, pinnacles, challenges, periods, transits,
// essence), the forecast when it was asked for, and the rest (inclusion,
// planes, balance, rationalThought, subconsciousSelf, cornerstone, capstone,
// firstVowel, bridges).
void AppendChartJson(std::string &out, std::string_view name, const Chart &chart)
{
    JsonWriter json(out);
    json.beginObject().key("name").string(name).key("currentName");
    if (chart::HasNameInUse(chart))
        json.string(Utf8Text(chart.currentName));
    else
        json.null();
    json.key("date").string(IsoDateText(chart.date));
    bool cycles = false;
    for (const chart::ChartRow &row : chart::ChartRows) {
        // The cycles open with the date they are read on and the age.
        if (row.section == chart::Section::Cycles && !std::exchange(cycles, true))
            json.key("on").string(IsoDateText(chart.on)).key("age").number(Unsigned(chart.age));
        AppendRowJson(json, row, chart);
    }
    json.endObject();
}

} // namespace

bool ReadingDate(const Options &options, Date &on, std::string &problem)
{
    return chart::ParseChartDate({options.on}, on, problem) == chart::ChartRefusal::None;
}

std::string ChartText(std::string_view name, const Chart &chart, std::size_t width)
{
    std::string out;
    for (const chart::TextLine &line : chart::ChartTextLines(name, chart)) {
        if (line.table)
            out.append(line.label).push_back('\n');
        else if (line.sentence)
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
    NameStorage names;
    if (!ReadingDate(options, on, problem) ||
        !MakeChartOf(options.inputs.name, fields, on, options.current, options.years, chart::Steps::Written, chart, names,
                     problem)) {
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
    if (row.fields.size() < 2 || row.fields.size() > 4) {
        problem = ColumnsProblem(row.fields.size(), true);
        return false;
    }
    for (const std::string &field : row.fields) {
        if (!IsValidUtf8(field)) {
            problem = "the row is not valid UTF-8";
            return false;
        }
    }
    // A third field follows a date YYYY-MM-DD: the name in use.
    const bool current = row.fields.size() == 3;
    m_dateFields.assign(row.fields.begin() + 1, row.fields.end() - (current ? 1 : 0));
    if (!MakeChartOf(row.fields[0], m_dateFields, m_on, current ? std::string_view(row.fields[2]) : std::string_view(),
                     m_years, m_csv ? m_steps : chart::Steps::Written, m_chart, m_names, problem))
        return false;
    if (m_csv) {
        CsvColumns columns(out, CsvColumns::Write::Values);
        AppendChartColumns(columns, row.fields[0], m_chart, m_steps, m_years, m_scratch);
    } else {
        AppendChartJson(out, row.fields[0], m_chart);
    }
    return true;
}

} // namespace veltara::reading
