// The Calculate command as the user runs it: the reading it shows, the
// progress bar, the failed checks, rejected dates and missing pictures.
#include "mainwindowfixture.h"
#include "messagespy.h"
#include "testplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QImageWriter>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using namespace mainwindowtest;

namespace {

const QString CharacterOfTwo = QStringLiteral(
    "Sensitive, domestic.  Tends to be emotional and easily influenced to tears.  Has a fertile imagination.  Very fond "
    "of the home.  Patriotic.  Accepts changes in surroundings.  Prefers to live near the water.  Often possesses musical "
    "talents and would make a very good psychic.");

const ShownMessage InvalidBirthdate{QStringLiteral("You Have Entered An Invalid Birthdate.  Please Retry."), 64,
                                    QStringLiteral("Veltara Numerology Software")};
const ShownMessage MissingName{QStringLiteral("You Must Enter Your Full Name."), 0, QStringLiteral("Missing Information")};
const ShownMessage InvalidBirthday{QStringLiteral("You Have Entered An Invalid Birthdate.  Please Retry."), 16,
                                   QStringLiteral("Invalid Birthday")};

QList<int> Counting(int first, int last)
{
    QList<int> values;
    for (int v = first; v <= last; ++v)
        values.append(v);
    return values;
}

QList<int> Values(const QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &signal : spy)
        values.append(signal.at(0).toInt());
    return values;
}

// The window as the user sees it while a message is open.
struct WindowAtMessage {
    bool compact = false;
    QStringList filled;
    bool editable = false;
    bool frozen = false;
    QString name;
};

} // namespace

class TestCalculate : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void typicalReading_data();
    void typicalReading();
    void progressSteps_data();
    void progressSteps();
    void failedCheck_data();
    void failedCheck();
    void rejectedDate_data();
    void rejectedDate();
    void birthDateAsTyped_data();
    void birthDateAsTyped();
    void readingOfEachNameNumber_data();
    void readingOfEachNameNumber();
    void missingPlanetPicture_data();
    void missingPlanetPicture();
    void missingZodiacPicture_data();
    void missingZodiacPicture();
    void picturesInAnotherFormat_data();
    void picturesInAnotherFormat();
    void hundredThousandCharacterName();
    void calculateTwiceThenClear();

private:
    void start(const QString &applicationFolder);
    // An earlier reading, cleared again, so that the progress bar does not
    // start at 0 (a value set again to what it holds signals nothing).
    void readAndClear();
    void calculate() { QTest::mouseClick(ui->calculateButton, Qt::LeftButton); }
    WindowAtMessage look() const;

    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<veltara::MainWindow> window;
    std::unique_ptr<MainWindowUi> ui;
};

void TestCalculate::init()
{
    spy = std::make_unique<MessageSpy>();
}

void TestCalculate::cleanup()
{
    ui.reset();
    window.reset();
    veltara::SetApplicationFolder(QString());
    spy.reset();
}

void TestCalculate::start(const QString &applicationFolder)
{
    veltara::SetApplicationFolder(applicationFolder);
    QVERIFY(ShowMainWindow(window, ui));
}

