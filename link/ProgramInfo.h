#pragma once

#include <QString>
#include <QStringList>

namespace ilink::startup {

// What the command line asks for before anything starts.
enum class InfoRequest { None, Help, Version };

// "--help" or "--version" after the program's path, exactly so (the first one wins). They are
// answered before the toolkit starts: no display, no port and no window is needed for them.
InfoRequest FindInfoRequest(const QStringList &arguments);

// One line per switch, for `program` (the name it was started by).
QString HelpText(const QString &program);

// The program's name and version, one line.
QString VersionText(const QString &program);

} // namespace ilink::startup
