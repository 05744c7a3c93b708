// Run control and the status poll: the Run/Stop button and its animation, the shot counter,
// Refresh, and the poll with its guards against the task timer's traffic.
#include "HandlersTestSupport.h"

#include "transport/TVNComPort.h"
#include "ui/RunStatusHandlers.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <vector>

using handlerstest::HandlerFixture;
using handlerstest::q;
using testsupport::PtyPeer;

namespace {

using RunControlTest = HandlerFixture;

} // namespace

TEST_F(RunControlTest, RunAndStopSwitchCaptionAnimationAndQueueTheirCommands)
{
    QMovie *movie = form->PulseAnimate->movie();
    ASSERT_NE(movie, nullptr);
    ASSERT_TRUE(movie->isValid());

    form->RunStopbtn->click();
    EXPECT_TRUE(form->State.SystemRunning);
    EXPECT_EQ(form->RunStopbtn->text(), q("Stop"));
    EXPECT_FALSE(form->PulseAnimate->isHidden());
    EXPECT_EQ(movie->state(), QMovie::Running);
    EXPECT_EQ(sent(), QStringList{q(":PULS0:STAT ON")});

    form->RunStopbtn->click();
    EXPECT_FALSE(form->State.SystemRunning);
    EXPECT_EQ(form->RunStopbtn->text(), q("Run"));
    EXPECT_TRUE(form->PulseAnimate->isHidden());
    EXPECT_EQ(movie->state(), QMovie::NotRunning);
    EXPECT_EQ(movie->currentFrameNumber(), 5);
    EXPECT_EQ(sent(), QStringList{q(":PULS0:STAT OFF")});
}

TEST_F(RunControlTest, ShotCounterSwitchQueuesAndStores)
{
    form->ShotCountEnbl->setChecked(true);
    EXPECT_EQ(form->State.SystemSettings.ShotCounterEnabled, 1);
    form->ShotCountEnbl->setChecked(false);
    EXPECT_EQ(form->State.SystemSettings.ShotCounterEnabled, 0);
    EXPECT_EQ(sent(), (QStringList{q(":PULS0:COUN:STAT 1"), q(":PULS0:COUN:STAT 0")}));
}

namespace {

struct ClearCase {
    int series;
    const char *command;
};

class ClearShotCount : public HandlerFixture, public ::testing::WithParamInterface<ClearCase> {};

} // namespace

TEST_P(ClearShotCount, UsesTheSeriesForm)
{
    setModel(GetParam().series, 8);
    form->ClearShotCount->click();
    EXPECT_EQ(sent(), QStringList{q(GetParam().command)});
}

INSTANTIATE_TEST_SUITE_P(BySeries, ClearShotCount,
                         ::testing::Values(ClearCase{model::SeriesVDX, ":PULS0:COUN:CL"},
                                           ClearCase{model::SeriesHRA, ":PULS0:COUN:CL TCNTS"},
                                           ClearCase{model::SeriesHRB, ":PULS0:COUN:CL TCNTS"},
                                           ClearCase{model::SeriesHLA, ":PULS0:COUN:CL TCNTS"},
                                           ClearCase{model::SeriesUnknown,
                                                     ":PULS0:COUN:CL TCNTS"}));

TEST_F(RunControlTest, RefreshAsksTheTaskTimerForARead)
{
    form->ShotCountlbl->setText(q("Count:         12"));
    form->Up1->trigger();
    EXPECT_NE(form->Tasks->RefreshPending(), 0);
    EXPECT_TRUE(form->TaskTimer->isActive());

    form->Tasks->ProcessTasks();
    EXPECT_EQ(form->Tasks->RefreshPending(), 0);
    EXPECT_EQ(form->ShotCountlbl->text(), q("Count: ----")) << "the read-back ran";
}

TEST_F(RunControlTest, DemoModeStopsTheStatusTimerAtItsFirstTick)
{
    form->StatusTimer->start();
    form->RunStatusHandling->StatusTimerTimer();
    EXPECT_FALSE(form->StatusTimer->isActive());
    EXPECT_FALSE(form->Tasks->PollingBusy());
}

