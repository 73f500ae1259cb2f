#include "GtkTestSupport.h"
#include "gui/Exception.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TRegion.h"

namespace {

// A native view stand-in: a widget that paints itself one colour.
GtkWidget* ColourView(double r, double g, double b) {
    GtkWidget* view = gtk_drawing_area_new();
    auto* rgb = new double[3]{r, g, b};
    g_object_set_data_full(G_OBJECT(view), "rgb", rgb,
                           [](gpointer p) { delete[] static_cast<double*>(p); });
    g_signal_connect(view, "draw", G_CALLBACK(+[](GtkWidget* w, cairo_t* cr, gpointer) -> gboolean {
                         auto* c = static_cast<double*>(g_object_get_data(G_OBJECT(w), "rgb"));
                         cairo_set_source_rgb(cr, c[0], c[1], c[2]);
                         cairo_paint(cr);
                         return TRUE;
                     }),
                     nullptr);
    gtk_widget_show(view);
    return GTK_WIDGET(g_object_ref_sink(view));
}

} // namespace

TEST_F(GtkTest, WindowShowsTheBackBufferWhereTheFormSaid) {
    TRecordingClient& client = NewClient();
    TRect bounds = TRect::FromSize(120, 90, 200, 100);
    client.Buffer.SetSize(200, 100);
    client.Buffer.Canvas().Brush().SetColor(clRed);
    client.Buffer.Canvas().FillRect({0, 0, 200, 100});
    client.Buffer.Canvas().Brush().SetColor(clBlue);
    client.Buffer.Canvas().FillRect({150, 50, 200, 100});
    THostWindow window = FHost.CreateWindow(TWindowKind::TopLevel, &client);
    FHost.SetWindowBounds(window, bounds);
    FHost.SetWindowVisible(window, true);
    ASSERT_TRUE(WaitForDraw(window));
    EXPECT_TRUE(FHost.WindowVisible(window));
    EXPECT_EQ(FHost.WindowBounds(window), bounds);
    EXPECT_EQ(ScreenPixel(120, 90), clRed);
    EXPECT_EQ(ScreenPixel(269, 139), clRed);
    EXPECT_EQ(ScreenPixel(270, 140), clBlue);
    EXPECT_EQ(ScreenPixel(319, 189), clBlue);
    EXPECT_NE(ScreenPixel(320, 189), clBlue) << "nothing beyond the window's right edge";
    EXPECT_NE(ScreenPixel(119, 90), clRed);
    EXPECT_TRUE(client.Bounds.empty()) << "our own placement is not echoed back";
}

TEST_F(GtkTest, PresentShowsTheChangedPixels) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(100, 100, 120, 80), clWhite);
    client.Buffer.Canvas().Brush().SetColor(clLime);
    client.Buffer.Canvas().FillRect({10, 10, 30, 30});
    FHost.PresentWindow(window, {10, 10, 30, 30});
    ASSERT_TRUE(WaitForDraw(window));
    EXPECT_EQ(ScreenPixel(115, 115), clLime);
    EXPECT_EQ(ScreenPixel(135, 135), clWhite);
}

TEST_F(GtkTest, HiddenWindowsLeaveTheScreen) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(300, 300, 50, 50), clFuchsia);
    ASSERT_EQ(ScreenPixel(320, 320), clFuchsia);
    FHost.SetWindowVisible(window, false);
    Settle();
    EXPECT_FALSE(FHost.WindowVisible(window));
    EXPECT_NE(ScreenPixel(320, 320), clFuchsia);
    FHost.DestroyWindow(window);
    EXPECT_EQ(FHost.FindWindow(window), nullptr);
    EXPECT_EQ(FHost.WindowBounds(window), TRect{});
    EXPECT_THROW(FHost.SetWindowVisible(window, true), Exception);
}

