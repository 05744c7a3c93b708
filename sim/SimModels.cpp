#include "sim/SimModels.h"

#include <array>

namespace sim {

namespace {

// clang-format off
constexpr std::array<ModelInfo, 11> kModels{{
    {"HRA2", 1, 2},  {"HRA4", 1, 4},  {"HRA8", 1, 8},  {"HRB4", 2, 4},
    {"HRB8", 2, 8},  {"HLA2", 3, 2},  {"HLA4", 3, 4},  {"HLA8", 3, 8},
    {"VDX-2", 4, 2}, {"VDX-4", 4, 4}, {"VDX-8", 4, 8},
}};
// clang-format on

// Index 0 is unused: every model belongs to series 1 to 4.
// clang-format off
constexpr std::array<SeriesRanges, 5> kRanges{{
    {},
    {1e-8, 5e-8, 5000, 2.5e-10, -999.99999999975, 999.99999999975, 2.5e-10, 1e-8,
     999.99999999975, 9999999},
    {1e-8, 1e-7, 5000, 2.5e-10, -999.99999999975, 999.99999999975, 2.5e-10, 1e-8,
     999.99999999975, 1000000},
    {1e-8, 2e-7, 5000, 1e-9, -999.999999999, 1000, 1e-9, 1e-8, 1000, 1000000},
    {5e-11, 5e-8, 1000, 2.5e-10, -1000, 1000, 2.5e-10, 5e-9, 1000, 10000000},
}};
// clang-format on

} // namespace

std::span<const ModelInfo> allModels()
{
    return kModels;
}

const ModelInfo *findModel(QByteArrayView name)
{
    for (const ModelInfo &m : kModels) {
        if (m.name == name)
            return &m;
    }
    return nullptr;
}

const SeriesRanges &rangesOfSeries(int series)
{
    if (series < 1 || series > 4)
        return kRanges[0];
    return kRanges[static_cast<std::size_t>(series)];
}

} // namespace sim
