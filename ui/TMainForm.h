#pragma once

#include "transport/UserDialogs.h"

#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTimer;
class TrpVersionInfo;

namespace transport {
class TVNComPort;
}

namespace ui {

class TCheckListBox;
class TPlusSpinEdit;

// The program's one window. Every control is built in its design state by the constructor and
// is reachable by the member of its name (the object name is the same); the per-channel
// controls are reached through the arrays below once FillChannelArrays has run.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kChannelCount = 8;
    static constexpr int kClientWidth = 622;
    static constexpr int kClientHeight = 710;

    // Indexed by channel number 1..8; entry 0 stays empty.
    template <typename T> using ChannelArray = std::array<T *, kChannelCount + 1>;

    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Looks each per-channel control up by its stem and channel digit. An entry whose name is
    // missing, or names a control of another kind, is left empty.
    void FillChannelArrays();

    // Top band
    QLabel *BlueBanner = nullptr;
    QLabel *PulseAnimate = nullptr; // carries the pulse animation as its movie
    QLabel *ErrorLabel = nullptr;
    QPushButton *RunStopbtn = nullptr;

    // System area
    QGroupBox *GroupBox23 = nullptr;
    QTabWidget *SystemPageControl = nullptr;
    QWidget *SystemPage = nullptr;
    QWidget *AdditionalPage = nullptr;

    QGroupBox *Systemgrp = nullptr;
    QGroupBox *PulseModeGrp = nullptr;
    QComboBox *SystemModeSel = nullptr;
    QGroupBox *PeriodGrp = nullptr;
    TPlusSpinEdit *PeriodAdj = nullptr;
    QGroupBox *BurstCountGrp = nullptr;
    TPlusSpinEdit *SysBurstAdj = nullptr;
    QCheckBox *AutoStartEnbl = nullptr;
    QGroupBox *DutyCycleGrp = nullptr;
    QGroupBox *OnCountGrp = nullptr;
    TPlusSpinEdit *SysDutyOnAdj = nullptr;
    QGroupBox *OffCountGrp = nullptr;
    TPlusSpinEdit *SysDutyOffAdj = nullptr;
    QGroupBox *Externalgrp = nullptr;
    QGroupBox *TriggerModeSelGrp = nullptr;
    QComboBox *TrigModeSel = nullptr;
    QGroupBox *ExtTrigEdgeGrp = nullptr;
    QComboBox *TriggerEdgeSel = nullptr;
    QGroupBox *ExtThresholdGrp = nullptr;
    TPlusSpinEdit *TrigThresholdAdj = nullptr;
    QGroupBox *GateModeGrp = nullptr;
    QComboBox *GateModeSel = nullptr;
    QGroupBox *GateLogicGrp = nullptr;
    QComboBox *GateLogicSel = nullptr;
    QGroupBox *GateThresholdGrp = nullptr;
    TPlusSpinEdit *GateThresholdAdj = nullptr;

    QGroupBox *GroupBox32 = nullptr;
    QCheckBox *ShotCountEnbl = nullptr;
    QPushButton *ClearShotCount = nullptr;
    QLabel *ShotCountlbl = nullptr;
    QGroupBox *ExternalInputClkGrp = nullptr;
    QComboBox *ExternalInputClkSel = nullptr;
    QGroupBox *ExternalOptionGrp = nullptr;
    QComboBox *ExternalInputClkOptionSel = nullptr;
    QGroupBox *InputClockRateGrp = nullptr;
    TPlusSpinEdit *InputClockRateAdj = nullptr;
    QGroupBox *InputClockLevelGrp = nullptr;
    TPlusSpinEdit *InputClockLevelAdj = nullptr;
    QGroupBox *ExternalOutputClkGrp = nullptr;
    QComboBox *ExternalOutputClkSel = nullptr;

    // Channel area
    QGroupBox *ChannelGrp = nullptr;
    QTabWidget *ChPageControl = nullptr;
    QWidget *TabChA = nullptr;
    QWidget *TabChB = nullptr;
    QWidget *TabChC = nullptr;
    QWidget *TabChD = nullptr;
    QWidget *TabChE = nullptr;
    QWidget *TabChF = nullptr;
    QWidget *TabChG = nullptr;
    QWidget *TabChH = nullptr;

