// The first read-back against stand-in instruments of each series: settings lines, the wire
// order of the queries, and what the window shows for the model.
#include "tests/e2e/E2eWindow.h"

#include "model/ProgramState.h"
#include "ui/TCheckListBox.h"
#include "ui/TPlusSpinEdit.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

using e2e::WindowFixture;

QStringList systemQueries(const QStringList &clockQueries)
{
    QStringList q{QStringLiteral(":PULS0:COUN:STAT?"), QStringLiteral(":PULS0:PER?"),
                  QStringLiteral(":PULS0:BCO?"),       QStringLiteral(":PULS0:MOD?"),
                  QStringLiteral(":PULS0:PCO?"),       QStringLiteral(":PULS0:OCO?"),
                  QStringLiteral(":PULS0:TRIG:MODE?"), QStringLiteral(":PULS0:TRIG:EDG?"),
                  QStringLiteral(":PULS0:TRIG:LEV?"),  QStringLiteral(":PULS0:GATE:MODE?"),
                  QStringLiteral(":PULS0:GATE:LOG?"),  QStringLiteral(":PULS0:GATE:LEV?"),
                  QStringLiteral(":SYST:AUT?")};
    return q + clockQueries;
}

QStringList channelQueries(int n, bool calibration)
{
    QStringList q;
    if (calibration)
        q << QStringLiteral(":PULS1:CAL:TYPE?"); // always channel 1
    for (const char *path : {":STAT", ":DEL", ":WIDT", ":CMOD", ":BCO", ":PCO", ":OCO", ":SYNC",
                             ":POL", ":WCO", ":CGAT", ":OUTP:AMPL", ":OUTP:MOD", ":MUX"})
        q << QStringLiteral(":PULS%1%2?").arg(n).arg(QLatin1String(path));
    return q;
}

