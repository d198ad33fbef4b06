#include "appfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace veltara {

namespace {

QString &overriddenFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString ApplicationFolder()
{
    if (!overriddenFolder().isEmpty())
        return overriddenFolder();
    // applicationDirPath() follows /proc/self/exe on Linux, which already
    // resolves links; canonicalFilePath keeps other platforms the same.
    const QString canonical = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    return canonical.isEmpty() ? QCoreApplication::applicationDirPath() : QFileInfo(canonical).absolutePath();
}

void SetApplicationFolder(const QString &folder)
{
    overriddenFolder() = folder;
}

QPixmap LoadPicture(QStringView fileName)
{
    // The reader tries the reader of the name's suffix first, so that only
    // the JPEG reader is loaded, and then the content: a picture saved in
    // another format under this name still shows. An empty, truncated or
    // foreign file fails.
    const QString path = QDir::cleanPath(ApplicationFolder() + QStringLiteral("/pu/") + fileName.toString());
    const QImage image = QImageReader(path).read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

} // namespace veltara
