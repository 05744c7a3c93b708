#include "ui/TMessageForm.h"

#include "ui/WindowFonts.h"
#include "ui/WindowStyle.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>

namespace ui {

TMessageForm::TMessageForm(QWidget *parent) : QWidget(parent, Qt::Dialog)
{
    setObjectName(QStringLiteral("MessageForm"));
    setWindowTitle(QStringLiteral("Message"));
    setFont(TahomaFont(kWindowFontPx));
    setFixedSize(kClientWidth, kClientHeight);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    setEnabled(false);

    MessageLabel = new QLabel(QStringLiteral("Loading. Please wait..."), this);
    MessageLabel->setObjectName(QStringLiteral("MessageLabel"));
    MessageLabel->setFont(TahomaFont(kMessageFontPx));
    MessageLabel->setGeometry(8, 12, 313, 35);
    // The window is disabled only to refuse input; its text stays in the window-text colour.
    QPalette palette = MessageLabel->palette();
    palette.setColor(QPalette::Disabled, QPalette::WindowText,
                     palette.color(QPalette::Active, QPalette::WindowText));
    MessageLabel->setPalette(palette);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TMessageForm::~TMessageForm() = default;

} // namespace ui
