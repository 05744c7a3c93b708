#include "sim/ValueText.h"

#include <QRegularExpression>

#include <cmath>

namespace sim {

std::optional<double> parseReal(QByteArrayView text)
{
    static const QRegularExpression kNumber(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)(E[+-]?\\d{1,3})?$"));
    const QString s = QString::fromLatin1(text);
    if (!kNumber.match(s).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = s.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<quint64> parseCount(QByteArrayView text)
{
    if (text.isEmpty() || text.size() > 12)
        return std::nullopt;
    quint64 v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        v = v * 10 + static_cast<quint64>(c - '0');
    }
    return v;
}

std::optional<double> fitToRange(double value, const RealRange &range)
{
    const double slack = range.step * 1e-3;
    if (value < range.min - slack || value > range.max + slack)
        return std::nullopt;
    // Whole steps from zero, then back through 15 digits so that 250 steps of 0.01 read 2.5
    // and not 2.5000000000000004.
    double onGrid = std::round(value / range.step) * range.step;
    onGrid = QByteArray::number(onGrid, 'g', 15).toDouble();
    if (onGrid < range.min)
        onGrid = range.min;
    if (onGrid > range.max)
        onGrid = range.max;
    return onGrid == 0.0 ? 0.0 : onGrid; // no "-0"
}

QByteArray formatReal(double value)
{
    if (value == 0.0)
        return QByteArrayLiteral("0");
    return QByteArray::number(value, 'G', 15);
}

} // namespace sim
