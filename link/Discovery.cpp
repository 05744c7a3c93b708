#include "link/Discovery.h"

#include "link/Communication.h"
#include "link/ReplyText.h"
#include "transport/TVNComPort.h"

#include <QStringList>

namespace ilink {

namespace discovery {

namespace {

QString stripTrailing(const QString &text)
{
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1).unicode() <= 32)
        --n;
    return text.left(n);
}

// Takes the field before the first `separator` and leaves `rest` after it. Without the
// separator the field is empty and `rest` stays whole.
QString takeField(QString &rest, QChar separator)
{
    const qsizetype at = rest.indexOf(separator);
    if (at < 0)
        return {};
    const QString field = rest.left(at);
    rest = rest.mid(at + 1);
    return stripTrailing(field);
}

} // namespace

bool IsAcceptedModel(const QString &modelNumber)
{
    static const QStringList accepted = {
        QStringLiteral("HRA2"),  QStringLiteral("HRA4"),  QStringLiteral("HRA8"),
        QStringLiteral("HRB4"),  QStringLiteral("HRB8"),  QStringLiteral("HLA2"),
        QStringLiteral("HLA4"),  QStringLiteral("HLA8"),  QStringLiteral("VDX-2"),
        QStringLiteral("VDX-4"), QStringLiteral("VDX-8"),
    };
    return accepted.contains(modelNumber, Qt::CaseSensitive);
}

void ParseIdentityReply(const QString &reply, model::InstrumentIdentity &identity)
{
    if (reply.size() < kMinimumReplyLength) {
        identity = model::InstrumentIdentity{};
        return;
    }
    QString rest = reply;
    identity.CompanyCode = takeField(rest, u',');
    identity.ModelNumber = takeField(rest, u',');
    // An unreadable serial number ends the parse: the older serial and versions stay, as the
    // instrument's own reply gave nothing better to put there.
    const auto serial = replytext::ToInt32(replytext::Trim(takeField(rest, u',').toLocal8Bit()));
    if (!serial)
        return;
    identity.SerialNumber = *serial;
    const qsizetype dash = rest.indexOf(u'-');
    if (dash < 0) {
        identity.FirmwareVersion.clear();
        identity.FpgaVersion = stripTrailing(rest);
    } else {
        identity.FirmwareVersion = stripTrailing(rest.left(dash));
        identity.FpgaVersion = stripTrailing(rest.mid(dash + 1));
    }
}

} // namespace discovery

void ParseIDN(Communication &comm, model::InstrumentIdentity &identity)
{
    discovery::ParseIdentityReply(comm.QueryPort(QStringLiteral("*IDN")), identity);
}

bool FindInstrument(transport::TVNComPort &port, Communication &comm,
                    model::InstrumentIdentity &identity, const std::function<void()> &clearTerminal)
{
    port.setEndOfResponse(QByteArray("\r"));
    port.setAllowEvents(false);
    port.setShowErrors(false);
    port.setResponseTime(discovery::kResponseTimeMs);
    for (int number = discovery::kFirstPort; number <= discovery::kLastPort; ++number) {
        port.setPort(number);
        if (port.Open()) {
            for (const qint32 speed : discovery::kSpeeds) {
                port.setBaud(speed);
                // Asked twice, and only the second reply counts: the first exchange after a
                // speed change may meet bytes left over from the old speed.
                ParseIDN(comm, identity);
                ParseIDN(comm, identity);
                if (discovery::IsAcceptedModel(identity.ModelNumber)) {
                    if (clearTerminal)
                        clearTerminal();
                    return true;
                }
            }
        }
        port.Close();
    }
    return false;
}

} // namespace ilink
