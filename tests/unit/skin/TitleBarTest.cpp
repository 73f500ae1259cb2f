// The skinned title bar on a frame and on a plain form of the headless
// host: its size and pictures per style, the caption's place, the buttons'
// pictures and actions, moving, the system menu and the refused settings.
#include <gtest/gtest.h>

#include "gui/TMenuItem.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"
#include "skin/TskFileTheme.h"
#include "skin/TskForm.h"
#include "skin/TskThemeFileWriter.h"
#include "skin/TskThemeLookup.h"
#include "skin/TskTitleBar.h"
#include "skin/TskTitleBarPopupMenu.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

class TitleBarTest : public ControlFixture {
protected:
    // A bar on a skinned frame that fills the form, in the given style.
    TskTitleBar* BarOnFrame(TskUIStyle style) {
        FForm->SetBounds(0, 0, 500, 300);
        auto* frame = new TskForm(FForm);
        frame->SetParent(FForm);
        auto* bar = new TskTitleBar(frame);
        bar->SetParent(frame);
        bar->SetUIStyle(style);
        bar->SetCaption("星帆IE");
        return bar;
    }
    TskTitleBar* BarOnForm(TskUIStyle style) {
        FForm->SetBounds(0, 0, 500, 300);
        auto* bar = new TskTitleBar(FForm);
        bar->SetParent(FForm);
        bar->SetUIStyle(style);
        return bar;
    }
    void Paint() { FApp->ProcessMessages(); }
    // Frame `index` (1-based) of the style's button strip.
    static bool SameAsFrame(const TPicture& picture, TskUIStyle style, int index) {
        TBitmap frame;
        TskThemeLookup(nullptr, style).Bitmap(ThemeItem::TitleBarButtonImage, &frame, index, 18);
        return picture.Bitmap().SamePixels(frame);
    }
};

} // namespace

TEST_F(TitleBarTest, OnAFrameTheWinXPBarIsThePicturesLessThreePixels) {
    TskTitleBar* bar = BarOnFrame(TskUIStyle::WinXP);
    ShowForm();
    TBitmap left;
    TskThemeLookup(nullptr, TskUIStyle::WinXP).Bitmap(ThemeItem::TitleBarLeftImage, &left);
    ASSERT_EQ(left.Height(), 29);
    EXPECT_EQ(bar->Height(), 26);
    EXPECT_TRUE(bar->AutoSize());
    EXPECT_EQ(bar->ButtonHeight(), 21);
    EXPECT_EQ(bar->ButtonTop(), GetInsideThemeInt(TskUIStyle::WinXP, ThemeItem::TitleBarButtonTopInt) - 3);
    ASSERT_EQ(bar->SectionList().size(), 3u);
    EXPECT_EQ(bar->SectionList()[2]->Align(), TskTitleBarAlign::skClient);
    EXPECT_TRUE(bar->SectionList()[2]->Stretch());
    // The left picture starts 3 pixels up and left: the bar's first pixel is the picture's (3, 3).
    const TPoint origin = bar->ClientToScreen({0, 0});
    EXPECT_EQ(PixelAt(origin.X, origin.Y), left.GetPixel(3, 3));
    // On a plain form nothing is shifted.
    auto* plain = new TskTitleBar(FForm);
    plain->SetParent(FForm);
    plain->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_EQ(plain->Height(), 29);
    EXPECT_EQ(plain->ButtonTop(), GetInsideThemeInt(TskUIStyle::WinXP, ThemeItem::TitleBarButtonTopInt));
}

TEST_F(TitleBarTest, TheCaptionStartsAfterTheLeftBlockAndEndsInDotsWhenTooWide) {
    TskTitleBar* bar = BarOnForm(TskUIStyle::DeepBlue);
    bar->SetLeftBtnXOffset(0);
    ShowForm();
    const int controlBox = bar->FindButton(TskTitleBarBtnType::skControlBox)->PicNormal().Width();
    EXPECT_EQ(bar->CaptionLeft(), controlBox + 5);

    bar->SetDrawAppIcon(true);
    bar->SetLeftBtnXOffset(4);
    Paint();
    EXPECT_EQ(bar->CaptionLeft(), 4 + 21);

    // Without a control box the caption starts at 6.
    bar->ClearButtons();
    bar->AddButton()->SetButtonType(TskTitleBarBtnType::skClose);
    bar->SetLeftBtnXOffset(0);
    bar->SetCaption("短");
    Paint();
    EXPECT_EQ(bar->CaptionLeft(), 6);
    EXPECT_EQ(bar->ShownCaption(), "短");

    bar->SetCaption(std::string(200, 'W') + "星帆");
    Paint();
    const std::string& shown = bar->ShownCaption();
    ASSERT_GE(shown.size(), 4u);
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    EXPECT_LT(shown.size(), 203u);
}

