#include <gtest/gtest.h>

#include <vector>

#include "GtkTestSupport.h"
#include "gui/host/gtk/TDrawPlan.h"

namespace {

TRegion Rects(std::initializer_list<TRect> rects) {
    return TRegion::FromRects(std::vector<TRect>(rects));
}

} // namespace

TEST(DrawPlan, ViewsAreCutOutOfWhatTheBufferPaints) {
    std::vector<TRect> views{TRect::FromSize(10, 30, 180, 100)};
    TDrawPlan plan = TDrawPlan::Make(TRegion({0, 0, 200, 150}), {200, 150}, {200, 150}, views);
    EXPECT_EQ(plan.Buffer, TRegion({0, 0, 200, 150}).Subtract(TRegion(views[0])));
    EXPECT_TRUE(plan.White.IsEmpty());
    EXPECT_FALSE(plan.Buffer.Contains(10, 30));
    EXPECT_FALSE(plan.Buffer.Contains(189, 129));
    EXPECT_TRUE(plan.Buffer.Contains(9, 30));
    EXPECT_TRUE(plan.Buffer.Contains(190, 129)) << "right edges are exclusive";
    EXPECT_TRUE(plan.Buffer.Contains(10, 130));

    // A frame of the page alone: nothing to paint at all, also when the
    // damage spans two views side by side.
    std::vector<TRect> two{TRect::FromSize(0, 0, 100, 100), TRect::FromSize(100, 0, 100, 100)};
    EXPECT_TRUE(TDrawPlan::Make(TRegion({50, 20, 150, 80}), {200, 100}, {200, 100}, two).IsEmpty());
    EXPECT_TRUE(TDrawPlan::Make(TRegion(), {200, 100}, {200, 100}, two).IsEmpty());
}

TEST(DrawPlan, OnlyTheClipIsPaintedAndNoViewsMeansAllOfIt) {
    TRegion clip = Rects({{0, 0, 40, 10}, {100, 50, 120, 60}});
    TDrawPlan plan = TDrawPlan::Make(clip, {200, 100}, {200, 100}, {});
    EXPECT_EQ(plan.Buffer, clip);
    std::vector<TRect> elsewhere{TRect::FromSize(150, 0, 50, 40)};
    EXPECT_EQ(TDrawPlan::Make(clip, {200, 100}, {200, 100}, elsewhere).Buffer, clip);
    // A clip crossing a view's edge keeps the part outside it.
    std::vector<TRect> view{TRect::FromSize(110, 40, 90, 60)};
    EXPECT_EQ(TDrawPlan::Make(clip, {200, 100}, {200, 100}, view).Buffer,
              Rects({{0, 0, 40, 10}, {100, 50, 110, 60}}));
}

TEST(DrawPlan, BeyondTheBufferIsWhiteExceptUnderViews) {
    // The window grew to 300x200 before the form's buffer (200x100) did.
    std::vector<TRect> view{TRect::FromSize(250, 0, 50, 50)};
    TDrawPlan plan = TDrawPlan::Make(TRegion({0, 0, 300, 200}), {200, 100}, {300, 200}, view);
    EXPECT_EQ(plan.Buffer, TRegion({0, 0, 200, 100}));
    EXPECT_EQ(plan.White, Rects({{200, 0, 250, 50}, {200, 50, 300, 100}, {0, 100, 300, 200}}));
    // A buffer larger than the area never paints past it.
    TDrawPlan shrunk = TDrawPlan::Make(TRegion({0, 0, 500, 500}), {400, 400}, {100, 80}, {});
    EXPECT_EQ(shrunk.Buffer, TRegion({0, 0, 100, 80}));
    EXPECT_TRUE(shrunk.White.IsEmpty());
    // No buffer yet: all white.
    TDrawPlan none = TDrawPlan::Make(TRegion({0, 0, 30, 30}), {0, 0}, {30, 30}, {});
    EXPECT_TRUE(none.Buffer.IsEmpty());
    EXPECT_EQ(none.White, TRegion({0, 0, 30, 30}));
}

// A view that paints nothing (like a blank page) shows the window's white
// background: the back buffer is not painted under it. Once the view is
// hidden or moved, the buffer shows there again.
TEST_F(GtkTest, NothingOfTheBackBufferIsPaintedUnderAShownView) {
    TRecordingClient& client = NewClient();
    THostWindow window = ShowWindow(client, TRect::FromSize(500, 300, 200, 150), clRed);
    GtkWidget* view = GTK_WIDGET(g_object_ref_sink(gtk_drawing_area_new()));
    gtk_widget_show(view);
    FHost.AttachNativeView(window, view);
    FHost.PlaceNativeView(view, TRect::FromSize(20, 10, 60, 40), true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(540, 330) == clWhite; }));
    FHost.PresentWindow(window, {0, 0, 200, 150});
    uint64_t draws = FHost.FindWindow(window)->DrawCount();
    ASSERT_TRUE(WaitFor([&] { return FHost.FindWindow(window)->DrawCount() > draws; }));
    Settle();
    EXPECT_EQ(ScreenPixel(520, 310), clWhite);
    EXPECT_EQ(ScreenPixel(579, 349), clWhite);
    EXPECT_EQ(ScreenPixel(580, 349), clRed);
    EXPECT_EQ(ScreenPixel(519, 310), clRed);
    EXPECT_EQ(ScreenPixel(520, 350), clRed);

    FHost.PlaceNativeView(view, TRect::FromSize(120, 90, 30, 30), true);
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(630, 400) == clWhite; }));
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(540, 330) == clRed; })) << "its old place";
    FHost.PlaceNativeView(view, TRect::FromSize(120, 90, 30, 30), false);
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(630, 400) == clRed; })) << "hidden";
    FHost.DetachNativeView(view);
    g_object_unref(view);
}
