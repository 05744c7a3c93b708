// The task queue's ordering rules, with real exchanges on a pseudo-terminal and a recording
// stand-in for the window's timers and read-back.
#include "LinkTestSupport.h"

#include "link/Communication.h"
#include "link/TaskQueue.h"
#include "tests/support/PtyPeer.h"
#include "transport/TVNComPort.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using testsupport::PtyPeer;

namespace {

class RecordingHost : public ilink::TaskHost {
public:
    void setTaskTimerActive(bool on) override
    {
        taskTimer = on;
        events << (on ? QStringLiteral("task on") : QStringLiteral("task off"));
    }
    void setStatusTimerActive(bool on) override
    {
        statusTimer = on;
        events << (on ? QStringLiteral("status on") : QStringLiteral("status off"));
    }
    void Initialize() override
    {
        events << QStringLiteral("initialize");
        if (readBack)
            readBack();
    }

    bool taskTimer = false;
    bool statusTimer = true;
    QStringList events;
    std::function<void()> readBack;
};

class TaskQueueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(linktest::openOnPeer(folder, peer, port));
        port.setResponseTime(1000);
        port.setAllowEvents(true);
        peer.setResponder([](const QByteArray &) { return PtyPeer::text("ok\r\n"); });
    }

    QStringList wire() const
    {
        QStringList lines;
        for (const QByteArray &l : peer.lines())
            lines << QString::fromLatin1(l);
        return lines;
    }

    static QStringList commands(std::initializer_list<const char *> texts)
    {
        QStringList list;
        for (const char *t : texts)
            list << QString::fromLatin1(t);
        return list;
    }

    void expectEmptyQueue() const
    {
        EXPECT_EQ(queue.Count(), 0);
        EXPECT_FALSE(queue.CommandsPending());
        EXPECT_FALSE(queue.TaskBusy());
    }

    testsupport::ComPortFolder folder;
    PtyPeer peer;
    transport::TVNComPort port;
    ilink::Communication comm{port};
    RecordingHost host;
    ilink::TaskQueue queue{comm, host};
};

TEST_F(TaskQueueTest, QueuedCommandsGoOutInOrderInOnePass)
{
    queue.QueuedCommandToPort(QStringLiteral(":PULS1:DEL 0.00000000100"));
    queue.QueuedCommandToPort(QStringLiteral(":PULS1:WIDT 0.00000000200"));
    EXPECT_TRUE(queue.CommandsPending());
    EXPECT_EQ(queue.Count(), 2);
    EXPECT_TRUE(host.taskTimer) << "queueing starts the task timer";
    EXPECT_TRUE(wire().isEmpty()) << "nothing is sent before the pass";

    host.events.clear();
    queue.ProcessTasks();
    EXPECT_EQ(wire(), commands({":PULS1:DEL 0.00000000100", ":PULS1:WIDT 0.00000000200"}));
    expectEmptyQueue();
    EXPECT_EQ(host.events.first(), QStringLiteral("task off"));
    EXPECT_EQ(host.events.last(), QStringLiteral("task on")) << "every pass re-arms the timer";

    queue.ProcessTasks();
    EXPECT_EQ(wire().size(), 2) << "a sent command is not sent again";
}

TEST_F(TaskQueueTest, RecallThenReadBackThenTheCommandsQueuedWithIt)
{
    host.readBack = [this] { comm.QueryPort(QStringLiteral(":PULS0:PER")); };
    queue.QueuedCommandToPort(QStringLiteral(":PULS0:MOD SING"));
    queue.RequestRecall(3);
    queue.QueuedCommandToPort(QStringLiteral(":PULS0:BCO 5"));
    EXPECT_EQ(queue.RecallPending(), -1);
    EXPECT_EQ(queue.PendingRecallBin(), 3);
    host.events.clear();

    queue.ProcessTasks();
    EXPECT_EQ(wire(), commands({"*RCL 3", ":PULS0:PER?", ":PULS0:MOD SING", ":PULS0:BCO 5"}));
    EXPECT_EQ(host.events, (QStringList{QStringLiteral("task off"), QStringLiteral("status off"),
                                        QStringLiteral("initialize"), QStringLiteral("status on"),
                                        QStringLiteral("task on")}));
    EXPECT_EQ(queue.RecallPending(), 0);
    EXPECT_EQ(queue.RefreshPending(), 0);
    expectEmptyQueue();
}

