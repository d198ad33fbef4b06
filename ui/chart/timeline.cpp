#include "timeline.h"

#include "meaningview.h"
#include "textunits.h"

#include <functional>

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace veltara::chartview {

namespace {

QString BandName(const chart::ChartRow &row, std::size_t i, const chart::Span &span)
{
    return ToQString(chart::ItemLabel(row, i, chart::Words::Shown)) + QStringLiteral(": ") +
           ToQString(chart::SpanText(span));
}

// The rows of the spans, in the table's order.
std::vector<const chart::ChartRow *> SpanRows()
{
    std::vector<const chart::ChartRow *> rows;
    for (const chart::ChartRow &row : chart::ChartRows) {
        if (chart::HoldsSpans(row))
            rows.push_back(&row);
    }
    return rows;
}

// A band that takes the focus: it draws nothing but a frame while it has
// the focus, over the band the timeline draws. The frame is drawn here in
// the text colour, as some styles draw no focus frame of their own, and a
// current band's highlight would hide one in the highlight colour.
class BandFocus : public QWidget {
public:
    BandFocus(QWidget *parent, std::function<void()> chosen) : QWidget(parent), m_chosen(std::move(chosen))
    {
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QWidget::focusInEvent(event);
        m_chosen();
        update();
    }
    void focusOutEvent(QFocusEvent *event) override
    {
        QWidget::focusOutEvent(event);
        update();
    }
    void paintEvent(QPaintEvent *) override
    {
        if (!hasFocus())
            return;
        QPainter painter(this);
        const double width = std::max(2.0, fontMetrics().height() / 8.0);
        painter.setPen(QPen(palette().color(QPalette::WindowText), width, Qt::DotLine));
        painter.drawRect(QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2));
    }

private:
    std::function<void()> m_chosen;
};

double RowHeight(const QFontMetricsF &metrics)
{
    return metrics.height() * 1.8;
}

// Under the bands: the axis, its ticks, the ages and the label of the age on
// the reading date.
double ScaleHeight(const QFontMetricsF &metrics)
{
    return metrics.height() * 2.6;
}

// Where a band's text goes: the number and its ages where they fit, else the
// number alone; centred, or on the wider side of the age line when that
// would cross it.
void PlaceBandText(TimelineBand &band, const QString &number, const QString &ages, double ageX,
                   const QFontMetricsF &metrics)
{
    const double pad = metrics.averageCharWidth() / 2;
    const bool crossed = ageX > band.rect.left() && ageX < band.rect.right();
    const QRectF leftSide(band.rect.left(), band.rect.top(), ageX - band.rect.left(), band.rect.height());
    const QRectF rightSide(ageX, band.rect.top(), band.rect.right() - ageX, band.rect.height());
    for (const QString &text : {number + QStringLiteral("  ") + ages, number}) {
        const double width = metrics.horizontalAdvance(text) + 2 * pad;
        const QRectF centred(band.rect.center().x() - width / 2, band.rect.top(), width, band.rect.height());
        QRectF room = band.rect;
        if (crossed && ageX > centred.left() - pad && ageX < centred.right() + pad)
            room = leftSide.width() > rightSide.width() ? leftSide : rightSide;
        if (width <= room.width() || text == number) {
            band.text = text;
            band.textRect = QRectF(room.center().x() - width / 2, band.rect.top(), width, band.rect.height());
            return;
        }
    }
}

// The spans in words, for screen readers: "Pinnacle 1: 8, ages 0 to 31. ...
// The age on the reading date: 69."
QString TimelineDescription(const chart::Chart &chart)
{
    QStringList sentences;
    for (const chart::ChartRow *row : SpanRows()) {
        const std::span<const chart::Span> spans = chart::SpansOf(*row, chart);
        for (std::size_t i = 0; i < spans.size(); ++i)
            sentences << BandName(*row, i, spans[i]) + QLatin1Char('.');
    }
    sentences << QStringLiteral("The age on the reading date: %1.").arg(chart.age);
    return sentences.join(QLatin1Char(' '));
}

} // namespace