TEST_F(TitleBarTest, TheMaximiseButtonFollowsTheWindowStateWhicheverWayItChanges) {
    TskTitleBar* bar = BarOnForm(TskUIStyle::WinXP);
    ShowForm();
    TskTitleBarButton* max = bar->FindButton(TskTitleBarBtnType::skMax);
    EXPECT_TRUE(SameAsFrame(max->PicNormal(), TskUIStyle::WinXP, 7));
    max->DoClick();
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsMaximized);
    EXPECT_TRUE(SameAsFrame(max->PicNormal(), TskUIStyle::WinXP, 10));
    EXPECT_TRUE(SameAsFrame(max->PicMouseDown(), TskUIStyle::WinXP, 12));

    // A double click on an empty part of the bar restores.
    FHost.SetCursorPos(bar->ClientToScreen({bar->Width() / 2, 5}));
    Paint();
    ASSERT_EQ(bar->HotIndex(), -1);
    FHost.MouseEvent(Window(), WM_LBUTTONDBLCLK, bar->ClientToScreen({bar->Width() / 2, 5}), MK_LBUTTON);
    Paint();
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsNormal);
    EXPECT_TRUE(SameAsFrame(max->PicNormal(), TskUIStyle::WinXP, 7));

    // The system menu's maximise/restore, with every item enabled for the default buttons.
    TskTitleBarPopupMenu* menu = bar->SystemMenu();
    ASSERT_NE(menu, nullptr);
    menu->Popup(10, 10);
    EXPECT_TRUE(menu->MinimizeItem()->Enabled());
    EXPECT_TRUE(menu->CloseItem()->Enabled());
    menu->MaximizeItem()->Click();
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsMaximized);
    EXPECT_TRUE(SameAsFrame(max->PicNormal(), TskUIStyle::WinXP, 10));
}

TEST_F(TitleBarTest, PressingAnEmptyPartMovesANormalWindowOnly) {
    TskTitleBar* bar = BarOnForm(TskUIStyle::WinXP);
    ShowForm();
    const TPoint empty = bar->ClientToScreen({bar->Width() / 2, 5});
    FHost.SetCursorPos(empty);
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, empty, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, empty, 0);
    Paint();
    EXPECT_EQ(FHost.MoveDrags(), 1);
    FForm->SetWindowState(TWindowState::wsMaximized);
    Paint();
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, empty, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, empty, 0);
    Paint();
    EXPECT_EQ(FHost.MoveDrags(), 1);
}

TEST_F(TitleBarTest, AClickOnTheCloseButtonClosesAndTheHelpButtonReportsItsIndex) {
    TskTitleBar* bar = BarOnForm(TskUIStyle::WinXP);
    TskTitleBarButton* help = bar->AddButton();
    help->SetButtonType(TskTitleBarBtnType::skHelp);
    int reported = -1;
    bar->OnHelpBtnClick = [&](TObject*, int index) { reported = index; };
    ShowForm();
    // The help button is the last: leftmost of the right-hand block.
    int x = bar->Width() + bar->RightBtnXOffset() + 1;
    for (TskTitleBarButton* b : bar->ButtonList())
        if (b->ButtonType() != TskTitleBarBtnType::skControlBox) x -= b->PicNormal().Width() + 1;
    const TPoint on = bar->ClientToScreen({x + 3, bar->ButtonTop() + 3});
    FHost.SetCursorPos(on);
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, on, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, on, 0);
    Paint();
    EXPECT_EQ(reported, 4);
    EXPECT_EQ(FHost.MoveDrags(), 0);

    bool closing = false;
    FForm->OnCloseQuery = [&](TObject*, bool& canClose) {
        closing = true;
        canClose = false;
    };
    bar->FindButton(TskTitleBarBtnType::skClose)->DoClick();
    EXPECT_TRUE(closing);
}

TEST_F(TitleBarTest, ASecondControlBoxAndASecondClientSectionAreRefused) {
    TskTitleBar* bar = BarOnForm(TskUIStyle::DeepBlue);
    TskTitleBarButton* close = bar->FindButton(TskTitleBarBtnType::skClose);
    close->SetButtonType(TskTitleBarBtnType::skControlBox);
    EXPECT_EQ(close->ButtonType(), TskTitleBarBtnType::skClose);
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Text, "Sorry, only one button's ButtonType property can be \"skControlBox\"");
    TskTitleBarSection* left = bar->SectionList()[0];
    left->SetAlign(TskTitleBarAlign::skClient);
    EXPECT_EQ(left->Align(), TskTitleBarAlign::skLeft);
    ASSERT_EQ(FHost.MessageBoxes().size(), 2u);
    EXPECT_EQ(FHost.MessageBoxes()[1].Text, "Sorry, only one section's Align property can be \"skClient\"");
    // A client section cannot stop stretching.
    bar->SectionList()[2]->SetStretch(false);
    EXPECT_TRUE(bar->SectionList()[2]->Stretch());
}

TEST_F(TitleBarTest, CaptionColourComesFromTheStyleOrTheFileAndTheLossFallsBack) {
    TskTitleBar* bar = BarOnForm(TskUIStyle::MacOS);
    EXPECT_EQ(bar->Font().Color(), clBlack);
    bar->SetUIStyle(TskUIStyle::Protein);
    EXPECT_EQ(bar->Font().Color(), clWhite);

    TskThemeFileWriter writer;
    writer.AddInteger("ControlFontColor", 0x30000);
    writer.AddInteger("TitleBarButtonTopInt", 7);
    const std::string file = TempDir() + "/dark.skn";
    writer.SaveToFile(file);
    auto* theme = new TskFileTheme(FForm);
    theme->SetThemeFile(file);
    bar->SetFileTheme(theme);
    bar->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(bar->Font().Color(), clBlack);
    EXPECT_EQ(bar->ButtonTop(), 7);
    EXPECT_EQ(bar->FindButton(TskTitleBarBtnType::skClose)->UIStyle(), TskUIStyle::FromThemeFile);
    delete theme;
    EXPECT_EQ(bar->FileTheme(), nullptr);
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(bar->FindButton(TskTitleBarBtnType::skClose)->UIStyle(), TskUIStyle::DeepBlue);
}
