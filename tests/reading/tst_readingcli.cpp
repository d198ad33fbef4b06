// The parts of veltara-reading: its arguments, ISO dates, CSV rows, JSON
// escaping, the explanation of a reading, the batch, and the program's exit
// statuses and messages.
#include "args.h"
#include "batch.h"
#include "csv.h"
#include "output.h"
#include "inputs.h"
#include "programrun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace veltara::reading;
using veltara::ReadingOutcome;

namespace {

std::vector<std::string_view> Views(const QList<QByteArray> &arguments)
{
    std::vector<std::string_view> views;
    for (const QByteArray &argument : arguments)
        views.emplace_back(argument.constData(), static_cast<std::size_t>(argument.size()));
    return views;
}

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// Hands out the bytes of a CSV text, as many as asked for at a time.
CsvReader::Source SourceOf(const QByteArray &csv)
{
    return [&csv, offset = qsizetype{0}](char *buffer, std::size_t size) mutable {
        const auto n = std::min<qsizetype>(static_cast<qsizetype>(size), csv.size() - offset);
        std::copy_n(csv.constData() + offset, n, buffer);
        offset += n;
        return static_cast<std::size_t>(n);
    };
}

// Every row of a CSV text read in chunks of the given size: "a|b|c" for a
// row's fields, "error: ..." for a row that cannot be read.
QList<QByteArray> ReadRows(const QByteArray &csv, std::size_t chunk, std::size_t maxRow = CsvReader::DefaultMaxRowBytes)
{
    CsvReader reader(SourceOf(csv), maxRow, chunk);
    QList<QByteArray> rows;
    CsvRow row;
    while (reader.next(row)) {
        if (!row.error.empty()) {
            rows.append("error: " + Bytes(row.error));
            continue;
        }
        QByteArray joined;
        for (std::size_t i = 0; i < row.fields.size(); ++i)
            joined += (i ? "|" : "") + Bytes(row.fields[i]);
        rows.append(joined);
    }
    return rows;
}

// The line on which each row of a CSV text starts, read in chunks of the
// given size.
QList<quint64> ReadLines(const QByteArray &csv, std::size_t chunk)
{
    CsvReader reader(SourceOf(csv), CsvReader::DefaultMaxRowBytes, chunk);
    QList<quint64> lines;
    CsvRow row;
    while (reader.next(row))
        lines.append(row.line);
    return lines;
}

// Whitespace runs, line breaks included, as one space.
QByteArray Collapsed(const QByteArray &text) { return text.simplified(); }

struct Batch {
    BatchResult result;
    QList<QByteArray> lines;
};

Batch RunBatchOn(const QByteArray &csv)
{
    CsvReader reader(SourceOf(csv));
    QByteArray out;
    Batch batch;
    batch.result = RunBatch(reader, [&out](std::string_view text) {
        out += Bytes(text);
        return true;
    });
    batch.lines = out.split('\n');
    if (batch.lines.last().isEmpty())
        batch.lines.removeLast();
    return batch;
}

// A seeded random batch: the CSV forms, refused rows, blank rows, a long name
// and a row too long, over many chunks of rows.
QByteArray RandomBatch()
{
    const QByteArray names[] = {"Ann", "\"Smith, John\"", "\"Kate\nLee\"", "Zo\xC3\xAB", "\xD0\x9F\xD1\x91\xD1\x82",
                                "An\xFF", ""};
    const QByteArray dates[] = {"1980-01-05", " 29 , September , 1999", "1980-13-01", "1900-02-29", "5,May,1980,x",
                                "1,13,2000", "2030-01-01"};
    std::mt19937 random(20240630);
    QByteArray csv = "name,date\n" + QByteArray(20000, 'a') + ",1980-01-05\n" + QByteArray(70000, 'b') +
                     ",1980-01-05\n";
    for (int i = 0; i < 3000; ++i)
        csv += names[random() % std::size(names)] + ',' + dates[random() % std::size(dates)] +
               (random() % 9 ? "\n" : "\r\n,,\n");
    return csv;
}

QStringList Words(std::initializer_list<const char *> words)
{
    QStringList list;
    for (const char *word : words)
        list.append(QString::fromUtf8(word));
    return list;
}

} // namespace

class TestReadingCli : public QObject {
    Q_OBJECT

private slots:
    void arguments_data();
    void arguments();
    void isoDates_data();
    void isoDates();
    void csvRows_data();
    void csvRows();
    void csvRowTooLong();
    void csvLines_data();
    void csvLines();
    void argumentHints_data();
    void argumentHints();
    void batchInput_data();
    void batchInput();
    void textColumns_data();
    void textColumns();
    void wrappedText_data();
    void wrappedText();
    void wrappedTextNarrow();
    void jsonEscaping_data();
    void jsonEscaping();
    void jsonWriterSeparators();
    void breakdownOfAReading();
    void textOfAReading();
    void reusedReadingKeepsNothing_data();
    void reusedReadingKeepsNothing();
    void batchRows();
    void programStatuses_data();
    void programStatuses();
    void linesOnStandardError_data();
    void linesOnStandardError();
    void batchFromFileAndFaults();
    void batchOnJobs_data();
    void batchOnJobs();
    void failedWriteOnJobs_data();
    void failedWriteOnJobs();
    void engineAndProgramWithoutQt();
};

