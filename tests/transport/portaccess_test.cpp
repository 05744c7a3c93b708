// Serial ports that are present but refuse to open: what a lock file says, the texts that tell
// the user which port and why, and the stable by-id names of USB adapters.
#include "transport/PortAccess.h"
#include "transport/PortToolTip.h"

#include "tests/support/QtPrinters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using transport::FindLockHolder;
using transport::LockFilePid;
using transport::PortRefusal;
using transport::RefusalMessage;
using Reason = PortRefusal::Reason;

namespace {

void ensureApp()
{
    static int argc = 1;
    static char name[] = "transport_portaccess";
    static char *argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

QByteArray binaryPid(qint32 pid)
{
    return QByteArray(reinterpret_cast<const char *>(&pid), sizeof pid);
}

struct LockCase {
    const char *name;
    QByteArray content;
    qint64 pid;
};

void PrintTo(const LockCase &c, std::ostream *os)
{
    *os << c.name;
}

class LockFileContent : public ::testing::TestWithParam<LockCase> {};

TEST_P(LockFileContent, NamesTheProcess)
{
    EXPECT_EQ(LockFilePid(GetParam().content), GetParam().pid);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, LockFileContent,
    ::testing::Values(LockCase{"QtLockFile",
                               "12080\npicocom\nbench-pc\n3d1219c7c4c5404aaa1f6d2a48adfda4\n",
                               12080},
                      LockCase{"UucpAsciiPadded", "      4242\n", 4242},
                      LockCase{"UucpWithNameAndUser", "   4242 minicom alice\n", 4242},
                      LockCase{"BinaryPid", binaryPid(31337), 31337},
                      LockCase{"FourDigitText", "4242", 4242}, LockCase{"Empty", "", 0},
                      LockCase{"NoNumber", "locked by hand\n", 0}, LockCase{"Zero", "0\n", 0},
                      LockCase{"Negative", "-5\n", 0}));

class LockHolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        ASSERT_TRUE(folder.isValid());
    }
    void writeLock(const QString &name, const QByteArray &content)
    {
        QFile f(folder.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir folder;
};

TEST_F(LockHolderTest, QtStyleNameBelowDevNamesTheLiveProgram)
{
    const qint64 self = QCoreApplication::applicationPid();
    writeLock(QStringLiteral("LCK..pts_7"), QByteArray::number(self) + "\nsomething\nhost\n");
    const auto holder = FindLockHolder(QStringLiteral("/dev/pts/7"), {folder.path()});
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, self);
    // The name the process was started by, not what the lock file claims.
    EXPECT_EQ(holder->program, QStringLiteral("transport_portaccess"));
}

TEST_F(LockHolderTest, PlainDeviceNameAsMostProgramsWriteIt)
{
    const qint64 self = QCoreApplication::applicationPid();
    writeLock(QStringLiteral("LCK..ttyUSB0"), QByteArray::number(self).rightJustified(10) + "\n");
    const auto holder = FindLockHolder(QStringLiteral("/dev/ttyUSB0"), {folder.path()});
    ASSERT_TRUE(holder.has_value());
    EXPECT_EQ(holder->pid, self);
}

TEST_F(LockHolderTest, LockOfAnEndedProcessOrAnotherDeviceNamesNobody)
{
    // A process that has ended: its pid names nobody (the system does not hand it out again
    // this soon).
    QProcess ended;
    ended.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
    ASSERT_TRUE(ended.waitForFinished(5000));
    const qint64 stale = ended.readAllStandardOutput().trimmed().toLongLong();
    ASSERT_GT(stale, 0);
    writeLock(QStringLiteral("LCK..ttyUSB1"), QByteArray::number(stale) + "\n");
    EXPECT_FALSE(FindLockHolder(QStringLiteral("/dev/ttyUSB1"), {folder.path()}).has_value());

    writeLock(QStringLiteral("LCK..ttyUSB2"),
              QByteArray::number(QCoreApplication::applicationPid()) + "\n");
    EXPECT_FALSE(FindLockHolder(QStringLiteral("/dev/ttyUSB3"), {folder.path()}).has_value());
}

PortRefusal refusal(qint32 port, const char *device, Reason reason)
{
    PortRefusal r;
    r.port = port;
    r.device = QString::fromLatin1(device);
    r.reason = reason;
    r.user = QStringLiteral("alice");
    r.group = QStringLiteral("dialout");
    r.mode = 0660;
    return r;
}

const QString kHeading =
    QStringLiteral("Serial ports that are present but could not be opened:\n\n");

struct MessageCase {
    const char *name;
    QList<PortRefusal> refusals;
    QString text;
};

void PrintTo(const MessageCase &c, std::ostream *os)
{
    *os << c.name;
}

class RefusalText : public ::testing::TestWithParam<MessageCase> {};

TEST_P(RefusalText, NamesEachPortWithItsDeviceAndTheRemedy)
{
    EXPECT_EQ(RefusalMessage(GetParam().refusals), GetParam().text);
}

QList<MessageCase> messageCases()
{
    PortRefusal ttyGroup = refusal(4, "/dev/pts/5", Reason::GroupMayNotUse);
    ttyGroup.group = QStringLiteral("tty");
    ttyGroup.mode = 0620;
    PortRefusal minicom = refusal(34, "/dev/ttyUSB1", Reason::InUse);
    minicom.holderPid = 4242;
    minicom.holderProgram = QStringLiteral("minicom");
    PortRefusal other = refusal(35, "/dev/ttyUSB2", Reason::InUse);
    other.holderPid = 5151;
    other.holderProgram = QStringLiteral("picocom");
    const PortRefusal unnamed = refusal(65, "/dev/ttyACM0", Reason::InUse);
    const QString notMember = QStringLiteral(
        "Permission denied: the device belongs to the group \"dialout\", and you (alice) are not "
        "a member of it. Ask your administrator to add you to that group, for example with\n"
        "    sudo usermod -aG dialout alice\nthen log out and log in again.");
    return {
        {"NotInGroup",
         {refusal(33, "/dev/ttyUSB0", Reason::NotInGroup)},
         kHeading + QStringLiteral("COM33 (/dev/ttyUSB0)\n") + notMember},
        {"GroupSinceLogin",
         {refusal(33, "/dev/ttyUSB0", Reason::GroupSinceLogin)},
         kHeading + QStringLiteral("COM33 (/dev/ttyUSB0)\nPermission denied: you (alice) were "
                                   "added to the group \"dialout\", which owns the device, after "
                                   "you logged in. Log out and log in again.")},
        {"GroupMayNotUse",
         {ttyGroup},
         kHeading + QStringLiteral("COM4 (/dev/pts/5)\nPermission denied: the device belongs to "
                                   "the group \"tty\", but its mode (0620) does not give that "
                                   "group read and write access. Ask your administrator for read "
                                   "and write access to the device.")},
        {"NoPermissionDespiteGroup",
         {refusal(1, "/dev/ttyS0", Reason::NoPermission)},
         kHeading + QStringLiteral("COM1 (/dev/ttyS0)\nPermission denied, although you (alice) "
                                   "are in the group \"dialout\" that owns the device. Ask your "
                                   "administrator for read and write access to the device.")},
        {"HeldByANamedProgram",
         {minicom},
         kHeading + QStringLiteral("COM34 (/dev/ttyUSB1)\nIn use by another program: minicom "
                                   "(process 4242). Close that program, then try again.")},
        {"HeldWithoutLockFile",
         {unnamed},
         kHeading + QStringLiteral("COM65 (/dev/ttyACM0)\nIn use by another program. Close that "
                                   "program, then try again.")},
        {"SameRemedySharedInFirstMetOrder",
         {refusal(33, "/dev/ttyUSB0", Reason::NotInGroup), minicom,
          refusal(65, "/dev/ttyACM0", Reason::NotInGroup), other},
         kHeading +
             QStringLiteral("COM33 (/dev/ttyUSB0), COM65 (/dev/ttyACM0)\nPermission denied: the "
                            "devices belong to the group \"dialout\", and you (alice) are not a "
                            "member of it. Ask your administrator to add you to that group, for "
                            "example with\n    sudo usermod -aG dialout alice\nthen log out and "
                            "log in again.\n\n"
                            "COM34 (/dev/ttyUSB1)\nIn use by another program: minicom (process "
                            "4242). Close that program, then try again.\n\n"
                            "COM35 (/dev/ttyUSB2)\nIn use by another program: picocom (process "
                            "5151). Close that program, then try again.")},
        {"Nothing", {}, QString()},
    };
}

INSTANTIATE_TEST_SUITE_P(Remedies, RefusalText, ::testing::ValuesIn(messageCases()));

TEST(RefusalExplained, OnlyPermissionErrorsOfPresentDevicesAreExplained)
{
    ensureApp();
    QTemporaryDir dir;
    const QString present = dir.filePath(QStringLiteral("device"));
    QFile f(present);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    using transport::ExplainRefusal;
    EXPECT_FALSE(ExplainRefusal(3, present, QSerialPort::DeviceNotFoundError));
    EXPECT_FALSE(ExplainRefusal(3, present, QSerialPort::OpenError));
    EXPECT_FALSE(ExplainRefusal(3, present, QSerialPort::NoError));
    EXPECT_FALSE(
        ExplainRefusal(3, dir.filePath(QStringLiteral("absent")), QSerialPort::PermissionError));
    EXPECT_FALSE(ExplainRefusal(3, QString(), QSerialPort::PermissionError));
    // Present, readable and writable, yet refused: someone holds it.
    const auto held = ExplainRefusal(3, present, QSerialPort::PermissionError);
    ASSERT_TRUE(held.has_value());
    EXPECT_EQ(held->reason, Reason::InUse);
    EXPECT_EQ(held->port, 3);
    EXPECT_EQ(held->device, present);
}

// /dev/serial/by-id as udev makes it: links to the adapters' devices.
class ByIdFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath(QStringLiteral("dev/serial/by-id"));
        byId = root.filePath(QStringLiteral("dev/serial/by-id"));
        for (const char *name : {"ttyUSB0", "ttyUSB1", "ttyS0"}) {
            QFile f(root.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(
            QFile::link(QStringLiteral("../../../ttyUSB0"),
                        byId + QStringLiteral("/usb-FTDI_FT232R_USB_UART_A10K5LDP-if00-port0")));
        ASSERT_TRUE(QFile::link(root.filePath(QStringLiteral("ttyUSB1")),
                                byId + QStringLiteral("/usb-Prolific_PL2303-if00-port0")));
    }
    QString dev(const char *name) const { return root.filePath(QString::fromLatin1(name)); }
    QTemporaryDir root;
    QString byId;
};

TEST_F(ByIdFolder, ToolTipShowsPathDeviceAndStableName)
{
    const QString ftdi = byId + QStringLiteral("/usb-FTDI_FT232R_USB_UART_A10K5LDP-if00-port0");
    EXPECT_EQ(transport::SerialByIdPath(dev("ttyUSB0"), byId), ftdi);
    EXPECT_EQ(transport::PortToolTip(dev("ttyUSB0"), dev("ttyUSB0"), byId),
              dev("ttyUSB0") + QLatin1Char('\n') + ftdi);

    // A COM folder entry that links to the adapter: path, device, then the stable name.
    const QString link = root.filePath(QStringLiteral("com34"));
    ASSERT_TRUE(QFile::link(dev("ttyUSB1"), link));
    EXPECT_EQ(transport::PortToolTip(link, dev("ttyUSB1"), byId),
              link + QStringLiteral(" -> ") + dev("ttyUSB1") + QLatin1Char('\n') + byId +
                  QStringLiteral("/usb-Prolific_PL2303-if00-port0"));

    // No adapter behind it, or no by-id folder at all: the tool tip is as before.
    EXPECT_EQ(transport::PortToolTip(dev("ttyS0"), dev("ttyS0"), byId), dev("ttyS0"));
    EXPECT_EQ(transport::PortToolTip(dev("ttyUSB0"), dev("ttyUSB0"),
                                     root.filePath(QStringLiteral("missing"))),
              dev("ttyUSB0"));
}

} // namespace
