// The parts of veltara-reading: its arguments, ISO dates, CSV rows, JSON
// escaping, the explanation of a reading, the batch, and the program's exit
// statuses and messages.
#include "cli.h"
#include "csv.h"
#include "output.h"
#include "reading.h"
#include "programrun.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <string>
#include <vector>

using namespace veltara::reading;

namespace {

std::vector<std::string_view> Views(const QList<QByteArray> &arguments)
{
    std::vector<std::string_view> views;
    for (const QByteArray &argument : arguments)
        views.emplace_back(argument.constData(), static_cast<std::size_t>(argument.size()));
    return views;
}

QByteArray Bytes(std::string_view text) { return QByteArray(text.data(), static_cast<qsizetype>(text.size())); }

// Every row of a CSV text read in chunks of the given size: "a|b|c" for a
// row's fields, "error: ..." for a row that cannot be read.
QList<QByteArray> ReadRows(const QByteArray &csv, std::size_t chunk, std::size_t maxRow = CsvReader::DefaultMaxRowBytes)
{
    qsizetype offset = 0;
    CsvReader reader(
        [&](char *buffer, std::size_t size) {
            const auto n = std::min<qsizetype>(static_cast<qsizetype>(size), csv.size() - offset);
            std::copy_n(csv.constData() + offset, n, buffer);
            offset += n;
            return static_cast<std::size_t>(n);
        },
        maxRow, chunk);
    QList<QByteArray> rows;
    CsvRow row;
    while (reader.next(row)) {
        if (row.number != static_cast<std::uint64_t>(rows.size() + 1))
            return {"row numbers out of order"};
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

struct Batch {
    BatchResult result;
    QList<QByteArray> lines;
};

Batch RunBatchOn(const QByteArray &csv)
{
    qsizetype offset = 0;
    CsvReader reader([&](char *buffer, std::size_t size) {
        const auto n = std::min<qsizetype>(static_cast<qsizetype>(size), csv.size() - offset);
        std::copy_n(csv.constData() + offset, n, buffer);
        offset += n;
        return static_cast<std::size_t>(n);
    });
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
    void jsonEscaping_data();
    void jsonEscaping();
    void breakdownOfAReading();
    void textOfAReading();
    void batchRows();
    void programStatuses_data();
    void programStatuses();
    void batchFromFileAndFaults();
    void engineAndProgramWithoutQt();
};

void TestReadingCli::arguments_data()
{
    QTest::addColumn<QList<QByteArray>>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("json");
    // Mode::Reading: name|day|month|year; Batch: the file; Usage: a part of the problem.
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
    row("batch file", {"--batch", "rows.csv"}, M::Batch, false, "rows.csv");
    row("batch stdin, equals form", {"--batch=-"}, M::Batch, false, "-");
    row("batch with json", {"--json", "--batch", "-"}, M::Batch, true, "-");
    row("help wins", {"Ann", "--help"}, M::Help, false, "");
    row("version", {"--version"}, M::Version, false, "");
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
    case Options::Mode::Batch:
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
                                        << QList<QByteArray>{"ok|y", "error: a quoted field without its closing double quote"};
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

void TestReadingCli::breakdownOfAReading()
{
    Reading reading;
    QCOMPARE(MakeReading({"John Smith", "29", "September", "1999"}, reading), Outcome::Read);
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
    QCOMPARE(MakeReading({std::string(22, 'I') + "A", "05", "May", "1980"}, reading), Outcome::Read);
    QCOMPARE(reading.letterSum, std::uint64_t{199});
    QCOMPARE(reading.nameSums, (std::vector<std::uint64_t>{19, 10, 1}));
    QCOMPARE(reading.nameNumber, 1);
    // A name of no letter: number 0, and nothing of a profile.
    QCOMPARE(MakeReading({"- '", "05", "May", "1980"}, reading), Outcome::Read);
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
    Reading reading;
    QCOMPARE(MakeReading({"John Smith", "29", "September", "1999"}, reading), Outcome::Read);
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
    QCOMPARE(MakeReading({"A\tB\xC2\xA0" "C", "05", "May", "1980"}, reading), Outcome::Read);
    QVERIFY(Bytes(ReadingText(reading)).contains("A 1, U+0009 0, B 2, U+00A0 0, C 3\n"));
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
    QCOMPARE(batch.result.rows, std::uint64_t{10});
    QCOMPARE(batch.result.failed, std::uint64_t{7});
    QCOMPARE(batch.lines.size(), 10);

    auto object = [&batch](int line) { return QJsonDocument::fromJson(batch.lines[line]).object(); };
    QCOMPARE(object(0).value(QLatin1String("zodiac")).toString(), QStringLiteral("Capricorn"));
    QCOMPARE(object(1).value(QLatin1String("name")).toString(), QStringLiteral("Smith, John"));
    QCOMPARE(object(1).value(QLatin1String("nameNumber")).toInt(), 8);
    QCOMPARE(object(9).value(QLatin1String("zodiac")).toString(), QStringLiteral("Cancer"));
    QCOMPARE(batch.lines[2], QByteArray(R"({"row": 3, "error": "the row is not valid UTF-8"})"));
    QCOMPARE(batch.lines[3],
             QByteArray(R"({"row": 4, "error": "the row has 3 columns, not name,YYYY-MM-DD or name,day,month,year"})"));
    QCOMPARE(batch.lines[4],
             QByteArray(R"({"row": 5, "error": "the date is not YYYY-MM-DD with a month from 01 to 12"})"));
    QCOMPARE(batch.lines[5], QByteArray(R"({"row": 6, "error": "You Must Enter Your Full Name."})"));
    QCOMPARE(batch.lines[6],
             QByteArray(R"({"row": 7, "error": "You Have Entered An Invalid Birthdate.  Please Retry."})"));
    QCOMPARE(batch.lines[7],
             QByteArray(R"({"row": 8, "error": "You Have Entered An Invalid Birthdate.  Please Retry."})"));
    QCOMPARE(batch.lines[8],
             QByteArray(R"({"row": 9, "error": "the row has 1 column, not name,YYYY-MM-DD or name,day,month,year"})"));

    // A failed write ends the batch and says so.
    CsvReader reader([&csv, done = false](char *buffer, std::size_t size) mutable -> std::size_t {
        if (done)
            return 0;
        done = true;
        const auto n = std::min<std::size_t>(size, static_cast<std::size_t>(csv.size()));
        std::copy_n(csv.constData(), n, buffer);
        return n;
    });
    QVERIFY(RunBatch(reader, [](std::string_view) { return false; }).writeFailed);
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