TEST_F(TaskQueueTest, RefreshReadsBackWithoutRecall)
{
    queue.setRefreshPending(true);
    queue.ProcessTasks();
    EXPECT_TRUE(wire().isEmpty());
    EXPECT_EQ(host.events.count(QStringLiteral("initialize")), 1);
    EXPECT_EQ(queue.RefreshPending(), 0);
    EXPECT_TRUE(host.statusTimer);
}

TEST_F(TaskQueueTest, SuppressedCommandsAreDroppedUnqueued)
{
    comm.setSuppressCommands(true);
    queue.QueuedCommandToPort(QStringLiteral(":PULS0:STAT ON"));
    EXPECT_FALSE(queue.CommandsPending());
    EXPECT_EQ(queue.Count(), 0);
    EXPECT_FALSE(host.taskTimer);
}

TEST_F(TaskQueueTest, NoPassWhilePollingThenThePassRuns)
{
    queue.QueuedCommandToPort(QStringLiteral("A"));
    queue.setPollingBusy(true);
    queue.ProcessTasks();
    EXPECT_TRUE(wire().isEmpty());
    EXPECT_TRUE(queue.CommandsPending());
    EXPECT_TRUE(host.taskTimer) << "the skipped pass is retried at the next tick";

    queue.setPollingBusy(false);
    queue.ProcessTasks();
    EXPECT_EQ(wire(), commands({"A"}));
}

// The launch read-back is no task pass, yet its queries let events run: a tick that comes
// while one of them waits must neither send (its commands would be refused and lost) nor
// start the pending refresh's read-back inside the running one.
TEST_F(TaskQueueTest, NoPassWhileAnyExchangeWaitsForItsReply)
{
    peer.setResponder([](const QByteArray &) { return PtyPeer::text("1\r\n", 300); });
    queue.setRefreshPending(true);
    queue.QueuedCommandToPort(QStringLiteral("B"));
    bool ticked = false;
    QTimer::singleShot(50, [&] {
        ticked = true;
        queue.ProcessTasks();
    });
    EXPECT_EQ(comm.QueryPort(QStringLiteral(":PULS0:PER")), QStringLiteral("1"));
    ASSERT_TRUE(ticked);
    EXPECT_FALSE(host.events.contains(QStringLiteral("initialize")));
    EXPECT_TRUE(queue.CommandsPending());
    EXPECT_TRUE(host.taskTimer) << "the pass is retried at the next tick";
    EXPECT_EQ(wire(), commands({":PULS0:PER?"}));

    queue.setRefreshPending(false);
    queue.ProcessTasks();
    EXPECT_EQ(wire(), commands({":PULS0:PER?", "B"}));
}

// A tick and a handler that run while a command of the pass waits for its reply: the tick
// must not start a second pass, and the handler's command is sent once, after the others.
TEST_F(TaskQueueTest, NoNestedPassAndCommandsQueuedDuringAPassAreSentOnceInOrder)
{
    peer.setResponder(
        [](const QByteArray &line) { return PtyPeer::text("ok\r\n", line == "A" ? 300 : 0); });
    queue.QueuedCommandToPort(QStringLiteral("A"));
    queue.QueuedCommandToPort(QStringLiteral("B"));
    bool fired = false;
    QStringList wireAtNestedTick;
    QTimer::singleShot(100, [&] {
        fired = true;
        EXPECT_TRUE(queue.TaskBusy());
        queue.QueuedCommandToPort(QStringLiteral("C"));
        queue.ProcessTasks();
        wireAtNestedTick = wire();
        queue.QueuedCommandToPort(QStringLiteral("D"));
    });
    queue.ProcessTasks();
    ASSERT_TRUE(fired);
    EXPECT_EQ(wireAtNestedTick, commands({"A"})) << "the nested tick sent something";
    EXPECT_EQ(wire(), commands({"A", "B", "C", "D"}));
    expectEmptyQueue();

    queue.ProcessTasks();
    EXPECT_EQ(wire().size(), 4);
}

