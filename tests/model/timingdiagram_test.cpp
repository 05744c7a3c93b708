#include "model/TimingDiagram.h"

#include "model/TokenTables.h"

#include "ModelPrinters.h"

#include <gtest/gtest.h>

#include <vector>

using namespace model;

namespace {

constexpr Picoseconds ns = 1'000;
constexpr Picoseconds us = 1'000'000;

int position(TokenTable table, const char *token)
{
    return findToken(table, QString::fromLatin1(token)).value();
}

// Settings as a read-back of a 4-channel instrument leaves them: every channel enabled, on T0,
// normal polarity and mode, its multiplexer on its own timer; nothing fires until given a width.
struct Settings {
    SystemSettings system;
    ChannelSettings channels;
    int channelCount = 4;
    int periods = 1;

    Settings()
    {
        system.Period = 10e-6;
        system.PulseMode = position(TokenTable::PulseMode, "NORM");
        for (int n = 1; n <= 8; ++n) {
            channels[n].Enabled = 1;
            channels[n].Polarity = position(TokenTable::Polarity, "NORM");
            channels[n].Mode = position(TokenTable::PulseMode, "NORM");
            channels[n].MuxMask = 1 << (n - 1);
        }
    }

    Settings &pulse(int n, double delay, double width, int sync = 0)
    {
        channels[n].Delay = delay;
        channels[n].Width = width;
        channels[n].SyncSource = sync;
        return *this;
    }

