#include "MenuTestSupport.h"
#include "gui/TMainMenu.h"
#include "gui/TPopupMenu.h"
#include "gui/TToolBar.h"
#include "gui/TToolButton.h"
#include "gui/graphics/TCanvas.h"

namespace {

class ToolBarTest : public MenuTest {
protected:
    ToolBarTest() {
        FBar = new TToolBar(FForm);
        FBar->SetParent(FForm);
    }
    TToolButton* Button(const std::string& name,
                        TToolButtonStyle style = TToolButtonStyle::tbsButton) {
        auto* b = new TToolButton(FForm);
        b->SetName(name);
        b->SetStyle(style);
        b->SetParent(FBar);
        b->OnClick = [this](TObject* sender) {
            FClicks.push_back(static_cast<TToolButton*>(sender)->Name());
        };
        return b;
    }
    TPoint Centre(TToolButton* b) { return b->ClientToScreen({b->Width() / 2, b->Height() / 2}); }

    TToolBar* FBar;
};

} // namespace

TEST_F(ToolBarTest, ButtonsLineUpInTheOrderTheyJoined) {
    TToolButton* a = Button("btnA");
    TToolButton* sep = Button("sep", TToolButtonStyle::tbsSeparator);
    TToolButton* b = Button("btnB", TToolButtonStyle::tbsDropDown);
    FBar->SetIndent(4);
    EXPECT_EQ(a->BoundsRect(), TRect(4, 0, 27, 22));
    EXPECT_EQ(sep->BoundsRect(), TRect(27, 0, 27 + TToolButton::DefaultSeparatorWidth, 22));
    EXPECT_EQ(b->Left(), sep->BoundsRect().Right);
    EXPECT_EQ(b->Width(), 23 + TToolButton::DropDownWidth);
    FBar->SetButtonWidth(30);
    FBar->SetButtonHeight(26);
    EXPECT_EQ(a->BoundsRect(), TRect(4, 0, 34, 26));
    a->SetVisible(false);
    EXPECT_EQ(sep->Left(), 4);
    EXPECT_EQ(FBar->ButtonCount(), 3);
    delete sep;
    EXPECT_EQ(FBar->ButtonCount(), 2);
    EXPECT_EQ(b->Left(), 4);
}

TEST_F(ToolBarTest, RowsWrapAndAutoSizeFitsThem) {
    FBar->SetAlign(TAlign::alNone);
    FBar->SetBounds(0, 0, 60, 10);
    FBar->SetAutoSize(true);
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 5; ++i)
        buttons.push_back(Button("b" + std::to_string(i)));
    // 23-pixel buttons, two to a 60-pixel row.
    EXPECT_EQ(buttons[1]->BoundsRect().TopLeft(), TPoint(23, 0));
    EXPECT_EQ(buttons[2]->BoundsRect().TopLeft(), TPoint(0, 22));
    EXPECT_EQ(buttons[4]->BoundsRect().TopLeft(), TPoint(0, 44));
    EXPECT_EQ(FBar->Height(), 66);
    buttons[0]->SetWrap(true);
    EXPECT_EQ(buttons[1]->BoundsRect().TopLeft(), TPoint(0, 22));
    FBar->SetWrapable(false);
    buttons[0]->SetWrap(false);
    EXPECT_EQ(buttons[4]->BoundsRect().TopLeft(), TPoint(92, 0));
    EXPECT_EQ(FBar->Height(), 22);
}

TEST_F(ToolBarTest, CaptionsSizeTheButtonsThatSizeThemselves) {
    TToolButton* shortOne = Button("btnShort");
    TToolButton* longOne = Button("btnLong");
    TToolButton* fixed = Button("btnFixed");
    shortOne->SetCaption("文件(F)");
    longOne->SetCaption("文件和收藏夹(A)");
    fixed->SetCaption("文件和收藏夹(A)");
    shortOne->SetAutoSize(true);
    longOne->SetAutoSize(true);
    EXPECT_EQ(longOne->Width(), 23); // captions hidden: the bar's button width
    FBar->SetShowCaptions(true);
    EXPECT_GT(shortOne->Width(), 23);
    EXPECT_GT(longOne->Width(), shortOne->Width());
    EXPECT_EQ(fixed->Width(), 23);
    EXPECT_EQ(longOne->Left(), shortOne->BoundsRect().Right);
}

