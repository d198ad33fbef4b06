#include "appicon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace veltara {

QIcon ApplicationIcon()
{
    // Each size is drawn on its own, so none is scaled from another. Loaded
    // once: every window shares the same icon. Added as pictures, not as
    // files: a file makes the toolkit look through its icon-engine plug-ins
    // first, which costs more than reading the pictures, and the window
    // system takes every size at the first window anyway.
    static const QIcon icon = [] {
        QIcon drawings;
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            // Read as PNG and nothing else: guessing the format would load
            // and ask every image plug-in of the system first.
            QImageReader reader(QStringLiteral(":/veltara/icons/veltara-%1.png").arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            drawings.addPixmap(QPixmap::fromImage(reader.read()));
        }
        return drawings;
    }();
    return icon;
}

} // namespace veltara
