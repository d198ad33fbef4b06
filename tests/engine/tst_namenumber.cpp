// The letter table and the name number of a reading.
#include "readingcase.h"
#include "text.h"

#include <QByteArray>
#include <QString>
#include <QTest>

#include <optional>
#include <string>
#include <string_view>

using namespace veltara;

namespace {

// The letter table as it is written down: the letters of each value.
constexpr std::u16string_view LettersOfValue[10] = {
    u"",
    u"AJSajs",
    u"BKTbkt",
    u"CLUclu",
    u"DMVdmv",
    u"ENWenw",
    u"FOXfox",
    u"GPYgpy",
    u"HQZhqz",
    u"IRir",
};

int TableValue(char16_t unit)
{
    for (int value = 1; value <= 9; ++value) {
        if (LettersOfValue[value].find(unit) != std::u16string_view::npos)
            return value;
    }
    return 0;
}

// The name number of a name given in UTF-8, as the command line reads it:
// converted to the units the window holds; -1 when it is ill-formed.
int Utf8NameNumber(const QByteArray &utf8)
{
    const std::optional<std::u16string> name = Utf8ToUtf16({utf8.constData(), static_cast<std::size_t>(utf8.size())});
    return name ? readingcase::OfName(*name).nameNumber : -1;
}

// A name of plain letters whose letter sum is `sum`: nines ("I" and "r"
// alternating, a space after every fifth) and one letter for the remainder.
QString NameWithLetterSum(int sum)
{
    QString name;
    for (int i = 0; i < sum / 9; ++i) {
        name += i % 2 == 0 ? u'I' : u'r';
        if (i % 5 == 4)
            name += u' ';
    }
    if (sum % 9 != 0)
        name += QChar(u'a' + sum % 9 - 1);
    return name;
}

QString Repeated(QStringView piece, qsizetype times)
{
    QString text;
    text.reserve(piece.size() * times);
    for (qsizetype i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

class TestNameNumber : public QObject {
    Q_OBJECT

private slots:
    void letterValueOfEveryAsciiUnit_data();
    void letterValueOfEveryAsciiUnit();
    void unitsBeyondAsciiCountNothing();
    void latin1UnitsAroundALetterCountNothing();

    void nameNumber_data();
    void nameNumber();
    void reducesLetterSumToOneDigit_data();
    void reducesLetterSumToOneDigit();
    void utf8AndUtf16GiveTheSameNumber_data();
    void utf8AndUtf16GiveTheSameNumber();
    void millionCharacterName_data();
    void millionCharacterName();
};

void TestNameNumber::letterValueOfEveryAsciiUnit_data()
{
    QTest::addColumn<int>("unit");
    QTest::addColumn<int>("value");
    for (int unit = 0; unit < 128; ++unit) {
        const QByteArray name = QByteArray("U+") + QByteArray::number(unit, 16).rightJustified(4, '0')
            + (unit > 32 && unit < 127 ? QByteArray(" '") + char(unit) + '\'' : QByteArray());
        QTest::newRow(name.constData()) << unit << TableValue(static_cast<char16_t>(unit));
    }
}

void TestNameNumber::letterValueOfEveryAsciiUnit()
{
    QFETCH(int, unit);
    QFETCH(int, value);
    QCOMPARE(LetterValue(static_cast<char32_t>(unit)), value);
    // A one-unit name: its letter sum is the value, a single digit already.
    const char16_t utf16[1] = {static_cast<char16_t>(unit)};
    QCOMPARE(readingcase::OfName(std::u16string_view(utf16, 1)).nameNumber, value);
    QCOMPARE(Utf8NameNumber(QByteArray(1, static_cast<char>(unit))), value);
}

void TestNameNumber::unitsBeyondAsciiCountNothing()
{
    // Many of these units share their low byte with a plain letter
    // (U+0141 with "A", U+4E5A with "Z"): a cut to 8 bits would count them.
    for (char32_t unit = 128; unit <= 0xFFFF; ++unit) {
        QVERIFY2(LetterValue(unit) == 0, qPrintable(QString::number(unit, 16)));
        const char16_t text[1] = {static_cast<char16_t>(unit)};
        QVERIFY2(readingcase::OfName(std::u16string_view(text, 1)).nameNumber == 0, qPrintable(QString::number(unit, 16)));
    }
    for (const char32_t codePoint : {U'\U0001F600', U'\U00010041', U'\U0010FFFF'})
        QCOMPARE(LetterValue(codePoint), 0);
}

void TestNameNumber::latin1UnitsAroundALetterCountNothing()
{
    // U+0080 to U+00FF, the bytes 128 to 255 read one unit a byte, count
    // nothing, next to a letter too.
    for (char16_t unit = 128; unit < 256; ++unit) {
        const char16_t text[3] = {unit, u'A', unit};
        QVERIFY2(readingcase::OfName(std::u16string_view(text, 3)).nameNumber == 1, qPrintable(QString::number(unit, 16)));
    }
}

void TestNameNumber::nameNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");

    // J1 o6 h8 n5 S1 m4 i9 t2 h8 = 44 -> 8
    QTest::newRow("John Smith") << QStringLiteral("John Smith") << 8;
    QTest::newRow("Ann") << QStringLiteral("Ann") << 2;
    QTest::newRow("ANN") << QStringLiteral("ANN") << 2;
    QTest::newRow("ann") << QStringLiteral("ann") << 2;
    QTest::newRow("aNn") << QStringLiteral("aNn") << 2;
    // A to I and J to R 45 each, S to Z 36: 126 -> 9
    QTest::newRow("alphabet upper") << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ") << 9;
    QTest::newRow("alphabet lower") << QStringLiteral("abcdefghijklmnopqrstuvwxyz") << 9;
    QTest::newRow("alphabet mixed case") << QStringLiteral("aBcDeFgHiJkLmNoPqRsTuVwXyZ") << 9;
    QTest::newRow("alphabet with blanks") << QStringLiteral("  aBc DeF gHi JkL mNo PqR sTu VwX yZ  ") << 9;
    // 49 -> 13 -> 4: hyphen, apostrophe and space add nothing
    QTest::newRow("Jean-Luc O'Neil") << QStringLiteral("Jean-Luc O'Neil") << 4;
    QTest::newRow("letters next to digits") << QStringLiteral("J0hn5m1th") << 1; // J1 h8 n5 m4 t2 h8 = 28 -> 10 -> 1
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("one space") << QStringLiteral(" ") << 0;
    QTest::newRow("spaces only") << QStringLiteral("          ") << 0;
    QTest::newRow("tabs and newlines") << QStringLiteral("\t\n\r\t") << 0;
    QTest::newRow("digits only") << QStringLiteral("1234") << 0;
    QTest::newRow("punctuation only") << QStringLiteral("-'.,;:!?()[]{}@#$%^&*_+=~`|\\/<>\"") << 0;
    QTest::newRow("accented letters only") << QStringLiteral(u"ÀÉÎÕÜàéîõüçÇñÑ") << 0;
    QTest::newRow("ligatures only") << QStringLiteral(u"ĳœŒß") << 0;
}

void TestNameNumber::nameNumber()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    const ReadingResult reading = readingcase::OfName(Units(name));
    // No name, no numbers: the window asks for one.
    QCOMPARE(reading.outcome, name.isEmpty() ? ReadingOutcome::MissingName : ReadingOutcome::Read);
    if (name.isEmpty())
        return;
    QCOMPARE(reading.nameNumber, number);
    QCOMPARE(Utf8NameNumber(name.toUtf8()), number);
}

void TestNameNumber::reducesLetterSumToOneDigit_data()
{
    QTest::addColumn<int>("letterSum");
    QTest::addColumn<int>("number");

    QTest::newRow("1") << 1 << 1;
    QTest::newRow("8") << 8 << 8;
    QTest::newRow("9 is final") << 9 << 9;
    QTest::newRow("10 -> 1") << 10 << 1;
    QTest::newRow("11 -> 2, no master number") << 11 << 2;
    QTest::newRow("18 -> 9") << 18 << 9;
    QTest::newRow("19 -> 10 -> 1") << 19 << 1;
    QTest::newRow("22 -> 4, no master number") << 22 << 4;
    QTest::newRow("99 -> 18 -> 9") << 99 << 9;
    QTest::newRow("100 -> 1") << 100 << 1;
    QTest::newRow("199 -> 19 -> 10 -> 1") << 199 << 1;
    QTest::newRow("289 -> 19 -> 10 -> 1") << 289 << 1;
    QTest::newRow("379 -> 19 -> 10 -> 1") << 379 << 1;
    QTest::newRow("2999 -> 29 -> 11 -> 2") << 2999 << 2;
    QTest::newRow("1999 -> 28 -> 10 -> 1") << 1999 << 1;
    QTest::newRow("9999 -> 36 -> 9") << 9999 << 9;
    QTest::newRow("19999 -> 37 -> 10 -> 1") << 19999 << 1;
}

void TestNameNumber::reducesLetterSumToOneDigit()
{
    QFETCH(int, letterSum);
    QFETCH(int, number);
    const QString name = NameWithLetterSum(letterSum);
    QCOMPARE(readingcase::OfName(Units(name)).nameNumber, number);
    // Characters outside the table between the letters change nothing.
    const QString spaced = QStringLiteral(u"-é ") + name + QStringLiteral(u" 9.'ß");
    QCOMPARE(readingcase::OfName(Units(spaced)).nameNumber, number);
}

void TestNameNumber::utf8AndUtf16GiveTheSameNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");

