#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

// The arithmetic of TPlusSpinEdit: text form, digit positions, steps, parsing. Positions in
// texts are 1-based and digit exponents count 0 for the units, 1 for the tens, -1 for the first
// decimal. Divisions of negative numbers truncate toward zero on purpose: the placement rules
// below were worked out with that rounding and give wrong positions with floor division.
namespace ui {

inline constexpr int kSpinMinBase = 2;
inline constexpr int kSpinMaxBase = 20;
inline constexpr int kSpinMaxDecimals = 18;
// The text is always written and read with this point, whatever the user's locale, so that the
// text the control shows is the text it reads back.
inline constexpr QChar kSpinDecimalPoint = u'.';
// Drawn as "0"; marks a digit left of the number's first digit that the selection has reached.
inline constexpr QChar kSpinPlaceholder = u'_';

// Natural logarithm of a base 2..20 as the control's digit rules use it: rounded to 13 decimal
// places, which decides on which side of an exact power a value falls (1000 spans 3 digits).
double SpinLn(int base);

// Digits are grouped by 3 in base 10 and by 4 in every other base.
int SpinGroupSize(int base);

// "0"-"9" are 0-9, "A"-"Z" and "a"-"z" are 10-35; anything else has no value (-1).
int DigitValue(QChar c);

// The character drawn for a requested group separator: a character that could be read as part
// of a number (sign, digit, decimal point, placeholder) becomes a space; QChar() (code 0) stays
// "no grouping".
QChar EffectiveSeparator(QChar requested, QChar decimalPoint = kSpinDecimalPoint);

// value in fixed point with exactly `decimals` digits after the point, in `base`, no grouping.
// Halves round away from zero, judged on the shortest decimal form that reads back as the same
// double, so 2.675 (stored as 2.67499999...) shows as 2.68. A result of zero carries no sign.
QString FixedText(double value, int decimals, int base = 10);

// FixedText with the fraction and the integer part grouped by `separator` (QChar() for none).
QString FormatSpinText(double value, int decimals, QChar separator, int base = 10);

// The highest digit exponent the value needs, at least 1, the minus sign counted as one more.
int DigitSpan(int base, double x);

// Exponent of the digit whose unit matches an Increment: the digit just at or below it, or
// -decimals - 1 for an increment of (nearly) zero.
int IncrementExponent(int base, double increment, int decimals);

// base^exponent; exact for every exponent the control can select.
double StepForExponent(int base, int exponent);

// Digits after the point that `x` needs in `base` to be written exactly (0.1 needs 1, 2.5e-10
// needs 11), at most kSpinMaxDecimals. In base 10 this is judged on the shortest text that reads
// back as the same double; in other bases, on the first power of the base that makes x whole.
int FractionPlaces(int base, double x);

// The double nearest to `value` written with `places` digits after the point in `base`, halves
// rounded as FixedText rounds them. Unchanged when the base cannot hold that many digits of it.
double RoundedToPlaces(double value, int places, int base);

// One arrow step: value + step (a negative step goes down), rounded to the finest digit that the
// text, the step or the step floor can reach. A sum of doubles drifts off the decimal grid
// (500.3 + 0.1 is 500.4000000000001), and a value off the grid is refused by the handlers; the
// rounded sum is the value the digits say, so stepping up and back down returns exactly. A zero
// step leaves the value as it is.
double SteppedValue(double value, double step, double floor, int decimals, int base);

struct SpinSelection {
    QString text;   // the text with "_" placeholders added or dropped
    int focusIndex; // 1-based position of the selected digit; past the end when it has none
};

// Where the digit of `exponent` stands in `text`; when it lies left of the first character,
// placeholders (and separators at group boundaries) are added up to it, and placeholders left
// of the selection are dropped again.
SpinSelection LocateSelection(const QString &text, int exponent, int decimals, QChar separator,
                              int base);

// Reads an optional leading "-", digits below `base` and at most one decimal point. Nothing on
// any other character or a second point. The result is the double nearest to the text.
std::optional<double> ParseInBase(const QString &text, int base);

// The value that results from typing `c` over the character at `focusIndex` of the displayed
// text; nothing when the text so made is no number. The caller has checked that `c` is a digit
// of the base.
std::optional<double> TypedValue(const QString &text, int focusIndex, QChar c, int base,
                                 QChar separator);

// The value with every digit right of the digit of `exponent` set to zero. All digits that the
// text shows are kept, so the digits left of the selection never change.
double RightZeroed(double value, int decimals, int exponent, int base);

// Which digit a click hits: `x` is measured from the text's left edge and `width` measures a
// text in the control's font. A separator belongs to the digit on its right, the decimal point
// to the digit on its left, and a click left of the text means the next higher digit.
int ExponentAtX(const QString &text, int decimals, QChar separator, int x,
                const std::function<int(const QString &)> &width);

// "_" placeholders shown as the zeros they stand for.
QString DisplayText(const QString &text);

// Nearest integer, halves to even, saturated to the 64-bit range.
qint64 RoundHalfEven(double v);

} // namespace ui
