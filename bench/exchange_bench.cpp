// Exchange figures against a pseudo-terminal peer that answers at once: the time an exchange
// costs beyond its fixed pause, and the CPU the program burns while it waits for a late reply.
#include "link/Communication.h"
#include "tests/support/PtyPeer.h"
#include "transport/TVNComPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <ctime>

using testsupport::PtyPeer;

namespace {

constexpr int kRoundTrips = 200;
constexpr int kHeldBackMs = 2000;

double cpuSeconds(clockid_t clock)
{
    timespec t{};
    ::clock_gettime(clock, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    testsupport::ComPortFolder folder;
    PtyPeer peer;
    if (!peer.isValid() || !folder.link(1, peer.slavePath())) {
        std::fprintf(stderr, "bench_exchange: no pseudo-terminal\n");
        return 1;
    }
    peer.setResponder([](const QByteArray &) { return PtyPeer::text("1\r\n"); });

    transport::TVNComPort port;
    port.setPort(1);
    port.setBaud(115200);
    port.setEndOfResponse("\r");
    port.setShowErrors(false);
    port.setResponseTime(3000);
    port.setAllowEvents(true);
    if (!port.Open()) {
        std::fprintf(stderr, "bench_exchange: cannot open the port\n");
        return 1;
    }
    ilink::Communication comm(port);

    int answered = 0;
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < kRoundTrips; ++i)
        answered += comm.QueryPort(QStringLiteral(":PULS0:STAT")) == QStringLiteral("1");
    const double meanMs = double(wall.nsecsElapsed()) / 1e6 / kRoundTrips;
    std::printf("QueryPort round trips: %d (%d answered)\n", kRoundTrips, answered);
    std::printf("  mean per exchange:          %8.3f ms\n", meanMs);
    std::printf("  beyond the %d ms pause:     %8.3f ms   (target <= 1 ms)\n",
                ilink::Communication::kExchangePauseMs,
                meanMs - ilink::Communication::kExchangePauseMs);

    peer.setResponder({});
    peer.onLine(":PULS0:STAT?", PtyPeer::text("1\r\n", kHeldBackMs));
    const double threadBefore = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double processBefore = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    wall.restart();
    const QString late = comm.QueryPort(QStringLiteral(":PULS0:STAT"));
    const double waitS = double(wall.nsecsElapsed()) / 1e9;
    const double threadCpu = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - threadBefore;
    const double processCpu = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processBefore;
    std::printf("Reply held back %d ms (%s):\n", kHeldBackMs,
                late == QStringLiteral("1") ? "answered" : "NOT answered");
    std::printf("  wait:                       %8.3f s\n", waitS);
    std::printf("  program thread CPU:         %8.3f s = %5.2f %% of the wait   (target <= 2 %%)\n",
                threadCpu, 100.0 * threadCpu / waitS);
    std::printf("  whole process CPU (+peer):  %8.3f s = %5.2f %% of the wait\n", processCpu,
                100.0 * processCpu / waitS);
    return 0;
}
