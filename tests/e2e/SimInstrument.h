#pragma once

#include "tests/support/ChildProcess.h"
#include "tests/support/QtPrinters.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <csignal>

namespace e2e {

// One widget application for the whole test binary, torn down when the tests end rather
// than in the exit handlers (the window's font face must go before the platform does).
inline QApplication &app()
{
    static QApplication *instance = nullptr;
    if (!instance) {
        static int argc = 1;
        static char name[] = "e2e";
        static char *argv[] = {name, nullptr};
        instance = new QApplication(argc, argv);
        class AppTearDown : public ::testing::Environment {
        public:
            void TearDown() override
            {
                delete instance;
                instance = nullptr;
            }
        };
        ::testing::AddGlobalTestEnvironment(new AppTearDown);
    }
    return *instance;
}

// The real pulsegen-sim serving COMn of a port folder, with its exchange log (--verbose) read
// back as the lines the program put on the wire.
class SimInstrument {
public:
    SimInstrument(const QString &portFolder, int comNumber)
        : m_link(portFolder + QStringLiteral("/com%1").arg(comNumber))
    {
        // SIGKILL: a frozen instrument (SIGSTOP) would keep a SIGTERM pending.
        testsupport::EndWithThisProcess(m_process, SIGKILL);
    }
    ~SimInstrument() { stop(); }

    ::testing::AssertionResult start(const QStringList &extra = {})
    {
        QStringList args{QStringLiteral("--link"), m_link, QStringLiteral("--verbose")};
        args += extra;
        m_process.start(QStringLiteral(PULSEGEN_SIM_BINARY), args);
        if (!m_process.waitForStarted(5000))
            return ::testing::AssertionFailure() << "pulsegen-sim did not start";
        while (!m_out.contains("ready\n")) {
            if (!m_process.waitForReadyRead(5000))
                return ::testing::AssertionFailure() << "no ready line: " << m_out.constData();
            m_out += m_process.readAllStandardOutput();
        }
        return ::testing::AssertionSuccess();
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT);
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }

    // A frozen instrument takes bytes but never answers: a lost instrument to the program.
    void freeze() { ::kill(static_cast<pid_t>(m_process.processId()), SIGSTOP); }
    void thaw() { ::kill(static_cast<pid_t>(m_process.processId()), SIGCONT); }

    // Every line the instrument received so far, in order (without CR LF). Its log arrives
    // through a pipe, so take what comes until the pipe has been quiet for a moment.
    QStringList received()
    {
        while (m_process.waitForReadyRead(150))
            m_out += m_process.readAllStandardOutput();
        m_out += m_process.readAllStandardOutput();
        static const QRegularExpression exchange(
            QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d (.*) -> .*$"));
        QStringList lines;
        for (const QString &line : QString::fromLocal8Bit(m_out).split(u'\n')) {
            const QRegularExpressionMatch m = exchange.match(line);
            if (m.hasMatch())
                lines << m.captured(1);
        }
        return lines;
    }

private:
    QString m_link;
    QProcess m_process;
    QByteArray m_out;
};

} // namespace e2e
