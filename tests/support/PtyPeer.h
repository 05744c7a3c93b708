#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include <termios.h>

namespace testsupport {

// The far end of a serial line: a pseudo-terminal whose slave side the program opens as its
// port, while a thread on the master side records every byte it receives and answers each
// received line by script.
//
// A line ends at CR or LF (so CR LF is one line); empty lines are not lines. Each received
// line is answered by the first of: the next queued reply, the reply registered for exactly
// that line, the responder. No answer is silence.
class PtyPeer {
public:
    // Bytes to send, delayMs after the line that triggered them arrived (or after send()).
    struct Chunk {
        QByteArray bytes;
        int delayMs = 0;
    };
    // Chunks go out in order of their delays; an empty reply is silence.
    using Reply = QList<Chunk>;
    // Runs on the peer's thread.
    using Responder = std::function<Reply(const QByteArray &line)>;

    static Reply text(const QByteArray &bytes, int delayMs = 0) { return {{bytes, delayMs}}; }
    static Reply silence() { return {}; }

    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer &) = delete;
    PtyPeer &operator=(const PtyPeer &) = delete;

    bool isValid() const;
    QString slavePath() const;
    // The line settings the program's port left on the terminal.
    bool slaveSettings(termios *out) const;

    void queueReply(const Reply &reply);
    void onLine(const QByteArray &line, const Reply &reply);
    void setResponder(Responder responder);

    // Unsolicited bytes, not tied to any line.
    void send(const QByteArray &bytes, int delayMs = 0);

    QByteArray received() const;
    QList<QByteArray> lines() const;
    void clearReceived();
    bool waitForLines(qsizetype count, int timeoutMs) const;
    bool waitForBytes(qsizetype count, int timeoutMs) const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

// A temporary folder that VNH_COMPORTS points at while this object lives, so that COMn is
// exactly the entry comN linked here and no other port exists.
class ComPortFolder {
public:
    ComPortFolder();
    ~ComPortFolder();
    ComPortFolder(const ComPortFolder &) = delete;
    ComPortFolder &operator=(const ComPortFolder &) = delete;

    QString path() const { return m_dir.path(); }
    // Makes comN a link to target.
    bool link(int port, const QString &target) const;
    // Takes comN away, as the system takes a device's entry away when it is unplugged.
    bool unlink(int port) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
};

} // namespace testsupport
