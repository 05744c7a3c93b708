#include "XvfbServer.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <X11/Xlib.h>

namespace testsupport {

XvfbServer::XvfbServer()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return;
    for (int n = 40; n < 140 && !m_running; ++n) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        m_display = QStringLiteral(":%1").arg(n);
        m_process.start(xvfb, {m_display, QStringLiteral("-screen"), QStringLiteral("0"),
                               QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                               QStringLiteral("tcp")});
        if (!m_process.waitForStarted(5000))
            continue;
        const QByteArray name = m_display.toLatin1();
        QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
            if (Display *d = XOpenDisplay(name.constData())) {
                XCloseDisplay(d);
                m_running = true;
                break;
            }
            QThread::msleep(50);
        }
        if (!m_running) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
}

XvfbServer::~XvfbServer()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
}

} // namespace testsupport