void TestReadingCli::arguments_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("json");
    // Reading: name|day|month|year; Chart: name|the date's fields; the batches: the file; Usage: a part of
    // the problem.
    QTest::addColumn<QByteArray>("expected");

    using M = Options::Mode;
    auto row = [](const char *tag, QList<QByteArray> arguments, M mode, bool json, QByteArray expected) {
        QTest::newRow(tag) << arguments << static_cast<int>(mode) << json << expected;
    };
    row("four fields", {"Ann", "5", "January", "1980"}, M::Reading, false, "Ann|5|January|1980");
    row("four fields, json first", {"--json", "Ann", "05", "May", "1980"}, M::Reading, true, "Ann|05|May|1980");
    row("json last", {"Ann", "05", "May", "1980", "--json"}, M::Reading, true, "Ann|05|May|1980");
    row("empty fields kept", {"", "", "", ""}, M::Reading, false, "|||");
    row("ISO date", {"John Smith", "1999-09-29"}, M::Reading, false, "John Smith|29|September|1999");
    row("ISO February 30 is a date", {"Ann", "1999-02-30"}, M::Reading, false, "Ann|30|February|1999");
    row("ISO day 00 is a date", {"Ann", "1999-12-00"}, M::Reading, false, "Ann|00|December|1999");
    row("dash-dash before a day with a hyphen", {"--", "Ann", "-5", "May", "1980"}, M::Reading, false,
        "Ann|-5|May|1980");
    row("a lone hyphen is a field", {"-", "05", "May", "1980"}, M::Reading, false, "-|05|May|1980");
    row("batch file", {"--batch", "rows.csv"}, M::ReadingBatch, false, "rows.csv");
    row("batch stdin, equals form", {"--batch=-"}, M::ReadingBatch, false, "-");
    row("batch with json", {"--json", "--batch", "-"}, M::ReadingBatch, true, "-");
    row("chart, ISO date", {"--chart", "Ann", "1980-01-05"}, M::Chart, false, "Ann|1980-01-05");
    row("chart, three fields, json", {"Ann", "5", "May", "1980", "--chart", "--json"}, M::Chart, true,
        "Ann|5|May|1980");
    row("chart batch", {"--batch", "-", "--chart", "--on", "2026-01-01"}, M::ChartBatch, false, "-");
    row("chart, name in use and years", {"--chart", "--current", "Ada King", "--years=100", "Ada", "1815-12-10"},
        M::Chart, false, "Ada|1815-12-10|current Ada King|years 100");
    row("years 101", {"--chart", "--years", "101", "Ann", "1980-01-05"}, M::Usage, false,
        "\"101\" after --years is not a number from 1 to 100");
    row("years twice", {"--chart", "--years=2", "--years=2", "Ann", "1980-01-05"}, M::Usage, false, "twice");
    row("years without chart", {"--years=2", "Ann", "1980-01-05"}, M::Usage, false, "--years is for the chart");
    row("name in use without chart", {"--current", "Al", "Ann", "1980-01-05"}, M::Usage, false,
        "--current is for the chart");
    row("name in use in a batch", {"--chart", "--current=Al", "--batch", "-"}, M::Usage, false, "a third field");
    row("help wins", {"Ann", "--help"}, M::Help, false, "");
    row("short help", {"-h"}, M::Help, false, "");
    row("short help after fields", {"Ann", "1980-01-05", "-h"}, M::Help, false, "");
    row("version", {"--version"}, M::Version, false, "");
    row("short version", {"-v"}, M::Version, false, "");
    row("-h after dash-dash is a field", {"--", "-h", "05", "May", "1980"}, M::Reading, false, "-h|05|May|1980");
    row("nothing", {}, M::Usage, false, "no NAME");
    row("three fields", {"Ann", "05", "May"}, M::Usage, false, "NAME DAY MONTH YEAR");
    row("five fields", {"Ann", "05", "May", "1980", "x"}, M::Usage, false, "NAME DAY MONTH YEAR");
    row("name alone", {"Ann"}, M::Usage, false, "NAME DAY MONTH YEAR");
    row("unknown option", {"--jsn", "Ann", "1980-01-05"}, M::Usage, false, "unknown option --jsn");
    row("negative day needs dash-dash", {"Ann", "-5", "May", "1980"}, M::Usage, false, "unknown option -5");
    row("batch without file", {"--batch"}, M::Usage, false, "needs a file");
    row("batch with empty file", {"--batch="}, M::Usage, false, "needs a file");
    row("batch twice", {"--batch", "a", "--batch", "b"}, M::Usage, false, "twice");
    row("batch with a name", {"--batch", "-", "Ann", "1980-01-05"}, M::Usage, false, "no NAME");
    row("batch on jobs", {"--jobs", "7", "--batch", "-"}, M::ReadingBatch, false, "-");
    row("the most jobs, equals form", {"--batch", "-", "--jobs=256"}, M::ReadingBatch, false, "-");
    row("jobs 0", {"--batch", "-", "--jobs", "0"}, M::Usage, false, "\"0\" after --jobs is not a number from 1 to 256");
    row("jobs 257", {"--batch", "-", "--jobs", "257"}, M::Usage, false, "not a number from 1 to 256");
    row("jobs 2x", {"--batch", "-", "--jobs", "2x"}, M::Usage, false, "not a number from 1 to 256");
    row("jobs of 11 digits", {"--batch", "-", "--jobs", "99999999999"}, M::Usage, false, "not a number from 1 to 256");
    row("jobs without a number", {"--batch", "-", "--jobs"}, M::Usage, false, "--jobs needs a number");
    row("jobs twice", {"--jobs", "2", "--jobs=2", "--batch", "-"}, M::Usage, false, "--jobs given twice");
    row("jobs without batch", {"--jobs", "2", "Ann", "1980-01-05"}, M::Usage, false, "--jobs is for the batch");
    row("CSV chart batch with steps", {"--chart", "--csv", "--steps", "--batch", "-"}, M::ChartBatch, false, "-");
    row("CSV without batch", {"--csv", "Ann", "1980-01-05"}, M::Usage, false, "--csv is for the batch");
    row("CSV and JSON", {"--csv", "--json", "--batch", "-"}, M::Usage, false, "--csv and --json are two forms");
    row("steps without CSV", {"--steps", "--batch", "-"}, M::Usage, false, "--steps is for the CSV batch");
    row("ISO month 13", {"Ann", "1980-13-05"}, M::Usage, false, "not a date");
    row("ISO month 00", {"Ann", "1980-00-05"}, M::Usage, false, "not a date");
    row("ISO one-digit day", {"Ann", "1980-01-5"}, M::Usage, false, "not a date");
    row("ISO slashes", {"Ann", "1980/01/05"}, M::Usage, false, "not a date");
    row("ISO with a blank", {"Ann", " 1980-01-05"}, M::Usage, false, "not a date");
    row("name not UTF-8", {"An\xFF", "1980-01-05"}, M::Usage, false, "UTF-8");
    row("day not UTF-8", {"Ann", "\xC3", "May", "1980"}, M::Usage, false, "UTF-8");
}

void TestReadingCli::arguments()
{
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(int, mode);
    QFETCH(bool, json);
    QFETCH(QByteArray, expected);

    const Options options = ParseArguments(Views(arguments));
    QCOMPARE(static_cast<int>(options.mode), mode);
    switch (options.mode) {
    case Options::Mode::Reading:
        QCOMPARE(options.json, json);
        QCOMPARE(Bytes(options.inputs.name) + '|' + Bytes(options.inputs.day) + '|' + Bytes(options.inputs.month) +
                     '|' + Bytes(options.inputs.year),
                 expected);
        break;
    case Options::Mode::Chart:
        QCOMPARE(options.json, json);
    {
        QByteArray given = Bytes(options.inputs.name);
        for (const std::string &field : options.chartDate)
            given += '|' + Bytes(field);
        if (!options.current.empty())
            given += "|current " + Bytes(options.current);
        if (options.years != 0)
            given += "|years " + QByteArray::number(options.years);
        QCOMPARE(given, expected);
        break;
    }
    case Options::Mode::ReadingBatch:
    case Options::Mode::ChartBatch:
        QCOMPARE(Bytes(options.batchFile), expected);
        break;
    case Options::Mode::Usage:
        QVERIFY2(Bytes(options.problem).contains(expected), options.problem.c_str());
        break;
    case Options::Mode::Help:
    case Options::Mode::Version:
        break;
    }
}

void TestReadingCli::isoDates_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("fields"); // day|month|year, empty when not a date

    QTest::newRow("January") << QByteArray("1980-01-05") << QByteArray("05|January|1980");
    QTest::newRow("December") << QByteArray("2010-12-31") << QByteArray("31|December|2010");
    QTest::newRow("each month named") << QByteArray("0001-09-09") << QByteArray("09|September|0001");
    QTest::newRow("day 99 left to the reading") << QByteArray("1980-04-99") << QByteArray("99|April|1980");
    QTest::newRow("month 13") << QByteArray("1980-13-01") << QByteArray();
    QTest::newRow("month 00") << QByteArray("1980-00-01") << QByteArray();
    QTest::newRow("five-digit year") << QByteArray("19800-01-01") << QByteArray();
    QTest::newRow("time after it") << QByteArray("1980-01-01T00") << QByteArray();
    QTest::newRow("letters") << QByteArray("198O-01-01") << QByteArray();
    QTest::newRow("sign") << QByteArray("+980-01-01") << QByteArray();
    QTest::newRow("empty") << QByteArray() << QByteArray();
    QTest::newRow("Arabic-Indic digits") << QByteArray("\xD9\xA1\xD9\xA9\xD9\xA8\xD9\xA0-01-01") << QByteArray();
}

void TestReadingCli::isoDates()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, fields);
    const std::optional<DateFields> date = ParseIsoDate(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    QCOMPARE(date.has_value(), !fields.isEmpty());
    if (date)
        QCOMPARE(Bytes(date->day) + '|' + Bytes(date->month) + '|' + Bytes(date->year), fields);
}

