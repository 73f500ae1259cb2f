#include <gtest/gtest.h>

#include "ThemeTestSupport.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"

using namespace skintheme_test;

namespace {

constexpr TColor Magenta = RGB(255, 0, 255);

// A strip whose pixels carry their column: red + 256 * green = x.
void ColumnStrip(TBitmap& strip, int width, int height) {
    strip.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            strip.SetPixel(x, y, RGB(x & 0xFF, x >> 8, y));
}

int ColumnOf(const TBitmap& bitmap, int x, int y) {
    const TColor c = bitmap.GetPixel(x, y);
    return GetRValue(c) + 256 * GetGValue(c);
}

std::string NineSlice(const TBitmap& source, int width, int height, bool transparent) {
    TBitmap target;
    Fill(target, width, height, Marker);
    DrawNineSlice(source, target.Canvas(), {0, 0, width, height}, transparent);
    return SourceMap(target);
}

std::string Join(std::initializer_list<const char*> rows) {
    std::string out;
    for (const char* r : rows)
        out.append(r).push_back('\n');
    return out;
}

} // namespace

TEST(SplitBitmap, CutsEqualFramesFromTheLeft) {
    TBitmap strip, frame;
    ColumnStrip(strip, 378, 21);
    SplitBitmap(strip, frame, 18, 1);
    ASSERT_EQ(frame.Width(), 21);
    ASSERT_EQ(frame.Height(), 21);
    EXPECT_EQ(ColumnOf(frame, 0, 0), 0);
    EXPECT_EQ(ColumnOf(frame, 20, 20), 20);
    EXPECT_EQ(GetBValue(frame.GetPixel(3, 20)), 20); // full height, rows in place

    SplitBitmap(strip, frame, 18, 18);
    EXPECT_EQ(ColumnOf(frame, 0, 5), 357);
    EXPECT_EQ(ColumnOf(frame, 20, 5), 377);
}

TEST(SplitBitmap, LeftoverColumnsAreNeverUsed) {
    TBitmap strip, frame;
    ColumnStrip(strip, 100, 2);
    SplitBitmap(strip, frame, 3, 3);
    ASSERT_EQ(frame.Width(), 33);
    EXPECT_EQ(ColumnOf(frame, 0, 0), 66);
    EXPECT_EQ(ColumnOf(frame, 32, 1), 98);
}

TEST(SplitBitmap, DestinationKeepsItsTransparencyAndMayBeTheSource) {
    TBitmap strip;
    ColumnStrip(strip, 40, 3);
    strip.SetTransparent(true);
    strip.SetTransparentColor(clLime);
    SplitBitmap(strip, strip, 4, 2);
    EXPECT_EQ(strip.Width(), 10);
    EXPECT_EQ(ColumnOf(strip, 0, 0), 10);
    EXPECT_TRUE(strip.Transparent());
    EXPECT_EQ(strip.TransparentColor(), clLime);
}

TEST(SplitBitmap, OutOfRangeRequests) {
    TBitmap strip, frame;
    ColumnStrip(strip, 30, 2);
    SplitBitmap(strip, frame, 3, 4); // past the last frame: frame-sized, nothing copied
    ASSERT_EQ(frame.Width(), 10);
    EXPECT_EQ(frame.GetPixel(0, 0), clWhite);
    frame.SetSize(5, 5);
    SplitBitmap(strip, frame, 0, 1); // no frames at all: left alone
    EXPECT_EQ(frame.Width(), 5);
    SplitBitmap(strip, frame, 31, 1); // frames narrower than a pixel
    EXPECT_TRUE(frame.Empty());
}

// A 7 x 5 picture (odd height) into 12 x 8: corners at natural size, the
// left edge from row 2, the right edge from row 3, the centre stopping a
// row short and the bottom edge starting a pixel left of and above where
// the corners end.
TEST(DrawNineSlice, OddHeightPlacesEveryPieceExactly) {
    TBitmap source;
    FillCoordinates(source, 7, 5);
    EXPECT_EQ(NineSlice(source, 12, 8, true),
              Join({"00 10 20 30 30 30 40 40 40 40 50 60", "01 11 21 31 31 31 41 41 41 41 51 61",
                    "02 12 22 32 32 32 42 42 42 42 53 63", "02 12 22 32 32 32 42 42 42 42 53 63",
                    "02 12 22 32 32 32 42 42 42 42 53 63", "02 12 22 32 32 32 42 42 42 42 53 63",
                    "02 12 33 33 33 33 43 43 43 43 53 63", "04 14 34 34 34 34 44 44 44 44 54 64"}));
}

