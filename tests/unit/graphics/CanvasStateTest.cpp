#include <gtest/gtest.h>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "unit/graphics/PixelArt.h"

namespace {

void Paper(TBitmap& b, int w, int h) {
    b.SetSize(w, h);
    b.Canvas().ResetClip();
    b.Canvas().SetOrigin({0, 0});
    b.Canvas().Brush().SetColor(clWhite);
    b.Canvas().FillRect(b.BoundsRect());
    b.Canvas().Brush().SetColor(clRed);
}

} // namespace

TEST(CanvasClip, IntersectAndExcludeLimitEveryPrimitive) {
    TBitmap b;
    Paper(b, 6, 4);
    TCanvas& c = b.Canvas();
    c.IntersectClipRect({1, 0, 5, 4});
    c.ExcludeClipRect({2, 1, 4, 3});
    c.FillRect({0, 0, 6, 4});
    EXPECT_EQ(Art(b), Rows({".rrrr.", ".r..r.", ".r..r.", ".rrrr."}));
    Paper(b, 6, 4);
    c.IntersectClipRect({1, 0, 5, 4});
    c.ExcludeClipRect({2, 1, 4, 3});
    c.Pen().SetColor(clBlue);
    c.Ellipse(-10, -10, 20, 20);
    c.Pen().SetColor(clBlack);
    c.MoveTo(0, 1);
    c.LineTo(6, 1);
    EXPECT_EQ(b.GetPixel(0, 1), clWhite);
    EXPECT_EQ(b.GetPixel(1, 1), clBlack);
    EXPECT_EQ(b.GetPixel(2, 1), clWhite);
    EXPECT_EQ(b.GetPixel(5, 1), clWhite);
    EXPECT_EQ(b.GetPixel(1, 0), clRed);
}

TEST(CanvasClip, ExcludeWithoutAClipKeepsTheRest) {
    TBitmap b;
    Paper(b, 4, 2);
    b.Canvas().ExcludeClipRect({1, 0, 3, 1});
    b.Canvas().FillRect(b.BoundsRect());
    EXPECT_EQ(Art(b), Rows({"r..r", "rrrr"}));
}

TEST(CanvasClip, SelectClipRegionReplacesTheClip) {
    TBitmap b;
    Paper(b, 5, 3);
    TCanvas& c = b.Canvas();
    c.IntersectClipRect({0, 0, 1, 1});
    const TRect parts[] = {{0, 0, 2, 1}, {3, 2, 5, 3}};
    c.SelectClipRegion(TRegion::FromRects(parts));
    c.FillRect({0, 0, 5, 3});
    EXPECT_EQ(Art(b), Rows({"rr...", ".....", "...rr"}));
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 5, 3));
    c.ResetClip();
    c.FillRect({2, 1, 3, 2});
    EXPECT_EQ(b.GetPixel(2, 1), clRed);
    EXPECT_EQ(c.ClipRegion(), TRegion(b.BoundsRect()));
}

TEST(CanvasClip, ClipRectIsLogicalAndLimitedToTheBitmap) {
    TBitmap b;
    Paper(b, 10, 8);
    TCanvas& c = b.Canvas();
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 10, 8));
    c.SetOrigin({3, 2});
    EXPECT_EQ(c.ClipRect(), TRect(-3, -2, 7, 6));
    c.IntersectClipRect({0, 0, 100, 100});
    EXPECT_EQ(c.ClipRect(), TRect(0, 0, 7, 6));
    // The clip stays on its device pixels when the origin moves on.
    c.MoveOrigin(1, 1);
    EXPECT_EQ(c.ClipRect(), TRect(-1, -1, 6, 5));
    c.IntersectClipRect({50, 50, 60, 60});
    EXPECT_TRUE(c.ClipRect().Width() == 0);
    c.FillRect({-100, -100, 100, 100});
    EXPECT_EQ(CountPixels(b, clRed), 0);
}

TEST(CanvasOrigin, EveryPrimitiveIsOffsetByTheOrigin) {
    TBitmap b, dot(1, 1);
    Paper(b, 6, 5);
    TCanvas& c = b.Canvas();
    c.SetOrigin({2, 1});
    c.FillRect({0, 0, 2, 1});
    c.MoveTo(0, 2);
    c.LineTo(3, 2);
    dot.SetPixel(0, 0, clBlue);
    c.Draw(-2, 3, dot);
    c.Brush().SetColor(clLime);
    c.FrameRect({2, 0, 3, 1});
    EXPECT_EQ(Art(b), Rows({"......", "..rrg.", "......", "..###.", "b....."}));
    EXPECT_EQ(c.PenPos(), TPoint(3, 2));
}

TEST(CanvasSaveRestore, RestoresPenBrushFontOriginClipAndPenPos) {
    TBitmap b;
    Paper(b, 8, 8);
    TCanvas& c = b.Canvas();
    int fontChanges = 0;
    c.Font().OnChange = [&] { ++fontChanges; };
    c.MoveTo(1, 1);
    c.Save();
    c.Pen().SetColor(clBlue);
    c.Pen().SetWidth(3);
    c.Brush().SetStyle(bsClear);
    c.Font().SetName("Tahoma");
    c.Font().SetStyle({fsBold});
    c.SetOrigin({4, 4});
    c.IntersectClipRect({0, 0, 1, 1});
    c.MoveTo(7, 7);
    c.Restore();
    EXPECT_EQ(c.Pen().Color(), clBlack);
    EXPECT_EQ(c.Pen().Width(), 1);
    EXPECT_EQ(c.Brush().Style(), bsSolid);
    EXPECT_EQ(c.Brush().Color(), clRed);
    EXPECT_EQ(c.Font().Name(), "宋体");
    EXPECT_TRUE(c.Font().Style().Empty());
    EXPECT_EQ(c.Origin(), TPoint(0, 0));
    EXPECT_EQ(c.ClipRect(), b.BoundsRect());
    EXPECT_EQ(c.PenPos(), TPoint(1, 1));
    // The font's own handler survives and hears about the restore.
    EXPECT_EQ(fontChanges, 3);
    c.FillRect({0, 0, 8, 8});
    EXPECT_EQ(CountPixels(b, clRed), 64);
    c.Restore(); // nothing saved: no effect
    EXPECT_EQ(c.SaveDepth(), 0);
}

TEST(CanvasSaveRestore, SaverNestsAndUnwindsOnExceptions) {
    TBitmap b;
    Paper(b, 4, 4);
    TCanvas& c = b.Canvas();
    {
        TCanvasSaver outer(c);
        c.SetOrigin({1, 1});
        {
            TCanvasSaver inner(c);
            c.IntersectClipRect({0, 0, 1, 1});
            EXPECT_EQ(c.SaveDepth(), 2);
        }
        EXPECT_EQ(c.ClipRect(), TRect(-1, -1, 3, 3));
        EXPECT_EQ(c.Origin(), TPoint(1, 1));
    }
    EXPECT_EQ(c.Origin(), TPoint(0, 0));
    try {
        TCanvasSaver saver(c);
        c.SetOrigin({2, 2});
        throw std::runtime_error("paint failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(c.Origin(), TPoint(0, 0));
    EXPECT_EQ(c.SaveDepth(), 0);
}

TEST(CanvasSaveRestore, ClipFollowsTheBitmapWhenItGrows) {
    TBitmap b;
    Paper(b, 2, 2);
    TCanvas& c = b.Canvas();
    c.FillRect({0, 0, 1, 1});
    b.SetSize(4, 4);
    c.FillRect({0, 0, 4, 4});
    EXPECT_EQ(CountPixels(b, clRed), 16);
}
