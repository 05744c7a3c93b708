#include "model/ValueRanges.h"

#include "model/ModelRules.h"
#include "model/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace model {

namespace {

// Rounding as the grid check defines it: half away from zero at the given scale, then cut.
double roundTo(double x, double scale)
{
    const double shifted = x * scale;
    return std::trunc(shifted < 0 ? shifted - 0.5 : shifted + 0.5) / scale;
}

constexpr double GridTolerance = 9e-13;
constexpr int GridDecimals = 13;
constexpr std::int64_t GridToleranceUnits = 9; // GridTolerance in units of the 13th decimal

// x rounded to 13 decimals (halves away from zero) as a whole number of 1e-13, worked out on the
// shortest decimal that reads back as x: the digits that were typed or read back. The binary
// value itself is no guide at that scale, since above 512 s a double is coarser than 1e-13.
// Empty when x is too large for 64 bits at that scale.
std::optional<std::int64_t> unitsOf13thDecimal(double x)
{
    const double a = std::fabs(x);
    if (!(a < 4e5))
        return std::nullopt;
    const auto [digits, exp10] = shortestDecimal(a);

    // digits[0] weighs 10^exp10; keep those down to the 13th decimal and round on the next one.
    const long keep = static_cast<long>(exp10) + GridDecimals + 1;
    const long size = static_cast<long>(digits.size());
    std::int64_t units = 0;
    for (long k = 0; k < keep; ++k)
        units = units * 10 + (k < size ? digits[static_cast<size_t>(k)] - '0' : 0);
    if (keep >= 0 && keep < size && digits[static_cast<size_t>(keep)] >= '5')
        ++units;
    return x < 0 ? -units : units;
}

} // namespace

std::optional<SeriesLimits> limitsForSeries(int series)
{
    SeriesLimits l;
    switch (series) {
    case SeriesHRA:
    case SeriesHRB:
        l.PeriodStep = 1e-8;
        l.PeriodDecimals = 8;
        l.PeriodMax = 5000;
        l.PeriodMin = series == SeriesHRA ? 5e-8 : 1e-7;
        l.DelayStep = 2.5e-10;
        l.DelayDecimals = 11;
        l.DelayMax = 999.99999999975; // 1000 less one step
        l.DelayMin = -999.99999999975;
        l.WidthStep = 2.5e-10;
        l.WidthDecimals = 11;
        l.WidthMax = 999.99999999975;
        l.WidthMin = 1e-8;
        // HRA counts stop one short of ten million.
        l.SystemBurstMax = series == SeriesHRA ? 9999999 : 1000000;
        break;
    case SeriesHLA:
        l.PeriodStep = 1e-8;
        l.PeriodDecimals = 8;
        l.PeriodMax = 5000;
        l.PeriodMin = 2e-7;
        l.DelayStep = 1e-9;
        l.DelayDecimals = 9;
        l.DelayMax = 1000;
        l.DelayMin = -999.999999999; // -1000 plus one step
        l.WidthStep = 1e-9;
        l.WidthDecimals = 9;
        l.WidthMax = 1000;
        l.WidthMin = 1e-8;
        l.SystemBurstMax = 1000000;
        break;
    case SeriesVDX:
        // The period edit shows 9 decimals although the grid is 50 ps: the period command
        // carries 9 decimals anyway.
        l.PeriodStep = 5e-11;
        l.PeriodDecimals = 9;
        l.PeriodMax = 1000;
        l.PeriodMin = 5e-8;
        l.DelayStep = 2.5e-10;
        l.DelayDecimals = 11;
        l.DelayMax = 1000;
        l.DelayMin = -1000;
        l.WidthStep = 2.5e-10;
        l.WidthDecimals = 11;
        l.WidthMax = 1000;
        l.WidthMin = 5e-9;
        l.SystemBurstMax = 10000000;
        break;
    default:
        return std::nullopt;
    }
    // Every count of a series shares one maximum.
    l.SystemDutyMax = l.SystemBurstMax;
    l.ChannelBurstMax = l.SystemBurstMax;
    l.ChannelDutyMax = l.SystemBurstMax;
    l.WaitCountMax = l.SystemBurstMax;
    return l;
}

bool CheckResolution(double value, double step)
{
    if (!std::isfinite(value))
        return false;
    // Without a grid there is nothing to be off; dividing by it would be meaningless.
    if (step == 0.0 || !std::isfinite(step))
        return true;

    // In whole units of the 13th decimal the remainder is exact. A quotient of doubles is not:
    // from about 250 s on its error exceeds the 0.0005 tolerance on a 50 ps grid, and exact
    // multiples such as 512.3 s came out as off the grid.
    const std::optional<std::int64_t> vUnits = unitsOf13thDecimal(value);
    const std::optional<std::int64_t> sUnits = unitsOf13thDecimal(step);
    if (vUnits && sUnits) {
        if (std::llabs(*vUnits - *sUnits) <= GridToleranceUnits)
            return true;
        if (*sUnits == 0)
            return true;
        // The remainder keeps the sign of the value, as the fraction of a quotient cut towards
        // zero does: a negative value is never above the grid.
        const double fraction =
            static_cast<double>(*vUnits % *sUnits) / static_cast<double>(*sUnits);
        double f = roundTo(fraction, 1e3);
        if (!(f < 1.0))
            f = 0.0;
        return !(f > GridTolerance);
    }

    const double v = roundTo(value, 1e13);
    const double s = roundTo(step, 1e13);
    if (std::fabs(v - s) <= GridTolerance)
        return true;
    if (s == 0.0) // a step below the 13-decimal resolution: no usable grid
        return true;

    const double q = v / s;
    double f = roundTo(q - std::trunc(q), 1e3);
    // A quotient just below a whole number (3999.9999999999995) rounds up to a fraction of 1.
    if (!(f < 1.0))
        f = 0.0;
    return !(f > GridTolerance);
}

} // namespace model
