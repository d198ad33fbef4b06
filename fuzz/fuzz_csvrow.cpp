// The CSV row reader of veltara-reading on arbitrary bytes: the rows do not
// depend on how the input arrives, rows start on ever later lines, no row
// grows past the limit, every row written back as CSV reads again as the same
// fields, and the batch gives one JSON line per row that is neither blank nor
// the header.
#include "args.h"
#include "batch.h"
#include "csv.h"
#include "fuzzsupport.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using veltara::reading::CsvReader;
using veltara::reading::CsvRow;

constexpr std::size_t MaxRow = 48;

struct Row {
    std::vector<std::string> fields;
    std::string error;
    bool operator==(const Row &) const = default;
};

CsvReader::Source SourceOf(std::string_view bytes, std::size_t piece)
{
    return [bytes, piece, offset = std::size_t{0}](char *buffer, std::size_t size) mutable {
        const std::size_t n = std::min({size, piece, bytes.size() - offset});
        std::copy_n(bytes.data() + offset, n, buffer);
        offset += n;
        return n;
    };
}

std::vector<Row> ReadAll(std::string_view bytes, std::size_t piece, std::size_t chunk)
{
    CsvReader reader(SourceOf(bytes, piece), MaxRow, chunk);
    std::vector<Row> rows;
    CsvRow row;
    std::uint64_t lastLine = 0;
    while (reader.next(row)) {
        // Every row but the last ends with a line break: each starts on a
        // later line, and no line lies past the bytes.
        FUZZ_CHECK(row.line > lastLine);
        FUZZ_CHECK(row.line <= bytes.size() + 1);
        lastLine = row.line;
        FUZZ_CHECK(row.error.empty() || row.fields.empty());
        FUZZ_CHECK(!row.error.empty() || !row.fields.empty());
        // The fields and the commas between them fit the limit.
        std::size_t bytesKept = 0;
        for (const std::string &field : row.fields)
            bytesKept += field.size() + 1;
        FUZZ_CHECK(bytesKept <= MaxRow + 1);
        rows.push_back({row.fields, row.error});
    }
    FUZZ_CHECK(rows.size() <= bytes.size());
    return rows;
}

// A row written as CSV: every field quoted, quotes doubled, CRLF at the end.
std::string Written(const std::vector<std::string> &fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i != 0)
            line.push_back(',');
        line.push_back('"');
        for (const char c : fields[i]) {
            if (c == '"')
                line.push_back('"');
            line.push_back(c);
        }
        line.push_back('"');
    }
    return line + "\r\n";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // The same rows whatever the size of the reads and of the buffer.
    const std::vector<Row> rows = ReadAll(bytes, size + 1, 4096);
    FUZZ_CHECK(ReadAll(bytes, 1, 4096) == rows);
    FUZZ_CHECK(ReadAll(bytes, 3, 5) == rows);
    FUZZ_CHECK(ReadAll(bytes, 7, 1) == rows);

    // Each readable row, written back with every field quoted, reads as the
    // same fields.
    std::string again;
    std::vector<Row> expected;
    for (const Row &row : rows) {
        if (!row.error.empty())
            continue;
        const std::string line = Written(row.fields);
        // Quoting adds bytes: only rows that still fit the limit come back.
        if (line.size() - 2 > MaxRow)
            continue;
        again += line;
        expected.push_back(row);
    }
    FUZZ_CHECK(ReadAll(again, again.size() + 1, 4096) == expected);

    // The batch answers every row with one line.
    CsvReader reader(SourceOf(bytes, size + 1), MaxRow);
    std::string out;
    const veltara::reading::BatchResult result = veltara::reading::RunBatch(reader, [&out](std::string_view text) {
        out.append(text);
        return true;
    });
    // Blank rows and a header as the first row that is not blank get none.
    std::uint64_t answered = 0;
    bool first = true;
    for (const Row &kept : rows) {
        CsvRow read;
        read.fields = kept.fields;
        read.error = kept.error;
        if (veltara::reading::IsBlankRow(read))
            continue;
        if (!std::exchange(first, false) || !veltara::reading::IsHeaderRow(read))
            ++answered;
    }
    FUZZ_CHECK(result.rows == answered);
    FUZZ_CHECK(static_cast<std::size_t>(std::count(out.begin(), out.end(), '\n')) == answered);
    FUZZ_CHECK(result.failed <= result.rows);
    return 0;
}
