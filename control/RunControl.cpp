#include "control/RunControl.h"

#include "model/CommandSet.h"
#include "model/SystemSettings.h"

namespace control {

RunControl::RunControl(bool &systemRunning, model::SystemSettings &settings, Hooks hooks)
    : m_systemRunning(systemRunning), m_settings(settings), m_hooks(std::move(hooks))
{
}

void RunControl::RunStopbtnClick()
{
    if (m_systemRunning)
        SystemStop();
    else
        SystemStart();
}

void RunControl::SystemStart()
{
    m_hooks.display.show(true);
    m_hooks.queue(model::buildCommand(model::SystemSetting::RunState, 1));
    m_systemRunning = true;
}

void RunControl::SystemStop()
{
    m_systemRunning = false;
    m_hooks.display.show(false);
    m_hooks.queue(model::buildCommand(model::SystemSetting::RunState, 0));
    m_hooks.display.setAnimationFrame(RestingAnimationFrame);
}

void RunControl::ShotCountEnblClick(bool checked)
{
    m_hooks.queue(model::buildCommand(model::SystemSetting::ShotCounterEnable, checked ? 1 : 0));
    m_settings.ShotCounterEnabled = checked ? 1 : 0;
}

void RunControl::ClearShotCountClick()
{
    m_hooks.queue(model::shotCounterClearCommand(m_hooks.instrumentSeries()));
}

void RunControl::Up1Click()
{
    // The task timer does the read-back on its next tick, outside any poll.
    m_hooks.requestRefresh();
    m_hooks.startTaskTimer();
}

} // namespace control