void TestReadingCli::csvRows_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QList<QByteArray>>("rows");

    QTest::newRow("LF rows") << QByteArray("Ann,1980-01-05\nBob,5,May,1980\n")
                             << QList<QByteArray>{"Ann|1980-01-05", "Bob|5|May|1980"};
    QTest::newRow("CRLF rows") << QByteArray("Ann,1980-01-05\r\nBob,5,May,1980\r\n")
                               << QList<QByteArray>{"Ann|1980-01-05", "Bob|5|May|1980"};
    QTest::newRow("CR rows") << QByteArray("a,b\rc,d\r") << QList<QByteArray>{"a|b", "c|d"};
    QTest::newRow("no line break at the end") << QByteArray("a,b\nc,d") << QList<QByteArray>{"a|b", "c|d"};
    QTest::newRow("empty input") << QByteArray() << QList<QByteArray>{};
    QTest::newRow("byte order mark only") << QByteArray("\xEF\xBB\xBF") << QList<QByteArray>{};
    QTest::newRow("byte order mark skipped") << QByteArray("\xEF\xBB\xBF" "Ann,x\n") << QList<QByteArray>{"Ann|x"};
    QTest::newRow("start like a byte order mark") << QByteArray("\xEF\xBB" "A,x\n")
                                                  << QList<QByteArray>{"\xEF\xBB" "A|x"};
    QTest::newRow("empty line is a row") << QByteArray("a,b\n\nc,d\n") << QList<QByteArray>{"a|b", "", "c|d"};
    QTest::newRow("empty fields") << QByteArray(",,,\n") << QList<QByteArray>{"|||"};
    QTest::newRow("quoted comma") << QByteArray("\"Smith, John\",1980-01-05\n")
                                  << QList<QByteArray>{"Smith, John|1980-01-05"};
    QTest::newRow("doubled quotes") << QByteArray("\"say \"\"hi\"\"\",x\n") << QList<QByteArray>{"say \"hi\"|x"};
    QTest::newRow("quoted line breaks") << QByteArray("\"a\r\nb\nc\",x\r\nnext,y\n")
                                        << QList<QByteArray>{"a\r\nb\nc|x", "next|y"};
    QTest::newRow("quoted empty field") << QByteArray("\"\",\"\"\n") << QList<QByteArray>{"|"};
    QTest::newRow("blanks kept") << QByteArray(" Ann , 5 \n") << QList<QByteArray>{" Ann | 5 "};
    QTest::newRow("bytes kept as they are") << QByteArray("An\xFF,x\n") << QList<QByteArray>{"An\xFF|x"};
    QTest::newRow("quote inside unquoted field") << QByteArray("An\"n,x\nok,y\n")
                                                 << QList<QByteArray>{"error: a double quote inside an unquoted field",
                                                                      "ok|y"};
    QTest::newRow("text after closing quote") << QByteArray("\"Ann\"x,\"1\n2\",z\nok,y\n")
                                              << QList<QByteArray>{"error: text after the closing double quote of a field",
                                                                   "ok|y"};
    QTest::newRow("unterminated quote") << QByteArray("ok,y\n\"Ann,1980\nmore,rows\n")
                                        << QList<QByteArray>{"ok|y", "error: the double quote opened on line 2 is never "
                                                                     "closed: the rest of the input was read as its field"};
    QTest::newRow("unterminated quote after a quoted line break")
        << QByteArray("\"A\nB\",\"1980\nmore,rows\n")
        << QList<QByteArray>{"error: the double quote opened on line 2 is never closed: the rest of the input was read "
                             "as its field"};
}

void TestReadingCli::csvRows()
{
    QFETCH(QByteArray, csv);
    QFETCH(QList<QByteArray>, rows);
    // The rows do not depend on how the input arrives.
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{65536}})
        QCOMPARE(ReadRows(csv, chunk), rows);
}

void TestReadingCli::csvRowTooLong()
{
    // A row over the limit is reported and skipped to its end, quoted line
    // breaks included; the rows around it are read.
    const QByteArray longName(100, 'a');
    const QByteArray csv = "first,x\n\"" + longName + "\n" + longName + "\",y\nlast,z\n";
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{16}, std::size_t{65536}}) {
        QCOMPARE(ReadRows(csv, chunk, 64),
                 (QList<QByteArray>{"first|x", "error: a row longer than 64 bytes", "last|z"}));
    }
    // Exactly at the limit is still a row.
    QCOMPARE(ReadRows(QByteArray(62, 'b') + ",c\n", 65536, 64), QList<QByteArray>{QByteArray(62, 'b') + "|c"});
    QCOMPARE(ReadRows(QByteArray(63, 'b') + ",c\n", 65536, 64), QList<QByteArray>{"error: a row longer than 64 bytes"});
}

void TestReadingCli::csvLines_data()
{
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<QList<quint64>>("lines");

    QTest::newRow("LF") << QByteArray("a\nb\nc") << QList<quint64>{1, 2, 3};
    QTest::newRow("CRLF") << QByteArray("a\r\nb\r\nc\r\n") << QList<quint64>{1, 2, 3};
    QTest::newRow("lone CR") << QByteArray("a\rb\rc\r") << QList<quint64>{1, 2, 3};
    QTest::newRow("CR then CRLF") << QByteArray("a\r\r\nb\n") << QList<quint64>{1, 2, 3};
    QTest::newRow("empty lines") << QByteArray("\n\na\n\nb\n") << QList<quint64>{1, 2, 3, 4, 5};
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "a\nb\n") << QList<quint64>{1, 2};
    QTest::newRow("quoted LF") << QByteArray("\"a\nb\",x\nc\n") << QList<quint64>{1, 3};
    QTest::newRow("quoted CRLF is one line break") << QByteArray("\"a\r\nb\r\nc\",x\r\nd\r\n") << QList<quint64>{1, 4};
    QTest::newRow("quoted lone CR") << QByteArray("\"a\rb\",x\rc\r") << QList<quint64>{1, 3};
    QTest::newRow("quoted CR, doubled quote, LF") << QByteArray("\"a\r\"\"\nb\",x\nc\n") << QList<quint64>{1, 4};
    QTest::newRow("two quoted fields over lines") << QByteArray("\"a\nb\",\"c\n\nd\"\ne\n") << QList<quint64>{1, 5};
    QTest::newRow("row too long keeps counting") << QByteArray("\"" + QByteArray(70000, 'x') + "\n\n\",y\nz\n")
                                                 << QList<quint64>{1, 4};
}

void TestReadingCli::csvLines()
{
    QFETCH(QByteArray, csv);
    QFETCH(QList<quint64>, lines);
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{5}, std::size_t{65536}})
        QCOMPARE(ReadLines(csv, chunk), lines);
}

