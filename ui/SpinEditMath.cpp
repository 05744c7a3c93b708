#include "ui/SpinEditMath.h"

#include "model/NumberFormat.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace ui {

namespace {

// ln 2 .. ln 20 rounded to 13 decimal places. The rounding is part of the rules: with the exact
// logarithm, e^(3 ln 10) comes out a hair above 1000 and 1000 would span only 2 digits.
constexpr std::array<double, kSpinMaxBase - kSpinMinBase + 1> kLnTable = {
    0.6931471805599, 1.0986122886681, 1.3862943611199, 1.6094379124341, 1.7917594692281,
    1.9459101490553, 2.0794415416798, 2.1972245773362, 2.3025850929940, 2.3978952727984,
    2.4849066497880, 2.5649493574615, 2.6390573296153, 2.7080502011022, 2.7725887222398,
    2.8332133440562, 2.8903717578962, 2.9444389791664, 2.9957322735540,
};

int clampBase(int base)
{
    return std::clamp(base, kSpinMinBase, kSpinMaxBase);
}

QChar digitChar(int d)
{
    return d < 10 ? QChar(char16_t(u'0' + d)) : QChar(char16_t(u'A' + (d - 10)));
}

using model::ShortestDecimal;
using model::shortestDecimal;

// |value| x 10^decimals, rounded half away from zero on the shortest round-trip digits, as a
// string of decimal digits without leading zeros ("0" for zero).
std::string scaledDecimalDigits(double magnitude, int decimals)
{
    const auto [digits, exp10] = shortestDecimal(magnitude);

    // digits[j] weighs 10^(exp10 - j); the last digit kept weighs 10^-decimals.
    const long keep = static_cast<long>(exp10) + decimals + 1;
    if (keep < 0)
        return "0";
    if (keep == 0)
        return digits[0] >= '5' ? "1" : "0";
    if (keep >= static_cast<long>(digits.size()))
        return digits + std::string(static_cast<size_t>(keep) - digits.size(), '0');
    std::string n = digits.substr(0, static_cast<size_t>(keep));
    if (digits[static_cast<size_t>(keep)] >= '5') {
        int j = static_cast<int>(n.size()) - 1;
        while (j >= 0 && n[static_cast<size_t>(j)] == '9')
            n[static_cast<size_t>(j--)] = '0';
        if (j < 0)
            n.insert(n.begin(), '1');
        else
            ++n[static_cast<size_t>(j)];
    }
    return n;
}

// The same in another base; exact while the scaled value stays below 2^53, which covers every
// value such a control can sensibly show, and in the bases that are powers of two.
QString scaledDigitsInBase(double magnitude, int decimals, int base)
{
    double scale = 1.0;
    for (int k = 0; k < decimals; ++k)
        scale *= base;
    double n = std::round(magnitude * scale);
    int fractionZeros = 0;
    if (!std::isfinite(n)) {
        // Scaling overflowed: a value this large has no fraction, so its fraction digits are
        // zeros, and the digit loop below would never end on infinity.
        n = std::round(magnitude);
        fractionZeros = decimals;
    }
    QString out;
    while (n >= 1.0) {
        // fmod is exact, so the digit is always one of the base's; past 2^53 only the quotient
        // is rounded (q * base there may differ from n by far more than a digit).
        const double r = std::fmod(n, base);
        out.prepend(digitChar(static_cast<int>(r)));
        n = (n - r) / base;
    }
    if (out.isEmpty())
        out = QStringLiteral("0");
    return out + QString(fractionZeros, u'0');
}

} // namespace

double SpinLn(int base)
{
    return kLnTable[static_cast<size_t>(clampBase(base) - kSpinMinBase)];
}

int SpinGroupSize(int base)
{
    return base == 10 ? 3 : 4;
}

int DigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 10;
    return -1;
}

QChar EffectiveSeparator(QChar requested, QChar decimalPoint)
{
    if (requested.isNull())
        return QChar();
    // The placeholder counts too: it stands for a zero, and a separator mistaken for one would
    // turn 1_000 into 10000 when a digit is typed.
    if (requested == u'+' || requested == u'-' || requested == decimalPoint ||
        requested == kSpinPlaceholder || DigitValue(requested) >= 0)
        return QChar(u' ');
    return requested;
}

