#include "transport/TVNComPort.h"

#include "transport/PortAccess.h"
#include "transport/PortToolTip.h"
#include "transport/RefusalNotice.h"
#include "transport/UserDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <termios.h>
#endif

namespace transport {

namespace {

const QByteArray kVersion = QByteArrayLiteral("2.0.2");

constexpr qint32 kFirstPort = 1;
constexpr qint32 kLastPort = 100;

// A read waits on the device in slices this long, so it neither spins a core nor leaves the
// window's events unprocessed for long while AllowEvents is set.
constexpr qint64 kWaitSliceMs = 5;

// A write gets this long plus the line time of its bytes; only a stalled line (flow control
// held off, device gone) ever reaches it.
constexpr qint64 kWriteGraceMs = 1000;

using Button = UserDialogs::Button;
using Kind = UserDialogs::Kind;

// Decimal digits only; anything else (sign, blank, hex prefix, nothing) is a bad code, and so
// is a code that does not fit in one byte.
bool parseByteCode(const QByteArray &text, char *out)
{
    if (text.isEmpty())
        return false;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > 255)
            return false;
    }
    *out = static_cast<char>(value);
    return true;
}

QByteArray convertEndOfResponse(const QByteArray &text)
{
    QByteArray raw;
    QByteArray number;
    bool codeMode = false;
    bool ok = true;
    for (char c : text) {
        if (!codeMode) {
            if (c == '#')
                codeMode = true;
            else
                raw.append(c);
            continue;
        }
        if (c != '#') {
            number.append(c);
            continue;
        }
        char byte = 0;
        if (parseByteCode(number, &byte))
            raw.append(byte);
        else
            ok = false;
        number.clear();
    }
    if (!number.isEmpty()) {
        char byte = 0;
        if (parseByteCode(number, &byte))
            raw.append(byte);
        else
            ok = false;
    }
    return ok ? raw : text;
}

#ifndef Q_OS_WIN
// Two names of one device (a link and its target) must be one port for the exclusive open,
// and QSerialPort derives its lock file from the name it is given.
QString resolvedDevice(qint32 port)
{
    const QString path = TVNComPort::DevicePath(port);
    if (path.isEmpty())
        return {};
    return QFileInfo(path).canonicalFilePath();
}
#else
QString resolvedDevice(qint32 port)
{
    return TVNComPort::DevicePath(port);
}
#endif

} // namespace

struct TVNComPort::Private {
    bool allowEvents = false;
    qint32 baudRate = 9600;
    THandshake handshake = THandshake::hsNone;
    TParity parity = TParity::parNone;
    QByteArray endOfResponse;
    QByteArray endOfResponseRaw;
    // The handle: present exactly while the port is open.
    std::unique_ptr<QSerialPort> port;
    bool portInUse = false;
    qint32 portNumber = 1;
    quint32 responseTime = 1000;
    bool showErrors = true;
    bool timedOut = false;
    // Counts Close() calls, so a read that lets events run can tell that the program closed
    // the port under it (shutdown, restart) and stop waiting on a port nobody wants any more.
    quint64 closings = 0;
    UserDialogs *dialogs = nullptr;
    // Why the last failed open failed, for telling a refused port from an absent one.
    QSerialPort::SerialPortError openError = QSerialPort::NoError;

    bool isOpen() const { return port && port->isOpen(); }

    Button ask(Kind kind, const QString &text, const QList<Button> &buttons) const
    {
        if (!dialogs)
            return buttons.contains(Button::Cancel) ? Button::Cancel : Button::Abort;
        return dialogs->message(kind, text, buttons);
    }

    void tell(const QString &text) const
    {
        if (dialogs)
            dialogs->message(Kind::Information, text, {Button::Ok});
    }

    bool tryOpen(const QString &device)
    {
        openError = QSerialPort::DeviceNotFoundError;
        if (device.isEmpty())
            return false;
        auto candidate = std::make_unique<QSerialPort>();
        candidate->setPortName(device);
        if (!candidate->open(QIODevice::ReadWrite)) {
            openError = candidate->error();
            return false;
        }
        port = std::move(candidate);
        return true;
    }

