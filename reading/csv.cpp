#include "csv.h"

#include <algorithm>
#include <string>

namespace veltara::reading {

CsvReader::CsvReader(Source source, std::size_t maxRowBytes, std::size_t chunkBytes)
    : m_source(std::move(source))
    , m_maxRowBytes(maxRowBytes)
    , m_buffer(chunkBytes == 0 ? 1 : chunkBytes)
{
}

bool CsvReader::fill()
{
    if (m_atEnd)
        return false;
    m_pos = 0;
    m_end = m_source(m_buffer.data(), m_buffer.size());
    if (m_end == 0)
        m_atEnd = true;
    return m_end != 0;
}

// The row being read: its fields so far, its size and where the reading of
// its bytes stands.
struct CsvReader::RowInProgress {
    CsvRow &row;
    std::size_t maxBytes;
    std::size_t fieldCount = 0;  // the fields of `row` in use; their strings are kept from row to row
    std::size_t bytes = 0;       // the bytes of the row so far, quotes and commas included
    bool tooLong = false;
    bool ended = false;          // a line break has ended the row
    State state = State::FieldStart;
    std::uint64_t quoteLine = 0; // where the last quoted field opened

    void startField()
    {
        if (fieldCount < row.fields.size())
            row.fields[fieldCount].clear();
        else
            row.fields.emplace_back();
        ++fieldCount;
    }
    void keep(char c)
    {
        if (++bytes > maxBytes)
            tooLong = true;
        if (!tooLong)
            row.fields[fieldCount - 1].push_back(c);
    }
    void newField()
    {
        if (++bytes > maxBytes)
            tooLong = true;
        if (!tooLong)
            startField();
    }
    void fail(const char *what)
    {
        if (row.error.empty())
            row.error = what;
    }
};

void CsvReader::skipByteOrderMark()
{
    // A byte order mark, as some spreadsheets write, is no part of the
    // first name. Three bytes may come in more than one read.
    static constexpr char Bom[] = "\xEF\xBB\xBF";
    std::size_t matched = 0;
    std::string held;
    while (matched < 3) {
        if (m_pos == m_end && !fill())
            break;
        if (m_buffer[m_pos] != Bom[matched])
            break;
        held.push_back(m_buffer[m_pos++]);
        ++matched;
    }
    if (matched != 3 && !held.empty()) {
        // Not a byte order mark: the bytes are the start of the first row.
        std::vector<char> rest(held.begin(), held.end());
        rest.insert(rest.end(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_pos),
                    m_buffer.begin() + static_cast<std::ptrdiff_t>(m_end));
        if (rest.size() > m_buffer.size())
            m_buffer.resize(rest.size());
        std::copy(rest.begin(), rest.end(), m_buffer.begin());
        m_pos = 0;
        m_end = rest.size();
    }
}

void CsvReader::skipLineFeedAfterCr()
{
    if (m_pos == m_end)
        fill();
    if (m_pos < m_end && m_buffer[m_pos] == '\n')
        ++m_pos;
}

bool CsvReader::takeRun(RowInProgress &current)
{
    if (current.state != State::Unquoted && current.state != State::Quoted)
        return false;
    const char *begin = m_buffer.data() + m_pos;
    const char *end = m_buffer.data() + m_end;
    const char *stop = begin;
    if (current.state == State::Unquoted) {
        while (stop != end && *stop != ',' && *stop != '\n' && *stop != '\r' && *stop != '"')
            ++stop;
    } else {
        // Line breaks inside the field still move on the line count.
        for (; stop != end && *stop != '"'; ++stop) {
            if (*stop == '\n') {
                m_line += m_quotedCr ? 0 : 1;
                m_quotedCr = false;
            } else {
                m_quotedCr = *stop == '\r';
                m_line += m_quotedCr ? 1 : 0;
            }
        }
    }
    const auto run = static_cast<std::size_t>(stop - begin);
    if (run == 0)
        return false;
    if (!current.tooLong && current.bytes + run <= m_maxRowBytes) {
        current.row.fields[current.fieldCount - 1].append(begin, run);
        current.bytes += run;
    } else {
        current.bytes += run;
        current.tooLong = true;
    }
    m_pos += run;
    return true;
}

// A comma ends the field, a line break the row; false for any other byte.
bool CsvReader::separates(RowInProgress &current, char c)
{
    if (c == ',') {
        current.newField();
        current.state = State::FieldStart;
    } else if (c == '\n' || c == '\r') {
        current.ended = true;
        m_skipLineFeed = c == '\r';
    } else {
        return false;
    }
    return true;
}

void CsvReader::takeByte(RowInProgress &current, char c)
{
    switch (current.state) {
    case State::FieldStart:
    case State::Unquoted:
        if (separates(current, c))
            break;
        if (c == '"') {
            if (current.state == State::FieldStart) {
                current.state = State::Quoted;
                current.quoteLine = m_line;
                m_quotedCr = false;
                ++current.bytes;
            } else {
                current.fail("a double quote inside an unquoted field");
                current.keep(c);
            }
        } else {
            current.keep(c);
            current.state = State::Unquoted;
        }
        break;
    case State::Quoted:
        // Only a quote stops a run.
        current.state = State::QuoteInQuoted;
        m_quotedCr = false;
        ++current.bytes;
        break;
    case State::QuoteInQuoted:
        if (c == '"') {
            current.keep('"');
            current.state = State::Quoted;
        } else if (!separates(current, c)) {
            current.fail("text after the closing double quote of a field");
            current.keep(c);
            current.state = State::Unquoted;
        }
        break;
    }
}

void CsvReader::finishRow(RowInProgress &current)
{
    if (current.ended)
        ++m_line;
    if (!current.ended && current.state == State::Quoted) {
        // It took the rest of the input, which says more than its length.
        current.row.error = "the double quote opened on line " + std::to_string(current.quoteLine) +
                            " is never closed: the rest of the input was read as its field";
    } else if (current.tooLong) {
        current.row.error = "a row longer than " + std::to_string(m_maxRowBytes) + " bytes";
    }
    current.row.fields.resize(current.row.error.empty() ? current.fieldCount : 0);
}

bool CsvReader::next(CsvRow &row)
{
    row.error.clear();
    if (!m_started) {
        m_started = true;
        skipByteOrderMark();
    }
    if (m_skipLineFeed) {
        m_skipLineFeed = false;
        skipLineFeedAfterCr();
    }
    if (m_pos == m_end && !fill()) {
        row.fields.clear();
        return false;
    }

    row.line = m_line;
    RowInProgress current{row, m_maxRowBytes};
    current.startField();
    while (!current.ended && (m_pos != m_end || fill())) {
        if (!takeRun(current))
            takeByte(current, m_buffer[m_pos++]);
    }
    finishRow(current);
    return true;
}

} // namespace veltara::reading
