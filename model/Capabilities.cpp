#include "model/Capabilities.h"

#include "model/ModelRules.h"

#include <algorithm>

namespace model {

namespace {

// Room for the option, rate and level groups is only needed where they are shown.
constexpr int CompactInputClockGroupHeight = 60;

} // namespace

SeriesCapabilities capabilitiesForSeries(int series)
{
    SeriesCapabilities c{};
    c.inputClockGroup = GroupDisplay::Designed;
    c.hrbInputClockItems = series == SeriesHRB;
    c.optionRateLevelGroups = GroupDisplay::Designed;
    c.outputClockGroup = GroupDisplay::Designed;
    c.clockReadBack = clockReadBackOrder(series);
    c.calibrationQuery = series == SeriesHRA || series == SeriesVDX;

    switch (series) {
    case SeriesHRA:
    case SeriesVDX:
        c.inputClockGroupHeight = CompactInputClockGroupHeight;
        c.optionRateLevelGroups = GroupDisplay::Hidden;
        break;
    case SeriesHLA:
        c.inputClockGroup = GroupDisplay::Hidden;
        c.optionRateLevelGroups = GroupDisplay::Hidden;
        c.outputClockGroup = GroupDisplay::Hidden;
        break;
    default:
        break;
    }
    return c;
}

bool channelPageShown(int page, int channelCount)
{
    if (page < 0 || page > 7)
        return false;
    if (page <= 1)
        return true;
    if (page <= 3)
        return channelCount >= 4;
    if (page <= 5)
        return channelCount >= 6;
    return channelCount == 8;
}

QStringList designedSyncSourceItems()
{
    return captions(TokenTable::SyncSource);
}

void trimSyncSourceItems(QStringList &items, int channel, int channelCount)
{
    if (items.size() <= channelCount)
        return;
    const qsizetype keep = std::max(channelCount + 1, 0);
    while (items.size() > keep)
        items.removeLast();
    if (channel >= 0 && channel < items.size())
        items.removeAt(channel);
}

MuxLayout muxLayout(int channelCount)
{
    if (channelCount == 2)
        return {2, 20};
    if (channelCount == 4)
        return {4, 20};
    return {4, 40};
}

} // namespace model
