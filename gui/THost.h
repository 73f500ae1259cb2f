#pragma once
// What the window system gives the framework: top-level and pop-up windows,
// the event loop, timers' clock, dialogs, clipboard and native child views.
// The GTK host shows real windows; the headless host keeps them in memory.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/Events.h"
#include "gui/Messages.h"
#include "gui/Types.h"

class TBitmap;
class TRegion;

using THostWindow = uint32_t;

enum class TWindowKind { TopLevel, Popup };

// Implemented by the framework's forms and pop-up windows.
class IHostWindowClient {
public:
    virtual ~IHostWindowClient() = default;
    // The back buffer whose pixels the host shows; valid until the next call.
    virtual const TBitmap* HostBackBuffer() = 0;
    // The window system moved or resized the window (screen coordinates of
    // the whole window).
    virtual void HostBoundsChanged(const TRect& bounds) = 0;
    virtual void HostCloseRequest() = 0;
    virtual void HostActivated(bool active) = 0;
    // Mouse input in window coordinates; msg is WM_MOUSEMOVE, WM_LBUTTONDOWN, ...
    // (WM_MOUSEWHEEL carries the delta in the high word of keys).
    virtual void HostMouse(uint32_t msg, TPoint point, WPARAM keys) = 0;
    virtual void HostMouseLeave() = 0;
    // Key input: msg is WM_KEYDOWN/WM_KEYUP/WM_SYSKEYDOWN/WM_SYSKEYUP; ch is the
    // character the key produces (for WM_CHAR after translation), or 0.
    virtual void HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) = 0;
    // Text committed by an input method: one WM_CHAR per UTF-16 unit.
    virtual void HostText(const std::u16string& text) = 0;
    // Text an input method is still composing, with its cursor (UTF-16
    // units into it); empty when the composition ended.
    virtual void HostPreedit(const std::u16string& text, int cursor) { (void)text, (void)cursor; }
    // The window system minimised, restored or maximised the window itself
    // (the task list, the window manager's keys).
    virtual void HostStateChanged(bool minimized, bool maximized) {
        (void)minimized, (void)maximized;
    }
    // The window went to a screen of another scale (see WindowScale).
    virtual void HostScaleChanged() {}
};

// What came of asking for a key chord from the whole desktop.
enum class TGlobalKeyGrab {
    Grabbed,      // the chord reaches the program whichever window has the keyboard
    OnlyXWindows, // held, but a Wayland desktop passes it on only from X programs' windows
    Unsupported,  // the window system offers no such grab (no X display)
    Taken,        // another program holds the chord
    NoSuchKey,    // the keyboard has no key for it
};

struct TFileDialogRequest {
    std::string Title;
    std::string Filter; // "Name|*.a;*.b|Other|*.c"
    int FilterIndex = 1;
    std::string InitialDir;
    std::string FileName;
    bool Save = false;
};

class THost {
public:
    virtual ~THost() = default;

    virtual THostWindow CreateWindow(TWindowKind kind, IHostWindowClient* client) = 0;
    virtual void DestroyWindow(THostWindow window) = 0;
    virtual void SetWindowBounds(THostWindow window, const TRect& bounds) = 0;
    virtual TRect WindowBounds(THostWindow window) const = 0;
    virtual void SetWindowVisible(THostWindow window, bool visible) = 0;
    virtual bool WindowVisible(THostWindow window) const = 0;
    virtual void SetWindowTitle(THostWindow window, const std::string& title) = 0;
    virtual void SetWindowDecorated(THostWindow window, bool decorated) = 0;
    // Above every other window while shown (a stay-on-top form).
    virtual void SetWindowKeepAbove(THostWindow window, bool above) { (void)window, (void)above; }
    // nullptr removes the shape.
    virtual void SetWindowRegion(THostWindow window, const TRegion* region) = 0;
    virtual void SetWindowMinSize(THostWindow window, int width, int height) = 0;
    // Device pixels per window pixel (2 on a HiDPI screen): the back buffer
    // is painted at that scale.
    virtual int WindowScale(THostWindow window) const {
        (void)window;
        return 1;
    }
    // The back buffer changed inside `area` (window coordinates).
    virtual void PresentWindow(THostWindow window, const TRect& area) = 0;
    virtual void ActivateWindow(THostWindow window) = 0;
    virtual void BeginMoveDrag(THostWindow window, TPoint screenPoint) = 0;
    virtual void BeginResizeDrag(THostWindow window, int hitTest, TPoint screenPoint) = 0;
    virtual void SetCapture(THostWindow window) = 0;
    virtual void ReleaseCapture() = 0;
    virtual TPoint CursorPos() const = 0;
    virtual TRect WorkArea() const = 0;