void TestCalculate::readAndClear()
{
    TypeInputs(*ui, QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
    calculate();
    QCOMPARE(ui->progressBar->value(), 34);
    QTest::mouseClick(ui->clearButton, Qt::LeftButton);
    QCOMPARE(ui->filledFields(), QStringList());
}

WindowAtMessage TestCalculate::look() const
{
    return {window->size() == ui->compactSize(), ui->filledFields(), ui->inputsEditable(), ui->inputsFrozen(),
            ui->nameEdit->text()};
}

void TestCalculate::typicalReading_data()
{
    QTest::addColumn<bool>("fromMenu");

    QTest::newRow("Calculate button") << false;
    QTest::newRow("File menu &Calculate") << true;
}

void TestCalculate::typicalReading()
{
    QFETCH(bool, fromMenu);
    start(BuildApplicationFolder());

    Type(ui->nameEdit, QStringLiteral("Ann"));
    QVERIFY(Pick(ui->dayList, QStringLiteral("05")));
    QVERIFY(Pick(ui->monthList, QStringLiteral("January")));
    QVERIFY(Pick(ui->yearList, QStringLiteral("1980")));
    if (fromMenu)
        ui->calculateAction->trigger();
    else
        calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(ui->birthDigitsBox->text(), QStringLiteral("01051980"));
    QCOMPARE(ui->nameNumberBox->text(), QStringLiteral("2"));
    QCOMPARE(ui->birthNumberBox->text(), QStringLiteral("6"));
    QCOMPARE(ui->characterText->text(), CharacterOfTwo);
    QCOMPARE(ui->zodiac->text(), QStringLiteral("Capricorn"));
    QVERIFY(ShowsPicture(ui->zodiacPicture, QStringLiteral("capricorn.jpg")));
    QCOMPARE(ui->planet->text(), QStringLiteral("Moon"));
    QVERIFY(ShowsPicture(ui->planetPicture, QStringLiteral("moon.jpg")));
    QCOMPARE(ui->elementBox->text(), QStringLiteral("Water"));
    QCOMPARE(ui->letters->text(), QStringLiteral("B, K, T"));
    QCOMPARE(ui->primaryColoursBox->text(), QStringLiteral("Orange"));
    QCOMPARE(ui->secondaryColoursBox->text(), QStringLiteral("Green, Cream, White"));

    // The inputs stay in sight, frozen.
    QCOMPARE(ui->nameEdit->text(), QStringLiteral("Ann"));
    QCOMPARE(ui->dayList->currentText(), QStringLiteral("05"));
    QCOMPARE(ui->monthList->currentText(), QStringLiteral("January"));
    QCOMPARE(ui->yearList->currentText(), QStringLiteral("1980"));
    QVERIFY(ui->inputsFrozen());
    QVERIFY(ui->progressBar->isHidden());

    const QSize compact = ui->compactSize();
    const QSize expanded = ui->expandedSize();
    QVERIFY(expanded.width() > compact.width() && expanded.height() > compact.height());
    QCOMPARE(window->size(), expanded);
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(ui->notInside(ui->inputArea() + ui->resultArea()), QStringList());
}

void TestCalculate::progressSteps_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QList<int>>("values");

    QTest::newRow("row 1 with a profile") << QStringLiteral("Ann") << QStringLiteral("05") << QStringLiteral("January")
                                          << QStringLiteral("1980") << QList<int>{0, 1, 24, 25, 33, 34};
    QTest::newRow("row 4 with a profile") << QStringLiteral("Ann") << QStringLiteral("25") << QStringLiteral("February")
                                          << QStringLiteral("1999") << Counting(0, 4) + QList<int>{24, 25, 33, 34};
    // Row 24 leaves 24, which the planet step sets again without a signal.
    QTest::newRow("row 24 with a profile") << QStringLiteral("Ann") << QStringLiteral("25") << QStringLiteral("December")
                                           << QStringLiteral("1980") << Counting(0, 24) + QList<int>{25, 33, 34};
    QTest::newRow("name of spaces, no profile") << QStringLiteral("   ") << QStringLiteral("05") << QStringLiteral("January")
                                                << QStringLiteral("1980") << QList<int>{0, 1, 24, 33};
    QTest::newRow("rejected date") << QStringLiteral("Ann") << QStringLiteral("30") << QStringLiteral("February")
                                   << QStringLiteral("1999") << Counting(0, 24) + QList<int>{33};
}

void TestCalculate::progressSteps()
{
    QFETCH(QString, name);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QList<int>, values);
    start(BuildApplicationFolder());
    readAndClear();
    QSignalSpy progress(ui->progressBar, &QProgressBar::valueChanged);

    TypeInputs(*ui, name, day, month, year);
    calculate();

    QCOMPARE(Values(progress), values);
    QCOMPARE(ui->progressBar->value(), values.last());
    QVERIFY(ui->progressBar->isHidden());
}

