#include "control/SyncSourceRule.h"

namespace control {

namespace {

bool isChannel(int n) {
    return n >= 1 && n <= 8;
}

std::int32_t sourceOf(const SyncSources &stored, int channel) {
    return stored[static_cast<std::size_t>(channel - 1)];
}

} // namespace

SyncSourceVerdict CheckSyncSource(int channel, std::optional<int> source, const SyncSources &stored,
                                  int channelCount) {
    if (!source || !isChannel(channel))
        return SyncSourceVerdict::NoChannel;
    const int s = *source;
    if (s == 0)
        return SyncSourceVerdict::Accept;
    if (!isChannel(s))
        return SyncSourceVerdict::NoChannel;
    if (sourceOf(stored, s) == channel)
        return SyncSourceVerdict::MutualSync;
    if (s == channel)
        return SyncSourceVerdict::SelfSync;
    if (sourceOf(stored, s) == 0)
        return SyncSourceVerdict::Accept;

    // The walk is bounded by the channel count, so a loop elsewhere in the table (one that
    // does not pass through `channel`) cannot keep us here. A stored source beyond the
    // channels in use restarts the walk at channel 1, which also keeps every read inside the
    // eight stored entries whatever the read-back put there.
    int k = s;
    for (int step = 0; step < channelCount; ++step) {
        if (k > channelCount || !isChannel(k))
            k = 1;
        const int next = sourceOf(stored, k);
        if (next == channel)
            return SyncSourceVerdict::Circular;
        if (next == 0)
            return SyncSourceVerdict::Accept;
        k = next;
    }
    return SyncSourceVerdict::Accept;
}

QString SyncSourceRefusalText(SyncSourceVerdict verdict) {
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
