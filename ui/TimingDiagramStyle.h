#pragma once

#include <QColor>

// How the timing diagram looks: sizes in pixels and colours, in one place for the window, the
// saved pictures and the tests that look at pixels.
namespace ui::diagramstyle {

inline constexpr int kLabelWidth = 96;  // the row names, left of the time axis
inline constexpr int kRightMargin = 16; // keeps an edge at the end of the axis in sight
inline constexpr int kTopMargin = 6;
inline constexpr int kAxisHeight = 30; // tick labels under the rows
inline constexpr int kMinRowHeight = 30;
inline constexpr int kLevelInset = 8; // from a row's top to its high level, and bottom to low
inline constexpr int kWavePen = 2;
inline constexpr int kOffViewPx = 4; // where edges outside the view are held, beyond the plot
inline constexpr int kT0PulsePx = 3; // T0 pulses are instants: drawn this wide
inline constexpr int kTickLength = 5;
inline constexpr int kMinTickSpacing = 90; // pixels between labelled ticks, at least
inline constexpr int kTickLabelGap = 12;   // between neighbouring tick labels, at least
inline constexpr int kEdgeHitPx = 4;       // how near the pointer must come to an edge
inline constexpr int kFontPx = 12;

inline const QColor background(255, 255, 255);
inline const QColor labelBackground(240, 240, 240);
inline const QColor text(0, 0, 0);
inline const QColor grid(225, 225, 225);
inline const QColor periodLine(150, 150, 190);
inline const QColor wave(0, 80, 160);
inline const QColor t0Wave(40, 40, 40);
inline const QColor disabled(165, 165, 165);
inline const QColor warning(210, 30, 30);
inline const QColor warningText(255, 255, 255);
inline const QColor hatch(140, 140, 140);

} // namespace ui::diagramstyle
