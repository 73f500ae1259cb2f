#include "ControlTestSupport.h"
#include "gui/TImageList.h"
#include "gui/TLayoutLoader.h"
#include "gui/TTreeView.h"

namespace {

class TreeViewTest : public ControlFixture {
protected:
    TreeViewTest() {
        FTree = new TTreeView(FForm);
        FTree->SetBounds(10, 10, 200, 200);
        FTree->SetParent(FForm);
        FTree->OnChange = [this](TObject*, TTreeNode* node) {
            FLog += "change:" + (node ? node->Text() : std::string("-")) + " ";
        };
        TTreeNodes& items = FTree->Items();
        FGames = items.AddChild(nullptr, "网络游戏");
        FOnline = items.AddChild(FGames, "在线");
        FFlash = items.AddChild(FGames, "Flash");
        items.AddChild(FFlash, "小游戏");
        FOther = items.Add(FGames, "单机");
        ShowForm();
        FTree->SetFocus();
    }
    // Window coordinates of a point in the tree's client area.
    TPoint At(int x, int y) {
        TPoint o = FTree->ClientOrigin();
        return {o.X + x, o.Y + y};
    }
    TPoint Centre(const TRect& r) { return At(r.Left + r.Width() / 2, r.Top + r.Height() / 2); }

    TTreeView* FTree;
    TTreeNode* FGames;
    TTreeNode* FOnline;
    TTreeNode* FFlash;
    TTreeNode* FOther;
    std::string FLog;
};

} // namespace

TEST_F(TreeViewTest, NodesKeepPreOrderAndStructure) {
    TTreeNodes& items = FTree->Items();
    EXPECT_EQ(items.Count(), 5);
    EXPECT_EQ(items.Item(2), FFlash);
    EXPECT_EQ(items.Item(4), FOther);
    EXPECT_THROW(items.Item(5), EComponentError);
    EXPECT_EQ(FFlash->Level(), 1);
    EXPECT_EQ(FFlash->Index(), 1);
    EXPECT_EQ(FFlash->GetPrevSibling(), FOnline);
    EXPECT_EQ(FFlash->GetFirstChild()->GetNext(), FOther);
    EXPECT_TRUE(FFlash->GetFirstChild()->HasAsParent(FGames));
    TTreeNode* first = items.Insert(FGames, "首");
    EXPECT_EQ(items.GetFirstNode(), first);
    EXPECT_EQ(FTree->RowCount(), 3); // collapsed: roots only
}

TEST_F(TreeViewTest, ClickOnTheButtonExpandsAndCollapses) {
    ASSERT_FALSE(FGames->Expanded());
    Click(Centre(FTree->ButtonRect(FGames)));
    EXPECT_TRUE(FGames->Expanded());
    EXPECT_EQ(FTree->RowCount(), 4);
    EXPECT_EQ(FTree->RowNode(2), FFlash);
    EXPECT_EQ(FLog, ""); // the button does not select
    Click(Centre(FTree->ButtonRect(FGames)));
    EXPECT_FALSE(FGames->Expanded());
    EXPECT_EQ(FTree->RowCount(), 2);
}

TEST_F(TreeViewTest, ClickSelectsAndDoubleClickToggles) {
    int clicks = 0;
    FTree->OnClick = [&](TObject*) { ++clicks; };
    Click(Centre(FTree->TextRect(FOther)));
    EXPECT_EQ(FTree->Selected(), FOther);
    EXPECT_EQ(clicks, 1);
    TPoint p = Centre(FTree->TextRect(FGames));
    FHost.MouseEvent(Window(), WM_LBUTTONDBLCLK, p, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, p);
    FApp->ProcessMessages();
    EXPECT_TRUE(FGames->Expanded());
    EXPECT_EQ(FLog, "change:单机 change:网络游戏 ");
}

TEST_F(TreeViewTest, KeysMoveTheSelectionAndExpandOrCollapse) {
    Key(VK_DOWN);
    EXPECT_EQ(FTree->Selected(), FGames);
    Key(VK_RIGHT);
    EXPECT_TRUE(FGames->Expanded());
    Key(VK_RIGHT);
    EXPECT_EQ(FTree->Selected(), FOnline);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(FTree->Selected()->Text(), "小游戏");
    Key(VK_LEFT);
    EXPECT_EQ(FTree->Selected(), FFlash);
    Key(VK_LEFT);
    EXPECT_FALSE(FFlash->Expanded());
    Key(VK_END);
    EXPECT_EQ(FTree->Selected(), FOther);
    Key(VK_HOME);
    Key(VK_LEFT);
    EXPECT_FALSE(FGames->Expanded());
}

TEST_F(TreeViewTest, CollapsingMovesAHiddenSelectionUpAndExpandingCanBeRefused) {
    FGames->Expand(true);
    FFlash->GetFirstChild()->Select();
    FLog.clear();
    FGames->Collapse(false);
    EXPECT_EQ(FTree->Selected(), FGames);
    EXPECT_EQ(FLog, "change:网络游戏 ");
    FTree->OnExpanding = [](TObject*, TTreeNode*, bool& allow) { allow = false; };
    Key(VK_RIGHT);
    EXPECT_FALSE(FGames->Expanded());
}

