#include "link/Communication.h"

#include "link/CommLog.h"
#include "link/ReplyText.h"
#include "transport/TVNComPort.h"

#include <QThread>

namespace ilink {

namespace {

const QByteArray kLineEnd("\r\n");

void pause()
{
    QThread::msleep(Communication::kExchangePauseMs);
}

} // namespace

Communication::Communication(transport::TVNComPort &port) : m_port(port) {}

bool Communication::PortInUse() const
{
    return m_port.InUse();
}

QString Communication::QueryPort(const QString &command)
{
    return QString::fromLocal8Bit(queryBytes(command));
}

QByteArray Communication::queryBytes(const QString &command)
{
    if (m_ended)
        return {};
    pause();
    if (m_ended || m_demoMode || m_port.InUse())
        return {};
    m_port.Flush();
    m_lastCommand = command + u'?';
    m_port.Write(m_lastCommand.toLocal8Bit() + kLineEnd);
    if (m_log)
        m_log->Sent(m_lastCommand);
    return readReplyBytes();
}

QByteArray Communication::numericReply(const QString &command)
{
    QByteArray reply = queryBytes(command);
    if (reply.isEmpty())
        reply = "0";
    return replytext::Trim(reply);
}

void Communication::exceptionError()
{
    if (m_log)
        m_log->ExceptionError();
}

qint32 Communication::QueryPortInteger(const QString &command)
{
    if (const auto value = replytext::ToInt32(numericReply(command)))
        return *value;
    exceptionError();
    return 0;
}

double Communication::QueryPortFloat(const QString &command)
{
    if (const auto value = replytext::ToDouble(numericReply(command)))
        return *value;
    exceptionError();
    return 0.0;
}

qint64 Communication::QueryPortInt64(const QString &command)
{
    if (const auto value = replytext::ToInt64(numericReply(command)))
        return *value;
    exceptionError();
    return 0;
}

QString Communication::CommandToPort(const QString &command)
{
    if (m_ended)
        return {};
    if (m_suppressCommands) {
        if (m_log)
            m_log->CommandDisabled(command);
        return {};
    }
    pause();
    if (m_ended)
        return {};
    if (m_demoMode) {
        m_lastCommand = command;
        echo(QString::fromLocal8Bit(replytext::StripTrailing(command.toLocal8Bit())), SentColor());
        if (m_log)
            m_log->Sent(m_lastCommand);
        return {};
    }
    if (m_port.InUse()) {
        if (m_log)
            m_log->ComportInUse(command);
        return {};
    }
    m_port.Flush();
    m_lastCommand = command;
    const QByteArray bytes = command.toLocal8Bit();
    m_port.Write(bytes + kLineEnd);
    echo(QString::fromLocal8Bit(replytext::StripTrailing(bytes)), SentColor());
    if (m_log)
        m_log->Sent(m_lastCommand);
    return ReadResponseEcho();
}

QByteArray Communication::readReplyBytes()
{
    if (m_ended || m_demoMode)
        return {};
    const QByteArray reply = replytext::StripTrailing(replytext::FirstLine(m_port.Read()));
    if (m_log)
        m_log->Received(QString::fromLocal8Bit(reply));
    return reply;
}

QString Communication::ReadResponse()
{
    return QString::fromLocal8Bit(readReplyBytes());
}

QString Communication::ReadResponseEcho()
{
    if (m_ended)
        return {};
    const QString reply = ReadResponse();
    echo(reply, ReceivedColor());
    return reply;
}

void Communication::echo(const QString &text, const QColor &color)
{
    if (m_terminal)
        m_terminal(u'(' + CommLog::TimeOfDay() + QStringLiteral(") ") + text, color);
}

} // namespace ilink
