#include "ControlTestSupport.h"
#include "gui/TEdit.h"
#include "gui/TLayoutLoader.h"
#include "gui/graphics/TTextRenderer.h"
#include "platform/Text.h"

namespace {

class EditTest : public ControlFixture {
protected:
    EditTest() {
        FEdit = new TEdit(FForm);
        FEdit->SetBounds(10, 10, 200, 22);
        FEdit->SetParent(FForm);
        FEdit->OnChange = [this](TObject*) { ++FChanges; };
        ShowForm();
        FEdit->SetFocus();
    }
    int Width(const std::string& text) { return TTextRenderer::TextWidth(FEdit->Font(), text); }
    // Window x of a position's caret boundary.
    int WindowX(int pos) { return FEdit->ClientOrigin().X + FEdit->PosToX(pos); }

    TEdit* FEdit;
    int FChanges = 0;
};

} // namespace

TEST_F(EditTest, OnKeyPressMayChangeOrSwallowTheKeyBeforeItIsInserted) {
    std::u16string seen;
    FEdit->OnKeyPress = [&](TObject*, char16_t& key) {
        seen += key;
        if (key == u'a') key = u'b';
        if (key == u'x') key = 0;
    };
    Key('A', u'a');
    Key('X', u'x');
    Type(u"星帆");
    Key(VK_RETURN, u'\r');
    Key(VK_ESCAPE, u'\x1b');
    EXPECT_EQ(seen, u"ax星帆\r\x1b");
    EXPECT_EQ(FEdit->Text(), "b星帆");
    EXPECT_EQ(FEdit->CaretPos(), 3);
    EXPECT_EQ(FChanges, 3);
}

TEST_F(EditTest, ClickPlacesTheCaretByMeasuredWidthsOfChineseText) {
    FEdit->SetText("中文ab");
    FApp->ProcessMessages();
    const int x = FEdit->ClientOrigin().X + FEdit->TextArea().Left + Width("中") + 1;
    Click({x, 20});
    EXPECT_EQ(FEdit->CaretPos(), 1);
    EXPECT_EQ(FEdit->SelLength(), 0);
    EXPECT_EQ(FEdit->PosToX(2) - FEdit->PosToX(0), Width("中文"));
    Click({WindowX(3) + 1, 20});
    EXPECT_EQ(FEdit->CaretPos(), 3);
    Click({WindowX(4) + 50, 20}); // past the end
    EXPECT_EQ(FEdit->CaretPos(), 4);
}

TEST_F(EditTest, SurrogatePairsMoveAndDeleteAsOneCharacter) {
    Type(u"a\U0001F600b");
    EXPECT_EQ(FEdit->Text(), "a\xF0\x9F\x98\x80"
                             "b");
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(FEdit->CaretPos(), 1);
    Key(VK_RIGHT);
    EXPECT_EQ(FEdit->CaretPos(), 3);
    Key(VK_BACK, u'\b');
    EXPECT_EQ(FEdit->Text(), "ab");
    // A click never lands between the halves either.
    FEdit->SetText(platform::Utf16ToUtf8(u"\U0001F600\U0001F600"));
    FApp->ProcessMessages();
    for (int x = WindowX(0); x < WindowX(4); ++x) {
        Click({x, 20});
        EXPECT_NE(FEdit->CaretPos() % 2, 1) << x;
    }
}

TEST_F(EditTest, MaxLengthCountsUnitsAndDropsAPairThatDoesNotFit) {
    FEdit->SetMaxLength(3);
    Type(u"ab\U0001F600c");
    EXPECT_EQ(FEdit->Text(), "abc");
    Type(u"d");
    EXPECT_EQ(FEdit->Text(), "abc");
    FHost.SetClipboardText("12345");
    FEdit->SelectAll();
    KeyWith(VK_CONTROL, 'V', u'v');
    EXPECT_EQ(FEdit->Text(), "123");
}

