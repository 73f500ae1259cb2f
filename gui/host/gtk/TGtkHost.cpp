#include "gui/host/gtk/TGtkHost.h"

#include <cstdio>

#include "gui/Exception.h"
#include "gui/TApplication.h"
#include "gui/graphics/TTextRenderer.h"
#include "gui/host/gtk/TDisplayBackend.h"
#include "gui/host/gtk/TGlobalKey.h"
#include "gui/host/gtk/TGtkFileDialog.h"
#include "gui/host/gtk/TGtkMessageBox.h"
#include "gui/host/gtk/TGtkWindow.h"
#include "gui/host/gtk/TTimeoutSource.h"
#include "platform/glib/TCallbackGuard.h"

namespace {

// A burst of ready sources is served in one call, but a source that is
// always ready (an animation) cannot keep PumpEvents from returning.
constexpr int maxDispatchesPerPump = 64;

GdkDevice* Pointer() {
    GdkDisplay* display = gdk_display_get_default();
    GdkSeat* seat = display ? gdk_display_get_default_seat(display) : nullptr;
    return seat ? gdk_seat_get_pointer(seat) : nullptr;
}

} // namespace

// An exception stopped at a GTK or WebKit callback reaches the framework's
// error report from the message queue, after the callback has returned.
TGtkHost::TGtkHost() {
    platform::TCallbackGuard::SetReporter([](const char* what) {
        if (!Application) return;
        std::string text = what;
        Application->Queue([text] {
            if (Application) Application->HandleException(nullptr, Exception(text));
        });
    });
}

TGtkHost::~TGtkHost() {
    platform::TCallbackGuard::SetReporter(nullptr);
    ReleaseCapture();
    FWindows.clear();
    FViews.clear();
}

TGtkWindow* TGtkHost::WindowOrNull(THostWindow window) const {
    auto it = FWindows.find(window);
    return it == FWindows.end() ? nullptr : it->second.get();
}

TGtkWindow& TGtkHost::Window(THostWindow window) const {
    TGtkWindow* w = WindowOrNull(window);
    if (!w) throw Exception("GTK host: no window " + std::to_string(window));
    return *w;
}

TGtkWindow* TGtkHost::FindWindow(THostWindow window) const {
    return WindowOrNull(window);
}

GtkWindow* TGtkHost::GtkWindowOf(THostWindow window) const {
    TGtkWindow* w = WindowOrNull(window);
    return w ? w->Window() : nullptr;
}

void TGtkHost::SetImeCursorRect(THostWindow window, const TRect& rect) {
    THost::SetImeCursorRect(window, rect);
    if (TGtkWindow* w = WindowOrNull(window)) w->InputMethod().SetCursorRect(rect);
}

bool TGtkHost::NativeViewKey(THostWindow window, void* view, const TKeyStroke& key) {
    return OnNativeViewKey && OnNativeViewKey(window, view, key);
}

// --- windows -------------------------------------------------------------------

THostWindow TGtkHost::CreateWindow(TWindowKind kind, IHostWindowClient* client) {
    THostWindow id = FNextWindow++;
    FWindows[id] = std::make_unique<TGtkWindow>(*this, id, kind, client);
    return id;
}

void TGtkHost::DestroyWindow(THostWindow window) {
    auto it = FWindows.find(window);
    if (it == FWindows.end()) return;
    if (FCapture == window) ReleaseCapture();
    // Views outlive the window: whoever made them detaches them later.
    for (auto& [widget, entry] : FViews)
        if (entry.Window == window) entry.Window = 0;
    std::unique_ptr<TGtkWindow> doomed = std::move(it->second);
    FWindows.erase(it);
}

void TGtkHost::SetWindowBounds(THostWindow window, const TRect& bounds) {
    Window(window).SetBounds(bounds);
}

TRect TGtkHost::WindowBounds(THostWindow window) const {
    TGtkWindow* w = WindowOrNull(window);
    return w ? w->Bounds() : TRect{};
}

void TGtkHost::SetWindowVisible(THostWindow window, bool visible) {
    if (!visible && FCapture == window) ReleaseCapture();
    Window(window).SetVisible(visible);
}

bool TGtkHost::WindowVisible(THostWindow window) const {
    TGtkWindow* w = WindowOrNull(window);
    return w && w->Visible();
}

