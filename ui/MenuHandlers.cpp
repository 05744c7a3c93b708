#include "ui/MenuHandlers.h"

#include "control/AboutBox.h"
#include "control/ScreenShot.h"
#include "model/ModelRules.h"
#include "ui/TMainForm.h"
#include "ui/TTimingDiagramForm.h"
#include "ui/TrpVersionInfo.h"

#include <QDir>

namespace ui {

MenuHandlers::MenuHandlers(TMainForm &form)
    : m_form(form), m_dialogs([&form]() -> transport::UserDialogs & { return form.Dialogs(); })
{
}

MenuHandlers::~MenuHandlers() = default;

void MenuHandlers::About1Click()
{
    const model::InstrumentIdentity &id = m_form.State.InstrumentIdentity;
    // Taken from the code itself rather than State.CompanyName, which the read-back leaves
    // unset in demo mode; the box must say "Unknown" there.
    control::About1Click(m_dialogs, id, model::CompanyNameOf(id.CompanyCode),
                         m_form.VersionInfo->FileVersion());
}

void MenuHandlers::WebSite1Click()
{
    control::WebSite1Click(m_form.State.InstrumentIdentity.CompanyCode, OpenUrl);
}

void MenuHandlers::CaptureScreenShot1Click()
{
    // The outer frame, title bar included, as it is on the screen now; the file goes to the
    // working directory, not beside the program.
    control::CaptureScreenShot1Click(m_form.screen(), m_form.frameGeometry(), m_dialogs,
                                     QDir::currentPath());
}

void MenuHandlers::TimingDiagram1Click()
{
    if (!m_timingDiagram) {
        m_timingDiagram = std::make_unique<TTimingDiagramForm>(m_form.State, m_dialogs, &m_form);
        QObject::connect(&m_form, &TMainForm::settingsChanged, m_timingDiagram.get(),
                         &TTimingDiagramForm::Refresh);
    }
    m_timingDiagram->show();
    m_timingDiagram->raise();
    m_timingDiagram->activateWindow();
}

} // namespace ui
