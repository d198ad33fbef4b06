// The meanings of the chart's numbers: every value a number takes and every
// place the chart window shows has its line, and no two share one.
#include "chart.h"
#include "meanings.h"

#include <QSet>
#include <QString>
#include <QTest>

using namespace veltara::chart;

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A phrase as the window puts it after a dash or a place: one line, no full
// stop at its end, no blanks around it.
bool IsOnePhrase(const QString &text)
{
    return !text.isEmpty() && !text.contains(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('.')) &&
           text.trimmed() == text;
}

} // namespace

class TestMeanings : public QObject {
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void places_data();
    void places();
    void everyChartNumberHasAPlace();
    void linesAreDistinct();
};

void TestMeanings::numbers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("hasMeaning");

    // Every value a number of the chart can take: 0 (a challenge, or no
    // vowel), 1 to 9 and the three master numbers.
    for (const int number : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 22, 33})
        QTest::addRow("%d", number) << number << true;
    // Values no reduced number takes.
    for (const int number : {-1, 10, 12, 13, 19, 44, 99})
        QTest::addRow("%d, never a value", number) << number << false;
}

void TestMeanings::numbers()
{
    QFETCH(int, number);
    QFETCH(bool, hasMeaning);
    const QString meaning = Text(MeaningOfNumber(number));
    QCOMPARE(!meaning.isEmpty(), hasMeaning);
    if (hasMeaning) {
        QVERIFY2(IsOnePhrase(meaning), qPrintable(meaning));
        QVERIFY2(meaning.front().isLower(), qPrintable(meaning)); // it follows a dash
    }
}

void TestMeanings::places_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("hasMeaning");

    // The places the chart window shows or will show, by their chart keys.
    for (const char *key :
         {"lifePath", "expression", "soulUrge", "personality", "birthday", "maturity", "karmicLessons",
          "hiddenPassion", "karmicDebt", "pinnacle", "challenge", "period", "personalYear", "personalMonth",
          "personalDay", "universalYear", "balance", "rationalThought", "subconsciousSelf", "cornerstone",
          "capstone", "firstVowel", "chaldean"})
        QTest::newRow(key) << QString::fromLatin1(key) << true;
    QTest::newRow("unknown key") << QStringLiteral("luckyColour") << false;
    QTest::newRow("key in another case") << QStringLiteral("LifePath") << false;
    QTest::newRow("empty key") << QString() << false;
}

void TestMeanings::places()
{
    QFETCH(QString, key);
    QFETCH(bool, hasMeaning);
    const std::string utf8 = key.toStdString();
    const QString place = Text(MeaningOfPlace(utf8));
    QCOMPARE(!place.isEmpty(), hasMeaning);
    const QString in = Text(MeaningIn(utf8, 5));
    if (!hasMeaning) {
        QCOMPARE(in, QString());
        return;
    }
    QVERIFY2(IsOnePhrase(place), qPrintable(place));
    QVERIFY2(place.front().isUpper(), qPrintable(place));
    // The line of a number in its place holds both lines, the place first.
    QCOMPARE(in, place + QStringLiteral(" \u2014 ") + Text(MeaningOfNumber(5)));
    QCOMPARE(Text(MeaningIn(utf8, 10)), QString());
}

void TestMeanings::everyChartNumberHasAPlace()
{
    // A number added to the chart's table needs its line before the window
    // can show it.
    for (const ChartNumberRow &row : ChartNumberRows)
        QVERIFY2(!MeaningOfPlace(row.key).empty(), qPrintable(Text(row.key)));
}

void TestMeanings::linesAreDistinct()
{
    QSet<int> numbers;
    QSet<QString> lines;
    for (const NumberMeaning &row : NumberMeanings) {
        QVERIFY2(!numbers.contains(row.number), qPrintable(QString::number(row.number)));
        numbers.insert(row.number);
        QVERIFY2(!lines.contains(Text(row.text)), qPrintable(Text(row.text)));
        lines.insert(Text(row.text));
    }
    QSet<QString> keys;
    for (const PlaceMeaning &row : PlaceMeanings) {
        QVERIFY2(!keys.contains(Text(row.key)), qPrintable(Text(row.key)));
        keys.insert(Text(row.key));
        QVERIFY2(!lines.contains(Text(row.text)), qPrintable(Text(row.text)));
        lines.insert(Text(row.text));
    }
}

QTEST_APPLESS_MAIN(TestMeanings)
#include "tst_meanings.moc"
