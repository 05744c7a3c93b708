// "Restore Settings From File" with a 100-line settings file against an HRA8 stand-in at
// 115200 bit/s: the time from the menu command to "Settings loaded." against its floor. The
// floor is 30 ms before every entry, the 20 ms pause of each entry's exchange, and the 20 ms
// pause of each query of the closing read-back (counted on the instrument's own log).
#include "bench/BenchProgram.h"
#include "tests/support/PtyPeer.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/StorageHandlers.h"
#include "ui/TMainForm.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kEntries = 100;
constexpr int kPauseMs = ilink::Communication::kExchangePauseMs;
constexpr int kLinePauseMs =
    int(std::chrono::milliseconds(control::SettingsFiles::ReplayLinePause).count());

// A hundred commands an HRA8 accepts, spread over the system and the eight channels.
QByteArray settingsFile()
{
    QByteArray file;
    for (int i = 0; i < kEntries; ++i) {
        const int channel = 1 + i % 8;
        switch (i % 4) {
        case 0:
            file += ":PULS" + QByteArray::number(channel) + ":DEL 0.0000000" +
                    QByteArray::number(10 + i) + "\r\n";
            break;
        case 1:
            file += ":PULS" + QByteArray::number(channel) + ":WIDT 0.00000" +
                    QByteArray::number(100 + i) + "\r\n";
            break;
        case 2:
            file += ":PULS0:PER 0.00" + QByteArray::number(100 + i) + "\r\n";
            break;
        default:
            file +=
                ":PULS" + QByteArray::number(channel) + ":WCO " + QByteArray::number(i) + "\r\n";
            break;
        }
    }
    return file;
}

int exchangesLogged(const QByteArray &log)
{
    return int(log.count(" -> "));
}

} // namespace

int main(int argc, char **argv)
{
    bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    testsupport::ComPortFolder folder;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("replay.txt"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(settingsFile()) <= 0) {
            std::fprintf(stderr, "bench_settings_replay: cannot write the settings file\n");
            return 1;
        }
    }

    QProcess sim;
    QByteArray out;
    if (!bench::startStandIn(sim,
                             {QStringLiteral("--model"), QStringLiteral("HRA8"),
                              QStringLiteral("--verbose"), QStringLiteral("--link"),
                              folder.path() + QStringLiteral("/com1")},
                             out))
        return 1;

    testsupport::ScriptedDialogs dialogs;
    ui::TMainForm form;
    form.setDialogs(&dialogs);
    if (!bench::startProgram(form))
        return 1;
    // Polls would add exchanges of their own between the lines.
    form.StatusTimer->stop();
    while (sim.waitForReadyRead(200))
        out += sim.readAllStandardOutput();
    const int before = exchangesLogged(out);

    dialogs.answerFileNext(path);
    QElapsedTimer wall;
    wall.start();
    form.RestoreSettingsFromFile1->trigger();
    const double measuredMs = double(wall.nsecsElapsed()) / 1e6;
    const bool loaded = dialogs.texts().contains(QStringLiteral("Settings loaded."));

    while (sim.waitForReadyRead(300))
        out += sim.readAllStandardOutput();
    const int exchanges = exchangesLogged(out) - before;
    const int readBackQueries = exchanges - kEntries;
    const double floorMs =
        kEntries * (kLinePauseMs + kPauseMs) + double(readBackQueries) * kPauseMs;

    std::printf("Settings file replay, %d command lines, HRA8 on COM1 at 115200 bit/s (%s)\n",
                kEntries, loaded ? "loaded" : "NOT loaded");
    std::printf("  measured:                   %8.1f ms\n", measuredMs);
    std::printf("  floor:                      %8.1f ms (%d x (%d + %d) ms + %d read-back "
                "queries x %d ms)\n",
                floorMs, kEntries, kLinePauseMs, kPauseMs, readBackQueries, kPauseMs);
    std::printf("  measured / floor:           %8.3f (target <= 1.10)\n", measuredMs / floorMs);

    form.ExitApp();
    sim.terminate();
    sim.waitForFinished(3000);
    return loaded ? 0 : 1;
}
