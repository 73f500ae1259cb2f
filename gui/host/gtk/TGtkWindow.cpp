#include "gui/host/gtk/TGtkWindow.h"

#include <cmath>

#include "gui/TApplication.h"
#include "gui/graphics/TBitmap.h"
#include "platform/glib/TCallbackGuard.h"
#include "gui/host/gtk/TDrawPlan.h"
#include "gui/host/gtk/TGtkAccessibleArea.h"
#include "gui/host/gtk/TGtkHost.h"
#include "platform/glib/CairoPtr.h"
#include "gui/host/gtk/TWindowManager.h"

namespace {

constexpr int eventMask = GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                          GDK_BUTTON_RELEASE_MASK | GDK_SCROLL_MASK | GDK_ENTER_NOTIFY_MASK |
                          GDK_LEAVE_NOTIFY_MASK | GDK_FOCUS_CHANGE_MASK | GDK_KEY_PRESS_MASK |
                          GDK_KEY_RELEASE_MASK;
constexpr int wheelDelta = 120; // WHEEL_DELTA

TClickTracker MakeClickTracker() {
    gint time = 400;
    gint distance = 5;
    if (GtkSettings* settings = gtk_settings_get_default())
        g_object_get(settings, "gtk-double-click-time", &time, "gtk-double-click-distance",
                     &distance, nullptr);
    return TClickTracker(static_cast<uint32_t>(std::max(time, 0)), distance);
}

WPARAM MouseKeys(guint state) {
    WPARAM keys = 0;
    if (state & GDK_BUTTON1_MASK) keys |= MK_LBUTTON;
    if (state & GDK_BUTTON2_MASK) keys |= MK_MBUTTON;
    if (state & GDK_BUTTON3_MASK) keys |= MK_RBUTTON;
    if (state & GDK_SHIFT_MASK) keys |= MK_SHIFT;
    if (state & GDK_CONTROL_MASK) keys |= MK_CONTROL;
    return keys;
}

WPARAM ButtonKey(guint button) {
    switch (button) {
    case 1:
        return MK_LBUTTON;
    case 2:
        return MK_MBUTTON;
    case 3:
        return MK_RBUTTON;
    default:
        return 0;
    }
}

// GDK buttons 1-3 are left, middle, right; the rest (back/forward) have
// no message here.
uint32_t ButtonMessage(guint button, bool press, bool dbl) {
    switch (button) {
    case 1:
        return press ? (dbl ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN) : WM_LBUTTONUP;
    case 2:
        return press ? (dbl ? WM_MBUTTONDBLCLK : WM_MBUTTONDOWN) : WM_MBUTTONUP;
    case 3:
        return press ? (dbl ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN) : WM_RBUTTONUP;
    default:
        return 0;
    }
}

bool IsModifierKey(int virtualKey) {
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU;
}

bool EdgeFromHitTest(int hitTest, GdkWindowEdge& edge) {
    switch (hitTest) {
    case HTLEFT:
        edge = GDK_WINDOW_EDGE_WEST;
        return true;
    case HTRIGHT:
        edge = GDK_WINDOW_EDGE_EAST;
        return true;
    case HTTOP:
        edge = GDK_WINDOW_EDGE_NORTH;
        return true;
    case HTTOPLEFT:
        edge = GDK_WINDOW_EDGE_NORTH_WEST;
        return true;
    case HTTOPRIGHT:
        edge = GDK_WINDOW_EDGE_NORTH_EAST;
        return true;
    case HTBOTTOM:
        edge = GDK_WINDOW_EDGE_SOUTH;
        return true;
    case HTBOTTOMLEFT:
        edge = GDK_WINDOW_EDGE_SOUTH_WEST;
        return true;
    case HTBOTTOMRIGHT:
        edge = GDK_WINDOW_EDGE_SOUTH_EAST;
        return true;
    default:
        return false;
    }
}

// Where a shown web view leaves pixels unpainted (a blank page, one not
// painted yet), the window's own background shows, since the drawing area
// does not paint under views: white, like the browser control there.
void PaintBackgroundWhite(GtkWidget* window) {
    static GtkCssProvider* const white = [] {
        GtkCssProvider* provider = gtk_css_provider_new();
        gtk_css_provider_load_from_data(provider, "window { background: #ffffff; }", -1, nullptr);
        return provider;
    }();
    gtk_style_context_add_provider(gtk_widget_get_style_context(window), GTK_STYLE_PROVIDER(white),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

// The move and size loops of the window system only make sense while the
// button that started them is still down; a click that is already over
// (the message came late) starts nothing.
bool PrimaryButtonHeld(GtkWidget* window) {
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(window));
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    if (!gdkWindow || !pointer) return false;
    GdkModifierType mask{};
    gdk_device_get_state(pointer, gdkWindow, nullptr, &mask);
    return (mask & GDK_BUTTON1_MASK) != 0;
}

} // namespace

// C entry points for GTK's signals; each hands over to the window inside
// a guard, so no exception reaches GTK.
struct TGtkWindow::TThunks {
    static gboolean Draw(GtkWidget*, cairo_t* cr, gpointer self) {
        bool done = false;
        platform::TCallbackGuard::Run([&] { done = static_cast<TGtkWindow*>(self)->Draw(cr); });
        return done;
    }
    static void ScaleFactor(GObject*, GParamSpec*, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->ScaleChanged(); });
    }
    static gboolean Configure(GtkWidget*, GdkEventConfigure* event, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->Configure(event); });
        return FALSE;
    }
    static gboolean Delete(GtkWidget*, GdkEvent*, gpointer self) {
        auto* window = static_cast<TGtkWindow*>(self);
        platform::TCallbackGuard::Run([&] {
            if (window->FClient) window->FClient->HostCloseRequest();
        });
        return TRUE; // the form decides whether it closes
    }
    static gboolean Key(GtkWidget*, GdkEventKey* event, gpointer self) {
        bool handled = false;
        platform::TCallbackGuard::Run([&] { handled = static_cast<TGtkWindow*>(self)->Key(event); });
        return handled;
    }
    static gboolean ButtonPress(GtkWidget*, GdkEventButton* event, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->ButtonPress(event); });
        return TRUE;
    }
    static gboolean ButtonRelease(GtkWidget*, GdkEventButton* event, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->ButtonRelease(event); });
        return TRUE;
    }
    static gboolean Motion(GtkWidget*, GdkEventMotion* event, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->Motion(event); });
        return TRUE;
    }
    static gboolean Scroll(GtkWidget*, GdkEventScroll* event, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->Scroll(event); });
        return TRUE;
    }
    static gboolean Leave(GtkWidget*, GdkEventCrossing* event, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->Leave(event); });
        return FALSE;
    }
    static gboolean FocusIn(GtkWidget*, GdkEventFocus*, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->FocusChange(true); });
        return FALSE;
    }
    static gboolean FocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->FocusChange(false); });
        return FALSE;
    }
    static gboolean AreaFocusIn(GtkWidget*, GdkEventFocus*, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->AreaFocusChange(true); });
        return FALSE;
    }
    static gboolean AreaFocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->AreaFocusChange(false); });
        return FALSE;
    }
    static gboolean State(GtkWidget*, GdkEventWindowState* event, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->StateEvent(event); });
        return FALSE;
    }
    static gboolean Map(GtkWidget*, GdkEvent*, gpointer self) {
        platform::TCallbackGuard::Run([&] { static_cast<TGtkWindow*>(self)->MapEvent(); });
        return FALSE;
    }
    static void Realize(GtkWidget* area, gpointer self) {
        // An input method bound to an override-redirect pop-up (the X one
        // GTK picks for Chinese locales) keeps the pop-up from ever being
        // painted. Pop-ups take plain keys; their key target, a control of
        // a top-level window, is where text is typed.
        // The top-level's own X window is the client: bound to the area's
        // window, the X input method makes it a native child that a second
        // top-level (a dialog) never shows the paint of. The area fills the
        // top-level, so caret places mean the same in both.
        auto* window = static_cast<TGtkWindow*>(self);
        if (window->FKind == TWindowKind::Popup) return;
        window->FIme.SetClientWindow(gtk_widget_get_window(gtk_widget_get_toplevel(area)));
    }
    static void Unrealize(GtkWidget*, gpointer self) {
        static_cast<TGtkWindow*>(self)->FIme.SetClientWindow(nullptr);
    }
    static gboolean ChildPosition(GtkOverlay*, GtkWidget* child, GdkRectangle* allocation,
                                  gpointer self) {
        bool placed = false;
        platform::TCallbackGuard::Run(
            [&] { placed = static_cast<TGtkWindow*>(self)->ChildPosition(child, allocation); });
        return placed;
    }
};

