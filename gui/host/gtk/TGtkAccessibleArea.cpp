#include "gui/host/gtk/TGtkAccessibleArea.h"

#include <gtk/gtk-a11y.h>

#include "platform/glib/TCallbackGuard.h"
#include "gui/host/gtk/TGtkAccessibleMirror.h"

namespace {

constexpr const char* kClientKey = "xf-host-client";

struct XfSkinArea {
    GtkDrawingArea Parent;
};
struct XfSkinAreaClass {
    GtkDrawingAreaClass ParentClass;
};

struct XfSkinAreaAccessible {
    GtkWidgetAccessible Parent;
    TGtkAccessibleMirror* Mirror;
};
struct XfSkinAreaAccessibleClass {
    GtkWidgetAccessibleClass ParentClass;
};

} // namespace

G_DEFINE_TYPE(XfSkinAreaAccessible, xf_skin_area_accessible, GTK_TYPE_WIDGET_ACCESSIBLE)
G_DEFINE_TYPE(XfSkinArea, xf_skin_area, GTK_TYPE_DRAWING_AREA)

namespace {

TGtkAccessibleMirror* MirrorOf(AtkObject* object) {
    return reinterpret_cast<XfSkinAreaAccessible*>(object)->Mirror;
}

void AreaInitialize(AtkObject* object, gpointer data) {
    ATK_OBJECT_CLASS(xf_skin_area_accessible_parent_class)->initialize(object, data);
    atk_object_set_role(object, ATK_ROLE_PANEL);
    reinterpret_cast<XfSkinAreaAccessible*>(object)->Mirror = new TGtkAccessibleMirror(object);
}

void AreaFinalize(GObject* object) {
    auto* self = reinterpret_cast<XfSkinAreaAccessible*>(object);
    delete self->Mirror;
    self->Mirror = nullptr;
    G_OBJECT_CLASS(xf_skin_area_accessible_parent_class)->finalize(object);
}

void AreaWidgetUnset(GtkAccessible* accessible) {
    if (TGtkAccessibleMirror* mirror = MirrorOf(ATK_OBJECT(accessible))) mirror->Clear();
    GTK_ACCESSIBLE_CLASS(xf_skin_area_accessible_parent_class)->widget_unset(accessible);
}

gint AreaChildCount(AtkObject* object) {
    int count = 0;
    platform::TCallbackGuard::Run([&] {
        if (TGtkAccessibleMirror* mirror = MirrorOf(object)) count = mirror->ChildCount(nullptr, 0);
    });
    return count;
}

AtkObject* AreaRefChild(AtkObject* object, gint index) {
    AtkObject* child = nullptr;
    platform::TCallbackGuard::Run([&] {
        if (TGtkAccessibleMirror* mirror = MirrorOf(object))
            child = mirror->RefChild(nullptr, 0, index);
    });
    return child;
}

} // namespace

static void xf_skin_area_accessible_init(XfSkinAreaAccessible* self) {
    self->Mirror = nullptr;
}

static void xf_skin_area_accessible_class_init(XfSkinAreaAccessibleClass* cls) {
    auto* atkClass = ATK_OBJECT_CLASS(cls);
    atkClass->initialize = AreaInitialize;
    atkClass->get_n_children = AreaChildCount;
    atkClass->ref_child = AreaRefChild;
    GTK_ACCESSIBLE_CLASS(cls)->widget_unset = AreaWidgetUnset;
    G_OBJECT_CLASS(cls)->finalize = AreaFinalize;
}

static void xf_skin_area_init(XfSkinArea*) {}

static void xf_skin_area_class_init(XfSkinAreaClass* cls) {
    gtk_widget_class_set_accessible_type(GTK_WIDGET_CLASS(cls), xf_skin_area_accessible_get_type());
}

GtkWidget* TGtkAccessibleArea::New(IHostWindowClient* client) {
    GtkWidget* area = GTK_WIDGET(g_object_new(xf_skin_area_get_type(), nullptr));
    g_object_set_data(G_OBJECT(area), kClientKey, client);
    return area;
}

void TGtkAccessibleArea::Detach(GtkWidget* area) {
    g_object_set_data(G_OBJECT(area), kClientKey, nullptr);
}

void TGtkAccessibleArea::Changed(GtkWidget* area) {
    if (TGtkAccessibleMirror* mirror = TGtkAccessibleMirror::Of(area)) mirror->ScheduleRefresh();
}

IHostWindowClient* TGtkAccessibleArea::Client(GtkWidget* area) {
    if (!area || !G_TYPE_CHECK_INSTANCE_TYPE(area, xf_skin_area_get_type())) return nullptr;
    return static_cast<IHostWindowClient*>(g_object_get_data(G_OBJECT(area), kClientKey));
}
