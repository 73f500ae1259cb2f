#include "ControlTestSupport.h"
#include "gui/TComboBox.h"
#include "gui/TDropDownList.h"
#include "gui/TLayoutLoader.h"
#include "gui/TPopupWindow.h"
#include "gui/TScrollBar.h"

namespace {

class ComboBoxTest : public ControlFixture {
protected:
    ComboBoxTest() {
        FForm->SetBounds(100, 50, 600, 300);
        FCombo = new TComboBox(FForm);
        FCombo->SetBounds(51, 3, 518, 20);
        FCombo->SetItemHeight(12);
        FCombo->SetParent(FForm);
        FCombo->OnClick = [this](TObject*) { FLog += "click:" + FCombo->Text() + " "; };
        FCombo->OnChange = [this](TObject*) { FLog += "change "; };
        FCombo->OnCloseUp = [this](TObject*) { FLog += "closeup "; };
        ShowForm();
        FCombo->SetFocus();
    }
    void AddHistory(int n) {
        for (int i = 0; i < n; ++i)
            FCombo->Items().Add("http://site" + std::to_string(i) + ".example/");
    }
    TPoint ButtonPoint() {
        TRect b = FCombo->ButtonRect();
        TPoint o = FCombo->ClientOrigin();
        return {o.X + b.Left + 3, o.Y + b.Top + 3};
    }
    THostWindow ListWindowHandle() { return FCombo->ListWindow()->HostWindow(); }

    TComboBox* FCombo;
    std::string FLog;
};

} // namespace

TEST_F(ComboBoxTest, ItemsAreAStringList) {
    FCombo->Items().Add("about:blank");
    FCombo->Items().Add("http://www.example.com/");
    EXPECT_EQ(FCombo->Items().Count(), 2);
    EXPECT_EQ(FCombo->Items().IndexOf("HTTP://WWW.EXAMPLE.COM/"), 1);
    EXPECT_EQ(FCombo->Items().IndexOf("nothing"), -1);
    FCombo->SetItemIndex(1);
    EXPECT_EQ(FCombo->Text(), "http://www.example.com/");
    FCombo->Items().Clear();
    EXPECT_EQ(FCombo->ItemIndex(), -1);
    EXPECT_EQ(FLog, ""); // nothing the user did
}

TEST_F(ComboBoxTest, ClickingAnEntryPicksItThenFiresClickAndChange) {
    AddHistory(3);
    FCombo->SetText("about:blank");
    Click(ButtonPoint());
    ASSERT_TRUE(FCombo->DroppedDown());
    TPopupWindow* popup = FCombo->ListWindow();
    // Under the box, as wide as it, three 12-pixel rows and the frame.
    TPoint boxScreen = FCombo->ClientToScreen({0, 0});
    EXPECT_EQ(FHost.WindowBounds(ListWindowHandle()),
              TRect::FromSize(boxScreen.X, boxScreen.Y + 20, 518, 3 * 12 + 2));
    EXPECT_EQ(FCombo->List()->IndexAt({5, 12 + 3}), 1);
    FHost.MouseEvent(ListWindowHandle(), WM_MOUSEMOVE, {20, 1 + 12 + 5});
    FHost.Click(ListWindowHandle(), {20, 1 + 12 + 5});
    FApp->ProcessMessages();
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(FCombo->ItemIndex(), 1);
    EXPECT_EQ(FLog, "closeup click:http://site1.example/ change ");
}

TEST_F(ComboBoxTest, KeyboardDropsDownMovesPicksAndCancels) {
    AddHistory(3);
    KeyWith(VK_MENU, VK_DOWN);
    ASSERT_TRUE(FCombo->DroppedDown());
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_UP);
    EXPECT_EQ(FCombo->List()->HotIndex(), 0);
    Key(VK_DOWN);
    EXPECT_EQ(FLog, ""); // moving in the open list picks nothing yet
    std::u16string pressed;
    FCombo->OnKeyPress = [&](TObject*, char16_t& k) { pressed += k; };
    Key(VK_RETURN, u'\r');
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_EQ(FCombo->Text(), "http://site1.example/");
    EXPECT_EQ(FLog, "closeup click:http://site1.example/ change ");
    EXPECT_EQ(pressed, u""); // the Enter that picked is not typed
    FLog.clear();

    Key(VK_F4);
    ASSERT_TRUE(FCombo->DroppedDown());
    Key(VK_DOWN);
    Key(VK_ESCAPE, u'\x1b');
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_EQ(FCombo->Text(), "http://site1.example/");
    EXPECT_EQ(FLog, "closeup ");
    EXPECT_EQ(pressed, u"");

    Key(VK_RETURN, u'\r'); // closed: Enter is the box's own key press
    EXPECT_EQ(pressed, u"\r");
}

