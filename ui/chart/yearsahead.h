// The years ahead: the forecast as a table, a row a year, with the reading
// year's row and each change from the year before marked, and the letters of
// the three transits drawn as bands over those years. How many years it
// covers (1 to 100) the user sets in a spin box; the window remakes the chart
// for that many.
#pragma once

#include "chart.h"

#include <QGroupBox>
#include <QString>

class QSpinBox;
class QTableWidget;

namespace veltara::chartview {

class TransitBands;

// The forecast's years as the window shows them by default.
inline constexpr int DefaultForecastYears = 10;

class YearsAhead : public QGroupBox {
    Q_OBJECT
public:
    explicit YearsAhead(QWidget *parent = nullptr);

    // How many years the user asks for.
    int years() const;
    // Shows the chart's forecast, the row of the reading date's year marked.
    void setChart(const chart::Chart &chart);

signals:
    void yearsChanged(int years);

private:
    QSpinBox *m_years = nullptr;
    QTableWidget *m_table = nullptr;
    TransitBands *m_bands = nullptr;
};

// A cell of the forecast as the window and the PDF show it: its words with
// the mark of a change ("7*").
QString ForecastCellShown(const chart::ForecastYear &row, std::size_t column);

// The years ahead as HTML for the PDF's document: the heading, the table as
// the window shows it and the note under it. Nothing without a forecast.
void AppendYearsAheadHtml(QString &html, const chart::Chart &chart);

} // namespace veltara::chartview
