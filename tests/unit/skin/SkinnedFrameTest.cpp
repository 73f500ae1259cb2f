// The skinned window frame on a form of the headless host: what it does to
// the window, the frame it paints, the corners, the maximised size, and the
// settings it refuses.
#include <gtest/gtest.h>

#include "gui/TMainMenu.h"
#include "gui/TMenuBar.h"
#include "gui/TMenuItem.h"
#include "gui/TPanel.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"
#include "skin/TskForm.h"
#include "skin/TskThemeLookup.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

class SkinnedFrameTest : public ControlFixture {
protected:
    TskForm* Frame(TskUIStyle style) {
        FForm->SetCaption("星帆IE");
        FForm->SetBounds(0, 0, 400, 300);
        auto* frame = new TskForm(FForm);
        frame->SetParent(FForm);
        frame->SetUIStyle(style);
        return frame;
    }
    TColor Window(int x, int y) { return PixelAt(x, y); }
    const THeadlessHost::TWindowState& HostState() { return *FHost.Window(FForm->HostWindow()); }
};

} // namespace

TEST_F(SkinnedFrameTest, AFrameTakesTheCaptionAwayAndKeepsAThreePixelFrame) {
    TskForm* frame = Frame(TskUIStyle::WinXP);
    ShowForm();
    EXPECT_EQ(frame->Host(), FForm);
    EXPECT_FALSE(FForm->CaptionBits());
    EXPECT_FALSE(HostState().Decorated);
    EXPECT_EQ(FForm->FrameWidth(), 3);
    EXPECT_EQ(FForm->MinWidth(), GetInsideThemeInt(TskUIStyle::WinXP, ThemeItem::FormMinWidthInt));
    EXPECT_EQ(frame->Left(), 0);
    EXPECT_EQ(frame->Width(), 400 - 6);
    EXPECT_EQ(frame->TitleBar()->Caption(), "星帆IE");
    // A second frame on the same window stays a plain panel.
    auto* second = new TskForm(FForm);
    EXPECT_EQ(second->Host(), nullptr);
    delete second;
    EXPECT_FALSE(FForm->CaptionBits());
}

TEST_F(SkinnedFrameTest, UnderWinXPTheBorderIsThreeBluePixelsAndTheTitleRunsIntoTheTopRows) {
    TskForm* frame = Frame(TskUIStyle::WinXP);
    ShowForm();
    const TColor blue = GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::FormBorderColor);
    EXPECT_EQ(blue, RGB(0, 44, 200));
    EXPECT_EQ(frame->FrameBorderWidth(), 3);
    for (int x : {0, 1, 2}) EXPECT_EQ(Window(x, 150), blue) << x;
    EXPECT_EQ(Window(399, 150), blue);
    EXPECT_EQ(Window(200, 299), blue);
    EXPECT_NE(Window(3, 150), blue);
    const TBitmap& left = frame->TitleBar()->SectionList()[0]->Picture().Bitmap();
    for (TPoint p : {TPoint{5, 0}, TPoint{5, 2}, TPoint{10, 1}})
        EXPECT_EQ(Window(p.X, p.Y), left.GetPixel(p.X, p.Y)) << p.X << "," << p.Y;
    // The bar itself continues the same picture from its fourth row.
    EXPECT_EQ(Window(10, 5), left.GetPixel(10, 5));

    // Only the top corners are rounded, 13 pixels wide.
    EXPECT_EQ(frame->RoundCorner(), 13);
    ASSERT_TRUE(HostState().HasRegion);
    const TRegion& region = HostState().Region;
    EXPECT_FALSE(region.Contains(0, 0));
    EXPECT_FALSE(region.Contains(399, 0));
    EXPECT_TRUE(region.Contains(200, 0));
    EXPECT_TRUE(region.Contains(0, 299));
    EXPECT_TRUE(region.Contains(399, 299));
}

TEST_F(SkinnedFrameTest, WithoutTheTitleBarTheCornersAreSquareAndTheTopIsALineAndTwoRows) {
    TskForm* frame = Frame(TskUIStyle::DeepBlue);
    frame->SetFrameBorderWidth(1);
    frame->SetTitleBarVisible(false);
    ShowForm();
    EXPECT_EQ(frame->RoundCorner(), 0);
    EXPECT_TRUE(HostState().Region.Contains(0, 0));
    EXPECT_EQ(Window(200, 0), frame->FrameBorderColor());
    EXPECT_EQ(Window(200, 1), frame->Color());
    EXPECT_EQ(Window(200, 2), frame->Color());
    EXPECT_EQ(Window(1, 150), frame->Color()); // the gap inside a one-pixel border
}

TEST_F(SkinnedFrameTest, AMaximisedWindowLeavesTheWorkAreasBottomRow) {
    Frame(TskUIStyle::WinXP);
    ShowForm();
    FHost.SetWorkArea({0, 0, 1024, 740});
    FForm->SetWindowState(TWindowState::wsMaximized);
    FApp->ProcessMessages();
    EXPECT_EQ(FForm->BoundsRect(), (TRect{0, 0, 1024, 739}));
    FForm->SetWindowState(TWindowState::wsNormal);
    FApp->ProcessMessages();
    EXPECT_EQ(FForm->BoundsRect(), (TRect{0, 0, 400, 300}));
}