    // Each setting on its own, failures ignored: a pseudo-terminal, for one, refuses DTR and
    // RTS, and that must not cost the open.
    void applyLineSettings()
    {
        port->setBaudRate(baudRate);
        port->setDataBits(QSerialPort::Data8);
        port->setStopBits(QSerialPort::OneStop);
        switch (parity) {
        case TParity::parNone:
            port->setParity(QSerialPort::NoParity);
            break;
        case TParity::parEven:
            port->setParity(QSerialPort::EvenParity);
            break;
        case TParity::parOdd:
            port->setParity(QSerialPort::OddParity);
            break;
        }
        switch (handshake) {
        case THandshake::hsNone:
            port->setFlowControl(QSerialPort::NoFlowControl);
            port->setDataTerminalReady(false);
            port->setRequestToSend(false);
            break;
        case THandshake::hsHardware:
            // RTS belongs to the driver under hardware flow control; DTR stays off.
            port->setFlowControl(QSerialPort::HardwareControl);
            port->setDataTerminalReady(false);
            break;
        case THandshake::hsAssertAll:
            port->setFlowControl(QSerialPort::NoFlowControl);
            port->setDataTerminalReady(true);
            port->setRequestToSend(true);
            break;
        }
        port->clearError();
    }

    // QSerialPort only counts what it has already pulled in from the driver; pull in what
    // the driver holds right now without waiting.
    void pullIn()
    {
        if (!isOpen())
            return;
        port->waitForReadyRead(0);
        port->clearError();
    }

    QByteArray takeWaiting()
    {
        pullIn();
        return isOpen() ? port->readAll() : QByteArray();
    }

    // Returns early when bytes arrive; never returns early without them, so a dead device
    // cannot turn the read loop into a spin.
    void waitSlice(qint64 ms)
    {
        if (ms <= 0)
            return;
        if (isOpen() && port->bytesAvailable() > 0)
            return;
        QElapsedTimer slice;
        slice.start();
        if (isOpen()) {
            const bool arrived = port->waitForReadyRead(int(ms));
            if (isOpen())
                port->clearError();
            if (arrived)
                return;
        }
        const qint64 left = ms - slice.elapsed();
        if (left > 0)
            QThread::msleep(static_cast<unsigned long>(left));
    }

    bool writeAll(const char *data, qint64 size)
    {
        if (size == 0)
            return true;
        if (port->write(data, size) != size) {
            port->clear(QSerialPort::Output);
            port->clearError();
            return false;
        }
        const qint64 lineMs = baudRate > 0 ? size * 10 * 1000 / baudRate : 0;
        QElapsedTimer clock;
        clock.start();
        const qint64 limit = kWriteGraceMs + lineMs;
        while (isOpen() && port->bytesToWrite() > 0) {
            const qint64 left = limit - clock.elapsed();
            if (left <= 0 || !port->waitForBytesWritten(int(left)))
                break;
        }
        if (!isOpen())
            return false;
        const bool complete = port->bytesToWrite() == 0;
        if (!complete)
            // The caller is told the write failed; the rest must not trickle out later.
            port->clear(QSerialPort::Output);
        port->clearError();
        return complete;
    }
};

// Sets the in-use guard for one read and clears it on every way out.
class InUseScope {
public:
    explicit InUseScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~InUseScope() { m_flag = false; }
    InUseScope(const InUseScope &) = delete;
    InUseScope &operator=(const InUseScope &) = delete;

private:
    bool &m_flag;
};

TVNComPort::TVNComPort(QObject *owner) : QObject(owner), d(std::make_unique<Private>()) {}

TVNComPort::~TVNComPort()
{
    Close();
}

void TVNComPort::setDialogs(UserDialogs *dialogs)
{
    d->dialogs = dialogs;
}

bool TVNComPort::Open()
{
    Close();
    for (;;) {
        const QString device = resolvedDevice(d->portNumber);
        if (d->tryOpen(device))
            break;
        if (OnRefused) {
            if (const auto refusal = ExplainRefusal(d->portNumber, device, d->openError))
                OnRefused(*refusal);
        }
        if (!d->showErrors)
            return false;
        const QString text = QStringLiteral("Error opening COM%1: ").arg(d->portNumber);
        if (d->ask(Kind::Warning, text, {Button::Abort, Button::Retry}) != Button::Retry)
            return false;
    }
    d->applyLineSettings();
    return true;
}

