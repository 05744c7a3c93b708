#include "control/SettingsFiles.h"
#include "tests/support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

using Button = transport::UserDialogs::Button;
using Kind = transport::UserDialogs::Kind;
using Outcome = control::SettingsFiles::Outcome;

void ensureApp()
{
    static int argc = 1;
    static char name[] = "settingsfiles_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
}

// The window's side, scripted: every hook call lands in one ordered log.
class SettingsFilesTest : public ::testing::Test {
protected:
    SettingsFilesTest()
    {
        ensureApp();
        EXPECT_TRUE(dir.isValid());
    }

    control::SettingsFiles::Hooks hooks()
    {
        control::SettingsFiles::Hooks h;
        h.readBack = [this] {
            events << QStringLiteral("read back");
            choosersAtReadBack << dialogs.saveShown.size();
            return readBackComplete;
        };
        h.settingsList = [this] { return settingsList; };
        h.send = [this](const QByteArray &line) {
            events << QStringLiteral("send ") + QString::fromLatin1(line);
            if (onSend)
                onSend(line);
        };
        h.showBusy = [this](const QString &t) { events << QStringLiteral("busy ") + t; };
        h.hideBusy = [this] { events << QStringLiteral("hide busy"); };
        h.shuttingDown = [this] { return shuttingDown; };
        h.pause = [this](std::chrono::milliseconds ms) {
            events << QStringLiteral("pause %1").arg(ms.count());
        };
        return h;
    }

    QString writeFile(const QByteArray &content)
    {
        const QString path = dir.filePath(QStringLiteral("settings.txt"));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }

    QByteArray readFile(const QString &path)
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    Outcome restore(const QString &path)
    {
        dialogs.answerFileNext(path);
        return files.RestoreSettingsFromFile1Click();
    }

    QTemporaryDir dir;
    testsupport::ScriptedDialogs dialogs;
    QStringList events;
    QStringList settingsList;
    bool shuttingDown = false;
    bool readBackComplete = true;
    QList<qsizetype> choosersAtReadBack;
    std::function<void(const QByteArray &)> onSend;
    control::SettingsFiles files{dialogs, hooks()};
};

TEST_F(SettingsFilesTest, SaveReadsBackThenWritesCrLfLines)
{
    settingsList = {QStringLiteral("// 10/12/2026,13:04:48"), QStringLiteral(":PULS0:PER 0.001"),
                    QStringLiteral(":PULS1:SYNC T0")};
    const QString path = dir.filePath(QStringLiteral("saved.txt"));
    dialogs.answerFileNext(path);

    EXPECT_EQ(files.SaveToFile1Click(), Outcome::Done);
    EXPECT_EQ(events, QStringList{QStringLiteral("read back")});
    EXPECT_EQ(choosersAtReadBack, QList<qsizetype>{0});
    ASSERT_EQ(dialogs.saveShown.size(), 1);
    EXPECT_EQ(dialogs.saveShown[0].title, QStringLiteral("Save system parameters"));
    EXPECT_EQ(dialogs.saveShown[0].directory, QDir::currentPath());
    EXPECT_EQ(dialogs.saveShown[0].filter, QStringLiteral("Text file|*.txt"));
    EXPECT_EQ(dialogs.saveShown[0].defaultSuffix, QStringLiteral("txt"));
    EXPECT_EQ(readFile(path),
              QByteArray("// 10/12/2026,13:04:48\r\n:PULS0:PER 0.001\r\n:PULS1:SYNC T0\r\n"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SettingsFilesTest, SaveReplacesAnExistingFileWithoutAsking)
{
    const QString path = writeFile(QByteArray(5000, 'x'));
    settingsList = {QStringLiteral(":PULS0:PER 1")};
    dialogs.answerFileNext(path);
    EXPECT_EQ(files.SaveToFile1Click(), Outcome::Done);
    EXPECT_EQ(readFile(path), QByteArray(":PULS0:PER 1\r\n"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SettingsFilesTest, SaveCancelledSaysSoAndLeavesFilesAlone)
{
    const QString path = writeFile("old\r\n");
    settingsList = {QStringLiteral(":PULS0:PER 1")};
    EXPECT_EQ(files.SaveToFile1Click(), Outcome::Cancelled);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Information);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Save to file was cancelled"));
    EXPECT_EQ(dialogs.shown[0].buttons, QList<Button>{Button::Ok});
    EXPECT_EQ(readFile(path), QByteArray("old\r\n"));
    EXPECT_EQ(events, QStringList{QStringLiteral("read back")});
}

TEST_F(SettingsFilesTest, SaveToAPlaceThatCannotHoldAFileReportsIt)
{
    // A path below a regular file cannot be created, whoever runs the test.
    const QString blocker = writeFile("x");
    const QString path = blocker + QStringLiteral("/saved.txt");
    settingsList = {QStringLiteral(":PULS0:PER 1")};
    dialogs.answerFileNext(path);
    EXPECT_EQ(files.SaveToFile1Click(), Outcome::Failed);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Error);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QDir::toNativeSeparators(path)))
        << dialogs.shown[0].text.toStdString();
    EXPECT_EQ(readFile(blocker), QByteArray("x"));
}

