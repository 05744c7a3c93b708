#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// Dates and times as the user writes them, for the settings file's first line and the log
// header. Qt's long time format names the time zone ("2:05:09 PM UTC" on Linux), which these
// lines have never carried; the rest of the user's format stays as it is.
namespace ilink::localtime {

// The locale's long time format with its zone fields, and what only framed them, taken out.
QString LongTimeFormatWithoutZone(const QLocale &locale);

QString LongTimeText(const QLocale &locale, const QTime &time);

// Short date, a comma, long time without the zone.
QString DateCommaTime(const QLocale &locale, const QDate &date, const QTime &time);

} // namespace ilink::localtime
