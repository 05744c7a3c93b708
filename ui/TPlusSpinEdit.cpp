#include "ui/TPlusSpinEdit.h"

#include "transport/UserDialogs.h"
#include "ui/SpinEditMath.h"

#include <QFocusEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QPolygon>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <QtDebug>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr int kCaretHeight = 2;
constexpr int kBorderWidth = 1;
constexpr int kMinButtonWidth = 10;
constexpr int kMinArrowSize = 4;

const QColor kSelectedCellColor(0, 0, 255);
const QColor kSelectedDigitColor(255, 255, 255);
const QColor kGreyedColor(128, 128, 128);
const QColor kMarkColor(0, 0, 0);

// A filled arrow (a+1) x (a/2+2) on a transparent ground, pointing up or down.
QPixmap arrowGlyph(int a, bool up, const QColor &color)
{
    QPixmap glyph(a + 1, a / 2 + 2);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setPen(color);
    p.setBrush(color);
    const QPolygon triangle = up ? QPolygon({QPoint(0, a / 2), QPoint(a / 2, 0), QPoint(a, a / 2)})
                                 : QPolygon({QPoint(0, 1), QPoint(a / 2, a / 2 + 1), QPoint(a, 1)});
    p.drawPolygon(triangle);
    return glyph;
}

} // namespace

TPlusSpinEdit::TPlusSpinEdit(QWidget *parent) : QWidget(parent)
{
    // The control paints every pixel of its area itself, into the window's back buffer, which
    // reaches the screen in one piece: no separate background erase, so nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    fColor = QGuiApplication::palette().color(QPalette::Active, QPalette::Base);

    fTimer = new QTimer(this);
    fTimer->setObjectName(QStringLiteral("repeatTimer"));
    connect(fTimer, &QTimer::timeout, this, &TPlusSpinEdit::TimerTick);

    fUpButton = new QPushButton(this);
    fUpButton->setObjectName(QStringLiteral("upButton"));
    fDownButton = new QPushButton(this);
    fDownButton->setObjectName(QStringLiteral("downButton"));
    for (QPushButton *button : {fUpButton, fDownButton}) {
        // The buttons only ever act for the control; the focus stays with it.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->installEventFilter(this);
    }

    setContentsMargins(kBorderWidth, kBorderWidth, kBorderWidth, kBorderWidth);
    UpdateFocusPolicy();
    FormatText();
    resize(8 * QFontInfo(font()).pixelSize(), height());
    MeasureFont();
}

TPlusSpinEdit::~TPlusSpinEdit() = default;

// ---- properties -------------------------------------------------------------------------

double TPlusSpinEdit::Value() const
{
    return fValue;
}

void TPlusSpinEdit::setValue(double v)
{
    const double old = fValue;
    SetValue(v);
    if (fValue == old)
        return;
    if (!fSpinning || fTrackSpin) {
        fModified = false;
        Change();
    } else {
        fModified = true;
    }
}

void TPlusSpinEdit::SetValue(double v)
{
    // NaN or infinity would print as text that no longer reads as a number; keep the last value.
    if (!std::isfinite(v))
        return;
    if (fMinValue != fMaxValue) {
        if (v < fMinValue)
            v = fMinValue;
        else if (v > fMaxValue)
            v = fMaxValue;
    }
    v += 0.0; // -0 is 0: no sign on the zero
    if (v == fValue)
        return;
    fValue = v;
    Reformat();
}

qint64 TPlusSpinEdit::IntValue() const
{
    return RoundHalfEven(fValue);
}

void TPlusSpinEdit::setIntValue(qint64 v)
{
    setValue(static_cast<double>(v));
}

double TPlusSpinEdit::MinValue() const
{
    return fMinValue;
}

void TPlusSpinEdit::setMinValue(double v)
{
    if (!std::isfinite(v) || v == fMinValue)
        return;
    fMinValue = v;
    setValue(fValue);
    ApplyAutoSize();
}

