#include "model/TimingDiagram.h"

#include "model/ChannelNames.h"
#include "model/TokenTables.h"

#include <algorithm>
#include <cstdint>

namespace model {

namespace {

// Shown when the settings place nothing in time at all (no period, no pulse).
constexpr Picoseconds kEmptySpan = 1'000'000; // 1 µs

enum class FiringMode { Every, Once, Burst, DutyCycle };

// The modes are list positions; their meaning comes from the pulse-mode tokens. A position the
// table does not know (nothing selected) fires on every pulse, as the instrument's default
// mode does.
FiringMode firingModeOf(std::int32_t position)
{
    const QString token = tokenAt(TokenTable::PulseMode, position);
    if (token == QLatin1String("SING"))
        return FiringMode::Once;
    if (token == QLatin1String("BURS"))
        return FiringMode::Burst;
    if (token == QLatin1String("DCYC"))
        return FiringMode::DutyCycle;
    return FiringMode::Every;
}

struct Counts {
    std::uint64_t burst = 0;
    std::uint64_t dutyOn = 0;
    std::uint64_t dutyOff = 0;
};

// Whether the index-th occasion (a period for T0, a T0 pulse for a channel) fires.
bool fires(FiringMode mode, const Counts &counts, std::uint64_t index)
{
    switch (mode) {
    case FiringMode::Every:
        return true;
    case FiringMode::Once:
        return index == 0;
    case FiringMode::Burst:
        return index < counts.burst;
    case FiringMode::DutyCycle:
        if (counts.dutyOn == 0)
            return false;
        return counts.dutyOff == 0 || index % (counts.dutyOn + counts.dutyOff) < counts.dutyOn;
    }
    return true;
}

std::uint64_t nonNegative(std::int32_t count)
{
    return count > 0 ? static_cast<std::uint64_t>(count) : 0;
}

bool isInverted(std::int32_t polarity)
{
    return tokenAt(TokenTable::Polarity, polarity) == QLatin1String("INV");
}

TimerTiming resolveTimer(const ChannelSettings &channels, int channelCount, int channel)
{
    TimerTiming timer;
    unsigned visited = 0;
    int current = channel;
    while (true) {
        const unsigned bit = 1u << current;
        if (visited & bit) {
            timer.fault = ChainFault::Loop;
            break;
        }
        visited |= bit;
        const ChannelRecord &record = channels[current];
        timer.chain.insert(timer.chain.begin(), {current, toPicoseconds(record.Delay)});
        const int source = record.SyncSource;
        if (source == 0)
            break;
        if (source < 1 || source > channelCount) {
            timer.fault = ChainFault::MissingSource;
            break;
        }
        current = source;
    }
    if (timer.fault != ChainFault::None) {
        timer.chain.clear();
        return timer;
    }
    for (const ChainLink &link : timer.chain)
        timer.offset += link.delay;
    timer.width = std::max<Picoseconds>(0, toPicoseconds(channels[channel].Width));
    return timer;
}

struct Pulse {
    Picoseconds start;
    Picoseconds end;
    int timer;
    int t0Pulse;
};

// The OR of the pulses: overlapping or touching pulses make one, which rises with the first
// and falls with the one that ends last.
std::vector<TimingEdge> orEdges(std::vector<Pulse> pulses, bool inverted)
{
    std::sort(pulses.begin(), pulses.end(), [](const Pulse &a, const Pulse &b) {
        return a.start != b.start ? a.start < b.start : a.end < b.end;
    });
    std::vector<TimingEdge> edges;
    std::size_t i = 0;
    while (i < pulses.size()) {
        const Pulse first = pulses[i];
        Pulse last = first;
        for (++i; i < pulses.size() && pulses[i].start <= last.end; ++i) {
            if (pulses[i].end > last.end)
                last = pulses[i];
        }
        edges.push_back({first.start, !inverted, first.timer, false, first.t0Pulse});
        edges.push_back({last.end, inverted, last.timer, true, last.t0Pulse});
    }
    return edges;
}

QString letterOf(int channel)
{
    return QString(QLatin1Char(static_cast<char>('A' + channel - 1)));
}

QString signedTerm(Picoseconds value)
{
    return (value < 0 ? QStringLiteral(" - ") : QStringLiteral(" + ")) +
           engineeringTime(value < 0 ? -value : value);
}

} // namespace

TimingDiagram computeTimingDiagram(const SystemSettings &system, const ChannelSettings &channels,
                                   int channelCount, int periods)
{
    TimingDiagram d;
    channelCount = std::clamp(channelCount, 0, ChannelSettings::LastChannel);
    d.periods = std::clamp(periods, 1, kMaxDiagramPeriods);
    d.period = std::max<Picoseconds>(0, toPicoseconds(system.Period));

    // Without a period there is only the first T0 pulse to place anything after.
    const int periodSlots = d.period > 0 ? d.periods : 1;
    const FiringMode systemMode = firingModeOf(system.PulseMode);
    const Counts systemCounts{system.BurstCount, system.DutyOnCount, system.DutyOffCount};
    std::vector<std::pair<Picoseconds, int>> t0Pulses; // time, period
    for (int k = 0; k < periodSlots; ++k) {
        if (fires(systemMode, systemCounts, static_cast<std::uint64_t>(k)))
            t0Pulses.emplace_back(d.period * k, k);
    }

    for (int n = 1; n <= channelCount; ++n)
        d.timers[static_cast<std::size_t>(n)] = resolveTimer(channels, channelCount, n);

    // Each timer's pulses over the T0 pulses shown, by the channel's own mode.
    std::array<std::vector<Pulse>, ChannelSettings::LastChannel + 1> timerPulses;
    for (int n = 1; n <= channelCount; ++n) {
        const TimerTiming &timer = d.timers[static_cast<std::size_t>(n)];
        const ChannelRecord &record = channels[n];
        if (timer.fault != ChainFault::None || timer.width == 0)
            continue;
        const FiringMode mode = firingModeOf(record.Mode);
        const Counts counts{nonNegative(record.BurstCount), nonNegative(record.DutyOnCount),
                            nonNegative(record.DutyOffCount)};
        const std::uint64_t wait = nonNegative(record.WaitCount);
        for (std::size_t j = 0; j < t0Pulses.size(); ++j) {
            if (j < wait || !fires(mode, counts, j - wait))
                continue;
            const Picoseconds start = t0Pulses[j].first + timer.offset;
            timerPulses[static_cast<std::size_t>(n)].push_back(
                {start, start + timer.width, n, t0Pulses[j].second});
        }
    }

    TimingRow t0;
    t0.channel = 0;
    for (const auto &[time, k] : t0Pulses)
        t0.edges.push_back({time, true, 0, false, k});
    d.rows.push_back(t0);

    for (int n = 1; n <= channelCount; ++n) {
        const ChannelRecord &record = channels[n];
        TimingRow row;
        row.channel = n;
        row.enabled = record.Enabled != 0;
        if (!row.enabled) {
            d.rows.push_back(row);
            continue;
        }
        const TimerTiming &own = d.timers[static_cast<std::size_t>(n)];
        row.fault = own.fault;
        std::vector<Pulse> selected;
        for (int m = 1; m <= channelCount; ++m) {
            if (!(record.MuxMask & (1 << (m - 1))))
                continue;
            const TimerTiming &timer = d.timers[static_cast<std::size_t>(m)];
            // An output that takes a timer with no place in time cannot be drawn either.
            if (row.fault == ChainFault::None)
                row.fault = timer.fault;
            const auto &pulses = timerPulses[static_cast<std::size_t>(m)];
            selected.insert(selected.end(), pulses.begin(), pulses.end());
        }
        if (row.fault != ChainFault::None) {
            d.rows.push_back(row);
            continue;
        }
        row.inverted = isInverted(record.Polarity);
        row.initialLevel = row.inverted;
        row.edges = orEdges(std::move(selected), row.inverted);
        const Picoseconds reach = own.offset + own.width;
        if (d.period > 0 && reach > d.period)
            row.overrun = reach - d.period;
        d.rows.push_back(std::move(row));
    }

    d.start = 0;
    d.end = d.period * d.periods;
    for (const TimingRow &row : d.rows) {
        if (row.edges.empty())
            continue;
        d.start = std::min(d.start, row.edges.front().time);
        d.end = std::max(d.end, row.edges.back().time);
    }
    if (d.end <= d.start)
        d.end = d.start + kEmptySpan;
    return d;
}

QString rowName(int channel)
{
    QString name;
    GetChSyncName(channel, name);
    return name;
}

QString describeEdge(const TimingDiagram &diagram, const TimingRow &row, const TimingEdge &edge)
{
    if (row.channel == 0 || edge.timer == 0)
        return QStringLiteral("T0");
    const TimerTiming &timer = diagram.timers[static_cast<std::size_t>(edge.timer)];
    QString text = letterOf(row.channel) + QStringLiteral(": T0");
    // Every delay but the row's own carries the name of the channel it belongs to.
    for (const ChainLink &link : timer.chain) {
        text += signedTerm(link.delay);
        if (link.channel != row.channel)
            text += QStringLiteral(" (") + letterOf(link.channel) + u')';
    }
    if (edge.pulseEnd) {
        text += signedTerm(timer.width) + QStringLiteral(" (");
        if (edge.timer != row.channel)
            text += letterOf(edge.timer) + u' ';
        text += QStringLiteral("width)");
    }
    return text;
}

QString describeOverrun(Picoseconds overrun)
{
    return QStringLiteral("Pulse runs ") + engineeringTime(overrun) +
           QStringLiteral(" past the next T0");
}

QString describeFault(ChainFault fault)
{
    switch (fault) {
    case ChainFault::Loop:
        return QStringLiteral("sync loop");
    case ChainFault::MissingSource:
        return QStringLiteral("no sync source");
    case ChainFault::None:
        break;
    }
    return {};
}

} // namespace model
