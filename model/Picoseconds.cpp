#include "model/Picoseconds.h"

#include <cmath>

namespace model {

namespace {

// Far beyond any period, delay or width, and still a thousand times below the int64 range.
constexpr double kClampSeconds = 1e6;

} // namespace

Picoseconds toPicoseconds(double seconds)
{
    if (std::isnan(seconds))
        return 0;
    if (seconds > kClampSeconds)
        seconds = kClampSeconds;
    if (seconds < -kClampSeconds)
        seconds = -kClampSeconds;
    // Whole seconds and the fraction apart: the fraction is exact, and scaling it alone keeps
    // the product far inside a double's integer range, so the rounding sees only the error
    // the setting already carries.
    const double whole = std::trunc(seconds);
    const double fraction = seconds - whole;
    return static_cast<Picoseconds>(whole) * kPicosecondsPerSecond +
           static_cast<Picoseconds>(std::llround(fraction * 1e12));
}

Picoseconds unitPicoseconds(TimeUnit unit)
{
    switch (unit) {
    case TimeUnit::Nanoseconds:
        return 1'000;
    case TimeUnit::Microseconds:
        return 1'000'000;
    case TimeUnit::Milliseconds:
        return 1'000'000'000;
    case TimeUnit::Seconds:
        break;
    }
    return kPicosecondsPerSecond;
}

QString unitSymbol(TimeUnit unit)
{
    switch (unit) {
    case TimeUnit::Nanoseconds:
        return QStringLiteral("ns");
    case TimeUnit::Microseconds:
        return QStringLiteral("\u00b5s");
    case TimeUnit::Milliseconds:
        return QStringLiteral("ms");
    case TimeUnit::Seconds:
        break;
    }
    return QStringLiteral("s");
}

TimeUnit unitFor(Picoseconds magnitude)
{
    if (magnitude < 0)
        magnitude = -magnitude;
    for (TimeUnit unit : {TimeUnit::Seconds, TimeUnit::Milliseconds, TimeUnit::Microseconds}) {
        if (magnitude >= unitPicoseconds(unit))
            return unit;
    }
    return TimeUnit::Nanoseconds;
}

QString numberIn(Picoseconds value, TimeUnit unit)
{
    const Picoseconds scale = unitPicoseconds(unit);
    const bool negative = value < 0;
    // Magnitudes are clamped far below the int64 limit, so the negation cannot overflow.
    const Picoseconds magnitude = negative ? -value : value;
    QString text = QString::number(magnitude / scale);
    Picoseconds rest = magnitude % scale;
    if (rest != 0) {
        int digits = 0;
        for (Picoseconds s = scale; s > 1; s /= 10)
            ++digits;
        QString fraction = QString::number(rest).rightJustified(digits, u'0');
        while (fraction.endsWith(u'0'))
            fraction.chop(1);
        text += u'.' + fraction;
    }
    return negative ? u'-' + text : text;
}

QString formatIn(Picoseconds value, TimeUnit unit)
{
    return numberIn(value, unit) + u' ' + unitSymbol(unit);
}

QString engineeringTime(Picoseconds value)
{
    if (value == 0)
        return QStringLiteral("0 s");
    return formatIn(value, unitFor(value));
}

} // namespace model
