#pragma once

#include "tests/support/QtPrinters.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/TPlusSpinEdit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QList>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <memory>

namespace spintest {

// Created at first use and destroyed when the tests are done, before the exit handlers run:
// a static QApplication taken down by them, after Qt's own globals, crashes.
class AppEnvironment : public ::testing::Environment {
public:
    explicit AppEnvironment(QApplication *app) : m_app(app) {}
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication *m_app;
};

inline void ensureApp()
{
    static int argc = 1;
    static char name[] = "spinedit_test";
    static char *argv[] = {name, nullptr};
    static const bool created = [] {
        ::testing::AddGlobalTestEnvironment(new AppEnvironment(new QApplication(argc, argv)));
        return true;
    }();
    Q_UNUSED(created);
}

struct Design {
    int decimals;
    double increment;
    double minValue;
    double maxValue;
    double value;
    QChar separator = QChar();
};

// One spin edit with its OnChange and OnSetIncrement counted and its error messages scripted.
class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensureApp();
        recreate();
    }

    void recreate()
    {
        spin = std::make_unique<ui::TPlusSpinEdit>();
        spin->setDialogs(&dialogs);
        QObject::connect(spin.get(), &ui::TPlusSpinEdit::OnChange,
                         [this](ui::TPlusSpinEdit *sender) {
                             EXPECT_EQ(sender, spin.get());
                             changes.push_back(sender->Value());
                         });
        QObject::connect(spin.get(), &ui::TPlusSpinEdit::OnSetIncrement,
                         [this](ui::TPlusSpinEdit *) { ++incrementEvents; });
        changes.clear();
        incrementEvents = 0;
    }

    // In the order the main window applies its design values; the counts start afterwards.
    void
    configure(const Design &d,
              ui::TPlusSpinEdit::TBorderStyle border = ui::TPlusSpinEdit::TBorderStyle::bsSingle)
    {
        spin->setAutoSize(false);
        spin->setBorderStyle(border);
        spin->setDecimals(d.decimals);
        spin->setIncrement(d.increment);
        spin->setMaxValue(d.maxValue);
        spin->setMinValue(d.minValue);
        spin->setValue(d.value);
        spin->setThousandSeparator(d.separator);
        spin->SetBounds(0, 0, 200, 25);
        changes.clear();
        incrementEvents = 0;
    }

    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(spin.get(), k, mods);
    }
    void keys(Qt::Key k, int times)
    {
        for (int n = 0; n < times; ++n)
            key(k);
    }
    void type(char c) { QTest::keyClick(spin.get(), c); }

    // A key event as the platform delivers it, auto-repeat flag included.
    void sendKey(QEvent::Type type, Qt::Key k, bool autoRepeat)
    {
        QKeyEvent event(type, k, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(spin.get(), &event);
    }

    QPushButton *upButton() const
    {
        return spin->findChild<QPushButton *>(QStringLiteral("upButton"));
    }
    QPushButton *downButton() const
    {
        return spin->findChild<QPushButton *>(QStringLiteral("downButton"));
    }
    QTimer *repeatTimer() const { return spin->findChild<QTimer *>(QStringLiteral("repeatTimer")); }
    // Delivers the repeat timer's tick now instead of waiting for it.
    void tick()
    {
        QTimer *timer = repeatTimer();
        ASSERT_TRUE(timer->isActive());
        QTimerEvent event(timer->timerId());
        QCoreApplication::sendEvent(timer, &event);
    }

    void showFocused()
    {
        spin->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(spin.get()));
        spin->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(spin.get()));
        spin->setFocus(Qt::OtherFocusReason);
        ASSERT_TRUE(spin->hasFocus());
    }

    int digitWidth() const { return QFontMetrics(spin->font()).horizontalAdvance(u'0'); }
    int digitHeight() const { return QFontMetrics(spin->font()).height(); }

    // Left edge, in the control's coordinates, of the text as drawn: right-aligned half a digit
    // before the arrow buttons.
    int textLeft() const
    {
        const QFontMetrics fm(spin->font());
        QString shown = spin->Text();
        shown.replace(u'_', u'0');
        return upButton()->x() - digitWidth() / 2 - fm.horizontalAdvance(shown);
    }

    // Pixel cell of the character at 0-based index k of the displayed text.
    QRect charCell(int k) const
    {
        const QFontMetrics fm(spin->font());
        QString shown = spin->Text();
        shown.replace(u'_', u'0');
        const int left = textLeft() + fm.horizontalAdvance(shown.left(k));
        const int right = textLeft() + fm.horizontalAdvance(shown.left(k + 1)) - 1;
        const int top =
            spin->contentsRect().y() + (spin->contentsRect().height() - digitHeight()) / 2;
        return QRect(QPoint(left, top), QPoint(right, top + digitHeight() - 1));
    }

    // Whether the caret is drawn under the character at 0-based index k: two black rows at the
    // bottom of its cell, the lower one below the cell. A spin hides it.
    bool caretShownUnder(int k) const
    {
        const QImage img = spin->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect cell = charCell(k);
        return img.pixel(cell.left(), cell.bottom() + 1) == qRgb(0, 0, 0);
    }

    testsupport::ScriptedDialogs dialogs;
    std::unique_ptr<ui::TPlusSpinEdit> spin;
    QList<double> changes;
    int incrementEvents = 0;
};

} // namespace spintest
