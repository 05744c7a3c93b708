#include "tests/support/QtPrinters.h"
#include "ui/SpinEditMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

using namespace ui;

namespace {

const QChar kNone;
const QChar kComma(u',');

std::optional<double> none()
{
    return std::nullopt;
}

// Every character 10 pixels wide: click positions are easy to read off.
int tenPixelsEach(const QString &s)
{
    return static_cast<int>(s.size()) * 10;
}

} // namespace

TEST(SpinEditMath, FormatsFixedPointWithGroups)
{
    struct Case {
        double value;
        int decimals;
        QChar separator;
        int base;
        const char16_t *expected;
    };
    const Case cases[] = {
        {123456.5, 1, kComma, 10, u"123,456.5"},
        {1000, 9, kComma, 10, u"1,000.000,000,000"},
        {4000000000.0, 0, kComma, 10, u"4,000,000,000"},
        {-1000, 0, kComma, 10, u"-1,000"},
        {2.5, 2, kNone, 10, u"2.50"},
        // a sign is never followed directly by a separator
        {-100, 0, kComma, 10, u"-100"},
        {-100000, 0, kComma, 10, u"-100,000"},
        // fraction groups count from the point; none after the last digit
        {1000, 3, kComma, 10, u"1,000.000"},
        {1000, 4, kComma, 10, u"1,000.000,0"},
        {1e-8, 9, kComma, 10, u"0.000,000,010"},
        {1234.5678, 4, kComma, 10, u"1,234.567,8"},
        {1e20, 0, kComma, 10, u"100,000,000,000,000,000,000"},
        {0, 2, kNone, 10, u"0.00"},
        {0, 0, kNone, 10, u"0"},
        // a value that rounds to zero shows no sign
        {-0.001, 2, kNone, 10, u"0.00"},
        // halves away from zero, on the decimal digits the value was written with
        {2.675, 2, kNone, 10, u"2.68"},
        {1.005, 2, kNone, 10, u"1.01"},
        {-2.5, 0, kNone, 10, u"-3"},
        {0.5, 0, kNone, 10, u"1"},
        {0.49, 0, kNone, 10, u"0"},
        {9.999, 2, kNone, 10, u"10.00"},
        {999.99999999975, 11, kNone, 10, u"999.99999999975"},
        {1000, 12, kComma, 10, u"1,000.000,000,000,000"},
        // other bases write their own digits, grouped by 4
        {255, 0, kNone, 16, u"FF"},
        {74565, 0, kComma, 16, u"1,2345"},
        {5.5, 2, kNone, 2, u"101.10"},
        {-5.25, 2, kNone, 2, u"-101.01"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(FormatSpinText(c.value, c.decimals, c.separator, c.base),
                  QString::fromUtf16(c.expected))
            << c.value << " with " << c.decimals << " decimals in base " << c.base;
    }
}

// Far past 2^53 a base other than ten cannot be written exactly by scaling, and scaling by the
// base's power of the decimals can overflow altogether; the text must still come out, exact in
// the bases that are powers of two, and read back as the value.
TEST(SpinEditMath, FormatsHugeValuesInOtherBases)
{
    struct Case {
        double value;
        int decimals;
        int base;
        QString expected;
    };
    const double largest = std::numeric_limits<double>::max(); // (2^53 - 1) * 2^971
    const Case cases[] = {
        {largest, 1, 2, QString(53, u'1') + QString(971, u'0') + QStringLiteral(".0")},
        {largest, 18, 16,
         QStringLiteral("FFFFFFFFFFFFF8") + QString(242, u'0') + u'.' + QString(18, u'0')},
        {-largest, 0, 4, u'-' + QString(26, u'3') + u'2' + QString(485, u'0')},
        // scaled without overflow, but far past the exact range
        {2.1741185701949475e49, 2, 20, {}},
        {1e300, 18, 20, {}},
        {-1.5e280, 9, 3, {}},
    };
    for (const Case &c : cases) {
        const QString text = FixedText(c.value, c.decimals, c.base);
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(text, c.expected) << c.value << " in base " << c.base;
        }
        const std::optional<double> back = ParseInBase(text, c.base);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_NEAR(*back / c.value, 1.0, 1e-12) << text.toStdString();
    }
}

