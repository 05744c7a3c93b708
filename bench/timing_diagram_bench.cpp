// The timing diagram's cost per redraw: 8 channels over 3 periods, with sync chains, mixed
// modes, multiplexed outputs, an inverted output and an overrun, computed from the records
// and painted at the window's first size. Computing and painting are also timed apart.
#include "model/ProgramState.h"
#include "model/TimingDiagram.h"
#include "model/TokenTables.h"
#include "ui/TTimingDiagramView.h"
#include "ui/TimingDiagramPainter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRounds = 2000;
constexpr int kWarmUp = 50;

int position(model::TokenTable table, const char *token)
{
    return model::findToken(table, QString::fromLatin1(token)).value_or(0);
}

model::ProgramState busyHra8()
{
    model::ProgramState s;
    s.ChannelCount = 8;
    s.SystemSettings.Period = 1e-3;
    s.SystemSettings.PulseMode = position(model::TokenTable::PulseMode, "NORM");
    for (int n = 1; n <= 8; ++n) {
        model::ChannelRecord &r = s.ChannelSettings[n];
        r.Enabled = 1;
        r.Polarity = position(model::TokenTable::Polarity, n == 6 ? "INV" : "NORM");
        r.Delay = 25e-6 * n;
        r.Width = 50e-6;
        r.SyncSource = n - 1; // A on T0, each next one on the one before
        r.MuxMask = 1 << (n - 1);
    }
    s.ChannelSettings[3].Mode = position(model::TokenTable::PulseMode, "BURS");
    s.ChannelSettings[3].BurstCount = 2;
    s.ChannelSettings[4].Mode = position(model::TokenTable::PulseMode, "DCYC");
    s.ChannelSettings[4].DutyOnCount = 1;
    s.ChannelSettings[4].DutyOffCount = 1;
    s.ChannelSettings[5].WaitCount = 1;
    s.ChannelSettings[7].Width = 1.2e-3; // runs past the next T0
    s.ChannelSettings[8].MuxMask = 0xFF; // the OR of every timer
    return s;
}

struct Figures {
    double medianMs;
    double p95Ms;
};

Figures timeRounds(const std::function<void()> &round)
{
    for (int i = 0; i < kWarmUp; ++i)
        round();
    std::vector<double> ms;
    ms.reserve(kRounds);
    QElapsedTimer t;
    for (int i = 0; i < kRounds; ++i) {
        t.start();
        round();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100]};
}

} // namespace

int main(int argc, char **argv)
{
    // No display needed; one given (QT_QPA_PLATFORM) is used as it is.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const model::ProgramState state = busyHra8();
    const auto compute = [&state] {
        return model::computeTimingDiagram(state.SystemSettings, state.ChannelSettings,
                                           state.ChannelCount, model::kDefaultDiagramPeriods);
    };

    ui::TTimingDiagramView view;
    view.resize(view.sizeHint());
    view.show();
    QCoreApplication::processEvents();

    const model::TimingDiagram diagram = compute();
    std::size_t edges = 0;
    for (const model::TimingRow &row : diagram.rows)
        edges += row.edges.size();

    const Figures computing = timeRounds([&] { (void)compute(); });
    QImage image(view.size(), QImage::Format_RGB32);
    const ui::TimingDiagramLayout layout(view.size(), int(diagram.rows.size()));
    const Figures painting = timeRounds([&] {
        QPainter painter(&image);
        ui::paintTimingDiagram(painter, layout, diagram, view.view());
    });
    // What a settings change costs the window: recompute, hand over, repaint at once.
    const Figures redraw = timeRounds([&] {
        view.setDiagram(compute());
        view.repaint();
    });

    std::printf("Timing diagram, HRA8: 8 channels over 3 periods (%zu edges), %dx%d pixels, "
                "%d rounds\n",
                edges, view.width(), view.height(), kRounds);
    std::printf("  compute:                    %8.3f ms median, %8.3f ms 95th percentile\n",
                computing.medianMs, computing.p95Ms);
    std::printf("  paint into an image:        %8.3f ms median, %8.3f ms 95th percentile\n",
                painting.medianMs, painting.p95Ms);
    std::printf("  redraw (compute + repaint): %8.3f ms median, %8.3f ms 95th percentile "
                "(target < 5 ms)\n",
                redraw.medianMs, redraw.p95Ms);
    return 0;
}
