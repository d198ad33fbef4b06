#include "batch.h"

#include "output.h"
#include "text.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace veltara::reading {

namespace {

constexpr std::string_view NotUtf8Row = "the row is not valid UTF-8";

// One job writes its lines in pieces of about this size.
constexpr std::size_t FlushBytes = 256 * 1024;

// A chunk of rows for a job ends after this many rows or once its rows hold
// this many bytes, so that its lines stay within about a megabyte (a chart
// is about 3 KB, and about 15 bytes for each byte of a long name).
constexpr std::size_t ChunkRows = 256;
constexpr std::size_t ChunkBytes = 64 * 1024;

// The chunks in flight beyond one per job: filled ones the jobs find waiting
// while this thread writes, and answered ones waiting for their turn.
constexpr std::size_t SpareChunks = 4;

// A row of a chunk that held more than this is given back once answered, so
// that a chunk keeps no long row's storage for the rows after it.
constexpr std::size_t KeptRowBytes = 4096;

// Reads the next row to answer, skipping blank rows and a header as the
// first row that is not blank; false at the end of the input.
bool NextRow(CsvReader &reader, CsvRow &row, bool &headerPossible)
{
    while (reader.next(row)) {
        if (IsBlankRow(row))
            continue;
        if (std::exchange(headerPossible, false) && IsHeaderRow(row))
            continue;
        return true;
    }
    return false;
}

// Appends the line of the row numbered `number`: its answer, or its error.
// Returns false when the row failed.
bool AppendRowLine(const RowAnswer &answer, const CsvRow &row, std::uint64_t number, std::string &out,
                   std::string &problem, const BatchForm &form)
{
    if (!form.csv) {
        const bool answered = answer(row, out, problem);
        if (!answered)
            AppendRowErrorJson(out, number, row.line, problem);
        out.push_back('\n');
        return answered;
    }
    AppendNumber(out, number);
    out.push_back(',');
    AppendNumber(out, row.line);
    const bool answered = answer(row, out, problem);
    if (!answered)
        out.append(form.columns, ',');
    out.push_back(',');
    if (!answered)
        AppendCsvField(out, problem);
    out.append(CsvLineEnd);
    return answered;
}

// The bytes a row's storage holds.
std::size_t HeldBytes(const CsvRow &row)
{
    std::size_t bytes = row.error.capacity();
    for (const std::string &field : row.fields)
        bytes += field.capacity();
    return bytes;
}

// Rows of the input on their way through a job, and their lines.
struct Chunk {
    std::vector<CsvRow> rows;       // the first `count` are this chunk's; the storage is kept
    std::size_t count = 0;
    std::uint64_t firstNumber = 0;  // the number of the first row among the rows answered
    std::string lines;
    std::uint64_t failed = 0;
    bool answered = false;
};

// Fills the chunk with the next rows to answer; false when there were none.
bool FillChunk(CsvReader &reader, Chunk &chunk, bool &headerPossible)
{
    chunk.count = 0;
    std::size_t bytes = 0;
    while (chunk.count < ChunkRows && bytes < ChunkBytes) {
        if (chunk.count == chunk.rows.size())
            chunk.rows.emplace_back();
        CsvRow &row = chunk.rows[chunk.count];
        if (!NextRow(reader, row, headerPossible))
            break;
        ++chunk.count;
        bytes += HeldBytes(row);
    }
    return chunk.count != 0;
}

void AnswerChunk(const RowAnswer &answer, Chunk &chunk, std::string &problem, const BatchForm &form)
{
    chunk.lines.clear();
    chunk.failed = 0;
    for (std::size_t i = 0; i < chunk.count; ++i) {
        CsvRow &row = chunk.rows[i];
        if (!AppendRowLine(answer, row, chunk.firstNumber + i, chunk.lines, problem, form))
            ++chunk.failed;
        if (HeldBytes(row) > KeptRowBytes)
            row = CsvRow();
    }
}


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
    const auto isDate = [&is] { return is(1, "date") || is(1, "birthdate") || is(1, "birth date"); };
    if (row.fields.size() == 2)
        return is(0, "name") && isDate();
    if (row.fields.size() == 3)
        return is(0, "name") && isDate() && (is(2, "current name") || is(2, "name in use") || is(2, "current"));
    return row.fields.size() == 4 && is(0, "name") && is(1, "day") && is(2, "month") && is(3, "year");
}

