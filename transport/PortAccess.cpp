#include "transport/PortAccess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <cstring>
#include <tuple>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace transport {

namespace {

using Reason = PortRefusal::Reason;

// A lock file is a few dozen bytes; anything past this is not one.
constexpr qint64 kLockFileReadLimit = 256;

QString octalMode(quint32 mode)
{
    return QStringLiteral("%1").arg(mode, 4, 8, QLatin1Char('0'));
}

QString portList(const QList<PortRefusal> &ports)
{
    QStringList names;
    for (const PortRefusal &r : ports)
        names << QStringLiteral("COM%1 (%2)").arg(r.port).arg(r.device);
    return names.join(QStringLiteral(", "));
}

QString remedy(const QList<PortRefusal> &ports)
{
    const PortRefusal &r = ports.first();
    const bool one = ports.size() == 1;
    const QString belongs =
        one ? QStringLiteral("the device belongs") : QStringLiteral("the devices belong");
    const QString theDevice = one ? QStringLiteral("the device") : QStringLiteral("the devices");
    switch (r.reason) {
    case Reason::NotInGroup:
        return QStringLiteral("Permission denied: %1 to the group \"%2\", and you (%3) are not a "
                              "member of it. Ask your administrator to add you to that group, "
                              "for example with\n    sudo usermod -aG %2 %3\nthen log out and "
                              "log in again.")
            .arg(belongs, r.group, r.user);
    case Reason::GroupSinceLogin:
        return QStringLiteral("Permission denied: you (%1) were added to the group \"%2\", which "
                              "owns %3, after you logged in. Log out and log in again.")
            .arg(r.user, r.group, theDevice);
    case Reason::GroupMayNotUse:
        return QStringLiteral("Permission denied: %1 to the group \"%2\", but %3 mode (%4) does "
                              "not give that group read and write access. Ask your administrator "
                              "for read and write access to %5.")
            .arg(belongs, r.group, one ? QStringLiteral("its") : QStringLiteral("their"),
                 octalMode(r.mode), theDevice);
    case Reason::NoPermission:
        return QStringLiteral("Permission denied, although you (%1) are in the group \"%2\" that "
                              "owns %3. Ask your administrator for read and write access to %3.")
            .arg(r.user, r.group, theDevice);
    case Reason::InUse:
        if (r.holderPid > 0)
            return QStringLiteral("In use by another program: %1 (process %2). Close that "
                                  "program, then try again.")
                .arg(r.holderProgram)
                .arg(r.holderPid);
        return QStringLiteral("In use by another program. Close that program, then try again.");
    }
    return {};
}

#ifndef Q_OS_WIN

QString userName()
{
    if (const passwd *pw = ::getpwuid(::geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    const QString fromEnvironment = qEnvironmentVariable("USER");
    return fromEnvironment.isEmpty() ? QString::number(::geteuid()) : fromEnvironment;
}

QString groupName(gid_t gid)
{
    if (const group *gr = ::getgrgid(gid))
        return QString::fromLocal8Bit(gr->gr_name);
    return QString::number(gid);
}

// The groups this process runs with: those of the login session it was started from.
bool sessionHasGroup(gid_t gid)
{
    if (::getegid() == gid)
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    QList<gid_t> groups(count);
    const int got = ::getgroups(count, groups.data());
    return got > 0 && groups.first(got).contains(gid);
}

// The groups the user database lists the user in now, which a new login would get.
bool listedInGroup(gid_t gid)
{
    const passwd *pw = ::getpwuid(::geteuid());
    if (!pw)
        return false;
    const QByteArray name(pw->pw_name);
    const gid_t primary = pw->pw_gid;
    int count = 64;
    QList<gid_t> groups(count);
    if (::getgrouplist(name.constData(), primary, groups.data(), &count) < 0) {
        groups.resize(count);
        if (::getgrouplist(name.constData(), primary, groups.data(), &count) < 0)
            return false;
    }
    return groups.first(count).contains(gid);
}

// The kernel keeps a ttyS device for every legacy serial slot, whether or not a UART sits
// behind it; such a slot cannot be opened by anyone, so it is no port the user was kept from.
bool isEmptySerialSlot(const QString &device)
{
    const QString name = QFileInfo(device).fileName();
    if (!name.startsWith(QLatin1String("ttyS")))
        return false;
    QFile type(QStringLiteral("/sys/class/tty/%1/type").arg(name));
    if (!type.open(QIODevice::ReadOnly))
        return false;
    return type.readAll().trimmed() == "0";
}

bool processAlive(qint64 pid)
{
    // EPERM: the process is there but belongs to someone else.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

QString programOf(qint64 pid, const QByteArray &lockContent)
{
    QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QByteArray argv0 = cmdline.read(4096).split('\0').value(0);
        if (!argv0.isEmpty())
            return QFileInfo(QString::fromLocal8Bit(argv0)).fileName();
    }
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    if (comm.open(QIODevice::ReadOnly)) {
        const QByteArray name = comm.readAll().trimmed();
        if (!name.isEmpty())
            return QString::fromLocal8Bit(name);
    }
    // Qt's lock files carry the program's name on their second line.
    return QString::fromLocal8Bit(lockContent.split('\n').value(1).trimmed());
}

#endif

} // namespace

qint64 LockFilePid(const QByteArray &content)
{
    if (content.size() == 4) {
        bool text = true;
        for (char c : content)
            text = text && ((c >= '0' && c <= '9') || c == ' ' || c == '\n');
        if (!text) {
            qint32 pid = 0;
            memcpy(&pid, content.constData(), sizeof pid);
            return pid > 0 ? pid : 0;
        }
    }
    const qsizetype end = content.indexOf('\n');
    const QByteArray firstLine = (end < 0 ? content : content.left(end)).trimmed();
    qsizetype digits = 0;
    while (digits < firstLine.size() && firstLine.at(digits) >= '0' && firstLine.at(digits) <= '9')
        ++digits;
    bool ok = false;
    const qint64 pid = firstLine.left(digits).toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

QStringList DefaultLockFolders()
{
    QStringList folders{QStringLiteral("/var/lock"),        QStringLiteral("/run/lock"),
                        QStringLiteral("/var/spool/locks"), QStringLiteral("/var/spool/uucp"),
                        QStringLiteral("/etc/locks"),       QStringLiteral("/tmp"),
                        QStringLiteral("/var/tmp")};
    if (!folders.contains(QDir::tempPath()))
        folders << QDir::tempPath();
    return folders;
}

std::optional<LockHolder> FindLockHolder(const QString &device, const QStringList &folders)
{
#ifdef Q_OS_WIN
    Q_UNUSED(device);
    Q_UNUSED(folders);
    return std::nullopt;
#else
    // Most programs name the lock after the device's file name; Qt's serial port names it after
    // the path below /dev with its slashes turned into underscores (LCK..pts_3).
    QString belowDev = device;
    if (belowDev.startsWith(QLatin1String("/dev/")))
        belowDev = belowDev.mid(5);
    belowDev.replace(QLatin1Char('/'), QLatin1Char('_'));
    QStringList names{QStringLiteral("LCK..") + belowDev};
    const QString plain = QStringLiteral("LCK..") + QFileInfo(device).fileName();
    if (!names.contains(plain))
        names << plain;

    for (const QString &folder : folders) {
        for (const QString &name : names) {
            QFile lock(QDir(folder).filePath(name));
            if (!lock.open(QIODevice::ReadOnly))
                continue;
            const QByteArray content = lock.read(kLockFileReadLimit);
            const qint64 pid = LockFilePid(content);
            if (processAlive(pid))
                return LockHolder{pid, programOf(pid, content)};
        }
    }
    return std::nullopt;
#endif
}

std::optional<PortRefusal> ExplainRefusal(qint32 port, const QString &device,
                                          QSerialPort::SerialPortError error)
{
#ifdef Q_OS_WIN
    Q_UNUSED(port);
    Q_UNUSED(device);
    Q_UNUSED(error);
    return std::nullopt;
#else
    // The serial library reports a denied open, a busy device and a taken lock file alike as
    // a permission error; every other error is the device's or the driver's.
    if (error != QSerialPort::PermissionError || device.isEmpty())
        return std::nullopt;
    const QByteArray path = QFile::encodeName(device);
    struct stat st {};
    if (::stat(path.constData(), &st) != 0)
        return std::nullopt;

    PortRefusal r;
    r.port = port;
    r.device = device;
    r.user = userName();
    r.group = groupName(st.st_gid);
    r.mode = st.st_mode & 07777;

    if (::faccessat(AT_FDCWD, path.constData(), R_OK | W_OK, AT_EACCESS) != 0) {
        if (errno != EACCES || isEmptySerialSlot(device))
            return std::nullopt;
        const bool groupMayUse = (st.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
        if (!groupMayUse)
            r.reason = Reason::GroupMayNotUse;
        else if (sessionHasGroup(st.st_gid))
            r.reason = Reason::NoPermission;
        else if (listedInGroup(st.st_gid))
            r.reason = Reason::GroupSinceLogin;
        else
            r.reason = Reason::NotInGroup;
        return r;
    }

    // Allowed, yet refused: someone else has it. A lock file may say who; an exclusive open
    // without one says nothing.
    r.reason = Reason::InUse;
    if (const std::optional<LockHolder> holder = FindLockHolder(device)) {
        r.holderPid = holder->pid;
        r.holderProgram = holder->program;
    }
    return r;
#endif
}

QString RefusalMessage(const QList<PortRefusal> &refusals)
{
    if (refusals.isEmpty())
        return {};
    // Ports that share a remedy are named together, in the order they were first met.
    using Key = std::tuple<int, QString, quint32, qint64>;
    QList<Key> order;
    QMap<Key, QList<PortRefusal>> byRemedy;
    for (const PortRefusal &r : refusals) {
        const bool held = r.reason == Reason::InUse;
        const Key key{int(r.reason), held ? QString() : r.group,
                      r.reason == Reason::GroupMayNotUse ? r.mode : 0u, held ? r.holderPid : 0};
        if (!byRemedy.contains(key))
            order << key;
        byRemedy[key] << r;
    }
    QStringList parts{QStringLiteral("Serial ports that are present but could not be opened:")};
    for (const Key &key : order) {
        const QList<PortRefusal> &ports = byRemedy[key];
        parts << portList(ports) + QLatin1Char('\n') + remedy(ports);
    }
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace transport
