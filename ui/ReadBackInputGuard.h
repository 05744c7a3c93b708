#pragma once

#include <QObject>

class QWidget;

namespace ui {

// While the read-back fills the window, the window takes no input: a control changed now would
// either be overwritten by the value read next, or queue a command the read-back must drop. So
// mouse, wheel and keys meant for the window, its menus and its lists' pop-ups are swallowed,
// and the busy cursor says why. Dialogs (the loss question among them) still take input.
class ReadBackInputGuard : public QObject {
    Q_OBJECT
public:
    explicit ReadBackInputGuard(QWidget *window);
    ~ReadBackInputGuard() override;

    ReadBackInputGuard(const ReadBackInputGuard &) = delete;
    ReadBackInputGuard &operator=(const ReadBackInputGuard &) = delete;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToWindow(const QWidget *widget) const;

    QWidget *m_window;
};

} // namespace ui
