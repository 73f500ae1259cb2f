#include <gtest/gtest.h>

#include <cstring>

#include "gui/graphics/EInvalidGraphic.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TCustomImageList.h"
#include "unit/graphics/PixelArt.h"

namespace {

// 'r' red, 'b' blue, 'm' magenta (the mask colour), '.' white, '#' black.
void Load(TBitmap& b, std::initializer_list<const char*> rows) {
    b.SetSize(static_cast<int>(std::strlen(*rows.begin())), static_cast<int>(rows.size()));
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x)
            b.SetPixel(x, y,
                       row[x] == 'r'   ? clRed
                       : row[x] == 'b' ? clBlue
                       : row[x] == 'm' ? clFuchsia
                       : row[x] == '#' ? clBlack
                                       : clWhite);
        ++y;
    }
}

void Paper(TBitmap& b, int w, int h) {
    b.SetSize(w, h);
    b.Canvas().Brush().SetColor(clLime);
    b.Canvas().FillRect(b.BoundsRect());
}

} // namespace

TEST(ImageList, AddMaskedCutsAStripIntoImages) {
    TCustomImageList list(2, 2);
    TBitmap strip;
    Load(strip, {"rmbbm#x", "mrbmm#x"}); // three 2 x 2 images, one column left over
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 3);
    TBitmap target;
    Paper(target, 6, 2);
    for (int i = 0; i < 3; ++i)
        list.Draw(target.Canvas(), 2 * i, 0, i);
    EXPECT_EQ(Art(target), Rows({"rgbbg#", "grbgg#"}));
    // The next strip is numbered on.
    EXPECT_EQ(list.AddMasked(strip, clFuchsia), 3);
    EXPECT_EQ(list.Count(), 6);
}

TEST(ImageList, DefaultMaskColourIsTheBottomLeftPixelAndNoneMasksNothing) {
    TCustomImageList list(2, 1);
    TBitmap image;
    Load(image, {"rb"});
    list.AddMasked(image, clDefault); // bottom-left: red
    list.AddMasked(image, clNone);
    TBitmap target;
    Paper(target, 4, 1);
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 2, 0, 1);
    EXPECT_EQ(Art(target), Rows({"gbrb"}));
}

TEST(ImageList, AddWithAMaskBitmapDrawsItsBlackPixels) {
    TCustomImageList list(3, 1);
    TBitmap image, mask;
    Load(image, {"rbr"});
    Load(mask, {"#.#"});
    list.Add(image, &mask);
    list.Add(image, nullptr);
    TBitmap target;
    Paper(target, 6, 1);
    list.Draw(target.Canvas(), 0, 0, 0);
    list.Draw(target.Canvas(), 3, 0, 1);
    EXPECT_EQ(Art(target), Rows({"rgrrbr"}));
}

TEST(ImageList, NarrowAndShortImagesArePaddedWhite) {
    TCustomImageList list(3, 2);
    TBitmap image;
    Load(image, {"rb"});
    EXPECT_EQ(list.Add(image, nullptr), 0);
    EXPECT_EQ(list.Count(), 1);
    TBitmap out;
    list.GetBitmap(0, out);
    EXPECT_EQ(Art(out), Rows({"rb.", "..."}));
    TBitmap empty;
    EXPECT_EQ(list.Add(empty, nullptr), -1);
    EXPECT_EQ(list.Count(), 1);
}

TEST(ImageList, DisabledImagesAreDrawnGreyed) {
    TCustomImageList list(3, 3);
    TBitmap image;
    Load(image, {"mmm", "m#m", "mmm"});
    list.AddMasked(image, clFuchsia);
    TBitmap target(4, 4);
    target.Canvas().Brush().SetColor(clBtnFace);
    target.Canvas().FillRect(target.BoundsRect());
    list.Draw(target.Canvas(), 0, 0, 0, false);
    const std::map<TColor, char> legend{{ColorToRGB(clBtnFace), '.'},
                                        {ColorToRGB(clBtnShadow), 's'},
                                        {ColorToRGB(clBtnHighlight), 'h'}};
    EXPECT_EQ(Art(target, legend), Rows({"....", ".s..", "..h.", "...."}));
}

TEST(ImageList, IndexesOutsideTheListAndResizing) {
    TCustomImageList list(2, 2);
    TBitmap image(4, 2);
    list.AddMasked(image, clNone);
    TBitmap target;
    Paper(target, 2, 2);
    list.Draw(target.Canvas(), 0, 0, 2);
    list.Draw(target.Canvas(), 0, 0, -1);
    EXPECT_EQ(CountPixels(target, clLime), 4);
    TBitmap out;
    EXPECT_THROW(list.GetBitmap(2, out), EInvalidGraphicOperation);
    list.GetBitmap(1, out);
    EXPECT_EQ(out.Width(), 2);
    list.Delete(0);
    list.Delete(7);
    EXPECT_EQ(list.Count(), 1);
    list.SetSize(16, 16);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Width(), 16);
}

TEST(ImageList, OneImageListKeepsSkinCornersWithTheirMagentaCut) {
    // Corners of skin pictures go through a one-image list with magenta as
    // the mask colour; the image list copies, so the source can change.
    TBitmap corner;
    Load(corner, {"mr", "rr"});
    TCustomImageList list(corner.Width(), corner.Height());
    list.AddMasked(corner, clFuchsia);
    corner.SetPixel(1, 1, clBlue);
    TBitmap target;
    Paper(target, 3, 3);
    list.Draw(target.Canvas(), 1, 1, 0);
    EXPECT_EQ(Art(target), Rows({"ggg", "ggr", "grr"}));
}
