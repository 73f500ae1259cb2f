#pragma once
// The drawing area a form's window shows its back buffer in. To the
// accessibility bus it is a panel whose children are the form's skinned
// controls (TGtkAccessibleMirror), not one blank picture.
#include <gtk/gtk.h>

class IHostWindowClient;

class TGtkAccessibleArea {
public:
    TGtkAccessibleArea() = delete;
    static GtkWidget* New(IHostWindowClient* client);
    // The client goes before the widget: the area then has no children.
    static void Detach(GtkWidget* area);
    // The form painted: a reader that asked before hears of what changed.
    static void Changed(GtkWidget* area);
    // nullptr once detached (or for another widget).
    static IHostWindowClient* Client(GtkWidget* area);
};
