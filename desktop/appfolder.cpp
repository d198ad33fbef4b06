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

QString AppPath(QStringView relative)
{
    QString path = relative.toString();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::cleanPath(ApplicationFolder() + path);
}

QPixmap LoadPicture(QStringView relative)
{
    // The reader tries the reader of the name's suffix first, so that only
    // the JPEG reader is loaded, and then the content: a picture saved in
    // another format under this name still shows. An empty, truncated or
    // foreign file fails.
    const QImage image = QImageReader(AppPath(relative)).read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

} // namespace veltara
