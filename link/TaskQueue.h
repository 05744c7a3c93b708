#pragma once

#include <QList>
#include <QString>

namespace ilink {

class Communication;

// The window's parts that a task pass drives.
class TaskHost {
public:
    virtual ~TaskHost() = default;
    virtual void setTaskTimerActive(bool on) = 0;
    virtual void setStatusTimerActive(bool on) = 0;
    // The full state read-back.
    virtual void Initialize() = 0;
};

// Serialises all traffic the user causes: handlers queue command lines, and each tick of the
// task timer runs one pass that serves a pending recall or refresh and then sends the queue.
// Exchanges let events run while they wait, so a pass can be re-entered from inside itself or
// from inside a status poll; the flags turn such ticks away until the line is free.
class TaskQueue {
public:
    // The queue grows past this when handlers outpace the line; it is only the first size.
    static constexpr qsizetype kInitialCapacity = 100;

    TaskQueue(Communication &comm, TaskHost &host);

    void QueuedCommandToPort(const QString &commandstr);
    void ProcessTasks();

    // Recall of `bin` (0: instrument defaults, 1 to 12: user bins) at the next pass. Like a
    // refresh request, it does not start the task timer by itself.
    void RequestRecall(int bin);
    void setRefreshPending(bool on);
    // Set by the status poll while it waits for its reply.
    void setPollingBusy(bool on) { m_pollingBusy = on; }

    // The first read-back, from the launch timer, shown like a refresh. Commands queued before
    // it go out first, so that it reads them back. False, with nothing done, while the line is
    // held further up the stack: the caller tries again later.
    bool LaunchReadBack();

    // Held by every read-back for its whole length. No task pass starts meanwhile, so queued
    // commands are neither sent in its middle nor dropped by its suppression, and a pending
    // refresh or recall cannot start a second read-back inside it.
    class ReadBackScope {
    public:
        explicit ReadBackScope(TaskQueue &queue);
        ~ReadBackScope();
        ReadBackScope(const ReadBackScope &) = delete;
        ReadBackScope &operator=(const ReadBackScope &) = delete;
        // False when another read-back already holds the line: this one must not run.
        bool Holds() const { return m_holds; }

    private:
        TaskQueue &m_queue;
        bool m_holds;
    };
    bool ReadBackRunning() const { return m_readBackRunning; }

    bool CommandsPending() const { return m_commandsPending; }
    bool TaskBusy() const { return m_taskBusy; }
    bool PollingBusy() const { return m_pollingBusy; }
    int RecallPending() const { return m_recallPending; }
    int PendingRecallBin() const { return m_pendingRecallBin; }
    int RefreshPending() const { return m_refreshPending; }
    qsizetype Count() const { return m_commandQueue.size(); }

private:
    bool LineHeld() const;
    void SendQueue();
    // A request made while its read-back runs stays pending for the next pass; the counts
    // tell such a request from the one being served.
    void ClearServedRequests(quint64 recallsBefore, quint64 refreshesBefore);

    Communication &m_comm;
    TaskHost &m_host;
    QList<QString> m_commandQueue;
    bool m_commandsPending = false;
    bool m_taskBusy = false;
    bool m_pollingBusy = false;
    int m_recallPending = 0;
    int m_pendingRecallBin = 0;
    int m_refreshPending = 0;
    quint64 m_recallRequests = 0;
    quint64 m_refreshRequests = 0;
    bool m_readBackRunning = false;
};

} // namespace ilink
