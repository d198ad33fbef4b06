// The meanings of the chart's numbers: every value a number takes and every
// place the chart window shows has its line.
#include "chart.h"
#include "meanings.h"

#include <QTest>

using namespace veltara::chart;

class TestMeanings : public QObject {
    Q_OBJECT

private slots:
    void everyValueAndPlaceHasALine();
};

void TestMeanings::everyValueAndPlaceHasALine()
{
    // 0 (a challenge, or no vowel), 1 to 9 and the master numbers have a
    // line; values no reduced number takes have none.
    for (const int number : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 22, 33})
        QVERIFY2(!MeaningOfNumber(number).empty(), qPrintable(QString::number(number)));
    for (const int number : {-1, 10, 13, 19, 44})
        QVERIFY2(MeaningIn("lifePath", number).empty(), qPrintable(QString::number(number)));
    // The places the window shows or will show, and each number of the
    // chart's table: a number added there needs its line too.
    std::vector<std::string_view> keys{
        "karmicLessons", "hiddenPassion", "karmicDebt", "pinnacle", "challenge", "period", "personalYear",
        "personalMonth", "personalDay", "universalYear", "balance", "rationalThought", "subconsciousSelf",
        "cornerstone", "capstone", "firstVowel", "chaldean"};
    for (const ChartNumberRow &row : ChartNumberRows)
        keys.push_back(row.key);
    for (const std::string_view key : keys) {
        QVERIFY2(!MeaningOfPlace(key).empty(), key.data());
        QCOMPARE(MeaningIn(key, 7), std::string(MeaningOfPlace(key)) + " \u2014 " + std::string(MeaningOfNumber(7)));
    }
    QVERIFY(MeaningIn("LifePath", 7).empty());
}

QTEST_APPLESS_MAIN(TestMeanings)
#include "tst_meanings.moc"
