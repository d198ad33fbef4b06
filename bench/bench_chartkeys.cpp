// Time from a typed character in the chart window's name field to the window
// repainted with the new chart, timeline and years ahead included, on the real display
// (bench/run starts it under Xvfb with QT_QPA_PLATFORM=xcb). Each keystroke
// is a QTest key click, the events it posts (layouts, update requests) are
// processed, and then the whole window is repainted synchronously, so the
// figure includes a paint of everything shown, not only what changed.
// Prints the median and the 90th percentile in milliseconds.
#include "chartwindow.h"
#include "datefield.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollArea>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int keystrokes = argc > 1 ? std::max(100, atoi(argv[1])) : 200;
    constexpr int WarmUp = 10;

    veltara::ChartWindow window;
    auto *name = window.findChild<QLineEdit *>(QStringLiteral("chartName"));
    auto *birth = window.findChild<veltara::DateField *>(QStringLiteral("birthDate"));
    auto *reading = window.findChild<veltara::DateField *>(QStringLiteral("readingDate"));
    if (!name || !birth || !reading) {
        std::fprintf(stderr, "the chart window has no name field or date fields\n");
        return 1;
    }
    birth->setDate(QDate(1984, 7, 23));
    reading->setDate(QDate(2026, 3, 14));
    name->setText(QStringLiteral("Maria Elena Garcia"));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the chart window was not shown\n");
        return 1;
    }
    // The timeline and the years ahead in view, so that their paint is part
    // of every repaint.
    for (const QString &shown : {QStringLiteral("cyclesTimeline"), QStringLiteral("forecastTable")}) {
        if (auto *widget = window.findChild<QWidget *>(shown); widget && widget->isVisible())
            window.findChild<QScrollArea *>(QStringLiteral("chartScroll"))->ensureWidgetVisible(widget);
    }
    name->setFocus();
    name->end(false);
    QApplication::processEvents();

    // A letter typed, then taken back: every keystroke changes the name.
    const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < WarmUp + keystrokes; ++i) {
        timer.start();
        if (i % 2 == 0)
            QTest::keyClick(name, letters.at(i / 2 % letters.size()).toLatin1());
        else
            QTest::keyClick(name, Qt::Key_Backspace);
        QApplication::processEvents();
        window.repaint();
        const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        if (i >= WarmUp)
            times.push_back(ms);
    }
    if (!window.showsChart()) {
        std::fprintf(stderr, "the chart window shows no chart for %s\n", qPrintable(name->text()));
        return 1;
    }
    std::sort(times.begin(), times.end());
    const auto at = [&times](double fraction) { return times[static_cast<std::size_t>(fraction * (times.size() - 1))]; };
    std::printf("%zu keystrokes: median %.2f ms, 90th percentile %.2f ms\n", times.size(), at(0.5), at(0.9));
    return 0;
}
