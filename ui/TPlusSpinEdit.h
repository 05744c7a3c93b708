#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

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

    qint64 IntValue() const;  // Value rounded to the nearest integer, halves to even
    void setIntValue(qint64 v);

    double MinValue() const;
    void setMinValue(double v);
    double MaxValue() const;
    void setMaxValue(double v);
    double Increment() const;  // the step currently in force (one unit of the selected digit)
    void setIncrement(double v);
    int Decimals() const;
    void setDecimals(int d);
    QChar ThousandSeparator() const;  // QChar() (code 0) means no grouping
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

    QString Text() const;  // the displayed text, with separators and "_" placeholders
    void RightZero();
    void SetBounds(int left, int top, int width, int height);

    // Where "Not a valid number" is reported.
    void setDialogs(transport::UserDialogs *dialogs);

Q_SIGNALS:
    void OnChange(ui::TPlusSpinEdit *sender);
    void OnSetIncrement(ui::TPlusSpinEdit *sender);

protected:
    virtual void Change();  // raises OnChange

private:
    struct Private;
    Private *d;
};

} // namespace ui
