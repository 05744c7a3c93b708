#include "ModelPrinters.h"

#include "model/NumberFormat.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <cmath>
#include <limits>

using namespace model;

namespace {

// The user's locale must never leak into what the instrument reads.
class GermanLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override { QLocale::setDefault(saved_); }

private:
    QLocale saved_;
};

TEST_F(GermanLocale, FixedFormats)
{
    const struct {
        QString (*format)(double);
        double value;
        const char *text;
    } cases[] = {
        {formatPeriod, 0.001, "0.001000000"},
        {formatPeriod, 500.0, "500.000000000"},
        {formatPeriod, 5e-8, "0.000000050"},
        {formatPeriod, 4999.99999999, "4999.999999990"},
        {formatPeriod, 1234567.0, "1234567.000000000"}, // no thousands separator
        {formatTime, -2.5e-10, "-0.00000000025"},
        {formatTime, 1.0, "1.00000000000"},
        {formatTime, -1e-8, "-0.00000001000"},
        {formatTime, 999.99999999975, "999.99999999975"},
        {formatTime, -999.99999999975, "-999.99999999975"},
        {formatVolts, 5.0, "5.00"},
        {formatVolts, 2.5, "2.50"},
        {formatVolts, 0.5, "0.50"},
        {formatVolts, -0.35, "-0.35"},
        {formatVolts, 0.0, "0.00"},
        // A negative value that rounds to zero carries no sign.
        {formatVolts, -0.001, "0.00"},
        {formatTime, -1e-14, "0.00000000000"},
        {formatPeriod, -0.0, "0.000000000"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.format(c.value), QString::fromLatin1(c.text)) << c.text;
}

TEST(CountRounding, HalvesGoToTheEvenNeighbour)
{
    const struct {
        double value;
        double rounded;
    } cases[] = {
        {0.5, 0.0},
        {1.5, 2.0},
        {2.5, 2.0},
        {3.5, 4.0},
        {2.4999, 2.0},
        {2.5001, 3.0},
        {-0.5, -0.0},
        {-1.5, -2.0},
        {-2.5, -2.0},
        {7.0, 7.0},
        {4294967294.5, 4294967294.0},
        {4294967295.5, 4294967296.0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(roundHalfEven(c.value), c.rounded) << c.value;
}

TEST(CountRounding, BoundedToTheInstrumentsCountTypes)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        std::uint32_t asUnsigned;
        std::int32_t asSigned;
    } cases[] = {
        {4000000000.0, 4000000000u, 2147483647},
        {4294967295.0, 4294967295u, 2147483647},
        {4294967296.0, 4294967295u, 2147483647}, // clamped, not wrapped to 0
        {1e12, 4294967295u, 2147483647},
        {2.5, 2u, 2},
        {-1.0, 0u, -1}, // never wrapped to 4294967295
        {-3e9, 0u, -2147483647 - 1},
        {2147483647.5, 2147483648u, 2147483647},
        {nan, 0u, 0},
        {inf, 4294967295u, 2147483647},
        {-inf, 0u, -2147483647 - 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(countToUInt32(c.value), c.asUnsigned) << c.value;
        EXPECT_EQ(countToInt32(c.value), c.asSigned) << c.value;
    }
}

TEST_F(GermanLocale, IntegerAndUnsignedNotations)
{
    EXPECT_EQ(integerNotation(0), QStringLiteral("0"));
    EXPECT_EQ(integerNotation(-1), QStringLiteral("-1"));
    EXPECT_EQ(integerNotation(12), QStringLiteral("12"));
    EXPECT_EQ(integerNotation(10000000), QStringLiteral("10000000"));
    EXPECT_EQ(unsignedNotation(4000000000u), QStringLiteral("4000000000"));
    EXPECT_EQ(unsignedNotation(4294967295u), QStringLiteral("4294967295"));
}

TEST_F(GermanLocale, GeneralNotation)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {0.001, "0.001"},
        {0.0001, "0.0001"},
        {0.00005, "5E-5"},
        {2.5, "2.5"},
        {5000.0, "5000"},
        {999.99999999975, "999.99999999975"},
        {-999.99999999975, "-999.99999999975"},
        {1e-5, "1E-5"},
        {5e-8, "5E-8"},
        {2.5e-10, "2.5E-10"},
        {-1.5e-7, "-1.5E-7"},
        {25.0, "25"},
        {1e-8, "1E-8"},
        {0.1 + 0.2, "0.3"}, // 15 significant digits hide the binary residue
        {1.0 / 3.0, "0.333333333333333"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E15"},
        {1.5e20, "1.5E20"},
        {999999999999999.9, "1E15"}, // rounds to 16 digits before the point
        {0.000099999999999999999, "0.0001"},
        {4294967295.0, "4294967295"},
        {-0.35, "-0.35"},
        {1.23456789012345678e-7, "1.23456789012346E-7"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(generalNotation(c.value), QString::fromLatin1(c.text)) << c.text;
}

TEST(GeneralNotation, ReadsBackToTheSameValueWithin15Digits)
{
    // The settings file is replayed to the instrument: what it holds must be the value read.
    for (double v : {1e-6, 2.5e-10, 3.75e-9, 0.0123456789, 4999.99999999, 1.000000001, 7e-12}) {
        const double back = generalNotation(v).toDouble();
        EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
    }
}

} // namespace