TEST(DrawNineSlice, EvenHeightHasNoLeftEdgeButARightOne) {
    TBitmap source;
    FillCoordinates(source, 7, 4);
    EXPECT_EQ(NineSlice(source, 12, 8, true),
              Join({"00 10 20 30 30 30 40 40 40 40 50 60", "01 11 21 31 31 31 41 41 41 41 51 61",
                    ".. .. .. .. .. .. .. .. .. .. 52 62", ".. .. .. .. .. .. .. .. .. .. 52 62",
                    ".. .. .. .. .. .. .. .. .. .. 53 63", ".. .. .. .. .. .. .. .. .. .. 53 63",
                    ".. .. 32 32 32 32 42 42 42 42 53 63", "03 13 33 33 33 33 43 43 43 43 53 63"}));
}

TEST(DrawNineSlice, SmallTargetCutsCornersToHalfAndSkipsEmptyPieces) {
    TBitmap source;
    FillCoordinates(source, 7, 5);
    EXPECT_EQ(NineSlice(source, 4, 4, true),
              Join({"00 10 40 60", "01 11 41 61", "02 33 43 63", "04 34 44 64"}));
    // 2 x 2: one top-left pixel, no right-hand corners, no centre.
    EXPECT_EQ(NineSlice(source, 2, 2, true), Join({"00 40", "34 44"}));
}

TEST(DrawNineSlice, MagentaCornersFollowTheFlagEdgesAlwaysTransparent) {
    TBitmap source;
    FillCoordinates(source, 7, 5);
    source.SetPixel(0, 0, Magenta); // top-left corner
    source.SetPixel(1, 2, Magenta); // left edge row
    source.SetPixel(4, 2, Magenta); // centre row

    TBitmap target;
    Fill(target, 12, 8, Marker);
    DrawNineSlice(source, target.Canvas(), {0, 0, 12, 8}, false);
    EXPECT_EQ(target.GetPixel(0, 0), Magenta);
    EXPECT_EQ(target.GetPixel(1, 4), Marker);
    EXPECT_EQ(target.GetPixel(7, 4), Marker);
    EXPECT_EQ(target.GetPixel(4, 4), Coord(3, 2));

    Fill(target, 12, 8, Marker);
    DrawNineSlice(source, target.Canvas(), {0, 0, 12, 8}, true);
    EXPECT_EQ(target.GetPixel(0, 0), Marker);
    EXPECT_EQ(target.GetPixel(1, 0), Coord(1, 0));
}

