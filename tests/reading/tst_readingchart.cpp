// veltara-reading --chart as its users run it: both date forms, the refusals
// in one line, the JSON and text, and batches.
#include "programrun.h"

#include <QByteArrayList>
#include <QTest>

class TestReadingChart : public QObject {
    Q_OBJECT

private slots:
    void chartRuns_data();
    void chartRuns();
};

void TestReadingChart::chartRuns_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArrayList>("out"); // each in the standard output; none: it is empty
    QTest::addColumn<QByteArray>("err");     // the standard error; for wrong arguments, its start

    auto json = [](std::initializer_list<const char *> rest) {
        QStringList arguments{QStringLiteral("--chart"), QStringLiteral("--json")};
        for (const char *argument : rest)
            arguments.append(QString::fromUtf8(argument));
        return arguments;
    };
    const QByteArray none;
    auto refused = [](const char *why) { return "veltara-reading: " + QByteArray(why) + '\n'; };

    // Month 10 -> 1, day 12 -> 3, year 1936 -> 19 -> 10 -> 1: 1 + 3 + 1 = 5.
    QTest::newRow("published life path, 12 October 1936")
        << json({"Ann", "1936-10-12"}) << none << 0
        << QByteArrayList{"\"date\": \"1936-10-12\"", "\"lifePath\": {\"value\": 5, \"total\": 5,"} << none;
    // 11 + 22 + (1992 -> 21 -> 3) = 36 -> 9; the day 22 stays a master number.
    QTest::newRow("published life path, month name in capitals")
        << json({"Ann", "22", "NOVEMBER", "1992"}) << none << 0
        << QByteArrayList{"\"lifePath\": {\"value\": 9, \"total\": 36,", "\"birthday\": {\"value\": 22, \"total\": 22,"}
        << none;
    QTest::newRow("month as a number") << json({"Ann", "22", "11", "1992"}) << none << 0
                                       << QByteArrayList{"\"date\": \"1992-11-22\""} << none;
    QTest::newRow("29 February of a leap year") << json({"Ann", "2000-02-29"}) << none << 0
                                                << QByteArrayList{"\"date\": \"2000-02-29\""} << none;
    // Every character that is no letter, white space aside, once each.
    QTest::newRow("uncounted characters")
        << json({"Anna-Marie O'Ёлка-\xF0\x9F\x99\x82", "2000-01-01"}) << none << 0
        << QByteArrayList{"\"uncounted\": [\"-\", \"'\", \"Ё\", \"л\", \"к\", \"а\", \"\xF0\x9F\x99\x82\"], \"leftOut\": []"} << none;
    QTest::newRow("text with its steps")
        << QStringList{QStringLiteral("--chart"), QStringLiteral("Ada Lovelace"), QStringLiteral("1815-12-10")} << none
        << 0
        << QByteArrayList{"Expression        9\n", "Chaldean          3 (compound 39)\n",
                          "  expression      ADA 1+4+1 = 6; LOVELACE 3+6+4+5+3+1+3+5 = 30 \xE2\x86\x92 3; 6 + 3 = 9\n"}
        << none;

    QTest::newRow("29 February of 1900") << json({"Ann", "1900-02-29"}) << none << 1 << QByteArrayList{}
                                         << refused("no such date: 1900-02-29");
    QTest::newRow("31 April") << json({"Ann", "31", "april", "2001"}) << none << 1 << QByteArrayList{}
                              << refused("no such date: 2001-04-31");
    QTest::newRow("day 0") << json({"Ann", "2001-04-00"}) << none << 1 << QByteArrayList{}
                           << refused("no such date: 2001-04-00");
    QTest::newRow("month 13") << json({"Ann", "1", "13", "2000"}) << none << 1 << QByteArrayList{}
                              << refused("\"13\" is not a month: give 1 to 12 or an English month name");
    QTest::newRow("year 0") << json({"Ann", "0000-01-01"}) << none << 1 << QByteArrayList{}
                            << refused("no such date: 0000-01-01 (the years are 1 to 9999)");
    QTest::newRow("year 10000") << json({"Ann", "1", "1", "10000"}) << none << 1 << QByteArrayList{}
                                << refused("no such date: 10000-01-01 (the years are 1 to 9999)");
    QTest::newRow("not a date") << json({"Ann", "2000-1-1"}) << none << 1 << QByteArrayList{}
                                << refused("\"2000-1-1\" is not a date YYYY-MM-DD");
    QTest::newRow("no letter") << json({"Пётр", "2000-01-01"}) << none << 1 << QByteArrayList{}
                               << refused("the name has no letter A to Z: write it in Latin letters");
    QTest::newRow("name in use in other letters")
        << json({"--current", "\xD0\x90\xD0\xB4\xD0\xB0", "Ada", "2000-01-01"}) << none << 1 << QByteArrayList{}
        << refused("the name in use has no letter A to Z");
    QTest::newRow("no date") << json({"Ann"}) << none << 2 << QByteArrayList{}
                             << QByteArray("veltara-reading: give NAME DAY MONTH YEAR or NAME YYYY-MM-DD\n");

    // The cycles' worked examples. Born 1950-10-16: M 1, D 7, Y 6; life path 5.
    QTest::newRow("cycles as text, a suffix left out")
        << QStringList{QStringLiteral("--chart"), QStringLiteral("--on"), QStringLiteral("2023-10-07"),
                       QStringLiteral("William Henry Gates III"), QStringLiteral("1950-10-16")}
        << none << 0
        << QByteArrayList{"Life Path         14/5, karmic debt 14\n", "Cycles on 2023-10-07, at age 72\n",
                          "Universal Year    7\n", "Pinnacle 1        8, ages 0 to 31\n",
                          "Pinnacle 2        4, ages 31 to 40\n", "Pinnacle 4        7, from age 49, now\n",
                          "Challenge 3       5, ages 40 to 49\n", "Period 1          1, ages 0 to 32\n",
                          "Period 3          6, from age 59, now\n", "Left Out          \"III\"\n",
                          "  pinnacle 2      day 7 + year 6 = 13 \xE2\x86\x92 4\n"}
        << none;
    // Born 23 April, on 2020-10-07: 4 + 5 + 4 = 13 -> 4, 4 + 10 = 14 -> 5, 5 + 7 = 12 -> 3.
    QTest::newRow("cycles as JSON")
        << json({"--on", "2020-10-07", "Ann", "23", "April", "1980"}) << none << 0
        << QByteArrayList{"\"on\": \"2020-10-07\", \"age\": 40, \"cyclesFromBirth\": false, \"universalYear\": {\"value\": 4, ",
                          "\"personalYear\": {\"value\": 4, \"steps\": \"month 4; day 23 \xE2\x86\x92 5; year 2020 "
                          "\xE2\x86\x92 4; 4 + 5 + 4 = 13 \xE2\x86\x92 4\"}, \"personalMonth\": {\"value\": 5, ",
                          "\"personalDay\": {\"value\": 3, ",
                          "\"pinnacles\": [{\"value\": 9, \"steps\": \"month 4 + day 5 = 9\", \"fromAge\": 0, "
                          "\"toAge\": 27, \"current\": false}, ",
                          "\"toAge\": null, \"current\": false}], \"challenges\": [",
                          "\"firstVowel\": {\"letter\": \"A\", \"value\": 1}, \"bridges\": "}
        << none;
    // The name in use's minor numbers; ADA A1 D4 A1 and LOVELACE: age 14 on the
    // reading date, 15 on the birthday of 1830. Pinnacle 3 + 1, challenge 2, period 12 -> 3.
    QTest::newRow("the years ahead as text")
        << QStringList{QStringLiteral("--chart"), QStringLiteral("--on=1830-06-01"), QStringLiteral("--current=Ada King"),
                       QStringLiteral("--years=3"), QStringLiteral("Ada Lovelace"), QStringLiteral("1815-12-10")}
        << none << 0
        << QByteArrayList{"Name in Use       Ada King\nDate", "Maturity          10/1\nMinor Expression  11\n",
                          "Physical Transit  D 4, ages 13 to 17\n",
                          "Essence           5\n\nYears ahead, 1830 to 1832\n"
                          "Year  Age  Universal  Personal  Pinnacle  Challenge  Period  Transits  Essence\n"
                          "1830  15   3          7         4         2          3       D E E     5\n"
                          "1831  16   4*         8*        4         2          3       D E E     5\n"
                          "1832  17   5*         9*        4         2          3       A* E E    11*\nEach year",
                          "Life Path\xE2\x80\x93" "Expression Bridge 8\n",
                          "  soul urge\xE2\x80\x93personality bridge |1 - 8| = 7\n"}
        << none;
    // A birth after the reading date: the cycles from the birth, said on the
    // standard error; a part in other letters counts for nothing, said too.
    const QByteArray fromBirth("The cycles are read from the birth on 2027-03-15: the reading date 2026-12-09 is "
                               "before it\n");
    QTest::newRow("due date as text")
        << QStringList{QStringLiteral("--chart"), QStringLiteral("--on=2026-12-09"), QStringLiteral("Baby Name"),
                       QStringLiteral("2027-03-15")}
        << none << 0 << QByteArrayList{"Cycles from the birth on 2027-03-15, at age 0\n"} << fromBirth;
    QTest::newRow("due date as JSON, a Cyrillic surname")
        << json({"--on", "2026-12-09", "Ivan \xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2", "2027-03-15"})
        << none << 0
        << QByteArrayList{"\"leftOut\": [], \"notLatin\": [\"\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2\"]",
                          "\"on\": \"2026-12-09\", \"age\": 0, \"cyclesFromBirth\": true, "}
        << "\xD0\x9F\xD0\xB5\xD1\x82\xD1\x80\xD0\xBE\xD0\xB2 has no letter A to Z and counts for nothing: write "
           "it in Latin letters\n" + fromBirth;
    QTest::newRow("no such reading date") << json({"--on", "2023-02-29", "Ann", "1950-10-16"}) << none << 1
                                          << QByteArrayList{} << refused("no such date: 2023-02-29");
    QTest::newRow("--on without --chart")
        << QStringList{QStringLiteral("--on"), QStringLiteral("2023-01-01"), QStringLiteral("Ann"),
                       QStringLiteral("1950-10-16")}
        << none << 2 << QByteArrayList{} << QByteArray("veltara-reading: --on is for the chart: give --chart too\n");

    QTest::newRow("batch")
        << QStringList{QStringLiteral("--chart"), QStringLiteral("--on=2024-01-01"), QStringLiteral("--batch"),
                       QStringLiteral("-")}
        << QByteArray("\xEF\xBB\xBFName,Day,Month,Year\r\n\r\nAnn, 12 ,october,1936\r\nBob,2023-02-29\r\n"
                      "\"Smith, Jo\",22,11,1992\r\nNo Date\r\nCy,2024-01-02\r\nIvan \xD0\x9F\xD0\xB5,2000-01-01\r\n")
        << 1
        << QByteArrayList{"{\"name\": \"Ann\", \"currentName\": null, \"date\": \"1936-10-12\", \"lifePath\": {\"value\": 5,",
                          "\n{\"row\": 2, \"line\": 4, \"error\": \"no such date: 2023-02-29\"}\n",
                          "\n{\"name\": \"Smith, Jo\", \"currentName\": null, \"date\": \"1992-11-22\"",
                          "\n{\"row\": 4, \"line\": 6, \"error\": \"the row has 1 column, not name,YYYY-MM-DD, "
                          "name,YYYY-MM-DD,current name or name,day,month,year\"}\n",
                          "\"age\": 87, \"cyclesFromBirth\": false, ",
                          "\n{\"name\": \"Cy\", \"currentName\": null, \"date\": \"2024-01-02\"",
                          "\"on\": \"2024-01-01\", \"age\": 0, \"cyclesFromBirth\": true, ",
                          "\"notLatin\": [\"\xD0\x9F\xD0\xB5\"]", "\"}, \"inclusion\": ["}
        << none;
    QTest::newRow("batch with names in use and years")
        << QStringList{QStringLiteral("--chart"), QStringLiteral("--on=1830-06-01"), QStringLiteral("--years=1"),
                       QStringLiteral("--batch"), QStringLiteral("-")}
        << QByteArray("name,date,current name\nAda Lovelace,1815-12-10,Ada King\nAda,1815-12-10,\n"
                      "Ada,1815-12-10,\xD0\x90\nAda,10,December\n")
        << 1
        << QByteArrayList{"{\"name\": \"Ada Lovelace\", \"currentName\": \"Ada King\", ",
                          "\"minorExpression\": {\"value\": 11, \"total\": 11, ",
                          "\"essence\": {\"value\": 5, \"total\": 14, \"steps\": \"D 4 + E 5 + E 5 = 14 \xE2\x86\x92 5\"}, "
                          "\"forecast\": [{\"year\": 1830, \"age\": 15, \"universalYear\": 3, \"personalYear\": 7, "
                          "\"pinnacle\": 4, \"challenge\": 2, \"period\": 3, \"physical\": \"D\", \"mental\": \"E\", "
                          "\"spiritual\": \"E\", \"essence\": 5}], \"inclusion\"",
                          "\"bridges\": {\"lifePathExpression\": {\"value\": 8, \"steps\": \"|1 - 9| = 8\"}, ",
                          "\n{\"name\": \"Ada\", \"currentName\": null, \"date\": \"1815-12-10\"",
                          "\"minorExpression\": null, \"minorSoulUrge\": null, \"minorPersonality\": null, ",
                          "\n{\"row\": 3, \"line\": 4, \"error\": \"the name in use has no letter A to Z\"}\n",
                          "\n{\"row\": 4, \"line\": 5, \"error\": \"\\\"10\\\" is not a date YYYY-MM-DD\"}\n"}
        << none;
}

void TestReadingChart::chartRuns()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(int, exitCode);
    QFETCH(QByteArrayList, out);
    QFETCH(QByteArray, err);

    const ProgramRun run = RunProgram(arguments, input);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 2)
        QVERIFY2(run.err.startsWith(err), run.err.constData()); // the usage follows
    else
        QCOMPARE(run.err, err); // nothing on success, a refusal in one line
    QCOMPARE(run.out.isEmpty(), out.isEmpty());
    for (const QByteArray &part : out)
        QVERIFY2(run.out.contains(part), (part + "\nnot in\n" + run.out).constData());
}

QTEST_GUILESS_MAIN(TestReadingChart)
#include "tst_readingchart.moc"
