#pragma once

#include "control/WebSite.h"
#include "ui/FormDialogs.h"

#include <memory>

namespace ui {

class TMainForm;
class TTimingDiagramForm;

// "Help", "About" and "Web Site", and "Tools", "Capture Screen Shot": nothing here talks to
// the instrument or changes a setting.
class MenuHandlers {
public:
    explicit MenuHandlers(TMainForm &form);
    ~MenuHandlers();

    void About1Click();
    void WebSite1Click();
    void CaptureScreenShot1Click();
    // Shows the timing diagram window, made at the first call and kept from then on.
    void TimingDiagram1Click();
    TTimingDiagramForm *TimingDiagram() const { return m_timingDiagram.get(); }

    // How a web page is opened; the desktop's browser unless replaced (tests observe).
    control::UrlOpener OpenUrl;

private:
    TMainForm &m_form;
    FormDialogs m_dialogs;
    std::unique_ptr<TTimingDiagramForm> m_timingDiagram;
};

} // namespace ui