void TVNComPort::Close()
{
    ++d->closings;
    if (d->port) {
        d->port->close();
        d->port.reset();
    }
}

void TVNComPort::Flush()
{
    if (!d->isOpen())
        return;
    d->port->clear(QSerialPort::AllDirections);
    d->port->clearError();
}

bool TVNComPort::Write(const QByteArray &sData)
{
    return WriteRaw(sData.constData(), quint32(sData.size()));
}

bool TVNComPort::WriteRaw(const char *bData, quint32 bSize)
{
    if (!d->isOpen() && !Open())
        return false;
    if (bSize > 0 && !bData)
        return false;
    return d->writeAll(bData, qint64(bSize));
}

QByteArray TVNComPort::Read()
{
    QByteArray result;
    if (d->portInUse) {
        if (d->showErrors)
            d->tell(QStringLiteral("Port is in use -- operation aborted"));
        return result;
    }
    if (!d->isOpen() && !Open())
        return result;
    InUseScope inUse(d->portInUse);

    const QByteArray terminator = d->endOfResponseRaw;
    if (terminator.isEmpty())
        return d->takeWaiting();

    // The deadline is fixed at the start: bytes trickling in never extend it.
    QElapsedTimer clock;
    clock.start();
    qint64 deadline = d->responseTime;
    d->timedOut = false;
    const quint64 closingsAtStart = d->closings;
    for (;;) {
        result += d->takeWaiting();
        if (result.contains(terminator))
            break;
        if (clock.elapsed() > deadline)
            d->timedOut = true;
        if (d->allowEvents) {
            QCoreApplication::processEvents();
            if (d->closings != closingsAtStart)
                break; // never re-open a port the program has let go of
        }
        if (d->timedOut) {
            if (d->allowEvents && OnTimeout)
                OnTimeout(this);
            if (d->showErrors &&
                d->ask(Kind::Warning, QStringLiteral("Timeout waiting for response."),
                       {Button::Abort, Button::Retry}) == Button::Retry) {
                d->timedOut = false;
                clock.restart();
                deadline = d->responseTime;
                continue;
            }
            break;
        }
        // One tick past the deadline is the earliest moment a time-out can be seen.
        d->waitSlice(std::min(kWaitSliceMs, deadline + 1 - clock.elapsed()));
    }
    return result;
}

quint32 TVNComPort::ReadRaw(char *buffer, quint32 capacity)
{
    if (d->portInUse) {
        if (d->showErrors)
            d->tell(QStringLiteral("Port is in use -- operation aborted"));
        return 0;
    }
    if (!d->isOpen() && !Open())
        return 0;
    InUseScope inUse(d->portInUse);
    if (!buffer || capacity == 0)
        return 0;
    d->pullIn();
    const qint64 wanted = std::min<qint64>(d->port->bytesAvailable(), capacity);
    if (wanted == 0)
        return 0;
    const qint64 got = d->port->read(buffer, wanted);
    if (got < 0) {
        d->port->clearError();
        d->tell(QStringLiteral("Raw read error."));
        return 0;
    }
    return quint32(got);
}

bool TVNComPort::Pick()
{
    const bool savedShowErrors = d->showErrors;
    const qint32 savedPort = d->portNumber;
    UserDialogs::PortChoice choice;
    RefusalNotice refused(*this);
    for (qint32 n = kFirstPort; n <= kLastPort; ++n) {
        // Straight to the fields: the setters would re-open, and failed attempts stay silent.
        d->portNumber = n;
        d->showErrors = false;
        if (!Open())
            continue;
        choice.entries << QStringLiteral("COM%1").arg(n);
        choice.toolTips << PortToolTip(DevicePath(n), resolvedDevice(n));
    }
    // No handle to a port other than Port may outlive the scan.
    Close();
    d->showErrors = savedShowErrors;
    d->portNumber = savedPort;
    choice.preselected = int(choice.entries.indexOf(QStringLiteral("COM%1").arg(savedPort)));
    // A refused port is missing from the list; say which and why before the user looks for it.
    refused.tell(d->dialogs);

    if (!d->dialogs)
        return false;
    const std::optional<int> picked = d->dialogs->pickPort(choice);
    if (!picked || *picked < 0 || *picked >= choice.entries.size())
        return false;
    bool ok = false;
    const qint32 number = choice.entries.at(*picked).mid(3).toInt(&ok);
    if (!ok)
        return false;
    d->portNumber = number;
    return true;
}

