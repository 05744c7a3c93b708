#pragma once

#include "model/ChannelSettings.h"
#include "model/CommandSet.h"

#include <cstdint>
#include <optional>

class QObject;

namespace ui {

class TMainForm;

// The controls of the eight channel pages. One handler serves a setting on every page: it
// finds the channel from the name of the control that fired, queues one ":PULSn:..."
// command and keeps the value in that channel's record. A control whose name does not end
// in a channel digit, or that is not of the setting's kind, is ignored.
class ChannelHandlers {
public:
    explicit ChannelHandlers(TMainForm &form);

    // The last character of the control's name as a channel number 1..8.
    static std::optional<int> ChannelOf(const QObject *control);

    void SetChEnableState(QObject *sender);
    void SetChannelDelay(QObject *sender);
    void SetChannelWidth(QObject *sender);
    void SetChannelMode(QObject *sender);
    void SetChannelBurst(QObject *sender);
    void SetChannelWaitCount(QObject *sender);
    void SetChannelPolarity(QObject *sender);
    void SetChannelDCOn(QObject *sender);
    void SetChannelDCOff(QObject *sender);
    void SetChannelGateMode(QObject *sender);
    void SetChannelSyncSource(QObject *sender);
    void SetChannelMux(QObject *sender);
    void SetChannelOuputMode(QObject *sender);
    void SetChAmplitude(QObject *sender);

private:
    std::optional<int> selectionChanged(QObject *sender, model::ChannelSetting setting,
                                        std::int32_t model::ChannelRecord::*field);
    void countChanged(QObject *sender, model::ChannelSetting setting,
                      std::int32_t model::ChannelRecord::*field);
    void timeChanged(QObject *sender, model::ChannelSetting setting, double step,
                     double model::ChannelRecord::*field);

    TMainForm &m_form;
};

} // namespace ui
