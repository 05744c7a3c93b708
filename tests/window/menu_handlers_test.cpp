// "Help", "About" and "Web Site": the identity shown and the page opened by company code.
#include "HandlersTestSupport.h"

#include "ui/MenuHandlers.h"
#include "ui/TrpVersionInfo.h"

#include <QAction>
#include <QUrl>

using handlerstest::HandlerFixture;
using handlerstest::q;

namespace {

using MenuTest = HandlerFixture;

} // namespace

TEST_F(MenuTest, AboutInDemoModeShowsAnUnknownCompanyAndEmptyIdentity)
{
    // Whatever an earlier read-back left as the company name, demo mode has no identity.
    form->State.CompanyName = q("Veltrano");
    form->About1->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, transport::UserDialogs::Kind::Information);
    EXPECT_EQ(dialogs.shown[0].buttons, QList{transport::UserDialogs::Button::Ok});
    EXPECT_EQ(dialogs.shown[0].text,
              q("Company: Unknown\r\nModel Number: \r\nSerial Number: 0\r\nFirmware Version: "
                "\r\nFPGA Version: \r\nSoftware Version: ") +
                  form->VersionInfo->FileVersion());
    EXPECT_FALSE(form->VersionInfo->FileVersion().isEmpty());
}

TEST_F(MenuTest, AboutShowsTheIdentifiedInstrument)
{
    model::InstrumentIdentity &id = form->State.InstrumentIdentity;
    id.CompanyCode = q("VN");
    id.ModelNumber = q("HRB8");
    id.SerialNumber = 1234;
    id.FirmwareVersion = q("1.2.3");
    id.FpgaVersion = q("2.0.1.7");
    form->About1->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1);
    const QStringList lines = dialogs.shown[0].text.split(q("\r\n"));
    EXPECT_EQ(lines, (QStringList{q("Company: Veltrano"), q("Model Number: HRB8"),
                                  q("Serial Number: 1234"), q("Firmware Version: 1.2.3"),
                                  q("FPGA Version: 2.0.1.7"),
                                  q("Software Version: ") + form->VersionInfo->FileVersion()}));
    EXPECT_FALSE(dialogs.shown[0].text.endsWith(u'\n'));
}

namespace {

struct SiteCase {
    const char *name;
    const char *companyCode;
    const char *url; // empty: nothing opened
};

class WebSite : public HandlerFixture, public ::testing::WithParamInterface<SiteCase> {};

} // namespace

TEST_P(WebSite, OpensTheCompanysPageOrNothing)
{
    QList<QUrl> opened;
    form->MenuHandling->OpenUrl = [&opened](const QUrl &url) {
        opened << url;
        return true;
    };
    form->State.InstrumentIdentity.CompanyCode = q(GetParam().companyCode);
    form->WebSite1->trigger();
    if (QString::fromLatin1(GetParam().url).isEmpty())
        EXPECT_TRUE(opened.isEmpty());
    else
        EXPECT_EQ(opened, QList{QUrl(q(GetParam().url))});
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    ByCompanyCode, WebSite,
    ::testing::Values(SiteCase{"Maker", "VN", "https://www.veltrano.example/"},
                      SiteCase{"SecondVendor", "DRK", "https://www.dravik.example/"},
                      SiteCase{"LowerCaseIsNoCode", "vn", ""}, SiteCase{"DemoEmpty", "", ""},
                      SiteCase{"Other", "XYZ", ""}),
    [](const auto &info) { return std::string(info.param.name); });