namespace {

using PollOnLine = handlerstest::OnLineFixture;

struct PollCase {
    const char *name;
    int series;
    int page;
    int counterEnabled;
    QByteArray runReply;
    QStringList wire;
    bool running;
    const char *label;
};

class StatusPoll : public PollOnLine, public ::testing::WithParamInterface<PollCase> {};

const char *const kDesignCountLabel = "Count: 4,294,967,296";

} // namespace

TEST_P(StatusPoll, ReadsTheRunStateAndOnItsPageTheShotCount)
{
    const PollCase &c = GetParam();
    setModel(c.series, 8);
    form->SystemPageControl->setCurrentIndex(c.page);
    form->State.SystemSettings.ShotCounterEnabled = c.counterEnabled;
    peer->onLine(":PULS0:STAT?", PtyPeer::text(c.runReply + "\r\n"));
    peer->onLine(":PULS0:COUN:COUN? TCNTS?", PtyPeer::text("123\r\n"));
    peer->onLine(":PULS0:COUN:PULSES?", PtyPeer::text("4294967419\r\n"));
    form->StatusTimer->start();

    form->RunStatusHandling->StatusTimerTimer();

    EXPECT_EQ(received(), c.wire);
    EXPECT_EQ(form->State.SystemRunning, c.running);
    EXPECT_EQ(form->RunStopbtn->text(), c.running ? q("Stop") : q("Run"));
    if (c.running) {
        EXPECT_FALSE(form->PulseAnimate->isHidden());
    }
    EXPECT_EQ(form->ShotCountlbl->text(), q(c.label));
    EXPECT_TRUE(form->StatusTimer->isActive()) << "started again after the poll";
    EXPECT_FALSE(form->Tasks->PollingBusy());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusPoll,
    ::testing::Values(PollCase{"RunningCountShown",
                               model::SeriesHRA,
                               1,
                               1,
                               "1",
                               {q(":PULS0:STAT?"), q(":PULS0:COUN:COUN? TCNTS?")},
                               true,
                               "Count:        123"},
                      PollCase{"SystemPageNoCountQuery",
                               model::SeriesHRA,
                               0,
                               1,
                               "1",
                               {q(":PULS0:STAT?")},
                               true,
                               kDesignCountLabel},
                      PollCase{"CounterOffNoCountQuery",
                               model::SeriesHRB,
                               1,
                               0,
                               "0",
                               {q(":PULS0:STAT?")},
                               false,
                               kDesignCountLabel},
                      // VDX has its own count query; a count beyond 32 bits keeps its low 32.
                      PollCase{"VdxCountLow32Bits",
                               model::SeriesVDX,
                               1,
                               1,
                               "0",
                               {q(":PULS0:STAT?"), q(":PULS0:COUN:PULSES?")},
                               false,
                               "Count:        123"},
                      PollCase{"ReplyNotANumberIsStopped",
                               model::SeriesHRA,
                               0,
                               0,
                               "armed",
                               {q(":PULS0:STAT?")},
                               false,
                               kDesignCountLabel}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PollOnLine, InstrumentArmedElsewhereTurnsTheButtonToStopAndBack)
{
    peer->onLine(":PULS0:STAT?", PtyPeer::text("1\r\n"));
    form->RunStatusHandling->StatusTimerTimer();
    EXPECT_EQ(form->RunStopbtn->text(), q("Stop"));
    EXPECT_EQ(form->PulseAnimate->movie()->state(), QMovie::Running);

    peer->onLine(":PULS0:STAT?", PtyPeer::text("0\r\n"));
    form->RunStatusHandling->StatusTimerTimer();
    EXPECT_EQ(form->RunStopbtn->text(), q("Run"));
    EXPECT_TRUE(form->PulseAnimate->isHidden());
    EXPECT_EQ(form->PulseAnimate->movie()->currentFrameNumber(), 5);
}

TEST_F(PollOnLine, TickDuringAnExchangeIsSkippedAndTheTimerKeepsRunning)
{
    peer->onLine(":PULS1:STAT 1", PtyPeer::text("ok\r\n", 400));
    form->StatusTimer->start();
    form->QueuedCommandToPort(q(":PULS1:STAT 1"));
    bool ticked = false;
    QTimer::singleShot(100, form.get(), [&] {
        ASSERT_TRUE(form->ComPort->InUse()) << "the tick should land inside the exchange";
        form->RunStatusHandling->StatusTimerTimer();
        ticked = true;
    });

    form->Tasks->ProcessTasks();

    EXPECT_TRUE(ticked);
    EXPECT_EQ(received(), QStringList{q(":PULS1:STAT 1")}) << "no poll on the wire";
    EXPECT_TRUE(form->StatusTimer->isActive());
    EXPECT_FALSE(form->Tasks->PollingBusy());
}

TEST_F(PollOnLine, TaskPassDuringAPollWaitsUntilThePollEnds)
{
    peer->onLine(":PULS0:STAT?", PtyPeer::text("0\r\n", 400));
    peer->onLine(":PULS2:STAT 0", PtyPeer::text("ok\r\n"));
    form->QueuedCommandToPort(q(":PULS2:STAT 0"));
    ASSERT_TRUE(form->TaskTimer->isActive());

    form->RunStatusHandling->StatusTimerTimer();
    EXPECT_EQ(received(), QStringList{q(":PULS0:STAT?")}) << "the pass kept off the line";
    EXPECT_TRUE(form->Tasks->CommandsPending());

    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Tasks->CommandsPending(); }, 5000));
    EXPECT_EQ(received(), (QStringList{q(":PULS0:STAT?"), q(":PULS2:STAT 0")}));
}

