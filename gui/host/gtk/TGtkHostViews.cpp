// Native views and the keyboard, and the whole screen for one view:
// stacking views, the monitor's area and the window manager's fullscreen
// state.
#include "gui/host/gtk/TGtkHost.h"
#include "gui/host/gtk/TGtkWindow.h"

void TGtkHost::FocusWindowArea(THostWindow window) {
    if (TGtkWindow* w = WindowOrNull(window)) w->FocusArea();
}

void TGtkHost::RaiseNativeView(void* view) {
    auto it = FViews.find(static_cast<GtkWidget*>(view));
    if (it == FViews.end()) return;
    GtkWidget* parent = gtk_widget_get_parent(it->first);
    if (GTK_IS_OVERLAY(parent)) gtk_overlay_reorder_overlay(GTK_OVERLAY(parent), it->first, -1);
}

TRect TGtkHost::ScreenArea() const {
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return {};
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor) return WorkArea();
    GdkRectangle area{};
    gdk_monitor_get_geometry(monitor, &area);
    return TRect::FromSize(area.x, area.y, area.width, area.height);
}

void TGtkHost::SetWindowFullScreen(THostWindow window, bool fullScreen) {
    GtkWindow* w = GtkWindowOf(window);
    if (!w) return;
    if (fullScreen)
        gtk_window_fullscreen(w);
    else
        gtk_window_unfullscreen(w);
}
