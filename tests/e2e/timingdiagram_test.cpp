// The timing diagram against the stand-in instrument: it asks the instrument nothing, moves a
// synced channel with its source at once, and follows what a read-back finds.
#include "tests/e2e/E2eWindow.h"

#include "ui/MenuHandlers.h"
#include "ui/TTimingDiagramForm.h"
#include "ui/TTimingDiagramView.h"

#include <QAction>
#include <QPushButton>

namespace {

using e2e::SimInstrument;
using e2e::WindowFixture;

QString q(const char *text)
{
    return QString::fromLatin1(text);
}

class DiagramAgainstInstrument : public WindowFixture {
protected:
    void startHra8()
    {
        sim = &addInstrument(1, {q("--model"), q("HRA8")});
        startProgram();
        ASSERT_TRUE(waitForReadBack());
        form->StatusTimer->stop(); // its polls would mix into what the instrument received
    }

    ui::TTimingDiagramView &diagram()
    {
        form->TimingDiagram1->trigger();
        return *form->MenuHandling->TimingDiagram()->DiagramView;
    }

    model::Picoseconds firstEdge(int channel)
    {
        return diagram().diagram().rows.at(static_cast<std::size_t>(channel)).edges.at(0).time;
    }

    bool sendAll()
    {
        return QTest::qWaitFor([&] { return !form->Tasks->CommandsPending(); }, 15000);
    }

    bool refresh()
    {
        form->Up1->trigger();
        return QTest::qWaitFor(
            [&] { return form->Tasks->RefreshPending() == 0 && !form->Comm->SuppressCommands(); },
            20000);
    }

    SimInstrument *sim = nullptr;
};

} // namespace

TEST_F(DiagramAgainstInstrument, OpensFromTheInstrumentsSettingsWithoutAsking)
{
    startHra8();
    const qsizetype before = sim->received().size();
    ui::TTimingDiagramView &view = diagram();
    QTest::qWait(300);
    EXPECT_EQ(sim->received().size(), before);
    const model::TimingDiagram &d = view.diagram();
    ASSERT_EQ(d.rows.size(), 9u);       // T0 and A to H
    EXPECT_EQ(d.period, 1'000'000'000); // the instrument's 1 ms
    // Each output on its own timer: 10 µs pulses at every T0.
    for (std::size_t n = 1; n <= 8; ++n) {
        ASSERT_EQ(d.rows[n].edges.size(), 6u) << n;
        EXPECT_EQ(d.rows[n].edges[1].time, 10'000'000);
    }
}

TEST_F(DiagramAgainstInstrument, ASyncedChannelMovesWithItsSourceAtOnce)
{
    startHra8();
    diagram();
    const auto choose = [](QComboBox *list, const QString &text) {
        list->setCurrentIndex(list->findText(text) - 1);
        QTest::keyClick(list, Qt::Key_Down);
    };
    choose(form->ChSyncSourceSel[2], q("Ch A"));
    form->ChDelayAdj[2]->setValue(250e-9);
    form->ChDelayAdj[1]->setValue(1.5e-6);
    // Before the instrument has even received the commands.
    EXPECT_TRUE(form->Tasks->CommandsPending());
    EXPECT_EQ(firstEdge(2), 1'750'000);
    form->ChDelayAdj[1]->setValue(3e-6);
    EXPECT_EQ(firstEdge(2), 3'250'000);
    ASSERT_TRUE(sendAll());
    EXPECT_TRUE(sim->received().contains(q(":PULS1:DEL 0.00000300000")));
}

TEST_F(DiagramAgainstInstrument, FollowsWhatTheReadBackFinds)
{
    startHra8();
    form->ChDelayAdj[2]->setValue(250e-9);
    ASSERT_TRUE(sendAll());
    EXPECT_EQ(firstEdge(2), 250'000);

    // Changed behind the window's back: only the read-back can tell the diagram.
    form->SendEdit->setEditText(q(":PULS1:DEL 0.00000200000"));
    form->SendBtn->click();
    form->SendEdit->setEditText(q(":PULS2:SYNC CHA"));
    form->SendBtn->click();
    ASSERT_TRUE(sendAll());
    EXPECT_EQ(firstEdge(2), 250'000);

    ASSERT_TRUE(refresh());
    EXPECT_EQ(form->State.ChannelSettings[2].SyncSource, 1);
    EXPECT_EQ(firstEdge(2), 2'250'000);
}