TEST_F(WindowFixture, Hra2ReadBackGivesTheSettingsFileAndQueriesInOrder)
{
    auto &sim = addInstrument(3, {QStringLiteral("--model"), QStringLiteral("HRA2"),
                                  QStringLiteral("--serial"), QStringLiteral("512"),
                                  QStringLiteral("--firmware"), QStringLiteral("2.1.4"),
                                  QStringLiteral("--fpga"), QStringLiteral("1.3.0")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());

    const QStringList lines = form->State.SettingsList;
    ASSERT_EQ(lines.size(), 48) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^// .+,.+$")).match(lines[0]).hasMatch())
        << lines[0].toStdString();
    QStringList expected{
        QStringLiteral("// Veltrano Model HRA2  SW Version: 1.0.0.0 ComPort: 3 Baud: 115200"),
        QStringLiteral("// Serial Number: 512"),
        QStringLiteral("// Firmware Ver: 2.1.4"),
        QStringLiteral("// FPGA Ver: 1.3.0"),
        QStringLiteral(":PULS0:COUN:STAT 0"),
        QStringLiteral(":PULS0:PER 0.001"),
        QStringLiteral(":PULS0:BCO 1"),
        QStringLiteral(":PULS0:MOD NORM"),
        QStringLiteral(":PULS0:PCO 1"),
        QStringLiteral(":PULS0:OCO 1"),
        QStringLiteral(":PULS0:TRIG:MODE DIS"),
        QStringLiteral(":PULS0:TRIG:EDG RIS"),
        QStringLiteral(":PULS0:TRIG:LEV 2.5"),
        QStringLiteral(":PULS0:GATE:MOD DIS"),
        QStringLiteral(":PULS0:GATE:LOG HIGH"),
        QStringLiteral(":PULS0:GATE:LEV 2.5"),
        QStringLiteral(":SYST:AUT 0"),
        QStringLiteral(":PULS0:ICL SYS"),
        QStringLiteral(":PULS0:OCL T0"),
    };
    for (int n = 1; n <= 2; ++n) {
        const QString h = QStringLiteral(":PULS%1").arg(n);
        expected << h + QStringLiteral(":STAT 1") << h + QStringLiteral(":DEL 0")
                 << h + QStringLiteral(":WIDT 1E-5") << h + QStringLiteral(":CMOD NORM")
                 << h + QStringLiteral(":BCO 1") << h + QStringLiteral(":PCO 1")
                 << h + QStringLiteral(":OCO 1") << h + QStringLiteral(":SYNC T0")
                 << h + QStringLiteral(":POL NORM") << h + QStringLiteral(":WCO 0")
                 << h + QStringLiteral(":CGAT DIS") << h + QStringLiteral(":OUTP:AMPL 5")
                 << h + QStringLiteral(":OUTP:MOD TTL")
                 << h + QStringLiteral(":MUX %1").arg(n == 1 ? 1 : 2);
    }
    EXPECT_EQ(lines.mid(1), expected);
    EXPECT_EQ(form->windowTitle(), expected[0].mid(3));

    QStringList wire{QStringLiteral("*IDN?"), QStringLiteral("*IDN?")};
    wire << systemQueries({QStringLiteral(":PULS0:ICL?"), QStringLiteral(":PULS0:OCL?")})
         << channelQueries(1, true) << channelQueries(2, true);
    EXPECT_EQ(sim.received().mid(0, wire.size()), wire);

    // Two channels: tabs A and B only, lists trimmed to the channels there are.
    for (int page = 0; page < 8; ++page)
        EXPECT_EQ(form->ChPageControl->isTabVisible(page), page < 2) << page;
    EXPECT_EQ(comboItems(form->ChSyncSourceSel[1]),
              (QStringList{QStringLiteral("T0"), QStringLiteral("Ch B")}));
    EXPECT_EQ(form->MuxSelect[2]->count(), 2);
    EXPECT_TRUE(form->MuxSelect[2]->Checked(1));
    EXPECT_FALSE(form->MuxSelect[2]->Checked(0));
    // Series 1 ranges.
    EXPECT_EQ(form->PeriodAdj->Decimals(), 8);
    EXPECT_DOUBLE_EQ(form->PeriodAdj->MinValue(), 5e-8);
    EXPECT_DOUBLE_EQ(form->ChDelayAdj[1]->MaxValue(), 999.99999999975);
    EXPECT_DOUBLE_EQ(form->SysBurstAdj->MaxValue(), 9999999);
    EXPECT_DOUBLE_EQ(form->PeriodAdj->Value(), 0.001);
}

TEST_F(WindowFixture, Hla4HasNoClocksAndFourChannels)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HLA4")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());

    const QStringList wire = sim.received();
    for (const QString &line : wire)
        EXPECT_FALSE(line.contains(QStringLiteral(":ICL")) ||
                     line.contains(QStringLiteral(":OCL")) ||
                     line.contains(QStringLiteral("CAL:TYPE")))
            << line.toStdString();
    EXPECT_TRUE(form->ExternalInputClkGrp->isHidden());
    EXPECT_TRUE(form->ExternalOutputClkGrp->isHidden());
    for (int page = 0; page < 8; ++page)
        EXPECT_EQ(form->ChPageControl->isTabVisible(page), page < 4) << page;
    EXPECT_EQ(comboItems(form->ChSyncSourceSel[3]),
              (QStringList{QStringLiteral("T0"), QStringLiteral("Ch A"), QStringLiteral("Ch B"),
                           QStringLiteral("Ch D")}));
    EXPECT_EQ(form->ChDelayAdj[4]->Decimals(), 9);
    EXPECT_DOUBLE_EQ(form->ChDelayAdj[4]->MinValue(), -999.999999999);
    // Channels the instrument lacks keep their designed ranges.
    EXPECT_EQ(form->ChDelayAdj[5]->Decimals(), 9);
    EXPECT_DOUBLE_EQ(form->ChDelayAdj[5]->MinValue(), -1000);
    for (const QString &line : form->State.SettingsList)
        EXPECT_FALSE(line.startsWith(QStringLiteral(":PULS0:ICL")) ||
                     line.startsWith(QStringLiteral(":PULS0:OCL")));
}

