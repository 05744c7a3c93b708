#pragma once

#include <QString>

#include <cstdint>
#include <string>

// Numbers as the instrument reads them and as the settings file carries them. None of these
// follow the user's locale: the decimal separator is always "." and no thousands separator is
// ever written.
namespace model {

// Fixed point with exactly the given decimals, a digit before the point and "-" only before a
// value that is still negative after rounding (never "-0.00").
QString formatFixed(double value, int decimals);
QString formatPeriod(double seconds); // 9 decimals
QString formatTime(double seconds);   // 11 decimals: channel delay and width
QString formatVolts(double volts);    // 2 decimals: thresholds, amplitude, clock level

// A spin edit's value as a count: nearest integer, halves to the even neighbour.
double roundHalfEven(double value);
// Counts bounded to what the instrument can take; out-of-range values (and NaN) are clamped
// rather than wrapped, so a huge or negative entry never turns into an unrelated count.
std::int32_t countToInt32(double value);
std::uint32_t countToUInt32(double value);

// Settings-line value notations.
QString integerNotation(std::int64_t value);
QString unsignedNotation(std::uint32_t value);
// The shortest form with at most 15 significant digits: fixed for 0 and for magnitudes from
// 0.0001 up to below 1E15, otherwise "d.dddE-n" (no "+", no leading exponent zeros).
QString generalNotation(double value);

// The shortest decimal digits that read back as `magnitude` (finite, not negative) and the
// power of ten of the first digit: 2.5e-10 is {"25", -10}. The digits a value was typed or
// read back with, which decide grid questions that its binary form cannot.
struct ShortestDecimal {
    std::string digits;
    int exp10;
};
ShortestDecimal shortestDecimal(double magnitude);

} // namespace model
