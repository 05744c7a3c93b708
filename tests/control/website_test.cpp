#include "control/WebSite.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct SiteCase {
    const char *code;
    const char *url; // nullptr: no page
};

void PrintTo(const SiteCase &c, std::ostream *os)
{
    *os << '"' << c.code << '"';
}

class WebSiteTest : public ::testing::TestWithParam<SiteCase> {};

TEST_P(WebSiteTest, PageByCompanyCode)
{
    const SiteCase &c = GetParam();
    QList<QUrl> opened;
    const bool handed = control::WebSite1Click(QString::fromLatin1(c.code), [&](const QUrl &u) {
        opened << u;
        return true;
    });
    if (c.url) {
        EXPECT_TRUE(handed);
        EXPECT_EQ(opened, QList<QUrl>{QUrl(QString::fromLatin1(c.url))});
    } else {
        EXPECT_FALSE(handed);
        EXPECT_TRUE(opened.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, WebSiteTest,
                         ::testing::Values(SiteCase{"VN", "https://www.veltrano.example/"},
                                           SiteCase{"DRK", "https://www.dravik.example/"},
                                           SiteCase{"", nullptr}, SiteCase{"vn", nullptr},
                                           SiteCase{"VN ", nullptr}, SiteCase{"DRKX", nullptr},
                                           SiteCase{"XYZ", nullptr}));

TEST(WebSiteTest, OpenerFailureIsNotReported)
{
    EXPECT_TRUE(control::WebSite1Click(QStringLiteral("VN"), [](const QUrl &) { return false; }));
}

TEST(WebSiteTest, PagesAreSecureAddresses)
{
    for (const QUrl &u : {QUrl(control::MakerHomePage), QUrl(control::SecondVendorHomePage)}) {
        EXPECT_TRUE(u.isValid());
        EXPECT_EQ(u.scheme(), QStringLiteral("https"));
    }
}

} // namespace