// The window manager, told of the maximised state, keeps the window to the
// same area; the whole client is laid out at the maximised size even when
// the window was designed maximised (the frame fixes the size while the
// window is laying it out).
TEST_F(SkinnedFrameTest, AWindowDesignedMaximisedIsLaidOutAtTheSizeTheWindowManagerIsGiven) {
    FHost.SetWorkArea({0, 0, 1024, 740});
    TskForm* frame = Frame(TskUIStyle::WinXP);
    auto* panel = new TPanel(FForm);
    panel->SetParent(frame);
    panel->SetAlign(TAlign::alClient);
    FForm->SetWindowState(TWindowState::wsMaximized);
    ShowForm();
    EXPECT_EQ(FForm->BoundsRect(), (TRect{0, 0, 1024, 739}));
    EXPECT_TRUE(HostState().Maximized);
    EXPECT_EQ(HostState().MaximizedArea, (TRect{0, 0, 1024, 739}));
    EXPECT_EQ(HostState().Bounds, FForm->BoundsRect());
    EXPECT_EQ(frame->Width(), 1024 - 6);
    EXPECT_EQ(frame->Height(), 739 - 6);
    EXPECT_EQ(panel->Width(), frame->ClientWidth());
    TRect close = frame->TitleBar()->RightButtonRect(TskTitleBarBtnType::skClose);
    EXPECT_GT(close.Right, frame->Width() - 30);
    // Restored by the window manager (its own keys): the designed bounds.
    FHost.WindowManagerState(FForm->HostWindow(), false, false);
    FApp->ProcessMessages();
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsNormal);
    EXPECT_FALSE(HostState().Maximized);
    EXPECT_EQ(panel->Width(), frame->ClientWidth());
    EXPECT_EQ(frame->Width(), FForm->Width() - 6);
}

TEST_F(SkinnedFrameTest, TheFormPanelFillsTheFrameButTheFrameItselfIsRefused) {
    TskForm* frame = Frame(TskUIStyle::WinXP);
    frame->SetFormPanel(frame);
    EXPECT_EQ(frame->FormPanel(), nullptr);
    ASSERT_EQ(FHost.MessageBoxes().size(), 1u);
    EXPECT_EQ(FHost.MessageBoxes()[0].Text, "Sorry, you can't select the Form assign to FormPanel property");
    auto* panel = new TPanel(FForm);
    panel->SetParent(frame);
    panel->SetCaption("x");
    frame->SetFormPanel(panel);
    EXPECT_EQ(panel->Align(), TAlign::alClient);
    EXPECT_EQ(panel->Caption(), "");
    delete panel;
    EXPECT_EQ(frame->FormPanel(), nullptr);
}

TEST_F(SkinnedFrameTest, AFrameGoneGivesTheWindowItsCaptionBack) {
    TskForm* frame = Frame(TskUIStyle::WinXP);
    ShowForm();
    delete frame;
    FApp->ProcessMessages();
    EXPECT_TRUE(FForm->CaptionBits());
    EXPECT_EQ(FForm->FrameWidth(), 0);
    EXPECT_FALSE(HostState().HasRegion);
}

TEST_F(SkinnedFrameTest, TheMenuBarDrawsItsEntriesInTheMenuColoursOfTheStyle) {
    TskForm* frame = Frame(TskUIStyle::WinXP);
    auto* menu = new TMainMenu(FForm);
    auto* file = new TMenuItem(menu);
    file->SetCaption("文件(F)");
    menu->Items()->Add(file);
    file->Add(new TMenuItem(menu));
    auto* off = new TMenuItem(menu);
    off->SetCaption("帮助");
    off->SetEnabled(false);
    menu->Items()->Add(off);
    frame->SetMenu(menu);
    ShowForm();
    auto* bar = dynamic_cast<TMenuBar*>(frame->MenuBar());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Top(), frame->TitleBarHeight());
    EXPECT_EQ(bar->Height(), frame->MenuBarHeight());
    const TRect first = bar->BarItemScreenRect(0);
    const TColor border = GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::MenuSelectedBorderColor);
    const TColor fill = GetInsideThemeColor(TskUIStyle::WinXP, ThemeItem::MenuSelectedBackgroundColor);
    EXPECT_NE(Window(first.Left, first.Top), border);
    bar->BarStateChanged(0, false); // hot under the pointer
    EXPECT_EQ(Window(first.Left, first.Top), border);
    EXPECT_EQ(Window(first.Left + 1, first.Top + 1), fill);
    bar->BarStateChanged(0, true); // its menu is open: two pixels narrower
    EXPECT_EQ(Window(first.Right - 3, first.Top + 1), border);
    EXPECT_NE(Window(first.Right - 1, first.Top + 1), fill);
    bar->BarStateChanged(-1, false);
    const TRect second = bar->BarItemScreenRect(1);
    int grey = 0;
    for (int y = second.Top; y < second.Bottom; ++y)
        for (int x = second.Left; x < second.Right; ++x) grey += Window(x, y) == clGray;
    EXPECT_GT(grey, 0);
}
