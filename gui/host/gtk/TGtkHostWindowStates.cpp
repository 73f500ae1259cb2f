// Minimised and maximised windows: asked of the window manager, so that a
// minimised window stays in the task list and a maximised one is known as
// such to the desktop.
#include "gui/host/gtk/TGtkHost.h"
#include "gui/host/gtk/TGtkWindow.h"

bool TGtkHost::MinimizeWindow(THostWindow window) {
    TGtkWindow* w = WindowOrNull(window);
    return w && w->Minimize();
}

void TGtkHost::RestoreWindow(THostWindow window) {
    if (TGtkWindow* w = WindowOrNull(window)) w->Restore();
}

void TGtkHost::SetWindowMaximized(THostWindow window, bool maximized, const TRect& area) {
    if (TGtkWindow* w = WindowOrNull(window)) w->SetMaximized(maximized, area);
}