TGtkWindow::TGtkWindow(TGtkHost& host, THostWindow id, TWindowKind kind, IHostWindowClient* client)
    : FHost(host), FId(id), FKind(kind), FClient(client), FClicks(MakeClickTracker()) {
    GtkWidget* window =
        gtk_window_new(kind == TWindowKind::Popup ? GTK_WINDOW_POPUP : GTK_WINDOW_TOPLEVEL);
    FWindow = platform::TGObjectPtr<GtkWidget>::RefSink(window);
    // Positions name the top-left of our own area, not of a frame the
    // window manager may add.
    gtk_window_set_gravity(GTK_WINDOW(window), GDK_GRAVITY_STATIC);
    gtk_window_set_resizable(GTK_WINDOW(window), TRUE);
    PaintBackgroundWhite(window);
    FOverlay = gtk_overlay_new();
    FArea = TGtkAccessibleArea::New(client);
    gtk_widget_set_can_focus(FArea, TRUE);
    gtk_widget_add_events(FArea, eventMask);
    gtk_container_add(GTK_CONTAINER(FOverlay), FArea);
    gtk_container_add(GTK_CONTAINER(window), FOverlay);
    gtk_widget_show(FArea);
    gtk_widget_show(FOverlay);
    gtk_window_set_focus(GTK_WINDOW(window), FArea);
    ConnectSignals();
    FIme.OnCommit = [this](const std::u16string& text) {
        if (FClient) FClient->HostText(text);
    };
    FIme.OnPreedit = [this](const std::u16string& text, int cursor) {
        if (FClient) FClient->HostPreedit(text, cursor);
    };
}

