// The desktop's widget style with one change: the icons of the overflow
// buttons of menu bars and tool bars are read only when first drawn.
#pragma once

#include <QProxyStyle>

namespace veltara {

// The toolkit reads those icons as pictures of unknown format, which loads
// every image plug-in of the system to ask it, before the first window
// shows. Every menu bar makes its overflow button at once, yet the button
// only shows when the menus do not fit.
class ApplicationStyle : public QProxyStyle {
    Q_OBJECT

public:
    // Takes the desktop style over, as QProxyStyle does.
    explicit ApplicationStyle(QStyle *desktop);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;

    // The desktop style as the user chose it (-style, the desktop's own).
    static const QStyle *desktopStyle(const QStyle *style);
};

// Makes the application's style an ApplicationStyle over the one it has.
void UseApplicationStyle();

} // namespace veltara
