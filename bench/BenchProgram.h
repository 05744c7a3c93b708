#pragma once

// What the window benchmarks share: the stand-in instrument as a process, and the program
// started against it up to the end of its first read-back.
#include "link/Communication.h"
#include "ui/TMainForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

#include <cstdio>

namespace bench {

// The window needs a platform; without a display the offscreen one does.
inline void useOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Starts pulsegen-sim with `args` and collects its output up to its "ready" line into `out`.
inline bool startStandIn(QProcess &sim, const QStringList &args, QByteArray &out)
{
    sim.start(QStringLiteral(PULSEGEN_SIM_BINARY), args);
    while (!out.contains("ready\n") && sim.waitForReadyRead(5000))
        out += sim.readAllStandardOutput();
    if (!out.contains("ready\n")) {
        std::fprintf(stderr, "the stand-in instrument did not start\n");
        return false;
    }
    return true;
}

// FormCreate, then the launch timer's read-back to its end.
inline bool startProgram(ui::TMainForm &form)
{
    form.HeldKeysReader = [] { return ui::HeldKeys{}; };
    form.QuitEventLoop = [] {};
    form.FormCreate({QStringLiteral("bench")});
    QElapsedTimer limit;
    limit.start();
    while (form.LaunchTimer->isActive() || form.Comm->SuppressCommands() ||
           form.State.SettingsList.size() <= 1) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (limit.elapsed() > 60000) {
            std::fprintf(stderr, "no read-back within 60 s\n");
            return false;
        }
    }
    return true;
}

} // namespace bench
