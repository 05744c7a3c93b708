#include "tests/support/XvfbServer.h"
#include "ui/KeyState.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <string>

namespace {

class ScopedDisplayEnv {
public:
    explicit ScopedDisplayEnv(const char *value)
    {
        if (const char *old = std::getenv("DISPLAY"))
            m_old = old, m_had = true;
        if (value)
            setenv("DISPLAY", value, 1);
        else
            unsetenv("DISPLAY");
    }
    ~ScopedDisplayEnv()
    {
        if (m_had)
            setenv("DISPLAY", m_old.c_str(), 1);
        else
            unsetenv("DISPLAY");
    }

private:
    std::string m_old;
    bool m_had = false;
};

void press(Display *d, KeySym sym, bool down)
{
    XTestFakeKeyEvent(d, XKeysymToKeycode(d, sym), down ? True : False, CurrentTime);
    XSync(d, False);
}

} // namespace

TEST(KeyState, NothingCountsAsHeldWithoutAnXServer)
{
    ScopedDisplayEnv env(nullptr);
    const ui::HeldKeys keys = ui::ReadHeldKeys();
    EXPECT_FALSE(keys.space);
    EXPECT_FALSE(keys.leftShift);

    ScopedDisplayEnv bogus(":999");
    const ui::HeldKeys none = ui::ReadHeldKeys();
    EXPECT_FALSE(none.space);
    EXPECT_FALSE(none.leftShift);
}

TEST(KeyState, ReadsSpaceAndLeftShiftFromTheXServer)
{
    testsupport::XvfbServer server;
    if (!server.running())
        GTEST_SKIP() << "Xvfb is not available";
    const QByteArray name = server.display().toLatin1();
    ScopedDisplayEnv env(name.constData());
    Display *d = XOpenDisplay(name.constData());
    ASSERT_NE(d, nullptr);

    struct Case {
        KeySym sym;
        bool space;
        bool leftShift;
    };
    const Case cases[] = {
        {XK_space, true, false},
        {XK_Shift_L, false, true},
        {XK_Shift_R, false, false}, // only the left Shift key asks for demo mode
    };
    for (const Case &c : cases) {
        press(d, c.sym, true);
        const ui::HeldKeys held = ui::ReadHeldKeys();
        press(d, c.sym, false);
        EXPECT_EQ(held.space, c.space) << XKeysymToString(c.sym);
        EXPECT_EQ(held.leftShift, c.leftShift) << XKeysymToString(c.sym);
    }
    const ui::HeldKeys released = ui::ReadHeldKeys();
    EXPECT_FALSE(released.space);
    EXPECT_FALSE(released.leftShift);
    XCloseDisplay(d);
}
