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
