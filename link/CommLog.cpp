#include "link/CommLog.h"

#include "link/LocalTimeText.h"
#include "transport/UserDialogs.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace ilink {

namespace {

const QString kCannotWriteMessage = QStringLiteral(
    "Log file cannot be written to. Please run program from writable location. Logging will "
    "be disabled.");

} // namespace

CommLog::CommLog(QString filePath, transport::UserDialogs *dialogs)
    : m_filePath(std::move(filePath)), m_dialogs(dialogs)
{
}

CommLog::~CommLog()
{
    m_file.close();
}

QString CommLog::FileNameFor(const QString &userName, const QString &startTimeStamp)
{
    return QStringLiteral("HxxxLogFile_") + userName + u'_' + startTimeStamp +
           QStringLiteral(".txt");
}

QString CommLog::TimeOfDay()
{
    return QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
}

QString CommLog::HeaderLine(const QString &date, const QString &time)
{
    return QStringLiteral("Hxxx Communication Log File ") + date + u',' + time;
}

QString CommLog::SentLine(const QString &time, const QString &lastCommand)
{
    return QStringLiteral("Sent    (") + time + QStringLiteral("): ") + lastCommand;
}

QString CommLog::ReceivedLine(const QString &time, const QString &reply)
{
    return QStringLiteral("Received(") + time + QStringLiteral("): ") + reply;
}

QString CommLog::CommandDisabledLine(const QString &time, const QString &command)
{
    return QStringLiteral("Command Disabled:    (") + time + QStringLiteral("): ") + command;
}

QString CommLog::ComportInUseLine(const QString &time, const QString &command)
{
    return QStringLiteral("Comport in use:    (") + time + QStringLiteral("): ") + command;
}

QString CommLog::ExceptionErrorLine(const QString &time)
{
    return QStringLiteral("Exception Error (") + time;
}

QString CommLog::TimeoutErrorLine(const QString &time)
{
    return QStringLiteral("Timeout Error(") + time + u')';
}

void CommLog::ToggleLoggingState()
{
    if (m_enabled)
        switchOff();
    else
        switchOn();
}

void CommLog::Close()
{
    if (m_enabled)
        switchOff();
    m_file.close();
}

void CommLog::switchOff()
{
    m_file.close();
    setEnabled(false);
}

void CommLog::switchOn()
{
    setEnabled(true);
    m_file.setFileName(m_filePath);
    const QLocale locale = QLocale::system();
    const bool ok =
        m_file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
        writeLine(HeaderLine(locale.toString(QDate::currentDate(), QLocale::ShortFormat),
                             localtime::LongTimeText(locale, QTime::currentTime())));
    if (ok)
        return;
    m_file.close();
    setEnabled(false);
    if (m_dialogs)
        m_dialogs->message(transport::UserDialogs::Kind::Information, kCannotWriteMessage,
                           {transport::UserDialogs::Button::Ok});
}

void CommLog::setEnabled(bool on)
{
    if (m_enabled == on)
        return;
    m_enabled = on;
    if (onLoggingChanged)
        onLoggingChanged(on);
}

// Each line is flushed at once: the log exists to explain what happened just before a hang
// or crash, and a failing disk is noticed at the line that failed.
bool CommLog::writeLine(const QString &line)
{
    const QByteArray bytes = line.toLocal8Bit() + "\r\n";
    return m_file.write(bytes) == bytes.size() && m_file.flush();
}

// A write error after the file was created (a full disk) turns logging off quietly: a modal
// message here would stop the exchange that is being logged, in the middle of its read.
void CommLog::append(const QString &line)
{
    if (!writeLine(line))
        switchOff();
}

void CommLog::Sent(const QString &lastCommand)
{
    if (m_enabled)
        append(SentLine(TimeOfDay(), lastCommand));
}

void CommLog::Received(const QString &reply)
{
    if (m_enabled)
        append(ReceivedLine(TimeOfDay(), reply));
}

void CommLog::CommandDisabled(const QString &command)
{
    if (m_enabled)
        append(CommandDisabledLine(TimeOfDay(), command));
}

void CommLog::ComportInUse(const QString &command)
{
    if (m_enabled)
        append(ComportInUseLine(TimeOfDay(), command));
}

void CommLog::ExceptionError()
{
    if (m_enabled)
        append(ExceptionErrorLine(TimeOfDay()));
}

void CommLog::TimeoutError()
{
    if (m_enabled)
        append(TimeoutErrorLine(TimeOfDay()));
}

} // namespace ilink
