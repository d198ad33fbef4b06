// The numerology chart: letter folding, reduction, the chart's numbers and
// their steps, and the dates it refuses.
#include "chart.h"
#include "chartwords.h"
#include "letters.h"
#include "numerology.h"

#include <QDate>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTest>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using namespace veltara;
using namespace veltara::chart;

namespace {

// Everything a chart holds but the steps.
struct Expected {
    ChartRefusal refusal = ChartRefusal::None;
    int lifePath = 0, birthday = 0, expression = 0, soulUrge = 0, personality = 0, maturity = 0;
    QList<int> lessons{}, passion{}, debts{};
    int compound = 0, root = 0;
    QStringList uncounted{};
};

QList<int> ListOf(const std::vector<int> &numbers)
{
    return QList<int>(numbers.begin(), numbers.end());
}

QString TextOf(const std::u32string &text)
{
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

QString FoldedText(char32_t c)
{
    QString text;
    for (const char letter : FoldLetter(c))
        text += QLatin1Char(letter);
    return text;
}

// What the Unicode name of a Latin letter says it is: "LATIN SMALL LETTER E
// WITH CIRCUMFLEX AND TILDE" is E, "LATIN CAPITAL LIGATURE OE" is OE.
QString LetterOfName(const QString &name)
{
    static const QRegularExpression latin(
        QStringLiteral("^LATIN (?:SMALL|CAPITAL) (?:LETTER|LIGATURE) ([A-Z]|AE|OE|SHARP S|ETH|THORN)(?: WITH .*)?$"));
    const QRegularExpressionMatch match = latin.match(name);
    if (!match.hasMatch())
        return {};
    const QString letter = match.captured(1);
    if (letter == QLatin1String("SHARP S"))
        return QStringLiteral("SS");
    if (letter == QLatin1String("ETH"))
        return QStringLiteral("D");
    if (letter == QLatin1String("THORN"))
        return QStringLiteral("TH");
    return letter;
}

// The digit-sum passes from a number, written out as decimal text.
std::vector<std::uint64_t> PassesOf(std::uint64_t number)
{
    std::vector<std::uint64_t> passes{number};
    while (passes.back() > 9) {
        std::uint64_t sum = 0;
        for (const char digit : std::to_string(passes.back()))
            sum += static_cast<std::uint64_t>(digit - '0');
        passes.push_back(sum);
    }
    return passes;
}

// The steps of the number of that key, as the steps lines key it
// ("chaldean", "pinnacles1", "bridges.lifePathExpression").
std::string StepsOf(const Chart &chart, const QString &key)
{
    std::vector<StepsLine> lines;
    StepsLines(chart, Words::Text, lines);
    for (const StepsLine &line : lines) {
        if (line.key == key.toStdString())
            return std::string(line.steps);
    }
    return "no such number";
}

QString Hex(char32_t c)
{
    return QStringLiteral("U+") + QString::number(static_cast<uint>(c), 16).toUpper();
}

// A reading date after every birth date.
constexpr Date Last{9999, 12, 31};

const QString UnicodeData = QStringLiteral("/usr/share/unicode/UnicodeData.txt");

// The cycles and the rest of a chart on one line: "age 70; years 4 4 5 3;
// pinnacles 8 0-31, ..., 7 49-* now; ...".
QString CyclesOf(const Chart &chart)
{
    QStringList parts{QStringLiteral("age %1").arg(chart.age),
                      QStringLiteral("years %1 %2 %3 %4")
                          .arg(chart.universalYear.value)
                          .arg(chart.personalYear.value)
                          .arg(chart.personalMonth.value)
                          .arg(chart.personalDay.value)};
    for (const ChartRow &row : ChartRows) {
        if (!HoldsSpans(row))
            continue;
        QStringList spans;
        for (const Span &span : SpansOf(row, chart)) {
            spans << QStringLiteral("%1 %2-%3%4")
                         .arg(span.number.value)
                         .arg(span.fromAge)
                         .arg(span.toAge < 0 ? QStringLiteral("*") : QString::number(span.toAge),
                              span.current ? QStringLiteral(" now") : QString());
        }
        parts << QString::fromLatin1(row.key.data(), static_cast<qsizetype>(row.key.size())) + u' ' +
                     spans.join(QStringLiteral(", "));
    }
    QStringList planes, letters, inclusion, leftOut;
    for (const Plane &plane : chart.planes)
        planes << QStringLiteral("%1/%2").arg(plane.count).arg(plane.value);
    for (const NamedLetter &letter : {chart.cornerstone, chart.capstone, chart.firstVowel}) {
        letters << (letter.letter ? QLatin1Char(letter.letter) + QString::number(letter.value) : QStringLiteral("-"));
    }
    for (const int count : chart.inclusion)
        inclusion << QString::number(count);
    for (const std::u32string &part : chart.name.leftOut)
        leftOut << TextOf(part);
    parts << QStringLiteral("planes ") + planes.join(u' ')
          << QStringLiteral("balance %1, rational %2, subconscious %3")
                 .arg(chart.balance.value)
                 .arg(chart.rationalThought.value)
                 .arg(chart.subconsciousSelf)
          << QStringLiteral("letters ") + letters.join(u' ') << QStringLiteral("inclusion ") + inclusion.join(QString())
          << QStringLiteral("left out ") + leftOut.join(u' ');
    return parts.join(QStringLiteral("; "));
}

// The transits and essence of a chart, "A 1 20-21, I 9 15-24, H 8 20-28; A 1
// + I 9 + H 8 = 18 → 9", and its forecast, a year "1983 21 3* 4* 1 4 7 S* I
// H 9" (year, age, universal and personal year, pinnacle, challenge, period,
// the transits' letters, essence; * a change), the years joined by "; ".
QString YearsOf(const Chart &chart)
{
    QStringList transits, years;
    for (const Transit &transit : chart.transits)
        transits << QStringLiteral("%1 %2 %3-%4").arg(QLatin1Char(transit.letter)).arg(transit.value)
                        .arg(transit.fromAge).arg(transit.toAge);
    for (const ForecastYear &year : chart.forecast) {
        QStringList cells;
        for (std::size_t column = 0; column < std::size(ForecastColumns); ++column)
            cells << QString::fromStdString(ForecastCell(year, column) + (Changed(year, column) ? "*" : ""));
        years << cells.join(u' ');
    }
    return (QStringList{transits.join(QStringLiteral(", ")), QString::fromStdString(chart.essence.steps)} + years)
        .join(QStringLiteral("; "));
}

} // namespace

Q_DECLARE_METATYPE(Expected)

class TestChart : public QObject {
    Q_OBJECT

private slots:
    void chart_data();
    void chart();
    void steps_data();
    void steps();
    void totals_data();
    void totals();
    void dates_data();
    void dates();

