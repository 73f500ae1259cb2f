// What a screen reader is told of the skinned parts the framework cannot
// see: a page control's tabs (with the shown page's controls under the
// selected tab) and the title bar's painted buttons.
#include "PageControlTestSupport.h"
#include "gui/TAccessibleTree.h"
#include "gui/TSpeedButton.h"
#include "skin/TskTitleBar.h"

namespace {

class SkinAccessibleTest : public PageControlTest {
protected:
    SkinAccessibleTest() {
        WatchControl(FPages);
        FFirst = AddSheet("about:blank");
        FSecond = AddSheet("弹出页面");
        FButton = new TSpeedButton(FForm);
        FButton->SetCaption("刷新");
        FButton->SetParent(FSecond);
        FForm->Show();
        FApp->ProcessMessages();
        TakeLog();
    }
    const TAccessibleNode& TabList(const TAccessibleNode& root) {
        const TAccessibleNode* list = TAccessibleTree::Find(root, FPages, 1);
        EXPECT_NE(list, nullptr);
        static const TAccessibleNode none;
        return list ? *list : none;
    }

    TskTabSheet* FFirst;
    TskTabSheet* FSecond;
    TSpeedButton* FButton;
};

} // namespace

TEST_F(SkinAccessibleTest, TabsAreATabListWithTheShownPageUnderTheSelectedTab) {
    TAccessibleNode root = TAccessibleTree::Build(*FForm);
    const TAccessibleNode& list = TabList(root);
    EXPECT_EQ(list.Role, TAccessibleRole::PageTabList);
    ASSERT_EQ(list.Children.size(), 2u);
    EXPECT_EQ(list.Children[0].Name, "about:blank");
    EXPECT_EQ(list.Children[1].Name, "弹出页面");
    EXPECT_EQ(list.Children[1].Role, TAccessibleRole::PageTab);
    EXPECT_TRUE(list.Children[1].Selected) << "the page added last is active";
    EXPECT_FALSE(list.Children[0].Selected);
    ASSERT_EQ(list.Children[1].Children.size(), 1u);
    EXPECT_EQ(list.Children[1].Children[0].Name, "刷新");
    EXPECT_TRUE(list.Children[0].Children.empty())
        << "a hidden page's controls are not on the screen";
    EXPECT_TRUE(list.Children[0].Enabled) << "a tab behind is there to choose";
    TRect tab = FPages->Strip()->TabRect(1);
    EXPECT_EQ(list.Children[1].Bounds.TopLeft(), FPages->Strip()->ClientToScreen(tab.TopLeft()));
    EXPECT_EQ(list.Children[1].Bounds.Width(), tab.Width());

    // Selecting a tab is a click on it: the page control's events follow.
    list.Children[0].Activate();
    EXPECT_EQ(FPages->ActivePage(), FFirst);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"changing", "hide 弹出页面", "show about:blank",
                                                   "tabactive 0", "change", "click"}));
    root = TAccessibleTree::Build(*FForm);
    EXPECT_TRUE(TabList(root).Children[0].Selected);
    EXPECT_EQ(TAccessibleTree::Find(root, FButton, 0), nullptr);
}

TEST_F(SkinAccessibleTest, ATabClosedOrHiddenLeavesTheList) {
    FSecond->SetTabVisible(false);
    TAccessibleNode root = TAccessibleTree::Build(*FForm);
    ASSERT_EQ(TabList(root).Children.size(), 2u);
    EXPECT_FALSE(TabList(root).Children[1].Showing) << "a hidden tab is not on the screen";
    delete FSecond;
    root = TAccessibleTree::Build(*FForm);
    ASSERT_EQ(TabList(root).Children.size(), 1u);
    EXPECT_EQ(TAccessibleTree::Find(root, FSecond, 0), nullptr);
}

TEST_F(SkinAccessibleTest, TheTitleBarsPaintedButtonsArePushButtons) {
    auto* bar = new TskTitleBar(FForm);
    bar->SetParent(FForm);
    bar->SetAlign(TAlign::alTop);
    bar->SetCaption("星帆IE");
    FApp->ProcessMessages();
    const TAccessibleNode root = TAccessibleTree::Build(*FForm);
    const TAccessibleNode* node = TAccessibleTree::Find(root, bar, 0);
    ASSERT_NE(node, nullptr);
    std::vector<std::string> names;
    for (const TAccessibleNode& button : node->Children) {
        EXPECT_EQ(button.Role, TAccessibleRole::PushButton);
        EXPECT_FALSE(button.Bounds.IsEmpty()) << button.Name;
        names.push_back(button.Name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"关闭", "最大化", "最小化"}));
    node->Children[2].Activate();
    EXPECT_EQ(FForm->WindowState(), TWindowState::wsMinimized);
}
