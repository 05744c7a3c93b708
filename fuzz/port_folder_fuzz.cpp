// The folder named by VNH_COMPORTS as the serial port sees it: entries of any name and kind,
// links to other entries (in chains, loops, dangling) and to a real terminal. COMn must be
// exactly the entry "comN", and the port scan must offer exactly the numbers whose entry
// leads to a terminal. Link targets stay inside the folder or name the terminal made here,
// so no input reaches a device of the machine.
#include "fuzz/FuzzSupport.h"
#include "transport/TVNComPort.h"
#include "transport/UserDialogs.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using transport::TVNComPort;
using transport::UserDialogs;

constexpr int kFirstPort = 1;
constexpr int kLastPort = 100;
constexpr int kMaxEntries = 16;
constexpr qsizetype kMaxNameBytes = 100;

struct Workspace {
    QByteArray folder;   // the VNH_COMPORTS folder
    QByteArray terminal; // the pseudo-terminal's device path
    int masterFd = -1;
};

Workspace *workspace = nullptr;

[[noreturn]] void setupFailed(const char *what)
{
    std::fprintf(stderr, "port folder fuzz set-up: %s: %s\n", what, std::strerror(errno));
    std::abort();
}

void clearFolder()
{
    DIR *dir = opendir(workspace->folder.constData());
    if (!dir)
        setupFailed("opendir");
    const int fd = dirfd(dir);
    while (dirent *e = readdir(dir)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
            continue;
        if (unlinkat(fd, e->d_name, 0) != 0 && unlinkat(fd, e->d_name, AT_REMOVEDIR) != 0)
            setupFailed("remove entry");
    }
    closedir(dir);
}

void removeWorkspace()
{
    if (!workspace)
        return;
    clearFolder();
    rmdir(workspace->folder.constData());
}

void setUp()
{
    workspace = new Workspace;
    char folder[] = "/tmp/pulsegen-fuzz-ports-XXXXXX";
    if (!mkdtemp(folder))
        setupFailed("mkdtemp");
    workspace->folder = folder;
    workspace->masterFd = posix_openpt(O_RDWR | O_NOCTTY);
    if (workspace->masterFd < 0 || grantpt(workspace->masterFd) != 0 ||
        unlockpt(workspace->masterFd) != 0)
        setupFailed("pseudo-terminal");
    const char *slave = ptsname(workspace->masterFd);
    if (!slave)
        setupFailed("ptsname");
    char resolved[PATH_MAX];
    if (!realpath(slave, resolved))
        setupFailed("realpath");
    workspace->terminal = resolved;
    // Without the folder the port would fall back to the machine's own device table.
    qputenv("VNH_COMPORTS", workspace->folder);
    std::atexit(removeWorkspace);
}

enum class Kind { File, Folder, Fifo, LinkToEntry, LinkToTerminal };

struct Entry {
    Kind kind;
    QByteArray target; // links to an entry: that entry's name
};

// A name that stays one entry of the folder.
QByteArray entryName(QByteArray name)
{
    name.truncate(kMaxNameBytes);
    name.replace('/', '_');
    name.replace('\0', '_');
    return name;
}

// Input: one entry per line. The line's first byte chooses the kind and whether the name is
// spelled out or made as "com" and a number; a link's target follows a tab.
QMap<QByteArray, Entry> readEntries(fuzzsupport::InputReader &in)
{
    QMap<QByteArray, Entry> entries;
    while (!in.atEnd() && entries.size() < kMaxEntries) {
        const std::uint8_t head = in.byte();
        QByteArray line = in.field('\n');
        Entry entry{static_cast<Kind>(head % 5), {}};
        const qsizetype tab = line.indexOf('\t');
        if (tab >= 0) {
            entry.target = entryName(line.mid(tab + 1));
            line.truncate(tab);
        }
        if (entry.target.isEmpty())
            entry.target = "_";
        const int number = line.isEmpty() ? 0 : static_cast<quint8>(line.front());
        const QByteArray name =
            (head & 0x80) ? "com" + QByteArray::number(number) : entryName(line);
        if (name.isEmpty() || name == "." || name == ".." || entries.contains(name))
            continue;
        entries.insert(name, entry);
    }
    return entries;
}

