#pragma once

#include "control/StorageBins.h"
#include "link/TaskQueue.h"
#include "model/CommandSet.h"
#include "model/ProgramState.h"
#include "transport/UserDialogs.h"
#include "ui/KeyState.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>

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
class QKeyEvent;
class TrpVersionInfo;

namespace transport {
class TVNComPort;
}

namespace ilink {
class CommLog;
class Communication;
} // namespace ilink

namespace ui {

class ChannelHandlers;
class ClockHandlers;
class MenuHandlers;
class RunStatusHandlers;
class StorageHandlers;
class SystemHandlers;
class TCheckListBox;
class TMessageForm;
class TPlusSpinEdit;

// The program's one window. Every control is built in its design state by the constructor and
// is reachable by the member of its name (the object name is the same); the per-channel
// controls are reached through the arrays below once FillChannelArrays has run.
class TMainForm : public QMainWindow, public ilink::TaskHost {
    Q_OBJECT
public:
    static constexpr int kChannelCount = 8;
    static constexpr int kClientWidth = 622;
    static constexpr int kClientHeight = 710;

    // Indexed by channel number 1..8; entry 0 stays empty.
    template <typename T> using ChannelArray = std::array<T *, kChannelCount + 1>;
    using BinItems = std::array<QAction *, control::StorageBins::LastUserBin + 1>;

    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // Looks each per-channel control up by its stem and channel digit. An entry whose name is
    // missing, or names a control of another kind, is left empty; the names of those entries
    // are returned.
    QStringList FillChannelArrays();
    // The per-channel controls ConnectHandlers found no control of the right kind for, so that
    // their events reach no handler. Empty in a window built as designed.
    const QStringList &UnwiredControls() const { return m_unwired; }

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
    QMenu *RestoreFromBin1 = nullptr;
    // The bin items by bin number: SaveItems 1..12 are "Save1".."Save12"; RestoreItems 0..12
    // are "Default01" and "Restore1".."Restore12". SaveItems[0] stays empty.
    BinItems SaveItems{};
    BinItems RestoreItems{};
    QAction *SaveToFile1 = nullptr;
    QAction *RestoreSettingsFromFile1 = nullptr;
    QMenu *ools1 = nullptr;
    QAction *Up1 = nullptr;
    QAction *CaptureScreenShot1 = nullptr;
    QAction *EnableLoggingMenu = nullptr;
    QAction *TimingDiagram1 = nullptr;
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

    // ---- The program behind the window -------------------------------------------------

    // Every message, question and file chooser goes here; the window's own Qt dialogs unless
    // replaced (tests script them).
    void setDialogs(transport::UserDialogs *dialogs);
    transport::UserDialogs &Dialogs() const { return *m_dialogs; }

    model::ProgramState State;
    std::unique_ptr<ilink::Communication> Comm;
    std::unique_ptr<ilink::TaskQueue> Tasks;
    std::unique_ptr<ilink::CommLog> Log; // exists from start-up on
    std::unique_ptr<TMessageForm> MessageForm;

    // The handlers of the controls and menu items, by area; ConnectHandlers creates them and
    // ties the events to them.
    std::unique_ptr<SystemHandlers> SystemHandling;
    std::unique_ptr<ChannelHandlers> ChannelHandling;
    std::unique_ptr<ClockHandlers> ClockHandling;
    std::unique_ptr<RunStatusHandlers> RunStatusHandling;
    std::unique_ptr<StorageHandlers> StorageHandling;
    std::unique_ptr<MenuHandlers> MenuHandling;

    // What the platform does, replaceable so tests observe instead of acting.
    std::function<HeldKeys()> HeldKeysReader = ReadHeldKeys;
    std::function<void(const QString &program)> StartNewInstance;
    std::function<void()> QuitEventLoop;

    // Start-up: the way to the instrument, then the launch timer's first read-back.
    void FormCreate(const QStringList &arguments);
    void LaunchTimerTimer();

    // The state read-back, and what it applies. It never runs inside another one; after an
    // ignored loss of the instrument it stops querying, and the controls keep what they show.
    void Initialize() override;
    // False when the last read-back was refused or cut short: the settings list is partial.
    bool LastReadBackComplete() const { return m_readBackComplete; }
    void SetResolutionRanges();
    void SystemModesEnable();
    void ChModesEnable(int n);
    void TriggerModesEnable();
    void GateModesEnable();
    void SetAmplitudeEnabled(int n, bool on);
    void UpdateHRB0OutputClock();

    // The task queue and its timers.
    void QueuedCommandToPort(const QString &commandstr);
    void TaskTimerTimer();
    void setTaskTimerActive(bool on) override;
    void setStatusTimerActive(bool on) override;

    // Loss of the instrument, restart and shutdown. After either ending nothing touches the
    // port again and no timer restarts.
    void ComPortTimeout(transport::TVNComPort *sender);
    void HandleCommunicationLoss();
    void RestartApp();
    void ExitApp();
    void R1Click();
    void Exit1Click();
    bool Finished() const { return m_finished; }

    // The command terminal and the log switch.
    void SendBtnClick();
    bool SendEditKeyPress(QKeyEvent *event); // true when the key was consumed
    void EnableLoggingMenuClick();
    void AppendTerminalLine(const QString &text, const QColor &color);

    // The window title always equals the caption.
    void setCaption(const QString &caption) { setWindowTitle(caption); }
    void setVisible(bool visible) override;

Q_SIGNALS:
    // A handler has stored a setting, or a read-back has ended: whatever draws from the
    // records (the timing diagram) follows this one signal.
    void settingsChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // How long the port waits for a reply: its design value, and again once the instrument is
    // found (discovery asks with a shorter wait).
    static constexpr quint32 kResponseTimeMs = 3000;

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
    void CreateProgramParts();

    static QString SettingsDateLine();
    void ReadSystemSetting(model::SystemSetting setting);
    void ReadClockSettings();
    void ReadChannelSettings(int n);
    bool ReadChannelSyncSource(int n, const QString &query, QString &valueText);
    bool ReadBackGoesOn() const;
    // One exchange of the read-back, or nothing once the read-back has been cut short or the
    // program has ended, before or while the exchange waited.
    template <typename Exchange>
    auto ReadBackExchange(Exchange &&exchange) -> std::optional<decltype(exchange())>
    {
        if (!ReadBackGoesOn())
            return std::nullopt;
        auto value = exchange();
        if (!ReadBackGoesOn())
            return std::nullopt;
        return value;
    }
    // One number of the read-back into its record and its settings-line text. The line and
    // the record take the value as decoded. Setting the control afterwards may clamp it and run
    // the control's handler, which stores what the control shows; the record is given the
    // decoded value back, so record and line agree with the instrument at every read-back.
    template <typename Exchange, typename Field, typename Notation, typename Show>
    bool ReadBackNumber(Exchange &&exchange, Field &field, Notation &&notation, Show &&show,
                        QString &lineText)
    {
        const auto reply = ReadBackExchange(exchange);
        if (!reply)
            return false;
        const auto value = static_cast<Field>(*reply);
        lineText = notation(value);
        field = value;
        show(value);
        field = value;
        return true;
    }
    void ShowChannelMux(int n);
    bool HasSeriesLimits() const;
    void EnterDemoMode();
    bool BeginEnd(); // false when the program has already ended
    void FinishEnd();

    std::unique_ptr<transport::UserDialogs> m_ownDialogs;
    transport::UserDialogs *m_dialogs = nullptr;
    bool m_finished = false;
    bool m_neverShow = false;
    bool m_readBackCut = false;
    bool m_readBackComplete = false;
    QStringList m_unwired;
};

} // namespace ui