    // Milliseconds of a monotonic clock (virtual in the headless host).
    virtual uint64_t NowMs() const = 0;
    // Handles pending window-system events (which call the clients above);
    // when there are none, waits up to timeoutMs (-1: until something
    // happens). Returns whether anything was handled.
    virtual bool PumpEvents(int timeoutMs) = 0;

    virtual int MessageBox(THostWindow parent, const std::string& text,
                           const std::string& caption, uint32_t flags) = 0;
    virtual bool FileDialog(THostWindow parent, const TFileDialogRequest& request,
                            std::string& fileName) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
    // The selection that a middle click pastes (X11's PRIMARY); hosts
    // without one keep it to the program.
    virtual std::string PrimaryText() { return FPrimary; }
    virtual void SetPrimaryText(const std::string& text) { FPrimary = text; }

    // Native child views (the web views) placed over a control's rectangle
    // in window coordinates. `view` is the host's own widget.
    virtual void AttachNativeView(THostWindow window, void* view) = 0;
    virtual void PlaceNativeView(void* view, const TRect& rect, bool visible) = 0;
    virtual void DetachNativeView(void* view) = 0;
    virtual void FocusNativeView(void* view) = 0;
    // The window's own controls take the keyboard from a native view.
    virtual void FocusWindowArea(THostWindow window) { (void)window; }
    // Above the window's other native views.
    virtual void RaiseNativeView(void* view) { (void)view; }
    // The whole screen the window is on, panels and docks included.
    virtual TRect ScreenArea() const { return WorkArea(); }
    // Asks the window system for a fullscreen window; without a window
    // manager nothing happens and the caller places the window itself.
    virtual void SetWindowFullScreen(THostWindow window, bool fullScreen) {
        (void)window, (void)fullScreen;
    }
    // Asks the window system to minimise the window: it stays in the task
    // list and comes back from there (HostStateChanged). False when nothing
    // on the screen can (no window manager): the window then stays as it is.
    virtual bool MinimizeWindow(THostWindow window) {
        (void)window;
        return false;
    }
    // Gives a minimised window back.
    virtual void RestoreWindow(THostWindow window) { (void)window; }
    // Tells the window system that the window is (no longer) maximised over
    // `area`; the form still places the window itself, so without a window
    // manager nothing more happens.
    virtual void SetWindowMaximized(THostWindow window, bool maximized, const TRect& area) {
        (void)window, (void)maximized, (void)area;
    }
    // Where the caret of the focused edit is, in window coordinates, so an
    // input method opens its candidates beside it.
    virtual void SetImeCursorRect(THostWindow window, const TRect& rect) {
        (void)window;
        FImeCursor = rect;
    }
    // A key chord from anywhere on the desktop: `pressed` runs once per
    // press of it (not for the keyboard's repeats), from the event loop.
    // One chord at a time; a new grab replaces the one held. `shift`
    // takes ssShift, ssCtrl and ssAlt.
    virtual TGlobalKeyGrab GrabGlobalKey(int virtualKey, TShiftState shift,
                                         std::function<void()> pressed) {
        (void)virtualKey, (void)shift, (void)pressed;
        return TGlobalKeyGrab::Unsupported;
    }
    virtual void ReleaseGlobalKey() {}
    // What the input method was told last.
    TRect ImeCursorRect() const { return FImeCursor; }

private:
    std::string FPrimary;
    TRect FImeCursor;
};
