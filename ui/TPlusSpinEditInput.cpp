// The spin edit's input: keys, typed digits, clicks, and the two repeating arrow buttons.
#include "ui/TPlusSpinEdit.h"

#include "transport/UserDialogs.h"
#include "ui/SpinEditMath.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

// The arrow buttons repeat like a held key: a first pause, then a faster beat.
constexpr int kFirstRepeatMs = 500;
constexpr int kRepeatMs = 150;

QString notANumberText()
{
    return QStringLiteral("Not a valid number");
}

} // namespace

void TPlusSpinEdit::StepUp()
{
    if (fEnabled)
        setValue(SteppedValue(fValue, fIncrement, fSavedIncrement, fDecimals, fBase));
}

void TPlusSpinEdit::StepDown()
{
    if (fEnabled)
        setValue(SteppedValue(fValue, -fIncrement, fSavedIncrement, fDecimals, fBase));
}

void TPlusSpinEdit::StartSpin(SpinSource source)
{
    if (!fSpinning)
        update(); // hides the caret
    fSpinning = true;
    // A held arrow button outlasts key presses made meanwhile: only its release ends the spin.
    if (fSpinSource != SpinSource::Button)
        fSpinSource = source;
}

void TPlusSpinEdit::EndSpin()
{
    fSpinning = false;
    fSpinSource = SpinSource::None;
    update();
    if (!fTrackSpin && fModified) {
        fModified = false;
        Change();
    }
}

void TPlusSpinEdit::TypeCharacter(QChar c)
{
    const int d = DigitValue(c);
    if (!fEditorEnabled || d < 0 || d >= fBase)
        return;
    const std::optional<double> v = TypedValue(fText, fFocusIndex, c, fBase, fInternalThousandSep);
    if (!v) {
        if (fDialogs)
            fDialogs->message(transport::UserDialogs::Kind::Error, notANumberText(),
                              {transport::UserDialogs::Button::Ok});
        else
            qWarning() << notANumberText();
        return;
    }
    if (fIncExponent > -fDecimals)
        SelectDigit(fIncExponent - 1);
    setValue(*v);
}

void TPlusSpinEdit::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool arrow =
        key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
    // Ctrl+0 from either keyboard; the keypad one arrives with KeypadModifier added.
    const bool ctrlZero = key == Qt::Key_0 && mods.testFlag(Qt::ControlModifier);
    const QString text = event->text();
    const bool typed = !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
                       text.size() == 1 && DigitValue(text.front()) >= 0;
    if (!arrow && !ctrlZero && !typed) {
        QWidget::keyPressEvent(event); // Enter and the rest mean nothing here: up to the parent
        return;
    }
    event->accept();
    if (!fEnabled)
        return;

    switch (key) {
    case Qt::Key_Up:
        StartSpin(SpinSource::Key);
        StepUp();
        return;
    case Qt::Key_Down:
        StartSpin(SpinSource::Key);
        StepDown();
        return;
    case Qt::Key_Left:
        // Not past the left edge of the text area: the digit would be drawn outside.
        if (fFocusRect.left() > fDigitWidth - 2)
            SelectDigit(fIncExponent + 1);
        return;
    case Qt::Key_Right:
        if (fIncExponent > -fDecimals)
            SelectDigit(fIncExponent - 1);
        return;
    default:
        break;
    }
    if (ctrlZero)
        RightZero();
    else
        TypeCharacter(text.front());
}

void TPlusSpinEdit::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats as press/release pairs on some platforms; only the real release ends
    // the spin. It ends it even when the control was disabled meanwhile, so that a change owed
    // to the owner is not lost.
    if (!event->isAutoRepeat() && fSpinning && fSpinSource == SpinSource::Key)
        EndSpin();
    QWidget::keyReleaseEvent(event);
}

void TPlusSpinEdit::SelectDigitAt(int clientX)
{
    const QFontMetrics fm(font());
    SelectDigit(ExponentAtX(fText, fDecimals, fInternalThousandSep, clientX - fCapXStart,
                            [&fm](const QString &s) { return fm.horizontalAdvance(s); }));
}

void TPlusSpinEdit::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    if (!fEnabled)
        return;
    if (event->button() == Qt::LeftButton)
        SelectDigitAt(event->position().toPoint().x() - ClientRect().x());
    if (hasFocus())
        update();
    else
        setFocus(Qt::MouseFocusReason);
}

void TPlusSpinEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (!fEnabled)
        return;
    RightZero();
    // The second press of a double-click is also a press.
    mousePressEvent(event);
}

void TPlusSpinEdit::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

void TPlusSpinEdit::focusInEvent(QFocusEvent *event)
{
    update();
    QWidget::focusInEvent(event);
}

void TPlusSpinEdit::focusOutEvent(QFocusEvent *event)
{
    // The key's release will go to another widget: end the spin here, or the caret would stay
    // hidden and a deferred change would never be raised.
    if (fSpinning && fSpinSource == SpinSource::Key)
        EndSpin();
    update();
    QWidget::focusOutEvent(event);
}

bool TPlusSpinEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != fUpButton && watched != fDownButton)
        return QWidget::eventFilter(watched, event);
    auto *button = static_cast<QPushButton *>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (!fEnabled)
            return true; // not even drawn pressed
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            ButtonPressed(button);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton &&
            fSpinSource == SpinSource::Button) {
            ButtonReleased();
            break;
        }
        if (!fEnabled)
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TPlusSpinEdit::ButtonPressed(QPushButton *button)
{
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    StartSpin(SpinSource::Button);
    fRepeatButton = button;
    fTimer->setInterval(kFirstRepeatMs);
    fTimer->start();
    if (button == fUpButton)
        StepUp();
    else
        StepDown();
}

// The held button's release is the normal end of its spin, but the release can go elsewhere: a
// modal box opened by a step's change handler takes the mouse, and a disabled or hidden button
// gets no mouse events at all. The repeat would then step for ever.
bool TPlusSpinEdit::ButtonSpinCutOff() const
{
    const QWidget *modal = QApplication::activeModalWidget();
    return (modal && modal != window()) || !isVisible() || !isEnabled() || !fEnabled ||
           !(QGuiApplication::mouseButtons() & Qt::LeftButton);
}

void TPlusSpinEdit::AbandonButtonSpin()
{
    if (fSpinSource != SpinSource::Button)
        return;
    // Its release will not come: draw it raised now.
    if (fRepeatButton)
        fRepeatButton->setDown(false);
    ButtonReleased();
}

void TPlusSpinEdit::hideEvent(QHideEvent *event)
{
    AbandonButtonSpin();
    QWidget::hideEvent(event);
}

void TPlusSpinEdit::TimerTick()
{
    if (ButtonSpinCutOff()) {
        AbandonButtonSpin();
        return;
    }
    fTimer->setInterval(kRepeatMs);
    // Dragged off the held button it is drawn raised: the repetition pauses until it is back.
    if (!fRepeatButton || !fRepeatButton->isDown())
        return;
    if (fRepeatButton == fUpButton)
        StepUp();
    else
        StepDown();
}

void TPlusSpinEdit::ButtonReleased()
{
    // A deferred change is still owed, whatever ended the spin.
    fTimer->stop();
    fRepeatButton = nullptr;
    EndSpin();
}

} // namespace ui
