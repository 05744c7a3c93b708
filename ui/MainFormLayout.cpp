// The main window's top band, system area (both pages) and bottom band.

#include "ui/FormParts.h"
#include "ui/TMainForm.h"
#include "ui/TPlusSpinEdit.h"
#include "ui/WindowFonts.h"
#include "ui/WindowStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMovie>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ui {

namespace {

constexpr int kTerminalWidth = 456;
constexpr int kSystemInfoWidth = 163;

const QChar kComma = QLatin1Char(',');

// Burst and duty-cycle counts of the system share one design.
SpinDesign systemCount(int width)
{
    return {.width = width,
            .decimals = 0,
            .increment = 1,
            .minValue = 1,
            .maxValue = 4000000000.0,
            .value = 4000000000.0,
            .separator = kComma};
}

SpinDesign threshold()
{
    return {.width = 100,
            .decimals = 2,
            .increment = 0.01,
            .minValue = 0.2,
            .maxValue = 15,
            .value = 2.5,
            .separator = kComma};
}

QStringList texts(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromLatin1(item);
    return list;
}

} // namespace

void TMainForm::BuildTopBand(QWidget *client)
{
    BlueBanner = new QLabel(client);
    BlueBanner->setObjectName(QStringLiteral("BlueBanner"));
    BlueBanner->setGeometry(0, kTopBand.top, 615, kTopBand.height);
    BlueBanner->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    BlueBanner->setPixmap(QPixmap(QStringLiteral(":/window/banner.png")));

    // Shown stretched to the label; it stays on its first frame until the program starts it.
    PulseAnimate = new QLabel(client);
    PulseAnimate->setObjectName(QStringLiteral("PulseAnimate"));
    PulseAnimate->setGeometry(444, 13, 65, 46);
    PulseAnimate->setScaledContents(true);
    auto *movie = new QMovie(QStringLiteral(":/window/pulse.gif"), QByteArray(), PulseAnimate);
    movie->setCacheMode(QMovie::CacheAll);
    PulseAnimate->setMovie(movie);
    movie->jumpToFrame(0);

    ErrorLabel = MakeLabel(client, QStringLiteral("ErrorLabel"), QStringLiteral("Error Label"),
                           QPoint(213, 20), kErrorLabelFontPx);
    QPalette red = ErrorLabel->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    ErrorLabel->setPalette(red);
    ErrorLabel->hide();

    RunStopbtn = MakeButton(client, QStringLiteral("RunStopbtn"), QStringLiteral("Run"),
                            QRect(524, 2, 95, 68), kRunStopFontPx);
    SetHint(RunStopbtn, QStringLiteral("Starts(arms) or stops(disarms) the system"), true);
}

void TMainForm::BuildSystemArea(QWidget *client)
{
    GroupBox23 = MakeGroup(client, QStringLiteral("GroupBox23"), QString(),
                           QRect(0, kSystemArea.top, kClientWidth, kSystemArea.height));
    SystemPageControl = MakePageControl(GroupBox23, QStringLiteral("SystemPageControl"),
                                        QRect(4, 4, kClientWidth - 8, kSystemArea.height - 8));

    SystemPage = new QWidget;
    SystemPage->setObjectName(QStringLiteral("SystemPage"));
    AdditionalPage = new QWidget;
    AdditionalPage->setObjectName(QStringLiteral("AdditionalPage"));
    BuildSystemPage();
    BuildAdditionalPage();
    SystemPageControl->addTab(SystemPage, QStringLiteral("System Options"));
    SystemPageControl->addTab(AdditionalPage, QStringLiteral("Additional Options"));
    SystemPageControl->setCurrentIndex(0);
}

