// The meanings of the chart's numbers: every value a number takes and every
// place of the chart has its text, in the shape the window joins them in.
#include "chart.h"
#include "chartwords.h"
#include "meanings.h"

#include <QDate>
#include <QRegularExpression>
#include <QTest>

using namespace veltara;
using namespace veltara::chart;

namespace {

enum Shape { LowerLine, UpperLine, Paragraph };

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void AddText(const QString &name, std::string_view text, Shape shape, std::string_view gift = {})
{
    QTest::newRow(qPrintable(name)) << Text(text) << int(shape) << Text(gift);
}

Date DateOf(QDate date)
{
    return {date.year(), date.month(), date.day()};
}

} // namespace

class TestMeanings : public QObject {
    Q_OBJECT

private slots:
    void everyTextHasItsShape_data();
    void everyTextHasItsShape();
    void placesJoinTheirOwnLines();
    void everyLineHasAMeaningForEachNumber();
    void cyclesSpeakOfTheReadingDate_data();
    void cyclesSpeakOfTheReadingDate();
};

void TestMeanings::everyTextHasItsShape_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("shape");
    QTest::addColumn<QString>("gift"); // the number's own line, which a challenge or a lesson must not repeat
    AddText(QStringLiteral("number 0"), NumberLine(0), LowerLine);
    for (const int number : {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 22, 33}) {
        AddText(QStringLiteral("number %1").arg(number), NumberLine(number), LowerLine);
        AddText(QStringLiteral("number %1 paragraph").arg(number), NumberParagraph(number), Paragraph);
    }
    for (int number = 0; number <= 9; ++number) {
        if (number <= 8)
            AddText(QStringLiteral("challenge %1").arg(number), ChallengeLine(number), LowerLine, NumberLine(number));
        if (number >= 1)
            AddText(QStringLiteral("lesson %1").arg(number), LessonLine(number), LowerLine, NumberLine(number));
    }
    for (const int number : {13, 14, 16, 19}) {
        AddText(QStringLiteral("debt %1").arg(number), DebtLine(number), LowerLine);
        AddText(QStringLiteral("debt %1 paragraph").arg(number), DebtParagraph(number), Paragraph);
    }
    // Each place of the chart's JSON, from the chart's own rows where it has
    // them: a place added there needs its line too.
    std::vector<std::string> keys;
    for (const ChartRow &row : ChartRows) {
        if (row.key == "planes") {
            for (const PlaneRow &plane : PlaneRows)
                keys.push_back("planes." + std::string(plane.key));
        } else if (!MembersOf(row).empty()) {
            for (const MemberRow &member : MembersOf(row))
                keys.push_back(std::string(row.key) + '.' + std::string(member.key));
        } else if (row.key != "uncounted" && row.key != "leftOut" && !row.jsonOnly) {
            keys.emplace_back(row.key);
        }
    }
    for (const std::string &key : keys) {
        const QString name = QString::fromStdString(key);
        AddText(name, PlaceLine(key), UpperLine);
        AddText(name + QStringLiteral(" today"), PlaceLine(key, {2024, 5, 6}, {2024, 5, 6}), UpperLine);
    }
}

void TestMeanings::everyTextHasItsShape()
{
    // Lines are one phrase without a full stop, joined after a dash; a
    // paragraph is three or four sentences.
    QFETCH(QString, text);
    QFETCH(int, shape);
    QFETCH(QString, gift);
    QVERIFY(!text.isEmpty() && text != gift);
    QCOMPARE(text.trimmed(), text);
    QVERIFY(!text.contains(QStringLiteral("  ")));
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("[.!?,;:]\\S")))); // a space missed between literals
    const qsizetype sentences = text.count(QRegularExpression(QStringLiteral("[.!?]( |$)")));
    if (shape == Paragraph)
        QVERIFY2(sentences >= 3 && sentences <= 4 && text.front().isUpper() && text.endsWith(QLatin1Char('.')),
                 qPrintable(QString::number(sentences)));
    else
        QVERIFY(sentences == 0 && text.front().isUpper() == (shape == UpperLine));
}

void TestMeanings::placesJoinTheirOwnLines()
{
    // A challenge, a lesson and a debt join their own line, and nothing for
    // a value they never take, not the number's gift.
    const auto joins = [](std::string_view key, int number, std::string_view own) {
        const std::string meaning = MeaningIn(key, number);
        return own.empty() ? meaning.empty() : meaning == std::string(PlaceLine(key)) + " \u2014 " + std::string(own);
    };
    for (int number = -1; number <= 44; ++number) {
        QVERIFY2(joins("lifePath", number, NumberLine(number)), qPrintable(QString::number(number)));
        QVERIFY2(joins("challenges", number, ChallengeLine(number)), qPrintable(QString::number(number)));
        QVERIFY2(joins("karmicLessons", number, LessonLine(number)), qPrintable(QString::number(number)));
        QVERIFY2(joins("karmicDebts", number, DebtLine(number)), qPrintable(QString::number(number)));
    }
    QVERIFY(MeaningIn("lifePath", 10).empty() && MeaningIn("challenges", 9).empty());
    QVERIFY(MeaningIn("LifePath", 7).empty());
}

