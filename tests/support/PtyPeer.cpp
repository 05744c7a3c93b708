#include "PtyPeer.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;

// Upper bound of one poll, so that a stop request or a newly scheduled send is seen soon even
// if the wake-up byte were lost.
constexpr int kPollCapMs = 20;

} // namespace

struct PtyPeer::Private {
    int master = -1;
    // Held open for the peer's whole life: with no slave open, the master reads EIO and a
    // closed-and-reopened port would lose what was sent in between.
    int slave = -1;
    int wake[2] = {-1, -1};
    QString slavePath;

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool stop = false;
    QByteArray received;
    QList<QByteArray> lines;
    QByteArray partialLine;
    std::deque<Reply> queued;
    QHash<QByteArray, Reply> rules;
    Responder responder;
    std::multimap<Clock::time_point, QByteArray> outgoing;
    std::thread thread;

    void wakeUp() const
    {
        const char c = 0;
        [[maybe_unused]] const auto n = ::write(wake[1], &c, 1);
    }

    void schedule(const Reply &reply, Clock::time_point from)
    {
        for (const Chunk &c : reply)
            outgoing.emplace(from + std::chrono::milliseconds(c.delayMs), c.bytes);
    }

    // Called with the mutex held; returns the lines completed by these bytes.
    QList<QByteArray> takeLines(const QByteArray &bytes)
    {
        QList<QByteArray> done;
        for (char c : bytes) {
            if (c != '\r' && c != '\n') {
                partialLine.append(c);
                continue;
            }
            if (partialLine.isEmpty())
                continue;
            done.append(partialLine);
            lines.append(partialLine);
            partialLine.clear();
        }
        return done;
    }

    // Called with the lock held; the responder runs unlocked so it may use the peer.
    void answer(const QByteArray &line, std::unique_lock<std::mutex> &lock)
    {
        const auto arrived = Clock::now();
        if (!queued.empty()) {
            schedule(queued.front(), arrived);
            queued.pop_front();
        } else if (rules.contains(line)) {
            schedule(rules.value(line), arrived);
        } else if (responder) {
            const Responder respond = responder;
            lock.unlock();
            const Reply reply = respond(line);
            lock.lock();
            schedule(reply, arrived);
        }
    }

    void run()
    {
        char buffer[4096];
        std::unique_lock lock(mutex);
        while (!stop) {
            int timeout = kPollCapMs;
            if (!outgoing.empty()) {
                const auto due = std::chrono::duration_cast<std::chrono::milliseconds>(
                                     outgoing.begin()->first - Clock::now())
                                     .count();
                timeout = int(std::clamp<long long>(due, 0, kPollCapMs));
            }
            lock.unlock();
            pollfd fds[2] = {{master, POLLIN, 0}, {wake[0], POLLIN, 0}};
            ::poll(fds, 2, timeout);
            if (fds[1].revents & POLLIN) [[maybe_unused]]
                const auto n = ::read(wake[0], buffer, sizeof buffer);
            QByteArray incoming;
            if (fds[0].revents & POLLIN) {
                const ssize_t n = ::read(master, buffer, sizeof buffer);
                if (n > 0)
                    incoming = QByteArray(buffer, n);
            }
            if (incoming.isEmpty() && (fds[0].revents & (POLLHUP | POLLERR)))
                // Nothing to read but not quiet either: do not spin on it.
                std::this_thread::sleep_for(std::chrono::milliseconds(kPollCapMs));
            lock.lock();
            if (!incoming.isEmpty()) {
                received += incoming;
                const QList<QByteArray> complete = takeLines(incoming);
                changed.notify_all();
                for (const QByteArray &line : complete)
                    answer(line, lock);
            }
            const auto now = Clock::now();
            while (!outgoing.empty() && outgoing.begin()->first <= now) {
                const QByteArray bytes = outgoing.begin()->second;
                outgoing.erase(outgoing.begin());
                lock.unlock();
                writeAll(bytes);
                lock.lock();
            }
        }
    }

    void writeAll(const QByteArray &bytes) const
    {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::write(master, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return;
            done += n;
        }
    }
};

PtyPeer::PtyPeer() : d(std::make_unique<Private>())
{
    char name[256] = {};
    if (::openpty(&d->master, &d->slave, name, nullptr, nullptr) != 0)
        return;
    d->slavePath = QFile::decodeName(name);
    // Raw from the start: a slave in the default canonical mode would echo what the peer
    // sends back to the peer whenever the port is closed.
    termios tio;
    if (::tcgetattr(d->slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::tcsetattr(d->slave, TCSANOW, &tio);
    }
    if (::pipe(d->wake) != 0)
        return;
    d->thread = std::thread([this] { d->run(); });
}

PtyPeer::~PtyPeer()
{
    if (d->thread.joinable()) {
        {
            std::lock_guard lock(d->mutex);
            d->stop = true;
        }
        d->wakeUp();
        d->thread.join();
    }
    for (int fd : {d->master, d->slave, d->wake[0], d->wake[1]}) {
        if (fd >= 0)
            ::close(fd);
    }
}

bool PtyPeer::isValid() const
{
    return d->thread.joinable();
}

QString PtyPeer::slavePath() const
{
    return d->slavePath;
}

bool PtyPeer::slaveSettings(termios *out) const
{
    return ::tcgetattr(d->slave, out) == 0;
}

void PtyPeer::queueReply(const Reply &reply)
{
    std::lock_guard lock(d->mutex);
    d->queued.push_back(reply);
}

void PtyPeer::onLine(const QByteArray &line, const Reply &reply)
{
    std::lock_guard lock(d->mutex);
    d->rules.insert(line, reply);
}

void PtyPeer::setResponder(Responder responder)
{
    std::lock_guard lock(d->mutex);
    d->responder = std::move(responder);
}

void PtyPeer::send(const QByteArray &bytes, int delayMs)
{
    {
        std::lock_guard lock(d->mutex);
        d->schedule(text(bytes, delayMs), Clock::now());
    }
    d->wakeUp();
}

QByteArray PtyPeer::received() const
{
    std::lock_guard lock(d->mutex);
    return d->received;
}

QList<QByteArray> PtyPeer::lines() const
{
    std::lock_guard lock(d->mutex);
    return d->lines;
}

void PtyPeer::clearReceived()
{
    std::lock_guard lock(d->mutex);
    d->received.clear();
    d->lines.clear();
    d->partialLine.clear();
}

bool PtyPeer::waitForLines(qsizetype count, int timeoutMs) const
{
    std::unique_lock lock(d->mutex);
    return d->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return d->lines.size() >= count; });
}

bool PtyPeer::waitForBytes(qsizetype count, int timeoutMs) const
{
    std::unique_lock lock(d->mutex);
    return d->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                               [&] { return d->received.size() >= count; });
}

ComPortFolder::ComPortFolder()
    : m_previous(qgetenv("VNH_COMPORTS")), m_hadPrevious(qEnvironmentVariableIsSet("VNH_COMPORTS"))
{
    qputenv("VNH_COMPORTS", QFile::encodeName(m_dir.path()));
}

ComPortFolder::~ComPortFolder()
{
    if (m_hadPrevious)
        qputenv("VNH_COMPORTS", m_previous);
    else
        qunsetenv("VNH_COMPORTS");
}

bool ComPortFolder::link(int port, const QString &target) const
{
    return QFile::link(target, m_dir.filePath(QStringLiteral("com%1").arg(port)));
}

bool ComPortFolder::unlink(int port) const
{
    return QFile::remove(m_dir.filePath(QStringLiteral("com%1").arg(port)));
}

} // namespace testsupport
