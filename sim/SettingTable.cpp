#include "sim/SettingTable.h"

#include "sim/ValueText.h"

#include <array>
#include <optional>

namespace sim {

namespace {

using S = SystemState;
using C = ChannelState;
using VK = ValueKind;
using L = Limit;
using A = Availability;

// In the order the program reads them back, which is also the order of the state file.
// clang-format off
const std::array<SystemSpec, 19> kSystemSettings{{
    {"COUN:STAT", {}, VK::Flag, L::None, nullptr, nullptr, &S::counterEnabled, A::AllSeries},
    {"PER", {}, VK::Real, L::Period, nullptr, &S::period, nullptr, A::AllSeries},
    {"BCO", {}, VK::Count, L::SystemBurst, nullptr, nullptr, &S::burst, A::AllSeries},
    {"MOD", {}, VK::Token, L::None, &tokens::pulseMode, nullptr, &S::pulseMode, A::AllSeries},
    {"PCO", {}, VK::Count, L::SystemDuty, nullptr, nullptr, &S::dutyOn, A::AllSeries},
    {"OCO", {}, VK::Count, L::SystemDuty, nullptr, nullptr, &S::dutyOff, A::AllSeries},
    // The program sets these modes with "MOD" and reads them with "MODE"; both work both ways.
    {"TRIG:MOD", "TRIG:MODE", VK::Token, L::None, &tokens::triggerMode, nullptr, &S::triggerMode,
     A::AllSeries},
    {"TRIG:EDG", {}, VK::Token, L::None, &tokens::triggerEdge, nullptr, &S::triggerEdge,
     A::AllSeries},
    {"TRIG:LEV", {}, VK::Real, L::Threshold, nullptr, &S::triggerLevel, nullptr, A::AllSeries},
    {"GATE:MOD", "GATE:MODE", VK::Token, L::None, &tokens::gateMode, nullptr, &S::gateMode,
     A::AllSeries},
    {"GATE:LOG", {}, VK::Token, L::None, &tokens::gateLogic, nullptr, &S::gateLogic, A::AllSeries},
    {"GATE:LEV", {}, VK::Real, L::Threshold, nullptr, &S::gateLevel, nullptr, A::AllSeries},
    {"ICL", {}, VK::Token, L::None, &tokens::inputClock, nullptr, &S::inputClock, A::Series1Clock},
    {"OCL", {}, VK::Token, L::None, &tokens::outputClock, nullptr, &S::outputClock,
     A::Series1Clock},
    {"ICL:MOD", {}, VK::Token, L::None, &tokens::inputClockMode, nullptr, &S::clockMode,
     A::Series2Clock},
    {"ICL:RAT", {}, VK::Count, L::ClockRate, nullptr, nullptr, &S::clockRate, A::Series2Clock},
    {"ICL:LEV", {}, VK::Real, L::ClockLevel, nullptr, &S::clockLevel, nullptr, A::Series2Clock},
    {"ICL:OPT", {}, VK::Token, L::None, &tokens::inputClockOption, nullptr, &S::clockOption,
     A::Series2Clock},
    {"OCL", {}, VK::Token, L::None, &tokens::outputClockHrb, nullptr, &S::outputClockHrb,
     A::Series2Clock},
}};
// clang-format on

// clang-format off
const SystemSpec kAutoStart{"AUT", {}, VK::Flag, L::None, nullptr, nullptr, &S::autoStart,
                            A::AllSeries};
// clang-format on

// clang-format off
const std::array<ChannelSpec, 14> kChannelSettings{{
    {"STAT", {}, VK::Flag, L::None, nullptr, nullptr, &C::enabled, A::AllSeries},
    {"DEL", {}, VK::Real, L::Delay, nullptr, &C::delay, nullptr, A::AllSeries},
    {"WIDT", {}, VK::Real, L::Width, nullptr, &C::width, nullptr, A::AllSeries},
    {"CMOD", {}, VK::Token, L::None, &tokens::pulseMode, nullptr, &C::mode, A::AllSeries},
    {"BCO", {}, VK::Count, L::ChannelBurst, nullptr, nullptr, &C::burst, A::AllSeries},
    {"PCO", {}, VK::Count, L::ChannelDuty, nullptr, nullptr, &C::dutyOn, A::AllSeries},
    {"OCO", {}, VK::Count, L::ChannelDuty, nullptr, nullptr, &C::dutyOff, A::AllSeries},
    {"SYNC", {}, VK::Sync, L::None, nullptr, nullptr, &C::sync, A::AllSeries},
    {"POL", {}, VK::Token, L::None, &tokens::polarity, nullptr, &C::polarity, A::AllSeries},
    {"WCO", {}, VK::Count, L::WaitCount, nullptr, nullptr, &C::wait, A::AllSeries},
    {"CGAT", {}, VK::Token, L::None, &tokens::channelGate, nullptr, &C::gate, A::AllSeries},
    {"OUTP:AMPL", {}, VK::Real, L::Amplitude, nullptr, &C::amplitude, nullptr, A::AllSeries},
    {"OUTP:MOD", {}, VK::Token, L::None, &tokens::outputMode, nullptr, &C::outputMode,
     A::AllSeries},
    {"MUX", {}, VK::Mask, L::None, nullptr, nullptr, &C::mux, A::AllSeries},
}};
// clang-format on

bool available(Availability a, int series)
{
    switch (a) {
    case A::AllSeries:
        return true;
    case A::Series1Clock:
        return hasSeries1Clock(series);
    case A::Series2Clock:
        return hasSeries2Clock(series);
    }
    return false;
}

template <class State> bool pathMatches(const SettingSpec<State> &spec, QByteArrayView path)
{
    return spec.path == path || (!spec.altPath.isEmpty() && spec.altPath == path);
}

RealRange realRange(Limit limit, const SeriesRanges &r)
{
    switch (limit) {
    case L::Period:
        return {r.periodMin, r.periodMax, r.periodStep};
    case L::Delay:
        return {r.delayMin, r.delayMax, r.delayStep};
    case L::Width:
        return {r.widthMin, r.widthMax, r.widthStep};
    case L::Threshold:
        return kThresholdRange;
    case L::Amplitude:
        return kAmplitudeRange;
    case L::ClockLevel:
        return kClockLevelRange;
    default:
        return {0, 0, 1};
    }
}

CountRange countRange(Limit limit, const SeriesRanges &r)
{
    switch (limit) {
    case L::SystemBurst:
    case L::SystemDuty:
    case L::ChannelBurst:
    case L::ChannelDuty:
        return {1, r.countMax};
    case L::WaitCount:
        return {0, r.countMax};
    case L::ClockRate:
        return kClockRateRange;
    default:
        return {0, 0};
    }
}

std::optional<qint64> parseFlag(QByteArrayView arg)
{
    if (arg == "1" || arg == "ON")
        return 1;
    if (arg == "0" || arg == "OFF")
        return 0;
    return std::nullopt;
}

// "T0" or "CHA" to "CHH" as a channel number 0 to 8.
std::optional<qint64> parseSyncSource(QByteArrayView arg)
{
    if (arg == "T0")
        return 0;
    if (arg.size() == 3 && arg.startsWith("CH") && arg[2] >= 'A' && arg[2] <= 'H')
        return arg[2] - 'A' + 1;
    return std::nullopt;
}

// The value `arg` stands for, without storing it; nothing when it does not fit the setting.
template <class State>
std::optional<std::pair<double, qint64>>
parseValue(const SettingSpec<State> &spec, QByteArrayView arg, const ModelInfo &model, int channel)
{
    const SeriesRanges &ranges = rangesOfSeries(model.series);
    switch (spec.kind) {
    case VK::Real: {
        const auto v = parseReal(arg);
        if (!v)
            return std::nullopt;
        const auto fitted = fitToRange(*v, realRange(spec.limit, ranges));
        if (!fitted)
            return std::nullopt;
        return std::pair{*fitted, qint64{0}};
    }
    case VK::Count: {
        const auto v = parseCount(arg);
        const CountRange range = countRange(spec.limit, ranges);
        if (!v || *v < range.min || *v > range.max)
            return std::nullopt;
        return std::pair{0.0, static_cast<qint64>(*v)};
    }
    case VK::Token: {
        const int pos = spec.tokens->positionOf(arg);
        if (pos < 0)
            return std::nullopt;
        return std::pair{0.0, qint64{pos}};
    }
    case VK::Flag: {
        const auto v = parseFlag(arg);
        if (!v)
            return std::nullopt;
        return std::pair{0.0, *v};
    }
    case VK::Mask: {
        const auto v = parseCount(arg);
        if (!v || *v >= (quint64{1} << model.channels))
            return std::nullopt;
        return std::pair{0.0, static_cast<qint64>(*v)};
    }
    case VK::Sync: {
        // A channel cannot follow itself or a channel the model does not have.
        const auto v = parseSyncSource(arg);
        if (!v || *v > model.channels || *v == channel)
            return std::nullopt;
        return std::pair{0.0, *v};
    }
    }
    return std::nullopt;
}

template <class State>
bool applyTo(const SettingSpec<State> &spec, State &state, QByteArrayView arg,
             const ModelInfo &model, int channel)
{
    const auto value = parseValue(spec, arg, model, channel);
    if (!value)
        return false;
    if (spec.real)
        state.*spec.real = value->first;
    else
        state.*spec.whole = value->second;
    return true;
}

template <class State> QByteArray replyOf(const SettingSpec<State> &spec, const State &state)
{
    switch (spec.kind) {
    case VK::Real:
        return formatReal(state.*spec.real);
    case VK::Token:
        return spec.tokens->tokenAt(static_cast<int>(state.*spec.whole)).toByteArray();
    case VK::Sync: {
        const qint64 n = state.*spec.whole;
        if (n == 0)
            return QByteArrayLiteral("T0");
        return QByteArrayLiteral("CH") + char('A' + n - 1);
    }
    case VK::Count:
    case VK::Flag:
    case VK::Mask:
        return QByteArray::number(state.*spec.whole);
    }
    return {};
}

} // namespace

const SystemSpec *findSystemSetting(QByteArrayView path, int series)
{
    for (const SystemSpec &spec : kSystemSettings) {
        if (pathMatches(spec, path) && available(spec.availability, series))
            return &spec;
    }
    return nullptr;
}

const SystemSpec *findSystBlockSetting(QByteArrayView path)
{
    return kAutoStart.path == path ? &kAutoStart : nullptr;
}

const ChannelSpec *findChannelSetting(QByteArrayView path)
{
    for (const ChannelSpec &spec : kChannelSettings) {
        if (pathMatches(spec, path))
            return &spec;
    }
    return nullptr;
}

bool applySetting(const SystemSpec &spec, SystemState &state, QByteArrayView arg,
                  const ModelInfo &model)
{
    return applyTo(spec, state, arg, model, 0);
}

bool applySetting(const ChannelSpec &spec, ChannelState &state, QByteArrayView arg,
                  const ModelInfo &model, int channel)
{
    return applyTo(spec, state, arg, model, channel);
}

QByteArray settingReply(const SystemSpec &spec, const SystemState &state)
{
    return replyOf(spec, state);
}

QByteArray settingReply(const ChannelSpec &spec, const ChannelState &state)
{
    return replyOf(spec, state);
}

QByteArrayList settingLines(const InstrumentState &state, const ModelInfo &model)
{
    QByteArrayList lines;
    for (const SystemSpec &spec : kSystemSettings) {
        if (available(spec.availability, model.series))
            lines << ":PULS0:" + spec.path.toByteArray() + ' ' + replyOf(spec, state.system);
    }
    lines << ":SYST:AUT " + replyOf(kAutoStart, state.system);
    for (int n = 1; n <= model.channels; ++n) {
        const ChannelState &ch = state.channels[static_cast<std::size_t>(n - 1)];
        for (const ChannelSpec &spec : kChannelSettings)
            lines << ":PULS" + QByteArray::number(n) + ':' + spec.path.toByteArray() + ' ' +
                         replyOf(spec, ch);
    }
    return lines;
}

} // namespace sim
