// Batches as CSV columns (RFC 4180, UTF-8 without a byte order mark, CRLF
// line ends): the chart's and the reading's values as fields, the column
// names from the same walk as the values, so that the two cannot drift
// apart. The names are the JSON's keys, flattened: a nested member after a
// dot, an array of objects numbered from 1, a number's value under its own
// key ("lifePath", "pinnacles.1") and its other members after it
// ("lifePath.total"). A list of plain values is one field, its items
// separated by a space; null is an empty field.
#pragma once

#include "chart.h"
#include "inputs.h"
#include "text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltara::reading {

// The line end of every CSV row.
inline constexpr std::string_view CsvLineEnd = "\r\n";

// Appends one field: in double quotes, its quotes doubled, when it holds a
// comma, a quote, a CR or a LF; after an apostrophe when it begins with
// "=", "+", "-", "@", a tab or a CR, which a spreadsheet would run as a
// formula.
void AppendCsvField(std::string &out, std::string_view utf8);

// Appends the names, or the values, of a row's columns, each after a comma
// (the columns follow "row" and "line"). The values are in `out` once the
// columns are destroyed.
class CsvColumns {
public:
    enum class Write { Names, Values };
    CsvColumns(std::string &out, Write write) : m_out(out), m_names(write == Write::Names) {}
    ~CsvColumns() { flush(); }
    CsvColumns(const CsvColumns &) = delete;
    CsvColumns &operator=(const CsvColumns &) = delete;

    void text(std::string_view key, std::string_view utf8);
    void number(std::string_view key, std::uint64_t value) { number(key, true, value); }
    // A number or, without one, an empty field (null in JSON).
    void number(std::string_view key, bool given, std::uint64_t value)
    {
        if (!begin(key) || !given)
            return;
        if (value < 10)
            m_pending[m_used++] = static_cast<char>('0' + value);
        else
            pendLargeNumber(value);
    }
    void flag(std::string_view key, bool yes)
    {
        if (!begin(key))
            return;
        const std::string_view word = yes ? "true" : "false";
        std::copy(word.begin(), word.end(), m_pending.begin() + static_cast<std::ptrdiff_t>(m_used));
        m_used += word.size();
    }
    // A letter A to Z, or an empty field for none (letter 0).
    void letter(std::string_view key, char letter)
    {
        if (begin(key) && letter != 0)
            m_pending[m_used++] = letter;
    }
    // YYYY-MM-DD.
    void date(std::string_view key, const Date &date);
    // A list of plain values as one field, the items separated by a space.
    template <typename Numbers>
    void numbers(std::string_view key, const Numbers &values)
    {
        if (!begin(key))
            return;
        flush();
        for (std::size_t i = 0; i < std::size(values); ++i) {
            if (i != 0)
                m_out.push_back(' ');
            AppendNumber(m_out, static_cast<std::uint64_t>(values[i]));
        }
    }
    // A list of texts as one field; the storage of `joined` is kept.
    void texts(std::string_view key, const std::vector<std::u32string> &items, std::string &joined);

    // The columns after enter() and before leave() are named after `key`
    // and a dot; an index counts from 1.
    void enter(std::string_view key)
    {
        if (m_names)
            enterName(key, 0);
    }
    void enter(std::size_t index)
    {
        if (m_names)
            enterName({}, index);
    }
    void leave()
    {
        if (m_names)
            leaveName();
    }

    // How many names have been written.
    std::size_t count() const { return m_count; }

    // While set, the values are written as empty fields (null in JSON): the
    // columns of a value the row does not have.
    void blank(bool empty) { m_blank = empty; }

private:
    // The comma before the column and, for the names, the column's name;
    // true when its value is to be written. There is then room in
    // m_pending for a number or a flag.
    bool begin(std::string_view key)
    {
        if (m_names) {
            m_out.push_back(',');
            appendName(key);
            return false;
        }
        if (m_pending.size() - m_used < MostBytes)
            flush();
        m_pending[m_used++] = ',';
        return !m_blank;
    }
    void pendLargeNumber(std::uint64_t value);
    void flush()
    {
        m_out.append(m_pending.data(), m_used);
        m_used = 0;
    }
    void appendName(std::string_view key);
    // The names: the prefix of the columns after it, the key or, without
    // one, the index.
    void enterName(std::string_view key, std::size_t index);
    void leaveName();

    std::string &m_out;
    bool m_names;
    bool m_blank = false;
    std::size_t m_count = 0;
    std::string m_prefix;              // the names: "pinnacles.1."
    std::vector<std::size_t> m_scopes; // the prefix's length before each enter()
    // The commas, numbers and flags of the values, gathered and appended to
    // m_out in one go: a field costs a few stores instead of two or three
    // calls into the string. Of a CSV chart batch this saves 15% of the
    // instructions (callgrind, 20,000 rows: 438 M to 374 M) and a tenth of
    // the time; of the columns' own work, 30%. Without it the CSV batch
    // takes over a third of the JSON batch's time.
    static constexpr std::size_t MostBytes = 1 + 20; // the comma and a 64-bit number
    std::array<char, 256> m_pending;
    std::size_t m_used = 0;
};

// The chart's columns from "name" on: with Steps::Left there are no steps
// columns; with `years`, the forecast's columns of that many years (empty
// for a year past the forecast's end).
void AppendChartColumns(CsvColumns &columns, std::string_view name, const chart::Chart &chart, chart::Steps steps,
                        int years, std::string &scratch);

// The reading's columns from "name" on: the breakdown only with its steps.
void AppendReadingColumns(CsvColumns &columns, const Utf8Reading &reading, chart::Steps steps,
                          std::string &scratch);

// How a batch writes its rows: a JSON line each, or a CSV row each under a
// header row, "row" and "line" first and "error" last.
struct BatchForm {
    bool csv = false;
    std::string header;      // CSV: the header row, its line end included
    std::size_t columns = 0; // CSV: the columns of an answer, between "line" and "error"
};

// The CSV form of the chart's batch (`chart`, with the forecast of `years`)
// or the reading's.
BatchForm CsvForm(bool chart, chart::Steps steps, int years);

} // namespace veltara::reading
