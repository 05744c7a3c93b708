#include "model/ReplyParsing.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <optional>

using namespace model;

namespace {

TEST(ParseInt32, WholeTextSigned32BitOnly) {
    const struct {
        const char *text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"12", 12},
        {"-1", -1},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {" 1", std::nullopt},
        {"1 ", std::nullopt},
        {"1.0", std::nullopt},
        {"1E3", std::nullopt},
        {"1,000", std::nullopt},
        {"0x10", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"+-1", std::nullopt},
        {"--1", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseInt32(QString::fromLatin1(c.text)), c.value) << '"' << c.text << '"';
}

TEST(ParseInt32, NonAsciiDigitsAreNotDigits) {
    // Arabic-Indic digit one and a fullwidth digit one.
    EXPECT_EQ(parseInt32(QString(QChar(0x0661))), std::nullopt);
    EXPECT_EQ(parseInt32(QString(QChar(0xFF11))), std::nullopt);
}

TEST(ParseInt64, Range) {
    EXPECT_EQ(parseInt64(QStringLiteral("4000000000")), 4000000000LL);
    EXPECT_EQ(parseInt64(QStringLiteral("9223372036854775807")), 9223372036854775807LL);
    EXPECT_EQ(parseInt64(QStringLiteral("9223372036854775808")), std::nullopt);
    EXPECT_EQ(parseInt64(QStringLiteral("-5")), -5);
    EXPECT_EQ(parseInt64(QStringLiteral("40e8")), std::nullopt);
}

TEST(ParseDouble, DecimalPointAndExponentOnly) {
    // A comma locale must not change how a reply is read.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct {
        const char *text;
        std::optional<double> value;
    } cases[] = {
        {"0", 0.0},
        {"0.001", 0.001},
        {"1E-6", 1e-6},
        {"1e-6", 1e-6},
        {"-2.5E-10", -2.5e-10},
        {"+2.5", 2.5},
        {"5.", 5.0},
        {".5", 0.5},
        {"1E+3", 1000.0},
        {"999.99999999975", 999.99999999975},
        {"0,5", std::nullopt},
        {"1,000.5", std::nullopt},
        {"12abc", std::nullopt},
        {"abc", std::nullopt},
        {"", std::nullopt},
        {".", std::nullopt},
        {"E5", std::nullopt},
        {"1E", std::nullopt},
        {"1E+", std::nullopt},
        {" 1.5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"0x1p3", std::nullopt},
        {"1e999", std::nullopt},
        {"1.5.2", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseDouble(QString::fromLatin1(c.text)), c.value) << '"' << c.text << '"';
    QLocale::setDefault(saved);
}

TEST(ReplyDecoding, NumericRepliesFallBackToZero) {
    const struct {
        const char *reply;
        std::int32_t integer;
        double floating;
        std::uint32_t count;
    } cases[] = {
        {"", 0, 0.0, 0},
        {"abc", 0, 0.0, 0},
        {"1", 1, 1.0, 1},
        {"  25 \t", 25, 25.0, 25},
        {"\x01"
         "3\x7f",
         0, 0.0, 0}, // 127 is no blank: the text stays unreadable
        {"0.0001", 0, 0.0001, 0},
        {"1E-6", 0, 1e-6, 0},
        {"4000000000", 0, 4e9, 4000000000u},
        // Only the low 32 bits of a long count are kept.
        {"4294967296", 0, 4294967296.0, 0u},
        {"4294967297", 0, 4294967297.0, 1u},
        {"-1", -1, -1.0, 4294967295u},
        {"12abc", 0, 0.0, 0},
    };
    for (const auto &c : cases) {
        const QString reply = QString::fromLatin1(c.reply);
        EXPECT_EQ(decodeInteger(reply), c.integer) << '"' << c.reply << '"';
        EXPECT_EQ(decodeFloat(reply), c.floating) << '"' << c.reply << '"';
        EXPECT_EQ(decodeLongCount(reply), c.count) << '"' << c.reply << '"';
    }
}

TEST(ReplyDecoding, EmptyCountsAsZeroButBlanksAreUnreadable) {
    // The exchange layer logs a conversion failure; an empty reply is no failure, blanks are.
    EXPECT_EQ(numericReplyText(QString()), QStringLiteral("0"));
    EXPECT_EQ(parseInt32(numericReplyText(QString())), 0);
    EXPECT_EQ(numericReplyText(QStringLiteral("   ")), QString());
    EXPECT_EQ(parseInt32(numericReplyText(QStringLiteral("   "))), std::nullopt);
    EXPECT_EQ(numericReplyText(QStringLiteral(" 5\r")), QStringLiteral("5"));
}

} // namespace
