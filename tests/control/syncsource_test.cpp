#include "control/SyncSourceHandler.h"
#include "control/SyncSourceRule.h"
#include "model/ChannelSettings.h"
#include "tests/support/ScriptedDialogs.h"

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

using control::SyncSourceVerdict;
using model::ChannelSettings;

namespace {

// Builds the stored table from (channel, source) pairs; unnamed channels sync to T0.
ChannelSettings sources(std::initializer_list<std::pair<int, int>> links)
{
    ChannelSettings s;
    for (const auto &[channel, source] : links)
        s[channel].SyncSource = source;
    return s;
}

QList<int> syncColumn(const ChannelSettings &s)
{
    QList<int> column;
    for (int n = 1; n <= 8; ++n)
        column << s[n].SyncSource;
    return column;
}

struct RuleCase {
    const char *name;
    int channel;
    std::optional<int> source;
    ChannelSettings stored;
    int channelCount;
    SyncSourceVerdict expected;
};

void PrintTo(const RuleCase &c, std::ostream *os)
{
    *os << c.name;
}

class SyncSourceRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(SyncSourceRuleTest, Verdict)
{
    const RuleCase &c = GetParam();
    EXPECT_EQ(control::CheckSyncSource(c.channel, c.source, c.stored, c.channelCount), c.expected);
}

constexpr int A = 1, B = 2, C = 3, D = 4, F = 6, G = 7, H = 8;

INSTANTIATE_TEST_SUITE_P(
    Steps, SyncSourceRuleTest,
    ::testing::Values(
        RuleCase{"AtoBWhileBSyncsToA", A, B, sources({{B, A}}), 4, SyncSourceVerdict::MutualSync},
        RuleCase{"ChannelOntoItself", B, B, sources({}), 4, SyncSourceVerdict::SelfSync},
        // The pair check comes first, so a channel already stored as its own source is
        // reported as a pair.
        RuleCase{"SelfWhileStoredAsSelf", B, B, sources({{B, B}}), 4,
                 SyncSourceVerdict::MutualSync},
        RuleCase{"CForAWhileAtoBtoC", C, A, sources({{A, B}, {B, C}}), 4,
                 SyncSourceVerdict::Circular},
        RuleCase{"CForAWhileAtoBtoT0", C, A, sources({{A, B}}), 4, SyncSourceVerdict::Accept},
        RuleCase{"SourceOnT0", C, B, sources({}), 4, SyncSourceVerdict::Accept},
        RuleCase{"T0WhateverIsStored", A, 0, sources({{A, A}, {B, A}}), 8,
                 SyncSourceVerdict::Accept},
        RuleCase{"T0OnTwoChannels", B, 0, sources({{A, B}}), 2, SyncSourceVerdict::Accept},
        RuleCase{"LongestLoop", H, A,
                 sources({{A, B}, {B, C}, {C, D}, {D, 5}, {5, F}, {F, G}, {G, H}}), 8,
                 SyncSourceVerdict::Circular},
        // A loop among other channels is walked no further than the channel count.
        RuleCase{"ForeignLoopEndsWalk", C, A, sources({{A, B}, {B, A}}), 4,
                 SyncSourceVerdict::Accept},
        // B names F on a four-channel model: the walk goes on from A, which leads to C.
        RuleCase{"BeyondCountRestartsAtA", C, B, sources({{A, C}, {B, F}}), 4,
                 SyncSourceVerdict::Circular},
        RuleCase{"GarbageStoredStaysInside", B, A, sources({{A, -5}}), 8,
                 SyncSourceVerdict::Accept},
        RuleCase{"NoChannelNamed", A, std::nullopt, sources({}), 4, SyncSourceVerdict::NoChannel},
        RuleCase{"SourceNumberTooLarge", A, 9, sources({}), 8, SyncSourceVerdict::NoChannel},
        RuleCase{"SourceNumberNegative", A, -1, sources({}), 8, SyncSourceVerdict::NoChannel},
        RuleCase{"ChannelZero", 0, B, sources({}), 8, SyncSourceVerdict::NoChannel}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SyncSourceRefusalText, ExactMessages)
{
    EXPECT_EQ(control::SyncSourceRefusalText(SyncSourceVerdict::MutualSync),
              QStringLiteral("Error. You cannot sync two channels to each other."));
    EXPECT_EQ(control::SyncSourceRefusalText(SyncSourceVerdict::SelfSync),
              QStringLiteral("Error. Channel cannot sync to itself."));
    EXPECT_EQ(control::SyncSourceRefusalText(SyncSourceVerdict::Circular),
              QStringLiteral("Error. Circular sync reference."));
    EXPECT_TRUE(control::SyncSourceRefusalText(SyncSourceVerdict::Accept).isEmpty());
    EXPECT_TRUE(control::SyncSourceRefusalText(SyncSourceVerdict::NoChannel).isEmpty());
}

class SetChannelSyncSourceTest : public ::testing::Test {
protected:
    bool choose(int channel, std::optional<int> source, int channelCount = 4)
    {
        return control::SetChannelSyncSource(channel, source, stored, channelCount, dialogs, hooks);
    }

    ChannelSettings stored;
    testsupport::ScriptedDialogs dialogs;
    QStringList queued;
    QList<int> restored;
    control::SyncSourceHooks hooks{[this](const QString &c) { queued << c; },
                                   [this](int s) { restored << s; }};
};

TEST_F(SetChannelSyncSourceTest, AcceptedChoiceIsStoredAndQueuedAsOneCommand)
{
    stored = sources({{A, B}});
    EXPECT_TRUE(choose(C, A));
    EXPECT_EQ(queued, QStringList{QStringLiteral(":PULS3:SYNC CHA")});
    EXPECT_EQ(syncColumn(stored), syncColumn(sources({{A, B}, {C, A}})));
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(restored.isEmpty());
}

TEST_F(SetChannelSyncSourceTest, T0QueuesItsWord)
{
    stored = sources({{H, C}});
    EXPECT_TRUE(choose(H, 0, 8));
    EXPECT_EQ(queued, QStringList{QStringLiteral(":PULS8:SYNC T0")});
    EXPECT_EQ(syncColumn(stored), syncColumn(sources({})));
}

TEST_F(SetChannelSyncSourceTest, RefusalShowsMessageAndPutsBoxBack)
{
    stored = sources({{A, D}, {B, A}});
    EXPECT_FALSE(choose(A, B));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Error. You cannot sync two channels to each other."));
    EXPECT_EQ(dialogs.shown[0].buttons,
              QList<transport::UserDialogs::Button>{transport::UserDialogs::Button::Ok});
    EXPECT_TRUE(queued.isEmpty());
    EXPECT_EQ(restored, QList<int>{D});
    EXPECT_EQ(syncColumn(stored), syncColumn(sources({{A, D}, {B, A}})));
}

TEST_F(SetChannelSyncSourceTest, BoxNamingNoChannelIsPutBackSilently)
{
    stored = sources({{B, C}});
    EXPECT_FALSE(choose(B, std::nullopt));
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_TRUE(queued.isEmpty());
    EXPECT_EQ(restored, QList<int>{C});
    EXPECT_EQ(syncColumn(stored), syncColumn(sources({{B, C}})));
}

} // namespace
