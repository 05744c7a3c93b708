// Which controls a mode lets the user edit, the series' ranges on the spin edits, and the HRB
// output clock list. None of these keep state: each call derives everything from the records.
#include "ui/TMainForm.h"

#include "model/TokenTables.h"
#include "ui/TPlusSpinEdit.h"

#include <QComboBox>
#include <QGroupBox>

namespace ui {

namespace {

// A setting is enabled as a whole: the group around it and the control inside.
void enable(QGroupBox *group, TPlusSpinEdit *edit, bool on)
{
    group->setEnabled(on);
    edit->setControlEnabled(on);
}

void enable(QGroupBox *group, QWidget *list, bool on)
{
    group->setEnabled(on);
    list->setEnabled(on);
}

// Positions of the pulse mode, trigger mode and gate mode lists.
enum { ModeContinuous = 0, ModeSingleShot = 1, ModeBurst = 2, ModeDutyCycle = 3 };
enum { TriggerDisabled = 0, TriggerTriggered = 1 };
enum { GateDisabled = 0, GateChannel = 3 };

} // namespace

void TMainForm::SystemModesEnable()
{
    const int mode = State.SystemSettings.PulseMode;
    if (mode < ModeContinuous || mode > ModeDutyCycle)
        return;
    enable(BurstCountGrp, SysBurstAdj, mode == ModeBurst);
    DutyCycleGrp->setEnabled(mode == ModeDutyCycle);
    SysDutyOnAdj->setControlEnabled(mode == ModeDutyCycle);
    SysDutyOffAdj->setControlEnabled(mode == ModeDutyCycle);
}

void TMainForm::ChModesEnable(int n)
{
    const int mode = State.ChannelSettings[n].Mode;
    if (mode < ModeContinuous || mode > ModeDutyCycle)
        return;
    enable(ChBurstCountGrp[n], ChBurstAdj[n], mode == ModeBurst);
    enable(ChDutyOnGrp[n], ChDutyOnAdj[n], mode == ModeDutyCycle);
    enable(ChDutyOffGrp[n], ChDutyOffAdj[n], mode == ModeDutyCycle);
}

void TMainForm::TriggerModesEnable()
{
    const int mode = State.SystemSettings.TriggerMode;
    if (mode != TriggerDisabled && mode != TriggerTriggered)
        return;
    const bool on = mode == TriggerTriggered;
    enable(ExtThresholdGrp, TrigThresholdAdj, on);
    enable(ExtTrigEdgeGrp, TriggerEdgeSel, on);
}

void TMainForm::GateModesEnable()
{
    const int mode = State.SystemSettings.GateMode;
    const bool gated = mode != GateDisabled;
    enable(GateThresholdGrp, GateThresholdAdj, gated);
    enable(GateLogicGrp, GateLogicSel, gated);
    for (int n = 1; n <= State.ChannelCount && n <= kChannelCount; ++n)
        ChGateModeSel[n]->setEnabled(mode == GateChannel);
}

void TMainForm::SetAmplitudeEnabled(int n, bool on)
{
    enable(ChAmplitudeAdjGrp[n], ChAmplitudeAdj[n], on);
}

void TMainForm::SetResolutionRanges()
{
    // An unknown series has no limits: applying the zeros would leave edits without decimals
    // or range, so the designed ranges stay.
    if (!HasSeriesLimits())
        return;
    const model::SeriesLimits &l = State.SeriesLimits;
    PeriodAdj->setIncrement(l.PeriodStep);
    PeriodAdj->setDecimals(l.PeriodDecimals);
    PeriodAdj->setMaxValue(l.PeriodMax);
    PeriodAdj->setMinValue(l.PeriodMin);
    SysBurstAdj->setMaxValue(l.SystemBurstMax);
    SysDutyOnAdj->setMaxValue(l.SystemDutyMax);
    SysDutyOffAdj->setMaxValue(l.SystemDutyMax);
    for (int n = 1; n <= State.ChannelCount && n <= kChannelCount; ++n) {
        ChDelayAdj[n]->setIncrement(l.DelayStep);
        ChDelayAdj[n]->setMaxValue(l.DelayMax);
        ChDelayAdj[n]->setMinValue(l.DelayMin);
        ChDelayAdj[n]->setDecimals(l.DelayDecimals);
        ChWidthAdj[n]->setIncrement(l.WidthStep);
        ChWidthAdj[n]->setMaxValue(l.WidthMax);
        ChWidthAdj[n]->setMinValue(l.WidthMin);
        ChWidthAdj[n]->setDecimals(l.WidthDecimals);
        ChBurstAdj[n]->setMaxValue(l.ChannelBurstMax);
        ChDutyOnAdj[n]->setMaxValue(l.ChannelDutyMax);
        ChDutyOffAdj[n]->setMaxValue(l.ChannelDutyMax);
        ChWaitCountAdj[n]->setMaxValue(l.WaitCountMax);
    }
}

bool TMainForm::HasSeriesLimits() const
{
    return State.SeriesLimits.PeriodStep > 0.0;
}

void TMainForm::UpdateHRB0OutputClock()
{
    ExternalOutputClkSel->clear();
    ExternalOutputClkSel->addItems(model::hrbOutputClockCaptions(State.SystemSettings.InputClock));
    // No choice is shown until the user picks an output again; the instrument keeps its own.
    ExternalOutputClkSel->setCurrentIndex(-1);
}

} // namespace ui
