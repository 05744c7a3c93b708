#include "model/CommandSet.h"

#include "model/ModelRules.h"
#include "model/NumberFormat.h"

#include <QtGlobal>

#include <map>

namespace model {

namespace {

QString s(const char *text)
{
    return QString::fromLatin1(text);
}

std::map<SystemSetting, SystemCommand> buildSystemCommands()
{
    using S = SystemSetting;
    using F = ArgFormat;
    using T = TokenTable;
    const std::optional<TokenTable> none;
    const SystemCommand rows[] = {
        {S::Period, s(":PULS0:PER "), s(":PULS0:PER"), F::Period, none, s(":PULS0:PER ")},
        {S::PulseMode, s(":PULS0:MOD "), s(":PULS0:MOD"), F::Token, T::PulseMode, s(":PULS0:MOD ")},
        {S::BurstCount, s(":PULS0:BCO "), s(":PULS0:BCO"), F::UnsignedCount, none,
         s(":PULS0:BCO ")},
        {S::DutyOnCount, s(":PULS0:PCO "), s(":PULS0:PCO"), F::UnsignedCount, none,
         s(":PULS0:PCO ")},
        {S::DutyOffCount, s(":PULS0:OCO "), s(":PULS0:OCO"), F::UnsignedCount, none,
         s(":PULS0:OCO ")},
        // These two modes are set with "MOD" and queried with "MODE"; the settings file writes
        // the trigger mode with "MODE" and the gate mode with "MOD".
        {S::TriggerMode, s(":PULS0:TRIG:MOD "), s(":PULS0:TRIG:MODE"), F::Token, T::TriggerMode,
         s(":PULS0:TRIG:MODE ")},
        {S::TriggerEdge, s(":PULS0:TRIG:EDG "), s(":PULS0:TRIG:EDG"), F::Token, T::TriggerEdge,
         s(":PULS0:TRIG:EDG ")},
        {S::TriggerLevel, s(":PULS0:TRIG:LEV "), s(":PULS0:TRIG:LEV"), F::Volts, none,
         s(":PULS0:TRIG:LEV ")},
        {S::GateMode, s(":PULS0:GATE:MOD "), s(":PULS0:GATE:MODE"), F::Token, T::GateMode,
         s(":PULS0:GATE:MOD ")},
        {S::GateLogic, s(":PULS0:GATE:LOG "), s(":PULS0:GATE:LOG"), F::Token, T::GateLogic,
         s(":PULS0:GATE:LOG ")},
        {S::GateLevel, s(":PULS0:GATE:LEV "), s(":PULS0:GATE:LEV"), F::Volts, none,
         s(":PULS0:GATE:LEV ")},
        {S::AutoStart, s(":SYST:AUT "), s(":SYST:AUT"), F::Flag, none, s(":SYST:AUT ")},
        {S::RunState, s(":PULS0:STAT "), s(":PULS0:STAT"), F::OnOff, none, QString()},
        {S::ShotCounterEnable, s(":PULS0:COUN:STAT "), s(":PULS0:COUN:STAT"), F::Flag, none,
         s(":PULS0:COUN:STAT ")},
        {S::InputClockSource, s(":PULS0:ICL "), s(":PULS0:ICL"), F::Token, T::InputClockSource,
         s(":PULS0:ICL ")},
        {S::OutputClock, s(":PULS0:OCL "), s(":PULS0:OCL"), F::Token, T::OutputClock,
         s(":PULS0:OCL ")},
        {S::InputClockMode, s(":PULS0:ICL:MOD "), s(":PULS0:ICL:MOD"), F::Token, T::InputClockMode,
         s(":PULS0:ICL:MOD ")},
        {S::InputClockRate, s(":PULS0:ICL:RAT "), s(":PULS0:ICL:RAT"), F::Count, none,
         s(":PULS0:ICL:RAT ")},
        {S::InputClockLevel, s(":PULS0:ICL:LEV "), s(":PULS0:ICL:LEV"), F::Volts, none,
         s(":PULS0:ICL:LEV ")},
        {S::InputClockOption, s(":PULS0:ICL:OPT "), s(":PULS0:ICL:OPT"), F::Token,
         T::InputClockOption, s(":PULS0:ICL:OPT ")},
        {S::HrbOutputClock, s(":PULS0:OCL "), s(":PULS0:OCL"), F::Token, T::HrbOutputClock,
         s(":PULS0:OCL ")},
    };
    std::map<SystemSetting, SystemCommand> table;
    for (const SystemCommand &row : rows)
        table.emplace(row.setting, row);
    return table;
}

std::map<ChannelSetting, ChannelCommand> buildChannelCommands()
{
    using C = ChannelSetting;
    using F = ArgFormat;
    using T = TokenTable;
    const std::optional<TokenTable> none;
    const ChannelCommand rows[] = {
        {C::Enable, s(":STAT"), F::Flag, none},
        {C::Delay, s(":DEL"), F::Time, none},
        {C::Width, s(":WIDT"), F::Time, none},
        {C::Mode, s(":CMOD"), F::Token, T::PulseMode},
        {C::BurstCount, s(":BCO"), F::Count, none},
        {C::DutyOnCount, s(":PCO"), F::Count, none},
        {C::DutyOffCount, s(":OCO"), F::Count, none},
        {C::SyncSource, s(":SYNC"), F::Token, T::SyncSource},
        {C::Polarity, s(":POL"), F::Token, T::Polarity},
        {C::WaitCount, s(":WCO"), F::Count, none},
        {C::GateMode, s(":CGAT"), F::Token, T::ChannelGateMode},
        {C::Amplitude, s(":OUTP:AMPL"), F::Volts, none},
        {C::OutputMode, s(":OUTP:MOD"), F::Token, T::OutputMode},
        {C::Mux, s(":MUX"), F::Mask, none},
    };
    std::map<ChannelSetting, ChannelCommand> table;
    for (const ChannelCommand &row : rows)
        table.emplace(row.setting, row);
    return table;
}

} // namespace

const SystemCommand &systemCommand(SystemSetting setting)
{
    static const std::map<SystemSetting, SystemCommand> table = buildSystemCommands();
    return table.at(setting);
}

const ChannelCommand &channelCommand(ChannelSetting setting)
{
    static const std::map<ChannelSetting, ChannelCommand> table = buildChannelCommands();
    return table.at(setting);
}

const QList<SystemSetting> &systemReadBackOrder()
{
    using S = SystemSetting;
    static const QList<SystemSetting> order = {
        S::ShotCounterEnable, S::Period,      S::BurstCount,  S::PulseMode,    S::DutyOnCount,
        S::DutyOffCount,      S::TriggerMode, S::TriggerEdge, S::TriggerLevel, S::GateMode,
        S::GateLogic,         S::GateLevel,   S::AutoStart,
    };
    return order;
}

QList<SystemSetting> clockReadBackOrder(int series)
{
    using S = SystemSetting;
    switch (series) {
    case SeriesHRA:
    case SeriesVDX:
        return {S::InputClockSource, S::OutputClock};
    case SeriesHRB:
        return {S::InputClockMode, S::InputClockRate, S::InputClockLevel, S::InputClockOption,
                S::HrbOutputClock};
    default:
        return {};
    }
}

const QList<ChannelSetting> &channelReadBackOrder()
{
    using C = ChannelSetting;
    static const QList<ChannelSetting> order = {
        C::Enable,      C::Delay,        C::Width,      C::Mode,     C::BurstCount,
        C::DutyOnCount, C::DutyOffCount, C::SyncSource, C::Polarity, C::WaitCount,
        C::GateMode,    C::Amplitude,    C::OutputMode, C::Mux,
    };
    return order;
}

QString formatArgument(ArgFormat format, std::optional<TokenTable> table, double value)
{
    switch (format) {
    case ArgFormat::Period:
        return formatPeriod(value);
    case ArgFormat::Time:
        return formatTime(value);
    case ArgFormat::Volts:
        return formatVolts(value);
    case ArgFormat::Count:
        return integerNotation(countToInt32(value));
    case ArgFormat::UnsignedCount:
        return unsignedNotation(countToUInt32(value));
    case ArgFormat::Token: {
        if (!table || !(value >= 0 && value < 1e9))
            return {};
        return tokenAt(*table, static_cast<int>(value));
    }
    case ArgFormat::Mask:
        return integerNotation(countToInt32(value));
    case ArgFormat::Flag:
        return value != 0.0 ? QStringLiteral("1") : QStringLiteral("0");
    case ArgFormat::OnOff:
        return value != 0.0 ? QStringLiteral("ON") : QStringLiteral("OFF");
    }
    return {};
}

QString buildCommand(SystemSetting setting, double value)
{
    const SystemCommand &c = systemCommand(setting);
    return c.command + formatArgument(c.format, c.table, value);
}

QString buildChannelCommand(ChannelSetting setting, int channel, double value)
{
    const ChannelCommand &c = channelCommand(setting);
    return channelCommandHeader(setting, channel) + formatArgument(c.format, c.table, value);
}

QString queryOf(SystemSetting setting)
{
    return systemCommand(setting).query;
}

QString channelHeader(int channel)
{
    Q_ASSERT(channel >= 1 && channel <= 8);
    return QStringLiteral(":PULS") + QString::number(channel);
}

QString channelCommandHeader(ChannelSetting setting, int channel)
{
    return channelHeader(channel) + channelCommand(setting).path + QLatin1Char(' ');
}

QString channelQueryOf(ChannelSetting setting, int channel)
{
    return channelHeader(channel) + channelCommand(setting).path;
}

QString settingsLine(SystemSetting setting, const QString &valueText)
{
    const SystemCommand &c = systemCommand(setting);
    if (c.lineHeader.isEmpty())
        return {};
    return c.lineHeader + valueText;
}

QString channelSettingsLine(ChannelSetting setting, int channel, const QString &valueText)
{
    return channelCommandHeader(setting, channel) + valueText;
}

QString identificationQuery()
{
    return QStringLiteral("*IDN");
}

QString saveCommand(int bin)
{
    return QStringLiteral("*SAV ") + QString::number(bin);
}

QString recallCommand(int bin)
{
    return QStringLiteral("*RCL ") + QString::number(bin);
}

QString calibrationTypeQuery()
{
    return QStringLiteral(":PULS1:CAL:TYPE");
}

const QStringList &calibrationTypes()
{
    static const QStringList types = {QStringLiteral("AT20"), QStringLiteral("AT35"),
                                      QStringLiteral("AT45"), QStringLiteral("L130"),
                                      QStringLiteral("L82")};
    return types;
}

QString shotCountQuery(int series)
{
    // The other series' form already holds a "?"; the query operation appends its own anyway,
    // and the instrument expects exactly that.
    return series == SeriesVDX ? QStringLiteral(":PULS0:COUN:PULSES")
                               : QStringLiteral(":PULS0:COUN:COUN? TCNTS");
}

QString shotCounterClearCommand(int series)
{
    return series == SeriesVDX ? QStringLiteral(":PULS0:COUN:CL")
                               : QStringLiteral(":PULS0:COUN:CL TCNTS");
}

unsigned muxUsableBits(int channelCount)
{
    unsigned bits = 0x03u;
    if (channelCount > 2)
        bits |= 0x0Cu;
    if (channelCount > 4)
        bits |= 0xF0u;
    return bits;
}

int muxMaskFromChecks(const std::array<bool, 8> &checked, int channelCount)
{
    const unsigned usable = muxUsableBits(channelCount);
    unsigned mask = 0;
    for (unsigned k = 0; k < 8; ++k) {
        if (checked[k] && (usable & (1u << k)))
            mask |= 1u << k;
    }
    return static_cast<int>(mask);
}

std::array<bool, 8> muxChecksFromMask(int mask, int channelCount)
{
    const unsigned bits = static_cast<unsigned>(mask) & muxUsableBits(channelCount);
    std::array<bool, 8> checked{};
    for (unsigned k = 0; k < 8; ++k)
        checked[k] = (bits & (1u << k)) != 0;
    return checked;
}

} // namespace model
