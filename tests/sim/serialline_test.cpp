// The stand-in as the program meets it: the real pulsegen-sim process, reached through the
// program's own serial port component and a VNH_COMPORTS folder.

#include "tests/support/ChildProcess.h"
#include "transport/TVNComPort.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <vector>

namespace {

using transport::TVNComPort;

constexpr qint32 kComNumber = 4;
const QByteArray kIdn = "VN,HRA8,12345,1.2.3-2.0.1.7";

void ensureApp()
{
    static int argc = 1;
    static char name[] = "sim_serialline";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

// One pulsegen-sim process serving COM4 of a private port folder.
class SimProcess {
public:
    explicit SimProcess(const QString &portFolder) : m_link(portFolder + QStringLiteral("/com4"))
    {
        testsupport::EndWithThisProcess(m_process);
    }
    ~SimProcess() { stop(); }

    const QString &link() const { return m_link; }
    QProcess &process() { return m_process; }

    // Starts it and waits for its "ready" line; the link exists from then on.
    ::testing::AssertionResult start(const QStringList &extra)
    {
        QStringList args{QStringLiteral("--link"), m_link};
        args += extra;
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.start(QStringLiteral(PULSEGEN_SIM_BINARY), args);
        if (!m_process.waitForStarted(5000))
            return ::testing::AssertionFailure() << "pulsegen-sim did not start";
        QByteArray out;
        while (!out.contains("ready\n")) {
            if (!m_process.waitForReadyRead(5000))
                return ::testing::AssertionFailure()
                       << "no ready line: " << out.constData()
                       << m_process.readAllStandardError().constData();
            out += m_process.readAllStandardOutput();
        }
        if (!out.contains("slave=/dev/pts/") || !out.contains("link=" + m_link.toLocal8Bit()))
            return ::testing::AssertionFailure() << "start lines: " << out.constData();
        return ::testing::AssertionSuccess();
    }

    // Sends `signal` and waits for the end; true when it ended by itself with status 0.
    bool stop(int signal = SIGTERM)
    {
        if (m_process.state() == QProcess::NotRunning)
            return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
        ::kill(static_cast<pid_t>(m_process.processId()), signal);
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
            return false;
        }
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

private:
    QString m_link;
    QProcess m_process;
};

struct Reply {
    QByteArray text; // trailing blanks and control characters removed, as the program does
    bool timedOut = false;
};

class SimOnSerialLine : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        ASSERT_TRUE(ports.isValid());
        qputenv("VNH_COMPORTS", ports.path().toLocal8Bit());
    }

    // The program's port as start-up leaves it.
    std::unique_ptr<TVNComPort> openPort(quint32 responseTimeMs = 2000, qint32 baud = 115200)
    {
        auto port = std::make_unique<TVNComPort>();
        port->setShowErrors(false);
        port->setPort(kComNumber);
        port->setBaud(baud);
        port->setEndOfResponse("\r");
        port->setResponseTime(responseTimeMs);
        if (!port->Open())
            return nullptr;
        return port;
    }

    static Reply exchange(TVNComPort &port, const QByteArray &line)
    {
        port.Flush();
        port.Write(line + "\r\n");
        Reply r{port.Read(), port.TimedOut()};
        while (!r.text.isEmpty() && static_cast<unsigned char>(r.text.back()) <= 32)
            r.text.chop(1);
        return r;
    }

    QTemporaryDir ports;
};

TEST_F(SimOnSerialLine, AnswersEveryKindOfLine)
{
    SimProcess sim(ports.path());
    ASSERT_TRUE(sim.start({QStringLiteral("--model"), QStringLiteral("HRA8")}));
    auto port = openPort();
    ASSERT_TRUE(port);

    const std::vector<std::pair<QByteArray, QByteArray>> rows{
        {"*IDN?", kIdn},                    // identification
        {":PULS0:PER 0.000100000", "ok"},   // command
        {":PULS0:PER?", "0.0001"},          // float
        {":PULS1:WIDT?", "1E-05"},          // float in exponent form
        {":PULS0:MOD?", "NORM"},            // token
        {":PULS0:BCO?", "1"},               // count
        {":PULS0:COUN:COUN? TCNTS?", "0"},  // the doubled question mark
        {":PULS0:NOPE?", "?"},              // unknown header
        {":PULS0:PER 6000.000000000", "?"}, // beyond the limit
        {":PULS0:PER?", "0.0001"},          // ... which changed nothing
        {"", "?"},                          // an empty line is a line too
    };
    for (const auto &[line, expected] : rows) {
        const Reply r = exchange(*port, line);
        EXPECT_FALSE(r.timedOut) << line.constData();
        EXPECT_EQ(r.text, expected) << line.constData();
    }
}

TEST_F(SimOnSerialLine, StaysSilentAtAnotherLineSpeed)
{
    SimProcess sim(ports.path());
    ASSERT_TRUE(sim.start({}));
    auto port = openPort(300, 9600);
    ASSERT_TRUE(port);
    Reply r = exchange(*port, "*IDN?");
    EXPECT_TRUE(r.timedOut);
    EXPECT_TRUE(r.text.isEmpty()) << r.text.constData();

    port->setBaud(115200);
    r = exchange(*port, "*IDN?");
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.text, kIdn);
}

