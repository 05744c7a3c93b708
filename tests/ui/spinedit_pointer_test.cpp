// Clicks, double-clicks and the two arrow buttons with their repeat timer.

#include "tests/ui/SpinEditFixture.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>

#include <functional>

using spintest::Design;
using spintest::SpinEditTest;

namespace {

class SpinPointerTest : public SpinEditTest {
protected:
    void clickChar(int k)
    {
        QTest::mouseClick(spin.get(), Qt::LeftButton, {}, charCell(k).center());
    }
    void clickAt(int x)
    {
        QTest::mouseClick(spin.get(), Qt::LeftButton, {}, QPoint(x, spin->height() / 2));
    }
    // As the platform delivers a double-click: a click, then the second press as a double-click.
    void doubleClickChar(int k)
    {
        clickChar(k);
        QTest::mouseDClick(spin.get(), Qt::LeftButton, {}, charCell(k).center());
    }
    void pressButton(QPushButton *b)
    {
        QTest::mousePress(b, Qt::LeftButton, {}, b->rect().center());
    }
    void releaseButton(QPushButton *b)
    {
        QTest::mouseRelease(b, Qt::LeftButton, {}, b->rect().center());
    }
};

} // namespace

TEST_F(SpinPointerTest, ClickSelectsTheDigitUnderThePointer)
{
    struct Case {
        int charIndex; // in "1,234.50"
        double step;
    };
    const Case cases[] = {
        {0, 1000}, {1, 100},                  // a separator belongs to the digit on its right
        {2, 100},  {3, 10},   {4, 1}, {5, 1}, // the decimal point belongs to the digit on its left
        {6, 0.1},  {7, 0.01},
    };
    for (const Case &c : cases) {
        recreate();
        configure({2, 0.01, -10000, 10000, 1234.5, QChar(u',')});
        spin->show();
        ASSERT_EQ(spin->Text(), QStringLiteral("1,234.50"));
        if (c.step == 0.01)
            key(Qt::Key_Left); // start elsewhere, so the click has to move the selection
        clickChar(c.charIndex);
        EXPECT_EQ(spin->Increment(), c.step) << "character " << c.charIndex;
    }
}

TEST_F(SpinPointerTest, ClickLeftOfTheTextSelectsTheNextHigherDigitWithinTheBounds)
{
    configure({0, 1, 0, 100, 5});
    spin->show();
    clickAt(textLeft() - 2);
    EXPECT_EQ(spin->Text(), QStringLiteral("_5"));
    EXPECT_EQ(spin->Increment(), 10.0);
    clickAt(textLeft() - 2);
    EXPECT_EQ(spin->Text(), QStringLiteral("__5"));
    EXPECT_EQ(spin->Increment(), 100.0);
    clickAt(textLeft() - 2); // 100 spans two digits: no higher one
    EXPECT_EQ(spin->Text(), QStringLiteral("__5"));
    EXPECT_EQ(spin->Increment(), 100.0);
}

TEST_F(SpinPointerTest, ClickTakesTheFocus)
{
    configure({2, 0.01, 0, 100, 2.5});
    spin->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(spin.get()));
    spin->clearFocus();
    ASSERT_FALSE(spin->hasFocus());
    clickChar(0);
    EXPECT_TRUE(spin->hasFocus());
}

TEST_F(SpinPointerTest, DoubleClickZeroesTheDigitsRightOfTheSelection)
{
    struct Case {
        int charIndex; // in "987.6543"
        double expected;
    };
    for (const Case c : {Case{1, 980}, Case{2, 987}, Case{5, 987.65}, Case{7, 987.6543}}) {
        recreate();
        configure({4, 0.0001, 0, 1000, 987.6543});
        spin->show();
        doubleClickChar(c.charIndex);
        EXPECT_EQ(spin->Value(), c.expected) << "character " << c.charIndex;
        EXPECT_EQ(changes.size(), c.expected == 987.6543 ? 0 : 1);
    }
}