TEST(SpinEditMath, DigitSpanCountsDigitsAndSign)
{
    struct Case {
        int base;
        double x;
        int expected;
    };
    const Case cases[] = {
        {10, 1000, 3},  {10, 999, 2}, {10, 2.5, 1},  {10, 4000000000.0, 9},
        {10, -1000, 4}, {10, 0, 1},   {10, 1, 1},    {10, 10, 1},
        {10, 100, 2},   {10, -5, 2},  {10, 1e-8, 1}, {10, 99999.5, 4},
        {2, 1024, 10},  {2, 1023, 9}, {16, 4097, 3}, {16, 4095, 2},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DigitSpan(c.base, c.x), c.expected) << c.x << " in base " << c.base;
}

TEST(SpinEditMath, IncrementSelectsTheDigitOfItsMagnitude)
{
    struct Case {
        double increment;
        int decimals;
        int base;
        int expected;
    };
    const Case cases[] = {
        {1, 2, 10, 0},
        {0.01, 2, 10, -2},
        {1e-8, 9, 10, -8},
        {2.5e-10, 11, 10, -10},
        {5e-11, 9, 10, -11},
        {1000, 0, 10, 3},
        {10, 0, 10, 1},
        {8, 0, 10, 0},
        {0.5, 2, 10, -1},
        {-0.01, 2, 10, -2},
        {0.25, 2, 2, -2},
        // zero and next to nothing: one place right of the last decimal
        {0, 2, 10, -3},
        {1e-21, 9, 10, -10},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(IncrementExponent(c.base, c.increment, c.decimals), c.expected)
            << c.increment << " with " << c.decimals << " decimals";
    }
}

TEST(SpinEditMath, StepIsTheExactPowerOfTheBase)
{
    struct Case {
        int base;
        int exponent;
        double expected;
    };
    const Case cases[] = {
        {10, 0, 1},       {10, 3, 1000},    {10, -2, 0.01}, {10, -8, 1e-8},
        {10, -11, 1e-11}, {10, -18, 1e-18}, {2, -1, 0.5},   {16, 2, 256},
    };
    for (const Case &c : cases)
        EXPECT_EQ(StepForExponent(c.base, c.exponent), c.expected) << c.exponent;
}

