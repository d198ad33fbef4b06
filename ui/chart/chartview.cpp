#include "chartview.h"

#include "textunits.h"

#include <algorithm>

namespace veltara::chartview {

namespace {

// Countries where Letter is the usual paper.
constexpr QLocale::Territory LetterTerritories[] = {
    QLocale::UnitedStates, QLocale::Canada,     QLocale::Mexico,    QLocale::Chile,
    QLocale::Colombia,     QLocale::Venezuela,  QLocale::CostaRica, QLocale::Guatemala,
    QLocale::Panama,       QLocale::ElSalvador, QLocale::Nicaragua, QLocale::DominicanRepublic,
    QLocale::PuertoRico,   QLocale::Philippines,
};

// Whether the window draws a row as a picture of its own (the inclusion grid,
// the planes) rather than as a line.
bool DrawnApart(const chart::ChartRow &row)
{
    return std::holds_alternative<std::array<chart::Plane, 4> chart::Chart::*>(row.value) ||
           std::holds_alternative<std::array<int, 9> chart::Chart::*>(row.value);
}

} // namespace

std::vector<chart::ChartLine> SectionLines(chart::Section section, const chart::Chart &chart, bool drawnApart)
{
    std::vector<chart::ChartLine> lines;
    for (const chart::ChartRow *row : chart::RowsInOrder(section, chart::Words::Shown)) {
        if (drawnApart || !DrawnApart(*row))
            chart::AppendRowLines(*row, chart, chart::Words::Shown, lines);
    }
    return lines;
}

std::vector<ShownLine> ShownLines(chart::Section section, const chart::Chart &chart, bool drawnApart)
{
    const std::vector<chart::ChartLine> lines = SectionLines(section, chart, drawnApart);
    std::vector<ShownLine> shown;
    for (const chart::ChartLine &line : lines)
        shown.push_back({ToQString(line.key), ToQString(line.label), ToQString(line.value)});
    return shown;
}

Date ChartDate(QDate date)
{
    return {date.year(), date.month(), date.day()};
}

QPageSize::PageSizeId PageSizeFor(const QLocale &locale)
{
    const bool letter = std::find(std::begin(LetterTerritories), std::end(LetterTerritories), locale.territory()) !=
                        std::end(LetterTerritories);
    return letter ? QPageSize::Letter : QPageSize::A4;
}

} // namespace veltara::chartview