void TGtkHost::SetWindowTitle(THostWindow window, const std::string& title) {
    Window(window).SetTitle(title);
}

void TGtkHost::SetWindowDecorated(THostWindow window, bool decorated) {
    Window(window).SetDecorated(decorated);
}

void TGtkHost::SetWindowKeepAbove(THostWindow window, bool above) {
    gtk_window_set_keep_above(Window(window).Window(), above);
}

void TGtkHost::SetWindowRegion(THostWindow window, const TRegion* region) {
    Window(window).SetRegion(region);
}

void TGtkHost::SetWindowMinSize(THostWindow window, int width, int height) {
    Window(window).SetMinSize(width, height);
}

void TGtkHost::PresentWindow(THostWindow window, const TRect& area) {
    Window(window).Present(area);
}

int TGtkHost::WindowScale(THostWindow window) const {
    const TGtkWindow* found = FindWindow(window);
    return found ? found->ScaleFactor() : 1;
}

void TGtkHost::ActivateWindow(THostWindow window) {
    Window(window).Activate();
}

// The window system's move and size loops take the pointer themselves.
void TGtkHost::BeginMoveDrag(THostWindow window, TPoint screenPoint) {
    ReleaseCapture();
    Window(window).BeginMoveDrag(screenPoint);
}

void TGtkHost::BeginResizeDrag(THostWindow window, int hitTest, TPoint screenPoint) {
    ReleaseCapture();
    Window(window).BeginResizeDrag(hitTest, screenPoint);
}

// --- pointer and screen --------------------------------------------------------------

void TGtkHost::SetCapture(THostWindow window) {
    TGtkWindow& w = Window(window);
    if (FCapture == window) return;
    ReleaseCapture();
    // A window not on screen yet cannot grab; the press that led here
    // holds an implicit grab anyway.
    if (w.GrabPointer()) FCapture = window;
}

void TGtkHost::ReleaseCapture() {
    if (!FCapture) return;
    FCapture = 0;
    if (GdkDisplay* display = gdk_display_get_default())
        gdk_seat_ungrab(gdk_display_get_default_seat(display));
}

TPoint TGtkHost::CursorPos() const {
    GdkDevice* pointer = Pointer();
    if (!pointer) return {};
    gint x = 0;
    gint y = 0;
    gdk_device_get_position(pointer, nullptr, &x, &y);
    return {x, y};
}

TRect TGtkHost::WorkArea() const {
    GdkDisplay* display = gdk_display_get_default();
    if (!display) return {};
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor) return {};
    GdkRectangle area{};
    gdk_monitor_get_workarea(monitor, &area);
    return TRect::FromSize(area.x, area.y, area.width, area.height);
}

uint64_t TGtkHost::NowMs() const {
    return static_cast<uint64_t>(g_get_monotonic_time() / 1000);
}

// --- the loop ------------------------------------------------------------------------

bool TGtkHost::PumpEvents(int timeoutMs) {
    GMainContext* context = g_main_context_default();
    bool handled = false;
    if (timeoutMs != 0) {
        bool expired = false;
        TTimeoutSource timeout;
        if (timeoutMs > 0) timeout.StartOnce(static_cast<unsigned>(timeoutMs), &expired);
        g_main_context_iteration(context, TRUE);
        handled = !expired;
    }
    for (int i = 0; i < maxDispatchesPerPump && g_main_context_iteration(context, FALSE); ++i)
        handled = true;
    return handled;
}

// --- dialogs and clipboard -----------------------------------------------------------

int TGtkHost::MessageBox(THostWindow parent, const std::string& text, const std::string& caption,
                         uint32_t flags) {
    return TGtkMessageBox::Run(GtkWindowOf(parent), text, caption, flags);
}

bool TGtkHost::FileDialog(THostWindow parent, const TFileDialogRequest& request,
                          std::string& fileName) {
    return TGtkFileDialog::Run(GtkWindowOf(parent), request, fileName);
}

std::string TGtkHost::ClipboardText() {
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    platform::TGCharPtr text(gtk_clipboard_wait_for_text(clipboard));
    return text ? std::string(text.Get()) : std::string();
}

void TGtkHost::SetClipboardText(const std::string& text) {
    GtkClipboard* clipboard = gtk_clipboard_get(GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, text.data(), static_cast<gint>(text.size()));
}

