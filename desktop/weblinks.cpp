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

QString SitePageAddress(QStringView pageKey)
{
    return FullSiteAddress(SitePath::PageBase).append(u"?page=").append(pageKey);
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
    QDesktopServices::openUrl(WebUrl(SitePageAddress(pageKey)));
}

} // namespace veltara
