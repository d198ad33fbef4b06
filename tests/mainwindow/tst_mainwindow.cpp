// The main window as the user first meets it: start-up, the Clear command,
// typing into the lists and the name field's digit filter.
#include "mainwindowfixture.h"
#include "messagespy.h"
#include "testplatform.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTest>

#include <memory>

using namespace mainwindowtest;

namespace {

const ShownMessage PicturesMissing{QStringLiteral("Pictures Folder Is Missing\r\nPictures Have Been Moved Or Deleted."), 16,
                                   QStringLiteral("Please Reinstall The Software")};
const ShownMessage LettersOnly{QStringLiteral("Enter Alphabetical Letters Only."), 0,
                               QStringLiteral("Veltara Numerology Software")};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsCompactAndEmpty();
    void loadFailsWithoutSunPicture_data();
    void loadFailsWithoutSunPicture();
    void loadIgnoresOtherPictures_data();
    void loadIgnoresOtherPictures();
    void clearEmptiesCalculatedWindow_data();
    void clearEmptiesCalculatedWindow();
    void listsKeepTypedText_data();
    void listsKeepTypedText();
    void nameFilter_data();
    void nameFilter();
    void pastedNameKeepsDigits();
    void nameHasNoLengthLimit();
    void focusStaysWithItsControl_data();
    void focusStaysWithItsControl();
    void emptyListsPickNothing_data();
    void emptyListsPickNothing();
    void enterPressesFocusedButton_data();
    void enterPressesFocusedButton();
    void heldEnterPressesOnce();

private:
    // Runs the start-up routine and shows the window.
    bool loadAndShow();

    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<veltara::MainWindow> window;
    std::unique_ptr<MainWindowUi> ui;
};

void TestMainWindow::init()
{
    spy = std::make_unique<MessageSpy>();
    veltara::SetApplicationFolder(BuildApplicationFolder());
    window = std::make_unique<veltara::MainWindow>();
    ui = std::make_unique<MainWindowUi>(*window);
    QVERIFY(ui->found());
}

void TestMainWindow::cleanup()
{
    ui.reset();
    window.reset();
    veltara::SetApplicationFolder(QString());
    spy.reset();
}

bool TestMainWindow::loadAndShow()
{
    if (!window->load())
        return false;
    window->show();
    return QTest::qWaitForWindowExposed(window.get());
}

void TestMainWindow::startsCompactAndEmpty()
{
    QVERIFY(loadAndShow());

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(window->size(), ui->compactSize());
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(ui->notInside(ui->inputArea()), QStringList());
    QCOMPARE(ui->showing(ui->resultArea()), QStringList());

    // Nothing shows, not even the picture the folder probe loaded.
    QCOMPARE(ui->filledFields(), QStringList());
    QVERIFY(ui->inputsEditable());
    QVERIFY(!ui->progressBar->isHidden());

    QCOMPARE(ListItems(ui->dayList), Numbered(1, 31, 2));
    QCOMPARE(ListItems(ui->yearList), Numbered(1900, 2010, 4));
    QCOMPARE(ListItems(ui->monthList), MonthNames());
}

void TestMainWindow::loadFailsWithoutSunPicture_data()
{
    QTest::addColumn<QString>("damage");

    QTest::newRow("sun.jpg removed, every other picture there") << QStringLiteral("remove");
    QTest::newRow("sun.jpg is no picture") << QStringLiteral("spoil");
    QTest::newRow("sun.jpg cut short") << QStringLiteral("truncate");
    QTest::newRow("sun.jpg named Sun.jpg") << QStringLiteral("rename");
    QTest::newRow("picture folder removed") << QStringLiteral("folder");
}

void TestMainWindow::loadFailsWithoutSunPicture()
{
    QFETCH(QString, damage);
    PictureFolder pictures;
    QVERIFY(pictures.isComplete());
    const QString sun = QStringLiteral("sun.jpg");
    if (damage == u"remove")
        QVERIFY(pictures.remove(sun));
    else if (damage == u"spoil")
        QVERIFY(pictures.spoil(sun));
    else if (damage == u"truncate")
        QVERIFY(pictures.truncate(sun));
    else if (damage == u"rename") {
        if (testplatform::FileNamesIgnoreCase())
            QSKIP("Linux only: Windows file names ignore case, so Sun.jpg is the picture asked for");
        QVERIFY(pictures.rename(sun, QStringLiteral("Sun.jpg")));
    }
    else
        QVERIFY(pictures.removeFolder());
    veltara::SetApplicationFolder(pictures.applicationFolder());

    QVERIFY(!window->load());

    QCOMPARE(spy->shown, QList<ShownMessage>{PicturesMissing});
    // The start-up routine stopped at the probe: the lists stay unfilled.
    QCOMPARE(ui->dayList->count(), 0);
    QCOMPARE(ui->yearList->count(), 0);
}

