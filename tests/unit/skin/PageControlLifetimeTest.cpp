// Destruction in every order the program can produce; the real checks are
// the sanitizers' (the suite runs under ASan).
#include "PageControlTestSupport.h"
#include "skin/TskFileTheme.h"

namespace {

using PageControlLifetimeTest = PageControlTest;

TEST_F(PageControlLifetimeTest, DestroyingTheControlTakesItsPagesWithoutEvents) {
    TSafeRef<TskTabSheet> a(AddSheet("a"));
    TSafeRef<TskTabSheet> b(AddSheet("b"));
    WatchControl(FPages);
    TakeLog();
    delete FPages;
    FPages = nullptr;
    EXPECT_FALSE(a);
    EXPECT_FALSE(b);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(PageControlLifetimeTest, PagesOwnedElsewhereDieWithTheControl) {
    auto* holder = new TComponent(nullptr);
    auto* a = new TskTabSheet(holder);
    a->SetPageControl(FPages);
    auto* b = new TskTabSheet(holder);
    b->SetPageControl(FPages);
    delete FPages;
    FPages = nullptr;
    EXPECT_EQ(holder->ComponentCount(), 0);
    delete holder;
}

TEST_F(PageControlLifetimeTest, AnOwnerOfPagesMayGoFirst) {
    auto* holder = new TComponent(nullptr);
    auto* a = new TskTabSheet(holder);
    a->SetPageControl(FPages);
    auto* b = new TskTabSheet(holder);
    b->SetPageControl(FPages);
    a->SetCaption("a");
    Watch(a);
    Watch(b);
    WatchControl(FPages);
    TakeLog();
    delete holder;
    EXPECT_EQ(FPages->PageCount(), 0);
    EXPECT_EQ(FPages->ActivePage(), nullptr);
    EXPECT_TRUE(FPages->Strip()->Tabs().empty());
    // The last sheet goes first; its neighbour is activated before it goes
    // in turn. The control's own form is alive, so its events still fire.
    EXPECT_EQ(TakeLog(), TLog({"show a", "tabactive 0", "change"}));
    AddSheet("c");
    EXPECT_EQ(FPages->ActivePageIndex(), 0);
}

TEST_F(PageControlLifetimeTest, OneOwnerOfEverythingInEitherCreationOrder) {
    for (bool sheetsFirst : {false, true}) {
        auto* root = new TComponent(nullptr);
        std::vector<TskTabSheet*> early;
        if (sheetsFirst)
            for (int i = 0; i < 3; ++i)
                early.push_back(new TskTabSheet(root));
        auto* pc = new TskPageControl(root);
        pc->SetParent(FForm);
        WatchControl(pc);
        for (TskTabSheet* sheet : early)
            sheet->SetPageControl(pc);
        if (!sheetsFirst)
            for (int i = 0; i < 3; ++i)
                (new TskTabSheet(root))->SetPageControl(pc);
        for (TskTabSheet* sheet : pc->Pages())
            Watch(sheet);
        TakeLog();
        delete root;
        EXPECT_TRUE(TakeLog().empty()) << sheetsFirst;
        EXPECT_EQ(FForm->ControlCount(), 1);
    }
}

TEST_F(PageControlLifetimeTest, TheFormGoesWithPagesAndAForeignSheetInside) {
    AddSheet("a");
    AddSheet("b");
    auto* loose = new TskTabSheet(nullptr);
    loose->SetParent(FForm); // a sheet outside any page control
    auto* inner = new TWinControl(FForm);
    inner->SetParent(FPages->PageAt(0));
    // The fixture deletes the form: children first, then owned components.
}

TEST_F(PageControlLifetimeTest, ASheetDestroyedByItsOwnOnHide) {
    TskTabSheet* a = AddSheet("a");
    TskTabSheet* b = AddSheet("b");
    TskTabSheet* c = AddSheet("c");
    TSafeRef<TskTabSheet> cRef(c);
    c->OnHide = [c](TObject*) { delete c; };
    FForm->Show();
    FHost.Click(FForm->HostWindow(), TabPoint(0));
    FApp->ProcessMessages();
    EXPECT_FALSE(cRef);
    EXPECT_EQ(FPages->PageCount(), 2);
    EXPECT_EQ(FPages->ActivePage(), a);
    EXPECT_FALSE(b->Visible() || b->Enabled());
    EXPECT_EQ(FPages->Strip()->TabIndex(), 0);
}

TEST_F(PageControlLifetimeTest, ClosingTheActiveTabFromOnDblClick) {
    AddSheet("a");
    AddSheet("b");
    FForm->Show();
    FPages->OnDblClick = [this](TObject*) {
        if (FPages->ActivePageIndex() > 0) delete FPages->ActivePage();
    };
    TPoint at = TabPoint(1);
    for (uint32_t msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        FHost.MouseEvent(FForm->HostWindow(), msg, at, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON);
    FApp->ProcessMessages();
    EXPECT_EQ(FPages->PageCount(), 1);
    EXPECT_EQ(FPages->ActivePageIndex(), 0);
}

TEST_F(PageControlLifetimeTest, ADestroyedFileThemeFallsBackToTheDefaultStyle) {
    auto* theme = new TskFileTheme(FForm);
    FPages->SetFileTheme(theme);
    FPages->SetUIStyle(TskUIStyle::FromThemeFile);
    EXPECT_EQ(FPages->Strip()->FileTheme(), theme);
    delete theme;
    EXPECT_EQ(FPages->FileTheme(), nullptr);
    EXPECT_EQ(FPages->Strip()->FileTheme(), nullptr);
    EXPECT_EQ(FPages->UIStyle(), TskUIStyle::DeepBlue);
}

} // namespace
