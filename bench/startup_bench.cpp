// From program start to the first read-back complete, for an HRA8 on COM1 at 115200 bit/s:
// the time against its floor (the discovery exchanges, the launch timer and 20 ms per
// read-back query), and the program's peak resident memory.
#include "bench/BenchProgram.h"
#include "tests/support/PtyPeer.h"

#include <sys/resource.h>

#include <cstdio>

namespace {

constexpr int kPauseMs = ilink::Communication::kExchangePauseMs;
constexpr int kLaunchMs = 500;
// Two identifications at the first speed tried, then the read-back of an HRA8: 13 system
// queries, 2 clock queries and 15 per channel (the calibration type first).
constexpr int kDiscoveryExchanges = 2;
constexpr int kReadBackQueries = 13 + 2 + 8 * 15;

} // namespace

int main(int argc, char **argv)
{
    bench::useOffscreenUnlessSet();
    QApplication app(argc, argv);
    testsupport::ComPortFolder folder;

    QProcess sim;
    QByteArray out;
    if (!bench::startStandIn(sim,
                             {QStringLiteral("--model"), QStringLiteral("HRA8"),
                              QStringLiteral("--link"), folder.path() + QStringLiteral("/com1")},
                             out))
        return 1;

    QElapsedTimer wall;
    wall.start();
    ui::TMainForm form;
    if (!bench::startProgram(form))
        return 1;
    const double measuredMs = double(wall.nsecsElapsed()) / 1e6;
    const double floorMs = (kDiscoveryExchanges + kReadBackQueries) * kPauseMs + kLaunchMs;

    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("Start to read-back complete, HRA8 on COM1 at 115200 bit/s\n");
    std::printf("  measured:                   %8.1f ms\n", measuredMs);
    std::printf("  floor:                      %8.1f ms (%d exchanges x %d ms + %d ms launch)\n",
                floorMs, kDiscoveryExchanges + kReadBackQueries, kPauseMs, kLaunchMs);
    std::printf("  measured / floor:           %8.3f (target <= 1.10)\n", measuredMs / floorMs);
    std::printf("  peak resident memory:       %8.1f MiB\n", double(usage.ru_maxrss) / 1024.0);

    form.ExitApp();
    sim.terminate();
    sim.waitForFinished(3000);
    return 0;
}
