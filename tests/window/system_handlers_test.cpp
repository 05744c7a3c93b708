// The "System Options" page: every control change becomes its exact command, the value is
// kept in SystemSettings, and the mode lists update what can be edited.
#include "HandlersTestSupport.h"

#include "ui/SystemHandlers.h"

#include <QCheckBox>
#include <QGroupBox>

#include <functional>
#include <vector>

using handlerstest::HandlerFixture;
using handlerstest::OnLineFixture;
using handlerstest::q;
using ui::TMainForm;

namespace {

struct SystemCase {
    const char *name;
    std::function<void(TMainForm &)> change;
    QStringList commands;
    std::function<double(const model::SystemSettings &)> stored;
    double storedValue;
};

const std::vector<SystemCase> &systemCases()
{
    using S = model::SystemSettings;
    static const std::vector<SystemCase> cases = {
        {"PeriodOneMillisecond",
         [](TMainForm &f) { f.PeriodAdj->setValue(0.001); },
         {q(":PULS0:PER 0.001000000")},
         [](const S &s) { return s.Period; },
         0.001},
        {"PulseModeBurst",
         [](TMainForm &f) { HandlerFixture::choose(f.SystemModeSel, 2); },
         {q(":PULS0:MOD BURS")},
         [](const S &s) { return double(s.PulseMode); },
         2},
        {"PulseModeContinuous",
         [](TMainForm &f) { HandlerFixture::choose(f.SystemModeSel, 0); },
         {q(":PULS0:MOD NORM")},
         [](const S &s) { return double(s.PulseMode); },
         0},
        // The design value is already the maximum, so the count goes down first.
        {"BurstCountAboveSignedRange",
         [](TMainForm &f) {
             f.SysBurstAdj->setValue(1);
             f.SysBurstAdj->setValue(4000000000.0);
         },
         {q(":PULS0:BCO 1"), q(":PULS0:BCO 4000000000")},
         [](const S &s) { return double(s.BurstCount); },
         4000000000.0},
        {"DutyOnCount",
         [](TMainForm &f) { f.SysDutyOnAdj->setValue(7); },
         {q(":PULS0:PCO 7")},
         [](const S &s) { return double(s.DutyOnCount); },
         7},
        {"DutyOffCountAboveSignedRange",
         [](TMainForm &f) { f.SysDutyOffAdj->setValue(3000000000.0); },
         {q(":PULS0:OCO 3000000000")},
         [](const S &s) { return double(s.DutyOffCount); },
         3000000000.0},
        {"TriggerModeTriggered",
         [](TMainForm &f) { HandlerFixture::choose(f.TrigModeSel, 1); },
         {q(":PULS0:TRIG:MOD TRIG")},
         [](const S &s) { return double(s.TriggerMode); },
         1},
        {"TriggerEdgeRising",
         [](TMainForm &f) { HandlerFixture::choose(f.TriggerEdgeSel, 1); },
         {q(":PULS0:TRIG:EDG RIS")},
         [](const S &s) { return double(s.TriggerEdge); },
         1},
        {"TriggerEdgeFalling",
         [](TMainForm &f) { HandlerFixture::choose(f.TriggerEdgeSel, 0); },
         {q(":PULS0:TRIG:EDG FALL")},
         [](const S &s) { return double(s.TriggerEdge); },
         0},
        {"TriggerLevelTwoDecimals",
         [](TMainForm &f) {
             f.TrigThresholdAdj->setValue(5.0);
             f.TrigThresholdAdj->setValue(2.5);
         },
         {q(":PULS0:TRIG:LEV 5.00"), q(":PULS0:TRIG:LEV 2.50")},
         [](const S &s) { return s.TriggerLevel; },
         2.5},
        {"GateModeChannel",
         [](TMainForm &f) { HandlerFixture::choose(f.GateModeSel, 3); },
         {q(":PULS0:GATE:MOD CHAN")},
         [](const S &s) { return double(s.GateMode); },
         3},
        {"GateModeOutputInhibit",
         [](TMainForm &f) { HandlerFixture::choose(f.GateModeSel, 2); },
         {q(":PULS0:GATE:MOD OUTP")},
         [](const S &s) { return double(s.GateMode); },
         2},
        {"GateLogicHigh",
         [](TMainForm &f) { HandlerFixture::choose(f.GateLogicSel, 1); },
         {q(":PULS0:GATE:LOG HIGH")},
         [](const S &s) { return double(s.GateLogic); },
         1},
        {"GateLevel",
         [](TMainForm &f) { f.GateThresholdAdj->setValue(0.75); },
         {q(":PULS0:GATE:LEV 0.75")},
         [](const S &s) { return s.GateLevel; },
         0.75},
        // Auto start is the instrument's own: nothing is stored for it.
        {"AutoStartOnThenOff",
         [](TMainForm &f) {
             f.AutoStartEnbl->setChecked(true);
             f.AutoStartEnbl->setChecked(false);
         },
         {q(":SYST:AUT 1"), q(":SYST:AUT 0")},
         [](const S &s) { return double(s.AutoStart); },
         0},
    };
    return cases;
}

class SystemControlChange : public HandlerFixture,
                            public ::testing::WithParamInterface<SystemCase> {};

} // namespace

TEST_P(SystemControlChange, QueuesItsCommandAndStoresTheValue)
{
    const SystemCase &c = GetParam();
    c.change(*form);
    EXPECT_EQ(sent(), c.commands);
    EXPECT_DOUBLE_EQ(c.stored(form->State.SystemSettings), c.storedValue);
}

