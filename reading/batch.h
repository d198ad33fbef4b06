// The batch of readings from CSV rows: one JSON line per row.
#pragma once

#include "csv.h"
#include "inputs.h"
#include "output.h"

#include <cstdint>
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

// A row of column names: name,date, name,birthdate, name,birth date or
// name,day,month,year, in any letter case, blanks around them allowed.
bool IsHeaderRow(const CsvRow &row);

struct BatchResult {
    std::uint64_t rows = 0;     // rows answered: neither blank nor the header
    std::uint64_t failed = 0;
};

// Why a row of that many columns is none of name,YYYY-MM-DD and
// name,day,month,year.
std::string ColumnsProblem(std::size_t columns);

// Appends the answer to one row (a JSON object, no line break) and returns
// true, or returns false with the reason in `problem`, appending nothing.
using RowAnswer = std::function<bool(const CsvRow &row, std::string &out, std::string &problem)>;

// The reading of each row, with the storage kept from row to row.
class ReadingRows {
public:
    bool operator()(const CsvRow &row, std::string &out, std::string &problem);

private:
    Utf8Reading m_reading;
};

// One JSON line per row of the input, in order: the answer to the row, or
// {"row": N, "line": L, "error": "..."} for a row that gives none, N
// counting the rows answered and L the line the row starts on. Blank rows
// are skipped, and so is a header as the first row that is not blank. The
// first write that fails ends the batch.
BatchResult RunBatch(CsvReader &reader, const Sink &out, const RowAnswer &answer = ReadingRows());

} // namespace veltara::reading
