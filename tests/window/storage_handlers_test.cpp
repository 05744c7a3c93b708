// The "Storage" menu: bins saved by a queued command, recalls served by the task timer, and
// settings files written after a read-back and replayed line by line.
#include "HandlersTestSupport.h"

#include "ui/StorageHandlers.h"
#include "ui/TMessageForm.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

using handlerstest::HandlerFixture;
using handlerstest::OnLineFixture;
using handlerstest::q;
using Outcome = control::SettingsFiles::Outcome;

namespace {

QAction *menuItem(ui::TMainForm &form, const QString &name)
{
    return form.findChild<QAction *>(name);
}

class SaveToBin : public HandlerFixture, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(SaveToBin, QueuesTheSaveCommand)
{
    const QString bin = QString::number(GetParam());
    QAction *item = menuItem(*form, q("Save") + bin);
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_EQ(sent(), QStringList{q("*SAV ") + bin});
}

INSTANTIATE_TEST_SUITE_P(Bins, SaveToBin, ::testing::Range(1, 13));

namespace {

class RestoreFromBin : public HandlerFixture, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(RestoreFromBin, LeavesTheRecallToTheTaskTimer)
{
    const int bin = GetParam();
    QAction *item =
        menuItem(*form, bin == 0 ? q("Default01") : q("Restore") + QString::number(bin));
    ASSERT_NE(item, nullptr);
    item->trigger();
    EXPECT_NE(form->Tasks->RecallPending(), 0);
    EXPECT_EQ(form->Tasks->PendingRecallBin(), bin);
    EXPECT_TRUE(form->TaskTimer->isActive());
    EXPECT_EQ(form->ResponseList->toPlainText(), QString()) << "nothing sent by the menu";

    EXPECT_EQ(sent(), QStringList{q("*RCL ") + QString::number(bin)});
    EXPECT_EQ(form->Tasks->RecallPending(), 0);
}

INSTANTIATE_TEST_SUITE_P(Bins, RestoreFromBin, ::testing::Range(0, 13));

namespace {

class StorageTest : public HandlerFixture {
protected:
    QString path(const char *name) const { return dir.filePath(q(name)); }

