#include "MenuTestSupport.h"
#include "gui/ShortCut.h"
#include "gui/TAccessibleTree.h"
#include "gui/TComboBox.h"
#include "gui/TEdit.h"
#include "gui/TLabel.h"
#include "gui/TMainMenu.h"
#include "gui/TMenuBar.h"
#include "gui/TPanel.h"
#include "gui/TSpeedButton.h"

namespace {

// A form like the main window's top: a menu bar, a row of buttons and an
// address row with labels in front of an edit and a combo box.
class AccessibleTreeTest : public MenuTest {
protected:
    AccessibleTreeTest() {
        FMenu = new TMainMenu(FForm);
        FFile = Item(FMenu->Items(), "N43", "文件(F)");
        Command(FFile, "mnuNew", "空白页(&B)")->SetShortCut(TextToShortCut("Ctrl+T"));
        Item(FFile, "N54", "-");
        Command(FFile, "mnuExit", "退出(X)")->SetEnabled(false);
        Item(FMenu->Items(), "N44", "编辑(E)");
        Item(FMenu->Items(), "N45", "查看(V)")->SetVisible(false);
        FBar = new TMenuBar(FForm);
        FBar->SetParent(FForm);
        FBar->SetAlign(TAlign::alTop);
        FBar->SetMenu(FMenu);

        FRow = Place<TPanel>(FForm, 0, 30, 400, 60);
        FBack = Place<TSpeedButton>(FRow, 4, 4, 60, 24);
        FBack->SetCaption("后退");
        FBack->OnClick = [this](TObject*) { ++FBackClicks; };
        FForward = Place<TSpeedButton>(FRow, 70, 4, 24, 24);
        FForward->SetHint("前进");
        Place<TPanel>(FRow, 100, 4, 2, 24); // a bevel line: nothing to read
        auto* hidden = Place<TSpeedButton>(FRow, 110, 4, 24, 24);
        hidden->SetCaption("隐藏");
        hidden->SetVisible(false);
        auto* address = Place<TLabel>(FRow, 4, 34, 40, 16);
        address->SetCaption("地址(&D)");
        FAddress = Place<TComboBox>(FRow, 50, 32, 150, 20);
        FAddress->SetText("about:blank");
        auto* search = Place<TLabel>(FRow, 210, 34, 50, 16);
        search->SetCaption("游戏搜索");
        FSearch = Place<TEdit>(FRow, 262, 32, 100, 20);
        FSearch->SetText("在这里输入游戏名称");
        FApp->ProcessMessages();
    }
    ~AccessibleTreeTest() override { TMenuTracker::CloseMenus(); }

    template <class T> T* Place(TWinControl* parent, int x, int y, int w, int h) {
        auto* control = new T(FForm);
        control->SetParent(parent);
        control->SetBounds(x, y, w, h);
        return control;
    }
    const TAccessibleNode& Node(const TAccessibleNode& root, const void* key, int part = 0) {
        const TAccessibleNode* node = TAccessibleTree::Find(root, key, part);
        EXPECT_NE(node, nullptr);
        static const TAccessibleNode none;
        return node ? *node : none;
    }

    TMainMenu* FMenu;
    TMenuItem* FFile;
    TMenuBar* FBar;
    TPanel* FRow;
    TSpeedButton* FBack;
    TSpeedButton* FForward;
    TComboBox* FAddress;
    TEdit* FSearch;
    int FBackClicks = 0;
};

} // namespace

TEST(AccessibleCaptionTest, SpokenCaptionsLoseTheAccessKeyMarker) {
    EXPECT_EQ(TAccessibleTree::PlainCaption("地址(&D)"), "地址");
    EXPECT_EQ(TAccessibleTree::PlainCaption("文件(F)"), "文件");
    EXPECT_EQ(TAccessibleTree::PlainCaption("查找(在当前页)(&F)"), "查找(在当前页)");
    EXPECT_EQ(TAccessibleTree::PlainCaption("&File"), "File");
    EXPECT_EQ(TAccessibleTree::PlainCaption("Tom && Jerry"), "Tom & Jerry");
    EXPECT_EQ(TAccessibleTree::PlainCaption("  游戏网址"), "游戏网址");
    EXPECT_EQ(TAccessibleTree::PlainCaption("(注意)"), "(注意)") << "a bracketed word is no key";
    EXPECT_EQ(TAccessibleTree::PlainCaption("&"), "");
}