TEST_F(SettingsFilesTest, SaveStopsWhenTheReadBackEndedTheProgram)
{
    shuttingDown = true;
    EXPECT_EQ(files.SaveToFile1Click(), Outcome::Stopped);
    EXPECT_TRUE(dialogs.saveShown.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SettingsFilesTest, SaveAfterACutShortReadBackWritesNoFileAndSaysSo)
{
    const QString path = writeFile("old\r\n");
    settingsList = {QStringLiteral("// 10/12/2026,13:04:48"), QStringLiteral(":PULS0:PER 0.001")};
    readBackComplete = false;
    dialogs.answerFileNext(path);
    EXPECT_EQ(files.SaveToFile1Click(), Outcome::Failed);
    EXPECT_TRUE(dialogs.saveShown.isEmpty()) << "no file is chosen for a partial list";
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Error);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("The instrument stopped answering while its settings were read. "
                             "No file was saved."));
    EXPECT_EQ(readFile(path), QByteArray("old\r\n"));
}

TEST_F(SettingsFilesTest, RestoreCancelledDoesNothing)
{
    EXPECT_EQ(files.RestoreSettingsFromFile1Click(), Outcome::Cancelled);
    ASSERT_EQ(dialogs.openShown.size(), 1);
    EXPECT_EQ(dialogs.openShown[0].defaultSuffix, QStringLiteral("txt"));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SettingsFilesTest, RestoreSendsEveryCommandLineAfterAPauseAndReadsBack)
{
    const QString path = writeFile("// 10/12/2026,13:04:48\r\n"
                                   ":PULS0:PER 0.001\r\n"
                                   "\r\n"
                                   ":PULS1:WIDT 0.000001 // wider\r\n"
                                   ":PULS1:SYNC T0\r\n");
    EXPECT_EQ(restore(path), Outcome::Done);
    const QString pause = QStringLiteral("pause 30");
    EXPECT_EQ(events,
              (QStringList{QStringLiteral("busy Loading. Please wait..."), pause, pause,
                           QStringLiteral("send :PULS0:PER 0.001"), pause, QStringLiteral("send "),
                           pause, pause, QStringLiteral("send :PULS1:SYNC T0"),
                           QStringLiteral("read back"), QStringLiteral("hide busy")}));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Information);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Settings loaded."));
}

TEST_F(SettingsFilesTest, RestoreOfAnEmptyFileStillReadsBack)
{
    EXPECT_EQ(restore(writeFile("")), Outcome::Done);
    EXPECT_EQ(dialogs.texts(),
              (QStringList{QStringLiteral("Empty file."), QStringLiteral("Settings loaded.")}));
    EXPECT_EQ(events, QStringList{QStringLiteral("read back")});
}

