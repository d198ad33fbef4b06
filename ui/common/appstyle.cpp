#include "appstyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

namespace veltara {

namespace {

// An icon of the base style, asked for when it is first drawn or measured.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle *style, QStyle::StandardPixmap which, Qt::LayoutDirection direction)
        : m_style(style), m_which(which), m_direction(direction)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    // Not null: every style has these icons, and asking would read them.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("veltara-deferred"); }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (!m_read) {
            m_read = true;
            if (m_style) {
                QStyleOption option;
                option.direction = m_direction;
                m_icon = m_style->standardIcon(m_which, &option);
            }
        }
        return m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    Qt::LayoutDirection m_direction;
    bool m_read = false;
    QIcon m_icon;
};

} // namespace

ApplicationStyle::ApplicationStyle(QStyle *desktop) : QProxyStyle(desktop) {}

QIcon ApplicationStyle::standardIcon(StandardPixmap icon, const QStyleOption *option, const QWidget *widget) const
{
    if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton)
        return QProxyStyle::standardIcon(icon, option, widget);
    const Qt::LayoutDirection direction =
        option ? option->direction : widget ? widget->layoutDirection() : QGuiApplication::layoutDirection();
    return QIcon(new DeferredIconEngine(baseStyle(), icon, direction));
}

const QStyle *ApplicationStyle::desktopStyle(const QStyle *style)
{
    if (const auto *ours = qobject_cast<const ApplicationStyle *>(style))
        return ours->baseStyle();
    return style;
}

void UseApplicationStyle()
{
    QStyle *desktop = QApplication::style();
    if (qobject_cast<ApplicationStyle *>(desktop))
        return;
    QApplication::setStyle(new ApplicationStyle(desktop));
}

} // namespace veltara
