#pragma once

#include <QLatin1String>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

namespace control {

// The home pages opened by "Help", "Web Site", chosen by the identified company code.
inline constexpr QLatin1String MakerHomePage("https://www.veltrano.example/");
inline constexpr QLatin1String SecondVendorHomePage("https://www.dravik.example/");

// The page for a company code (exact, case-sensitive); nothing for any other code.
std::optional<QUrl> WebSiteFor(const QString &companyCode);

using UrlOpener = std::function<bool(const QUrl &)>;

// Opens the company's page with `open`, by default the desktop's browser. A code without a
// page does nothing; a browser that fails to start is not reported. Returns whether a page
// was handed to the opener.
bool WebSite1Click(const QString &companyCode, const UrlOpener &open = {});

} // namespace control