double TimelineLayout::x(double age) const
{
    return scale.left() + scale.width() * std::clamp(age, 0.0, double(lastAge)) / lastAge;
}

double TimelineHeight(const QFontMetricsF &metrics)
{
    return chart::SpanRowCount * RowHeight(metrics) + ScaleHeight(metrics);
}

TimelineLayout LayOutTimeline(const QRectF &area, const chart::Chart &chart, const QFontMetricsF &metrics)
{
    TimelineLayout layout;
    double labelWidth = 0;
    const std::vector<const chart::ChartRow *> rows = SpanRows();
    for (const chart::ChartRow *row : rows)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(ToQString(chart::SpansLabel(*row))));
    const double rowHeight = std::max(0.0, area.height() - ScaleHeight(metrics)) / chart::SpanRowCount;
    const double gap = metrics.height() * 0.5;
    layout.lastAge = std::max(90, chart.age + 10);
    // Room on the right for half the widest age under the scale.
    const double margin = std::max(gap, metrics.horizontalAdvance(QString::number(layout.lastAge)) / 2 + gap / 2);
    layout.labels = QRectF(area.left(), area.top(), labelWidth + gap, rowHeight * chart::SpanRowCount);
    layout.scale = QRectF(area.left() + labelWidth + gap, area.top(), area.width() - labelWidth - gap - margin,
                          area.height());
    layout.ageX = layout.x(chart.age + 0.5);

    for (std::size_t r = 0; r < rows.size(); ++r) {
        const chart::ChartRow &row = *rows[r];
        const std::span<const chart::Span> spans = chart::SpansOf(row, chart);
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const chart::Span &span = spans[i];
            const double left = layout.x(span.fromAge);
            const double right = layout.x(span.toAge < 0 ? layout.lastAge : span.toAge);
            const double inset = rowHeight * 0.06;
            TimelineBand &band = layout.bands.emplace_back();
            band.rect = QRectF(left + inset, area.top() + r * rowHeight + inset,
                               std::max(0.0, right - left - 2 * inset), rowHeight - 2 * inset);
            band.name = BandName(row, i, span);
            band.current = span.current;
            PlaceBandText(band, QString::number(span.number.value), ToQString(chart::AgesText(span)), layout.ageX,
                          metrics);
        }
    }
    return layout;
}