QString FixedText(double value, int decimals, int base)
{
    if (!std::isfinite(value))
        return QString::number(value);
    decimals = std::clamp(decimals, 0, kSpinMaxDecimals);
    base = clampBase(base);
    QString digits = base == 10
                         ? QString::fromLatin1(scaledDecimalDigits(std::fabs(value), decimals))
                         : scaledDigitsInBase(std::fabs(value), decimals, base);
    if (digits.size() <= decimals)
        digits.prepend(QString(decimals + 1 - digits.size(), u'0'));
    const bool zero =
        std::all_of(digits.cbegin(), digits.cend(), [](QChar c) { return c == u'0'; });
    QString out;
    if (value < 0 && !zero)
        out += u'-';
    out += digits.left(digits.size() - decimals);
    if (decimals > 0) {
        out += kSpinDecimalPoint;
        out += digits.right(decimals);
    }
    return out;
}

QString FormatSpinText(double value, int decimals, QChar separator, int base)
{
    QString s = FixedText(value, decimals, base);
    if (separator.isNull() || !std::isfinite(value))
        return s;
    decimals = std::clamp(decimals, 0, kSpinMaxDecimals);
    const int g = SpinGroupSize(base);
    const int l0 = static_cast<int>(s.size());
    const int p = l0 - decimals; // 1-based position of the point when there are decimals

    int at = p + g + 1;
    for (int n = (decimals - 1) / g; n > 0; --n, at += g + 1)
        s.insert(at - 1, separator);

    int q = decimals > 0 ? p : l0 + 1;
    const int first = s.startsWith(u'-') ? 2 : 1;
    while (q - g > first) {
        s.insert(q - g - 1, separator);
        q -= g;
    }
    return s;
}

int DigitSpan(int base, double x)
{
    const double ln = SpinLn(base);
    const double a = std::fabs(x);
    if (!std::isfinite(a))
        return 1;
    int e = 0;
    if (a > 1)
        e = static_cast<int>(std::nearbyint(std::log(a) / ln));
    if (a < std::exp(e * ln))
        --e;
    e = std::max(e, 1);
    if (x < 0)
        ++e;
    return e;
}

int IncrementExponent(int base, double increment, int decimals)
{
    const double ln = SpinLn(base);
    const double a = std::fabs(increment);
    if (!(a > 1e-20) || !std::isfinite(a))
        return -decimals - 1;
    int e = static_cast<int>(std::nearbyint(std::log(a) / ln));
    if (std::exp(e * ln) > 1.0001 * a)
        --e;
    return e;
}

double StepForExponent(int base, int exponent)
{
    base = clampBase(base);
    double p = 1.0;
    for (int k = 0; k < std::abs(exponent); ++k)
        p *= base;
    // One division instead of |e| of them: 1 / 10^8 is the double nearest 1e-8, repeated
    // division by 10 is not.
    return exponent >= 0 ? p : 1.0 / p;
}

int FractionPlaces(int base, double x)
{
    base = clampBase(base);
    const double a = std::fabs(x);
    if (a == 0.0 || !std::isfinite(a))
        return 0;
    if (base == 10) {
        const ShortestDecimal d = shortestDecimal(a);
        return std::clamp(static_cast<int>(d.digits.size()) - 1 - d.exp10, 0, kSpinMaxDecimals);
    }
    for (int k = 0; k < kSpinMaxDecimals; ++k) {
        const double scaled = a * StepForExponent(base, k);
        if (std::fabs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled))
            return k;
    }
    return kSpinMaxDecimals;
}

double RoundedToPlaces(double value, int places, int base)
{
    base = clampBase(base);
    places = std::clamp(places, 0, kSpinMaxDecimals);
    if (!std::isfinite(value))
        return value;
    // Base 10 is written from the exact shortest digits at any size; other bases go through an
    // integer that a double holds exactly only below 2^53.
    constexpr double kExactInteger = 9007199254740992.0;
    if (base != 10 && std::fabs(value) * StepForExponent(base, places) >= kExactInteger)
        return value;
    return ParseInBase(FixedText(value, places, base), base).value_or(value);
}

double SteppedValue(double value, double step, double floor, int decimals, int base)
{
    if (step == 0.0 || !std::isfinite(step))
        return value;
    const int places = std::max({std::clamp(decimals, 0, kSpinMaxDecimals),
                                 FractionPlaces(base, step), FractionPlaces(base, floor)});
    return RoundedToPlaces(value + step, places, base);
}

SpinSelection LocateSelection(const QString &text, int exponent, int decimals, QChar separator,
                              int base)
{
    const int e = exponent;
    const int d = decimals;
    const int g = SpinGroupSize(base);
    const bool grouped = !separator.isNull();
    QString s = text;

    int i = static_cast<int>(s.size()) - e - d;
    if (e >= 0 && d > 0)
        --i; // the decimal point
    if (grouped) {
        i -= (d - 1) / g;
        if (e < 0)
            i += (-1 - e) / g;
        else
            i -= e / g;
    }
    if (i < 1) {
        for (int k = i; k <= 0; ++k) {
            const bool boundary = grouped && (e + k + e / g + 1) % (g + 1) == 0;
            s.prepend(boundary ? separator : kSpinPlaceholder);
        }
        i = 1;
    }
    while (i > 1 && !s.isEmpty() &&
           (s.front() == kSpinPlaceholder || (grouped && s.front() == separator))) {
        s.remove(0, 1);
        --i;
    }
    return {s, i};
}

