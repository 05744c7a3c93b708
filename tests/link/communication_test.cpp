// The exchange operations over a real serial port whose far end is a scripted pseudo-terminal.
#include "LinkTestSupport.h"

#include "link/CommLog.h"
#include "link/Communication.h"
#include "tests/support/PtyPeer.h"
#include "transport/TVNComPort.h"

#include <QLocale>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

using testsupport::PtyPeer;

namespace {

class ExchangeTest : public ::testing::Test {
protected:
    struct TerminalLine {
        QString text;
        QColor color;
    };

    void SetUp() override
    {
        ASSERT_TRUE(linktest::openOnPeer(folder, peer, port));
        port.setBaud(115200);
        port.setResponseTime(1000);
        comm.setLog(&log);
        comm.setTerminal([this](const QString &text, const QColor &color) {
            terminal.append({text, color});
        });
        log.ToggleLoggingState();
        ASSERT_TRUE(log.LoggingEnabled());
    }

    // The log without its header line.
    QStringList logged() const { return linktest::logLines(log.filePath()).mid(1); }

    testsupport::ComPortFolder folder;
    PtyPeer peer;
    transport::TVNComPort port;
    ilink::Communication comm{port};
    QTemporaryDir dir;
    ilink::CommLog log{dir.filePath(QStringLiteral("exchange.txt"))};
    QList<TerminalLine> terminal;
};

TEST_F(ExchangeTest, QueryWritesCommandQuestionMarkCrLfAndLogsBothLines)
{
    peer.onLine(":PULS0:STAT?", PtyPeer::text("1\r\n"));
    EXPECT_EQ(comm.QueryPort(QStringLiteral(":PULS0:STAT")), QStringLiteral("1"));
    EXPECT_EQ(peer.received(), QByteArray(":PULS0:STAT?\r\n"));
    EXPECT_EQ(comm.LastCommand(), QStringLiteral(":PULS0:STAT?"));
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("Sent    (T): :PULS0:STAT?"),
                                     QStringLiteral("Received(T): 1")}));
    EXPECT_TRUE(terminal.isEmpty()) << "queries never reach the terminal";
}

TEST_F(ExchangeTest, ReplyLosesTrailingControlsButKeepsLeadingBlanks)
{
    peer.onLine("*IDN?", PtyPeer::text("  VN,HRA4 \t\x01\r\n"));
    EXPECT_EQ(comm.QueryPort(QStringLiteral("*IDN")), QStringLiteral("  VN,HRA4"));
    EXPECT_EQ(logged().last(), QStringLiteral("Received(T):   VN,HRA4"));
}

// Line noise, or an instrument that says more than asked, must not put a second line into what
// the program takes as the reply: a settings file would carry it as a command of its own.
TEST_F(ExchangeTest, ReplyEndsAtItsFirstLineBreak)
{
    const struct {
        const char *sent;
        const char *reply;
    } cases[] = {
        {"NORM\r\n:PULS0:STAT ON\r\n", "NORM"},
        {"NORM\n:PULS0:STAT ON\r\n", "NORM"},
        {"NORM\r:PULS0:STAT ON\r\n", "NORM"},
        {"\nNORM\r\n", "NORM"}, // a line feed left over from the reply before
        {"\r\n", ""},
    };
    for (const auto &c : cases) {
        peer.onLine(":PULS1:POL?", PtyPeer::text(c.sent));
        EXPECT_EQ(comm.QueryPort(QStringLiteral(":PULS1:POL")), QLatin1String(c.reply))
            << ::testing::PrintToString(std::string(c.sent));
        EXPECT_EQ(logged().last(), QStringLiteral("Received(T): ") + QLatin1String(c.reply));
    }
    peer.onLine(":PULS1:POL NORM", PtyPeer::text("ok\r\n:PULS0:STAT ON\r\n"));
    EXPECT_EQ(comm.CommandToPort(QStringLiteral(":PULS1:POL NORM")), QStringLiteral("ok"));
    ASSERT_FALSE(terminal.isEmpty());
    EXPECT_TRUE(terminal.last().text.endsWith(QStringLiteral(") ok")));
}

