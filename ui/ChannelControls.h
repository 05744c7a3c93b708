#pragma once

#include "ui/ChannelHandlers.h"
#include "ui/TCheckListBox.h"
#include "ui/TMainForm.h"
#include "ui/TPlusSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QString>
#include <QStringList>

#include <tuple>
#include <type_traits>

// The eighteen per-channel controls in one table: the page builder names them from it, start-up
// fills the window's arrays from it and the handlers are wired from it.
namespace ui {

// One kind of per-channel control: channel n's control is named the stem followed by n, is
// reached through the window's array, and its event calls the handler (a group has none).
template <typename Control> struct ChannelControl {
    using ControlType = Control;
    const char *stem;
    TMainForm::ChannelArray<Control> TMainForm::*array;
    void (ChannelHandlers::*handler)(QObject *sender);
};

inline constexpr std::tuple kChannelControls{
    ChannelControl<QCheckBox>{"ChEnablebox", &TMainForm::ChEnablebox,
                              &ChannelHandlers::SetChEnableState},
    ChannelControl<TPlusSpinEdit>{"ChDelayAdj", &TMainForm::ChDelayAdj,
                                  &ChannelHandlers::SetChannelDelay},
    ChannelControl<TPlusSpinEdit>{"ChWidthAdj", &TMainForm::ChWidthAdj,
                                  &ChannelHandlers::SetChannelWidth},
    ChannelControl<QComboBox>{"ChModeSel", &TMainForm::ChModeSel, &ChannelHandlers::SetChannelMode},
    ChannelControl<TPlusSpinEdit>{"ChAmplitudeAdj", &TMainForm::ChAmplitudeAdj,
                                  &ChannelHandlers::SetChAmplitude},
    ChannelControl<QComboBox>{"ChOutputModeSel", &TMainForm::ChOutputModeSel,
                              &ChannelHandlers::SetChannelOuputMode},
    ChannelControl<QGroupBox>{"ChAmplitudeAdjGrp", &TMainForm::ChAmplitudeAdjGrp, nullptr},
    ChannelControl<TPlusSpinEdit>{"ChBurstAdj", &TMainForm::ChBurstAdj,
                                  &ChannelHandlers::SetChannelBurst},
    ChannelControl<QGroupBox>{"ChBurstCountGrp", &TMainForm::ChBurstCountGrp, nullptr},
    ChannelControl<TPlusSpinEdit>{"ChWaitCountAdj", &TMainForm::ChWaitCountAdj,
                                  &ChannelHandlers::SetChannelWaitCount},
    ChannelControl<QComboBox>{"ChSyncSourceSel", &TMainForm::ChSyncSourceSel,
                              &ChannelHandlers::SetChannelSyncSource},
    ChannelControl<QComboBox>{"ChPolaritySel", &TMainForm::ChPolaritySel,
                              &ChannelHandlers::SetChannelPolarity},
    ChannelControl<TPlusSpinEdit>{"ChDutyOnAdj", &TMainForm::ChDutyOnAdj,
                                  &ChannelHandlers::SetChannelDCOn},
    ChannelControl<QGroupBox>{"ChDutyOnGrp", &TMainForm::ChDutyOnGrp, nullptr},
    ChannelControl<TPlusSpinEdit>{"ChDutyOffAdj", &TMainForm::ChDutyOffAdj,
                                  &ChannelHandlers::SetChannelDCOff},
    ChannelControl<QGroupBox>{"ChDutyOffGrp", &TMainForm::ChDutyOffGrp, nullptr},
    ChannelControl<QComboBox>{"ChGateModeSel", &TMainForm::ChGateModeSel,
                              &ChannelHandlers::SetChannelGateMode},
    ChannelControl<TCheckListBox>{"MuxSelect", &TMainForm::MuxSelect,
                                  &ChannelHandlers::SetChannelMux},
};

template <typename Visit> void ForEachChannelControl(Visit &&visit)
{
    std::apply([&visit](const auto &...kind) { (visit(kind), ...); }, kChannelControls);
}

inline QString ChannelControlName(const char *stem, int channel)
{
    return QString::fromLatin1(stem) + QString::number(channel);
}

// The name of channel n's control behind one of the window's arrays, for instance
// ChannelControlName<&TMainForm::ChDelayAdj>(3) is "ChDelayAdj3". An array the table does not
// hold does not compile.
template <auto Array> QString ChannelControlName(int channel)
{
    constexpr const char *stem = std::apply(
        [](const auto &...kind) {
            const char *found = nullptr;
            const auto match = [&found](const auto &k) {
                if constexpr (std::is_same_v<decltype(k.array), decltype(Array)>) {
                    if (k.array == Array)
                        found = k.stem;
                }
            };
            (match(kind), ...);
            return found;
        },
        kChannelControls);
    static_assert(stem != nullptr, "not a per-channel array");
    return ChannelControlName(stem, channel);
}

// Channel 1..8's controls of one kind below `root`, found by name. Entry n stays empty when no
// control has the name or the one that has it is of another kind; its name is then added to
// `missing`.
template <typename Control>
TMainForm::ChannelArray<Control>
FindChannelControls(const QObject &root, const ChannelControl<Control> &kind, QStringList &missing)
{
    TMainForm::ChannelArray<Control> found{};
    for (int n = 1; n <= TMainForm::kChannelCount; ++n) {
        const QString name = ChannelControlName(kind.stem, n);
        found[n] = qobject_cast<Control *>(root.findChild<QObject *>(name));
        if (!found[n])
            missing << name;
    }
    return found;
}

} // namespace ui
