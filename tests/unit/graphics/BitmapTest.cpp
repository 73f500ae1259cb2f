#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "unit/graphics/PixelArt.h"

TEST(Bitmap, PixelsAreStoredBlueGreenRedX) {
    TBitmap b(2, 1);
    b.SetPixel(0, 0, RGB(0x11, 0x22, 0x33));
    b.SetPixel(1, 0, clBtnFace);
    uint8_t bytes[8];
    std::memcpy(bytes, b.Bits(), sizeof bytes);
    EXPECT_EQ(bytes[0], 0x33);
    EXPECT_EQ(bytes[1], 0x22);
    EXPECT_EQ(bytes[2], 0x11);
    EXPECT_EQ(b.Stride(), 8);
    // System colours are resolved when stored.
    EXPECT_EQ(b.GetPixel(1, 0), ColorToRGB(clBtnFace));
    EXPECT_FALSE(IsSystemColor(b.GetPixel(1, 0)));
    // The unused byte never leaks into colours.
    b.ScanLine(0)[0] |= 0xFF000000u;
    EXPECT_EQ(b.GetPixel(0, 0), RGB(0x11, 0x22, 0x33));
}

TEST(Bitmap, OutsideAccessIsHarmless) {
    TBitmap b(3, 2);
    EXPECT_EQ(b.GetPixel(-1, 0), clNone);
    EXPECT_EQ(b.GetPixel(3, 0), clNone);
    EXPECT_EQ(b.GetPixel(0, 2), clNone);
    b.SetPixel(3, 0, clRed);
    b.SetPixel(0, -1, clRed);
    EXPECT_EQ(CountPixels(b, clRed), 0);
    EXPECT_THROW(b.ScanLine(2), EInvalidGraphicOperation);
    EXPECT_THROW(b.ScanLine(-1), EInvalidGraphicOperation);
    EXPECT_THROW(b.SetSize(40000, 1), EInvalidGraphicOperation);
    EXPECT_EQ(b.Width(), 3); // a refused size changes nothing
}

TEST(Bitmap, SetSizeKeepsTheTopLeftAndFillsWhite) {
    TBitmap b(2, 2);
    b.SetPixel(0, 0, clRed);
    b.SetPixel(1, 1, clBlue);
    b.SetSize(3, 1);
    EXPECT_EQ(Art(b), "r..\n");
    b.SetSize(3, 2);
    EXPECT_EQ(Art(b), "r..\n...\n");
    b.SetSize(-5, 4);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(b.Width(), 0);
    EXPECT_EQ(b.Height(), 4);
}

TEST(Bitmap, TransparentColourDefaultsToBottomLeftPixel) {
    TBitmap b(2, 2);
    b.SetPixel(0, 1, clFuchsia);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clFuchsia);
    b.SetPixel(0, 1, clLime); // follows the pixel while automatic
    EXPECT_EQ(b.TransparentColor(), clLime);
    b.SetTransparentColor(clRed);
    EXPECT_EQ(b.TransparentMode(), tmFixed);
    EXPECT_EQ(b.TransparentColor(), clRed);
    b.SetTransparentColor(clDefault);
    EXPECT_EQ(b.TransparentMode(), tmAuto);
    EXPECT_EQ(b.TransparentColor(), clLime);
    TBitmap empty;
    EXPECT_EQ(empty.TransparentColor(), clNone);
}

TEST(Bitmap, AssignIsADeepCopy) {
    TBitmap a(2, 1);
    a.SetPixel(1, 0, clRed);
    a.SetTransparent(true);
    a.SetTransparentColor(clRed);
    TBitmap b;
    b.Assign(a);
    a.SetPixel(1, 0, clBlue);
    EXPECT_EQ(b.GetPixel(1, 0), clRed);
    EXPECT_TRUE(b.Transparent());
    EXPECT_EQ(b.TransparentColor(), clRed);
    EXPECT_FALSE(b.SamePixels(a));
    a.SetPixel(1, 0, clRed);
    EXPECT_TRUE(b.SamePixels(a));
    // The copy's canvas draws on the copy only.
    b.Canvas().Brush().SetColor(clLime);
    b.Canvas().FillRect({0, 0, 1, 1});
    EXPECT_EQ(a.GetPixel(0, 0), clWhite);
    EXPECT_EQ(b.GetPixel(0, 0), clLime);
}

TEST(Bitmap, SavesAndLoadsBmpLosslessly) {
    TBitmap a(5, 3); // odd width: rows need padding
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            a.SetPixel(x, y, RGB(x * 50, y * 100, 7));
    const std::vector<uint8_t> bmp = a.SaveToBmp();
    EXPECT_EQ(bmp.size(), 54u + 16u * 3u);
    TBitmap b;
    b.LoadFromStream(bmp);
    EXPECT_TRUE(b.SamePixels(a));

    const auto path = std::filesystem::temp_directory_path() / "gfx_bitmap_roundtrip.bmp";
    a.SaveToFile(path.string());
    TBitmap c;
    c.LoadFromFile(path.string());
    EXPECT_TRUE(c.SamePixels(a));
    std::filesystem::remove(path);
}

TEST(Bitmap, FailedLoadLeavesItEmpty) {
    TBitmap b(4, 4);
    const uint8_t junk[] = {'B', 'M', 1, 2, 3};
    EXPECT_THROW(b.LoadFromStream(junk), EInvalidGraphic);
    EXPECT_TRUE(b.Empty());
    b.SetSize(4, 4);
    EXPECT_THROW(b.LoadFromFile("/nonexistent/dir/x.bmp"), EFOpenError);
    EXPECT_TRUE(b.Empty());
    EXPECT_THROW(b.SaveToFile("/nonexistent/dir/x.bmp"), EFOpenError);
}

TEST(Bitmap, EmptyBitmapsAreLegalEverywhere) {
    TBitmap empty, target(3, 3);
    TCanvas& c = target.Canvas();
    c.Draw(0, 0, empty);
    c.StretchDraw({0, 0, 3, 3}, empty);
    c.DrawGreyed(0, 0, empty);
    c.TransparentStretch({0, 0, 3, 3}, empty, {0, 0, 1, 1}, clNone);
    EXPECT_EQ(CountPixels(target, clWhite), 9);
    // Drawing on an empty bitmap does nothing either.
    TCanvas& e = empty.Canvas();
    e.FillRect({0, 0, 10, 10});
    e.MoveTo(0, 0);
    e.LineTo(10, 10);
    e.Ellipse(0, 0, 5, 5);
    e.TextOut(0, 0, "中文");
    e.Draw(0, 0, target);
    TRect r(0, 0, 50, 20);
    e.DrawText("abc", r, DT_CENTER);
    EXPECT_TRUE(empty.SaveToBmp().size() == 54u);
    EXPECT_TRUE(e.ClipRegion().IsEmpty());
}

TEST(ColorToRGB, SystemColoursComeFromOneFixedTable) {
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(ColorToRGB(clBtnShadow), RGB(128, 128, 128));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), clWhite);
    EXPECT_EQ(ColorToRGB(clMenu), ColorToRGB(clBtnFace));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(clNone), clWhite);
    EXPECT_EQ(ColorToRGB(clDefault), ColorToRGB(clWindow));
    EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack); // unknown index
    for (int i = 0; i <= 30; ++i)
        EXPECT_FALSE(IsSystemColor(ColorToRGB(clSystemColor | i)));
}
