#pragma once

#include <QFile>
#include <QString>

#include <functional>

namespace transport {
class UserDialogs;
}

namespace ilink {

// The optional communication log: one text file, open exactly while logging is on, one line
// per exchange event with a millisecond time stamp. Every write is a no-op while logging is off.
class CommLog {
public:
    // `filePath` is normally the relative FileNameFor(...), so the file lands in the working
    // directory. `dialogs` may be null: then the failure message is not shown.
    explicit CommLog(QString filePath, transport::UserDialogs *dialogs = nullptr);
    ~CommLog();

    CommLog(const CommLog &) = delete;
    CommLog &operator=(const CommLog &) = delete;

    static QString FileNameFor(const QString &userName, const QString &startTimeStamp);
    // Local time of day "hh:mm:ss.zzz", the stamp of every log and terminal line.
    static QString TimeOfDay();

    QString filePath() const { return m_filePath; }
    bool LoggingEnabled() const { return m_enabled; }

    // Off -> on re-creates the file (earlier content is lost) and writes the header.
    void ToggleLoggingState();
    // Shutdown: close the file, logging off.
    void Close();

    // Called with the new state whenever LoggingEnabled changes; the window's menu check
    // mark follows it.
    std::function<void(bool enabled)> onLoggingChanged;

    void Sent(const QString &lastCommand);
    void Received(const QString &reply);
    void CommandDisabled(const QString &command);
    void ComportInUse(const QString &command);
    void ExceptionError();
    void TimeoutError();

    static QString HeaderLine(const QString &date, const QString &time);
    static QString SentLine(const QString &time, const QString &lastCommand);
    static QString ReceivedLine(const QString &time, const QString &reply);
    static QString CommandDisabledLine(const QString &time, const QString &command);
    static QString ComportInUseLine(const QString &time, const QString &command);
    static QString ExceptionErrorLine(const QString &time);
    static QString TimeoutErrorLine(const QString &time);

private:
    void switchOn();
    void switchOff();
    void setEnabled(bool on);
    bool writeLine(const QString &line);
    void append(const QString &line);

    QString m_filePath;
    transport::UserDialogs *m_dialogs;
    QFile m_file;
    bool m_enabled = false;
};

} // namespace ilink