INSTANTIATE_TEST_SUITE_P(EveryControl, SystemControlChange, ::testing::ValuesIn(systemCases()),
                         [](const auto &info) { return std::string(info.param.name); });

using SystemHandlersTest = HandlerFixture;

TEST_F(SystemHandlersTest, PeriodOffTheGridRestoresAndRequeuesTheStoredPeriod)
{
    form->PeriodAdj->setValue(0.001);
    ASSERT_EQ(sent(), QStringList{q(":PULS0:PER 0.001000000")});

    // Half a step of 10 ns beside the grid.
    form->PeriodAdj->setValue(0.001000005);
    EXPECT_EQ(sent(), QStringList{q(":PULS0:PER 0.001000000")});
    EXPECT_DOUBLE_EQ(form->State.SystemSettings.Period, 0.001);
    EXPECT_DOUBLE_EQ(form->PeriodAdj->Value(), 0.001);
    EXPECT_TRUE(dialogs.shown.isEmpty()) << "refused without a word";
}

TEST_F(SystemHandlersTest, PeriodRestoreEndsWhenTheStoredPeriodIsOffTheGridToo)
{
    // A stored value the grid refuses as well (the step changed since it was stored).
    form->State.SystemSettings.Period = 0.000500003;
    form->PeriodAdj->setValue(0.000500007);
    EXPECT_EQ(sent(), QStringList{});
    EXPECT_DOUBLE_EQ(form->PeriodAdj->Value(), 0.000500003);
    EXPECT_DOUBLE_EQ(form->State.SystemSettings.Period, 0.000500003);
}

// On the wire, because the terminal shows lines without their trailing blanks.
TEST_F(OnLineFixture, ListWithNothingSelectedSendsTheHeaderAlone)
{
    ASSERT_EQ(form->TrigModeSel->currentIndex(), -1) << "design state";
    form->State.SystemSettings.TriggerMode = 1;
    form->SystemHandling->TrigModeSelChange();
    form->Tasks->ProcessTasks();
    EXPECT_EQ(received(), QStringList{q(":PULS0:TRIG:MOD ")});
    EXPECT_EQ(form->State.SystemSettings.TriggerMode, -1);
}

TEST_F(SystemHandlersTest, ListsSetFromCodeRaiseNothingTheUsersChoiceDoes)
{
    form->SystemModeSel->setCurrentIndex(3);
    form->GateModeSel->setCurrentIndex(1);
    EXPECT_EQ(sent(), QStringList{});
    EXPECT_EQ(form->State.SystemSettings.PulseMode, 0);

    QTest::keyClick(form->SystemModeSel, Qt::Key_Up);
    EXPECT_EQ(sent(), QStringList{q(":PULS0:MOD BURS")});
}

TEST_F(SystemHandlersTest, ReadBackSuppressionStoresButQueuesNothing)
{
    form->Comm->setSuppressCommands(true);
    form->SysDutyOnAdj->setValue(7);
    form->PeriodAdj->setValue(0.002);
    form->AutoStartEnbl->setChecked(true);
    form->Comm->setSuppressCommands(false);
    EXPECT_EQ(sent(), QStringList{});
    EXPECT_EQ(form->State.SystemSettings.DutyOnCount, 7u);
    EXPECT_DOUBLE_EQ(form->State.SystemSettings.Period, 0.002);
}

TEST_F(SystemHandlersTest, PulseModeEnablesTheMatchingCountGroups)
{
    choose(form->SystemModeSel, 2); // Burst
    EXPECT_TRUE(form->BurstCountGrp->isEnabled());
    EXPECT_TRUE(form->SysBurstAdj->ControlEnabled());
    EXPECT_FALSE(form->DutyCycleGrp->isEnabled());
    EXPECT_FALSE(form->SysDutyOnAdj->ControlEnabled());

    choose(form->SystemModeSel, 3); // Duty Cycle
    EXPECT_FALSE(form->BurstCountGrp->isEnabled());
    EXPECT_TRUE(form->DutyCycleGrp->isEnabled());
    EXPECT_TRUE(form->SysDutyOffAdj->ControlEnabled());
    EXPECT_EQ(sent(), (QStringList{q(":PULS0:MOD BURS"), q(":PULS0:MOD DCYC")}));
}

TEST_F(SystemHandlersTest, TriggerAndGateModesEnableTheirControls)
{
    choose(form->TrigModeSel, 0);
    EXPECT_FALSE(form->ExtThresholdGrp->isEnabled());
    EXPECT_FALSE(form->TriggerEdgeSel->isEnabled());
    choose(form->TrigModeSel, 1);
    EXPECT_TRUE(form->ExtThresholdGrp->isEnabled());
    EXPECT_TRUE(form->TrigThresholdAdj->ControlEnabled());
    EXPECT_TRUE(form->TriggerEdgeSel->isEnabled());

    choose(form->GateModeSel, 1); // Pulse Inhibit: gated, but not per channel
    EXPECT_TRUE(form->GateLogicSel->isEnabled());
    for (int n = 1; n <= 8; ++n)
        EXPECT_FALSE(form->ChGateModeSel[n]->isEnabled()) << n;
    choose(form->GateModeSel, 3); // Channel
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(form->ChGateModeSel[n]->isEnabled()) << n;
    choose(form->GateModeSel, 0);
    EXPECT_FALSE(form->GateLogicSel->isEnabled());
    EXPECT_FALSE(form->GateThresholdGrp->isEnabled());
}