TEST_F(SpinPointerTest, ArrowButtonStepsOnPressThenRepeats)
{
    configure({0, 1, 0, 1000, 10});
    spin->show();
    pressButton(upButton());
    EXPECT_EQ(spin->Value(), 11.0);
    ASSERT_TRUE(repeatTimer()->isActive());
    EXPECT_EQ(repeatTimer()->interval(), 500);
    tick();
    EXPECT_EQ(spin->Value(), 12.0);
    EXPECT_EQ(repeatTimer()->interval(), 150);
    tick();
    EXPECT_EQ(spin->Value(), 13.0);

    // dragged off the button, it is drawn raised and the repetition pauses; back on, it resumes
    QTest::mouseMove(upButton(), QPoint(upButton()->width() + 20, -20));
    ASSERT_FALSE(upButton()->isDown());
    tick();
    EXPECT_EQ(spin->Value(), 13.0);
    QTest::mouseMove(upButton(), upButton()->rect().center());
    ASSERT_TRUE(upButton()->isDown());
    EXPECT_TRUE(repeatTimer()->isActive());
    tick();
    EXPECT_EQ(spin->Value(), 14.0);

    releaseButton(upButton());
    EXPECT_FALSE(repeatTimer()->isActive());
    EXPECT_EQ(changes, (QList<double>{11, 12, 13, 14}));

    pressButton(downButton());
    tick();
    releaseButton(downButton());
    EXPECT_EQ(spin->Value(), 12.0);
}

TEST_F(SpinPointerTest, ArrowButtonSpinWithoutTrackSpinReportsOnceOnRelease)
{
    configure({0, 1, 0, 1000, 10});
    spin->setTrackSpin(false);
    spin->show();
    pressButton(upButton());
    tick();
    tick();
    EXPECT_EQ(spin->Value(), 13.0);
    EXPECT_TRUE(changes.isEmpty());
    // a key released meanwhile does not end the button's spin
    sendKey(QEvent::KeyPress, Qt::Key_Shift, false);
    sendKey(QEvent::KeyRelease, Qt::Key_Shift, false);
    EXPECT_TRUE(repeatTimer()->isActive());
    EXPECT_TRUE(changes.isEmpty());
    releaseButton(upButton());
    EXPECT_EQ(changes, (QList<double>{13.0}));
    EXPECT_FALSE(repeatTimer()->isActive());
}

TEST_F(SpinPointerTest, DisabledControlIgnoresClicksAndButtons)
{
    configure({2, 0.01, 0, 100, 2.5});
    spin->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(spin.get()));
    spin->clearFocus();
    spin->setControlEnabled(false);

    clickChar(0);
    EXPECT_EQ(spin->Increment(), 0.01);
    EXPECT_FALSE(spin->hasFocus());
    doubleClickChar(0);
    EXPECT_EQ(spin->Value(), 2.5);

    pressButton(upButton());
    EXPECT_FALSE(repeatTimer()->isActive());
    EXPECT_FALSE(upButton()->isDown());
    releaseButton(upButton());
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(SpinPointerTest, DisablingDuringAButtonSpinStillEndsItAndDeliversTheChange)
{
    configure({0, 1, 0, 1000, 10});
    spin->setTrackSpin(false);
    spin->show();
    pressButton(upButton());
    spin->setControlEnabled(false);
    // ended at once: no tick steps any more, and the change owed is delivered now
    EXPECT_FALSE(repeatTimer()->isActive());
    EXPECT_EQ(changes, (QList<double>{11.0}));
    releaseButton(upButton());
    EXPECT_EQ(spin->Value(), 11.0);
    EXPECT_EQ(changes, (QList<double>{11.0}));
}

