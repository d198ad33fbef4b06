#include "csvwriter.h"

#include "chartwords.h"
#include "text.h"

#include <algorithm>
#include <charconv>

namespace veltara::reading {

namespace {

using chart::Chart;
using chart::ChartNumber;

void AppendNumberColumns(CsvColumns &columns, chart::NumberForm form, const ChartNumber &number, chart::Steps steps)
{
    columns.number({}, Unsigned(number.value));
    if (form != chart::NumberForm::Cycle)
        columns.number("total", number.total);
    if (steps == chart::Steps::Written)
        columns.text("steps", number.steps);
    if (form == chart::NumberForm::Core)
        columns.number("karmicDebt", number.karmicDebt != 0, Unsigned(number.karmicDebt));
}

// The columns of one row of the chart, each kind of value in its own way:
// a visitor of the row's member.
struct RowColumns {
    CsvColumns &columns;
    const chart::ChartRow &row;
    const Chart &chart;
    chart::Steps steps;
    int years;
    std::string &scratch;

    bool withSteps() const { return steps == chart::Steps::Written; }

    void operator()(ChartNumber Chart::*member) const
    {
        columns.enter(row.key);
        AppendNumberColumns(columns, row.form, chart.*member, steps);
        columns.leave();
    }
    template <std::size_t Count>
    void operator()(std::array<chart::Span, Count> Chart::*spans) const
    {
        columns.enter(row.key);
        for (std::size_t i = 0; i < Count; ++i) {
            const chart::Span &span = (chart.*spans)[i];
            columns.enter(i + 1);
            columns.number({}, Unsigned(span.number.value));
            if (withSteps())
                columns.text("steps", span.number.steps);
            columns.number("fromAge", Unsigned(span.fromAge));
            columns.number("toAge", span.toAge >= 0, Unsigned(span.toAge));
            columns.flag("current", span.current);
            columns.leave();
        }
        columns.leave();
    }
    void operator()(chart::ChaldeanNumber Chart::*member) const
    {
        const chart::ChaldeanNumber &number = chart.*member;
        columns.enter(row.key);
        columns.number("compound", number.compound);
        columns.number("root", Unsigned(number.root));
        if (withSteps())
            columns.text("steps", number.steps);
        columns.leave();
    }
    void operator()(std::vector<int> Chart::*member) const { columns.numbers(row.key, chart.*member); }
    void operator()(int Chart::*member) const { columns.number(row.key, Unsigned(chart.*member)); }
    void operator()(chart::NamedLetter Chart::*member) const
    {
        const chart::NamedLetter &letter = chart.*member;
        const bool given = letter.letter != 0;
        columns.enter(row.key);
        columns.number({}, given, Unsigned(letter.value));
        columns.letter("letter", letter.letter);
        columns.leave();
    }
    void operator()(std::array<chart::Plane, 4> Chart::*member) const
    {
        columns.enter(row.key);
        for (std::size_t i = 0; i < (chart.*member).size(); ++i) {
            columns.enter(chart::PlaneRows[i].key);
            columns.number({}, Unsigned((chart.*member)[i].value));
            columns.number("count", Unsigned((chart.*member)[i].count));
            columns.leave();
        }
        columns.leave();
    }
    void operator()(std::array<int, 9> Chart::*member) const
    {
        columns.enter(row.key);
        for (std::size_t i = 0; i < (chart.*member).size(); ++i) {
            columns.enter(i + 1);
            columns.number({}, Unsigned((chart.*member)[i]));
            columns.leave();
        }
        columns.leave();
    }
    void operator()(std::vector<std::u32string> chart::PreparedName::*member) const
    {
        columns.texts(row.key, chart.name.*member, scratch);
    }
    void operator()(bool Chart::*member) const { columns.flag(row.key, chart.*member); }
    void operator()(std::array<ChartNumber, 2> Chart::*member) const
    {
        columns.enter(row.key);
        for (std::size_t i = 0; i < (chart.*member).size(); ++i) {
            columns.enter(chart::BridgeRows[i].key);
            columns.number({}, Unsigned((chart.*member)[i].value));
            if (withSteps())
                columns.text("steps", (chart.*member)[i].steps);
            columns.leave();
        }
        columns.leave();
    }
    void operator()(std::array<chart::Transit, 3> Chart::*member) const
    {
        columns.enter(row.key);
        for (std::size_t i = 0; i < (chart.*member).size(); ++i) {
            const chart::Transit &transit = (chart.*member)[i];
            columns.enter(chart::TransitRows[i].key);
            columns.number({}, Unsigned(transit.value));
            columns.letter("letter", transit.letter);
            columns.number("fromAge", Unsigned(transit.fromAge));
            columns.number("toAge", Unsigned(transit.toAge));
            columns.leave();
        }
        columns.leave();
    }
    void operator()(std::vector<chart::ForecastYear> Chart::*member) const
    {
        const std::vector<chart::ForecastYear> &forecast = chart.*member;
        columns.enter(row.key);
        for (std::size_t i = 0; i < static_cast<std::size_t>(years); ++i) {
            columns.blank(i >= forecast.size());
            columns.enter(i + 1);
            for (std::size_t column = 0; column < std::size(chart::ForecastColumns); ++column) {
                if (i < forecast.size())
                    scratch = chart::ForecastCell(forecast[i], column);
                columns.text(chart::ForecastColumns[column].key, scratch);
            }
            columns.leave();
        }
        columns.leave();
    }
};

void AppendRowColumns(CsvColumns &columns, const chart::ChartRow &row, const Chart &chart, chart::Steps steps,
                      int years, std::string &scratch)
{
    const bool table = std::holds_alternative<std::vector<chart::ForecastYear> Chart::*>(row.value);
    columns.blank(!table && !chart::HasValue(row, chart));
    std::visit(RowColumns{columns, row, chart, steps, years, scratch}, row.value);
    columns.blank(false);
}

} // namespace

void AppendCsvField(std::string &out, std::string_view utf8)
{
    const bool formula = !utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos;
    const bool quoted = std::any_of(utf8.begin(), utf8.end(),
                                    [](char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
    if (!quoted) {
        if (formula)
            out.push_back('\'');
        out.append(utf8);
        return;
    }
    out.push_back('"');
    if (formula)
        out.push_back('\'');
    for (const char c : utf8) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

void CsvColumns::appendName(std::string_view key)
{
    ++m_count;
    std::string_view name = m_prefix;
    if (key.empty())
        name.remove_suffix(1); // a value under its own key: "lifePath", not "lifePath."
    m_out.append(name);
    m_out.append(key);
}

void CsvColumns::pendLargeNumber(std::uint64_t value)
{
    if (value < 100) { // most of them: totals, ages
        m_pending[m_used++] = static_cast<char>('0' + value / 10);
        m_pending[m_used++] = static_cast<char>('0' + value % 10);
        return;
    }
    const char *end = std::to_chars(m_pending.data() + m_used, m_pending.data() + m_pending.size(), value).ptr;
    m_used = static_cast<std::size_t>(end - m_pending.data());
}

void CsvColumns::text(std::string_view key, std::string_view utf8)
{
    if (!begin(key) || utf8.empty())
        return;
    flush();
    AppendCsvField(m_out, utf8);
}

void CsvColumns::date(std::string_view key, const Date &date)
{
    if (!begin(key))
        return;
    flush();
    AppendIsoDate(m_out, date);
}

void CsvColumns::texts(std::string_view key, const std::vector<std::u32string> &items, std::string &joined)
{
    if (!begin(key) || items.empty())
        return;
    flush();
    joined.clear();
    for (const std::u32string &item : items) {
        if (!joined.empty())
            joined.push_back(' ');
        for (const char32_t c : item)
            AppendUtf8(joined, c);
    }
    AppendCsvField(m_out, joined);
}

void CsvColumns::enterName(std::string_view key, std::size_t index)
{
    m_scopes.push_back(m_prefix.size());
    if (key.empty())
        AppendNumber(m_prefix, index);
    else
        m_prefix.append(key);
    m_prefix.push_back('.');
}

void CsvColumns::leaveName()
{
    m_prefix.resize(m_scopes.back());
    m_scopes.pop_back();
}

void AppendChartColumns(CsvColumns &columns, std::string_view name, const Chart &chart, chart::Steps steps,
                        int years, std::string &scratch)
{
    columns.text("name", name);
    scratch.clear();
    for (const char32_t c : chart.currentName)
        AppendUtf8(scratch, c);
    columns.text("currentName", scratch);
    columns.date("date", chart.date);
    bool cycles = false;
    for (const chart::ChartRow &row : chart::ChartRows) {
        // The cycles open with the date they are read on and the age, as in JSON.
        if (row.section == chart::Section::Cycles && !cycles) {
            cycles = true;
            columns.date("on", chart.on);
            columns.number("age", Unsigned(chart.age));
        }
        AppendRowColumns(columns, row, chart, steps, years, scratch);
    }
}

void AppendReadingColumns(CsvColumns &columns, const Utf8Reading &reading, chart::Steps steps, std::string &scratch)
{
    static constexpr std::string_view ProfileKeys[] = {"character", "planet",       "element",
                                                       "letters",   "primaryColor", "secondaryColors"};
    columns.text("name", reading.name);
    columns.text("day", reading.day);
    columns.text("month", reading.month);
    columns.text("year", reading.year);
    columns.number("nameNumber", Unsigned(reading.nameNumber));
    columns.number("birthNumber", Unsigned(reading.birthNumber));
    const std::array<std::string, 6> &profile = ProfileTexts(reading.profile);
    for (std::size_t i = 0; i < profile.size(); ++i)
        columns.text(ProfileKeys[i], profile[i]);
    // The names are written from a reading never made, which has no sign.
    columns.text("zodiac", reading.zodiac ? SignText(*reading.zodiac) : std::string_view());
    if (steps == chart::Steps::Left)
        return;
    columns.enter("breakdown");
    // Each character and its value, as one list.
    scratch.clear();
    for (const LetterCount &count : reading.letterCounts) {
        if (!scratch.empty())
            scratch.push_back(' ');
        AppendUtf8(scratch, count.character);
        scratch.push_back(' ');
        AppendNumber(scratch, Unsigned(count.value));
    }
    columns.text("letters", scratch);
    columns.number("letterSum", reading.letterSum);
    columns.numbers("nameSums", reading.nameSums);
    columns.text("birthDigits", Utf16ToUtf8(reading.birthDigits));
    columns.numbers("birthSums", reading.birthSums);
    columns.number("zodiacRow", reading.zodiac != nullptr, reading.zodiac ? Unsigned(reading.zodiac->row) : 0);
    columns.leave();
}

BatchForm CsvForm(bool chart, chart::Steps steps, int years)
{
    BatchForm form;
    form.csv = true;
    form.header = "row,line";
    CsvColumns names(form.header, CsvColumns::Write::Names);
    std::string scratch;
    if (chart)
        AppendChartColumns(names, {}, chart::Chart(), steps, years, scratch);
    else
        AppendReadingColumns(names, Utf8Reading(), steps, scratch);
    form.columns = names.count();
    form.header.append(",error");
    form.header.append(CsvLineEnd);
    return form;
}

} // namespace veltara::reading