TEST_F(EditTest, ShiftArrowsHomeEndAndDeleteEditTheSelection) {
    FEdit->SetText("hello world");
    KeyWith(VK_SHIFT, VK_END);
    EXPECT_EQ(FEdit->SelText(), "hello world");
    Key(VK_HOME);
    KeyWith(VK_SHIFT, VK_RIGHT);
    KeyWith(VK_SHIFT, VK_RIGHT);
    EXPECT_EQ(FEdit->SelStart(), 0);
    EXPECT_EQ(FEdit->SelLength(), 2);
    Key(VK_DELETE);
    EXPECT_EQ(FEdit->Text(), "llo world");
    KeyWith(VK_CONTROL, VK_RIGHT);
    EXPECT_EQ(FEdit->CaretPos(), 4);
    Key(VK_END);
    KeyWith(VK_SHIFT, VK_LEFT);
    Key(VK_LEFT); // collapses to the start of the selection
    EXPECT_EQ(FEdit->CaretPos(), 8);
    EXPECT_EQ(FEdit->SelLength(), 0);
}

TEST_F(EditTest, ClipboardThroughTheHost) {
    FEdit->SetText("星帆IE");
    KeyWith(VK_CONTROL, 'A', u'\x01');
    KeyWith(VK_CONTROL, 'C', u'\x03');
    EXPECT_EQ(FHost.ClipboardText(), "星帆IE");
    EXPECT_EQ(FEdit->Text(), "星帆IE"); // Ctrl+letters insert nothing
    KeyWith(VK_CONTROL, 'X', u'\x18');
    EXPECT_EQ(FEdit->Text(), "");
    FHost.SetClipboardText("first\r\nsecond");
    KeyWith(VK_CONTROL, 'V', u'\x16');
    EXPECT_EQ(FEdit->Text(), "first");
    FEdit->SetReadOnly(true);
    FEdit->SelectAll();
    KeyWith(VK_CONTROL, 'X');
    EXPECT_EQ(FEdit->Text(), "first");
    FHost.SetClipboardText("other");
    KeyWith(VK_CONTROL, 'C');
    EXPECT_EQ(FHost.ClipboardText(), "first");
    Type(u"zz");
    EXPECT_EQ(FEdit->Text(), "first");
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretVisible) {
    FEdit->SetWidth(60);
    Type(u"在这里输入游戏名称在这里输入游戏名称");
    EXPECT_GT(FEdit->ScrollX(), 0);
    const int caretX = FEdit->PosToX(FEdit->CaretPos());
    EXPECT_GE(caretX, FEdit->TextArea().Left);
    EXPECT_LT(caretX, FEdit->TextArea().Right);
    Key(VK_HOME);
    EXPECT_EQ(FEdit->ScrollX(), 0);
}

TEST_F(EditTest, CaretBlinksWhileFocusedAndTypingShowsItAgain) {
    FApp->ProcessMessages();
    EXPECT_TRUE(FEdit->CaretShown());
    const TPoint caret{WindowX(0), 20};
    EXPECT_EQ(PixelAt(caret.X, caret.Y), ColorToRGB(clWindowText));
    FHost.AdvanceClock(600);
    FApp->ProcessMessages();
    EXPECT_FALSE(FEdit->CaretShown());
    EXPECT_EQ(PixelAt(caret.X, caret.Y), ColorToRGB(clWindow));
    Type(u"a");
    EXPECT_TRUE(FEdit->CaretShown());
    FForm->SetActiveControl(nullptr);
    EXPECT_FALSE(FEdit->CaretShown());
}

TEST_F(EditTest, DragSelectsAndDoubleClickSelectsAWord) {
    FEdit->SetText("about blank");
    FApp->ProcessMessages();
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, {WindowX(1), 20}, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_MOUSEMOVE, {WindowX(4), 20}, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, {WindowX(4), 20});
    FApp->ProcessMessages();
    EXPECT_EQ(FEdit->SelText(), "bou");
    FHost.MouseEvent(Window(), WM_LBUTTONDBLCLK, {WindowX(8), 20}, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, {WindowX(8), 20});
    FApp->ProcessMessages();
    EXPECT_EQ(FEdit->SelText(), "blank");
}