TGtkWindow::~TGtkWindow() {
    ReleaseFrames();
    FSignals.clear();
    FIme.OnCommit = nullptr;
    FIme.OnPreedit = nullptr;
    for (auto& [view, rect] : FViews)
        if (gtk_widget_get_parent(view) == FOverlay)
            gtk_container_remove(GTK_CONTAINER(FOverlay), view);
    FViews.clear();
    FIme.SetClientWindow(nullptr);
    TGtkAccessibleArea::Detach(FArea);
    gtk_widget_destroy(FWindow.Get());
}

void TGtkWindow::Connect(gpointer instance, const char* signal, GCallback handler) {
    FSignals.emplace_back(instance, signal, handler, this);
}

void TGtkWindow::ConnectSignals() {
    GtkWidget* window = FWindow.Get();
    Connect(window, "configure-event", G_CALLBACK(TThunks::Configure));
    Connect(window, "delete-event", G_CALLBACK(TThunks::Delete));
    Connect(window, "key-press-event", G_CALLBACK(TThunks::Key));
    Connect(window, "key-release-event", G_CALLBACK(TThunks::Key));
    Connect(window, "focus-in-event", G_CALLBACK(TThunks::FocusIn));
    Connect(window, "focus-out-event", G_CALLBACK(TThunks::FocusOut));
    Connect(window, "map-event", G_CALLBACK(TThunks::Map));
    Connect(window, "window-state-event", G_CALLBACK(TThunks::State));
    Connect(FArea, "draw", G_CALLBACK(TThunks::Draw));
    Connect(FArea, "notify::scale-factor", G_CALLBACK(TThunks::ScaleFactor));
    Connect(FArea, "button-press-event", G_CALLBACK(TThunks::ButtonPress));
    Connect(FArea, "button-release-event", G_CALLBACK(TThunks::ButtonRelease));
    Connect(FArea, "motion-notify-event", G_CALLBACK(TThunks::Motion));
    Connect(FArea, "scroll-event", G_CALLBACK(TThunks::Scroll));
    Connect(FArea, "leave-notify-event", G_CALLBACK(TThunks::Leave));
    Connect(FArea, "focus-in-event", G_CALLBACK(TThunks::AreaFocusIn));
    Connect(FArea, "focus-out-event", G_CALLBACK(TThunks::AreaFocusOut));
    Connect(FArea, "realize", G_CALLBACK(TThunks::Realize));
    Connect(FArea, "unrealize", G_CALLBACK(TThunks::Unrealize));
    Connect(FOverlay, "get-child-position", G_CALLBACK(TThunks::ChildPosition));
}

// --- placement -------------------------------------------------------------

void TGtkWindow::SetBounds(const TRect& bounds) {
    FBounds = bounds;
    FPending.Requested(bounds, g_get_monotonic_time() / 1000);
    gtk_window_move(Window(), bounds.Left, bounds.Top);
    gtk_window_resize(Window(), std::max(bounds.Width(), 1), std::max(bounds.Height(), 1));
}

void TGtkWindow::SetVisible(bool visible) {
    FVisible = visible;
    if (visible)
        gtk_widget_show(FWindow.Get());
    else
        gtk_widget_hide(FWindow.Get());
}

bool TGtkWindow::WindowManaged() const {
    return TWindowManager::Running(gtk_widget_get_screen(FWindow.Get()));
}

bool TGtkWindow::Mapped() const {
    return gtk_widget_get_mapped(FWindow.Get());
}

void TGtkWindow::SetTitle(const std::string& title) {
    gtk_window_set_title(Window(), title.c_str());
}

void TGtkWindow::SetDecorated(bool decorated) {
    gtk_window_set_decorated(Window(), decorated);
}

void TGtkWindow::SetMinSize(int width, int height) {
    FMinWidth = std::max(width, 0);
    FMinHeight = std::max(height, 0);
    ApplyGeometry();
}