void TestCalculate::failedCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<ShownMessage>("message");

    const QString none;
    QTest::newRow("everything empty") << none << none << none << none << InvalidBirthdate;
    QTest::newRow("month empty") << QStringLiteral("Ann") << QStringLiteral("05") << none << QStringLiteral("1980")
                                 << InvalidBirthdate;
    QTest::newRow("year empty") << QStringLiteral("Ann") << QStringLiteral("05") << QStringLiteral("January") << none
                                << InvalidBirthdate;
    QTest::newRow("name empty, date empty") << none << QStringLiteral("05") << none << none << InvalidBirthdate;
    QTest::newRow("name empty, date complete") << none << QStringLiteral("05") << QStringLiteral("January")
                                               << QStringLiteral("1980") << MissingName;
    QTest::newRow("name empty, day empty") << none << none << QStringLiteral("January") << QStringLiteral("1980")
                                           << MissingName;
}

void TestCalculate::failedCheck()
{
    QFETCH(QString, name);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(ShownMessage, message);
    start(BuildApplicationFolder());
    QSignalSpy progress(ui->progressBar, &QProgressBar::valueChanged);
    WindowAtMessage atMessage;
    spy->onShow = [this, &atMessage] { atMessage = look(); };

    TypeInputs(*ui, name, day, month, year);
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>{message});
    // The message comes first, over the frozen inputs; Clear follows it.
    QVERIFY(atMessage.frozen);
    QCOMPARE(atMessage.name, name);
    QVERIFY(atMessage.compact);

    QCOMPARE(window->size(), ui->compactSize());
    QCOMPARE(ui->filledFields(), QStringList());
    QVERIFY(ui->inputsEditable());
    // No engine step ran, and Calculate ended before hiding the progress bar.
    QCOMPARE(Values(progress), QList<int>());
    QVERIFY(!ui->progressBar->isHidden());
}

void TestCalculate::rejectedDate_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");

    QTest::newRow("30 February") << QStringLiteral("30") << QStringLiteral("February") << QStringLiteral("1999");
    QTest::newRow("31 April") << QStringLiteral("31") << QStringLiteral("April") << QStringLiteral("1990");
    QTest::newRow("31 November") << QStringLiteral("31") << QStringLiteral("November") << QStringLiteral("1990");
    QTest::newRow("day left empty") << QString() << QStringLiteral("March") << QStringLiteral("1985");
    QTest::newRow("day 00") << QStringLiteral("00") << QStringLiteral("March") << QStringLiteral("1990");
    QTest::newRow("two-digit year") << QStringLiteral("15") << QStringLiteral("March") << QStringLiteral("85");
    QTest::newRow("letters in the day") << QStringLiteral("ab") << QStringLiteral("March") << QStringLiteral("1990");
    QTest::newRow("letters in the year") << QStringLiteral("15") << QStringLiteral("March") << QStringLiteral("19x5");
    QTest::newRow("month in lower case") << QStringLiteral("05") << QStringLiteral("january") << QStringLiteral("1980");
}

void TestCalculate::rejectedDate()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    start(BuildApplicationFolder());
    WindowAtMessage atMessage;
    spy->onShow = [this, &atMessage] { atMessage = look(); };

    TypeInputs(*ui, QStringLiteral("Ann"), day, month, year);
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>{InvalidBirthday});
    // Behind the message the window is already cleared.
    QVERIFY(atMessage.compact);
    QCOMPARE(atMessage.filled, QStringList());
    QVERIFY(atMessage.editable);

    // Calculate went on: the window grows, with nothing to show.
    QCOMPARE(window->size(), ui->expandedSize());
    QCOMPARE(ui->filledFields(), QStringList());
    QVERIFY(ui->inputsEditable());
    QVERIFY(ui->progressBar->isHidden());
}

