#include "GtkTestSupport.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cstdlib>
#include <string>

#include "gui/graphics/TCanvas.h"

bool GtkTest::FDisplay = false;

namespace {

// The test runner starts one process per test, several at once, on one
// display; tests that read the screen's pixels take turns. The lock goes
// with the process.
void TakeDisplayTurn() {
    const char* display = getenv("DISPLAY");
    std::string name = "/tmp/xf-gtk-tests";
    for (const char* p = display ? display : ""; *p; ++p)
        name += isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    int fd = open((name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd >= 0) flock(fd, LOCK_EX);
}

} // namespace

void GtkTest::SetUpTestSuite() {
    if (FDisplay) return;
    TakeDisplayTurn();
    // The simple input method is what a bare X display has; naming it keeps
    // a desktop's input method out of the tests.
    setenv("GTK_IM_MODULE", "gtk-im-context-simple", 1);
    gdk_set_allowed_backends("x11");
    // A busy display may turn a connection away for a moment.
    for (int attempt = 0; attempt < 10 && !FDisplay; ++attempt) {
        if (attempt) g_usleep(200 * 1000);
        FDisplay = gtk_init_check(nullptr, nullptr);
    }
}

void GtkTest::SetUp() {
    if (!FDisplay)
        GTEST_SKIP() << "no X display (DISPLAY=" << (getenv("DISPLAY") ? getenv("DISPLAY") : "")
                     << ")";
}

void GtkTest::TearDown() {
    Settle(10);
}

bool GtkTest::WaitFor(const std::function<bool()>& done, int timeoutMs) {
    gint64 end = g_get_monotonic_time() + gint64{timeoutMs} * 1000;
    while (!done()) {
        if (g_get_monotonic_time() > end) return false;
        FHost.PumpEvents(10);
    }
    return true;
}

void GtkTest::Settle(int ms) {
    if (!FDisplay) return;
    gdk_display_sync(gdk_display_get_default());
    gint64 end = g_get_monotonic_time() + gint64{ms} * 1000;
    while (g_get_monotonic_time() < end)
        FHost.PumpEvents(5);
}

THostWindow GtkTest::ShowWindow(TRecordingClient& client, const TRect& bounds, TColor color) {
    client.Buffer.SetSize(bounds.Width(), bounds.Height());
    client.Buffer.Canvas().Brush().SetColor(color);
    client.Buffer.Canvas().FillRect(client.Buffer.BoundsRect());
    THostWindow window = FHost.CreateWindow(TWindowKind::TopLevel, &client);
    FHost.SetWindowDecorated(window, false);
    FHost.SetWindowBounds(window, bounds);
    FHost.SetWindowVisible(window, true);
    EXPECT_TRUE(WaitForDraw(window));
    return window;
}

bool GtkTest::WaitForDraw(THostWindow window) {
    TGtkWindow* w = FHost.FindWindow(window);
    uint64_t before = w->DrawCount();
    bool drawn = WaitFor([&] { return w->Mapped() && w->DrawCount() > before; });
    Settle(30);
    return drawn;
}

TColor GtkTest::ScreenPixel(int x, int y) {
    gdk_display_sync(gdk_display_get_default());
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), x, y, 1, 1);
    if (!pixbuf) return clNone;
    const guchar* p = gdk_pixbuf_read_pixels(pixbuf);
    TColor color = RGB(p[0], p[1], p[2]);
    g_object_unref(pixbuf);
    return color;
}

namespace {

GdkDevice* SeatDevice(bool keyboard) {
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    return keyboard ? gdk_seat_get_keyboard(seat) : gdk_seat_get_pointer(seat);
}

} // namespace

void GtkTest::SendKey(THostWindow window, guint keyval, guint16 keycode, guint state, bool press) {
    GtkWidget* toplevel = GTK_WIDGET(FHost.GtkWindowOf(window));
    GdkEvent* event = gdk_event_new(press ? GDK_KEY_PRESS : GDK_KEY_RELEASE);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(toplevel)));
    event->key.send_event = TRUE;
    event->key.time = GDK_CURRENT_TIME;
    event->key.state = state;
    event->key.keyval = keyval;
    event->key.hardware_keycode = keycode;
    gdk_event_set_device(event, SeatDevice(true));
    gtk_widget_event(toplevel, event);
    gdk_event_free(event);
}

void GtkTest::SendButton(THostWindow window, GdkEventType type, guint button, double x, double y,
                         guint state, guint32 time) {
    GtkWidget* area = FHost.FindWindow(window)->DrawingArea();
    GdkEvent* event = gdk_event_new(type);
    event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
    event->button.send_event = TRUE;
    event->button.time = time;
    event->button.x = x;
    event->button.y = y;
    TRect bounds = FHost.WindowBounds(window);
    event->button.x_root = bounds.Left + x;
    event->button.y_root = bounds.Top + y;
    event->button.button = button;
    event->button.state = state;
    gdk_event_set_device(event, SeatDevice(false));
    gtk_widget_event(area, event);
    gdk_event_free(event);
}

void GtkTest::SendScroll(THostWindow window, GdkScrollDirection direction, double x, double y) {
    GtkWidget* area = FHost.FindWindow(window)->DrawingArea();
    GdkEvent* event = gdk_event_new(GDK_SCROLL);
    event->scroll.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
    event->scroll.send_event = TRUE;
    event->scroll.direction = direction;
    event->scroll.x = x;
    event->scroll.y = y;
    gdk_event_set_device(event, SeatDevice(false));
    gtk_widget_event(area, event);
    gdk_event_free(event);
}

void GtkTest::SendLeave(THostWindow window, GdkCrossingMode mode) {
    GtkWidget* area = FHost.FindWindow(window)->DrawingArea();
    GdkEvent* event = gdk_event_new(GDK_LEAVE_NOTIFY);
    event->crossing.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(area)));
    event->crossing.send_event = TRUE;
    event->crossing.mode = mode;
    event->crossing.detail = GDK_NOTIFY_ANCESTOR;
    gdk_event_set_device(event, SeatDevice(false));
    gtk_widget_event(area, event);
    gdk_event_free(event);
}
