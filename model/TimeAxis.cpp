#include "model/TimeAxis.h"

#include <algorithm>
#include <cmath>

namespace model {

namespace {

// Rounds toward minus infinity, which integer division does not do for negative times.
Picoseconds floorDiv(Picoseconds a, Picoseconds b)
{
    Picoseconds q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

} // namespace

TimeView::TimeView(Picoseconds start, Picoseconds span)
    : m_start(start), m_span(std::max<Picoseconds>(span, 1))
{
}

double TimeView::toPixel(Picoseconds t, double width) const
{
    // The difference is exact; only its scaling to pixels is rounded.
    return static_cast<double>(t - m_start) * width / static_cast<double>(m_span);
}

Picoseconds TimeView::toTime(double x, double width) const
{
    if (width <= 0)
        return m_start;
    return m_start +
           static_cast<Picoseconds>(std::llround(x / width * static_cast<double>(m_span)));
}

TimeView TimeView::within(const TimeView &whole) const
{
    const Picoseconds span = std::clamp(m_span, std::min(kMinSpan, whole.m_span), whole.m_span);
    const Picoseconds start = std::clamp(m_start, whole.m_start, whole.end() - span);
    return TimeView(start, span);
}

TimeView TimeView::zoomed(double factor, double x, double width, const TimeView &whole) const
{
    if (factor <= 0 || width <= 0)
        return within(whole);
    const Picoseconds anchor = toTime(x, width);
    const double wanted = static_cast<double>(m_span) / factor;
    // Clamp in doubles first: zooming far out of a wide view must not overflow the conversion.
    const Picoseconds span = static_cast<Picoseconds>(
        std::llround(std::clamp(wanted, 1.0, static_cast<double>(whole.m_span))));
    const Picoseconds start =
        anchor - static_cast<Picoseconds>(std::llround(x / width * static_cast<double>(span)));
    return TimeView(start, span).within(whole);
}

TimeView TimeView::panned(double dx, double width, const TimeView &whole) const
{
    if (width <= 0)
        return within(whole);
    const Picoseconds shift =
        static_cast<Picoseconds>(std::llround(dx / width * static_cast<double>(m_span)));
    return TimeView(m_start - shift, m_span).within(whole);
}

AxisTicks axisTicks(const TimeView &view, int maxTicks)
{
    AxisTicks ticks;
    ticks.unit = unitFor(view.span());
    maxTicks = std::max(maxTicks, 1);
    // The smallest round step that keeps the count within maxTicks.
    const Picoseconds least = std::max<Picoseconds>(1, (view.span() + maxTicks - 1) / maxTicks);
    Picoseconds decade = 1;
    while (true) {
        Picoseconds found = 0;
        for (Picoseconds m : {1, 2, 5}) {
            if (decade * m >= least) {
                found = decade * m;
                break;
            }
        }
        if (found) {
            ticks.step = found;
            break;
        }
        decade *= 10;
    }
    for (Picoseconds t = floorDiv(view.start() + ticks.step - 1, ticks.step) * ticks.step;
         t <= view.end(); t += ticks.step)
        ticks.positions.push_back(t);
    return ticks;
}

} // namespace model