TEST_F(ToolBarTest, AClickIsAPressAndAReleaseInside) {
    TToolButton* a = Button("btnA");
    ClickAt(Centre(a));
    EXPECT_EQ(FClicks, std::vector<std::string>{"btnA"});
    // Pressed, dragged out, released: no click, and the pressed look goes.
    MouseAt(WM_LBUTTONDOWN, Centre(a), MK_LBUTTON);
    EXPECT_TRUE(a->Pressed());
    MouseAt(WM_MOUSEMOVE, {Centre(a).X + 100, Centre(a).Y}, MK_LBUTTON);
    EXPECT_FALSE(a->Pressed());
    MouseAt(WM_LBUTTONUP, {Centre(a).X + 100, Centre(a).Y});
    EXPECT_EQ(FClicks.size(), 1u);
    a->SetEnabled(false);
    ClickAt(Centre(a));
    EXPECT_EQ(FClicks.size(), 1u);
}

TEST_F(ToolBarTest, CheckButtonsStayDownAndGroupedOnesActLikeRadioButtons) {
    TToolButton* bold = Button("btnBold", TToolButtonStyle::tbsCheck);
    ClickAt(Centre(bold));
    EXPECT_TRUE(bold->Down());
    ClickAt(Centre(bold));
    EXPECT_FALSE(bold->Down());
    Button("sep", TToolButtonStyle::tbsSeparator);
    std::vector<TToolButton*> group;
    for (const char* name : {"btnLeft", "btnCentre", "btnRight"}) {
        TToolButton* b = Button(name, TToolButtonStyle::tbsCheck);
        b->SetGrouped(true);
        group.push_back(b);
    }
    bold->SetDown(true);
    ClickAt(Centre(group[0]));
    ClickAt(Centre(group[2]));
    EXPECT_FALSE(group[0]->Down());
    EXPECT_TRUE(group[2]->Down());
    EXPECT_TRUE(bold->Down()); // beyond the separator: another group
    ClickAt(Centre(group[2]));
    EXPECT_TRUE(group[2]->Down()); // one stays down...
    for (TToolButton* b : group)
        b->SetAllowAllUp(true);
    ClickAt(Centre(group[2]));
    EXPECT_FALSE(group[2]->Down()); // ...unless all may be up
    EXPECT_EQ(FClicks.size(), 6u);
}

TEST_F(ToolBarTest, TheArrowOfADropDownButtonShowsItsMenuUnderTheButton) {
    auto* popup = new TPopupMenu(FForm);
    Command(popup->Items(), "mnuBack1", "上一页");
    TToolButton* back = Button("btnBack", TToolButtonStyle::tbsDropDown);
    back->SetDropdownMenu(popup);
    TRect arrow = back->DropDownRect();
    ClickAt(back->ClientToScreen({arrow.Left + 3, 5}));
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->BoundsRect().TopLeft(), back->ClientToScreen({0, back->Height()}));
    EXPECT_EQ(popup->PopupComponent(), back);
    EXPECT_TRUE(FClicks.empty());
    ClickAt(back->ClientToScreen({arrow.Left + 3, 5})); // closes, and is no click
    EXPECT_TRUE(Levels().empty());
    EXPECT_TRUE(FClicks.empty());
    ClickAt(back->ClientToScreen({3, 5}));
    EXPECT_EQ(FClicks, std::vector<std::string>{"btnBack"});
    EXPECT_TRUE(Levels().empty());
}

