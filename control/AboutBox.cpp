#include "control/AboutBox.h"

#include "model/InstrumentIdentity.h"
#include "transport/UserDialogs.h"

#include <QStringList>

namespace control {

QString AboutText(const model::InstrumentIdentity &identity, const QString &companyName,
                  const QString &softwareVersion)
{
    return QStringList{
        QStringLiteral("Company: ") + companyName,
        QStringLiteral("Model Number: ") + identity.ModelNumber,
        QStringLiteral("Serial Number: ") + QString::number(identity.SerialNumber),
        QStringLiteral("Firmware Version: ") + identity.FirmwareVersion,
        QStringLiteral("FPGA Version: ") + identity.FpgaVersion,
        QStringLiteral("Software Version: ") + softwareVersion,
    }
        .join(QStringLiteral("\r\n"));
}

void About1Click(transport::UserDialogs &dialogs, const model::InstrumentIdentity &identity,
                 const QString &companyName, const QString &softwareVersion)
{
    dialogs.message(transport::UserDialogs::Kind::Information,
                    AboutText(identity, companyName, softwareVersion),
                    {transport::UserDialogs::Button::Ok});
}

} // namespace control
