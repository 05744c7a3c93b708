#pragma once

#include "sim/SimModels.h"

#include <QtGlobal>

#include <array>

namespace sim {

// Token settings hold their position in the setting's token table.
struct ChannelState {
    qint64 enabled = 1;
    double delay = 0.0;
    double width = 1e-5;
    qint64 mode = 0; // NORM
    qint64 burst = 1;
    qint64 dutyOn = 1;
    qint64 dutyOff = 1;
    qint64 wait = 0;
    qint64 polarity = 1;   // NORM
    qint64 gate = 0;       // DIS
    qint64 sync = 0;       // T0
    qint64 mux = 0;        // own channel bit, set by the factory defaults
    qint64 outputMode = 0; // TTL
    double amplitude = 5.0;

    bool operator==(const ChannelState &) const = default;
};

struct SystemState {
    double period = 0.001;
    qint64 pulseMode = 0; // NORM
    qint64 burst = 1;
    qint64 dutyOn = 1;
    qint64 dutyOff = 1;
    qint64 triggerMode = 0; // DIS
    qint64 triggerEdge = 1; // RIS
    double triggerLevel = 2.5;
    qint64 gateMode = 0;  // DIS
    qint64 gateLogic = 1; // HIGH
    double gateLevel = 2.5;
    qint64 autoStart = 0;
    qint64 counterEnabled = 0;
    // Series 1 and 4.
    qint64 inputClock = 0;  // SYS
    qint64 outputClock = 0; // T0
    // Series 2.
    qint64 clockMode = 0; // INT
    qint64 clockRate = 10;
    double clockLevel = 0.5;
    qint64 clockOption = 0;    // FORCE
    qint64 outputClockHrb = 0; // DIS

    bool operator==(const SystemState &) const = default;
};

// Everything a storage bin holds: all settings, not the run state or the shot count.
struct InstrumentState {
    SystemState system;
    std::array<ChannelState, 8> channels; // index 0 is channel A

    bool operator==(const InstrumentState &) const = default;

    static InstrumentState factoryDefaults(const ModelInfo &model);
};

} // namespace sim