TEST_F(ToolBarTest, CustomDrawGetsTheStateAndMayReplaceThePlainLook) {
    TToolButton* a = Button("btnA");
    std::vector<TCustomDrawState> states;
    FBar->OnCustomDrawButton = [&](TObject* sender, TToolButton* button, TCanvas& canvas,
                                   TCustomDrawState state, bool& defaultDraw) {
        EXPECT_EQ(sender, FBar);
        EXPECT_EQ(button, a);
        states.push_back(state);
        canvas.Brush().SetColor(clLime);
        canvas.FillRect(button->ClientRect());
        defaultDraw = false;
    };
    int backgrounds = 0;
    FBar->OnCustomDraw = [&](TObject*, TCanvas& canvas, TRect rect, bool& defaultDraw) {
        ++backgrounds;
        canvas.Brush().SetColor(clNavy);
        canvas.FillRect(rect);
        defaultDraw = false;
    };
    FForm->Invalidate();
    FApp->ProcessMessages();
    EXPECT_GT(backgrounds, 0);
    ASSERT_FALSE(states.empty());
    EXPECT_EQ(states.back(), 0u);
    TPoint inButton = a->ClientToScreen({2, 2});
    TPoint beside = a->ClientToScreen({a->Width() + 5, 2});
    auto pixel = [&](TPoint screen) {
        return FForm->BackBuffer().GetPixel(screen.X - FForm->Left(), screen.Y - FForm->Top());
    };
    EXPECT_EQ(pixel(inButton), clLime);
    EXPECT_EQ(pixel(beside), clNavy);
    MouseAt(WM_MOUSEMOVE, Centre(a));
    FApp->ProcessMessages();
    EXPECT_EQ(states.back(), TCustomDrawState(cdsHot));
    MouseAt(WM_LBUTTONDOWN, Centre(a), MK_LBUTTON);
    EXPECT_EQ(states.back(), TCustomDrawState(cdsHot | cdsSelected));
    MouseAt(WM_LBUTTONUP, Centre(a));
    a->SetEnabled(false);
    FApp->ProcessMessages();
    EXPECT_EQ(states.back() & (cdsDisabled | cdsHot), TCustomDrawState(cdsDisabled));
}

TEST_F(ToolBarTest, FlatButtonsShowAnEdgeOnlyUnderThePointer) {
    FBar->SetFlat(true);
    TToolButton* a = Button("btnA");
    FApp->ProcessMessages();
    auto topLeft = [&] {
        TPoint p = a->ClientToScreen({0, 0});
        return FForm->BackBuffer().GetPixel(p.X - FForm->Left(), p.Y - FForm->Top());
    };
    EXPECT_EQ(topLeft(), ColorToRGB(clBtnFace));
    MouseAt(WM_MOUSEMOVE, Centre(a));
    FApp->ProcessMessages();
    EXPECT_EQ(topLeft(), ColorToRGB(clBtnHighlight));
    MouseAt(WM_LBUTTONDOWN, Centre(a), MK_LBUTTON);
    EXPECT_EQ(topLeft(), ColorToRGB(clBtnShadow));
    MouseAt(WM_LBUTTONUP, Centre(a));
}

// --- a tool bar as the menu bar ------------------------------------------------------

namespace {

class ToolBarMenuTest : public ToolBarTest {
protected:
    ToolBarMenuTest() {
        FMenu = new TMainMenu(FForm);
        FFile = Item(FMenu->Items(), "N43", "文件(F)");
        Command(FFile, "mnuNew", "空白页(&B)");
        FView = Item(FMenu->Items(), "N45", "查看(V)");
        Command(FView, "mnuStop", "停止(&O)");
        FGo = Command(FMenu->Items(), "mnuGo", "转到(&G)");
        FBar->SetFlat(true);
        FBar->SetShowCaptions(true);
        for (TMenuItem* item : {FFile, FView, FGo}) {
            TToolButton* b = Button("btn" + item->Name());
            b->SetGrouped(true);
            b->SetAutoSize(true);
            b->SetMenuItem(item);
            FButtons.push_back(b);
        }
    }