    void foldLetter_data();
    void foldLetter();
    void foldingAgreesWithUnicodeNames();
    void whiteSpace();
    void reductionAgreesWithDigitPasses();
    void cycles_data();
    void cycles();
    void nameParts_data();
    void nameParts();
    void yearsAhead_data();
    void yearsAhead();
};

void TestChart::chart_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<Expected>("expected");

    // Pythagorean A1 B2 C3 D4 E5 F6 G7 H8 I9 J1 K2 L3 M4 N5 O6 P7 Q8 R9 S1 T2 U3 V4 W5 X6 Y7 Z8
    // Chaldean   A1 B2 C3 D4 E5 F8 G3 H5 I1 J1 K2 L3 M4 N5 O7 P8 Q1 R2 S3 T4 U6 V6 W6 X5 Y1 Z7

    // Life path: month 10 -> 1, day 12 -> 3, year 1936 -> 19 -> 10 -> 1; 1 + 3 + 1 = 5.
    // Expression ADA 6, LOVELACE 30 -> 3; 9. Soul urge AA 2, OEAE 17 -> 8; 10 -> 1.
    // Personality D 4, LVLC 13 -> 4; 8. Maturity 5 + 9 = 14 -> 5. Values carried:
    // 1 AAA, 3 LLC, 4 DV, 5 EE, 6 O. Chaldean 1+4+1 + 3+7+6+5+3+1+3+5 = 39 -> 12 -> 3.
    // No debt: 19 on the year's way and 13 in LVLC are not totals of a number.
    QTest::newRow("life path 12 October 1936, 13 and 19 only inside")
        << QStringLiteral("Ada Lovelace") << 1936 << 10 << 12
        << Expected{.lifePath = 5, .birthday = 3, .expression = 9, .soulUrge = 1, .personality = 8, .maturity = 5,
                    .lessons = {2, 7, 8, 9}, .passion = {1, 3}, .debts = {}, .compound = 39, .root = 3};

    // Life path: 11 + 22 + (1992 -> 21 -> 3) = 36 -> 9; birthday 22 stays.
    // Expression JEANPIERRE 1+5+1+5+7+9+5+9+9+5 = 56 -> 11 (kept), DUPONT 27 -> 9;
    // 11 + 9 = 20 -> 2. Soul urge EAIEE 25 -> 7, UO 9; 16 -> 7 (debt 16).
    // Personality JNPRR 31 -> 4, DPNT 18 -> 9; 13 -> 4 (debt 13). Maturity 9 + 2 = 11.
    // Carried: 1 JA, 2 T, 3 U, 4 D, 5 EENEN, 6 O, 7 PP, 9 IRR; none 8.
    // Chaldean 1+5+1+5+8+1+5+2+2+5 = 35, 4+6+8+7+5+4 = 34; 69 -> 15 -> 6.
    QTest::newRow("life path 22 November 1992, master in one part")
        << QStringLiteral("Jean-Pierre Dupont") << 1992 << 11 << 22
        << Expected{.lifePath = 9, .birthday = 22, .expression = 2, .soulUrge = 7, .personality = 4, .maturity = 11,
                    .lessons = {8}, .passion = {5}, .debts = {13, 16}, .compound = 69, .root = 6,
                    .uncounted = {QStringLiteral("-")}};

    // Y of YOLANDA is beside O: a consonant. Y of LYNN is between L and N: a vowel.
    // Life path 7 + 4 + (1985 -> 23 -> 5) = 16 -> 7 (debt 16). Expression YOLANDA
    // 7+6+3+1+5+4+1 = 27 -> 9, LYNN 3+7+5+5 = 20 -> 2; 11. Soul urge OAA 8, Y 7;
    // 15 -> 6. Personality YLND 19 -> 10 -> 1, LNN 13 -> 4; 5. Maturity 7 + 11 = 18 -> 9.
    // Carried: 1 AA, 3 LL, 4 D, 5 NNN, 6 O, 7 YY. Chaldean 22 + 14 = 36 -> 9.
    QTest::newRow("Y consonant beside O, vowel between consonants")
        << QStringLiteral("Yolanda Lynn") << 1985 << 7 << 4
        << Expected{.lifePath = 7, .birthday = 4, .expression = 11, .soulUrge = 6, .personality = 5, .maturity = 9,
                    .lessons = {2, 8, 9}, .passion = {5}, .debts = {16}, .compound = 36, .root = 9};

    // FAYEVE: Y between A and the folded È, across the hyphen: a consonant. TY: a
    // vowel at the end. Life path 2 + (29 -> 11) + 2 = 15 -> 6; birthday 11.
    // Expression FAYEVE 6+1+7+5+4+5 = 28 -> 10 -> 1, TY 9; 10 -> 1. Soul urge AEE
    // 11 (kept), Y 7; 18 -> 9. Personality FYV 17 -> 8, T 2; 10 -> 1. Maturity 6 + 1.
    // Carried: 1 A, 2 T, 4 V, 5 EE, 6 F, 7 YY. Chaldean 8+1+1+5+6+5 + 4+1 = 31 -> 4.
    QTest::newRow("Y neighbours after folding, skipping the hyphen; 29 February 2000")
        << QStringLiteral(u"Fay-Ève Ty") << 2000 << 2 << 29
        << Expected{.lifePath = 6, .birthday = 11, .expression = 1, .soulUrge = 9, .personality = 1, .maturity = 7,
                    .lessons = {3, 8, 9}, .passion = {5, 7}, .debts = {}, .compound = 31, .root = 4,
                    .uncounted = {QStringLiteral("-")}};

    // Life path 3 + (13 -> 4) + (1971 -> 18 -> 9) = 16 -> 7 (debt 16); birthday 13
    // (debt 13). Expression JOSE 13 -> 4, NUNEZ 26 -> 8; 12 -> 3. Soul urge OE 11,
    // UE 8; 19 -> 10 -> 1 (debt 19). Personality JS 2, NNZ 18 -> 9; 11.
    // Maturity 7 + 3 = 10 -> 1. Carried: 1 JS, 3 U, 5 EENN, 6 O, 8 Z.
    // Chaldean 1+7+3+5 + 5+6+5+5+7 = 44 -> 8.
    const Expected jose{.lifePath = 7, .birthday = 4, .expression = 3, .soulUrge = 1, .personality = 11,
                        .maturity = 1, .lessons = {2, 4, 7, 9}, .passion = {5}, .debts = {13, 16, 19},
                        .compound = 44, .root = 8};
    QTest::newRow("diacritics precomposed, debts 13 16 19")
        << QStringLiteral(u"José Núñez") << 1971 << 3 << 13 << jose;
    QTest::newRow("diacritics decomposed") << QStringLiteral(u"Jose\u0301 Nu\u0301n\u0303ez") << 1971 << 3 << 13
                                           << jose;
    QTest::newRow("diacritics, several marks on one letter")
        << QStringLiteral(u"J\u00F3\u0323se\u0301\u0302 N\u00FAn\u0303\u0330ez") << 1971 << 3 << 13 << jose;

