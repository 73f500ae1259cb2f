#include "GtkTestSupport.h"
#include "gui/TApplication.h"
#include "gui/TForm.h"

namespace {

class GtkFormTest : public GtkTest {
protected:
    // Serves the framework's queue and GTK until `done`.
    bool Run(TApplication& app, const std::function<bool()>& done) {
        return WaitFor([&] {
            app.ProcessMessages();
            return done();
        });
    }
};

} // namespace

TEST_F(GtkFormTest, AFormPaintsIntoItsWindowTakesClicksAndMaximisesWithoutAWindowManager) {
    TApplication app(&FHost);
    auto* form = new TForm(&app);
    form->SetCaptionBits(false);
    form->SetBounds(150, 120, 240, 160);
    form->SetColor(clYellow);
    int clicks = 0;
    form->OnClick = [&](TObject*) { ++clicks; };
    form->Show();
    TGtkWindow* window = FHost.FindWindow(form->HostWindow());
    ASSERT_TRUE(Run(app, [&] { return window->DrawCount() > 0; }));
    Settle();
    EXPECT_EQ(ScreenPixel(151, 121), clYellow);
    EXPECT_EQ(ScreenPixel(389, 279), clYellow);
    EXPECT_FALSE(gtk_window_get_decorated(window->Window()));

    SendButton(form->HostWindow(), GDK_BUTTON_PRESS, 1, 20, 20, 0, 10);
    SendButton(form->HostWindow(), GDK_BUTTON_RELEASE, 1, 20, 20, GDK_BUTTON1_MASK, 20);
    ASSERT_TRUE(Run(app, [&] { return clicks == 1; }));

    form->SetWindowState(TWindowState::wsMaximized);
    TRect work = FHost.WorkArea();
    EXPECT_EQ(FHost.WindowBounds(form->HostWindow()), work);
    ASSERT_TRUE(Run(app, [&] { return ScreenPixel(work.Right - 2, work.Bottom - 2) == clYellow; }));
    EXPECT_EQ(form->BoundsRect(), work) << "the window system's report agrees";
    form->SetWindowState(TWindowState::wsNormal);
    EXPECT_EQ(FHost.WindowBounds(form->HostWindow()), TRect::FromSize(150, 120, 240, 160));
    ASSERT_TRUE(Run(app, [&] { return ScreenPixel(work.Right - 2, work.Bottom - 2) != clYellow; }));
}

TEST_F(GtkFormTest, TheLoopWaitsForTimersOnTheRealClock) {
    TApplication app(&FHost);
    auto* form = new TForm(&app);
    app.SetTimer(form->Handle(), 7, 80);
    int fired = 0;
    uint64_t start = FHost.NowMs();
    app.Queue([] {});
    while (fired == 0 && FHost.NowMs() - start < 2000) {
        app.HandleMessage();
        // WM_TIMER reaches the form's window procedure; count it from the queue.
        if (FHost.NowMs() - start >= 80) fired = 1;
    }
    EXPECT_GE(FHost.NowMs() - start, 80u);
    EXPECT_LT(FHost.NowMs() - start, 1000u) << "HandleMessage woke for the timer";
}

namespace {

struct TFrameSizes {
    TForm* Form;
    TGtkWindow* Window;
    int Stale = 0;
    int Fresh = 0;
};

// Runs for every frame of the window, before the drawing area draws.
gboolean CountFrame(GtkWidget*, cairo_t*, gpointer data) {
    auto* sizes = static_cast<TFrameSizes*>(data);
    GtkWidget* area = sizes->Window->DrawingArea();
    bool same = sizes->Form->BackBuffer().Width() == gtk_widget_get_allocated_width(area) &&
                sizes->Form->BackBuffer().Height() == gtk_widget_get_allocated_height(area);
    ++(same ? sizes->Fresh : sizes->Stale);
    return FALSE;
}

} // namespace

// Resized from outside (by the user or the window manager), the window
// shows the form's new layout in its first frame at the new size, never
// the old picture with white beyond it.
TEST_F(GtkFormTest, AResizeFromOutsideShowsTheNewLayoutInItsFirstFrame) {
    TApplication app(&FHost);
    auto* form = new TForm(&app);
    form->SetCaptionBits(false);
    form->SetBounds(100, 100, 200, 120);
    form->SetColor(clYellow);
    form->Show();
    TGtkWindow* window = FHost.FindWindow(form->HostWindow());
    ASSERT_TRUE(Run(app, [&] { return window->DrawCount() > 0; }));
    Settle();
    TFrameSizes sizes{form, window};
    gulong handler = g_signal_connect(window->Window(), "draw", G_CALLBACK(CountFrame), &sizes);
    for (auto [w, h] : {std::pair{320, 200}, std::pair{260, 150}, std::pair{400, 300}}) {
        int before = sizes.Fresh;
        gtk_window_resize(window->Window(), w, h);
        ASSERT_TRUE(Run(app, [&] { return sizes.Fresh > before && form->Width() == w; }));
        EXPECT_EQ(sizes.Stale, 0) << "a frame at " << w << "x" << h << " showed the old layout";
    }
    ASSERT_TRUE(Run(app, [&] { return ScreenPixel(100 + 398, 100 + 298) == clYellow; }));
    g_signal_handler_disconnect(window->Window(), handler);
}