void TestMainWindow::loadIgnoresOtherPictures_data()
{
    QTest::addColumn<QStringList>("removed");

    QTest::newRow("moon.jpg missing") << QStringList{QStringLiteral("moon.jpg")};
    QTest::newRow("capricorn.jpg missing") << QStringList{QStringLiteral("capricorn.jpg")};
    QStringList allButSun = QDir(BuildPictureFolder()).entryList({QStringLiteral("*.jpg")}, QDir::Files);
    allButSun.removeAll(QStringLiteral("sun.jpg"));
    QTest::newRow("only sun.jpg left") << allButSun;
}

void TestMainWindow::loadIgnoresOtherPictures()
{
    QFETCH(QStringList, removed);
    PictureFolder pictures;
    QVERIFY(pictures.isComplete());
    for (const QString &name : removed)
        QVERIFY(pictures.remove(name));
    veltara::SetApplicationFolder(pictures.applicationFolder());

    QVERIFY(loadAndShow());

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(window->size(), ui->compactSize());
    QCOMPARE(ui->filledFields(), QStringList());
    QCOMPARE(ui->dayList->count(), 31);
    QCOMPARE(ui->yearList->count(), 111);
}

void TestMainWindow::clearEmptiesCalculatedWindow_data()
{
    QTest::addColumn<bool>("fromMenu");

    QTest::newRow("Clear button") << false;
    QTest::newRow("File menu C&lear") << true;
}

void TestMainWindow::clearEmptiesCalculatedWindow()
{
    QFETCH(bool, fromMenu);
    QVERIFY(loadAndShow());
    TypeInputs(*ui, QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
    QTest::mouseClick(ui->calculateButton, Qt::LeftButton);
    QCOMPARE(window->size(), ui->expandedSize());
    QCOMPARE(ui->filledFields().size(), 16); // every text field and both pictures
    QCOMPARE(ui->progressBar->value(), 34);

    if (fromMenu)
        ui->clearAction->trigger();
    else
        QTest::mouseClick(ui->clearButton, Qt::LeftButton);

    QCOMPARE(spy->shown, QList<ShownMessage>());
    QCOMPARE(window->size(), ui->compactSize());
    QCOMPARE(ui->showing(ui->resultArea()), QStringList());
    QCOMPARE(ui->filledFields(), QStringList());
    QVERIFY(ui->inputsEditable());
    QCOMPARE(ListItems(ui->dayList), Numbered(1, 31, 2));
    QCOMPARE(ListItems(ui->yearList), Numbered(1900, 2010, 4));
    QCOMPARE(ListItems(ui->monthList), MonthNames());
    // Clear leaves the progress bar as Calculate left it.
    QVERIFY(ui->progressBar->isHidden());
    QCOMPARE(ui->progressBar->value(), 34);
}

void TestMainWindow::listsKeepTypedText_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");

    QTest::newRow("month in lower case, Enter") << QStringLiteral("Combo1") << QStringLiteral("january") << true;
    QTest::newRow("month prefix Jan, Enter") << QStringLiteral("Combo1") << QStringLiteral("Jan") << true;
    QTest::newRow("month no list has") << QStringLiteral("Combo1") << QStringLiteral("Smarch") << false;
    QTest::newRow("day 7, Enter") << QStringLiteral("myday") << QStringLiteral("7") << true;
    QTest::newRow("day 3, prefix of 30 and 31, Enter") << QStringLiteral("myday") << QStringLiteral("3") << true;
    QTest::newRow("day an item, Enter") << QStringLiteral("myday") << QStringLiteral("05") << true;
    QTest::newRow("day letters") << QStringLiteral("myday") << QStringLiteral("ab") << false;
    QTest::newRow("year 19, prefix of 1900, Enter") << QStringLiteral("myyear") << QStringLiteral("19") << true;
    QTest::newRow("year five digits, Enter") << QStringLiteral("myyear") << QStringLiteral("19850") << true;
    QTest::newRow("year two digits") << QStringLiteral("myyear") << QStringLiteral("85") << false;
}

