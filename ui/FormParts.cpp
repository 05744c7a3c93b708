#include "ui/FormParts.h"

#include "ui/TPlusSpinEdit.h"
#include "ui/WindowFonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVariant>

namespace ui {

TPlusSpinEdit *MakeSpin(QWidget *parent, const QString &name, const SpinDesign &design, QPoint at)
{
    auto *spin = new TPlusSpinEdit(parent);
    spin->setObjectName(name);
    spin->setAutoSize(false);
    spin->setBorderStyle(design.border ? TPlusSpinEdit::TBorderStyle::bsSingle
                                       : TPlusSpinEdit::TBorderStyle::bsNone);
    spin->setDecimals(design.decimals);
    spin->setIncrement(design.increment);
    spin->setMaxValue(design.maxValue);
    spin->setMinValue(design.minValue);
    spin->setValue(design.value);
    spin->setThousandSeparator(design.separator);

    QPalette palette = spin->palette();
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::black);
    spin->setPalette(palette);
    spin->setFont(TahomaFont(kSpinFontPx));
    spin->SetBounds(at.x(), at.y(), design.width,
                    design.border ? kBorderedSpinHeight : kSpinHeight);
    return spin;
}

QGroupBox *MakeGroup(QWidget *parent, const QString &name, const QString &caption,
                     const QRect &geometry, int captionPx)
{
    auto *group = new QGroupBox(caption, parent);
    group->setObjectName(name);
    group->setFont(TahomaFont(captionPx));
    group->setGeometry(geometry);
    return group;
}

QComboBox *MakeList(QWidget *parent, const QString &name, const QStringList &items, int selected,
                    const QRect &geometry)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setFont(TahomaFont(kWindowFontPx));
    list->addItems(items);
    list->setCurrentIndex(selected);
    if (selected < 0 && !items.isEmpty())
        list->setEditText(items.first());
    list->setGeometry(geometry);
    return list;
}

QCheckBox *MakeCheck(QWidget *parent, const QString &name, const QString &caption, bool checked,
                     const QRect &geometry)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setFont(TahomaFont(kWindowFontPx));
    box->setChecked(checked);
    box->setGeometry(geometry);
    return box;
}

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &caption, QPoint at,
                  int fontPx, int width)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setFont(TahomaFont(fontPx));
    label->move(at);
    label->adjustSize();
    if (width > 0)
        label->resize(width, label->height());
    return label;
}

QPushButton *MakeButton(QWidget *parent, const QString &name, const QString &caption,
                        const QRect &geometry, int fontPx)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(TahomaFont(fontPx));
    button->setGeometry(geometry);
    return button;
}

QTabWidget *MakePageControl(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *pages = new QTabWidget(parent);
    pages->setObjectName(name);
    pages->setDocumentMode(true);
    pages->setUsesScrollButtons(false);
    pages->tabBar()->setFont(TahomaFont(kTabFontPx));
    pages->tabBar()->setDrawBase(false);
    pages->tabBar()->setStyleSheet(QStringLiteral(
        "QTabBar::tab { border: 2px outset palette(button); background: palette(button);"
        " padding: 2px 10px; margin: 1px 3px 1px 0px; min-width: 40px; }"
        "QTabBar::tab:selected { border-style: inset; background: palette(midlight); }"
        "QTabBar::tab:hover:!selected { background: palette(light); }"));
    pages->setGeometry(geometry);
    return pages;
}

void SetHint(QWidget *owner, const QString &hint, bool shown,
             std::initializer_list<QWidget *> inside)
{
    owner->setProperty("hint", hint);
    if (!shown)
        return;
    owner->setToolTip(hint);
    for (QWidget *w : inside)
        w->setToolTip(hint);
}

QStringList ListItems(const QComboBox *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

} // namespace ui
