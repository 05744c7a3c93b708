// The serial port over a real line: a pseudo-terminal whose far end is a scripted peer,
// reached as COM3 through a VNH_COMPORTS folder.
#include "transport/TVNComPort.h"

#include "tests/support/PtyPeer.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <ostream>
#include <string>

using testsupport::ComPortFolder;
using testsupport::PtyPeer;
using testsupport::ScriptedDialogs;
using transport::THandshake;
using transport::TParity;
using transport::TVNComPort;
using Button = transport::UserDialogs::Button;
using Kind = transport::UserDialogs::Kind;

namespace {

std::string bytes(const QByteArray &b)
{
    return b.toStdString();
}

void ensureApp()
{
    static int argc = 1;
    static char name[] = "transport_comport_wire";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

// Waits for bytes the peer sent to reach the port; a bound, not a measurement.
bool waitForInCount(const TVNComPort &port, quint32 count)
{
    QElapsedTimer clock;
    clock.start();
    while (port.InCount() < count) {
        if (clock.elapsed() > 3000)
            return false;
        QThread::msleep(2);
    }
    return true;
}

class WireTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        ASSERT_TRUE(peer.isValid());
        ASSERT_TRUE(folder.link(3, peer.slavePath()));
        port.setDialogs(&dialogs);
        port.setPort(3);
        port.setEndOfResponse("\r");
        port.setShowErrors(false);
    }

    // Sends a query and reads the response the way the exchange does.
    QByteArray ask(const QByteArray &query)
    {
        EXPECT_TRUE(port.Write(query + "\r\n"));
        return port.Read();
    }

    PtyPeer peer;
    ComPortFolder folder;
    ScriptedDialogs dialogs;
    TVNComPort port;
};

TEST_F(WireTest, WriteOpensThePortAndSendsEveryByte)
{
    ASSERT_FALSE(port.Opened());
    EXPECT_TRUE(port.Write(":PULS0:PER 0.001\r\n"));
    EXPECT_TRUE(port.Opened());
    EXPECT_TRUE(port.State());
    const char raw[] = {'A', '\0', 'B', '\n'};
    EXPECT_TRUE(port.WriteRaw(raw, 3));
    ASSERT_TRUE(peer.waitForBytes(21, 3000));
    EXPECT_EQ(bytes(peer.received()), std::string(":PULS0:PER 0.001\r\nA\0B", 21));
}