void TMainForm::BuildSystemPage()
{
    auto *pageLayout = new QVBoxLayout(SystemPage);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    Systemgrp = MakeGroup(SystemPage, QStringLiteral("Systemgrp"), QStringLiteral("System"), {});
    pageLayout->addWidget(Systemgrp);

    // Left column
    constexpr int kLeftWidth = 172;
    PulseModeGrp = MakeGroup(Systemgrp, QStringLiteral("PulseModeGrp"),
                             QStringLiteral("Pulse Mode"), QRect(8, 18, kLeftWidth, 52));
    SystemModeSel = MakeList(PulseModeGrp, QStringLiteral("SystemModeSel"),
                             texts({"Continuous", "Single Shot", "Burst", "Duty Cycle"}), 0,
                             listIn(kLeftWidth));

    PeriodGrp = MakeGroup(Systemgrp, QStringLiteral("PeriodGrp"), QStringLiteral("Period"),
                          QRect(8, 72, kLeftWidth, 52));
    PeriodAdj = MakeSpin(PeriodGrp, QStringLiteral("PeriodAdj"),
                         {.width = 155,
                          .decimals = 9,
                          .increment = 1e-8,
                          .minValue = 2e-7,
                          .maxValue = 1000,
                          .value = 1000,
                          .separator = kComma},
                         kInGroup);
    SetHint(PeriodGrp, QStringLiteral("Sets system pulse period"), true, {PeriodAdj});

    BurstCountGrp = MakeGroup(Systemgrp, QStringLiteral("BurstCountGrp"),
                              QStringLiteral("Burst Count"), QRect(8, 126, kLeftWidth, 52));
    SysBurstAdj =
        MakeSpin(BurstCountGrp, QStringLiteral("SysBurstAdj"), systemCount(155), kInGroup);
    SetHint(BurstCountGrp, QStringLiteral("Sets number of burst counts when in system burst mode"),
            true, {SysBurstAdj});

    // Middle
    AutoStartEnbl = MakeCheck(Systemgrp, QStringLiteral("AutoStartEnbl"),
                              QStringLiteral("Auto Start"), false, QRect(196, 20, 110, 18));
    SetHint(AutoStartEnbl, QStringLiteral("Sets system auto start (will start on power up)"), true);

    DutyCycleGrp = MakeGroup(Systemgrp, QStringLiteral("DutyCycleGrp"),
                             QStringLiteral("Duty Cycle"), QRect(188, 42, 148, 136));
    OnCountGrp = MakeGroup(DutyCycleGrp, QStringLiteral("OnCountGrp"), QStringLiteral("On Counts"),
                           QRect(8, 20, 132, 52));
    SysDutyOnAdj = MakeSpin(OnCountGrp, QStringLiteral("SysDutyOnAdj"), systemCount(123),
                            QPoint(5, kInGroup.y()));
    SetHint(OnCountGrp, QStringLiteral("Sets number of on counts when in system duty cycle mode"),
            true, {SysDutyOnAdj});
    OffCountGrp = MakeGroup(DutyCycleGrp, QStringLiteral("OffCountGrp"),
                            QStringLiteral("Off Counts"), QRect(8, 76, 132, 52));
    SysDutyOffAdj = MakeSpin(OffCountGrp, QStringLiteral("SysDutyOffAdj"), systemCount(121),
                             QPoint(5, kInGroup.y()));
    SetHint(OffCountGrp, QStringLiteral("Sets number of off counts when in system duty cycle mode"),
            true, {SysDutyOffAdj});

    // Right: trigger column and gate column
    Externalgrp = MakeGroup(Systemgrp, QStringLiteral("Externalgrp"),
                            QStringLiteral("External Trigger/Gate"), QRect(344, 18, 258, 182));
    constexpr int kSmallWidth = 118;
    const auto small = [](int column, int row) {
        return QRect(8 + column * (kSmallWidth + 8), 20 + row * 54, kSmallWidth, 52);
    };

    TriggerModeSelGrp = MakeGroup(Externalgrp, QStringLiteral("TriggerModeSelGrp"),
                                  QStringLiteral("Trigger Mode"), small(0, 0));
    TrigModeSel = MakeList(TriggerModeSelGrp, QStringLiteral("TrigModeSel"),
                           texts({"Disabled", "Triggered"}), -1, listIn(kSmallWidth));
    ExtTrigEdgeGrp = MakeGroup(Externalgrp, QStringLiteral("ExtTrigEdgeGrp"),
                               QStringLiteral("Trigger Edge"), small(0, 1));
    TriggerEdgeSel = MakeList(ExtTrigEdgeGrp, QStringLiteral("TriggerEdgeSel"),
                              texts({"Falling", "Rising"}), -1, listIn(kSmallWidth));
    ExtThresholdGrp = MakeGroup(Externalgrp, QStringLiteral("ExtThresholdGrp"),
                                QStringLiteral("Threshold (V)"), small(0, 2));
    TrigThresholdAdj = MakeSpin(ExtThresholdGrp, QStringLiteral("TrigThresholdAdj"), threshold(),
                                QPoint(9, kInGroup.y()));
    SetHint(ExtThresholdGrp, QStringLiteral("Sets input trigger/gate threshold level"), true,
            {TrigThresholdAdj});

    GateModeGrp = MakeGroup(Externalgrp, QStringLiteral("GateModeGrp"), QStringLiteral("Gate Mode"),
                            small(1, 0));
    GateModeSel = MakeList(GateModeGrp, QStringLiteral("GateModeSel"),
                           texts({"Disabled", "Pulse Inhibit", "Output Inhibit", "Channel"}), -1,
                           listIn(kSmallWidth));
    GateLogicGrp = MakeGroup(Externalgrp, QStringLiteral("GateLogicGrp"),
                             QStringLiteral("Gate Logic"), small(1, 1));
    GateLogicSel = MakeList(GateLogicGrp, QStringLiteral("GateLogicSel"), texts({"Low", "High"}), 0,
                            listIn(kSmallWidth));
    GateThresholdGrp = MakeGroup(Externalgrp, QStringLiteral("GateThresholdGrp"),
                                 QStringLiteral("Threshold (V)"), small(1, 2));
    GateThresholdAdj = MakeSpin(GateThresholdGrp, QStringLiteral("GateThresholdAdj"), threshold(),
                                QPoint(9, kInGroup.y()));
    SetHint(GateThresholdGrp, QStringLiteral("Sets input gate threshold level"), true,
            {GateThresholdAdj});
}