TEST_F(ExchangeTest, CommandIsEchoedBlackThenReplyGreenAndLogged)
{
    peer.onLine(":PULS1:STAT ON", PtyPeer::text("ok\r\n"));
    EXPECT_EQ(comm.CommandToPort(QStringLiteral(":PULS1:STAT ON")), QStringLiteral("ok"));
    EXPECT_EQ(peer.received(), QByteArray(":PULS1:STAT ON\r\n"));
    EXPECT_EQ(comm.LastCommand(), QStringLiteral(":PULS1:STAT ON"));
    ASSERT_EQ(terminal.size(), 2);
    EXPECT_EQ(linktest::maskTimes(terminal[0].text), QStringLiteral("(T) :PULS1:STAT ON"));
    EXPECT_EQ(terminal[0].color, QColor(0, 0, 0));
    EXPECT_EQ(linktest::maskTimes(terminal[1].text), QStringLiteral("(T) ok"));
    EXPECT_EQ(terminal[1].color, QColor(0, 128, 0));
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("Sent    (T): :PULS1:STAT ON"),
                                     QStringLiteral("Received(T): ok")}));
}

TEST_F(ExchangeTest, TerminalShowsCommandWithoutTrailingBlanksButWireKeepsThem)
{
    peer.onLine("*SAV 3  ", PtyPeer::text("ok\r\n"));
    comm.CommandToPort(QStringLiteral("*SAV 3  "));
    EXPECT_EQ(peer.received(), QByteArray("*SAV 3  \r\n"));
    ASSERT_FALSE(terminal.isEmpty());
    EXPECT_EQ(linktest::maskTimes(terminal[0].text), QStringLiteral("(T) *SAV 3"));
}

TEST_F(ExchangeTest, EmptyCommandIsABareLineEndAndStillReadsAReply)
{
    // An empty line is no line to the peer, so its answer is sent unprompted, late enough
    // to come after the pause and the purge.
    peer.send("ok\r\n", 300);
    EXPECT_EQ(comm.CommandToPort(QString()), QStringLiteral("ok"));
    EXPECT_EQ(peer.received(), QByteArray("\r\n"));
}

TEST_F(ExchangeTest, ReadResponseSendsNothingAndEchoGoesGreen)
{
    peer.send("first\r\n", 100);
    EXPECT_EQ(comm.ReadResponse(), QStringLiteral("first"));
    EXPECT_TRUE(terminal.isEmpty());
    peer.send("second\r\n", 100);
    EXPECT_EQ(comm.ReadResponseEcho(), QStringLiteral("second"));
    ASSERT_EQ(terminal.size(), 1);
    EXPECT_EQ(linktest::maskTimes(terminal[0].text), QStringLiteral("(T) second"));
    EXPECT_EQ(terminal[0].color, QColor(0, 128, 0));
    EXPECT_TRUE(peer.received().isEmpty());
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("Received(T): first"),
                                     QStringLiteral("Received(T): second")}));
}

TEST_F(ExchangeTest, PurgeDiscardsStaleInputBeforeTheQuery)
{
    peer.send("stale\r\n");
    for (int i = 0; i < 200 && port.InCount() == 0; ++i)
        QThread::msleep(5);
    ASSERT_GT(port.InCount(), 0u) << "the stale reply never arrived";
    peer.onLine(":PULS0:PER?", PtyPeer::text("0.001\r\n"));
    EXPECT_EQ(comm.QueryPort(QStringLiteral(":PULS0:PER")), QStringLiteral("0.001"));
}