namespace {

struct LostPortCase {
    const char *name;
    transport::UserDialogs::Button answer;
    bool restarted;
};

class LostPort : public PollOnLine, public ::testing::WithParamInterface<LostPortCase> {};

} // namespace

TEST_P(LostPort, AsksToRestartAndPollsNoMore)
{
    // The far end goes away: the port's entry and the device behind it no longer exist. The
    // entry goes first: a pseudo-terminal's number is free for the next one made, possibly by
    // a test running beside this one, which a reopen through the old entry would then take.
    ASSERT_TRUE(folder.unlink(1));
    peer.reset();
    form->StatusTimer->start();
    dialogs.answerNext(GetParam().answer);

    form->RunStatusHandling->StatusTimerTimer();

    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, transport::UserDialogs::Kind::Warning);
    EXPECT_EQ(dialogs.shown[0].text, q("Port no longer available, restart?"));
    EXPECT_EQ(dialogs.shown[0].buttons,
              (QList{transport::UserDialogs::Button::Yes, transport::UserDialogs::Button::No}));
    EXPECT_TRUE(form->Finished());
    EXPECT_EQ(restartedWith.size(), GetParam().restarted ? 1 : 0);
    EXPECT_EQ(quitRequests, 1);
    EXPECT_FALSE(form->StatusTimer->isActive());

    // A tick that was already due does not touch the released port again.
    form->RunStatusHandling->StatusTimerTimer();
    EXPECT_EQ(dialogs.shown.size(), 1);
    EXPECT_FALSE(form->ComPort->Opened());
    EXPECT_FALSE(form->StatusTimer->isActive());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LostPort,
    ::testing::Values(LostPortCase{"YesRestarts", transport::UserDialogs::Button::Yes, true},
                      LostPortCase{"NoExits", transport::UserDialogs::Button::No, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PollOnLine, ProgramEndedDuringThePollStartsNoFurtherPoll)
{
    // The poll's own reply is lost and the user chooses to exit inside it.
    peer->onLine(":PULS0:STAT?", PtyPeer::silence());
    form->ComPort->setResponseTime(300);
    form->ComPort->OnTimeout = [this](transport::TVNComPort *) { form->ExitApp(); };
    form->StatusTimer->start();

    form->RunStatusHandling->StatusTimerTimer();

    EXPECT_TRUE(form->Finished());
    EXPECT_FALSE(form->StatusTimer->isActive());
}
