#include "control/WebSite.h"

#include <QDesktopServices>

namespace control {

std::optional<QUrl> WebSiteFor(const QString &companyCode)
{
    if (companyCode == QLatin1String("VN"))
        return QUrl(MakerHomePage);
    if (companyCode == QLatin1String("DRK"))
        return QUrl(SecondVendorHomePage);
    return std::nullopt;
}

bool WebSite1Click(const QString &companyCode, const UrlOpener &open)
{
    const std::optional<QUrl> url = WebSiteFor(companyCode);
    if (!url)
        return false;
    if (open)
        open(*url);
    else
        QDesktopServices::openUrl(*url);
    return true;
}

} // namespace control
