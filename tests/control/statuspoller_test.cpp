#include "control/StatusPoller.h"
#include "model/SystemSettings.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QMap>
#include <QTimer>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using Button = transport::UserDialogs::Button;

void ensureApp()
{
    static int argc = 1;
    static char name[] = "statuspoller_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// A stand-in for the window: records every query, flag change and display call in order.
class StatusPollerTest : public ::testing::Test {
protected:
    StatusPollerTest()
    {
        ensureApp();
        timer.setInterval(control::StatusPollInterval);
        timer.start();
    }

    control::StatusPoller makePoller()
    {
        control::StatusPoller::Hooks h;
        h.portInUse = [this] { return portInUse; };
        h.demoMode = [this] { return demoMode; };
        h.taskBusy = [this] { return taskBusy; };
        h.setPollingBusy = [this](bool on) {
            pollingBusy = on;
            events << (on ? QStringLiteral("busy") : QStringLiteral("idle"));
        };
        h.reopenPort = [this] {
            events << QStringLiteral("open");
            return portAvailable;
        };
        h.queryInteger = [this](const QString &q) { return std::int32_t(answer(q)); };
        h.queryInt64 = [this](const QString &q) { return answer(q); };
        h.restartApp = [this] { events << QStringLiteral("restart"); };
        h.exitApp = [this] { events << QStringLiteral("exit"); };
        h.shotCounterPageShown = [this] { return counterPageShown; };
        h.instrumentSeries = [this] { return series; };
        h.showShotCount = [this](const QString &t) { label = t; };
        h.display.show = [this](bool r) {
            events << (r ? QStringLiteral("show running") : QStringLiteral("show stopped"));
        };
        h.display.setAnimationFrame = [this](int f) {
            events << QStringLiteral("frame %1").arg(f);
        };
        return control::StatusPoller(timer, systemRunning, settings, dialogs, h);
    }

    std::int64_t answer(const QString &query)
    {
        queries << query;
        busyAtQuery << pollingBusy;
        timerAtQuery << timer.isActive();
        return replies.value(query, 0);
    }

    QTimer timer;
    bool portInUse = false, demoMode = false, taskBusy = false, pollingBusy = false;
    bool portAvailable = true, counterPageShown = false, systemRunning = false;
    int series = 1;
    model::SystemSettings settings;
    testsupport::ScriptedDialogs dialogs;
    QMap<QString, std::int64_t> replies;
    QStringList queries, events;
    QList<bool> busyAtQuery, timerAtQuery;
    QString label = QStringLiteral("Count: ----");
};

struct GuardCase {
    const char *name;
    bool portInUse, demoMode, taskBusy;
    bool polls, timerRunsAfter;
};

void PrintTo(const GuardCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatusPollerGuards : public StatusPollerTest,
                           public ::testing::WithParamInterface<GuardCase> {};

TEST_P(StatusPollerGuards, TickIsSkippedStoppedOrPolled)
{
    const GuardCase &c = GetParam();
    portInUse = c.portInUse;
    demoMode = c.demoMode;
    taskBusy = c.taskBusy;
    makePoller().StatusTimerTimer();

    EXPECT_EQ(!queries.isEmpty(), c.polls);
    EXPECT_EQ(timer.isActive(), c.timerRunsAfter);
    EXPECT_FALSE(pollingBusy);
    if (!c.polls) {
        EXPECT_TRUE(events.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, StatusPollerGuards,
    ::testing::Values(GuardCase{"DuringAnExchange", true, false, false, false, true},
                      // The in-use check comes first: even demo mode leaves the timer alone.
                      GuardCase{"DuringAnExchangeInDemoMode", true, true, false, false, true},
                      GuardCase{"DemoMode", false, true, false, false, false},
                      GuardCase{"DemoModeDuringTaskPass", false, true, true, false, false},
                      GuardCase{"DuringTaskPass", false, false, true, false, true},
                      GuardCase{"Free", false, false, false, true, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(StatusPollerTest, PollRunsWithPollingBusyAndTheTimerOff)
{
    makePoller().StatusTimerTimer();
    EXPECT_EQ(queries, QStringList{QStringLiteral(":PULS0:STAT")});
    EXPECT_EQ(events.first(), QStringLiteral("busy"));
    EXPECT_EQ(events.last(), QStringLiteral("idle"));
    EXPECT_TRUE(timer.isActive());
}

TEST_F(StatusPollerTest, LostPortAsksAndRestartsOnYes)
{
    portAvailable = false;
    dialogs.answerNext(Button::Yes);
    makePoller().StatusTimerTimer();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, transport::UserDialogs::Kind::Warning);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Port no longer available, restart?"));
    EXPECT_EQ(dialogs.shown[0].buttons, (QList<Button>{Button::Yes, Button::No}));
    EXPECT_EQ(events, (QStringList{QStringLiteral("busy"), QStringLiteral("open"),
                                   QStringLiteral("restart"), QStringLiteral("idle")}));
    EXPECT_TRUE(queries.isEmpty());
    EXPECT_FALSE(timer.isActive());
}

TEST_F(StatusPollerTest, LostPortExitsOnNo)
{
    portAvailable = false;
    counterPageShown = true;
    settings.ShotCounterEnabled = 1;
    dialogs.answerNext(Button::No);
    EXPECT_FALSE(makePoller().UpdateStatus());
    EXPECT_EQ(events, (QStringList{QStringLiteral("open"), QStringLiteral("exit")}));
    EXPECT_TRUE(queries.isEmpty());
    EXPECT_EQ(label, QStringLiteral("Count: ----"));
}

struct RunStateCase {
    const char *name;
    bool runningBefore;
    std::int64_t reply;
    bool runningAfter;
    QStringList display;
};

void PrintTo(const RunStateCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatusPollerRunState : public StatusPollerTest,
                             public ::testing::WithParamInterface<RunStateCase> {};

TEST_P(StatusPollerRunState, DisplayChangesOnlyOnARealChange)
{
    const RunStateCase &c = GetParam();
    systemRunning = c.runningBefore;
    replies[QStringLiteral(":PULS0:STAT")] = c.reply;
    EXPECT_TRUE(makePoller().UpdateStatus());
    EXPECT_EQ(systemRunning, c.runningAfter);
    events.removeAll(QStringLiteral("open"));
    EXPECT_EQ(events, c.display);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, StatusPollerRunState,
    ::testing::Values(RunStateCase{"ArmedFromFrontPanel",
                                   false,
                                   1,
                                   true,
                                   {QStringLiteral("show running"), QStringLiteral("frame 5")}},
                      RunStateCase{"AnyNonZeroIsRunning",
                                   false,
                                   -7,
                                   true,
                                   {QStringLiteral("show running"), QStringLiteral("frame 5")}},
                      RunStateCase{"StillRunning", true, 1, true, {}},
                      RunStateCase{"StoppedFromFrontPanel",
                                   true,
                                   0,
                                   false,
                                   {QStringLiteral("show stopped"), QStringLiteral("frame 5")}},
                      RunStateCase{"StillStopped", false, 0, false, {}}),
    [](const auto &info) { return std::string(info.param.name); });

struct CountCase {
    const char *name;
    int series;
    bool pageShown;
    std::int32_t counterEnabled;
    std::int64_t reply;
    QString expectedQuery; // empty: no count query at all
    QString expectedLabel;
};

void PrintTo(const CountCase &c, std::ostream *os)
{
    *os << c.name;
}

class StatusPollerShotCount : public StatusPollerTest,
                              public ::testing::WithParamInterface<CountCase> {};

TEST_P(StatusPollerShotCount, CountReadOnlyOnItsPageWithTheCounterOn)
{
    const CountCase &c = GetParam();
    series = c.series;
    counterPageShown = c.pageShown;
    settings.ShotCounterEnabled = c.counterEnabled;
    settings.ShotCount = 77;
    replies[QStringLiteral(":PULS0:COUN:PULSES")] = c.reply;
    replies[QStringLiteral(":PULS0:COUN:COUN? TCNTS")] = c.reply;
    makePoller().UpdateStatus();

    QStringList expected{QStringLiteral(":PULS0:STAT")};
    if (!c.expectedQuery.isEmpty())
        expected << c.expectedQuery;
    EXPECT_EQ(queries, expected);
    EXPECT_EQ(label, c.expectedLabel);
    if (c.expectedQuery.isEmpty())
        EXPECT_EQ(settings.ShotCount, 77u);
    else
        EXPECT_EQ(label, control::ShotCountText(settings.ShotCount));
}

INSTANTIATE_TEST_SUITE_P(
    Counter, StatusPollerShotCount,
    ::testing::Values(
        CountCase{"Series1", 1, true, 1, 123, QStringLiteral(":PULS0:COUN:COUN? TCNTS"),
                  QStringLiteral("Count:        123")},
        CountCase{"Series4", 4, true, 1, 123, QStringLiteral(":PULS0:COUN:PULSES"),
                  QStringLiteral("Count:        123")},
        CountCase{"LowThirtyTwoBits", 2, true, 1, (std::int64_t(3) << 32) + 5,
                  QStringLiteral(":PULS0:COUN:COUN? TCNTS"), QStringLiteral("Count:          5")},
        CountCase{"AllTenDigits", 3, true, 1, 4294967295LL,
                  QStringLiteral(":PULS0:COUN:COUN? TCNTS"), QStringLiteral("Count: 4294967295")},
        CountCase{"NegativeReplyWraps", 4, true, 1, -1, QStringLiteral(":PULS0:COUN:PULSES"),
                  QStringLiteral("Count: 4294967295")},
        CountCase{"OtherPageShown", 1, false, 1, 123, QString(), QStringLiteral("Count: ----")},
        CountCase{"CounterOff", 1, true, 0, 123, QString(), QStringLiteral("Count: ----")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ShotCountText, RightAlignedInTenCharacters)
{
    EXPECT_EQ(control::ShotCountText(0), QStringLiteral("Count:          0"));
    EXPECT_EQ(control::ShotCountText(123), QStringLiteral("Count:        123"));
    EXPECT_EQ(control::ShotCountText(std::numeric_limits<std::uint32_t>::max()),
              QStringLiteral("Count: 4294967295"));
}

} // namespace
