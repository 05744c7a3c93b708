#include "control/StorageBins.h"

#include "model/CommandSet.h"

namespace control {

StorageBins::StorageBins(std::function<void(const QString &)> queue,
                         std::function<void(int)> requestRecall,
                         std::function<void()> startTaskTimer)
    : m_queue(std::move(queue)), m_requestRecall(std::move(requestRecall)),
      m_startTaskTimer(std::move(startTaskTimer))
{
}

bool StorageBins::SaveToBin(int bin)
{
    if (bin < FirstUserBin || bin > LastUserBin)
        return false;
    m_queue(model::saveCommand(bin));
    return true;
}

bool StorageBins::RecallBin(int bin)
{
    if (bin < DefaultBin || bin > LastUserBin)
        return false;
    m_requestRecall(bin);
    m_startTaskTimer();
    return true;
}

} // namespace control
