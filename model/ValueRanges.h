#pragma once

#include "model/SeriesLimits.h"

#include <optional>

namespace model {

// The limits of a series (1 to 4). An unknown series (0, or any other number) has none: the
// caller keeps the window's designed ranges instead of applying zero limits and decimals.
std::optional<SeriesLimits> limitsForSeries(int series);

// True when value lies on the grid of step: its quotient by the step is within 0.0005 of a
// whole number, judged on the decimal digits of both rounded to 13 decimals. A negative value (a
// negative delay) always passes, because only a fraction above zero counts as off the grid; this is
// the instrument program's long-standing rule, kept so the same entries are accepted. A step of 0
// (no grid known) accepts every finite value; a value that is not finite is never on a grid.
bool CheckResolution(double value, double step);

} // namespace model
