#pragma once

#include <QString>

#include <optional>

namespace model {
class ChannelSettings;
}

namespace control {

enum class SyncSourceVerdict {
    Accept,
    NoChannel,  // the box's text names no channel at all
    MutualSync, // the chosen channel is itself synced to this one
    SelfSync,
    Circular, // following the chosen channel's chain leads back to this one
};

// Decides whether channel `channel` (1..8) may take `source` (0..8, nothing when the box text
// names no channel) as its sync source, given the sources stored now. The checks run in a
// fixed order because an A<->B pair must be reported as such even when it is also a loop.
SyncSourceVerdict CheckSyncSource(int channel, std::optional<int> source,
                                  const model::ChannelSettings &stored, int channelCount);

// The message shown for a refusal; empty for Accept and for NoChannel, which is put back
// without a word because the user never picked a channel there.
QString SyncSourceRefusalText(SyncSourceVerdict verdict);

} // namespace control
