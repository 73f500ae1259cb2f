// The skinned menus' items measured and painted into a bitmap, the style
// they take, and the handlers every item gets.
#include <gtest/gtest.h>

#include <string>

#include "ThemeTestSupport.h"
#include "gui/TImageList.h"
#include "gui/TMenuItem.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskFileTheme.h"
#include "skin/TskMainMenu.h"
#include "skin/TskPopupMenu.h"

using namespace skintheme_test;

namespace {

constexpr TColor kBar = RGB(10, 20, 30), kBack = RGB(250, 250, 240), kSelected = RGB(200, 210, 240),
                 kBorder = RGB(50, 100, 200);
constexpr int kW = 160, kH = 21;

class SkinnedMenuTest : public ::testing::Test {
protected:
    SkinnedMenuTest() {
        FMenu.SetUIStyle(TskUIStyle::WinXP);
        FMenu.SetBarColor(kBar);
        FMenu.SetColor(kBack);
        FMenu.SetSelectedColor(kSelected);
        FMenu.SetSelectedBorderColor(kBorder);
        TBitmap red, blue;
        Fill(red, 16, 16, clRed);
        Fill(blue, 16, 16, clBlue);
        FImages.AddMasked(red, clNone);
        FImages.AddMasked(blue, clNone);
        FMenu.SetImages(&FImages);
    }
    TMenuItem* Add(const std::string& caption) {
        auto* item = new TMenuItem(&FMenu);
        item->SetCaption(caption);
        FMenu.Items()->Add(item);
        return item;
    }
    // The item drawn through its handler into a fresh bitmap.
    TBitmap& Paint(TMenuItem* item, bool selected, int height = kH) {
        Fill(FOut, kW, height, Marker);
        item->DrawItem(FOut.Canvas(), {0, 0, kW, height}, selected ? odSelected : 0);
        return FOut;
    }
    int CountIn(const TRect& r, TColor color) const {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) n += FOut.GetPixel(x, y) == color;
        return n;
    }

    TskPopupMenu FMenu{nullptr};
    TImageList FImages{16, 16};
    TBitmap FOut;
};

} // namespace

TEST_F(SkinnedMenuTest, SeparatorsAreOnlyTheSingleDashAndWidthsFollowTheRule) {
    TMenuItem* line = Add("-");
    TMenuItem* dashes = Add("--");
    TMenuItem* copy = Add("复制(&C)");
    copy->SetShortCut(TextToShortCut("Ctrl+C"));
    TBitmap scratch;
    scratch.SetSize(10, 10);
    TCanvas& canvas = scratch.Canvas();
    SetMenuFont(canvas.Font());
    int w = 0, h = 0;
    line->MeasureItem(canvas, w, h);
    EXPECT_EQ(h, 5);
    dashes->MeasureItem(canvas, w, h);
    EXPECT_EQ(h, 21);
    copy->MeasureItem(canvas, w, h);
    EXPECT_EQ(w, canvas.TextWidth("复制(&C)") + canvas.TextWidth("Ctrl+C") + 26 + 40);

    Paint(line, false, 5);
    EXPECT_EQ(FOut.GetPixel(0, 0), kBar);
    EXPECT_EQ(FOut.GetPixel(25, 4), kBar);
    EXPECT_EQ(FOut.GetPixel(26, 0), kBack);
    EXPECT_EQ(FOut.GetPixel(30, 2), 8684164); // the line from bar + 4
    EXPECT_EQ(FOut.GetPixel(29, 2), kBack);
    Paint(dashes, false);
    EXPECT_EQ(CountIn({26, 0, kW, kH}, 8684164), 0); // a caption, not a line
}

TEST_F(SkinnedMenuTest, TheHighlightIsFramedAndADisabledItemKeepsTheNormalLook) {
    TMenuItem* item = Add("打开(&O)");
    Paint(item, true);
    EXPECT_EQ(FOut.GetPixel(0, 0), kBorder);
    EXPECT_EQ(FOut.GetPixel(kW - 1, kH - 1), kBorder);
    EXPECT_EQ(FOut.GetPixel(1, 1), kSelected);
    EXPECT_EQ(CountIn({0, 0, kW, kH}, kBar), 0);

    item->SetEnabled(false);
    Paint(item, true);
    EXPECT_EQ(FOut.GetPixel(0, 0), kBar);
    EXPECT_EQ(FOut.GetPixel(kW - 1, 1), kBack);
    EXPECT_GT(CountIn({30, 0, kW, kH}, clGray), 0); // the grey caption
    EXPECT_EQ(CountIn({0, 0, kW, kH}, kSelected), 0);
}

