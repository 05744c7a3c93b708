// Loss of the instrument, restart and the orderly end of the program.
#include "ui/TMainForm.h"

#include "link/CommLog.h"
#include "link/Communication.h"
#include "link/TaskQueue.h"
#include "transport/TVNComPort.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProcess>
#include <QThread>
#include <QTimer>

namespace ui {

namespace {
// Lets the port driver let go of the device before the new instance scans for it.
constexpr int kRestartPauseMs = 500;
} // namespace

void TMainForm::ComPortTimeout(transport::TVNComPort *)
{
    HandleCommunicationLoss();
}

void TMainForm::HandleCommunicationLoss()
{
    if (Log)
        Log->TimeoutError();
    ComPort->Flush();
    setStatusTimerActive(false);
    using B = transport::UserDialogs::Button;
    switch (Dialogs().message(transport::UserDialogs::Kind::Warning,
                              QStringLiteral("Communications lost. Restart?"),
                              {B::Yes, B::No, B::Ignore})) {
    case B::Yes:
        RestartApp();
        break;
    case B::No:
        ExitApp();
        break;
    default:
        // One question per read-back: the rest of it would only wait out the same silence,
        // query by query. It stops here and the controls keep what they show.
        if (Tasks->ReadBackRunning())
            m_readBackCut = true;
        ComPort->Flush();
        setStatusTimerActive(true);
        break;
    }
}

void TMainForm::RestartApp()
{
    if (!BeginEnd())
        return;
    QThread::msleep(kRestartPauseMs);
    // No arguments: the new instance starts as a plain start does, without the log switch.
    StartNewInstance(QCoreApplication::applicationFilePath());
    // This instance then ends as every other way out does, its log closed with it.
    FinishEnd();
}

void TMainForm::ExitApp()
{
    if (!BeginEnd())
        return;
    FinishEnd();
}

bool TMainForm::BeginEnd()
{
    if (m_finished)
        return false;
    m_finished = true;
    // From here on no exchange, task pass, read-back or poll further up the stack touches the
    // port, and no timer can be started again.
    Comm->setEnded();
    TaskTimer->stop();
    StatusTimer->stop();
    LaunchTimer->stop();
    ComPort->setAllowEvents(false);
    ComPort->Close();
    return true;
}

void TMainForm::FinishEnd()
{
    State.SettingsList.clear();
    ComPort->setShowErrors(false);
    if (Log)
        Log->Close();
    m_neverShow = true;
    hide();
    QuitEventLoop();
}

void TMainForm::R1Click()
{
    RestartApp();
}

void TMainForm::Exit1Click()
{
    ExitApp();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    ExitApp();
    event->accept();
}

void TMainForm::setVisible(bool visible)
{
    // A shutdown during start-up must never bring the window up afterwards.
    QMainWindow::setVisible(visible && !m_neverShow);
}

} // namespace ui
