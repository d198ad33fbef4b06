// The reduction pass, the birth-date digit text and the birth number of a
// reading.
#include "readingcase.h"

#include <QString>
#include <QTest>

#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

using namespace veltara;

class TestBirthNumber : public QObject {
    Q_OBJECT

private slots:
    void digitSumOfText_data();
    void digitSumOfText();
    void digitSumOfNumber_data();
    void digitSumOfNumber();

    void monthDigits_data();
    void monthDigits();
    void birthDigits_data();
    void birthDigits();

    void birthNumber_data();
    void birthNumber();
};

void TestBirthNumber::digitSumOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint64>("sum");

    QTest::newRow("empty") << QString() << quint64(0);
    QTest::newRow("9") << QStringLiteral("9") << quint64(9);
    QTest::newRow("10") << QStringLiteral("10") << quint64(1);
    QTest::newRow("199") << QStringLiteral("199") << quint64(19);
    QTest::newRow("2a0b7") << QStringLiteral("2a0b7") << quint64(9);
    QTest::newRow("zeros only") << QStringLiteral("0000") << quint64(0);
    QTest::newRow("every digit") << QStringLiteral("1234567890") << quint64(45);
    QTest::newRow("eight nines") << QStringLiteral("99999999") << quint64(72);
    QTest::newRow("sign and point add nothing") << QStringLiteral("-1.5e+3") << quint64(9);
    QTest::newRow("blanks add nothing") << QStringLiteral(" 7\t") << quint64(7);
    QTest::newRow("letters only") << QStringLiteral("January") << quint64(0);
    QTest::newRow("full-width digits") << QStringLiteral(u"１２３") << quint64(0);
    QTest::newRow("Arabic-Indic digits") << QStringLiteral(u"١٢٣") << quint64(0);
    QTest::newRow("superscript digits") << QStringLiteral(u"²³") << quint64(0);
    QTest::newRow("long text") << QString(1000, u'7') << quint64(7000);
}

void TestBirthNumber::digitSumOfText()
{
    QFETCH(QString, text);
    QFETCH(quint64, sum);
    QCOMPARE(quint64(DigitSum(Units(text))), sum);
}

void TestBirthNumber::digitSumOfNumber_data()
{
    QTest::addColumn<quint64>("number");
    QTest::addColumn<quint64>("sum");

    QTest::newRow("0") << quint64(0) << quint64(0);
    QTest::newRow("9") << quint64(9) << quint64(9);
    QTest::newRow("10") << quint64(10) << quint64(1);
    QTest::newRow("199") << quint64(199) << quint64(19);
    QTest::newRow("2999") << quint64(2999) << quint64(29);
    QTest::newRow("1000000") << quint64(1000000) << quint64(1);
    QTest::newRow("9000000") << quint64(9000000) << quint64(9);
    QTest::newRow("largest 64-bit") << quint64(std::numeric_limits<std::uint64_t>::max()) << quint64(87);
}

void TestBirthNumber::digitSumOfNumber()
{
    QFETCH(quint64, number);
    QFETCH(quint64, sum);
    QCOMPARE(quint64(DigitSum(std::uint64_t(number))), sum);
    // The pass over a number and over its decimal text agree.
    QCOMPARE(quint64(DigitSum(Units(QString::number(number)))), sum);
}

void TestBirthNumber::monthDigits_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("digits");

    QTest::newRow("January") << QStringLiteral("January") << QStringLiteral("01");
    QTest::newRow("February") << QStringLiteral("February") << QStringLiteral("02");
    QTest::newRow("March") << QStringLiteral("March") << QStringLiteral("03");
    QTest::newRow("April") << QStringLiteral("April") << QStringLiteral("04");
    QTest::newRow("May") << QStringLiteral("May") << QStringLiteral("05");
    QTest::newRow("June") << QStringLiteral("June") << QStringLiteral("06");
    QTest::newRow("July") << QStringLiteral("July") << QStringLiteral("07");
    QTest::newRow("August") << QStringLiteral("August") << QStringLiteral("08");
    QTest::newRow("September") << QStringLiteral("September") << QStringLiteral("09");
    QTest::newRow("October") << QStringLiteral("October") << QStringLiteral("10");
    QTest::newRow("November") << QStringLiteral("November") << QStringLiteral("11");
    QTest::newRow("December") << QStringLiteral("December") << QStringLiteral("12");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("lower case") << QStringLiteral("january") << QString();
    QTest::newRow("upper case") << QStringLiteral("MAY") << QString();
    QTest::newRow("abbreviation") << QStringLiteral("Jan") << QString();
    QTest::newRow("trailing space") << QStringLiteral("May ") << QString();
    QTest::newRow("leading space") << QStringLiteral(" May") << QString();
    QTest::newRow("longer name") << QStringLiteral("Mayday") << QString();
    QTest::newRow("month number") << QStringLiteral("01") << QString();
}

void TestBirthNumber::monthDigits()
{
    QFETCH(QString, month);
    QFETCH(QString, digits);
    QCOMPARE(ToQString(MonthDigits(Units(month))), digits);
}

