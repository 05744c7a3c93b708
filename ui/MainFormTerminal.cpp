// The command terminal: raw commands typed by the user, and the coloured transcript.
#include "ui/TMainForm.h"

#include "link/CommLog.h"

#include <QAction>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

namespace ui {

void TMainForm::AppendTerminalLine(const QString &text, const QColor &color)
{
    QTextCursor cursor(ResponseList->document());
    cursor.movePosition(QTextCursor::End);
    if (!ResponseList->document()->isEmpty())
        cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(color);
    cursor.insertText(text, format);
    ResponseList->setTextCursor(cursor);
    ResponseList->ensureCursorVisible();
}

void TMainForm::SendBtnClick()
{
    // Sent as typed: no trimming and no check; an empty line is a bare line ending.
    const QString text = SendEdit->currentText();
    QueuedCommandToPort(text);
    SendEdit->addItem(text);
}

bool TMainForm::SendEditKeyPress(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SendBtnClick();
        return true;
    case Qt::Key_Delete:
        // Removes the history entry the user selected; with none selected the key edits text.
        if (SendEdit->currentIndex() < 0 ||
            SendEdit->currentText() != SendEdit->itemText(SendEdit->currentIndex()))
            return false;
        SendEdit->removeItem(SendEdit->currentIndex());
        return true;
    default:
        return false;
    }
}

void TMainForm::EnableLoggingMenuClick()
{
    if (Log)
        Log->ToggleLoggingState();
    else
        EnableLoggingMenu->setChecked(false);
}

} // namespace ui
