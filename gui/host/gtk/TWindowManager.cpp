#include "gui/host/gtk/TWindowManager.h"

#include <gdk/gdkx.h>

bool TWindowManager::Running(GdkScreen* screen) {
    return screen && GDK_IS_X11_SCREEN(screen) &&
           g_strcmp0(gdk_x11_screen_get_window_manager_name(screen), "unknown") != 0;
}

bool TWindowManager::Supports(GdkScreen* screen, const char* hint) {
    return Running(screen) &&
           gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern(hint, FALSE)) != FALSE;
}
