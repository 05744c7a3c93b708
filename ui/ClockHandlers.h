#pragma once

namespace ui {

class TMainForm;

// The clock controls of the "Additional Options" page. HRB instruments speak their own clock
// dialect (input clock modes, auxiliary outputs that depend on the input); every other series
// chooses among fixed input and output frequencies. The handlers send whatever their series'
// dialect gives, whether or not the control is shown for that series.
class ClockHandlers {
public:
    explicit ClockHandlers(TMainForm &form);

    void ExternalInputClkSelChange();
    void ExternalInputClkOptionSelChange();
    void InputClockRateAdjChange();
    void InputClockLevelAdjChange();
    void ExternalOutputClkSelChange();

private:
    bool isHrb() const;

    TMainForm &m_form;
};

} // namespace ui
