// Numeric replies as the exchange reads them: trailing blanks off the line, an empty reply
// taken as "0", blanks off both ends, then the whole text as a 32-bit, 64-bit or floating
// number or nothing.
#include "fuzz/FuzzSupport.h"
#include "link/ReplyText.h"

#include <QByteArray>

#include <cmath>

namespace {

using namespace ilink::replytext;

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool onlySignAndDigits(const QByteArray &text)
{
    qsizetype i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray line = fuzzsupport::bytesOf(data, size);

    const QByteArray stripped = StripTrailing(line);
    FUZZ_CHECK(line.startsWith(stripped));
    FUZZ_CHECK(stripped.isEmpty() || !isBlank(stripped.back()));
    for (qsizetype i = stripped.size(); i < line.size(); ++i)
        FUZZ_CHECK(isBlank(line[i]));
    FUZZ_CHECK(StripTrailing(stripped) == stripped);

    const QByteArray text = Trim(stripped.isEmpty() ? QByteArray("0") : stripped);
    FUZZ_CHECK(stripped.contains(text) || stripped.isEmpty());
    FUZZ_CHECK(text.isEmpty() || (!isBlank(text.front()) && !isBlank(text.back())));
    FUZZ_CHECK(Trim(text) == text);
    FUZZ_CHECK(Trim(line) == Trim(stripped));

    const auto i32 = ToInt32(text);
    const auto i64 = ToInt64(text);
    const auto real = ToDouble(text);

    // Integers: sign and digits only, and the 32-bit reading is the 64-bit one where it fits.
    FUZZ_CHECK(!i64 || onlySignAndDigits(text));
    FUZZ_CHECK(!i32 || (i64 && *i64 == *i32));
    if (i64 && *i64 >= INT32_MIN && *i64 <= INT32_MAX)
        FUZZ_CHECK(i32 && *i32 == *i64);
    if (i64)
        FUZZ_CHECK(ToInt64(QByteArray::number(*i64)) == i64);
    // An integer is a number too, read as the double nearest to it.
    if (i64)
        FUZZ_CHECK(real && *real == static_cast<double>(*i64));

    // Floating point: finite, and the same value Qt's own reader finds in the same text.
    if (real) {
        FUZZ_CHECK(std::isfinite(*real));
        bool ok = false;
        const double qtValue = text.toDouble(&ok);
        FUZZ_CHECK(!ok || qtValue == *real);
        FUZZ_CHECK(ToDouble(QByteArray::number(*real, 'g', 17)) == real);
    }
    return 0;
}