    // STRAUSS: life path 1 + 7 + (1825 -> 16 -> 7) = 15 -> 6. Expression 1+2+9+1+3+1+1
    // = 18 -> 9. Soul urge AU 4. Personality STRSS 14 -> 5, one part: its letter
    // sum 14 is the total, a debt as in Leo Sun. Maturity 6 + 9 = 15 -> 6. Carried:
    // 1 SASS, 2 T, 3 U, 9 R. Chaldean 3+4+2+1+6+3+3 = 22 -> 4: no master number there.
    const Expected strauss{.lifePath = 6, .birthday = 7, .expression = 9, .soulUrge = 4, .personality = 5,
                           .maturity = 6, .lessons = {4, 5, 6, 7, 8}, .passion = {1}, .debts = {14},
                           .compound = 22, .root = 4};
    QTest::newRow("sharp s as S S, Chaldean 22 to 4") << QStringLiteral(u"Strauß") << 1825 << 10 << 25 << strauss;
    QTest::newRow("capital sharp s") << QStringLiteral(u"STRAUẞ") << 1825 << 10 << 25 << strauss;

    // ANNA: life path 1 + 1 + (1990 -> 19 -> 10 -> 1) = 3. Expression 12 -> 3, soul
    // urge AA 2, personality NN 10 -> 1, maturity 6. Chaldean 1+5+5+1 = 12 -> 3.
    // Д м и т р и е в н а: each once, the second и left out.
    QTest::newRow("Cyrillic part uncounted")
        << QStringLiteral(u"Anna Дмитриевна") << 1990 << 1 << 1
        << Expected{.lifePath = 3, .birthday = 1, .expression = 3, .soulUrge = 2, .personality = 1, .maturity = 6,
                    .lessons = {2, 3, 4, 6, 7, 8, 9}, .passion = {1, 5}, .debts = {}, .compound = 12, .root = 3,
                    .uncounted = QStringLiteral(u"Дмитревна").split(QString(), Qt::SkipEmptyParts)};

    // Parts AL and AL. A mark at the start and one after white space are entries
    // of their own; 7 with its mark is another entry than 7 alone and is listed
    // once; the mark on the last l belongs to the letter. Life path 9 + 9 +
    // (1999 -> 28 -> 10 -> 1) = 19 -> 10 -> 1 (debt 19). Expression 4 + 4 = 8, soul
    // urge 1 + 1 = 2, personality 3 + 3 = 6, maturity 1 + 8 = 9. Chaldean 1+3+1+3 = 8.
    QTest::newRow("marks with uncounted characters, white space not listed")
        << QStringLiteral(u"\u0301Al 7\u0301\t\u0303 7\u0301 7 Al\u0308 ") << 1999 << 9 << 9
        << Expected{.lifePath = 1, .birthday = 9, .expression = 8, .soulUrge = 2, .personality = 6, .maturity = 9,
                    .lessons = {2, 4, 5, 6, 7, 8, 9}, .passion = {1, 3}, .debts = {19}, .compound = 8, .root = 8,
                    .uncounted = {QStringLiteral(u"\u0301"), QStringLiteral(u"7\u0301"), QStringLiteral(u"\u0303"),
                                  QStringLiteral(u"7")}};

    // Life path 5 + 7 + (2010 -> 3) = 15 -> 6. Expression LEO 14 -> 5, SUN 9;
    // 14 -> 5 (debt 14). Soul urge EO 11 (kept), U 3; 14 -> 5. Personality L 3,
    // SN 6; 9. Maturity 6 + 5 = 11. Carried: 1 S, 3 LU, 5 EN, 6 O.
    // Chaldean 3+5+7 + 3+6+5 = 29 -> 11 -> 2: the root passes 11 by.
    const Expected leo{.lifePath = 6, .birthday = 7, .expression = 5, .soulUrge = 5, .personality = 9,
                       .maturity = 11, .lessons = {2, 4, 7, 8, 9}, .passion = {3, 5}, .debts = {14},
                       .compound = 29, .root = 2};
    QTest::newRow("debt 14 in the parts' total") << QStringLiteral("Leo Sun") << 2010 << 5 << 7 << leo;
    QTest::newRow("lower case, more white space")
        << QStringLiteral(u"  leo \t\u00A0\u3000 sun\n") << 2010 << 5 << 7 << leo;

    // Life path 1 + 1 + (2001 -> 3) = 5. Expression MR 13 -> 4, NG 12 -> 3; 7, and
    // personality the same; no vowel, soul urge 0. Maturity 5 + 7 = 12 -> 3. Every
    // letter carries another value, so all of them are the hidden passion.
    // Chaldean 4+2+5+3 = 14 -> 5.
    QTest::newRow("no vowel, every value once")
        << QStringLiteral("Mr Ng") << 2001 << 1 << 1
        << Expected{.lifePath = 5, .birthday = 1, .expression = 7, .soulUrge = 0, .personality = 7, .maturity = 3,
                    .lessons = {1, 2, 3, 6, 8}, .passion = {4, 5, 7, 9}, .debts = {}, .compound = 14, .root = 5};

    // LEE 3+5+5 = 13 -> 4 in one part: debt 13. Life path 1 + 1 + (2000 -> 2) = 4,
    // soul urge EE 10 -> 1, personality L 3, maturity 8. Chaldean 3+5+5 = 13 -> 4.
    QTest::newRow("debt 13 in the letter sum of a one-part name")
        << QStringLiteral("Lee") << 2000 << 1 << 1
        << Expected{.lifePath = 4, .birthday = 1, .expression = 4, .soulUrge = 1, .personality = 3, .maturity = 8,
                    .lessons = {1, 2, 4, 6, 7, 8, 9}, .passion = {5}, .debts = {13}, .compound = 13, .root = 4};

