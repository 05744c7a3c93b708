#include "ui/ReadBackInputGuard.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QWidget>

namespace ui {

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

} // namespace

ReadBackInputGuard::ReadBackInputGuard(QWidget *window) : QObject(nullptr), m_window(window)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(this);
}

ReadBackInputGuard::~ReadBackInputGuard()
{
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
}

bool ReadBackInputGuard::belongsToWindow(const QWidget *widget) const
{
    // A list's pop-up or a menu is a window of its own whose parent chain leads back to the
    // main window; a dialog's chain may too, but a dialog is the user's to answer.
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (w == m_window)
            return true;
        if (w->isWindow() && qobject_cast<const QDialog *>(w))
            return false;
    }
    return false;
}

bool ReadBackInputGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (!isUserInput(event->type()) || !watched->isWidgetType())
        return false;
    if (!belongsToWindow(static_cast<const QWidget *>(watched)))
        return false;
    // An accepted shortcut override keeps the key from reaching the menus' shortcuts too.
    event->accept();
    return true;
}

} // namespace ui
