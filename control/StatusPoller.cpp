#include "control/StatusPoller.h"

#include "model/CommandSet.h"
#include "model/SystemSettings.h"
#include "transport/UserDialogs.h"

#include <QTimer>

namespace control {

using Button = transport::UserDialogs::Button;

StatusPoller::StatusPoller(QTimer &statusTimer, bool &systemRunning,
                           model::SystemSettings &settings, transport::UserDialogs &dialogs,
                           Hooks hooks)
    : m_timer(statusTimer), m_systemRunning(systemRunning), m_settings(settings),
      m_dialogs(dialogs), m_hooks(std::move(hooks))
{
}

void StatusPoller::StatusTimerTimer()
{
    // An exchange is waiting for its reply further up the stack: try again next tick.
    if (m_hooks.portInUse())
        return;
    if (m_hooks.demoMode()) {
        m_timer.stop();
        return;
    }
    if (m_hooks.taskBusy())
        return;

    m_timer.stop();
    m_hooks.setPollingBusy(true);
    const bool portStillThere = UpdateStatus();
    // After a lost port the program is being restarted or closed; a running status timer
    // would poll a port that is already released.
    if (portStillThere)
        m_timer.start();
    m_hooks.setPollingBusy(false);
}

bool StatusPoller::UpdateStatus()
{
    if (!m_hooks.reopenPort()) {
        const Button answer = m_dialogs.message(
            transport::UserDialogs::Kind::Warning,
            QStringLiteral("Port no longer available, restart?"), {Button::Yes, Button::No});
        if (answer == Button::Yes)
            m_hooks.restartApp();
        else
            m_hooks.exitApp();
        return false;
    }

    const bool running = m_hooks.queryInteger(model::queryOf(model::SystemSetting::RunState)) != 0;
    if (running != m_systemRunning) {
        m_systemRunning = running;
        m_hooks.display.show(running);
        m_hooks.display.setAnimationFrame(RestingAnimationFrame);
    }

    if (m_hooks.shotCounterPageShown() && m_settings.ShotCounterEnabled == 1) {
        const std::int64_t count =
            m_hooks.queryInt64(model::shotCountQuery(m_hooks.instrumentSeries()));
        // The instrument counts in 64 bits; the window keeps the low 32 as an unsigned count.
        m_settings.ShotCount = static_cast<std::uint32_t>(static_cast<std::uint64_t>(count));
        m_hooks.showShotCount(ShotCountText(m_settings.ShotCount));
    }
    return true;
}

} // namespace control