    // The hyphen ends a word for the Y rule: the Y of YVONNE stands beside V
    // only, a vowel as in Yvonne alone. Soul urge AEYOE 1+5+7+6+5 = 24 -> 6,
    // personality NNVNN 24 -> 6, expression 48 -> 12 -> 3. Life path 3, maturity 6.
    QTest::newRow("Y after a hyphen is a vowel")
        << QStringLiteral("Anne-Yvonne") << 1990 << 1 << 1
        << Expected{.lifePath = 3, .birthday = 1, .expression = 3, .soulUrge = 6, .personality = 6, .maturity = 6,
                    .lessons = {2, 3, 8, 9}, .passion = {5}, .debts = {}, .compound = 45, .root = 9,
                    .uncounted = {QStringLiteral("-")}};

    const Expected noLetter{.refusal = ChartRefusal::NoLetter};
    QTest::newRow("Cyrillic name refused") << QStringLiteral(u"Дмитрий") << 1990 << 1 << 1 << noLetter;
    QTest::newRow("empty name refused") << QString() << 1990 << 1 << 1 << noLetter;
    QTest::newRow("white space and marks refused")
        << QStringLiteral(u" \t\u2003\u0301 ") << 1990 << 1 << 1 << noLetter;
    QTest::newRow("digits, stroked h, dotless i, fullwidth A refused")
        << QStringLiteral(u"12 - ħı \uFF21") << 1990 << 1 << 1 << noLetter;
}

void TestChart::chart()
{
    QFETCH(QString, name);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(Expected, expected);

    // The storage of an earlier chart, as in a batch.
    Chart chart;
    QCOMPARE(MakeChart(U"Zoë Ἀ-Ω Xu 13", {1950, 5, 5}, Last, chart), ChartRefusal::None);

    QCOMPARE(MakeChart(name.toStdU32String(), {year, month, day}, Last, chart), expected.refusal);
    QCOMPARE(chart.lifePath.value, expected.lifePath);
    QCOMPARE(chart.birthday.value, expected.birthday);
    QCOMPARE(chart.expression.value, expected.expression);
    QCOMPARE(chart.soulUrge.value, expected.soulUrge);
    QCOMPARE(chart.personality.value, expected.personality);
    QCOMPARE(chart.maturity.value, expected.maturity);
    QCOMPARE(ListOf(chart.karmicLessons), expected.lessons);
    QCOMPARE(ListOf(chart.hiddenPassion), expected.passion);
    QCOMPARE(ListOf(chart.karmicDebts), expected.debts);
    QCOMPARE(chart.chaldean.compound, static_cast<std::uint64_t>(expected.compound));
    QCOMPARE(chart.chaldean.root, expected.root);
    QStringList uncounted;
    for (const std::u32string &entry : chart.name.uncounted)
        uncounted << TextOf(entry);
    QCOMPARE(uncounted, expected.uncounted);
    if (expected.refusal != ChartRefusal::None) {
        QVERIFY(chart.expression.steps.empty());
        QVERIFY(chart.lifePath.steps.empty());
        QVERIFY(chart.chaldean.steps.empty());
    }
}

void TestChart::steps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("steps");

    QTest::newRow("life path") << QStringLiteral("Ada Lovelace") << 1936 << 10 << 12 << QStringLiteral("lifePath")
                               << QStringLiteral(u"month 10 → 1; day 12 → 3; year 1936 → 19 → 10 → 1; 1 + 3 + 1 = 5");
    QTest::newRow("life path of master numbers")
        << QStringLiteral("Jean-Pierre Dupont") << 1992 << 11 << 22 << QStringLiteral("lifePath")
        << QStringLiteral(u"month 11; day 22; year 1992 → 21 → 3; 11 + 22 + 3 = 36 → 9");
    QTest::newRow("birthday") << QStringLiteral("Ada Lovelace") << 1936 << 10 << 29 << QStringLiteral("birthday")
                              << QStringLiteral(u"day 29 → 11");
    QTest::newRow("expression, letters folded, hyphen left out")
        << QStringLiteral(u"Jean-Pierre Dupont") << 1992 << 11 << 22 << QStringLiteral("expression")
        << QStringLiteral(u"JEANPIERRE 1+5+1+5+7+9+5+9+9+5 = 56 → 11; DUPONT 4+3+7+6+5+2 = 27 → 9; 11 + 9 = 20 → 2");
    QTest::newRow("soul urge, one letter in a part")
        << QStringLiteral("Yolanda Lynn") << 1985 << 7 << 4 << QStringLiteral("soulUrge")
        << QStringLiteral(u"OAA 6+1+1 = 8; Y 7; 8 + 7 = 15 → 6");
    QTest::newRow("personality") << QStringLiteral("Yolanda Lynn") << 1985 << 7 << 4 << QStringLiteral("personality")
                                 << QStringLiteral(u"YLND 7+3+5+4 = 19 → 10 → 1; LNN 3+5+5 = 13 → 4; 1 + 4 = 5");
    QTest::newRow("no vowel") << QStringLiteral("Mr Ng") << 1985 << 7 << 4 << QStringLiteral("soulUrge")
                              << QStringLiteral("no vowel");
    QTest::newRow("no consonant") << QStringLiteral(u"Aï Eo") << 1985 << 7 << 4 << QStringLiteral("personality")
                                  << QStringLiteral("no consonant");
    QTest::newRow("one part, sharp s") << QStringLiteral(u"Strauß") << 1825 << 10 << 25
                                       << QStringLiteral("expression")
                                       << QStringLiteral(u"STRAUSS 1+2+9+1+3+1+1 = 18 → 9");
    QTest::newRow("one letter") << QStringLiteral(u"-X-") << 1825 << 10 << 25 << QStringLiteral("expression")
                                << QStringLiteral("X 6");
    QTest::newRow("maturity") << QStringLiteral("Leo Sun") << 2010 << 5 << 7 << QStringLiteral("maturity")
                              << QStringLiteral("6 + 5 = 11");
    QTest::newRow("Chaldean, no master numbers")
        << QStringLiteral(u"Leo  Sun") << 2010 << 5 << 7 << QStringLiteral("chaldean")
        << QStringLiteral(u"LEO SUN 3+5+7+3+6+5 = 29 → 11 → 2");
    // A name in use after "|"; the debts stay the name's.
    QTest::newRow("minor expression") << QStringLiteral("Ada Lovelace|Ada King") << 1815 << 12 << 10
                                      << QStringLiteral("minorExpression")
                                      << QStringLiteral(u"ADA 1+4+1 = 6; KING 2+9+5+7 = 23 → 5; 6 + 5 = 11");
    QTest::newRow("no name in use, blank") << QStringLiteral("Ada Lovelace| \t") << 1815 << 12 << 10
                                           << QStringLiteral("minorPersonality") << QStringLiteral("no such number");
    // Life path 1, expression 9; soul urge 10 -> 1, personality 8.
    QTest::newRow("bridge") << QStringLiteral("Ada Lovelace") << 1815 << 12 << 10
                            << QStringLiteral("bridges.soulUrgePersonality") << QStringLiteral(u"|1 - 8| = 7");
    QTest::newRow("bridge of a master number") << QStringLiteral("Jeanpierre") << 1815 << 12 << 10
                                               << QStringLiteral("bridges.lifePathExpression")
                                               << QStringLiteral(u"|1 - 11 → 2| = 1");
}

