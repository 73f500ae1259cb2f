// The skinned edit and combo box painted on a form of the headless host:
// their frames, the combo box's button and arrow per style, and the colours
// a style gives them.
#include <gtest/gtest.h>

#include "gui/TDropDownList.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinPublic.h"
#include "skin/TskComboBox.h"
#include "skin/TskEdit.h"
#include "skin/TskFileTheme.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

constexpr TColor kBorder = RGB(104, 104, 104), kButton = RGB(239, 235, 222), kArrow = RGB(0, 0, 160),
                 kBack = RGB(255, 255, 250);

class SkinnedEditComboTest : public ControlFixture {
protected:
    TskComboBox* MakeCombo(TskUIStyle style) {
        auto* box = new TskComboBox(FForm);
        box->SetParent(FForm);
        box->SetBounds(10, 10, 200, 22);
        box->Theme().SetUIStyle(style);
        box->SetColor(kBack);
        box->SetBorderColor(kBorder);
        box->SetButtonColor(kButton);
        box->SetArrowColor(kArrow);
        return box;
    }
    // Screen point of a client point of the box.
    TColor At(TskComboBox* box, int x, int y) { return PixelAt(box->Left() + x, box->Top() + y); }
};

} // namespace

TEST_F(SkinnedEditComboTest, UnderDeepBlueTheButtonIsABoxWithALineAndASevenPixelArrow) {
    TskComboBox* box = MakeCombo(TskUIStyle::DeepBlue);
    ShowForm();
    EXPECT_EQ(At(box, 0, 0), kBorder);
    EXPECT_EQ(At(box, 199, 21), kBorder);
    EXPECT_EQ(At(box, 1, 1), kBack);
    const TRect button = box->ButtonRect();
    EXPECT_EQ(At(box, button.Left, button.Top + 3), kBorder);
    EXPECT_EQ(At(box, button.Left + 2, button.Top + 2), kButton);
    const int x = button.Left + button.Width() / 2 - 3, y = button.Height() / 2;
    int top = 0;
    for (int i = -1; i <= 7; ++i) top += At(box, x + i, y) == kArrow;
    EXPECT_EQ(top, 7);
    EXPECT_EQ(At(box, x + 3, y + 3), kArrow);
    EXPECT_NE(At(box, x + 2, y + 3), kArrow);
}

TEST_F(SkinnedEditComboTest, UnderWinXPTheButtonIsThePictureWithoutADrawnArrow) {
    TskComboBox* box = MakeCombo(TskUIStyle::WinXP);
    ShowForm();
    const TRect button = box->ButtonRect();
    TBitmap picture, expected;
    ASSERT_TRUE(LoadResourceBitmap("WINXP_COMBOBOX_BUTTON", picture));
    expected.SetSize(button.Width(), button.Height());
    expected.Canvas().StretchDraw({0, 0, button.Width(), button.Height()}, picture);
    int differing = 0;
    for (int y = 0; y < button.Height(); ++y)
        for (int x = 0; x < button.Width(); ++x)
            differing += At(box, button.Left + x, button.Top + y) != expected.GetPixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST_F(SkinnedEditComboTest, ADisabledBoxShowsAGreyArrowOverAWhiteShadow) {
    TskComboBox* box = MakeCombo(TskUIStyle::Protein);
    box->SetEnabled(false);
    ShowForm();
    const TRect button = box->ButtonRect();
    const int x = button.Left + button.Width() / 2 - 3, y = button.Height() / 2;
    EXPECT_EQ(At(box, x, y), clGray);
    EXPECT_EQ(At(box, x + 6, y), clGray);
    EXPECT_EQ(At(box, x + 7, y + 1), clWhite);
    EXPECT_EQ(At(box, x + 4, y + 4), clWhite);
}

TEST_F(SkinnedEditComboTest, TheSimpleStyleKeepsThePlainLook) {
    TskComboBox* box = MakeCombo(TskUIStyle::DeepBlue);
    box->SetStyle(TComboBoxStyle::csSimple);
    ShowForm();
    for (int x = 0; x < 200; x += 7) EXPECT_NE(At(box, x, 0), kBorder) << x;
}

TEST_F(SkinnedEditComboTest, StylesAndFileThemesSetTheColoursAndTheListTakesTheFrame) {
    TskComboBox* box = MakeCombo(TskUIStyle::DeepBlue);
    box->Items().Add("甲");
    SetPropValue(box, "UIStyle", TIdent{"WinXP"});
    EXPECT_EQ(box->BorderColor(), GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::ControlBorderColor));
    EXPECT_EQ(box->ButtonColor(), GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::FormBackgroundColor));
    EXPECT_EQ(box->ArrowColor(), clBlack);

    auto* theme = new TskFileTheme(FForm);
    theme->SetThemeFile(std::string(XF_BIN_DIR) + "/Skins/mdd_winter.skn");
    SetPropValue(box, "FileTheme", static_cast<TComponent*>(theme));
    SetPropValue(box, "UIStyle", TIdent{"FromThemeFile"});
    EXPECT_EQ(box->BorderColor(), theme->GetColor(ThemeItem::ControlBorderColor));
    ShowForm();
    box->SetDroppedDown(true);
    FApp->ProcessMessages();
    ASSERT_NE(box->List(), nullptr);
    EXPECT_EQ(box->List()->FrameColor(), box->BorderColor());
    box->SetDroppedDown(false);

    delete theme;
    EXPECT_EQ(box->Theme().UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(box->BorderColor(), GetInsideThemeColor(TskUIStyle::DeepBlue, ThemeItem::ControlBorderColor));
}

TEST_F(SkinnedEditComboTest, AnEditFramesItsBorderAreaAndRepaintsItAtOnce) {
    auto* edit = new TskEdit(FForm);
    edit->SetParent(FForm);
    edit->SetBounds(20, 50, 120, 22);
    edit->SetColor(kBack);
    edit->SetBorderColor(kBorder);
    ShowForm();
    EXPECT_EQ(edit->BorderWidth(), 2);
    EXPECT_EQ(PixelAt(20, 50), kBorder);
    EXPECT_EQ(PixelAt(139, 71), kBorder);
    EXPECT_EQ(PixelAt(21, 51), kBack);
    edit->SetBorderColor(clRed);
    EXPECT_EQ(PixelAt(20, 60), clRed);
    SetPropValue(edit, "UIStyle", TIdent{"Protein"});
    EXPECT_EQ(edit->BorderColor(), GetInsideThemeColor(TskUIStyle::Protein, ThemeItem::ControlBorderColor));
}
