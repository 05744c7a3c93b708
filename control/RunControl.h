#pragma once

#include "control/RunState.h"

#include <QString>

#include <functional>

namespace model {
struct SystemSettings;
}

namespace control {

// The user's side of run control: Run/Stop, the shot counter switch and clear, Refresh.
// None of these waits for the instrument; the next status poll confirms or corrects the
// display. Every hook must be set.
class RunControl {
public:
    struct Hooks {
        std::function<void(const QString &)> queue;
        std::function<int()> instrumentSeries;
        // Marks a full read-back as wanted by the task timer's next pass.
        std::function<void()> requestRefresh;
        std::function<void()> startTaskTimer;
        RunStateDisplay display;
    };

    RunControl(bool &systemRunning, model::SystemSettings &settings, Hooks hooks);

    void RunStopbtnClick();
    void SystemStart();
    void SystemStop();
    void ShotCountEnblClick(bool checked);
    void ClearShotCountClick();
    void Up1Click();

private:
    bool &m_systemRunning;
    model::SystemSettings &m_settings;
    Hooks m_hooks;
};

} // namespace control