std::string TGtkHost::PrimaryText() {
    GtkClipboard* primary = gtk_clipboard_get(GDK_SELECTION_PRIMARY);
    platform::TGCharPtr text(gtk_clipboard_wait_for_text(primary));
    return text ? std::string(text.Get()) : std::string();
}

void TGtkHost::SetPrimaryText(const std::string& text) {
    GtkClipboard* primary = gtk_clipboard_get(GDK_SELECTION_PRIMARY);
    gtk_clipboard_set_text(primary, text.data(), static_cast<gint>(text.size()));
}

// --- native views --------------------------------------------------------------------

void TGtkHost::AttachNativeView(THostWindow window, void* view) {
    auto* widget = static_cast<GtkWidget*>(view);
    TGtkWindow& target = Window(window);
    auto it = FViews.find(widget);
    if (it != FViews.end()) {
        if (it->second.Window == window) return;
        if (TGtkWindow* old = WindowOrNull(it->second.Window)) old->DetachView(widget);
    } else {
        it = FViews.emplace(widget, TViewEntry{platform::TGObjectPtr<GtkWidget>::RefSink(widget), 0}).first;
    }
    it->second.Window = window;
    target.AttachView(widget);
}

void TGtkHost::PlaceNativeView(void* view, const TRect& rect, bool visible) {
    auto it = FViews.find(static_cast<GtkWidget*>(view));
    if (it == FViews.end()) return;
    if (TGtkWindow* w = WindowOrNull(it->second.Window)) w->PlaceView(it->first, rect, visible);
}

void TGtkHost::DetachNativeView(void* view) {
    auto it = FViews.find(static_cast<GtkWidget*>(view));
    if (it == FViews.end()) return;
    if (TGtkWindow* w = WindowOrNull(it->second.Window)) w->DetachView(it->first);
    FViews.erase(it);
}

void TGtkHost::FocusNativeView(void* view) {
    auto it = FViews.find(static_cast<GtkWidget*>(view));
    if (it == FViews.end()) return;
    if (TGtkWindow* w = WindowOrNull(it->second.Window)) w->FocusView(it->first);
}

// --- start-up ------------------------------------------------------------------------

int TGtkHost::SetDefaultIcon(const std::vector<std::span<const unsigned char>>& pngImages) {
    GList* icons = nullptr;
    for (std::span<const unsigned char> image : pngImages) {
        auto loader = platform::TGObjectPtr<GdkPixbufLoader>::Adopt(gdk_pixbuf_loader_new_with_type("png", nullptr));
        if (!loader) continue;
        bool written = gdk_pixbuf_loader_write(loader.Get(), image.data(), image.size(), nullptr);
        if (!gdk_pixbuf_loader_close(loader.Get(), nullptr) || !written) continue;
        if (GdkPixbuf* icon = gdk_pixbuf_loader_get_pixbuf(loader.Get()))
            icons = g_list_append(icons, g_object_ref(icon));
    }
    int count = static_cast<int>(g_list_length(icons));
    if (icons) gtk_window_set_default_icon_list(icons);
    g_list_free_full(icons, g_object_unref);
    return count;
}

std::unique_ptr<THost> CreateGtkHost(int& argc, char**& argv) {
    const char* backend = g_getenv("GDK_BACKEND");
    const char* wayland = g_getenv("WAYLAND_DISPLAY");
    const char* display = g_getenv("DISPLAY");
    switch (TDisplayBackend::Choose(backend, wayland, display)) {
    case TDisplayBackend::TVerdict::NoDisplay:
        throw Exception(TDisplayBackend::NoDisplayError(backend, wayland));
    case TDisplayBackend::TVerdict::ThroughXWayland:
        std::fprintf(stderr, "星帆IE: %s\n", TDisplayBackend::FallbackNotice(display).c_str());
        // The web processes inherit it and open the same display.
        g_setenv("GDK_BACKEND", "x11", TRUE);
        break;
    case TDisplayBackend::TVerdict::X11:
        break;
    }
    // Shaped windows and placement by screen coordinates need X11.
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(&argc, &argv))
        throw Exception(std::string("cannot open X display ") + (display ? display : ""));
    // Xft.dpi and GDK_DPI_SCALE, per window pixel.
    TTextRenderer::SetResolution(gdk_screen_get_resolution(gdk_screen_get_default()));
    return std::make_unique<TGtkHost>();
}