void TestMainWindow::listsKeepTypedText()
{
    QFETCH(QString, list);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QVERIFY(loadAndShow());
    QComboBox *field = window->findChild<QComboBox *>(list);
    QVERIFY(field);
    const QStringList items = ListItems(field);

    field->setFocus();
    Type(field, typed);
    if (enter)
        QTest::keyClick(field->lineEdit(), Qt::Key_Return);

    QCOMPARE(field->currentText(), typed);
    QCOMPARE(ListItems(field), items);
    // Only the name field refuses digits.
    QCOMPARE(spy->shown, QList<ShownMessage>());
}

void TestMainWindow::nameFilter_data()
{
    QTest::addColumn<QString>("typedFirst");
    QTest::addColumn<int>("left");       // Left presses after it
    QTest::addColumn<int>("selectLeft"); // Shift+Left presses after those; -1 is Ctrl+A
    QTest::addColumn<QString>("typedThen");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("nameWhileMessageShown");

    const QString none;
    QTest::newRow("digit at the end") << QStringLiteral("Ann3") << 0 << 0 << none << QStringLiteral("Ann")
                                      << QStringList{QStringLiteral("Ann")};
    QTest::newRow("digit between letters") << QStringLiteral("An4n") << 0 << 0 << none << QStringLiteral("Ann")
                                           << QStringList{QStringLiteral("An")};
    QTest::newRow("digit typed inside the name") << QStringLiteral("Anne") << 2 << 0 << QStringLiteral("5x")
                                                 << QStringLiteral("Anxne") << QStringList{QStringLiteral("Anne")};
    QTest::newRow("every digit") << QStringLiteral("0123456789") << 0 << 0 << none << QString()
                                 << QStringList(10, QString());
    QTest::newRow("digits in two words") << QStringLiteral("J0hn 5mith") << 0 << 0 << none << QStringLiteral("Jhn mith")
                                         << QStringList{QStringLiteral("J"), QStringLiteral("Jhn ")};
    QTest::newRow("digit over a selection at the end")
        << QStringLiteral("Annabel") << 0 << 3 << QStringLiteral("7") << QStringLiteral("Anna")
        << QStringList{QStringLiteral("Annabel")};
    QTest::newRow("digit over a selection inside")
        << QStringLiteral("Annabel") << 1 << 2 << QStringLiteral("0") << QStringLiteral("Annal")
        << QStringList{QStringLiteral("Annabel")};
    QTest::newRow("digit over the whole name") << QStringLiteral("Ann") << 0 << -1 << QStringLiteral("9") << QString()
                                               << QStringList{QStringLiteral("Ann")};
    QTest::newRow("punctuation") << QStringLiteral("O'Brien-Smith, Jr.") << 0 << 0 << none
                                 << QStringLiteral("O'Brien-Smith, Jr.") << QStringList();
    QTest::newRow("accented letters") << QStringLiteral("Zo\u00eb Jos\u00e9 \u00d1\u00fa\u00f1ez") << 0 << 0 << none
                                      << QStringLiteral("Zo\u00eb Jos\u00e9 \u00d1\u00fa\u00f1ez") << QStringList();
    QTest::newRow("letters beyond Latin-1") << QStringLiteral("\u0418\u0440\u0438\u043d\u0430") << 0 << 0 << none
                                            << QStringLiteral("\u0418\u0440\u0438\u043d\u0430") << QStringList();
    QTest::newRow("digits of another script") << QStringLiteral("Ann\u0663") << 0 << 0 << none
                                              << QStringLiteral("Ann\u0663") << QStringList();
    QTest::newRow("backspace passes") << QStringLiteral("Annx\b") << 0 << 0 << none << QStringLiteral("Ann")
                                      << QStringList();
}

