#pragma once

#include "control/SyncSourceRule.h"

#include <QString>

#include <functional>
#include <optional>

namespace transport {
class UserDialogs;
}

namespace control {

struct SyncSourceHooks {
    std::function<void(const QString &command)> queue;
    // Show the stored source in the box again (the window looks up its item position).
    std::function<void(int storedSource)> restoreBox;
};

// The sync-source box of channel `channel` now shows `source`. Accepted: the source is
// stored and ":PULSc:SYNC <word>" queued. Refused: the reason is shown (if there is one to
// show), nothing is stored or queued, and the box is put back. Returns whether it was
// accepted.
bool SetChannelSyncSource(int channel, std::optional<int> source, model::ChannelSettings &stored,
                          int channelCount, transport::UserDialogs &dialogs,
                          const SyncSourceHooks &hooks);

} // namespace control
