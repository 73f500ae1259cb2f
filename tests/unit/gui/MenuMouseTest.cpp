#include "MenuTestSupport.h"
#include "gui/TPopupMenu.h"
#include "gui/TWinControl.h"

namespace {

class MenuMouseTest : public MenuTest {
protected:
    MenuMouseTest() {
        FPopup = new TPopupMenu(FForm);
        FPopup->SetName("popTabs");
        Command(FPopup->Items(), "N1", "关闭");
        Item(FPopup->Items(), "N3", "-");
        Command(FPopup->Items(), "N2", "关闭所有页");
        FMore = Item(FPopup->Items(), "mnuMore", "更多(&M)");
        Command(FMore, "mnuA", "甲(&A)");
        Command(FMore, "mnuB", "乙(&B)");
        FPanel = new TWinControl(FForm);
        FPanel->SetBounds(20, 30, 200, 100);
        FPanel->SetParent(FForm);
        FPanel->SetPopupMenu(FPopup);
    }

    void RightClickPanel(TPoint client) {
        TPoint screen = FPanel->ClientToScreen(client);
        MouseAt(WM_MOUSEMOVE, screen);
        MouseAt(WM_RBUTTONDOWN, screen, MK_RBUTTON);
        MouseAt(WM_RBUTTONUP, screen);
    }

    TPopupMenu* FPopup;
    TMenuItem* FMore;
    TWinControl* FPanel;
};

} // namespace

TEST_F(MenuMouseTest, RightClickOnAControlOpensItsPopupMenuAtTheCursor) {
    RightClickPanel({50, 40});
    ASSERT_EQ(Levels().size(), 1u);
    TMenuWindow* w = Level(0);
    EXPECT_EQ(w->BoundsRect().TopLeft(), TPoint(100 + 20 + 50, 100 + 30 + 40));
    EXPECT_TRUE(FHost.WindowVisible(w->HostWindow()));
    EXPECT_EQ(FHost.Window(w->HostWindow())->Kind, TWindowKind::Popup);
    EXPECT_EQ(FPopup->PopupComponent(), FPanel);
    // Four visible items, none hot until the pointer or the keyboard says so.
    EXPECT_EQ(w->ItemCount(), 4);
    EXPECT_EQ(w->HotIndex(), -1);
}

TEST_F(MenuMouseTest, APopupNearTheScreenEdgeOpensLeftAndAboveTheCursor) {
    FHost.SetWorkArea({0, 0, 400, 300});
    FPopup->Popup(390, 290);
    TMenuWindow* w = Level(0);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->BoundsRect().Right, 390);
    EXPECT_EQ(w->BoundsRect().Bottom, 290);
}

TEST_F(MenuMouseTest, ClickingAnItemClosesTheMenuThenFiresOnClickOnce) {
    RightClickPanel({10, 10});
    bool openDuringClick = true;
    FPopup->Items()->Find("关闭")->OnClick = [&](TObject*) {
        openDuringClick = !Levels().empty();
        FClicks.push_back("N1");
    };
    THostWindow popup = Level(0)->HostWindow();
    ClickAt(ItemCentre(0, "N1"), popup);
    EXPECT_EQ(FClicks, std::vector<std::string>{"N1"});
    EXPECT_FALSE(openDuringClick);
    EXPECT_TRUE(Levels().empty());
    EXPECT_FALSE(Tracker()->Active());
    FApp->ProcessMessages();
    EXPECT_EQ(FClicks.size(), 1u);
}

TEST_F(MenuMouseTest, AHandlerMayDestroyTheMenuItChoseFrom) {
    RightClickPanel({10, 10});
    FPopup->Items()->Find("关闭")->OnClick = [&](TObject*) { delete FPopup; };
    ClickAt(ItemCentre(0, "N1"));
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(FPanel->PopupMenu(), nullptr);
}

TEST_F(MenuMouseTest, SeparatorsAndDisabledItemsDoNotChooseAndKeepTheMenuOpen) {
    FPopup->Items()->Find("关闭所有页")->SetEnabled(false);
    RightClickPanel({10, 10});
    ClickAt(ItemCentre(0, "N3"));
    ClickAt(ItemCentre(0, "N2"));
    EXPECT_TRUE(FClicks.empty());
    EXPECT_EQ(Levels().size(), 1u);
}

TEST_F(MenuMouseTest, HoverHighlightsAndOpensTheSubMenuAfterTheDelay) {
    RightClickPanel({10, 10});
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "N1"));
    EXPECT_EQ(HotName(0), "N1");
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "mnuMore"));
    EXPECT_EQ(HotName(0), "mnuMore");
    EXPECT_EQ(Levels().size(), 1u);
    Wait(TMenuTracker::HoverDelayMs + 10);
    ASSERT_EQ(Levels().size(), 2u);
    TMenuWindow* sub = Level(1);
    EXPECT_EQ(sub->ParentItem(), FMore);
    // Beside its parent window, top aligned with the parent item.
    TRect parentItem = Level(0)->ItemScreenRect(Level(0)->IndexOf(FMore));
    EXPECT_EQ(sub->Left(), Level(0)->BoundsRect().Right - TMenuWindow::Border);
    EXPECT_EQ(sub->Top(), parentItem.Top - TMenuWindow::Border);
    // Into the sub-menu: the parent item stays lit, the sub-item is hot.
    MouseAt(WM_MOUSEMOVE, ItemCentre(1, "mnuB"));
    EXPECT_EQ(HotName(0), "mnuMore");
    EXPECT_EQ(HotName(1), "mnuB");
    ClickAt(ItemCentre(1, "mnuB"));
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuB"});
    EXPECT_TRUE(Levels().empty());
}

