#include "gui/host/gtk/TGlobalKey.h"

#include "gui/Messages.h"
#include "gui/host/gtk/TGtkKeyMap.h"

#include <gdk/gdkx.h>

namespace {

constexpr unsigned kKeypadFirst = 0xff80;
constexpr unsigned kKeypadLast = 0xffbd;

// The keysym the function-key block gives this virtual key, keypad keys
// last so that Del is the editing block's and not the keypad's.
unsigned BlockKeySym(int virtualKey) {
    for (unsigned sym = 0xff00; sym <= 0xffff; ++sym)
        if ((sym < kKeypadFirst || sym > kKeypadLast) && TGtkKeyMap::VirtualKey(sym) == virtualKey)
            return sym;
    for (unsigned sym = kKeypadFirst; sym <= kKeypadLast; ++sym)
        if (TGtkKeyMap::VirtualKey(sym) == virtualKey) return sym;
    return 0;
}

// The modifier bit the keyboard gives the key of that keysym (0: none).
unsigned ModifierMaskOf(Display* display, unsigned sym) {
    const KeyCode code = XKeysymToKeycode(display, sym);
    if (code == 0) return 0;
    unsigned mask = 0;
    XModifierKeymap* map = XGetModifierMapping(display);
    if (!map) return 0;
    for (int mod = 0; mod < 8 && mask == 0; ++mod)
        for (int k = 0; k < map->max_keypermod; ++k)
            if (map->modifiermap[mod * map->max_keypermod + k] == code) {
                mask = 1u << mod;
                break;
            }
    XFreeModifiermap(map);
    return mask;
}

} // namespace

TGlobalKey::~TGlobalKey() {
    Release();
    if (FFilterInstalled) gdk_window_remove_filter(nullptr, Filter, this);
}

unsigned TGlobalKey::KeySymOf(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return XK_a + static_cast<unsigned>(virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return XK_0 + static_cast<unsigned>(virtualKey - '0');
    if (virtualKey >= VK_F1 && virtualKey < VK_F1 + 24)
        return XK_F1 + static_cast<unsigned>(virtualKey - VK_F1);
    if (virtualKey == VK_SPACE) return XK_space;
    return virtualKey > 0 ? BlockKeySym(virtualKey) : 0;
}

TGlobalKeyGrab TGlobalKey::Grab(int virtualKey, TShiftState shift, std::function<void()> pressed) {
    Release();
    GdkDisplay* display = gdk_display_get_default();
    if (!display || !GDK_IS_X11_DISPLAY(display)) return TGlobalKeyGrab::Unsupported;
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    const unsigned sym = KeySymOf(virtualKey);
    const KeyCode code = sym ? XKeysymToKeycode(x, sym) : 0;
    if (code == 0) return TGlobalKeyGrab::NoSuchKey;
    unsigned alt = ModifierMaskOf(x, XK_Alt_L);
    FDisplay = display;
    FKeyCode = code;
    FModifiers = ((shift & ssShift) ? ShiftMask : 0) | ((shift & ssCtrl) ? ControlMask : 0) |
                 ((shift & ssAlt) ? (alt ? alt : Mod1Mask) : 0);
    FLockMasks[0] = LockMask;
    FLockMasks[1] = ModifierMaskOf(x, XK_Num_Lock);
    FLockMasks[2] = ModifierMaskOf(x, XK_Scroll_Lock);
    if (const int error = Apply(true); error != 0) {
        Apply(false);
        FKeyCode = 0;
        return error == BadAccess ? TGlobalKeyGrab::Taken : TGlobalKeyGrab::Unsupported;
    }
    FPressed = std::move(pressed);
    FDown = false;
    if (!FFilterInstalled) gdk_window_add_filter(nullptr, Filter, this);
    FFilterInstalled = true;
    // XWayland sees the keyboard only while one of its own windows has it.
    const char* wayland = g_getenv("WAYLAND_DISPLAY");
    return wayland && *wayland ? TGlobalKeyGrab::OnlyXWindows : TGlobalKeyGrab::Grabbed;
}

void TGlobalKey::Release() {
    if (FKeyCode != 0 && FDisplay) Apply(false);
    FKeyCode = 0;
    FPressed = nullptr;
}

int TGlobalKey::Apply(bool grab) {
    Display* x = GDK_DISPLAY_XDISPLAY(FDisplay);
    const Window root = DefaultRootWindow(x);
    gdk_x11_display_error_trap_push(FDisplay);
    for (unsigned combo = 0; combo < 8; ++combo) {
        unsigned extra = 0;
        bool present = true;
        for (unsigned i = 0; i < 3; ++i)
            if (combo & (1u << i)) {
                present = present && FLockMasks[i] != 0;
                extra |= FLockMasks[i];
            }
        if (!present) continue;
        if (grab)
            XGrabKey(x, static_cast<int>(FKeyCode), FModifiers | extra, root, False, GrabModeAsync,
                     GrabModeAsync);
        else
            XUngrabKey(x, static_cast<int>(FKeyCode), FModifiers | extra, root);
    }
    XSync(x, False);
    return gdk_x11_display_error_trap_pop(FDisplay);
}

GdkFilterReturn TGlobalKey::Filter(GdkXEvent* xevent, GdkEvent*, gpointer self) {
    return static_cast<TGlobalKey*>(self)->Handle(xevent);
}

// The grab reports the chord on the root window. A held key repeats as
// presses alone, or as a release and a press at the same moment; neither
// is a new press.
GdkFilterReturn TGlobalKey::Handle(void* xevent) {
    const XEvent* e = static_cast<const XEvent*>(xevent);
    if (FKeyCode == 0 || (e->type != KeyPress && e->type != KeyRelease)) return GDK_FILTER_CONTINUE;
    if (e->xkey.keycode != FKeyCode || e->xkey.window != DefaultRootWindow(e->xkey.display))
        return GDK_FILTER_CONTINUE;
    // The modifiers may go up before the key: its release ends the press
    // whatever is still held.
    if (e->type == KeyRelease) {
        FDown = false;
        FReleaseTime = e->xkey.time;
        return GDK_FILTER_REMOVE;
    }
    const unsigned locks = FLockMasks[0] | FLockMasks[1] | FLockMasks[2];
    const unsigned modifiers =
        ShiftMask | ControlMask | Mod1Mask | Mod2Mask | Mod3Mask | Mod4Mask | Mod5Mask;
    if ((e->xkey.state & modifiers & ~locks) != FModifiers) return GDK_FILTER_CONTINUE;
    if (FDown || e->xkey.time == FReleaseTime) return GDK_FILTER_REMOVE;
    FDown = true;
    try {
        if (FPressed) FPressed();
    } catch (...) {
        // Nothing may unwind into GDK; the handler reports its own failures.
    }
    return GDK_FILTER_REMOVE;
}
