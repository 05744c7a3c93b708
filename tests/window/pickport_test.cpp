// The port selection dialog as laid out, and the file filter form of the Qt dialogs.
#include "ui/QtDialogs.h"
#include "ui/TformPickPort.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

void ensureApp()
{
    static int argc = 1;
    static char name[] = "window_pickport";
    static char *argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

TEST(PickPortDialog, LayoutAsDesigned)
{
    ensureApp();
    ui::TformPickPort form;
    EXPECT_EQ(form.objectName(), QStringLiteral("formPickPort"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Select Serial Port"));
    EXPECT_EQ(form.size(), QSize(240, 93));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(form.windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_TRUE(form.font().bold());
    EXPECT_EQ(form.font().pointSize(), 8);

    struct Expect {
        QWidget *widget;
        const char *name;
        QRect geometry;
    };
    const Expect expected[] = {{form.OKBtn, "OKBtn", QRect(149, 14, 77, 27)},
                               {form.CancelBtn, "CancelBtn", QRect(149, 46, 77, 27)},
                               {form.GroupBox1, "GroupBox1", QRect(8, 8, 130, 67)},
                               {form.listPorts, "listPorts", QRect(11, 25, 108, 24)}};
    for (const Expect &e : expected) {
        ASSERT_NE(e.widget, nullptr) << e.name;
        EXPECT_EQ(e.widget->objectName(), QLatin1String(e.name));
        EXPECT_EQ(e.widget->geometry(), e.geometry) << e.name;
        EXPECT_EQ(form.findChild<QWidget *>(QLatin1String(e.name)), e.widget) << e.name;
    }
    EXPECT_EQ(form.listPorts->parentWidget(), form.GroupBox1);
    EXPECT_FALSE(form.listPorts->isEditable());
    EXPECT_EQ(form.OKBtn->text(), QStringLiteral("OK"));
    EXPECT_EQ(form.CancelBtn->text(), QStringLiteral("Cancel"));
    EXPECT_FALSE(form.OKBtn->icon().isNull());
    EXPECT_FALSE(form.CancelBtn->icon().isNull());
    EXPECT_TRUE(form.OKBtn->isDefault());
    EXPECT_EQ(form.GroupBox1->title(), QStringLiteral("Serial Port"));
    EXPECT_EQ(form.GroupBox1->font().pointSize(), 10);
    EXPECT_FALSE(form.GroupBox1->font().bold());
    EXPECT_EQ(form.OKBtn->nextInFocusChain(), form.CancelBtn);

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(QApplication::focusWidget(), form.OKBtn);
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());
}

TEST(PickPortDialog, ReturnAcceptsWithTheSelection)
{
    ensureApp();
    ui::TformPickPort form;
    form.listPorts->addItems({QStringLiteral("COM3"), QStringLiteral("COM12")});
    form.listPorts->setCurrentIndex(1);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.listPorts->currentText(), QStringLiteral("COM12"));
}

// The Qt implementation fills the dialog from the choice and reports what OK confirmed.
TEST(PickPortDialog, QtDialogsRunsItWithTheChoice)
{
    ensureApp();
    transport::UserDialogs::PortChoice choice;
    choice.entries = {QStringLiteral("COM3"), QStringLiteral("COM12")};
    choice.toolTips = {QStringLiteral("/dev/ttyS2"), QStringLiteral("/dev/ttyS11")};

    for (int preselected : {1, -1}) {
        choice.preselected = preselected;
        int seenIndex = -2;
        QString seenTip;
        QTimer::singleShot(0, [&] {
            ui::TformPickPort *form = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *f = qobject_cast<ui::TformPickPort *>(w); f && f->isVisible())
                    form = f;
            }
            ASSERT_NE(form, nullptr);
            seenIndex = form->listPorts->currentIndex();
            seenTip = form->listPorts->itemData(1, Qt::ToolTipRole).toString();
            form->OKBtn->click();
        });
        ui::QtDialogs dialogs;
        const std::optional<int> picked = dialogs.pickPort(choice);
        EXPECT_EQ(seenIndex, preselected);
        EXPECT_EQ(seenTip, QStringLiteral("/dev/ttyS11"));
        if (preselected < 0)
            EXPECT_FALSE(picked.has_value()) << "OK with nothing selected";
        else
            EXPECT_EQ(picked, std::optional<int>(preselected));
    }
}

struct FilterCase {
    const char *ours;
    const char *qt;
};

void PrintTo(const FilterCase &c, std::ostream *os)
{
    *os << c.ours;
}

class FileFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilter, ConvertsToQtForm)
{
    EXPECT_EQ(ui::QtDialogs::qtFilter(QLatin1String(GetParam().ours)).toStdString(), GetParam().qt);
}

INSTANTIATE_TEST_SUITE_P(Forms, FileFilter,
                         ::testing::Values(FilterCase{"Text file|*.txt", "Text file (*.txt)"},
                                           FilterCase{"Text file|*.txt|All files|*.*",
                                                      "Text file (*.txt);;All files (*.*)"},
                                           FilterCase{"Logs|*.txt;*.log", "Logs (*.txt *.log)"},
                                           FilterCase{"Anything", "Anything (*)"},
                                           FilterCase{"", ""}));

} // namespace
