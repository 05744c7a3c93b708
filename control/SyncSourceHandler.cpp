#include "control/SyncSourceHandler.h"

#include "transport/UserDialogs.h"

namespace control {

QString SyncSourceWord(int source) {
    if (source == 0)
        return QStringLiteral("T0");
    if (source >= 1 && source <= 8)
        return QStringLiteral("CH") + QChar(static_cast<char16_t>(u'A' + (source - 1)));
    return {};
}

bool SetChannelSyncSource(int channel, std::optional<int> source, SyncSources &stored,
                          int channelCount, transport::UserDialogs &dialogs,
                          const SyncSourceHooks &hooks) {
    const SyncSourceVerdict verdict = CheckSyncSource(channel, source, stored, channelCount);
    if (verdict == SyncSourceVerdict::Accept) {
        stored[static_cast<std::size_t>(channel - 1)] = *source;
        if (hooks.queue)
            hooks.queue(QStringLiteral(":PULS%1:SYNC ").arg(channel) + SyncSourceWord(*source));
        return true;
    }

    const QString text = SyncSourceRefusalText(verdict);
    if (!text.isEmpty())
        dialogs.message(transport::UserDialogs::Kind::Error, text,
                        {transport::UserDialogs::Button::Ok});
    // A box of a channel outside 1..8 has no stored entry to show again.
    if (hooks.restoreBox && channel >= 1 && channel <= 8)
        hooks.restoreBox(stored[static_cast<std::size_t>(channel - 1)]);
    return false;
}

} // namespace control
