#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <span>

namespace sim {

// The instrument's own idea of what it is. Kept apart from the program's model tables on
// purpose: the stand-in is a separate device, and two independent tables cross-check each other.
struct ModelInfo {
    QByteArrayView name;
    int series; // 1 HRA, 2 HRB, 3 HLA, 4 VDX
    int channels;
};

// Limits the instrument enforces. Real values are kept on their grid (step); counts are whole.
struct SeriesRanges {
    double periodStep, periodMin, periodMax;
    double delayStep, delayMin, delayMax;
    double widthStep, widthMin, widthMax;
    quint64 countMax; // system and channel burst, duty-cycle and wait counts
};

struct RealRange {
    double min, max, step;
};

struct CountRange {
    quint64 min, max;
};

// Ranges that are the same on every series.
inline constexpr RealRange kThresholdRange{0.2, 15.0, 0.01};
inline constexpr RealRange kAmplitudeRange{2.0, 20.0, 0.01};
inline constexpr RealRange kClockLevelRange{0.02, 2.5, 0.01};
inline constexpr CountRange kClockRateRange{10, 100};

std::span<const ModelInfo> allModels();
// Exact, case-sensitive model name; null when the name is none of the family.
const ModelInfo *findModel(QByteArrayView name);
const SeriesRanges &rangesOfSeries(int series);

inline bool hasSeries1Clock(int series)
{
    return series == 1 || series == 4;
}
inline bool hasSeries2Clock(int series)
{
    return series == 2;
}
inline bool hasCalibrationType(int series)
{
    return series == 1 || series == 4;
}

} // namespace sim
