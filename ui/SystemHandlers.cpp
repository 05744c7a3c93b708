#include "ui/SystemHandlers.h"

#include "model/NumberFormat.h"
#include "model/ValueRanges.h"
#include "ui/TMainForm.h"
#include "ui/TPlusSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>

namespace ui {

using model::SystemSetting;

SystemHandlers::SystemHandlers(TMainForm &form) : m_form(form) {}

void SystemHandlers::selectionChanged(const QComboBox *list, SystemSetting setting,
                                      std::int32_t &field)
{
    // No selection (-1) gives an empty word: the header goes out alone.
    m_form.QueuedCommandToPort(model::buildCommand(setting, list->currentIndex()));
    field = list->currentIndex();
}

void SystemHandlers::countChanged(const TPlusSpinEdit *edit, SystemSetting setting,
                                  std::uint32_t &field)
{
    // The design limit of four thousand million lies above the signed range; the count is
    // kept and written unsigned.
    field = model::countToUInt32(edit->Value());
    m_form.QueuedCommandToPort(model::buildCommand(setting, field));
}

void SystemHandlers::levelChanged(const TPlusSpinEdit *edit, SystemSetting setting, double &field)
{
    field = edit->Value();
    m_form.QueuedCommandToPort(model::buildCommand(setting, field));
}

void SystemHandlers::PeriodAdjChange()
{
    model::SystemSettings &s = m_form.State.SystemSettings;
    const double period = m_form.PeriodAdj->Value();
    if (model::CheckResolution(period, m_form.State.SeriesLimits.PeriodStep)) {
        s.Period = period;
        m_form.QueuedCommandToPort(model::buildCommand(SystemSetting::Period, period));
        return;
    }
    // Off the grid: the stored period comes back without a word. Setting it raises the change
    // again, so we return here with that value and queue it once more; when it fails as well,
    // the control already shows it and no further change is raised.
    m_form.PeriodAdj->setValue(s.Period);
}

void SystemHandlers::SystemModeSelChange()
{
    selectionChanged(m_form.SystemModeSel, SystemSetting::PulseMode,
                     m_form.State.SystemSettings.PulseMode);
    m_form.SystemModesEnable();
}

void SystemHandlers::SysBurstAdjChange()
{
    countChanged(m_form.SysBurstAdj, SystemSetting::BurstCount,
                 m_form.State.SystemSettings.BurstCount);
}

void SystemHandlers::SysDutyOnAdjChange()
{
    countChanged(m_form.SysDutyOnAdj, SystemSetting::DutyOnCount,
                 m_form.State.SystemSettings.DutyOnCount);
}

void SystemHandlers::SysDutyOffAdjChange()
{
    countChanged(m_form.SysDutyOffAdj, SystemSetting::DutyOffCount,
                 m_form.State.SystemSettings.DutyOffCount);
}

void SystemHandlers::TrigModeSelChange()
{
    selectionChanged(m_form.TrigModeSel, SystemSetting::TriggerMode,
                     m_form.State.SystemSettings.TriggerMode);
    m_form.TriggerModesEnable();
}

void SystemHandlers::TriggerEdgeSelClick()
{
    selectionChanged(m_form.TriggerEdgeSel, SystemSetting::TriggerEdge,
                     m_form.State.SystemSettings.TriggerEdge);
}

void SystemHandlers::TrigThresholdAdjChange()
{
    levelChanged(m_form.TrigThresholdAdj, SystemSetting::TriggerLevel,
                 m_form.State.SystemSettings.TriggerLevel);
}

void SystemHandlers::GateModeSelChange()
{
    selectionChanged(m_form.GateModeSel, SystemSetting::GateMode,
                     m_form.State.SystemSettings.GateMode);
    m_form.GateModesEnable();
}

void SystemHandlers::GateLogicSelChange()
{
    selectionChanged(m_form.GateLogicSel, SystemSetting::GateLogic,
                     m_form.State.SystemSettings.GateLogic);
}

void SystemHandlers::GateThresholdAdjChange()
{
    levelChanged(m_form.GateThresholdAdj, SystemSetting::GateLevel,
                 m_form.State.SystemSettings.GateLevel);
}

void SystemHandlers::AutoStartEnblClick()
{
    // The instrument keeps auto start itself; the window stores nothing for it.
    m_form.QueuedCommandToPort(
        model::buildCommand(SystemSetting::AutoStart, m_form.AutoStartEnbl->isChecked() ? 1 : 0));
}

} // namespace ui