    // J1 o6 s1 M4 l3 l3 e5 r9 = 32 -> 5
    QTest::newRow("Latin accents") << QStringLiteral(u"José Müller") << 5;
    // Ł shares its low byte with "A", ó and Ź are no letters either: d4
    QTest::newRow("Polish, low byte of a letter") << QStringLiteral(u"ŁódŹ") << 4;
    QTest::newRow("Polish name") << QStringLiteral(u"Łukasz") << 6;
    QTest::newRow("Icelandic") << QStringLiteral(u"Þórr Óðinsson") << 9;
    QTest::newRow("precomposed ring") << QStringLiteral(u"Ångström") << 1;
    // No normalisation: the plain A before a combining ring counts.
    QTest::newRow("combining ring") << QStringLiteral(u"A\u030Angstro\u0308m") << 8;
    QTest::newRow("Greek and Latin") << QStringLiteral(u"Ζεύς Zeus") << 8;
    QTest::newRow("Cyrillic and Latin") << QStringLiteral(u"Владимир Nabokov") << 8;
    QTest::newRow("Arabic and Latin") << QStringLiteral(u"مريم Maryam") << 8;
    QTest::newRow("CJK and Latin") << QStringLiteral(u"李小龍 Bruce Lee") << 8;
    QTest::newRow("full-width A") << QStringLiteral(u"Ａnn") << 1;
    QTest::newRow("circled A") << QStringLiteral(u"Ⓐnn") << 1;
    QTest::newRow("emoji after name") << QStringLiteral(u"Ann 😀") << 2;
    QTest::newRow("emoji only") << QStringLiteral(u"😀👍🏽🎉") << 0;
}

