#pragma once

#include <QChar>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include "ui/WindowStyle.h"

#include <initializer_list>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace ui {

class TPlusSpinEdit;

// A spin edit's design values, written with designated initializers so that every number
// says what it is. Every spin edit of the window keeps its designed size.
struct SpinDesign {
    int width;
    int decimals;
    double increment;
    double minValue;
    double maxValue;
    double value;
    QChar separator{}; // none: no grouping
    bool border = false;
};

// The design values go in the order a stored form applies them, and before anything listens:
// with MinValue and MaxValue both 0 on a fresh control nothing is clamped until MaxValue
// arrives, and Value comes after both bounds so the design value is not clamped away.
TPlusSpinEdit *MakeSpin(QWidget *parent, const QString &name, const SpinDesign &design, QPoint at);

// A group box with a caption (empty for a plain frame).
QGroupBox *MakeGroup(QWidget *parent, const QString &name, const QString &caption,
                     const QRect &geometry, int captionPx = kPageGroupFontPx);

// An editable drop-down list that never adds typed text to its items. With `selected` -1 it
// shows the first item's text and reports no selected index.
QComboBox *MakeList(QWidget *parent, const QString &name, const QStringList &items, int selected,
                    const QRect &geometry);

QCheckBox *MakeCheck(QWidget *parent, const QString &name, const QString &caption, bool checked,
                     const QRect &geometry);

// A label sized to its caption, or `width` wide when the captions it will carry vary.
QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &caption, QPoint at,
                  int fontPx = kWindowFontPx, int width = 0);

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QRect &geometry, int fontPx = kWindowFontPx);

// A page control whose tabs look like push buttons, the selected one pressed in.
QTabWidget *MakePageControl(QWidget *parent, const QString &name, const QRect &geometry);

// A hint lives on its owner (a group, or a control that carries its own) as the dynamic
// property "hint". A shown hint is also the tool tip of the owner and of the controls inside
// it, so it appears wherever the pointer rests on the group.
void SetHint(QWidget *owner, const QString &hint, bool shown,
             std::initializer_list<QWidget *> inside = {});

// The texts of a list's items, first to last.
QStringList ListItems(const QComboBox *list);

} // namespace ui