TEST_F(SkinnedMenuTest, CheckMarksAndImagesFollowTheImageList) {
    TMenuItem* plain = Add("中(&M)");
    plain->SetChecked(true);
    Paint(plain, false);
    // The check picture over the bar: some of the 16x16 square is not bar.
    EXPECT_GT(CountIn({4, 3, 20, 19}, kBar), 0);
    EXPECT_LT(CountIn({4, 3, 20, 19}, kBar), 256) << "no check mark drawn";

    TMenuItem* pictured = Add("停止(&O)");
    pictured->SetImageIndex(1);
    pictured->SetChecked(true);
    Paint(pictured, false);
    EXPECT_EQ(FOut.GetPixel(2, 1), clBlack); // the frame
    EXPECT_EQ(FOut.GetPixel(20, 19), clBlack);
    EXPECT_EQ(FOut.GetPixel(3, 2), kSelected); // the square around the image
    EXPECT_EQ(FOut.GetPixel(4, 3), clBlue);    // the image over it
    EXPECT_EQ(FOut.GetPixel(19, 18), clBlue);

    // An index past the list is no image: the check mark again.
    pictured->SetImageIndex(2);
    Paint(pictured, false);
    EXPECT_EQ(CountIn({0, 0, kW, kH}, clBlue), 0);
    EXPECT_EQ(FOut.GetPixel(2, 1), kBar);
    EXPECT_LT(CountIn({4, 3, 20, 19}, kBar), 256);
}

TEST_F(SkinnedMenuTest, WithoutABarTheCaptionStartsAtTheLeftEdge) {
    TMenuItem* item = Add("WWWW");
    FMenu.SetBarWidth(0);
    Paint(item, false);
    EXPECT_EQ(CountIn({0, 0, kW, kH}, kBar), 0);
    int first = kW;
    for (int x = 0; x < kW && first == kW; ++x)
        for (int y = 0; y < kH; ++y)
            if (FOut.GetPixel(x, y) != kBack) {
                first = x;
                break;
            }
    EXPECT_GE(first, 4);
    EXPECT_LE(first, 6);
}

TEST_F(SkinnedMenuTest, StylesSetSizesAndColoursAndMacOSKeepsItsHeights) {
    FMenu.SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(FMenu.BarWidth(), 26);
    EXPECT_EQ(FMenu.SeparatorHeight(), 5);
    EXPECT_EQ(FMenu.SelectedColor(), GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::MenuSelectedBackgroundColor));
    EXPECT_EQ(FMenu.BarColor(), GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::MenuBarColor));
    FMenu.SetMenuItemHeight(30);
    EXPECT_EQ(FMenu.MenuItemHeight(), 30);

    FMenu.SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(FMenu.MenuItemHeight(), 20);
    EXPECT_EQ(FMenu.SeparatorHeight(), 12);
    EXPECT_EQ(FMenu.SeparatorColor(), clBlack);
    FMenu.SetMenuItemHeight(30);
    FMenu.SetSeparatorHeight(3);
    EXPECT_EQ(FMenu.MenuItemHeight(), 20);
    EXPECT_EQ(FMenu.SeparatorHeight(), 12);
    // Through the published property too, as a layout or the theme manager sets it.
    SetPropValue(&FMenu, "MenuItemHeight", int64_t{40});
    EXPECT_EQ(FMenu.MenuItemHeight(), 20);
}

TEST_F(SkinnedMenuTest, AFileThemeGivesItsColoursAndItsLossFallsBackToDeepBlue) {
    auto* theme = new TskFileTheme(nullptr);
    theme->SetThemeFile(std::string(XF_BIN_DIR) + "/Skins/md_asgold.skn");
    ASSERT_TRUE(theme->CanUse());
    FMenu.SetFileTheme(theme);
    FMenu.SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(FMenu.SelectedColor(), theme->GetColor(ThemeItem::MenuSelectedBackgroundColor));
    EXPECT_EQ(FMenu.FontColor(), theme->GetColor(ThemeItem::MenuFontColor));
    delete theme;
    EXPECT_EQ(FMenu.Theme().FileTheme(), nullptr);
    EXPECT_EQ(FMenu.Theme().UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(FMenu.BarColor(), GetInsideThemeColor(TskUIStyle::DeepBlue, ThemeItem::MenuBarColor));
}

TEST(SkinnedMainMenuTest, EveryItemIsOwnerDrawnAndTheCheckListStandsInForImages) {
    TskMainMenu menu(nullptr);
    menu.SetOwnerDraw(false);
    EXPECT_TRUE(menu.OwnerDraw());
    auto* top = new TMenuItem(&menu);
    menu.Items()->Add(top);
    auto* inner = new TMenuItem(&menu);
    top->Add(inner);
    EXPECT_TRUE(inner->OnDrawItem);
    EXPECT_TRUE(inner->OnMeasureItem);
    // A handler set by the program is replaced when the menu finishes loading.
    bool programs = false;
    inner->OnDrawItem = [&](TObject*, TCanvas&, TRect, bool) { programs = true; };
    menu.Loaded();
    TBitmap out;
    Fill(out, 100, 21, Marker);
    inner->SetCaption("x");
    inner->DrawItem(out.Canvas(), {0, 0, 100, 21}, 0);
    EXPECT_FALSE(programs);

    EXPECT_EQ(menu.Images(), nullptr);
    ASSERT_NE(menu.ImageList(), nullptr);
    EXPECT_EQ(menu.ImageList()->Count(), MenuCheckImages().Count());
    TImageList images(16, 16);
    menu.SetImages(&images);
    EXPECT_EQ(menu.Images(), &images);
    menu.SetImages(nullptr);
    EXPECT_EQ(menu.ImageList(), &MenuCheckImages());
}
