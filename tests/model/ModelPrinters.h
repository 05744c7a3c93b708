#pragma once

#include <QString>

#include <ostream>

// Readable failure messages for Qt strings in this folder's tests.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
