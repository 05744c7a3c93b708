#pragma once

#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

// An Xvfb of our own. The server picks a free display number itself and reports it on its
// standard output once it accepts connections (-displayfd), so a server still shutting down
// from an earlier test process can never be mistaken for ours.
class PrivateXServer {
public:
    PrivateXServer() {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
        m_process.setProcessChannelMode(QProcess::SeparateChannels);
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"),
                               QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("800x600x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        if (!m_process.waitForStarted(5000))
            return;
        QDeadlineTimer deadline(15000);
        while (!m_process.canReadLine() && m_process.state() == QProcess::Running &&
               !deadline.hasExpired())
            m_process.waitForReadyRead(100);
        bool ok = false;
        const int number = m_process.readLine().trimmed().toInt(&ok);
        if (ok && m_process.state() == QProcess::Running)
            m_display = QStringLiteral(":%1").arg(number);
    }

    ~PrivateXServer() {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(3000)) {
            m_process.kill();
            m_process.waitForFinished(1000);
        }
    }

    PrivateXServer(const PrivateXServer &) = delete;
    PrivateXServer &operator=(const PrivateXServer &) = delete;

    bool running() const { return !m_display.isEmpty(); }
    QString display() const { return m_display; }

private:
    QProcess m_process;
    QString m_display;
};
