#pragma once

#include "sim/SimModels.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace sim {

// Argument and reply notation of the instrument. Arguments arrive upper-cased.

// Decimal number with optional sign, point and exponent ("0.001", "1E-5", "-2.5E-10").
// Anything else (blanks, hex, "INF", "NAN", trailing text) is rejected.
std::optional<double> parseReal(QByteArrayView text);
// Unsigned decimal integer of at most 12 digits; no sign, no point, no exponent.
std::optional<quint64> parseCount(QByteArrayView text);

// The value on the range's grid, or nothing when it lies outside the range. A value within a
// thousandth of a step of a limit counts as on the limit.
std::optional<double> fitToRange(double value, const RealRange &range);

// Shortest form with up to 15 significant digits: "0.001", "2.5", "999.99999999975",
// "1E-05", "2.5E-10".
QByteArray formatReal(double value);

} // namespace sim
