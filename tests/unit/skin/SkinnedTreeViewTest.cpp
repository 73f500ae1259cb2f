// The skinned tree view on a form of the headless host: its frame, its
// style, and the skinned scroll bars that follow its own scroll state.
#include <gtest/gtest.h>

#include <string>

#include "gui/TLayoutLoader.h"
#include "skin/SkinClasses.h"
#include "skin/TskScrollBar.h"
#include "skin/TskThemeLookup.h"
#include "skin/TskTreeView.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

constexpr TColor kBorder = RGB(104, 104, 104), kBack = RGB(250, 250, 230);

class SkinnedTreeViewTest : public ControlFixture {
protected:
    SkinnedTreeViewTest() {
        FTree = new TskTreeView(FForm);
        FTree->SetParent(FForm);
        FTree->SetBounds(20, 20, 150, 120);
        FTree->SetColor(kBack);
        FTree->SetBorderColor(kBorder);
    }
    void AddNodes(int count) {
        for (int i = 0; i < count; ++i)
            FTree->Items().Add(nullptr, "node " + std::to_string(i));
        FApp->ProcessMessages();
    }
    TskScrollBar* NewBar() {
        auto* bar = new TskScrollBar(FForm);
        bar->SetParent(FForm);
        bar->SetBounds(300, 10, 20, 100);
        return bar;
    }
    TScrollInfo Native() {
        TScrollInfo info;
        FTree->GetScrollInfo(TScrollBarKind::sbVertical, info);
        return info;
    }

    TskTreeView* FTree;
};

} // namespace

TEST_F(SkinnedTreeViewTest, AOnePixelFrameInTheBorderColourThenOneInTheTreesColour) {
    EXPECT_EQ(FTree->BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(FTree->BorderWidth(), 2);
    FForm->SetColor(clWhite);
    ShowForm();
    EXPECT_EQ(PixelAt(20, 20), kBorder);
    EXPECT_EQ(PixelAt(169, 139), kBorder);
    EXPECT_EQ(PixelAt(90, 139), kBorder);
    EXPECT_EQ(PixelAt(21, 21), kBack);
    EXPECT_EQ(PixelAt(168, 60), kBack);
    EXPECT_EQ(PixelAt(19, 19), clWhite);

    FTree->SetColor(RGB(1, 2, 3));
    EXPECT_EQ(PixelAt(21, 21), RGB(1, 2, 3));
    FTree->Theme().SetUIStyle(TskUIStyle::WinXP);
    FTree->ThemeChanged();
    const TColor xp =
        TskThemeLookup(nullptr, TskUIStyle::WinXP).Color(ThemeItem::ControlBorderColor);
    EXPECT_EQ(FTree->BorderColor(), xp);
    EXPECT_EQ(PixelAt(20, 20), xp);
}

TEST_F(SkinnedTreeViewTest, ContentThatFitsShowsNoSkinnedBars) {
    AddNodes(2);
    TskScrollBar* vertical = NewBar();
    TskScrollBar* horizontal = NewBar();
    FTree->SetVScrollBar(vertical);
    FTree->SetHScrollBar(horizontal);
    ShowForm();
    EXPECT_FALSE(vertical->Visible());
    EXPECT_FALSE(vertical->Enabled());
    EXPECT_FALSE(horizontal->Visible());
    EXPECT_EQ(vertical->Orientation(), TskProgressBarOrientation::skVertical);
    EXPECT_EQ(horizontal->Orientation(), TskProgressBarOrientation::skHorizontal);
    EXPECT_EQ(vertical->SmallChange(), 5);
}

TEST_F(SkinnedTreeViewTest, TheVerticalBarLiesOverTheRightEdgeAndFollowsTheTree) {
    AddNodes(40);
    TskScrollBar* bar = NewBar();
    FTree->SetVScrollBar(bar);
    ShowForm();
    ASSERT_TRUE(bar->Visible());
    EXPECT_TRUE(bar->Enabled());
    EXPECT_EQ(bar->Left(), 20 + 150 - bar->Width() - 2);
    EXPECT_EQ(bar->Top(), 21);
    EXPECT_EQ(bar->Height(), 118);
    TScrollInfo native = Native();
    EXPECT_EQ(bar->Max(), native.Max - native.Page + 1);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->LineButton(), native.ThumbLength);

    // The bar scrolls the tree...
    bar->SetPosition(10);
    EXPECT_EQ(FTree->TopIndex(), 10);
    // ...and the tree's own scrolling moves the bar.
    FTree->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(bar->Position(), 11);
    FTree->Perform(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-120)) << 16);
    EXPECT_EQ(bar->Position(), 14);

    // Moving the tree takes the bar along.
    FTree->SetBounds(40, 30, 150, 100);
    EXPECT_EQ(bar->Left(), 40 + 150 - bar->Width() - 2);
    EXPECT_EQ(bar->Height(), 98);
}

