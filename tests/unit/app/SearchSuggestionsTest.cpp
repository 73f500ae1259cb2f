// The search box's drop-down on the whole main window: the names a real
// game index offers for typed text, the keys and clicks that choose or
// close, and what Enter still does when nothing is chosen.
#include "AppTestSupport.h"

#include "app/TSearchSuggestions.h"
#include "gui/TPopupWindow.h"
#include "gui/TSpeedButton.h"
#include "gui/graphics/TBitmap.h"
#include "services/TGameSearchIndex.h"
#include "services/TPinyin.h"
#include "skin/SkinThemes.h"
#include "skin/TskEdit.h"
#include "skin/TskSuggestList.h"
#include "skin/TskThemeLookup.h"

namespace {

class SearchSuggestionsTest : public AppTest {
protected:
    TFrmMain& StartWith(const std::vector<std::string>& games) {
        for (const std::string& name : games)
            FIndex.Add({static_cast<int64_t>(FIndex.Size() + 1), name, "棋牌", "http://g/"},
                       TPinyin::Keys(name));
        TFrmMain& form = Start();
        Suggestions().SetSource([this](const std::string& text, size_t limit) {
            ++FQueries;
            std::vector<std::string> names;
            for (const TGameHit& hit : FIndex.Search(text, limit).Hits)
                names.push_back(hit.Game->Name);
            return names;
        });
        form.edtFindName->SetFocus();
        form.edtFindName->SetText("");
        Settle();
        return form;
    }
    TSearchSuggestions& Suggestions() {
        auto* suggestions =
            dynamic_cast<TSearchSuggestions*>(FForm->FindComponent("SearchSuggestions"));
        EXPECT_NE(suggestions, nullptr);
        return *suggestions;
    }
    void Type(const std::u16string& text) {
        FHost.TypeText(FForm->HostWindow(), text);
        Settle();
    }
    void Key(int vk, char16_t ch = 0) {
        FHost.KeyEvent(FForm->HostWindow(), WM_KEYDOWN, vk, 0, ch);
        FHost.KeyEvent(FForm->HostWindow(), WM_KEYUP, vk, 0, 0);
        Settle();
    }
    THostWindow ListWindow() { return Suggestions().List()->ParentForm()->HostWindow(); }

    TGameSearchIndex FIndex;
    int FQueries = 0;
};

const std::vector<std::string> kChess = {"中国象棋", "欢乐斗地主", "象棋大师", "连连看", "象棋"};

} // namespace

TEST_F(SearchSuggestionsTest, TypingOffersTheIndexsBestGamesFirstAndKeepsTheKeyboardInTheBox) {
    TFrmMain& form = StartWith(kChess);
    EXPECT_FALSE(Suggestions().IsOpen());
    Type(u"x");
    EXPECT_TRUE(Suggestions().IsOpen());
    Type(u"q");
    EXPECT_EQ(form.edtFindName->Text(), "xq");
    EXPECT_EQ(Suggestions().Items(), (std::vector<std::string>{"象棋", "象棋大师", "中国象棋"}));
    EXPECT_EQ(Suggestions().Highlight(), -1);
    // Under the box, as wide as it, one row per name; the box keeps the
    // keyboard and the pointer is not grabbed.
    const TRect box = form.edtFindName->BoundsRect();
    const TPoint boxScreen = form.edtFindName->Parent()->ClientToScreen({box.Left, box.Top});
    EXPECT_EQ(Suggestions().ScreenRect(),
              TRect::FromSize(boxScreen.X, boxScreen.Y + box.Height(), box.Width(), 62));
    EXPECT_EQ(form.ActiveControl(), form.edtFindName);
    EXPECT_EQ(FHost.Capture(), 0u);

    Type(u"d"); // "xqd": 象棋大师 only
    EXPECT_EQ(Suggestions().Items(), (std::vector<std::string>{"象棋大师"}));
    Type(u"z"); // nothing left: closed
    EXPECT_FALSE(Suggestions().IsOpen());
    Key(VK_BACK, u'\b');
    EXPECT_TRUE(Suggestions().IsOpen());
    form.edtFindName->SelectAll();
    Key(VK_BACK, u'\b'); // a cleared box closes it
    EXPECT_EQ(form.edtFindName->Text(), "");
    EXPECT_FALSE(Suggestions().IsOpen());
    EXPECT_EQ(form.PclParent->PageCount(), 1);
}