void TGtkWindow::ApplyGeometry() {
    GdkGeometry geometry{};
    int hints = 0;
    if (FMinWidth > 0 || FMinHeight > 0) {
        geometry.min_width = FMinWidth;
        geometry.min_height = FMinHeight;
        hints |= GDK_HINT_MIN_SIZE;
    }
    if (!FMaximizedArea.IsEmpty()) {
        geometry.max_width = std::max(FMaximizedArea.Width(), FMinWidth);
        geometry.max_height = std::max(FMaximizedArea.Height(), FMinHeight);
        hints |= GDK_HINT_MAX_SIZE;
    }
    gtk_window_set_geometry_hints(Window(), nullptr, hints ? &geometry : nullptr,
                                  GdkWindowHints(hints));
}

// --- window manager states ---------------------------------------------------

bool TGtkWindow::Minimize() {
    if (FKind != TWindowKind::TopLevel || !WindowManaged()) return false;
    gtk_window_iconify(Window());
    return true;
}

void TGtkWindow::Restore() {
    gtk_window_deiconify(Window());
}

void TGtkWindow::SetMaximized(bool maximized, const TRect& area) {
    if (FKind != TWindowKind::TopLevel) return;
    GdkScreen* screen = gtk_widget_get_screen(FWindow.Get());
    if (!TWindowManager::Supports(screen, "_NET_WM_STATE_MAXIMIZED_VERT")) return;
    // The window manager fills the whole work area; a size limit keeps the
    // window as large as the form wants it, no larger.
    FMaximizedArea = maximized ? area : TRect{};
    ApplyGeometry();
    if (maximized)
        gtk_window_maximize(Window());
    else
        gtk_window_unmaximize(Window());
}

void TGtkWindow::StateEvent(const GdkEventWindowState* event) {
    const auto watched = GdkWindowState(GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_MAXIMIZED);
    FState = event->new_window_state;
    if ((event->changed_mask & GDK_WINDOW_STATE_MAXIMIZED) &&
        !(FState & GDK_WINDOW_STATE_MAXIMIZED) && !FMaximizedArea.IsEmpty()) {
        FMaximizedArea = TRect{};
        ApplyGeometry();
    }
    if (!(event->changed_mask & watched) || !FClient) return;
    // Heard from the queue, as bounds are: the form may do anything then.
    TGtkHost* host = &FHost;
    THostWindow id = FId;
    auto tell = [host, id] {
        TGtkWindow* window = host->FindWindow(id);
        if (!window || !window->FClient) return;
        window->FClient->HostStateChanged((window->FState & GDK_WINDOW_STATE_ICONIFIED) != 0,
                                          (window->FState & GDK_WINDOW_STATE_MAXIMIZED) != 0);
    };
    if (Application)
        Application->Queue(tell);
    else
        tell();
}

void TGtkWindow::Configure(const GdkEventConfigure* event) {
    TRect actual = TRect::FromSize(event->x, event->y, event->width, event->height);
    // Inside a window manager's frame, the X server's own reports come
    // while the frame is still being placed (the window shows at 0, 0 for
    // a moment); where the window stands is what the manager reports.
    if (!event->send_event && FKind == TWindowKind::TopLevel && WindowManaged())
        actual = TRect::FromSize(FBounds.Left, FBounds.Top, event->width, event->height);
    if (!FPending.Configured(actual, g_get_monotonic_time() / 1000)) return;
    NotifyBounds(actual);
    const TBitmap* buffer = FClient ? FClient->HostBackBuffer() : nullptr;
    if (Application && buffer &&
        (buffer->Width() != event->width || buffer->Height() != event->height))
        HoldFramesForLayout();
}

// Resized by the user or the window manager, the window would show the
// form's old picture (white beyond it) for a frame or more before the new
// layout, laid out from the queue, arrives. Its updates wait for the
// form's next present at the new size, or a moment at most.
void TGtkWindow::HoldFramesForLayout() {
    GdkWindow* window = gtk_widget_get_window(FWindow.Get());
    if (FFramesHeld || !window) return;
    FFramesHeld = true;
    gdk_window_freeze_updates(window);
    FHoldLimit = g_timeout_add(
        100,
        [](gpointer self) -> gboolean {
            auto* held = static_cast<TGtkWindow*>(self);
            held->FHoldLimit = 0;
            held->ReleaseFrames();
            return G_SOURCE_REMOVE;
        },
        this);
}

void TGtkWindow::ReleaseFrames() {
    if (FHoldLimit) g_source_remove(FHoldLimit);
    FHoldLimit = 0;
    if (!FFramesHeld) return;
    FFramesHeld = false;
    if (GdkWindow* window = gtk_widget_get_window(FWindow.Get())) gdk_window_thaw_updates(window);
}