void TestChart::steps()
{
    QFETCH(QString, name);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QString, number);
    QFETCH(QString, steps);

    Chart chart;
    const std::u32string current = name.section(u'|', 1).toStdU32String();
    QCOMPARE(MakeChart(name.section(u'|', 0, 0).toStdU32String(), {year, month, day}, Last, {.currentName = current},
                       chart),
             ChartRefusal::None);
    QCOMPARE(QString::fromStdString(StepsOf(chart, number)), steps);
}

void TestChart::totals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("total");

    // One part counts: its letter sum. Several: the sum of their results.
    QTest::newRow("one part, personality") << QStringLiteral("Strauss") << QStringLiteral("personality") << 14;
    QTest::newRow("one part, expression") << QStringLiteral("Lee") << QStringLiteral("expression") << 13;
    QTest::newRow("one part, consonants before a Y vowel") << QStringLiteral("Mary") << QStringLiteral("personality") << 13;
    QTest::newRow("one part of three with vowels") << QStringLiteral("Mr Ng Ooo") << QStringLiteral("soulUrge") << 18;
    QTest::newRow("two parts") << QStringLiteral("Leo Sun") << QStringLiteral("expression") << 14;
    QTest::newRow("two parts, master kept") << QStringLiteral("Jean-Pierre Dupont") << QStringLiteral("expression") << 20;
}

void TestChart::totals()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(int, total);

    Chart chart;
    QCOMPARE(MakeChart(name.toStdU32String(), {2000, 1, 1}, Last, chart), ChartRefusal::None);
    const ChartRow *row = FindChartRow(number.toStdString());
    QVERIFY(row && NumberOf(*row, chart));
    QCOMPARE(NumberOf(*row, chart)->total, static_cast<std::uint64_t>(total));
}

void TestChart::dates_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<bool>("exists");

    QTest::newRow("29 February 2023, no leap year") << 2023 << 2 << 29 << false;
    QTest::newRow("29 February 1900, century") << 1900 << 2 << 29 << false;
    QTest::newRow("29 February 2000, fourth century") << 2000 << 2 << 29 << true;
    QTest::newRow("29 February 2024") << 2024 << 2 << 29 << true;
    QTest::newRow("28 February 2023") << 2023 << 2 << 28 << true;
    QTest::newRow("30 February 2000") << 2000 << 2 << 30 << false;
    QTest::newRow("month 13") << 2000 << 13 << 1 << false;
    QTest::newRow("month 0") << 2000 << 0 << 1 << false;
    QTest::newRow("day 0") << 2000 << 1 << 0 << false;
    QTest::newRow("day -1") << 2000 << 1 << -1 << false;
    QTest::newRow("31 April") << 2000 << 4 << 31 << false;
    QTest::newRow("30 April") << 2000 << 4 << 30 << true;
    QTest::newRow("31 November") << 2000 << 11 << 31 << false;
    QTest::newRow("31 December") << 2000 << 12 << 31 << true;
    QTest::newRow("32 January") << 2000 << 1 << 32 << false;
    QTest::newRow("year 0") << 0 << 1 << 1 << false;
    QTest::newRow("1 January of year 1") << 1 << 1 << 1 << true;
    QTest::newRow("31 December 9999") << 9999 << 12 << 31 << true;
    QTest::newRow("year 10000") << 10000 << 1 << 1 << false;
}

void TestChart::dates()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(bool, exists);

    QCOMPARE(IsValidDate({year, month, day}), exists);
    Chart chart;
    QCOMPARE(MakeChart(U"Ada ?", {2000, 1, 1}, Last, chart), ChartRefusal::None);
    QCOMPARE(MakeChart(U"Ada ?", {year, month, day}, Last, chart), exists ? ChartRefusal::None : ChartRefusal::NoSuchDate);
    if (!exists) {
        // Nothing of the chart before is left.
        QCOMPARE(chart.expression.value, 0);
        QVERIFY(chart.expression.steps.empty());
        QVERIFY(chart.name.uncounted.empty());
        QVERIFY(chart.karmicLessons.empty());
        // The date is looked at before the name.
        QCOMPARE(MakeChart(U"?", {year, month, day}, Last, chart), ChartRefusal::NoSuchDate);
    }
}

