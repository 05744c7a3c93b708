#include "ModelPrinters.h"

#include "model/ChannelNames.h"
#include "model/CommandSet.h"
#include "model/ModelRules.h"
#include "model/NumberFormat.h"

#include <gtest/gtest.h>

#include <QLocale>

using namespace model;

namespace {

TEST(BuildCommand, SystemSettings)
{
    using S = SystemSetting;
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const struct {
        SystemSetting setting;
        double value;
        const char *line;
    } cases[] = {
        {S::Period, 0.001, ":PULS0:PER 0.001000000"},
        {S::Period, 500.0, ":PULS0:PER 500.000000000"},
        {S::TriggerLevel, 2.5, ":PULS0:TRIG:LEV 2.50"},
        {S::GateLevel, -0.35, ":PULS0:GATE:LEV -0.35"},
        {S::InputClockLevel, 0.5, ":PULS0:ICL:LEV 0.50"},
        {S::BurstCount, 4000000000.0, ":PULS0:BCO 4000000000"},
        {S::DutyOnCount, 7.5, ":PULS0:PCO 8"},
        {S::DutyOffCount, 6.5, ":PULS0:OCO 6"},
        // Above the unsigned range and below zero: clamped, never wrapped.
        {S::BurstCount, 5e9, ":PULS0:BCO 4294967295"},
        {S::BurstCount, -1.0, ":PULS0:BCO 0"},
        {S::InputClockRate, 25.0, ":PULS0:ICL:RAT 25"},
        {S::PulseMode, 2, ":PULS0:MOD BURS"},
        {S::PulseMode, -1, ":PULS0:MOD "}, // no item selected: the header alone
        {S::TriggerMode, 1, ":PULS0:TRIG:MOD TRIG"},
        {S::GateMode, 3, ":PULS0:GATE:MOD CHAN"},
        {S::GateLogic, 0, ":PULS0:GATE:LOG LOW"},
        {S::TriggerEdge, 1, ":PULS0:TRIG:EDG RIS"},
        {S::InputClockSource, 7, ":PULS0:ICL EXT100"},
        {S::OutputClock, 4, ":PULS0:OCL 14"},
        {S::InputClockMode, 1, ":PULS0:ICL:MOD EXT"},
        {S::InputClockOption, 1, ":PULS0:ICL:OPT LAST"},
        {S::HrbOutputClock, 7, ":PULS0:OCL TO"},
        {S::HrbOutputClock, 1, ":PULS0:OCL AUX4"},
        {S::AutoStart, 1, ":SYST:AUT 1"},
        {S::AutoStart, 0, ":SYST:AUT 0"},
        {S::RunState, 1, ":PULS0:STAT ON"},
        {S::RunState, 0, ":PULS0:STAT OFF"},
        {S::ShotCounterEnable, 1, ":PULS0:COUN:STAT 1"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(buildCommand(c.setting, c.value), QString::fromLatin1(c.line));
    QLocale::setDefault(saved);
}

TEST(BuildCommand, ChannelSettings)
{
    using C = ChannelSetting;
    const struct {
        ChannelSetting setting;
        int channel;
        double value;
        const char *line;
    } cases[] = {
        {C::Delay, 2, -2.5e-10, ":PULS2:DEL -0.00000000025"},
        {C::Delay, 1, -1e-8, ":PULS1:DEL -0.00000001000"},
        {C::Width, 1, 1.0, ":PULS1:WIDT 1.00000000000"},
        {C::Amplitude, 8, 5.0, ":PULS8:OUTP:AMPL 5.00"},
        {C::Enable, 8, 0, ":PULS8:STAT 0"},
        {C::Mode, 3, 3, ":PULS3:CMOD DCYC"},
        {C::BurstCount, 1, 2.5, ":PULS1:BCO 2"},
        {C::WaitCount, 4, 1000000, ":PULS4:WCO 1000000"},
        {C::DutyOnCount, 2, 3, ":PULS2:PCO 3"},
        {C::DutyOffCount, 2, 4, ":PULS2:OCO 4"},
        {C::Polarity, 5, 0, ":PULS5:POL INV"},
        {C::GateMode, 6, 2, ":PULS6:CGAT OUTP"},
        {C::GateMode, 6, 3, ":PULS6:CGAT "},
        {C::OutputMode, 4, 0, ":PULS4:OUTP:MOD TTL"},
        {C::SyncSource, 3, 1, ":PULS3:SYNC CHA"}, // by channel number
        {C::SyncSource, 3, 0, ":PULS3:SYNC T0"},
        {C::Mux, 1, 5, ":PULS1:MUX 5"},
        {C::Mux, 2, 9, ":PULS2:MUX 9"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(buildChannelCommand(c.setting, c.channel, c.value), QString::fromLatin1(c.line));
}

TEST(Queries, SetAndQuerySpellingsDifferForTheTwoModes)
{
    EXPECT_EQ(systemCommand(SystemSetting::TriggerMode).command,
              QStringLiteral(":PULS0:TRIG:MOD "));
    EXPECT_EQ(queryOf(SystemSetting::TriggerMode), QStringLiteral(":PULS0:TRIG:MODE"));
    EXPECT_EQ(systemCommand(SystemSetting::GateMode).command, QStringLiteral(":PULS0:GATE:MOD "));
    EXPECT_EQ(queryOf(SystemSetting::GateMode), QStringLiteral(":PULS0:GATE:MODE"));
    // Every other setting is queried by its command header without the blank.
    for (SystemSetting s : systemReadBackOrder()) {
        if (s == SystemSetting::TriggerMode || s == SystemSetting::GateMode)
            continue;
        EXPECT_EQ(systemCommand(s).command, queryOf(s) + QLatin1Char(' '));
    }
    EXPECT_EQ(channelQueryOf(ChannelSetting::Amplitude, 7), QStringLiteral(":PULS7:OUTP:AMPL"));
}

TEST(Queries, FixedForms)
{
    EXPECT_EQ(identificationQuery(), QStringLiteral("*IDN"));
    EXPECT_EQ(saveCommand(12), QStringLiteral("*SAV 12"));
    EXPECT_EQ(recallCommand(0), QStringLiteral("*RCL 0"));
    EXPECT_EQ(calibrationTypeQuery(), QStringLiteral(":PULS1:CAL:TYPE"));
    EXPECT_EQ(shotCountQuery(SeriesVDX), QStringLiteral(":PULS0:COUN:PULSES"));
    EXPECT_EQ(shotCountQuery(SeriesHRB), QStringLiteral(":PULS0:COUN:COUN? TCNTS"));
    EXPECT_EQ(shotCountQuery(SeriesUnknown), QStringLiteral(":PULS0:COUN:COUN? TCNTS"));
    EXPECT_EQ(shotCounterClearCommand(SeriesVDX), QStringLiteral(":PULS0:COUN:CL"));
    EXPECT_EQ(shotCounterClearCommand(SeriesHLA), QStringLiteral(":PULS0:COUN:CL TCNTS"));
}

TEST(MuxMask, OnlyTheChannelsTheInstrumentHas)
{
    using Checks = std::array<bool, 8>;
    const struct {
        Checks checked;
        int channelCount;
        int mask;
    } toMask[] = {
        {{true, false, true, false, false, false, false, false}, 4, 5},
        {{true, false, false, true, true, false, false, false}, 4, 9}, // "E" ignored
        {{true, true, true, true, true, true, true, true}, 2, 3},
        {{true, true, true, true, true, true, true, true}, 4, 15},
        {{true, true, true, true, true, true, true, true}, 8, 255},
        {{false, false, false, false, false, false, false, true}, 8, 128},
        {{false, false, false, false, false, false, false, false}, 8, 0},
    };
    for (const auto &c : toMask)
        EXPECT_EQ(muxMaskFromChecks(c.checked, c.channelCount), c.mask) << c.mask;

    const struct {
        int mask;
        int channelCount;
        Checks checked;
    } fromMask[] = {
        {255, 2, {true, true, false, false, false, false, false, false}},
        {5, 4, {true, false, true, false, false, false, false, false}},
        {0x1F0, 8, {false, false, false, false, true, true, true, true}}, // bit 8 is no channel
        {-1, 4, {true, true, true, true, false, false, false, false}},
    };
    for (const auto &c : fromMask)
        EXPECT_EQ(muxChecksFromMask(c.mask, c.channelCount), c.checked) << c.mask;
}

TEST(SettingsLines, ValuesAsTheFileWritesThem)
{
    // An unknown token is still written as read; counts beyond 2^31 unsigned; tiny periods in
    // scientific notation.
    EXPECT_EQ(settingsLine(SystemSetting::PulseMode, QStringLiteral("XYZ")),
              QStringLiteral(":PULS0:MOD XYZ"));
    EXPECT_EQ(settingsLine(SystemSetting::BurstCount, unsignedNotation(4000000000u)),
              QStringLiteral(":PULS0:BCO 4000000000"));
    EXPECT_EQ(settingsLine(SystemSetting::Period, generalNotation(0.00005)),
              QStringLiteral(":PULS0:PER 5E-5"));
    EXPECT_EQ(settingsLine(SystemSetting::Period, generalNotation(0.0001)),
              QStringLiteral(":PULS0:PER 0.0001"));
    EXPECT_EQ(settingsLine(SystemSetting::InputClockRate, generalNotation(25)),
              QStringLiteral(":PULS0:ICL:RAT 25"));
    EXPECT_EQ(settingsLine(SystemSetting::RunState, QStringLiteral("1")), QString());
}

} // namespace