TEST_F(ExchangeTest, SuppressedCommandSendsNothingAndIsLogged)
{
    comm.setSuppressCommands(true);
    EXPECT_EQ(comm.CommandToPort(QStringLiteral(":PULS0:MOD SING")), QString());
    comm.setSuppressCommands(false);
    // The next exchange shows what reached the line in the meantime.
    peer.onLine("*IDN?", PtyPeer::text("x\r\n"));
    comm.QueryPort(QStringLiteral("*IDN"));
    EXPECT_EQ(peer.received(), QByteArray("*IDN?\r\n"));
    EXPECT_TRUE(terminal.isEmpty());
    EXPECT_EQ(logged().first(), QStringLiteral("Command Disabled:    (T): :PULS0:MOD SING"));
}

// A timer that fires while a read waits (AllowEvents) starts a second exchange: it is refused
// before it purges or writes, and the first exchange gets its whole reply.
TEST_F(ExchangeTest, ExchangeInsideAWaitingReadIsRefused)
{
    port.setAllowEvents(true);
    peer.onLine(":PULS0:STAT?", PtyPeer::Reply{{QByteArray("1"), 0}, {QByteArray("\r\n"), 400}});
    std::optional<QString> nestedCommand;
    std::optional<QString> nestedQuery;
    std::optional<qint32> nestedInteger;
    QTimer::singleShot(100, [&] {
        nestedCommand = comm.CommandToPort(QStringLiteral(":PULS1:STAT ON"));
        nestedQuery = comm.QueryPort(QStringLiteral(":PULS0:PER"));
        nestedInteger = comm.QueryPortInteger(QStringLiteral(":PULS0:BCO"));
    });
    EXPECT_EQ(comm.QueryPort(QStringLiteral(":PULS0:STAT")), QStringLiteral("1"));
    ASSERT_TRUE(nestedCommand && nestedQuery && nestedInteger) << "the timer did not fire";
    EXPECT_EQ(*nestedCommand, QString());
    EXPECT_EQ(*nestedQuery, QString());
    EXPECT_EQ(*nestedInteger, 0);
    EXPECT_EQ(peer.received(), QByteArray(":PULS0:STAT?\r\n"));
    EXPECT_EQ(logged(), (QStringList{QStringLiteral("Sent    (T): :PULS0:STAT?"),
                                     QStringLiteral("Comport in use:    (T): :PULS1:STAT ON"),
                                     QStringLiteral("Received(T): 1")}));
    EXPECT_TRUE(terminal.isEmpty());
}

TEST_F(ExchangeTest, AfterTheEndNoExchangeTouchesThePort)
{
    port.Close();
    comm.setEnded();
    peer.send("late\r\n", 50);
    EXPECT_EQ(comm.QueryPort(QStringLiteral("*IDN")), QString());
    EXPECT_EQ(comm.CommandToPort(QStringLiteral("*RCL 0")), QString());
    EXPECT_EQ(comm.QueryPortFloat(QStringLiteral(":PULS0:PER")), 0.0);
    EXPECT_EQ(comm.ReadResponseEcho(), QString());
    EXPECT_FALSE(port.Opened()) << "an exchange re-opened the closed port";
    EXPECT_TRUE(peer.received().isEmpty());
    EXPECT_TRUE(terminal.isEmpty());
}

// Demo mode has no instrument: the user still sees and logs each command as sent, but no
// byte reaches the port the program happens to hold, and no reply is awaited.
TEST_F(ExchangeTest, DemoModeShowsCommandsButSendsNothing)
{
    comm.setDemoMode(true);
    EXPECT_EQ(comm.CommandToPort(QStringLiteral(":PULS0:STAT ON")), QString());
    EXPECT_EQ(comm.QueryPortInteger(QStringLiteral(":PULS0:STAT")), 0);
    comm.setDemoMode(false);
    peer.onLine("*IDN?", PtyPeer::text("x\r\n"));
    comm.QueryPort(QStringLiteral("*IDN"));
    EXPECT_EQ(peer.received(), QByteArray("*IDN?\r\n")) << "demo mode wrote to the port";
    ASSERT_EQ(terminal.size(), 1);
    EXPECT_EQ(linktest::maskTimes(terminal[0].text), QStringLiteral("(T) :PULS0:STAT ON"));
    EXPECT_EQ(terminal[0].color, ilink::Communication::SentColor());
    EXPECT_EQ(logged().first(), QStringLiteral("Sent    (T): :PULS0:STAT ON"));
}