// As a skinned window is built: the status line laid out first, the title
// and menu bars added last and pushed to the top.
TEST_F(AccessibleTreeTest, ReadingOrderIsTopBarsDownwardsThenTheMiddleThenTheBottomBars) {
    auto* area = Place<TPanel>(FForm, 0, 100, 400, 300);
    auto named = [&](const char* caption, TAlign align) {
        auto* label = new TLabel(FForm);
        label->SetParent(area);
        label->SetCaption(caption);
        label->SetAlign(align);
        return label;
    };
    named("状态", TAlign::alBottom);
    named("左栏", TAlign::alLeft);
    named("页面", TAlign::alNone)->SetBounds(100, 150, 50, 16);
    TLabel* tools = named("工具", TAlign::alTop);
    named("底部提示", TAlign::alBottom)->SetTop(0); // above the status line
    TLabel* title = named("标题", TAlign::alTop);
    title->SetTop(0);
    FApp->ProcessMessages();
    ASSERT_LT(title->Top(), tools->Top());

    const TAccessibleNode root = TAccessibleTree::Build(*FForm);
    std::vector<std::string> order;
    for (const TAccessibleNode& child : Node(root, area).Children) order.push_back(child.Name);
    EXPECT_EQ(order, (std::vector<std::string>{"标题", "工具", "左栏", "页面", "底部提示", "状态"}));
}

TEST_F(AccessibleTreeTest, ControlsAreToldWithRoleNameAndPlaceAndEmptyOrHiddenOnesAreLeftOut) {
    const TAccessibleNode root = TAccessibleTree::Build(*FForm);
    ASSERT_EQ(root.Children.size(), 2u);
    const TAccessibleNode& row = Node(root, FRow);
    EXPECT_EQ(row.Role, TAccessibleRole::Panel);
    ASSERT_EQ(row.Children.size(), 6u) << "two buttons, two labels, the combo box and the edit";
    EXPECT_EQ(row.Children[0].Name, "后退");
    EXPECT_EQ(row.Children[0].Role, TAccessibleRole::PushButton);
    EXPECT_EQ(row.Children[1].Name, "前进") << "a picture button is named by its hint";
    EXPECT_EQ(row.Children[1].Bounds, TRect::FromSize(FRow->ClientToScreen({70, 4}).X,
                                                      FRow->ClientToScreen({70, 4}).Y, 24, 24));
    EXPECT_EQ(row.Children[2].Role, TAccessibleRole::Label);
    EXPECT_EQ(row.Children[2].Name, "地址");

    const TAccessibleNode& combo = Node(root, FAddress);
    EXPECT_EQ(combo.Role, TAccessibleRole::ComboBox);
    EXPECT_EQ(combo.Name, "地址") << "named by the label in front of it";
    ASSERT_EQ(combo.Children.size(), 1u);
    EXPECT_EQ(combo.Children[0].Role, TAccessibleRole::Entry);
    EXPECT_EQ(combo.Children[0].Text, "about:blank");
    EXPECT_TRUE(combo.Children[0].Editable);
    const TAccessibleNode& search = Node(root, FSearch);
    EXPECT_EQ(search.Role, TAccessibleRole::Entry);
    EXPECT_EQ(search.Name, "游戏搜索");

    FRow->SetVisible(false);
    EXPECT_EQ(TAccessibleTree::Find(TAccessibleTree::Build(*FForm), FSearch, 0), nullptr);
}