void TestChart::foldLetter_data()
{
    QTest::addColumn<uint>("codePoint");
    QTest::addColumn<QString>("letters");

    QTest::newRow("a") << uint(U'a') << QStringLiteral("A");
    QTest::newRow("Z") << uint(U'Z') << QStringLiteral("Z");
    QTest::newRow("@ before A") << uint(U'@') << QString();
    QTest::newRow("[ after Z") << uint(U'[') << QString();
    QTest::newRow("` before a") << uint(U'`') << QString();
    QTest::newRow("{ after z") << uint(U'{') << QString();
    QTest::newRow("e acute") << uint(U'é') << QStringLiteral("E");
    QTest::newRow("N tilde") << uint(U'Ñ') << QStringLiteral("N");
    QTest::newRow("a ring") << uint(U'å') << QStringLiteral("A");
    QTest::newRow("c cedilla") << uint(U'ç') << QStringLiteral("C");
    QTest::newRow("e circumflex tilde, two marks") << uint(U'ễ') << QStringLiteral("E");
    QTest::newRow("y diaeresis, last of Latin-1") << uint(U'ÿ') << QStringLiteral("Y");
    QTest::newRow("s comma below, Extended-B") << uint(U'ș') << QStringLiteral("S");
    QTest::newRow("sharp s") << uint(U'ß') << QStringLiteral("SS");
    QTest::newRow("capital sharp s") << uint(U'ẞ') << QStringLiteral("SS");
    QTest::newRow("ae") << uint(U'æ') << QStringLiteral("AE");
    QTest::newRow("AE") << uint(U'Æ') << QStringLiteral("AE");
    QTest::newRow("ae acute, decomposes to ae") << uint(U'ǽ') << QStringLiteral("AE");
    QTest::newRow("oe") << uint(U'œ') << QStringLiteral("OE");
    QTest::newRow("OE") << uint(U'Œ') << QStringLiteral("OE");
    QTest::newRow("o stroke") << uint(U'ø') << QStringLiteral("O");
    QTest::newRow("O stroke acute") << uint(U'Ǿ') << QStringLiteral("O");
    QTest::newRow("l stroke") << uint(U'ł') << QStringLiteral("L");
    QTest::newRow("L stroke") << uint(U'Ł') << QStringLiteral("L");
    QTest::newRow("d stroke") << uint(U'đ') << QStringLiteral("D");
    QTest::newRow("D stroke") << uint(U'Đ') << QStringLiteral("D");
    QTest::newRow("eth") << uint(U'ð') << QStringLiteral("D");
    QTest::newRow("ETH") << uint(U'Ð') << QStringLiteral("D");
    QTest::newRow("thorn") << uint(U'þ') << QStringLiteral("TH");
    QTest::newRow("THORN") << uint(U'Þ') << QStringLiteral("TH");
    QTest::newRow("Kelvin sign, canonically K") << uint(0x212A) << QStringLiteral("K");
    QTest::newRow("h stroke") << uint(U'ħ') << QString();
    QTest::newRow("dotless i") << uint(U'ı') << QString();
    QTest::newRow("ij ligature, compatibility only") << uint(U'ĳ') << QString();
    QTest::newRow("long s") << uint(U'ſ') << QString();
    QTest::newRow("fullwidth A") << uint(0xFF21) << QString();
    QTest::newRow("Cyrillic a") << uint(U'а') << QString();
    QTest::newRow("Greek alpha with tonos") << uint(U'ά') << QString();
    QTest::newRow("combining acute") << uint(0x0301) << QString();
    QTest::newRow("A plus 0x10000") << uint(0x10041) << QString();
    QTest::newRow("beyond Unicode") << uint(0x110041) << QString();
}

void TestChart::foldLetter()
{
    QFETCH(uint, codePoint);
    QFETCH(QString, letters);
    QCOMPARE(FoldedText(static_cast<char32_t>(codePoint)), letters);
}

