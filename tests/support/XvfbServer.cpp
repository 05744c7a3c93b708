#include "XvfbServer.h"

#include "ChildProcess.h"

#include <QDeadlineTimer>
#include <QStandardPaths>

namespace testsupport {

// The server picks a free display number itself and reports it once it accepts connections
// (-displayfd), so a server of an earlier test that is still shutting down is never taken
// for ours.
XvfbServer::XvfbServer()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return;
    EndWithThisProcess(m_process);
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.start(xvfb,
                    {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                     QStringLiteral("0"), QStringLiteral("1024x768x24"),
                     QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_process.waitForStarted(5000))
        return;
    QDeadlineTimer deadline(15000);
    while (!m_process.canReadLine() && m_process.state() == QProcess::Running &&
           !deadline.hasExpired())
        m_process.waitForReadyRead(100);
    bool ok = false;
    const int number = m_process.readLine().trimmed().toInt(&ok);
    if (ok && m_process.state() == QProcess::Running) {
        m_display = QStringLiteral(":%1").arg(number);
        m_running = true;
    }
}

XvfbServer::~XvfbServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

} // namespace testsupport
