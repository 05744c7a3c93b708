#pragma once

#include "WindowTestSupport.h"

#include "link/Communication.h"
#include "link/TaskQueue.h"
#include "model/ModelRules.h"
#include "model/ValueRanges.h"
#include "tests/support/PtyPeer.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDialogs.h"
#include "transport/TVNComPort.h"
#include "ui/TCheckListBox.h"
#include "ui/TPlusSpinEdit.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

namespace handlerstest {

// A window after start-up without an instrument: the channel arrays are filled, the model's
// series, channel count and limits are set as a read-back leaves them, and demo mode is on, so
// that every command a task pass sends shows in the terminal as "(hh:mm:ss.zzz) <command>"
// without any port.
class HandlerFixture : public ::testing::Test {
protected:
    void SetUp() override { setUpForm(model::SeriesHRA, 8); }

    void setUpForm(int series, int channelCount)
    {
        windowtest::ensureApp();
        form = std::make_unique<ui::TMainForm>();
        form->setDialogs(&dialogs);
        form->QuitEventLoop = [] {};
        form->StartNewInstance = [](const QString &) {};
        form->FillChannelArrays();
        form->State.DemoMode = true;
        form->Comm->setDemoMode(true);
        setModel(series, channelCount);
    }

    void setModel(int series, int channelCount)
    {
        form->State.InstrumentSeries = series;
        form->State.ChannelCount = channelCount;
        form->State.SeriesLimits = model::limitsForSeries(series).value_or(model::SeriesLimits{});
    }

    void TearDown() override
    {
        if (form)
            form->ExitApp();
        form.reset();
    }

    // Runs one task pass and returns the commands it sent, in order; the terminal is emptied.
    QStringList sent()
    {
        form->Tasks->ProcessTasks();
        static const QRegularExpression stamp(
            QStringLiteral("^\\(\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\) "));
        QStringList commands;
        const QString text = form->ResponseList->toPlainText();
        if (!text.isEmpty()) {
            for (QString line : text.split(u'\n'))
                commands << line.remove(stamp);
        }
        form->ResponseList->clear();
        return commands;
    }

public:
    // The user picks item `index` of a list, as with the arrow keys: the list raises
    // `activated` after its selection changed.
    static void choose(QComboBox *list, int index)
    {
        list->setCurrentIndex(index - 1);
        QTest::keyClick(list, Qt::Key_Down);
    }

    // The user picks the item with this text.
    static void chooseText(QComboBox *list, const QString &text)
    {
        const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ASSERT_GE(index, 0) << text.toStdString();
        choose(list, index);
    }

    // The user toggles the mark of item `index` with the space bar.
    static void toggleMark(ui::TCheckListBox *list, int index)
    {
        list->setCurrentRow(index);
        QTest::keyClick(list, Qt::Key_Space);
    }

protected:
    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<ui::TMainForm> form;
};

// The same window talking to a serial line whose far end answers by script; anything not
// scripted is answered "0", so no exchange ends in a time-out.
class OnLineFixture : public HandlerFixture {
protected:
    void SetUp() override
    {
        setUpForm(model::SeriesHRA, 8);
        form->State.DemoMode = false;
        form->Comm->setDemoMode(false);
        peer = std::make_unique<testsupport::PtyPeer>();
        ASSERT_TRUE(peer->isValid());
        ASSERT_TRUE(folder.link(1, peer->slavePath()));
        peer->setResponder([](const QByteArray &) { return testsupport::PtyPeer::text("0\r\n"); });
        transport::TVNComPort &port = *form->ComPort;
        port.setPort(1);
        port.setBaud(115200);
        port.setEndOfResponse("\r");
        port.setShowErrors(false);
        port.setResponseTime(3000);
        port.setAllowEvents(true);
        ASSERT_TRUE(port.Open());
        form->StartNewInstance = [this](const QString &program) { restartedWith << program; };
        form->QuitEventLoop = [this] { ++quitRequests; };
    }

    void TearDown() override
    {
        HandlerFixture::TearDown();
        peer.reset();
    }

    QStringList received() const
    {
        QStringList lines;
        for (const QByteArray &line : peer->lines())
            lines << QString::fromLatin1(line);
        return lines;
    }

    testsupport::ComPortFolder folder;
    std::unique_ptr<testsupport::PtyPeer> peer;
    QStringList restartedWith;
    int quitRequests = 0;
};

inline QString q(const char *text)
{
    return QString::fromLatin1(text);
}

} // namespace handlerstest