bool TVNComPort::AllowEvents() const
{
    return d->allowEvents;
}
void TVNComPort::setAllowEvents(bool on)
{
    d->allowEvents = on;
}

qint32 TVNComPort::Baud() const
{
    return d->baudRate;
}
void TVNComPort::setBaud(qint32 baud)
{
    if (baud == d->baudRate)
        return;
    d->baudRate = baud;
    if (Opened())
        Open();
}

QByteArray TVNComPort::EndOfResponse() const
{
    return d->endOfResponse;
}
QByteArray TVNComPort::EndOfResponseRaw() const
{
    return d->endOfResponseRaw;
}
void TVNComPort::setEndOfResponse(const QByteArray &eor)
{
    d->endOfResponse = eor;
    d->endOfResponseRaw = convertEndOfResponse(eor);
}

THandshake TVNComPort::Handshaking() const
{
    return d->handshake;
}
void TVNComPort::setHandshaking(THandshake h)
{
    if (h == d->handshake)
        return;
    d->handshake = h;
    if (Opened())
        Open();
}

TParity TVNComPort::Parity() const
{
    return d->parity;
}
void TVNComPort::setParity(TParity p)
{
    if (p == d->parity)
        return;
    d->parity = p;
    if (Opened())
        Open();
}

quint32 TVNComPort::InCount() const
{
    if (!d->isOpen())
        return 0;
    d->pullIn();
    return d->isOpen() ? quint32(d->port->bytesAvailable()) : 0;
}

bool TVNComPort::State() const
{
    if (!d->isOpen())
        return false;
#ifdef Q_OS_WIN
    DCB dcb;
    dcb.DCBlength = sizeof(dcb);
    return GetCommState(d->port->handle(), &dcb) != 0;
#else
    termios tio;
    return ::tcgetattr(d->port->handle(), &tio) == 0;
#endif
}

bool TVNComPort::InUse() const
{
    return d->portInUse;
}

quint32 TVNComPort::ResponseTime() const
{
    return d->responseTime;
}
void TVNComPort::setResponseTime(quint32 ms)
{
    d->responseTime = ms;
}

bool TVNComPort::Opened() const
{
    return d->isOpen();
}

qint32 TVNComPort::Port() const
{
    return d->portNumber;
}
void TVNComPort::setPort(qint32 port)
{
    if (port == d->portNumber)
        return;
    d->portNumber = port;
    if (Opened())
        Open();
}

bool TVNComPort::ShowErrors() const
{
    return d->showErrors;
}
void TVNComPort::setShowErrors(bool on)
{
    d->showErrors = on;
}

bool TVNComPort::TimedOut() const
{
    return d->timedOut;
}

QByteArray TVNComPort::Version() const
{
    return kVersion;
}
void TVNComPort::setVersion(const QByteArray &) {}

QString TVNComPort::DevicePath(qint32 port)
{
    if (port < kFirstPort)
        return {};
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(port);
#else
    // A folder of comN entries replaces the device table entirely, so that a test or a
    // machine with unusual device names decides exactly which ports exist.
    const QString folder = qEnvironmentVariable("VNH_COMPORTS");
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        return QDir(folder).filePath(QStringLiteral("com%1").arg(port));

    struct Block {
        qint32 first;
        const char *prefix;
    };
    static constexpr Block kTable[] = {{1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
    constexpr qint32 kBlockSize = 32;
    for (const Block &b : kTable) {
        if (port >= b.first && port < b.first + kBlockSize)
            return QLatin1String(b.prefix) + QString::number(port - b.first);
    }
    return {};
#endif
}

} // namespace transport
