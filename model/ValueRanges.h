#pragma once

#include "model/SeriesLimits.h"

#include <optional>

namespace model {

// The limits of a series (1 to 4). An unknown series (0, or any other number) has none: the
// caller keeps the window's designed ranges instead of applying zero limits and decimals.
std::optional<SeriesLimits> limitsForSeries(int series);

// True when value lies on the grid of step, within the tolerance the instrument's own grid
// rounding leaves (a quotient within 0.0005 of a whole number). Values on the negative side
// are accepted whatever their fraction, as the instrument snaps them itself. A step of 0 (no
// grid known) accepts every finite value; a value that is not finite is never on a grid.
bool CheckResolution(double value, double step);

} // namespace model