TEST_F(GtkTest, RegionCutsTheCornersAndStaysWhenTheWindowGrows) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(200, 200, 100, 60), clRed);
    TRegion round = TRegion::RoundRect(0, 0, 101, 61, 13, 13);
    FHost.SetWindowRegion(window, &round);
    Settle(100);
    EXPECT_NE(ScreenPixel(200, 200), clRed) << "the corner is cut out";
    EXPECT_EQ(ScreenPixel(203, 203), clRed);
    EXPECT_EQ(ScreenPixel(250, 230), clRed);
    EXPECT_TRUE(FHost.FindWindow(window)->HasRegion());

    // The region stays what it was when the window grows, as on the
    // platform: the new part outside it is not shown.
    client.Buffer.SetSize(160, 100);
    client.Buffer.Canvas().Brush().SetColor(clRed);
    client.Buffer.Canvas().FillRect({0, 0, 160, 100});
    FHost.SetWindowBounds(window, TRect::FromSize(200, 200, 160, 100));
    ASSERT_TRUE(WaitForDraw(window));
    Settle(100);
    EXPECT_NE(ScreenPixel(200, 200), clRed);
    EXPECT_EQ(ScreenPixel(250, 230), clRed);
    EXPECT_NE(ScreenPixel(350, 290), clRed) << "outside the region";

    FHost.SetWindowRegion(window, nullptr);
    Settle(100);
    FHost.PresentWindow(window, {0, 0, 160, 100});
    WaitForDraw(window);
    EXPECT_EQ(ScreenPixel(200, 200), clRed);
    EXPECT_EQ(ScreenPixel(350, 290), clRed);
    EXPECT_FALSE(FHost.FindWindow(window)->HasRegion());
}

TEST_F(GtkTest, MovesNotAskedForReachTheFormAndMinimumSizesHold) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(100, 100, 200, 150), clWhite);
    // Someone else (a window manager, a drag) moves the window.
    gdk_window_move(gtk_widget_get_window(GTK_WIDGET(FHost.GtkWindowOf(window))), 160, 130);
    ASSERT_TRUE(WaitFor([&] { return !client.Bounds.empty(); }));
    EXPECT_EQ(client.Bounds.back(), TRect::FromSize(160, 130, 200, 150));
    EXPECT_EQ(FHost.WindowBounds(window), TRect::FromSize(160, 130, 200, 150));

    client.Bounds.clear();
    FHost.SetWindowMinSize(window, 300, 200);
    FHost.SetWindowBounds(window, TRect::FromSize(160, 130, 100, 50));
    // A window manager may still repeat its report of the move first.
    const TRect held = TRect::FromSize(160, 130, 300, 200);
    EXPECT_TRUE(WaitFor([&] { return !client.Bounds.empty() && client.Bounds.back() == held; }));
    for (const TRect& r : client.Bounds) EXPECT_GE(r.Width(), 200) << "smaller than ever asked";
}

TEST_F(GtkTest, NativeViewsSitAtTheirRectanglesAndFollowShowHide) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(400, 100, 200, 150), clRed);
    GtkWidget* view = ColourView(0, 1, 0);
    FHost.AttachNativeView(window, view);
    Settle();
    EXPECT_EQ(ScreenPixel(430, 120), clRed) << "not shown before it is placed";
    FHost.PlaceNativeView(view, TRect::FromSize(20, 10, 60, 40), true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(430, 120) == clLime; }));
    EXPECT_EQ(ScreenPixel(420, 110), clLime);
    EXPECT_EQ(ScreenPixel(479, 149), clLime);
    EXPECT_EQ(ScreenPixel(480, 149), clRed);
    EXPECT_EQ(ScreenPixel(479, 150), clRed);

    FHost.PlaceNativeView(view, TRect::FromSize(100, 80, 30, 30), true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(510, 190) == clLime; }));
    FHost.PresentWindow(window, {0, 0, 200, 150});
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(430, 120) == clRed; })) << "old place repainted";

    FHost.PlaceNativeView(view, TRect::FromSize(100, 80, 30, 30), false);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(510, 190) == clRed; }));
    FHost.DetachNativeView(view);
    EXPECT_EQ(gtk_widget_get_parent(view), nullptr);
    EXPECT_EQ(G_OBJECT(view)->ref_count, 1u) << "the host let go of its reference";
    g_object_unref(view);
}

TEST_F(GtkTest, ViewsOutliveTheirWindow) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(100, 100, 100, 100), clRed);
    GtkWidget* view = ColourView(0, 0, 1);
    FHost.AttachNativeView(window, view);
    FHost.PlaceNativeView(view, TRect::FromSize(0, 0, 50, 50), true);
    FHost.FocusNativeView(view);
    FHost.DestroyWindow(window);
    Settle();
    EXPECT_EQ(gtk_widget_get_parent(view), nullptr);
    EXPECT_FALSE(gtk_widget_in_destruction(view));
    // A view whose window went may still be placed and detached safely.
    FHost.PlaceNativeView(view, TRect::FromSize(0, 0, 10, 10), true);
    FHost.DetachNativeView(view);
    EXPECT_EQ(G_OBJECT(view)->ref_count, 1u);
    g_object_unref(view);
}

