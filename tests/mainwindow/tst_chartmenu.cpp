// The main window's way to the chart window: its File menu item, one chart
// window made on first use and brought forward after, the reading's name and
// birth date handed over, and closing with the main window.
#include "chartwindow.h"
#include "mainwindowfixture.h"
#include "messagespy.h"

#include <QApplication>
#include <QDateEdit>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace mainwindowtest;

namespace {

// The chart windows there are, shown or not.
QList<veltara::ChartWindow *> ChartWindows()
{
    QList<veltara::ChartWindow *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *chart = qobject_cast<veltara::ChartWindow *>(widget))
            windows.append(chart);
    }
    return windows;
}

QString ChartName(const veltara::ChartWindow *chart)
{
    return chart->findChild<QLineEdit *>(QStringLiteral("chartName"))->text();
}

QDate ChartBirth(const veltara::ChartWindow *chart)
{
    return chart->findChild<QDateEdit *>(QStringLiteral("birthDate"))->date();
}

} // namespace

class TestChartMenu : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fileMenuHasTheItemAfterClear();
    void oneWindowMadeOnFirstUse_data();
    void oneWindowMadeOnFirstUse();
    void keepsItsOwnTheme();

private:
    QAction *chartAction() const { return window->findChild<QAction *>(QStringLiteral("mnuChart")); }

    std::unique_ptr<MessageSpy> spy;
    std::unique_ptr<veltara::MainWindow> window;
    std::unique_ptr<MainWindowUi> ui;
};

void TestChartMenu::init()
{
    spy = std::make_unique<MessageSpy>();
    veltara::SetApplicationFolder(BuildApplicationFolder());
    QVERIFY(ShowMainWindow(window, ui));
}

void TestChartMenu::cleanup()
{
    ui.reset();
    window.reset();
    veltara::SetApplicationFolder(QString());
    spy.reset();
    QCOMPARE(ChartWindows().size(), 0); // it goes with the main window
}

void TestChartMenu::fileMenuHasTheItemAfterClear()
{
    const QMenu *fileMenu = window->findChild<QMenu *>(QStringLiteral("mnuFile"));
    QStringList items;
    for (const QAction *item : fileMenu->actions())
        items.append(item->objectName() + QLatin1Char(' ') + item->text());
    QCOMPARE(items, QStringList({QStringLiteral("mnuCalc &Calculate"), QStringLiteral("mnuClr C&lear"),
                                 QStringLiteral("mnuChart Numerology C&hart..."), QStringLiteral("mnuBl "),
                                 QStringLiteral("mnuVOS &Visit Quorvale"), QStringLiteral("mnuS "),
                                 QStringLiteral("mnuExit E&xit")}));
}

void TestChartMenu::oneWindowMadeOnFirstUse_data()
{
    QTest::addColumn<QString>("name"); // empty: no reading shown
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QDate>("birth"); // as the chart window takes it

    QTest::newRow("no reading: opens empty") << QString() << QString() << QString() << QString() << QDate();
    QTest::newRow("after a reading: its name and birth date")
        << QStringLiteral("Ann Smith") << QStringLiteral("5") << QStringLiteral("January") << QStringLiteral("1980")
        << QDate(1980, 1, 5);
    QTest::newRow("a reading of 29 February in a common year")
        << QStringLiteral("Ann") << QStringLiteral("29") << QStringLiteral("February") << QStringLiteral("1999")
        << QDate();
}

void TestChartMenu::oneWindowMadeOnFirstUse()
{
    QFETCH(QString, name);
    QFETCH(QString, day);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(QDate, birth);

    QCOMPARE(ChartWindows().size(), 0); // not made at start-up
    if (!name.isEmpty()) {
        TypeInputs(*ui, name, day, month, year);
        ui->calculateAction->trigger();
        QVERIFY(!ui->nameNumberBox->text().isEmpty());
    }
    const QSize mainSize = window->size();
    chartAction()->trigger();
    QCOMPARE(ChartWindows().size(), 1);
    veltara::ChartWindow *chart = ChartWindows().front();
    QVERIFY(QTest::qWaitForWindowExposed(chart));
    QVERIFY(!chart->isModal());
    QCOMPARE(chart->windowTitle(), QStringLiteral("Numerology Chart"));
    QCOMPARE(ChartName(chart), name);
    QCOMPARE(chart->showsChart(), birth.isValid());
    if (birth.isValid())
        QCOMPARE(ChartBirth(chart), birth);
    const QString refusal = chart->findChild<QLabel *>(QStringLiteral("refusalLine"))->text();
    QCOMPARE(refusal.contains(QStringLiteral("no such date: 1999-02-29")), name == u"Ann");

    // Chosen again, the same window comes forward as the user left it.
    chart->findChild<QLineEdit *>(QStringLiteral("chartName"))->setText(QStringLiteral("Someone Else"));
    chart->hide();
    chartAction()->trigger();
    QCOMPARE(ChartWindows(), QList<veltara::ChartWindow *>{chart});
    QVERIFY(chart->isVisible());
    QCOMPARE(ChartName(chart), QStringLiteral("Someone Else"));

    // The main window is as it was, and the chart window closes with it.
    QCOMPARE(window->size(), mainSize);
    QCOMPARE(spy->shown, QList<ShownMessage>());
    window->close();
    QVERIFY(!chart->isVisible());
}

void TestChartMenu::keepsItsOwnTheme()
{
    // Under a dark desktop palette the main window keeps its classic light
    // look, and the chart window takes the desktop's.
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents(); // the change reaches the widgets as posted events
    chartAction()->trigger();
    const QColor mainGround = window->palette().color(QPalette::Window);
    const QColor chartGround = ChartWindows().front()->palette().color(QPalette::Window);
    QApplication::setPalette(before);
    QCOMPARE(mainGround, veltara::ClassicPalette().color(QPalette::Window));
    QCOMPARE(chartGround, QColor(30, 30, 30));
}

QTEST_MAIN(TestChartMenu)
#include "tst_chartmenu.moc"
