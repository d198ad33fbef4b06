// A streaming reader of CSV rows (RFC 4180): fields separated by commas,
// rows ended by LF, CRLF or CR; a field in double quotes may hold commas,
// line breaks and doubled quotes. It keeps one row at a time, so memory stays
// flat whatever the size of the input; a row longer than the limit is
// skipped to its end and reported instead of being kept. Each row knows the
// line of the input on which it starts, counting LF, CRLF and a lone CR as
// one line break each, inside quoted fields too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace veltara::reading {

struct CsvRow {
    std::uint64_t line = 0;          // 1-based line of the input on which the row starts
    std::vector<std::string> fields; // empty when the row has an error
    std::string error;               // why the row cannot be read; empty when it can
};

class CsvReader {
public:
    // Fills the buffer with up to `size` bytes and returns how many; 0 at the
    // end of the input.
    using Source = std::function<std::size_t(char *buffer, std::size_t size)>;

    static constexpr std::size_t DefaultMaxRowBytes = 64 * 1024;

    explicit CsvReader(Source source, std::size_t maxRowBytes = DefaultMaxRowBytes,
                       std::size_t chunkBytes = 64 * 1024);

    // Reads the next row; false at the end of the input. A leading UTF-8 byte
    // order mark is skipped. The end of the input ends the last row even
    // without a line break; an empty input has no rows, a line with nothing
    // on it is a row of one empty field. A quoted field that is never closed
    // takes the rest of the input: that row is the last, and its error
    // names the line of the opening quote.
    [[nodiscard]] bool next(CsvRow &row);

private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted };
    struct RowInProgress;

    bool fill();
    // The steps of next(): the byte order mark before the first row, the LF
    // of a CRLF split between two rows, the plain bytes of a field taken in
    // one run, each other byte, and the end of the row.
    void skipByteOrderMark();
    void skipLineFeedAfterCr();
    bool takeRun(RowInProgress &row);
    void takeByte(RowInProgress &row, char c);
    bool separates(RowInProgress &row, char c);
    void finishRow(RowInProgress &row);

    Source m_source;
    std::size_t m_maxRowBytes;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_atEnd = false;
    bool m_started = false;  // the byte order mark has been looked for
    bool m_skipLineFeed = false; // the last row ended with CR; a LF right after it belongs to it
    bool m_quotedCr = false;     // the last byte of a quoted run was CR; a LF right after it adds no line
    std::uint64_t m_line = 1;    // the line the next byte is on
};

} // namespace veltara::reading