void TestReadingCli::argumentHints_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("hint"); // the whole line; empty for none

    using M = Options::Mode;
    const QByteArray anyOrder = "the name comes first: veltara-reading NAME DAY MONTH YEAR or NAME YYYY-MM-DD";
    auto row = [](const char *tag, QList<QByteArray> arguments, M mode, QByteArray hint) {
        QTest::newRow(tag) << arguments << static_cast<int>(mode) << hint;
    };
    auto month = [](const char *text) {
        return "only the twelve English month names, written January to December, are known; \"" + QByteArray(text) +
               "\" adds no month digits";
    };
    row("ISO date before the name", {"1999-09-29", "John Smith"}, M::Usage,
        "the name comes first: veltara-reading 'John Smith' 1999-09-29");
    row("with json", {"--json", "1999-09-29", "Ann"}, M::Usage, "the name comes first: veltara-reading --json Ann 1999-09-29");
    row("name in two words", {"1999-09-29", "John", "Smith"}, M::Usage,
        "the name comes first: veltara-reading 'John Smith' 1999-09-29");
    row("quote in the name", {"1999-09-29", "Ann O'Neil"}, M::Usage,
        "the name comes first: veltara-reading 'Ann O'\\''Neil' 1999-09-29");
    row("day month year name", {"29", "September", "1999", "John Smith"}, M::Reading, anyOrder);
    row("digits before the name", {"19990929", "Ann"}, M::Usage, anyOrder);
    row("ISO shape, month 13", {"1999-13-29", "Ann"}, M::Usage, anyOrder);
    row("order hint before the month's", {"29", "Sep", "1980", "Ann"}, M::Reading, anyOrder);
    row("name first", {"Ann", "1999-09-29"}, M::Reading, "");
    row("digits at both ends", {"1999", "05", "May", "1980"}, M::Reading, "");
    row("a name of digits after a date", {"1999-09-29", "1999-09-29"}, M::Reading, "");
    row("month as digits", {"Ann", "05", "09", "1980"}, M::Reading, month("09"));
    row("month as one digit", {"Ann", "05", "9", "1980"}, M::Reading, month("9"));
    row("month abbreviated", {"Ann", "05", "Sep", "1980"}, M::Reading, month("Sep"));
    row("month in lower case", {"Ann", "05", "september", "1980"}, M::Reading, month("september"));
    row("month unknown", {"Ann", "01", "Foo", "011999"}, M::Reading, month("Foo"));
    row("month named", {"Ann", "05", "May", "1980"}, M::Reading, "");
    row("month empty", {"Ann", "05", "", "1980"}, M::Reading, "");
}

void TestReadingCli::argumentHints()
{
    QFETCH(QList<QByteArray>, arguments);
    QFETCH(int, mode);
    QFETCH(QByteArray, hint);
    const Options options = ParseArguments(Views(arguments));
    QCOMPARE(static_cast<int>(options.mode), mode);
    QCOMPARE(Bytes(options.hint), hint);
}

void TestReadingCli::batchInput_data()
{
    QTest::addColumn<QByteArray>("csv");
    // name|day|month|year for a reading, the whole line for an error.
    QTest::addColumn<QList<QByteArray>>("lines");

    const QByteArray ann = "Ann|05|January|1980";
    const QByteArray notADate = "the date is not YYYY-MM-DD with a month from 01 to 12";
    const QByteArray refused = "You Have Entered An Invalid Birthdate.  Please Retry.";
    auto error = [](int row, int line, const QByteArray &message) {
        return "{\"row\": " + QByteArray::number(row) + ", \"line\": " + QByteArray::number(line) + ", \"error\": \"" +
               message + "\"}";
    };
    const QByteArray unclosed = "the double quote opened on line 2 is never closed: the rest of the input was read as "
                                "its field";

    QTest::newRow("header name,date") << QByteArray("name,date\nAnn,1980-01-05\n") << QList<QByteArray>{ann};
    QTest::newRow("header in capitals, blanks") << QByteArray("NAME , Birth Date\r\nAnn,1980-01-05\r\n")
                                                << QList<QByteArray>{ann};
    QTest::newRow("header birthdate") << QByteArray("Name,BirthDate\nAnn,1980-01-05\n") << QList<QByteArray>{ann};
    QTest::newRow("header of four") << QByteArray("name,day,month,year\nAnn,5,January,1980\n") << QList<QByteArray>{ann};
    QTest::newRow("header of four, mixed case") << QByteArray("Name,Day,MONTH,Year\nAnn,5,January,1980\n")
                                                << QList<QByteArray>{ann};
    QTest::newRow("header after a byte order mark") << QByteArray("\xEF\xBB\xBF" "name,date\nAnn,1980-01-05\n")
                                                    << QList<QByteArray>{ann};
    QTest::newRow("quoted header") << QByteArray("\"name\",\"birth date\"\nAnn,1980-01-05\n") << QList<QByteArray>{ann};
    QTest::newRow("header after blank lines") << QByteArray("\n\r\nname,date\nAnn,1980-02-30\n")
                                              << QList<QByteArray>{error(1, 4, refused)};
    QTest::newRow("header alone") << QByteArray("name,date\n") << QList<QByteArray>{};
    QTest::newRow("a second header is a row") << QByteArray("name,date\nAnn,1980-01-05\nname,date\n")
                                              << QList<QByteArray>{ann, error(2, 3, notADate)};
    QTest::newRow("data first is no header") << QByteArray("Name,1980-01-05\nAnn,1980-01-05\n")
                                             << QList<QByteArray>{"Name|05|January|1980", ann};
    QTest::newRow("day named Day is data") << QByteArray("Name,Day,May,1980\n")
                                           << QList<QByteArray>{error(1, 1, refused)};
    QTest::newRow("columns the other way round") << QByteArray("date,name\nAnn,1980-01-05\n")
                                                 << QList<QByteArray>{error(1, 1, notADate), ann};
    QTest::newRow("three column names") << QByteArray("name,date,place\n")
                                        << QList<QByteArray>{error(1, 1, "the row has 3 columns, not name,YYYY-MM-DD or "
                                                                         "name,day,month,year")};

    QTest::newRow("blank lines anywhere") << QByteArray("\nAnn,1980-01-05\n\n\nAnn,1980-01-05\n\n\n")
                                          << QList<QByteArray>{ann, ann};
    QTest::newRow("blank lines of CR and CRLF") << QByteArray("\r\nAnn,1980-01-05\r\r\n\r\n") << QList<QByteArray>{ann};
    QTest::newRow("spaces and tabs only") << QByteArray("  \t\nAnn,1980-01-05\n \n") << QList<QByteArray>{ann};
    QTest::newRow("empty spreadsheet rows") << QByteArray(",\n,,,\nAnn,1980-01-05\n , \t,,\n\"\",\"\"\n")
                                            << QList<QByteArray>{ann};
    QTest::newRow("only blank lines") << QByteArray("\n\n\r\n") << QList<QByteArray>{};
    QTest::newRow("rows and lines past blank lines") << QByteArray("\nAnn,1980-02-30\n\nAnn,x\n")
                                                     << QList<QByteArray>{error(1, 2, refused), error(2, 4, notADate)};
    QTest::newRow("line after a name over two lines") << QByteArray("\"Ann\nSmith\",1980-01-05\nBob,1980-02-30\n")
                                                      << QList<QByteArray>{"Ann\nSmith|05|January|1980",
                                                                           error(2, 3, refused)};
    QTest::newRow("lone CR ends rows") << QByteArray("Ann,1980-02-30\rBob,1980-02-30\r")
                                       << QList<QByteArray>{error(1, 1, refused), error(2, 2, refused)};
    QTest::newRow("quoted CRLF is one line") << QByteArray("\"A\r\nB\",1980-02-30\r\nC,1980-02-30\r\n")
                                             << QList<QByteArray>{error(1, 1, refused), error(2, 3, refused)};

    QTest::newRow("blank before an ISO date") << QByteArray("Ann, 1980-01-05\n") << QList<QByteArray>{ann};
    QTest::newRow("tabs and spaces around an ISO date") << QByteArray("Ann,\t1980-01-05 \t\n") << QList<QByteArray>{ann};
    QTest::newRow("blanks around day, month, year") << QByteArray("Ann, 05 , March , 1980\n")
                                                    << QList<QByteArray>{"Ann|05|March|1980"};
    QTest::newRow("one-character day padded after the blanks") << QByteArray("Ann,\t5\t,May, 1980\n")
                                                               << QList<QByteArray>{"Ann|05|May|1980"};
    QTest::newRow("quoted date with blanks") << QByteArray("Ann,\" 1980-01-05 \"\n") << QList<QByteArray>{ann};
    QTest::newRow("name kept as written") << QByteArray(" Ann \t, 1980-01-05\n")
                                          << QList<QByteArray>{" Ann \t|05|January|1980"};
    QTest::newRow("blank inside a date") << QByteArray("Ann,1980 -01-05\n") << QList<QByteArray>{error(1, 1, notADate)};
    QTest::newRow("a day of blanks is empty") << QByteArray("Ann,  ,May,1980\n")
                                              << QList<QByteArray>{error(1, 1, refused)};

    QTest::newRow("unclosed quote") << QByteArray("Ann,1980-01-05\n\"Bob,1980-01-06\nEve,1980-01-07\n")
                                    << QList<QByteArray>{ann, error(2, 2, unclosed)};
    QTest::newRow("unclosed quote past the row limit")
        << QByteArray("Ann,1980-01-05\n\"Bob," + QByteArray(70000, 'x') + "\nEve,1980-01-07\n")
        << QList<QByteArray>{ann, error(2, 2, unclosed)};
}