double TPlusSpinEdit::MaxValue() const
{
    return fMaxValue;
}

void TPlusSpinEdit::setMaxValue(double v)
{
    if (!std::isfinite(v) || v == fMaxValue)
        return;
    fMaxValue = v;
    setValue(fValue);
    ApplyAutoSize();
}

double TPlusSpinEdit::Increment() const
{
    return fIncrement;
}

void TPlusSpinEdit::setIncrement(double v)
{
    if (!std::isfinite(v))
        return;
    const double a = std::fabs(v);
    // Kept as a magnitude: a negative floor would never hold the step up.
    fSavedIncrement = a;
    if (fIncrement > 0 && std::fabs(a - fIncrement) < 1e-7 * fIncrement)
        return; // already the step; only the floor changed
    fIncExponent = IncrementExponent(fBase, a, fDecimals);
    UpdateDisplayFields();
    update();
    fIncrement = a;
    Q_EMIT OnSetIncrement(this);
}

int TPlusSpinEdit::Decimals() const
{
    return fDecimals;
}

void TPlusSpinEdit::setDecimals(int d)
{
    fDecimals = std::clamp(d, 0, kSpinMaxDecimals);
    if (fAutoSize)
        ApplyAutoSize();
    else
        Reformat();
}

QChar TPlusSpinEdit::ThousandSeparator() const
{
    return fThousandSep;
}

void TPlusSpinEdit::setThousandSeparator(QChar c)
{
    fThousandSep = c;
    fInternalThousandSep = EffectiveSeparator(c, kSpinDecimalPoint);
    Reformat();
}

int TPlusSpinEdit::Base() const
{
    return fBase;
}

void TPlusSpinEdit::setBase(int b)
{
    b = std::clamp(b, kSpinMinBase, kSpinMaxBase);
    if (b == fBase)
        return;
    fBase = b;
    SelectDigit(fIncExponent);
    FormatText();
    if (fAutoSize)
        ApplyAutoSize();
    else
        UpdateDisplayFields();
    update();
}

int TPlusSpinEdit::LeadingDigits() const
{
    return fLeading;
}

void TPlusSpinEdit::setLeadingDigits(int n)
{
    fLeading = std::clamp(n, 0, kSpinMaxDecimals);
    Reformat();
}

bool TPlusSpinEdit::EditorEnabled() const
{
    return fEditorEnabled;
}
void TPlusSpinEdit::setEditorEnabled(bool on)
{
    fEditorEnabled = on;
}

bool TPlusSpinEdit::TrackSpin() const
{
    return fTrackSpin;
}
void TPlusSpinEdit::setTrackSpin(bool on)
{
    fTrackSpin = on;
}

bool TPlusSpinEdit::EnterRequired() const
{
    return fEnterReq;
}
void TPlusSpinEdit::setEnterRequired(bool on)
{
    fEnterReq = on;
}

bool TPlusSpinEdit::ControlEnabled() const
{
    return fEnabled;
}

void TPlusSpinEdit::setControlEnabled(bool on)
{
    fEnabled = on;
    if (!on)
        AbandonButtonSpin();
    update();
    LayoutButtons(); // the arrows change colour
}

bool TPlusSpinEdit::AutoSize() const
{
    return fAutoSize;
}

void TPlusSpinEdit::setAutoSize(bool on)
{
    fAutoSize = on;
    ApplyAutoSize();
}

TPlusSpinEdit::TBorderStyle TPlusSpinEdit::BorderStyle() const
{
    return fBorderStyle;
}

void TPlusSpinEdit::setBorderStyle(TBorderStyle s)
{
    if (s == fBorderStyle)
        return;
    fBorderStyle = s;
    const int m = s == TBorderStyle::bsSingle ? kBorderWidth : 0;
    setContentsMargins(m, m, m, m);
    MeasureFont();
}

QColor TPlusSpinEdit::Color() const
{
    return fColor;
}