void TestChart::foldingAgreesWithUnicodeNames()
{
    QFile file(UnicodeData);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        QSKIP("No /usr/share/unicode/UnicodeData.txt (Debian's unicode-data)");

    // Diacritics that Unicode writes as combining marks in a decomposition.
    static const QStringList decomposing = {
        QStringLiteral("ACUTE"), QStringLiteral("BREVE"), QStringLiteral("BREVE BELOW"), QStringLiteral("CARON"),
        QStringLiteral("CEDILLA"), QStringLiteral("CIRCUMFLEX"), QStringLiteral("CIRCUMFLEX BELOW"),
        QStringLiteral("COMMA BELOW"), QStringLiteral("DIAERESIS"), QStringLiteral("DIAERESIS BELOW"),
        QStringLiteral("DOT ABOVE"), QStringLiteral("DOT BELOW"), QStringLiteral("DOUBLE ACUTE"),
        QStringLiteral("DOUBLE GRAVE"), QStringLiteral("GRAVE"), QStringLiteral("HOOK ABOVE"), QStringLiteral("HORN"),
        QStringLiteral("INVERTED BREVE"), QStringLiteral("LINE BELOW"), QStringLiteral("MACRON"),
        QStringLiteral("OGONEK"), QStringLiteral("RING ABOVE"), QStringLiteral("RING BELOW"),
        QStringLiteral("TILDE"), QStringLiteral("TILDE BELOW"),
    };
    static const QRegularExpression accented(
        QStringLiteral("^LATIN (?:SMALL|CAPITAL) LETTER ([A-Z]) WITH (.*)$"));

    std::vector<bool> listed(0x110000, false);
    int latinFolded = 0;
    while (!file.atEnd()) {
        const QList<QByteArray> fields = file.readLine().split(';');
        QVERIFY(fields.size() > 2);
        bool ok = false;
        const char32_t c = fields[0].toUInt(&ok, 16);
        QVERIFY(ok && c < 0x110000);
        listed[c] = true;
        const QString name = QString::fromLatin1(fields[1]);
        const QByteArray category = fields[2];
        const QString folded = FoldedText(c);
        const QString where = Hex(c) + u' ' + name;

        QVERIFY2(IsCombiningMark(c) == (category == "Mn" || category == "Mc" || category == "Me"), qPrintable(where));
        if (c < 0x80) {
            const bool letter = (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z');
            QCOMPARE(folded, letter ? QString(QChar(static_cast<char16_t>(c))).toUpper() : QString());
            continue;
        }
        if (c == 0x212A || c == 0x212B) { // KELVIN SIGN, ANGSTROM SIGN: K and Å
            QCOMPARE(folded, c == 0x212A ? QStringLiteral("K") : QStringLiteral("A"));
            continue;
        }
        // Whatever folds is a Latin letter, and folds to the letter its name gives.
        if (!folded.isEmpty())
            QVERIFY2(folded == LetterOfName(name), qPrintable(where + QStringLiteral(" folds to ") + folded));
        const bool latinBlocks = (c >= 0x80 && c <= 0x24F) || (c >= 0x1E00 && c <= 0x1EFF);
        if (latinBlocks && !folded.isEmpty())
            ++latinFolded;
        // And every Latin letter there with decomposing diacritics only folds.
        const QRegularExpressionMatch match = accented.match(name);
        if (latinBlocks && match.hasMatch()) {
            const QStringList diacritics = match.captured(2).split(QStringLiteral(" AND "));
            bool decomposes = true;
            for (const QString &diacritic : diacritics)
                decomposes = decomposes && decomposing.contains(diacritic);
            if (decomposes)
                QVERIFY2(folded == match.captured(1), qPrintable(where + QStringLiteral(" folds to ") + folded));
        }
    }
    // Latin-1 alone has 62 letters that fold, Latin Extended Additional 245.
    QVERIFY2(latinFolded > 400, qPrintable(QString::number(latinFolded)));
    for (char32_t c = 0; c < 0x110000; ++c) {
        if (!listed[c] && (!FoldLetter(c).empty() || IsCombiningMark(c)))
            QFAIL(qPrintable(Hex(c) + QStringLiteral(" is not in the Unicode data")));
    }
}

void TestChart::whiteSpace()
{
    // The White_Space property, as Unicode lists it.
    const std::vector<char32_t> spaces = {0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20, 0x85, 0xA0, 0x1680, 0x2000, 0x2001,
                                          0x2002, 0x2003, 0x2004, 0x2005, 0x2006, 0x2007, 0x2008, 0x2009, 0x200A,
                                          0x2028, 0x2029, 0x202F, 0x205F, 0x3000};
    std::size_t next = 0;
    for (char32_t c = 0; c < 0x110000; ++c) {
        const bool space = next < spaces.size() && spaces[next] == c;
        if (space)
            ++next;
        if (IsWhiteSpace(c) != space)
            QFAIL(qPrintable(Hex(c)));
    }
}

void TestChart::reductionAgreesWithDigitPasses()
{
    std::vector<std::uint64_t> numbers;
    for (std::uint64_t n = 0; n <= 20000; ++n)
        numbers.push_back(n);
    for (const std::uint64_t n : {std::uint64_t{99999999999}, std::uint64_t{2999999999999999999},
                                  std::numeric_limits<std::uint64_t>::max()})
        numbers.push_back(n);
    for (const std::uint64_t n : numbers) {
        const std::vector<std::uint64_t> passes = PassesOf(n);
        const int root = static_cast<int>(passes.back());
        QCOMPARE(ReduceToDigit(n), root);
        // Reduce stops at the first master number on the way, if any.
        int reduced = root;
        for (const std::uint64_t pass : passes) {
            if (pass == 11 || pass == 22 || pass == 33) {
                reduced = static_cast<int>(pass);
                break;
            }
        }
        if (Reduce(n) != reduced)
            QFAIL(qPrintable(QString::number(n)));
    }
}

void TestChart::cycles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("on");
    QTest::addColumn<QString>("expected");

    // M 1, D 7, Y 6; life path 14/5, so the first pinnacle ends at 36 - 5.
    // Pinnacles 1 + 7, 7 + 6 = 13 -> 4, 8 + 4 = 12 -> 3, 1 + 6; challenges 6, 1,
    // 5, 5. The personal year 1 nearest 1978 is 1982 (M + D + 2 = 10): age 32.
    // Universal year 2020 -> 4; personal year 1 + 7 + 4 = 12 -> 3, month 3 + 10
    // -> 4, day 4 + 7 = 11 -> 2. Planes: W M E E 19 -> 1, L L A H N G A 28 -> 1,
    // I I R T S 30 -> 3, Y 7. Balance W 5 + H 8 + G 7 = 20 -> 2; rational
    // WILLIAM 34 -> 7 + 7 = 14 -> 5; the only lesson is 6.
    QTest::newRow("the method's example, a suffix left out")
        << QStringLiteral("William Henry Gates III") << QDate(1950, 10, 16) << QDate(2020, 10, 7)
        << QStringLiteral("age 69; years 4 3 4 2; pinnacles 8 0-31, 4 31-40, 3 40-49, 7 49-* now; "
                          "challenges 6 0-31, 1 31-40, 5 40-49, 5 49-* now; periods 1 0-32, 7 32-59, 6 59-* now; "
                          "planes 4/1 7/1 5/3 1/7; balance 2, rational 5, subconscious 8; letters W5 M4 I9; "
                          "inclusion 312140213; left out III");
    // Born 23 April: 4 + (23 -> 5) + (2020 -> 4) = 13 -> 4, then 4 + 10 = 14 -> 5
    // and 5 + 7 = 12 -> 3. Life path 4 + 5 + (1980 -> 9) = 18 -> 9: the first
    // pinnacle ends at 27, and age 40 falls in the third. 2008, the year of the
    // 28th birthday, has the personal year 1 itself. Rational ANN 11 + 5 = 16 -> 7.
    QTest::newRow("personal year, month and day; a suffix with a dot")
        << QStringLiteral("Ann Lee Jr.") << QDate(1980, 4, 23) << QDate(2020, 10, 7)
        << QStringLiteral("age 40; years 4 4 5 3; pinnacles 9 0-27, 5 27-36, 5 36-45 now, 4 45-*; "
                          "challenges 1 0-27, 4 27-36, 3 36-45 now, 5 45-*; periods 4 0-28, 5 28-55 now, 9 55-*; "
                          "planes 2/1 4/5 0/0 0/0; balance 4, rational 7, subconscious 3; letters A1 N5 A1; "
                          "inclusion 101040000; left out Jr.");
    // Born 29 February: not a year old before 1 March of 2001. Only the last
    // part is a suffix, and iv in lower case is none: MR IV, no vowel; planes
    // M 4, R I 18 -> 9, V 4. M 2, D 29 -> 2, Y 2, life path 2 + 11 + 2 = 15
    // -> 6. 2001 -> 3; 2 + 2 + 3 = 7; 7 + 2 = 9; 9 + 28 = 37 -> 1. The personal
    // year 1 nearest 2028 is 2031 (4 + 6 = 10).
    QTest::newRow("29 February, the day before the first birthday")
        << QStringLiteral("Mr Iv sr") << QDate(2000, 2, 29) << QDate(2001, 2, 28)
        << QStringLiteral("age 0; years 3 7 9 1; pinnacles 4 0-30 now, 4 30-39, 8 39-48, 4 48-*; "
                          "challenges 0 0-30 now, 0 30-39, 0 39-48, 0 48-*; periods 2 0-31 now, 11 31-58, 2 58-*; "
                          "planes 1/4 0/0 2/9 1/4; balance 4, rational 6, subconscious 2; letters M4 R9 -; "
                          "inclusion 000200002; left out sr");
    QTest::newRow("29 February, on 1 March") << QStringLiteral("Mr") << QDate(2000, 2, 29) << QDate(2001, 3, 1)
                                             << QStringLiteral("age 1; years 3 7 1 2; pinnacles 4 0-30 now...");
    // The age reaches the end of a span on the birthday: the next one is current.
    QTest::newRow("on the birthday that ends a span")
        << QStringLiteral("Ann Lee") << QDate(1980, 4, 23) << QDate(2007, 4, 23)
        << QStringLiteral("age 27; years 9 9 4 9; pinnacles 9 0-27, 5 27-36 now...");
}

