// The name-number profile table and its lookup.
#include "numerology.h"
#include "profiles.h"
#include "textunits.h"

#include <QString>
#include <QStringList>
#include <QTest>

#include <climits>

using namespace veltara;

class TestProfiles : public QObject {
    Q_OBJECT

private slots:
    void everyRow_data();
    void everyRow();
    void lettersCarryTheNumber_data();
    void lettersCarryTheNumber();
    void numbersWithoutRow_data();
    void numbersWithoutRow();
};

void TestProfiles::everyRow_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("characterText");
    QTest::addColumn<QString>("planet");
    QTest::addColumn<QString>("planetPicture");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("primaryColor");
    QTest::addColumn<QString>("secondaryColors");

    QTest::newRow("1 Sun") << 1
        << QStringLiteral("Very much the driving force.  A leader.  Ambitious.  Tends to be impatient.  The explorer.  The extrovert.  Automatically assumes command.  Frequently a big brother or big sister to those they know.  Very strong feelings either for or against.  Would not knowingly hurt anyone but might not know his or her own strength.  Can stand being praised and is entitled to it.  Praise can spur person to greater things.")
        << QStringLiteral("Sun") << QStringLiteral("sun.jpg") << QStringLiteral("Fire")
        << QStringLiteral("A, J, S") << QStringLiteral("Red") << QStringLiteral("Brown, Yellow, Gold");
    QTest::newRow("2 Moon") << 2
        << QStringLiteral("Sensitive, domestic.  Tends to be emotional and easily influenced to tears.  Has a fertile imagination.  Very fond of the home.  Patriotic.  Accepts changes in surroundings.  Prefers to live near the water.  Often possesses musical talents and would make a very good psychic.")
        << QStringLiteral("Moon") << QStringLiteral("moon.jpg") << QStringLiteral("Water")
        << QStringLiteral("B, K, T") << QStringLiteral("Orange") << QStringLiteral("Green, Cream, White");
    QTest::newRow("3 Jupiter") << 3
        << QStringLiteral("The investigator; the scientist; the seeker.  An interest in the material rather than the spiritual.  Ideas on religion frequently change.  Has a great sense of humor.  Not greatly interested in money.  Very trusting, yet likes to know the why and the how.")
        << QStringLiteral("Jupiter") << QStringLiteral("jupiter.jpg") << QStringLiteral("Fire")
        << QStringLiteral("C, L, U") << QStringLiteral("Yellow") << QStringLiteral("Mauve, Violet, Lilac");
    QTest::newRow("4 Uranus") << 4
        << QStringLiteral("Inclined to appear strange and eccentric because she or he is usually ahead of his or her time.  Very interested in the occult; in psychic research.  Inclined to anything out of the ordinary.  Strong intuitive tendencies.  Can be bitingly sarcastic if crossed.  Believes in liberty and equality.  Can usually predict the probable outcome of actions and buisnesses.")
        << QStringLiteral("Uranus") << QStringLiteral("uranus.jpg") << QStringLiteral("Air")
        << QStringLiteral("D, M, V") << QStringLiteral("Green") << QStringLiteral("Blue, Grey");
    QTest::newRow("5 Mercury") << 5
        << QStringLiteral("Active, both physically and mentally.  Inquiring, exploring.  Fond of reading and researching.  Good at languages.  Would make a very good teacher, writer, secretary.  Makes friends easily.  Usually methodical and orderly; adept at simplifying systems.")
        << QStringLiteral("Mercury") << QStringLiteral("mercury.jpg") << QStringLiteral("Air")
        << QStringLiteral("E, N, W") << QStringLiteral("Blue") << QStringLiteral("Light shades of any color.");
    QTest::newRow("6 Venus") << 6
        << QStringLiteral("Gentle and refined; pleasant and sociable.  Usually good-looking.  Often experiences difficulties in financial fields.  Excellent as a host or hostess.  Friendly and agreeable.")
        << QStringLiteral("Venus") << QStringLiteral("venus.jpg") << QStringLiteral("Earth")
        << QStringLiteral("F, O, X") << QStringLiteral("Indigo") << QStringLiteral("All shades of Blue");
    QTest::newRow("7 Neptune, capital picture name") << 7
        << QStringLiteral("Frequently possesses ESP.  Extremely psychic.  Introvert.  Although she or he does not say much, she or he usually knows a great deal.  Mysterious.  Often interested in psychology, psychiatry, chemistry and botany.  Knowledgeable in astrology and all fields of the occult.  Fond of fishing.  Inclined to take from the haves and give to the have-nots.")
        << QStringLiteral("Neptune") << QStringLiteral("Neptune.jpg") << QStringLiteral("Water")
        << QStringLiteral("G, P, Y") << QStringLiteral("Violet") << QStringLiteral("Light shades of Green and Yellow");
    QTest::newRow("8 Saturn") << 8
        << QStringLiteral("Inclined to be cold and pessimistic.  Not much sense of humor.  Often slow getting off the mark but usually ends up ahead of the game.  Successful, especially where money is concerned.  Frequently connected with mining, real estate, and the law; also with cemeteries and pawnshops.  Believes that hard work never killed anyone.  Often prepossessed with thoughts of the past.")
        << QStringLiteral("Saturn") << QStringLiteral("saturn.jpg") << QStringLiteral("Earth")
        << QStringLiteral("H, Q, Z") << QStringLiteral("Rose") << QStringLiteral("Dark Grey, Blue, Purple, Black");
    QTest::newRow("9 Mars, capital picture name, two letters") << 9
        << QStringLiteral("Very emotional.  Can be extremely jealous.  Active, though rules be the emotions.  Tied Very much to family background.  Loyal.  Apt to be suspicious of strangers.  Impulsive.  Mars tends to be afraid of the unknown.  Often associated with surgery, physical, and mental illnesses.")
        << QStringLiteral("Mars") << QStringLiteral("Mars.jpg") << QStringLiteral("Fire")
        << QStringLiteral("I, R") << QStringLiteral("Gold") << QStringLiteral("Red, Crimson, Pink");
}

