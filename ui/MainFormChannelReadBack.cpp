// One output channel's block of the state read-back.
#include "ui/FormParts.h"
#include "ui/TMainForm.h"

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

namespace ui {

using model::ChannelSetting;

void TMainForm::ReadChannelSettings(int n)
{
    model::ChannelRecord &ch = State.ChannelSettings[n];
    if (model::capabilitiesForSeries(State.InstrumentSeries).calibrationQuery) // read, not used
        ReadBackExchange([this] { return Comm->QueryPort(model::calibrationTypeQuery()); });

    for (ChannelSetting setting : model::channelReadBackOrder()) {
        const model::ChannelCommand &cmd = model::channelCommand(setting);
        const QString query = model::channelQueryOf(setting, n);
        QString valueText;
        const auto readText = [&] {
            const auto reply = ReadBackExchange([&] { return Comm->QueryPort(query); });
            if (reply)
                valueText = *reply;
            return reply.has_value();
        };

        auto readToken = [&](std::int32_t &field, QComboBox *list) {
            if (!readText())
                return false;
            field = model::decodeToken(*cmd.table, valueText, field);
            list->setCurrentIndex(field);
            return true;
        };
        auto readNumber = [&](auto exchange, auto &field, auto notation, auto show) {
            return ReadBackNumber(exchange, field, notation, show, valueText);
        };
        const auto asInteger = [&] { return Comm->QueryPortInteger(query); };
        const auto integer = [](std::int32_t v) { return model::integerNotation(v); };
        auto readInteger = [&](std::int32_t &field, auto show) {
            return readNumber(asInteger, field, integer, show);
        };
        auto readCount = [&](std::int32_t &field, TPlusSpinEdit *edit) {
            return readInteger(field, [edit](std::int32_t v) { edit->setValue(v); });
        };
        auto readFloat = [&](double &field, TPlusSpinEdit *edit) {
            return readNumber([&] { return Comm->QueryPortFloat(query); }, field,
                              [](double v) { return model::generalNotation(v); },
                              [edit](double v) { edit->setValue(v); });
        };

        bool read = false;
        switch (setting) {
        case ChannelSetting::Enable:
            read = readInteger(ch.Enabled,
                               [this, n](std::int32_t v) { ChEnablebox[n]->setChecked(v == 1); });
            break;
        case ChannelSetting::Delay:
            read = readFloat(ch.Delay, ChDelayAdj[n]);
            break;
        case ChannelSetting::Width:
            read = readFloat(ch.Width, ChWidthAdj[n]);
            break;
        case ChannelSetting::Mode:
            read = readToken(ch.Mode, ChModeSel[n]);
            break;
        case ChannelSetting::BurstCount:
            read = readCount(ch.BurstCount, ChBurstAdj[n]);
            break;
        case ChannelSetting::DutyOnCount:
            read = readCount(ch.DutyOnCount, ChDutyOnAdj[n]);
            break;
        case ChannelSetting::DutyOffCount:
            read = readCount(ch.DutyOffCount, ChDutyOffAdj[n]);
            break;
        case ChannelSetting::SyncSource:
            read = ReadChannelSyncSource(n, query, valueText);
            break;
        case ChannelSetting::Polarity:
            read = readToken(ch.Polarity, ChPolaritySel[n]);
            break;
        case ChannelSetting::WaitCount:
            read = readCount(ch.WaitCount, ChWaitCountAdj[n]);
            break;
        case ChannelSetting::GateMode:
            read = readToken(ch.GateMode, ChGateModeSel[n]);
            break;
        case ChannelSetting::Amplitude:
            read = readFloat(ch.Amplitude, ChAmplitudeAdj[n]);
            break;
        case ChannelSetting::OutputMode:
            read = readText();
            if (!read)
                break;
            if (const auto mode = model::findToken(model::TokenTable::OutputMode, valueText)) {
                ch.OutputMode = *mode;
                SetAmplitudeEnabled(n, ch.OutputMode == 1);
            }
            ChOutputModeSel[n]->setCurrentIndex(ch.OutputMode);
            break;
        case ChannelSetting::Mux:
            read = readInteger(ch.MuxMask, [this, n](std::int32_t) { ShowChannelMux(n); });
            break;
        }
        if (!read)
            return;
        State.SettingsList << model::channelSettingsLine(setting, n, valueText);
    }
    ChModesEnable(n);
}

bool TMainForm::ReadChannelSyncSource(int n, const QString &query, QString &valueText)
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

    const auto reply = ReadBackExchange([&] { return Comm->QueryPort(query); });
    if (!reply)
        return false;
    valueText = *reply;
    // A reply naming no channel, or a channel this list cannot show (the channel itself, one the
    // instrument lacks), leaves the stored source and the list as they were rather than show a
    // source the instrument does not have.
    const auto source = model::GetChannelNumber(valueText);
    if (!source)
        return true;
    const auto index = model::GetChannelIndex(items, *source);
    if (!index)
        return true;
    State.ChannelSettings[n].SyncSource = *source;
    list->setCurrentIndex(*index);
    return true;
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
