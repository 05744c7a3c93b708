#include "ui/KeyState.h"

#if defined(Q_OS_WIN) || defined(_WIN32)
#include <windows.h>
#else
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <cstdlib>
#endif

namespace ui {

#if defined(Q_OS_WIN) || defined(_WIN32)

HeldKeys ReadHeldKeys()
{
    HeldKeys keys;
    keys.space = (GetAsyncKeyState(VK_SPACE) & 0x8000) != 0;
    keys.leftShift = (GetAsyncKeyState(VK_LSHIFT) & 0x8000) != 0;
    return keys;
}

#else

namespace {
bool isDown(Display *display, const char keymap[32], KeySym sym)
{
    const KeyCode code = XKeysymToKeycode(display, sym);
    return code != 0 && (keymap[code / 8] & (1 << (code % 8))) != 0;
}
} // namespace

HeldKeys ReadHeldKeys()
{
    HeldKeys keys;
    // A connection of our own: the toolkit may be on another platform plugin (offscreen,
    // wayland), and the keymap query must not depend on it.
    const char *name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return keys;
    Display *display = XOpenDisplay(name);
    if (display == nullptr)
        return keys;
    char keymap[32] = {};
    XQueryKeymap(display, keymap);
    keys.space = isDown(display, keymap, XK_space);
    keys.leftShift = isDown(display, keymap, XK_Shift_L);
    XCloseDisplay(display);
    return keys;
}

#endif

} // namespace ui