// The form hears about a move or resize from the queue, not from inside
// GTK's configure handler: its handlers may do anything, even destroy
// this window. Reports that pile up before it runs count once, with the
// latest bounds.
void TGtkWindow::NotifyBounds(const TRect& actual) {
    FBounds = actual;
    if (!Application) {
        if (FClient) FClient->HostBoundsChanged(actual);
        return;
    }
    if (FBoundsNotifyQueued) return;
    FBoundsNotifyQueued = true;
    TGtkHost* host = &FHost;
    THostWindow id = FId;
    Application->Queue([host, id] {
        TGtkWindow* window = host->FindWindow(id);
        if (!window) return;
        window->FBoundsNotifyQueued = false;
        // A newer request of the form's own is on its way: it wins.
        if (!window->FPending.Empty()) return;
        if (window->FClient) window->FClient->HostBoundsChanged(window->FBounds);
    });
}

// --- shape -----------------------------------------------------------------

void TGtkWindow::SetRegion(const TRegion* region) {
    if (region) {
        FRegion = std::make_unique<TRegion>(*region);
        ApplyRegion();
    } else {
        FRegion.reset();
        gtk_widget_shape_combine_region(FWindow.Get(), nullptr);
    }
    // On a mapped window GTK applies a new shape at the next allocation.
    gtk_widget_queue_resize(FWindow.Get());
}

void TGtkWindow::ApplyRegion() {
    std::vector<cairo_rectangle_int_t> rects;
    rects.reserve(FRegion->Rects().size());
    for (const TRect& r : FRegion->Rects())
        rects.push_back({r.Left, r.Top, r.Width(), r.Height()});
    platform::TCairoRegionPtr region(rects.empty() ? cairo_region_create()
                                         : cairo_region_create_rectangles(
                                               rects.data(), static_cast<int>(rects.size())));
    gtk_widget_shape_combine_region(FWindow.Get(), region.Get());
}

// --- painting --------------------------------------------------------------

void TGtkWindow::Present(const TRect& area) {
    if (area.IsEmpty()) return;
    gtk_widget_queue_draw_area(FArea, area.Left, area.Top, area.Width(), area.Height());
    TGtkAccessibleArea::Changed(FArea);
    const TBitmap* buffer = FClient ? FClient->HostBackBuffer() : nullptr;
    if (FFramesHeld && buffer && buffer->Width() == FBounds.Width() &&
        buffer->Height() == FBounds.Height())
        ReleaseFrames();
}

namespace {

// The area GTK asked to have drawn, to whole pixels.
TRegion ClipRegion(cairo_t* cr) {
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    std::vector<TRect> rects;
    if (list->status == CAIRO_STATUS_SUCCESS) {
        rects.reserve(static_cast<size_t>(list->num_rectangles));
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            rects.push_back({static_cast<int>(std::floor(r.x)), static_cast<int>(std::floor(r.y)),
                             static_cast<int>(std::ceil(r.x + r.width)),
                             static_cast<int>(std::ceil(r.y + r.height))});
        }
    } else if (GdkRectangle box; gdk_cairo_get_clip_rectangle(cr, &box)) {
        // Not made of rectangles (a scaled window): its bounds, cairo still
        // clips to the exact shape.
        rects.push_back(TRect::FromSize(box.x, box.y, box.width, box.height));
    }
    cairo_rectangle_list_destroy(list);
    return TRegion::FromRects(rects);
}