void TPlusSpinEdit::setColor(const QColor &c)
{
    fColor = c;
    update();
}

bool TPlusSpinEdit::TabStop() const
{
    return fTabStop;
}

void TPlusSpinEdit::setTabStop(bool on)
{
    fTabStop = on;
    UpdateFocusPolicy();
}

QString TPlusSpinEdit::Text() const
{
    return fText;
}

void TPlusSpinEdit::RightZero()
{
    setValue(RightZeroed(fValue, fDecimals, fIncExponent, fBase));
}

void TPlusSpinEdit::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, width, height);
    LayoutButtons(); // also when the size did not change, so no resize event comes
    update();
}

void TPlusSpinEdit::setDialogs(transport::UserDialogs *dialogs)
{
    fDialogs = dialogs;
}

void TPlusSpinEdit::Change()
{
    Q_EMIT OnChange(this);
}

// ---- text, selection and layout ----------------------------------------------------------

void TPlusSpinEdit::FormatText()
{
    fText = FormatSpinText(fValue, fDecimals, fInternalThousandSep, fBase);
}

void TPlusSpinEdit::Reformat()
{
    FormatText();
    UpdateDisplayFields();
    update();
}

bool TPlusSpinEdit::SelectionInText() const
{
    return fFocusIndex >= 1 && fFocusIndex <= fText.size();
}

void TPlusSpinEdit::UpdateDisplayFields()
{
    const SpinSelection place =
        LocateSelection(fText, fIncExponent, fDecimals, fInternalThousandSep, fBase);
    fText = place.text;
    fFocusIndex = place.focusIndex;

    const QFontMetrics fm(font());
    const QString shown = DisplayText(fText);
    fCapXStart = fCapXStop - fm.horizontalAdvance(shown);
    int left = fCapXStop; // a selection past the last decimal has a notional cell here
    int right = left + fDigitWidth - 1;
    if (SelectionInText()) {
        left = fCapXStart + fm.horizontalAdvance(shown.left(fFocusIndex - 1));
        right = fCapXStart + fm.horizontalAdvance(shown.left(fFocusIndex)) - 1;
    }
    fFocusRect = QRect(QPoint(left, fCapYStart), QPoint(right, fCapYStart + fDigitHeight - 1));
}

void TPlusSpinEdit::SelectDigit(int exponent)
{
    int e = std::max(exponent, -fDecimals);
    if (fMinValue != fMaxValue)
        e = std::min(e, std::max(DigitSpan(fBase, fMinValue), DigitSpan(fBase, fMaxValue)));
    const double s = StepForExponent(fBase, e);
    fIncrement = fSavedIncrement > s ? fSavedIncrement : s;
    fIncExponent = e;
    Q_EMIT OnSetIncrement(this);
    UpdateDisplayFields();
    update();
}

QRect TPlusSpinEdit::ClientRect() const
{
    return contentsRect();
}

int TPlusSpinEdit::TextWidth(const QString &text) const
{
    return QFontMetrics(font()).horizontalAdvance(text);
}

void TPlusSpinEdit::MeasureFont()
{
    const QFontMetrics fm(font());
    fDigitHeight = fm.height();
    fDigitWidth = fm.horizontalAdvance(u'0');
    if (fAutoSize)
        ApplyAutoSize();
    else
        LayoutButtons();
    update();
}

