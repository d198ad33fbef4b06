#include "timeline.h"

#include "chartview.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cmath>

namespace veltara::chartview {

namespace {

QString Latin(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString BandName(const chart::SpanRow &row, std::size_t i, const chart::Span &span)
{
    return SpanLabel(row, i) + QStringLiteral(": ") + SpanText(span);
}

// "Pinnacles" for the row of the pinnacles.
QString RowName(const chart::SpanRow &row)
{
    return Latin(row.label) + QLatin1Char('s');
}

// A band that takes the focus: it draws nothing but a frame while it has
// the focus, over the band the timeline draws. The frame is drawn here in
// the text colour, as some styles draw no focus frame of their own, and a
// current band's highlight would hide one in the highlight colour.
class BandFocus : public QWidget {
public:
    explicit BandFocus(QWidget *parent) : QWidget(parent) { setFocusPolicy(Qt::TabFocus); }

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        QWidget::focusInEvent(event);
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
};

} // namespace

double TimelineLayout::x(double age) const
{
    return scale.left() + scale.width() * std::clamp(age, 0.0, double(lastAge)) / lastAge;
}

namespace {

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

} // namespace

double TimelineHeight(const QFontMetricsF &metrics)
{
    return std::size(chart::SpanRows) * RowHeight(metrics) + ScaleHeight(metrics);
}

TimelineLayout LayOutTimeline(const QRectF &area, const chart::Chart &chart, const QFontMetricsF &metrics)
{
    TimelineLayout layout;
    double labelWidth = 0;
    for (const chart::SpanRow &row : chart::SpanRows)
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(RowName(row)));
    const double rowHeight = std::max(0.0, area.height() - ScaleHeight(metrics)) / std::size(chart::SpanRows);
    const double gap = metrics.height() * 0.5;
    layout.labels = QRectF(area.left(), area.top(), labelWidth + gap, rowHeight * std::size(chart::SpanRows));
    layout.scale = QRectF(area.left() + labelWidth + gap, area.top(), area.width() - labelWidth - 2 * gap,
                          area.height());

    // The ages from birth to some years past the last span's start and the
    // age on the reading date, in whole tens.
    int last = chart.age + 5;
    for (const chart::SpanRow &row : chart::SpanRows)
        last = std::max(last, row.spans(chart)[row.count - 1].fromAge + 20);
    layout.lastAge = (last + 9) / 10 * 10;
    layout.ageX = layout.x(chart.age + 0.5);

    for (std::size_t r = 0; r < std::size(chart::SpanRows); ++r) {
        const chart::SpanRow &row = chart::SpanRows[r];
        for (std::size_t i = 0; i < row.count; ++i) {
            const chart::Span &span = row.spans(chart)[i];
            const double left = layout.x(span.fromAge);
            const double right = layout.x(span.toAge < 0 ? layout.lastAge : span.toAge);
            const double inset = rowHeight * 0.06;
            layout.bands.push_back({QRectF(left + inset, area.top() + r * rowHeight + inset,
                                           std::max(0.0, right - left - 2 * inset), rowHeight - 2 * inset),
                                    QString::number(span.number.value), BandName(row, i, span), span.current});
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

    const double rowHeight = layout.labels.height() / std::size(chart::SpanRows);
    painter.setPen(palette.color(QPalette::WindowText));
    for (std::size_t r = 0; r < std::size(chart::SpanRows); ++r) {
        const QRectF label(layout.labels.left(), layout.labels.top() + r * rowHeight, layout.labels.width(), rowHeight);
        painter.drawText(label, Qt::AlignLeft | Qt::AlignVCenter, RowName(chart::SpanRows[r]));
    }
    for (const TimelineBand &band : layout.bands) {
        const QColor fill = band.current ? palette.color(QPalette::Highlight) : palette.color(QPalette::AlternateBase);
        painter.setPen(QPen(palette.color(QPalette::Mid), unit / 2));
        painter.setBrush(fill);
        painter.drawRoundedRect(band.rect, unit * 2, unit * 2);
        painter.setPen(palette.color(band.current ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(band.rect, Qt::AlignCenter, band.text);
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

QString TimelineDescription(const chart::Chart &chart)
{
    QStringList sentences;
    for (const chart::SpanRow &row : chart::SpanRows) {
        for (std::size_t i = 0; i < row.count; ++i)
            sentences << BandName(row, i, row.spans(chart)[i]) + QLatin1Char('.');
    }
    sentences << QStringLiteral("The age on the reading date: %1.").arg(chart.age);
    return sentences.join(QLatin1Char(' '));
}

CyclesTimeline::CyclesTimeline(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("cyclesTimeline"));
    setAccessibleName(QStringLiteral("Cycles timeline"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (const chart::SpanRow &row : chart::SpanRows) {
        for (std::size_t i = 0; i < row.count; ++i) {
            QWidget *band = new BandFocus(this);
            band->setObjectName(QStringLiteral("%1%2").arg(Latin(row.key)).arg(i + 1));
            m_bands.push_back(band);
        }
    }
}

void CyclesTimeline::setChart(const chart::Chart &chart)
{
    m_chart = chart;
    setAccessibleDescription(TimelineDescription(m_chart));
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
        m_bands[i]->setToolTip(layout.bands[i].name);
    }
}

} // namespace veltara::chartview
