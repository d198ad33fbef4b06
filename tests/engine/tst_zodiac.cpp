// The zodiac range table, the birth key and the sun sign of a reading,
// checked against the table as written down and against the stepping
// reference.
#include "readingcase.h"
#include "zodiacreference.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string_view>

using namespace veltara;

namespace {

struct ExpectedRow {
    int row;
    std::uint32_t firstKey;
    std::uint32_t lastKey;
    const char16_t *sign;
    const char16_t *picture;
};

// The zodiac table as it is written down.
constexpr ExpectedRow ExpectedRows[24] = {
    {1, 1010000, 1209999, u"Capricorn", u"capricorn.jpg"},
    {2, 1210000, 1319999, u"Aquarius", u"aquarius.jpg"},
    {3, 2010000, 2199999, u"Aquarius", u"aquarius.jpg"},
    {4, 2200000, 2299999, u"Pisces", u"pisces.jpg"},
    {5, 3010000, 3209999, u"Pisces", u"pisces.jpg"},
    {6, 3210000, 3319999, u"Aries", u"aries.jpg"},
    {7, 4010000, 4199999, u"Aries", u"aries.jpg"},
    {8, 4200000, 4309999, u"Taurus", u"taurus.jpg"},
    {9, 5010000, 5199999, u"Taurus", u"taurus.jpg"},
    {10, 5200000, 5319999, u"Gemini", u"gemini.jpg"},
    {11, 6010000, 6209999, u"Gemini", u"gemini.jpg"},
    {12, 6210000, 6309999, u"Cancer", u"cancer.jpg"},
    {13, 7010000, 7229999, u"Cancer", u"cancer.jpg"},
    {14, 7230000, 7319999, u"Leo", u"leo.jpg"},
    {15, 8010000, 8219999, u"Leo", u"leo.jpg"},
    {16, 8220000, 8319999, u"Virgo", u"virgo.jpg"},
    {17, 9010000, 9229999, u"Virgo", u"virgo.jpg"},
    {18, 9230000, 9309999, u"Libra", u"libra.jpg"},
    {19, 10010000, 10229999, u"Libra", u"libra.jpg"},
    {20, 10230000, 10319999, u"Scorpio", u"scorpio.jpg"},
    {21, 11010000, 11219999, u"Scorpio", u"scorpio.jpg"},
    {22, 11220000, 11309999, u"Sagittarius", u"sagittarius.jpg"},
    {23, 12010000, 12219999, u"Sagittarius", u"sagittarius.jpg"},
    {24, 12220000, 12319999, u"Capricorn", u"capricorn.jpg"},
};

// Each month as the calendar has it: its last day and the first day of its
// second sign. The first row of month m is row 2m - 1, the second 2m.
struct Month {
    const char *name;
    int lastDay;
    int secondSignFrom;
};

constexpr Month Months[12] = {
    {"January", 31, 21}, {"February", 29, 20}, {"March", 31, 21},    {"April", 30, 20},
    {"May", 31, 20},     {"June", 30, 21},     {"July", 31, 23},     {"August", 31, 22},
    {"September", 30, 23}, {"October", 31, 23}, {"November", 30, 22}, {"December", 31, 22},
};

QString DigitText(int month, int day, int year)
{
    return QString::asprintf("%02d%02d%04d", month, day, year);
}

// Stands for a reading that did not come out whole.
constexpr ZodiacRange Unsound{-1, 0, 0, u"", u""};

// The zodiac row of the reading whose birth-date digit text is `text`,
// nullptr for none, &Unsound unless the reading has that digit text and is
// read with a row or refused as InvalidBirthday without. For a text no date
// gives, the lookup the reading makes of its key.
const ZodiacRange *ReadingZodiac(const QString &text)
{
    const std::optional<ReadingResult> reading = readingcase::OfDigits(text);
    if (!reading)
        return FindZodiacRow(BirthKey(Units(text)).value_or(0));
    const bool sound = ToQString(reading->birthDigits) == text
        && reading->outcome == (reading->zodiac ? ReadingOutcome::Read : ReadingOutcome::InvalidBirthday);
    return sound ? reading->zodiac : &Unsound;
}

// The row number of ReadingZodiac: 0 for none, -1 for Unsound.
int EngineRow(const QString &text)
{
    const ZodiacRange *range = ReadingZodiac(text);
    return range ? range->row : 0;
}

// The reading of `text` finds row `row` (0: none), with its sign and picture.
void CheckReadingRow(const QString &text, int row)
{
    const ZodiacRange *range = ReadingZodiac(text);
    QCOMPARE(range ? range->row : 0, row);
    if (range) {
        QCOMPARE(ToQString(range->sign), QString::fromUtf16(ExpectedRows[row - 1].sign));
        QCOMPARE(ToQString(range->picture), QString::fromUtf16(ExpectedRows[row - 1].picture));
    }
}

} // namespace

