#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace control {

// The "Storage" menu's bin commands. Saving is an ordinary queued command; a recall only
// records the request, because the task timer must perform it between polls and before any
// queued command.
class StorageBins {
public:
    static constexpr int DefaultBin = 0; // the instrument's defaults, recall only
    static constexpr int FirstUserBin = 1;
    static constexpr int LastUserBin = 12;

    StorageBins(std::function<void(const QString &)> queue, std::int32_t &pendingRecallBin,
                std::int32_t &recallPending, std::function<void()> startTaskTimer);

    // "*SAV n" for bins 1 to 12; false (and nothing queued) for any other number.
    bool SaveToBin(int bin);
    // Bins 0 to 12. A second request before the task timer serves the first replaces its bin.
    bool RecallBin(int bin);

private:
    std::function<void(const QString &)> m_queue;
    std::int32_t &m_pendingRecallBin;
    std::int32_t &m_recallPending;
    std::function<void()> m_startTaskTimer;
};

} // namespace control