TEST_F(WireTest, OperationsOnAPortThatCannotOpenFailQuietly)
{
    port.setPort(5); // no com5 in the folder
    EXPECT_FALSE(port.Write("x"));
    EXPECT_TRUE(port.Read().isEmpty());
    char buffer[4];
    EXPECT_EQ(port.ReadRaw(buffer, sizeof buffer), 0u);
    EXPECT_FALSE(port.Opened());
    EXPECT_FALSE(port.InUse());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

// How one response is framed: what the peer sends, in which chunks, and what Read returns.
struct FramingCase {
    const char *name;
    QByteArray endOfResponse;
    PtyPeer::Reply reply;
    QByteArray expected;
    bool timedOut;
};

void PrintTo(const FramingCase &c, std::ostream *os)
{
    *os << c.name;
}

class Framing : public WireTest, public ::testing::WithParamInterface<FramingCase> {};

TEST_P(Framing, ReadReturnsTheResponseAsFramed)
{
    const FramingCase &c = GetParam();
    port.setEndOfResponse(c.endOfResponse);
    port.setResponseTime(400);
    peer.queueReply(c.reply);
    EXPECT_EQ(bytes(ask("Q?")), bytes(c.expected));
    EXPECT_EQ(port.TimedOut(), c.timedOut);
    EXPECT_FALSE(port.InUse());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Responses, Framing,
    ::testing::Values(
        FramingCase{"WholeLine", "\r", PtyPeer::text("1\r"), "1\r", false},
        // the bytes after the terminator in the same chunk stay in the result
        FramingCase{"TerminatorMidChunk", "\r", PtyPeer::text("OK\rEXTRA"), "OK\rEXTRA", false},
        // the line feed comes too late to be part of this response
        FramingCase{"CrThenLfLater", "\r", {{"OK\r", 0}, {"\n", 300}}, "OK\r", false},
        // a two-byte terminator split over two chunks is still found
        FramingCase{
            "TerminatorAcrossChunks", "#13#10", {{"OK\r", 0}, {"\n", 100}}, "OK\r\n", false},
        FramingCase{"SeveralChunks", "\r", {{"12", 0}, {"34", 50}, {"5\r", 100}}, "12345\r", false},
        // silent partial data: no dialog, time-out flag set
        FramingCase{"PartialOnTimeout", "\r", PtyPeer::text("PART"), "PART", true},
        FramingCase{"NothingOnTimeout", "\r", PtyPeer::silence(), "", true}));

TEST_F(WireTest, TricklingBytesDoNotExtendTheDeadline)
{
    port.setResponseTime(200);
    // A byte every 40 ms well past the response time, then the terminator: a deadline that
    // moved with each byte would reach it.
    PtyPeer::Reply trickle;
    for (int i = 0; i < 25; ++i)
        trickle.append({QByteArray(1, char('a' + i)), i * 40});
    trickle.append({"\r", 1000});
    peer.queueReply(trickle);

    const QByteArray got = ask("Q?");
    EXPECT_TRUE(port.TimedOut());
    EXPECT_FALSE(got.contains('\r'));
    EXPECT_TRUE(QByteArray("abcdefghijklmnopqrstuvwxy").startsWith(got)) << bytes(got);
}

TEST_F(WireTest, EmptyTerminatorTakesOnlyWhatIsWaiting)
{
    port.setEndOfResponse("#"); // converts to nothing
    port.setResponseTime(60000);
    ASSERT_TRUE(port.Open());
    EXPECT_TRUE(port.Read().isEmpty());
    EXPECT_FALSE(port.TimedOut());

    peer.send("xyz");
    ASSERT_TRUE(waitForInCount(port, 3));
    EXPECT_EQ(bytes(port.Read()), "xyz");
}

TEST_F(WireTest, TimeoutRetryWaitsAnotherResponseTime)
{
    port.setShowErrors(true);
    port.setResponseTime(300);
    peer.queueReply(PtyPeer::text("LATE\r", 450));
    dialogs.answerNext(Button::Retry);

    EXPECT_EQ(bytes(ask("Q?")), "LATE\r");
    EXPECT_FALSE(port.TimedOut());
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Warning);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Timeout waiting for response."));
    EXPECT_EQ(dialogs.shown[0].buttons, (QList<Button>{Button::Abort, Button::Retry}));
}

struct TimeoutCase {
    const char *name;
    bool allowEvents;
    bool showErrors;
    int onTimeoutCalls;
    qsizetype dialogsShown;
};

void PrintTo(const TimeoutCase &c, std::ostream *os)
{
    *os << c.name;
}

class TimeoutReport : public WireTest, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(TimeoutReport, EventBeforeDialogAndPartialDataKept)
{
    const TimeoutCase &c = GetParam();
    port.setAllowEvents(c.allowEvents);
    port.setShowErrors(c.showErrors);
    port.setResponseTime(150);
    int calls = 0;
    qsizetype dialogsAtEvent = -1;
    port.OnTimeout = [&](TVNComPort *sender) {
        EXPECT_EQ(sender, &port);
        EXPECT_TRUE(port.InUse());
        ++calls;
        dialogsAtEvent = dialogs.shown.size();
    };
    peer.queueReply(PtyPeer::text("12"));
    dialogs.answerNext(Button::Abort);

    EXPECT_EQ(bytes(ask("Q?")), "12");
    EXPECT_TRUE(port.TimedOut());
    EXPECT_FALSE(port.InUse());
    EXPECT_EQ(calls, c.onTimeoutCalls);
    if (calls > 0) {
        EXPECT_EQ(dialogsAtEvent, 0);
    }
    EXPECT_EQ(dialogs.shown.size(), c.dialogsShown);
}

INSTANTIATE_TEST_SUITE_P(Modes, TimeoutReport,
                         ::testing::Values(TimeoutCase{"Silent", false, false, 0, 0},
                                           TimeoutCase{"EventOnly", true, false, 1, 0},
                                           TimeoutCase{"DialogOnly", false, true, 0, 1},
                                           TimeoutCase{"EventThenDialog", true, true, 1, 1}));