TEST_F(WindowFixture, Hrb8ReadsTheSecondClockDialect)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRB8")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());

    QStringList wire{QStringLiteral("*IDN?"), QStringLiteral("*IDN?")};
    wire << systemQueries({QStringLiteral(":PULS0:ICL:MOD?"), QStringLiteral(":PULS0:ICL:RAT?"),
                           QStringLiteral(":PULS0:ICL:LEV?"), QStringLiteral(":PULS0:ICL:OPT?"),
                           QStringLiteral(":PULS0:OCL?")})
         << channelQueries(1, false);
    EXPECT_EQ(sim.received().mid(0, wire.size()), wire);

    EXPECT_EQ(comboItems(form->ExternalInputClkSel),
              (QStringList{QStringLiteral("Internal"), QStringLiteral("External"),
                           QStringLiteral("Ext w/PLL")}));
    EXPECT_EQ(
        comboItems(form->ExternalOutputClkSel),
        (QStringList{QStringLiteral("Disabled"), QStringLiteral("5 MHz"), QStringLiteral("10 MHz"),
                     QStringLiteral("20 MHz"), QStringLiteral("40 MHz"), QStringLiteral("Ch Clock"),
                     QStringLiteral("Rate Clock"), QStringLiteral("T0 Pulse")}));
    EXPECT_EQ(form->ExternalOutputClkSel->currentIndex(), 0); // the instrument says DIS
    EXPECT_FALSE(form->ExternalOptionGrp->isHidden());
    EXPECT_FALSE(form->InputClockRateGrp->isHidden());
    EXPECT_EQ(form->InputClockRateAdj->Value(), form->State.SystemSettings.InputClockRate);
    EXPECT_TRUE(form->State.SettingsList.contains(
        QStringLiteral(":PULS0:ICL:RAT %1").arg(form->State.SystemSettings.InputClockRate)));
    for (int page = 0; page < 8; ++page)
        EXPECT_TRUE(form->ChPageControl->isTabVisible(page)) << page;
}

} // namespace

namespace {

// Replies an instrument or a noisy line may give. Each settings line carries the reply as the
// read-back decoded it, never the value an edit clamped it to, and a reply ends at its first
// line break.
TEST_F(WindowFixture, BadRepliesGiveTheDecodedValuesInTheSettingsList)
{
    addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2"), QStringLiteral("--reply"),
                      QStringLiteral(":PULS1:WIDT?=12abc"), QStringLiteral("--reply"),
                      QStringLiteral(":PULS2:DEL?="), QStringLiteral("--reply"),
                      QStringLiteral(":PULS0:BCO?=4000000000"), QStringLiteral("--reply"),
                      QStringLiteral(":PULS0:MOD?=XYZ"), QStringLiteral("--reply"),
                      QStringLiteral(":PULS1:POL?=INV\r\n:PULS0:STAT ON")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    const auto check = [this](const char *when) {
        SCOPED_TRACE(when);
        const QStringList lines = form->State.SettingsList;
        EXPECT_EQ(lines.size(), 48) << lines.join(u'\n').toStdString();
        for (const char *expected : {":PULS1:WIDT 0", ":PULS2:DEL 0", ":PULS0:BCO 4000000000",
                                     ":PULS0:MOD XYZ", ":PULS1:POL INV"})
            EXPECT_TRUE(lines.contains(QLatin1String(expected))) << expected;
        for (const QString &line : lines)
            EXPECT_FALSE(line.contains(QLatin1String(":PULS0:STAT"))) << line.toStdString();

        // The records hold what was decoded; the edits show what they can of it.
        const model::ProgramState &s = form->State;
        EXPECT_EQ(form->SysBurstAdj->Value(), 9999999.0);
        EXPECT_EQ(s.SystemSettings.BurstCount, 4000000000u);
        EXPECT_EQ(form->ChWidthAdj[1]->Value(), 1e-8);
        EXPECT_EQ(s.ChannelSettings[1].Width, 0.0);
        EXPECT_EQ(form->ChDelayAdj[2]->Value(), 0.0);
        EXPECT_EQ(s.ChannelSettings[2].Delay, 0.0);
        EXPECT_EQ(s.SystemSettings.PulseMode, 0) << "an unknown token keeps the previous one";
        EXPECT_EQ(form->SystemModeSel->currentIndex(), 0);
        EXPECT_EQ(s.ChannelSettings[1].Polarity, 0);
        EXPECT_EQ(form->ChPolaritySel[1]->currentIndex(), 0);
    };
    check("first read-back");

    // A second read-back finds the edits already at their clamped values.
    form->Tasks->setRefreshPending(true);
    form->setTaskTimerActive(true);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->Tasks->RefreshPending(); }, 20000));
    ASSERT_TRUE(waitForReadBack());
    check("second read-back");
}

} // namespace
