#include "ui/FormDialogs.h"

namespace ui {

FormDialogs::FormDialogs(std::function<transport::UserDialogs &()> current)
    : m_current(std::move(current))
{
}

FormDialogs::Button FormDialogs::message(Kind kind, const QString &text,
                                         const QList<Button> &buttons)
{
    return m_current().message(kind, text, buttons);
}

std::optional<int> FormDialogs::pickPort(const PortChoice &choice)
{
    return m_current().pickPort(choice);
}

std::optional<QString> FormDialogs::saveFile(const FileChoice &choice)
{
    return m_current().saveFile(choice);
}

std::optional<QString> FormDialogs::openFile(const FileChoice &choice)
{
    return m_current().openFile(choice);
}

} // namespace ui