TEST(DrawNineSlice, RectAwayFromTheOriginMovesThePieces) {
    TBitmap source, atOrigin, moved;
    FillCoordinates(source, 7, 5);
    Fill(atOrigin, 12, 8, Marker);
    Fill(moved, 15, 10, Marker);
    DrawNineSlice(source, atOrigin.Canvas(), {0, 0, 12, 8}, true);
    DrawNineSlice(source, moved.Canvas(), {3, 2, 15, 10}, true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(moved.GetPixel(x + 3, y + 2), atOrigin.GetPixel(x, y)) << x << "," << y;
    EXPECT_EQ(moved.GetPixel(2, 2), Marker);
}

TEST(DrawThreeSlice, EndsAtNaturalSizeMiddleStretchedWithoutTransparency) {
    TBitmap source;
    FillCoordinates(source, 9, 2);
    source.SetPixel(1, 1, Magenta); // left third
    source.SetPixel(4, 0, Magenta); // middle third: drawn all the same
    source.SetPixel(7, 1, Magenta); // right third

    TBitmap target;
    Fill(target, 16, 3, Marker);
    DrawThreeSlice(source, target.Canvas(), {1, 0, 15, 3}, false);
    // Frame 1 at the left, frame 3 against the right, each two rows high;
    // the middle third stretched over 4..11 and all three rows.
    EXPECT_EQ(SourceMap(target), Join({".. 00 10 20 30 30 30 ?? ?? 50 50 50 60 70 80 ..",
                                       ".. 01 .. 21 31 31 31 41 41 51 51 51 61 .. 81 ..",
                                       ".. .. .. .. 31 31 31 41 41 51 51 51 .. .. .. .."}));
    EXPECT_EQ(target.GetPixel(7, 0), Magenta);
}

TEST(DrawThreeSlice, CornerPixelNamesTheTransparentColour) {
    TBitmap source;
    FillCoordinates(source, 9, 2);
    source.SetPixel(0, 0, clLime);
    source.SetPixel(2, 1, clLime);
    source.SetPixel(1, 1, Magenta);
    TBitmap target;
    Fill(target, 12, 2, Marker);
    DrawThreeSlice(source, target.Canvas(), {0, 0, 12, 2}, true);
    EXPECT_EQ(target.GetPixel(0, 0), Marker);
    EXPECT_EQ(target.GetPixel(2, 1), Marker);
    EXPECT_EQ(target.GetPixel(1, 1), Magenta);
}

TEST(TileDraw, StartsAtTheCanvasOriginAndCoversTheSize) {
    TBitmap tile, target;
    Fill(tile, 10, 10, clBlue);
    tile.SetPixel(0, 0, clRed);
    Fill(target, 45, 45, clWhite);
    TileDraw(target.Canvas(), tile, {5, 5, 25, 25});
    for (int y = 0; y < 45; y += 10)
        for (int x = 0; x < 45; x += 10)
            EXPECT_EQ(target.GetPixel(x, y) == clRed, x <= 20 && y <= 20) << x << "," << y;
    EXPECT_EQ(target.GetPixel(29, 29), clBlue);
    EXPECT_EQ(target.GetPixel(30, 5), clWhite);
}

TEST(TileDraw, HonoursTransparencyAndIgnoresAnEmptyPicture) {
    TBitmap tile, target;
    Fill(tile, 2, 2, clBlue);
    tile.SetPixel(1, 1, clLime);
    tile.SetTransparent(true);
    tile.SetTransparentColor(clLime);
    Fill(target, 4, 4, clWhite);
    TileDraw(target.Canvas(), tile, {0, 0, 1, 1});
    EXPECT_EQ(target.GetPixel(1, 1), clWhite);
    EXPECT_EQ(target.GetPixel(2, 2), clBlue);
    TBitmap empty;
    TileDraw(target.Canvas(), empty, {0, 0, 4, 4}); // must return
}

TEST(RotateBitmap, QuarterTurnsOfAStrip) {
    TBitmap b;
    FillCoordinates(b, 3, 1);
    RotateBitmapRight(b);
    ASSERT_EQ(b.Width(), 1);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_EQ(b.GetPixel(0, 0), Coord(0, 0));
    EXPECT_EQ(b.GetPixel(0, 2), Coord(2, 0));

    FillCoordinates(b, 3, 1);
    RotateBitmapLeft(b);
    ASSERT_EQ(b.Width(), 1);
    EXPECT_EQ(b.GetPixel(0, 0), Coord(2, 0));
    EXPECT_EQ(b.GetPixel(0, 2), Coord(0, 0));
}

TEST(RotateBitmap, EveryPixelOfARectangleAndBackAgain) {
    TBitmap b;
    FillCoordinates(b, 4, 3);
    b.SetTransparent(true);
    RotateBitmapLeft(b);
    ASSERT_EQ(b.Width(), 3);
    ASSERT_EQ(b.Height(), 4);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(b.GetPixel(y, 4 - 1 - x), Coord(x, y));
    EXPECT_TRUE(b.Transparent());
    RotateBitmapRight(b);
    TBitmap original;
    FillCoordinates(original, 4, 3);
    EXPECT_TRUE(b.SamePixels(original));
}
