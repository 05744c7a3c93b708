#include "link/ProgramInfo.h"

#include "BuildVersion.h"

namespace ilink::startup {

InfoRequest FindInfoRequest(const QStringList &arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--help"))
            return InfoRequest::Help;
        if (arguments.at(i) == QLatin1String("--version"))
            return InfoRequest::Version;
    }
    return InfoRequest::None;
}

QString HelpText(const QString &program)
{
    return QStringLiteral(
               "Usage: %1 [-log] [-pick] [-demo]\n"
               "%2: finds the instrument and shows its settings.\n"
               "\n"
               "  -log       write the communication log to the working folder\n"
               "  -pick      choose the serial port by hand instead of searching for it\n"
               "  -demo      run without an instrument\n"
               "  --help     print this help and exit\n"
               "  --version  print the program's name and version and exit\n"
               "\n"
               "A switch starts with a dash or a slash and may be written in any letter case\n"
               "(-log, /LOG). Ports and files: see the manual page, man %1.\n")
        .arg(program, QString::fromUtf8(buildversion::FileDescription));
}

QString VersionText(const QString &program)
{
    return QStringLiteral("%1 (%2) %3\n")
        .arg(program, QString::fromUtf8(buildversion::ProductName),
             QString::fromUtf8(buildversion::FileVersion));
}

} // namespace ilink::startup
