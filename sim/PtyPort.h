#pragma once

#include "sim/LineSettings.h"

#include <QByteArray>
#include <QString>

namespace sim {

// The instrument's end of a pseudo-terminal. The program opens the slave side as its serial
// port. A slave descriptor of our own stays open for the whole life of the port: it lets us read
// the line settings the program has chosen, and it keeps the master from reporting a hang-up
// (EIO) each time the program closes its port. It is opened before anyone else and without
// TIOCEXCL, so the program's exclusive open still succeeds.
class PtyPort {
public:
    PtyPort() = default;
    ~PtyPort();
    PtyPort(const PtyPort &) = delete;
    PtyPort &operator=(const PtyPort &) = delete;

    // Creates the pseudo-terminal in raw mode, 8N1, at `baud`, so that a terminal program that
    // sets nothing talks to it at once.
    bool open(qint32 baud, QString *error);
    // A symbolic link to the slave, replacing a stale link of that name; the folder is made.
    bool makeLink(const QString &linkPath, QString *error);
    // Closes both ends, so the device disappears as if the cable were pulled, and removes the
    // link if it still points at this port.
    void close();

    int masterFd() const { return m_master; }
    const QString &slavePath() const { return m_slavePath; }
    const QString &linkPath() const { return m_linkPath; }

    LineSettings lineSettings() const;
    // Bytes written to the slave side that no reader has taken yet.
    int unreadBySlave() const;

    // Writes what the line takes now; what does not fit is lost, as on a line nobody reads.
    qint64 write(const QByteArray &bytes);

    // True for the speeds the terminal layer has a constant for (1200 to 4000000 bit/s).
    static bool isSupportedBaud(qint32 baud);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};

} // namespace sim
