#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>

#include <functional>

namespace transport {
class TVNComPort;
}

namespace ilink {

class CommLog;

// The exchange operations: one line out, one reply line back, on the one serial port.
// Everything runs on the user-interface thread; a read that waits with AllowEvents set lets
// timers start another exchange, which the port's InUse check refuses before it purges or
// writes anything.
class Communication {
public:
    // The instrument needs this gap between the end of one exchange and the next command.
    static constexpr int kExchangePauseMs = 20;

    // The window's command terminal: one line of text in one colour per call.
    using TerminalSink = std::function<void(const QString &text, const QColor &color)>;
    static QColor SentColor() { return QColor(0, 0, 0); }
    static QColor ReceivedColor() { return QColor(0, 128, 0); }

    explicit Communication(transport::TVNComPort &port);

    // Both may be null / empty: then nothing is logged or echoed.
    void setLog(CommLog *log) { m_log = log; }
    void setTerminal(TerminalSink sink) { m_terminal = std::move(sink); }

    // Set by the state read-back while it writes values into the window.
    bool SuppressCommands() const { return m_suppressCommands; }
    void setSuppressCommands(bool on) { m_suppressCommands = on; }

    // Set by shutdown and restart: from then on no exchange touches the port again, even one
    // that was interrupted further up the call stack.
    bool Ended() const { return m_ended; }
    void setEnded() { m_ended = true; }

    // Without an instrument nothing may reach any port: commands are still shown in the
    // terminal and logged as sent, but no byte is written and no reply is awaited.
    bool DemoMode() const { return m_demoMode; }
    void setDemoMode(bool on) { m_demoMode = on; }

    QString LastCommand() const { return m_lastCommand; }
    // A read is waiting for its reply further up the call stack.
    bool PortInUse() const;

    QString QueryPort(const QString &command);
    qint32 QueryPortInteger(const QString &command);
    double QueryPortFloat(const QString &command);
    qint64 QueryPortInt64(const QString &command);
    QString CommandToPort(const QString &command);
    QString ReadResponse();
    QString ReadResponseEcho();

private:
    QByteArray queryBytes(const QString &command);
    QByteArray readReplyBytes();
    QByteArray numericReply(const QString &command);
    void echo(const QString &text, const QColor &color);
    void exceptionError();

    transport::TVNComPort &m_port;
    CommLog *m_log = nullptr;
    TerminalSink m_terminal;
    QString m_lastCommand;
    bool m_suppressCommands = false;
    bool m_ended = false;
    bool m_demoMode = false;
};

} // namespace ilink
