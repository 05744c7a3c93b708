#pragma once

#include <QString>

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

    // `requestRecall` records the bin for the task timer's next pass (replacing a request
    // not yet served); `startTaskTimer` makes sure that pass comes.
    StorageBins(std::function<void(const QString &)> queue,
                std::function<void(int bin)> requestRecall, std::function<void()> startTaskTimer);

    // "*SAV n" for bins 1 to 12; false (and nothing queued) for any other number.
    bool SaveToBin(int bin);
    // Bins 0 to 12; false (and nothing requested) for any other number.
    bool RecallBin(int bin);

private:
    std::function<void(const QString &)> m_queue;
    std::function<void(int)> m_requestRecall;
    std::function<void()> m_startTaskTimer;
};

} // namespace control
