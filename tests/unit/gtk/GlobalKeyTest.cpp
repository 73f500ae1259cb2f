// The desktop-wide chord on the runner's X display: real key events from
// another client (xdotool), a chord another connection holds, and the keys
// the virtual keys stand for.
#include "GtkTestSupport.h"

#include <cstdlib>

#include "gui/Messages.h"
#include "gui/host/gtk/TGlobalKey.h"

#include <gdk/gdkx.h>

namespace {

int gErrors = 0;
int RecordError(Display*, XErrorEvent*) {
    ++gErrors;
    return 0;
}

// A grab of Ctrl+Alt+Z on the root window by another connection, as
// another program would hold it; whether the server allowed it.
class TOtherClient {
public:
    TOtherClient() : FDisplay(XOpenDisplay(nullptr)) {}
    ~TOtherClient() {
        if (FDisplay) XCloseDisplay(FDisplay);
    }
    bool GrabCtrlAltZ() {
        gErrors = 0;
        XErrorHandler old = XSetErrorHandler(RecordError);
        XGrabKey(FDisplay, XKeysymToKeycode(FDisplay, XK_z), ControlMask | Mod1Mask,
                 DefaultRootWindow(FDisplay), False, GrabModeAsync, GrabModeAsync);
        XSync(FDisplay, False);
        XSetErrorHandler(old);
        return gErrors == 0;
    }
    void Ungrab() {
        XUngrabKey(FDisplay, XKeysymToKeycode(FDisplay, XK_z), ControlMask | Mod1Mask,
                   DefaultRootWindow(FDisplay));
        XSync(FDisplay, False);
    }
    bool Open() const { return FDisplay != nullptr; }

private:
    Display* FDisplay;
};

class GlobalKeyTest : public GtkTest {
protected:
    void SetUp() override {
        GtkTest::SetUp();
        unsetenv("WAYLAND_DISPLAY");
    }
    void TearDown() override {
        FHost.ReleaseGlobalKey();
        GtkTest::TearDown();
    }
    bool Xdotool(const std::string& keys) {
        return std::system(("xdotool key " + keys).c_str()) == 0;
    }
};

} // namespace

TEST(GlobalKeySyms, VirtualKeysNameTheMainBlocksKeysBeforeTheKeypads) {
    EXPECT_EQ(TGlobalKey::KeySymOf('Z'), unsigned{XK_z});
    EXPECT_EQ(TGlobalKey::KeySymOf('5'), unsigned{XK_5});
    EXPECT_EQ(TGlobalKey::KeySymOf(VK_F1 + 11), unsigned{XK_F12});
    EXPECT_EQ(TGlobalKey::KeySymOf(VK_SPACE), unsigned{XK_space});
    EXPECT_EQ(TGlobalKey::KeySymOf(VK_DELETE), unsigned{XK_Delete});
    EXPECT_EQ(TGlobalKey::KeySymOf(VK_HOME), unsigned{XK_Home});
    EXPECT_EQ(TGlobalKey::KeySymOf(0x60), unsigned{XK_KP_0}) << "Num 0 is the keypad's";
    EXPECT_EQ(TGlobalKey::KeySymOf(0), 0u);
    EXPECT_EQ(TGlobalKey::KeySymOf(0xFF), 0u);
}

TEST_F(GlobalKeyTest, TheChordArrivesOncePerPressWhateverTheLockKeys) {
    int presses = 0;
    ASSERT_EQ(FHost.GrabGlobalKey('Z', ssCtrl | ssAlt, [&] { ++presses; }),
              TGlobalKeyGrab::Grabbed);
    ASSERT_TRUE(Xdotool("ctrl+alt+z"));
    EXPECT_TRUE(WaitFor([&] { return presses == 1; }));
    ASSERT_TRUE(Xdotool("Num_Lock ctrl+alt+z Num_Lock Caps_Lock ctrl+alt+z Caps_Lock"));
    EXPECT_TRUE(WaitFor([&] { return presses == 3; })) << presses;
    // Other modifiers make another chord.
    ASSERT_TRUE(Xdotool("ctrl+z shift+ctrl+alt+z"));
    Settle(200);
    EXPECT_EQ(presses, 3);
    // A new chord replaces the old one.
    ASSERT_EQ(FHost.GrabGlobalKey(VK_F1 + 8, ssAlt, [&] { presses += 10; }),
              TGlobalKeyGrab::Grabbed);
    ASSERT_TRUE(Xdotool("ctrl+alt+z alt+F9"));
    EXPECT_TRUE(WaitFor([&] { return presses == 13; })) << presses;
}

TEST_F(GlobalKeyTest, AChordAnotherProgramHoldsIsReportedTakenAndTheGrabIsGivenBack) {
    TOtherClient other;
    ASSERT_TRUE(other.Open());
    ASSERT_TRUE(other.GrabCtrlAltZ());
    EXPECT_EQ(FHost.GrabGlobalKey('Z', ssCtrl | ssAlt, [] {}), TGlobalKeyGrab::Taken);
    other.Ungrab();
    EXPECT_EQ(FHost.GrabGlobalKey('Z', ssCtrl | ssAlt, [] {}), TGlobalKeyGrab::Grabbed);
    EXPECT_FALSE(other.GrabCtrlAltZ()) << "held by us now";
    FHost.ReleaseGlobalKey();
    EXPECT_TRUE(other.GrabCtrlAltZ()) << "released for the other program";
    other.Ungrab();
}
