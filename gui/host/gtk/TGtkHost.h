#pragma once
// The window system for the real program: GTK 3 on X11. One TGtkWindow per
// form or pop-up; the event loop is GLib's default main context.
#include <gtk/gtk.h>

#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "gui/THost.h"
#include "platform/glib/GlibPtr.h"
#include "gui/host/gtk/TGtkKeyMap.h"

class TGlobalKey;
class TGtkWindow;

class TGtkHost : public THost {
public:
    // GTK must be initialised (CreateGtkHost does it).
    TGtkHost();
    ~TGtkHost() override;

    TGtkWindow* FindWindow(THostWindow window) const;
    GtkWindow* GtkWindowOf(THostWindow window) const;
    // The icon every window of the program shows, from PNG images of
    // several sizes; the window system picks the size it needs. Images
    // that do not decode are left out. Returns how many were taken.
    static int SetDefaultIcon(const std::vector<std::span<const unsigned char>>& pngImages);

    // Keys that arrive while a native view of `window` has the keyboard
    // focus. By default they all go to the view; a handler returning true
    // keeps one from it (the browser's menu shortcuts use this).
    std::function<bool(THostWindow window, void* view, const TKeyStroke& key)> OnNativeViewKey;
    bool NativeViewKey(THostWindow window, void* view, const TKeyStroke& key);

    // THost
    THostWindow CreateWindow(TWindowKind kind, IHostWindowClient* client) override;
    void DestroyWindow(THostWindow window) override;
    void SetWindowBounds(THostWindow window, const TRect& bounds) override;
    TRect WindowBounds(THostWindow window) const override;
    void SetWindowVisible(THostWindow window, bool visible) override;
    bool WindowVisible(THostWindow window) const override;
    void SetWindowTitle(THostWindow window, const std::string& title) override;
    void SetWindowDecorated(THostWindow window, bool decorated) override;
    void SetWindowKeepAbove(THostWindow window, bool above) override;
    void SetWindowRegion(THostWindow window, const TRegion* region) override;
    void SetWindowMinSize(THostWindow window, int width, int height) override;
    void PresentWindow(THostWindow window, const TRect& area) override;
    int WindowScale(THostWindow window) const override;
    void ActivateWindow(THostWindow window) override;
    void BeginMoveDrag(THostWindow window, TPoint screenPoint) override;
    void BeginResizeDrag(THostWindow window, int hitTest, TPoint screenPoint) override;
    void SetCapture(THostWindow window) override;
    void ReleaseCapture() override;
    THostWindow Capture() const { return FCapture; }
    TPoint CursorPos() const override;
    TRect WorkArea() const override;
    uint64_t NowMs() const override;
    bool PumpEvents(int timeoutMs) override;
    int MessageBox(THostWindow parent, const std::string& text, const std::string& caption,
                   uint32_t flags) override;
    bool FileDialog(THostWindow parent, const TFileDialogRequest& request,
                    std::string& fileName) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;
    void AttachNativeView(THostWindow window, void* view) override;
    void PlaceNativeView(void* view, const TRect& rect, bool visible) override;
    void DetachNativeView(void* view) override;
    void FocusNativeView(void* view) override;
    void RaiseNativeView(void* view) override;
    void FocusWindowArea(THostWindow window) override;
    TRect ScreenArea() const override;
    void SetWindowFullScreen(THostWindow window, bool fullScreen) override;
    bool MinimizeWindow(THostWindow window) override;
    void RestoreWindow(THostWindow window) override;
    void SetWindowMaximized(THostWindow window, bool maximized, const TRect& area) override;
    void SetImeCursorRect(THostWindow window, const TRect& rect) override;
    std::string PrimaryText() override;
    void SetPrimaryText(const std::string& text) override;
    TGlobalKeyGrab GrabGlobalKey(int virtualKey, TShiftState shift,
                                 std::function<void()> pressed) override;
    void ReleaseGlobalKey() override;

private:
    struct TViewEntry {
        platform::TGObjectPtr<GtkWidget> Widget; // our own reference while attached
        THostWindow Window = 0;
    };

    TGtkWindow* WindowOrNull(THostWindow window) const;
    TGtkWindow& Window(THostWindow window) const;

    std::map<THostWindow, std::unique_ptr<TGtkWindow>> FWindows;
    std::map<GtkWidget*, TViewEntry> FViews;
    THostWindow FNextWindow = 1;
    THostWindow FCapture = 0;
    std::unique_ptr<TGlobalKey> FGlobalKey;
};

// Initialises GTK for the process (X11 backend) and makes the host; throws
// Exception when there is no display to open.
std::unique_ptr<THost> CreateGtkHost(int& argc, char**& argv);