    // Bottom band
    QGroupBox *TerminalBoxgrp = nullptr;
    QComboBox *SendEdit = nullptr;
    QPushButton *SendBtn = nullptr;
    QTextEdit *ResponseList = nullptr;
    QGroupBox *SystemInfoGrp = nullptr;
    QLabel *SerialNumberlbl = nullptr;
    QLabel *FWVersionlbl = nullptr;
    QLabel *FPGAVersionlbl = nullptr;

    // Main menu
    QMenuBar *MainMenu1 = nullptr;
    QMenu *File1 = nullptr;
    QAction *Exit1 = nullptr;
    QAction *R1 = nullptr;
    QMenu *Storage1 = nullptr;
    QMenu *SaveToBin1 = nullptr;
    QAction *Save1 = nullptr;
    QAction *Save2 = nullptr;
    QAction *Save3 = nullptr;
    QAction *Save4 = nullptr;
    QAction *Save5 = nullptr;
    QAction *Save6 = nullptr;
    QAction *Save7 = nullptr;
    QAction *Save8 = nullptr;
    QAction *Save9 = nullptr;
    QAction *Save10 = nullptr;
    QAction *Save11 = nullptr;
    QAction *Save12 = nullptr;
    QMenu *RestoreFromBin1 = nullptr;
    QAction *Default01 = nullptr;
    QAction *Restore1 = nullptr;
    QAction *Restore2 = nullptr;
    QAction *Restore3 = nullptr;
    QAction *Restore4 = nullptr;
    QAction *Restore5 = nullptr;
    QAction *Restore6 = nullptr;
    QAction *Restore7 = nullptr;
    QAction *Restore8 = nullptr;
    QAction *Restore9 = nullptr;
    QAction *Restore10 = nullptr;
    QAction *Restore11 = nullptr;
    QAction *Restore12 = nullptr;
    QAction *SaveToFile1 = nullptr;
    QAction *RestoreSettingsFromFile1 = nullptr;
    QMenu *ools1 = nullptr;
    QAction *Up1 = nullptr;
    QAction *CaptureScreenShot1 = nullptr;
    QAction *EnableLoggingMenu = nullptr;
    QMenu *Help1 = nullptr;
    QAction *WebSite1 = nullptr;
    QAction *About1 = nullptr;

    // Non-visual parts
    transport::TVNComPort *ComPort = nullptr;
    QTimer *StatusTimer = nullptr;
    QTimer *TaskTimer = nullptr;
    QTimer *LaunchTimer = nullptr;
    TrpVersionInfo *VersionInfo = nullptr;
    // The two file choosers are configurations handed to the dialogs when they are needed.
    transport::UserDialogs::FileChoice SaveSettingsFile;
    transport::UserDialogs::FileChoice OpenFile;

    // Per-channel arrays
    ChannelArray<QCheckBox> ChEnablebox{};
    ChannelArray<TPlusSpinEdit> ChDelayAdj{};
    ChannelArray<TPlusSpinEdit> ChWidthAdj{};
    ChannelArray<QComboBox> ChModeSel{};
    ChannelArray<TPlusSpinEdit> ChAmplitudeAdj{};
    ChannelArray<QComboBox> ChOutputModeSel{};
    ChannelArray<QGroupBox> ChAmplitudeAdjGrp{};
    ChannelArray<TPlusSpinEdit> ChBurstAdj{};
    ChannelArray<QGroupBox> ChBurstCountGrp{};
    ChannelArray<TPlusSpinEdit> ChWaitCountAdj{};
    ChannelArray<QComboBox> ChSyncSourceSel{};
    ChannelArray<QComboBox> ChPolaritySel{};
    ChannelArray<TPlusSpinEdit> ChDutyOnAdj{};
    ChannelArray<QGroupBox> ChDutyOnGrp{};
    ChannelArray<TPlusSpinEdit> ChDutyOffAdj{};
    ChannelArray<QGroupBox> ChDutyOffGrp{};
    ChannelArray<QComboBox> ChGateModeSel{};
    ChannelArray<TCheckListBox> MuxSelect{};

private:
    void BuildTopBand(QWidget *client);
    void BuildSystemArea(QWidget *client);
    void BuildSystemPage();
    void BuildAdditionalPage();
    void BuildChannelArea(QWidget *client);
    void BuildBottomBand(QWidget *client);
    void BuildMainMenu();
    void BuildNonVisualParts();

    // The one place where control, menu and timer events are tied to their handlers. It runs
    // last in the constructor, after every design value is in place, so applying the design
    // values raises no handler.
    void ConnectHandlers();
};

} // namespace ui
