#include "link/TaskQueue.h"

#include "link/Communication.h"

namespace ilink {

TaskQueue::TaskQueue(Communication &comm, TaskHost &host) : m_comm(comm), m_host(host)
{
    m_commandQueue.reserve(kInitialCapacity);
}

void TaskQueue::QueuedCommandToPort(const QString &commandstr)
{
    if (m_comm.SuppressCommands() || m_comm.Ended())
        return;
    m_commandQueue.append(commandstr);
    m_commandsPending = true;
    // Even during a pass: the pass finds the new entry itself, and the tick this arms meets
    // TaskBusy and only re-arms.
    m_host.setTaskTimerActive(true);
}

void TaskQueue::RequestRecall(int bin)
{
    m_pendingRecallBin = bin;
    m_recallPending = -1;
    ++m_recallRequests;
}

void TaskQueue::setRefreshPending(bool on)
{
    m_refreshPending = on ? -1 : 0;
    if (on)
        ++m_refreshRequests;
}

TaskQueue::ReadBackScope::ReadBackScope(TaskQueue &queue)
    : m_queue(queue), m_holds(!queue.m_readBackRunning)
{
    if (m_holds)
        m_queue.m_readBackRunning = true;
}

TaskQueue::ReadBackScope::~ReadBackScope()
{
    if (m_holds)
        m_queue.m_readBackRunning = false;
}

bool TaskQueue::LineHeld() const
{
    // Any exchange waiting for its reply further up the stack (a poll, a pass, a read-back, a
    // replayed file line) holds the line: a pass now would find the port in use, and its
    // commands would be refused and lost, or a pending refresh would start a second read-back
    // inside the first.
    return m_pollingBusy || m_taskBusy || m_readBackRunning || m_comm.PortInUse();
}

void TaskQueue::ClearServedRequests(quint64 recallsBefore, quint64 refreshesBefore)
{
    if (m_recallRequests == recallsBefore)
        m_recallPending = 0;
    if (m_refreshRequests == refreshesBefore)
        m_refreshPending = 0;
}

bool TaskQueue::LaunchReadBack()
{
    if (m_comm.Ended() || LineHeld())
        return false;
    m_taskBusy = true;
    if (m_commandsPending)
        SendQueue();
    const quint64 refreshes = m_refreshRequests;
    // Shown with the busy window, as a refresh is; not a request of the user's, so it does not
    // count as one. A recall asked for before it still goes out at the next pass.
    m_refreshPending = -1;
    if (!m_comm.Ended())
        m_host.Initialize();
    if (m_refreshRequests == refreshes)
        m_refreshPending = 0;
    m_taskBusy = false;
    // Whatever was asked for meanwhile is served by the next pass.
    if (!m_comm.Ended() && (m_commandsPending || m_recallPending || m_refreshPending))
        m_host.setTaskTimerActive(true);
    return true;
}

void TaskQueue::ProcessTasks()
{
    m_host.setTaskTimerActive(false);
    if (m_comm.Ended())
        return;
    if (LineHeld()) {
        m_host.setTaskTimerActive(true);
        return;
    }
    m_taskBusy = true;

    if (m_recallPending != 0 || m_refreshPending != 0) {
        const quint64 recalls = m_recallRequests;
        const quint64 refreshes = m_refreshRequests;
        m_host.setStatusTimerActive(false);
        if (m_recallPending != 0)
            m_comm.CommandToPort(QStringLiteral("*RCL ") + QString::number(m_pendingRecallBin));
        if (!m_comm.Ended())
            m_host.Initialize();
        ClearServedRequests(recalls, refreshes);
        if (!m_comm.Ended())
            m_host.setStatusTimerActive(true);
    }

    if (m_commandsPending)
        SendQueue();

    m_taskBusy = false;
    if (!m_comm.Ended())
        m_host.setTaskTimerActive(true);
}

void TaskQueue::SendQueue()
{
    // The size is read anew each round: a command queued while an earlier one waits for its
    // reply is sent later in this same pass, after everything queued before it.
    for (qsizetype i = 0; i < m_commandQueue.size() && !m_comm.Ended(); ++i) {
        // A copy: handlers running inside the exchange may append and move the entries.
        const QString command = m_commandQueue.at(i);
        m_comm.CommandToPort(command);
    }
    m_commandQueue.clear();
    m_commandsPending = false;
}

} // namespace ilink
