// The program's own exchange operations against the real pulsegen-sim: every reply kind the
// read-back and the status poll rely on reads back as the value that was set.

#include "link/Communication.h"
#include "tests/support/ChildProcess.h"
#include "transport/TVNComPort.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

void ensureApp()
{
    static int argc = 1;
    static char name[] = "sim_exchange";
    static char *argv[] = {name, nullptr};
    static QCoreApplication *app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

class ExchangeWithSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        ASSERT_TRUE(ports.isValid());
        qputenv("VNH_COMPORTS", ports.path().toLocal8Bit());
    }
    void TearDown() override
    {
        if (sim.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(sim.processId()), SIGTERM);
            sim.waitForFinished(5000);
        }
    }

    void startSim(const QString &model)
    {
        testsupport::EndWithThisProcess(sim);
        sim.start(QStringLiteral(PULSEGEN_SIM_BINARY),
                  {QStringLiteral("--model"), model, QStringLiteral("--link"),
                   ports.filePath(QStringLiteral("com4"))});
        ASSERT_TRUE(sim.waitForStarted(5000));
        QByteArray out;
        while (!out.contains("ready\n")) {
            ASSERT_TRUE(sim.waitForReadyRead(5000)) << out.constData();
            out += sim.readAllStandardOutput();
        }
        port.setShowErrors(false);
        port.setPort(4);
        port.setBaud(115200);
        port.setEndOfResponse("\r");
        port.setResponseTime(3000);
        ASSERT_TRUE(port.Open());
    }

    QTemporaryDir ports;
    QProcess sim;
    transport::TVNComPort port;
    ilink::Communication exchange{port};
};

TEST_F(ExchangeWithSim, ReadsWhatItSetInEveryReplyKind)
{
    startSim(QStringLiteral("HRB8"));
    EXPECT_EQ(exchange.QueryPort(QStringLiteral("*IDN")),
              QStringLiteral("VN,HRB8,12345,1.2.3-2.0.1.7"));

    for (const char *command :
         {":PULS0:PER 0.000250000", ":PULS2:DEL -0.00000000025", ":PULS0:BCO 1000000",
          ":PULS0:TRIG:MOD TRIG", ":PULS0:GATE:MOD CHAN", ":PULS3:MUX 5", ":PULS0:ICL:RAT 25",
          ":PULS0:OCL TO", ":PULS0:COUN:STAT 1", ":PULS0:STAT ON"})
        EXPECT_EQ(exchange.CommandToPort(QLatin1String(command)), QStringLiteral("ok")) << command;

    EXPECT_DOUBLE_EQ(exchange.QueryPortFloat(QStringLiteral(":PULS0:PER")), 0.00025);
    EXPECT_DOUBLE_EQ(exchange.QueryPortFloat(QStringLiteral(":PULS2:DEL")), -2.5e-10);
    EXPECT_DOUBLE_EQ(exchange.QueryPortFloat(QStringLiteral(":PULS1:WIDT")), 1e-5);
    EXPECT_EQ(exchange.QueryPortInt64(QStringLiteral(":PULS0:BCO")), 1000000);
    EXPECT_EQ(exchange.QueryPort(QStringLiteral(":PULS0:TRIG:MODE")), QStringLiteral("TRIG"));
    EXPECT_EQ(exchange.QueryPort(QStringLiteral(":PULS0:GATE:MODE")), QStringLiteral("CHAN"));
    EXPECT_EQ(exchange.QueryPortInteger(QStringLiteral(":PULS3:MUX")), 5);
    EXPECT_EQ(exchange.QueryPortInteger(QStringLiteral(":PULS0:ICL:RAT")), 25);
    EXPECT_EQ(exchange.QueryPort(QStringLiteral(":PULS0:OCL")), QStringLiteral("TO"));
    EXPECT_EQ(exchange.QueryPortInteger(QStringLiteral(":PULS0:STAT")), 1);
    // Armed but waiting for a trigger that never comes: no pulse yet.
    EXPECT_EQ(exchange.QueryPortInt64(QStringLiteral(":PULS0:COUN:COUN? TCNTS")), 0);
    EXPECT_EQ(exchange.CommandToPort(QStringLiteral(":PULS0:TRIG:MODE DIS")), QStringLiteral("ok"));
    // The count query carries its own "?" and gets a second one from the exchange.
    EXPECT_GE(exchange.QueryPortInt64(QStringLiteral(":PULS0:COUN:COUN? TCNTS")), 1);
    EXPECT_EQ(exchange.CommandToPort(QStringLiteral(":PULS0:STAT OFF")), QStringLiteral("ok"));
    EXPECT_EQ(exchange.QueryPortInteger(QStringLiteral(":PULS0:STAT")), 0);
    EXPECT_EQ(exchange.CommandToPort(QStringLiteral(":PULS0:COUN:CL TCNTS")), QStringLiteral("ok"));
    EXPECT_EQ(exchange.QueryPortInt64(QStringLiteral(":PULS0:COUN:COUN? TCNTS")), 0);
    EXPECT_FALSE(port.TimedOut());
}

TEST_F(ExchangeWithSim, SeriesFourCountsAndClearsInItsOwnForm)
{
    startSim(QStringLiteral("VDX-4"));
    EXPECT_EQ(exchange.QueryPort(QStringLiteral(":PULS1:CAL:TYPE")), QStringLiteral("AT20"));
    EXPECT_EQ(exchange.CommandToPort(QStringLiteral(":PULS0:COUN:STAT 1")), QStringLiteral("ok"));
    EXPECT_EQ(exchange.CommandToPort(QStringLiteral(":PULS0:STAT ON")), QStringLiteral("ok"));
    EXPECT_EQ(exchange.CommandToPort(QStringLiteral(":PULS0:STAT OFF")), QStringLiteral("ok"));
    EXPECT_GE(exchange.QueryPortInt64(QStringLiteral(":PULS0:COUN:PULSES")), 1);
    EXPECT_EQ(exchange.QueryPort(QStringLiteral(":PULS0:COUN:COUN? TCNTS")), QStringLiteral("?"));
    EXPECT_EQ(exchange.CommandToPort(QStringLiteral(":PULS0:COUN:CL")), QStringLiteral("ok"));
    EXPECT_EQ(exchange.QueryPortInt64(QStringLiteral(":PULS0:COUN:PULSES")), 0);
}

} // namespace
