// The communication log file: name, header, line formats, toggling and failures.
#include "LinkTestSupport.h"

#include "link/CommLog.h"
#include "link/Communication.h"
#include "link/LocalTimeText.h"
#include "tests/support/PtyPeer.h"
#include "tests/support/ScriptedDialogs.h"
#include "transport/TVNComPort.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTime>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using testsupport::PtyPeer;
using transport::UserDialogs;

namespace {

const QString kCannotWrite = QStringLiteral(
    "Log file cannot be written to. Please run program from writable location. Logging will be "
    "disabled.");

class CommLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        log.onLoggingChanged = [this](bool on) { changes.append(on); };
    }

    QByteArray fileBytes() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("log.txt"));
    testsupport::ScriptedDialogs dialogs;
    ilink::CommLog log{path, &dialogs};
    QList<bool> changes;
};

TEST(CommLogName, UserAndStartStampInTheName)
{
    EXPECT_EQ(ilink::CommLog::FileNameFor(QStringLiteral("operator"),
                                          QStringLiteral("03-15-24_14-05-09")),
              QStringLiteral("HxxxLogFile_operator_03-15-24_14-05-09.txt"));
    EXPECT_EQ(ilink::CommLog::FileNameFor(QString(), QStringLiteral("01-02-03_04-05-06")),
              QStringLiteral("HxxxLogFile__01-02-03_04-05-06.txt"));
    EXPECT_TRUE(QDir::isRelativePath(
        ilink::CommLog::FileNameFor(QStringLiteral("a"), QStringLiteral("b"))));
}

TEST(CommLogName, TimeOfDayHasMilliseconds)
{
    EXPECT_EQ(linktest::maskTimes(ilink::CommLog::TimeOfDay()), QStringLiteral("T"));
}

TEST_F(CommLogTest, SwitchingOnWritesExactlyTheHeader)
{
    const QLocale locale = QLocale::system();
    const QString date = locale.toString(QDate::currentDate(), QLocale::ShortFormat);
    const QString timeBefore = ilink::localtime::LongTimeText(locale, QTime::currentTime());
    log.ToggleLoggingState();
    const QString timeAfter = ilink::localtime::LongTimeText(locale, QTime::currentTime());
    ASSERT_TRUE(log.LoggingEnabled());
    EXPECT_EQ(changes, QList<bool>{true});

    const QString text = QString::fromLocal8Bit(fileBytes());
    const QString prefix = QStringLiteral("Hxxx Communication Log File ") + date + u',';
    ASSERT_TRUE(text.startsWith(prefix)) << text.toStdString();
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 1);
    const QString time = text.mid(prefix.size()).chopped(2);
    EXPECT_TRUE(time == timeBefore || time == timeAfter) << time.toStdString();
    EXPECT_FALSE(time.contains(QDateTime::currentDateTime().timeZoneAbbreviation()))
        << "no time-zone name: " << time.toStdString();
}

TEST_F(CommLogTest, LineFormats)
{
    struct Case {
        std::function<void(ilink::CommLog &)> write;
        QString expected;
    };
    const QList<Case> cases = {
        {[](auto &l) { l.Sent(QStringLiteral(":PULS0:STAT?")); },
         QStringLiteral("Sent    (T): :PULS0:STAT?")},
        {[](auto &l) { l.Received(QStringLiteral("1")); }, QStringLiteral("Received(T): 1")},
        {[](auto &l) { l.Received(QString()); }, QStringLiteral("Received(T): ")},
        {[](auto &l) { l.CommandDisabled(QStringLiteral(":PULS1:DEL 0.5")); },
         QStringLiteral("Command Disabled:    (T): :PULS1:DEL 0.5")},
        {[](auto &l) { l.ComportInUse(QStringLiteral("*RCL 3")); },
         QStringLiteral("Comport in use:    (T): *RCL 3")},
        {[](auto &l) { l.ExceptionError(); }, QStringLiteral("Exception Error (T")},
        {[](auto &l) { l.TimeoutError(); }, QStringLiteral("Timeout Error(T)")},
    };
    log.ToggleLoggingState();
    QStringList expected;
    for (const Case &c : cases) {
        c.write(log);
        expected << c.expected;
    }
    EXPECT_EQ(linktest::logLines(path).mid(1), expected);
}