TEST_F(SearchSuggestionsTest, AtMostTenNamesEachOnceInTheIndexsOrder) {
    std::vector<std::string> games;
    for (int i = 10; i < 25; ++i)
        games.push_back("连连看" + std::to_string(i));
    games.push_back("连连看");   // exact: first though imported last
    games.push_back("连连看10"); // the same game in another list
    StartWith(games);
    Type(u"llk");
    std::vector<std::string> expected = {"连连看"};
    for (int i = 10; i < 19; ++i)
        expected.push_back("连连看" + std::to_string(i));
    EXPECT_EQ(Suggestions().Items(), expected);
}

TEST_F(SearchSuggestionsTest, ArrowsMoveTheHighlightAndEnterChoosesTheHighlightedGame) {
    TFrmMain& form = StartWith(kChess);
    Type(u"xq");
    Key(VK_DOWN);
    EXPECT_EQ(Suggestions().Highlight(), 0);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN); // stays on the last row
    EXPECT_EQ(Suggestions().Highlight(), 2);
    Key(VK_UP);
    EXPECT_EQ(Suggestions().Highlight(), 1);
    Key(VK_UP);
    Key(VK_UP); // back to the typed text
    EXPECT_EQ(Suggestions().Highlight(), -1);
    Key(VK_UP);
    EXPECT_EQ(Suggestions().Highlight(), -1);
    Key(VK_NEXT); // a page down: the last row
    EXPECT_EQ(Suggestions().Highlight(), 2);
    Key(VK_PRIOR); // a page up: the first
    EXPECT_EQ(Suggestions().Highlight(), 0);
    Key(VK_DOWN);
    EXPECT_EQ(form.edtFindName->Text(), "xq"); // moving never rewrites the box

    const int queries = FQueries;
    Key(VK_RETURN, u'\r');
    EXPECT_FALSE(Suggestions().IsOpen());
    EXPECT_EQ(form.edtFindName->Text(), "象棋大师");
    EXPECT_EQ(FQueries, queries); // the chosen name is not offered again
    // One search, of the chosen name: the Enter that chose is not a second.
    EXPECT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(form.PendingURL, AppPath + "Main.htm?Find=象棋大师");
}

TEST_F(SearchSuggestionsTest, EnterWithoutAHighlightSearchesTheTypedTextAsBefore) {
    TFrmMain& form = StartWith(kChess);
    Type(u"xq");
    ASSERT_TRUE(Suggestions().IsOpen());
    Key(VK_RETURN, u'\r');
    EXPECT_FALSE(Suggestions().IsOpen());
    EXPECT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(form.PendingURL, AppPath + "Main.htm?Find=xq");
    EXPECT_EQ(form.edtFindName->Text(), "xq");
}

TEST_F(SearchSuggestionsTest, TheSearchButtonSearchesTheTypedTextAsBefore) {
    TFrmMain& form = StartWith(kChess);
    Type(u"xq");
    Key(VK_DOWN);
    // A real click: the button takes no focus from the box.
    const TPoint at = form.btnFind->ClientToScreen({5, 5});
    FHost.Click(form.HostWindow(), {at.X - form.Left(), at.Y - form.Top()});
    Settle();
    EXPECT_EQ(form.ActiveControl(), form.edtFindName);
    EXPECT_EQ(form.PclParent->PageCount(), 2);
    EXPECT_EQ(form.PendingURL, AppPath + "Main.htm?Find=xq");
    EXPECT_FALSE(Suggestions().IsOpen());
}

