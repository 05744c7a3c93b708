#pragma once

#include <cstdint>

namespace model {

// The system-wide settings as last sent or read back. List positions are item positions of
// the window's lists (-1: nothing selected). Everything starts at zero, as the instrument's
// settings are unknown until the first read-back.
struct SystemSettings {
    double Period = 0.0; // s
    std::int32_t PulseMode = 0;
    std::int32_t TriggerMode = 0;
    std::int32_t TriggerEdge = 0;
    std::int32_t GateMode = 0;
    std::int32_t GateLogic = 0;
    std::int32_t InputClock = 0;
    std::int32_t InputClockOption = 0;
    std::int32_t OutputClock = 0;
    // The instrument takes the system counts as unsigned 32-bit values, beyond the signed range.
    std::uint32_t BurstCount = 0;
    std::uint32_t DutyOnCount = 0;
    std::uint32_t DutyOffCount = 0;
    double TriggerLevel = 0.0;           // V
    double GateLevel = 0.0;              // V
    double InputClockLevel = 0.0;        // V
    std::int32_t InputClockRate = 0;     // MHz
    std::int32_t ShotCounterEnabled = 0; // 1 or 0
    std::int32_t AutoStart = 0;          // 1 or 0
    std::uint32_t ShotCount = 0;         // last polled count
};

} // namespace model
