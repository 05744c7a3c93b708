#pragma once

#include "model/CommandSet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What differs between instrument series and channel counts, as data the window and the
// read-back consult instead of branching on model names themselves.
namespace model {

// "Designed" leaves a group as the window defines it; the read-back only ever hides.
enum class GroupDisplay { Designed, Hidden };

struct SeriesCapabilities {
    GroupDisplay inputClockGroup;             // ExternalInputClkGrp
    std::optional<int> inputClockGroupHeight; // set when the option groups inside are hidden
    bool hrbInputClockItems;                  // ExternalInputClkSel holds the HRB input modes
    GroupDisplay optionRateLevelGroups; // ExternalOptionGrp, InputClockRateGrp, InputClockLevelGrp
    GroupDisplay outputClockGroup;      // ExternalOutputClkGrp
    QList<SystemSetting> clockReadBack; // clock queries of the read-back, in order
    bool calibrationQuery;              // query the calibration type before each channel
};

SeriesCapabilities capabilitiesForSeries(int series);

// Channel tab pages 0..7 are channels A..H. Pages 0 and 1 are always left as designed; the
// others are shown in pairs as the channel count reaches 4, 6 and 8.
bool channelPageShown(int page, int channelCount);

// The sync-source list as designed: "T0", "Ch A" .. "Ch H".
QStringList designedSyncSourceItems();
// Reduces a channel's sync-source list to T0 and the other channels the instrument has. A list
// already reduced is left alone, so a second read-back changes nothing.
void trimSyncSourceItems(QStringList &items, int channel, int channelCount);

struct MuxLayout {
    int columns;
    int height;
};
MuxLayout muxLayout(int channelCount);

} // namespace model
