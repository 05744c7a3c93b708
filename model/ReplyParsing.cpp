#include "model/ReplyParsing.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace model {

namespace {

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// ASCII only: any other character already makes the text no number.
std::optional<QByteArray> asciiOf(const QString &text) {
    for (const QChar c : text) {
        if (c.unicode() > 127)
            return std::nullopt;
    }
    return text.toLatin1();
}

template <typename Int> std::optional<Int> parseInteger(const QString &text) {
    const std::optional<QByteArray> bytes = asciiOf(text);
    if (!bytes)
        return std::nullopt;
    const char *begin = bytes->constData();
    const char *end = begin + bytes->size();
    // from_chars takes a minus but no plus.
    if (begin != end && *begin == '+' && end - begin > 1 && begin[1] != '-')
        ++begin;
    Int value{};
    const auto [ptr, ec] = std::from_chars(begin, end, value, 10);
    if (ec != std::errc() || ptr != end || begin == end)
        return std::nullopt;
    return value;
}

// [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits]
bool isDecimalSyntax(const QByteArray &s) {
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && (s[i] == '+' || s[i] == '-'))
        ++i;
    qsizetype mantissaDigits = 0;
    while (i < n && isAsciiDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && isAsciiDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            ++i;
        qsizetype exponentDigits = 0;
        while (i < n && isAsciiDigit(s[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    return i == n;
}

} // namespace

std::optional<std::int32_t> parseInt32(const QString &text) {
    return parseInteger<std::int32_t>(text);
}

std::optional<std::int64_t> parseInt64(const QString &text) {
    return parseInteger<std::int64_t>(text);
}

std::optional<double> parseDouble(const QString &text) {
    const std::optional<QByteArray> bytes = asciiOf(text);
    if (!bytes || !isDecimalSyntax(*bytes))
        return std::nullopt;
    const char *begin = bytes->constData();
    const char *end = begin + bytes->size();
    if (*begin == '+')
        ++begin;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
    // A value beyond the range of a double (either end) is no reading the instrument meant.
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString numericReplyText(const QString &reply) {
    if (reply.isEmpty())
        return QStringLiteral("0");
    qsizetype first = 0;
    qsizetype last = reply.size();
    while (first < last && reply.at(first).unicode() <= 32)
        ++first;
    while (last > first && reply.at(last - 1).unicode() <= 32)
        --last;
    return reply.mid(first, last - first);
}

std::int32_t decodeInteger(const QString &reply) {
    return parseInt32(numericReplyText(reply)).value_or(0);
}

double decodeFloat(const QString &reply) {
    return parseDouble(numericReplyText(reply)).value_or(0.0);
}

std::uint32_t decodeLongCount(const QString &reply) {
    const std::int64_t value = parseInt64(numericReplyText(reply)).value_or(0);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
}

} // namespace model
