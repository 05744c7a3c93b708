#include "transport/PortToolTip.h"

#include <QDir>
#include <QFileInfo>

namespace transport {

QString SerialByIdPath(const QString &device, const QString &folder)
{
    if (device.isEmpty())
        return {};
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QDir dir(folder);
    // Sorted, so that an adapter listed twice (it happens with some multi-port chips) always
    // shows the same name.
    for (const QFileInfo &entry : dir.entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        if (entry.canonicalFilePath() == target)
            return entry.absoluteFilePath();
    }
    return {};
}

QString PortToolTip(const QString &path, const QString &device, const QString &byIdFolder)
{
    QString tip =
        device.isEmpty() || device == path ? path : QStringLiteral("%1 -> %2").arg(path, device);
    const QString stable = SerialByIdPath(device.isEmpty() ? path : device, byIdFolder);
    if (!stable.isEmpty())
        tip += QLatin1Char('\n') + stable;
    return tip;
}

} // namespace transport