TEST_F(SkinnedTreeViewTest, NodesAddedOrRemovedLaterShowOrHideTheBar) {
    AddNodes(2);
    TskScrollBar* bar = NewBar();
    FTree->SetVScrollBar(bar);
    ShowForm();
    EXPECT_FALSE(bar->Visible());
    AddNodes(40);
    FApp->ProcessMessages();
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Max(), Native().Max - Native().Page + 1);
    FTree->Items().Clear();
    FApp->ProcessMessages();
    FApp->ProcessMessages();
    EXPECT_FALSE(bar->Visible());
}

TEST_F(SkinnedTreeViewTest, BothBarsShareTheCornerAndHidingTheTreeHidesThem) {
    AddNodes(40);
    TskScrollBar* vertical = NewBar();
    TskScrollBar* horizontal = NewBar();
    FTree->SetHScrollBar(horizontal);
    FTree->SetVScrollBar(vertical);
    ShowForm();
    // The tree never scrolls sideways: its horizontal bar stays hidden, but
    // it is placed along the bottom beside the vertical one.
    EXPECT_FALSE(horizontal->Visible());
    EXPECT_EQ(horizontal->Left(), 21);
    EXPECT_EQ(horizontal->Top(), 20 + 120 - horizontal->Height() - 2);
    EXPECT_EQ(horizontal->Width(), 150 - 2 - vertical->Width());
    EXPECT_EQ(vertical->Height(), 118);

    FTree->SetVisible(false);
    EXPECT_FALSE(vertical->Visible());
    EXPECT_FALSE(horizontal->Visible());
    FTree->SetVisible(true);
    EXPECT_TRUE(vertical->Visible());
}

TEST_F(SkinnedTreeViewTest, BarsAreUnhookedWhenReplacedAndForgottenWhenDestroyed) {
    AddNodes(40);
    TskScrollBar* first = NewBar();
    FTree->SetVScrollBar(first);
    ShowForm();
    ASSERT_GT(first->LineButton(), 0);
    TskScrollBar* second = NewBar();
    FTree->SetVScrollBar(second);
    EXPECT_EQ(first->LineButton(), 0);
    EXPECT_EQ(first->Max(), 100);
    EXPECT_TRUE(first->Enabled());
    const int top = FTree->TopIndex();
    first->SetPosition(7);
    EXPECT_EQ(FTree->TopIndex(), top);

    delete second;
    EXPECT_EQ(FTree->VScrollBar(), nullptr);
    FTree->SetVScrollBar(first);
    delete FTree;
    first->SetPosition(3); // must not reach the destroyed tree
    EXPECT_EQ(first->Max(), 100);
}

TEST_F(SkinnedTreeViewTest, TheStyleGoesToTheHookedBars) {
    TskScrollBar* bar = NewBar();
    FTree->SetVScrollBar(bar);
    FTree->Theme().SetUIStyle(TskUIStyle::MacOS);
    FTree->ThemeChanged();
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::MacOS);
    EXPECT_EQ(bar->Theme().FileTheme(), nullptr);
}

TEST_F(SkinnedTreeViewTest, ALayoutHooksTheBarsItNames) {
    RegisterSkinClasses();
    TLayoutLoader::LoadText(FForm, R"(object Form: TForm
  object tviTree: TskTreeView
    Left = 10
    Top = 10
    Width = 120
    Height = 90
    BorderColor = $00686868
    VScrollBar = sbVert
  end
  object sbVert: TskScrollBar
    Left = 200
    Top = 10
    Width = 20
    Height = 90
    Orientation = skVertical
  end
end)",
                            "Tree.lay");
    auto* tree = dynamic_cast<TskTreeView*>(FForm->FindComponent("tviTree"));
    auto* bar = dynamic_cast<TskScrollBar*>(FForm->FindComponent("sbVert"));
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(tree->VScrollBar(), bar);
    EXPECT_EQ(tree->BorderColor(), kBorder);
    for (int i = 0; i < 40; ++i)
        tree->Items().Add(nullptr, "x");
    ShowForm();
    FApp->ProcessMessages();
    EXPECT_TRUE(bar->Visible());
    EXPECT_EQ(bar->Left(), 10 + 120 - bar->Width() - 2);
    EXPECT_EQ(bar->Height(), 88);
}
