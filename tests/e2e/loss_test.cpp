// An instrument that stops answering mid-run: the question, and each of its answers.
#include "tests/e2e/E2eWindow.h"

#include <QCoreApplication>

namespace {

using Button = transport::UserDialogs::Button;

struct LossCase {
    Button answer;
    bool restarts;
    bool ends;
};

class LossTest : public e2e::WindowFixture, public ::testing::WithParamInterface<LossCase> {};

TEST_P(LossTest, EachAnswerOfTheLossQuestion)
{
    const LossCase c = GetParam();
    auto &sim = addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->ComPort->setResponseTime(300); // the real 3 s would only slow the test down

    sim.freeze();
    dialogs.answerNext(c.answer);
    form->QueuedCommandToPort(QStringLiteral(":PULS0:STAT ON"));
    const QString question = QStringLiteral("Communications lost. Restart?");
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.texts().contains(question); }, 10000));
    const auto shown = dialogs.shown.last();
    EXPECT_EQ(shown.text, question);
    EXPECT_EQ(shown.buttons, (QList<Button>{Button::Yes, Button::No, Button::Ignore}));
    EXPECT_EQ(shown.kind, transport::UserDialogs::Kind::Warning);

    // Let the interrupted exchange and task pass run out.
    QTest::qWait(800);
    EXPECT_EQ(form->Finished(), c.ends);
    if (c.restarts)
        EXPECT_EQ(restartedWith, QStringList{QCoreApplication::applicationFilePath()});
    else
        EXPECT_TRUE(restartedWith.isEmpty());
    EXPECT_EQ(quitRequests, c.ends ? 1 : 0);
    if (c.ends) {
        EXPECT_FALSE(form->ComPort->Opened()) << "the port was used after the end";
        EXPECT_FALSE(form->StatusTimer->isActive());
        EXPECT_FALSE(form->TaskTimer->isActive());
        // Nothing may bring the port or the timers back afterwards.
        form->QueuedCommandToPort(QStringLiteral(":PULS0:STAT OFF"));
        QTest::qWait(100);
        EXPECT_FALSE(form->ComPort->Opened());
        EXPECT_FALSE(form->TaskTimer->isActive());
    } else {
        EXPECT_TRUE(form->StatusTimer->isActive()) << "Ignore resumes polling";
        sim.thaw();
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, LossTest,
                         ::testing::Values(LossCase{Button::Yes, true, true},
                                           LossCase{Button::No, false, true},
                                           LossCase{Button::Ignore, false, false}));

} // namespace
