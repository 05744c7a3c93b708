#pragma once

#include <QProcess>
#include <QString>

namespace testsupport {

// A private X server for the few tests that need real key state or real screen pixels.
// Picks a display number nobody uses, waits until it accepts connections.
class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();

    bool running() const { return m_running; }
    QString display() const { return m_display; } // e.g. ":57"

private:
    QProcess m_process;
    QString m_display;
    bool m_running = false;
};

} // namespace testsupport
