#include <gtest/gtest.h>

#include <cstring>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "unit/graphics/PixelArt.h"

namespace {

// A bitmap from a picture: '.' white, '#' black, 'r' red, 'g' lime, 'b' blue.
void Load(TBitmap& b, std::initializer_list<const char*> rows) {
    const int h = static_cast<int>(rows.size());
    const int w = h ? static_cast<int>(std::strlen(*rows.begin())) : 0;
    b.SetSize(w, h);
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; x < w; ++x) {
            const char ch = row[x];
            b.SetPixel(x, y,
                       ch == '#'   ? clBlack
                       : ch == 'r' ? clRed
                       : ch == 'g' ? clLime
                       : ch == 'b' ? clBlue
                                   : clWhite);
        }
        ++y;
    }
}

} // namespace

TEST(CanvasDraw, CopiesPixelsExactlyAndClipsAtTheEdges) {
    TBitmap target, source;
    Load(target, {"....", "....", "...."});
    Load(source, {"rgb", "b#r"});
    target.Canvas().Draw(-1, 1, source);
    EXPECT_EQ(Art(target), Rows({"....", "gb..", "#r.."}));
    target.Canvas().Draw(3, -1, source);
    EXPECT_EQ(Art(target), Rows({"...b", "gb..", "#r.."}));
    target.Canvas().Draw(4, 0, source); // entirely outside
    target.Canvas().Draw(0, 0, target); // onto itself
    EXPECT_EQ(Art(target), Rows({"...b", "gb..", "#r.."}));
}

TEST(CanvasDraw, TransparentBitmapsLeaveTheirKeyColourOut) {
    TBitmap target, source;
    Load(target, {"###", "###"});
    Load(source, {"rgr", "bgr"});
    source.SetTransparent(true);
    source.SetTransparentColor(clRed);
    target.Canvas().Draw(0, 0, source);
    EXPECT_EQ(Art(target), Rows({"#g#", "bg#"}));
    // Automatic key: the bottom-left pixel.
    Load(target, {"###", "###"});
    source.SetTransparentMode(tmAuto);
    target.Canvas().Draw(0, 0, source);
    EXPECT_EQ(Art(target), Rows({"rgr", "#gr"}));
    // Not transparent: everything.
    source.SetTransparent(false);
    target.Canvas().Draw(0, 0, source);
    EXPECT_EQ(Art(target), Rows({"rgr", "bgr"}));
}

TEST(CanvasDraw, StretchDrawIsNearestNeighbour) {
    TBitmap target, source;
    Load(source, {"rb"});
    Load(target, {"....", "....", "...."});
    target.Canvas().StretchDraw({0, 0, 4, 2}, source);
    EXPECT_EQ(Art(target), Rows({"rrbb", "rrbb", "...."}));
    // Shrinking takes the pixel under each target pixel's centre.
    Load(source, {"rgb#"});
    Load(target, {"..."});
    target.Canvas().StretchDraw({0, 0, 2, 1}, source);
    EXPECT_EQ(Art(target), Rows({"g#."}));
    // Uneven growth spreads the extra pixels evenly.
    Load(source, {"rgb"});
    Load(target, {"........"});
    target.Canvas().StretchDraw({0, 0, 7, 1}, source);
    EXPECT_EQ(Art(target), Rows({"rrgggbb."}));
    // A one pixel source fills any rectangle.
    Load(source, {"g"});
    Load(target, {"...", "..."});
    target.Canvas().StretchDraw({1, 0, 3, 2}, source);
    EXPECT_EQ(Art(target), Rows({".gg", ".gg"}));
    target.Canvas().StretchDraw({3, 0, 1, 2}, source); // inverted: nothing
    EXPECT_EQ(CountPixels(target, clLime), 4);
}

TEST(CanvasDraw, StretchDrawHonoursTransparencyAndClip) {
    TBitmap target, source;
    Load(source, {"rb", "b."});
    source.SetTransparent(true);
    source.SetTransparentColor(clBlue);
    Load(target, {"####", "####", "####", "####"});
    target.Canvas().IntersectClipRect({0, 0, 4, 3});
    target.Canvas().StretchDraw({0, 0, 4, 4}, source);
    EXPECT_EQ(Art(target), Rows({"rr##", "rr##", "##..", "####"}));
}

TEST(CanvasDraw, TransparentStretchTakesAPartOfAStrip) {
    TBitmap target, strip;
    Load(strip, {"rrgbgg", "rgggbg"}); // two 3 x 2 frames
    Load(target, {"...", "..."});
    target.Canvas().TransparentStretch({0, 0, 3, 2}, strip, {3, 0, 6, 2}, clLime);
    EXPECT_EQ(Art(target), Rows({"b..", ".b."}));
    target.Canvas().TransparentStretch({0, 0, 3, 2}, strip, {0, 0, 3, 2}, clNone);
    EXPECT_EQ(Art(target), Rows({"rrg", "rgg"}));
}

TEST(CanvasCopyRect, UsesTheSourceOriginAndStretches) {
    TBitmap target, source;
    Load(source, {"....", ".rg.", ".b#."});
    Load(target, {"....", "...."});
    TCanvas& from = source.Canvas();
    from.SetOrigin({1, 1});
    from.IntersectClipRect({0, 0, 1, 1}); // the source clip does not matter
    target.Canvas().CopyRect({0, 0, 2, 2}, from, {0, 0, 2, 2});
    EXPECT_EQ(Art(target), Rows({"rg..", "b#.."}));
    target.Canvas().CopyRect({0, 0, 4, 2}, from, {0, 0, 2, 1});
    EXPECT_EQ(Art(target), Rows({"rrgg", "rrgg"}));
}

TEST(CanvasCopyRect, OverlappingCopyOnOneCanvasUsesTheOldPixels) {
    TBitmap b;
    Load(b, {"rgb#.", "....."});
    b.Canvas().CopyRect({1, 0, 5, 1}, b.Canvas(), {0, 0, 4, 1});
    EXPECT_EQ(Art(b), Rows({"rrgb#", "....."}));
    b.Canvas().CopyRect({0, 0, 4, 1}, b.Canvas(), {1, 0, 5, 1});
    EXPECT_EQ(Art(b), Rows({"rgb##", "....."}));
}

TEST(CanvasCopyRect, PixelsFromOutsideTheSourceAreLeftAlone) {
    TBitmap target, source;
    Load(source, {"rg"});
    Load(target, {"####"});
    target.Canvas().CopyRect({0, 0, 4, 1}, source.Canvas(), {-1, 0, 3, 1});
    EXPECT_EQ(Art(target), Rows({"#rg#"}));
}

TEST(CanvasDraw, GreyedDrawingEtchesDarkPixels) {
    const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow),
                 light = ColorToRGB(clBtnHighlight);
    TBitmap target(4, 4), glyph;
    target.Canvas().Brush().SetColor(clBtnFace);
    target.Canvas().FillRect(target.BoundsRect());
    Load(glyph, {"r..", ".#.", "..."});
    glyph.SetPixel(2, 0, RGB(255, 255, 200)); // light: vanishes
    glyph.SetTransparent(true);               // white key from the bottom-left
    target.Canvas().DrawGreyed(0, 0, glyph);
    const std::map<TColor, char> legend{{face, '.'}, {shadow, 's'}, {light, 'h'}};
    EXPECT_EQ(Art(target, legend), Rows({"s...", ".s..", "..h.", "...."}));
}
