#include <gtest/gtest.h>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "unit/graphics/PixelArt.h"

namespace {

struct CanvasFixture : ::testing::Test {
    TBitmap Bitmap;
    TCanvas& C = Bitmap.Canvas();
    void Start(int w, int h) {
        Bitmap.SetSize(w, h);
        C.Brush().SetColor(clWhite);
        C.FillRect(Bitmap.BoundsRect());
        C.Brush().SetColor(clRed);
        C.Pen().SetColor(clBlack);
        C.Pen().SetStyle(psSolid);
        C.Pen().SetWidth(1);
    }
};

using CanvasLines = CanvasFixture;
using CanvasFills = CanvasFixture;
using CanvasShapes = CanvasFixture;

} // namespace

TEST_F(CanvasFills, FillRectCoversLeftTopButNotRightBottom) {
    Start(6, 5);
    C.FillRect({1, 1, 4, 3});
    EXPECT_EQ(Art(Bitmap), Rows({"......", ".rrr..", ".rrr..", "......", "......"}));
    C.FillRect({5, 5, 2, 2});   // inverted: nothing
    C.FillRect({-3, -3, 1, 1}); // partly outside: clipped
    EXPECT_EQ(Art(Bitmap), Rows({"r.....", ".rrr..", ".rrr..", "......", "......"}));
    C.Brush().SetStyle(bsClear);
    C.FillRect(Bitmap.BoundsRect());
    EXPECT_EQ(CountPixels(Bitmap, clRed), 7);
}

TEST_F(CanvasFills, FrameRectIsOnePixelInsideTheRectangle) {
    Start(6, 5);
    C.Brush().SetColor(clBlue);
    C.FrameRect({1, 1, 5, 4});
    EXPECT_EQ(Art(Bitmap), Rows({"......", ".bbbb.", ".b..b.", ".bbbb.", "......"}));
    Start(3, 3);
    C.Brush().SetColor(clBlue);
    C.FrameRect({1, 0, 2, 3}); // one pixel wide
    EXPECT_EQ(Art(Bitmap), Rows({".b.", ".b.", ".b."}));
}

TEST_F(CanvasFills, PatternBrushTilesFromTheDeviceOrigin) {
    Start(5, 3);
    TBitmap checker(2, 2);
    checker.SetPixel(0, 0, clBlue);
    checker.SetPixel(1, 1, clBlue);
    checker.SetPixel(1, 0, clLime);
    checker.SetPixel(0, 1, clLime);
    C.Brush().SetBitmap(&checker);
    checker.SetPixel(0, 0, clRed); // the brush keeps its own copy
    C.SetOrigin({1, 0});           // does not move the pattern
    C.FillRect({0, 0, 4, 3});
    EXPECT_EQ(Art(Bitmap), Rows({".gbgb", ".bgbg", ".gbgb"}));
    C.Brush().SetBitmap(nullptr);
    EXPECT_EQ(C.Brush().Bitmap(), nullptr);
}

TEST_F(CanvasFills, BrushColourMakesAClearBrushSolid) {
    Start(2, 1);
    C.Brush().SetStyle(bsClear);
    C.Brush().SetColor(clBlue);
    EXPECT_EQ(C.Brush().Style(), bsSolid);
    C.FillRect({0, 0, 1, 1});
    C.Brush().SetColor(clNone);
    EXPECT_EQ(C.Brush().Style(), bsClear);
    C.FillRect({1, 0, 2, 1});
    EXPECT_EQ(Art(Bitmap), "b.\n");
}

TEST_F(CanvasLines, LineToLeavesOutTheLastPixel) {
    Start(5, 4);
    C.MoveTo(0, 1);
    C.LineTo(4, 1);
    EXPECT_EQ(C.PenPos(), TPoint(4, 1));
    C.MoveTo(4, 3);
    C.LineTo(0, 3); // right to left: leaves out x = 0
    EXPECT_EQ(Art(Bitmap), Rows({".....", "####.", ".....", ".####"}));
    Start(4, 4);
    C.MoveTo(0, 0);
    C.LineTo(3, 3);
    C.MoveTo(2, 2);
    C.LineTo(2, 2); // zero length: nothing
    EXPECT_EQ(Art(Bitmap), Rows({"#...", ".#..", "..#.", "...."}));
}

TEST_F(CanvasLines, BresenhamStepsAtTheHalfPixel) {
    Start(2, 5);
    C.MoveTo(0, 0);
    C.LineTo(1, 4);
    EXPECT_EQ(Art(Bitmap), Rows({"#.", "#.", ".#", ".#", ".."}));
    Start(7, 3);
    C.MoveTo(0, 0);
    C.LineTo(6, 2);
    EXPECT_EQ(Art(Bitmap), Rows({"##.....", "..###..", ".....#."}));
}

