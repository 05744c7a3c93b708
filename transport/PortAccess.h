#pragma once

#include <QByteArray>
#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <optional>

namespace transport {

// Why a serial device that is present refused to open, in terms the user can act on.
struct PortRefusal {
    enum class Reason {
        NotInGroup,      // the device's group may use it, and the user is not in that group
        GroupSinceLogin, // the user was put in that group after this login session began
        GroupMayNotUse,  // the device's mode gives its own group no read and write access
        NoPermission,    // refused although the group would do (an access list, a policy)
        InUse,           // another program holds it: a lock file or an exclusive open
    };

    qint32 port = 0;
    QString device; // the device that refused, links resolved
    Reason reason = Reason::NoPermission;
    QString user;         // the login name a remedy is for
    QString group;        // the group that owns the device
    quint32 mode = 0;     // the device's permission bits, e.g. 0660
    qint64 holderPid = 0; // InUse: the live process a lock file names; 0 when none does
    QString holderProgram;
};

// The process that holds a device by its lock file.
struct LockHolder {
    qint64 pid = 0;
    QString program;
};

// Looks at a port whose open just failed with `error`. Nothing when the device is absent, is
// a serial slot with no hardware behind it, or failed for a reason that is not the user's
// (a driver error): only permission and a holder are explained.
std::optional<PortRefusal> ExplainRefusal(qint32 port, const QString &device,
                                          QSerialPort::SerialPortError error);

// One information box text for all refused ports; ports that share a remedy share its text.
QString RefusalMessage(const QList<PortRefusal> &refusals);

// The process id a serial lock file names: the first number of its text (the UUCP form and the
// Qt form both start with it) or, for a four-byte file, the binary form. 0 when there is none.
qint64 LockFilePid(const QByteArray &content);

// Where programs leave serial lock files, most common first.
QStringList DefaultLockFolders();

// The live process whose lock file in one of `folders` claims `device`.
std::optional<LockHolder> FindLockHolder(const QString &device,
                                         const QStringList &folders = DefaultLockFolders());

} // namespace transport
