#pragma once

#include "control/SyncSourceRule.h"

#include <QString>

#include <functional>
#include <optional>

namespace transport {
class UserDialogs;
}

namespace control {

// The sync-source box of channel `channel` now shows `source`. On acceptance the source is
// stored and ":PULSc:SYNC <word>" queued; on refusal the reason is shown (if there is one to
// show), nothing is stored or queued, and `restoreBox` is asked to show the stored source
// again. Returns whether the choice was accepted.
struct SyncSourceHooks {
    std::function<void(const QString &command)> queue;
    std::function<void(int storedSource)> restoreBox;
};

bool SetChannelSyncSource(int channel, std::optional<int> source, SyncSources &stored,
                          int channelCount, transport::UserDialogs &dialogs,
                          const SyncSourceHooks &hooks);

// "T0" for 0, "CHA" to "CHH" for 1 to 8; empty otherwise.
QString SyncSourceWord(int source);

} // namespace control
