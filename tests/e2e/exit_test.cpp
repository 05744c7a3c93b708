// Every way out of the program: the window's close, File > Exit, File > Restart App and No to
// a lost instrument all let go of the port, the timers and the log the same way.
#include "tests/e2e/E2eWindow.h"

#include "link/CommLog.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

using Button = transport::UserDialogs::Button;

enum class Way { CloseWindow, FileExit, FileRestart, LossAnsweredNo };

void PrintTo(Way w, std::ostream *os)
{
    const char *names[] = {"CloseWindow", "FileExit", "FileRestart", "LossAnsweredNo"};
    *os << names[static_cast<int>(w)];
}

class WayOut : public e2e::WindowFixture, public ::testing::WithParamInterface<Way> {};

TEST_P(WayOut, EndsWithTimersStoppedPortClosedAndLogComplete)
{
    QTemporaryDir dir;
    e2e::WorkingDirectory cwd(dir.path());
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram({QStringLiteral("-log")});
    ASSERT_TRUE(waitForReadBack());
    form->show();
    const QString logPath = dir.filePath(form->Log->filePath());

    switch (GetParam()) {
    case Way::CloseWindow:
        form->close();
        break;
    case Way::FileExit:
        form->Exit1->trigger();
        break;
    case Way::FileRestart:
        form->R1->trigger();
        break;
    case Way::LossAnsweredNo:
        form->ComPort->setResponseTime(300);
        sim.freeze();
        dialogs.answerNext(Button::No);
        form->QueuedCommandToPort(QStringLiteral(":PULS0:STAT ON"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return form->Finished(); }, 10000));
        break;
    }
    QTest::qWait(200); // whatever was still on the stack runs out

    EXPECT_TRUE(form->Finished());
    EXPECT_EQ(quitRequests, 1);
    EXPECT_EQ(restartedWith, GetParam() == Way::FileRestart
                                 ? QStringList{QCoreApplication::applicationFilePath()}
                                 : QStringList{});
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(form->ComPort->Opened());
    EXPECT_FALSE(form->TaskTimer->isActive());
    EXPECT_FALSE(form->StatusTimer->isActive());
    EXPECT_FALSE(form->LaunchTimer->isActive());
    EXPECT_FALSE(form->Log->LoggingEnabled());
    EXPECT_TRUE(form->State.SettingsList.isEmpty());
    // Whatever the log holds ends with a whole line.
    QFile log(logPath);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray bytes = log.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n")) << bytes.right(80).toStdString();
    EXPECT_GT(bytes.count("\r\n"), 1);

    // Nothing brings the port or a timer back.
    form->QueuedCommandToPort(QStringLiteral(":PULS0:STAT OFF"));
    QTest::qWait(100);
    EXPECT_FALSE(form->ComPort->Opened());
    EXPECT_FALSE(form->TaskTimer->isActive());
    sim.thaw();
}

INSTANTIATE_TEST_SUITE_P(Ways, WayOut,
                         ::testing::Values(Way::CloseWindow, Way::FileExit, Way::FileRestart,
                                           Way::LossAnsweredNo),
                         [](const auto &info) { return ::testing::PrintToString(info.param); });

} // namespace

namespace {

// The platform's start of a new instance: the program's own file, no arguments (so no log
// switch either), in the working directory of this one.
TEST(RestartPlatform, NewInstanceStartsWithoutArgumentsInTheSameDirectory)
{
    e2e::app();
    QTemporaryDir dir;
    e2e::WorkingDirectory cwd(dir.path());
    const QString script = dir.filePath(QStringLiteral("program.sh"));
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho \"$# $(pwd)\" > started.tmp && mv started.tmp started.txt\n");
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    }
    ui::TMainForm form; // its own platform functions, not a test's
    form.StartNewInstance(script);
    const QString started = dir.filePath(QStringLiteral("started.txt"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(started); }, 10000));
    QFile f(started);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll().trimmed(), (QStringLiteral("0 ") + dir.path()).toLocal8Bit());
}

} // namespace
