#include "batch.h"

#include "output.h"
#include "text.h"

#include <algorithm>
#include <utility>

namespace veltara::reading {

namespace {

constexpr std::string_view NotUtf8Row = "the row is not valid UTF-8";

} // namespace

std::optional<Inputs> RowInputs(const CsvRow &row, std::string &problem)
{
    if (!row.error.empty()) {
        problem = row.error;
        return std::nullopt;
    }
    // A row of four is checked whole; in a row of two, the date must be one.
    const std::size_t checked = row.fields.size() == 4 ? 4 : row.fields.size() == 2 ? 1 : 0;
    if (!std::all_of(row.fields.begin(), row.fields.begin() + static_cast<std::ptrdiff_t>(checked),
                     [](const std::string &field) { return IsValidUtf8(field); })) {
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
    problem = ColumnsProblem(row.fields.size());
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
        return EqualsIgnoringAsciiCase(TrimBlanks(row.fields[field]), name);
    };
    if (row.fields.size() == 2)
        return is(0, "name") && (is(1, "date") || is(1, "birthdate") || is(1, "birth date"));
    return row.fields.size() == 4 && is(0, "name") && is(1, "day") && is(2, "month") && is(3, "year");
}

std::string ColumnsProblem(std::size_t columns)
{
    return "the row has " + std::to_string(columns) + (columns == 1 ? " column" : " columns") +
           ", not name,YYYY-MM-DD or name,day,month,year";
}

bool ReadingRows::operator()(const CsvRow &row, std::string &out, std::string &problem)
{
    const std::optional<Inputs> inputs = RowInputs(row, problem);
    if (!inputs)
        return false;
    // RowInputs has checked that the fields are UTF-8: this is a safeguard.
    if (!MakeReading(*inputs, m_reading)) {
        problem = NotUtf8Row;
        return false;
    }
    if (m_reading.outcome != ReadingOutcome::Read) {
        problem = RefusalText(m_reading.outcome);
        return false;
    }
    AppendReadingJson(out, m_reading);
    return true;
}

BatchResult RunBatch(CsvReader &reader, const Sink &out, const RowAnswer &answer)
{
    constexpr std::size_t FlushBytes = 256 * 1024;
    BatchResult result;
    CsvRow row;
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
        if (!answer(row, pending, problem)) {
            AppendRowErrorJson(pending, result.rows, row.line, problem);
            ++result.failed;
        }
        pending.push_back('\n');
        if (pending.size() >= FlushBytes) {
            if (!out(pending))
                return result;
            pending.clear();
        }
    }
    if (!pending.empty())
        out(pending);
    return result;
}

} // namespace veltara::reading