void TestCalculate::birthDateAsTyped_data()
{
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("dayShown");
    QTest::addColumn<QString>("birthDigits");
    QTest::addColumn<QString>("birthNumber");
    QTest::addColumn<QString>("sign");
    QTest::addColumn<QString>("signPicture");

    QTest::newRow("day 7 shows as 07") << QStringLiteral("7") << QStringLiteral("January") << QStringLiteral("1980")
                                       << QStringLiteral("07") << QStringLiteral("01071980") << QStringLiteral("8")
                                       << QStringLiteral("Capricorn") << QStringLiteral("capricorn.jpg");
    QTest::newRow("five-digit year cut to eight digits")
        << QStringLiteral("01") << QStringLiteral("January") << QStringLiteral("19850") << QStringLiteral("01")
        << QStringLiteral("01011985") << QStringLiteral("7") << QStringLiteral("Capricorn")
        << QStringLiteral("capricorn.jpg");
    QTest::newRow("21 January, first day of Aquarius")
        << QStringLiteral("21") << QStringLiteral("January") << QStringLiteral("1985") << QStringLiteral("21")
        << QStringLiteral("01211985") << QStringLiteral("9") << QStringLiteral("Aquarius")
        << QStringLiteral("aquarius.jpg");
    QTest::newRow("29 February in a common year") << QStringLiteral("29") << QStringLiteral("February")
                                                  << QStringLiteral("1999") << QStringLiteral("29")
                                                  << QStringLiteral("02291999") << QStringLiteral("5")
                                                  << QStringLiteral("Pisces") << QStringLiteral("pisces.jpg");
    QTest::newRow("22 December, last row") << QStringLiteral("22") << QStringLiteral("December") << QStringLiteral("1990")
                                           << QStringLiteral("22") << QStringLiteral("12221990") << QStringLiteral("8")
                                           << QStringLiteral("Capricorn") << QStringLiteral("capricorn.jpg");
}

void TestCalculate::birthDateAsTyped()
{
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, dayShown);
    QFETCH(QString, birthDigits);
    QFETCH(QString, birthNumber);
    QFETCH(QString, sign);
    QFETCH(QString, signPicture);
    start(BuildApplicationFolder());

    TypeInputs(*ui, QStringLiteral("Ann"), day, month, year);
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(ui->dayList->currentText(), dayShown);
    QCOMPARE(ui->monthList->currentText(), month);
    QCOMPARE(ui->yearList->currentText(), year);
    QCOMPARE(ui->birthDigitsBox->text(), birthDigits);
    QCOMPARE(ui->birthNumberBox->text(), birthNumber);
    QCOMPARE(ui->zodiac->text(), sign);
    QVERIFY(ShowsPicture(ui->zodiacPicture, signPicture));
    QCOMPARE(ui->nameNumberBox->text(), QStringLiteral("2"));
    QCOMPARE(window->size(), ui->expandedSize());
}

