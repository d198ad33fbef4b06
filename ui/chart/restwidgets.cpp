#include "restwidgets.h"

#include "chartwords.h"
#include "meaningview.h"
#include "textunits.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace veltara::chartview {

namespace {

// A bar filled to a share of its width in the highlight colour.
class Bar : public QWidget {
public:
    explicit Bar(QWidget *parent) : QWidget(parent) { setMinimumWidth(fontMetrics().averageCharWidth() * 12); }
    void setShare(double share)
    {
        m_share = share;
        update();
    }
    QSize sizeHint() const override { return QSize(fontMetrics().averageCharWidth() * 24, fontMetrics().height()); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const QRectF whole = QRectF(rect()).adjusted(0.5, 2.5, -0.5, -2.5);
        painter.setPen(palette().color(QPalette::Mid));
        painter.setBrush(palette().color(QPalette::AlternateBase));
        painter.drawRect(whole);
        painter.setBrush(palette().color(QPalette::Highlight));
        painter.drawRect(QRectF(whole.left(), whole.top(), whole.width() * m_share, whole.height()));
    }

private:
    double m_share = 0;
};

} // namespace

InclusionGrid::InclusionGrid(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("inclusionGrid"));
    setAccessibleName(QStringLiteral("Inclusion grid"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        QLabel *cell = new QLabel(this);
        cell->setObjectName(QStringLiteral("inclusion%1").arg(i + 1));
        cell->setAlignment(Qt::AlignCenter);
        cell->setFrameShape(QFrame::StyledPanel);
        cell->setMargin(cell->fontMetrics().averageCharWidth() / 2 + 1); // text clear of the border
        // A cell of its own on every style, framed or not.
        cell->setBackgroundRole(QPalette::Base);
        cell->setAutoFillBackground(true);
        cell->setMinimumWidth(cell->fontMetrics().averageCharWidth() * 10);
        grid->addWidget(cell, static_cast<int>(i / 3), static_cast<int>(i % 3));
        m_cells[i] = cell;
    }
}

void InclusionGrid::setChart(const chart::Chart &chart)
{
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
        const int count = chart.inclusion[i];
        // The engine's own lists say which numbers are lessons and passions.
        const int number = static_cast<int>(i) + 1;
        const QString mark = ToQString(chart::InclusionMark(chart, number));
        m_cells[i]->setText(QStringLiteral("<b>%1</b>: %2%3")
                                .arg(i + 1)
                                .arg(count)
                                .arg(QStringLiteral("<br><i>%1</i>").arg(mark.isEmpty() ? QStringLiteral("&nbsp;") : mark)));
        m_cells[i]->setAccessibleName(QStringLiteral("Inclusion %1: %2%3")
                                          .arg(i + 1)
                                          .arg(ToQString(chart::LetterCount(count)))
                                          .arg(mark.isEmpty() ? QString() : QStringLiteral(", ") + mark));
    }
}

void InclusionGrid::setMeaning(const QString &sentences)
{
    setAccessibleDescription(sentences);
    for (QLabel *cell : m_cells)
        cell->setAccessibleDescription(sentences);
}

PlanesChart::PlanesChart(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("planesChart"));
    setAccessibleName(QStringLiteral("Planes of expression"));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < m_planes.size(); ++i) {
        const QString plane = ToQString(chart::PlaneRows[i].key);
        auto *name = new QLabel(ToQString(chart::PlaneRows[i].label), this);
        auto *bar = new Bar(this);
        bar->setObjectName(plane + QStringLiteral("Bar"));
        auto *value = new QLabel(this);
        value->setObjectName(plane + QStringLiteral("Plane"));
        name->setBuddy(value);
        auto *meanings = new MeaningView(plane + QStringLiteral("Plane"), 1, this);
        const int row = static_cast<int>(2 * i);
        grid->addWidget(name, row, 0);
        grid->addWidget(bar, row, 1);
        grid->addWidget(value, row, 2);
        grid->addWidget(meanings, row + 1, 1, 1, 2);
        m_planes[i] = {bar, value, meanings};
    }
    grid->setColumnStretch(1, 1);
}

void PlanesChart::setChart(const chart::Chart &chart, const Date &today)
{
    int letters = 0;
    for (const chart::Plane &plane : chart.planes)
        letters += plane.count;
    std::vector<chart::ChartLine> lines;
    chart::AppendRowLines(*chart::FindChartRow("planes"), chart, chart::Words::Shown, lines);
    for (std::size_t i = 0; i < m_planes.size() && i < lines.size(); ++i) {
        const PlaneShown &shown = m_planes[i];
        static_cast<Bar *>(shown.bar)->setShare(letters == 0 ? 0.0 : double(chart.planes[i].count) / letters);
        shown.value->setText(ToQString(lines[i].value));
        shown.value->setAccessibleName(ToQString(lines[i].label) + QLatin1Char(' ') + shown.value->text());
        shown.bar->setAccessibleName(shown.value->accessibleName());
        shown.meanings->setMeanings(chart::LineMeanings(lines[i], chart, today));
        shown.value->setAccessibleDescription(shown.meanings->description());
        shown.bar->setAccessibleDescription(shown.meanings->description());
    }
}

} // namespace veltara::chartview