TEST_F(SearchSuggestionsTest, EscapeOnlyClosesAndDownOpensAgain) {
    TFrmMain& form = StartWith(kChess);
    Type(u"xq");
    Key(VK_DOWN);
    Key(VK_ESCAPE, u'\x1b');
    EXPECT_FALSE(Suggestions().IsOpen());
    EXPECT_EQ(form.edtFindName->Text(), "xq");
    EXPECT_EQ(form.ActiveControl(), form.edtFindName);
    Key(VK_ESCAPE, u'\x1b'); // the box's own Escape: nothing happens
    EXPECT_FALSE(Suggestions().IsOpen());
    EXPECT_EQ(form.edtFindName->Text(), "xq");
    EXPECT_EQ(form.PclParent->PageCount(), 1);
    Key(VK_DOWN);
    EXPECT_TRUE(Suggestions().IsOpen());
    EXPECT_EQ(Suggestions().Highlight(), -1);
}

TEST_F(SearchSuggestionsTest, AClickOnARowChoosesItAndLeavingTheBoxCloses) {
    TFrmMain& form = StartWith(kChess);
    Type(u"xq");
    FHost.MouseEvent(ListWindow(), WM_MOUSEMOVE, {30, 1 + 20 * 2 + 8});
    Settle();
    EXPECT_EQ(Suggestions().Highlight(), 2);
    FHost.Click(ListWindow(), {30, 1 + 20 * 2 + 8});
    Settle();
    EXPECT_FALSE(Suggestions().IsOpen());
    EXPECT_EQ(form.edtFindName->Text(), "中国象棋");
    EXPECT_EQ(form.PendingURL, AppPath + "Main.htm?Find=中国象棋");
    EXPECT_EQ(form.PclParent->PageCount(), 2);

    form.edtFindName->SetFocus();
    form.edtFindName->SetText("");
    Type(u"x");
    ASSERT_TRUE(Suggestions().IsOpen());
    form.cmbAddr->SetFocus();
    Settle();
    EXPECT_FALSE(Suggestions().IsOpen());
    // Text the program puts into the box while it is not focused offers nothing.
    form.edtFindName->SetText("xq");
    Settle();
    EXPECT_FALSE(Suggestions().IsOpen());

    // Another program taking the keyboard closes it too.
    form.edtFindName->SetFocus();
    form.edtFindName->SetText("");
    Type(u"x");
    ASSERT_TRUE(Suggestions().IsOpen());
    form.HostActivated(true);
    form.HostActivated(false);
    Settle();
    EXPECT_FALSE(Suggestions().IsOpen());
    EXPECT_EQ(form.ActiveControl(), form.edtFindName);
}

TEST_F(SearchSuggestionsTest, RowsAreDrawnInTheMenuColoursOfTheCurrentStyle) {
    TFrmMain& form = StartWith(kChess);
    Type(u"xq");
    Key(VK_DOWN);
    TskSuggestList* list = Suggestions().List();
    const TskThemeLookup theme(form.edtFindName->Theme().FileTheme(),
                               form.edtFindName->Theme().UIStyle());
    auto* popup = dynamic_cast<TPopupWindow*>(list->ParentForm());
    ASSERT_NE(popup, nullptr);
    const TBitmap& pixels = popup->BackBuffer();
    EXPECT_EQ(pixels.GetPixel(0, 0), theme.Color(ThemeItem::ControlBorderColor));
    // Row 0 highlighted with its border, row 1 plain; samples right of any text.
    const int x = popup->Width() - 4;
    EXPECT_EQ(pixels.GetPixel(x, 1 + 10), theme.Color(ThemeItem::MenuSelectedBackgroundColor));
    EXPECT_EQ(pixels.GetPixel(x, 1), theme.Color(ThemeItem::MenuSelectedBorderColor));
    EXPECT_EQ(pixels.GetPixel(x, 1 + 20 + 10), theme.Color(ThemeItem::MenuBackgroundColor));
}