void TestBirthNumber::birthDigits_data()
{
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("paddedDay");

    // The name, then the six texts in the order of the columns.
    const auto row = [](const char *name, auto... texts) { (QTest::newRow(name) << ... << QStringView(texts).toString()); };
    row("5 January 1980", u"January", u"05", u"1980", u"", u"01051980", u"05");
    row("31 December 2010", u"December", u"31", u"2010", u"", u"12312010", u"31");
    row("typed day 7 padded", u"July", u"7", u"1990", u"", u"07071990", u"07");
    row("empty day padded to 0", u"March", u"", u"1985", u"", u"0301985", u"0");
    row("one-letter day padded", u"March", u"x", u"1985", u"", u"030x1985", u"0x");
    row("three-character day left alone", u"March", u"123", u"1985", u"", u"03123198", u"123");
    row("two-letter day left alone", u"March", u"ab", u"1985", u"", u"03ab1985", u"ab");
    row("five-digit year cut at 8", u"January", u"01", u"19850", u"", u"01011985", u"01");
    row("two-digit year", u"March", u"15", u"85", u"", u"031585", u"15");
    row("empty year", u"March", u"15", u"", u"", u"0315", u"15");
    row("long day cuts the year off", u"May", u"123456789", u"1980", u"", u"05123456", u"123456789");
    row("known month replaces the current text", u"May", u"05", u"1980", u"12311999", u"05051980", u"05");
    row("lower-case month after Clear", u"january", u"05", u"1980", u"", u"051980", u"05");
    row("empty month after Clear", u"", u"5", u"1980", u"", u"051980", u"05");
    row("unknown month keeps the current text", u"Smarch", u"05", u"1980", u"12", u"12051980", u"05");
    row("unknown month keeps a full current text", u"Smarch", u"05", u"1980", u"01201985", u"01201985", u"05");
    row("unknown month, current text cut at 8", u"Smarch", u"5", u"1980", u"0120", u"01200519", u"05");
    row("unknown month, over-long current text", u"Smarch", u"", u"", u"0123456789", u"01234567", u"0");
    row("non-digits kept", u"June", u"1a", u"19x5", u"", u"061a19x5", u"1a");
}

void TestBirthNumber::birthDigits()
{
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, year);
    QFETCH(QString, current);
    QFETCH(QString, digits);
    QFETCH(QString, paddedDay);

    // The digits are composed before any check: a refused date has them too.
    ReadingResult reading;
    MakeReading({u"Ann", Units(day), Units(month), Units(year), Units(current)}, reading);
    QCOMPARE(ToQString(reading.birthDigits), digits);
    QCOMPARE(ToQString(reading.paddedDay), paddedDay);
    QVERIFY(reading.birthDigits.size() <= BirthDigitsMaxLength);
}

void TestBirthNumber::birthNumber_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("number");

    // One pass
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("no digit 1-9") << QStringLiteral("0x0y") << 0;
    QTest::newRow("zeros only") << QStringLiteral("00000000") << 0;
    QTest::newRow("letters only") << QStringLiteral("abcdefgh") << 0;
    QTest::newRow("1 January 1600: 9 is final") << QStringLiteral("01011600") << 9;
    QTest::newRow("sum 9 stays 9") << QStringLiteral("00000009") << 9;
    QTest::newRow("non-digits add nothing") << QStringLiteral("01a1b2c3") << 7;
    // Two passes
    QTest::newRow("5 January 1980: 24 -> 6") << QStringLiteral("01051980") << 6;
    QTest::newRow("31 December 2010: 10 -> 1") << QStringLiteral("12312010") << 1;
    QTest::newRow("eight nines: 72 -> 9") << QStringLiteral("99999999") << 9;
    QTest::newRow("1 January 1080: 11 -> 2, no master number") << QStringLiteral("01011080") << 2;
    // Three passes
    QTest::newRow("29 September 1999: 48 -> 12 -> 3") << QStringLiteral("09291999") << 3;
    QTest::newRow("18 September 1900: 28 -> 10 -> 1") << QStringLiteral("09181900") << 1;
    QTest::newRow("1 January 1970: 19 -> 10 -> 1") << QStringLiteral("01011970") << 1;
    // Beyond what the 8-character box can hold: the third pass is the last.
    QTest::newRow("sum 199 stops at 10") << QString(22, u'9') + u'1' << 10;
}

void TestBirthNumber::birthNumber()
{
    QFETCH(QString, digits);
    QFETCH(int, number);
    const quint64 digitSum = DigitSum(Units(digits));
    const std::optional<ReadingResult> reading = readingcase::OfDigits(digits);
    if (!reading) {
        // No date gives this text: the reduction the reading makes of a digit sum.
        std::vector<std::uint64_t> passes;
        QCOMPARE(ReduceBirthDigitSum(digitSum, passes), number);
        return;
    }
    QCOMPARE(ToQString(reading->birthDigits), digits);
    QCOMPARE(reading->birthNumber, number);
    QCOMPARE(quint64(reading->birthSums.front()), digitSum);
}

QTEST_APPLESS_MAIN(TestBirthNumber)
#include "tst_birthnumber.moc"
