// Properties, values and their change events, and everything the keyboard does.

#include "tests/ui/SpinEditFixture.h"

#include <QGuiApplication>
#include <QPalette>
#include <QWheelEvent>

#include <cmath>
#include <limits>

using spintest::Design;
using spintest::SpinEditTest;
using ui::TPlusSpinEdit;
using Kind = transport::UserDialogs::Kind;
using Button = transport::UserDialogs::Button;

TEST_F(SpinEditTest, StartsWithTheDocumentedDefaults)
{
    EXPECT_EQ(spin->Value(), 0.0);
    EXPECT_EQ(spin->MinValue(), 0.0);
    EXPECT_EQ(spin->MaxValue(), 0.0);
    EXPECT_EQ(spin->Increment(), 1.0);
    EXPECT_EQ(spin->Decimals(), 2);
    EXPECT_TRUE(spin->ThousandSeparator().isNull());
    EXPECT_EQ(spin->Base(), 10);
    EXPECT_EQ(spin->LeadingDigits(), 0);
    EXPECT_TRUE(spin->EditorEnabled());
    EXPECT_TRUE(spin->TrackSpin());
    EXPECT_FALSE(spin->EnterRequired());
    EXPECT_TRUE(spin->ControlEnabled());
    EXPECT_TRUE(spin->AutoSize());
    EXPECT_EQ(spin->BorderStyle(), TPlusSpinEdit::TBorderStyle::bsSingle);
    EXPECT_EQ(spin->Color(), QGuiApplication::palette().color(QPalette::Active, QPalette::Base));
    EXPECT_TRUE(spin->TabStop());
    EXPECT_TRUE(spin->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(spin->Text(), QStringLiteral("0.00"));
    EXPECT_EQ(spin->IntValue(), 0);
}

TEST_F(SpinEditTest, ClampsDecimalsLeadingDigitsAndBase)
{
    const std::pair<int, int> counts[] = {{-1, 0}, {0, 0}, {9, 9}, {18, 18}, {19, 18}, {100, 18}};
    for (const auto &[in, out] : counts) {
        spin->setDecimals(in);
        EXPECT_EQ(spin->Decimals(), out) << in;
        spin->setLeadingDigits(in);
        EXPECT_EQ(spin->LeadingDigits(), out) << in;
    }
    const std::pair<int, int> bases[] = {{1, 2}, {2, 2}, {16, 16}, {20, 20}, {21, 20}};
    for (const auto &[in, out] : bases) {
        spin->setBase(in);
        EXPECT_EQ(spin->Base(), out) << in;
    }
}

TEST_F(SpinEditTest, LeadingDigitsAndEnterRequiredAreOnlyStored)
{
    configure({2, 0.01, 0, 100, 2.5});
    spin->setLeadingDigits(5);
    spin->setEnterRequired(true);
    EXPECT_EQ(spin->Text(), QStringLiteral("2.50"));
    EXPECT_TRUE(spin->EnterRequired());
    key(Qt::Key_Enter);
    key(Qt::Key_Return);
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(SpinEditTest, ValueIsClampedAndEachChangeRaisesOnChangeOnce)
{
    configure({2, 0.01, 0.2, 15, 2.5});
    spin->setValue(100);
    EXPECT_EQ(spin->Value(), 15.0);
    spin->setValue(15); // the same value again
    spin->setValue(-3);
    EXPECT_EQ(spin->Value(), 0.2);
    EXPECT_EQ(changes, (QList<double>{15.0, 0.2}));

    spin->SetValue(5); // stores without an event
    EXPECT_EQ(spin->Value(), 5.0);
    EXPECT_EQ(spin->Text(), QStringLiteral("5.00"));
    EXPECT_EQ(changes.size(), 2);
}

TEST_F(SpinEditTest, EqualBoundsMeanNoClamping)
{
    spin->setValue(1e6);
    EXPECT_EQ(spin->Value(), 1e6);
    spin->setValue(-1e6);
    EXPECT_EQ(spin->Value(), -1e6);
    EXPECT_EQ(changes.size(), 2);
}

TEST_F(SpinEditTest, NonFiniteValuesAreRefused)
{
    configure({2, 0.01, 0, 100, 2.5});
    for (double v : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
        spin->setValue(v);
        spin->setMinValue(v);
        spin->setMaxValue(v);
        spin->setIncrement(v);
    }
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_EQ(spin->MinValue(), 0.0);
    EXPECT_EQ(spin->MaxValue(), 100.0);
    EXPECT_EQ(spin->Increment(), 0.01);
    EXPECT_EQ(spin->Text(), QStringLiteral("2.50"));
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(SpinEditTest, MovingABoundPastTheValueMovesItWithOneEvent)
{
    configure({0, 1, 0, 100, 50});
    spin->setMaxValue(30);
    EXPECT_EQ(spin->Value(), 30.0);
    spin->setMinValue(40);
    EXPECT_EQ(spin->Value(), 40.0);
    spin->setMaxValue(60); // the value is inside again: no event
    EXPECT_EQ(changes, (QList<double>{30.0, 40.0}));
}

TEST_F(SpinEditTest, IntValueRoundsHalvesToEven)
{
    configure({2, 0.01, -100, 100, 0});
    const std::pair<double, qint64> cases[] = {{2.5, 2},   {3.5, 4},  {-2.5, -2},
                                               {-3.5, -4}, {2.49, 2}, {2.51, 3}};
    for (const auto &[v, expected] : cases) {
        spin->setValue(v);
        EXPECT_EQ(spin->IntValue(), expected) << v;
    }
    changes.clear();
    spin->setIntValue(7);
    EXPECT_EQ(spin->Value(), 7.0);
    EXPECT_EQ(changes, (QList<double>{7.0}));
}

TEST_F(SpinEditTest, StepsStopAtTheBound)
{
    configure({0, 1, 0, 1000, 995});
    key(Qt::Key_Left);
    ASSERT_EQ(spin->Increment(), 10.0);
    key(Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 1000.0);
    key(Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 1000.0);
    EXPECT_EQ(changes, (QList<double>{1000.0}));
    key(Qt::Key_Down);
    EXPECT_EQ(spin->Value(), 990.0);
}

TEST_F(SpinEditTest, LeftAndRightMoveTheSelectedDigit)
{
    configure({2, 0.01, 0.2, 15, 2.5});
    EXPECT_EQ(spin->Text(), QStringLiteral("2.50"));
    EXPECT_EQ(spin->Increment(), 0.01);
    key(Qt::Key_Right); // already the last decimal
    EXPECT_EQ(spin->Increment(), 0.01);
    EXPECT_EQ(incrementEvents, 0);
    key(Qt::Key_Left);
    EXPECT_EQ(spin->Increment(), 0.1);
    key(Qt::Key_Left);
    EXPECT_EQ(spin->Increment(), 1.0);
    EXPECT_EQ(incrementEvents, 2);
    key(Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 3.5);
    // the highest digit the bounds allow is the tens: Left stops there
    keys(Qt::Key_Left, 3);
    EXPECT_EQ(spin->Increment(), 10.0);
    EXPECT_EQ(spin->Text(), QStringLiteral("_3.50"));
    key(Qt::Key_Right);
    EXPECT_EQ(spin->Text(), QStringLiteral("3.50"));
}

TEST_F(SpinEditTest, TypingOverwritesTheDigitAndMovesRight)
{
    configure({2, 0.01, 0, 1000, 123.45});
    keys(Qt::Key_Left, 3);
    ASSERT_EQ(spin->Increment(), 10.0);
    type('7');
    EXPECT_EQ(spin->Value(), 173.45);
    EXPECT_EQ(spin->Increment(), 1.0);
    EXPECT_EQ(changes, (QList<double>{173.45}));

    keys(Qt::Key_Right, 5); // stops on the last decimal
    type('8');
    type('9');
    EXPECT_EQ(spin->Value(), 173.49);
    EXPECT_EQ(spin->Increment(), 0.01);
}

TEST_F(SpinEditTest, TypingAboveTheHighestDigitFillsWithZeros)
{
    configure({0, 1, 0, 100, 5});
    key(Qt::Key_Left);
    EXPECT_EQ(spin->Text(), QStringLiteral("_5"));
    type('3');
    EXPECT_EQ(spin->Value(), 35.0);
    EXPECT_EQ(spin->Text(), QStringLiteral("35"));

    recreate();
    configure({0, 1, 0, 10000, 5, QChar(u',')});
    keys(Qt::Key_Left, 3);
    EXPECT_EQ(spin->Text(), QStringLiteral("_,__5"));
    EXPECT_EQ(spin->Increment(), 1000.0);
    type('2');
    EXPECT_EQ(spin->Value(), 2005.0);
    EXPECT_EQ(spin->Text(), QStringLiteral("2,005"));
}

TEST_F(SpinEditTest, TypingOverTheSignMakesTheValuePositive)
{
    configure({0, 1, -100, 100, -5});
    key(Qt::Key_Left);
    EXPECT_EQ(spin->Increment(), 10.0);
    EXPECT_EQ(spin->Text(), QStringLiteral("-5"));
    type('3');
    EXPECT_EQ(spin->Value(), 35.0);
}

TEST_F(SpinEditTest, UnreadableTextReportsAndKeepsEverything)
{
    configure({0, 1, -1000, 1000, -5});
    keys(Qt::Key_Left, 2);
    ASSERT_EQ(spin->Text(), QStringLiteral("_-5"));
    incrementEvents = 0;
    type('3');
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, Kind::Error);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Not a valid number"));
    EXPECT_EQ(dialogs.shown[0].buttons, (QList<Button>{Button::Ok}));
    EXPECT_EQ(spin->Value(), -5.0);
    EXPECT_EQ(spin->Text(), QStringLiteral("_-5"));
    EXPECT_EQ(spin->Increment(), 100.0);
    EXPECT_EQ(incrementEvents, 0);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(SpinEditTest, RetypingTheShownDigitIsNoChange)
{
    configure({1, 0.1, 0, 10, 0.3});
    type('3');
    EXPECT_EQ(spin->Value(), 0.3);
    EXPECT_TRUE(changes.isEmpty());
}

TEST_F(SpinEditTest, CharactersThatAreNoDigitOfTheBaseAreIgnored)
{
    configure({2, 0.01, 0, 100, 2.5});
    type('a');
    type('x');
    type('-');
    type('.');
    EXPECT_EQ(spin->Value(), 2.5);
    spin->setEditorEnabled(false);
    type('7');
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_TRUE(changes.isEmpty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(SpinEditTest, CtrlZeroOnEitherKeyboardClearsRightOfTheSelection)
{
    const Qt::KeyboardModifiers keyboards[] = {Qt::ControlModifier,
                                               Qt::ControlModifier | Qt::KeypadModifier};
    for (Qt::KeyboardModifiers mods : keyboards) {
        recreate();
        configure({4, 0.0001, 0, 1000, 987.6543});
        keys(Qt::Key_Left, 5);
        ASSERT_EQ(spin->Increment(), 10.0);
        key(Qt::Key_0, mods);
        EXPECT_EQ(spin->Value(), 980.0) << mods;
        EXPECT_EQ(changes, (QList<double>{980.0})) << mods;
    }
    // without Ctrl the 0 is typed
    recreate();
    configure({4, 0.0001, 0, 1000, 987.6543});
    keys(Qt::Key_Left, 5);
    type('0');
    EXPECT_EQ(spin->Value(), 907.6543);
}

TEST_F(SpinEditTest, RightZeroKeepsDigitsLeftOfTheSelection)
{
    configure({11, 1e-11, 0, 1000, 999.99999999975});
    key(Qt::Key_Left);
    ASSERT_EQ(spin->Increment(), 1e-10);
    spin->RightZero();
    EXPECT_EQ(spin->Value(), 999.9999999997);
    EXPECT_EQ(spin->Text(), QStringLiteral("999.99999999970"));
}

TEST_F(SpinEditTest, HeldArrowRaisesOnChangeOnEveryStepOrOnceAtRelease)
{
    struct Case {
        bool trackSpin;
        int changesWhileHeld;
        int changesAfterRelease;
    };
    for (const Case c : {Case{true, 10, 10}, Case{false, 0, 1}}) {
        recreate();
        configure({0, 1, 0, 1000, 0});
        spin->setTrackSpin(c.trackSpin);
        sendKey(QEvent::KeyPress, Qt::Key_Up, false);
        for (int n = 0; n < 9; ++n) {
            // X11 repeats a held key as release/press pairs marked as auto-repeat
            sendKey(QEvent::KeyRelease, Qt::Key_Up, true);
            sendKey(QEvent::KeyPress, Qt::Key_Up, true);
        }
        EXPECT_EQ(spin->Value(), 10.0);
        EXPECT_EQ(changes.size(), c.changesWhileHeld) << c.trackSpin;
        sendKey(QEvent::KeyRelease, Qt::Key_Up, false);
        EXPECT_EQ(changes.size(), c.changesAfterRelease) << c.trackSpin;
        EXPECT_EQ(changes.last(), 10.0);
    }
}

TEST_F(SpinEditTest, DeferredEventIsOwedOnlyWhenTheSpinMovedTheValue)
{
    configure({0, 1, 0, 1000, 1000});
    spin->setTrackSpin(false);
    sendKey(QEvent::KeyPress, Qt::Key_Up, false); // already at the bound
    sendKey(QEvent::KeyRelease, Qt::Key_Up, false);
    EXPECT_TRUE(changes.isEmpty());
    // down and back up to where it started: the value did move during the spin
    sendKey(QEvent::KeyPress, Qt::Key_Down, false);
    sendKey(QEvent::KeyPress, Qt::Key_Up, true);
    sendKey(QEvent::KeyRelease, Qt::Key_Up, false);
    EXPECT_EQ(changes, (QList<double>{1000.0}));
}

TEST_F(SpinEditTest, LosingTheFocusEndsAKeySpin)
{
    configure({0, 1, 0, 1000, 0});
    spin->setTrackSpin(false);
    showFocused();
    sendKey(QEvent::KeyPress, Qt::Key_Up, false);
    sendKey(QEvent::KeyPress, Qt::Key_Up, true);
    EXPECT_TRUE(changes.isEmpty());
    spin->clearFocus();
    EXPECT_EQ(changes, (QList<double>{2.0}));
}

TEST_F(SpinEditTest, StepFloorFromIncrement)
{
    // 2.5e-10 with 11 decimals: the floor holds on the tenth and eleventh decimal
    configure({11, 2.5e-10, -1000, 1000, 1});
    EXPECT_EQ(spin->Increment(), 2.5e-10);
    key(Qt::Key_Right);
    EXPECT_EQ(spin->Increment(), 2.5e-10);
    keys(Qt::Key_Left, 2);
    EXPECT_EQ(spin->Increment(), 1e-9);
    key(Qt::Key_Up);
    EXPECT_DOUBLE_EQ(spin->Value(), 1.000000001);
}

TEST_F(SpinEditTest, IncrementFinerThanTheLastDecimal)
{
    configure({9, 5e-11, 0, 1000, 1});
    EXPECT_EQ(spin->Increment(), 5e-11);
    key(Qt::Key_Right);
    EXPECT_EQ(spin->Increment(), 5e-11);
    EXPECT_EQ(incrementEvents, 0);
    type('7'); // no digit is selected: the text and the value stay
    EXPECT_EQ(spin->Value(), 1.0);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    key(Qt::Key_Left);
    EXPECT_EQ(spin->Increment(), 1e-9);
    EXPECT_EQ(spin->Text(), QStringLiteral("1.000000000"));
}

TEST_F(SpinEditTest, ZeroIncrementMakesAZeroStep)
{
    configure({2, 0, 0, 100, 5});
    EXPECT_EQ(spin->Increment(), 0.0);
    key(Qt::Key_Up);
    EXPECT_EQ(spin->Value(), 5.0);
    EXPECT_TRUE(changes.isEmpty());
    key(Qt::Key_Left);
    EXPECT_EQ(spin->Increment(), 0.01);
}

TEST_F(SpinEditTest, LeftLeavesADigitWhoseStepEqualsTheFloor)
{
    configure({9, 1e-8, 0, 1000, 1});
    key(Qt::Key_Right);
    EXPECT_EQ(spin->Increment(), 1e-8);
    key(Qt::Key_Left); // back on the eighth decimal: same step, but the selection moves
    type('5');
    EXPECT_EQ(spin->Value(), 1.00000005);
}

TEST_F(SpinEditTest, IncrementRaisesOnSetIncrementOnlyWhenTheStepChanges)
{
    configure({2, 0.01, 0, 100, 1});
    spin->setIncrement(0.01);
    EXPECT_EQ(incrementEvents, 0);
    spin->setIncrement(0.1);
    EXPECT_EQ(incrementEvents, 1);
    EXPECT_EQ(spin->Increment(), 0.1);
}

TEST_F(SpinEditTest, ThousandSeparatorThatReadsAsNumberGroupsWithSpaces)
{
    struct Case {
        QChar separator;
        const char16_t *text;
    };
    const Case cases[] = {
        {QChar(u','), u"1,234.50"}, {QChar(u'.'), u"1 234.50"},  {QChar(u'5'), u"1 234.50"},
        {QChar(u'_'), u"1 234.50"}, {QChar(u'\''), u"1'234.50"}, {QChar(), u"1234.50"},
    };
    configure({2, 0.01, 0, 10000, 1234.5});
    for (const Case &c : cases) {
        spin->setThousandSeparator(c.separator);
        EXPECT_EQ(spin->ThousandSeparator(), c.separator);
        EXPECT_EQ(spin->Text(), QString::fromUtf16(c.text));
    }
    // a digit typed into a text grouped by spaces still reads right
    spin->setThousandSeparator(QChar(u'.'));
    keys(Qt::Key_Left, 5);
    type('2');
    EXPECT_EQ(spin->Value(), 2234.5);
}

TEST_F(SpinEditTest, BaseSixteenStepsAndTypesHexDigits)
{
    configure({0, 1, 0, 4095, 255});
    key(Qt::Key_Left);
    ASSERT_EQ(spin->Increment(), 10.0);
    spin->setBase(16); // the selected digit stays; its step follows the base
    EXPECT_EQ(spin->Text(), QStringLiteral("FF"));
    EXPECT_EQ(spin->Increment(), 16.0);
    type('a');
    EXPECT_EQ(spin->Value(), 175.0);
    EXPECT_EQ(spin->Text(), QStringLiteral("AF"));
    type('g'); // no digit of base 16
    EXPECT_EQ(spin->Value(), 175.0);
}

TEST_F(SpinEditTest, DisabledIgnoresKeysButStillReportsCodeChanges)
{
    configure({2, 0.01, 0, 100, 2.5});
    spin->setControlEnabled(false);
    EXPECT_TRUE(spin->isEnabled());
    EXPECT_TRUE(spin->focusPolicy() & Qt::TabFocus);
    key(Qt::Key_Up);
    key(Qt::Key_Left);
    type('7');
    key(Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_EQ(spin->Increment(), 0.01);
    EXPECT_TRUE(changes.isEmpty());

    spin->setValue(7);
    EXPECT_EQ(changes, (QList<double>{7.0}));

    spin->setControlEnabled(true);
    key(Qt::Key_Up);
    EXPECT_DOUBLE_EQ(spin->Value(), 7.01);
}

TEST_F(SpinEditTest, TabStopDecidesTabFocusOnly)
{
    spin->setTabStop(false);
    EXPECT_FALSE(spin->TabStop());
    EXPECT_FALSE(spin->focusPolicy() & Qt::TabFocus);
    spin->setTabStop(true);
    EXPECT_TRUE(spin->focusPolicy() & Qt::TabFocus);
}

TEST_F(SpinEditTest, WheelHasNoEffect)
{
    configure({2, 0.01, 0, 100, 2.5});
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(spin.get(), &wheel);
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_FALSE(wheel.isAccepted());
}