TEST_F(ComboBoxTest, EscapeOrAClickOutsideClosesTheOpenListWithoutPicking) {
    AddHistory(2);
    Click(ButtonPoint());
    ASSERT_TRUE(FCombo->DroppedDown());
    FHost.KeyEvent(ListWindowHandle(), WM_KEYDOWN, VK_ESCAPE, 0, u'\x1b');
    FApp->ProcessMessages();
    EXPECT_FALSE(FCombo->DroppedDown());
    Click(ButtonPoint());
    ASSERT_TRUE(FCombo->DroppedDown());
    FHost.MouseEvent(ListWindowHandle(), WM_LBUTTONDOWN, {-100, -5}, MK_LBUTTON);
    FApp->ProcessMessages();
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_EQ(FLog, "closeup closeup ");
    EXPECT_EQ(FCombo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, ArrowsWhileClosedPickTheNextEntry) {
    AddHistory(3);
    Key(VK_DOWN);
    EXPECT_EQ(FCombo->ItemIndex(), 0);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(FCombo->ItemIndex(), 2);
    Key(VK_UP);
    EXPECT_EQ(FLog, "click:http://site0.example/ change click:http://site1.example/ change "
                    "click:http://site2.example/ change click:http://site1.example/ change ");
}

TEST_F(ComboBoxTest, LongListsScrollAndShowDropDownCountRows) {
    AddHistory(20);
    FCombo->SetItemIndex(15);
    Click(ButtonPoint());
    TDropDownList* list = FCombo->List();
    EXPECT_EQ(FHost.WindowBounds(ListWindowHandle()).Height(), 8 * 12 + 2);
    EXPECT_EQ(list->VisibleRows(), 8);
    EXPECT_TRUE(list->ScrollBar()->Visible());
    EXPECT_LE(list->TopIndex(), 15);
    EXPECT_GT(list->TopIndex() + 8, 15);
    for (int i = 0; i < 10; ++i)
        Key(VK_DOWN);
    EXPECT_EQ(list->HotIndex(), 19);
    EXPECT_EQ(list->TopIndex(), 12);
    EXPECT_EQ(list->ScrollBar()->Position(), 12);
}

TEST_F(ComboBoxTest, TypingGoesThroughOnKeyPressAndCompletesFromTheItems) {
    FCombo->Items().Add("http://www.example.com/");
    FCombo->SetText("");
    std::u16string pressed;
    FCombo->OnKeyPress = [&](TObject*, char16_t& k) {
        pressed += k;
        if (k == u'H') k = u'h';
    };
    Type(u"Ht");
    EXPECT_EQ(pressed, u"Ht");
    EXPECT_EQ(FCombo->Text(), "http://www.example.com/");
    EXPECT_EQ(FCombo->SelText(), "tp://www.example.com/");
    Type(u"x"); // typing on replaces the completed part
    EXPECT_EQ(FCombo->Text(), "htx");
    FCombo->SetAutoComplete(false);
    FCombo->SetText("");
    Type(u"ht");
    EXPECT_EQ(FCombo->Text(), "ht");
}

TEST_F(ComboBoxTest, DropDownListStyleChoosesByClickAndFirstLetter) {
    FCombo->SetStyle(TComboBoxStyle::csDropDownList);
    FCombo->Items().Assign({"alpha", "beta", "bravo"});
    FCombo->SetText("nothing");
    EXPECT_EQ(FCombo->ItemIndex(), -1);
    Type(u"b");
    EXPECT_EQ(FCombo->Text(), "beta");
    Type(u"b");
    EXPECT_EQ(FCombo->Text(), "bravo");
    Click({60, 10}); // anywhere on the box opens the list
    EXPECT_TRUE(FCombo->DroppedDown());
    Key(VK_HOME);
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(FCombo->Text(), "alpha");
}

TEST_F(ComboBoxTest, ClickIntoTheEditIsNoPick) {
    AddHistory(1);
    Click({80, 10});
    EXPECT_FALSE(FCombo->DroppedDown());
    EXPECT_EQ(FLog, "");
}

TEST_F(ComboBoxTest, LayoutProperties) {
    auto* form = new TForm(nullptr);
    TLayoutLoader::LoadText(form,
                            "object F: TForm\n"
                            "  object cmbAddr: TComboBox\n"
                            "    Left = 51\n"
                            "    Top = 3\n"
                            "    Width = 518\n"
                            "    Height = 20\n"
                            "    ItemHeight = 12\n"
                            "    Items = ('1' '0')\n"
                            "    Text = 'about:blank'\n"
                            "  end\n"
                            "end\n",
                            "t.lay");
    auto* combo = dynamic_cast<TComboBox*>(form->FindComponent("cmbAddr"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Text(), "about:blank");
    EXPECT_EQ(combo->Items().Count(), 2);
    EXPECT_EQ(combo->ItemHeight(), 12);
    EXPECT_EQ(combo->ButtonRect(), TRect(518 - 2 - 17, 2, 518 - 2, 18));
    delete form;
}
