// Identification and the discovery scan, against scripted instruments on pseudo-terminals.
#include "LinkTestSupport.h"

#include "link/Communication.h"
#include "link/Discovery.h"
#include "tests/support/PtyPeer.h"
#include "transport/TVNComPort.h"

#include <gtest/gtest.h>

#include <termios.h>

using model::InstrumentIdentity;
using testsupport::PtyPeer;

namespace {

void PrintIdentity(const InstrumentIdentity &id, std::ostream *os)
{
    *os << "{" << id.CompanyCode.toStdString() << "|" << id.ModelNumber.toStdString() << "|"
        << id.SerialNumber << "|" << id.FirmwareVersion.toStdString() << "|"
        << id.FpgaVersion.toStdString() << "}";
}

::testing::AssertionResult SameIdentity(const InstrumentIdentity &actual,
                                        const InstrumentIdentity &expected)
{
    if (actual.CompanyCode == expected.CompanyCode && actual.ModelNumber == expected.ModelNumber &&
        actual.SerialNumber == expected.SerialNumber &&
        actual.FirmwareVersion == expected.FirmwareVersion &&
        actual.FpgaVersion == expected.FpgaVersion)
        return ::testing::AssertionSuccess();
    std::ostringstream os;
    os << "actual ";
    PrintIdentity(actual, &os);
    os << " expected ";
    PrintIdentity(expected, &os);
    return ::testing::AssertionFailure() << os.str();
}

InstrumentIdentity identity(const char *company, const char *model, qint32 serial,
                            const char *firmware, const char *fpga)
{
    return {QString::fromLatin1(company), QString::fromLatin1(model), QString::fromLatin1(firmware),
            QString::fromLatin1(fpga), serial};
}

const InstrumentIdentity kPrevious = identity("DRK", "HLA8", 4242, "9.9.9", "8.8.8");

struct IdnCase {
    const char *name;
    const char *reply; // before CR LF
    InstrumentIdentity expected;
};

void PrintTo(const IdnCase &c, std::ostream *os)
{
    *os << c.name;
}

class ParseIdnTest : public ::testing::TestWithParam<IdnCase> {
protected:
    void SetUp() override { ASSERT_TRUE(linktest::openOnPeer(folder, peer, port)); }

