#pragma once

#include <QFont>
#include <QString>

namespace ui {

// The window's face. Tahoma where the system has it; otherwise the Tahoma-compatible face that
// Wine ships is registered for this process; failing both, the toolkit's nearest match.
// A registered face is dropped when the application object is destroyed, which must then
// happen in main(): an application destroyed among the exit handlers (a function-local
// static) reaches Qt's font cache after it is gone and crashes. Tests keep theirs alive.
QString TahomaFamily();

// Tahoma at a character height in pixels, as the window's design gives its font sizes.
QFont TahomaFont(int pixelHeight);

} // namespace ui