TEST_F(TreeViewTest, DeletingTheSelectedNodeMovesTheSelection) {
    FGames->Expand(true);
    FFlash->Select();
    FFlash->Delete();
    EXPECT_EQ(FTree->Selected(), FOnline);
    EXPECT_EQ(FTree->Items().Count(), 3);
    FTree->Items().Clear();
    EXPECT_EQ(FTree->Selected(), nullptr);
    EXPECT_EQ(FTree->RowCount(), 0);
    FApp->ProcessMessages(); // paints an empty tree
}

TEST_F(TreeViewTest, ManyNodesScrollAndReportTheirScrollState) {
    FTree->Items().BeginUpdate();
    for (int i = 0; i < 50; ++i)
        FTree->Items().AddChild(FOther, "game " + std::to_string(i));
    FTree->Items().EndUpdate();
    TScrollInfo info;
    EXPECT_FALSE(FTree->GetScrollInfo(TScrollBarKind::sbVertical, info));
    FOther->Expand(false);
    ASSERT_TRUE(FTree->GetScrollInfo(TScrollBarKind::sbVertical, info));
    EXPECT_EQ(info.Max, 51);
    EXPECT_EQ(info.Page, FTree->VisibleRows());
    EXPECT_GT(info.ThumbLength, 0);
    EXPECT_FALSE(FTree->GetScrollInfo(TScrollBarKind::sbHorizontal, info));
    EXPECT_LT(FTree->ContentRect().Width(), FTree->ClientWidth());

    FTree->Perform(WM_VSCROLL, SB_THUMBPOSITION | (10 << 16));
    EXPECT_EQ(FTree->TopIndex(), 10);
    EXPECT_EQ(FTree->VertScrollBar()->Position(), 10);
    FTree->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(FTree->TopIndex(), 52 - FTree->VisibleRows());
    FHost.MouseEvent(Window(), WM_MOUSEWHEEL, At(50, 50), static_cast<WPARAM>(120) << 16);
    FApp->ProcessMessages();
    EXPECT_EQ(FTree->TopIndex(), 52 - FTree->VisibleRows() - 3);
    Key(VK_HOME);
    EXPECT_EQ(FTree->TopIndex(), 0);
    Key(VK_END);
    EXPECT_EQ(FTree->RowOf(FTree->Selected()), 51);
    EXPECT_EQ(FTree->TopIndex(), 52 - FTree->VisibleRows());
}

TEST_F(TreeViewTest, ImagesIndentAndBorderStyle) {
    auto* images = new TImageList(FForm);
    images->SetWidth(16);
    images->SetHeight(16);
    TBitmap strip;
    Fill(strip, 32, 16, [](int x, int) { return x < 16 ? clRed : clBlue; });
    images->AddMasked(strip, clNone);
    FTree->SetImages(images);
    FTree->SetIndent(27);
    FOther->SetImageIndex(1);
    FApp->ProcessMessages();
    TRect image = FTree->ImageRect(FOther);
    EXPECT_EQ(image.Left, 27 + 2);
    TPoint p = Centre(image);
    EXPECT_EQ(PixelAt(p.X, p.Y), clBlue);
    EXPECT_EQ(FTree->TextRect(FOther).Left, image.Right + 2);
    EXPECT_EQ(FTree->NonClientInsets(), TRect(2, 2, 2, 2));
    FTree->SetBorderStyle(TBorderStyle::bsNone);
    FTree->SetBorderWidth(2);
    EXPECT_EQ(FTree->NonClientInsets(), TRect(2, 2, 2, 2));
    FTree->SetBorderWidth(0);
    EXPECT_EQ(FTree->ClientWidth(), 200);
    delete images;
    EXPECT_EQ(FTree->Images(), nullptr);
    FApp->ProcessMessages();
}

TEST_F(TreeViewTest, SelectionIsHighlightedOnlyWhileFocusedUnlessAlwaysShown) {
    FOther->Select();
    TPoint p = At(FTree->TextRect(FOther).Left + 1, FTree->TextRect(FOther).Top + 1);
    EXPECT_EQ(PixelAt(p.X, p.Y), ColorToRGB(clHighlight));
    FForm->SetActiveControl(nullptr);
    EXPECT_EQ(PixelAt(p.X, p.Y), ColorToRGB(clWindow));
    FTree->SetHideSelection(false);
    EXPECT_EQ(PixelAt(p.X, p.Y), ColorToRGB(clBtnFace));
}

TEST_F(TreeViewTest, LayoutBindsImagesAndEvents) {
    auto* form = new TForm(nullptr);
    TLayoutLoader::LoadText(form,
                            "object F: TForm\n"
                            "  object tviwList: TTreeView\n"
                            "    Align = alClient\n"
                            "    BorderStyle = bsNone\n"
                            "    BorderWidth = 2\n"
                            "    Images = ImageIndex\n"
                            "    Indent = 27\n"
                            "  end\n"
                            "  object ImageIndex: TImageList\n"
                            "  end\n"
                            "end\n",
                            "t.lay");
    auto* tree = dynamic_cast<TTreeView*>(form->FindComponent("tviwList"));
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->Images(), form->FindComponent("ImageIndex"));
    EXPECT_EQ(tree->Indent(), 27);
    delete form;
}
