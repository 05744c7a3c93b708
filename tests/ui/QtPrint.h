#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest show a QString as text in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
