#include "link/LocalTimeText.h"

namespace ilink::localtime {

namespace {

// Quoted text in a Qt date-time format is literal: a "t" inside it is no zone field.
QString withoutZoneFields(const QString &format)
{
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted && c == u't')
            continue;
        out += c;
    }
    return out;
}

// Brackets that held only the zone ("(t)" in some locales), and the blank that parted it from
// the time, go with it. Quoted text is left alone.
QString tidied(const QString &format)
{
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (!quoted) {
            if ((c == u'(' || c == u'[') && i + 1 < format.size() &&
                format.at(i + 1) == (c == u'(' ? u')' : u']')) {
                ++i;
                continue;
            }
            if (c == u' ' && (out.isEmpty() || out.back() == u' '))
                continue;
        }
        out += c;
    }
    while (out.endsWith(u' '))
        out.chop(1);
    return out;
}

} // namespace

QString LongTimeFormatWithoutZone(const QLocale &locale)
{
    return tidied(withoutZoneFields(locale.timeFormat(QLocale::LongFormat)));
}

QString LongTimeText(const QLocale &locale, const QTime &time)
{
    return locale.toString(time, LongTimeFormatWithoutZone(locale));
}

QString DateCommaTime(const QLocale &locale, const QDate &date, const QTime &time)
{
    return locale.toString(date, QLocale::ShortFormat) + u',' + LongTimeText(locale, time);
}

} // namespace ilink::localtime
