#pragma once

#include "transport/UserDialogs.h"

#include <QPointer>
#include <QWidget>

namespace ui {

// The program's dialogs on screen: message boxes with exactly the buttons asked for, the
// port selection dialog and the file choosers.
class QtDialogs : public transport::UserDialogs {
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    void setParent(QWidget *parent) { m_parent = parent; }

    Button message(Kind kind, const QString &text, const QList<Button> &buttons) override;
    std::optional<int> pickPort(const PortChoice &choice) override;
    std::optional<QString> saveFile(const FileChoice &choice) override;
    std::optional<QString> openFile(const FileChoice &choice) override;

    // "Text file|*.txt" (description and patterns alternating, patterns split by ";") in
    // the file dialog's form, "Text file (*.txt)".
    static QString qtFilter(const QString &filter);

private:
    QPointer<QWidget> m_parent;
};

} // namespace ui
