// The chart window: the numerology chart of a name and a birth date, read on
// a date, following the inputs as they are typed. The core numbers show as
// tiles, the rest of the chart below them, and how each number came about in
// a section that opens and closes. It saves the chart as a PDF and copies the
// command line's text chart.
//
// Unlike the designed main window, it follows the desktop's theme.
#pragma once

#include "chart.h"
#include "chartview.h"

#include <QMainWindow>
#include <QStringList>

#include <vector>

class QAction;
class QFrame;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;

namespace veltara {

class DateField;

namespace chartview {
class CyclesTimeline;
class InclusionGrid;
class MeaningView;
class PlanesChart;
class YearsAhead;
} // namespace chartview

class ChartWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit ChartWindow(QWidget *parent = nullptr);

    // Fills the name and the birth date as typed in the main window's fields
    // (day, month name or number, year). A date the chart does not take is
    // said in the refusal line until the user changes the birth date.
    void fill(const QString &name, const QStringList &birthDateFields);

    // Writes the shown chart as a PDF to `path`; a failure is told in a
    // message and leaves any file there as it was. False when nothing was
    // written.
    bool saveAsPdf(const QString &path);
    // Asks for a file name, then saves.
    void saveAsPdfAsked();
    // Puts the text chart of the shown chart on the clipboard, as the command
    // line writes it.
    void copyChart();

    // Whether a chart is shown (no refusal).
    bool showsChart() const { return m_shown; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Tile {
        const chart::ChartRow *row = nullptr;
        QFrame *frame = nullptr;
        QLabel *number = nullptr;
        QLabel *name = nullptr;
        QLabel *debt = nullptr;
        chartview::MeaningView *meanings = nullptr;
        // The minor number of the name in use beside its major one, if any.
        const chart::ChartRow *minorRow = nullptr;
        QLabel *minor = nullptr;
    };
    // A value of the cycles or the rest with its meanings (none for the
    // characters not counted and the parts left out).
    struct Value {
        const chart::ChartRow *row = nullptr;
        QLabel *label = nullptr;
        chartview::MeaningView *meanings = nullptr;
        // Shows the line's value and its meanings, which the label says as
        // its description (and, with `tip`, its tooltip).
        void show(const chart::ChartLine &line, const chart::Chart &chart, const Date &today, bool tip) const;
    };

    void createActions();
    void createInputs(QWidget *page);
    void createCoreNumbers(QWidget *area);
    void createCycles(QWidget *area);
    // A small tile of the cycles in `numbers`: its name over its value in
    // `size` times the window's type, and the value's meanings.
    Value addCycleTile(QHBoxLayout *numbers, const chart::ChartRow *row, const QString &key, const std::string &name,
                       qreal size);
    void createRest(QWidget *area);
    void createSteps(QWidget *area);
    void setFocusOrder();
    // Shows the meanings of a band of the timeline under it.
    void showBand(std::size_t band);

    // Makes the chart of the inputs and shows it, or the refusal.
    void remake();
    void showChart();
    void showRefusal(const QString &line);

    QAction *m_saveAction = nullptr;
    QAction *m_copyAction = nullptr;
    QAction *m_leaveOutAppendix = nullptr; // checked as kept in the settings, even where they refuse the write

    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_currentNameEdit = nullptr; // the name in use
    DateField *m_birthEdit = nullptr;
    DateField *m_readingEdit = nullptr;
    // Why the birth date handed over by fill() is not taken; empty once the
    // user changes the birth date.
    QString m_birthDateProblem;
    QLabel *m_refusalLine = nullptr; // under the fields: a refusal, or the shown chart's notes

    QScrollArea *m_scroll = nullptr;
    QWidget *m_chartArea = nullptr;
    std::vector<Tile> m_tiles;
    // The numbers of the cycles and their timeline.
    QWidget *m_cyclesArea = nullptr;
    std::vector<Value> m_cycleValues; // the numbers, not the spans
    std::vector<Value> m_transitValues; // the transits of the reading date, as TransitRows
    chartview::CyclesTimeline *m_timeline = nullptr;
    chartview::YearsAhead *m_yearsAhead = nullptr;
    // The band chosen (the current pinnacle until the user chooses one), its
    // name and meanings.
    std::size_t m_band = 0;
    bool m_bandChosen = false;
    QLabel *m_bandName = nullptr;
    chartview::MeaningView *m_bandMeanings = nullptr;
    std::vector<Value> m_restValues; // as chartview::ShownLines lists the rest
    chartview::InclusionGrid *m_inclusion = nullptr;
    chartview::MeaningView *m_inclusionMeaning = nullptr;
    chartview::PlanesChart *m_planes = nullptr;
    QToolButton *m_stepsToggle = nullptr;
    QWidget *m_stepsArea = nullptr;
    std::vector<QLabel *> m_steps; // as chart::StepsLines lists them

    chart::Chart m_chart;
    Date m_today;
    std::u32string m_name;
    std::u32string m_currentName;
    bool m_shown = false;
};

} // namespace veltara
