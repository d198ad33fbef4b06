#include "weblinks.h"

#include <QDesktopServices>

namespace veltara {

QString BareSiteAddress(QStringView path)
{
    QString address = SiteHost.toString();
    return address.append(path);
}

QString FullSiteAddress(QStringView path)
{
    QString address = QStringLiteral("http://");
    return address.append(SiteHost).append(path);
}

QUrl WebUrl(const QString &address)
{
    const bool hasScheme = address.startsWith(QStringLiteral("http://")) || address.startsWith(QStringLiteral("https://"));
    return QUrl(hasScheme ? address : QStringLiteral("http://") + address, QUrl::StrictMode);
}

void OpenWebAddress(const QString &address)
{
    QDesktopServices::openUrl(WebUrl(address));
}

void OpenSitePage(QStringView pageKey)
{
    // The page base, "?page=" and the key, with nothing else.
    QDesktopServices::openUrl(WebUrl(FullSiteAddress(SitePath::PageBase).append(u"?page=").append(pageKey)));
}

} // namespace veltara
