#include "control/SyncSourceHandler.h"

#include "model/ChannelSettings.h"
#include "model/CommandSet.h"
#include "transport/UserDialogs.h"

namespace control {

bool SetChannelSyncSource(int channel, std::optional<int> source, model::ChannelSettings &stored,
                          int channelCount, transport::UserDialogs &dialogs,
                          const SyncSourceHooks &hooks)
{
    const SyncSourceVerdict verdict = CheckSyncSource(channel, source, stored, channelCount);
    if (verdict == SyncSourceVerdict::Accept) {
        stored[channel].SyncSource = *source;
        if (hooks.queue)
            hooks.queue(
                model::buildChannelCommand(model::ChannelSetting::SyncSource, channel, *source));
        return true;
    }

    const QString text = SyncSourceRefusalText(verdict);
    if (!text.isEmpty())
        dialogs.message(transport::UserDialogs::Kind::Error, text,
                        {transport::UserDialogs::Button::Ok});
    // A box of a channel outside 1..8 has no stored record to show again.
    if (const model::ChannelRecord *record = stored.find(channel); record && hooks.restoreBox)
        hooks.restoreBox(record->SyncSource);
    return false;
}

} // namespace control
