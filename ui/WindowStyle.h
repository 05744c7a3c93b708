#pragma once

#include <QPoint>
#include <QRect>

// The windows' style facts in one place: the character heights of their texts, the regions of
// the main window, and where a small group places the one control it holds.
namespace ui {

// Character heights of the texts, in pixels (all Tahoma).
inline constexpr int kWindowFontPx = 11;       // window default: lists, boxes, labels, terminal
inline constexpr int kPageGroupFontPx = 13;    // group captions on the pages
inline constexpr int kSpinFontPx = 15;         // the text inside every spin edit
inline constexpr int kTabFontPx = 16;          // both page controls' tab buttons
inline constexpr int kChannelGroupFontPx = 16; // the "Channels" caption
inline constexpr int kRunStopFontPx = 21;
inline constexpr int kErrorLabelFontPx = 27;
inline constexpr int kMessageFontPx = 29; // the busy window's text

// The main window's regions, top to bottom, across the whole client width. The system area
// covers the banner's lowest two pixels; from there on each region starts where the one above
// it ends.
struct Band {
    int top;
    int height;
    constexpr int bottom() const { return top + height; }
};
inline constexpr Band kTopBand{0, 72};
inline constexpr Band kSystemArea{70, 247};
inline constexpr Band kChannelArea{kSystemArea.bottom(), 269};
inline constexpr Band kBottomBand{kChannelArea.bottom(), 124};

// Every spin edit keeps its designed height; the single border takes one pixel more.
inline constexpr int kSpinHeight = 24;
inline constexpr int kBorderedSpinHeight = 25;

// A small captioned group holds its control below the caption, this far from its corner; a
// list in it spans the group's width less the same margin on either side.
inline constexpr QPoint kInGroup{8, 20};
inline constexpr int kListHeight = 22;

constexpr QRect listIn(int groupWidth)
{
    return {kInGroup.x(), kInGroup.y(), groupWidth - 2 * kInGroup.x(), kListHeight};
}

} // namespace ui
