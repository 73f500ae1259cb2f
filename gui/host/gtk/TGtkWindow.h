#pragma once
// One window of the GTK host: a GtkWindow (a pop-up one for menus and
// lists) holding an overlay whose main child is the drawing area that
// shows the form's back buffer; native views (the web views) are overlay
// children placed at their controls' rectangles. The window turns GDK's
// input into the framework's messages through its IHostWindowClient.
#include <gtk/gtk.h>

#include <bitset>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/THost.h"
#include "gui/graphics/TRegion.h"
#include "gui/host/gtk/TClickTracker.h"
#include "platform/glib/GlibPtr.h"
#include "gui/host/gtk/TGtkInputMethod.h"
#include "gui/host/gtk/TGtkKeyMap.h"
#include "gui/host/gtk/TPendingBounds.h"
#include "gui/host/gtk/TSignalConnection.h"

class TGtkHost;

class TGtkWindow {
public:
    TGtkWindow(TGtkHost& host, THostWindow id, TWindowKind kind, IHostWindowClient* client);
    ~TGtkWindow();
    TGtkWindow(const TGtkWindow&) = delete;
    TGtkWindow& operator=(const TGtkWindow&) = delete;

    THostWindow Id() const { return FId; }
    TWindowKind Kind() const { return FKind; }
    GtkWindow* Window() const { return GTK_WINDOW(FWindow.Get()); }
    GtkWidget* DrawingArea() const { return FArea; }
    GtkOverlay* Overlay() const { return GTK_OVERLAY(FOverlay); }
    TGtkInputMethod& InputMethod() { return FIme; }

    void SetBounds(const TRect& bounds);
    // What the form asked for last, or what the window system reported
    // since.
    const TRect& Bounds() const { return FBounds; }
    void SetVisible(bool visible);
    bool Visible() const { return FVisible; }
    bool Mapped() const;
    // A window manager runs on the window's screen.
    bool WindowManaged() const;
    void SetTitle(const std::string& title);
    void SetDecorated(bool decorated);
    void SetRegion(const TRegion* region);
    bool HasRegion() const { return FRegion != nullptr; }
    void SetMinSize(int width, int height);
    // Iconifies through the window manager; false without one.
    bool Minimize();
    void Restore();
    // The window manager's maximised state, over `area` at most (the form
    // may keep a maximised window smaller than the whole work area).
    void SetMaximized(bool maximized, const TRect& area);
    void Present(const TRect& area);
    void Activate();
    void BeginMoveDrag(TPoint screenPoint);
    void BeginResizeDrag(int hitTest, TPoint screenPoint);
    // The pointer grab behind the framework's mouse capture (with the
    // keyboard for pop-ups).
    bool GrabPointer();

    void AttachView(GtkWidget* view);
    void PlaceView(GtkWidget* view, const TRect& rect, bool visible);
    // Keys go to the form's own area again, away from a focused view.
    void FocusArea();
    void DetachView(GtkWidget* view);
    void FocusView(GtkWidget* view);
    // The attached view that holds the keyboard focus, or nullptr.
    GtkWidget* FocusedView() const;

    // Device pixels per logical pixel of the window's screen.
    int ScaleFactor() const;

    // How often GTK drew the back buffer onto the window (for tests and
    // benchmarks waiting for a frame).
    uint64_t DrawCount() const { return FDrawCount; }
    // Whether the drawing area has the keyboard focus of its window.
    bool AreaFocused() const;

private:
    struct TThunks;
    friend struct TThunks;

    void Connect(gpointer instance, const char* signal, GCallback handler);
    void ConnectSignals();
    void ApplyRegion();
    void NotifyBounds(const TRect& actual);
    void HoldFramesForLayout();
    void ReleaseFrames();
    TPoint WindowPoint(GdkWindow* eventWindow, double x, double y, double rootX,
                       double rootY) const;
    void ReleaseHeldModifiers();
    int LayoutVirtualKey(const GdkEventKey* event) const;

    // Handlers (the static thunks in the .cpp guard them).
    bool Draw(cairo_t* cr);
    void ScaleChanged();
    // Where shown native views lie over the drawing area.
    std::vector<TRect> ShownViewRects() const;
    void Configure(const GdkEventConfigure* event);
    bool Key(GdkEventKey* event);
    void DeliverKey(GdkEventKey* event, bool press);
    void ButtonPress(const GdkEventButton* event);
    void ButtonRelease(const GdkEventButton* event);
    void Motion(const GdkEventMotion* event);
    void Scroll(const GdkEventScroll* event);
    void Leave(const GdkEventCrossing* event);
    void FocusChange(bool in);
    void AreaFocusChange(bool in);
    void MapEvent();
    void StateEvent(const GdkEventWindowState* event);
    void ApplyGeometry();
    void Preedit();
    bool ChildPosition(GtkWidget* child, GdkRectangle* allocation);

    TGtkHost& FHost;
    THostWindow FId;
    TWindowKind FKind;
    IHostWindowClient* FClient;
    platform::TGObjectPtr<GtkWidget> FWindow;
    GtkWidget* FOverlay = nullptr;
    GtkWidget* FArea = nullptr;
    TGtkInputMethod FIme;
    std::vector<TSignalConnection> FSignals;
    std::map<GtkWidget*, TRect> FViews;
    TRect FBounds;
    TPendingBounds FPending;
    std::unique_ptr<TRegion> FRegion;
    bool FVisible = false;
    bool FActivateOnMap = false;
    bool FBoundsNotifyQueued = false;
    bool FFramesHeld = false;
    guint FHoldLimit = 0;
    int FMinWidth = 0;
    int FMinHeight = 0;
    // The largest size while the window manager keeps the window maximised.
    TRect FMaximizedArea;
    GdkWindowState FState = GdkWindowState(0);
    uint64_t FDrawCount = 0;
    TClickTracker FClicks;
    double FScrollRemainder = 0;
    std::bitset<256> FKeysDown;
    std::vector<TKeyStroke> FHeldModifiers;
};
