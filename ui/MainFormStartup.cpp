// From program start to the first read-back: the way to the instrument (discovery, a port
// picked by hand, or demo mode), the values the log and the read-back need, the launch timer.
#include "ui/TMainForm.h"

#include "link/CommLog.h"
#include "link/Communication.h"
#include "link/Discovery.h"
#include "link/StartUp.h"
#include "link/TaskQueue.h"
#include "transport/RefusalNotice.h"
#include "transport/TVNComPort.h"
#include "ui/KeyState.h"

#include <QAction>
#include <QDateTime>
#include <QLocale>
#include <QTextEdit>
#include <QTimer>

namespace ui {

namespace {
constexpr qint32 kManualBaud = 115200;
constexpr int kLaunchRetryMs = 5;

const QString kNoDevice = QStringLiteral(
    "No device found. Try to reconnect?\n\r\n\rMake sure unit is fully powered on\n\rbefore "
    "selecting Yes");
} // namespace

void TMainForm::FormCreate(const QStringList &arguments)
{
    // Numbers go to and come from the instrument with "." whatever the user's locale.
    QLocale::setDefault(QLocale::c());
    FillChannelArrays();

    const ilink::startup::CommandLineSwitches switches =
        ilink::startup::ParseCommandLine(arguments);
    const HeldKeys keys = HeldKeysReader();
    if (keys.space || switches.pick) {
        if (!ComPort->Pick()) {
            ExitApp();
            return;
        }
        // The chosen port may have been taken since the list was made: say by whom before
        // the port's own error question.
        transport::RefusalNotice refused(*ComPort, &Dialogs());
        ComPort->Open();
        ComPort->setBaud(kManualBaud);
        ComPort->setEndOfResponse("\r");
        ComPort->setAllowEvents(false);
        ComPort->setShowErrors(false);
        ComPort->setResponseTime(kResponseTimeMs);
    } else if (keys.leftShift || switches.demo) {
        EnterDemoMode();
    } else if (transport::RefusalNotice refused(*ComPort); !ilink::FindInstrument(
                   *ComPort, *Comm, State.InstrumentIdentity, [this] { ResponseList->clear(); })) {
        // Ports that were there but kept from this user are the likeliest reason.
        refused.tell(&Dialogs());
        const auto answer = Dialogs().message(
            transport::UserDialogs::Kind::Warning, kNoDevice,
            {transport::UserDialogs::Button::Yes, transport::UserDialogs::Button::No});
        if (answer == transport::UserDialogs::Button::Yes) {
            RestartApp();
            return;
        }
        if (HeldKeysReader().leftShift || switches.demo) {
            EnterDemoMode();
        } else {
            ExitApp();
            return;
        }
    }

    ComPort->setResponseTime(kResponseTimeMs);
    State.UserName = ilink::startup::UserName();
    State.StartTimeStamp = ilink::startup::StartTimeStamp(QDateTime::currentDateTime());
    Log = std::make_unique<ilink::CommLog>(
        ilink::CommLog::FileNameFor(State.UserName, State.StartTimeStamp), m_dialogs);
    Log->onLoggingChanged = [this](bool on) { EnableLoggingMenu->setChecked(on); };
    Comm->setLog(Log.get());
    State.SettingsList.clear();
    if (switches.log)
        Log->ToggleLoggingState();
    LaunchTimer->start();
    State.SystemRunning = false;
    ComPort->setAllowEvents(true);
}

void TMainForm::EnterDemoMode()
{
    Dialogs().message(transport::UserDialogs::Kind::Information,
                      QStringLiteral("Entering Demo Mode"), {transport::UserDialogs::Button::Ok});
    State.DemoMode = true;
    Comm->setDemoMode(true);
    setStatusTimerActive(false);
}

void TMainForm::LaunchTimerTimer()
{
    LaunchTimer->stop();
    // A task pass or a poll waiting for its reply holds the line: the read-back comes when it
    // is free, never in the middle of that exchange.
    if (!Tasks->LaunchReadBack()) {
        if (!Comm->Ended())
            QTimer::singleShot(kLaunchRetryMs, this, [this] { LaunchTimerTimer(); });
        return;
    }
    setStatusTimerActive(true);
    State.SystemRunning = false;
}

void TMainForm::setTaskTimerActive(bool on)
{
    if (on && !Comm->Ended())
        TaskTimer->start();
    else if (!on)
        TaskTimer->stop();
}

void TMainForm::setStatusTimerActive(bool on)
{
    // After the program has ended nothing may start polling the released port again.
    if (on && !Comm->Ended())
        StatusTimer->start();
    else if (!on)
        StatusTimer->stop();
}

void TMainForm::TaskTimerTimer()
{
    Tasks->ProcessTasks();
}

void TMainForm::QueuedCommandToPort(const QString &commandstr)
{
    Tasks->QueuedCommandToPort(commandstr);
}

} // namespace ui
