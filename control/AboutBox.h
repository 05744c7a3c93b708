#pragma once

#include <QString>

namespace model {
struct InstrumentIdentity;
}
namespace transport {
class UserDialogs;
}

namespace control {

// Six lines joined by CR LF, none after the last. The company name comes from the model's
// company-name rule; in demo mode the identity is empty and the serial number 0.
QString AboutText(const model::InstrumentIdentity &identity, const QString &companyName,
                  const QString &softwareVersion);

// "Help", "About": the text in an information box with OK.
void About1Click(transport::UserDialogs &dialogs, const model::InstrumentIdentity &identity,
                 const QString &companyName, const QString &softwareVersion);

} // namespace control
