#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace ilink::startup {

struct CommandLineSwitches {
    bool log = false;  // communication log on from the start
    bool pick = false; // choose the port by hand instead of discovery
    bool demo = false; // no instrument
};

// `arguments` as QCoreApplication::arguments() gives them: the program first, then the
// switches. A switch is "-" or "/" followed by its word in any letter case, and nothing else.
CommandLineSwitches ParseCommandLine(const QStringList &arguments);

// "mm-dd-yy_hh-nn-ss" with a 24-hour clock: part of the log file's name.
QString StartTimeStamp(const QDateTime &when);

// USERNAME as on Windows, else USER; empty when neither is set.
QString UserName();

} // namespace ilink::startup