void TPlusSpinEdit::LayoutButtons()
{
    const QRect client = ClientRect();
    const int cw = client.width();
    const int ch = client.height();
    const int w = std::max(kMinButtonWidth, fDigitWidth + fDigitWidth / 2 + 8);
    fUpButton->setGeometry(client.x() + cw - w, client.y(), w, ch / 2);
    fDownButton->setGeometry(client.x() + cw - w, client.y() + ch / 2, w, ch - ch / 2);

    int a = static_cast<int>(std::nearbyint(1.3 * std::pow(w, 0.75))) - 2;
    a = std::max(a, kMinArrowSize);
    if (a % 2 != 0)
        --a;
    const QColor arrowColor = fEnabled ? kMarkColor : kGreyedColor;
    const QPixmap up = arrowGlyph(a, true, arrowColor);
    const QPixmap down = arrowGlyph(a, false, arrowColor);
    fUpButton->setIcon(QIcon(up));
    fUpButton->setIconSize(up.size());
    fDownButton->setIcon(QIcon(down));
    fDownButton->setIconSize(down.size());

    fCapXStop = (cw - w) - fDigitWidth / 2;
    fCapYStart = (ch - fDigitHeight) / 2;
    UpdateDisplayFields();
}

void TPlusSpinEdit::ApplyAutoSize()
{
    if (!fAutoSize)
        return;
    int h = fDigitHeight + fDigitHeight / 3;
    if (h % 2 == 0)
        ++h;
    int w = width();
    if (fMinValue != fMaxValue) {
        // Both bounds are measured: their digit spans are floored at 1, so 0.2 and 15 tie and
        // choosing by span alone would size for "0.20" and cut the first digit of "15.00".
        const int minWidth =
            TextWidth(FormatSpinText(fMinValue, fDecimals, fInternalThousandSep, fBase));
        const int maxWidth =
            TextWidth(FormatSpinText(fMaxValue, fDecimals, fInternalThousandSep, fBase));
        w = std::max(minWidth, maxWidth) + h;
    }
    FormatText();
    resize(w, h);
    LayoutButtons();
    update();
}

void TPlusSpinEdit::UpdateFocusPolicy()
{
    // A click focuses the control from mousePressEvent, and only while it is enabled; the
    // policy itself decides the Tab key alone.
    setFocusPolicy(fTabStop ? Qt::TabFocus : Qt::NoFocus);
}

// ---- painting ------------------------------------------------------------------------------

void TPlusSpinEdit::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        MeasureFont();
    else if (event->type() == QEvent::PaletteChange)
        update();
    else if (event->type() == QEvent::EnabledChange && !isEnabled())
        AbandonButtonSpin(); // also when a parent group is disabled
    QWidget::changeEvent(event);
}

void TPlusSpinEdit::resizeEvent(QResizeEvent *event)
{
    LayoutButtons();
    QWidget::resizeEvent(event);
}

void TPlusSpinEdit::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (fBorderStyle == TBorderStyle::bsSingle) {
        p.setPen(kMarkColor);
        p.setBrush(Qt::NoBrush);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const QRect client = ClientRect();
    p.translate(client.topLeft());
    const QRect textArea(0, 0, fUpButton->x() - client.x(), client.height());
    p.setClipRect(textArea);
    p.fillRect(textArea, fColor);

    const QFontMetrics fm(font());
    const int baseline = fCapYStart + fm.ascent();
    const QString shown = DisplayText(fText);
    p.setFont(font());
    p.setPen(fEnabled ? palette().color(QPalette::Text) : kGreyedColor);
    p.drawText(QPoint(fCapXStart, baseline), shown);

    // A selection past the last decimal (an Increment finer than the text) has no digit to
    // mark, so nothing is drawn for it.
    if (!SelectionInText())
        return;
    if (hasFocus()) {
        p.fillRect(fFocusRect, kSelectedCellColor);
        p.setPen(kSelectedDigitColor);
        p.drawText(QPoint(fFocusRect.left(), baseline), shown.mid(fFocusIndex - 1, 1));
        if (!fSpinning)
            p.fillRect(
                QRect(fFocusRect.left(), fFocusRect.bottom(), fFocusRect.width(), kCaretHeight),
                kMarkColor);
    } else {
        p.setPen(kMarkColor);
        p.drawLine(fFocusRect.left(), fFocusRect.bottom(), fFocusRect.right(), fFocusRect.bottom());
    }
}

} // namespace ui
