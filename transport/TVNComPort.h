#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QSerialPort;

namespace transport {

class UserDialogs;
struct PortRefusal;

enum class THandshake { hsNone, hsHardware, hsAssertAll };
enum class TParity { parNone, parEven, parOdd };

// The one serial port of the program: opens a numbered COM port, writes byte strings and
// reads one response framed by an end-of-response sequence within a response time.
// Construction values are those of a bare component; the main window applies its design
// values (115200 bit/s, 3000 ms) itself.
class TVNComPort : public QObject {
    Q_OBJECT
public:
    explicit TVNComPort(QObject *owner = nullptr);
    ~TVNComPort() override;

    // Where dialogs go (errors, Abort/Retry, port selection). May be null: then no dialog
    // is shown and every question is answered Abort/Cancel.
    void setDialogs(UserDialogs *dialogs);

    bool Open();
    void Close();
    void Flush();
    bool Write(const QByteArray &sData);
    bool WriteRaw(const char *bData, quint32 bSize);
    QByteArray Read();
    // Copies at most `capacity` waiting bytes into `buffer`; returns how many were copied.
    quint32 ReadRaw(char *buffer, quint32 capacity);
    // Lists the ports that open now and lets the user choose one; the port is left closed
    // and the caller opens the chosen one.
    bool Pick();

    bool AllowEvents() const;
    void setAllowEvents(bool on);
    qint32 Baud() const;
    void setBaud(qint32 baud);
    QByteArray EndOfResponse() const;
    QByteArray EndOfResponseRaw() const;
    void setEndOfResponse(const QByteArray &eor);
    THandshake Handshaking() const;
    void setHandshaking(THandshake h);
    TParity Parity() const;
    void setParity(TParity p);
    quint32 InCount() const;
    bool State() const;
    bool InUse() const;
    quint32 ResponseTime() const;
    void setResponseTime(quint32 ms);
    bool Opened() const;
    qint32 Port() const;
    void setPort(qint32 port);
    bool ShowErrors() const;
    void setShowErrors(bool on);
    bool TimedOut() const;
    QByteArray Version() const;
    void setVersion(const QByteArray &ignored);

    // Called on a time-out while AllowEvents is set, with this port as sender.
    std::function<void(TVNComPort *sender)> OnTimeout;

    // Called when Open() meets a port that is present but refused: no permission, or held by
    // another program. Nothing is worked out while it is unset.
    std::function<void(const PortRefusal &refusal)> OnRefused;

    // The device a COM number maps to on this platform; empty when there is none. On Linux a
    // folder named by VNH_COMPORTS holding entries comN replaces the built-in table.
    static QString DevicePath(qint32 port);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace transport
