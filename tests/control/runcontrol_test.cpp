#include "control/RunControl.h"
#include "model/SystemSettings.h"

#include <QStringList>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// Records every effect in order, with the run flag as each effect saw it.
class RunControlTest : public ::testing::Test {
protected:
    RunControlTest()
        : control(systemRunning, settings,
                  {[this](const QString &c) { log(QStringLiteral("queue ") + c); },
                   [this] { return series; },
                   [this] { log(QStringLiteral("refresh")); },
                   [this] { log(QStringLiteral("start task timer")); },
                   {[this](bool r) {
                        log(r ? QStringLiteral("show running") : QStringLiteral("show stopped"));
                    },
                    [this](int f) { log(QStringLiteral("frame %1").arg(f)); }}})
    {
    }

    void log(const QString &effect)
    {
        events << effect + (systemRunning ? QStringLiteral(" [running]") : QString());
    }

    bool systemRunning = false;
    model::SystemSettings settings;
    int series = 1;
    QStringList events;
    control::RunControl control;
};

TEST_F(RunControlTest, StartShowsFirstAndSetsTheFlagLast)
{
    control.RunStopbtnClick();
    EXPECT_EQ(events, (QStringList{QStringLiteral("show running"),
                                   QStringLiteral("queue :PULS0:STAT ON")}));
    EXPECT_TRUE(systemRunning);
}

TEST_F(RunControlTest, StopClearsTheFlagFirstAndParksTheAnimationLast)
{
    systemRunning = true;
    control.RunStopbtnClick();
    EXPECT_EQ(events,
              (QStringList{QStringLiteral("show stopped"), QStringLiteral("queue :PULS0:STAT OFF"),
                           QStringLiteral("frame 5")}));
    EXPECT_FALSE(systemRunning);
}

TEST_F(RunControlTest, ShotCounterSwitch)
{
    control.ShotCountEnblClick(true);
    EXPECT_EQ(settings.ShotCounterEnabled, 1);
    control.ShotCountEnblClick(false);
    EXPECT_EQ(settings.ShotCounterEnabled, 0);
    EXPECT_EQ(events, (QStringList{QStringLiteral("queue :PULS0:COUN:STAT 1"),
                                   QStringLiteral("queue :PULS0:COUN:STAT 0")}));
}

TEST_F(RunControlTest, ClearShotCountBySeries)
{
    for (int s : {0, 1, 2, 3, 4}) {
        series = s;
        control.ClearShotCountClick();
    }
    EXPECT_EQ(events, (QStringList{QStringLiteral("queue :PULS0:COUN:CL TCNTS"),
                                   QStringLiteral("queue :PULS0:COUN:CL TCNTS"),
                                   QStringLiteral("queue :PULS0:COUN:CL TCNTS"),
                                   QStringLiteral("queue :PULS0:COUN:CL TCNTS"),
                                   QStringLiteral("queue :PULS0:COUN:CL")}));
}

TEST_F(RunControlTest, RefreshRequestsAReadBackFromTheTaskTimer)
{
    control.Up1Click();
    EXPECT_EQ(events, (QStringList{QStringLiteral("refresh"), QStringLiteral("start task timer")}));
}

TEST(RunStopCaption, Captions)
{
    EXPECT_EQ(control::RunStopCaption(true), QStringLiteral("Stop"));
    EXPECT_EQ(control::RunStopCaption(false), QStringLiteral("Run"));
}

} // namespace
