#include "model/ModelRules.h"
#include "model/ValueRanges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <limits>

using namespace model;

namespace {

struct GridCase {
    double value;
    double step;
    bool onGrid;
};

void PrintTo(const GridCase &c, std::ostream *os)
{
    *os << std::setprecision(17) << c.value << " on " << c.step;
}

class CheckResolutionCases : public ::testing::TestWithParam<GridCase> {};

TEST_P(CheckResolutionCases, DecidesTheGrid)
{
    const GridCase c = GetParam();
    EXPECT_EQ(CheckResolution(c.value, c.step), c.onGrid)
        << "value " << c.value << " step " << c.step;
}

INSTANTIATE_TEST_SUITE_P(
    Listed, CheckResolutionCases,
    ::testing::Values(GridCase{0.001, 1e-8, true},
                      // The quotient comes out as 3999.9999999999995: its fraction rounds to 1.
                      GridCase{1e-6, 2.5e-10, true}, GridCase{0.001000005, 1e-8, false},
                      GridCase{1.5e-10, 2.5e-10, false},
                      // Negative fractions are never "above" zero.
                      GridCase{-1.5e-10, 2.5e-10, true}, GridCase{-1.0000000001, 2.5e-10, true},
                      GridCase{1.0000000001, 2.5e-10, false}, GridCase{2.5e-10, 2.5e-10, true},
                      GridCase{1.0000000000004, 1e-8, true}));

INSTANTIATE_TEST_SUITE_P(
    SeriesGrids, CheckResolutionCases,
    ::testing::Values(GridCase{999.99999999975, 2.5e-10, true}, GridCase{1000.0, 1e-9, true},
                      GridCase{5000.0, 1e-8, true}, GridCase{5e-8, 5e-11, true},
                      GridCase{1e-3 + 2.5e-11, 5e-11, false}, GridCase{1.25e-9, 2.5e-10, true},
                      GridCase{1.2e-9, 2.5e-10, false}, GridCase{7e-9, 1e-9, true},
                      GridCase{7.5e-9, 1e-9, false}, GridCase{0.0, 2.5e-10, true},
                      // Within 0.0005 of a step counts as on it, beyond that it does not.
                      GridCase{1e-6 + 1e-14, 1e-8, true}, GridCase{1e-6 + 1e-11, 1e-8, false},
                      // A 50 ps grid far from zero: a quotient of doubles is too coarse here, the
                      // decimal digits decide.
                      GridCase{256.4, 5e-11, true}, GridCase{512.3, 5e-11, true},
                      GridCase{777.77777777775, 5e-11, true},
                      GridCase{999.99999999995, 5e-11, true},
                      GridCase{512.30000000002, 5e-11, false},
                      GridCase{999.99999999997, 5e-11, false}));

// Without a known series there is no grid; every finite value passes, none crashes.
INSTANTIATE_TEST_SUITE_P(
    NoGrid, CheckResolutionCases,
    ::testing::Values(GridCase{0.0, 0.0, true}, GridCase{0.001234567, 0.0, true},
                      GridCase{-3.3, 0.0, true},
                      GridCase{std::numeric_limits<double>::quiet_NaN(), 1e-8, false},
                      GridCase{std::numeric_limits<double>::infinity(), 1e-8, false}));

TEST(SeriesLimitsTable, ValuesBySeries)
{
    const struct {
        int series;
        SeriesLimits l;
    } cases[] = {
        {SeriesHRA,
         {1e-8, 8, 5000, 5e-8, 2.5e-10, 11, 999.99999999975, -999.99999999975, 2.5e-10, 11,
          999.99999999975, 1e-8, 9999999, 9999999, 9999999, 9999999, 9999999}},
        {SeriesHRB,
         {1e-8, 8, 5000, 1e-7, 2.5e-10, 11, 999.99999999975, -999.99999999975, 2.5e-10, 11,
          999.99999999975, 1e-8, 1000000, 1000000, 1000000, 1000000, 1000000}},
        {SeriesHLA,
         {1e-8, 8, 5000, 2e-7, 1e-9, 9, 1000, -999.999999999, 1e-9, 9, 1000, 1e-8, 1000000, 1000000,
          1000000, 1000000, 1000000}},
        {SeriesVDX,
         {5e-11, 9, 1000, 5e-8, 2.5e-10, 11, 1000, -1000, 2.5e-10, 11, 1000, 5e-9, 10000000,
          10000000, 10000000, 10000000, 10000000}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.series);
        const std::optional<SeriesLimits> got = limitsForSeries(c.series);
        ASSERT_TRUE(got.has_value());
        const SeriesLimits &e = c.l;
        EXPECT_EQ(got->PeriodStep, e.PeriodStep);
        EXPECT_EQ(got->PeriodDecimals, e.PeriodDecimals);
        EXPECT_EQ(got->PeriodMax, e.PeriodMax);
        EXPECT_EQ(got->PeriodMin, e.PeriodMin);
        EXPECT_EQ(got->DelayStep, e.DelayStep);
        EXPECT_EQ(got->DelayDecimals, e.DelayDecimals);
        EXPECT_EQ(got->DelayMax, e.DelayMax);
        EXPECT_EQ(got->DelayMin, e.DelayMin);
        EXPECT_EQ(got->WidthStep, e.WidthStep);
        EXPECT_EQ(got->WidthDecimals, e.WidthDecimals);
        EXPECT_EQ(got->WidthMax, e.WidthMax);
        EXPECT_EQ(got->WidthMin, e.WidthMin);
        EXPECT_EQ(got->SystemBurstMax, e.SystemBurstMax);
        EXPECT_EQ(got->SystemDutyMax, e.SystemDutyMax);
        EXPECT_EQ(got->ChannelBurstMax, e.ChannelBurstMax);
        EXPECT_EQ(got->ChannelDutyMax, e.ChannelDutyMax);
        EXPECT_EQ(got->WaitCountMax, e.WaitCountMax);

        // The limits lie on the series' own grid, and the extreme delays are one step inside
        // +-1000 where the table says so.
        EXPECT_TRUE(CheckResolution(got->PeriodMin, got->PeriodStep));
        EXPECT_TRUE(CheckResolution(got->DelayMax, got->DelayStep));
        EXPECT_TRUE(CheckResolution(got->WidthMin, got->WidthStep));
    }
}

TEST(SeriesLimitsTable, UnknownSeriesHasNone)
{
    for (int series : {0, -1, 5, 99})
        EXPECT_FALSE(limitsForSeries(series).has_value()) << series;
}

} // namespace