void TestReadingCli::batchInput()
{
    QFETCH(QByteArray, csv);
    QFETCH(QList<QByteArray>, lines);
    const Batch batch = RunBatchOn(csv);
    QList<QByteArray> shown;
    for (const QByteArray &line : batch.lines) {
        QJsonParseError parsed;
        const QJsonObject object = QJsonDocument::fromJson(line, &parsed).object();
        QCOMPARE(parsed.error, QJsonParseError::NoError);
        if (object.contains(QLatin1String("error"))) {
            shown.append(line);
            continue;
        }
        QStringList fields;
        for (const char *key : {"name", "day", "month", "year"})
            fields.append(object.value(QLatin1String(key)).toString());
        shown.append(fields.join(u'|').toUtf8());
    }
    QCOMPARE(shown, lines);
    QCOMPARE(batch.result.rows, static_cast<std::uint64_t>(lines.size()));
    QCOMPARE(batch.result.failed, static_cast<std::uint64_t>(std::count_if(
                                      lines.begin(), lines.end(), [](const QByteArray &l) { return l.startsWith('{'); })));
}

void TestReadingCli::textColumns_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("columns");
    QTest::newRow("empty") << QByteArray() << 0;
    QTest::newRow("ASCII") << QByteArray("J 1, o 6") << 8;
    QTest::newRow("precomposed letters") << QByteArray("Zo\xC3\xAB \xC3\x85") << 5;
    QTest::newRow("combining accent") << QByteArray("e\xCC\x81") << 1;
    QTest::newRow("zero width space") << QByteArray("a\xE2\x80\x8B" "b") << 2;
    QTest::newRow("CJK") << QByteArray("\xE5\xB1\xB1\xE7\x94\xB0") << 4;
    QTest::newRow("Hangul") << QByteArray("\xEA\xB0\x80") << 2;
    QTest::newRow("emoji") << QByteArray("\xF0\x9F\x98\x80") << 2;
}

void TestReadingCli::textColumns()
{
    QFETCH(QByteArray, text);
    QFETCH(int, columns);
    QCOMPARE(TextColumns(std::string_view(text.constData(), static_cast<std::size_t>(text.size()))),
             static_cast<std::size_t>(columns));
}

void TestReadingCli::wrappedText_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("width");
    const QByteArray longName = QByteArray("Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m-\xC5\x8Ctake \xE5\xB1\xB1\xE7\x94\xB0 ").repeated(6);
    for (const int width : {10, 38, 40, 50, 60, 80, 132}) {
        QTest::addRow("John Smith, %d columns", width) << QByteArray("John Smith") << width;
        QTest::addRow("long name, %d columns", width) << longName << width;
    }
}

void TestReadingCli::wrappedText()
{
    QFETCH(QByteArray, name);
    QFETCH(int, width);
    Utf8Reading reading;
    QVERIFY(MakeReading({name.toStdString(), "29", "September", "1999"}, reading) && reading.outcome == ReadingOutcome::Read);
    const QByteArray flat = Bytes(ReadingText(reading));
    const QByteArray wrapped = Bytes(ReadingText(reading, static_cast<std::size_t>(width)));
    // The same words in the same order, only the breaks differ.
    QCOMPARE(Collapsed(wrapped), Collapsed(flat));
    // No line wider than the terminal, unless the terminal leaves less than
    // twenty columns beside the labels.
    const std::size_t right = std::max<std::size_t>(static_cast<std::size_t>(width), 18 + 20);
    const QList<QByteArray> flatLines = flat.split('\n');
    auto flatLine = flatLines.begin();
    bool inSentence = false;
    for (const QByteArray &line : wrapped.split('\n')) {
        QVERIFY2(TextColumns(line.toStdString()) <= right, line.constData());
        QVERIFY2(!line.endsWith(' '), line.constData());
        // Each line of the unwrapped text starts a line here, in order; the
        // lines between go on with a value under the value column, or with
        // a sentence two columns in.
        if (flatLine != flatLines.end() && flatLine->startsWith(line.left(std::min<qsizetype>(line.size(), 18)))) {
            inSentence = !flatLine->isEmpty() && !flatLine->startsWith(' ') && !flatLine->left(18).contains("  ");
            ++flatLine;
            continue;
        }
        const int indent = inSentence ? 2 : 18;
        QVERIFY2(line.startsWith(QByteArray(indent, ' ')) && line.size() > indent && line.at(indent) != ' ',
                 line.constData());
    }
    QVERIFY(flatLine == flatLines.end());
    // A terminal wide enough for every line changes nothing.
    if (width >= 132 && name == "John Smith")
        QCOMPARE(Bytes(ReadingText(reading, 400)), flat);
}

void TestReadingCli::wrappedTextNarrow()
{
    Utf8Reading reading;
    QVERIFY(MakeReading({"Ann", "05", "January", "1980"}, reading) && reading.outcome == ReadingOutcome::Read);
    const QList<QByteArray> lines = Bytes(ReadingText(reading, 50)).split('\n');
    const QList<QByteArray> expected = {
        "Name Number       2",
        "Birth Number      6",
        "Character         Sensitive, domestic.  Tends to",
        "                  be emotional and easily",
        "                  influenced to tears.  Has a",
        "                  fertile imagination.  Very fond",
        "                  of the home.  Patriotic.",
        "                  Accepts changes in surroundings.",
        "                  Prefers to live near the water.",
        "                  Often possesses musical talents",
        "                  and would make a very good",
        "                  psychic.",
        "Planet            Moon",
    };
    QCOMPARE(lines.mid(0, expected.size()), expected);
    // A list breaks only after its commas; a sentence goes on two columns in.
    QVERIFY(MakeReading({"Mary Jane Watson", "05", "January", "1980"}, reading) && reading.outcome == ReadingOutcome::Read);
    const QByteArray text = Bytes(ReadingText(reading, 40));
    QVERIFY2(text.contains("  letters         M 4, a 1, r 9, y 7,\n"
                           "                  space 0, J 1, a 1,\n"
                           "                  n 5, e 5, space 0,\n"),
             text.constData());
    QVERIFY2(text.contains("\nZodiac sign Capricorn from row 1 of the\n  zodiac table: "), text.constData());
    // A sum keeps its result beside the equals sign.
    QVERIFY2(text.contains("  pass 1          0 + 1 + 0 + 5 + 1 + 9\n"
                           "                  + 8 + 0 = 24\n"),
             text.constData());
    QVERIFY2(Bytes(ReadingText(reading, 38)).contains("  pass 1          0 + 1 + 0 + 5 + 1 +\n"
                                                      "                  9 + 8 + 0 = 24\n"),
             text.constData());
}

