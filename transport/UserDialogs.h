#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace transport {

// Every modal message, question and file chooser of the program goes through this one
// interface. The window installs a Qt implementation; tests install a scripted one that
// records each text and answers from a script, so no test ever blocks on a real dialog.
class UserDialogs {
public:
    enum class Button { Ok, Cancel, Yes, No, Abort, Retry, Ignore };
    enum class Kind { Information, Warning, Error };

    struct FileChoice {
        QString title;         // empty: the toolkit's default title
        QString directory;     // initial directory; empty: the working directory
        QString filter;        // in the program's own form, e.g. "Text file|*.txt"
        QString defaultSuffix; // appended to a name typed without extension, e.g. "txt"
    };

    struct PortChoice {
        QStringList entries;  // "COM3", "COM12", ...
        QStringList toolTips; // one per entry: the device the entry maps to
        int preselected = -1; // index into entries, -1 for none
    };

    virtual ~UserDialogs() = default;

    // Shows a modal message with exactly the given buttons; returns the one pressed.
    virtual Button message(Kind kind, const QString &text, const QList<Button> &buttons) = 0;

    // The port selection dialog; returns the chosen entry's index, or nothing on Cancel or
    // on OK with no entry selected.
    virtual std::optional<int> pickPort(const PortChoice &choice) = 0;

    // File choosers; nothing when the user cancelled.
    virtual std::optional<QString> saveFile(const FileChoice &choice) = 0;
    virtual std::optional<QString> openFile(const FileChoice &choice) = 0;
};

} // namespace transport
