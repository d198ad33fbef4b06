#include "appicon.h"

#include <QString>

namespace veltara {

QIcon ApplicationIcon()
{
    // Each size is drawn on its own, so none is scaled from another. Loaded
    // once: every window shares the same icon.
    static const QIcon icon = [] {
        QIcon drawings;
        for (const int size : {16, 24, 32, 48, 64, 128, 256})
            drawings.addFile(QStringLiteral(":/veltara/icons/veltara-%1.png").arg(size), QSize(size, size));
        return drawings;
    }();
    return icon;
}

} // namespace veltara