class TestZodiac : public QObject {
    Q_OBJECT

private slots:
    void table_data();
    void table();

    void birthKey_data();
    void birthKey();

    void boundaryDays_data();
    void boundaryDays();
    void zodiacSign_data();
    void zodiacSign();

    void agreesWithReferenceAtRowEdges();
    void agreesWithReferenceOnSample();
};

void TestZodiac::table_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < 24; ++i)
        QTest::addRow("row %d", i + 1) << i;
}

void TestZodiac::table()
{
    QFETCH(int, index);
    const ExpectedRow &expected = ExpectedRows[index];
    const ZodiacRange &range = ZodiacTable[static_cast<std::size_t>(index)];
    QCOMPARE(range.row, expected.row);
    QCOMPARE(range.firstKey, expected.firstKey);
    QCOMPARE(range.lastKey, expected.lastKey);
    QCOMPARE(ToQString(range.sign), QString::fromUtf16(expected.sign));
    QCOMPARE(ToQString(range.picture), QString::fromUtf16(expected.picture));
}

void TestZodiac::birthKey_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("convertible");
    QTest::addColumn<quint64>("key");

    const quint64 saturated = std::numeric_limits<std::uint64_t>::max();

    QTest::newRow("eight digits") << QStringLiteral("01201985") << true << quint64(1201985);
    QTest::newRow("December") << QStringLiteral("12311999") << true << quint64(12311999);
    QTest::newRow("seven digits") << QStringLiteral("0301985") << true << quint64(301985);
    QTest::newRow("two-digit year") << QStringLiteral("031585") << true << quint64(31585);
    QTest::newRow("zero") << QStringLiteral("0") << true << quint64(0);
    QTest::newRow("zeros") << QStringLiteral("00000000") << true << quint64(0);
    QTest::newRow("many leading zeros") << QStringLiteral("0000000001201985") << true << quint64(1201985);
    QTest::newRow("space before") << QStringLiteral(" 01201985") << true << quint64(1201985);
    QTest::newRow("space after") << QStringLiteral("01201985 ") << true << quint64(1201985);
    QTest::newRow("tabs around") << QStringLiteral("\t01201985\t") << true << quint64(1201985);
    QTest::newRow("mixed blanks around") << QStringLiteral(" \t 01201985 \t ") << true << quint64(1201985);
    QTest::newRow("2^24") << QStringLiteral("16777216") << true << quint64(16777216);
    QTest::newRow("2^24 + 1") << QStringLiteral("16777217") << true << quint64(16777217);
    QTest::newRow("2^32 + 1010000") << QStringLiteral("4295977296") << true << quint64(4295977296ULL);
    QTest::newRow("largest 64-bit") << QStringLiteral("18446744073709551615") << true << saturated;
    QTest::newRow("2^64 + 1010000 saturates") << QStringLiteral("18446744073710561616") << true << saturated;
    QTest::newRow("30 digits saturate") << QStringLiteral("100000000000000000000001010000") << true << saturated;

    QTest::newRow("empty") << QString() << false << quint64(0);
    QTest::newRow("spaces only") << QStringLiteral("   ") << false << quint64(0);
    QTest::newRow("tab only") << QStringLiteral("\t") << false << quint64(0);
    QTest::newRow("blank inside") << QStringLiteral("0120 1985") << false << quint64(0);
    QTest::newRow("newline before") << QStringLiteral("\n01201985") << false << quint64(0);
    QTest::newRow("newline after") << QStringLiteral("01201985\n") << false << quint64(0);
    QTest::newRow("carriage return after") << QStringLiteral("01201985\r") << false << quint64(0);
    QTest::newRow("vertical tab before") << QStringLiteral("\v01201985") << false << quint64(0);
    QTest::newRow("form feed after") << QStringLiteral("01201985\f") << false << quint64(0);
    QTest::newRow("no-break space before") << QStringLiteral(u"\u00A001201985") << false << quint64(0);
    QTest::newRow("ideographic space after") << QStringLiteral(u"01201985\u3000") << false << quint64(0);
    QTest::newRow("plus sign") << QStringLiteral("+01201985") << false << quint64(0);
    QTest::newRow("minus sign") << QStringLiteral("-01201985") << false << quint64(0);
    QTest::newRow("decimal point and zero") << QStringLiteral("1201985.0") << false << quint64(0);
    QTest::newRow("trailing decimal point") << QStringLiteral("1201985.") << false << quint64(0);
    QTest::newRow("decimal comma") << QStringLiteral("1201985,0") << false << quint64(0);
    QTest::newRow("thousands separators") << QStringLiteral("1,201,985") << false << quint64(0);
    QTest::newRow("exponent") << QStringLiteral("1.201985E6") << false << quint64(0);
    QTest::newRow("hexadecimal") << QStringLiteral("&H125741") << false << quint64(0);
    QTest::newRow("C hexadecimal") << QStringLiteral("0x125741") << false << quint64(0);
    QTest::newRow("day typed as letters") << QStringLiteral("01ab1985") << false << quint64(0);
    QTest::newRow("letters only") << QStringLiteral("abcdefgh") << false << quint64(0);
    QTest::newRow("full-width digits") << QStringLiteral(u"０１２０１９８５") << false << quint64(0);
    QTest::newRow("Arabic-Indic digits") << QStringLiteral(u"٠١٢٠١٩٨٥") << false << quint64(0);
    QTest::newRow("NUL after") << QString(QStringLiteral("01201985") + QChar(u'\0')) << false << quint64(0);
}