TEST_F(GtkTest, ViewsMoveBetweenWindows) {
    TRecordingClient& one = NewClient();
    TRecordingClient& two = NewClient();
    THostWindow first = ShowWindow(one, TRect::FromSize(100, 300, 100, 100), clRed);
    THostWindow second = ShowWindow(two, TRect::FromSize(300, 300, 100, 100), clRed);
    GtkWidget* view = ColourView(0, 1, 0);
    FHost.AttachNativeView(first, view);
    FHost.AttachNativeView(second, view);
    EXPECT_EQ(gtk_widget_get_parent(view), GTK_WIDGET(FHost.FindWindow(second)->Overlay()));
    FHost.PlaceNativeView(view, TRect::FromSize(10, 10, 20, 20), true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(315, 315) == clLime; }));
    EXPECT_EQ(ScreenPixel(115, 315), clRed);
    FHost.DetachNativeView(view);
    g_object_unref(view);
}

TEST_F(GtkTest, PopupsAppearAtScreenCoordinatesAboveViews) {
    TRecordingClient& main = NewClient();
    TRecordingClient& popup = NewClient();
    THostWindow window = ShowWindow(main, TRect::FromSize(100, 100, 300, 200), clRed);
    GtkWidget* view = ColourView(0, 1, 0);
    FHost.AttachNativeView(window, view);
    FHost.PlaceNativeView(view, TRect::FromSize(0, 0, 300, 200), true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(200, 200) == clLime; }));
    popup.Buffer.SetSize(80, 60);
    popup.Buffer.Canvas().Brush().SetColor(clBlue);
    popup.Buffer.Canvas().FillRect({0, 0, 80, 60});
    THostWindow menu = FHost.CreateWindow(TWindowKind::Popup, &popup);
    FHost.SetWindowBounds(menu, TRect::FromSize(180, 180, 80, 60));
    FHost.SetWindowVisible(menu, true);
    ASSERT_TRUE(WaitForDraw(menu));
    EXPECT_EQ(ScreenPixel(200, 200), clBlue);
    EXPECT_EQ(ScreenPixel(259, 239), clBlue);
    EXPECT_EQ(ScreenPixel(261, 241), clLime);
    EXPECT_EQ(gtk_window_get_window_type(FHost.GtkWindowOf(menu)), GTK_WINDOW_POPUP);
    FHost.DetachNativeView(view);
    g_object_unref(view);
}

TEST_F(GtkTest, CaptureGrabsThePointerUntilReleased) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(100, 100, 100, 100), clWhite);
    GdkDisplay* display = gdk_display_get_default();
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    FHost.SetCapture(window);
    EXPECT_EQ(FHost.Capture(), window);
    EXPECT_TRUE(gdk_display_device_is_grabbed(display, pointer));
    FHost.ReleaseCapture();
    EXPECT_EQ(FHost.Capture(), 0u);
    // GDK drops its record of the grab once the server has seen the ungrab.
    EXPECT_TRUE(WaitFor([&] { return !gdk_display_device_is_grabbed(display, pointer); }));
    // Hiding or destroying the captured window lets go as well.
    FHost.SetCapture(window);
    EXPECT_TRUE(gdk_display_device_is_grabbed(display, pointer));
    FHost.DestroyWindow(window);
    EXPECT_EQ(FHost.Capture(), 0u);
    EXPECT_TRUE(WaitFor([&] { return !gdk_display_device_is_grabbed(display, pointer); }));
}

TEST_F(GtkTest, CursorWorkAreaClockAndClipboard) {
    GdkDisplay* display = gdk_display_get_default();
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(display));
    gdk_device_warp(pointer, gdk_display_get_default_screen(display), 321, 234);
    Settle();
    EXPECT_EQ(FHost.CursorPos(), TPoint(321, 234));

    GdkRectangle geometry{};
    gdk_monitor_get_geometry(gdk_display_get_monitor(display, 0), &geometry);
    TRect work = FHost.WorkArea();
    EXPECT_FALSE(work.IsEmpty());
    EXPECT_LE(work.Width(), geometry.width);
    EXPECT_LE(work.Height(), geometry.height);

    uint64_t before = FHost.NowMs();
    EXPECT_FALSE(FHost.PumpEvents(60)) << "nothing happened but the wait";
    EXPECT_GE(FHost.NowMs() - before, 55u);

    FHost.SetClipboardText("剪贴板 text");
    EXPECT_EQ(FHost.ClipboardText(), "剪贴板 text");
}

TEST_F(GtkTest, PumpEventsReturnsAsSoonAsSomethingHappens) {
    bool ran = false;
    g_idle_add(
        [](gpointer flag) -> gboolean {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &ran);
    uint64_t before = FHost.NowMs();
    EXPECT_TRUE(FHost.PumpEvents(5000));
    EXPECT_TRUE(ran);
    EXPECT_LT(FHost.NowMs() - before, 1000u);
}
