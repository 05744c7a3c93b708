#include "model/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

namespace model {

QString formatFixed(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    // A tiny negative value rounds to zero; the instrument should not see a signed zero.
    if (text.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (qsizetype i = 1; i < text.size() && allZero; ++i)
            allZero = text.at(i) == QLatin1Char('0') || text.at(i) == QLatin1Char('.');
        if (allZero)
            text.remove(0, 1);
    }
    return text;
}

QString formatPeriod(double seconds)
{
    return formatFixed(seconds, 9);
}

QString formatTime(double seconds)
{
    return formatFixed(seconds, 11);
}

QString formatVolts(double volts)
{
    return formatFixed(volts, 2);
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double lower = std::floor(value);
    const double diff = value - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

std::int32_t countToInt32(double value)
{
    const double r = roundHalfEven(value);
    if (std::isnan(r))
        return 0;
    if (r <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (r >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

std::uint32_t countToUInt32(double value)
{
    const double r = roundHalfEven(value);
    if (std::isnan(r) || r <= 0.0)
        return 0;
    if (r >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(r);
}

QString integerNotation(std::int64_t value)
{
    return QString::number(static_cast<qlonglong>(value));
}

QString unsignedNotation(std::uint32_t value)
{
    return QString::number(static_cast<qulonglong>(value));
}

QString generalNotation(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0");

    constexpr int Significant = 15;
    // "d.dddddddddddddde+XX": the value rounded to 15 significant digits, so the choice of
    // notation below is made on the rounded value (9.999999999999999E14 becomes 1E15).
    const QString sci = QString::number(std::fabs(value), 'e', Significant - 1);
    const qsizetype ePos = sci.indexOf(QLatin1Char('e'));
    QString digits = sci.left(1) + sci.mid(2, ePos - 2);
    const int exponent = sci.mid(ePos + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString text;
    if (exponent >= -4 && exponent < Significant) {
        if (exponent < 0) {
            text = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
        } else {
            const qsizetype intDigits = exponent + 1;
            if (digits.size() <= intDigits) {
                text = digits + QString(intDigits - digits.size(), QLatin1Char('0'));
            } else {
                text = digits.left(intDigits) + QLatin1Char('.') + digits.mid(intDigits);
            }
        }
    } else {
        text = digits.left(1);
        if (digits.size() > 1)
            text += QLatin1Char('.') + digits.mid(1);
        text += QLatin1Char('E') + QString::number(exponent);
    }
    return value < 0 ? QLatin1Char('-') + text : text;
}

ShortestDecimal shortestDecimal(double magnitude)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    const std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
    const size_t ePos = sci.find('e');
    std::string digits(1, sci[0]);
    if (ePos > 2)
        digits.append(sci.substr(2, ePos - 2));
    std::string_view expText = sci.substr(ePos + 1);
    const bool negExp = expText.front() == '-';
    if (expText.front() == '+' || expText.front() == '-')
        expText.remove_prefix(1);
    int exp10 = 0;
    std::from_chars(expText.data(), expText.data() + expText.size(), exp10);
    return {digits, negExp ? -exp10 : exp10};
}

} // namespace model
