#include "link/StartUp.h"

#include <QtGlobal>

namespace ilink::startup {

namespace {

bool isSwitch(const QString &argument, QLatin1StringView word)
{
    if (argument.size() != word.size() + 1)
        return false;
    const QChar lead = argument.front();
    return (lead == u'-' || lead == u'/') &&
           QStringView(argument).mid(1).compare(word, Qt::CaseInsensitive) == 0;
}

} // namespace

CommandLineSwitches ParseCommandLine(const QStringList &arguments)
{
    CommandLineSwitches switches;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        switches.log |= isSwitch(argument, QLatin1StringView("log"));
        switches.pick |= isSwitch(argument, QLatin1StringView("pick"));
        switches.demo |= isSwitch(argument, QLatin1StringView("demo"));
    }
    return switches;
}

QString StartTimeStamp(const QDateTime &when)
{
    return when.toString(QStringLiteral("MM-dd-yy_HH-mm-ss"));
}

QString UserName()
{
    QString name = qEnvironmentVariable("USERNAME");
    if (name.isEmpty())
        name = qEnvironmentVariable("USER");
    return name;
}

} // namespace ilink::startup
