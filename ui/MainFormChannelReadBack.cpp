// One output channel's block of the state read-back.
#include "ui/TMainForm.h"
#include "ui/FormParts.h"

#include "link/Communication.h"
#include "model/Capabilities.h"
#include "model/ChannelNames.h"
#include "model/CommandSet.h"
#include "model/NumberFormat.h"
#include "model/TokenTables.h"
#include "ui/TCheckListBox.h"
#include "ui/TPlusSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

#include <functional>

namespace ui {

using model::ChannelSetting;

void TMainForm::ReadChannelSettings(int n)
{
    model::ChannelRecord &ch = State.ChannelSettings[n];
    if (model::capabilitiesForSeries(State.InstrumentSeries).calibrationQuery)
        Comm->QueryPort(model::calibrationTypeQuery()); // read and not used

    for (ChannelSetting setting : model::channelReadBackOrder()) {
        const model::ChannelCommand &cmd = model::channelCommand(setting);
        const QString query = model::channelQueryOf(setting, n);
        QString valueText;

        auto readToken = [&](std::int32_t &field, QComboBox *list) {
            valueText = Comm->QueryPort(query);
            field = model::decodeToken(*cmd.table, valueText, field);
            list->setCurrentIndex(field);
        };
        // As for the system settings: line and record take the decoded value, and the record
        // gets it back after the control (which may clamp it) has run its handler.
        auto readInteger = [&](std::int32_t &field, const std::function<void(std::int32_t)> &show) {
            const std::int32_t value = Comm->QueryPortInteger(query);
            valueText = model::integerNotation(value);
            field = value;
            show(value);
            field = value;
        };
        auto readCount = [&](std::int32_t &field, TPlusSpinEdit *edit) {
            readInteger(field, [edit](std::int32_t v) { edit->setValue(v); });
        };
        auto readFloat = [&](double &field, TPlusSpinEdit *edit) {
            const double value = Comm->QueryPortFloat(query);
            valueText = model::generalNotation(value);
            field = value;
            edit->setValue(value);
            field = value;
        };

        switch (setting) {
        case ChannelSetting::Enable:
            readInteger(ch.Enabled, [this, n](std::int32_t v) { ChEnablebox[n]->setChecked(v == 1); });
            break;
        case ChannelSetting::Delay: readFloat(ch.Delay, ChDelayAdj[n]); break;
        case ChannelSetting::Width: readFloat(ch.Width, ChWidthAdj[n]); break;
        case ChannelSetting::Mode: readToken(ch.Mode, ChModeSel[n]); break;
        case ChannelSetting::BurstCount: readCount(ch.BurstCount, ChBurstAdj[n]); break;
        case ChannelSetting::DutyOnCount: readCount(ch.DutyOnCount, ChDutyOnAdj[n]); break;
        case ChannelSetting::DutyOffCount: readCount(ch.DutyOffCount, ChDutyOffAdj[n]); break;
        case ChannelSetting::SyncSource: ReadChannelSyncSource(n, query, valueText); break;
        case ChannelSetting::Polarity: readToken(ch.Polarity, ChPolaritySel[n]); break;
        case ChannelSetting::WaitCount: readCount(ch.WaitCount, ChWaitCountAdj[n]); break;
        case ChannelSetting::GateMode: readToken(ch.GateMode, ChGateModeSel[n]); break;
        case ChannelSetting::Amplitude: readFloat(ch.Amplitude, ChAmplitudeAdj[n]); break;
        case ChannelSetting::OutputMode:
            valueText = Comm->QueryPort(query);
            if (const auto mode = model::findToken(model::TokenTable::OutputMode, valueText)) {
                ch.OutputMode = *mode;
                SetAmplitudeEnabled(n, ch.OutputMode == 1);
            }
            ChOutputModeSel[n]->setCurrentIndex(ch.OutputMode);
            break;
        case ChannelSetting::Mux:
            readInteger(ch.MuxMask, [this, n](std::int32_t) { ShowChannelMux(n); });
            break;
        }
        State.SettingsList << model::channelSettingsLine(setting, n, valueText);
    }
    ChModesEnable(n);
}

void TMainForm::ReadChannelSyncSource(int n, const QString &query, QString &valueText)
{
    // The list loses the channels the instrument lacks and the channel's own entry once; a
    // second read-back finds nothing left to remove.
    QComboBox *list = ChSyncSourceSel[n];
    QStringList items = ListItems(list);
    const QStringList before = items;
    model::trimSyncSourceItems(items, n, State.ChannelCount);
    if (items != before) {
        const int kept = list->currentIndex();
        list->clear();
        list->addItems(items);
        list->setCurrentIndex(kept < items.size() ? kept : -1);
    }

    valueText = Comm->QueryPort(query);
    // A reply naming no channel, or a channel this list cannot show (the channel itself, one the
    // instrument lacks), leaves the stored source and the list as they were rather than show a
    // source the instrument does not have.
    const auto source = model::GetChannelNumber(valueText);
    if (!source)
        return;
    const auto index = model::GetChannelIndex(items, *source);
    if (!index)
        return;
    State.ChannelSettings[n].SyncSource = *source;
    list->setCurrentIndex(*index);
}

void TMainForm::ShowChannelMux(int n)
{
    TCheckListBox *mux = MuxSelect[n];
    const int count = State.ChannelCount;
    const model::MuxLayout layout = model::muxLayout(count);
    mux->setColumns(layout.columns);
    mux->setHeight(layout.height);
    const std::array<bool, 8> checks =
        model::muxChecksFromMask(State.ChannelSettings[n].MuxMask, count);
    for (int i = 0; i < mux->count(); ++i)
        mux->setChecked(i, checks[static_cast<std::size_t>(i)]);
    while (mux->count() > count)
        mux->DeleteItem(mux->count() - 1);
}

} // namespace ui