std::string ColumnsProblem(std::size_t columns, bool chart)
{
    return "the row has " + std::to_string(columns) + (columns == 1 ? " column" : " columns") +
           (chart ? ", not name,YYYY-MM-DD, name,YYYY-MM-DD,current name or name,day,month,year"
                  : ", not name,YYYY-MM-DD or name,day,month,year");
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
    if (m_csv) {
        CsvColumns columns(out, CsvColumns::Write::Values);
        AppendReadingColumns(columns, m_reading, m_steps, m_scratch);
    } else {
        AppendReadingJson(out, m_reading);
    }
    return true;
}

BatchResult RunBatch(CsvReader &reader, const Sink &out, const RowAnswer &answer, const BatchForm &form)
{
    BatchResult result;
    if (form.csv && !out(form.header))
        return result;
    CsvRow row;
    std::string problem;
    std::string pending;
    pending.reserve(FlushBytes + 4096);
    bool headerPossible = true;
    while (NextRow(reader, row, headerPossible)) {
        ++result.rows;
        if (!AppendRowLine(answer, row, result.rows, pending, problem, form))
            ++result.failed;
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

unsigned DefaultJobs()
{
    return std::clamp(std::thread::hardware_concurrency(), 1u, MaxJobs);
}

BatchResult RunBatch(CsvReader &reader, const Sink &out, const RowAnswers &answers, unsigned jobs,
                     const BatchForm &form)
{
    if (jobs <= 1)
        return RunBatch(reader, out, answers(), form);

    // Chunk n is chunks[n % size]: this thread fills it once chunk n - size
    // is written, a job takes it once it is filled, and it is written once
    // answered and every chunk before it is written.
    std::vector<Chunk> chunks(jobs + SpareChunks);
    std::uint64_t filled = 0;
    std::uint64_t taken = 0;
    std::uint64_t written = 0;
    bool stop = false;
    std::mutex mutex;
    std::condition_variable work;     // a chunk filled, or the stop
    std::condition_variable answered; // a chunk answered

    auto job = [&](const RowAnswer &answer) {
        std::string problem;
        std::unique_lock lock(mutex);
        for (;;) {
            work.wait(lock, [&] { return stop || taken < filled; });
            if (stop)
                return;
            Chunk &chunk = chunks[taken++ % chunks.size()];
            lock.unlock();
            AnswerChunk(answer, chunk, problem, form);
            lock.lock();
            chunk.answered = true;
            answered.notify_one();
        }
    };
    std::vector<std::thread> threads;
    try {
        for (unsigned i = 0; i < jobs; ++i)
            threads.emplace_back(job, answers());
    } catch (const std::system_error &) {
        // The system gives no more threads: the batch goes on with those it gave.
        if (threads.empty())
            return RunBatch(reader, out, answers(), form);
    }

    BatchResult result;
    bool writing = !form.csv || out(form.header);
    // Writes the oldest chunk not written, once answered; false when the
    // write fails.
    auto writeOldest = [&] {
        Chunk &chunk = chunks[written++ % chunks.size()];
        {
            std::unique_lock lock(mutex);
            answered.wait(lock, [&chunk] { return chunk.answered; });
        }
        result.failed += chunk.failed;
        return out(chunk.lines);
    };
    bool headerPossible = true;
    while (writing) {
        if (filled - written == chunks.size()) {
            writing = writeOldest();
            if (!writing)
                break;
        }
        Chunk &chunk = chunks[filled % chunks.size()];
        chunk.firstNumber = result.rows + 1;
        chunk.answered = false;
        if (!FillChunk(reader, chunk, headerPossible))
            break;
        result.rows += chunk.count;
        {
            const std::lock_guard lock(mutex);
            ++filled;
        }
        work.notify_one();
    }
    while (writing && written < filled)
        writing = writeOldest();

    {
        const std::lock_guard lock(mutex);
        stop = true;
    }
    work.notify_all();
    for (std::thread &thread : threads)
        thread.join();
    return result;
}

} // namespace veltara::reading
