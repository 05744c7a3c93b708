#pragma once

#include "control/RunState.h"

#include <QString>

#include <cstdint>
#include <functional>

class QTimer;

namespace model {
struct SystemSettings;
}
namespace transport {
class UserDialogs;
}

namespace control {

// The once-a-second poll of the run state and, while its page is shown, the shot counter.
// It talks to the instrument directly, so it must never run inside another exchange or a
// task pass; the guards below and PollingBusy keep the two timers apart. Every hook must be
// set.
class StatusPoller {
public:
    struct Hooks {
        std::function<bool()> portInUse;
        std::function<bool()> demoMode;
        std::function<bool()> taskBusy;
        std::function<void(bool)> setPollingBusy;
        // Closes and opens the port again; false when the device is gone.
        std::function<bool()> reopenPort;
        // Send the text with "?" appended and return the reply as a number, 0 on failure.
        std::function<std::int32_t(const QString &)> queryInteger;
        std::function<std::int64_t(const QString &)> queryInt64;
        std::function<void()> restartApp;
        std::function<void()> exitApp;
        // True while the "Additional Options" page, which holds the counter, is shown.
        std::function<bool()> shotCounterPageShown;
        std::function<int()> instrumentSeries;
        std::function<void(const QString &)> showShotCount;
        RunStateDisplay display;
    };

    StatusPoller(QTimer &statusTimer, bool &systemRunning, model::SystemSettings &settings,
                 transport::UserDialogs &dialogs, Hooks hooks);

    // The status timer's tick.
    void StatusTimerTimer();

    // One poll. False when the port could not be reopened and the program is on its way to
    // a restart or exit; nothing more may be done with the port then.
    bool UpdateStatus();

private:
    QTimer &m_timer;
    bool &m_systemRunning;
    model::SystemSettings &m_settings;
    transport::UserDialogs &m_dialogs;
    Hooks m_hooks;
};

} // namespace control