TEST_F(SettingsFilesTest, SavedFileReplaysItsCommandsOnceInOrder)
{
    settingsList = {QStringLiteral("// 10/12/2026,13:04:48"), QStringLiteral("// HRA8"),
                    QStringLiteral(":PULS0:PER 0.001"), QStringLiteral(":PULS0:MOD NORM"),
                    QStringLiteral(":PULS1:DEL 1E-5")};
    const QString path = dir.filePath(QStringLiteral("roundtrip.txt"));
    dialogs.answerFileNext(path);
    ASSERT_EQ(files.SaveToFile1Click(), Outcome::Done);
    events.clear();

    EXPECT_EQ(restore(path), Outcome::Done);
    EXPECT_EQ(events.filter(QStringLiteral("send ")),
              (QStringList{QStringLiteral("send :PULS0:PER 0.001"),
                           QStringLiteral("send :PULS0:MOD NORM"),
                           QStringLiteral("send :PULS1:DEL 1E-5")}));
    EXPECT_EQ(events.filter(QStringLiteral("pause")).size(), settingsList.size());
}

TEST_F(SettingsFilesTest, EventsAreServedBetweenLines)
{
    const QString path = writeFile(":A 1\r\n:B 2\r\n");
    onSend = [this](const QByteArray &line) {
        if (line == ":A 1")
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [this] { events << QStringLiteral("event"); },
                Qt::QueuedConnection);
    };
    EXPECT_EQ(restore(path), Outcome::Done);
    const qsizetype event = events.indexOf(QStringLiteral("event"));
    ASSERT_GE(event, 0);
    EXPECT_GT(event, events.indexOf(QStringLiteral("send :A 1")));
    EXPECT_LT(event, events.indexOf(QStringLiteral("send :B 2")));
}

TEST_F(SettingsFilesTest, ShutdownDuringReplayStopsBeforeTheNextLine)
{
    const QString path = writeFile(":A 1\r\n:B 2\r\n:C 3\r\n");
    onSend = [this](const QByteArray &line) { shuttingDown = line == ":B 2"; };
    EXPECT_EQ(restore(path), Outcome::Stopped);
    EXPECT_EQ(events.filter(QStringLiteral("send ")),
              (QStringList{QStringLiteral("send :A 1"), QStringLiteral("send :B 2")}));
    EXPECT_FALSE(events.contains(QStringLiteral("read back")));
    EXPECT_EQ(events.last(), QStringLiteral("hide busy"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SettingsFilesTest, ShutdownDuringAnEventBetweenLinesStopsTheReplay)
{
    const QString path = writeFile(":A 1\r\n:B 2\r\n");
    onSend = [this](const QByteArray &) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [this] { shuttingDown = true; }, Qt::QueuedConnection);
    };
    EXPECT_EQ(restore(path), Outcome::Stopped);
    EXPECT_EQ(events.filter(QStringLiteral("send ")), QStringList{QStringLiteral("send :A 1")});
    EXPECT_FALSE(events.contains(QStringLiteral("read back")));
}

TEST_F(SettingsFilesTest, SecondFileOperationDuringAReplayIsIgnored)
{
    const QString path = writeFile(":A 1\r\n");
    Outcome nestedRestore = Outcome::Done, nestedSave = Outcome::Done;
    onSend = [&](const QByteArray &) {
        nestedRestore = files.RestoreSettingsFromFile1Click();
        nestedSave = files.SaveToFile1Click();
    };
    EXPECT_EQ(restore(path), Outcome::Done);
    EXPECT_EQ(nestedRestore, Outcome::Busy);
    EXPECT_EQ(nestedSave, Outcome::Busy);
    EXPECT_EQ(dialogs.openShown.size(), 1);
    EXPECT_TRUE(dialogs.saveShown.isEmpty());
    EXPECT_EQ(events.filter(QStringLiteral("read back")).size(), 1);
    // A finished replay frees the way again.
    EXPECT_EQ(files.RestoreSettingsFromFile1Click(), Outcome::Cancelled);
}