void TestNameNumber::utf8AndUtf16GiveTheSameNumber()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    const QByteArray utf8 = name.toUtf8();
    QVERIFY(utf8.size() > name.size()); // the text really has multi-byte characters
    QCOMPARE(readingcase::OfName(Units(name)).nameNumber, number);
    QCOMPARE(Utf8NameNumber(utf8), number);
}

void TestNameNumber::millionCharacterName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");

    // 9,000,000 -> 9; a 16-bit sum would wrap to 21,568 -> 4
    QTest::newRow("1,000,000 x I") << QString(1'000'000, u'I') << 9;
    // 250,000 x 11 = 2,750,000 -> 14 -> 5; wrapped at 16 bits it would give 6
    QTest::newRow("250,000 x 'Ann '") << Repeated(u"Ann ", 250'000) << 5;
    // 100,000 x 44 = 4,400,000 -> 8
    QTest::newRow("100,000 x 'John Smith'") << Repeated(u"John Smith", 100'000) << 8;
}

void TestNameNumber::millionCharacterName()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QCOMPARE(name.size(), 1'000'000);
    QCOMPARE(readingcase::OfName(Units(name)).nameNumber, number);
    QCOMPARE(Utf8NameNumber(name.toUtf8()), number);
}

QTEST_APPLESS_MAIN(TestNameNumber)
#include "tst_namenumber.moc"
