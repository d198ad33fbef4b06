#include "classicui.h"

#include <QGuiApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QScreen>

#include <cmath>

namespace veltara {

namespace {

constexpr qreal TwipsPerInch = 1440.0;

qreal LogicalDpi()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchY() : 96.0;
}

} // namespace

int TwipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips * LogicalDpi() / TwipsPerInch));
}

QRect TwipsRect(int left, int top, int width, int height)
{
    // Map both edges, so neighbouring boxes still meet after rounding.
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

QSize TwipsSize(int width, int height)
{
    return QSize(TwipsToPixels(width), TwipsToPixels(height));
}

void InstallFontFallbacks()
{
    static const bool installed = [] {
        // Tahoma is a narrow humanist sans, Verdana its wide sibling, MS Sans
        // Serif a plain grotesque.
        QFont::insertSubstitutions(QStringLiteral("Tahoma"),
                                   {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans Narrow"),
                                    QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Verdana"),
                                   {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
        QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        return true;
    }();
    Q_UNUSED(installed);
}

QFont DesignFont(const QString &family, qreal pointSize, bool bold, bool underline)
{
    InstallFontFallbacks();
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setUnderline(underline);
    return font;
}

QFont Tahoma(bool bold, bool underline)
{
    return DesignFont(QStringLiteral("Tahoma"), 9.75, bold, underline);
}

void FitCaption(QLabel *label)
{
    QFont font = label->font();
    const int room = label->contentsRect().width();
    const int width = QFontMetrics(font).horizontalAdvance(label->text());
    if (width <= room)
        return;
    // Text width grows with the point size: start from the proportional size
    // (in quarter points), then step down for what rounding leaves over.
    font.setPointSizeF(std::floor(font.pointSizeF() * room / width * 4.0) / 4.0);
    while (font.pointSizeF() > 6.0 && QFontMetrics(font).horizontalAdvance(label->text()) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

void FitWrappedText(QLabel *label, const QFont &designed)
{
    QFont font = designed;
    const QRect room = label->contentsRect();
    const auto height = [&] {
        return QFontMetrics(font).boundingRect(room, Qt::TextWordWrap | label->alignment(), label->text()).height();
    };
    while (font.pointSizeF() > 6.0 && height() > room.height())
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

QString CaptionText(QStringView stored)
{
    QString shown = stored.toString();
    return shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
}

void SetTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, color);
    palette.setColor(QPalette::Disabled, QPalette::Text, color);
    widget->setPalette(palette);
}

void SetBackgroundColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

LinkLabel::LinkLabel(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

} // namespace veltara
