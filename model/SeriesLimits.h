#pragma once

#include <cstdint>

namespace model {

// The timing grid and limits of one instrument series, applied to the window's spin edits.
struct SeriesLimits {
    double PeriodStep = 0.0; // s
    std::int32_t PeriodDecimals = 0;
    double PeriodMax = 0.0;
    double PeriodMin = 0.0;
    double DelayStep = 0.0;
    std::int32_t DelayDecimals = 0;
    double DelayMax = 0.0;
    double DelayMin = 0.0; // negative: a channel may fire before its sync source
    double WidthStep = 0.0;
    std::int32_t WidthDecimals = 0;
    double WidthMax = 0.0;
    double WidthMin = 0.0;
    std::int32_t SystemBurstMax = 0;
    std::int32_t SystemDutyMax = 0;
    std::int32_t ChannelBurstMax = 0;
    std::int32_t ChannelDutyMax = 0;
    std::int32_t WaitCountMax = 0;
};

} // namespace model