void TestCalculate::readingOfEachNameNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("characterStart");
    QTest::addColumn<QString>("planet");
    QTest::addColumn<QString>("planetPicture");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("primary");
    QTest::addColumn<QString>("secondary");

    // Letter sum 22 * 9 + 1 = 199: 19, then 10, then 1.
    QTest::newRow("letter sum 199 reduces to 1")
        << QString(22, QLatin1Char('I')) + QLatin1Char('A') << QStringLiteral("1")
        << QStringLiteral("Very much the driving force.") << QStringLiteral("Sun") << QStringLiteral("sun.jpg")
        << QStringLiteral("Fire") << QStringLiteral("A, J, S") << QStringLiteral("Red")
        << QStringLiteral("Brown, Yellow, Gold");
    QTest::newRow("Abby is 3") << QStringLiteral("Abby") << QStringLiteral("3")
                               << QStringLiteral("The investigator; the scientist; the seeker.") << QStringLiteral("Jupiter")
                               << QStringLiteral("jupiter.jpg") << QStringLiteral("Fire") << QStringLiteral("C, L, U")
                               << QStringLiteral("Yellow") << QStringLiteral("Mauve, Violet, Lilac");
    QTest::newRow("Al is 4") << QStringLiteral("Al") << QStringLiteral("4")
                             << QStringLiteral("Inclined to appear strange and eccentric") << QStringLiteral("Uranus")
                             << QStringLiteral("uranus.jpg") << QStringLiteral("Air") << QStringLiteral("D, M, V")
                             << QStringLiteral("Green") << QStringLiteral("Blue, Grey");
    QTest::newRow("accented Zo\u00eb is 5") << QStringLiteral("Zo\u00eb") << QStringLiteral("5")
                                            << QStringLiteral("Active, both physically and mentally.")
                                            << QStringLiteral("Mercury") << QStringLiteral("mercury.jpg")
                                            << QStringLiteral("Air") << QStringLiteral("E, N, W") << QStringLiteral("Blue")
                                            << QStringLiteral("Light shades of any color.");
    QTest::newRow("punctuated O'Brien-Smith is 6")
        << QStringLiteral("O'Brien-Smith") << QStringLiteral("6") << QStringLiteral("Gentle and refined; pleasant and sociable.")
        << QStringLiteral("Venus") << QStringLiteral("venus.jpg") << QStringLiteral("Earth") << QStringLiteral("F, O, X")
        << QStringLiteral("Indigo") << QStringLiteral("All shades of Blue");
    QTest::newRow("Jo is 7, Neptune.jpg") << QStringLiteral("Jo") << QStringLiteral("7")
                                          << QStringLiteral("Frequently possesses ESP.") << QStringLiteral("Neptune")
                                          << QStringLiteral("Neptune.jpg") << QStringLiteral("Water")
                                          << QStringLiteral("G, P, Y") << QStringLiteral("Violet")
                                          << QStringLiteral("Light shades of Green and Yellow");
    QTest::newRow("accented Jos\u00e9 is 8") << QStringLiteral("Jos\u00e9") << QStringLiteral("8")
                                             << QStringLiteral("Inclined to be cold and pessimistic.")
                                             << QStringLiteral("Saturn") << QStringLiteral("saturn.jpg")
                                             << QStringLiteral("Earth") << QStringLiteral("H, Q, Z")
                                             << QStringLiteral("Rose") << QStringLiteral("Dark Grey, Blue, Purple, Black");
    QTest::newRow("Ed is 9, Mars.jpg, two letters")
        << QStringLiteral("Ed") << QStringLiteral("9") << QStringLiteral("Very emotional.") << QStringLiteral("Mars")
        << QStringLiteral("Mars.jpg") << QStringLiteral("Fire") << QStringLiteral("I, R") << QStringLiteral("Gold")
        << QStringLiteral("Red, Crimson, Pink");
    const QString none;
    QTest::newRow("name of spaces is 0, no profile") << QStringLiteral("   ") << QStringLiteral("0") << none << none << none
                                                     << none << none << none << none;
}

void TestCalculate::readingOfEachNameNumber()
{
    QFETCH(QString, name);
    QFETCH(QString, number);
    QFETCH(QString, characterStart);
    QFETCH(QString, planet);
    QFETCH(QString, planetPicture);
    QFETCH(QString, element);
    QFETCH(QString, letters);
    QFETCH(QString, primary);
    QFETCH(QString, secondary);
    start(BuildApplicationFolder());

    TypeInputs(*ui, name, QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(ui->nameEdit->text(), name);
    QCOMPARE(ui->nameNumberBox->text(), number);
    if (characterStart.isEmpty())
        QCOMPARE(ui->characterText->text(), QString());
    else
        QVERIFY2(ui->characterText->text().startsWith(characterStart), qPrintable(ui->characterText->text()));
    QCOMPARE(ui->planet->text(), planet);
    if (planetPicture.isEmpty())
        QVERIFY(ui->planetPicture->pixmap().isNull());
    else
        QVERIFY(ShowsPicture(ui->planetPicture, planetPicture));
    QCOMPARE(ui->elementBox->text(), element);
    QCOMPARE(ui->letters->text(), letters);
    QCOMPARE(ui->primaryColoursBox->text(), primary);
    QCOMPARE(ui->secondaryColoursBox->text(), secondary);
    // The numbers and the zodiac part show whatever the name number.
    QCOMPARE(ui->birthNumberBox->text(), QStringLiteral("6"));
    QCOMPARE(ui->zodiac->text(), QStringLiteral("Capricorn"));
    QVERIFY(ShowsPicture(ui->zodiacPicture, QStringLiteral("capricorn.jpg")));
    QCOMPARE(window->size(), ui->expandedSize());
}

void TestCalculate::missingPlanetPicture_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("characterStart");
    QTest::addColumn<QString>("primary");
    QTest::addColumn<QString>("secondary");

    QTest::newRow("jupiter.jpg removed, number 3")
        << QStringLiteral("remove") << QStringLiteral("jupiter.jpg") << QStringLiteral("Abby")
        << QStringLiteral("The investigator;") << QStringLiteral("Yellow") << QStringLiteral("Mauve, Violet, Lilac");
    QTest::newRow("jupiter.jpg no picture, number 3")
        << QStringLiteral("spoil") << QStringLiteral("jupiter.jpg") << QStringLiteral("Abby")
        << QStringLiteral("The investigator;") << QStringLiteral("Yellow") << QStringLiteral("Mauve, Violet, Lilac");
    QTest::newRow("Mars.jpg only as mars.jpg, number 9")
        << QStringLiteral("lower-case") << QStringLiteral("Mars.jpg") << QStringLiteral("Ed")
        << QStringLiteral("Very emotional.") << QStringLiteral("Gold") << QStringLiteral("Red, Crimson, Pink");
}

