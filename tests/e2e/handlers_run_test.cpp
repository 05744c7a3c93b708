// The Run/Stop button follows the instrument through the status poll, the shot counter is read
// while its page is open, and a pulled cable ends in the question, not in a hang.
#include "tests/e2e/E2eWindow.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

using e2e::WindowFixture;
using Button = transport::UserDialogs::Button;

QString q(const char *text)
{
    return QString::fromLatin1(text);
}

constexpr int kPollWaitMs = 5000; // a few polls of 1 s

TEST_F(WindowFixture, RunStopFollowsTheInstrument)
{
    auto &sim = addInstrument(1, {q("--model"), q("HRA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    ASSERT_EQ(form->RunStopbtn->text(), q("Run"));

    // Armed by another way than the button: the window learns it from the poll.
    form->SendEdit->setEditText(q(":PULS0:STAT ON"));
    form->SendBtn->click();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return form->RunStopbtn->text() == q("Stop"); }, kPollWaitMs));
    EXPECT_TRUE(form->State.SystemRunning);
    EXPECT_FALSE(form->PulseAnimate->isHidden());

    form->RunStopbtn->click();
    EXPECT_EQ(form->RunStopbtn->text(), q("Run")) << "at once, before the instrument answers";
    ASSERT_TRUE(QTest::qWaitFor([&] { return sim.received().contains(q(":PULS0:STAT OFF")); },
                                kPollWaitMs));
    const qsizetype polls = sim.received().count(q(":PULS0:STAT?"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return sim.received().count(q(":PULS0:STAT?")) >= polls + 2; }, kPollWaitMs));
    EXPECT_EQ(form->RunStopbtn->text(), q("Run")) << "the polls confirm it";
    EXPECT_FALSE(form->State.SystemRunning);
}

TEST_F(WindowFixture, ShotCountIsReadOnlyWhileItsPageIsOpen)
{
    auto &sim = addInstrument(1, {q("--model"), q("HRA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->ShotCountEnbl->setChecked(true);
    form->RunStopbtn->click();
    QTest::qWait(2500);
    EXPECT_EQ(sim.received().count(q(":PULS0:COUN:COUN? TCNTS?")), 0) << "System Options shown";
    EXPECT_EQ(form->ShotCountlbl->text(), q("Count: ----"));

    form->SystemPageControl->setCurrentIndex(1);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return sim.received().contains(q(":PULS0:COUN:COUN? TCNTS?")); }, kPollWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->ShotCountlbl->text() != q("Count: ----"); },
                                kPollWaitMs));
    static const QRegularExpression shown(q("^Count: [ 0-9]{10}$"));
    EXPECT_TRUE(shown.match(form->ShotCountlbl->text()).hasMatch())
        << form->ShotCountlbl->text().toStdString();
}

TEST_F(WindowFixture, PulledCableLeadsToThePortQuestion)
{
    // A first run of the same model and program tells how many lines start-up takes.
    qsizetype startUpLines = 0;
    {
        auto &probe = addInstrument(1, {q("--model"), q("HLA2")});
        startProgram();
        ASSERT_TRUE(waitForReadBack());
        form->StatusTimer->stop();
        startUpLines = probe.received().size();
        form->ExitApp();
        form.reset();
        sims.clear();
        quitRequests = 0;
    }

    // The cable goes after two polls have been answered.
    addInstrument(1,
                  {q("--model"), q("HLA2"), q("--close-after"), QString::number(startUpLines + 2)});
    dialogs.answerNext(Button::No); // "Port no longer available, restart?"
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    const QString question = q("Port no longer available, restart?");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.texts().contains(question); }, 10000))
        << dialogs.texts().join(u'|').toStdString();
    EXPECT_EQ(dialogs.texts().count(question), 1);
    EXPECT_FALSE(dialogs.texts().contains(q("Communications lost. Restart?")));
    EXPECT_TRUE(form->Finished());
    EXPECT_EQ(quitRequests, 1);
    QTest::qWait(1500);
    EXPECT_FALSE(form->StatusTimer->isActive());
    EXPECT_FALSE(form->ComPort->Opened());
    EXPECT_EQ(dialogs.texts().count(question), 1) << "asked once";
}

} // namespace
