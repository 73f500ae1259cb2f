#include <gtest/gtest.h>

#include <set>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TFont.h"
#include "gui/graphics/TScaledPictures.h"
#include "gui/graphics/TTextRenderer.h"

namespace {

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF, Red = 0xFF0000, Key = 0xFF00FF;

uint32_t At(const TBitmap& b, int x, int y) {
    return b.ScanLine(y)[x] & 0xFFFFFF;
}

void Put(TBitmap& b, int x, int y, uint32_t pixel) {
    b.ScanLine(y)[x] = pixel;
}

// A back buffer at `scale`, white.
void Buffer(TBitmap& b, int w, int h, int scale) {
    b.SetSize(w, h);
    b.SetScale(scale);
}

bool Grey(uint32_t p) {
    const uint32_t r = p >> 16 & 0xFF;
    return r > 0 && r < 0xFF;
}

} // namespace

TEST(ScaledBitmap, KeepsLogicalSizeAndAddressesDevicePixels) {
    TBitmap b;
    Buffer(b, 5, 3, 2);
    EXPECT_EQ(b.Width(), 5);
    EXPECT_EQ(b.DeviceWidth(), 10);
    EXPECT_EQ(b.DeviceHeight(), 6);
    EXPECT_EQ(b.Stride(), 40);
    EXPECT_EQ(b.GetPixel(4, 2), clWhite);
    b.SetPixel(4, 2, clBlack);
    for (int y = 4; y < 6; ++y)
        for (int x = 8; x < 10; ++x)
            EXPECT_EQ(At(b, x, y), Black) << x << "," << y;
    EXPECT_EQ(At(b, 7, 4), White);
    // Grown, the old device pixels stay where they were.
    b.SetSize(6, 4);
    EXPECT_EQ(b.GetPixel(4, 2), clBlack);
    EXPECT_EQ(b.GetPixel(5, 3), clWhite);
    // A copy is a buffer of the same scale; a BMP has the logical size.
    TBitmap copy;
    copy.Assign(b);
    EXPECT_EQ(copy.Scale(), 2);
    EXPECT_TRUE(copy.SamePixels(b));
    const std::vector<uint8_t> bmp = b.SaveToBmp();
    EXPECT_EQ(bmp[18], 6);
    EXPECT_EQ(bmp[22], 4);
    EXPECT_THROW(b.ScanLine(8), std::exception);
    b.SetScale(99);
    EXPECT_EQ(b.Scale(), TBitmap::MaxScale);
}

TEST(ScaledPictures, EnlargeSmoothlyWithoutKeyFringes) {
    TBitmap picture(2, 1);
    Put(picture, 0, 0, Black);
    Put(picture, 1, 0, White);
    TBitmap big;
    TScaledPictures::Enlarge(picture, 2, TBitmap::NoKey, big);
    ASSERT_EQ(big.Width(), 4);
    ASSERT_EQ(big.Height(), 2);
    EXPECT_EQ(At(big, 0, 0), Black) << "the outer edge is the picture's own colour";
    EXPECT_EQ(At(big, 3, 1), White);
    EXPECT_TRUE(Grey(At(big, 1, 0))) << "the step between pixels is blended, not doubled";
    EXPECT_TRUE(Grey(At(big, 2, 0)));

    // Red beside the key: red stays red, the key stays an exact hole.
    Put(picture, 0, 0, Red);
    Put(picture, 1, 0, Key);
    TScaledPictures::Enlarge(picture, 2, Key, big);
    EXPECT_EQ(At(big, 0, 0), Red);
    EXPECT_EQ(At(big, 1, 1), Red) << "no magenta fringe";
    EXPECT_EQ(At(big, 2, 0), Key);
    EXPECT_EQ(At(big, 3, 1), Key);
}

TEST(ScaledPictures, MadeOncePerScaleAndRedoneWhenThePictureChanges) {
    TBitmap picture(2, 2);
    const TBitmap& first = picture.ScaledPicture(2, TBitmap::NoKey);
    EXPECT_EQ(&picture.ScaledPicture(2, TBitmap::NoKey), &first) << "kept, not made again";
    EXPECT_EQ(&picture.ScaledPicture(1, TBitmap::NoKey), &picture);
    EXPECT_EQ(picture.ScaledPicture(3, TBitmap::NoKey).Width(), 6);
    picture.SetPixel(0, 0, clBlack);
    EXPECT_EQ(At(picture.ScaledPicture(2, TBitmap::NoKey), 0, 0), Black)
        << "a changed picture is enlarged again";
    picture.Canvas().Brush().SetColor(clRed);
    picture.Canvas().FillRect({0, 0, 2, 2});
    EXPECT_EQ(At(picture.ScaledPicture(2, TBitmap::NoKey), 3, 3), Red);
}

