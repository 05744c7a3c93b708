// The user's long time format without the time-zone name Qt adds to it on Linux.
#include "link/LocalTimeText.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using ilink::localtime::DateCommaTime;
using ilink::localtime::LongTimeText;

struct Case {
    const char *locale;
    const char16_t *expected; // 14:05:09
};

class LongTimeWithoutZone : public ::testing::TestWithParam<Case> {};

TEST_P(LongTimeWithoutZone, KeepsTheUsersFormatAndDropsTheZone)
{
    const QLocale locale(QString::fromLatin1(GetParam().locale));
    EXPECT_EQ(LongTimeText(locale, QTime(14, 5, 9)), QString::fromUtf16(GetParam().expected));
}

// The zone stands last, first, in brackets, or after quoted literal text, by locale.
INSTANTIATE_TEST_SUITE_P(Locales, LongTimeWithoutZone,
                         ::testing::Values(Case{"en_US", u"2:05:09 PM"}, Case{"de_DE", u"14:05:09"},
                                           Case{"zh_CN", u"14:05:09"},
                                           Case{"ja_JP", u"14時05分09秒"},
                                           Case{"fa_IR", u"۱۴:۰۵:۰۹"},
                                           Case{"bg_BG", u"14:05:09 ч."}, Case{"C", u"14:05:09"}));

TEST(LongTimeWithoutZone, ZoneNameNeverAppearsWhateverTheZone)
{
    const QByteArray savedTz = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    const QString text = LongTimeText(QLocale(QStringLiteral("en_US")), QTime(14, 5, 9));
    if (savedTz.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", savedTz);
    EXPECT_EQ(text, QStringLiteral("2:05:09 PM"));
}

TEST(DateCommaTime, ShortDateCommaLongTime)
{
    EXPECT_EQ(DateCommaTime(QLocale(QStringLiteral("en_US")), QDate(2024, 3, 15), QTime(14, 5, 9)),
              QStringLiteral("3/15/24,2:05:09 PM"));
}

} // namespace
