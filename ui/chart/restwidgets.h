// The parts of the rest of the chart that are pictures as well as values:
// the inclusion grid and the planes of expression as bars. Each value is a
// label of its own with an accessible name that says its number.
#pragma once

#include "chart.h"

#include <QWidget>

#include <array>

class QLabel;

namespace veltara::chartview {

class MeaningView;

// The inclusion grid: 1 to 9 in three rows, each with how many letters carry
// it; the karmic lessons (none) and the hidden passion (the most) marked.
class InclusionGrid : public QWidget {
    Q_OBJECT
public:
    explicit InclusionGrid(QWidget *parent = nullptr);
    void setChart(const chart::Chart &chart);
    // The grid's meaning, said by the grid and each of its cells.
    void setMeaning(const QString &sentences);

private:
    std::array<QLabel *, 9> m_cells{};
};

// The four planes of expression, each a bar as long as its letter count,
// with its count and value.
class PlanesChart : public QWidget {
    Q_OBJECT
public:
    explicit PlanesChart(QWidget *parent = nullptr);
    // Shows the chart's planes, each with the meaning of its value under its
    // bar, which its value and its bar also say.
    void setChart(const chart::Chart &chart, const Date &today);
    // The meanings of a plane's value, for the window's focus order.
    MeaningView *meanings(std::size_t plane) const { return m_planes[plane].meanings; }

private:
    // Each plane's bar, its words and its meaning.
    struct PlaneShown {
        QWidget *bar = nullptr;
        QLabel *value = nullptr;
        MeaningView *meanings = nullptr;
    };
    std::array<PlaneShown, 4> m_planes{};
};

} // namespace veltara::chartview
