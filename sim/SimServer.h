#pragma once

#include "sim/Instrument.h"
#include "sim/PtyPort.h"
#include "sim/ServerOptions.h"

#include <QByteArray>

#include <deque>

namespace sim {

// Serves the interpreter on the pseudo-terminal: frames lines, keeps silent while the line
// speed or framing differs from the instrument's own, applies the fault options and logs.
class SimServer {
public:
    SimServer(Instrument &instrument, PtyPort &port, ServerOptions options);

    // Serves until `stopFd` becomes readable or the line has been closed on purpose.
    void run(int stopFd);

private:
    struct PendingReply {
        qint64 dueMs;
        QByteArray bytes;
    };

    void takeBytes(const char *data, qsizetype size);
    void takeLine(const QByteArray &line);
    QByteArray replyFor(const QByteArray &line);
    void sendDueReplies();
    bool cableDue() const;
    void pullCable();
    bool lineMatches(QByteArray *why) const;
    QByteArray garbage();
    void log(const QByteArray &text) const;
    static qint64 nowMs();

    Instrument &m_instrument;
    PtyPort &m_port;
    ServerOptions m_options;
    QByteArray m_partial;
    bool m_lastWasCr = false;
    int m_linesTaken = 0;
    bool m_cablePulled = false;
    std::deque<PendingReply> m_pending;
    quint32 m_noise = 0x2545F491u;
};

} // namespace sim