void TestProfiles::everyRow()
{
    QFETCH(int, number);
    QFETCH(QString, characterText);
    QFETCH(QString, planet);
    QFETCH(QString, planetPicture);
    QFETCH(QString, element);
    QFETCH(QString, letters);
    QFETCH(QString, primaryColor);
    QFETCH(QString, secondaryColors);

    const NameProfile *profile = LookupNameProfile(number);
    QVERIFY(profile);
    QCOMPARE(profile->number, number);
    QCOMPARE(ToQString(profile->characterText), characterText);
    QCOMPARE(ToQString(profile->planet), planet);
    QCOMPARE(ToQString(profile->planetPicture), planetPicture);
    QCOMPARE(ToQString(profile->element), element);
    QCOMPARE(ToQString(profile->letters), letters);
    QCOMPARE(ToQString(profile->primaryColor), primaryColor);
    QCOMPARE(ToQString(profile->secondaryColors), secondaryColors);
}

void TestProfiles::lettersCarryTheNumber_data()
{
    QTest::addColumn<int>("number");
    for (int number = 1; number <= 9; ++number)
        QTest::addRow("%d", number) << number;
}

void TestProfiles::lettersCarryTheNumber()
{
    // The letters shown are exactly the upper-case letters whose value in
    // the letter table is the name number, in alphabetical order.
    QFETCH(int, number);
    const NameProfile *profile = LookupNameProfile(number);
    QVERIFY(profile);

    QStringList expected;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        if (LetterValue(letter) == number)
            expected.append(QString(QChar(letter)));
    }
    QCOMPARE(ToQString(profile->letters), expected.join(QStringLiteral(", ")));
}

void TestProfiles::numbersWithoutRow_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("0") << 0;
    QTest::newRow("10") << 10;
    QTest::newRow("11") << 11;
    QTest::newRow("-1") << -1;
    QTest::newRow("-9") << -9;
    QTest::newRow("smallest int") << INT_MIN;
    QTest::newRow("largest int") << INT_MAX;
}

void TestProfiles::numbersWithoutRow()
{
    QFETCH(int, number);
    QCOMPARE(LookupNameProfile(number), nullptr);
}

QTEST_APPLESS_MAIN(TestProfiles)
#include "tst_profiles.moc"