TEST(ScaledCanvas, FillsAndLinesCoverWholeDevicePixels) {
    TBitmap b;
    Buffer(b, 8, 6, 2);
    TCanvas& c = b.Canvas();
    c.SetOrigin({1, 0});
    c.IntersectClipRect({0, 0, 4, 6}); // logical 1..5 on the bitmap
    c.Brush().SetColor(clBlack);
    c.FillRect({0, 1, 6, 2});
    EXPECT_EQ(At(b, 1, 2), White);
    EXPECT_EQ(At(b, 2, 2), Black);
    EXPECT_EQ(At(b, 9, 3), Black);
    EXPECT_EQ(At(b, 10, 2), White) << "the clip holds at device pixels";
    EXPECT_EQ(At(b, 4, 1), White);
    EXPECT_EQ(At(b, 4, 4), White);
    c.Pen().SetColor(clRed);
    c.MoveTo(0, 4);
    c.LineTo(3, 4);
    for (int x = 2; x < 8; ++x) {
        EXPECT_EQ(At(b, x, 8), Red) << x;
        EXPECT_EQ(At(b, x, 9), Red) << x;
    }
    EXPECT_EQ(At(b, 8, 8), White) << "a line leaves out its last pixel";
    EXPECT_EQ(c.Pixel(0, 4), clRed);
}

TEST(ScaledCanvas, PicturesComeSmoothAndHonourTheirKey) {
    TBitmap picture(2, 2);
    Put(picture, 0, 0, Black);
    Put(picture, 1, 0, White);
    Put(picture, 0, 1, Key);
    Put(picture, 1, 1, Key);
    picture.SetTransparent(true);
    picture.SetTransparentColor(static_cast<TColor>(0xFF00FF));
    TBitmap b;
    Buffer(b, 4, 4, 2);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect({0, 0, 4, 4});
    c.Draw(1, 1, picture);
    EXPECT_EQ(At(b, 2, 2), Black);
    EXPECT_TRUE(Grey(At(b, 3, 2))) << "blended inside the picture";
    EXPECT_EQ(At(b, 2, 4), Red) << "the key's rows are holes";
    EXPECT_EQ(At(b, 5, 5), Red);
    // Stretched to twice its logical width, still from the smooth copy.
    c.StretchDraw({0, 0, 4, 2}, picture);
    EXPECT_EQ(At(b, 0, 0), Black);
    EXPECT_EQ(At(b, 7, 0), White);
}

TEST(ScaledCanvas, CopiesBetweenScaledBuffersKeepEveryDevicePixel) {
    TBitmap a, b;
    Buffer(a, 4, 4, 2);
    Buffer(b, 4, 4, 2);
    Put(a, 3, 3, Black); // one device pixel, finer than a logical one
    b.Canvas().CopyRect({0, 0, 2, 2}, a.Canvas(), {1, 1, 3, 3});
    EXPECT_EQ(At(b, 1, 1), Black);
    EXPECT_EQ(At(b, 0, 0), White);
    EXPECT_EQ(At(b, 1, 0), White);
    // Onto itself (a scroll) likewise.
    a.Canvas().Draw(1, 0, a);
    EXPECT_EQ(At(a, 5, 3), Black);
}

TEST(ScaledCanvas, TextIsDrawnAtDeviceResolution) {
    TBitmap one, two;
    Buffer(one, 40, 16, 1);
    Buffer(two, 40, 16, 2);
    for (TBitmap* b : {&one, &two}) {
        TCanvas& c = b->Canvas();
        c.Brush().SetStyle(bsClear);
        c.Font().SetName("宋体");
        c.Font().SetHeight(-12);
        c.Font().SetColor(clBlack);
        c.TextOut(2, 1, "A中");
    }
    // Pixel doubling would make every 2x2 block one colour; glyph edges at
    // device resolution do not.
    int split = 0, inked = 0;
    for (int y = 0; y < two.DeviceHeight(); y += 2)
        for (int x = 0; x < two.DeviceWidth(); x += 2) {
            const std::set<uint32_t> block{At(two, x, y), At(two, x + 1, y), At(two, x, y + 1),
                                           At(two, x + 1, y + 1)};
            split += block.size() > 1;
            inked += block != std::set<uint32_t>{White};
        }
    EXPECT_GT(inked, 10);
    EXPECT_GT(split, inked / 4) << split << " of " << inked << " inked blocks are split";
    EXPECT_EQ(two.Canvas().TextWidth("A中"), one.Canvas().TextWidth("A中"))
        << "measures stay logical";
}

TEST(TextResolution, FontsFollowTheScreenResolution) {
    TFont font;
    font.SetHeight(-12);
    EXPECT_EQ(TTextRenderer::EmPixels(font), 12);
    TTextRenderer::SetResolution(144);
    EXPECT_EQ(TTextRenderer::EmPixels(font), 18);
    TTextRenderer::SetResolution(-1);
    EXPECT_EQ(TTextRenderer::EmPixels(font), 12) << "an unknown resolution is the reference";
    TTextRenderer::SetResolution(TTextRenderer::ReferenceDpi);
}
