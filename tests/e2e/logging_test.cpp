// The "Logging Enabled" menu item: its check mark follows the log, which lands in the working
// directory under the start time stamp's name.
#include "tests/e2e/E2eWindow.h"

#include "link/CommLog.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using e2e::WindowFixture;
using e2e::WorkingDirectory;

TEST_F(WindowFixture, LoggingMenuCreatesTheLogAndFollowsItsState)
{
    QTemporaryDir dir;
    WorkingDirectory cwd(dir.path());
    startProgram({QStringLiteral("-demo")});
    ASSERT_TRUE(form->Log);
    const QString name = form->Log->filePath();
    EXPECT_TRUE(name.startsWith(QStringLiteral("HxxxLogFile_")));
    EXPECT_FALSE(QFile::exists(dir.filePath(name))) << "logging is off until asked for";

    form->EnableLoggingMenu->trigger();
    EXPECT_TRUE(form->EnableLoggingMenu->isChecked());
    EXPECT_TRUE(form->Log->LoggingEnabled());
    ASSERT_TRUE(QFile::exists(dir.filePath(name)));

    form->EnableLoggingMenu->trigger();
    EXPECT_FALSE(form->EnableLoggingMenu->isChecked());
    EXPECT_FALSE(form->Log->LoggingEnabled());
}

TEST_F(WindowFixture, LogSwitchAtStartTurnsLoggingOn)
{
    QTemporaryDir dir;
    WorkingDirectory cwd(dir.path());
    startProgram({QStringLiteral("-demo"), QStringLiteral("/LOG")});
    EXPECT_TRUE(form->Log->LoggingEnabled());
    EXPECT_TRUE(form->EnableLoggingMenu->isChecked());
    EXPECT_TRUE(QFile::exists(dir.filePath(form->Log->filePath())));
}

TEST_F(WindowFixture, LogThatCannotBeCreatedIsReportedAndStaysOff)
{
    // A working directory that has gone away refuses new files to every user, root included.
    auto dir = std::make_unique<QTemporaryDir>();
    WorkingDirectory cwd(dir->path());
    startProgram({QStringLiteral("-demo")});
    dir.reset();
    form->EnableLoggingMenu->trigger();
    EXPECT_TRUE(dialogs.texts().contains(QStringLiteral(
        "Log file cannot be written to. Please run program from writable location. Logging "
        "will be disabled.")));
    EXPECT_FALSE(form->Log->LoggingEnabled());
    EXPECT_FALSE(form->EnableLoggingMenu->isChecked());
}

} // namespace
