#include "control/StorageBins.h"

#include <QStringList>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class StorageBinsTest : public ::testing::Test {
protected:
    StorageBinsTest()
        : bins([this](const QString &c) { events << QStringLiteral("queue ") + c; },
               [this](int bin) { events << QStringLiteral("recall %1").arg(bin); },
               [this] { events << QStringLiteral("start task timer"); })
    {
    }

    QStringList events;
    control::StorageBins bins;
};

TEST_F(StorageBinsTest, SaveQueuesOneCommandPerBin)
{
    QStringList expected;
    for (int bin = 1; bin <= 12; ++bin) {
        EXPECT_TRUE(bins.SaveToBin(bin));
        expected << QStringLiteral("queue *SAV %1").arg(bin);
    }
    EXPECT_EQ(events, expected);
}

TEST_F(StorageBinsTest, SaveRefusesBinsTheInstrumentHasNot)
{
    for (int bin : {0, 13, -1})
        EXPECT_FALSE(bins.SaveToBin(bin)) << bin;
    EXPECT_TRUE(events.isEmpty());
}

// The request is recorded before the timer is started, so the first tick already sees it.
TEST_F(StorageBinsTest, RecallRecordsTheRequestThenStartsTheTaskTimer)
{
    for (int bin : {3, 0, 12})
        EXPECT_TRUE(bins.RecallBin(bin)) << bin;
    EXPECT_EQ(events,
              (QStringList{QStringLiteral("recall 3"), QStringLiteral("start task timer"),
                           QStringLiteral("recall 0"), QStringLiteral("start task timer"),
                           QStringLiteral("recall 12"), QStringLiteral("start task timer")}));
}

TEST_F(StorageBinsTest, RecallRefusesBinsTheInstrumentHasNot)
{
    for (int bin : {-1, 13})
        EXPECT_FALSE(bins.RecallBin(bin)) << bin;
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
