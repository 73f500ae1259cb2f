#include "MenuTestSupport.h"
#include "gui/TMainMenu.h"
#include "gui/TMenuBar.h"

namespace {

class MenuBarTest : public MenuTest {
protected:
    MenuBarTest() {
        FMenu = new TMainMenu(FForm);
        FFile = Item(FMenu->Items(), "N43", "文件(F)");
        Command(FFile, "mnuNew", "空白页(&B)");
        FEditMenu = Item(FMenu->Items(), "N44", "编辑(E)");
        Command(FEditMenu, "mnuCut", "剪切(&T)");
        Item(FMenu->Items(), "N45", "查看(V)")->SetVisible(false);
        Command(FMenu->Items(), "mnuGo", "转到(&G)");
        FBar = new TMenuBar(FForm);
        FBar->SetParent(FForm);
        FBar->SetAlign(TAlign::alTop);
        FBar->SetMenu(FMenu);
        FApp->ProcessMessages();
    }
    TPoint Entry(int index) {
        TRect r = FBar->BarItemScreenRect(index);
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }

    TMainMenu* FMenu;
    TMenuItem* FFile;
    TMenuItem* FEditMenu;
    TMenuBar* FBar;
};

} // namespace

TEST_F(MenuBarTest, VisibleTopItemsSitSideBySide) {
    ASSERT_EQ(FBar->BarItemCount(), 3);
    EXPECT_EQ(FBar->BarItem(0), FFile);
    EXPECT_EQ(FBar->BarItem(2)->Name(), "mnuGo");
    EXPECT_EQ(FBar->ItemRect(0).Left, 0);
    EXPECT_EQ(FBar->ItemRect(1).Left, FBar->ItemRect(0).Right);
    EXPECT_EQ(FBar->ItemRect(0).Height(), FBar->ClientHeight());
    EXPECT_EQ(FBar->BarItemScreenRect(0).TopLeft(), FBar->ClientToScreen({0, 0}));
    int width = FBar->ItemRect(0).Width();
    FFile->SetCaption("文件和更多(F)");
    EXPECT_GT(FBar->ItemRect(0).Width(), width);
    FMenu->Items()->Find("查看(V)")->SetVisible(true);
    EXPECT_EQ(FBar->BarItemCount(), 4);
}

TEST_F(MenuBarTest, PressingAnEntryDropsItsMenuAndPressingItAgainClosesIt) {
    MouseAt(WM_MOUSEMOVE, Entry(0));
    MouseAt(WM_LBUTTONDOWN, Entry(0), MK_LBUTTON);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FFile);
    EXPECT_EQ(Level(0)->Top(), FBar->BarItemScreenRect(0).Bottom);
    EXPECT_TRUE(FBar->IsOpen());
    EXPECT_EQ(HotName(0), ""); // by mouse: nothing selected yet
    MouseAt(WM_LBUTTONUP, Entry(0));
    EXPECT_EQ(Levels().size(), 1u);
    ClickAt(Entry(0));
    EXPECT_TRUE(Levels().empty());
    EXPECT_FALSE(FBar->IsOpen());
    EXPECT_TRUE(FClicks.empty());
    // The bar was left without a capture or a stale click.
    EXPECT_EQ(FForm->CaptureControl(), nullptr);
    ClickAt(Entry(0));
    EXPECT_EQ(Levels().size(), 1u);
}

TEST_F(MenuBarTest, MovingAlongTheBarWhileOpenSwitchesMenus) {
    ClickAt(Entry(0));
    MouseAt(WM_MOUSEMOVE, Entry(1));
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FEditMenu);
    EXPECT_EQ(FBar->HotIndex(), 1);
    ClickAt(ItemCentre(0, "mnuCut"));
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuCut"});
    EXPECT_FALSE(FBar->IsOpen());
    EXPECT_FALSE(Tracker()->Active());
}

TEST_F(MenuBarTest, ACommandOnTheBarIsChosenByAClick) {
    ClickAt(Entry(2));
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuGo"});
    EXPECT_TRUE(Levels().empty());
    // Pressed on it and released elsewhere: not chosen.
    MouseAt(WM_LBUTTONDOWN, Entry(2), MK_LBUTTON);
    MouseAt(WM_LBUTTONUP, Entry(0));
    EXPECT_EQ(FClicks.size(), 1u);
}

TEST_F(MenuBarTest, ADisabledEntryDropsNothing) {
    FFile->SetEnabled(false);
    ClickAt(Entry(0));
    EXPECT_TRUE(Levels().empty());
}

TEST_F(MenuBarTest, TheEntryUnderThePointerIsHighlighted) {
    MouseAt(WM_MOUSEMOVE, Entry(1));
    EXPECT_EQ(FBar->HotIndex(), 1);
    FApp->ProcessMessages();
    TPoint inForm = FBar->ClientToScreen({FBar->ItemRect(1).Left + 1, 1});
    EXPECT_EQ(FForm->BackBuffer().GetPixel(inForm.X - FForm->Left(), inForm.Y - FForm->Top()),
              ColorToRGB(clHighlight));
    TPoint other = FBar->ClientToScreen({FBar->ItemRect(0).Left + 1, 1});
    EXPECT_EQ(FForm->BackBuffer().GetPixel(other.X - FForm->Left(), other.Y - FForm->Top()),
              ColorToRGB(clBtnFace));
}

TEST_F(MenuBarTest, DestroyingTheBarOrItsMenuClosesWhatDroppedFromIt) {
    ClickAt(Entry(0));
    ASSERT_EQ(Levels().size(), 1u);
    delete FBar;
    FBar = nullptr;
    EXPECT_FALSE(Tracker()->Active());
    auto* bar = new TMenuBar(FForm);
    bar->SetParent(FForm);
    bar->SetMenu(FMenu);
    Tracker()->OpenBarItem(bar, 0, true);
    ASSERT_EQ(Levels().size(), 1u);
    delete FMenu;
    EXPECT_FALSE(Tracker()->Active());
    EXPECT_EQ(bar->Menu(), nullptr);
    EXPECT_EQ(bar->BarItemCount(), 0);
}