TEST_F(WireTest, ReadWaitingWithEventsRefusesASecondRead)
{
    port.setAllowEvents(true);
    port.setShowErrors(true);
    port.setResponseTime(3000);
    peer.queueReply(PtyPeer::text("OK\r", 300));

    bool fired = false;
    QByteArray inner = "untouched";
    quint32 innerRaw = 99;
    QTimer::singleShot(50, [&] {
        fired = true;
        EXPECT_TRUE(port.InUse());
        inner = port.Read();
        char buffer[8];
        innerRaw = port.ReadRaw(buffer, sizeof buffer);
    });

    EXPECT_EQ(bytes(ask("Q?")), "OK\r");
    ASSERT_TRUE(fired) << "the waiting read did not process the window's events";
    EXPECT_TRUE(inner.isEmpty());
    EXPECT_EQ(innerRaw, 0u);
    EXPECT_EQ(dialogs.texts(),
              (QStringList{QStringLiteral("Port is in use -- operation aborted"),
                           QStringLiteral("Port is in use -- operation aborted")}));
    EXPECT_FALSE(port.InUse());
    EXPECT_FALSE(port.TimedOut());
}

// Shutdown closes the port from an event that runs inside a waiting read: the read ends there
// instead of waiting out its response time, and leaves the port closed.
TEST_F(WireTest, ReadEndsWhenTheProgramClosesThePortUnderIt)
{
    port.setAllowEvents(true);
    port.setResponseTime(3000);
    peer.queueReply(PtyPeer::Reply{}); // silence
    bool fired = false;
    QTimer::singleShot(50, [&] {
        fired = true;
        port.Close();
    });
    EXPECT_TRUE(ask("Q?").isEmpty());
    ASSERT_TRUE(fired);
    EXPECT_FALSE(port.TimedOut()) << "the read waited for its deadline on a closed port";
    EXPECT_FALSE(port.Opened()) << "the read re-opened the port";
    EXPECT_FALSE(port.InUse());
}

TEST_F(WireTest, ReadWithoutEventsLeavesTimersAlone)
{
    port.setResponseTime(3000);
    peer.queueReply(PtyPeer::text("OK\r", 150));
    bool fired = false;
    QTimer::singleShot(10, [&] { fired = true; });
    EXPECT_EQ(bytes(ask("Q?")), "OK\r");
    EXPECT_FALSE(fired);
    QCoreApplication::processEvents(); // let the pending timer go before the next test
}

TEST_F(WireTest, ReadRawNeverCopiesPastTheCapacity)
{
    ASSERT_TRUE(port.Open());
    peer.send("0123456789");
    ASSERT_TRUE(waitForInCount(port, 10));

    char buffer[8];
    std::fill(std::begin(buffer), std::end(buffer), '#');
    EXPECT_EQ(port.ReadRaw(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 8), "0123####");
    EXPECT_EQ(port.InCount(), 6u);
    EXPECT_EQ(port.ReadRaw(buffer, sizeof buffer), 6u);
    EXPECT_EQ(std::string(buffer, 6), "456789");
    EXPECT_EQ(port.InCount(), 0u);
    EXPECT_FALSE(port.InUse());
}

TEST_F(WireTest, FlushDiscardsWaitingInput)
{
    ASSERT_TRUE(port.Open());
    peer.send("stale\r");
    ASSERT_TRUE(waitForInCount(port, 6));
    port.Flush();
    EXPECT_EQ(port.InCount(), 0u);
    peer.queueReply(PtyPeer::text("fresh\r"));
    EXPECT_EQ(bytes(ask("Q?")), "fresh\r");
}

class ExclusiveOpen : public WireTest, public ::testing::WithParamInterface<int> {};

