#pragma once

#include <QChar>
#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

class QPushButton;
class QTimer;

namespace transport {
class UserDialogs;
}

namespace ui {

// Odometer-style numeric control: a fixed-point value edited digit by digit.
// PUBLIC API CONTRACT: the main window codes against the members below; the
// implementation may add private members but must keep these signatures.
class TPlusSpinEdit : public QWidget {
    Q_OBJECT
public:
    enum class TBorderStyle { bsNone, bsSingle };

    explicit TPlusSpinEdit(QWidget *parent = nullptr);
    ~TPlusSpinEdit() override;

    // Writing Value clamps, re-formats and raises OnChange when the stored value changed
    // (deferred to the end of a spin while TrackSpin is off).
    double Value() const;
    void setValue(double v);
    // Clamps and stores without ever raising OnChange.
    void SetValue(double v);

    qint64 IntValue() const; // Value rounded to the nearest integer, halves to even
    void setIntValue(qint64 v);

    double MinValue() const;
    void setMinValue(double v);
    double MaxValue() const;
    void setMaxValue(double v);
    double Increment() const; // the step currently in force (one unit of the selected digit)
    void setIncrement(double v);
    int Decimals() const;
    void setDecimals(int d);
    QChar ThousandSeparator() const; // QChar() (code 0) means no grouping
    void setThousandSeparator(QChar c);
    int Base() const;
    void setBase(int b);
    int LeadingDigits() const;
    void setLeadingDigits(int n);
    bool EditorEnabled() const;
    void setEditorEnabled(bool on);
    bool TrackSpin() const;
    void setTrackSpin(bool on);
    bool EnterRequired() const;
    void setEnterRequired(bool on);
    // The control's own enabled state: while off it ignores input and draws grey, but its
    // window stays enabled and can take the focus. (QWidget::setEnabled is not this.)
    bool ControlEnabled() const;
    void setControlEnabled(bool on);
    bool AutoSize() const;
    void setAutoSize(bool on);
    TBorderStyle BorderStyle() const;
    void setBorderStyle(TBorderStyle s);
    QColor Color() const;
    void setColor(const QColor &c);
    bool TabStop() const;
    void setTabStop(bool on);

    QString Text() const; // the displayed text, with separators and "_" placeholders
    void RightZero();
    void SetBounds(int left, int top, int width, int height);

    // Where "Not a valid number" is reported.
    void setDialogs(transport::UserDialogs *dialogs);

Q_SIGNALS:
    void OnChange(ui::TPlusSpinEdit *sender);
    void OnSetIncrement(ui::TPlusSpinEdit *sender);

protected:
    virtual void Change(); // raises OnChange

    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class SpinSource { None, Key, Button };

    void FormatText();
    void UpdateDisplayFields();
    void SelectDigit(int exponent);
    void StepUp();
    void StepDown();
    void LayoutButtons();
    void ApplyAutoSize();
    void MeasureFont();
    void UpdateFocusPolicy();
    void Reformat();
    void TypeCharacter(QChar c);
    void SelectDigitAt(int clientX);
    void ButtonPressed(QPushButton *button);
    void ButtonReleased();
    bool ButtonSpinCutOff() const;
    void AbandonButtonSpin();
    void TimerTick();
    void StartSpin(SpinSource source);
    void EndSpin();
    QRect ClientRect() const;
    int TextWidth(const QString &text) const;
    bool SelectionInText() const;

    double fMinValue = 0.0;
    double fMaxValue = 0.0;
    double fValue = 0.0;
    double fIncrement = 1.0;
    double fSavedIncrement = 0.0;
    int fDecimals = 2;
    int fLeading = 0;
    bool fAutoSize = true;
    bool fTrackSpin = true;
    bool fModified = false;
    bool fEditorEnabled = true;
    TBorderStyle fBorderStyle = TBorderStyle::bsSingle;
    QChar fThousandSep;
    int fBase = 10;
    bool fEnabled = true;
    bool fEnterReq = false;
    int fIncExponent = 0;
    int fDigitWidth = 0;
    int fDigitHeight = 0;
    int fCapXStart = 0;
    int fCapXStop = 0;
    int fCapYStart = 0;
    int fFocusIndex = 1;
    QPushButton *fUpButton = nullptr;
    QPushButton *fDownButton = nullptr;
    QRect fFocusRect;
    bool fSpinning = false;
    SpinSource fSpinSource = SpinSource::None;
    QChar fInternalThousandSep;
    QTimer *fTimer = nullptr;
    QPushButton *fRepeatButton = nullptr; // the arrow button whose press the timer repeats
    QString fText;
    QColor fColor;
    bool fTabStop = true;
    transport::UserDialogs *fDialogs = nullptr;
};

} // namespace ui
