#pragma once

#include "model/TimeAxis.h"
#include "model/TimingDiagram.h"

#include <QRect>
#include <QSize>

class QPainter;

namespace ui {

// Where the parts of the timing diagram go in a picture of a given size: a column of row
// names on the left, the rows one under the other, the time axis below them.
class TimingDiagramLayout {
public:
    TimingDiagramLayout(QSize size, int rowCount);

    QSize size() const { return m_size; }
    int rowCount() const { return m_rowCount; }
    QRect plot() const;            // the waveforms of all rows
    QRect row(int index) const;    // one row's waveform
    QRect label(int index) const;  // one row's name
    QRect axis() const;            // the tick labels, under the plot
    int rowAt(QPoint point) const; // -1 outside the rows (labels included)
    int highY(int index) const;
    int lowY(int index) const;

    // The pixel column of a time. Times outside the view are held a few pixels beyond the
    // plot's ends, outside the waveforms' clip, so painting never meets coordinates beyond
    // what it can take.
    int pixelX(model::Picoseconds t, const model::TimeView &view) const;

private:
    QSize m_size;
    int m_rowCount;
    int m_rowHeight;
};

// Paints the whole diagram: names, red marks, waveforms, hatching, grid and axis. The same
// painting serves the window, the saved PNG and the saved SVG.
void paintTimingDiagram(QPainter &painter, const TimingDiagramLayout &layout,
                        const model::TimingDiagram &diagram, const model::TimeView &view);

} // namespace ui
