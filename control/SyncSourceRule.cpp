#include "control/SyncSourceRule.h"

#include "model/ChannelSettings.h"

namespace control {

using model::ChannelSettings;

SyncSourceVerdict CheckSyncSource(int channel, std::optional<int> source,
                                  const ChannelSettings &stored, int channelCount)
{
    if (!source || !ChannelSettings::isChannel(channel))
        return SyncSourceVerdict::NoChannel;
    const int s = *source;
    if (s == 0)
        return SyncSourceVerdict::Accept;
    if (!ChannelSettings::isChannel(s))
        return SyncSourceVerdict::NoChannel;
    if (stored[s].SyncSource == channel)
        return SyncSourceVerdict::MutualSync;
    if (s == channel)
        return SyncSourceVerdict::SelfSync;
    if (stored[s].SyncSource == 0)
        return SyncSourceVerdict::Accept;

    // The walk is bounded by the channel count, so a loop elsewhere in the table (one that
    // does not pass through `channel`) cannot keep us here. A stored source beyond the
    // channels in use restarts the walk at channel 1, which also keeps every read inside the
    // eight records whatever the read-back put there.
    int k = s;
    for (int step = 0; step < channelCount; ++step) {
        if (k > channelCount || !ChannelSettings::isChannel(k))
            k = 1;
        const int next = stored[k].SyncSource;
        if (next == channel)
            return SyncSourceVerdict::Circular;
        if (next == 0)
            return SyncSourceVerdict::Accept;
        k = next;
    }
    return SyncSourceVerdict::Accept;
}

QString SyncSourceRefusalText(SyncSourceVerdict verdict)
{
    switch (verdict) {
    case SyncSourceVerdict::MutualSync:
        return QStringLiteral("Error. You cannot sync two channels to each other.");
    case SyncSourceVerdict::SelfSync:
        return QStringLiteral("Error. Channel cannot sync to itself.");
    case SyncSourceVerdict::Circular:
        return QStringLiteral("Error. Circular sync reference.");
    case SyncSourceVerdict::Accept:
    case SyncSourceVerdict::NoChannel:
        break;
    }
    return {};
}

} // namespace control