void PaintTimeline(QPainter &painter, const QRectF &area, const chart::Chart &chart, const QPalette &palette)
{
    // The font as the device measures it: a PDF page has many more dots to
    // the inch than a screen. Lengths follow the font for the same reason.
    const QFontMetricsF metrics(painter.font(), painter.device());
    const TimelineLayout layout = LayOutTimeline(area, chart, metrics);
    const double unit = metrics.height() / 8; // a thin line, about 2 pixels on a screen
    const double tick = unit * 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    const double rowHeight = layout.labels.height() / chart::SpanRowCount;
    painter.setPen(palette.color(QPalette::WindowText));
    const std::vector<const chart::ChartRow *> rows = SpanRows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const QRectF label(layout.labels.left(), layout.labels.top() + r * rowHeight, layout.labels.width(), rowHeight);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, ToQString(chart::SpansLabel(*rows[r])));
    }
    for (const TimelineBand &band : layout.bands) {
        const QColor fill = band.current ? palette.color(QPalette::Highlight) : palette.color(QPalette::AlternateBase);
        painter.setPen(QPen(palette.color(QPalette::Mid), unit / 2));
        painter.setBrush(fill);
        painter.drawRoundedRect(band.rect, unit * 2, unit * 2);
        painter.setPen(palette.color(band.current ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(band.textRect, Qt::AlignCenter, band.text);
    }

    // The scale: a tick and its age every ten years.
    const double axisY = layout.labels.bottom() + unit;
    painter.setPen(QPen(palette.color(QPalette::WindowText), unit / 2));
    painter.drawLine(QPointF(layout.x(0), axisY), QPointF(layout.x(layout.lastAge), axisY));
    const int step = layout.lastAge > 200 ? layout.lastAge / 10 / 10 * 10 : 10;
    for (int age = 0; age <= layout.lastAge; age += step) {
        const double x = layout.x(age);
        painter.drawLine(QPointF(x, axisY), QPointF(x, axisY + tick));
        const QString text = QString::number(age);
        const double width = metrics.horizontalAdvance(text) + tick;
        painter.drawText(QRectF(x - width / 2, axisY + tick, width, metrics.height()), Qt::AlignCenter, text);
    }

    // The age on the reading date.
    painter.setPen(QPen(palette.color(QPalette::Link), unit * 1.5));
    painter.drawLine(QPointF(layout.ageX, area.top()), QPointF(layout.ageX, axisY + tick + metrics.height()));
    const QString age = QStringLiteral("age %1").arg(chart.age);
    const double width = metrics.horizontalAdvance(age) + tick;
    const double left = std::min(layout.ageX + tick, area.right() - width);
    painter.drawText(QRectF(left, axisY + tick + metrics.height(), width, metrics.height()), Qt::AlignLeft, age);
    painter.restore();
}

CyclesTimeline::CyclesTimeline(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("cyclesTimeline"));
    setAccessibleName(QStringLiteral("Cycles timeline"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const chart::Chart none;
    for (const chart::ChartRow *row : SpanRows()) {
        for (std::size_t i = 0; i < chart::SpansOf(*row, none).size(); ++i) {
            const std::size_t index = m_bands.size();
            QWidget *band = new BandFocus(this, [this, index] { emit bandChosen(index); });
            band->setObjectName(QStringLiteral("%1%2").arg(ToQString(row->key)).arg(i + 1));
            m_bands.push_back(band);
            m_places.emplace_back(row, i);
        }
    }
}

chart::ChartLine CyclesTimeline::bandLine(std::size_t band) const
{
    const auto [row, item] = m_places.at(band);
    return {row, std::string(row->key) + std::to_string(item + 1), chart::ItemLabel(*row, item, chart::Words::Shown),
            chart::SpanText(chart::SpansOf(*row, m_chart)[item]), Breaks::AtSpaces, item};
}

std::size_t CyclesTimeline::currentPinnacle() const
{
    for (std::size_t band = 0; band < m_places.size(); ++band) {
        const auto [row, item] = m_places[band];
        if (row->key == "pinnacles" && chart::SpansOf(*row, m_chart)[item].current)
            return band;
    }
    return 0;
}

void CyclesTimeline::setChart(const chart::Chart &chart, const Date &today)
{
    m_chart = chart;
    setAccessibleDescription(TimelineDescription(m_chart));
    for (std::size_t band = 0; band < m_bands.size(); ++band)
        m_bands[band]->setAccessibleDescription(MeaningSentences(chart::LineMeanings(bandLine(band), m_chart, today)));
    placeBands();
    update();
}

QSize CyclesTimeline::sizeHint() const
{
    const QFontMetricsF metrics(font());
    return QSize(int(metrics.averageCharWidth() * 70), int(std::ceil(TimelineHeight(metrics))));
}

QSize CyclesTimeline::minimumSizeHint() const
{
    const QFontMetricsF metrics(font());
    return QSize(int(metrics.averageCharWidth() * 40), sizeHint().height());
}

void CyclesTimeline::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetricsF metrics(font());
    PaintTimeline(painter, QRectF(0, 0, width(), TimelineHeight(metrics)), m_chart, palette());
}

void CyclesTimeline::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeBands();
}

void CyclesTimeline::placeBands()
{
    const QFontMetricsF metrics(font());
    const TimelineLayout layout = LayOutTimeline(QRectF(0, 0, width(), TimelineHeight(metrics)), m_chart, metrics);
    for (std::size_t i = 0; i < m_bands.size() && i < layout.bands.size(); ++i) {
        m_bands[i]->setGeometry(layout.bands[i].rect.toAlignedRect());
        m_bands[i]->setAccessibleName(layout.bands[i].name);
        m_bands[i]->setToolTip(layout.bands[i].name + QLatin1Char('\n') + m_bands[i]->accessibleDescription());
    }
}

} // namespace veltara::chartview
