#pragma once

namespace ui {

// Keys the user may hold while the program starts: Space asks for the port by hand, the left
// Shift key starts without an instrument. Where the platform cannot tell (no X server, a
// Wayland-only session), nothing counts as held.
struct HeldKeys {
    bool space = false;
    bool leftShift = false;
};

HeldKeys ReadHeldKeys();

} // namespace ui