// A refresh or recall asked for while a read-back runs is a request of its own: the flags the
// pass clears afterwards must not swallow it.
TEST_F(TaskQueueTest, RequestsMadeDuringAReadBackAreServedByTheNextPass)
{
    int readBacks = 0;
    host.readBack = [&] {
        if (++readBacks == 1) {
            queue.setRefreshPending(true);
            queue.RequestRecall(5);
        }
    };
    queue.setRefreshPending(true);
    queue.ProcessTasks();
    EXPECT_EQ(readBacks, 1);
    EXPECT_NE(queue.RefreshPending(), 0);
    EXPECT_NE(queue.RecallPending(), 0);
    EXPECT_TRUE(wire().isEmpty());

    queue.ProcessTasks();
    EXPECT_EQ(readBacks, 2);
    EXPECT_EQ(wire(), commands({"*RCL 5"}));
    EXPECT_EQ(queue.RefreshPending(), 0);
    EXPECT_EQ(queue.RecallPending(), 0);
}

// Whoever runs a read-back holds the line for its whole length, between its exchanges too.
TEST_F(TaskQueueTest, NoPassAndNoSecondReadBackWhileAReadBackHoldsTheLine)
{
    ilink::TaskQueue::ReadBackScope outer(queue);
    ASSERT_TRUE(outer.Holds());
    EXPECT_FALSE(ilink::TaskQueue::ReadBackScope(queue).Holds());

    queue.setRefreshPending(true);
    queue.QueuedCommandToPort(QStringLiteral("A"));
    host.events.clear();
    queue.ProcessTasks();
    EXPECT_FALSE(host.events.contains(QStringLiteral("initialize")));
    EXPECT_TRUE(wire().isEmpty());
    EXPECT_TRUE(host.taskTimer) << "the pass is retried at the next tick";
    EXPECT_FALSE(queue.LaunchReadBack());
}

TEST_F(TaskQueueTest, LaunchReadBackSendsWhatWasQueuedBeforeIt)
{
    host.readBack = [this] { comm.QueryPort(QStringLiteral(":PULS0:PER")); };
    queue.QueuedCommandToPort(QStringLiteral(":PULS0:MOD SING"));
    ASSERT_TRUE(queue.LaunchReadBack());
    EXPECT_EQ(wire(), commands({":PULS0:MOD SING", ":PULS0:PER?"}));
    expectEmptyQueue();
    EXPECT_EQ(queue.RefreshPending(), 0);
}

// Far more commands than the first hundred entries, queued before one pass.
TEST_F(TaskQueueTest, QueueGrowsPastItsFirstHundredWithoutLosingAny)
{
    constexpr int kCommands = 130;
    QStringList sent;
    for (int i = 1; i <= kCommands; ++i) {
        const QString command = QStringLiteral(":PULS1:BCO %1").arg(i);
        queue.QueuedCommandToPort(command);
        sent << command;
    }
    EXPECT_EQ(queue.Count(), kCommands);
    queue.ProcessTasks();
    EXPECT_EQ(wire(), sent);
    expectEmptyQueue();
}

TEST_F(TaskQueueTest, AfterTheEndAPassLeavesThePortAlone)
{
    queue.QueuedCommandToPort(QStringLiteral("A"));
    port.Close();
    comm.setEnded();
    host.events.clear();
    queue.ProcessTasks();
    queue.QueuedCommandToPort(QStringLiteral("B"));
    EXPECT_FALSE(port.Opened());
    EXPECT_TRUE(wire().isEmpty());
    EXPECT_FALSE(host.taskTimer) << "no timer restarts after the end";
    EXPECT_EQ(host.events, QStringList{QStringLiteral("task off")});
}

// The program ends inside the pass (the loss dialog answered No while a reply was awaited):
// the rest of the pass sends nothing and restarts no timer.
TEST_F(TaskQueueTest, EndDuringAPassStopsTheRestOfIt)
{
    peer.setResponder([](const QByteArray &) { return PtyPeer::text("ok\r\n", 300); });
    queue.RequestRecall(0);
    queue.QueuedCommandToPort(QStringLiteral("A"));
    queue.QueuedCommandToPort(QStringLiteral("B"));
    QTimer::singleShot(100, [&] {
        comm.setEnded();
        port.Close();
    });
    host.events.clear();
    queue.ProcessTasks();
    EXPECT_EQ(wire(), commands({"*RCL 0"}));
    EXPECT_FALSE(port.Opened());
    EXPECT_EQ(host.events, (QStringList{QStringLiteral("task off"), QStringLiteral("status off")}));
    EXPECT_FALSE(host.taskTimer);
    EXPECT_FALSE(host.statusTimer);
}

} // namespace