TEST_P(ExclusiveOpen, SecondOpenOfOneDeviceIsRefused)
{
    ASSERT_TRUE(folder.link(4, peer.slavePath())); // a second name for the same device
    ASSERT_TRUE(port.Open());

    TVNComPort other;
    other.setDialogs(&dialogs);
    other.setPort(GetParam());
    dialogs.answerNext(Button::Retry);
    dialogs.answerNext(Button::Abort);
    EXPECT_FALSE(other.Open());
    EXPECT_FALSE(other.Opened());
    const QString text = QStringLiteral("Error opening COM%1: ").arg(GetParam());
    EXPECT_EQ(dialogs.texts(), (QStringList{text, text}));
    EXPECT_EQ(dialogs.shown[0].buttons, (QList<Button>{Button::Abort, Button::Retry}));

    port.Close();
    EXPECT_FALSE(port.Opened());
    EXPECT_TRUE(other.Open());
}

INSTANTIATE_TEST_SUITE_P(SameNameAndLink, ExclusiveOpen, ::testing::Values(3, 4));

// Line settings as the terminal sees them after the port applied them.
struct LineCase {
    const char *name;
    qint32 baud;
    speed_t speed;
    TParity parity;
    THandshake handshake;
    tcflag_t oddFlag;
    bool ctsRts;
};