void TestMainWindow::nameFilter()
{
    QFETCH(QString, typedFirst);
    QFETCH(int, left);
    QFETCH(int, selectLeft);
    QFETCH(QString, typedThen);
    QFETCH(QString, expected);
    QFETCH(QStringList, nameWhileMessageShown);
    QVERIFY(loadAndShow());
    QStringList seen;
    spy->onShow = [this, &seen] { seen.append(ui->nameEdit->text()); };

    ui->nameEdit->setFocus();
    Type(ui->nameEdit, typedFirst);
    for (int i = 0; i < left; ++i)
        QTest::keyClick(ui->nameEdit, Qt::Key_Left);
    if (selectLeft < 0)
        QTest::keyClick(ui->nameEdit, Qt::Key_A, Qt::ControlModifier);
    for (int i = 0; i < selectLeft; ++i)
        QTest::keyClick(ui->nameEdit, Qt::Key_Left, Qt::ShiftModifier);
    Type(ui->nameEdit, typedThen);

    QCOMPARE(ui->nameEdit->text(), expected);
    // One message per digit, each shown before the field changed.
    QCOMPARE(seen, nameWhileMessageShown);
    QCOMPARE(spy->shown, QList<ShownMessage>(nameWhileMessageShown.size(), LettersOnly));
}