TEST_F(AccessibleTreeTest, StatesFollowTheControls) {
    FSearch->SetFocus();
    FForward->SetEnabled(false);
    FBack->SetGroupIndex(1);
    FBack->SetDown(true);
    TAccessibleNode root = TAccessibleTree::Build(*FForm);
    EXPECT_TRUE(Node(root, FSearch).Focused);
    EXPECT_TRUE(Node(root, FSearch).Focusable);
    EXPECT_FALSE(Node(root, FAddress, 1).Focused);
    EXPECT_FALSE(Node(root, FForward).Enabled);
    EXPECT_TRUE(Node(root, FBack).Checkable);
    EXPECT_TRUE(Node(root, FBack).Checked);
    FRow->SetEnabled(false);
    root = TAccessibleTree::Build(*FForm);
    EXPECT_FALSE(Node(root, FBack).Enabled) << "a disabled parent disables its children";

    // The caret in characters, whatever their width in UTF-8 or UTF-16.
    FSearch->SetText("𝄞象棋");
    FSearch->SetSelStart(3);
    root = TAccessibleTree::Build(*FForm);
    EXPECT_EQ(Node(root, FSearch).Caret, 2);
    FSearch->SetSelStart(0);
    EXPECT_EQ(TAccessibleTree::Find(TAccessibleTree::Build(*FForm), FSearch, 0)->Caret, 0);

    FSearch->SetPasswordChar(u'*');
    root = TAccessibleTree::Build(*FForm);
    EXPECT_EQ(Node(root, FSearch).Text.find("游戏"), std::string::npos)
        << "a password is never read out";
}

TEST_F(AccessibleTreeTest, ActionsClickAndTextIsReplaced) {
    TAccessibleNode root = TAccessibleTree::Build(*FForm);
    ASSERT_TRUE(Node(root, FBack).Activate);
    Node(root, FBack).Activate();
    EXPECT_EQ(FBackClicks, 1);
    FBack->SetEnabled(false);
    root = TAccessibleTree::Build(*FForm);
    Node(root, FBack).Activate();
    EXPECT_EQ(FBackClicks, 1) << "a disabled button does nothing";

    ASSERT_TRUE(Node(root, FAddress, 1).SetText);
    Node(root, FAddress, 1).SetText("http://127.0.0.1/");
    EXPECT_EQ(FAddress->Text(), "http://127.0.0.1/");
    FSearch->SetReadOnly(true);
    root = TAccessibleTree::Build(*FForm);
    EXPECT_FALSE(Node(root, FSearch).Editable);
    EXPECT_FALSE(Node(root, FSearch).SetText);
}

TEST_F(AccessibleTreeTest, TheMenuBarHoldsTheWholeMenuModelAndShowsWhatIsOpen) {
    TAccessibleNode root = TAccessibleTree::Build(*FForm);
    const TAccessibleNode& bar = Node(root, FBar);
    EXPECT_EQ(bar.Role, TAccessibleRole::MenuBar);
    ASSERT_EQ(bar.Children.size(), 2u) << "a hidden menu is left out";
    const TAccessibleNode& file = bar.Children[0];
    EXPECT_EQ(file.Role, TAccessibleRole::Menu);
    EXPECT_EQ(file.Name, "文件");
    EXPECT_EQ(file.Bounds, FBar->BarItemScreenRect(0));
    ASSERT_EQ(file.Children.size(), 3u);
    EXPECT_EQ(file.Children[0].Name, "空白页");
    EXPECT_EQ(file.Children[0].KeyBinding, "Ctrl+T");
    EXPECT_EQ(file.Children[2].KeyBinding, "");
    EXPECT_EQ(file.Children[1].Role, TAccessibleRole::Separator);
    EXPECT_FALSE(file.Children[2].Enabled);
    EXPECT_FALSE(file.Children[0].Showing) << "closed";
    EXPECT_TRUE(file.Children[0].Bounds.IsEmpty());

    file.Activate();
    ASSERT_EQ(Levels().size(), 1u) << "activating a menu of the bar drops it";
    root = TAccessibleTree::Build(*FForm);
    const TAccessibleNode& item = Node(root, FFile->Items(0));
    EXPECT_TRUE(item.Showing);
    EXPECT_TRUE(item.Selected) << "dropped by the keyboard: the first item is selected";
    EXPECT_EQ(item.Bounds, Level(0)->ItemScreenRect(0));

    item.Activate();
    EXPECT_TRUE(Levels().empty()) << "choosing an item closes the menus";
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuNew"});
    Node(root, FFile->Items(2)).Activate();
    EXPECT_EQ(FClicks.size(), 1u) << "a disabled item does nothing";
}