void TMainForm::BuildAdditionalPage()
{
    GroupBox32 = MakeGroup(AdditionalPage, QStringLiteral("GroupBox32"),
                           QStringLiteral("Shot Counter"), QRect(8, 4, 156, 110));
    SetHint(GroupBox32, QStringLiteral("System shot counter"), false);
    ShotCountEnbl = MakeCheck(GroupBox32, QStringLiteral("ShotCountEnbl"), QStringLiteral("Enable"),
                              false, QRect(10, 22, 90, 18));
    ClearShotCount = MakeButton(GroupBox32, QStringLiteral("ClearShotCount"),
                                QStringLiteral("Clear"), QRect(10, 46, 75, 25));
    ShotCountlbl =
        MakeLabel(GroupBox32, QStringLiteral("ShotCountlbl"),
                  QStringLiteral("Count: 4,294,967,296"), QPoint(10, 80), kWindowFontPx, 140);

    // Designed tall enough for its three sub-groups, which some series hide.
    constexpr int kInputClockWidth = 152;
    ExternalInputClkGrp =
        MakeGroup(AdditionalPage, QStringLiteral("ExternalInputClkGrp"),
                  QStringLiteral("External Input Clock"), QRect(172, 4, kInputClockWidth, 196));
    ExternalInputClkSel = MakeList(ExternalInputClkGrp, QStringLiteral("ExternalInputClkSel"),
                                   texts({"System Osc", "10 MHz Ext", "20 MHz Ext", "25 MHz Ext",
                                          "40 MHz Ext", "50 MHz Ext", "80 MHz Ext", "100 MHz Ext"}),
                                   -1, listIn(kInputClockWidth));
    constexpr int kSubWidth = kInputClockWidth - 16;
    ExternalOptionGrp = MakeGroup(ExternalInputClkGrp, QStringLiteral("ExternalOptionGrp"),
                                  QStringLiteral("External Option"), QRect(8, 46, kSubWidth, 48));
    ExternalInputClkOptionSel =
        MakeList(ExternalOptionGrp, QStringLiteral("ExternalInputClkOptionSel"),
                 texts({"Force", "Last"}), -1, listIn(kSubWidth));
    InputClockRateGrp = MakeGroup(ExternalInputClkGrp, QStringLiteral("InputClockRateGrp"),
                                  QStringLiteral("Input Rate (MHz)"), QRect(8, 96, kSubWidth, 48));
    InputClockRateAdj = MakeSpin(InputClockRateGrp, QStringLiteral("InputClockRateAdj"),
                                 {.width = 107,
                                  .decimals = 0,
                                  .increment = 1,
                                  .minValue = 10,
                                  .maxValue = 100,
                                  .value = 10,
                                  .border = true},
                                 QPoint(8, 19));
    InputClockLevelGrp =
        MakeGroup(ExternalInputClkGrp, QStringLiteral("InputClockLevelGrp"),
                  QStringLiteral("Input Clock Level (V)"), QRect(8, 144, kSubWidth, 48));
    InputClockLevelAdj = MakeSpin(InputClockLevelGrp, QStringLiteral("InputClockLevelAdj"),
                                  {.width = 108,
                                   .decimals = 2,
                                   .increment = 0.01,
                                   .minValue = 0.02,
                                   .maxValue = 2.5,
                                   .value = 0.02,
                                   .border = true},
                                  QPoint(8, 19));

    constexpr int kOutputClockWidth = 152;
    ExternalOutputClkGrp =
        MakeGroup(AdditionalPage, QStringLiteral("ExternalOutputClkGrp"),
                  QStringLiteral("External Output Clock"), QRect(332, 4, kOutputClockWidth, 52));
    ExternalOutputClkSel =
        MakeList(ExternalOutputClkGrp, QStringLiteral("ExternalOutputClkSel"),
                 texts({"To Pulse", "10 MHz", "11.11 MHz", "12.5 MHz", "14.2857 MHz", "16.67 MHz",
                        "20 MHz", "25 MHz", "33.33 MHz", "50 MHz", "100 MHz"}),
                 -1, listIn(kOutputClockWidth));
}

