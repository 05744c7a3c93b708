#include "ui/StorageHandlers.h"

#include "link/Communication.h"
#include "link/TaskQueue.h"
#include "transport/TVNComPort.h"
#include "ui/TMainForm.h"
#include "ui/TMessageForm.h"

#include <QLabel>
#include <QTimer>

namespace ui {

StorageHandlers::StorageHandlers(TMainForm &form)
    : m_form(form), m_dialogs([&form]() -> transport::UserDialogs & { return form.Dialogs(); }),
      m_bins([&form](const QString &command) { form.QueuedCommandToPort(command); },
             [&form](int bin) { form.Tasks->RequestRecall(bin); },
             [&form] { form.setTaskTimerActive(true); }),
      m_files(m_dialogs, fileHooks())
{
}

control::SettingsFiles::Hooks StorageHandlers::fileHooks()
{
    TMainForm &f = m_form;
    // The file commands talk to the port directly, like the status poll, and like the poll
    // they keep the task timer's pass away meanwhile: its commands would meet the busy port
    // and be lost, and a recall it served would run a second read-back inside ours. Between
    // replayed lines the pass runs as usual.
    const auto holdingTaskPass = [&f](const std::function<void()> &exchange) {
        f.Tasks->setPollingBusy(true);
        exchange();
        f.Tasks->setPollingBusy(false);
    };
    control::SettingsFiles::Hooks h;
    h.readBack = [&f, holdingTaskPass] {
        holdingTaskPass([&f] { f.Initialize(); });
        return f.LastReadBackComplete();
    };
    h.settingsList = [&f] { return f.State.SettingsList; };
    h.send = [&f, holdingTaskPass](const QByteArray &line) {
        holdingTaskPass([&f, &line] { f.Comm->CommandToPort(QString::fromLocal8Bit(line)); });
    };
    h.showBusy = [&f](const QString &text) {
        f.MessageForm->MessageLabel->setText(text);
        f.MessageForm->show();
    };
    h.hideBusy = [&f] { f.MessageForm->close(); };
    h.shuttingDown = [&f] { return f.Finished(); };
    return h;
}

void StorageHandlers::SaveToBin(int bin)
{
    m_bins.SaveToBin(bin);
}

void StorageHandlers::RestoreFromBin(int bin)
{
    m_bins.RecallBin(bin);
}

bool StorageHandlers::lineBusy() const
{
    return m_form.ComPort->InUse() || m_form.Tasks->TaskBusy() || m_form.Tasks->PollingBusy();
}

void StorageHandlers::whenLineFree(
    void (StorageHandlers::*handler)(),
    control::SettingsFiles::Outcome (control::SettingsFiles::*command)())
{
    if (m_form.Finished())
        return;
    if (lineBusy()) {
        m_last.reset();
        QTimer::singleShot(LineBusyRetry, &m_form, [this, handler] { (this->*handler)(); });
        return;
    }
    m_last = (m_files.*command)();
}

void StorageHandlers::SaveToFile1Click()
{
    whenLineFree(&StorageHandlers::SaveToFile1Click, &control::SettingsFiles::SaveToFile1Click);
}

void StorageHandlers::RestoreSettingsFromFile1Click()
{
    whenLineFree(&StorageHandlers::RestoreSettingsFromFile1Click,
                 &control::SettingsFiles::RestoreSettingsFromFile1Click);
}

} // namespace ui
