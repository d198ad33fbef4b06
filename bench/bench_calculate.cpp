// Time of one whole Calculate in the real main window: the name number, the
// birth number, the character text, the zodiac sign with its picture, the
// planet with its picture and the colours, as the user's click runs it.
#include "appfolder.h"
#include "mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <benchmark/benchmark.h>

namespace {

void Enter(veltara::MainWindow &window, const QString &name, const QString &day, const QString &month,
           const QString &year)
{
    window.clear();
    window.findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(name);
    window.findChild<QComboBox *>(QStringLiteral("myday"))->setEditText(day);
    window.findChild<QComboBox *>(QStringLiteral("Combo1"))->setEditText(month);
    window.findChild<QComboBox *>(QStringLiteral("myyear"))->setEditText(year);
}

void WholeCalculate(benchmark::State &state, const QString &name, const QString &day, const QString &month,
                    const QString &year)
{
    veltara::MainWindow window;
    if (!window.load()) {
        state.SkipWithError("the pictures are missing");
        return;
    }
    window.show();
    QPushButton *calculate = window.findChild<QPushButton *>(QStringLiteral("option1"));
    for (auto _ : state) {
        state.PauseTiming();
        Enter(window, name, day, month, year);
        QApplication::processEvents();
        state.ResumeTiming();
        calculate->click();
        QApplication::processEvents(); // the repaint of the expanded window
    }
}

void CalculateTypicalReading(benchmark::State &state)
{
    WholeCalculate(state, QStringLiteral("Ann"), QStringLiteral("05"), QStringLiteral("January"), QStringLiteral("1980"));
}
BENCHMARK(CalculateTypicalReading)->Unit(benchmark::kMillisecond);

// The last zodiac row and the longest character text.
void CalculateLastZodiacRow(benchmark::State &state)
{
    WholeCalculate(state, QStringLiteral("Jaa"), QStringLiteral("31"), QStringLiteral("December"), QStringLiteral("2010"));
}
BENCHMARK(CalculateLastZodiacRow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    veltara::SetApplicationFolder(QStringLiteral(VELTARA_BUILD_DIR));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
