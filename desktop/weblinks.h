// Opening pages of the maker's web site in the user's default browser.
// Every address is fixed; nothing in it comes from user input.
#pragma once

#include <QString>
#include <QStringView>
#include <QUrl>

namespace veltara {

// The host name of the maker's web site.
inline constexpr QStringView SiteHost = u"www.quorvale.com";

// Paths and page keys of the site.
namespace SitePath {
inline constexpr QStringView Donate = u"/donate.html";
inline constexpr QStringView CoBrandInfo = u"/co-brand.html";
inline constexpr QStringView HelpPages = u"/veltara-free-numerology-software/veltara-free-numerology-software-help.html";
inline constexpr QStringView PageBase = u"/veltara-free-numerology-software/ssd.php";
} // namespace SitePath

namespace PageKey {
inline constexpr QStringView CoBrand = u"co-brand";
inline constexpr QStringView FullyBranded = u"fully-branded";
inline constexpr QStringView Download = u"download-web-page";
} // namespace PageKey

// The bare site address (host only, or host followed directly by a path).
QString BareSiteAddress(QStringView path = {});
// The full address: http, the host and a path.
QString FullSiteAddress(QStringView path);

// The web address the browser is given: a bare address gets the http scheme.
QUrl WebUrl(const QString &address);

// Hands an address to the default browser. The result is not reported.
void OpenWebAddress(const QString &address);
// Opens the site page of a page key. The result is not reported.
void OpenSitePage(QStringView pageKey);

} // namespace veltara
