#include "MenuTestSupport.h"
#include "gui/TMainMenu.h"
#include "gui/TMenuBar.h"
#include "gui/TPopupMenu.h"

namespace {

class MenuKeyboardTest : public MenuTest {
protected:
    MenuKeyboardTest() {
        FPopup = new TPopupMenu(FForm);
        Command(FPopup->Items(), "mnuA", "甲(&A)");
        Item(FPopup->Items(), "N1", "-");
        Command(FPopup->Items(), "mnuB", "乙(&B)")->SetEnabled(false);
        Command(FPopup->Items(), "mnuHidden", "丙")->SetVisible(false);
        TMenuItem* c = Item(FPopup->Items(), "mnuC", "子菜单(&C)");
        Command(c, "mnuC1", "一(&1)");
        Command(c, "mnuC2", "二(&2)");
        Command(FPopup->Items(), "mnuD", "丁(&D)");
        FEdit = new TWinControl(FForm);
        FEdit->SetBounds(0, 250, 100, 20);
        FEdit->SetParent(FForm);
        FEdit->SetTabStop(true);
        FEdit->OnKeyDown = [this](TObject*, int& key, TShiftState) { FEditKeys.push_back(key); };
        FEdit->SetFocus();
    }

    void Open() {
        FPopup->Popup(150, 120);
        ASSERT_EQ(Levels().size(), 1u);
    }

    TPopupMenu* FPopup;
    TWinControl* FEdit;
    std::vector<int> FEditKeys;
};

} // namespace

TEST_F(MenuKeyboardTest, UpAndDownSkipSeparatorsDisabledAndHiddenItemsAndWrap) {
    Open();
    std::vector<std::string> seen;
    for (int i = 0; i < 4; ++i) {
        Key(VK_DOWN);
        seen.push_back(HotName(0));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"mnuA", "mnuC", "mnuD", "mnuA"}));
    Key(VK_UP);
    EXPECT_EQ(HotName(0), "mnuD");
    Key(VK_HOME);
    EXPECT_EQ(HotName(0), "mnuA");
    Key(VK_END);
    EXPECT_EQ(HotName(0), "mnuD");
}

TEST_F(MenuKeyboardTest, KeysGoToTheMenuNotToTheFocusedControlWhileItIsOpen) {
    Open();
    Key(VK_DOWN);
    Key('X', u'x');
    EXPECT_TRUE(FEditKeys.empty());
    Key(VK_ESCAPE);
    EXPECT_TRUE(Levels().empty());
    Key(VK_DOWN);
    EXPECT_EQ(FEditKeys, std::vector<int>{VK_DOWN});
}

TEST_F(MenuKeyboardTest, RightOpensTheSubMenuOnItsFirstItemAndLeftOrEscapeCloseOneLevel) {
    Open();
    Key(VK_DOWN);
    Key(VK_DOWN);
    ASSERT_EQ(HotName(0), "mnuC");
    Key(VK_RIGHT);
    ASSERT_EQ(Levels().size(), 2u);
    EXPECT_EQ(HotName(1), "mnuC1");
    Key(VK_LEFT);
    EXPECT_EQ(Levels().size(), 1u);
    EXPECT_EQ(HotName(0), "mnuC");
    Key(VK_RETURN);
    ASSERT_EQ(Levels().size(), 2u);
    Key(VK_ESCAPE);
    EXPECT_EQ(Levels().size(), 1u);
    Key(VK_ESCAPE);
    EXPECT_TRUE(Levels().empty());
    EXPECT_TRUE(FClicks.empty());
}

TEST_F(MenuKeyboardTest, EnterAndSpaceChooseTheHotItemAfterTheMenuCloses) {
    Open();
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuA"});
    Open();
    Key(VK_UP);
    Key(VK_SPACE, u' ');
    EXPECT_EQ(FClicks, (std::vector<std::string>{"mnuA", "mnuD"}));
    // Enter with nothing hot does nothing.
    Open();
    Key(VK_RETURN);
    EXPECT_EQ(Levels().size(), 1u);
    EXPECT_EQ(FClicks.size(), 2u);
}

