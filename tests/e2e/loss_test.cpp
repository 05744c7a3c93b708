// An instrument that stops answering mid-run: the question, and each of its answers.
#include "tests/e2e/E2eWindow.h"

#include "ui/RunStatusHandlers.h"
#include "ui/StorageHandlers.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

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

namespace {

// An instrument gone silent during a read-back: Ignore is asked once, and the rest of that
// read-back is given up instead of waiting out every remaining query and asking again.
class LossDuringReadBack : public e2e::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        sim = &addInstrument(1, {QStringLiteral("--model"), QStringLiteral("HRA2")});
        startProgram();
        ASSERT_TRUE(waitForReadBack());
        form->StatusTimer->stop();
        form->ComPort->setResponseTime(300); // the real 3 s would only slow the test down
        sim->freeze();
        dialogs.answerNext(Button::Ignore);
        // A second question means the read-back went on; ending there keeps the test short.
        dialogs.answerNext(Button::No);
    }
    void TearDown() override
    {
        sim->thaw();
        WindowFixture::TearDown();
    }

    qsizetype questions() const
    {
        return dialogs.texts().count(QStringLiteral("Communications lost. Restart?"));
    }

    e2e::SimInstrument *sim = nullptr;
};

TEST_F(LossDuringReadBack, IgnoreDuringARefreshAsksOnceAndKeepsTheControls)
{
    const double period = form->PeriodAdj->Value();
    const double width = form->ChWidthAdj[2]->Value();
    form->RunStatusHandling->Up1Click();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] {
            return form->Finished() ||
                   (questions() > 0 && !form->Tasks->RefreshPending() && !form->Tasks->TaskBusy());
        },
        20000));
    EXPECT_EQ(questions(), 1);
    ASSERT_FALSE(form->Finished());
    EXPECT_FALSE(form->Comm->SuppressCommands());
    EXPECT_EQ(form->PeriodAdj->Value(), period);
    EXPECT_EQ(form->ChWidthAdj[2]->Value(), width);
    EXPECT_TRUE(form->StatusTimer->isActive()) << "polling resumes";
    EXPECT_FALSE(form->LastReadBackComplete());
}

TEST_F(LossDuringReadBack, SaveSettingsToFileWritesNoPartialFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("settings.txt"));
    dialogs.answerFileNext(path);
    form->StorageHandling->SaveToFile1Click();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return form->Finished() || dialogs.shown.size() >= 2; }, 20000));
    EXPECT_EQ(questions(), 1);
    EXPECT_FALSE(form->Finished());
    EXPECT_TRUE(dialogs.saveShown.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_EQ(dialogs.shown.last().text,
              QStringLiteral("The instrument stopped answering while its settings were read. "
                             "No file was saved."));
}

} // namespace
