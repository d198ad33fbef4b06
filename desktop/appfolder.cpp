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
    // The content decides the format, so a picture saved under another
    // format's name still shows; an empty, truncated or foreign file fails.
    QImageReader reader(AppPath(relative));
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

} // namespace veltara
