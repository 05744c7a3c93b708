#include "model/TimeAxis.h"

#include <gtest/gtest.h>

using namespace model;

namespace {

constexpr Picoseconds us = 1'000'000;

TEST(TimeView, MapsTimesToPixelsAndBack)
{
    const TimeView view(1 * us, 3 * us);
    EXPECT_DOUBLE_EQ(view.toPixel(1 * us, 300), 0.0);
    EXPECT_DOUBLE_EQ(view.toPixel(2'500'000, 300), 150.0);
    EXPECT_DOUBLE_EQ(view.toPixel(4 * us, 300), 300.0);
    EXPECT_EQ(view.toTime(150, 300), 2'500'000);
    EXPECT_EQ(view.toTime(0, 300), 1 * us);
}

TEST(TimeView, KeepsPicosecondsAtTheFarEndOfAThousandSeconds)
{
    // A 1 ns window at 999.99999999975 s: the edge 250 ps in is a quarter of the width.
    const TimeView view(999'999'999'999'500, 1'000);
    EXPECT_DOUBLE_EQ(view.toPixel(999'999'999'999'750, 400), 100.0);
}

TEST(TimeView, ZoomKeepsTheTimeUnderTheMouse)
{
    const TimeView whole(0, 3 * us);
    const struct {
        const char *name;
        TimeView from;
        double factor;
        double x;
        TimeView expected;
    } cases[] = {
        {"in_at_the_middle", whole, 2.0, 150, TimeView(750'000, 1'500'000)},
        {"in_at_the_left_end", whole, 4.0, 0, TimeView(0, 750'000)},
        {"in_at_the_right_end", whole, 3.0, 300, TimeView(2 * us, 1 * us)},
        {"out_no_wider_than_all", TimeView(1 * us, 1 * us), 0.1, 150, whole},
        {"out_pushed_back_inside", TimeView(2 * us, 1 * us), 0.5, 0, TimeView(1 * us, 2 * us)},
        {"in_no_narrower_than_ten_ps", TimeView(0, 40), 100.0, 0, TimeView(0, TimeView::kMinSpan)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const TimeView zoomed = c.from.zoomed(c.factor, c.x, 300, whole);
        EXPECT_EQ(zoomed.start(), c.expected.start());
        EXPECT_EQ(zoomed.span(), c.expected.span());
    }
}

TEST(TimeView, DragMovesByWhatThePixelsAreWorthAndStopsAtTheEnds)
{
    const TimeView whole(0, 3 * us);
    const TimeView view(1 * us, 1 * us);
    EXPECT_EQ(view.panned(30, 300, whole), TimeView(900'000, 1 * us));
    EXPECT_EQ(view.panned(-30, 300, whole), TimeView(1'100'000, 1 * us));
    EXPECT_EQ(view.panned(3000, 300, whole), TimeView(0, 1 * us));
    EXPECT_EQ(view.panned(-3000, 300, whole), TimeView(2 * us, 1 * us));
}

TEST(AxisTicks, RoundStepsInTheSpansUnit)
{
    const struct {
        const char *name;
        TimeView view;
        int maxTicks;
        TimeUnit unit;
        Picoseconds step;
        std::vector<Picoseconds> positions;
    } cases[] = {
        {"three_microseconds",
         TimeView(0, 3 * us),
         10,
         TimeUnit::Microseconds,
         500'000,
         {0, 500'000, 1'000'000, 1'500'000, 2'000'000, 2'500'000, 3'000'000}},
        {"before_zero",
         TimeView(-250, 1'000),
         5,
         TimeUnit::Nanoseconds,
         200,
         {-200, 0, 200, 400, 600}},
        {"exact_fit",
         TimeView(0, 10),
         10,
         TimeUnit::Nanoseconds,
         1,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"three_periods_of_5000_s",
         TimeView(0, 15'000 * kPicosecondsPerSecond),
         4,
         TimeUnit::Seconds,
         5'000 * kPicosecondsPerSecond,
         {0, 5'000 * kPicosecondsPerSecond, 10'000 * kPicosecondsPerSecond,
          15'000 * kPicosecondsPerSecond}},
        {"one_tick_at_least", TimeView(3, 4), 0, TimeUnit::Nanoseconds, 5, {5}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const AxisTicks ticks = axisTicks(c.view, c.maxTicks);
        EXPECT_EQ(ticks.unit, c.unit);
        EXPECT_EQ(ticks.step, c.step);
        EXPECT_EQ(ticks.positions, c.positions);
    }
}

} // namespace
