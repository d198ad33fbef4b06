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

void CsvReader::fail(CsvRow &row, const char *what)
{
    if (row.error.empty())
        row.error = what;
}

bool CsvReader::next(CsvRow &row)
{
    row.error.clear();
    // The field strings are kept from row to row, and their storage with them.
    std::size_t fieldCount = 0;
    auto startField = [&row, &fieldCount] {
        if (fieldCount < row.fields.size())
            row.fields[fieldCount].clear();
        else
            row.fields.emplace_back();
        ++fieldCount;
    };

    if (!m_started) {
        m_started = true;
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

    if (m_skipLineFeed) {
        m_skipLineFeed = false;
        if (m_pos == m_end)
            fill();
        if (m_pos < m_end && m_buffer[m_pos] == '\n')
            ++m_pos;
    }
    if (m_pos == m_end && !fill()) {
        row.fields.clear();
        return false;
    }

    row.line = m_line;
    std::uint64_t quoteLine = 0; // where the last quoted field opened
    State state = State::FieldStart;
    std::size_t rowBytes = 0;
    bool tooLong = false;
    startField();

    auto keep = [&](char c) {
        if (++rowBytes > m_maxRowBytes)
            tooLong = true;
        if (!tooLong)
            row.fields[fieldCount - 1].push_back(c);
    };
    auto newField = [&] {
        if (++rowBytes > m_maxRowBytes)
            tooLong = true;
        if (!tooLong)
            startField();
    };

    bool ended = false;
    while (!ended) {
        if (m_pos == m_end && !fill())
            break;
        // Plain bytes of an unquoted or quoted field, taken in one run.
        if (state == State::Unquoted || state == State::Quoted) {
            const char *begin = m_buffer.data() + m_pos;
            const char *end = m_buffer.data() + m_end;
            const char *stop = begin;
            if (state == State::Unquoted) {
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
            if (run != 0) {
                if (!tooLong && rowBytes + run <= m_maxRowBytes) {
                    row.fields[fieldCount - 1].append(begin, run);
                    rowBytes += run;
                } else {
                    rowBytes += run;
                    tooLong = true;
                }
                m_pos += run;
                continue;
            }
        }

        const char c = m_buffer[m_pos++];
        // A comma ends the field, a line break the row.
        const auto separates = [&](char separator) {
            if (separator == ',') {
                newField();
                state = State::FieldStart;
            } else if (separator == '\n' || separator == '\r') {
                ended = true;
                m_skipLineFeed = separator == '\r';
            } else {
                return false;
            }
            return true;
        };
        switch (state) {
        case State::FieldStart:
        case State::Unquoted:
            if (separates(c))
                break;
            if (c == '"') {
                if (state == State::FieldStart) {
                    state = State::Quoted;
                    quoteLine = m_line;
                    m_quotedCr = false;
                    ++rowBytes;
                } else {
                    fail(row, "a double quote inside an unquoted field");
                    keep(c);
                }
            } else {
                keep(c);
                state = State::Unquoted;
            }
            break;
        case State::Quoted:
            // Only a quote stops the run above.
            state = State::QuoteInQuoted;
            m_quotedCr = false;
            ++rowBytes;
            break;
        case State::QuoteInQuoted:
            if (c == '"') {
                keep('"');
                state = State::Quoted;
            } else if (!separates(c)) {
                fail(row, "text after the closing double quote of a field");
                keep(c);
                state = State::Unquoted;
            }
            break;
        }
    }
    if (ended)
        ++m_line;
    if (!ended && state == State::Quoted) {
        // It took the rest of the input, which says more than its length.
        row.error = "the double quote opened on line " + std::to_string(quoteLine) +
                    " is never closed: the rest of the input was read as its field";
    } else if (tooLong) {
        row.error = "a row longer than " + std::to_string(m_maxRowBytes) + " bytes";
    }
    row.fields.resize(row.error.empty() ? fieldCount : 0);
    return true;
}

} // namespace veltara::reading
