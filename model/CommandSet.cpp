#include "model/CommandSet.h"

#include "model/ModelRules.h"
#include "model/NumberFormat.h"

#include <QtGlobal>

#include <map>

namespace model {

namespace {

QString s(const char *text) {
    return QString::fromLatin1(text);
}

std::map<SystemSetting, SystemCommand> buildSystemCommands() {
    using S = SystemSetting;
    using F = ArgFormat;
    using R = ReplyKind;
    using L = LineNotation;
    using T = TokenTable;
    const std::optional<TokenTable> none;
    const SystemCommand rows[] = {
        {S::Period, s(":PULS0:PER "), s(":PULS0:PER"), F::Period, R::Float, none, s(":PULS0:PER "),
         L::General},
        {S::PulseMode, s(":PULS0:MOD "), s(":PULS0:MOD"), F::Token, R::Token, T::PulseMode,
         s(":PULS0:MOD "), L::Reply},
        {S::BurstCount, s(":PULS0:BCO "), s(":PULS0:BCO"), F::UnsignedCount, R::LongCount, none,
         s(":PULS0:BCO "), L::Unsigned},
        {S::DutyOnCount, s(":PULS0:PCO "), s(":PULS0:PCO"), F::UnsignedCount, R::LongCount, none,
         s(":PULS0:PCO "), L::Unsigned},
        {S::DutyOffCount, s(":PULS0:OCO "), s(":PULS0:OCO"), F::UnsignedCount, R::LongCount, none,
         s(":PULS0:OCO "), L::Unsigned},
        // These two modes are set with "MOD" and queried with "MODE"; the settings file writes
        // the trigger mode with "MODE" and the gate mode with "MOD".
        {S::TriggerMode, s(":PULS0:TRIG:MOD "), s(":PULS0:TRIG:MODE"), F::Token, R::Token,
         T::TriggerMode, s(":PULS0:TRIG:MODE "), L::Reply},
        {S::TriggerEdge, s(":PULS0:TRIG:EDG "), s(":PULS0:TRIG:EDG"), F::Token, R::Token,
         T::TriggerEdge, s(":PULS0:TRIG:EDG "), L::Reply},
        {S::TriggerLevel, s(":PULS0:TRIG:LEV "), s(":PULS0:TRIG:LEV"), F::Volts, R::Float, none,
         s(":PULS0:TRIG:LEV "), L::General},
        {S::GateMode, s(":PULS0:GATE:MOD "), s(":PULS0:GATE:MODE"), F::Token, R::Token, T::GateMode,
         s(":PULS0:GATE:MOD "), L::Reply},
        {S::GateLogic, s(":PULS0:GATE:LOG "), s(":PULS0:GATE:LOG"), F::Token, R::Token,
         T::GateLogic, s(":PULS0:GATE:LOG "), L::Reply},
        {S::GateLevel, s(":PULS0:GATE:LEV "), s(":PULS0:GATE:LEV"), F::Volts, R::Float, none,
         s(":PULS0:GATE:LEV "), L::General},
        {S::AutoStart, s(":SYST:AUT "), s(":SYST:AUT"), F::Flag, R::Integer, none, s(":SYST:AUT "),
         L::Integer},
        {S::RunState, s(":PULS0:STAT "), s(":PULS0:STAT"), F::OnOff, R::Integer, none, QString(),
         L::None},
        {S::ShotCounterEnable, s(":PULS0:COUN:STAT "), s(":PULS0:COUN:STAT"), F::Flag, R::Integer,
         none, s(":PULS0:COUN:STAT "), L::Integer},
        {S::InputClockSource, s(":PULS0:ICL "), s(":PULS0:ICL"), F::Token, R::Token,
         T::InputClockSource, s(":PULS0:ICL "), L::Reply},
        {S::OutputClock, s(":PULS0:OCL "), s(":PULS0:OCL"), F::Token, R::Token, T::OutputClock,
         s(":PULS0:OCL "), L::Reply},
        {S::InputClockMode, s(":PULS0:ICL:MOD "), s(":PULS0:ICL:MOD"), F::Token, R::Token,
         T::InputClockMode, s(":PULS0:ICL:MOD "), L::Reply},
        {S::InputClockRate, s(":PULS0:ICL:RAT "), s(":PULS0:ICL:RAT"), F::Count, R::Integer, none,
         s(":PULS0:ICL:RAT "), L::General},
        {S::InputClockLevel, s(":PULS0:ICL:LEV "), s(":PULS0:ICL:LEV"), F::Volts, R::Float, none,
         s(":PULS0:ICL:LEV "), L::General},
        {S::InputClockOption, s(":PULS0:ICL:OPT "), s(":PULS0:ICL:OPT"), F::Token, R::Token,
         T::InputClockOption, s(":PULS0:ICL:OPT "), L::Reply},
        {S::HrbOutputClock, s(":PULS0:OCL "), s(":PULS0:OCL"), F::Token, R::Token,
         T::HrbOutputClock, s(":PULS0:OCL "), L::Reply},
    };
    std::map<SystemSetting, SystemCommand> table;
    for (const SystemCommand &row : rows)
        table.emplace(row.setting, row);
    return table;
}

std::map<ChannelSetting, ChannelCommand> buildChannelCommands() {
    using C = ChannelSetting;
    using F = ArgFormat;
    using R = ReplyKind;
    using L = LineNotation;
    using T = TokenTable;
    const std::optional<TokenTable> none;
    const ChannelCommand rows[] = {
        {C::Enable, s(":STAT"), F::Flag, R::Integer, none, L::Integer},
        {C::Delay, s(":DEL"), F::Time, R::Float, none, L::General},
        {C::Width, s(":WIDT"), F::Time, R::Float, none, L::General},
        {C::Mode, s(":CMOD"), F::Token, R::Token, T::PulseMode, L::Reply},
        {C::BurstCount, s(":BCO"), F::Count, R::Integer, none, L::Integer},
        {C::DutyOnCount, s(":PCO"), F::Count, R::Integer, none, L::Integer},
        {C::DutyOffCount, s(":OCO"), F::Count, R::Integer, none, L::Integer},
        {C::SyncSource, s(":SYNC"), F::Token, R::Token, T::SyncSource, L::Reply},
        {C::Polarity, s(":POL"), F::Token, R::Token, T::Polarity, L::Reply},
        {C::WaitCount, s(":WCO"), F::Count, R::Integer, none, L::Integer},
        {C::GateMode, s(":CGAT"), F::Token, R::Token, T::ChannelGateMode, L::Reply},
        {C::Amplitude, s(":OUTP:AMPL"), F::Volts, R::Float, none, L::General},
        {C::OutputMode, s(":OUTP:MOD"), F::Token, R::Token, T::OutputMode, L::Reply},
        {C::Mux, s(":MUX"), F::Mask, R::Integer, none, L::Integer},
    };
    std::map<ChannelSetting, ChannelCommand> table;
    for (const ChannelCommand &row : rows)
        table.emplace(row.setting, row);
    return table;
}

} // namespace

const SystemCommand &systemCommand(SystemSetting setting) {
    static const std::map<SystemSetting, SystemCommand> table = buildSystemCommands();
    return table.at(setting);
}

const ChannelCommand &channelCommand(ChannelSetting setting) {
    static const std::map<ChannelSetting, ChannelCommand> table = buildChannelCommands();
    return table.at(setting);
}

const QList<SystemSetting> &systemReadBackOrder() {
    using S = SystemSetting;
    static const QList<SystemSetting> order = {
        S::ShotCounterEnable, S::Period,      S::BurstCount,  S::PulseMode,    S::DutyOnCount,
        S::DutyOffCount,      S::TriggerMode, S::TriggerEdge, S::TriggerLevel, S::GateMode,
        S::GateLogic,         S::GateLevel,   S::AutoStart,
    };
    return order;
}

QList<SystemSetting> clockReadBackOrder(int series) {
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

const QList<ChannelSetting> &channelReadBackOrder() {
    using C = ChannelSetting;
    static const QList<ChannelSetting> order = {
        C::Enable,      C::Delay,        C::Width,      C::Mode,     C::BurstCount,
        C::DutyOnCount, C::DutyOffCount, C::SyncSource, C::Polarity, C::WaitCount,
        C::GateMode,    C::Amplitude,    C::OutputMode, C::Mux,
    };
    return order;
}

QString formatArgument(ArgFormat format, std::optional<TokenTable> table, double value) {
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

QString buildCommand(SystemSetting setting, double value) {
    const SystemCommand &c = systemCommand(setting);
    return c.command + formatArgument(c.format, c.table, value);
}

QString buildChannelCommand(ChannelSetting setting, int channel, double value) {
    const ChannelCommand &c = channelCommand(setting);
    return channelCommandHeader(setting, channel) + formatArgument(c.format, c.table, value);
}

QString queryOf(SystemSetting setting) {
    return systemCommand(setting).query;
}

QString channelHeader(int channel) {
    Q_ASSERT(channel >= 1 && channel <= 8);
    return QStringLiteral(":PULS") + QString::number(channel);
}

QString channelCommandHeader(ChannelSetting setting, int channel) {
    return channelHeader(channel) + channelCommand(setting).path + QLatin1Char(' ');
}

QString channelQueryOf(ChannelSetting setting, int channel) {
    return channelHeader(channel) + channelCommand(setting).path;
}

QString settingsLine(SystemSetting setting, const QString &valueText) {
    const SystemCommand &c = systemCommand(setting);
    if (c.notation == LineNotation::None)
        return {};
    return c.lineHeader + valueText;
}

QString channelSettingsLine(ChannelSetting setting, int channel, const QString &valueText) {
    return channelCommandHeader(setting, channel) + valueText;
}

QString identificationQuery() {
    return QStringLiteral("*IDN");
}

QString saveCommand(int bin) {
    return QStringLiteral("*SAV ") + QString::number(bin);
}

QString recallCommand(int bin) {
    return QStringLiteral("*RCL ") + QString::number(bin);
}

QString calibrationTypeQuery() {
    return QStringLiteral(":PULS1:CAL:TYPE");
}

const QStringList &calibrationTypes() {
    static const QStringList types = {QStringLiteral("AT20"), QStringLiteral("AT35"),
                                      QStringLiteral("AT45"), QStringLiteral("L130"),
                                      QStringLiteral("L82")};
    return types;
}

QString shotCountQuery(int series) {
    // The other series' form already holds a "?"; the query operation appends its own anyway,
    // and the instrument expects exactly that.
    return series == SeriesVDX ? QStringLiteral(":PULS0:COUN:PULSES")
                               : QStringLiteral(":PULS0:COUN:COUN? TCNTS");
}

QString shotCounterClearCommand(int series) {
    return series == SeriesVDX ? QStringLiteral(":PULS0:COUN:CL")
                               : QStringLiteral(":PULS0:COUN:CL TCNTS");
}

unsigned muxUsableBits(int channelCount) {
    unsigned bits = 0x03u;
    if (channelCount > 2)
        bits |= 0x0Cu;
    if (channelCount > 4)
        bits |= 0xF0u;
    return bits;
}

int muxMaskFromChecks(const std::array<bool, 8> &checked, int channelCount) {
    const unsigned usable = muxUsableBits(channelCount);
    unsigned mask = 0;
    for (unsigned k = 0; k < 8; ++k) {
        if (checked[k] && (usable & (1u << k)))
            mask |= 1u << k;
    }
    return static_cast<int>(mask);
}

std::array<bool, 8> muxChecksFromMask(int mask, int channelCount) {
    const unsigned bits = static_cast<unsigned>(mask) & muxUsableBits(channelCount);
    std::array<bool, 8> checked{};
    for (unsigned k = 0; k < 8; ++k)
        checked[k] = (bits & (1u << k)) != 0;
    return checked;
}

} // namespace model