void TestZodiac::birthKey()
{
    QFETCH(QString, text);
    QFETCH(bool, convertible);
    QFETCH(quint64, key);

    const std::optional<std::uint64_t> result = BirthKey(Units(text));
    QCOMPARE(result.has_value(), convertible);
    if (convertible)
        QCOMPARE(quint64(*result), key);
}

void TestZodiac::boundaryDays_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row"); // 0: no sign

    for (int m = 1; m <= 12; ++m) {
        const Month &month = Months[m - 1];
        const int firstRow = 2 * m - 1;
        const int secondRow = 2 * m;
        const int split = month.secondSignFrom;
        const auto add = [&](int day, int year, int row) {
            QTest::addRow("%s %02d %04d", month.name, day, year) << DigitText(m, day, year) << row;
        };
        add(0, 0, 0);
        add(0, 9999, 0);
        add(1, 0, firstRow);
        add(1, 1985, firstRow);
        add(split - 1, 9999, firstRow);
        add(split, 0, secondRow);
        add(split, 1990, secondRow);
        add(month.lastDay, 9999, secondRow);
        add(month.lastDay + 1, 0, 0);
        add(month.lastDay + 1, 1999, 0);
    }
}

void TestZodiac::boundaryDays()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    CheckReadingRow(text, row);
}

void TestZodiac::zodiacSign_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row"); // 0: no sign

    QTest::newRow("January 20 Capricorn") << QStringLiteral("01201985") << 1;
    QTest::newRow("January 21 Aquarius") << QStringLiteral("01211985") << 2;
    QTest::newRow("February 29 in a common year") << QStringLiteral("02291999") << 4;
    QTest::newRow("February 30") << QStringLiteral("02301999") << 0;
    QTest::newRow("February 31") << QStringLiteral("02311999") << 0;
    QTest::newRow("April 31") << QStringLiteral("04311990") << 0;
    QTest::newRow("June 31") << QStringLiteral("06311990") << 0;
    QTest::newRow("September 31") << QStringLiteral("09311990") << 0;
    QTest::newRow("November 31") << QStringLiteral("11311990") << 0;
    QTest::newRow("April 30 Taurus") << QStringLiteral("04301990") << 8;
    QTest::newRow("December 21 Sagittarius") << QStringLiteral("12211990") << 23;
    QTest::newRow("December 22 Capricorn") << QStringLiteral("12221990") << 24;
    QTest::newRow("July 22 Cancer") << QStringLiteral("07221990") << 13;
    QTest::newRow("July 23 Leo") << QStringLiteral("07231990") << 14;
    QTest::newRow("August 21 Leo") << QStringLiteral("08211990") << 15;
    QTest::newRow("August 22 Virgo") << QStringLiteral("08221990") << 16;
    QTest::newRow("day 00") << QStringLiteral("03001990") << 0;
    QTest::newRow("two-digit year") << QStringLiteral("031585") << 0;
    QTest::newRow("five-digit year cut to 8") << QStringLiteral("01011985") << 1;
    QTest::newRow("empty day padded to 0") << QStringLiteral("0301985") << 0;
    QTest::newRow("day typed as letters") << QStringLiteral("03ab1985") << 0;
    QTest::newRow("month 00") << QStringLiteral("00151985") << 0;
    QTest::newRow("month 13") << QStringLiteral("13011985") << 0;

    QTest::newRow("seven-digit key of year 0000") << QStringLiteral("1010000") << 1;
    QTest::newRow("leading zeros") << QStringLiteral("0000000001201985") << 1;
    QTest::newRow("space before") << QStringLiteral(" 01201985") << 1;
    QTest::newRow("space after") << QStringLiteral("1201985 ") << 1;
    QTest::newRow("tab before, spaces after") << QStringLiteral("\t12221990  ") << 24;
    QTest::newRow("blank inside") << QStringLiteral("0120 1985") << 0;
    QTest::newRow("newline after") << QStringLiteral("01201985\n") << 0;
    QTest::newRow("no-break space before") << QStringLiteral(u"\u00A001201985") << 0;
    QTest::newRow("plus sign") << QStringLiteral("+1201985") << 0;
    QTest::newRow("minus sign") << QStringLiteral("-1201985") << 0;
    QTest::newRow("decimal point") << QStringLiteral("1201985.0") << 0;
    QTest::newRow("exponent") << QStringLiteral("1.201985E6") << 0;
    QTest::newRow("letters") << QStringLiteral("January") << 0;
    QTest::newRow("empty") << QString() << 0;
    QTest::newRow("blanks only") << QStringLiteral(" \t ") << 0;
    QTest::newRow("zero") << QStringLiteral("0") << 0;
    QTest::newRow("full-width digits") << QStringLiteral(u"０１２０１９８５") << 0;

    QTest::newRow("last key of the table") << QStringLiteral("12319999") << 24;
    QTest::newRow("just past the table") << QStringLiteral("12320000") << 0;
    QTest::newRow("largest 8 digits") << QStringLiteral("99999999") << 0;
    QTest::newRow("2^24") << QStringLiteral("16777216") << 0;
    QTest::newRow("2^24 + 1") << QStringLiteral("16777217") << 0;
    // Cut to 32 bits this key would be 1010000, January 1.
    QTest::newRow("2^32 + 1010000") << QStringLiteral("4295977296") << 0;
    // Wrapped at 64 bits this key would be 1010000, January 1.
    QTest::newRow("2^64 + 1010000") << QStringLiteral("18446744073710561616") << 0;
    QTest::newRow("30 digits") << QStringLiteral("100000000000000000000001010000") << 0;
}

