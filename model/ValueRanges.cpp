#include "model/ValueRanges.h"

#include "model/ModelRules.h"

#include <cmath>

namespace model {

namespace {

// Rounding as the grid check defines it: half away from zero at the given scale, then cut.
double roundTo(double x, double scale) {
    const double shifted = x * scale;
    return std::trunc(shifted < 0 ? shifted - 0.5 : shifted + 0.5) / scale;
}

constexpr double GridTolerance = 9e-13;

} // namespace

std::optional<SeriesLimits> limitsForSeries(int series) {
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

bool CheckResolution(double value, double step) {
    if (!std::isfinite(value))
        return false;
    // Without a grid there is nothing to be off; dividing by it would be meaningless.
    if (step == 0.0 || !std::isfinite(step))
        return true;

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
