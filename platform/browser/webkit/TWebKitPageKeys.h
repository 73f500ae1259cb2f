#pragma once
// The browser's own keys on a page: what a key asks of the view. The view
// acts on them only when the page left them unused, so a game that handles
// F5 or Backspace itself keeps them; Alt+Left and Alt+Right (Back, Forward)
// are the browser's before the page's.
#include <gdk/gdk.h>

namespace platform {

enum class TPageKeyAction {
    None,
    Refresh,
    RefreshBypassCache,
    Stop,
    Back,
    Forward,
    // Backspace: only outside an editable field.
    BackUnlessEditing,
    ForwardUnlessEditing,
    NewWindow,
    Print,
    Open,
    SelectAll,
};

class TWebKitPageKeys {
public:
    // `state` is the event's modifier state; lock keys do not count.
    static TPageKeyAction Action(guint keyval, GdkModifierType state);
};

} // namespace platform
