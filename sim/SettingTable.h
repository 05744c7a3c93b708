#pragma once

#include "sim/InstrumentState.h"
#include "sim/SimModels.h"
#include "sim/TokenTable.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

namespace sim {

enum class ValueKind {
    Real,  // number on a grid within a range
    Count, // whole number within a range
    Token, // one word of a token table
    Flag,  // 1/0, also ON/OFF
    Mask,  // multiplexer bit mask over the existing channels
    Sync,  // T0 or another existing channel
};

enum class Limit {
    None,
    Period,
    Delay,
    Width,
    Threshold,
    Amplitude,
    ClockLevel,
    SystemBurst,
    SystemDuty,
    ChannelBurst,
    ChannelDuty,
    WaitCount,
    ClockRate
};

enum class Availability { AllSeries, Series1Clock, Series2Clock };

// One stored setting: its keyword path after the header, the path's other accepted spelling,
// and where its value lives.
template <class State> struct SettingSpec {
    QByteArrayView path;
    QByteArrayView altPath;
    ValueKind kind;
    Limit limit;
    const TokenTable *tokens;
    double State::*real;
    qint64 State::*whole;
    Availability availability;
};

using SystemSpec = SettingSpec<SystemState>;
using ChannelSpec = SettingSpec<ChannelState>;

// Setting lookup by keyword path (upper case), null when the model has no such setting.
// System paths follow ":PULS0:", system block paths ":SYST:", channel paths ":PULSn:".
const SystemSpec *findSystemSetting(QByteArrayView path, int series);
const SystemSpec *findSystBlockSetting(QByteArrayView path);
const ChannelSpec *findChannelSetting(QByteArrayView path);

// Checks `arg` against the setting's notation and the model's limits and stores it; false
// (state untouched) when it does not fit. `channel` is 1 to 8 for channel settings.
bool applySetting(const SystemSpec &spec, SystemState &state, QByteArrayView arg,
                  const ModelInfo &model);
bool applySetting(const ChannelSpec &spec, ChannelState &state, QByteArrayView arg,
                  const ModelInfo &model, int channel);

QByteArray settingReply(const SystemSpec &spec, const SystemState &state);
QByteArray settingReply(const ChannelSpec &spec, const ChannelState &state);

// Every setting of the model as command lines that recreate it, system first.
QByteArrayList settingLines(const InstrumentState &state, const ModelInfo &model);

} // namespace sim
