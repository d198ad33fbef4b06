// One table of inputs through both the window's Calculate and the
// veltara-reading program: the same reading, the same refusals. The batch
// mode gives the same object for the same inputs as the single reading.
#include "mainwindowfixture.h"
#include "messagespy.h"
#include "programrun.h"
#include "textunits.h"
#include "zodiac.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <memory>

using namespace mainwindowtest;

namespace {

QByteArray CsvField(const QString &text)
{
    QByteArray field = text.toUtf8();
    field.replace('"', "\"\"");
    return '"' + field + '"';
}

} // namespace

class TestSameReading : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAndProgram_data();
    void windowAndProgram();
    void batchGivesTheSameObjects();

private:
    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<veltara::MainWindow> window;
    std::unique_ptr<MainWindowUi> ui;
};

void TestSameReading::init()
{
    spy = std::make_unique<MessageSpy>();
    veltara::SetApplicationFolder(BuildApplicationFolder());
    QVERIFY(ShowMainWindow(window, ui));
}

void TestSameReading::cleanup()
{
    ui.reset();
    window.reset();
    veltara::SetApplicationFolder(QString());
    spy.reset();
}

void TestSameReading::windowAndProgram_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    // When set, the program is given NAME YYYY-MM-DD instead of the fields.
    QTest::addColumn<QString>("iso");
    // What the window is expected to show: the zodiac sign, or the refusal.
    QTest::addColumn<QString>("expected");

    auto row = [](const char *tag, const QString &name, const char *day, const char *month, const char *year,
                  const char *expected, const char *iso = "") {
        QTest::newRow(tag) << name << QString::fromUtf8(day) << QString::fromUtf8(month) << QString::fromUtf8(year)
                           << QString::fromUtf8(iso) << QString::fromUtf8(expected);
    };
    const char *refusedDate = "You Have Entered An Invalid Birthdate.  Please Retry.";
    const char *missingName = "You Must Enter Your Full Name.";

    // Typed days: padded, or left alone from two characters on.
    row("picked day", QStringLiteral("Ann"), "05", "January", "1980", "Capricorn");
    row("typed day 7", QStringLiteral("John Smith"), "7", "September", "1999", "Virgo");
    row("typed day 07", QStringLiteral("John Smith"), "07", "September", "1999", "Virgo");
    row("day with a blank inside", QStringLiteral("Ann"), "5 ", "January", "1980", refusedDate);
    row("day 00", QStringLiteral("Ann"), "00", "March", "1990", refusedDate);
    row("day of letters", QStringLiteral("Ann"), "ab", "March", "1990", refusedDate);
    // Months as typed: matched exactly, or no month digits at all.
    row("month lower case", QStringLiteral("Ann"), "05", "january", "1980", refusedDate);
    row("month with a blank", QStringLiteral("Ann"), "05", "March ", "1980", refusedDate);
    row("unknown month, blank before the key", QStringLiteral("Ann"), " 1", "Jan", "011980", "Capricorn");
    // The eight-character cut of the digit text.
    row("five-digit year cut", QStringLiteral("Ann"), "01", "January", "19850", "Capricorn");
    row("year with a blank after, cut", QStringLiteral("Ann"), "05", "May", "1980 ", "Taurus");
    row("two-digit year", QStringLiteral("Ann"), "15", "March", "85", refusedDate);
    // "03" "123" "1990" is cut to 03123199: March 12 of the year 3199.
    row("three-character day", QStringLiteral("Ann"), "123", "March", "1990", "Pisces");
    // Names with no letter of the table, and other characters.
    row("name of spaces", QStringLiteral("   "), "05", "January", "1980", "Capricorn");
    row("accented letters only", QStringLiteral("éàüÉ"), "05", "January", "1980", "Capricorn");
    row("hyphen and apostrophe", QStringLiteral("Jean-Luc O'Neil"), "12", "June", "1975", "Gemini");
    row("accents among letters", QStringLiteral("Zoë Ångström"), "23", "July", "2001", "Leo");
    row("letter sum 199", QString(22, QLatin1Char('I')) + QLatin1Char('A'), "10", "October", "1960", "Libra");
    row("character outside the BMP", QStringLiteral("Ann ") + QString::fromUtf8("\xF0\x9F\x98\x80"), "05",
        "January", "1980", "Capricorn");
    // The zodiac boundaries.
    row("January 20", QStringLiteral("Ann"), "20", "January", "1985", "Capricorn");
    row("January 21", QStringLiteral("Ann"), "21", "January", "1985", "Aquarius");
    row("February 19", QStringLiteral("Ann"), "19", "February", "1985", "Aquarius");
    row("February 20", QStringLiteral("Ann"), "20", "February", "1985", "Pisces");
    row("February 29 of no leap year", QStringLiteral("Ann"), "29", "February", "1999", "Pisces");
    row("February 30", QStringLiteral("Ann"), "30", "February", "1999", refusedDate);
    row("April 30", QStringLiteral("Ann"), "30", "April", "1990", "Taurus");
    row("April 31", QStringLiteral("Ann"), "31", "April", "1990", refusedDate);
    row("July 22", QStringLiteral("Ann"), "22", "July", "1990", "Cancer");
    row("July 23", QStringLiteral("Ann"), "23", "July", "1990", "Leo");
    row("December 21", QStringLiteral("Ann"), "21", "December", "1990", "Sagittarius");
    row("December 22", QStringLiteral("Ann"), "22", "December", "1990", "Capricorn");
    row("December 31, 2010", QStringLiteral("Ann"), "31", "December", "2010", "Capricorn");
    // The refusals, in the window's order: the date before the name.
    row("all empty", QString(), "", "", "", refusedDate);
    row("name only", QStringLiteral("Ann"), "", "", "", refusedDate);
    row("month empty", QStringLiteral("Ann"), "05", "", "1980", refusedDate);
    row("year empty", QStringLiteral("Ann"), "05", "January", "", refusedDate);
    row("day empty, padded to 0", QStringLiteral("Ann"), "", "March", "1985", refusedDate);
    row("name empty", QString(), "05", "January", "1980", missingName);
    row("name empty, date no row covers", QString(), "30", "February", "1980", missingName);
    // The ISO form, read as the three fields.
    row("ISO typical", QStringLiteral("Ann"), "05", "January", "1980", "Capricorn", "1980-01-05");
    row("ISO February 29", QStringLiteral("John Smith"), "29", "February", "1999", "Pisces", "1999-02-29");
    row("ISO February 30", QStringLiteral("John Smith"), "30", "February", "1999", refusedDate, "1999-02-30");
    row("ISO day 00", QStringLiteral("Ann"), "00", "May", "2000", refusedDate, "2000-05-00");
    row("ISO empty name", QString(), "12", "December", "2000", missingName, "2000-12-12");
}

