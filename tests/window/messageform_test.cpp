#include "WindowTestSupport.h"

#include "ui/TMessageForm.h"
#include "ui/WindowFonts.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include <gtest/gtest.h>

using namespace windowtest;

TEST(MessageForm, BusyWindowDesign)
{
    ensureApp();
    ui::TMessageForm form;
    EXPECT_EQ(form.objectName(), latin("MessageForm"));
    EXPECT_EQ(form.windowTitle(), latin("Message"));
    EXPECT_TRUE(form.isWindow());
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(form.size(), QSize(326, 58));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_EQ(form.font().pixelSize(), 11);

    const QLabel *label = form.MessageLabel;
    ASSERT_EQ(form.findChild<QLabel *>(latin("MessageLabel")), label);
    EXPECT_EQ(label->geometry(), QRect(8, 12, 313, 35));
    EXPECT_EQ(label->text(), latin("Loading. Please wait..."));
    EXPECT_EQ(label->font().pixelSize(), 29);
    EXPECT_EQ(label->font().family(), ui::TahomaFamily());

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((form.geometry().center() - screen.center()).manhattanLength(), 2);
}

// Shown while commands run, it must neither take input nor pull the focus away.
TEST(MessageForm, ShownWithoutTakingInputOrFocus)
{
    ensureApp();
    ui::TMessageForm form;
    form.show();
    QApplication::processEvents();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.isEnabled());
    EXPECT_FALSE(form.MessageLabel->isEnabled());
    // Disabled for input only: the message is not greyed out.
    const QPalette &palette = form.MessageLabel->palette();
    EXPECT_EQ(palette.color(QPalette::Disabled, QPalette::WindowText),
              palette.color(QPalette::Active, QPalette::WindowText));
    EXPECT_TRUE(form.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    form.MessageLabel->setText(latin("Loading. Please wait..."));
    form.close();
    EXPECT_FALSE(form.isVisible());
}