void TestChart::cycles()
{
    QFETCH(QString, name);
    QFETCH(QDate, birth);
    QFETCH(QDate, on);
    QFETCH(QString, expected);

    Chart chart;
    const Date birthDate{birth.year(), birth.month(), birth.day()};
    QCOMPARE(MakeChart(name.toStdU32String(), birthDate, {on.year(), on.month(), on.day()}, chart), ChartRefusal::None);
    // "..." ends a row that gives only the start.
    const QString cycles = CyclesOf(chart);
    if (expected.endsWith(QStringLiteral("...")))
        QCOMPARE(cycles.left(expected.size() - 3), expected.chopped(3));
    else
        QCOMPARE(cycles, expected);
    QVERIFY(!chart.cyclesFromBirth);
    // A reading date before the birth reads the cycles on the birth date.
    Chart onBirth, before;
    QCOMPARE(MakeChart(name.toStdU32String(), birthDate, birthDate, onBirth), ChartRefusal::None);
    const Date dayBefore{birth.year() - 1, 12, 31};
    QCOMPARE(MakeChart(name.toStdU32String(), birthDate, dayBefore, before), ChartRefusal::None);
    QVERIFY(before.cyclesFromBirth && !onBirth.cyclesFromBirth && before.on == dayBefore);
    QCOMPARE(CyclesOf(before), CyclesOf(onBirth));
}

void TestChart::nameParts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parts"); // the letters; the part left out; the parts in other letters
    // Only the last part of two or more is a suffix, a Roman numeral in capitals only.
    QTest::newRow("ordinal") << QStringLiteral("John Smith 3rd") << QStringLiteral("JOHNSMITH; 3rd; ");
    QTest::newRow("Snr with a dot") << QStringLiteral("Jo SNR.") << QStringLiteral("JO; SNR.; ");
    QTest::newRow("one suffix only") << QStringLiteral("Jo Sr VIII") << QStringLiteral("JOSR; VIII; ");
    QTest::newRow("Ii is a name") << QStringLiteral("Naomasa Ii") << QStringLiteral("NAOMASAII; ; ");
    QTest::newRow("X, 1st, two dots") << QStringLiteral("Jo X 1st Jr..") << QStringLiteral("JOXSTJR; ; ");
    QTest::newRow("Cyrillic surname") << QStringLiteral(u"Ivan Петров") << QStringLiteral(u"IVAN; ; Петров");
}

void TestChart::nameParts()
{
    QFETCH(QString, name);
    QFETCH(QString, parts);
    Chart chart;
    QCOMPARE(MakeChart(name.toStdU32String(), {2000, 1, 1}, Last, chart), ChartRefusal::None);
    QStringList leftOut, notLatin;
    for (const std::u32string &part : chart.name.leftOut)
        leftOut << TextOf(part);
    for (const std::u32string &part : chart.name.notLatin)
        notLatin << TextOf(part);
    QCOMPARE(QString::fromStdString(chart.name.letters) + QStringLiteral("; ") + leftOut.join(u' ') +
                 QStringLiteral("; ") + notLatin.join(u' '),
             parts);
}

void TestChart::yearsAhead_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QDate>("birth");
    QTest::addColumn<QDate>("on");
    QTest::addColumn<int>("years");
    QTest::addColumn<QString>("expected");

    // THOMAS T2 H8 O6 M4 A1 S1 (22 years), CRUISE C3 R9 U3 I9 S1 E5 (30),
    // MAPOTHER M4 A1 P7 O6 T2 H8 E5 R9 (42); the suffix IV left out.
    QTest::newRow("three parts, a suffix, on the birthday")
        << QStringLiteral("Thomas Cruise Mapother IV") << QDate(1962, 7, 3) << QDate(1982, 7, 3) << 0
        << QStringLiteral(u"A 1 20-21, I 9 15-24, H 8 20-28; A 1 + I 9 + H 8 = 18 → 9");
    // Age 19 the day before; its rows are read on the birthdays: age 20 in
    // 1982, and THOMAS begins again at 22. Life path 7 + 3 + 9 = 19 -> 1:
    // pinnacle 7 + 3 -> 1 to 35, challenge 4, period 7. Universal years
    // 1982 -> 2..., personal years 7 + 3 + 2 = 12 -> 3...
    QTest::newRow("the day before the birthday, three years")
        << QStringLiteral("Thomas Cruise Mapother IV") << QDate(1962, 7, 3) << QDate(1982, 7, 2) << 3
        << QStringLiteral(u"M 4 16-20, I 9 15-24, T 2 18-20; M 4 + I 9 + T 2 = 15 → 6; "
                          u"1982 20 2 3 1 4 7 A I H 9; 1983 21 3* 4* 1 4 7 S* I H 9; 1984 22 4* 5* 1 4 7 T* I H 1*");
    // CHER C3 H8 E5 R9, 25 years a round: age 53 is 3 into the third.
    QTest::newRow("one part, all three transits") << QStringLiteral("Cher") << QDate(1946, 5, 20) << QDate(2000, 1, 1)
                                                  << 0 << QStringLiteral(u"H 8 53-61, H 8 53-61, H 8 53-61; "
                                                                         u"H 8 + H 8 + H 8 = 24 → 6");
    // ADA A1 D4 A1, 6 a round; LOVELACE mental and spiritual.
    QTest::newRow("two parts") << QStringLiteral("Ada Lovelace") << QDate(1815, 12, 10) << QDate(1830, 6, 1) << 0
                               << QStringLiteral(u"D 4 13-17, E 5 13-18, E 5 13-18; D 4 + E 5 + E 5 = 14 → 5");
    // LEAP L3 E5 A1 P7, DAY D4 A1 Y7: age 0 on 28 February 2001, age 1 from
    // 1 March, the row of 2001. Pinnacle 2 + 2, challenge 0, period 2.
    QTest::newRow("29 February, essence 11")
        << QStringLiteral("Leap Day") << QDate(2000, 2, 29) << QDate(2001, 2, 28) << 2
        << QStringLiteral(u"L 3 0-3, D 4 0-4, D 4 0-4; L 3 + D 4 + D 4 = 11; 2001 1 3 7 4 0 2 L D D 11; "
                          u"2002 2 4* 8* 4 0 2 L D D 11");
}

void TestChart::yearsAhead()
{
    QFETCH(QString, name);
    QFETCH(QDate, birth);
    QFETCH(QDate, on);
    QFETCH(int, years);
    QFETCH(QString, expected);

    Chart chart;
    const std::u32string letters = name.toStdU32String();
    QCOMPARE(MakeChart(letters, {birth.year(), birth.month(), birth.day()}, {on.year(), on.month(), on.day()},
                       {.years = years}, chart),
             ChartRefusal::None);
    QCOMPARE(YearsOf(chart), expected);
}

QTEST_APPLESS_MAIN(TestChart)
#include "tst_chart.moc"
