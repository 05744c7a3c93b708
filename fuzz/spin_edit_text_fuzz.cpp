// The spin edit's text rules: reading a text in a base, typing a digit over the shown text,
// and the text the control shows for a value, which must always read back.
#include "fuzz/FuzzSupport.h"
#include "ui/SpinEditMath.h"

#include <QString>

#include <cmath>
#include <cstring>

namespace {

using namespace ui;

bool isSeparatorOrPlaceholder(QChar c, QChar separator)
{
    return c == kSpinPlaceholder || (!separator.isNull() && c == separator);
}

QString withoutLeading(QString text, QChar separator)
{
    while (!text.isEmpty() && isSeparatorOrPlaceholder(text.front(), separator))
        text.remove(0, 1);
    return text;
}

qsizetype wholeDigitCount(const QString &text)
{
    qsizetype n = 0;
    for (QChar c : text) {
        if (c == kSpinDecimalPoint)
            break;
        n += DigitValue(c) >= 0 ? 1 : 0;
    }
    return n;
}

// The grammar ParseInBase promises, checked on its own.
bool readsAsNumber(const QString &text, int base)
{
    qsizetype i = text.size() > 1 && text.front() == u'-' ? 1 : 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text.at(i) == kSpinDecimalPoint) {
            if (point)
                return false;
            point = true;
            continue;
        }
        const int d = DigitValue(text.at(i));
        if (d < 0 || d >= base)
            return false;
    }
    return true;
}

// Below this many digits before the point no base up to 20 leaves the double range, however
// many follow it.
constexpr qsizetype kFiniteDigits = 200;

QChar digitOf(int d)
{
    return QString::number(d, 36).toUpper().front();
}

// Arbitrary text: read, and typed over, without harm.
void checkText(const QString &text, int base, int focusIndex, QChar typed, QChar separator)
{
    const std::optional<double> value = ParseInBase(text, base);
    FUZZ_CHECK(value.has_value() == readsAsNumber(text, base));
    FUZZ_CHECK(ParseInBase(text, base) == value);
    if (value)
        FUZZ_CHECK(!std::isnan(*value));
    if (value && wholeDigitCount(text) <= kFiniteDigits)
        FUZZ_CHECK(std::isfinite(*value));
    if (value && base == 10 && text.size() <= kFiniteDigits) {
        // The double nearest to the text, as Qt's own reader finds it.
        bool ok = false;
        const double qtValue = text.toDouble(&ok);
        FUZZ_CHECK(!ok || qtValue == *value);
    }
    (void)TypedValue(text, focusIndex, typed, base, separator);
}

// A value as the control shows it, then a digit typed over the selected digit.
void checkShownValue(double value, int decimals, int base, QChar separator, int exponent,
                     QChar typed, int x)
{
    const QString fixed = FixedText(value, decimals, base);
    const QString shown = FormatSpinText(value, decimals, separator, base);
    FUZZ_CHECK(FormatSpinText(value, decimals, QChar(), base) == fixed);
    if (!std::isfinite(value))
        return;

    FUZZ_CHECK(QString(shown).remove(separator) == fixed);
    const std::optional<double> read = ParseInBase(fixed, base);
    FUZZ_CHECK(read.has_value());
    // Other bases are written exactly below 2^53 and in powers of two; past that the digits
    // are rounded, and at the very top of the range may read as a hair above the largest double.
    const bool powerOfTwo = (base & (base - 1)) == 0;
    const bool exact =
        base == 10 || powerOfTwo || std::fabs(value) * std::pow(base, decimals) < 0x1p53;
    if (exact || std::fabs(value) < 1e300) {
        FUZZ_CHECK(std::isfinite(*read));
        FUZZ_CHECK(*read == value || std::fabs(*read - value) <= 1e-12 * std::fabs(value) ||
                   std::fabs(*read - value) <= std::pow(base, -decimals));
    }
    // The value read from the text shows as the same text. In bases other than ten and the
    // powers of two the reading divides by the base's power, so that needs the scaled value
    // well inside the exact range.
    const bool stable =
        base == 10 || powerOfTwo || std::fabs(value) * std::pow(base, decimals) < 0x1p49;
    if (stable)
        FUZZ_CHECK(FixedText(*read, decimals, base) == fixed);

    const SpinSelection selection = LocateSelection(shown, exponent, decimals, separator, base);
    FUZZ_CHECK(selection.focusIndex >= 1);
    FUZZ_CHECK(withoutLeading(selection.text, separator) == withoutLeading(shown, separator));
    // A digit typed over a digit or a placeholder makes a number, except left of a minus sign,
    // which the control answers with its "not a number" message.
    if (selection.focusIndex <= selection.text.size()) {
        const QChar at = selection.text.at(selection.focusIndex - 1);
        const qsizetype minus = selection.text.indexOf(u'-');
        if ((DigitValue(at) >= 0 || at == kSpinPlaceholder) &&
            (minus < 0 || minus < selection.focusIndex - 1)) {
            const std::optional<double> typedValue =
                TypedValue(selection.text, selection.focusIndex, typed, base, separator);
            FUZZ_CHECK(typedValue.has_value());
            // A bigger digit typed at the top of the double range may leave it; the control
            // keeps its value then.
            FUZZ_CHECK(std::isfinite(*typedValue) || std::fabs(value) >= 1e300);
        }
    }

    if (exact || std::fabs(value) < 1e300)
        FUZZ_CHECK(std::isfinite(RightZeroed(value, decimals, exponent, base)));
    FUZZ_CHECK(DigitSpan(base, value) >= 1);
    const auto width = [](const QString &text) { return 7 * static_cast<int>(text.size()); };
    (void)ExponentAtX(selection.text, decimals, separator, x, width);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzsupport::InputReader in(data, size);
    const int base = in.intIn(kSpinMinBase, kSpinMaxBase);
    const int decimals = in.intIn(0, kSpinMaxDecimals);
    const QChar requested(static_cast<char16_t>(in.word()));
    const QChar separator = in.byte() % 4 == 0 ? QChar() : EffectiveSeparator(requested);
    const QChar typed = digitOf(in.intIn(0, base - 1));
    const int exponent = in.intIn(-decimals - 1, 30);
    const int focusIndex = in.intIn(-2, 60);
    const int x = in.intIn(-10, 245);
    std::uint8_t raw[sizeof(double)];
    for (std::uint8_t &b : raw)
        b = in.byte();
    double value = 0.0;
    std::memcpy(&value, raw, sizeof value);
    const QString text = QString::fromUtf8(in.rest());

    checkText(text, base, focusIndex, typed, separator);
    checkShownValue(value, decimals, base, separator, exponent, typed, x);
    return 0;
}
