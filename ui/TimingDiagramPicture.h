#pragma once

#include "model/TimeAxis.h"
#include "model/TimingDiagram.h"

#include <QSize>
#include <QString>

namespace ui {

// A file name ending in ".svg" (any letter case) gets a drawing, any other a PNG picture.
bool isSvgPath(const QString &path);

// Writes the diagram as it is painted in a window of this size: PNG or SVG by the name.
// False when the file could not be written.
bool saveTimingPicture(const QString &path, QSize size, const model::TimingDiagram &diagram,
                       const model::TimeView &view);

} // namespace ui