struct BadFileCase {
    const char *name;
    std::function<QString(const QTemporaryDir &)> make;
};

void PrintTo(const BadFileCase &c, std::ostream *os)
{
    *os << c.name;
}

class SettingsFilesRefusal : public SettingsFilesTest,
                             public ::testing::WithParamInterface<BadFileCase> {
protected:
    void TearDown() override
    {
        if (pipeUnblocker.joinable())
            pipeUnblocker.join();
    }

public:
    // A reader that opens a named pipe blocks until a writer comes. Should the program try to
    // read one, this writer comes after a while, so the test fails instead of hanging.
    static inline std::thread pipeUnblocker;
};

QString namedPipe(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("pipe.txt"));
    const QByteArray native = QFile::encodeName(path);
    if (::mkfifo(native.constData(), 0600) != 0)
        return path;
    SettingsFilesRefusal::pipeUnblocker = std::thread([native] {
        std::this_thread::sleep_for(std::chrono::seconds(3));
        const int fd = ::open(native.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
    });
    return path;
}

QString unixSocket(const QTemporaryDir &dir)
{
    const QString path = dir.filePath(QStringLiteral("socket.txt"));
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (native.size() >= qsizetype(sizeof(address.sun_path)))
        return path;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd >= 0) {
        // The name stays in the folder after the socket is closed.
        ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address));
        ::close(fd);
    }
    return path;
}

TEST_P(SettingsFilesRefusal, NothingIsSentAndTheUserIsTold)
{
    const QString path = GetParam().make(dir);
    EXPECT_EQ(restore(path), Outcome::Failed);
    EXPECT_TRUE(events.isEmpty()) << events.join(u'|').toStdString();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Error);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QDir::toNativeSeparators(path)))
        << dialogs.shown[0].text.toStdString();
}

QString fileWith(const QTemporaryDir &dir, const QByteArray &content)
{
    const QString path = dir.filePath(QStringLiteral("bad.txt"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Files, SettingsFilesRefusal,
    ::testing::Values(
        BadFileCase{"BinaryWithNulBytes",
                    [](const QTemporaryDir &d) {
                        return fileWith(d, QByteArray(":PULS0:PER 1\r\n\0\x01\x02\xff", 18));
                    }},
        BadFileCase{"HugeBinary",
                    [](const QTemporaryDir &d) {
                        QByteArray b(8 * 1024 * 1024, '\0');
                        for (qsizetype i = 0; i < b.size(); i += 7)
                            b[i] = static_cast<char>(i);
                        return fileWith(d, b);
                    }},
        BadFileCase{"HugeText",
                    [](const QTemporaryDir &d) {
                        return fileWith(d, QByteArray(":PULS1:STAT 1\r\n").repeated(100000));
                    }},
        BadFileCase{"EndlessDevice",
                    [](const QTemporaryDir &) { return QStringLiteral("/dev/zero"); }},
        BadFileCase{"Directory", [](const QTemporaryDir &d) { return d.path(); }},
        BadFileCase{"NamedPipe", namedPipe}, BadFileCase{"Socket", unixSocket},
        BadFileCase{"CharacterDevice",
                    [](const QTemporaryDir &) { return QStringLiteral("/dev/null"); }},
        BadFileCase{"Missing",
                    [](const QTemporaryDir &d) { return d.filePath(QStringLiteral("none.txt")); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(SettingsFilesTest, OnlyRegularFilesAreRead)
{
    const QString path = namedPipe(dir);
    EXPECT_EQ(restore(path), Outcome::Failed);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("\"%1\" is not a settings file: it is not a regular file.")
                  .arg(QDir::toNativeSeparators(path)));
    if (SettingsFilesRefusal::pipeUnblocker.joinable())
        SettingsFilesRefusal::pipeUnblocker.join();
}

} // namespace