TEST_F(MenuKeyboardTest, AccessKeysChooseOrOpenAndIgnoreCase) {
    Open();
    Key('D', u'd');
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuD"});
    Open();
    Key('C', u'c');
    ASSERT_EQ(Levels().size(), 2u);
    EXPECT_EQ(HotName(1), "mnuC1");
    Key('2', u'2');
    EXPECT_EQ(FClicks, (std::vector<std::string>{"mnuD", "mnuC2"}));
    // The access key of a disabled item chooses nothing.
    Open();
    Key('B', u'b');
    EXPECT_EQ(FClicks.size(), 2u);
    EXPECT_EQ(Levels().size(), 1u);
}

TEST_F(MenuKeyboardTest, SeveralItemsWithOneAccessKeyTakeTurnsBeingHot) {
    Command(FPopup->Items(), "mnuA2", "另一个(&A)");
    Open();
    Key('A', u'a');
    EXPECT_EQ(HotName(0), "mnuA");
    Key('A', u'a');
    EXPECT_EQ(HotName(0), "mnuA2");
    Key('A', u'a');
    EXPECT_EQ(HotName(0), "mnuA");
    EXPECT_TRUE(FClicks.empty());
}

TEST_F(MenuKeyboardTest, HotkeyTextHelpers) {
    EXPECT_EQ(StripHotkey("文件(&F)"), "文件(F)");
    EXPECT_EQ(StripHotkey("A&&B"), "A&B");
    EXPECT_EQ(StripHotkey("&"), "");
    EXPECT_EQ(GetHotkey("文件(&f)"), U'F');
    EXPECT_EQ(GetHotkey("A&&B"), U'\0');
    EXPECT_EQ(GetHotkey("&&&x"), U'X');
    EXPECT_EQ(GetHotkey("&中"), U'中');
    EXPECT_EQ(GetHotkey("end&"), U'\0');
}

// --- the menu bar ------------------------------------------------------------

namespace {

class MenuBarKeyboardTest : public MenuTest {
protected:
    MenuBarKeyboardTest() {
        FMenu = new TMainMenu(FForm);
        FFile = Item(FMenu->Items(), "N43", "文件(F)");
        Command(FFile, "mnuNew", "空白页(&B)");
        Command(FFile, "mnuExit", "退出(X)");
        FEditMenu = Item(FMenu->Items(), "N44", "编辑(&E)");
        Command(FEditMenu, "mnuCut", "剪切(&T)");
        Command(FMenu->Items(), "mnuGo", "转到(&G)");
        FForm->SetMenu(FMenu);
        FBar = new TMenuBar(FForm);
        FBar->SetParent(FForm);
        FBar->SetAlign(TAlign::alTop);
        FBar->SetMenu(FMenu);
        FApp->ProcessMessages();
    }
    void Alt() {
        FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU);
        FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, VK_MENU);
        FApp->ProcessMessages();
    }
    void AltKey(int vk) {
        FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU);
        FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, vk, 0, static_cast<char16_t>(vk + 32));
        FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, vk);
        FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, VK_MENU);
        FApp->ProcessMessages();
    }

    TMainMenu* FMenu;
    TMenuItem* FFile;
    TMenuItem* FEditMenu;
    TMenuBar* FBar;
};

} // namespace

TEST_F(MenuBarKeyboardTest, AltAloneEntersTheBarAndArrowsMoveAlongIt) {
    Alt();
    ASSERT_NE(Tracker(), nullptr);
    EXPECT_EQ(Tracker()->Bar(), FBar);
    EXPECT_EQ(FBar->HotIndex(), 0);
    EXPECT_FALSE(FBar->IsOpen());
    EXPECT_TRUE(Levels().empty());
    Key(VK_RIGHT);
    EXPECT_EQ(FBar->HotIndex(), 1);
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(FBar->HotIndex(), 2);
    Key(VK_ESCAPE);
    EXPECT_EQ(FBar->HotIndex(), -1);
    EXPECT_FALSE(Tracker()->Active());
}

TEST_F(MenuBarKeyboardTest, DownDropsTheHotEntryAndLeftRightMoveTheDropDown) {
    FHost.KeyEvent(FormWindow(), WM_KEYDOWN, VK_F10);
    FApp->ProcessMessages();
    Key(VK_DOWN);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FFile);
    EXPECT_EQ(HotName(0), "mnuNew");
    EXPECT_TRUE(FBar->IsOpen());
    // Under the entry.
    TRect entry = FBar->BarItemScreenRect(0);
    EXPECT_EQ(Level(0)->BoundsRect().TopLeft(), TPoint(entry.Left, entry.Bottom));
    Key(VK_RIGHT);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FEditMenu);
    EXPECT_EQ(FBar->HotIndex(), 1);
    // Past a top item without sub-items the bar keeps dropping the next one.
    Key(VK_RIGHT);
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(FBar->HotIndex(), 2);
    Key(VK_RIGHT);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FFile);
    // Escape goes back to the bar with the entry lit, a second one leaves.
    Key(VK_ESCAPE);
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(FBar->HotIndex(), 0);
    EXPECT_TRUE(Tracker()->Active());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Tracker()->Active());
}

