// The main window's way to the chart window: its File menu item, one chart
// window made on first use and brought forward after, the reading's name and
// birth date handed over, its own theme, and closing with the main window.
#include "chartwindow.h"
#include "datefield.h"
#include "mainwindowfixture.h"

#include <QApplication>
#include <QMenu>

using namespace mainwindowtest;

namespace {

QList<veltara::ChartWindow *> ChartWindows()
{
    QList<veltara::ChartWindow *> windows;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *chart = qobject_cast<veltara::ChartWindow *>(widget))
            windows.append(chart);
    }
    return windows;
}

} // namespace

class TestChartMenu : public QObject {
    Q_OBJECT

private slots:
    void oneWindowMadeOnFirstUse_data();
    void oneWindowMadeOnFirstUse();
};

void TestChartMenu::oneWindowMadeOnFirstUse_data()
{
    QTest::addColumn<QStringList>("reading"); // name, day, month, year; empty: none shown
    QTest::addColumn<QDate>("birth");         // as the chart takes it
    QTest::newRow("no reading: opens empty") << QStringList() << QDate();
    QTest::newRow("after a reading") << QStringList{QStringLiteral("Ann Smith"), QStringLiteral("5"),
                                                    QStringLiteral("January"), QStringLiteral("1980")}
                                     << QDate(1980, 1, 5);
}

void TestChartMenu::oneWindowMadeOnFirstUse()
{
    QFETCH(QStringList, reading);
    QFETCH(QDate, birth);
    MessageSpy spy;
    veltara::SetApplicationFolder(BuildApplicationFolder());
    std::unique_ptr<veltara::MainWindow> window;
    std::unique_ptr<MainWindowUi> ui;
    QVERIFY(ShowMainWindow(window, ui));

    auto *chartItem = window->findChild<QAction *>(QStringLiteral("mnuChart"));
    const QList<QAction *> fileMenu = window->findChild<QMenu *>(QStringLiteral("mnuFile"))->actions();
    QCOMPARE(fileMenu.indexOf(chartItem), 2); // after Clear, before the separator
    QCOMPARE(fileMenu.size(), 7);
    QCOMPARE(chartItem->text(), QStringLiteral("Numerology C&hart..."));
    QCOMPARE(ChartWindows().size(), 0); // not made at start-up
    if (!reading.isEmpty()) {
        TypeInputs(*ui, reading[0], reading[1], reading[2], reading[3]);
        ui->calculateAction->trigger();
    }
    const QSize mainSize = window->size();
    // Under a dark desktop palette the chart window takes it; the main window
    // keeps its classic look.
    const QPalette before = QApplication::palette();
    QPalette dark = before;
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents(); // the change reaches the widgets as posted events
    chartItem->trigger();
    QCOMPARE(ChartWindows().size(), 1);
    veltara::ChartWindow *chart = ChartWindows().front();
    const QColor chartGround = chart->palette().color(QPalette::Window);
    QApplication::setPalette(before);
    QCOMPARE(chartGround, QColor(30, 30, 30));
    QCOMPARE(window->palette().color(QPalette::Window), veltara::ClassicPalette().color(QPalette::Window));

    auto *chartName = chart->findChild<QLineEdit *>(QStringLiteral("chartName"));
    QCOMPARE(chartName->text(), reading.value(0));
    QCOMPARE(chart->showsChart(), birth.isValid());
    QVERIFY(!birth.isValid() || chart->findChild<veltara::DateField *>(QStringLiteral("birthDate"))->date() == birth);

    // Chosen again, the same window comes forward as the user left it.
    chartName->setText(QStringLiteral("Someone Else"));
    chart->hide();
    chartItem->trigger();
    QCOMPARE(ChartWindows(), QList<veltara::ChartWindow *>{chart});
    QVERIFY(chart->isVisible() && !chart->isModal());
    QCOMPARE(chartName->text(), QStringLiteral("Someone Else"));

    QCOMPARE(window->size(), mainSize);
    QCOMPARE(spy.shown, QList<ShownMessage>());
    window->close();
    QVERIFY(!chart->isVisible());
    window.reset();
    QCOMPARE(ChartWindows().size(), 0); // it goes with the main window
    veltara::SetApplicationFolder(QString());
}

QTEST_MAIN(TestChartMenu)
#include "tst_chartmenu.moc"