void TestReadingCli::jsonEscaping_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("literal");

    QTest::newRow("plain") << QByteArray("Ann") << QByteArray("\"Ann\"");
    QTest::newRow("empty") << QByteArray() << QByteArray("\"\"");
    QTest::newRow("quote and backslash") << QByteArray("a\"b\\c") << QByteArray("\"a\\\"b\\\\c\"");
    QTest::newRow("named controls") << QByteArray("\b\f\n\r\t") << QByteArray("\"\\b\\f\\n\\r\\t\"");
    QTest::newRow("other controls") << QByteArray("\x01\x1f", 2) << QByteArray("\"\\u0001\\u001f\"");
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << QByteArray("\"a\\u0000b\"");
    QTest::newRow("DEL and slash as they are") << QByteArray("\x7f/") << QByteArray("\"\x7f/\"");
    QTest::newRow("UTF-8 as it is") << QByteArray("Zo\xC3\xAB \xF0\x9F\x98\x80") << QByteArray("\"Zo\xC3\xAB \xF0\x9F\x98\x80\"");
    QTest::newRow("two spaces kept") << QByteArray("A.  B.") << QByteArray("\"A.  B.\"");
    // Long texts are looked through eight bytes at a time.
    QTest::newRow("quote in the second eight") << QByteArray("abcdefghij\"klmnopq") << QByteArray("\"abcdefghij\\\"klmnopq\"");
    QTest::newRow("tab in the first eight") << QByteArray("ab\tcdefghijkl") << QByteArray("\"ab\\tcdefghijkl\"");
    QTest::newRow("backslash last of sixteen") << QByteArray("abcdefghijklmno\\") << QByteArray("\"abcdefghijklmno\\\\\"");
    QTest::newRow("bytes next to the escaped ones")
        << QByteArray(" !#[]^~\x7f\xc2\x80\xc3\xbf !#[]^~") << QByteArray("\" !#[]^~\x7f\xc2\x80\xc3\xbf !#[]^~\"");
}

void TestReadingCli::jsonEscaping()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, literal);
    std::string out;
    AppendJsonString(out, std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    QCOMPARE(Bytes(out), literal);
    // And a JSON parser reads back the text.
    const QJsonDocument document = QJsonDocument::fromJson("[" + Bytes(out) + "]");
    QCOMPARE(document.array().at(0).toString(), QString::fromUtf8(text));
}

void TestReadingCli::jsonWriterSeparators()
{
    std::string out;
    JsonWriter json(out);
    json.beginObject().key("a").beginArray().endArray().key("b").numbers(std::vector<int>{1, 2});
    json.key("c").beginObject().key("d").string("x").endObject();
    json.key("e").beginArray().beginArray().number(1).endArray().beginObject().endObject().raw("null").endArray();
    json.raw("\"f\": true").endObject();
    QCOMPARE(Bytes(out), QByteArray("{\"a\": [], \"b\": [1, 2], \"c\": {\"d\": \"x\"}, \"e\": [[1], {}, null], \"f\": true}"));
}

void TestReadingCli::breakdownOfAReading()
{
    Utf8Reading reading;
    QVERIFY(MakeReading({"John Smith", "29", "September", "1999"}, reading) && reading.outcome == ReadingOutcome::Read);
    std::string json;
    AppendReadingJson(json, reading);
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(Bytes(json), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(object.value(QLatin1String("nameNumber")).toInt(), 8);
    QCOMPARE(object.value(QLatin1String("birthNumber")).toInt(), 3);
    QCOMPARE(object.value(QLatin1String("planet")).toString(), QStringLiteral("Saturn"));
    QCOMPARE(object.value(QLatin1String("zodiac")).toString(), QStringLiteral("Libra"));
    const QJsonObject breakdown = object.value(QLatin1String("breakdown")).toObject();
    QCOMPARE(QJsonDocument(breakdown.value(QLatin1String("letters")).toArray()).toJson(QJsonDocument::Compact),
             QByteArray(R"([["J",1],["o",6],["h",8],["n",5],[" ",0],["S",1],["m",4],["i",9],["t",2],["h",8]])"));
    QCOMPARE(breakdown.value(QLatin1String("letterSum")).toInt(), 44);
    QCOMPARE(breakdown.value(QLatin1String("nameSums")).toArray(), QJsonArray({8}));
    QCOMPARE(breakdown.value(QLatin1String("birthDigits")).toString(), QStringLiteral("09291999"));
    QCOMPARE(breakdown.value(QLatin1String("birthSums")).toArray(), QJsonArray({48, 12, 3}));
    QCOMPARE(breakdown.value(QLatin1String("zodiacRow")).toInt(), 18);

    // Every pass is kept: a letter sum of 199 takes three.
    QVERIFY(MakeReading({std::string(22, 'I') + "A", "05", "May", "1980"}, reading) && reading.outcome == ReadingOutcome::Read);
    QCOMPARE(reading.letterSum, std::uint64_t{199});
    QCOMPARE(reading.nameSums, (std::vector<std::uint64_t>{19, 10, 1}));
    QCOMPARE(reading.nameNumber, 1);
    // A name of no letter: number 0, and nothing of a profile.
    QVERIFY(MakeReading({"- '", "05", "May", "1980"}, reading) && reading.outcome == ReadingOutcome::Read);
    QCOMPARE(reading.nameNumber, 0);
    QCOMPARE(reading.nameSums, std::vector<std::uint64_t>{0});
    json.clear();
    AppendReadingJson(json, reading);
    const QJsonObject empty = QJsonDocument::fromJson(Bytes(json)).object();
    for (const char *key : {"character", "planet", "element", "letters", "primaryColor", "secondaryColors"})
        QCOMPARE(empty.value(QLatin1String(key)), QJsonValue(QString()));
    QCOMPARE(empty.value(QLatin1String("zodiac")).toString(), QStringLiteral("Taurus"));
}

void TestReadingCli::textOfAReading()
{
    Utf8Reading reading;
    QVERIFY(MakeReading({"John Smith", "29", "September", "1999"}, reading) && reading.outcome == ReadingOutcome::Read);
    const QList<QByteArray> lines = Bytes(ReadingText(reading)).split('\n');
    const QList<QByteArray> expected = {
        "Name Number       8",
        "Birth Number      3",
        "Character         Inclined to be cold and pessimistic.  Not much sense of humor.  Often slow getting off the "
        "mark but usually ends up ahead of the game.  Successful, especially where money is concerned.  Frequently "
        "connected with mining, real estate, and the law; also with cemeteries and pawnshops.  Believes that hard work "
        "never killed anyone.  Often prepossessed with thoughts of the past.",
        "Planet            Saturn",
        "Element           Earth",
        "Letters           H, Q, Z",
        "Primary Colors    Rose",
        "Secondary Colors  Dark Grey, Blue, Purple, Black",
        "Zodiac            Libra",
        "",
        "Name number 8 from the letters of the name",
        "  letters         J 1, o 6, h 8, n 5, space 0, S 1, m 4, i 9, t 2, h 8",
        "  letter sum      44",
        "  pass 1          4 + 4 = 8",
        "",
        "Birth number 3 from the birth-date digits (month, day, year)",
        "  digit text      09291999",
        "  pass 1          0 + 9 + 2 + 9 + 1 + 9 + 9 + 9 = 48",
        "  pass 2          4 + 8 = 12",
        "  pass 3          1 + 2 = 3",
        "",
        "Zodiac sign Libra from row 18 of the zodiac table: September 23 to September 30",
        "",
    };
    QCOMPARE(lines, expected);

    // Characters that would not show are named by their code.
    QVERIFY(MakeReading({"A\tB\xC2\xA0" "C", "05", "May", "1980"}, reading) && reading.outcome == ReadingOutcome::Read);
    QVERIFY(Bytes(ReadingText(reading)).contains("A 1, U+0009 0, B 2, U+00A0 0, C 3\n"));
}

void TestReadingCli::reusedReadingKeepsNothing_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("year");
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<int>("outcome"); // a new reading's without UTF-8

    QTest::newRow("refused: no name") << QByteArray() << QByteArray("1980") << true << int(ReadingOutcome::MissingName);
    QTest::newRow("refused: no year") << QByteArray("Ann") << QByteArray() << true << int(ReadingOutcome::InvalidBirthdate);
    QTest::newRow("name not UTF-8") << QByteArray("A\xFF") << QByteArray("1980") << false << int(ReadingOutcome::Read);
    QTest::newRow("a shorter name read") << QByteArray("Bo") << QByteArray("1980") << true << int(ReadingOutcome::Read);
}