void TMainForm::BuildBottomBand(QWidget *client)
{
    TerminalBoxgrp =
        MakeGroup(client, QStringLiteral("TerminalBoxgrp"), QStringLiteral("Command Terminal"),
                  QRect(0, kBottomBand.top, kTerminalWidth, kBottomBand.height), kWindowFontPx);
    // The terminal keeps its own history: typed commands are added by the send handler.
    SendEdit = MakeList(TerminalBoxgrp, QStringLiteral("SendEdit"), {}, -1,
                        QRect(8, 18, 318, kListHeight));
    SendBtn = MakeButton(TerminalBoxgrp, QStringLiteral("SendBtn"), QStringLiteral("Send"),
                         QRect(332, 17, 66, 24));
    SetHint(TerminalBoxgrp, QStringLiteral("Send and receive commands directly to unit"), true,
            {SendEdit, SendBtn});

    ResponseList = new QTextEdit(TerminalBoxgrp);
    ResponseList->setObjectName(QStringLiteral("ResponseList"));
    ResponseList->setGeometry(8, 46, 390, 70);
    ResponseList->setReadOnly(true);
    ResponseList->setLineWrapMode(QTextEdit::NoWrap);
    ResponseList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ResponseList->setFont(TahomaFont(kWindowFontPx));
    // The selection stays visible while the focus is elsewhere.
    QPalette palette = ResponseList->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    ResponseList->setPalette(palette);

    SystemInfoGrp =
        MakeGroup(client, QStringLiteral("SystemInfoGrp"), QStringLiteral("System Information"),
                  QRect(kClientWidth - kSystemInfoWidth, kBottomBand.top, kSystemInfoWidth,
                        kBottomBand.height),
                  kWindowFontPx);
    constexpr int kInfoWidth = kSystemInfoWidth - 16;
    SerialNumberlbl =
        MakeLabel(SystemInfoGrp, QStringLiteral("SerialNumberlbl"),
                  QStringLiteral("Serial Number: "), QPoint(8, 24), kWindowFontPx, kInfoWidth);
    FWVersionlbl =
        MakeLabel(SystemInfoGrp, QStringLiteral("FWVersionlbl"), QStringLiteral("Firmware Ver:"),
                  QPoint(8, 48), kWindowFontPx, kInfoWidth);
    FPGAVersionlbl =
        MakeLabel(SystemInfoGrp, QStringLiteral("FPGAVersionlbl"), QStringLiteral("FPGA Ver:"),
                  QPoint(8, 72), kWindowFontPx, kInfoWidth);
    SetHint(SystemInfoGrp, QStringLiteral("Information about unit"), true,
            {SerialNumberlbl, FWVersionlbl, FPGAVersionlbl});
}

} // namespace ui