TEST_F(SimOnSerialLine, FixedAtItsOwnBaud)
{
    SimProcess sim(ports.path());
    ASSERT_TRUE(sim.start({QStringLiteral("--baud"), QStringLiteral("9600")}));
    auto port = openPort(300, 115200);
    ASSERT_TRUE(port);
    EXPECT_TRUE(exchange(*port, "*IDN?").timedOut);
    port->setBaud(9600);
    EXPECT_EQ(exchange(*port, "*IDN?").text, kIdn);
}

TEST_F(SimOnSerialLine, BinsSurviveARestartWithState)
{
    const QString stateFile = ports.filePath(QStringLiteral("bins.txt"));
    const QStringList args{QStringLiteral("--model"), QStringLiteral("HRA8"),
                           QStringLiteral("--state"), stateFile};
    {
        SimProcess sim(ports.path());
        ASSERT_TRUE(sim.start(args));
        auto port = openPort();
        ASSERT_TRUE(port);
        EXPECT_EQ(exchange(*port, ":PULS0:PER 0.002000000").text, "ok");
        EXPECT_EQ(exchange(*port, ":PULS3:DEL 0.00000100000").text, "ok");
        EXPECT_EQ(exchange(*port, "*SAV 7").text, "ok");
        port.reset();
        EXPECT_TRUE(sim.stop());
    }
    SimProcess sim(ports.path());
    ASSERT_TRUE(sim.start(args));
    auto port = openPort();
    ASSERT_TRUE(port);
    EXPECT_EQ(exchange(*port, ":PULS0:PER?").text, "0.001"); // power-up is factory state
    EXPECT_EQ(exchange(*port, "*RCL 7").text, "ok");
    EXPECT_EQ(exchange(*port, ":PULS0:PER?").text, "0.002");
    EXPECT_EQ(exchange(*port, ":PULS3:DEL?").text, "1E-06");
    EXPECT_EQ(exchange(*port, "*RCL 0").text, "ok");
    EXPECT_EQ(exchange(*port, ":PULS0:PER?").text, "0.001");
}

struct FaultRow {
    const char *name;
    QStringList args;
    QByteArray line;
    quint32 responseTimeMs;
    bool timesOut;
    QByteArray reply; // expected end of the reply
    int noiseBytes;   // bytes before it
};

TEST_F(SimOnSerialLine, FaultOptionsShapeTheReplies)
{
    const std::vector<FaultRow> rows{
        {"leading blanks",
         {QStringLiteral("--leading-blanks"), QStringLiteral("2")},
         "*IDN?",
         2000,
         false,
         "  " + kIdn,
         0},
        {"fixed reply",
         {QStringLiteral("--reply"), QStringLiteral(":PULS0:MOD?=XYZ")},
         ":PULS0:MOD?",
         2000,
         false,
         "XYZ",
         0},
        {"fixed reply leaves others",
         {QStringLiteral("--reply"), QStringLiteral(":PULS0:MOD?=XYZ")},
         ":PULS0:PER?",
         2000,
         false,
         "0.001",
         0},
        {"garbage",
         {QStringLiteral("--garbage"), QStringLiteral("5")},
         "*IDN?",
         2000,
         false,
         kIdn,
         5},
        {"silent", {QStringLiteral("--silent")}, "*IDN?", 300, true, "", 0},
        {"late beyond the response time",
         {QStringLiteral("--delay"), QStringLiteral("3000")},
         "*IDN?",
         300,
         true,
         "",
         0},
        {"late within the response time",
         {QStringLiteral("--delay"), QStringLiteral("100")},
         "*IDN?",
         3000,
         false,
         kIdn,
         0},
    };
    for (const FaultRow &r : rows) {
        SCOPED_TRACE(r.name);
        SimProcess sim(ports.path());
        ASSERT_TRUE(sim.start(r.args));
        auto port = openPort(r.responseTimeMs);
        ASSERT_TRUE(port);
        const Reply reply = exchange(*port, r.line);
        EXPECT_EQ(reply.timedOut, r.timesOut);
        if (r.timesOut)
            continue;
        EXPECT_TRUE(reply.text.endsWith(r.reply)) << reply.text.toHex().constData();
        EXPECT_EQ(reply.text.size(), r.reply.size() + r.noiseBytes);
    }
}

TEST_F(SimOnSerialLine, PulledCableTakesThePortAway)
{
    SimProcess sim(ports.path());
    ASSERT_TRUE(sim.start({QStringLiteral("--close-after"), QStringLiteral("2")}));
    auto port = openPort();
    ASSERT_TRUE(port);
    EXPECT_EQ(exchange(*port, "*IDN?").text, kIdn);
    EXPECT_EQ(exchange(*port, ":PULS0:STAT?").text, "0");
    ASSERT_TRUE(sim.process().waitForFinished(5000));
    EXPECT_EQ(sim.process().exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(sim.link()));
    EXPECT_FALSE(port->Open());
}

TEST_F(SimOnSerialLine, EndsCleanlyOnSignalsAndRemovesItsLink)
{
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        SimProcess sim(ports.path());
        ASSERT_TRUE(sim.start({}));
        {
            auto port = openPort();
            ASSERT_TRUE(port);
            EXPECT_EQ(exchange(*port, "*IDN?").text, kIdn);
        }
        EXPECT_TRUE(QFileInfo(sim.link()).isSymLink());
        EXPECT_TRUE(sim.stop(signal));
        EXPECT_FALSE(QFileInfo(sim.link()).isSymLink());
    }
}

} // namespace