void TestReadingCli::reusedReadingKeepsNothing()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, year);
    QFETCH(bool, utf8);
    QFETCH(int, outcome);
    const Inputs inputs{name.toStdString(), "05", "May", year.toStdString()};

    Utf8Reading reused;
    QVERIFY(MakeReading({"Mary Jane Watson", "29", "September", "1999"}, reused) && reused.outcome == ReadingOutcome::Read);
    QCOMPARE(MakeReading(inputs, reused), utf8);
    Utf8Reading fresh;
    QCOMPARE(MakeReading(inputs, fresh), utf8);
    QCOMPARE(int(reused.outcome), outcome);
    QVERIFY2(reused == fresh, "something of the earlier reading stayed");
}

void TestReadingCli::batchRows()
{
    const QByteArray csv = "Ann,1980-01-05\n"
                           "\"Smith, John\",29,September,1999\r\n"
                           "An\xFF,1980-01-05\n"
                           "Ann,1980-01-05,extra\n"
                           "Ann,05/01/1980\n"
                           ",1980-01-05\n"
                           "Ann,,,\n"
                           "Ann,1999-02-30\n"
                           "\n"
                           "last,2000-06-21\n";
    const Batch batch = RunBatchOn(csv);
    // The empty line is no row.
    QCOMPARE(batch.result.rows, std::uint64_t{9});
    QCOMPARE(batch.result.failed, std::uint64_t{6});
    QCOMPARE(batch.lines.size(), 9);

    auto object = [&batch](int line) { return QJsonDocument::fromJson(batch.lines[line]).object(); };
    QCOMPARE(object(0).value(QLatin1String("zodiac")).toString(), QStringLiteral("Capricorn"));
    QCOMPARE(object(1).value(QLatin1String("name")).toString(), QStringLiteral("Smith, John"));
    QCOMPARE(object(1).value(QLatin1String("nameNumber")).toInt(), 8);
    QCOMPARE(object(8).value(QLatin1String("zodiac")).toString(), QStringLiteral("Cancer"));
    QCOMPARE(batch.lines[2], QByteArray(R"({"row": 3, "line": 3, "error": "the row is not valid UTF-8"})"));
    QCOMPARE(batch.lines[3],
             QByteArray(R"({"row": 4, "line": 4, "error": "the row has 3 columns, not name,YYYY-MM-DD or name,day,month,year"})"));
    QCOMPARE(batch.lines[4],
             QByteArray(R"({"row": 5, "line": 5, "error": "the date is not YYYY-MM-DD with a month from 01 to 12"})"));
    QCOMPARE(batch.lines[5], QByteArray(R"({"row": 6, "line": 6, "error": "You Must Enter Your Full Name."})"));
    QCOMPARE(batch.lines[6],
             QByteArray(R"({"row": 7, "line": 7, "error": "You Have Entered An Invalid Birthdate.  Please Retry."})"));
    QCOMPARE(batch.lines[7],
             QByteArray(R"({"row": 8, "line": 8, "error": "You Have Entered An Invalid Birthdate.  Please Retry."})"));

    // A failed write ends the batch: nothing more is read or written.
    const QByteArray many = csv.repeated(2000);
    CsvReader reader([&many, at = qsizetype{0}](char *buffer, std::size_t size) mutable -> std::size_t {
        const auto n = std::min<qsizetype>(static_cast<qsizetype>(size), many.size() - at);
        std::copy_n(many.constData() + at, n, buffer);
        at += n;
        return static_cast<std::size_t>(n);
    });
    int writes = 0;
    QVERIFY(RunBatch(reader, [&writes](std::string_view) { return ++writes, false; }).rows < 18000);
    QCOMPARE(writes, 1);
}

void TestReadingCli::programStatuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");    // the start of standard output
    QTest::addColumn<QByteArray>("err");    // the start of standard error

    QTest::newRow("text reading") << QStringList{QStringLiteral("Ann"), QStringLiteral("1980-01-05")} << 0
                                  << QByteArray("Name Number       2\nBirth Number      6\n") << QByteArray();
    QTest::newRow("json reading") << QStringList{QStringLiteral("--json"), QStringLiteral("Ann"), QStringLiteral("5"),
                                                 QStringLiteral("January"), QStringLiteral("1980")}
                                  << 0 << QByteArray(R"({"name": "Ann", "day": "05", "month": "January", "year": "1980", "nameNumber": 2, "birthNumber": 6, )")
                                  << QByteArray();
    QTest::newRow("refused") << QStringList{QStringLiteral("Ann"), QStringLiteral("1999-02-30")} << 1 << QByteArray()
                             << QByteArray("You Have Entered An Invalid Birthdate.  Please Retry.\n");
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << QByteArray("veltara-reading: ") << QByteArray();
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                             << QByteArray("Veltara Numerology Software 1.40\n") << QByteArray();
    QTest::newRow("usage") << QStringList{QStringLiteral("Ann")} << 2 << QByteArray()
                           << QByteArray("veltara-reading: give NAME DAY MONTH YEAR or NAME YYYY-MM-DD\nUsage: veltara-reading");
    QTest::newRow("bad ISO date") << QStringList{QStringLiteral("Ann"), QStringLiteral("1980-13-01")} << 2 << QByteArray()
                                  << QByteArray("veltara-reading: \"1980-13-01\" is not a date");
    QTest::newRow("missing batch file") << QStringList{QStringLiteral("--batch"), QStringLiteral("/nonexistent/rows.csv")}
                                        << 2 << QByteArray()
                                        << QByteArray("veltara-reading: cannot read /nonexistent/rows.csv: ");
}

void TestReadingCli::programStatuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    const ProgramRun run = RunProgram(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.out.startsWith(out), run.out.constData());
    QVERIFY2(run.err.startsWith(err), run.err.constData());
    if (out.isEmpty())
        QCOMPARE(run.out, QByteArray());
    if (err.isEmpty())
        QCOMPARE(run.err, QByteArray());
}

