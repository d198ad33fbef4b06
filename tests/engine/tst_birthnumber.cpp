// The reduction pass, the birth-date digit text and the birth number.
#include "numerology.h"
#include "textunits.h"

#include <QString>
#include <QTest>

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

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

    void calcBirthNumber_data();
    void calcBirthNumber();
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

    QTest::newRow("5 January 1980")
        << QStringLiteral("January") << QStringLiteral("05") << QStringLiteral("1980") << QString()
        << QStringLiteral("01051980") << QStringLiteral("05");
    QTest::newRow("31 December 2010")
        << QStringLiteral("December") << QStringLiteral("31") << QStringLiteral("2010") << QString()
        << QStringLiteral("12312010") << QStringLiteral("31");
    QTest::newRow("typed day 7 padded")
        << QStringLiteral("July") << QStringLiteral("7") << QStringLiteral("1990") << QString()
        << QStringLiteral("07071990") << QStringLiteral("07");
    QTest::newRow("empty day padded to 0")
        << QStringLiteral("March") << QString() << QStringLiteral("1985") << QString()
        << QStringLiteral("0301985") << QStringLiteral("0");
    QTest::newRow("one-letter day padded")
        << QStringLiteral("March") << QStringLiteral("x") << QStringLiteral("1985") << QString()
        << QStringLiteral("030x1985") << QStringLiteral("0x");
    QTest::newRow("three-character day left alone")
        << QStringLiteral("March") << QStringLiteral("123") << QStringLiteral("1985") << QString()
        << QStringLiteral("03123198") << QStringLiteral("123");
    QTest::newRow("two-letter day left alone")
        << QStringLiteral("March") << QStringLiteral("ab") << QStringLiteral("1985") << QString()
        << QStringLiteral("03ab1985") << QStringLiteral("ab");
    QTest::newRow("five-digit year cut at 8")
        << QStringLiteral("January") << QStringLiteral("01") << QStringLiteral("19850") << QString()
        << QStringLiteral("01011985") << QStringLiteral("01");
    QTest::newRow("two-digit year")
        << QStringLiteral("March") << QStringLiteral("15") << QStringLiteral("85") << QString()
        << QStringLiteral("031585") << QStringLiteral("15");
    QTest::newRow("empty year")
        << QStringLiteral("March") << QStringLiteral("15") << QString() << QString()
        << QStringLiteral("0315") << QStringLiteral("15");
    QTest::newRow("long day cuts the year off")
        << QStringLiteral("May") << QStringLiteral("123456789") << QStringLiteral("1980") << QString()
        << QStringLiteral("05123456") << QStringLiteral("123456789");
    QTest::newRow("known month replaces the current text")
        << QStringLiteral("May") << QStringLiteral("05") << QStringLiteral("1980") << QStringLiteral("12311999")
        << QStringLiteral("05051980") << QStringLiteral("05");
    QTest::newRow("lower-case month after Clear")
        << QStringLiteral("january") << QStringLiteral("05") << QStringLiteral("1980") << QString()
        << QStringLiteral("051980") << QStringLiteral("05");
    QTest::newRow("empty month after Clear")
        << QString() << QStringLiteral("5") << QStringLiteral("1980") << QString()
        << QStringLiteral("051980") << QStringLiteral("05");
    QTest::newRow("unknown month keeps the current text")
        << QStringLiteral("Smarch") << QStringLiteral("05") << QStringLiteral("1980") << QStringLiteral("12")
        << QStringLiteral("12051980") << QStringLiteral("05");
    QTest::newRow("unknown month keeps a full current text")
        << QStringLiteral("Smarch") << QStringLiteral("05") << QStringLiteral("1980") << QStringLiteral("01201985")
        << QStringLiteral("01201985") << QStringLiteral("05");
    QTest::newRow("unknown month, current text cut at 8")
        << QStringLiteral("Smarch") << QStringLiteral("5") << QStringLiteral("1980") << QStringLiteral("0120")
        << QStringLiteral("01200519") << QStringLiteral("05");
    QTest::newRow("unknown month, over-long current text")
        << QStringLiteral("Smarch") << QString() << QString() << QStringLiteral("0123456789")
        << QStringLiteral("01234567") << QStringLiteral("0");
    QTest::newRow("non-digits kept")
        << QStringLiteral("June") << QStringLiteral("1a") << QStringLiteral("19x5") << QString()
        << QStringLiteral("061a19x5") << QStringLiteral("1a");
}

void TestBirthNumber::birthDigits()
{
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, year);
    QFETCH(QString, current);
    QFETCH(QString, digits);
    QFETCH(QString, paddedDay);

    const BirthDigitsResult result = BirthDigits(Units(month), Units(day), Units(year), Units(current));
    QCOMPARE(ToQString(result.digits), digits);
    QCOMPARE(ToQString(result.paddedDay), paddedDay);
    QVERIFY(result.digits.size() <= BirthDigitsMaxLength);
}

void TestBirthNumber::calcBirthNumber_data()
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

void TestBirthNumber::calcBirthNumber()
{
    QFETCH(QString, digits);
    QFETCH(int, number);
    QCOMPARE(CalcBirthNumber(Units(digits)), number);
}

QTEST_APPLESS_MAIN(TestBirthNumber)
#include "tst_birthnumber.moc"
