#pragma once

#include <QString>

namespace transport {

// Where udev lists USB serial adapters under names that survive re-plugging and reboots.
inline constexpr char kSerialByIdFolder[] = "/dev/serial/by-id";

// The stable name of `device` in `folder`, e.g. /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_
// A10K5LDP-if00-port0; empty when no entry there leads to it.
QString SerialByIdPath(const QString &device,
                       const QString &folder = QString::fromLatin1(kSerialByIdFolder));

// The port picker's tool tip for a port: its path, the device it leads to when that differs,
// and on a line of its own the adapter's stable name where there is one.
QString PortToolTip(const QString &path, const QString &device,
                    const QString &byIdFolder = QString::fromLatin1(kSerialByIdFolder));

} // namespace transport
