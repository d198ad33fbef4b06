// The reading worked out once for the window and the command line: its
// outcome, the digit text it composes and the derivation of its numbers.
#include "reading.h"
#include "textunits.h"

#include <QList>
#include <QString>
#include <QTest>

using namespace veltara;

class TestReading : public QObject {
    Q_OBJECT

private slots:
    void makeReading_data();
    void makeReading();
    void reusedStorageKeepsNothing_data();
    void reusedStorageKeepsNothing();
};

void TestReading::makeReading_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("previousDigits");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("nameNumber");
    QTest::addColumn<QList<quint64>>("birthSums");
    QTest::addColumn<int>("zodiacRow");
    QTest::addColumn<int>("characters");

    const auto read = int(ReadingOutcome::Read);
    // A 1, N 5, N 5 = 11 -> 2; 0+1+0+5+1+9+8+0 = 24 -> 6; key 1051980 in row 1.
    QTest::newRow("read") << QStringLiteral("Ann") << QStringLiteral("5") << QStringLiteral("January")
                          << QStringLiteral("1980") << QString() << read << QStringLiteral("01051980") << 2
                          << QList<quint64>{24, 6} << 1 << 3;
    // An unknown month keeps the box's digits: key 3121980, row 5.
    QTest::newRow("unknown month keeps the digits")
        << QStringLiteral("Ann") << QStringLiteral("12") << QStringLiteral("Foo") << QStringLiteral("1980")
        << QStringLiteral("03") << read << QStringLiteral("03121980") << 2 << QList<quint64>{24, 6} << 5 << 3;
    // "05" + "123" + "1980" cut to 8; 29 -> 11 -> 2; key 5123198 in row 9.
    QTest::newRow("cut to eight, two passes")
        << QStringLiteral("Ann") << QStringLiteral("123") << QStringLiteral("May") << QStringLiteral("1980")
        << QString() << read << QStringLiteral("05123198") << 2 << QList<quint64>{29, 11, 2} << 9 << 3;
    // A character outside the basic plane is one character worth 0.
    QTest::newRow("surrogate pair") << QString::fromUtf8("\xF0\x9F\x98\x80" "A") << QStringLiteral("05")
                                    << QStringLiteral("May") << QStringLiteral("1980") << QString() << read
                                    << QStringLiteral("05051980") << 1 << QList<quint64>{28, 10, 1} << 9 << 2;
    // The numbers are worked out before the zodiac row is looked for.
    QTest::newRow("no zodiac row") << QStringLiteral("Ann") << QStringLiteral("31") << QStringLiteral("February")
                                   << QStringLiteral("1980") << QString() << int(ReadingOutcome::InvalidBirthday)
                                   << QStringLiteral("02311980") << 2 << QList<quint64>{24, 6} << 0 << 3;
    QTest::newRow("no name") << QString() << QStringLiteral("5") << QStringLiteral("May") << QStringLiteral("1980")
                             << QString() << int(ReadingOutcome::MissingName) << QStringLiteral("05051980") << 0
                             << QList<quint64>{} << 0 << 0;
    QTest::newRow("no year") << QStringLiteral("Ann") << QStringLiteral("5") << QStringLiteral("May") << QString()
                             << QString() << int(ReadingOutcome::InvalidBirthdate) << QStringLiteral("0505") << 0
                             << QList<quint64>{} << 0 << 0;
}

void TestReading::makeReading()
{
    QFETCH(QString, name);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, previousDigits);
    QFETCH(int, outcome);
    QFETCH(QString, digits);
    QFETCH(int, nameNumber);
    QFETCH(QList<quint64>, birthSums);
    QFETCH(int, zodiacRow);
    QFETCH(int, characters);

    ReadingResult reading;
    MakeReading({Units(name), Units(day), Units(month), Units(year), Units(previousDigits)}, reading);
    QCOMPARE(int(reading.outcome), outcome);
    QCOMPARE(ToQString(reading.birthDigits), digits);
    QCOMPARE(reading.zodiac ? reading.zodiac->row : 0, zodiacRow);
    // A refused date or name leaves the numbers unworked: 0 and no passes.
    QCOMPARE(reading.nameNumber, nameNumber);
    QCOMPARE(QList<quint64>(reading.birthSums.begin(), reading.birthSums.end()), birthSums);
    QCOMPARE(reading.birthNumber, birthSums.isEmpty() ? 0 : int(birthSums.back()));
    QCOMPARE(int(reading.letterCounts.size()), characters);
    QCOMPARE(reading.profile ? reading.profile->number : 0, nameNumber);
}

void TestReading::reusedStorageKeepsNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("year");
    QTest::addColumn<int>("outcome");

    QTest::newRow("no year") << QStringLiteral("Ann") << QStringLiteral("5") << QString()
                             << int(ReadingOutcome::InvalidBirthdate);
    QTest::newRow("no name") << QString() << QStringLiteral("5") << QStringLiteral("1980")
                             << int(ReadingOutcome::MissingName);
    QTest::newRow("no zodiac row") << QStringLiteral("Ann") << QStringLiteral("31") << QStringLiteral("1980")
                                   << int(ReadingOutcome::InvalidBirthday);
    QTest::newRow("a shorter name read") << QStringLiteral("Bo") << QStringLiteral("5") << QStringLiteral("1980")
                                         << int(ReadingOutcome::Read);
}

void TestReading::reusedStorageKeepsNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, day);
    QFETCH(QString, year);
    QFETCH(int, outcome);
    const ReadingInputs inputs{Units(name), Units(day), u"February", Units(year), {}};

    ReadingResult reused;
    MakeReading({u"Mary Jane Watson", u"29", u"September", u"1999", {}}, reused);
    QCOMPARE(int(reused.outcome), int(ReadingOutcome::Read));
    MakeReading(inputs, reused);
    ReadingResult fresh;
    MakeReading(inputs, fresh);
    QCOMPARE(int(reused.outcome), outcome);
    QVERIFY2(reused == fresh, "something of the earlier reading stayed");
}

QTEST_APPLESS_MAIN(TestReading)
#include "tst_reading.moc"
