#include "appicon.h"

#include <QString>

namespace veltara {

QIcon ApplicationIcon()
{
    // Each size is drawn on its own, so none is scaled from another.
    static const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    QIcon icon;
    for (const int size : sizes)
        icon.addFile(QStringLiteral(":/veltara/icons/veltara-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace veltara
