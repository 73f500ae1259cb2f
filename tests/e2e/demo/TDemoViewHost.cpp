#include "TDemoViewHost.h"

#include "gui/TApplication.h"
#include "gui/TCustomForm.h"

namespace {

gboolean PaintBlue(GtkWidget*, cairo_t* cr, gpointer) {
    cairo_set_source_rgb(cr, 0, 0, 1);
    cairo_paint(cr);
    return TRUE;
}

} // namespace

const TClassInfo& TDemoViewHost::StaticClass() {
    static const TClassInfo info =
        TClassBuilder<TDemoViewHost>("TDemoViewHost", &TWinControl::StaticClass()).Build();
    return info;
}

TDemoViewHost::TDemoViewHost(TComponent* owner) : TWinControl(owner) {
    FView = GTK_WIDGET(g_object_ref_sink(gtk_drawing_area_new()));
    g_signal_connect(FView, "draw", G_CALLBACK(PaintBlue), nullptr);
    gtk_widget_show(FView);
}

TDemoViewHost::~TDemoViewHost() {
    if (FAttached && Application) Application->Host().DetachNativeView(FView);
    g_object_unref(FView);
}

void TDemoViewHost::PlacementChanged() {
    TWinControl::PlacementChanged();
    TCustomForm* form = ParentForm();
    if (!form || IsDestroying()) return;
    THost& host = Application->Host();
    if (!FAttached) {
        host.AttachNativeView(form->HostWindow(), FView);
        FAttached = true;
    }
    host.PlaceNativeView(FView, WindowRectInForm(), Showing());
}
