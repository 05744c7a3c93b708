#pragma once

#include "control/WebSite.h"
#include "ui/FormDialogs.h"

namespace ui {

class TMainForm;

// "Help", "About" and "Web Site", and "Tools", "Capture Screen Shot": nothing here talks to
// the instrument or changes a setting.
class MenuHandlers {
public:
    explicit MenuHandlers(TMainForm &form);

    void About1Click();
    void WebSite1Click();
    void CaptureScreenShot1Click();

    // How a web page is opened; the desktop's browser unless replaced (tests observe).
    control::UrlOpener OpenUrl;

private:
    TMainForm &m_form;
    FormDialogs m_dialogs;
};

} // namespace ui
