#include "ui/TformPickPort.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace ui {

namespace {

constexpr int kClientWidth = 240;
constexpr int kClientHeight = 93;

} // namespace

TformPickPort::TformPickPort(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("formPickPort"));
    setWindowTitle(QStringLiteral("Select Serial Port"));
    setFixedSize(kClientWidth, kClientHeight);
    setSizeGripEnabled(false);

    QFont dialogFont = font();
    dialogFont.setStyleHint(QFont::SansSerif);
    dialogFont.setPointSize(8);
    dialogFont.setBold(true);
    setFont(dialogFont);

    OKBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"),
                            this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setGeometry(149, 14, 77, 27);
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    // Escape already rejects a QDialog, which is what this button does.
    CancelBtn = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setGeometry(149, 46, 77, 27);
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    GroupBox1 = new QGroupBox(QStringLiteral("Serial Port"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 8, 130, 67);
    QFont groupFont = dialogFont;
    groupFont.setPointSize(10);
    groupFont.setBold(false);
    GroupBox1->setFont(groupFont);

    listPorts = new QComboBox(GroupBox1);
    listPorts->setObjectName(QStringLiteral("listPorts"));
    listPorts->setEditable(false);
    listPorts->setGeometry(11, 25, 108, 24);

    setTabOrder(OKBtn, CancelBtn);
    setTabOrder(CancelBtn, listPorts);
    OKBtn->setFocus();
}

void TformPickPort::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    OKBtn->setFocus();
}

} // namespace ui
