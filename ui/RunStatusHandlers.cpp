#include "ui/RunStatusHandlers.h"

#include "control/RunState.h"
#include "link/Communication.h"
#include "link/TaskQueue.h"
#include "transport/TVNComPort.h"
#include "ui/TMainForm.h"

#include <QCheckBox>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

namespace ui {

namespace {
// The page of SystemPageControl that holds the shot counter.
constexpr int kAdditionalOptionsPage = 1;
} // namespace

RunStatusHandlers::RunStatusHandlers(TMainForm &form)
    : m_form(form), m_dialogs([&form]() -> transport::UserDialogs & { return form.Dialogs(); }),
      m_poller(*form.StatusTimer, form.State.SystemRunning, form.State.SystemSettings, m_dialogs,
               pollerHooks()),
      m_run(form.State.SystemRunning, form.State.SystemSettings, runHooks())
{
}

control::RunStateDisplay RunStatusHandlers::display()
{
    return {[this](bool running) { ShowRunState(running); },
            [this](int frame) { SetAnimationFrame(frame); }};
}

control::StatusPoller::Hooks RunStatusHandlers::pollerHooks()
{
    TMainForm &f = m_form;
    control::StatusPoller::Hooks h;
    h.portInUse = [&f] { return f.ComPort->InUse(); };
    h.demoMode = [&f] { return f.State.DemoMode; };
    h.taskBusy = [&f] { return f.Tasks->TaskBusy() || f.Tasks->ReadBackRunning(); };
    h.setPollingBusy = [&f](bool on) { f.Tasks->setPollingBusy(on); };
    h.reopenPort = [&f] { return f.ComPort->Open(); };
    h.queryInteger = [&f](const QString &query) { return f.Comm->QueryPortInteger(query); };
    h.queryInt64 = [&f](const QString &query) { return f.Comm->QueryPortInt64(query); };
    h.restartApp = [&f] { f.RestartApp(); };
    h.exitApp = [&f] { f.ExitApp(); };
    h.shotCounterPageShown = [&f] {
        return f.SystemPageControl->currentIndex() == kAdditionalOptionsPage;
    };
    h.instrumentSeries = [&f] { return f.State.InstrumentSeries; };
    h.showShotCount = [&f](const QString &text) { f.ShotCountlbl->setText(text); };
    h.display = display();
    return h;
}

control::RunControl::Hooks RunStatusHandlers::runHooks()
{
    TMainForm &f = m_form;
    control::RunControl::Hooks h;
    h.queue = [&f](const QString &command) { f.QueuedCommandToPort(command); };
    h.instrumentSeries = [&f] { return f.State.InstrumentSeries; };
    h.requestRefresh = [&f] { f.Tasks->setRefreshPending(true); };
    h.startTaskTimer = [&f] { f.setTaskTimerActive(true); };
    h.display = display();
    return h;
}

void RunStatusHandlers::StatusTimerTimer()
{
    // The poll restarts the timer itself; once the program has ended (a lost reply inside
    // the poll can end it) nothing may poll the released port again.
    if (m_form.Finished()) {
        m_form.StatusTimer->stop();
        return;
    }
    m_poller.StatusTimerTimer();
    if (m_form.Finished())
        m_form.StatusTimer->stop();
}

bool RunStatusHandlers::UpdateStatus()
{
    return m_poller.UpdateStatus();
}

void RunStatusHandlers::RunStopbtnClick()
{
    m_run.RunStopbtnClick();
}

void RunStatusHandlers::SystemStart()
{
    m_run.SystemStart();
}

void RunStatusHandlers::SystemStop()
{
    m_run.SystemStop();
}

void RunStatusHandlers::ShotCountEnblClick()
{
    m_run.ShotCountEnblClick(m_form.ShotCountEnbl->isChecked());
}

void RunStatusHandlers::ClearShotCountClick()
{
    m_run.ClearShotCountClick();
}

void RunStatusHandlers::Up1Click()
{
    m_run.Up1Click();
}

void RunStatusHandlers::ShowRunState(bool running)
{
    if (QMovie *movie = m_form.PulseAnimate->movie()) {
        if (running)
            movie->start();
        else
            movie->stop();
    }
    m_form.PulseAnimate->setVisible(running);
    m_form.RunStopbtn->setText(control::RunStopCaption(running));
}

void RunStatusHandlers::SetAnimationFrame(int frame)
{
    if (QMovie *movie = m_form.PulseAnimate->movie())
        movie->jumpToFrame(frame);
}

} // namespace ui
