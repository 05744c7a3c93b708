// Changes made in the window reach the stand-in instrument as the exact commands, and a later
// read-back finds them there.
#include "tests/e2e/E2eWindow.h"

#include "ui/TCheckListBox.h"

#include <QCheckBox>
#include <QTabWidget>

namespace {

using e2e::SimInstrument;
using e2e::WindowFixture;

QString q(const char *text)
{
    return QString::fromLatin1(text);
}

// The user picks an item by its text, as with the arrow keys.
void choose(QComboBox *list, const QString &text)
{
    const int index = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index - 1);
    QTest::keyClick(list, Qt::Key_Down);
}

void toggleMark(ui::TCheckListBox *list, int index)
{
    list->setCurrentRow(index);
    QTest::keyClick(list, Qt::Key_Space);
}

class SettingsReachTheInstrument : public WindowFixture {
protected:
    // Runs the change, waits until the task timer has sent everything, and returns what the
    // instrument received meanwhile.
    QStringList wireOf(SimInstrument &sim, const std::function<void()> &change)
    {
        const qsizetype before = sim.received().size();
        change();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form->Tasks->CommandsPending(); }, 15000));
        return sim.received().mid(before);
    }

    bool refresh()
    {
        form->Up1->trigger();
        return QTest::qWaitFor(
            [&] { return form->Tasks->RefreshPending() == 0 && !form->Comm->SuppressCommands(); },
            20000);
    }
};

} // namespace

TEST_F(SettingsReachTheInstrument, SystemChannelAndHrbClockControls)
{
    auto &sim = addInstrument(1, {q("--model"), q("HRB8")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop(); // polls would mix into the exact comparison

    const QStringList wire = wireOf(sim, [&] {
        form->PeriodAdj->setValue(0.00025);
        choose(form->SystemModeSel, q("Burst"));
        form->SysBurstAdj->setValue(1000);
        choose(form->TrigModeSel, q("Triggered"));
        form->TrigThresholdAdj->setValue(1.25);
        choose(form->GateModeSel, q("Channel"));
        form->ChDelayAdj[2]->setValue(-2.5e-10);
        form->ChWidthAdj[3]->setValue(1e-6);
        choose(form->ChModeSel[4], q("Burst"));
        form->ChBurstAdj[4]->setValue(7);
        // Each channel starts multiplexed to itself (C here).
        toggleMark(form->MuxSelect[3], 0);
        toggleMark(form->MuxSelect[3], 3);
        choose(form->ChSyncSourceSel[5], q("Ch A"));
        choose(form->ExternalInputClkSel, q("External"));
        choose(form->ExternalOutputClkSel, q("T0 Pulse"));
        form->InputClockRateAdj->setValue(25);
    });

    EXPECT_EQ(wire, (QStringList{
                        q(":PULS0:PER 0.000250000"),
                        q(":PULS0:MOD BURS"),
                        q(":PULS0:BCO 1000"),
                        q(":PULS0:TRIG:MOD TRIG"),
                        q(":PULS0:TRIG:LEV 1.25"),
                        q(":PULS0:GATE:MOD CHAN"),
                        q(":PULS2:DEL -0.00000000025"),
                        q(":PULS3:WIDT 0.00000100000"),
                        q(":PULS4:CMOD BURS"),
                        q(":PULS4:BCO 7"),
                        q(":PULS3:MUX 5"),
                        q(":PULS3:MUX 13"),
                        q(":PULS5:SYNC CHA"),
                        q(":PULS0:ICL:MOD EXT"),
                        q(":PULS0:OCL TO"),
                        q(":PULS0:ICL:RAT 25"),
                    }));

    // A fresh read-back finds every value on the instrument.
    form->State.SystemSettings = {};
    ASSERT_TRUE(refresh());
    const model::SystemSettings &s = form->State.SystemSettings;
    EXPECT_DOUBLE_EQ(s.Period, 0.00025);
    EXPECT_EQ(s.PulseMode, 2);
    EXPECT_EQ(s.BurstCount, 1000u);
    EXPECT_EQ(s.TriggerMode, 1);
    EXPECT_DOUBLE_EQ(s.TriggerLevel, 1.25);
    EXPECT_EQ(s.GateMode, 3);
    EXPECT_EQ(s.InputClock, 1);
    EXPECT_EQ(s.OutputClock, 7);
    EXPECT_EQ(s.InputClockRate, 25);
    const model::ChannelSettings &c = form->State.ChannelSettings;
    EXPECT_DOUBLE_EQ(c[2].Delay, -2.5e-10);
    EXPECT_DOUBLE_EQ(c[3].Width, 1e-6);
    EXPECT_EQ(c[4].Mode, 2);
    EXPECT_EQ(c[4].BurstCount, 7);
    EXPECT_EQ(c[3].MuxMask, 13);
    EXPECT_EQ(c[5].SyncSource, 1);
    EXPECT_EQ(form->ExternalOutputClkSel->currentText(), q("T0 Pulse"));
    EXPECT_EQ(form->ExternalOutputClkSel->itemText(1), q("1/2 Ext")) << "external input's list";
}

TEST_F(SettingsReachTheInstrument, RefusedSyncSourceSendsNothingAndKeepsTheInstrumentsSource)
{
    auto &sim = addInstrument(1, {q("--model"), q("HRA4")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop();

    const QStringList accepted = wireOf(sim, [&] { choose(form->ChSyncSourceSel[1], q("Ch B")); });
    EXPECT_EQ(accepted, QStringList{q(":PULS1:SYNC CHB")});

    // Channel B's list lost its own entry at the read-back; "Ch A" now closes a loop.
    const QStringList refused = wireOf(sim, [&] { choose(form->ChSyncSourceSel[2], q("Ch A")); });
    EXPECT_EQ(refused, QStringList{});
    EXPECT_EQ(dialogs.texts().last(), q("Error. You cannot sync two channels to each other."));
    EXPECT_EQ(form->ChSyncSourceSel[2]->currentText(), q("T0"));

    ASSERT_TRUE(refresh());
    EXPECT_EQ(form->State.ChannelSettings[1].SyncSource, 2);
    EXPECT_EQ(form->State.ChannelSettings[2].SyncSource, 0);
}

TEST_F(SettingsReachTheInstrument, PeriodOffTheGridIsPutBackAndResent)
{
    auto &sim = addInstrument(1, {q("--model"), q("HLA2")});
    startProgram();
    ASSERT_TRUE(waitForReadBack());
    form->StatusTimer->stop();
    ASSERT_EQ(wireOf(sim, [&] { form->PeriodAdj->setValue(0.002); }),
              QStringList{q(":PULS0:PER 0.002000000")});

    // HLA's 10 ns grid; the control shows 8 decimals, so a value 5 ns off has to come from an
    // entry with more decimals than the grid allows.
    form->PeriodAdj->setDecimals(9);
    const QStringList wire = wireOf(sim, [&] { form->PeriodAdj->setValue(0.002000005); });
    EXPECT_EQ(wire, QStringList{q(":PULS0:PER 0.002000000")});
    EXPECT_DOUBLE_EQ(form->PeriodAdj->Value(), 0.002);
}
