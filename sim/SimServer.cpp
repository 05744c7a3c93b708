#include "sim/SimServer.h"

#include <QTime>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace sim {

namespace {

// A line longer than any command is noise: it is cut here and the interpreter rejects it.
constexpr qsizetype kMaxPartialLine = 4096;
// After the last answered line, how long a pulled cable waits for the program to take the
// reply, and how often it looks.
constexpr int kCableDrainMs = 1000;
constexpr int kCableDrainPollMs = 10;
constexpr int kCableSettleMs = 200;

QByteArray normalised(const QByteArray &line)
{
    return line.trimmed().toUpper();
}

} // namespace

SimServer::SimServer(Instrument &instrument, PtyPort &port, ServerOptions options)
    : m_instrument(instrument), m_port(port), m_options(std::move(options))
{
    for (auto &fixed : m_options.fixedReplies)
        fixed.first = normalised(fixed.first);
}

qint64 SimServer::nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void SimServer::log(const QByteArray &text) const
{
    if (!m_options.verbose)
        return;
    const QByteArray stamp =
        QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")).toLatin1();
    std::fprintf(stdout, "%s %s\n", stamp.constData(), text.constData());
    std::fflush(stdout);
}

bool SimServer::lineMatches(QByteArray *why) const
{
    const LineSettings s = m_port.lineSettings();
    // An input speed of 0 means "as the output speed".
    const qint32 in = s.inputSpeed == 0 ? s.outputSpeed : s.inputSpeed;
    if (s.outputSpeed != m_options.baud || in != m_options.baud) {
        *why = "line at " + QByteArray::number(s.outputSpeed) + " bit/s";
        return false;
    }
    if (!s.eightDataBits || s.parity) {
        *why = "line framing is not 8N1";
        return false;
    }
    return true;
}

void SimServer::run(int stopFd)
{
    std::array<char, 4096> buffer{};
    while (!m_cablePulled) {
        int timeoutMs = -1;
        if (!m_pending.empty())
            timeoutMs = static_cast<int>(std::max<qint64>(0, m_pending.front().dueMs - nowMs()));
        std::array<pollfd, 2> fds{{{m_port.masterFd(), POLLIN, 0}, {stopFd, POLLIN, 0}}};
        const int ready = ::poll(fds.data(), fds.size(), timeoutMs);
        if (ready < 0 && errno != EINTR)
            return;
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents & POLLIN) {
            for (;;) {
                const ssize_t n = ::read(m_port.masterFd(), buffer.data(), buffer.size());
                if (n <= 0)
                    break;
                takeBytes(buffer.data(), n);
            }
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Only while nobody holds the slave open; ours always does, but do not spin.
            ::poll(nullptr, 0, 50);
        }
        sendDueReplies();
        if (cableDue() && m_pending.empty())
            pullCable();
    }
}

bool SimServer::cableDue() const
{
    return m_options.closeAfterLines > 0 && m_linesTaken >= m_options.closeAfterLines;
}

void SimServer::takeBytes(const char *data, qsizetype size)
{
    if (cableDue())
        return; // the cable is about to be pulled: nothing more arrives
    QByteArray why;
    if (!lineMatches(&why)) {
        // At a foreign speed the bytes are noise to the instrument; any half line is lost too.
        m_partial.clear();
        log("ignored " + QByteArray::number(size) + " bytes: " + why + ", instrument at " +
            QByteArray::number(m_options.baud) + " bit/s");
        return;
    }
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n' && m_lastWasCr) {
            m_lastWasCr = false;
            continue;
        }
        m_lastWasCr = c == '\r';
        if (c == '\r' || c == '\n') {
            const QByteArray line = m_partial;
            m_partial.clear();
            takeLine(line);
            if (cableDue())
                return;
            continue;
        }
        if (m_partial.size() < kMaxPartialLine)
            m_partial.append(c);
    }
}

void SimServer::takeLine(const QByteArray &line)
{
    ++m_linesTaken;
    const QByteArray shown = line.size() > 80 ? line.left(80) + "..." : line;
    if (m_options.silent) {
        log(shown + " -> (silent)");
        return;
    }
    const QByteArray reply = replyFor(line);
    QByteArray bytes = garbage() + QByteArray(m_options.leadingBlanks, ' ') + reply + "\r\n";
    m_pending.push_back({nowMs() + m_options.replyDelayMs, bytes});
    QByteArray note;
    if (m_options.replyDelayMs > 0)
        note = " (after " + QByteArray::number(m_options.replyDelayMs) + " ms)";
    log(shown + " -> " + reply + note);
}

QByteArray SimServer::replyFor(const QByteArray &line)
{
    const QByteArray key = normalised(line);
    for (const auto &fixed : m_options.fixedReplies) {
        if (fixed.first == key)
            return fixed.second;
    }
    return m_instrument.handleLine(line);
}

void SimServer::sendDueReplies()
{
    const qint64 now = nowMs();
    while (!m_pending.empty() && m_pending.front().dueMs <= now) {
        const QByteArray &bytes = m_pending.front().bytes;
        const qint64 written = m_port.write(bytes);
        if (written != bytes.size())
            log("reply cut short: nobody reads the line");
        m_pending.pop_front();
    }
}

void SimServer::pullCable()
{
    // The last reply reaches the slave's queue a moment after our write, so an empty queue
    // only means "taken" once the reply has been seen there or the settle time has passed.
    bool seen = false;
    for (int waited = 0; waited < kCableDrainMs; waited += kCableDrainPollMs) {
        if (m_port.unreadBySlave() > 0)
            seen = true;
        else if (seen || waited >= kCableSettleMs)
            break;
        ::poll(nullptr, 0, kCableDrainPollMs);
    }
    log("cable pulled after " + QByteArray::number(m_linesTaken) + " lines");
    m_port.close();
    m_cablePulled = true;
}

QByteArray SimServer::garbage()
{
    QByteArray bytes;
    bytes.reserve(m_options.garbageBytes);
    while (bytes.size() < m_options.garbageBytes) {
        // xorshift32: the same noise on every run, so a failing test can be repeated.
        m_noise ^= m_noise << 13;
        m_noise ^= m_noise >> 17;
        m_noise ^= m_noise << 5;
        const char c = static_cast<char>(m_noise & 0xff);
        if (c != '\r' && c != '\n')
            bytes.append(c);
    }
    return bytes;
}

} // namespace sim