TEST(SpinEditMath, FractionPlacesOfAStep)
{
    struct Case {
        int base;
        double x;
        int expected;
    };
    const Case cases[] = {
        {10, 1, 0},      {10, 1000, 0}, {10, 0.1, 1},       {10, 0.01, 2},   {10, 2.5, 1},
        {10, -0.25, 2},  {10, 1e-8, 8}, {10, 2.5e-10, 11},  {10, 5e-11, 11}, {10, 0, 0},
        {10, 1e-20, 18}, {2, 0.25, 2},  {16, 1.0 / 256, 2}, {3, 1.0 / 9, 2}, {3, 1.0 / 3, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FractionPlaces(c.base, c.x), c.expected) << c.x << " in base " << c.base;
}

TEST(SpinEditMath, RoundsToTheDigitsTheTextShows)
{
    struct Case {
        double value;
        int places;
        int base;
        double expected;
    };
    const Case cases[] = {
        {500.4000000000001, 11, 10, 500.4},
        {-500.4000000000001, 11, 10, -500.4},
        {0.30000000000000004, 2, 10, 0.3},
        {999.9999999997501, 11, 10, 999.99999999975},
        // halves as the text rounds them
        {2.675, 2, 10, 2.68},
        {-2.675, 2, 10, -2.68},
        {0.123, 2, 10, 0.12},
        {1.0 / 3 + 1e-15, 1, 3, 1.0 / 3},
        {0.75, 1, 2, 1.0},
        // more digits than a double holds in that base: left alone
        {1e16 + 2, 2, 3, 1e16 + 2},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RoundedToPlaces(c.value, c.places, c.base), c.expected)
            << c.value << " to " << c.places << " places in base " << c.base;
}

TEST(SpinEditMath, SteppedValueLandsOnTheDigits)
{
    struct Case {
        double value;
        double step;
        double floor;
        int decimals;
        int base;
        double expected;
    };
    const Case cases[] = {
        // the plain sum is 500.4000000000001
        {500.3, 0.1, 2.5e-10, 11, 10, 500.4},
        {500.4, -0.1, 2.5e-10, 11, 10, 500.3},
        {999.99999999975, -2.5e-10, 2.5e-10, 11, 10, 999.9999999995},
        // a floor finer than the text keeps its digits
        {100, 5e-11, 5e-11, 9, 10, 100.00000000005},
        {100.00000000005, 1e-9, 5e-11, 9, 10, 100.00000000105},
        // a value between the digits shown steps onto them
        {0.123, 0.01, 0.01, 2, 10, 0.13},
        {-0.1, 0.1, 0.01, 2, 10, 0.0},
        {255, 16, 1, 0, 16, 271},
        // no step, no change, not even onto the digits
        {5.001, 0, 0, 2, 10, 5.001},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SteppedValue(c.value, c.step, c.floor, c.decimals, c.base), c.expected)
            << c.value << " + " << c.step;

    // many steps never pile up the binary error of the step
    struct Walk {
        double step;
        int decimals;
        int base;
        int count;
        double end;
    };
    for (const Walk w : {Walk{0.1, 2, 10, 10, 1.0}, Walk{0.1, 1, 10, 1000, 100.0},
                         Walk{1.0 / 3, 2, 3, 300, 100.0}, Walk{2.5e-10, 11, 10, 4000, 1e-6}}) {
        double v = 0;
        for (int n = 0; n < w.count; ++n)
            v = SteppedValue(v, w.step, w.step, w.decimals, w.base);
        EXPECT_EQ(v, w.end) << w.count << " steps of " << w.step << " in base " << w.base;
        for (int n = 0; n < w.count; ++n)
            v = SteppedValue(v, -w.step, w.step, w.decimals, w.base);
        EXPECT_EQ(v, 0.0) << w.count << " steps of " << w.step << " and back";
    }
}

TEST(SpinEditMath, LocatesTheSelectionWithPlaceholders)
{
    struct Case {
        const char16_t *text;
        int exponent;
        int decimals;
        QChar separator;
        int base;
        const char16_t *expectedText;
        int expectedIndex;
    };
    const Case cases[] = {
        {u"5", 3, 0, kComma, 10, u"_,__5", 1},
        {u"5", 1, 0, kNone, 10, u"_5", 1},
        {u"5", 0, 0, kNone, 10, u"5", 1},
        // placeholders left of the selection disappear again
        {u"_,__5", 1, 0, kComma, 10, u"_5", 1},
        {u"_,__5", 0, 0, kComma, 10, u"5", 1},
        {u"2.50", -2, 2, kNone, 10, u"2.50", 4},
        {u"2.50", -1, 2, kNone, 10, u"2.50", 3},
        {u"2.50", 0, 2, kNone, 10, u"2.50", 1},
        {u"2.50", 1, 2, kNone, 10, u"_2.50", 1},
        // finer than the last decimal: past the end
        {u"2.50", -3, 2, kNone, 10, u"2.50", 5},
        {u"1,000.000,000,000", -9, 9, kComma, 10, u"1,000.000,000,000", 17},
        {u"1,000.000,000,000", -4, 9, kComma, 10, u"1,000.000,000,000", 11},
        {u"1,000.000,000,000", -3, 9, kComma, 10, u"1,000.000,000,000", 9},
        {u"1,000.000,000,000", 0, 9, kComma, 10, u"1,000.000,000,000", 5},
        {u"1,000.000,000,000", 3, 9, kComma, 10, u"1,000.000,000,000", 1},
        {u"1,000.000,000,000", 4, 9, kComma, 10, u"_1,000.000,000,000", 1},
        {u"1,000", 6, 0, kComma, 10, u"_,__1,000", 1},
        // the sign holds the place above the highest digit
        {u"-5", 1, 0, kNone, 10, u"-5", 1},
        {u"-5", 2, 0, kNone, 10, u"_-5", 1},
        {u"1,2345", 5, 0, kComma, 16, u"_1,2345", 1},
        {u"2345", 4, 0, kComma, 16, u"_,2345", 1},
    };
    for (const Case &c : cases) {
        const SpinSelection got = LocateSelection(QString::fromUtf16(c.text), c.exponent,
                                                  c.decimals, c.separator, c.base);
        EXPECT_EQ(got.text, QString::fromUtf16(c.expectedText))
            << QString::fromUtf16(c.text).toStdString() << " exponent " << c.exponent;
        EXPECT_EQ(got.focusIndex, c.expectedIndex)
            << QString::fromUtf16(c.text).toStdString() << " exponent " << c.exponent;
    }
}

TEST(SpinEditMath, ParsesInBaseOrRefuses)
{
    struct Case {
        const char16_t *text;
        int base;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {u"173.45", 10, 173.45},
        {u"-5", 10, -5.0},
        {u"-0.5", 10, -0.5},
        // the nearest double, not a digit-by-digit sum (that gives 0.30000000000000004)
        {u"0.3", 10, 0.3},
        {u"987.6500", 10, 987.65},
        {u"1000.000000000", 10, 1000.0},
        {u".5", 10, 0.5},
        {u"5.", 10, 5.0},
        {u"", 10, 0.0},
        {u"FF", 16, 255.0},
        {u"ff", 16, 255.0},
        {u"101.1", 2, 5.5},
        {u"-", 10, none()},
        {u"1.2.3", 10, none()},
        {u"12a", 10, none()},
        {u"3-5", 10, none()},
        {u"1,000", 10, none()},
        {u"G", 16, none()},
        {u"9", 8, none()},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(ParseInBase(QString::fromUtf16(c.text), c.base), c.expected)
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(SpinEditMath, TypedDigitReplacesTheSelectedCharacter)
{
    struct Case {
        const char16_t *text;
        int focusIndex;
        char16_t digit;
        QChar separator;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {u"123.45", 2, u'7', kNone, 173.45},
        {u"123.45", 6, u'9', kNone, 123.49},
        // typing over the sign makes the value positive
        {u"-5", 1, u'3', kNone, 35.0},
        {u"_5", 1, u'3', kNone, 35.0},
        {u"__5", 1, u'4', kNone, 405.0},
        {u"_,__5", 1, u'1', kComma, 1005.0},
        {u"1,000.000,000,000", 1, u'2', kComma, 2000.0},
        {u"1 000", 1, u'2', QChar(u' '), 2000.0},
        // a selection past the end changes nothing in the text
        {u"2.50", 5, u'7', kNone, 2.5},
        // a digit left of the sign makes no number
        {u"_-5", 1, u'3', kNone, none()},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(
            TypedValue(QString::fromUtf16(c.text), c.focusIndex, QChar(c.digit), 10, c.separator),
            c.expected)
            << QString::fromUtf16(c.text).toStdString() << " at " << c.focusIndex;
    }
}

TEST(SpinEditMath, RightZeroClearsOnlyDigitsRightOfTheSelection)
{
    struct Case {
        double value;
        int decimals;
        int exponent;
        int base;
        double expected;
    };
    const Case cases[] = {
        {987.6543, 4, 1, 10, 980},
        {987.6543, 4, -2, 10, 987.65},
        {987.6543, 4, 0, 10, 987},
        {987.6543, 4, -1, 10, 987.6},
        {987.6543, 4, -4, 10, 987.6543},
        {987.6543, 4, 2, 10, 900},
        {987.6543, 4, 3, 10, 0},
        {987.6543, 4, 5, 10, 0},
        {987.6543, 4, -5, 10, 987.6543},
        {-987.6543, 4, 1, 10, -980},
        // eleven decimals and fifteen digits: the integer part must survive
        {999.99999999975, 11, -10, 10, 999.9999999997},
        {999.99999999975, 11, -11, 10, 999.99999999975},
        {1234, 0, 2, 10, 1200},
        {5, 0, 0, 10, 5},
        {255, 0, 1, 16, 240},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(RightZeroed(c.value, c.decimals, c.exponent, c.base), c.expected)
            << c.value << " exponent " << c.exponent;
    }
}

TEST(SpinEditMath, ClickPositionSelectsTheDigitUnderIt)
{
    struct Case {
        const char16_t *text;
        int decimals;
        QChar separator;
        int x;
        int expected;
    };
    const Case cases[] = {
        {u"2.50", 2, kNone, 35, -2},
        {u"2.50", 2, kNone, 100, -2},
        {u"2.50", 2, kNone, 25, -1},
        {u"2.50", 2, kNone, 20, -1},
        // the decimal point belongs to the digit on its left
        {u"2.50", 2, kNone, 15, 0},
        {u"2.50", 2, kNone, 5, 0},
        // left of the text: the next higher digit
        {u"2.50", 2, kNone, -5, 1},
        {u"1,000", 0, kComma, 45, 0},
        {u"1,000", 0, kComma, 35, 1},
        {u"1,000", 0, kComma, 25, 2},
        // a separator belongs to the digit on its right
        {u"1,000", 0, kComma, 15, 2},
        {u"1,000", 0, kComma, 5, 3},
        {u"1,000", 0, kComma, -1, 4},
        {u"1.000,0", 4, kComma, 65, -4},
        {u"1.000,0", 4, kComma, 55, -4},
        {u"1.000,0", 4, kComma, 45, -3},
        {u"1.000,0", 4, kComma, 25, -1},
        {u"1.000,0", 4, kComma, 15, 0},
        {u"_5", 0, kNone, 5, 1},
        {u"_5", 0, kNone, 15, 0},
        {u"-5", 0, kNone, 5, 1},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(
            ExponentAtX(QString::fromUtf16(c.text), c.decimals, c.separator, c.x, tenPixelsEach),
            c.expected)
            << QString::fromUtf16(c.text).toStdString() << " at x " << c.x;
    }
}

TEST(SpinEditMath, SeparatorThatReadsAsNumberBecomesSpace)
{
    struct Case {
        QChar requested;
        QChar decimalPoint;
        QChar expected;
    };
    const QChar space(u' ');
    const Case cases[] = {
        {kComma, QChar(u'.'), kComma},     {QChar(u'.'), QChar(u'.'), space},
        {kComma, kComma, space},           {QChar(u'-'), QChar(u'.'), space},
        {QChar(u'+'), QChar(u'.'), space}, {QChar(u'5'), QChar(u'.'), space},
        {QChar(u'a'), QChar(u'.'), space}, {QChar(u'Z'), QChar(u'.'), space},
        {QChar(u'_'), QChar(u'.'), space}, {QChar(u'\''), QChar(u'.'), QChar(u'\'')},
        {space, QChar(u'.'), space},       {kNone, QChar(u'.'), kNone},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(EffectiveSeparator(c.requested, c.decimalPoint), c.expected)
            << "requested code " << static_cast<int>(c.requested.unicode());
    }
}

TEST(SpinEditMath, DigitValuesAndIntegerRounding)
{
    const std::pair<char16_t, int> digits[] = {
        {u'0', 0},  {u'9', 9},  {u'A', 10}, {u'a', 10}, {u'Z', 35}, {u'z', 35},
        {u'.', -1}, {u'-', -1}, {u' ', -1}, {u'_', -1}, {u'/', -1}, {u':', -1},
    };
    for (const auto &[c, v] : digits)
        EXPECT_EQ(DigitValue(QChar(c)), v) << static_cast<int>(c);

    const std::pair<double, qint64> rounding[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.4, 2},
        {2.6, 3},
        {4000000000.0, 4000000000LL},
        {1e30, std::numeric_limits<qint64>::max()},
        {-1e30, std::numeric_limits<qint64>::min()},
        {std::nan(""), 0},
    };
    for (const auto &[v, expected] : rounding)
        EXPECT_EQ(RoundHalfEven(v), expected) << v;
}
