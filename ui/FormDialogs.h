#pragma once

#include "transport/UserDialogs.h"

#include <functional>

namespace ui {

// Hands every dialog to whatever dialogs the window uses at the moment of the call. The
// handler parts are built with the window, before a test or the program entry installs its
// own dialogs, so they must not keep the ones they were built with.
class FormDialogs : public transport::UserDialogs {
public:
    explicit FormDialogs(std::function<transport::UserDialogs &()> current);

    Button message(Kind kind, const QString &text, const QList<Button> &buttons) override;
    std::optional<int> pickPort(const PortChoice &choice) override;
    std::optional<QString> saveFile(const FileChoice &choice) override;
    std::optional<QString> openFile(const FileChoice &choice) override;

private:
    std::function<transport::UserDialogs &()> m_current;
};

} // namespace ui
