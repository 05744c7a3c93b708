#pragma once

#include "control/RunControl.h"
#include "control/StatusPoller.h"
#include "ui/FormDialogs.h"

namespace ui {

class TMainForm;

// The run state and the shot counter: the once-a-second poll, the Run/Stop button with the
// banner animation, the counter switch and clear, and Refresh.
class RunStatusHandlers {
public:
    explicit RunStatusHandlers(TMainForm &form);

    void StatusTimerTimer();
    bool UpdateStatus();

    void RunStopbtnClick();
    void SystemStart();
    void SystemStop();
    void ShotCountEnblClick();
    void ClearShotCountClick();
    void Up1Click();

    // Running: caption "Stop", the animation visible and playing; stopped: "Run", hidden
    // and still.
    void ShowRunState(bool running);
    void SetAnimationFrame(int frame);

private:
    control::RunStateDisplay display();
    control::StatusPoller::Hooks pollerHooks();
    control::RunControl::Hooks runHooks();

    TMainForm &m_form;
    FormDialogs m_dialogs;
    control::StatusPoller m_poller;
    control::RunControl m_run;
};

} // namespace ui
