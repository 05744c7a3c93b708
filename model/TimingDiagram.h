#pragma once

#include "model/ChannelSettings.h"
#include "model/Picoseconds.h"
#include "model/SystemSettings.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// Where every output's pulses fall over the first few periods, worked out from the settings
// the program holds. Nothing here asks the instrument: the diagram shows what the records say.
namespace model {

inline constexpr int kDefaultDiagramPeriods = 3;
inline constexpr int kMaxDiagramPeriods = 100;

// Why a channel's timer has no place in time.
enum class ChainFault {
    None,
    Loop,          // its sync sources lead round in a circle (only the instrument can report one)
    MissingSource, // a source names a channel this instrument does not have
};

struct ChainLink {
    int channel = 0; // 1..8
    Picoseconds delay = 0;
};

// One channel's timer: its pulse starts `offset` after each T0 pulse it fires on.
struct TimerTiming {
    ChainFault fault = ChainFault::None;
    std::vector<ChainLink> chain; // from the channel synced to T0 down to this one
    Picoseconds offset = 0;       // the chain's delays added up
    Picoseconds width = 0;
};

struct TimingEdge {
    Picoseconds time = 0;
    bool level = false;    // the level drawn after the edge, polarity applied
    int timer = 0;         // 0 for T0, else the channel whose timer pulse made the edge
    bool pulseEnd = false; // the end of that timer pulse rather than its start
    int t0Pulse = 0;       // the period whose T0 pulse fired it (0 for the first)
};

struct TimingRow {
    int channel = 0; // 0 is T0, whose edges are instants (each T0 pulse)
    bool enabled = true;
    ChainFault fault = ChainFault::None;
    bool inverted = false;
    bool initialLevel = false;
    std::vector<TimingEdge> edges; // in time order
    // How far the channel's own pulse runs past the next T0 pulse, when it does.
    std::optional<Picoseconds> overrun;
};

struct TimingDiagram {
    Picoseconds period = 0; // 0 when the settings hold no period yet
    int periods = 0;
    // The axis: from 0 (or the earliest edge, if a negative delay puts one before it) to the
    // end of the periods shown or the last edge, whichever is later.
    Picoseconds start = 0;
    Picoseconds end = 0;
    std::array<TimerTiming, ChannelSettings::LastChannel + 1> timers{}; // entry 0 unused
    std::vector<TimingRow> rows;                                        // T0, then A onwards
};

// The diagram for channels 1..channelCount over `periods` periods (clamped to
// 1..kMaxDiagramPeriods).
TimingDiagram computeTimingDiagram(const SystemSettings &system, const ChannelSettings &channels,
                                   int channelCount, int periods = kDefaultDiagramPeriods);

// "T0", "Ch A" .. "Ch H".
QString rowName(int channel);

// The chain that produced an edge, e.g. "B: T0 + 1.5 µs (A) + 250 ns"; the end of a pulse adds
// its width, e.g. "... + 250 ns + 100 ns (width)".
QString describeEdge(const TimingDiagram &diagram, const TimingRow &row, const TimingEdge &edge);

// The text behind a red mark, e.g. "Pulse runs 250 ns past the next T0".
QString describeOverrun(Picoseconds overrun);

// The mark on a row whose timer has no place in time: "sync loop" or "no sync source".
QString describeFault(ChainFault fault);

} // namespace model
