#include "model/Picoseconds.h"

#include "ModelPrinters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace model;

namespace {

struct ConversionCase {
    const char *name;
    double seconds;
    Picoseconds expected;
};

void PrintTo(const ConversionCase &c, std::ostream *os)
{
    *os << c.name;
}

class ToPicoseconds : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ToPicoseconds, LandsOnTheExactPicosecond)
{
    EXPECT_EQ(toPicoseconds(GetParam().seconds), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SeriesGrids, ToPicoseconds,
    ::testing::Values(
        ConversionCase{"zero", 0.0, 0}, ConversionCase{"ten_ps_step", 1e-11, 10},
        ConversionCase{"fifty_ps_step", 5e-11, 50}, ConversionCase{"quarter_ns_step", 2.5e-10, 250},
        ConversionCase{"negative_quarter_ns", -2.5e-10, -250},
        ConversionCase{"ten_ns_width", 1e-8, 10'000},
        ConversionCase{"one_ms_period", 0.001, 1'000'000'000},
        ConversionCase{"largest_delay_hra", 999.99999999975, 999'999'999'999'750},
        ConversionCase{"smallest_delay_hra", -999.99999999975, -999'999'999'999'750},
        ConversionCase{"thousand_s_less_ten_ps", 999.99999999999, 999'999'999'999'990},
        ConversionCase{"thousand_s_plus_ten_ps", 1000.00000000001, 1'000'000'000'000'010},
        ConversionCase{"largest_period", 5000.0, 5'000'000'000'000'000},
        ConversionCase{"largest_period_less_ten_ps", 4999.99999999999, 4'999'999'999'999'990},
        ConversionCase{"not_a_number", std::numeric_limits<double>::quiet_NaN(), 0},
        ConversionCase{"clamped_high", 1e300, 1'000'000 * kPicosecondsPerSecond},
        ConversionCase{"clamped_low", -std::numeric_limits<double>::infinity(),
                       -1'000'000 * kPicosecondsPerSecond}),
    [](const auto &info) { return std::string(info.param.name); });

struct TextCase {
    Picoseconds value;
    const char *text;
};

class EngineeringTime : public ::testing::TestWithParam<TextCase> {};

TEST_P(EngineeringTime, ExactDigitsInTheLargestUnitReached)
{
    EXPECT_EQ(engineeringTime(GetParam().value), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Values, EngineeringTime,
    ::testing::Values(TextCase{0, "0 s"}, TextCase{10, "0.01 ns"}, TextCase{250, "0.25 ns"},
                      TextCase{1'000, "1 ns"}, TextCase{250'000, "250 ns"},
                      TextCase{-250'000, "-250 ns"}, TextCase{1'500'000, "1.5 \u00b5s"},
                      TextCase{999'999, "999.999 ns"}, TextCase{1'000'000'000, "1 ms"},
                      TextCase{1'000'000'000'250, "1.00000000025 s"},
                      TextCase{999'999'999'999'750, "999.99999999975 s"},
                      TextCase{1'000'000'000'000'010, "1000.00000000001 s"},
                      TextCase{-999'999'999'999'750, "-999.99999999975 s"}));

TEST(FormatIn, KeepsEveryDigitInASmallerOrLargerUnit)
{
    EXPECT_EQ(formatIn(1'500, TimeUnit::Milliseconds), QStringLiteral("0.0000015 ms"));
    EXPECT_EQ(formatIn(3'000'000'000'000, TimeUnit::Microseconds),
              QStringLiteral("3000000 \u00b5s"));
    EXPECT_EQ(numberIn(-2'500'000, TimeUnit::Microseconds), QStringLiteral("-2.5"));
    EXPECT_EQ(numberIn(0, TimeUnit::Seconds), QStringLiteral("0"));
}

TEST(UnitFor, SwitchesAtEachThousand)
{
    const struct {
        Picoseconds magnitude;
        TimeUnit unit;
    } cases[] = {
        {0, TimeUnit::Nanoseconds},
        {999'999, TimeUnit::Nanoseconds},
        {1'000'000, TimeUnit::Microseconds},
        {-1'000'000, TimeUnit::Microseconds},
        {999'999'999, TimeUnit::Microseconds},
        {1'000'000'000, TimeUnit::Milliseconds},
        {kPicosecondsPerSecond - 1, TimeUnit::Milliseconds},
        {kPicosecondsPerSecond, TimeUnit::Seconds},
        {5000 * kPicosecondsPerSecond, TimeUnit::Seconds},
    };
    for (const auto &c : cases)
        EXPECT_EQ(unitFor(c.magnitude), c.unit) << c.magnitude;
}

} // namespace
