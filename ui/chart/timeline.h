// The cycles of a life on a timeline of the ages: the pinnacles, challenges
// and period cycles as labelled bands, a line at the age on the reading
// date. The same drawing serves the window and the PDF.
#pragma once

#include "chart.h"
#include "chartwords.h"

#include <QFontMetricsF>
#include <QString>
#include <QWidget>

#include <vector>

class QPainter;
class QPalette;

namespace veltara::chartview {

// One band: a span of one row, where it lies and what it says.
struct TimelineBand {
    QRectF rect;
    QString text;       // drawn in the band: the number, and its ages where there is room ("8  0–34")
    QRectF textRect;    // where the text stands: clear of the line of the age on the reading date
    QString name;       // for screen readers: "Pinnacle 1: 8, ages 0 to 31"
    bool current = false;
};

// The layout of a timeline in `area`: its bands, the x of each age, and the
// rows' labels.
struct TimelineLayout {
    std::vector<TimelineBand> bands;
    QRectF labels;  // the column of the rows' names
    QRectF scale;   // the axis of the ages
    double ageX = 0; // where the age on the reading date lies
    int lastAge = 0; // the age at the right end: the later of 90 and the age on the reading date plus 10
    double x(double age) const;
};

TimelineLayout LayOutTimeline(const QRectF &area, const chart::Chart &chart, const QFontMetricsF &metrics);

// The height a timeline needs for a font.
double TimelineHeight(const QFontMetricsF &metrics);

// Draws the timeline into `area` with the colours of `palette`: text in
// the text colour, the current bands in the highlight.
void PaintTimeline(QPainter &painter, const QRectF &area, const chart::Chart &chart, const QPalette &palette);

// The timeline as a widget. Each band is a child that takes the keyboard's
// focus and carries its name, so that a screen reader reads the bands one
// by one.
class CyclesTimeline : public QWidget {
    Q_OBJECT
public:
    explicit CyclesTimeline(QWidget *parent = nullptr);

    // Shows a chart; the bands' meanings speak of today as the engine's do.
    void setChart(const chart::Chart &chart, const Date &today);

    // The chart's line of a band, in the order of the bands (pinnacles,
    // challenges, periods), for its meanings.
    chart::ChartLine bandLine(std::size_t band) const;
    // The band that holds the current pinnacle.
    std::size_t currentPinnacle() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A band was given the focus, by the keyboard or a click.
    void bandChosen(std::size_t band);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void placeBands();

    chart::Chart m_chart; // a copy: the widget draws it whenever asked
    std::vector<QWidget *> m_bands;
    std::vector<std::pair<const chart::ChartRow *, std::size_t>> m_places; // each band's row and span
};

} // namespace veltara::chartview
