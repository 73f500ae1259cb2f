// Painting on a layer and flattening it: the colour key, the soft edges
// blended over the backdrop, and pixels that must never become the key.
#include <gtest/gtest.h>

#include <memory>

#include "tools/stylepics/TLayer.h"

using namespace stylepics;

namespace {

constexpr TColor Magenta = RGB(255, 0, 255);

std::unique_ptr<TBitmap> Flatten(const TLayer& layer, TRgba backdrop, float threshold = 0.5f) {
    auto out = std::make_unique<TBitmap>(layer.Width(), layer.Height());
    layer.FlattenInto(*out, 0, 0, backdrop, threshold);
    return out;
}

TEST(StyleLayer, UncoveredPixelsBecomeTheKey) {
    TLayer layer(4, 3);
    layer.Fill(Box(1, 1, 3, 2), Rgb(10, 20, 30));
    const auto out = Flatten(layer, Rgb(255, 255, 255));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool inside = y == 1 && (x == 1 || x == 2);
            EXPECT_EQ(out->GetPixel(x, y), inside ? RGB(10, 20, 30) : Magenta) << x << "," << y;
        }
}

TEST(StyleLayer, PartCoverBlendsOverTheBackdropAboveTheThreshold) {
    TLayer layer(3, 1);
    layer.Put(0, 0, Rgb(0, 0, 0, 0.75f));
    layer.Put(1, 0, Rgb(0, 0, 0, 0.25f));
    layer.Put(2, 0, Rgb(0, 0, 0, 0.5f));
    const auto out = Flatten(layer, Rgb(200, 200, 200));
    EXPECT_EQ(out->GetPixel(0, 0), RGB(50, 50, 50));
    EXPECT_EQ(out->GetPixel(1, 0), Magenta);
    EXPECT_EQ(out->GetPixel(2, 0), RGB(100, 100, 100));
    // With a lower threshold the faint pixel is kept, blended.
    EXPECT_EQ(Flatten(layer, Rgb(200, 200, 200), 0.2f)->GetPixel(1, 0), RGB(150, 150, 150));
}

TEST(StyleLayer, APaintedPixelNeverTurnsIntoTheKey) {
    TLayer layer(2, 1);
    layer.Put(0, 0, Rgb(255, 0, 255));
    layer.Put(1, 0, Rgb(255, 0, 255, 0.6f));
    const auto out = Flatten(layer, Rgb(255, 0, 255));
    EXPECT_NE(out->GetPixel(0, 0), Magenta);
    EXPECT_NE(out->GetPixel(1, 0), Magenta);
}

TEST(StyleLayer, OpaqueFlattenKeepsEveryPixel) {
    TLayer layer(2, 2);
    layer.Put(0, 0, Rgb(100, 0, 0, 0.5f));
    TBitmap out(2, 2);
    layer.FlattenOpaque(out, 0, 0, [](int x, int) { return x ? Rgb(0, 0, 90) : Rgb(0, 0, 0); });
    EXPECT_EQ(out.GetPixel(0, 0), RGB(50, 0, 0));
    EXPECT_EQ(out.GetPixel(1, 1), RGB(0, 0, 90));
}

TEST(StyleLayer, FlatteningPlacesTheLayerAndTheBackdropIsLocal) {
    TLayer layer(2, 1);
    layer.Put(0, 0, Rgb(0, 0, 0, 0.5f));
    layer.Put(1, 0, Rgb(0, 0, 0, 0.5f));
    TBitmap out(5, 2);
    layer.FlattenInto(out, 3, 1, [](int x, int) { return x ? Rgb(200, 0, 0) : Rgb(0, 200, 0); });
    EXPECT_EQ(out.GetPixel(3, 1), RGB(0, 100, 0));
    EXPECT_EQ(out.GetPixel(4, 1), RGB(100, 0, 0));
    EXPECT_EQ(out.GetPixel(2, 1), RGB(255, 255, 255)); // untouched
}

TEST(StyleLayer, OverlappingSoftFillsAddUpUnlessClipped) {
    // Two soft fills along one rounded corner cover the corner pixel more
    // than either does alone; clipping to the shape brings it back.
    const TSdf shape = Box(0, 0, 6, 6, 2);
    TLayer layer(6, 6);
    layer.Fill(shape, Rgb(0, 0, 200));
    const float once = layer.Alpha(0, 0);
    layer.Fill(shape, Rgb(0, 0, 200));
    EXPECT_GT(layer.Alpha(0, 0), once);
    EXPECT_GT(layer.Alpha(0, 0), 0.5f);
    layer.Clip(shape);
    EXPECT_LT(layer.Alpha(0, 0), 0.5f);
    EXPECT_FLOAT_EQ(layer.Alpha(3, 3), 1.0f);
}

TEST(StyleLayer, ComposeAndFlipMovePixels) {
    TLayer top(2, 1);
    top.Put(0, 0, Rgb(255, 0, 0));
    TLayer base(4, 2);
    base.Flood(Rgb(0, 0, 0));
    base.Compose(top, 2, 1);
    EXPECT_EQ(ToColor(base.At(2, 1)), RGB(255, 0, 0));
    EXPECT_EQ(ToColor(base.At(3, 1)), RGB(0, 0, 0)); // clear pixels do not erase
    const TLayer flipped = top.FlippedX();
    EXPECT_FLOAT_EQ(flipped.Alpha(1, 0), 1.0f);
    EXPECT_FLOAT_EQ(flipped.Alpha(0, 0), 0.0f);
    TLayer tall(1, 2);
    tall.Put(0, 0, Rgb(1, 2, 3));
    EXPECT_FLOAT_EQ(tall.FlippedY().Alpha(0, 1), 1.0f);
}

TEST(StyleLayer, OutsideAccessIsHarmless) {
    TLayer layer(2, 2);
    layer.Put(-1, 0, Rgb(1, 1, 1));
    layer.Plot(5, 5, Rgb(1, 1, 1));
    EXPECT_FLOAT_EQ(layer.Alpha(-1, 0), 0.0f);
    EXPECT_FLOAT_EQ(layer.At(9, 9).A, 0.0f);
    TLayer empty(-3, 2);
    EXPECT_EQ(empty.Width(), 0);
}

} // namespace