    testsupport::ComPortFolder folder;
    PtyPeer peer;
    transport::TVNComPort port;
    ilink::Communication comm{port};
};

TEST_P(ParseIdnTest, FieldsFromTheReply)
{
    peer.onLine("*IDN?", PtyPeer::text(QByteArray(GetParam().reply) + "\r\n"));
    InstrumentIdentity id = kPrevious;
    ilink::ParseIDN(comm, id);
    EXPECT_EQ(peer.received(), QByteArray("*IDN?\r\n"));
    EXPECT_TRUE(SameIdentity(id, GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ParseIdnTest,
    ::testing::Values(
        IdnCase{"TwentyTwoChars", "VN,HRA4,77,1.0.0-1.2.3",
                identity("VN", "HRA4", 77, "1.0.0", "1.2.3")},
        IdnCase{"FourPartFpga", "VN,HRB8,12345,1.2.3-2.0.1.7",
                identity("VN", "HRB8", 12345, "1.2.3", "2.0.1.7")},
        IdnCase{"TenCharsClears", "VN,HRA4,77", identity("", "", 0, "", "")},
        IdnCase{"NothingClears", "", identity("", "", 0, "", "")},
        IdnCase{"ElevenCharsParsed", "VN,HRA4,77,", identity("VN", "HRA4", 77, "", "")},
        IdnCase{"LettersInSerialKeepOlderValues", "VN,HRA2,ABC,1.0.0-1.2.3",
                identity("VN", "HRA2", 4242, "9.9.9", "8.8.8")},
        IdnCase{"SerialTooBigKeepsOlderValues", "VN,HRA2,2147483648,1.0.0-1.2.3",
                identity("VN", "HRA2", 4242, "9.9.9", "8.8.8")},
        IdnCase{"LeadingBlankStaysInModel", "VN, HRA4,77,1.0.0-1.2.3",
                identity("VN", " HRA4", 77, "1.0.0", "1.2.3")},
        IdnCase{"TrailingBlanksLeaveEachField", "VN ,HRA4 ,77 ,1.0.0 -1.2.3",
                identity("VN", "HRA4", 77, "1.0.0", "1.2.3")},
        IdnCase{"NoDashMeansAllFpga", "VN,HLA2,5,1.2.3.4",
                identity("VN", "HLA2", 5, "", "1.2.3.4")},
        IdnCase{"OnlyTheFirstDashSplits", "VN,VDX-4,6,1.0-2.0-3",
                identity("VN", "VDX-4", 6, "1.0", "2.0-3")},
        IdnCase{"NoCommaAtAll", "HELLOTHEREWORLD", identity("", "", 4242, "9.9.9", "8.8.8")}));

TEST(AcceptedModels, ExactCaseSensitiveList)
{
    for (const char *model : {"HRA2", "HRA4", "HRA8", "HRB4", "HRB8", "HLA2", "HLA4", "HLA8",
                              "VDX-2", "VDX-4", "VDX-8"})
        EXPECT_TRUE(ilink::discovery::IsAcceptedModel(QString::fromLatin1(model))) << model;
    for (const char *model : {"", "hra4", " HRA4", "HRA4 ", "HRB2", "VDX2", "HLA16"})
        EXPECT_FALSE(ilink::discovery::IsAcceptedModel(QString::fromLatin1(model))) << model;
}

// --- the scan ------------------------------------------------------------------------------

speed_t lineSpeed(const PtyPeer &peer)
{
    termios tio{};
    return peer.slaveSettings(&tio) ? ::cfgetospeed(&tio) : B0;
}

class FindInstrumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        linktest::app();
        ASSERT_TRUE(silent.isValid());
        ASSERT_TRUE(instrument.isValid());
        ASSERT_TRUE(folder.link(2, silent.slavePath()));
        ASSERT_TRUE(folder.link(5, instrument.slavePath()));
        // As start-up leaves it before the scan: errors would be shown, events not processed.
        port.setShowErrors(true);
        port.setResponseTime(3000);
    }

    // The instrument answers `reply` at `speed` only; at any other speed it hears noise.
    void answerAt(speed_t speed, const QByteArray &reply)
    {
        instrument.setResponder([this, speed, reply](const QByteArray &) {
            return lineSpeed(instrument) == speed ? PtyPeer::text(reply + "\r\n")
                                                  : PtyPeer::silence();
        });
    }

    qsizetype idnLines(const PtyPeer &peer) const { return peer.lines().count("*IDN?"); }

    testsupport::ComPortFolder folder;
    PtyPeer silent;
    PtyPeer instrument;
    transport::TVNComPort port;
    ilink::Communication comm{port};
    InstrumentIdentity id;
    int cleared = 0;
};

TEST_F(FindInstrumentTest, FoundAt9600AfterASilentPort)
{
    answerAt(B9600, "VN,HRA4,77,1.0.0-1.2.3");
    EXPECT_TRUE(ilink::FindInstrument(port, comm, id, [this] { ++cleared; }));
    EXPECT_TRUE(SameIdentity(id, identity("VN", "HRA4", 77, "1.0.0", "1.2.3")));
    EXPECT_EQ(cleared, 1);
    EXPECT_TRUE(port.Opened());
    EXPECT_EQ(port.Port(), 5);
    EXPECT_EQ(port.Baud(), 9600);
    EXPECT_EQ(port.ResponseTime(), ilink::discovery::kResponseTimeMs);
    EXPECT_EQ(port.EndOfResponse(), QByteArray("\r"));
    EXPECT_FALSE(port.ShowErrors());
    EXPECT_FALSE(port.AllowEvents());
    // Two identifications at each of the six speeds on the silent port; on the instrument's
    // port two at each of the four faster speeds, then the two that found it.
    EXPECT_EQ(idnLines(silent), 12);
    EXPECT_EQ(idnLines(instrument), 10);
    EXPECT_EQ(instrument.lines().size(), 10) << "only identification queries go out";
}

TEST_F(FindInstrumentTest, ModelsNotInTheListAreNotAccepted)
{
    for (const char *reply : {"VN, HRA4,77,1.0.0-1.2.3", "VN,HRZ9,77,1.0.0-1.2.3"}) {
        SCOPED_TRACE(reply);
        answerAt(B115200, reply);
        instrument.clearReceived();
        EXPECT_FALSE(ilink::FindInstrument(port, comm, id, [this] { ++cleared; }));
        EXPECT_EQ(cleared, 0);
        EXPECT_FALSE(port.Opened());
        EXPECT_EQ(port.Port(), 100);
        EXPECT_EQ(port.Baud(), 4800);
        EXPECT_EQ(idnLines(instrument), 12) << "every speed is tried on the answering port";
    }
}

} // namespace