    TMainMenu* FMenu;
    TMenuItem* FFile;
    TMenuItem* FView;
    TMenuItem* FGo;
    std::vector<TToolButton*> FButtons;
};

} // namespace

TEST_F(ToolBarMenuTest, ButtonsTakeTheirItemsCaptionAndState) {
    EXPECT_EQ(FButtons[0]->Caption(), "文件(F)");
    FView->SetCaption("视图(V)");
    FView->SetEnabled(false);
    EXPECT_EQ(FButtons[1]->Caption(), "查看(V)"); // until asked to follow
    FBar->UpdateMenuItems();
    EXPECT_EQ(FButtons[1]->Caption(), "视图(V)");
    EXPECT_FALSE(FButtons[1]->Enabled());
    delete FView;
    EXPECT_EQ(FButtons[1]->MenuItem(), nullptr);
}

TEST_F(ToolBarMenuTest, PressingAButtonDropsItsItemsSubMenuAndShowsItPressed) {
    MouseAt(WM_MOUSEMOVE, Centre(FButtons[0]));
    MouseAt(WM_LBUTTONDOWN, Centre(FButtons[0]), MK_LBUTTON);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FFile);
    EXPECT_EQ(Level(0)->BoundsRect().TopLeft(),
              FButtons[0]->ClientToScreen({0, FButtons[0]->Height()}));
    EXPECT_TRUE(FButtons[0]->MenuOpen());
    EXPECT_TRUE(FButtons[0]->Pressed());
    MouseAt(WM_LBUTTONUP, Centre(FButtons[0]));
    EXPECT_EQ(Levels().size(), 1u);
    EXPECT_EQ(FForm->CaptureControl(), nullptr);
    // Along the bar to the next menu, then choose.
    MouseAt(WM_MOUSEMOVE, Centre(FButtons[1]));
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ParentItem(), FView);
    EXPECT_FALSE(FButtons[0]->MenuOpen());
    EXPECT_TRUE(FButtons[1]->MenuOpen());
    ClickAt(ItemCentre(0, "mnuStop"));
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuStop"});
    EXPECT_FALSE(FButtons[1]->MenuOpen());
    // Pressing it again after the menu closed by its own button is no click.
    ClickAt(Centre(FButtons[1]));
    ClickAt(Centre(FButtons[1]));
    EXPECT_TRUE(Levels().empty());
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuStop"});
}

TEST_F(ToolBarMenuTest, AButtonForACommandItemChoosesIt) {
    ClickAt(Centre(FButtons[2]));
    EXPECT_EQ(FClicks, (std::vector<std::string>{"mnuGo", "btnmnuGo"}));
}

TEST_F(ToolBarMenuTest, AltEntersTheToolBarAsTheMenuBar) {
    FHost.KeyEvent(FormWindow(), WM_SYSKEYDOWN, VK_MENU);
    FHost.KeyEvent(FormWindow(), WM_SYSKEYUP, VK_MENU);
    FApp->ProcessMessages();
    ASSERT_NE(Tracker(), nullptr);
    EXPECT_EQ(Tracker()->Bar(), FBar);
    EXPECT_TRUE(FButtons[0]->Hot());
    Key(VK_RIGHT);
    EXPECT_TRUE(FButtons[1]->Hot());
    EXPECT_FALSE(FButtons[0]->Hot());
    Key(VK_DOWN);
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(HotName(0), "mnuStop");
    Key(VK_RETURN);
    EXPECT_EQ(FClicks, std::vector<std::string>{"mnuStop"});
    EXPECT_FALSE(FButtons[1]->Hot());
}

TEST_F(ToolBarMenuTest, PlainButtonsAreSkippedOnTheBar) {
    TToolButton* plain = Button("btnPlain");
    EXPECT_EQ(FBar->BarItemCount(), 4);
    EXPECT_EQ(FBar->BarItem(3), nullptr);
    plain->SetCaption("普通");
    TMenuTracker::Instance()->EnterBar(FBar);
    Key(VK_LEFT);
    EXPECT_EQ(Tracker()->BarIndex(), 2);
}