TEST_F(MenuBarKeyboardTest, AltAndAnAccessKeyDropThatMenu) {
    AltKey('E');
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FEditMenu);
    EXPECT_EQ(HotName(0), "mnuCut");
    Key(VK_RETURN);
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuCut"});
    EXPECT_FALSE(Tracker()->Active());
}

TEST_F(MenuBarKeyboardTest, CaptionsWithoutAnAmpersandTakeTheirFirstLetterWhenAutomatic) {
    EXPECT_EQ(FFile->AccessKey(), U'F');
    AltKey('F');
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FFile);
    Key('X', u'x');
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuExit"});
    FMenu->SetAutoHotkeys(TMenuAutoFlag::maManual);
    EXPECT_EQ(FFile->AccessKey(), U'\0');
    AltKey('F');
    EXPECT_TRUE(Levels().empty());
}

TEST_F(MenuBarKeyboardTest, AnAccessKeyOfACommandOnTheBarChoosesIt) {
    AltKey('G');
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuGo"});
    EXPECT_FALSE(Tracker()->Active());
}

TEST_F(MenuBarKeyboardTest, AltUsedWithAnotherKeyDoesNotEnterTheBar) {
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU);
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, 'Q', 0, u'q');
    FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, 'Q');
    FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, VK_MENU);
    FApp->ProcessMessages();
    EXPECT_TRUE(!Tracker() || !Tracker()->Active());
}

TEST_F(MenuBarKeyboardTest, AHiddenBarIsNotEntered) {
    FBar->SetVisible(false);
    Alt();
    EXPECT_TRUE(!Tracker() || !Tracker()->Active());
}

TEST_F(MenuBarKeyboardTest, AltInsideAnOpenMenuClosesIt) {
    AltKey('F');
    ASSERT_EQ(Levels().size(), 1u);
    Alt();
    EXPECT_FALSE(Tracker()->Active());
}

TEST_F(MenuBarKeyboardTest, HoldingAltAfterAnAccessKeyKeepsTheMenuOpen) {
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU);
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, 'F', 0, u'f');
    FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, 'F');
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU); // the key repeats
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU);
    FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, VK_MENU);
    FApp->ProcessMessages();
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FFile);
}

// Alt+Tab: the window manager takes the Tab, the window loses the keyboard,
// and the Alt comes back up (released for a window that no longer has the
// keys) only afterwards.
TEST_F(MenuBarKeyboardTest, AnAltLetGoAfterTheWindowLostTheKeyboardDoesNotEnterTheBar) {
    auto* other = new TForm(nullptr);
    other->SetBounds(600, 100, 100, 100);
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU);
    other->Show();
    FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, VK_MENU);
    FApp->ProcessMessages();
    EXPECT_TRUE(!Tracker() || !Tracker()->Active());
    // Back again: Alt alone still works.
    FHost.ActivateWindow(FormWindow());
    Alt();
    ASSERT_NE(Tracker(), nullptr);
    EXPECT_EQ(Tracker()->Bar(), FBar);
    // Leaving the window ends keyboard mode on its bar.
    FHost.ActivateWindow(other->HostWindow());
    FApp->ProcessMessages();
    EXPECT_FALSE(Tracker()->Active());
    EXPECT_EQ(FBar->HotIndex(), -1);
    delete other;
}

TEST_F(MenuBarKeyboardTest, EscapeClosesAMenuDroppedWithTheMouseAndLeavesTheBar) {
    TRect r = FBar->BarItemScreenRect(0);
    ClickAt({r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    ASSERT_EQ(Levels().size(), 1u);
    Key(VK_ESCAPE);
    EXPECT_TRUE(Levels().empty());
    EXPECT_FALSE(Tracker()->Active());
    EXPECT_EQ(FBar->HotIndex(), -1);
    Key('A', u'a');
    EXPECT_FALSE(Tracker()->Active());
}