// --- numbers -----------------------------------------------------------------------------

struct NumberCase {
    const char *reply; // as sent, before CR LF
    std::optional<qint32> asInt32;
    std::optional<double> asDouble;
    std::optional<qint64> asInt64;
};

void PrintTo(const NumberCase &c, std::ostream *os)
{
    *os << ::testing::PrintToString(std::string(c.reply));
}

class NumericQueryTest : public ExchangeTest, public ::testing::WithParamInterface<NumberCase> {};

// Each query kind is asked once; a result that is no number must be 0 and leave exactly one
// "Exception Error (" line after its Sent and Received lines.
TEST_P(NumericQueryTest, ConvertsOnlyAWholeNumberWhateverTheLocale)
{
    const NumberCase &c = GetParam();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    peer.setResponder(
        [&](const QByteArray &) { return PtyPeer::text(QByteArray(c.reply) + "\r\n"); });

    auto check = [&](auto result, auto expected, const char *kind) {
        const QStringList lines = logged();
        log.Close();
        log.ToggleLoggingState();
        const qsizetype errors = lines.count(QStringLiteral("Exception Error (T"));
        if (expected) {
            EXPECT_EQ(result, *expected) << kind;
            EXPECT_EQ(errors, 0) << kind;
            EXPECT_EQ(lines.size(), 2) << kind;
        } else {
            EXPECT_EQ(result, 0) << kind;
            EXPECT_EQ(errors, 1) << kind;
            ASSERT_EQ(lines.size(), 3) << kind;
            EXPECT_EQ(lines.last(), QStringLiteral("Exception Error (T")) << kind;
        }
    };
    check(comm.QueryPortInteger(QStringLiteral(":A")), c.asInt32, "int32");
    check(comm.QueryPortFloat(QStringLiteral(":A")), c.asDouble, "double");
    check(comm.QueryPortInt64(QStringLiteral(":A")), c.asInt64, "int64");
    QLocale::setDefault(QLocale::c());
}

constexpr std::nullopt_t no = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Replies, NumericQueryTest,
    ::testing::Values(
        NumberCase{"1", 1, 1.0, 1},
        NumberCase{"", 0, 0.0, 0}, // an empty reply reads as "0", silently
        NumberCase{"  42", 42, 42.0, 42}, NumberCase{"-17", -17, -17.0, -17},
        NumberCase{"+7", 7, 7.0, 7}, NumberCase{"2147483647", 2147483647, 2147483647.0, 2147483647},
        NumberCase{"2147483648", no, 2147483648.0, 2147483648LL},
        NumberCase{"-2147483649", no, -2147483649.0, -2147483649LL},
        NumberCase{"9223372036854775808", no, 9223372036854775808.0, no},
        NumberCase{"0.000000100000", no, 1e-7, no}, NumberCase{"1.5E-3", no, 1.5e-3, no},
        NumberCase{"5.", no, 5.0, no}, NumberCase{".5", no, 0.5, no}, NumberCase{"1,5", no, no, no},
        NumberCase{"1,000", no, no, no}, NumberCase{"12abc", no, no, no},
        NumberCase{"abc", no, no, no}, NumberCase{"1 2", no, no, no}, NumberCase{"+-1", no, no, no},
        NumberCase{"-", no, no, no}, NumberCase{"0x1A", no, no, no}, NumberCase{"1e", no, no, no},
        NumberCase{"inf", no, no, no}, NumberCase{"nan", no, no, no},
        NumberCase{"1e999", no, no, no}, NumberCase{"12\r\n34", 12, 12.0, 12},
        NumberCase{"12\n34", 12, 12.0, 12}));

} // namespace
