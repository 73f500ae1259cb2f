#pragma once
// Window tests on a real X display (the runner's Xvfb): the GTK host, a
// client that records what the host tells it, and helpers that pump the
// loop, read the screen's pixels and feed GDK events.
#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "gui/THost.h"
#include "gui/graphics/TBitmap.h"
#include "gui/host/gtk/TGtkHost.h"
#include "gui/host/gtk/TGtkWindow.h"

class TRecordingClient : public IHostWindowClient {
public:
    struct TMouse {
        uint32_t Msg;
        TPoint Point;
        WPARAM Keys;
    };
    struct TKey {
        uint32_t Msg;
        int VirtualKey;
        LPARAM KeyData;
        char16_t Char;
    };

    TBitmap Buffer;
    std::vector<TRect> Bounds;
    std::vector<bool> Activations;
    std::vector<TMouse> Mouse;
    std::vector<TKey> Keys;
    std::u16string Text;
    int Closes = 0;
    int Leaves = 0;
    std::function<void()> OnMouse;

    const TBitmap* HostBackBuffer() override { return &Buffer; }
    void HostBoundsChanged(const TRect& bounds) override { Bounds.push_back(bounds); }
    void HostCloseRequest() override { ++Closes; }
    void HostActivated(bool active) override { Activations.push_back(active); }
    void HostMouse(uint32_t msg, TPoint point, WPARAM keys) override {
        Mouse.push_back({msg, point, keys});
        if (OnMouse) OnMouse();
    }
    void HostMouseLeave() override { ++Leaves; }
    void HostKey(uint32_t msg, int virtualKey, LPARAM keyData, char16_t ch) override {
        Keys.push_back({msg, virtualKey, keyData, ch});
    }
    void HostText(const std::u16string& text) override { Text += text; }
};

class GtkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Pumps GTK until `done` holds or `timeoutMs` passed; returns `done()`.
    bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000);
    // Lets the X server finish what was sent and serves what came back.
    void Settle(int ms = 50);
    // A shown window with a solid back buffer, drawn at least once.
    THostWindow ShowWindow(TRecordingClient& client, const TRect& bounds, TColor color);
    bool WaitForDraw(THostWindow window);
    TColor ScreenPixel(int x, int y);

    void SendKey(THostWindow window, guint keyval, guint16 keycode, guint state, bool press);
    void SendButton(THostWindow window, GdkEventType type, guint button, double x, double y,
                    guint state, guint32 time);
    void SendScroll(THostWindow window, GdkScrollDirection direction, double x, double y);
    void SendLeave(THostWindow window, GdkCrossingMode mode);

    // Clients live as long as the fixture, so a window never outlives the
    // client it calls.
    TRecordingClient& NewClient() { return FClients.emplace_back(); }

    std::deque<TRecordingClient> FClients;
    TGtkHost FHost;
    static bool FDisplay;
};