void TestMainWindow::pastedNameKeepsDigits()
{
    QVERIFY(loadAndShow());
    QApplication::clipboard()->setText(QStringLiteral("Ann 3rd 2024"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Ann 3rd 2024"));

    ui->nameEdit->setFocus();
    Type(ui->nameEdit, QStringLiteral("Mary "));
    QTest::keyClick(ui->nameEdit, Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(ui->nameEdit->text(), QStringLiteral("Mary Ann 3rd 2024"));
    QCOMPARE(spy->shown, QList<ShownMessage>());
}

void TestMainWindow::nameHasNoLengthLimit()
{
    QVERIFY(loadAndShow());
    const QString longName = QStringLiteral("Ann ").repeated(25000);
    QApplication::clipboard()->setText(longName);

    ui->nameEdit->setFocus();
    QTest::keyClick(ui->nameEdit, Qt::Key_V, Qt::ControlModifier);
    Type(ui->nameEdit, QStringLiteral("Lee"));

    QCOMPARE(ui->nameEdit->text().size(), 100003);
    QCOMPARE(ui->nameEdit->text(), longName + QStringLiteral("Lee"));
}

void TestMainWindow::focusStaysWithItsControl_data()
{
    QTest::addColumn<QString>("focused"); // the control that has the focus at Calculate
    QTest::addColumn<QStringList>("inputs"); // name, day, month, year
    QTest::addColumn<QString>("then");       // after Calculate: "", "menu Clear" or "Clear button"
    QTest::addColumn<QString>("expected");   // the control with the focus in the end

    const QStringList valid{QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980")};
    const QStringList noDate{QStringLiteral("Ann"), QString(), QString(), QString()};
    const QStringList noName{QString(), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980")};
    const QStringList noSign{QStringLiteral("Ann"), QString(), QStringLiteral("January"), QStringLiteral("1980")};
    QTest::newRow("name field, birth date missing") << QStringLiteral("Text1") << noDate << QString() << QStringLiteral("Text1");
    QTest::newRow("year list, name missing") << QStringLiteral("myyear") << noName << QString() << QStringLiteral("myyear");
    QTest::newRow("day list, a date no sign covers") << QStringLiteral("myday") << noSign << QString() << QStringLiteral("myday");
    QTest::newRow("month list, reading, Clear from the menu")
        << QStringLiteral("Combo1") << valid << QStringLiteral("menu Clear") << QStringLiteral("Combo1");
    QTest::newRow("name field, reading, Clear button clicked")
        << QStringLiteral("Text1") << valid << QStringLiteral("Clear button") << QStringLiteral("Option2");
    QTest::newRow("Calculate itself, birth date missing")
        << QStringLiteral("option1") << noDate << QString() << QStringLiteral("option1");
    QTest::newRow("Calculate itself, reading, Clear from the menu")
        << QStringLiteral("option1") << valid << QStringLiteral("menu Clear") << QStringLiteral("option1");
}

void TestMainWindow::focusStaysWithItsControl()
{
    QFETCH(QString, focused);
    QFETCH(QStringList, inputs);
    QFETCH(QString, then);
    QFETCH(QString, expected);
    QVERIFY(loadAndShow());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    TypeInputs(*ui, inputs[0], inputs[1], inputs[2], inputs[3]);
    QWidget *control = window->findChild<QWidget *>(focused);
    QVERIFY(control);
    control->setFocus();
    const auto hasFocus = [this](const QString &name) {
        const QWidget *focus = QApplication::focusWidget();
        const QWidget *named = window->findChild<QWidget *>(name);
        return focus && named && (focus == named || named->isAncestorOf(focus));
    };
    QVERIFY(hasFocus(focused));

    ui->calculateAction->trigger();
    // Freezing the inputs hands the focus to no other control.
    if (!ui->inputsEditable()) {
        QVERIFY(!hasFocus(QStringLiteral("option1")) || focused == u"option1");
        QVERIFY(!hasFocus(QStringLiteral("Option2")));
    }
    if (then == u"menu Clear")
        ui->clearAction->trigger();
    else if (then == u"Clear button")
        QTest::mouseClick(ui->clearButton, Qt::LeftButton);

    QVERIFY(ui->inputsEditable());
    QVERIFY2(hasFocus(expected), qPrintable(QStringLiteral("the focus is on %1").arg(
                                     QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                                 : QStringLiteral("nothing"))));
}

void TestMainWindow::emptyListsPickNothing_data()
{
    QTest::addColumn<bool>("afterReading");

    QTest::newRow("at start-up") << false;
    QTest::newRow("after Clear, items picked for a reading") << true;
}

void TestMainWindow::emptyListsPickNothing()
{
    QFETCH(bool, afterReading);
    QVERIFY(loadAndShow());
    if (afterReading) {
        QVERIFY(Pick(ui->dayList, QStringLiteral("05")));
        QVERIFY(Pick(ui->monthList, QStringLiteral("March")));
        QVERIFY(Pick(ui->yearList, QStringLiteral("1985")));
        Type(ui->nameEdit, QStringLiteral("Ann"));
        QTest::mouseClick(ui->calculateButton, Qt::LeftButton);
        QCOMPARE(window->size(), ui->expandedSize());
        ui->clearAction->trigger();
    }
    const std::pair<QComboBox *, QString> firstItems[] = {
        {ui->dayList, QStringLiteral("01")},
        {ui->monthList, QStringLiteral("January")},
        {ui->yearList, QStringLiteral("1900")}};
    for (const auto &[list, first] : firstItems) {
        QCOMPARE(list->currentText(), QString());
        // No item is current: an opened list marks none.
        QCOMPARE(list->currentIndex(), -1);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentText(), first);
    }
}

void TestMainWindow::enterPressesFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("expanded"); // the window's size afterwards

    const int none = Qt::NoModifier;
    const int keypad = Qt::KeypadModifier;
    QTest::newRow("Calculate, Return") << QStringLiteral("option1") << int(Qt::Key_Return) << none << true;
    QTest::newRow("Calculate, keypad Enter") << QStringLiteral("option1") << int(Qt::Key_Enter) << keypad << true;
    QTest::newRow("Calculate, Space") << QStringLiteral("option1") << int(Qt::Key_Space) << none << true;
    QTest::newRow("Calculate, Ctrl+Return presses nothing")
        << QStringLiteral("option1") << int(Qt::Key_Return) << int(Qt::ControlModifier) << false;
    QTest::newRow("Clear, Return") << QStringLiteral("Option2") << int(Qt::Key_Return) << none << false;
    QTest::newRow("Clear, keypad Enter") << QStringLiteral("Option2") << int(Qt::Key_Enter) << keypad << false;
}

void TestMainWindow::enterPressesFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, expanded);
    QVERIFY(loadAndShow());
    TypeInputs(*ui, QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
    QPushButton *target = window->findChild<QPushButton *>(button);
    QVERIFY(target);
    if (target == ui->clearButton) { // Clear needs a reading to clear
        QTest::mouseClick(ui->calculateButton, Qt::LeftButton);
        QCOMPARE(window->size(), ui->expandedSize());
    }
    target->setFocus();

    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(window->size(), expanded ? ui->expandedSize() : ui->compactSize());
    QCOMPARE(spy->shown, QList<ShownMessage>());
}

void TestMainWindow::heldEnterPressesOnce()
{
    QVERIFY(loadAndShow());
    ui->calculateButton->setFocus();
    QTest::keyPress(ui->calculateButton, Qt::Key_Return);
    QKeyEvent repeated(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(ui->calculateButton, &repeated);
    QTest::keyRelease(ui->calculateButton, Qt::Key_Return);
    // Every field empty: one Calculate, one message.
    QCOMPARE(spy->shown.size(), 1);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
