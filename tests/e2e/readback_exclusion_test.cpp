// A read-back has the line to itself: what the user asks for meanwhile is neither lost nor
// sent in the middle of it, and no read-back runs inside another.
#include "tests/e2e/E2eWindow.h"

#include "ui/RunStatusHandlers.h"
#include "ui/StorageHandlers.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include <functional>

namespace {

using e2e::WindowFixture;

const QString kFirstQuery = QStringLiteral(":PULS0:COUN:STAT?");

// Lines that set something on the instrument: everything but queries.
QStringList settingLines(const QStringList &wire)
{
    QStringList settings;
    for (const QString &line : wire)
        if (!line.endsWith(u'?'))
            settings << line;
    return settings;
}

class ReadBackExclusion : public WindowFixture {
protected:
    // Runs `action` once, from inside the next read-back, once it has sent a few queries.
    void duringNextReadBack(std::function<void()> action)
    {
        m_action = std::move(action);
        m_watch.setInterval(1);
        QObject::connect(&m_watch, &QTimer::timeout, [this] {
            if (!form || !form->Comm->SuppressCommands() || !m_action)
                return;
            m_watch.stop();
            auto act = std::move(m_action);
            m_action = nullptr;
            act();
        });
        m_watch.start();
    }

    bool actionRan() const { return !m_action; }

    void requestRefresh() { form->RunStatusHandling->Up1Click(); }

    bool waitForQueueIdle()
    {
        return QTest::qWaitFor(
            [this] {
                return !form->Tasks->CommandsPending() && !form->Tasks->RefreshPending() &&
                       !form->Tasks->RecallPending() && !form->Tasks->TaskBusy() &&
                       !form->Comm->SuppressCommands();
            },
            30000);
    }

private:
    QTimer m_watch;
    std::function<void()> m_action;
};

TEST_F(ReadBackExclusion, CommandQueuedJustBeforeTheStartUpReadBackGoesOutOnce)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram();
    form->QueuedCommandToPort(QStringLiteral(":PULS1:WIDT 0.00000200000"));
    form->LaunchTimer->stop();
    form->LaunchTimerTimer(); // the launch timer fires before the task timer's first tick
    ASSERT_TRUE(waitForQueueIdle());
    form->StatusTimer->stop();

    const QStringList wire = sim.received();
    EXPECT_EQ(wire.count(kFirstQuery), 1) << wire.join(u'\n').toStdString();
    EXPECT_EQ(settingLines(wire), QStringList{QStringLiteral(":PULS1:WIDT 0.00000200000")});
    // Sent before the read-back, so the window shows what the instrument now holds.
    EXPECT_LT(wire.indexOf(QStringLiteral(":PULS1:WIDT 0.00000200000")), wire.indexOf(kFirstQuery));
    EXPECT_EQ(form->ChWidthAdj[1]->Value(), 2e-6);
}

TEST_F(ReadBackExclusion, RefreshChosenDuringTheStartUpReadBackRunsAfterIt)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram();
    duringNextReadBack([this] { requestRefresh(); });
    ASSERT_TRUE(waitForReadBack());
    ASSERT_TRUE(actionRan());
    ASSERT_TRUE(waitForQueueIdle());
    form->StatusTimer->stop();

    const QStringList wire = sim.received();
    EXPECT_EQ(wire.count(kFirstQuery), 2) << "the start-up read-back, then the refresh";
    EXPECT_EQ(wire.count(QStringLiteral(":PULS2:MUX?")), 2);
    EXPECT_TRUE(settingLines(wire).isEmpty()) << settingLines(wire).join(u'\n').toStdString();
}

TEST_F(ReadBackExclusion, RecallRequestedDuringARefreshIsServedAfterIt)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop();
    const qsizetype before = sim.received().size();

    duringNextReadBack([this] { form->StorageHandling->RestoreFromBin(3); });
    requestRefresh();
    ASSERT_TRUE(QTest::qWaitFor([this] { return actionRan(); }, 20000));
    ASSERT_TRUE(waitForQueueIdle());
    form->StatusTimer->stop();

    const QStringList wire = sim.received().mid(before);
    EXPECT_EQ(wire.count(kFirstQuery), 2) << "the refresh, then the recall's read-back";
    EXPECT_EQ(settingLines(wire), QStringList{QStringLiteral("*RCL 3")});
    const qsizetype recall = wire.indexOf(QStringLiteral("*RCL 3"));
    EXPECT_GT(recall, wire.indexOf(kFirstQuery)) << "after the first read-back";
    EXPECT_EQ(wire.indexOf(kFirstQuery, recall), recall + 1) << "and before the second";
}

// The window refuses input while it is being filled: nothing done meanwhile can be lost or be
// shown as done without being sent.
TEST_F(ReadBackExclusion, WindowTakesNoInputDuringAReadBack)
{
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram();
    form->show();
    QString runCaption;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    bool menuOpened = false;
    duringNextReadBack([&] {
        const QCursor *override = QApplication::overrideCursor();
        cursor = override ? override->shape() : Qt::ArrowCursor;
        QTest::mouseClick(form->RunStopbtn, Qt::LeftButton);
        runCaption = form->RunStopbtn->text();
        QTest::keyClicks(form->SendEdit->lineEdit(), QStringLiteral(":PULS0:STAT ON"));
        QTest::keyClick(form->SendEdit->lineEdit(), Qt::Key_Return);
        const QRect file = form->MainMenu1->actionGeometry(form->MainMenu1->actions().first());
        QTest::mouseClick(form->MainMenu1, Qt::LeftButton, {}, file.center());
        menuOpened = QApplication::activePopupWidget() != nullptr;
    });
    ASSERT_TRUE(waitForReadBack());
    ASSERT_TRUE(actionRan());
    ASSERT_TRUE(waitForQueueIdle());
    form->StatusTimer->stop();

    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(runCaption, QStringLiteral("Run"));
    EXPECT_FALSE(menuOpened);
    EXPECT_TRUE(form->SendEdit->currentText().isEmpty());
    EXPECT_TRUE(settingLines(sim.received()).isEmpty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the busy cursor ends with the read-back";

    // Afterwards the window takes input again.
    QTest::mouseClick(form->RunStopbtn, Qt::LeftButton);
    EXPECT_EQ(form->RunStopbtn->text(), QStringLiteral("Stop"));
    ASSERT_TRUE(waitForQueueIdle());
    EXPECT_EQ(settingLines(sim.received()), QStringList{QStringLiteral(":PULS0:STAT ON")});
}

} // namespace
