// The identification reply as it comes off the line: the exchange removes the trailing blanks
// and reads the bytes as local 8-bit text, then the reply is split into its fields.
#include "fuzz/FuzzSupport.h"
#include "link/Discovery.h"
#include "link/ReplyText.h"
#include "model/InstrumentIdentity.h"

#include <QString>

namespace {

using ilink::discovery::IsAcceptedModel;
using ilink::discovery::kMinimumReplyLength;
using ilink::discovery::ParseIdentityReply;
using model::InstrumentIdentity;

bool operator==(const InstrumentIdentity &a, const InstrumentIdentity &b)
{
    return a.CompanyCode == b.CompanyCode && a.ModelNumber == b.ModelNumber &&
           a.SerialNumber == b.SerialNumber && a.FirmwareVersion == b.FirmwareVersion &&
           a.FpgaVersion == b.FpgaVersion;
}

bool endsInBlank(const QString &text)
{
    return !text.isEmpty() && text.back().unicode() <= 32;
}

// What a previous reply may have left: the parse keeps older fields when the serial number
// is unreadable. Two different ones tell whether it was read.
InstrumentIdentity earlierIdentity(int which)
{
    InstrumentIdentity id;
    id.CompanyCode = QStringLiteral("VN");
    id.ModelNumber = QStringLiteral("HRA8");
    id.SerialNumber = which == 0 ? 4711 : -1;
    id.FirmwareVersion = which == 0 ? QStringLiteral("1.2") : QString();
    id.FpgaVersion = which == 0 ? QStringLiteral("3.4") : QStringLiteral("x");
    return id;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString reply =
        QString::fromLocal8Bit(ilink::replytext::StripTrailing(fuzzsupport::bytesOf(data, size)));

    InstrumentIdentity identity = earlierIdentity(0);
    ParseIdentityReply(reply, identity);

    InstrumentIdentity again = earlierIdentity(0);
    ParseIdentityReply(reply, again);
    FUZZ_CHECK(identity == again);

    if (reply.size() < kMinimumReplyLength) {
        FUZZ_CHECK(identity == InstrumentIdentity{});
        return 0;
    }

    // Fields are cut at their separators and lose their trailing blanks.
    FUZZ_CHECK(!identity.CompanyCode.contains(u','));
    FUZZ_CHECK(!identity.ModelNumber.contains(u','));
    FUZZ_CHECK(!endsInBlank(identity.CompanyCode));
    FUZZ_CHECK(!endsInBlank(identity.ModelNumber));
    FUZZ_CHECK(!endsInBlank(identity.FirmwareVersion));
    FUZZ_CHECK(!endsInBlank(identity.FpgaVersion));
    FUZZ_CHECK(!IsAcceptedModel(identity.ModelNumber) || reply.contains(identity.ModelNumber));

    InstrumentIdentity other = earlierIdentity(1);
    ParseIdentityReply(reply, other);
    FUZZ_CHECK(other.CompanyCode == identity.CompanyCode);
    FUZZ_CHECK(other.ModelNumber == identity.ModelNumber);
    if (other.SerialNumber != identity.SerialNumber) {
        // The serial number was unreadable: everything after it is the earlier identity's.
        const InstrumentIdentity earlier = earlierIdentity(0);
        FUZZ_CHECK(identity.FirmwareVersion == earlier.FirmwareVersion);
        FUZZ_CHECK(identity.FpgaVersion == earlier.FpgaVersion);
        return 0;
    }
    // Read in full: nothing of the earlier identity is left.
    FUZZ_CHECK(other == identity);
    FUZZ_CHECK(!identity.FirmwareVersion.contains(u'-'));

    // A parsed identity written back in the instrument's own form reads back the same.
    const QString written = identity.CompanyCode + u',' + identity.ModelNumber + u',' +
                            QString::number(identity.SerialNumber) + u',' +
                            identity.FirmwareVersion + u'-' + identity.FpgaVersion;
    if (written.size() >= kMinimumReplyLength) {
        InstrumentIdentity reread;
        ParseIdentityReply(written, reread);
        FUZZ_CHECK(reread == identity);
    }
    return 0;
}
