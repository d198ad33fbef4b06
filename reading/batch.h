// The batch of readings from CSV rows: one JSON line or CSV row per row.
#pragma once

#include "csv.h"
#include "csvwriter.h"
#include "inputs.h"
#include "output.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace veltara::reading {

// The inputs of one CSV row: name,YYYY-MM-DD or name,day,month,year. The
// name is kept as written; spaces and tabs around the date fields are not
// part of them. On a row that cannot be read, `problem` says why.
[[nodiscard]] std::optional<Inputs> RowInputs(const CsvRow &row, std::string &problem);

// A row with nothing but spaces and tabs in its fields: an empty line, or
// an empty row of a spreadsheet (",,,").
bool IsBlankRow(const CsvRow &row);

// A row of column names: name,date, name,birthdate, name,birth date (each
// also with a third column current name, name in use or current) or
// name,day,month,year, in any letter case, blanks around them allowed.
bool IsHeaderRow(const CsvRow &row);

struct BatchResult {
    std::uint64_t rows = 0;     // rows answered: neither blank nor the header
    std::uint64_t failed = 0;
};

// Why a row of that many columns is none of name,YYYY-MM-DD and
// name,day,month,year (and, for the chart, name,YYYY-MM-DD,current name).
std::string ColumnsProblem(std::size_t columns, bool chart = false);

// Appends the answer to one row (a JSON object, no line break) and returns
// true, or returns false with the reason in `problem`, appending nothing.
using RowAnswer = std::function<bool(const CsvRow &row, std::string &out, std::string &problem)>;

// The reading of each row, with the storage kept from row to row: its JSON
// object or, with `csv`, its CSV columns (CsvForm's).
class ReadingRows {
public:
    ReadingRows() = default;
    ReadingRows(bool csv, chart::Steps steps) : m_csv(csv), m_steps(steps) {}

    bool operator()(const CsvRow &row, std::string &out, std::string &problem);

private:
    bool m_csv = false;
    chart::Steps m_steps = chart::Steps::Written;
    Utf8Reading m_reading;
    std::string m_scratch;
};

// One JSON line per row of the input, in order: the answer to the row, or
// {"row": N, "line": L, "error": "..."} for a row that gives none, N
// counting the rows answered and L the line the row starts on. Blank rows
// are skipped, and so is a header as the first row that is not blank. The
// first write that fails ends the batch. In the CSV form, the header row
// comes first, and each row is N,L, the answer's columns (empty for a row
// that fails), and the error (empty for a row answered), ended by CRLF.
BatchResult RunBatch(CsvReader &reader, const Sink &out, const RowAnswer &answer = ReadingRows(),
                     const BatchForm &form = {});

// Makes the row answer of one job: each job has its own, with its own
// storage.
using RowAnswers = std::function<RowAnswer()>;

// The most jobs --jobs takes, and the jobs of a batch when it is not given:
// one per processor core, at least one.
inline constexpr unsigned MaxJobs = 256;
unsigned DefaultJobs();

// RunBatch with the rows answered on `jobs` threads, each with its own row
// answer, in chunks of a few hundred rows, a few more chunks than jobs in
// flight: this thread reads the rows and writes each chunk's lines once
// answered, in the order of the input. The output is the same as one job's,
// a failed write included: nothing is written after it, and the jobs stop
// after the chunk they answer. One job answers the rows on this thread.
BatchResult RunBatch(CsvReader &reader, const Sink &out, const RowAnswers &answers, unsigned jobs,
                     const BatchForm &form = {});

} // namespace veltara::reading
