#include "control/StorageBins.h"

#include <QStringList>

#include "tests/control/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

class StorageBinsTest : public ::testing::Test {
protected:
    StorageBinsTest()
        : bins([this](const QString &c) { events << QStringLiteral("queue ") + c; },
               pendingRecallBin, recallPending,
               [this] {
                   events << QStringLiteral("start task timer %1 %2")
                                 .arg(pendingRecallBin)
                                 .arg(recallPending);
               }) {}

    std::int32_t pendingRecallBin = 0;
    std::int32_t recallPending = 0;
    QStringList events;
    control::StorageBins bins;
};

TEST_F(StorageBinsTest, SaveQueuesOneCommandPerBin) {
    QStringList expected;
    for (int bin = 1; bin <= 12; ++bin) {
        EXPECT_TRUE(bins.SaveToBin(bin));
        expected << QStringLiteral("queue *SAV %1").arg(bin);
    }
    EXPECT_EQ(events, expected);
    EXPECT_EQ(recallPending, 0);
}

TEST_F(StorageBinsTest, SaveRefusesBinsTheInstrumentHasNot) {
    for (int bin : {0, 13, -1})
        EXPECT_FALSE(bins.SaveToBin(bin)) << bin;
    EXPECT_TRUE(events.isEmpty());
}

// The request is recorded before the timer is started, so the first tick already sees it.
TEST_F(StorageBinsTest, RecallRecordsTheRequestThenStartsTheTaskTimer) {
    EXPECT_TRUE(bins.RecallBin(3));
    EXPECT_EQ(events, QStringList{QStringLiteral("start task timer 3 -1")});
    EXPECT_TRUE(bins.RecallBin(0));
    EXPECT_EQ(pendingRecallBin, 0);
    EXPECT_TRUE(bins.RecallBin(12));
    EXPECT_EQ(pendingRecallBin, 12);
    EXPECT_EQ(recallPending, -1);
    EXPECT_TRUE(events.filter(QStringLiteral("queue")).isEmpty());
}

TEST_F(StorageBinsTest, RecallRefusesBinsTheInstrumentHasNot) {
    pendingRecallBin = 5;
    for (int bin : {-1, 13})
        EXPECT_FALSE(bins.RecallBin(bin)) << bin;
    EXPECT_EQ(pendingRecallBin, 5);
    EXPECT_EQ(recallPending, 0);
    EXPECT_TRUE(events.isEmpty());
}

} // namespace