TEST_F(MenuMouseTest, HoveringAnotherItemClosesTheOpenSubMenuAfterTheDelay) {
    RightClickPanel({10, 10});
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "mnuMore"));
    Wait(TMenuTracker::HoverDelayMs + 10);
    ASSERT_EQ(Levels().size(), 2u);
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "N1"));
    EXPECT_EQ(Levels().size(), 2u); // passing over on the way must not close it at once
    Wait(TMenuTracker::HoverDelayMs + 10);
    EXPECT_EQ(Levels().size(), 1u);
    EXPECT_EQ(HotName(0), "N1");
}

TEST_F(MenuMouseTest, PressingAnItemWithSubItemsOpensItAtOnce) {
    RightClickPanel({10, 10});
    MouseAt(WM_LBUTTONDOWN, ItemCentre(0, "mnuMore"), MK_LBUTTON);
    EXPECT_EQ(Levels().size(), 2u);
    MouseAt(WM_LBUTTONUP, ItemCentre(0, "mnuMore"));
    EXPECT_EQ(Levels().size(), 2u);
    EXPECT_TRUE(FClicks.empty());
}

TEST_F(MenuMouseTest, AClickOutsideClosesEveryLevelAndGoesNoFurther) {
    int panelClicks = 0;
    FPanel->OnClick = [&](TObject*) { ++panelClicks; };
    RightClickPanel({10, 10});
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "mnuMore"));
    Wait(TMenuTracker::HoverDelayMs + 10);
    ASSERT_EQ(Levels().size(), 2u);
    THostWindow first = Level(0)->HostWindow();
    ClickAt(FPanel->ClientToScreen({5, 95}));
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(FHost.Window(first), nullptr);
    EXPECT_EQ(panelClicks, 0);
    EXPECT_TRUE(FClicks.empty());
    // The next click reaches the panel again.
    ClickAt(FPanel->ClientToScreen({5, 95}));
    EXPECT_EQ(panelClicks, 1);
}

TEST_F(MenuMouseTest, OnlyOneMenuChainIsOpenAtATime) {
    auto* other = new TPopupMenu(FForm);
    Command(other->Items(), "mnuOther", "其他");
    RightClickPanel({10, 10});
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "mnuMore"));
    Wait(TMenuTracker::HoverDelayMs + 10);
    other->Popup(300, 300);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), other->Items());
    int visiblePopups = 0;
    for (THostWindow w : FHost.Windows())
        if (FHost.Window(w)->Kind == TWindowKind::Popup && FHost.WindowVisible(w)) ++visiblePopups;
    EXPECT_EQ(visiblePopups, 1);
}

TEST_F(MenuMouseTest, OnPopupRunsBeforeTheItemsAreMeasuredAndMayChangeThem) {
    FPopup->OnPopup = [&](TObject*) { FPopup->Items()->Find("关闭")->SetVisible(false); };
    RightClickPanel({10, 10});
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ItemCount(), 3);
    EXPECT_EQ(Level(0)->IndexOf(FPopup->Items()->Find("关闭")), -1);
}

TEST_F(MenuMouseTest, AutoPopupOffLeavesTheRightClickAlone) {
    FPopup->SetAutoPopup(false);
    RightClickPanel({10, 10});
    EXPECT_TRUE(Levels().empty());
}

TEST_F(MenuMouseTest, DestroyingAnOpenItemClosesTheChain) {
    RightClickPanel({10, 10});
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "mnuMore"));
    Wait(TMenuTracker::HoverDelayMs + 10);
    ASSERT_EQ(Levels().size(), 2u);
    delete FMore;
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(FPopup->Items()->Count(), 3);
}

TEST_F(MenuMouseTest, ChangingItemsOfAnOpenLevelRemeasuresIt) {
    RightClickPanel({10, 10});
    int height = Level(0)->Height();
    FPopup->Items()->Find("关闭")->SetVisible(false);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ItemCount(), 3);
    EXPECT_LT(Level(0)->Height(), height);
}

TEST_F(MenuMouseTest, OpenMenusListsLevelsOutermostFirstWithScreenRects) {
    FPopup->Items()->Find("关闭")->SetChecked(true);
    Item(FMore, "mnuHidden", "隐藏")->SetVisible(false);
    RightClickPanel({10, 10});
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "mnuMore"));
    Wait(TMenuTracker::HoverDelayMs + 10);
    std::vector<TOpenMenuInfo> menus = TMenuTracker::OpenMenus();
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].Name, "popTabs");
    EXPECT_EQ(menus[1].Name, "mnuMore");
    EXPECT_EQ(menus[0].ScreenRect, Level(0)->BoundsRect());
    ASSERT_EQ(menus[0].Items.size(), 4u);
    EXPECT_EQ(menus[0].Items[0].Name, "N1");
    EXPECT_EQ(menus[0].Items[0].Caption, "关闭");
    EXPECT_TRUE(menus[0].Items[0].Checked);
    EXPECT_EQ(menus[0].Items[3].ScreenRect, Level(0)->ItemScreenRect(3));
    EXPECT_TRUE(menus[0].Items[3].Hot);
    ASSERT_EQ(menus[1].Items.size(), 3u);
    EXPECT_FALSE(menus[1].Items[2].Visible);
    EXPECT_TRUE(menus[1].Items[2].ScreenRect.IsEmpty());
    // Every shown item lies inside its window.
    for (const TOpenMenuInfo& menu : menus)
        for (const TOpenMenuItemInfo& item : menu.Items)
            if (item.Visible)
                EXPECT_EQ(item.ScreenRect.Intersect(menu.ScreenRect), item.ScreenRect);
}
