// Settings kept on the PC and in the instrument's bins: a saved file replayed to a fresh
// instrument gives the same read-back, and a bin saved from the menu comes back on recall.
#include "tests/e2e/E2eWindow.h"

#include "ui/StorageHandlers.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>

namespace {

using e2e::WindowFixture;

QString q(const char *text)
{
    return QString::fromLatin1(text);
}

QStringList fileLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {q("<no file>")};
    QStringList lines = QString::fromLocal8Bit(f.readAll()).split(q("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The settings lines without the comment that dates them.
QStringList undated(QStringList lines)
{
    if (!lines.isEmpty())
        lines.removeFirst();
    return lines;
}

class StorageWithSim : public WindowFixture {
protected:
    void changeSomeSettings()
    {
        form->PeriodAdj->setValue(0.0005);
        form->SysDutyOnAdj->setValue(12);
        form->ChDelayAdj[1]->setValue(2.5e-9);
        form->ChWidthAdj[2]->setValue(3e-6);
        form->ChEnablebox[2]->setChecked(false);
        form->ChWaitCountAdj[1]->setValue(9);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Tasks->CommandsPending(); }, 10000));
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(StorageWithSim, SavedFileReplayedToAFreshInstrumentReadsBackTheSame)
{
    addInstrument(1, {q("--model"), q("HRA4")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop();
    changeSomeSettings();

    const QString path = dir.filePath(q("hra4.txt"));
    dialogs.answerFileNext(path);
    form->SaveToFile1->trigger();
    ASSERT_EQ(form->StorageHandling->LastFileOutcome(), control::SettingsFiles::Outcome::Done);
    const QStringList saved = fileLines(path);
    ASSERT_GT(saved.size(), 20);
    EXPECT_TRUE(saved.contains(q(":PULS0:PER 0.0005"))) << saved.join(u'\n').toStdString();
    EXPECT_TRUE(saved.contains(q(":PULS2:STAT 0")));

    // The same COM number, now a stand-in with its factory settings.
    sims.front()->stop();
    auto &fresh = addInstrument(1, {q("--model"), q("HRA4")});
    ASSERT_TRUE(form->ComPort->Open());
    form->StatusTimer->stop();

    dialogs.answerFileNext(path);
    form->RestoreSettingsFromFile1->trigger();
    ASSERT_EQ(form->StorageHandling->LastFileOutcome(), control::SettingsFiles::Outcome::Done);
    EXPECT_EQ(dialogs.texts().last(), q("Settings loaded."));

    EXPECT_EQ(undated(form->State.SettingsList), undated(saved));
    // Every command line of the file went out once, in file order, before the read-back.
    QStringList commands;
    for (const QString &line : saved) {
        if (!line.contains(q("//")))
            commands << line;
    }
    EXPECT_EQ(fresh.received().mid(0, commands.size()), commands);
}

TEST_F(StorageWithSim, BinSavedFromTheMenuComesBackOnRecall)
{
    auto &sim = addInstrument(1, {q("--model"), q("HLA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop();
    changeSomeSettings();
    form->SaveItems[4]->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Tasks->CommandsPending(); }, 5000));

    form->RestoreItems[0]->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Tasks->RecallPending() == 0; }, 20000));
    ASSERT_DOUBLE_EQ(form->State.SystemSettings.Period, 0.001) << "defaults recalled";

    form->RestoreItems[4]->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Tasks->RecallPending() == 0; }, 20000));
    EXPECT_DOUBLE_EQ(form->State.SystemSettings.Period, 0.0005);
    EXPECT_EQ(form->State.SystemSettings.DutyOnCount, 12u);
    EXPECT_DOUBLE_EQ(form->State.ChannelSettings[2].Width, 3e-6);
    EXPECT_EQ(form->State.ChannelSettings[2].Enabled, 0);
    EXPECT_EQ(form->State.ChannelSettings[1].WaitCount, 9);
    const QStringList wire = sim.received();
    EXPECT_EQ(wire.count(q("*SAV 4")), 1);
    EXPECT_LT(wire.indexOf(q("*SAV 4")), wire.indexOf(q("*RCL 0")));
    EXPECT_LT(wire.indexOf(q("*RCL 0")), wire.indexOf(q("*RCL 4")));
}
