// What a date field reads in what people type, under three locales, and its
// calendar and Today button from the keyboard.
#include "datefield.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

using namespace veltara;

class TestDateField : public QObject {
    Q_OBJECT

private slots:
    void reads_data();
    void reads();
    void calendarAndToday();
};

void TestDateField::reads_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date"); // invalid: the problem's
    QTest::addColumn<int>("problem");
    const QDate july3(1962, 7, 3);
    const auto row = [](const char *locale, const char *typed, QDate date, DateProblem problem = DateProblem::None) {
        QTest::addRow("%s %s", locale, typed) << QString::fromLatin1(locale) << QString::fromUtf8(typed) << date
                                              << int(problem);
    };
    const auto refused = [&row](const char *locale, const char *typed, DateProblem problem) {
        row(locale, typed, QDate(), problem);
    };
    row("en_GB", "3/7/1962", july3);
    row("en_GB", "03.07.1962", july3);
    row("en_GB", "3-7-1962", july3);
    row("en_GB", "3 Jul 1962", july3);
    row("en_GB", " 3 JULY 1962 ", july3);
    row("en_GB", "July 3, 1962", july3);
    row("en_GB", "3rd July 1962", july3);
    row("en_GB", "1962-07-03", july3);
    row("en_GB", "Tuesday, 3 July 1962", july3); // the long format
    row("en_GB", "Mon 3 Jul 1962", july3);       // a weekday is passed over
    row("en_GB", "1/1/0001", QDate(1, 1, 1));
    row("en_GB", "31 Dec 9999", QDate(9999, 12, 31));
    row("en_US", "3/7/1962", QDate(1962, 3, 7));
    row("en_US", "July 3, 1962", july3);
    row("en_US", "Tuesday, July 3, 1962", july3);
    row("en_US", "3 jul 1962", july3);
    row("de_DE", "3.7.1962", july3);
    row("de_DE", "3. Juli 1962", july3);
    row("de_DE", "Dienstag, 3. Juli 1962", july3);
    row("de_DE", "3 Mär 1962", QDate(1962, 3, 3));
    row("de_DE", "3 July 1962", july3);
    row("de_DE", "1962-07-03", july3);
    refused("en_GB", "", DateProblem::Empty);
    refused("en_GB", "   ", DateProblem::Empty);
    refused("en_GB", "3/7/62", DateProblem::ShortYear);
    refused("en_US", "July 3, 62", DateProblem::ShortYear);
    refused("de_DE", "03.07.62", DateProblem::ShortYear);
    refused("en_GB", "3 Jul 19", DateProblem::ShortYear); // being typed
    refused("en_GB", "3 Jul", DateProblem::NotADate);
    refused("en_GB", "3 Ju", DateProblem::NotADate);
    refused("en_GB", "3 Foo 1962", DateProblem::NotADate);
    refused("en_GB", "3 Jul Aug 1962", DateProblem::NotADate);
    refused("en_GB", "3/7/1962/4", DateProblem::NotADate);
    refused("en_GB", "3*7*1962", DateProblem::NotADate);
    refused("en_GB", "31/2/1962", DateProblem::NoSuchDate);
    refused("en_US", "2/29/1962", DateProblem::NoSuchDate);
    refused("en_GB", "3/13/1962", DateProblem::NoSuchDate);
    refused("en_GB", "3/7/0000", DateProblem::OutOfRange);
    refused("en_GB", "3 Jul 10000", DateProblem::OutOfRange);
}

void TestDateField::reads()
{
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    QFETCH(int, problem);
    const TypedDate read = ReadTypedDate(typed, QLocale(locale));
    QCOMPARE(read.date, date);
    QCOMPARE(int(read.problem), problem);
}

void TestDateField::calendarAndToday()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    DateField field(QStringLiteral("when"), QStringLiteral("reading date"));
    field.addTodayButton();
    field.show();
    QVERIFY(QTest::qWaitForWindowExposed(&field));
    auto *edit = field.findChild<QLineEdit *>();
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("3 Jul 1962"));
    QCOMPARE(field.findChild<QLabel *>(QStringLiteral("whenWords"))->text(), QStringLiteral("Tuesday, 3 July 1962"));
    // Alt+Down opens the calendar on the date read; Enter takes the day chosen.
    QTest::keyClick(edit, Qt::Key_Down, Qt::AltModifier);
    auto *calendar = field.findChild<QCalendarWidget *>();
    QTRY_VERIFY(calendar && calendar->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!calendar->isVisible());
    QCOMPARE(field.date(), QDate(1962, 7, 4));
    QCOMPARE(edit->text(), QStringLiteral("04/07/1962"));
    QCOMPARE(edit->accessibleDescription(), QStringLiteral("Wednesday, 4 July 1962"));
    field.findChild<QToolButton *>(QStringLiteral("whenToday"))->click();
    QCOMPARE(field.date(), QDate::currentDate());
}

QTEST_MAIN(TestDateField)
#include "tst_datefield.moc"