void AddRegion(cairo_t* cr, const TRegion& region) {
    for (const TRect& r : region.Rects())
        cairo_rectangle(cr, r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

std::vector<TRect> TGtkWindow::ShownViewRects() const {
    std::vector<TRect> rects;
    for (const auto& [view, rect] : FViews)
        if (gtk_widget_is_drawable(view) && !rect.IsEmpty()) rects.push_back(rect);
    return rects;
}

int TGtkWindow::ScaleFactor() const {
    return gtk_widget_get_scale_factor(FArea);
}

// Moved to a screen of another scale: the form paints anew at it. Told from
// the queue, like a new size.
void TGtkWindow::ScaleChanged() {
    if (!FClient) return;
    if (!Application) return FClient->HostScaleChanged();
    TGtkHost* host = &FHost;
    THostWindow id = FId;
    Application->Queue([host, id] {
        if (TGtkWindow* window = host->FindWindow(id); window && window->FClient)
            window->FClient->HostScaleChanged();
    });
}

bool TGtkWindow::Draw(cairo_t* cr) {
    ++FDrawCount;
    const TBitmap* buffer = FClient ? FClient->HostBackBuffer() : nullptr;
    int width = buffer ? buffer->Width() : 0;
    int height = buffer ? buffer->Height() : 0;
    TDrawPlan plan = TDrawPlan::Make(
        ClipRegion(cr), {width, height},
        {gtk_widget_get_allocated_width(FArea), gtk_widget_get_allocated_height(FArea)},
        ShownViewRects());
    if (plan.IsEmpty()) return true;
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    const int deviceWidth = buffer ? buffer->DeviceWidth() : 0;
    if (!plan.Buffer.IsEmpty() &&
        buffer->Stride() == cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, deviceWidth)) {
        // The pixels are B, G, R, X: cairo's RGB24 as it stands, no copy.
        // RGB24 has no alpha: the window is opaque whatever the top bytes
        // hold, also for a compositor that honours a window's alpha.
        auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(buffer->Bits()));
        platform::TCairoSurfacePtr surface(cairo_image_surface_create_for_data(
            data, CAIRO_FORMAT_RGB24, deviceWidth, buffer->DeviceHeight(), buffer->Stride()));
        // A buffer painted at the window's scale meets its pixels one to one.
        if (buffer->Scale() != 1)
            cairo_surface_set_device_scale(surface.Get(), buffer->Scale(), buffer->Scale());
        cairo_set_source_surface(cr, surface.Get(), 0, 0);
        // A buffer of another scale (until the form repaints at the new
        // one): its pixels stay sharp squares.
        if (ScaleFactor() != buffer->Scale())
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
        AddRegion(cr, plan.Buffer);
        cairo_fill(cr);
    }
    if (!plan.White.IsEmpty()) {
        cairo_set_source_rgb(cr, 1, 1, 1);
        AddRegion(cr, plan.White);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    return true;
}

// --- activation and focus ----------------------------------------------------

void TGtkWindow::Activate() {
    if (FKind == TWindowKind::Popup) {
        if (GdkWindow* w = gtk_widget_get_window(FWindow.Get())) gdk_window_raise(w);
        return;
    }
    // Focusing a window that is not viewable yet fails; do it once mapped.
    if (!Mapped()) {
        FActivateOnMap = true;
        return;
    }
    gtk_window_present_with_time(Window(), gtk_get_current_event_time());
}

void TGtkWindow::MapEvent() {
    if (!FActivateOnMap) return;
    FActivateOnMap = false;
    gtk_window_present_with_time(Window(), gtk_get_current_event_time());
}

void TGtkWindow::FocusChange(bool in) {
    if (!in) {
        FKeysDown.reset();
        ReleaseHeldModifiers();
    }
    if (FClient) FClient->HostActivated(in);
}

void TGtkWindow::AreaFocusChange(bool in) {
    FIme.SetFocused(in);
    if (!in) FIme.Reset();
}

bool TGtkWindow::AreaFocused() const {
    return gtk_widget_has_focus(FArea);
}

// --- keyboard ----------------------------------------------------------------

bool TGtkWindow::Key(GdkEventKey* event) {
    bool press = event->type == GDK_KEY_PRESS;
    if (GtkWidget* view = FocusedView()) {
        // Keys for a focused web view go to it; the host's hook sees them
        // first and may keep one for the framework (menu shortcuts).
        TKeyStroke stroke =
            TGtkKeyMap::Translate(event->keyval, event->hardware_keycode,
                                  static_cast<GdkModifierType>(event->state), press, false);
        return FHost.NativeViewKey(FId, view, stroke);
    }
    DeliverKey(event, press);
    // Everything else belongs to the framework: no GTK focus moves, no
    // mnemonics.
    return true;
}

void TGtkWindow::DeliverKey(GdkEventKey* event, bool press) {
    uint16_t keycode = event->hardware_keycode;
    bool wasDown = press && keycode < FKeysDown.size() && FKeysDown.test(keycode);
    if (keycode < FKeysDown.size()) FKeysDown.set(keycode, press);
    TKeyStroke stroke = TGtkKeyMap::Translate(
        event->keyval, keycode, static_cast<GdkModifierType>(event->state), press, wasDown);
    if (stroke.VirtualKey == 0) stroke.VirtualKey = LayoutVirtualKey(event);
    bool modifier = IsModifierKey(stroke.VirtualKey);

    TGtkInputMethod::TFilterResult filtered = FIme.Filter(event);
    // The input method typed exactly this key's character: an ordinary key.
    bool plainCharacter = press && filtered.Committed.size() == 1 && stroke.Char != 0 &&
                          filtered.Committed[0] == stroke.Char;
    if (filtered.Consumed && !plainCharacter && !modifier) {
        if (FClient && !filtered.Committed.empty()) FClient->HostText(filtered.Committed);
        return;
    }
    if (!plainCharacter && !filtered.Committed.empty() && FClient)
        FClient->HostText(filtered.Committed);
    if (stroke.VirtualKey == 0) {
        // No key code on any layout (a keysym bound for the moment, as
        // scripted typing does): what it types still arrives, whether the
        // input method passed it on or left it alone.
        if (press && plainCharacter && FClient) FClient->HostText(filtered.Committed);
        if (press && stroke.Char && FClient && filtered.Committed.empty())
            FClient->HostText(std::u16string(1, stroke.Char));
        return;
    }
    if (modifier) {
        std::erase_if(FHeldModifiers,
                      [&](const TKeyStroke& k) { return k.VirtualKey == stroke.VirtualKey; });
        if (press) FHeldModifiers.push_back(stroke);
    }
    if (FClient) FClient->HostKey(stroke.Msg, stroke.VirtualKey, stroke.KeyData, stroke.Char);
}

// A modifier released while another window had the keyboard would stay
// down for the framework: release what it still believes held.
void TGtkWindow::ReleaseHeldModifiers() {
    std::vector<TKeyStroke> held = std::move(FHeldModifiers);
    FHeldModifiers.clear();
    for (const TKeyStroke& down : held) {
        uint32_t msg = down.Msg == WM_SYSKEYDOWN ? WM_SYSKEYUP : WM_KEYUP;
        LPARAM data = down.KeyData | (LPARAM{1} << 30) | (LPARAM{1} << 31);
        if (FClient) FClient->HostKey(msg, down.VirtualKey, data, 0);
    }
}

// Keys of a non-Latin layout: the key's code on the first layout group.
int TGtkWindow::LayoutVirtualKey(const GdkEventKey* event) const {
    GdkKeymap* keymap = gdk_keymap_get_for_display(gtk_widget_get_display(FWindow.Get()));
    guint* keyvals = nullptr;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    int vk = 0;
    if (gdk_keymap_get_entries_for_keycode(keymap, event->hardware_keycode, &keys, &keyvals,
                                           &count)) {
        for (gint i = 0; i < count && vk == 0; ++i)
            if (keys[i].group == 0 && keys[i].level == 0) vk = TGtkKeyMap::VirtualKey(keyvals[i]);
    }
    g_free(keys);
    g_free(keyvals);
    return vk;
}

// --- mouse -------------------------------------------------------------------

TPoint TGtkWindow::WindowPoint(GdkWindow* eventWindow, double x, double y, double rootX,
                               double rootY) const {
    // A pop-up may still stand where the window system first mapped it when
    // the first events arrive; the program reasons in screen positions, so
    // the point is taken from the pointer's screen position and the place
    // the pop-up was given.
    if (FKind == TWindowKind::Popup)
        return {static_cast<int>(std::floor(rootX)) - FBounds.Left,
                static_cast<int>(std::floor(rootY)) - FBounds.Top};
    GdkWindow* area = gtk_widget_get_window(FArea);
    if (eventWindow == area || !area)
        return {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
    // Grabs can bring events of another window; its root position is exact.
    gint originX = 0;
    gint originY = 0;
    gdk_window_get_origin(area, &originX, &originY);
    return {static_cast<int>(std::floor(rootX)) - originX,
            static_cast<int>(std::floor(rootY)) - originY};
}

void TGtkWindow::ButtonPress(const GdkEventButton* event) {
    // GDK's own double-click events would come after a second press we
    // already reported; the tracker decides instead.
    if (event->type != GDK_BUTTON_PRESS) return;
    if (FKind == TWindowKind::TopLevel && !gtk_widget_has_focus(FArea))
        gtk_widget_grab_focus(FArea);
    TPoint root{static_cast<int>(event->x_root), static_cast<int>(event->y_root)};
    bool dbl = FClicks.Press(static_cast<int>(event->button), event->time, root);
    uint32_t msg = ButtonMessage(event->button, true, dbl);
    if (!msg || !FClient) return;
    TPoint p = WindowPoint(event->window, event->x, event->y, event->x_root, event->y_root);
    FClient->HostMouse(msg, p, MouseKeys(event->state) | ButtonKey(event->button));
}

void TGtkWindow::ButtonRelease(const GdkEventButton* event) {
    uint32_t msg = ButtonMessage(event->button, false, false);
    if (!msg || !FClient) return;
    TPoint p = WindowPoint(event->window, event->x, event->y, event->x_root, event->y_root);
    FClient->HostMouse(msg, p, MouseKeys(event->state) & ~ButtonKey(event->button));
}

void TGtkWindow::Motion(const GdkEventMotion* event) {
    if (!FClient) return;
    TPoint p = WindowPoint(event->window, event->x, event->y, event->x_root, event->y_root);
    FClient->HostMouse(WM_MOUSEMOVE, p, MouseKeys(event->state));
}

void TGtkWindow::Scroll(const GdkEventScroll* event) {
    int notches = 0;
    if (event->direction == GDK_SCROLL_UP)
        notches = 1;
    else if (event->direction == GDK_SCROLL_DOWN)
        notches = -1;
    else if (event->direction == GDK_SCROLL_SMOOTH) {
        // Touchpads scroll in fractions; a message goes out per whole notch.
        FScrollRemainder -= event->delta_y;
        notches = static_cast<int>(FScrollRemainder);
        FScrollRemainder -= notches;
    }
    if (notches == 0 || !FClient) return;
    TPoint p = WindowPoint(event->window, event->x, event->y, event->x_root, event->y_root);
    auto delta = static_cast<uint16_t>(static_cast<int16_t>(notches * wheelDelta));
    FClient->HostMouse(WM_MOUSEWHEEL, p, MouseKeys(event->state) | (WPARAM{delta} << 16));
}

void TGtkWindow::Leave(const GdkEventCrossing* event) {
    // Crossings made by grabs starting are not the pointer leaving.
    if (event->mode == GDK_CROSSING_GRAB || event->mode == GDK_CROSSING_GTK_GRAB ||
        event->mode == GDK_CROSSING_STATE_CHANGED)
        return;
    if (event->detail == GDK_NOTIFY_INFERIOR) return;
    if (FClient) FClient->HostMouseLeave();
}

bool TGtkWindow::GrabPointer() {
    GdkWindow* area = gtk_widget_get_window(FArea);
    if (!area || !gdk_window_is_viewable(area)) return false;
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(FArea));
    // owner_events FALSE: every pointer event comes here, in our
    // coordinates, wherever the pointer is. A pop-up (menu, drop-down
    // list) never has the keyboard focus, so it takes the keys as well.
    GdkSeatCapabilities what =
        FKind == TWindowKind::Popup ? GDK_SEAT_CAPABILITY_ALL : GDK_SEAT_CAPABILITY_ALL_POINTING;
    return gdk_seat_grab(seat, area, what, FALSE, nullptr, nullptr, nullptr, nullptr) ==
           GDK_GRAB_SUCCESS;
}

void TGtkWindow::BeginMoveDrag(TPoint screenPoint) {
    if (!Mapped() || !PrimaryButtonHeld(FWindow.Get())) return;
    gtk_window_begin_move_drag(Window(), 1, screenPoint.X, screenPoint.Y, GDK_CURRENT_TIME);
}

void TGtkWindow::BeginResizeDrag(int hitTest, TPoint screenPoint) {
    GdkWindowEdge edge{};
    if (!EdgeFromHitTest(hitTest, edge)) return;
    if (!Mapped() || !PrimaryButtonHeld(FWindow.Get())) return;
    gtk_window_begin_resize_drag(Window(), edge, 1, screenPoint.X, screenPoint.Y, GDK_CURRENT_TIME);
}

// --- native views ------------------------------------------------------------

void TGtkWindow::AttachView(GtkWidget* view) {
    if (FViews.count(view)) return;
    FViews[view] = TRect{};
    // Hidden until the framework places it.
    gtk_widget_set_visible(view, FALSE);
    gtk_overlay_add_overlay(Overlay(), view);
}

void TGtkWindow::PlaceView(GtkWidget* view, const TRect& rect, bool visible) {
    auto it = FViews.find(view);
    if (it == FViews.end()) return;
    bool moved = it->second != rect;
    it->second = rect;
    gtk_widget_set_visible(view, visible && !rect.IsEmpty());
    if (moved) gtk_widget_queue_allocate(FOverlay);
}

void TGtkWindow::DetachView(GtkWidget* view) {
    if (!FViews.erase(view)) return;
    if (gtk_widget_get_parent(view) == FOverlay)
        gtk_container_remove(GTK_CONTAINER(FOverlay), view);
}

void TGtkWindow::FocusArea() {
    if (FKind == TWindowKind::TopLevel && !gtk_widget_has_focus(FArea)) gtk_widget_grab_focus(FArea);
}

void TGtkWindow::FocusView(GtkWidget* view) {
    if (FViews.count(view)) gtk_widget_grab_focus(view);
}

GtkWidget* TGtkWindow::FocusedView() const {
    GtkWidget* focus = gtk_window_get_focus(Window());
    for (GtkWidget* w = focus; w && w != FOverlay; w = gtk_widget_get_parent(w))
        if (gtk_widget_get_parent(w) == FOverlay && FViews.count(w)) return w;
    return nullptr;
}

bool TGtkWindow::ChildPosition(GtkWidget* child, GdkRectangle* allocation) {
    auto it = FViews.find(child);
    if (it == FViews.end()) return false;
    const TRect& r = it->second;
    *allocation = {r.Left, r.Top, std::max(r.Width(), 1), std::max(r.Height(), 1)};
    return true;
}