void TestMeanings::everyLineHasAMeaningForEachNumber()
{
    // Born on the 19th (karmic debt 19), with karmic lessons and a hidden
    // passion of two numbers.
    Chart chart;
    QCOMPARE(MakeChart(U"Ada Lovelace", {1815, 12, 19}, {2026, 12, 9}, chart), ChartRefusal::None);
    QCOMPARE(chart.karmicDebts, std::vector<int>{19});
    std::vector<ChartLine> lines;
    for (const ChartRow &row : ChartRows)
        AppendRowLines(row, chart, Words::Shown, lines);
    for (const ChartLine &line : lines) {
        const std::vector<Meaning> meanings = LineMeanings(line, chart, {2026, 12, 9});
        const std::string_view key = line.row->key;
        std::size_t expected = 1;
        if (key == "karmicLessons" || key == "hiddenPassion" || key == "karmicDebts")
            expected = (chart.*std::get<std::vector<int> Chart::*>(line.row->value)).size();
        else if (std::holds_alternative<std::vector<std::u32string> PreparedName::*>(line.row->value) ||
                 std::holds_alternative<bool Chart::*>(line.row->value))
            expected = 0;
        QVERIFY2(meanings.size() == expected, qPrintable(QString::fromStdString(line.key)));
        for (const Meaning &meaning : meanings)
            QVERIFY2(!meaning.line.empty(), qPrintable(QString::fromStdString(line.key)));
        if (key == "inclusion")
            QVERIFY(meanings.front().paragraph.empty());
        if (key == "lifePath")
            QCOMPARE(meanings.front().paragraph, NumberParagraph(chart.lifePath.value));
        if (key == "karmicDebts")
            QCOMPARE(meanings.front().paragraph, DebtParagraph(19));
    }
}

void TestMeanings::cyclesSpeakOfTheReadingDate_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QDate>("on");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("phrase");
    const auto row = [](const char *key, QDate on, QDate today, const char *phrase) {
        QTest::addRow("%s %s on %s", key, qPrintable(on.toString(Qt::ISODate)), qPrintable(today.toString(Qt::ISODate)))
            << QString::fromLatin1(key) << on << today << QString::fromLatin1(phrase);
    };
    row("personalYear", {2024, 1, 1}, {2024, 12, 31}, "this year");
    row("personalYear", {2023, 12, 31}, {2024, 1, 1}, "the year being read");
    row("universalYear", {2024, 1, 1}, {2024, 12, 31}, "this year");
    row("personalMonth", {2024, 5, 1}, {2024, 5, 31}, "this month");
    row("personalMonth", {2024, 5, 31}, {2024, 6, 1}, "the month being read");
    row("personalMonth", {2023, 5, 6}, {2024, 5, 6}, "the month being read");
    row("personalDay", {2024, 5, 6}, {2024, 5, 6}, "today");
    row("personalDay", {2024, 5, 7}, {2024, 5, 6}, "the day being read");
    row("personalDay", {2024, 4, 6}, {2024, 5, 6}, "the day being read");
    row("lifePath", {2024, 5, 6}, {2024, 5, 6}, "The road your life takes");
}

void TestMeanings::cyclesSpeakOfTheReadingDate()
{
    QFETCH(QString, key);
    QFETCH(QDate, on);
    QFETCH(QDate, today);
    QFETCH(QString, phrase);
    const std::string name = key.toStdString();
    const std::string_view line = PlaceLine(name, DateOf(on), DateOf(today));
    QVERIFY2(Text(line).contains(phrase), line.data());
    // Only the present is "this" or "today", and the form without dates never claims it.
    const bool now = phrase.startsWith(QStringLiteral("this")) || phrase == QStringLiteral("today");
    QCOMPARE(Text(line).contains(QRegularExpression(QStringLiteral("\\b(this|today)\\b"))), now);
    QCOMPARE(PlaceLine(name) == line, !now);
    QVERIFY(MeaningIn(name, 3, DateOf(on), DateOf(today)).starts_with(line));
}

QTEST_APPLESS_MAIN(TestMeanings)
#include "tst_meanings.moc"
