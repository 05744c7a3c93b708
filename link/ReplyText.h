#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// Reply text rules shared by every exchange. Numbers on the line always use "." as the decimal
// separator, whatever the user's locale, and a reply counts as a number only when the whole
// text is one.
namespace ilink::replytext {

// The reply's own line: line ends left over from an earlier reply are skipped, and the reply
// ends at its first CR or LF. Whatever follows is not part of it.
QByteArray FirstLine(const QByteArray &text);
// Removes trailing characters of code 32 or less (blanks, CR, LF, other controls).
QByteArray StripTrailing(QByteArray text);
// Removes such characters at both ends.
QByteArray Trim(QByteArray text);

// Optional sign and decimal digits, nothing else; empty when out of the type's range.
std::optional<qint32> ToInt32(QByteArrayView text);
std::optional<qint64> ToInt64(QByteArrayView text);
// Optional sign, digits with an optional "." part, optional exponent; finite values only.
std::optional<double> ToDouble(QByteArrayView text);

} // namespace ilink::replytext
