#include "platform/browser/webkit/TWebKitPageKeys.h"

namespace platform {

namespace {

TPageKeyAction ControlKey(guint keyval) {
    switch (gdk_keyval_to_lower(keyval)) {
    case GDK_KEY_n:
        return TPageKeyAction::NewWindow;
    case GDK_KEY_p:
        return TPageKeyAction::Print;
    case GDK_KEY_o:
        return TPageKeyAction::Open;
    case GDK_KEY_a:
        return TPageKeyAction::SelectAll;
    case GDK_KEY_F5:
        return TPageKeyAction::RefreshBypassCache;
    default:
        return TPageKeyAction::None;
    }
}

TPageKeyAction PlainKey(guint keyval) {
    switch (keyval) {
    case GDK_KEY_F5:
        return TPageKeyAction::Refresh;
    case GDK_KEY_Escape:
        return TPageKeyAction::Stop;
    case GDK_KEY_BackSpace:
        return TPageKeyAction::BackUnlessEditing;
    default:
        return TPageKeyAction::None;
    }
}

TPageKeyAction AltKey(guint keyval) {
    switch (keyval) {
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
        return TPageKeyAction::Back;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
        return TPageKeyAction::Forward;
    default:
        return TPageKeyAction::None;
    }
}

} // namespace

TPageKeyAction TWebKitPageKeys::Action(guint keyval, GdkModifierType state) {
    guint mods = state & (GDK_CONTROL_MASK | GDK_MOD1_MASK | GDK_SHIFT_MASK);
    if (mods == 0) return PlainKey(keyval);
    if (mods == GDK_CONTROL_MASK) return ControlKey(keyval);
    if (mods == GDK_MOD1_MASK) return AltKey(keyval);
    if (mods == GDK_SHIFT_MASK && keyval == GDK_KEY_BackSpace)
        return TPageKeyAction::ForwardUnlessEditing;
    return TPageKeyAction::None;
}

} // namespace platform
