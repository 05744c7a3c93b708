#include "link/ReplyText.h"

#include <charconv>
#include <cmath>

namespace ilink::replytext {

namespace {

bool isControlOrBlank(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// from_chars takes "-" but not "+", so a "+" is dropped first; "+-1" is not a number.
std::optional<std::string_view> withoutPlus(QByteArrayView text)
{
    std::string_view s(text.data(), static_cast<size_t>(text.size()));
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && s.front() == '-')
            return std::nullopt;
    }
    return s;
}

template <typename Int> std::optional<Int> toInteger(QByteArrayView text)
{
    const auto unsignedText = withoutPlus(text);
    if (!unsignedText)
        return std::nullopt;
    const std::string_view s = *unsignedText;
    const size_t digitsFrom = (!s.empty() && s.front() == '-') ? 1 : 0;
    if (s.size() == digitsFrom)
        return std::nullopt;
    for (size_t i = digitsFrom; i < s.size(); ++i) {
        if (!isDigit(s[i]))
            return std::nullopt;
    }
    Int value{};
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, 10);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

// The plain decimal grammar only: from_chars alone would also take "inf", "nan" and hex.
bool isDecimalNumber(std::string_view s)
{
    size_t i = 0;
    if (i < s.size() && s[i] == '-')
        ++i;
    size_t mantissaDigits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        size_t exponentDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

QByteArray FirstLine(const QByteArray &text)
{
    const auto isLineEnd = [](char c) { return c == '\r' || c == '\n'; };
    qsizetype first = 0;
    while (first < text.size() && isLineEnd(text.at(first)))
        ++first;
    qsizetype end = first;
    while (end < text.size() && !isLineEnd(text.at(end)))
        ++end;
    return text.mid(first, end - first);
}

QByteArray StripTrailing(QByteArray text)
{
    qsizetype n = text.size();
    while (n > 0 && isControlOrBlank(text.at(n - 1)))
        --n;
    text.truncate(n);
    return text;
}

QByteArray Trim(QByteArray text)
{
    text = StripTrailing(std::move(text));
    qsizetype first = 0;
    while (first < text.size() && isControlOrBlank(text.at(first)))
        ++first;
    return text.mid(first);
}

std::optional<qint32> ToInt32(QByteArrayView text)
{
    return toInteger<qint32>(text);
}

std::optional<qint64> ToInt64(QByteArrayView text)
{
    return toInteger<qint64>(text);
}

std::optional<double> ToDouble(QByteArrayView text)
{
    const auto unsignedText = withoutPlus(text);
    if (!unsignedText || !isDecimalNumber(*unsignedText))
        return std::nullopt;
    const std::string_view s = *unsignedText;
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace ilink::replytext