void TestSameReading::windowAndProgram()
{
    QFETCH(QString, name);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, iso);
    QFETCH(QString, expected);

    // The window, typed into as a user does. The name filter refuses digits,
    // and no name of the table has any.
    // A character outside the BMP goes as one key event, as an input method
    // sends it.
    for (qsizetype i = 0; i < name.size(); ++i) {
        const qsizetype length = name.at(i).isHighSurrogate() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, ui->nameEdit, Qt::Key_unknown, name.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
    Type(ui->dayList, day);
    Type(ui->monthList, month);
    Type(ui->yearList, year);
    QCOMPARE(ui->nameEdit->text(), name);
    QCOMPARE(ui->dayList->currentText(), day);
    QCOMPARE(ui->monthList->currentText(), month);
    QCOMPARE(ui->yearList->currentText(), year);
    QTest::mouseClick(ui->calculateButton, Qt::LeftButton);

    const QStringList arguments = iso.isEmpty()
        ? QStringList{QStringLiteral("--json"), QStringLiteral("--"), name, day, month, year}
        : QStringList{QStringLiteral("--json"), QStringLiteral("--"), name, iso};
    const ProgramRun run = RunProgram(arguments);
    // A month that is none of the window's list adds a line saying which are
    // known, after the reading or the refusal.
    const bool listedMonth = month.isEmpty() || !iso.isEmpty() ||
                             ui->monthList->findText(month, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0;
    const QString monthLine = listedMonth ? QString()
                                          : QStringLiteral("veltara-reading: only the twelve English month names, "
                                                           "written January to December, are known; \"%1\" adds no "
                                                           "month digits\n").arg(month);

    if (!spy->shown.isEmpty()) {
        // Refused: the window's message on standard error, and nothing else
        // but that line.
        QCOMPARE(spy->shown.size(), 1);
        QCOMPARE(spy->shown.front().text, expected);
        QCOMPARE(run.exitCode, 1);
        QCOMPARE(QString::fromUtf8(run.err), expected + QLatin1Char('\n') + monthLine);
        QCOMPARE(run.out, QByteArray());
        return;
    }
    QCOMPARE(ui->zodiac->text(), expected);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.err), monthLine);
    QVERIFY(run.out.endsWith('\n'));
    QCOMPARE(run.out.count('\n'), 1);

    QJsonParseError error;
    const QJsonObject reading = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QCOMPARE(reading.keys(), (QStringList{QStringLiteral("birthNumber"), QStringLiteral("breakdown"),
                                          QStringLiteral("character"), QStringLiteral("day"),
                                          QStringLiteral("element"), QStringLiteral("letters"),
                                          QStringLiteral("month"), QStringLiteral("name"),
                                          QStringLiteral("nameNumber"), QStringLiteral("planet"),
                                          QStringLiteral("primaryColor"), QStringLiteral("secondaryColors"),
                                          QStringLiteral("year"), QStringLiteral("zodiac")}));
    auto text = [&reading](const char *key) { return reading.value(QLatin1String(key)).toString(); };

    // The inputs as the window shows them after Calculate.
    QCOMPARE(text("name"), ui->nameEdit->text());
    QCOMPARE(text("day"), ui->dayList->currentText());
    QCOMPARE(text("month"), ui->monthList->currentText());
    QCOMPARE(text("year"), ui->yearList->currentText());
    // The reading.
    QVERIFY(reading.value(QLatin1String("nameNumber")).isDouble());
    QVERIFY(reading.value(QLatin1String("birthNumber")).isDouble());
    QCOMPARE(QString::number(reading.value(QLatin1String("nameNumber")).toInt()), ui->nameNumberBox->text());
    QCOMPARE(QString::number(reading.value(QLatin1String("birthNumber")).toInt()), ui->birthNumberBox->text());
    QCOMPARE(text("character"), ui->characterText->text());
    QCOMPARE(text("planet"), ui->planet->text());
    QCOMPARE(text("element"), ui->elementBox->text());
    QCOMPARE(text("letters"), ui->letters->text());
    QCOMPARE(text("primaryColor"), ui->primaryColoursBox->text());
    QCOMPARE(text("secondaryColors"), ui->secondaryColoursBox->text());
    QCOMPARE(text("zodiac"), ui->zodiac->text());

    // The breakdown adds up to the window's numbers.
    const QJsonObject breakdown = reading.value(QLatin1String("breakdown")).toObject();
    QCOMPARE(breakdown.value(QLatin1String("birthDigits")).toString(), ui->birthDigitsBox->text());
    QString characters;
    qint64 letterSum = 0;
    for (const QJsonValue entry : breakdown.value(QLatin1String("letters")).toArray()) {
        characters += entry.toArray().at(0).toString();
        letterSum += entry.toArray().at(1).toInt();
    }
    QCOMPARE(characters, ui->nameEdit->text());
    QCOMPARE(breakdown.value(QLatin1String("letterSum")).toInteger(), letterSum);
    const QJsonArray nameSums = breakdown.value(QLatin1String("nameSums")).toArray();
    QVERIFY(!nameSums.isEmpty());
    QCOMPARE(QString::number(nameSums.last().toInt()), ui->nameNumberBox->text());
    const QJsonArray birthSums = breakdown.value(QLatin1String("birthSums")).toArray();
    QVERIFY(!birthSums.isEmpty() && birthSums.size() <= 3);
    QCOMPARE(QString::number(birthSums.last().toInt()), ui->birthNumberBox->text());
    const int zodiacRow = breakdown.value(QLatin1String("zodiacRow")).toInt();
    QVERIFY(zodiacRow >= 1 && zodiacRow <= 24);
    QCOMPARE(veltara::ToQString(veltara::ZodiacTable[static_cast<std::size_t>(zodiacRow - 1)].sign), expected);
}