TEST_F(CanvasLines, PolylineJoinsWithoutGapsAndKeepsPenPos) {
    Start(4, 4);
    C.MoveTo(3, 0);
    const TPoint path[] = {{0, 0}, {3, 0}, {3, 3}, {0, 3}};
    C.Polyline(path);
    EXPECT_EQ(Art(Bitmap), Rows({"####", "...#", "...#", ".###"}));
    EXPECT_EQ(C.PenPos(), TPoint(3, 0));
    C.Polyline({}); // empty: nothing
}

TEST_F(CanvasLines, DottedAndDashedPens) {
    Start(14, 2);
    C.Pen().SetStyle(psDot);
    C.Brush().SetStyle(bsClear);
    C.MoveTo(0, 0);
    C.LineTo(14, 0);
    // Gaps take the brush colour when it is solid.
    C.Brush().SetColor(clBlue);
    C.MoveTo(0, 1);
    C.LineTo(14, 1);
    EXPECT_EQ(Art(Bitmap), Rows({"###...###...##", "###bbb###bbb##"}));
    Start(26, 1);
    C.Pen().SetStyle(psDash);
    C.Brush().SetStyle(bsClear);
    C.MoveTo(0, 0);
    C.LineTo(26, 0);
    EXPECT_EQ(Art(Bitmap), Rows({"##################......##"}));
    Start(3, 1);
    C.Pen().SetStyle(psClear);
    C.MoveTo(0, 0);
    C.LineTo(3, 0);
    EXPECT_EQ(Art(Bitmap), "...\n");
}

TEST_F(CanvasLines, WidePenCoversBothEnds) {
    Start(9, 5);
    C.Pen().SetWidth(3);
    C.MoveTo(2, 2);
    C.LineTo(6, 2);
    EXPECT_EQ(Art(Bitmap), Rows({".........", ".#######.", ".#######.", ".#######.", "........."}));
    C.Pen().SetWidth(0);
    EXPECT_EQ(C.Pen().Width(), 1);
}

TEST_F(CanvasShapes, RectangleOutlinesWithPenAndFillsWithBrush) {
    Start(6, 5);
    C.Rectangle(0, 0, 5, 4);
    EXPECT_EQ(Art(Bitmap), Rows({"#####.", "#rrr#.", "#rrr#.", "#####.", "......"}));
    // Swapped corners draw the same.
    Start(6, 5);
    C.Rectangle(5, 4, 0, 0);
    EXPECT_EQ(Art(Bitmap), Rows({"#####.", "#rrr#.", "#rrr#.", "#####.", "......"}));
    // Without a pen the fill is one pixel smaller to the right and bottom.
    Start(6, 5);
    C.Pen().SetStyle(psClear);
    C.Rectangle(0, 0, 5, 4);
    EXPECT_EQ(Art(Bitmap), Rows({"rrrr..", "rrrr..", "rrrr..", "......", "......"}));
    // A clear brush leaves the inside.
    Start(4, 3);
    C.Brush().SetStyle(bsClear);
    C.Rectangle(0, 0, 4, 3);
    EXPECT_EQ(Art(Bitmap), Rows({"####", "#..#", "####"}));
    Start(3, 2);
    C.Rectangle(1, 0, 2, 1);
    EXPECT_EQ(Art(Bitmap), Rows({".#.", "..."}));
}

TEST_F(CanvasShapes, EllipseFitsItsBoxAndIsSymmetric) {
    Start(13, 10);
    C.Ellipse(1, 1, 12, 9); // 11 x 8
    const TRect ink = InkBounds(Bitmap, clWhite);
    EXPECT_EQ(ink, TRect(1, 1, 12, 9));
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 13; ++x) {
            EXPECT_EQ(Bitmap.GetPixel(x, y), Bitmap.GetPixel(12 - x, y)) << x << "," << y;
            EXPECT_EQ(Bitmap.GetPixel(x, y), Bitmap.GetPixel(x, 9 - y)) << x << "," << y;
        }
    EXPECT_EQ(Bitmap.GetPixel(1, 1), clWhite); // corners stay outside
    EXPECT_EQ(Bitmap.GetPixel(1, 4), clBlack); // outline at the sides
    EXPECT_EQ(Bitmap.GetPixel(6, 4), clRed);   // brush inside
    // Closed: no red pixel touches a white one.
    for (int y = 1; y < 9; ++y)
        for (int x = 1; x < 12; ++x)
            if (Bitmap.GetPixel(x, y) == clRed) {
                for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                    EXPECT_NE(Bitmap.GetPixel(x + dx, y + dy), clWhite) << x << "," << y;
            }
}

TEST_F(CanvasShapes, SmallEllipsesAndPenlessEllipse) {
    Start(3, 3);
    C.Ellipse(0, 0, 3, 3);
    EXPECT_EQ(Art(Bitmap), Rows({".#.", "#r#", ".#."}));
    Start(4, 4);
    C.Pen().SetStyle(psClear);
    C.Ellipse(0, 0, 4, 4); // fills the 3 x 3 ellipse
    EXPECT_EQ(Art(Bitmap), Rows({".r..", "rrr.", ".r..", "...."}));
    Start(2, 2);
    C.Ellipse(0, 0, 0, 5);
    EXPECT_EQ(CountPixels(Bitmap, clWhite), 4);
}