// A box opened from the change handler (a refused sync source, the loss question) runs its own
// event loop while the button is held, and the release goes to the box.
TEST_F(SpinPointerTest, ModalBoxOpenedDuringAButtonSpinEndsIt)
{
    configure({0, 1, 0, 1000, 10});
    showFocused();
    bool opened = false;
    double valueInBox = 0;
    bool repeatingInBox = true;
    QObject::connect(spin.get(), &ui::TPlusSpinEdit::OnChange, spin.get(), [&] {
        if (opened || spin->Value() != 12.0)
            return;
        opened = true;
        QDialog box(spin.get());
        box.setModal(true);
        QTimer::singleShot(0, &box, [&] {
            if (repeatTimer()->isActive())
                tick(); // the repeat beat, while the box is up
            valueInBox = spin->Value();
            repeatingInBox = repeatTimer()->isActive();
            box.reject();
        });
        box.exec();
    });
    pressButton(upButton()); // 11
    EXPECT_FALSE(caretShownUnder(1));
    tick(); // 12 opens the box
    ASSERT_TRUE(opened);
    EXPECT_EQ(valueInBox, 12.0);
    EXPECT_FALSE(repeatingInBox);
    EXPECT_FALSE(repeatTimer()->isActive());
    EXPECT_FALSE(upButton()->isDown());
    showFocused(); // the box is gone; the control is active again
    EXPECT_TRUE(caretShownUnder(1));
    releaseButton(upButton()); // the release the box took
    EXPECT_EQ(spin->Value(), 12.0);
    EXPECT_EQ(changes, (QList<double>{11.0, 12.0}));
}

TEST_F(SpinPointerTest, DisablingOrHidingTheControlOrItsGroupEndsAButtonSpinAtOnce)
{
    struct Case {
        const char *what;
        std::function<void(QWidget *group, ui::TPlusSpinEdit *spin)> end;
        std::function<void(QWidget *group, ui::TPlusSpinEdit *spin)> undo;
    };
    const Case cases[] = {
        {"group disabled", [](QWidget *g, ui::TPlusSpinEdit *) { g->setEnabled(false); },
         [](QWidget *g, ui::TPlusSpinEdit *) { g->setEnabled(true); }},
        {"control disabled", [](QWidget *, ui::TPlusSpinEdit *s) { s->setEnabled(false); },
         [](QWidget *, ui::TPlusSpinEdit *s) { s->setEnabled(true); }},
        {"group hidden", [](QWidget *g, ui::TPlusSpinEdit *) { g->hide(); },
         [](QWidget *g, ui::TPlusSpinEdit *) { g->show(); }},
        {"control hidden", [](QWidget *, ui::TPlusSpinEdit *s) { s->hide(); },
         [](QWidget *, ui::TPlusSpinEdit *s) { s->show(); }},
    };
    for (const Case &c : cases) {
        recreate();
        configure({0, 1, 0, 1000, 10});
        spin->setTrackSpin(false);
        QWidget group;
        spin->setParent(&group);
        group.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
        pressButton(upButton()); // 11
        tick();                  // 12
        c.end(&group, spin.get());
        EXPECT_FALSE(repeatTimer()->isActive()) << c.what;
        EXPECT_EQ(changes, (QList<double>{12.0})) << c.what;
        c.undo(&group, spin.get());
        EXPECT_FALSE(upButton()->isDown()) << c.what;
        releaseButton(upButton());
        EXPECT_EQ(spin->Value(), 12.0) << c.what;
        EXPECT_EQ(changes, (QList<double>{12.0})) << c.what;
        spin->setParent(nullptr); // the fixture owns it, not the group
    }
}

TEST_F(SpinPointerTest, ButtonSpinEndsWhenTheButtonIsNoLongerHeld)
{
    configure({0, 1, 0, 1000, 10});
    spin->setTrackSpin(false);
    showFocused();
    QLineEdit elsewhere;
    elsewhere.show();
    pressButton(upButton()); // 11
    // the release reaches another widget, not the held button
    QTest::mouseRelease(&elsewhere, Qt::LeftButton);
    ASSERT_FALSE(QGuiApplication::mouseButtons() & Qt::LeftButton);
    tick();
    EXPECT_EQ(spin->Value(), 11.0);
    EXPECT_FALSE(repeatTimer()->isActive());
    EXPECT_EQ(changes, (QList<double>{11.0}));
    EXPECT_FALSE(upButton()->isDown());
}

TEST_F(SpinPointerTest, ButtonPressTakesTheFocus)
{
    configure({0, 1, 0, 1000, 10});
    spin->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(spin.get()));
    spin->clearFocus();
    pressButton(downButton());
    EXPECT_TRUE(spin->hasFocus());
    releaseButton(downButton());
    EXPECT_EQ(spin->Value(), 9.0);
}