TEST_F(CommLogTest, OffThenOnLeavesOnlyTheSecondHeader)
{
    log.ToggleLoggingState();
    log.Sent(QStringLiteral("first"));
    log.ToggleLoggingState();
    EXPECT_FALSE(log.LoggingEnabled());
    log.Sent(QStringLiteral("while off"));
    log.ToggleLoggingState();
    log.Sent(QStringLiteral("second"));

    const QStringList lines = linktest::logLines(path);
    ASSERT_EQ(lines.size(), 2) << lines.join(u'|').toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Hxxx Communication Log File ")));
    EXPECT_EQ(lines[1], QStringLiteral("Sent    (T): second"));
    EXPECT_EQ(changes, (QList<bool>{true, false, true}));
}

TEST_F(CommLogTest, NothingIsCreatedWhileOff)
{
    log.Sent(QStringLiteral("x"));
    log.TimeoutError();
    log.Close();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(CommLogTest, CloseEndsLogging)
{
    log.ToggleLoggingState();
    log.Close();
    EXPECT_FALSE(log.LoggingEnabled());
    log.Sent(QStringLiteral("after close"));
    EXPECT_EQ(linktest::logLines(path).size(), 1);
    EXPECT_EQ(changes, (QList<bool>{true, false}));
}

// Both ways creation can fail: the file cannot be opened, or its header cannot be written.
TEST_F(CommLogTest, UncreatableFileGivesTheMessageAndLoggingOff)
{
    QFile blocker(dir.filePath(QStringLiteral("plainfile")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString headerFails = dir.filePath(QStringLiteral("full.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), headerFails));

    for (const QString &target : {dir.filePath(QStringLiteral("plainfile/log.txt")), headerFails}) {
        SCOPED_TRACE(target.toStdString());
        testsupport::ScriptedDialogs shown;
        ilink::CommLog failing(target, &shown);
        QList<bool> states;
        failing.onLoggingChanged = [&](bool on) { states.append(on); };
        failing.ToggleLoggingState();
        EXPECT_FALSE(failing.LoggingEnabled());
        ASSERT_EQ(shown.shown.size(), 1);
        EXPECT_EQ(shown.shown[0].text, kCannotWrite);
        EXPECT_EQ(shown.shown[0].buttons, QList<UserDialogs::Button>{UserDialogs::Button::Ok});
        ASSERT_FALSE(states.isEmpty());
        EXPECT_FALSE(states.last()) << "the menu check mark must end up cleared";
        failing.Sent(QStringLiteral("x"));
        EXPECT_EQ(shown.shown.size(), 1);
    }
}

// Lets the log grow no further than its current size, like a disk that just filled up.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = bytes;
        m_ok = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

TEST_F(CommLogTest, WriteErrorAfterCreationDoesNotBreakTheExchange)
{
    testsupport::ComPortFolder folder;
    PtyPeer peer;
    transport::TVNComPort port;
    ASSERT_TRUE(linktest::openOnPeer(folder, peer, port));
    ilink::Communication comm(port);
    comm.setLog(&log);
    peer.onLine(":PULS0:STAT?", PtyPeer::text("1\r\n"));
    peer.onLine(":PULS0:MOD SING", PtyPeer::text("ok\r\n"));

    log.ToggleLoggingState();
    ASSERT_TRUE(log.LoggingEnabled());
    const QByteArray header = fileBytes();
    {
        FileSizeLimit full(rlim_t(header.size()));
        ASSERT_TRUE(full.ok());
        EXPECT_EQ(comm.QueryPortInteger(QStringLiteral(":PULS0:STAT")), 1);
        EXPECT_EQ(comm.CommandToPort(QStringLiteral(":PULS0:MOD SING")), QStringLiteral("ok"));
    }
    EXPECT_EQ(peer.received(), QByteArray(":PULS0:STAT?\r\n:PULS0:MOD SING\r\n"));
    EXPECT_FALSE(log.LoggingEnabled());
    EXPECT_EQ(changes, (QList<bool>{true, false}));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "no modal message in the middle of an exchange";
    EXPECT_EQ(fileBytes(), header);
}

} // namespace
