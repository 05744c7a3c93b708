#include "sim/PtyPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

struct SpeedCode {
    qint32 baud;
    speed_t code;
};

constexpr std::array<SpeedCode, 17> kSpeeds{{
    {1200, B1200},
    {2400, B2400},
    {4800, B4800},
    {9600, B9600},
    {19200, B19200},
    {38400, B38400},
    {57600, B57600},
    {115200, B115200},
    {230400, B230400},
    {460800, B460800},
    {500000, B500000},
    {576000, B576000},
    {921600, B921600},
    {1000000, B1000000},
    {1152000, B1152000},
    {2000000, B2000000},
    {4000000, B4000000},
}};

speed_t speedCode(qint32 baud)
{
    for (const SpeedCode &s : kSpeeds) {
        if (s.baud == baud)
            return s.code;
    }
    return B0;
}

QString errnoText(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyPort::~PtyPort()
{
    close();
}

bool PtyPort::isSupportedBaud(qint32 baud)
{
    return speedCode(baud) != B0;
}

bool PtyPort::open(qint32 baud, QString *error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        *error = errnoText("posix_openpt");
        close();
        return false;
    }
    std::array<char, 128> name{};
    if (::ptsname_r(m_master, name.data(), name.size()) != 0) {
        *error = errnoText("ptsname");
        close();
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(name.data());
    m_slave = ::open(name.data(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        *error = errnoText("open slave");
        close();
        return false;
    }

    // Without raw mode the slave's line discipline would echo our replies back to us and turn
    // CR into LF before the program sees them.
    termios tio{};
    if (::tcgetattr(m_slave, &tio) != 0) {
        *error = errnoText("tcgetattr");
        close();
        return false;
    }
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD;
    tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
    ::cfsetispeed(&tio, speedCode(baud));
    ::cfsetospeed(&tio, speedCode(baud));
    if (::tcsetattr(m_slave, TCSANOW, &tio) != 0) {
        *error = errnoText("tcsetattr");
        close();
        return false;
    }

    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    return true;
}

bool PtyPort::makeLink(const QString &linkPath, QString *error)
{
    const QFileInfo info(linkPath);
    QDir().mkpath(info.absolutePath());
    // A link left behind by a stand-in that was killed is replaced; anything else is kept.
    if (info.isSymLink()) {
        QFile::remove(linkPath);
    } else if (info.exists()) {
        *error = QStringLiteral("%1 exists and is not a symbolic link").arg(linkPath);
        return false;
    }
    if (::symlink(QFile::encodeName(m_slavePath).constData(),
                  QFile::encodeName(linkPath).constData()) != 0) {
        *error = errnoText("symlink");
        return false;
    }
    m_linkPath = linkPath;
    return true;
}

void PtyPort::close()
{
    if (!m_linkPath.isEmpty()) {
        if (QFileInfo(m_linkPath).symLinkTarget() == m_slavePath)
            QFile::remove(m_linkPath);
        m_linkPath.clear();
    }
    if (m_master >= 0)
        ::close(m_master);
    if (m_slave >= 0)
        ::close(m_slave);
    m_master = -1;
    m_slave = -1;
}

LineSettings PtyPort::lineSettings() const
{
    LineSettings s;
    if (m_slave >= 0)
        readLineSettings(m_slave, &s);
    return s;
}

int PtyPort::unreadBySlave() const
{
    int pending = 0;
    if (m_slave < 0 || ::ioctl(m_slave, FIONREAD, &pending) != 0)
        return 0;
    return pending;
}

qint64 PtyPort::write(const QByteArray &bytes)
{
    if (m_master < 0)
        return -1;
    const ssize_t n = ::write(m_master, bytes.constData(), static_cast<size_t>(bytes.size()));
    return n < 0 ? -1 : n;
}

} // namespace sim
