#pragma once
// What the screen's window manager (if any) offers. Kept apart from the
// windows' code: the X11 headers' macros clash with the framework's names.
#include <gtk/gtk.h>

class TWindowManager {
public:
    // A window manager runs on the screen (one that announced itself).
    static bool Running(GdkScreen* screen);
    // It understands the named extended hint (e.g. "_NET_WM_STATE_MAXIMIZED_VERT").
    static bool Supports(GdkScreen* screen, const char* hint);
};
