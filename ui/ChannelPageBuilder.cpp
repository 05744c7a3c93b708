#include "ui/ChannelPageBuilder.h"

#include "ui/ChannelControls.h"
#include "ui/FormParts.h"
#include "ui/TCheckListBox.h"
#include "ui/TPlusSpinEdit.h"
#include "ui/WindowFonts.h"
#include "ui/WindowStyle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLatin1Char>
#include <QString>
#include <QVBoxLayout>
#include <QWidget>

namespace ui {

namespace {

// The grid inside each page's frame: four columns, three rows, below the "Enabled" box.
struct Column {
    int x;
    int width;
};
constexpr Column kCol1{8, 196};
constexpr Column kCol2{210, 118};
constexpr Column kCol3{334, 150};
constexpr Column kCol4{490, 110};
constexpr int kRowTop[] = {22, 86, 150};
constexpr int kRowHeight = 62;
constexpr int kMuxHeight = 40;
constexpr int kMuxColumns = 4;

// Pages A and B were designed with the counts at their maxima, the later pages at 1; the
// first four pages carry the finer delay resolution.
constexpr int kFineDelayPages = 4;
constexpr int kFullCountPages = 2;
constexpr int kLongWaitPages = 3;
constexpr int kUngroupedBurstPage = 6;

QString named(const char *stem, int channel)
{
    return QString::fromLatin1(stem) + QString::number(channel);
}

QRect cell(Column column, int row)
{
    return {column.x, kRowTop[row], column.width, kRowHeight};
}

} // namespace

ChannelPageDesign ChannelPageDesignFor(int channel)
{
    ChannelPageDesign d{};
    d.delayDecimals = channel <= kFineDelayPages ? 12 : 9;
    d.widthValue = channel <= kFullCountPages ? 1000.0 : 2e-7;
    d.burstValue = channel <= kFullCountPages ? 1000000.0 : 1.0;
    d.burstSeparator = channel == kUngroupedBurstPage ? QChar() : QChar(QLatin1Char(','));
    d.waitValue = channel <= kFullCountPages ? 1000000.0 : 1.0;
    d.waitMax = channel <= kLongWaitPages ? 1000000.0 : 100000.0;
    d.dutyHintsShown = channel != 1;
    return d;
}

void BuildChannelPage(QWidget *page, int channel)
{
    const ChannelPageDesign design = ChannelPageDesignFor(channel);
    const QChar comma = QLatin1Char(',');
    const int n = channel;

    // The four counts share one design; the burst and the wait count differ where set below.
    const SpinDesign dutyCount{.width = 95,
                               .decimals = 0,
                               .increment = 1,
                               .minValue = 1,
                               .maxValue = 1000000,
                               .value = 1000000,
                               .separator = comma};
    SpinDesign burstCount = dutyCount;
    burstCount.value = design.burstValue;
    burstCount.separator = design.burstSeparator;
    SpinDesign waitCount = dutyCount;
    waitCount.minValue = 0;
    waitCount.maxValue = design.waitMax;
    waitCount.value = design.waitValue;

    auto *pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto *frame = new QGroupBox(page);
    frame->setObjectName(named("ChFrameGrp", n));
    pageLayout->addWidget(frame);

    auto *enable = MakeCheck(frame, ChannelControlName<&TMainForm::ChEnablebox>(n),
                             QStringLiteral("Enabled"), true, QRect(10, 3, 90, 18));
    SetHint(enable, QStringLiteral("Enables or disables channel "), true);

    // Row 1
    auto *delayGrp =
        MakeGroup(frame, named("ChDelayGrp", n), QStringLiteral("Delay"), cell(kCol1, 0));
    auto *delay = MakeSpin(delayGrp, ChannelControlName<&TMainForm::ChDelayAdj>(n),
                           {.width = 180,
                            .decimals = design.delayDecimals,
                            .increment = 1e-8,
                            .minValue = -1000,
                            .maxValue = 1000,
                            .value = 1000,
                            .separator = comma},
                           kInGroup);
    SetHint(delayGrp, QStringLiteral("Sets channel delay from selected sync source"), true,
            {delay});

    auto *modeGrp =
        MakeGroup(frame, named("ChModeGrp", n), QStringLiteral("Channel Mode"), cell(kCol2, 0));
    MakeList(modeGrp, ChannelControlName<&TMainForm::ChModeSel>(n),
             {QStringLiteral("Normal"), QStringLiteral("Single Shot"), QStringLiteral("Burst"),
              QStringLiteral("Duty Cycle")},
             0, listIn(kCol2.width));
    SetHint(modeGrp, QStringLiteral("Channel pulse mode"), false);

    auto *syncGrp = MakeGroup(frame, named("ChSyncSourceGrp", n), QStringLiteral("Sync Source"),
                              cell(kCol3, 0));
    MakeList(syncGrp, ChannelControlName<&TMainForm::ChSyncSourceSel>(n),
             {QStringLiteral("T0"), QStringLiteral("Ch A"), QStringLiteral("Ch B"),
              QStringLiteral("Ch C"), QStringLiteral("Ch D"), QStringLiteral("Ch E"),
              QStringLiteral("Ch F"), QStringLiteral("Ch G"), QStringLiteral("Ch H")},
             0, listIn(kCol3.width));
    SetHint(syncGrp, QStringLiteral("Channel sync source"), false);

    auto *dutyOnGrp = MakeGroup(frame, ChannelControlName<&TMainForm::ChDutyOnGrp>(n),
                                QStringLiteral("Duty Cycle On"), cell(kCol4, 0));
    auto *dutyOn = MakeSpin(dutyOnGrp, ChannelControlName<&TMainForm::ChDutyOnAdj>(n), dutyCount,
                            QPoint(7, kInGroup.y()));
    SetHint(dutyOnGrp,
            QStringLiteral("Sets channel number of on counts when in channel duty cycle mode"),
            design.dutyHintsShown, {dutyOn});

    // Row 2
    auto *widthGrp =
        MakeGroup(frame, named("ChWidthGrp", n), QStringLiteral("Width"), cell(kCol1, 1));
    auto *width = MakeSpin(widthGrp, ChannelControlName<&TMainForm::ChWidthAdj>(n),
                           {.width = 180,
                            .decimals = 9,
                            .increment = 1e-8,
                            .minValue = 1e-8,
                            .maxValue = 1000,
                            .value = design.widthValue,
                            .separator = comma},
                           kInGroup);
    SetHint(widthGrp, QStringLiteral("Sets channel pulse width"), true, {width});

    auto *burstGrp = MakeGroup(frame, ChannelControlName<&TMainForm::ChBurstCountGrp>(n),
                               QStringLiteral("Burst Count"), cell(kCol2, 1));
    auto *burst = MakeSpin(burstGrp, ChannelControlName<&TMainForm::ChBurstAdj>(n), burstCount,
                           QPoint(11, kInGroup.y()));
    SetHint(burstGrp, QStringLiteral("Sets channel burst count when in channel burst mode"), true,
            {burst});

    auto *polarityGrp =
        MakeGroup(frame, named("PolarityGrp", n), QStringLiteral("Polarity"), cell(kCol3, 1));
    MakeList(polarityGrp, ChannelControlName<&TMainForm::ChPolaritySel>(n),
             {QStringLiteral("Inverted"), QStringLiteral("Normal")}, 0, listIn(kCol3.width));
    SetHint(polarityGrp, QStringLiteral("Channel output polarity"), false);

    auto *dutyOffGrp = MakeGroup(frame, ChannelControlName<&TMainForm::ChDutyOffGrp>(n),
                                 QStringLiteral("Duty Cycle Off"), cell(kCol4, 1));
    auto *dutyOff = MakeSpin(dutyOffGrp, ChannelControlName<&TMainForm::ChDutyOffAdj>(n), dutyCount,
                             QPoint(7, kInGroup.y()));
    SetHint(dutyOffGrp,
            QStringLiteral("Sets channel number of off counts when in channel duty cycle mode"),
            design.dutyHintsShown, {dutyOff});

    // Row 3: output mode and amplitude share the wide column.
    constexpr int kOutputModeWidth = 112;
    const QRect row3 = cell(kCol1, 2);
    auto *outputGrp = MakeGroup(frame, named("ChOutputModeGrp", n), QStringLiteral("Output Mode"),
                                QRect(row3.x(), row3.y(), kOutputModeWidth, row3.height()));
    MakeList(outputGrp, ChannelControlName<&TMainForm::ChOutputModeSel>(n),
             {QStringLiteral("TTL/CMOS"), QStringLiteral("Adjustable")}, -1,
             listIn(kOutputModeWidth));

    auto *amplitudeGrp = MakeGroup(frame, ChannelControlName<&TMainForm::ChAmplitudeAdjGrp>(n),
                                   QStringLiteral("Amplitude (V)"),
                                   QRect(row3.x() + kOutputModeWidth + 4, row3.y(),
                                         row3.width() - kOutputModeWidth - 4, row3.height()));
    auto *amplitude = MakeSpin(
        amplitudeGrp, ChannelControlName<&TMainForm::ChAmplitudeAdj>(n),
        {.width = 65, .decimals = 2, .increment = 0.01, .minValue = 2, .maxValue = 20, .value = 5},
        QPoint(7, kInGroup.y()));
    SetHint(amplitudeGrp, QStringLiteral("Sets channel output amplitude"), true, {amplitude});

    auto *waitGrp =
        MakeGroup(frame, named("ChWaitCountGrp", n), QStringLiteral("Wait Count"), cell(kCol2, 2));
    auto *wait = MakeSpin(waitGrp, ChannelControlName<&TMainForm::ChWaitCountAdj>(n), waitCount,
                          QPoint(11, kInGroup.y()));
    SetHint(waitGrp, QStringLiteral("Sets number of pulses to wait until outputs start"), true,
            {wait});

    auto *muxGrp =
        MakeGroup(frame, named("MuxGrp", n), QStringLiteral("Multiplexer"), cell(kCol3, 2));
    auto *mux = new TCheckListBox(muxGrp);
    mux->setObjectName(ChannelControlName<&TMainForm::MuxSelect>(n));
    mux->setFont(TahomaFont(kWindowFontPx));
    mux->setGeometry(kInGroup.x(), 17, kCol3.width - 16, kMuxHeight);
    for (char c = 'A'; c <= 'H'; ++c)
        mux->AddItem(QString(QLatin1Char(c)));
    mux->setColumns(kMuxColumns);

    auto *gateGrp =
        MakeGroup(frame, named("ChGateModeGrp", n), QStringLiteral("Gate Mode"), cell(kCol4, 2));
    MakeList(gateGrp, ChannelControlName<&TMainForm::ChGateModeSel>(n),
             {QStringLiteral("Disabled"), QStringLiteral("Pulse Inh"), QStringLiteral("Out Inh")},
             -1, listIn(kCol4.width));
}

} // namespace ui
