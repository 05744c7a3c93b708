#include "control/SettingsFiles.h"

#include "control/SettingsFileFormat.h"
#include "transport/UserDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QThread>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace control {

using transport::UserDialogs;

namespace {

// Marks a file operation as running for as long as it is on the stack.
class RunningFlag {
public:
    explicit RunningFlag(bool &flag) : m_flag(flag) { m_flag = true; }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag &) = delete;
    RunningFlag &operator=(const RunningFlag &) = delete;

private:
    bool &m_flag;
};

struct ReadResult {
    QByteArray bytes;
    QString error; // empty on success
    bool notRegular = false;
};

// Opens `path` for reading only when it is a regular file. A named pipe would block the open
// until some writer came, and a device or socket holds no settings; the type is checked on
// the opened file itself, so the path cannot be swapped between the check and the read.
bool openRegularFile(const QString &path, QFile &file, ReadResult &result)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        file.setFileName(path);
        file.open(QIODevice::ReadOnly); // for Qt's own wording of the reason
        result.error = file.errorString();
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        result.notRegular = true;
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        result.error = file.errorString();
        return false;
    }
    return true;
#else
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.notRegular = true;
        return false;
    }
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return false;
    }
    return true;
#endif
}

// Reads no more than one byte past the limit, so a huge file is recognised without reading
// it whole.
ReadResult readLimited(const QString &path)
{
    ReadResult result;
    QFile file;
    if (!openRegularFile(path, file, result))
        return result;
    while (result.bytes.size() <= MaxSettingsFileBytes) {
        const QByteArray chunk = file.read(MaxSettingsFileBytes + 1 - result.bytes.size());
        if (chunk.isEmpty())
            break;
        result.bytes += chunk;
    }
    if (file.error() != QFileDevice::NoError)
        result.error = file.errorString();
    return result;
}

QString problemText(const QString &path, SettingsFileProblem problem)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (problem) {
    case SettingsFileProblem::TooLarge:
        return QStringLiteral("\"%1\" is not a settings file: it is larger than %2 KB.")
            .arg(name)
            .arg(MaxSettingsFileBytes / 1024);
    case SettingsFileProblem::TooManyEntries:
        return QStringLiteral("\"%1\" is not a settings file: it has more than %2 lines.")
            .arg(name)
            .arg(MaxSettingsFileEntries);
    case SettingsFileProblem::NotText:
        return QStringLiteral("\"%1\" is not a settings file: it is not plain text.").arg(name);
    case SettingsFileProblem::None:
        break;
    }
    return {};
}

} // namespace

SettingsFiles::SettingsFiles(UserDialogs &dialogs, Hooks hooks)
    : m_dialogs(dialogs), m_hooks(std::move(hooks))
{
    if (!m_hooks.pause)
        m_hooks.pause = [](std::chrono::milliseconds ms) {
            QThread::msleep(static_cast<unsigned long>(ms.count()));
        };
}

void SettingsFiles::inform(const QString &text)
{
    m_dialogs.message(UserDialogs::Kind::Information, text, {UserDialogs::Button::Ok});
}

void SettingsFiles::fail(const QString &text)
{
    m_dialogs.message(UserDialogs::Kind::Error, text, {UserDialogs::Button::Ok});
}

SettingsFiles::Outcome SettingsFiles::SaveToFile1Click()
{
    if (m_running)
        return Outcome::Busy;
    RunningFlag running(m_running);

    const bool complete = m_hooks.readBack();
    if (m_hooks.shuttingDown())
        return Outcome::Stopped;
    // A partial list would read as a complete settings file, and replaying it would silently
    // leave the settings it lacks as they happen to be.
    if (!complete) {
        fail(QStringLiteral("The instrument stopped answering while its settings were read. No "
                            "file was saved."));
        return Outcome::Failed;
    }

    const std::optional<QString> path =
        m_dialogs.saveFile({QStringLiteral("Save system parameters"), QDir::currentPath(),
                            QStringLiteral("Text file|*.txt"), QStringLiteral("txt")});
    if (!path) {
        inform(QStringLiteral("Save to file was cancelled"));
        return Outcome::Cancelled;
    }

    // Written beside the old file and renamed over it, so a failed write leaves the old
    // file as it was. A directory we may not create files in still lets us replace a file
    // we may write, only then not atomically.
    const QByteArray bytes = SettingsFileBytes(m_hooks.settingsList());
    QSaveFile file(*path);
    file.setDirectWriteFallback(true);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written) {
        fail(QStringLiteral("The settings could not be saved to \"%1\": %2")
                 .arg(QDir::toNativeSeparators(*path), file.errorString()));
        return Outcome::Failed;
    }
    return Outcome::Done;
}

SettingsFiles::Outcome SettingsFiles::RestoreSettingsFromFile1Click()
{
    if (m_running)
        return Outcome::Busy;
    RunningFlag running(m_running);

    UserDialogs::FileChoice choice;
    choice.defaultSuffix = QStringLiteral("txt");
    const std::optional<QString> path = m_dialogs.openFile(choice);
    if (!path)
        return Outcome::Cancelled;
    if (m_hooks.shuttingDown())
        return Outcome::Stopped;

    const ReadResult read = readLimited(*path);
    if (read.notRegular) {
        fail(QStringLiteral("\"%1\" is not a settings file: it is not a regular file.")
                 .arg(QDir::toNativeSeparators(*path)));
        return Outcome::Failed;
    }
    if (!read.error.isEmpty()) {
        fail(QStringLiteral("The settings file \"%1\" could not be read: %2")
                 .arg(QDir::toNativeSeparators(*path), read.error));
        return Outcome::Failed;
    }
    const SettingsFileContent content = ParseSettingsFile(read.bytes);
    if (content.problem != SettingsFileProblem::None) {
        fail(problemText(*path, content.problem));
        return Outcome::Failed;
    }
    return replay(content.entries);
}

SettingsFiles::Outcome SettingsFiles::replay(const QList<QByteArray> &entries)
{
    const bool busyShown = !entries.isEmpty();
    if (busyShown) {
        m_hooks.showBusy(QStringLiteral("Loading. Please wait..."));
    } else {
        inform(QStringLiteral("Empty file."));
    }

    bool stopped = false;
    for (const QByteArray &entry : entries) {
        if (m_hooks.shuttingDown()) {
            stopped = true;
            break;
        }
        m_hooks.pause(ReplayLinePause);
        if (IsSkippedEntry(entry))
            continue;
        m_hooks.send(entry);
        // A lost reply may have ended in a restart or exit; nothing more goes to the port.
        if (m_hooks.shuttingDown()) {
            stopped = true;
            break;
        }
        QCoreApplication::processEvents();
    }

    if (!stopped) {
        m_hooks.readBack();
        stopped = m_hooks.shuttingDown();
    }
    if (busyShown)
        m_hooks.hideBusy();
    if (stopped)
        return Outcome::Stopped;
    inform(QStringLiteral("Settings loaded."));
    return Outcome::Done;
}

} // namespace control
