// The parts of the serial port that need no device: construction values, the end-of-response
// notation and the COM-number table.
#include "transport/TVNComPort.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

using transport::THandshake;
using transport::TParity;
using transport::TVNComPort;

namespace {

std::string bytes(const QByteArray &b)
{
    return b.toStdString();
}

TEST(ComPortValues, ConstructionValuesAndClosedPort)
{
    TVNComPort port;
    EXPECT_FALSE(port.AllowEvents());
    EXPECT_EQ(port.Baud(), 9600);
    EXPECT_EQ(port.Handshaking(), THandshake::hsNone);
    EXPECT_EQ(port.Parity(), TParity::parNone);
    EXPECT_TRUE(port.EndOfResponse().isEmpty());
    EXPECT_TRUE(port.EndOfResponseRaw().isEmpty());
    EXPECT_FALSE(port.Opened());
    EXPECT_FALSE(port.InUse());
    EXPECT_EQ(port.Port(), 1);
    EXPECT_EQ(port.ResponseTime(), 1000u);
    EXPECT_TRUE(port.ShowErrors());
    EXPECT_FALSE(port.TimedOut());
    EXPECT_EQ(bytes(port.Version()), "2.0.2");
    EXPECT_EQ(port.InCount(), 0u);
    EXPECT_FALSE(port.State());
}

TEST(ComPortValues, VersionIgnoresWrites)
{
    TVNComPort port;
    port.setVersion("9.9.9");
    EXPECT_EQ(bytes(port.Version()), "2.0.2");
}

TEST(ComPortValues, SettersOnClosedPortOnlyStore)
{
    TVNComPort port;
    port.setBaud(115200);
    port.setHandshaking(THandshake::hsAssertAll);
    port.setParity(TParity::parOdd);
    port.setPort(42);
    port.setResponseTime(3000);
    EXPECT_EQ(port.Baud(), 115200);
    EXPECT_EQ(port.Handshaking(), THandshake::hsAssertAll);
    EXPECT_EQ(port.Parity(), TParity::parOdd);
    EXPECT_EQ(port.Port(), 42);
    EXPECT_EQ(port.ResponseTime(), 3000u);
    EXPECT_FALSE(port.Opened());
}

struct EorCase {
    const char *written;
    QByteArray raw;
};

void PrintTo(const EorCase &c, std::ostream *os)
{
    *os << ::testing::PrintToString(std::string(c.written));
}

class EndOfResponseConversion : public ::testing::TestWithParam<EorCase> {};

TEST_P(EndOfResponseConversion, RawForm)
{
    TVNComPort port;
    const QByteArray written(GetParam().written);
    port.setEndOfResponse(written);
    EXPECT_EQ(bytes(port.EndOfResponse()), bytes(written));
    EXPECT_EQ(bytes(port.EndOfResponseRaw()), bytes(GetParam().raw));
}

INSTANTIATE_TEST_SUITE_P(Notation, EndOfResponseConversion,
                         ::testing::Values(EorCase{"\r", "\r"}, EorCase{"", ""},
                                           EorCase{"#13#10", "\r\n"}, EorCase{"#65#66", "AB"},
                                           EorCase{"ab#13", "ab\r"}, EorCase{"#13#", "\r"},
                                           EorCase{"#0", QByteArray(1, '\0')},
                                           EorCase{"#200", "\xC8"}, EorCase{"#255", "\xFF"},
                                           // bad codes leave the text as written
                                           EorCase{"#13x", "#13x"}, EorCase{"##13", "##13"},
                                           EorCase{"#13##10", "#13##10"}, EorCase{"#-1", "#-1"},
                                           EorCase{"#+13", "#+13"}, EorCase{"# 13", "# 13"},
                                           EorCase{"#256", "#256"},
                                           EorCase{"#99999999999", "#99999999999"},
                                           // a lone # leaves nothing to wait for
                                           EorCase{"#", ""}));

TEST(ComPortValues, RewritingEndOfResponseRebuildsRawForm)
{
    TVNComPort port;
    port.setEndOfResponse("#13#10");
    port.setEndOfResponse("#65");
    EXPECT_EQ(bytes(port.EndOfResponseRaw()), "A");
}

#ifndef Q_OS_WIN

// Sets or removes VNH_COMPORTS for one test and puts the old value back.
class ComPortsVariable {
public:
    explicit ComPortsVariable(const QByteArray *value)
        : m_old(qgetenv("VNH_COMPORTS")), m_had(qEnvironmentVariableIsSet("VNH_COMPORTS"))
    {
        if (value)
            qputenv("VNH_COMPORTS", *value);
        else
            qunsetenv("VNH_COMPORTS");
    }
    ~ComPortsVariable()
    {
        if (m_had)
            qputenv("VNH_COMPORTS", m_old);
        else
            qunsetenv("VNH_COMPORTS");
    }

private:
    QByteArray m_old;
    bool m_had;
};

struct PathCase {
    qint32 port;
    const char *path;
};

void PrintTo(const PathCase &c, std::ostream *os)
{
    *os << "COM" << c.port;
}

class DefaultDeviceTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(DefaultDeviceTable, MapsNumberToDevice)
{
    ComPortsVariable unset(nullptr);
    EXPECT_EQ(TVNComPort::DevicePath(GetParam().port).toStdString(), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Linux, DefaultDeviceTable,
    ::testing::Values(PathCase{1, "/dev/ttyS0"}, PathCase{32, "/dev/ttyS31"},
                      PathCase{33, "/dev/ttyUSB0"}, PathCase{64, "/dev/ttyUSB31"},
                      PathCase{65, "/dev/ttyACM0"}, PathCase{96, "/dev/ttyACM31"}, PathCase{97, ""},
                      PathCase{100, ""}, PathCase{101, ""}, PathCase{0, ""}, PathCase{-3, ""}));

TEST(DeviceFolder, EntriesReplaceTheTable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray folder = QFile::encodeName(dir.path());
    ComPortsVariable set(&folder);
    for (qint32 n : {1, 3, 12, 33, 97, 100})
        EXPECT_EQ(TVNComPort::DevicePath(n),
                  QDir(dir.path()).filePath(QStringLiteral("com%1").arg(n)))
            << n;
    EXPECT_TRUE(TVNComPort::DevicePath(0).isEmpty());
}

TEST(DeviceFolder, VariableNamingNoFolderKeepsTheTable)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray missing = QFile::encodeName(dir.filePath(QStringLiteral("absent")));
    ComPortsVariable set(&missing);
    EXPECT_EQ(TVNComPort::DevicePath(2), QStringLiteral("/dev/ttyS1"));
}

#endif

} // namespace