void TestCalculate::missingPlanetPicture()
{
    QFETCH(QString, damage);
    QFETCH(QString, picture);
    QFETCH(QString, name);
    QFETCH(QString, characterStart);
    QFETCH(QString, primary);
    QFETCH(QString, secondary);
    PictureFolder pictures;
    QVERIFY(pictures.isComplete());
    if (damage == u"remove")
        QVERIFY(pictures.remove(picture));
    else if (damage == u"spoil")
        QVERIFY(pictures.spoil(picture));
    else {
        if (testplatform::FileNamesIgnoreCase())
            QSKIP("Linux only: Windows file names ignore case, so mars.jpg is the picture asked for");
        QVERIFY(pictures.rename(picture, picture.toLower()));
    }
    start(pictures.applicationFolder());
    readAndClear();
    QSignalSpy progress(ui->progressBar, &QProgressBar::valueChanged);

    TypeInputs(*ui, name, QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QVERIFY(ui->characterText->text().startsWith(characterStart));
    // The planet step ends at the picture: nothing of it shows, and the
    // progress bar stays at 24 until the colour step.
    QVERIFY(ui->planetPicture->pixmap().isNull());
    QCOMPARE(ui->planet->text(), QString());
    QCOMPARE(ui->elementBox->text(), QString());
    QCOMPARE(ui->letters->text(), QString());
    QCOMPARE(Values(progress), (QList<int>{0, 1, 24, 33, 34}));
    QCOMPARE(ui->primaryColoursBox->text(), primary);
    QCOMPARE(ui->secondaryColoursBox->text(), secondary);
    QCOMPARE(ui->zodiac->text(), QStringLiteral("Capricorn"));
    QVERIFY(ShowsPicture(ui->zodiacPicture, QStringLiteral("capricorn.jpg")));
    QCOMPARE(window->size(), ui->expandedSize());
}

void TestCalculate::picturesInAnotherFormat_data()
{
    QTest::addColumn<QByteArray>("format");

    QTest::newRow("PNG") << QByteArray("PNG");
    QTest::newRow("BMP") << QByteArray("BMP");
    QTest::newRow("TIFF") << QByteArray("TIFF");
}

// Pictures saved again in another format under their .jpg names: the probe
// passes and both pictures of the reading show.
void TestCalculate::picturesInAnotherFormat()
{
    QFETCH(QByteArray, format);
    if (!QImageWriter::supportedImageFormats().contains(format.toLower()))
        QSKIP("no writer for this format here");
    PictureFolder pictures;
    QVERIFY(pictures.isComplete());
    for (const char *name : {"sun.jpg", "moon.jpg", "capricorn.jpg"})
        QVERIFY(pictures.convert(QString::fromLatin1(name), format.constData()));
    start(pictures.applicationFolder());

    TypeInputs(*ui, QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QVERIFY(ShowsPicture(ui->planetPicture, QStringLiteral("moon.jpg")));
    QVERIFY(ShowsPicture(ui->zodiacPicture, QStringLiteral("capricorn.jpg")));
}

void TestCalculate::missingZodiacPicture_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("sign");

    QTest::newRow("capricorn.jpg removed") << QStringLiteral("remove") << QStringLiteral("capricorn.jpg")
                                           << QStringLiteral("05") << QStringLiteral("January") << QStringLiteral("1980")
                                           << QStringLiteral("Capricorn");
    QTest::newRow("pisces.jpg no picture") << QStringLiteral("spoil") << QStringLiteral("pisces.jpg")
                                           << QStringLiteral("29") << QStringLiteral("February") << QStringLiteral("1999")
                                           << QStringLiteral("Pisces");
}

void TestCalculate::missingZodiacPicture()
{
    QFETCH(QString, damage);
    QFETCH(QString, picture);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QString, sign);
    PictureFolder pictures;
    QVERIFY(pictures.isComplete());
    QVERIFY(damage == u"remove" ? pictures.remove(picture) : pictures.spoil(picture));
    start(pictures.applicationFolder());

    TypeInputs(*ui, QStringLiteral("Ann"), day, month, year);
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(ui->zodiac->text(), sign);
    QVERIFY(ui->zodiacPicture->pixmap().isNull());
    QCOMPARE(ui->planet->text(), QStringLiteral("Moon"));
    QVERIFY(ShowsPicture(ui->planetPicture, QStringLiteral("moon.jpg")));
    QCOMPARE(ui->secondaryColoursBox->text(), QStringLiteral("Green, Cream, White"));
    QCOMPARE(window->size(), ui->expandedSize());
}