std::optional<double> ParseInBase(const QString &text, int base)
{
    base = clampBase(base);
    const bool negative = text.size() > 1 && text.front() == u'-';
    double mantissa = 0.0;
    int fractionDigits = 0;
    bool point = false;
    std::string plain; // the same text in ASCII, for the correctly rounded decimal read
    if (negative)
        plain += '-';
    for (qsizetype k = negative ? 1 : 0; k < text.size(); ++k) {
        const QChar c = text.at(k);
        if (c == kSpinDecimalPoint) {
            if (point)
                return std::nullopt;
            point = true;
            plain += '.';
            continue;
        }
        const int d = DigitValue(c);
        if (d < 0 || d >= base)
            return std::nullopt;
        mantissa = mantissa * base + d;
        if (point)
            ++fractionDigits;
        plain += static_cast<char>(c.unicode());
    }

    double r = mantissa / StepForExponent(base, fractionDigits);
    if (!std::isfinite(r)) {
        // So many digits that the mantissa or the power of the base overflowed: the whole part
        // on its own, and the fraction summed from its last digit, each stay in range.
        const qsizetype pointAt = text.indexOf(kSpinDecimalPoint);
        double fraction = 0.0;
        for (qsizetype k = text.size() - 1; pointAt >= 0 && k > pointAt; --k)
            fraction = (DigitValue(text.at(k)) + fraction) / base;
        double whole = 0.0;
        for (qsizetype k = negative ? 1 : 0; k < (pointAt >= 0 ? pointAt : text.size()); ++k)
            whole = whole * base + DigitValue(text.at(k));
        r = whole + fraction;
    }
    if (negative)
        r = -r;
    if (base == 10) {
        // Summing d x 10^-k digit by digit drifts (0.3 would read as 0.30000000000000004), and
        // a value that differs from the one shown would count as a change.
        double exact = 0.0;
        const auto res = std::from_chars(plain.data(), plain.data() + plain.size(), exact,
                                         std::chars_format::fixed);
        if (res.ec == std::errc() && res.ptr == plain.data() + plain.size())
            r = exact;
    }
    return r == 0.0 ? 0.0 : r;
}

std::optional<double> TypedValue(const QString &text, int focusIndex, QChar c, int base,
                                 QChar separator)
{
    QString s = text;
    if (focusIndex >= 1 && focusIndex <= s.size())
        s[focusIndex - 1] = c;
    for (qsizetype k = std::max(focusIndex, 0); k < s.size(); ++k) {
        if (s[k] == kSpinPlaceholder)
            s[k] = u'0';
    }
    if (!separator.isNull())
        s.remove(separator);
    return ParseInBase(s, base);
}

double RightZeroed(double value, int decimals, int exponent, int base)
{
    QString s = FixedText(value, decimals, base);
    int zeroed = 0;
    if (exponent < 0) {
        zeroed = std::max(decimals + exponent, 0);
    } else {
        if (decimals > 0)
            s.truncate(s.indexOf(kSpinDecimalPoint));
        zeroed = std::min(exponent, static_cast<int>(s.size()));
    }
    for (qsizetype k = s.size() - zeroed; k < s.size(); ++k)
        s[k] = u'0';
    return ParseInBase(s, base).value_or(value);
}

int ExponentAtX(const QString &text, int decimals, QChar separator, int x,
                const std::function<int(const QString &)> &width)
{
    const bool grouped = !separator.isNull();
    QString s = DisplayText(text);
    s.chop(1);
    if (grouped && s.endsWith(separator))
        s.chop(1);
    int i = -decimals;
    while (!s.isEmpty() && width(s) > x) {
        ++i;
        s.chop(1);
        if (!s.isEmpty() && (i == 0 || (grouped && s.endsWith(separator))))
            s.chop(1);
    }
    if (x < 0)
        ++i;
    return i;
}

QString DisplayText(const QString &text)
{
    QString s = text;
    s.replace(kSpinPlaceholder, u'0');
    return s;
}

qint64 RoundHalfEven(double v)
{
    if (std::isnan(v))
        return 0;
    constexpr double kLimit = 9223372036854775808.0; // 2^63
    if (v >= kLimit)
        return std::numeric_limits<qint64>::max();
    if (v < -kLimit)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(std::nearbyint(v));
}

} // namespace ui