void TestSameReading::batchGivesTheSameObjects()
{
    // Every row of the table, as CSV rows of four fields (names quoted, with a
    // comma and a doubled quote added to one of them), through --batch on
    // standard input, against the single readings.
    const QList<QStringList> inputs = {
        {QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980")},
        {QStringLiteral("Smith, \"John\""), QStringLiteral("7"), QStringLiteral("September"), QStringLiteral("1999")},
        {QStringLiteral("   "), QStringLiteral("29"), QStringLiteral("February"), QStringLiteral("1999")},
        {QStringLiteral("Ann"), QStringLiteral("30"), QStringLiteral("February"), QStringLiteral("1999")},
        {QString(), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980")},
        {QStringLiteral("Zoë Ångström"), QStringLiteral("01"), QStringLiteral("January"), QStringLiteral("19850")},
    };
    QByteArray csv;
    for (const QStringList &row : inputs)
        csv += CsvField(row[0]) + ',' + row[1].toUtf8() + ',' + row[2].toUtf8() + ',' + row[3].toUtf8() + "\r\n";
    const ProgramRun batch = RunProgram({QStringLiteral("--batch"), QStringLiteral("-")}, csv);
    QCOMPARE(batch.exitCode, 1); // two rows are refused
    QCOMPARE(batch.err, QByteArray());
    const QList<QByteArray> lines = batch.out.split('\n');
    QCOMPARE(lines.size(), inputs.size() + 1);
    QCOMPARE(lines.last(), QByteArray());

    for (qsizetype i = 0; i < inputs.size(); ++i) {
        const QStringList &row = inputs[i];
        const ProgramRun single =
            RunProgram({QStringLiteral("--json"), QStringLiteral("--"), row[0], row[1], row[2], row[3]});
        if (single.exitCode == 0) {
            QCOMPARE(lines[i] + '\n', single.out);
        } else {
            QCOMPARE(single.exitCode, 1);
            const QJsonObject error = QJsonDocument::fromJson(lines[i]).object();
            QCOMPARE(error.keys(), (QStringList{QStringLiteral("error"), QStringLiteral("line"), QStringLiteral("row")}));
            QCOMPARE(error.value(QLatin1String("row")).toInt(), i + 1);
            QCOMPARE(error.value(QLatin1String("line")).toInt(), i + 1);
            QCOMPARE(error.value(QLatin1String("error")).toString() + QLatin1Char('\n'), QString::fromUtf8(single.err));
        }
    }
}

QTEST_MAIN(TestSameReading)
#include "tst_samereading.moc"
