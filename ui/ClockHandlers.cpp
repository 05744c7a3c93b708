#include "ui/ClockHandlers.h"

#include "model/CommandSet.h"
#include "model/ModelRules.h"
#include "model/NumberFormat.h"
#include "ui/TMainForm.h"
#include "ui/TPlusSpinEdit.h"

#include <QComboBox>

namespace ui {

using model::SystemSetting;

ClockHandlers::ClockHandlers(TMainForm &form) : m_form(form) {}

bool ClockHandlers::isHrb() const
{
    return m_form.State.InstrumentSeries == model::SeriesHRB;
}

void ClockHandlers::ExternalInputClkSelChange()
{
    model::SystemSettings &s = m_form.State.SystemSettings;
    const int index = m_form.ExternalInputClkSel->currentIndex();
    if (isHrb()) {
        m_form.QueuedCommandToPort(model::buildCommand(SystemSetting::InputClockMode, index));
        s.InputClock = index;
        // The outputs on offer follow the input; none is chosen until the user picks one, and
        // the instrument keeps its output meanwhile.
        m_form.UpdateHRB0OutputClock();
        return;
    }
    s.InputClock = index;
    m_form.QueuedCommandToPort(model::buildCommand(SystemSetting::InputClockSource, index));
}

void ClockHandlers::ExternalInputClkOptionSelChange()
{
    const int index = m_form.ExternalInputClkOptionSel->currentIndex();
    m_form.QueuedCommandToPort(model::buildCommand(SystemSetting::InputClockOption, index));
    m_form.State.SystemSettings.InputClockOption = index;
}

void ClockHandlers::InputClockRateAdjChange()
{
    std::int32_t &rate = m_form.State.SystemSettings.InputClockRate;
    rate = model::countToInt32(m_form.InputClockRateAdj->Value());
    m_form.QueuedCommandToPort(model::buildCommand(SystemSetting::InputClockRate, rate));
}

void ClockHandlers::InputClockLevelAdjChange()
{
    double &level = m_form.State.SystemSettings.InputClockLevel;
    level = m_form.InputClockLevelAdj->Value();
    m_form.QueuedCommandToPort(model::buildCommand(SystemSetting::InputClockLevel, level));
}

void ClockHandlers::ExternalOutputClkSelChange()
{
    const int index = m_form.ExternalOutputClkSel->currentIndex();
    // HRB's "T0 Pulse" is sent as "TO" (letter O), the others' "To Pulse" as "T0" (zero): the
    // two command tables keep them apart.
    const SystemSetting setting =
        isHrb() ? SystemSetting::HrbOutputClock : SystemSetting::OutputClock;
    m_form.QueuedCommandToPort(model::buildCommand(setting, index));
    m_form.State.SystemSettings.OutputClock = index;
}

} // namespace ui
