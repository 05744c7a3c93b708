#include "model/ChannelSettings.h"

#include <gtest/gtest.h>

using namespace model;

namespace {

TEST(ChannelSettings, EachChannelHasItsOwnRecord)
{
    ChannelSettings settings;
    for (int n = 1; n <= 8; ++n) {
        settings[n].Delay = n * 1e-9;
        settings[n].SyncSource = n - 1;
    }
    const ChannelSettings &view = settings;
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(view[n].Delay, n * 1e-9);
        EXPECT_EQ(view[n].SyncSource, n - 1);
        EXPECT_EQ(settings.find(n), &settings[n]);
    }
}

TEST(ChannelSettings, NumbersThatNameNoChannelReachNoRecord)
{
    ChannelSettings settings;
    const ChannelSettings &view = settings;
    for (int n : {0, -1, 9, 255}) {
        EXPECT_EQ(settings.find(n), nullptr) << n;
        EXPECT_EQ(view.find(n), nullptr) << n;
    }
}

TEST(ChannelSettingsDeathTest, IndexingChannelZeroStopsInsteadOfCorrupting)
{
    ChannelSettings settings;
    EXPECT_DEATH(settings[0].Delay = 1.0, "no output channel 0");
    EXPECT_DEATH(settings[9].Delay = 1.0, "no output channel 9");
}

} // namespace
