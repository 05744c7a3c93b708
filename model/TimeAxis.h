#pragma once

#include "model/Picoseconds.h"

#include <vector>

// The timing diagram's horizontal axis: which stretch of time is visible, how it maps onto
// pixels, how the wheel and a drag move it, and where its labelled ticks fall. Integer
// picoseconds throughout; doubles appear only as pixel positions.
namespace model {

class TimeView {
public:
    // The narrowest stretch the wheel zooms to: one step of the finest grid.
    static constexpr Picoseconds kMinSpan = 10;

    TimeView() = default;
    TimeView(Picoseconds start, Picoseconds span);

    Picoseconds start() const { return m_start; }
    Picoseconds span() const { return m_span; }
    Picoseconds end() const { return m_start + m_span; }

    // Pixel offset from the left end of an axis `width` pixels wide, and back.
    double toPixel(Picoseconds t, double width) const;
    Picoseconds toTime(double x, double width) const;

    // The view zoomed by `factor` (above 1 zooms in) about the time under pixel x, kept within
    // `whole`: never wider than it, never narrower than kMinSpan, never past its ends.
    TimeView zoomed(double factor, double x, double width, const TimeView &whole) const;
    // The view dragged by dx pixels (positive moves the picture right, so earlier times come
    // into sight), kept within `whole`.
    TimeView panned(double dx, double width, const TimeView &whole) const;

    bool operator==(const TimeView &) const = default;

private:
    TimeView within(const TimeView &whole) const;

    Picoseconds m_start = 0;
    Picoseconds m_span = 1;
};

struct AxisTicks {
    TimeUnit unit = TimeUnit::Seconds; // chosen for the span, used by every label
    Picoseconds step = 1;              // 1, 2 or 5 times a power of ten
    std::vector<Picoseconds> positions;
};

// Ticks on round multiples of the step, inside the view, at most maxTicks steps apart end to
// end (so at most maxTicks + 1 of them).
AxisTicks axisTicks(const TimeView &view, int maxTicks);

} // namespace model
