#pragma once

#include "tests/support/PtyPeer.h"
#include "transport/TVNComPort.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <ostream>

// QString in gtest messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toStdString() << '"';
}
QT_END_NAMESPACE

namespace linktest {

// The port's waiting reads process events, and QSerialPort wants an application object.
inline QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "link_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

// Every time stamp "hh:mm:ss.zzz" becomes "T", so lines can be compared exactly.
inline QString maskTimes(QString text)
{
    static const QRegularExpression stamp(QStringLiteral("\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d"));
    return text.replace(stamp, QStringLiteral("T"));
}

// The file's lines as written (each must end with CR LF), time stamps masked; a final
// line without CR LF is returned with a "<no CRLF>" suffix so the test sees it.
inline QStringList logLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no file>")};
    const QString all = QString::fromLocal8Bit(f.readAll());
    QStringList lines = all.split(QStringLiteral("\r\n"));
    if (lines.last().isEmpty())
        lines.removeLast();
    else
        lines.last() += QStringLiteral("<no CRLF>");
    for (QString &l : lines)
        l = maskTimes(l);
    return lines;
}

// The peer as COM1 of the folder and the port open on it, framed by CR, without dialogs:
// how every exchange test starts. Callers add their own speed, response time or events.
inline ::testing::AssertionResult openOnPeer(testsupport::ComPortFolder &folder,
                                             testsupport::PtyPeer &peer,
                                             transport::TVNComPort &port)
{
    app();
    if (!peer.isValid())
        return ::testing::AssertionFailure() << "no pseudo-terminal";
    if (!folder.link(1, peer.slavePath()))
        return ::testing::AssertionFailure() << "cannot link com1";
    port.setPort(1);
    port.setEndOfResponse("\r");
    port.setShowErrors(false);
    if (!port.Open())
        return ::testing::AssertionFailure() << "cannot open COM1";
    return ::testing::AssertionSuccess();
}

} // namespace linktest