    TimingDiagram compute() const
    {
        return computeTimingDiagram(system, channels, channelCount, periods);
    }
};

const TimingRow &rowOf(const TimingDiagram &d, int channel)
{
    for (const TimingRow &row : d.rows) {
        if (row.channel == channel)
            return row;
    }
    ADD_FAILURE() << "no row for channel " << channel;
    static const TimingRow none;
    return none;
}

// "H@1.5 µs L@1.6 µs": the level after each edge and its time.
QString edgesText(const TimingRow &row)
{
    QStringList parts;
    for (const TimingEdge &e : row.edges)
        parts << (e.level ? QStringLiteral("H@") : QStringLiteral("L@")) + engineeringTime(e.time);
    return parts.join(u' ');
}

// The periods in which the row's pulses start.
std::vector<int> firingPeriods(const TimingRow &row)
{
    std::vector<int> periods;
    for (const TimingEdge &e : row.edges) {
        if (!e.pulseEnd)
            periods.push_back(e.t0Pulse);
    }
    return periods;
}

QString u8(const char *text)
{
    return QString::fromUtf8(text);
}

TEST(TimingDiagram, RowsAreT0ThenEachChannelThatExists)
{
    for (int count : {2, 4, 8}) {
        Settings s;
        s.channelCount = count;
        const TimingDiagram d = s.compute();
        ASSERT_EQ(d.rows.size(), static_cast<std::size_t>(count + 1));
        for (int i = 0; i <= count; ++i)
            EXPECT_EQ(d.rows[static_cast<std::size_t>(i)].channel, i);
    }
    EXPECT_EQ(rowName(0), QStringLiteral("T0"));
    EXPECT_EQ(rowName(2), QStringLiteral("Ch B"));
    EXPECT_EQ(rowName(8), QStringLiteral("Ch H"));
}

TEST(TimingDiagram, T0FiresAtTheStartOfEachPeriodAndTheAxisSpansThePeriods)
{
    Settings s;
    s.system.Period = 0.001;
    s.periods = 3;
    const TimingDiagram d = s.compute();
    EXPECT_EQ(d.period, 1'000'000'000);
    EXPECT_EQ(edgesText(rowOf(d, 0)), u8("H@0 s H@1 ms H@2 ms"));
    EXPECT_EQ(d.start, 0);
    EXPECT_EQ(d.end, 3'000'000'000);
}

struct ChainCase {
    const char *name;
    Settings setup;
    int channel;
    const char *edges;
    const char *rising; // the chain behind the first edge
    const char *falling;
};

void PrintTo(const ChainCase &c, std::ostream *os)
{
    *os << c.name;
}

class Chains : public ::testing::TestWithParam<ChainCase> {};

TEST_P(Chains, PulseStartsAtItsSourcePlusItsDelay)
{
    const ChainCase &c = GetParam();
    const TimingDiagram d = c.setup.compute();
    const TimingRow &row = rowOf(d, c.channel);
    EXPECT_EQ(row.fault, ChainFault::None);
    EXPECT_EQ(edgesText(row), u8(c.edges));
    ASSERT_EQ(row.edges.size(), 2u);
    EXPECT_EQ(describeEdge(d, row, row.edges[0]), u8(c.rising));
    EXPECT_EQ(describeEdge(d, row, row.edges[1]), u8(c.falling));
}

INSTANTIATE_TEST_SUITE_P(
    SyncSources, Chains,
    ::testing::Values(
        ChainCase{"on_t0", Settings().pulse(1, 1.5e-6, 100e-9), 1, "H@1.5 µs L@1.6 µs",
                  "A: T0 + 1.5 µs", "A: T0 + 1.5 µs + 100 ns (width)"},
        ChainCase{"b_on_a", Settings().pulse(1, 1.5e-6, 100e-9).pulse(2, 250e-9, 100e-9, 1), 2,
                  "H@1.75 µs L@1.85 µs", "B: T0 + 1.5 µs (A) + 250 ns",
                  "B: T0 + 1.5 µs (A) + 250 ns + 100 ns (width)"},
        ChainCase{
            "d_on_c_on_b_on_t0",
            Settings().pulse(2, 1e-6, 10e-9).pulse(3, 2e-6, 10e-9, 2).pulse(4, 3e-6, 20e-9, 3), 4,
            "H@6 µs L@6.02 µs", "D: T0 + 1 µs (B) + 2 µs (C) + 3 µs",
            "D: T0 + 1 µs (B) + 2 µs (C) + 3 µs + 20 ns (width)"},
        ChainCase{"negative_delay_after_source",
                  Settings().pulse(1, 1e-6, 10e-9).pulse(2, -250e-9, 10e-9, 1), 2,
                  "H@750 ns L@760 ns", "B: T0 + 1 µs (A) - 250 ns",
                  "B: T0 + 1 µs (A) - 250 ns + 10 ns (width)"},
        ChainCase{"source_disabled_still_times_it",
                  [] {
                      Settings s;
                      s.pulse(1, 2e-6, 10e-9).pulse(2, 1e-6, 10e-9, 1);
                      s.channels[1].Enabled = 0;
                      return s;
                  }(),
                  2, "H@3 µs L@3.01 µs", "B: T0 + 2 µs (A) + 1 µs",
                  "B: T0 + 2 µs (A) + 1 µs + 10 ns (width)"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TimingDiagram, TheTimerChainIsKeptFromT0Down)
{
    Settings s;
    s.pulse(1, 1e-6, 10e-9, 3).pulse(3, 2e-6, 10e-9);
    const TimingDiagram d = s.compute();
    const TimerTiming &a = d.timers[1];
    ASSERT_EQ(a.chain.size(), 2u);
    EXPECT_EQ(a.chain[0].channel, 3);
    EXPECT_EQ(a.chain[0].delay, 2 * us);
    EXPECT_EQ(a.chain[1].channel, 1);
    EXPECT_EQ(a.offset, 3 * us);
    EXPECT_EQ(a.width, 10 * ns);
}

struct FaultCase {
    const char *name;
    std::vector<std::pair<int, int>> syncs; // channel, source
    int channelCount;
    std::vector<std::pair<int, ChainFault>> rows;
};

void PrintTo(const FaultCase &c, std::ostream *os)
{
    *os << c.name;
}

class Faults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(Faults, AChainThatDoesNotReachT0HasNoWaveform)
{
    const FaultCase &c = GetParam();
    Settings s;
    s.channelCount = c.channelCount;
    for (int n = 1; n <= 8; ++n)
        s.pulse(n, 100e-9, 50e-9);
    for (const auto &[channel, source] : c.syncs)
        s.channels[channel].SyncSource = source;
    const TimingDiagram d = s.compute();
    for (const auto &[channel, fault] : c.rows) {
        SCOPED_TRACE(channel);
        const TimingRow &row = rowOf(d, channel);
        EXPECT_EQ(row.fault, fault);
        if (fault == ChainFault::None) {
            EXPECT_FALSE(row.edges.empty());
        } else {
            EXPECT_TRUE(row.edges.empty());
            EXPECT_FALSE(row.overrun);
            EXPECT_TRUE(d.timers[static_cast<std::size_t>(channel)].chain.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loops, Faults,
    ::testing::Values(
        FaultCase{"two_channels_on_each_other",
                  {{1, 2}, {2, 1}},
                  4,
                  {{1, ChainFault::Loop},
                   {2, ChainFault::Loop},
                   {3, ChainFault::None},
                   {4, ChainFault::None}}},
        FaultCase{"on_itself", {{3, 3}}, 4, {{3, ChainFault::Loop}, {1, ChainFault::None}}},
        FaultCase{"three_in_a_circle",
                  {{1, 2}, {2, 3}, {3, 1}},
                  8,
                  {{1, ChainFault::Loop}, {2, ChainFault::Loop}, {3, ChainFault::Loop}}},
        FaultCase{"leading_into_a_circle",
                  {{1, 2}, {2, 1}, {4, 1}},
                  4,
                  {{4, ChainFault::Loop}, {3, ChainFault::None}}},
        FaultCase{"source_beyond_the_channels",
                  {{1, 6}, {2, 1}},
                  4,
                  {{1, ChainFault::MissingSource}, {2, ChainFault::MissingSource}}},
        FaultCase{"source_out_of_range",
                  {{1, 9}, {2, -1}},
                  8,
                  {{1, ChainFault::MissingSource}, {2, ChainFault::MissingSource}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TimingDiagram, AnOutputTakingALoopingTimerCannotBeDrawn)
{
    Settings s;
    s.pulse(1, 100e-9, 50e-9, 2).pulse(2, 100e-9, 50e-9, 1).pulse(3, 100e-9, 50e-9);
    s.channels[3].MuxMask = 0b101; // its own timer and A's
    EXPECT_EQ(rowOf(s.compute(), 3).fault, ChainFault::Loop);
    EXPECT_EQ(describeFault(ChainFault::Loop), QStringLiteral("sync loop"));
    EXPECT_EQ(describeFault(ChainFault::MissingSource), QStringLiteral("no sync source"));
}

struct SystemModeCase {
    const char *name;
    const char *mode;
    std::uint32_t burst, dutyOn, dutyOff;
    std::vector<int> periods;
};

void PrintTo(const SystemModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class SystemModes : public ::testing::TestWithParam<SystemModeCase> {};

TEST_P(SystemModes, DecideWhichPeriodsHaveAT0Pulse)
{
    const SystemModeCase &c = GetParam();
    Settings s;
    s.periods = 6;
    s.system.PulseMode = c.mode ? position(TokenTable::PulseMode, c.mode) : -1;
    s.system.BurstCount = c.burst;
    s.system.DutyOnCount = c.dutyOn;
    s.system.DutyOffCount = c.dutyOff;
    s.pulse(1, 1e-6, 1e-6);
    const TimingDiagram d = s.compute();
    EXPECT_EQ(firingPeriods(rowOf(d, 0)), c.periods);
    // A channel in normal mode fires on exactly those T0 pulses.
    EXPECT_EQ(firingPeriods(rowOf(d, 1)), c.periods);
    for (const TimingEdge &e : rowOf(d, 0).edges)
        EXPECT_EQ(e.time, e.t0Pulse * d.period);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SystemModes,
    ::testing::Values(
        SystemModeCase{"continuous", "NORM", 0, 0, 0, {0, 1, 2, 3, 4, 5}},
        SystemModeCase{"single_shot", "SING", 5, 5, 5, {0}},
        SystemModeCase{"burst_of_two", "BURS", 2, 0, 0, {0, 1}},
        SystemModeCase{"burst_of_none", "BURS", 0, 0, 0, {}},
        SystemModeCase{
            "burst_beyond_signed_range", "BURS", 4'000'000'000u, 0, 0, {0, 1, 2, 3, 4, 5}},
        SystemModeCase{"duty_two_on_one_off", "DCYC", 0, 2, 1, {0, 1, 3, 4}},
        SystemModeCase{"duty_one_on_four_off", "DCYC", 0, 1, 4, {0, 5}},
        SystemModeCase{"duty_never_on", "DCYC", 0, 0, 3, {}},
        SystemModeCase{"duty_never_off", "DCYC", 0, 2, 0, {0, 1, 2, 3, 4, 5}},
        SystemModeCase{"nothing_selected", nullptr, 0, 0, 0, {0, 1, 2, 3, 4, 5}}),
    [](const auto &info) { return std::string(info.param.name); });

struct ChannelModeCase {
    const char *name;
    const char *systemMode;
    std::uint32_t systemDutyOn, systemDutyOff;
    const char *mode;
    int burst, dutyOn, dutyOff, wait;
    std::vector<int> periods;
};

void PrintTo(const ChannelModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ChannelModes : public ::testing::TestWithParam<ChannelModeCase> {};

TEST_P(ChannelModes, CountT0PulsesAfterTheWait)
{
    const ChannelModeCase &c = GetParam();
    Settings s;
    s.periods = 6;
    s.system.PulseMode = position(TokenTable::PulseMode, c.systemMode);
    s.system.DutyOnCount = c.systemDutyOn;
    s.system.DutyOffCount = c.systemDutyOff;
    s.pulse(2, 1e-6, 1e-6);
    ChannelRecord &b = s.channels[2];
    b.Mode = position(TokenTable::PulseMode, c.mode);
    b.BurstCount = c.burst;
    b.DutyOnCount = c.dutyOn;
    b.DutyOffCount = c.dutyOff;
    b.WaitCount = c.wait;
    EXPECT_EQ(firingPeriods(rowOf(s.compute(), 2)), c.periods);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, ChannelModes,
    ::testing::Values(
        ChannelModeCase{"normal", "NORM", 0, 0, "NORM", 0, 0, 0, 0, {0, 1, 2, 3, 4, 5}},
        ChannelModeCase{"normal_after_two", "NORM", 0, 0, "NORM", 0, 0, 0, 2, {2, 3, 4, 5}},
        ChannelModeCase{"single_shot", "NORM", 0, 0, "SING", 4, 4, 4, 0, {0}},
        ChannelModeCase{"single_shot_after_three", "NORM", 0, 0, "SING", 0, 0, 0, 3, {3}},
        ChannelModeCase{"burst_of_two_after_one", "NORM", 0, 0, "BURS", 2, 0, 0, 1, {1, 2}},
        ChannelModeCase{"duty_one_on_two_off", "NORM", 0, 0, "DCYC", 0, 1, 2, 0, {0, 3}},
        ChannelModeCase{"duty_after_one", "NORM", 0, 0, "DCYC", 0, 1, 2, 1, {1, 4}},
        ChannelModeCase{"negative_burst_fires_never", "NORM", 0, 0, "BURS", -5, 0, 0, 0, {}},
        ChannelModeCase{
            "negative_wait_waits_not", "NORM", 0, 0, "NORM", 0, 0, 0, -3, {0, 1, 2, 3, 4, 5}},
        ChannelModeCase{"wait_beyond_the_periods_shown", "NORM", 0, 0, "NORM", 0, 0, 0, 6, {}},
        // The wait and the counts run over T0 pulses, not periods: with T0 on in every second
        // period the channel's second T0 pulse is in period 2.
        ChannelModeCase{"wait_counts_t0_pulses", "DCYC", 1, 1, "NORM", 0, 0, 0, 1, {2, 4}},
        ChannelModeCase{"burst_over_t0_pulses", "DCYC", 1, 1, "BURS", 2, 0, 0, 0, {0, 2}}),
    [](const auto &info) { return std::string(info.param.name); });

struct MuxCase {
    const char *name;
    int mask;
    const char *edges;
};

void PrintTo(const MuxCase &c, std::ostream *os)
{
    *os << c.name;
}

class Multiplexer : public ::testing::TestWithParam<MuxCase> {};

TEST_P(Multiplexer, OutputIsTheOrOfTheSelectedTimers)
{
    Settings s; // 4 channels
    s.pulse(1, 0, 100e-9).pulse(2, 50e-9, 100e-9).pulse(3, 500e-9, 10e-9).pulse(4, 100e-9, 100e-9);
    s.channels[1].MuxMask = GetParam().mask;
    EXPECT_EQ(edgesText(rowOf(s.compute(), 1)), u8(GetParam().edges));
}

INSTANTIATE_TEST_SUITE_P(
    Masks, Multiplexer,
    ::testing::Values(MuxCase{"own_timer", 0b0001, "H@0 s L@100 ns"}, MuxCase{"nothing", 0, ""},
                      MuxCase{"another_timer_only", 0b0100, "H@500 ns L@510 ns"},
                      MuxCase{"overlapping_merge", 0b0011, "H@0 s L@150 ns"},
                      MuxCase{"touching_merge", 0b1001, "H@0 s L@200 ns"},
                      MuxCase{"apart_stay_apart", 0b0101, "H@0 s L@100 ns H@500 ns L@510 ns"},
                      MuxCase{"all_four", 0b1111, "H@0 s L@200 ns H@500 ns L@510 ns"},
                      // E to H do not exist on this instrument.
                      MuxCase{"bits_beyond_the_channels", 0b11110001, "H@0 s L@100 ns"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TimingDiagram, AMergedPulseNamesTheTimersThatStartedAndEndedIt)
{
    Settings s;
    s.pulse(1, 0, 100e-9).pulse(2, 50e-9, 100e-9);
    s.channels[1].MuxMask = 0b11;
    const TimingDiagram d = s.compute();
    const TimingRow &a = rowOf(d, 1);
    ASSERT_EQ(a.edges.size(), 2u);
    EXPECT_EQ(a.edges[0].timer, 1);
    EXPECT_EQ(a.edges[1].timer, 2);
    EXPECT_EQ(describeEdge(d, a, a.edges[0]), u8("A: T0 + 0 s"));
    EXPECT_EQ(describeEdge(d, a, a.edges[1]), u8("A: T0 + 50 ns (B) + 100 ns (B width)"));
}

TEST(TimingDiagram, WidthsBeyondThePeriodRunTogether)
{
    Settings s;
    s.system.Period = 1e-6;
    s.periods = 3;
    s.pulse(1, 0, 1.5e-6);
    const TimingDiagram d = s.compute();
    EXPECT_EQ(edgesText(rowOf(d, 1)), u8("H@0 s L@3.5 µs"));
    EXPECT_EQ(d.end, 3'500'000);
}

TEST(TimingDiagram, PolarityInvertsTheDrawnLevels)
{
    const struct {
        const char *polarity;
        bool initial;
        const char *edges;
    } cases[] = {
        {"NORM", false, "H@1 µs L@1.2 µs"},
        {"INV", true, "L@1 µs H@1.2 µs"},
        {nullptr, false, "H@1 µs L@1.2 µs"}, // nothing selected
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.polarity ? c.polarity : "none");
        Settings s;
        s.pulse(3, 1e-6, 200e-9);
        s.channels[3].Polarity = c.polarity ? position(TokenTable::Polarity, c.polarity) : -1;
        const TimingDiagram d = s.compute();
        const TimingRow &row = rowOf(d, 3);
        EXPECT_EQ(row.initialLevel, c.initial);
        EXPECT_EQ(row.inverted, c.initial);
        EXPECT_EQ(edgesText(row), u8(c.edges));
    }
}

TEST(TimingDiagram, ADisabledChannelIsFlatWithoutWarning)
{
    Settings s;
    s.system.Period = 1e-6;
    s.pulse(2, 900e-9, 500e-9);
    s.channels[2].Enabled = 0;
    s.channels[2].Polarity = position(TokenTable::Polarity, "INV");
    const TimingDiagram d = s.compute();
    const TimingRow &row = rowOf(d, 2);
    EXPECT_FALSE(row.enabled);
    EXPECT_TRUE(row.edges.empty());
    EXPECT_FALSE(row.initialLevel);
    EXPECT_FALSE(row.overrun);
}

struct OverrunCase {
    const char *name;
    Settings setup;
    int channel;
    std::optional<Picoseconds> overrun;
};

void PrintTo(const OverrunCase &c, std::ostream *os)
{
    *os << c.name;
}

class Overrun : public ::testing::TestWithParam<OverrunCase> {};

TEST_P(Overrun, PulsePastTheNextT0IsFlaggedWithTheAmount)
{
    const OverrunCase &c = GetParam();
    EXPECT_EQ(rowOf(c.setup.compute(), c.channel).overrun, c.overrun);
}

Settings withPeriod(double period)
{
    Settings s;
    s.system.Period = period;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Overrun,
    ::testing::Values(
        OverrunCase{"within", withPeriod(1e-6).pulse(1, 400e-9, 500e-9), 1, std::nullopt},
        OverrunCase{"ends_on_the_next_t0", withPeriod(1e-6).pulse(1, 500e-9, 500e-9), 1,
                    std::nullopt},
        OverrunCase{"by_its_own_delay", withPeriod(1e-6).pulse(1, 600e-9, 500e-9), 1, 100 * ns},
        OverrunCase{"by_its_width_alone", withPeriod(1e-6).pulse(1, 0, 1.25e-6), 1, 250 * ns},
        OverrunCase{"along_its_chain",
                    withPeriod(1e-6).pulse(1, 700e-9, 10e-9).pulse(2, 200e-9, 200e-9, 1), 2,
                    100 * ns},
        OverrunCase{"source_not_flagged",
                    withPeriod(1e-6).pulse(1, 700e-9, 10e-9).pulse(2, 200e-9, 200e-9, 1), 1,
                    std::nullopt},
        OverrunCase{"no_period_yet", withPeriod(0).pulse(1, 600e-9, 500e-9), 1, std::nullopt},
        OverrunCase{"a_step_past_a_thousand_seconds",
                    withPeriod(1000).pulse(1, 999.99999999975, 5e-10), 1, 250}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TimingDiagram, OverrunText)
{
    EXPECT_EQ(describeOverrun(250 * ns), u8("Pulse runs 250 ns past the next T0"));
}

TEST(TimingDiagram, ThousandSecondDelaysAndTenPicosecondStepsStayExact)
{
    Settings s;
    s.channelCount = 8;
    s.periods = 3;
    s.system.Period = 4999.99999999999; // 10 ps under the longest period
    // Every channel 1000 s less one 250 ps step after the one before it.
    for (int n = 1; n <= 8; ++n)
        s.pulse(n, 999.99999999975, 1e-11, n - 1);
    const TimingDiagram d = s.compute();
    EXPECT_EQ(d.period, 4'999'999'999'999'990);
    EXPECT_EQ(d.timers[8].offset, 7'999'999'999'998'000);
    const TimingRow &h = rowOf(d, 8);
    ASSERT_EQ(h.edges.size(), 6u);
    EXPECT_EQ(h.edges[4].time, 9'999'999'999'999'980 + 7'999'999'999'998'000);
    EXPECT_EQ(h.edges[5].time, 9'999'999'999'999'980 + 7'999'999'999'998'010);
    EXPECT_EQ(d.end, h.edges[5].time);
    EXPECT_EQ(h.overrun, 7'999'999'999'998'010 - 4'999'999'999'999'990);

    Settings pair;
    pair.pulse(1, 999.99999999975, 1e-11).pulse(2, 1e-11, 1e-11, 1);
    const TimingDiagram p = pair.compute();
    const TimingRow &b = rowOf(p, 2);
    EXPECT_EQ(b.edges[0].time, 999'999'999'999'760);
    EXPECT_EQ(describeEdge(p, b, b.edges[0]), u8("B: T0 + 999.99999999975 s (A) + 0.01 ns"));
    EXPECT_EQ(describeEdge(p, b, b.edges[1]),
              u8("B: T0 + 999.99999999975 s (A) + 0.01 ns + 0.01 ns (width)"));
}

TEST(TimingDiagram, AxisReachesBackForAPulseBeforeZero)
{
    Settings s;
    s.pulse(1, -300e-9, 100e-9);
    const TimingDiagram d = s.compute();
    EXPECT_EQ(d.start, -300 * ns);
    EXPECT_EQ(d.end, 10 * us);
}

TEST(TimingDiagram, NothingReadYetStillGivesAnAxis)
{
    // Demo mode before any change: every record zero, no channel count from a read-back.
    const TimingDiagram d = computeTimingDiagram(SystemSettings{}, ChannelSettings{}, 8);
    EXPECT_EQ(d.period, 0);
    ASSERT_EQ(d.rows.size(), 9u);
    EXPECT_EQ(edgesText(d.rows[0]), u8("H@0 s"));
    for (std::size_t i = 1; i < d.rows.size(); ++i)
        EXPECT_TRUE(d.rows[i].edges.empty());
    EXPECT_EQ(d.start, 0);
    EXPECT_GT(d.end, d.start);
}

TEST(TimingDiagram, PeriodsShownAreBounded)
{
    Settings s;
    s.periods = 0;
    EXPECT_EQ(s.compute().periods, 1);
    s.periods = 1'000'000;
    EXPECT_EQ(s.compute().periods, kMaxDiagramPeriods);
}

} // namespace