    void writeFile(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readFile(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }

    QTemporaryDir dir;
};

} // namespace

TEST_F(StorageTest, SecondRecallBeforeThePassReplacesTheFirst)
{
    form->RestoreItems[3]->trigger();
    form->RestoreItems[5]->trigger();
    EXPECT_EQ(sent(), QStringList{q("*RCL 5")});
}

TEST_F(StorageTest, SaveToFileReadsBackThenWritesTheSettingsList)
{
    form->State.SettingsList = {q("stale")};
    dialogs.answerFileNext(path("settings.txt"));
    form->SaveToFile1->trigger();

    ASSERT_EQ(form->StorageHandling->LastFileOutcome(), Outcome::Done);
    ASSERT_EQ(dialogs.saveShown.size(), 1);
    const auto &choice = dialogs.saveShown[0];
    EXPECT_EQ(choice.title, q("Save system parameters"));
    EXPECT_EQ(choice.directory, QDir::currentPath());
    EXPECT_EQ(choice.filter, q("Text file|*.txt"));
    EXPECT_EQ(choice.defaultSuffix, q("txt"));
    // The read-back rebuilt the list before it was written.
    ASSERT_FALSE(form->State.SettingsList.contains(q("stale")));
    EXPECT_EQ(readFile(path("settings.txt")),
              form->State.SettingsList.join(q("\r\n")).toLocal8Bit() + "\r\n");
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(StorageTest, SaveCancelledSaysSoAndLeavesTheFileAlone)
{
    writeFile(path("keep.txt"), "old\r\n");
    dialogs.answerFileNext(std::nullopt);
    form->SaveToFile1->trigger();
    EXPECT_EQ(form->StorageHandling->LastFileOutcome(), Outcome::Cancelled);
    EXPECT_EQ(dialogs.texts(), QStringList{q("Save to file was cancelled")});
    EXPECT_EQ(readFile(path("keep.txt")), QByteArray("old\r\n"));
}

TEST_F(StorageTest, RestoreSendsEveryLineButCommentsThenReadsBack)
{
    writeFile(path("replay.txt"), "// 1/2/2026,10:00:00\r\n"
                                  ":PULS0:PER 0.001\r\n"
                                  ":PULS1:WIDT 0.000001 // remark\r\n"
                                  "\r\n"
                                  ":PULS2:DEL 0\r\n");
    form->MessageForm->MessageLabel->setText(q("something else"));
    QList<bool> busyWhileSending;
    QObject::connect(form->ResponseList, &QTextEdit::textChanged, form.get(),
                     [&] { busyWhileSending << form->MessageForm->isVisible(); });
    form->ShotCountlbl->setText(q("Count:          7"));
    dialogs.answerFileNext(path("replay.txt"));

    form->RestoreSettingsFromFile1->trigger();
    const QList<bool> busy = busyWhileSending;

    EXPECT_EQ(form->StorageHandling->LastFileOutcome(), Outcome::Done);
    ASSERT_EQ(dialogs.openShown.size(), 1);
    EXPECT_EQ(dialogs.openShown[0].defaultSuffix, q("txt"));
    // An empty entry is sent as an empty line; a command with a remark is skipped whole.
    EXPECT_EQ(sent(), (QStringList{q(":PULS0:PER 0.001"), QString(), q(":PULS2:DEL 0")}));
    EXPECT_FALSE(busy.isEmpty());
    EXPECT_FALSE(busy.contains(false)) << "the busy window stays up while sending";
    EXPECT_EQ(form->MessageForm->MessageLabel->text(), q("Loading. Please wait..."));
    EXPECT_FALSE(form->MessageForm->isVisible());
    EXPECT_EQ(form->ShotCountlbl->text(), q("Count: ----")) << "read back at the end";
    EXPECT_EQ(dialogs.texts(), QStringList{q("Settings loaded.")});
}

TEST_F(StorageTest, EmptyFileIsSaidAndStillReadBack)
{
    writeFile(path("empty.txt"), "");
    form->ShotCountlbl->setText(q("Count:          7"));
    dialogs.answerFileNext(path("empty.txt"));
    form->RestoreSettingsFromFile1->trigger();
    EXPECT_EQ(dialogs.texts(), (QStringList{q("Empty file."), q("Settings loaded.")}));
    EXPECT_EQ(sent(), QStringList{});
    EXPECT_EQ(form->ShotCountlbl->text(), q("Count: ----"));
}

TEST_F(StorageTest, OpenCancelledDoesNothing)
{
    form->ShotCountlbl->setText(q("Count:          7"));
    dialogs.answerFileNext(std::nullopt);
    form->RestoreSettingsFromFile1->trigger();
    EXPECT_EQ(form->StorageHandling->LastFileOutcome(), Outcome::Cancelled);
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_EQ(form->ShotCountlbl->text(), q("Count:          7")) << "no read-back";
}

TEST_F(StorageTest, BinaryFileIsRefusedBeforeAnythingIsSent)
{
    writeFile(path("image.txt"), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    dialogs.answerFileNext(path("image.txt"));
    form->RestoreSettingsFromFile1->trigger();
    EXPECT_EQ(form->StorageHandling->LastFileOutcome(), Outcome::Failed);
    EXPECT_EQ(sent(), QStringList{});
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_EQ(dialogs.shown[0].kind, transport::UserDialogs::Kind::Error);
}

TEST_F(StorageTest, FileCommandWaitsWhileAnExchangeHoldsTheLine)
{
    dialogs.answerFileNext(std::nullopt);
    form->Tasks->setPollingBusy(true); // a status poll waits for its reply further up
    form->SaveToFile1->trigger();
    EXPECT_TRUE(dialogs.saveShown.isEmpty());
    EXPECT_FALSE(form->StorageHandling->LastFileOutcome().has_value());

    form->Tasks->setPollingBusy(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.saveShown.size() == 1; }, 2000));
    EXPECT_EQ(form->StorageHandling->LastFileOutcome(), Outcome::Cancelled);
}

namespace {

class ReplayOnLine : public OnLineFixture {
protected:
    void SetUp() override
    {
        OnLineFixture::SetUp();
        // A small model keeps the closing read-back short.
        form->State.InstrumentIdentity.ModelNumber = q("HLA2");
    }
    QTemporaryDir dir;
};

} // namespace

TEST_F(ReplayOnLine, CommandQueuedWhileALineWaitsIsSentAfterItNotLost)
{
    peer->onLine(":PULS0:PER 0.001", testsupport::PtyPeer::text("ok\r\n", 300));
    const QString file = dir.filePath(q("replay.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(":PULS0:PER 0.001\r\n:PULS0:BCO 5\r\n");
    }
    dialogs.answerFileNext(file);
    bool queuedInside = false;
    QTimer::singleShot(100, form.get(), [&] {
        queuedInside = form->ComPort->InUse();
        form->QueuedCommandToPort(q(":PULS1:STAT 1"));
    });

    form->RestoreSettingsFromFile1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Tasks->CommandsPending(); }, 5000));

    EXPECT_TRUE(queuedInside);
    EXPECT_EQ(form->StorageHandling->LastFileOutcome(), Outcome::Done);
    const QStringList wire = received();
    EXPECT_EQ(wire.count(q(":PULS1:STAT 1")), 1) << wire.join(u'|').toStdString();
    EXPECT_GT(wire.indexOf(q(":PULS1:STAT 1")), wire.indexOf(q(":PULS0:PER 0.001")));
    EXPECT_EQ(wire.mid(0, 1), QStringList{q(":PULS0:PER 0.001")});
}