void TestCalculate::hundredThousandCharacterName()
{
    start(BuildApplicationFolder());
    // Letter sum 25,000 * 11 = 275,000: 14, then 5.
    const QString longName = QStringLiteral("Ann ").repeated(25000);
    QApplication::clipboard()->setText(longName);
    QTest::keyClick(ui->nameEdit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(ui->nameEdit->text().size(), 100000);

    Type(ui->dayList, QStringLiteral("05"));
    Type(ui->monthList, QStringLiteral("January"));
    Type(ui->yearList, QStringLiteral("1980"));
    calculate();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(ui->nameEdit->text(), longName);
    QCOMPARE(ui->nameNumberBox->text(), QStringLiteral("5"));
    QCOMPARE(ui->planet->text(), QStringLiteral("Mercury"));
    QVERIFY(ui->characterText->text().startsWith(QStringLiteral("Active, both physically and mentally.")));
    QCOMPARE(ui->zodiac->text(), QStringLiteral("Capricorn"));
    QCOMPARE(window->size(), ui->expandedSize());
}

void TestCalculate::calculateTwiceThenClear()
{
    start(BuildApplicationFolder());
    TypeInputs(*ui, QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
    calculate();
    const auto first = ui->fieldTexts();
    const QImage planetPicture = ui->planetPicture->pixmap().toImage();
    const QImage zodiacPicture = ui->zodiacPicture->pixmap().toImage();
    QVERIFY(!planetPicture.isNull() && !zodiacPicture.isNull());

    ui->calculateAction->trigger();

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(ui->fieldTexts(), first);
    QCOMPARE(ui->planetPicture->pixmap().toImage(), planetPicture);
    QCOMPARE(ui->zodiacPicture->pixmap().toImage(), zodiacPicture);
    QCOMPARE(window->size(), ui->expandedSize());
    QVERIFY(ui->inputsFrozen());
    QVERIFY(ui->progressBar->isHidden());

    QTest::mouseClick(ui->clearButton, Qt::LeftButton);

    QCOMPARE(window->size(), ui->compactSize());
    QCOMPARE(ui->showing(ui->resultArea()), QStringList());
    QCOMPARE(ui->filledFields(), QStringList());
    QVERIFY(ui->inputsEditable());
    QCOMPARE(spy->shown, QList<ShownMessage>());
}

QTEST_MAIN(TestCalculate)
#include "tst_calculate.moc"
