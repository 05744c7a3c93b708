#pragma once

#include "model/ProgramState.h"
#include "transport/UserDialogs.h"

#include <QWidget>

class QPushButton;
class QSpinBox;

namespace ui {

class TTimingDiagramView;

// "Timing Diagram": a window of its own, beside the main window and never blocking it, that
// draws where every output's pulses fall from the settings the program holds. It neither
// sends nor asks anything of the instrument; Refresh recomputes from the records.
class TTimingDiagramForm : public QWidget {
    Q_OBJECT
public:
    // The state and the dialogs outlive the window (the main window owns all three).
    TTimingDiagramForm(const model::ProgramState &state, transport::UserDialogs &dialogs,
                       QWidget *parent = nullptr);

    // Recomputes the diagram from the records; a hidden window waits until it is shown.
    void Refresh();
    void SavePictureClick();

    // The channels drawn: the instrument's, or all eight pages the window shows before a
    // read-back has told how many there are (demo mode).
    static int DiagramChannelCount(const model::ProgramState &state);

    QSpinBox *PeriodsAdj = nullptr;
    QPushButton *FitBtn = nullptr;
    QPushButton *SavePictureBtn = nullptr;
    TTimingDiagramView *DiagramView = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    const model::ProgramState &m_state;
    transport::UserDialogs &m_dialogs;
};

} // namespace ui