void TestReadingCli::linesOnStandardError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("reading"); // a reading on standard output
    QTest::addColumn<QByteArray>("err");

    const QByteArray refused = "You Have Entered An Invalid Birthdate.  Please Retry.\n";
    auto month = [](const char *text) {
        return "veltara-reading: only the twelve English month names, written January to December, are known; \"" +
               QByteArray(text) + "\" adds no month digits\n";
    };
    const QByteArray usage = "Usage: veltara-reading [--json] NAME DAY MONTH YEAR\n"
                             "       veltara-reading [--json] NAME YYYY-MM-DD\n"
                             "       veltara-reading [--jobs N] [--csv [--steps]] --batch FILE\n"
                             "       veltara-reading --chart [--json] [--on YYYY-MM-DD] [--current NAME] [--years N]\n"
                             "                       NAME YYYY-MM-DD | NAME DAY MONTH YEAR\n"
                             "       veltara-reading --chart [--on YYYY-MM-DD] [--years N] [--jobs N] [--csv [--steps]]\n"
                             "                       --batch FILE\n"
                             "       veltara-reading -h | --help | -v | --version\n"
                             "Try 'veltara-reading --help' for more information.\n";
    auto args = [](std::initializer_list<const char *> list) {
        QStringList arguments;
        for (const char *argument : list)
            arguments.append(QString::fromUtf8(argument));
        return arguments;
    };

    QTest::newRow("date before the name") << args({"1999-09-29", "John Smith"}) << 2 << false
                                          << "veltara-reading: \"John Smith\" is not a date YYYY-MM-DD with a month "
                                             "from 01 to 12\n"
                                             "veltara-reading: the name comes first: veltara-reading 'John Smith' "
                                             "1999-09-29\n" + usage;
    QTest::newRow("day, month, year, then the name")
        << args({"29", "September", "1999", "John Smith"}) << 1 << false
        << refused + "veltara-reading: the name comes first: veltara-reading NAME DAY MONTH YEAR or NAME YYYY-MM-DD\n";
    QTest::newRow("month abbreviated, refused") << args({"Ann", "05", "Sep", "1980"}) << 1 << false
                                                << refused + month("Sep");
    QTest::newRow("month as digits, refused") << args({"--json", "Ann", "05", "09", "1980"}) << 1 << false
                                              << refused + month("09");
    QTest::newRow("month unknown, read") << args({"Ann", "01", "Foo", "011999"}) << 0 << true << month("Foo");
    QTest::newRow("month named") << args({"Ann", "05", "May", "1980"}) << 0 << true << QByteArray();
    QTest::newRow("empty day becomes 0") << args({"Ann", "", "January", "19800"}) << 0 << true << QByteArray();
}

void TestReadingCli::linesOnStandardError()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(bool, reading);
    QFETCH(QByteArray, err);
    const ProgramRun run = RunProgram(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, err);
    QCOMPARE(!run.out.isEmpty(), reading);
}

void TestReadingCli::batchFromFileAndFaults()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("rows.csv"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Ann,1980-01-05\nBob,1980-01-06\n");
    file.close();

    const ProgramRun run = RunProgram({QStringLiteral("--batch"), path});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out.count('\n'), 2);

    // A folder cannot be read as rows.
    const ProgramRun folder = RunProgram({QStringLiteral("--batch"), dir.path()});
    QCOMPARE(folder.exitCode, 2);
    QVERIFY2(folder.err.startsWith("veltara-reading: cannot read "), folder.err.constData());

    // Output that cannot be written is a failure, not a success.
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full here to make the output fail");
    for (const QStringList &arguments : {QStringList{QStringLiteral("--batch"), path},
                                         QStringList{QStringLiteral("Ann"), QStringLiteral("1980-01-05")}}) {
        const ProgramRun full = RunProgram(arguments, QByteArray(), QStringLiteral("/dev/full"));
        QCOMPARE(full.exitCode, 2);
        QVERIFY2(full.err.startsWith("veltara-reading: cannot write the output"), full.err.constData());
    }
}

void TestReadingCli::batchOnJobs_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("jobs"); // none: one per core
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("exitCode");
    const QStringList reading = Words({"--batch", "-"});
    const QStringList chart = Words({"--chart", "--on", "2024-06-30", "--batch", "-"});
    const QByteArray allRead = QByteArray("Ann,1980-01-05\n").repeated(3000);
    for (const char *jobs : {"--jobs=2", "--jobs=7"}) {
        QTest::addRow("reading, %s", jobs) << reading << Words({jobs}) << RandomBatch() << 1;
        QTest::addRow("chart, %s", jobs) << chart << Words({jobs}) << RandomBatch() << 1;
        QTest::addRow("chart, every row read, %s", jobs) << chart << Words({jobs}) << allRead << 0;
    }
    QTest::newRow("reading, one job per core") << reading << QStringList() << RandomBatch() << 1;
}

void TestReadingCli::batchOnJobs()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, jobs);
    QFETCH(QByteArray, csv);
    QFETCH(int, exitCode);
    // Byte for byte the output of one job, error rows and status included.
    const ProgramRun one = RunProgram(arguments + Words({"--jobs", "1"}), csv);
    QCOMPARE(one.exitCode, exitCode);
    QVERIFY(one.out.count('\n') >= 3000);
    const ProgramRun run = RunProgram(arguments + jobs, csv);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.err, one.err);
    QVERIFY2(run.out == one.out, "not the output of one job");
}

void TestReadingCli::failedWriteOnJobs_data()
{
    QTest::addColumn<uint>("jobs");
    QTest::newRow("2 jobs") << 2u;
    QTest::newRow("7 jobs") << 7u;
}

void TestReadingCli::failedWriteOnJobs()
{
    QFETCH(uint, jobs);
    // The third write fails: nothing is written after it, and what was
    // written is the start of one job's output.
    const QByteArray csv = QByteArray("Ann,1980-01-05\nAnn,1999-02-30\n").repeated(3000);
    CsvReader whole(SourceOf(csv));
    CsvReader reader(SourceOf(csv));
    QByteArray all;
    QByteArray written;
    int writes = 0;
    RunBatch(whole, [&all](std::string_view text) { return all += Bytes(text), true; });
    RunBatch(reader, [&](std::string_view text) { return ++writes < 3 && (written += Bytes(text), true); },
             [] { return RowAnswer(ReadingRows()); }, jobs);
    QCOMPARE(writes, 3);
    QVERIFY(!written.isEmpty() && written.size() < all.size() && all.startsWith(written));
}

void TestReadingCli::engineAndProgramWithoutQt()
{
    // The program and the libraries behind it name no Qt library or symbol.
    for (const QString &file : {QStringLiteral(VELTARA_READING_PROGRAM), QStringLiteral(VELTARA_ENGINE_LIBRARY),
                                QStringLiteral(VELTARA_READING_LIBRARY)}) {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {QStringLiteral("-u"), QStringLiteral("-C"), file});
        if (!nm.waitForStarted())
            QSKIP("nm (binutils) is not installed");
        QVERIFY(nm.waitForFinished(60000));
        QCOMPARE(nm.exitCode(), 0);
        const QByteArray undefined = nm.readAllStandardOutput();
        QVERIFY(!undefined.isEmpty());
        QVERIFY2(!undefined.contains("QString") && !undefined.contains("QObject") && !undefined.contains("qt_"),
                 qPrintable(file));
    }
    QProcess objdump;
    objdump.start(QStringLiteral("objdump"), {QStringLiteral("-p"), QStringLiteral(VELTARA_READING_PROGRAM)});
    QVERIFY(objdump.waitForFinished(60000));
    const QByteArray headers = objdump.readAllStandardOutput();
    QVERIFY(headers.contains("NEEDED"));
    QVERIFY2(!headers.contains("libQt"), headers.constData());
}

QTEST_MAIN(TestReadingCli)
#include "tst_readingcli.moc"