void TestZodiac::zodiacSign()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    CheckReadingRow(text, row);
    QCOMPARE(zodiacreference::ReferenceZodiacRow(Units(text)), row);
}

void TestZodiac::agreesWithReferenceAtRowEdges()
{
    QStringList differences;
    for (const ExpectedRow &expected : ExpectedRows) {
        const std::uint32_t edges[] = {expected.firstKey, expected.lastKey};
        for (const std::uint32_t edge : edges) {
            for (const std::uint32_t key : {edge - 1, edge, edge + 1}) {
                const QString text = QString::number(key);
                const int reference = zodiacreference::ReferenceZodiacRow(Units(text));
                const int engine = EngineRow(text);
                if (engine != reference)
                    differences.append(QStringLiteral("%1: engine %2, reference %3").arg(text).arg(engine).arg(reference));
            }
            // The edges themselves belong to their row.
            QCOMPARE(EngineRow(QString::number(edge)), expected.row);
        }
    }
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QStringLiteral("; "))));
}

void TestZodiac::agreesWithReferenceOnSample()
{
    // A fixed seed and plain modulo keep the sample the same on every run
    // and every standard library.
    std::mt19937 random(20240521u);
    const auto below = [&random](std::uint32_t n) { return static_cast<std::uint32_t>(random() % n); };

    QStringList texts;
    // Calendar days, every year 0000 to 9999, as 8-digit texts.
    for (int i = 0; i < 2400; ++i) {
        const int m = static_cast<int>(below(12)) + 1;
        const int day = static_cast<int>(below(static_cast<std::uint32_t>(Months[m - 1].lastDay))) + 1;
        texts.append(DigitText(m, day, static_cast<int>(below(10000))));
    }
    // Keys in and just around a row, as plain decimal texts.
    for (int i = 0; i < 1000; ++i) {
        const ExpectedRow &row = ExpectedRows[below(24)];
        const std::uint32_t span = row.lastKey - row.firstKey + 1;
        const std::uint32_t offset = below(span + 6);
        texts.append(QString::number(row.firstKey - 3 + offset));
    }
    // Texts that match nothing cost the reference the whole table: a few.
    for (int i = 0; i < 24; ++i) {
        const int m = static_cast<int>(below(12)) + 1;
        const int day = i % 2 == 0 ? 0 : Months[m - 1].lastDay + 1 + static_cast<int>(below(3));
        texts.append(DigitText(m, day, static_cast<int>(below(10000))));
    }
    for (int i = 0; i < 8; ++i)
        texts.append(QString::number(below(100'000'000)));

    QStringList differences;
    int matched = 0;
    for (const QString &text : std::as_const(texts)) {
        const int reference = zodiacreference::ReferenceZodiacRow(Units(text));
        const int engine = EngineRow(text);
        if (engine != reference)
            differences.append(QStringLiteral("%1: engine %2, reference %3").arg(text).arg(engine).arg(reference));
        if (reference != 0)
            ++matched;
    }
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QStringLiteral("; "))));
    // The sample really exercises both answers.
    QVERIFY(matched >= 3300);
    QVERIFY(matched < texts.size());
}

QTEST_APPLESS_MAIN(TestZodiac)
#include "tst_zodiac.moc"
