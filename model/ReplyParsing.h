#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Reading numbers out of the instrument's replies, independent of the user's locale.
namespace model {

// Whole-text conversions: the text must be nothing but the number. A sign is allowed; blanks,
// separators, trailing letters ("12abc"), hex and "inf"/"nan" are not, and a value outside the
// type's range is not a value of that type (2147483648 is no 32-bit integer).
std::optional<std::int32_t> parseInt32(const QString &text);
std::optional<std::int64_t> parseInt64(const QString &text);
// Decimal with "." and an optional exponent ("1E-6", "-2.5e-10"); the result is finite.
std::optional<double> parseDouble(const QString &text);

// The text a numeric reply is read from: an empty reply counts as "0", and characters of code
// 32 or below are removed at both ends.
QString numericReplyText(const QString &reply);

// Reply kinds: a reply that does not read as a number gives 0.
std::int32_t decodeInteger(const QString &reply);
double decodeFloat(const QString &reply);
// A 64-bit reply of which the low 32 bits are the unsigned count.
std::uint32_t decodeLongCount(const QString &reply);

} // namespace model
