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
}

void TaskQueue::ProcessTasks()
{
    m_host.setTaskTimerActive(false);
    if (m_comm.Ended())
        return;
    // Any exchange waiting for its reply further up the stack (a poll, a pass, the launch
    // read-back, a replayed file line) holds the line: a pass now would find the port in use,
    // and its commands would be refused and lost, or a pending refresh would start a second
    // read-back inside the first. The pass is retried at the next tick instead.
    if (m_pollingBusy || m_taskBusy || m_comm.PortInUse()) {
        m_host.setTaskTimerActive(true);
        return;
    }
    m_taskBusy = true;

    if (m_recallPending != 0 || m_refreshPending != 0) {
        m_host.setStatusTimerActive(false);
        if (m_recallPending != 0)
            m_comm.CommandToPort(QStringLiteral("*RCL ") + QString::number(m_pendingRecallBin));
        if (!m_comm.Ended())
            m_host.Initialize();
        m_recallPending = 0;
        m_refreshPending = 0;
        if (!m_comm.Ended())
            m_host.setStatusTimerActive(true);
    }

    if (m_commandsPending) {
        // The size is read anew each round: a command queued while an earlier one waits for
        // its reply is sent later in this same pass, after everything queued before it.
        for (qsizetype i = 0; i < m_commandQueue.size() && !m_comm.Ended(); ++i) {
            // A copy: handlers running inside the exchange may append and move the entries.
            const QString command = m_commandQueue.at(i);
            m_comm.CommandToPort(command);
        }
        m_commandQueue.clear();
        m_commandsPending = false;
    }

    m_taskBusy = false;
    if (!m_comm.Ended())
        m_host.setTaskTimerActive(true);
}

} // namespace ilink
