#pragma once

#include "model/CommandSet.h"

#include <cstdint>

class QComboBox;

namespace ui {

class TMainForm;
class TPlusSpinEdit;

// The controls of the "System Options" page. Each change becomes exactly one queued command
// and is kept in SystemSettings; nothing here waits for the instrument or tests a flag of its
// own (a read-back's SuppressCommands drops the command in the queue, the value is still kept).
class SystemHandlers {
public:
    explicit SystemHandlers(TMainForm &form);

    void PeriodAdjChange();
    void SystemModeSelChange();
    void SysBurstAdjChange();
    void SysDutyOnAdjChange();
    void SysDutyOffAdjChange();
    void TrigModeSelChange();
    void TriggerEdgeSelClick();
    void TrigThresholdAdjChange();
    void GateModeSelChange();
    void GateLogicSelChange();
    void GateThresholdAdjChange();
    void AutoStartEnblClick();

private:
    void selectionChanged(const QComboBox *list, model::SystemSetting setting, std::int32_t &field);
    void countChanged(const TPlusSpinEdit *edit, model::SystemSetting setting,
                      std::uint32_t &field);
    void levelChanged(const TPlusSpinEdit *edit, model::SystemSetting setting, double &field);

    TMainForm &m_form;
};

} // namespace ui
