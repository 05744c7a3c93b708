#include "control/AboutBox.h"
#include "model/InstrumentIdentity.h"
#include "model/ModelRules.h"
// GCC 12 takes the copy of a scripted std::optional<QString> answer for uninitialised use
// once it inlines the chooser methods here; the answers are never read in this file.
#include "tests/support/ScriptedDialogs.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

QString about(const model::InstrumentIdentity &id)
{
    return control::AboutText(id, model::CompanyNameOf(id.CompanyCode), QStringLiteral("1.0.0.0"));
}

TEST(AboutText, IdentifiedInstrument)
{
    model::InstrumentIdentity id;
    id.CompanyCode = QStringLiteral("VN");
    id.ModelNumber = QStringLiteral("HRA8");
    id.SerialNumber = 1234;
    id.FirmwareVersion = QStringLiteral("2.10");
    id.FpgaVersion = QStringLiteral("7");
    EXPECT_EQ(about(id), QStringLiteral("Company: Veltrano\r\n"
                                        "Model Number: HRA8\r\n"
                                        "Serial Number: 1234\r\n"
                                        "Firmware Version: 2.10\r\n"
                                        "FPGA Version: 7\r\n"
                                        "Software Version: 1.0.0.0"));
}

TEST(AboutText, DemoModeShowsAnEmptyIdentity)
{
    const QStringList lines = about({}).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("Company: Unknown"), QStringLiteral("Model Number: "),
                           QStringLiteral("Serial Number: 0"), QStringLiteral("Firmware Version: "),
                           QStringLiteral("FPGA Version: "),
                           QStringLiteral("Software Version: 1.0.0.0")}));
}

TEST(AboutText, NegativeSerialNumberInDecimal)
{
    model::InstrumentIdentity id;
    id.SerialNumber = -5;
    EXPECT_TRUE(about(id).contains(QStringLiteral("\r\nSerial Number: -5\r\n")));
}

TEST(About1Click, InformationBoxWithOk)
{
    testsupport::ScriptedDialogs dialogs;
    model::InstrumentIdentity id;
    id.CompanyCode = QStringLiteral("DRK");
    control::About1Click(dialogs, id, QStringLiteral("Dravik"), QStringLiteral("2.0"));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, transport::UserDialogs::Kind::Information);
    EXPECT_EQ(dialogs.shown[0].buttons,
              QList<transport::UserDialogs::Button>{transport::UserDialogs::Button::Ok});
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("Company: Dravik\r\n")));
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(QStringLiteral("\r\nSoftware Version: 2.0")));
}

} // namespace