void create(const QByteArray &name, const Entry &entry)
{
    const QByteArray path = workspace->folder + '/' + name;
    int result = 0;
    switch (entry.kind) {
    case Kind::File: {
        const int fd = open(path.constData(), O_CREAT | O_EXCL | O_WRONLY, 0600);
        result = fd < 0 ? -1 : close(fd);
        break;
    }
    case Kind::Folder:
        result = mkdir(path.constData(), 0700);
        break;
    case Kind::Fifo:
        result = mkfifo(path.constData(), 0600);
        break;
    case Kind::LinkToEntry:
        result = symlink(entry.target.constData(), path.constData());
        break;
    case Kind::LinkToTerminal:
        result = symlink(workspace->terminal.constData(), path.constData());
        break;
    }
    if (result != 0)
        setupFailed("create entry");
}

// Follows the links as the system does; true when the chain ends at the terminal.
bool leadsToTerminal(const QMap<QByteArray, Entry> &entries, QByteArray name)
{
    for (int hops = 0; hops <= kMaxEntries; ++hops) {
        const auto it = entries.find(name);
        if (it == entries.end())
            return false;
        if (it->kind == Kind::LinkToTerminal)
            return true;
        if (it->kind != Kind::LinkToEntry)
            return false;
        name = it->target;
    }
    return false; // a loop
}

class RecordingDialogs : public UserDialogs {
public:
    std::optional<PortChoice> offered;

    Button message(Kind, const QString &, const QList<Button> &buttons) override
    {
        return buttons.contains(Button::Cancel) ? Button::Cancel : Button::Abort;
    }
    std::optional<int> pickPort(const PortChoice &choice) override
    {
        offered = choice;
        return std::nullopt;
    }
    std::optional<QString> saveFile(const FileChoice &) override { return std::nullopt; }
    std::optional<QString> openFile(const FileChoice &) override { return std::nullopt; }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzzsupport::ensureCoreApplication();
    setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzsupport::InputReader in(data, size);
    const QMap<QByteArray, Entry> entries = readEntries(in);
    clearFolder();
    for (auto it = entries.cbegin(); it != entries.cend(); ++it)
        create(it.key(), it.value());

    const QString folder = QFile::decodeName(workspace->folder);
    const QString terminal = QFile::decodeName(workspace->terminal);
    QStringList expected;
    QStringList expectedTips;
    for (int n = kFirstPort; n <= kLastPort; ++n) {
        if (leadsToTerminal(entries, "com" + QByteArray::number(n))) {
            expected << QStringLiteral("COM%1").arg(n);
            expectedTips << folder + QStringLiteral("/com%1 -> ").arg(n) + terminal;
        }
    }
    // The name is the number in plain decimal whatever the folder holds; the scan below
    // asks for every other number.
    for (const int n : {kFirstPort, kLastPort})
        FUZZ_CHECK(TVNComPort::DevicePath(n) == folder + QStringLiteral("/com%1").arg(n));
    FUZZ_CHECK(TVNComPort::DevicePath(0).isEmpty());
    FUZZ_CHECK(TVNComPort::DevicePath(-1).isEmpty());

    RecordingDialogs dialogs;
    TVNComPort port;
    port.setDialogs(&dialogs);
    FUZZ_CHECK(!port.Pick());
    FUZZ_CHECK(dialogs.offered.has_value());
    FUZZ_CHECK(dialogs.offered->entries == expected);
    FUZZ_CHECK(dialogs.offered->toolTips == expectedTips);
    FUZZ_CHECK(dialogs.offered->preselected == expected.indexOf(QStringLiteral("COM1")));
    FUZZ_CHECK(!port.Opened());
    FUZZ_CHECK(!port.InUse());
    FUZZ_CHECK(port.Port() == 1);
    return 0;
}
