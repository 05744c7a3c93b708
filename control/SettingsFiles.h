#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

namespace transport {
class UserDialogs;
}

namespace control {

// "Save Settings To File" and "Restore Settings From File". Both hold the user-interface
// thread for their whole length; the replay hands control to the event loop between lines,
// so the flags below decide what may happen meanwhile.
class SettingsFiles {
public:
    // Room for the instrument between replayed lines; it comes before every entry, comment
    // lines included, so a file of n entries takes at least n times this.
    static constexpr std::chrono::milliseconds ReplayLinePause{30};

    struct Hooks {
        // The full read-back; it rebuilds the settings list. False when it was cut short, and
        // the list is partial.
        std::function<bool()> readBack;
        std::function<QStringList()> settingsList;
        // One exchange: the line goes out as it stands and its reply is awaited.
        std::function<void(const QByteArray &line)> send;
        std::function<void(const QString &text)> showBusy;
        std::function<void()> hideBusy;
        // True once a restart or exit has begun; the port may already be released then.
        std::function<bool()> shuttingDown;
        // Defaults to sleeping on this thread.
        std::function<void(std::chrono::milliseconds)> pause;
    };

    enum class Outcome {
        Done,      // written / replayed and read back
        Cancelled, // the chooser was cancelled
        Failed,    // the file could not be read or written, or is no settings file
        Stopped,   // the program began to shut down on the way
        Busy,      // another file operation is still running further up the stack
    };

    SettingsFiles(transport::UserDialogs &dialogs, Hooks hooks);

    Outcome SaveToFile1Click();
    Outcome RestoreSettingsFromFile1Click();

private:
    Outcome replay(const QList<QByteArray> &entries);
    void inform(const QString &text);
    void fail(const QString &text);

    transport::UserDialogs &m_dialogs;
    Hooks m_hooks;
    bool m_running = false;
};

} // namespace control