TEST_F(EditTest, ClickFiresOnClickAndTabFocusSelectsAll) {
    int clicks = 0;
    FEdit->OnClick = [&](TObject*) { ++clicks; };
    FEdit->SetText("在这里输入游戏名称");
    auto* other = new TEdit(FForm);
    other->SetBounds(10, 50, 100, 22);
    other->SetParent(FForm);
    Click({30, 20});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(FEdit->SelLength(), 0); // a click does not select everything
    other->SetFocus();
    Key(VK_TAB, u'\t');
    EXPECT_TRUE(FEdit->Focused());
    EXPECT_EQ(FEdit->SelLength(), 9);
}

TEST_F(EditTest, SetTextFiresOnChangeButNotWhileLoading) {
    FEdit->SetText("x");
    FEdit->SetText("x");
    EXPECT_EQ(FChanges, 1);
    EXPECT_FALSE(FEdit->Modified());
    auto* form = new TForm(nullptr);
    TLayoutLoader::LoadText(form,
                            "object F: TForm\n"
                            "  object edtFindName: TEdit\n"
                            "    Text = '在这里输入游戏名称'\n"
                            "    BorderStyle = bsNone\n"
                            "    BorderWidth = 2\n"
                            "    MaxLength = 20\n"
                            "  end\n"
                            "end\n",
                            "t.lay");
    auto* edit = dynamic_cast<TEdit*>(form->FindComponent("edtFindName"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "在这里输入游戏名称");
    EXPECT_EQ(edit->NonClientInsets(), TRect(2, 2, 2, 2));
    delete form;
}

TEST_F(EditTest, SelectionIsPaintedInTheHighlightColour) {
    FEdit->SetText("中中中");
    FEdit->SelectAll();
    FApp->ProcessMessages();
    const int y = 10 + 2 + 3;
    EXPECT_EQ(PixelAt(WindowX(0) + 1, y), ColorToRGB(clHighlight));
    FEdit->SetSelLength(0);
    EXPECT_NE(PixelAt(WindowX(3) - 1, y), ColorToRGB(clHighlight));
}

// What an input method composes shows at the caret, underlined, without
// being text yet; the input method hears where the caret is.
TEST_F(EditTest, PreeditTextShowsAtTheCaretAndTheInputMethodKnowsWhere) {
    FEdit->SetText("ab");
    FEdit->SetSelStart(1);
    FApp->ProcessMessages();
    FChanges = 0;
    const TRect before = FHost.ImeCursorRect();
    const TPoint origin = FEdit->ClientOrigin();
    EXPECT_EQ(before.Left, origin.X + FEdit->PosToX(1));
    EXPECT_EQ(before.Top, origin.Y + FEdit->CaretRect().Top);
    FForm->HostPreedit(u"zhong", 5);
    FApp->ProcessMessages();
    EXPECT_EQ(FEdit->Text(), "ab");
    EXPECT_EQ(FEdit->Preedit(), u"zhong");
    EXPECT_EQ(FChanges, 0);
    // The caret stands after the composed text; the text after it moved on.
    EXPECT_EQ(FEdit->CaretRect().Left - FEdit->PosToX(1), Width("zhong"));
    EXPECT_EQ(FEdit->PosToX(2) - FEdit->PosToX(0), Width("azhongb"));
    EXPECT_EQ(FHost.ImeCursorRect().Left, before.Left + Width("zhong"));
    // Underlined in the text colour.
    const int underline = origin.Y + FEdit->CaretRect().Bottom - 1;
    EXPECT_EQ(PixelAt(origin.X + FEdit->PosToX(1) + 2, underline), ColorToRGB(FEdit->Font().Color()));
    EXPECT_NE(PixelAt(origin.X + FEdit->PosToX(0) + 1, underline), ColorToRGB(FEdit->Font().Color()));
    // Committed: the composition ends and the text arrives as typed.
    FForm->HostPreedit(u"", 0);
    Type(u"中");
    EXPECT_EQ(FEdit->Text(), "a中b");
    EXPECT_TRUE(FEdit->Preedit().empty());
    EXPECT_EQ(FHost.ImeCursorRect().Left, origin.X + FEdit->PosToX(2));
}

TEST_F(EditTest, LeavingTheEditDropsItsCompositionAndReadOnlyEditsShowNone) {
    FForm->HostPreedit(u"ni", 2);
    FApp->ProcessMessages();
    EXPECT_EQ(FEdit->Preedit(), u"ni");
    auto* other = new TEdit(FForm);
    other->SetBounds(10, 50, 100, 22);
    other->SetParent(FForm);
    other->SetFocus();
    FApp->ProcessMessages();
    EXPECT_TRUE(FEdit->Preedit().empty());
    other->SetReadOnly(true);
    FForm->HostPreedit(u"ni", 2);
    FApp->ProcessMessages();
    EXPECT_TRUE(other->Preedit().empty());
}

TEST_F(EditTest, SelectingOffersThePrimarySelectionAndAMiddleClickPastesIt) {
    FEdit->SetText("hello world");
    FEdit->SetSelStart(11);
    KeyWith(VK_SHIFT, VK_LEFT);
    EXPECT_EQ(FHost.PrimaryText(), "d");
    KeyWith(VK_CONTROL, 'A');
    EXPECT_EQ(FHost.PrimaryText(), "hello world");
    // A double click selects a word, and offers it.
    Click({WindowX(1), 20});
    FHost.MouseEvent(Window(), WM_LBUTTONDBLCLK, {WindowX(1), 20}, MK_LBUTTON);
    FHost.MouseEvent(Window(), WM_LBUTTONUP, {WindowX(1), 20}, 0);
    FApp->ProcessMessages();
    EXPECT_EQ(FEdit->SelText(), "hello");
    EXPECT_EQ(FHost.PrimaryText(), "hello");
    // The clipboard is another thing.
    FHost.SetClipboardText("clip");
    FHost.SetPrimaryText("星帆\nsecond line");
    FHost.MouseEvent(Window(), WM_MBUTTONDOWN, {WindowX(5), 20}, MK_MBUTTON);
    FHost.MouseEvent(Window(), WM_MBUTTONUP, {WindowX(5), 20}, 0);
    FApp->ProcessMessages();
    EXPECT_EQ(FEdit->Text(), "hello星帆 world");
    EXPECT_EQ(FHost.ClipboardText(), "clip");
}

TEST_F(EditTest, AMiddleClickFocusesAnotherEditWithoutSelectingItAndMaskedTextIsNeverOffered) {
    auto* password = new TEdit(FForm);
    password->SetBounds(10, 50, 100, 22);
    password->SetParent(FForm);
    password->SetPasswordChar(u'*');
    password->SetText("secret");
    FHost.SetPrimaryText("keep");
    password->SetFocus();
    password->SelectAll();
    EXPECT_EQ(FHost.PrimaryText(), "keep");
    FEdit->SetText("ab");
    FHost.MouseEvent(Window(), WM_MBUTTONDOWN, {WindowX(2), 20}, MK_MBUTTON);
    FHost.MouseEvent(Window(), WM_MBUTTONUP, {WindowX(2), 20}, 0);
    FApp->ProcessMessages();
    EXPECT_TRUE(FEdit->Focused());
    EXPECT_EQ(FEdit->Text(), "abkeep");
    EXPECT_EQ(FEdit->SelLength(), 0);
    EXPECT_EQ(FEdit->CaretPos(), 6);
}
