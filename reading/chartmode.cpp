#include "chartmode.h"

#include "args.h"
#include "batch.h"
#include "json.h"
#include "text.h"

namespace veltara::reading {

namespace {

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

} // namespace

bool MakeChartOf(std::string_view name, const std::vector<std::string_view> &dateFields, chart::Chart &chart,
                 std::u32string &codePoints, std::string &problem)
{
    Date date;
    if (chart::ParseChartDate(dateFields, date, problem) != chart::ChartRefusal::None)
        return false;
    if (!Utf8ToCodePoints(name, codePoints)) {
        problem = "the name is not valid UTF-8";
        return false;
    }
    const chart::ChartRefusal refusal = chart::MakeChart(codePoints, date, chart);
    if (refusal != chart::ChartRefusal::None) {
        problem = chart::RefusalText(refusal);
        return false;
    }
    return true;
}

void AppendChartJson(std::string &out, std::string_view name, const chart::Chart &chart)
{
    JsonWriter json(out);
    json.beginObject().key("name").string(name).key("date").string(IsoDateText(chart.date));
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows) {
        const chart::ChartNumber &number = chart.*row.number;
        json.key(row.key)
            .beginObject()
            .key("value").number(static_cast<std::uint64_t>(number.value))
            .key("total").number(number.total)
            .key("steps").string(number.steps)
            .endObject();
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
    std::string entry;
    for (const std::u32string &characters : chart.name.uncounted) {
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
    AppendLine(out, "Date", IsoDateText(chart.date), width);
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows)
        AppendLine(out, row.label, std::to_string((chart.*row.number).value), width);
    AppendLine(out, "Karmic Lessons", NumberList(chart.karmicLessons), width);
    AppendLine(out, "Hidden Passion", NumberList(chart.hiddenPassion), width);
    AppendLine(out, "Karmic Debts", NumberList(chart.karmicDebts), width);
    AppendLine(out, "Chaldean", std::to_string(chart.chaldean.root) + " (compound " +
                                    std::to_string(chart.chaldean.compound) + ")", width);
    std::string uncounted;
    for (const std::u32string &characters : chart.name.uncounted) {
        if (!uncounted.empty())
            uncounted.append(", ");
        for (const char32_t c : characters)
            AppendCharacterShown(uncounted, c);
    }
    AppendLine(out, "Uncounted", uncounted.empty() ? "none" : uncounted, width, Breaks::AfterCommas);

    out.push_back('\n');
    AppendSentence(out, "How each number came about (Pythagorean letter values, Chaldean for the last)", width);
    for (const chart::ChartNumberRow &row : chart::ChartNumberRows) {
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
    std::u32string codePoints;
    if (!MakeChartOf(options.inputs.name, fields, chart, codePoints, problem)) {
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
    if (!MakeChartOf(row.fields[0], m_dateFields, m_chart, m_name, problem))
        return false;
    AppendChartJson(out, row.fields[0], m_chart);
    return true;
}

} // namespace veltara::reading