void PrintTo(const LineCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineSettings : public WireTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(LineSettings, OpenAppliesThem)
{
    const LineCase &c = GetParam();
    port.setBaud(c.baud);
    port.setParity(c.parity);
    port.setHandshaking(c.handshake);
    // a pseudo-terminal refuses DTR and RTS; that must not cost the open
    ASSERT_TRUE(port.Open());
    termios tio;
    ASSERT_TRUE(peer.slaveSettings(&tio));
    EXPECT_EQ(cfgetospeed(&tio), c.speed);
    EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(tio.c_cflag & CSTOPB, tcflag_t(0));
    // the pseudo-terminal driver forces PARENB off, so only odd versus even shows
    EXPECT_EQ(tio.c_cflag & PARODD, c.oddFlag);
    EXPECT_EQ((tio.c_cflag & CRTSCTS) != 0, c.ctsRts);
}

INSTANTIATE_TEST_SUITE_P(Modes, LineSettings,
                         ::testing::Values(LineCase{"Plain", 115200, B115200, TParity::parNone,
                                                    THandshake::hsNone, 0, false},
                                           LineCase{"Even", 9600, B9600, TParity::parEven,
                                                    THandshake::hsAssertAll, 0, false},
                                           LineCase{"OddHardware", 19200, B19200, TParity::parOdd,
                                                    THandshake::hsHardware, PARODD, true}));

// A re-open starts a new handle, so input pulled in by the old one is gone: that is how these
// tests see whether a setter re-opened.
struct SetterCase {
    const char *name;
    std::function<void(TVNComPort &)> sameValue;
    std::function<void(TVNComPort &)> newValue;
};

void PrintTo(const SetterCase &c, std::ostream *os)
{
    *os << c.name;
}

class Setters : public WireTest, public ::testing::WithParamInterface<SetterCase> {
protected:
    void pullInInput()
    {
        peer.send("abc");
        ASSERT_TRUE(waitForInCount(port, 3));
    }
};

TEST_P(Setters, ReopenOnlyOnARealChange)
{
    ASSERT_TRUE(folder.link(4, peer.slavePath()));
    ASSERT_TRUE(port.Open());
    pullInInput();
    GetParam().sameValue(port);
    EXPECT_EQ(port.InCount(), 3u) << "same value re-opened the port";

    GetParam().newValue(port);
    EXPECT_TRUE(port.Opened());
    EXPECT_EQ(port.InCount(), 0u) << "new value did not re-open the port";
}

INSTANTIATE_TEST_SUITE_P(
    Properties, Setters,
    ::testing::Values(SetterCase{"Baud", [](TVNComPort &p) { p.setBaud(9600); },
                                 [](TVNComPort &p) { p.setBaud(57600); }},
                      SetterCase{"Handshaking",
                                 [](TVNComPort &p) { p.setHandshaking(THandshake::hsNone); },
                                 [](TVNComPort &p) { p.setHandshaking(THandshake::hsAssertAll); }},
                      SetterCase{"Parity", [](TVNComPort &p) { p.setParity(TParity::parNone); },
                                 [](TVNComPort &p) { p.setParity(TParity::parEven); }},
                      SetterCase{"Port", [](TVNComPort &p) { p.setPort(3); },
                                 [](TVNComPort &p) { p.setPort(4); }}));

TEST_F(WireTest, OpenOnAnOpenPortReopens)
{
    ASSERT_TRUE(port.Open());
    peer.send("abc");
    ASSERT_TRUE(waitForInCount(port, 3));
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(port.InCount(), 0u);
}

TEST_F(WireTest, ReadOnAClosedPortOpensIt)
{
    peer.onLine("Q?", PtyPeer::text("A\r", 50));
    ASSERT_FALSE(port.Opened());
    // the port opens on the read, then the query goes out while it waits
    QTimer::singleShot(0, [&] { port.Write("Q?\r\n"); });
    port.setAllowEvents(true);
    port.setResponseTime(2000);
    EXPECT_EQ(bytes(port.Read()), "A\r");
    EXPECT_TRUE(port.Opened());
}

// Port selection: COM3 and COM12 exist, each on its own line.
class PickTest : public WireTest {
protected:
    void SetUp() override
    {
        WireTest::SetUp();
        ASSERT_TRUE(peer12.isValid());
        ASSERT_TRUE(folder.link(12, peer12.slavePath()));
    }
    PtyPeer peer12;
};

TEST_F(PickTest, ListsOpenablePortsInOrderAndCancelKeepsEverything)
{
    port.setPort(1);
    port.setShowErrors(true);
    dialogs.answerPickNext(std::nullopt);
    EXPECT_FALSE(port.Pick());

    ASSERT_EQ(dialogs.pickShown.size(), 1);
    const auto &choice = dialogs.pickShown[0];
    EXPECT_EQ(choice.entries, (QStringList{QStringLiteral("COM3"), QStringLiteral("COM12")}));
    EXPECT_EQ(choice.preselected, -1);
    ASSERT_EQ(choice.toolTips.size(), 2);
    EXPECT_TRUE(choice.toolTips[0].contains(peer.slavePath())) << choice.toolTips[0].toStdString();
    EXPECT_TRUE(choice.toolTips[1].contains(peer12.slavePath()));
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "failed opens during the scan showed a dialog";
    EXPECT_EQ(port.Port(), 1);
    EXPECT_TRUE(port.ShowErrors());
    EXPECT_FALSE(port.Opened());
}

TEST_F(PickTest, PreselectsTheCurrentPortAndStoresTheChoice)
{
    port.setPort(12);
    ASSERT_TRUE(port.Open()); // the current port is listed although it was open
    dialogs.answerPickNext(0);
    EXPECT_TRUE(port.Pick());
    ASSERT_EQ(dialogs.pickShown.size(), 1);
    EXPECT_EQ(dialogs.pickShown[0].entries.size(), 2);
    EXPECT_EQ(dialogs.pickShown[0].preselected, 1);
    EXPECT_EQ(port.Port(), 3);
    EXPECT_FALSE(port.Opened()) << "Pick leaves opening to the caller";
    EXPECT_FALSE(port.ShowErrors());
}

TEST_F(PickTest, ThreeDigitPortNumber)
{
    ASSERT_TRUE(folder.link(100, peer.slavePath()));
    dialogs.answerPickNext(2);
    EXPECT_TRUE(port.Pick());
    EXPECT_EQ(dialogs.pickShown[0].entries.value(2), QStringLiteral("COM100"));
    EXPECT_EQ(port.Port(), 100);
    EXPECT_FALSE(port.Opened()) << "the scan's last port is still open";
}

TEST_F(PickTest, PortHeldElsewhereIsNotListed)
{
    TVNComPort holder;
    holder.setPort(12);
    ASSERT_TRUE(holder.Open());
    dialogs.answerPickNext(std::nullopt);
    EXPECT_FALSE(port.Pick());
    EXPECT_EQ(dialogs.pickShown[0].entries, QStringList{QStringLiteral("COM3")});
    EXPECT_TRUE(holder.Opened());
}

TEST_F(PickTest, NoPortsMeansNothingToChoose)
{
    ComPortFolder empty;       // replaces the folder with the two ports for this test
    dialogs.answerPickNext(0); // OK without an entry selected
    EXPECT_FALSE(port.Pick());
    EXPECT_TRUE(dialogs.pickShown[0].entries.isEmpty());
    EXPECT_EQ(port.Port(), 3);
}

} // namespace