TEST_F(CanvasShapes, RoundRectHasStraightEdgesAndCutCorners) {
    Start(12, 8);
    C.RoundRect(0, 0, 12, 8, 6, 6);
    EXPECT_EQ(Art(Bitmap), Rows({"..########..", ".#rrrrrrrr#.", "#rrrrrrrrrr#", "#rrrrrrrrrr#",
                                 "#rrrrrrrrrr#", "#rrrrrrrrrr#", ".#rrrrrrrr#.", "..########.."}));
    // A zero ellipse is a rectangle; an oversized one is clamped to the box.
    Start(5, 4);
    C.RoundRect(0, 0, 5, 4, 0, 0);
    EXPECT_EQ(Art(Bitmap), Rows({"#####", "#rrr#", "#rrr#", "#####"}));
    Start(6, 6);
    C.RoundRect(0, 0, 6, 6, 100, 100);
    TBitmap ellipse(6, 6);
    ellipse.Canvas().Brush().SetColor(clRed);
    ellipse.Canvas().Ellipse(0, 0, 6, 6);
    EXPECT_TRUE(Bitmap.SamePixels(ellipse));
}

TEST_F(CanvasShapes, PolygonFillMeetsItsOutline) {
    Start(10, 10);
    const TPoint triangle[] = {{1, 1}, {8, 1}, {1, 8}};
    C.Polygon(triangle);
    EXPECT_EQ(Art(Bitmap),
              Rows({"..........", ".########.", ".#rrrrr#..", ".#rrrr#...", ".#rrr#....",
                    ".#rr#.....", ".#r#......", ".##.......", ".#........", ".........."}));
    // Without a pen only the inside, top-left edges included.
    Start(6, 6);
    C.Pen().SetStyle(psClear);
    const TPoint square[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
    C.Polygon(square);
    EXPECT_EQ(Art(Bitmap), Rows({"......", ".rrr..", ".rrr..", ".rrr..", "......", "......"}));
}

TEST_F(CanvasShapes, ArcIsTheCounterClockwisePartOfTheEllipse) {
    Start(12, 12);
    C.Arc(0, 0, 12, 12, 12, 6, 6, 0); // from 3 o'clock up to 12 o'clock
    TBitmap full(12, 12);
    full.Canvas().Brush().SetStyle(bsClear);
    full.Canvas().Ellipse(0, 0, 12, 12);
    int drawn = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            if (Bitmap.GetPixel(x, y) != clBlack) continue;
            ++drawn;
            EXPECT_EQ(full.GetPixel(x, y), clBlack) << "off the ellipse at " << x << "," << y;
            EXPECT_TRUE(x >= 5 && y <= 6) << "outside the upper right quarter: " << x << "," << y;
        }
    EXPECT_EQ(drawn * 4, CountPixels(full, clBlack));
    // The other way round is the remaining three quarters.
    Start(12, 12);
    C.Arc(0, 0, 12, 12, 6, 0, 12, 6);
    EXPECT_EQ(Bitmap.GetPixel(0, 6), clBlack);
    EXPECT_EQ(Bitmap.GetPixel(11, 3), clWhite);
    // Equal rays: the whole ellipse.
    Start(12, 12);
    C.Arc(0, 0, 12, 12, 12, 6, 12, 6);
    EXPECT_TRUE(Bitmap.SamePixels(full));
}

TEST_F(CanvasShapes, PixelsReadAndWriteThroughTheOrigin) {
    Start(4, 4);
    C.SetOrigin({1, 2});
    C.SetPixel(0, 0, clBlue);
    EXPECT_EQ(Bitmap.GetPixel(1, 2), clBlue);
    EXPECT_EQ(C.Pixel(0, 0), clBlue);
    EXPECT_EQ(C.Pixel(-1, -2), clWhite);
    EXPECT_EQ(C.Pixel(3, 0), clNone);
    C.IntersectClipRect({1, 0, 2, 1});
    C.SetPixel(0, 1, clBlue); // outside the clip
    EXPECT_EQ(CountPixels(Bitmap, clBlue), 1);
}

TEST_F(CanvasShapes, AbsurdlyLargeCurvesAreNotTraced) {
    Start(4, 4);
    C.Ellipse(INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2);
    C.RoundRect(-200000, -200000, 200000, 200000, 10, 10);
    C.Arc(-200000, 0, 200000, 4, 0, 0, 1, 1);
    EXPECT_EQ(CountPixels(Bitmap, clWhite), 16);
    // Large but sane shapes are still drawn.
    C.Ellipse(-30000, -30000, 30000, 30000);
    EXPECT_EQ(CountPixels(Bitmap, clRed), 16);
}
