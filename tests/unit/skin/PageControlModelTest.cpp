#include "PageControlTestSupport.h"

namespace {

using PageControlModelTest = PageControlTest;

TEST_F(PageControlModelTest, AnAddedPageIsAppendedNumberedParentedAndActive) {
    WatchControl(FPages);
    TskTabSheet* a = AddSheet("a");
    EXPECT_EQ(TakeLog(), TLog({"show a"})); // index 0 is the strip's already
    TskTabSheet* b = AddSheet("b");
    EXPECT_EQ(TakeLog(), TLog({"hide a", "show b", "tabactive 1", "change"}));
    TskTabSheet* c = AddSheet("c");
    TakeLog();

    EXPECT_EQ(FPages->PageCount(), 3);
    EXPECT_EQ(a->PageIndex(), 0);
    EXPECT_EQ(b->PageIndex(), 1);
    EXPECT_EQ(c->PageIndex(), 2);
    EXPECT_EQ(c->Parent(), FPages);
    EXPECT_EQ(c->PageControl(), FPages);
    EXPECT_EQ(FPages->ActivePage(), c);
    EXPECT_EQ(FPages->ActivePageIndex(), 2);
    EXPECT_EQ(FPages->Strip()->Tabs(), std::vector<std::string>({"a", "b", "c"}));
    EXPECT_EQ(FPages->Strip()->TabIndex(), 2);
    // Only the active page is shown and enabled.
    EXPECT_TRUE(c->Visible() && c->Enabled());
    EXPECT_FALSE(a->Visible() || a->Enabled());
    EXPECT_FALSE(b->Visible() || b->Enabled());
}

TEST_F(PageControlModelTest, IndexesOutsideThePagesAnswerNone) {
    auto* loose = new TskTabSheet(FForm);
    EXPECT_EQ(loose->PageIndex(), -1);
    EXPECT_EQ(FPages->ActivePageIndex(), 0);
    EXPECT_EQ(FPages->ActivePage(), nullptr);
    TskTabSheet* a = AddSheet("a");
    EXPECT_EQ(FPages->PageAt(0), a);
    EXPECT_EQ(FPages->PageAt(1), nullptr);
    EXPECT_EQ(FPages->PageAt(-1), nullptr);
    loose->SetPageIndex(0); // belongs to no control: stays out
    EXPECT_EQ(loose->PageIndex(), -1);
    EXPECT_EQ(FPages->PageCount(), 1);
}

TEST_F(PageControlModelTest, ASheetMadeAChildBecomesAPage) {
    auto* sheet = new TskTabSheet(FForm);
    sheet->SetParent(FPages);
    EXPECT_EQ(sheet->PageControl(), FPages);
    EXPECT_EQ(FPages->ActivePage(), sheet);
    auto* other = new TWinControl(FForm); // not a sheet: not a page
    other->SetParent(FPages);
    EXPECT_EQ(FPages->PageCount(), 1);
}

TEST_F(PageControlModelTest, RemovingTheActivePageActivatesTheOneLeftOfIt) {
    TskTabSheet* a = AddSheet("a");
    AddSheet("b");
    TskTabSheet* c = AddSheet("c");
    WatchControl(FPages);
    TakeLog();
    delete c;
    EXPECT_EQ(TakeLog(), TLog({"show b", "tabactive 1", "change"}));
    EXPECT_EQ(FPages->ActivePageIndex(), 1);
    EXPECT_EQ(PageCaptions(), TLog({"a", "b"}));
    EXPECT_EQ(FPages->Strip()->Tabs(), TLog({"a", "b"}));

    FPages->SetActivePage(FPages->PageAt(1));
    TskTabSheet* d = AddSheet("d");
    FPages->SetActivePage(FPages->PageAt(1));
    TakeLog();
    delete FPages->PageAt(1); // the middle one, active
    EXPECT_EQ(FPages->ActivePage(), a);
    EXPECT_EQ(d->PageIndex(), 1);
    EXPECT_EQ(TakeLog(), TLog({"show a", "tabactive 0", "change"}));
}

TEST_F(PageControlModelTest, RemovingTheFirstPageLeavesNoPageActive) {
    TskTabSheet* a = AddSheet("a");
    TskTabSheet* b = AddSheet("b");
    FPages->SetActivePage(a);
    TakeLog();
    delete a;
    EXPECT_EQ(FPages->ActivePage(), nullptr);
    EXPECT_EQ(FPages->ActivePageIndex(), 0);
    EXPECT_EQ(b->PageIndex(), 0);
    EXPECT_TRUE(TakeLog().empty()); // the dying page gets no OnHide
    // Activating what is left works again, as from nothing.
    FPages->SetActivePage(b);
    EXPECT_EQ(FPages->ActivePage(), b);
    EXPECT_EQ(FPages->Strip()->TabIndex(), 0);
    EXPECT_EQ(TakeLog(), TLog({"show b"}));
}

TEST_F(PageControlModelTest, RemovingAnyPageActivatesTheOneLeftOfTheRemovedOne) {
    AddSheet("a");
    TskTabSheet* b = AddSheet("b");
    AddSheet("c");
    TskTabSheet* d = AddSheet("d");
    TakeLog();
    delete b; // d stays in the list but a becomes active
    EXPECT_EQ(FPages->ActivePage()->Caption(), "a");
    EXPECT_EQ(TakeLog(), TLog({"hide d", "show a"}));
    EXPECT_EQ(d->PageIndex(), 2);
}

TEST_F(PageControlModelTest, TakingASheetOutHidesItAndReleasesIt) {
    TskTabSheet* a = AddSheet("a");
    TskTabSheet* b = AddSheet("b");
    TakeLog();
    b->SetPageControl(nullptr);
    EXPECT_EQ(TakeLog(), TLog({"hide b", "show a"}));
    EXPECT_EQ(b->Parent(), nullptr);
    EXPECT_EQ(b->PageIndex(), -1);
    EXPECT_EQ(b->PageControl(), nullptr);
    EXPECT_EQ(FPages->ActivePage(), a);
    // Into another page control: it leaves this one and joins that one.
    auto* other = new TskPageControl(FForm);
    other->SetParent(FForm);
    a->SetPageControl(other);
    EXPECT_EQ(FPages->PageCount(), 0);
    EXPECT_EQ(other->ActivePage(), a);
    delete b;
}

TEST_F(PageControlModelTest, SettingPageIndexMovesAndActivates) {
    TskTabSheet* a = AddSheet("a");
    AddSheet("b");
    TskTabSheet* c = AddSheet("c");
    FPages->SetActivePage(a);
    WatchControl(FPages);
    TakeLog();
    c->SetPageIndex(0);
    EXPECT_EQ(PageCaptions(), TLog({"c", "a", "b"}));
    EXPECT_EQ(FPages->Strip()->Tabs(), TLog({"c", "a", "b"}));
    EXPECT_EQ(a->PageIndex(), 1);
    EXPECT_EQ(FPages->ActivePage(), c);
    // The strip already showed index 0, so no tab change is reported.
    EXPECT_EQ(TakeLog(), TLog({"hide a", "show c"}));

    c->SetPageIndex(2);
    EXPECT_EQ(PageCaptions(), TLog({"a", "b", "c"}));
    EXPECT_EQ(TakeLog(), TLog({"show c", "tabactive 2", "change"}));
    for (int bad : {-1, 3, 100}) {
        a->SetPageIndex(bad);
        EXPECT_EQ(a->PageIndex(), 0);
    }
    EXPECT_EQ(FPages->ActivePage(), c);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(PageControlModelTest, ProgrammaticActivationRunsTheTabPathWithoutAsking) {
    TskTabSheet* a = AddSheet("a");
    TskTabSheet* b = AddSheet("b");
    WatchControl(FPages);
    FAllowChange = false; // would refuse, but is never asked
    TakeLog();
    FPages->SetActivePage(a);
    EXPECT_EQ(TakeLog(), TLog({"hide b", "show a", "tabactive 0", "change"}));
    FPages->SetActivePageIndex(1);
    EXPECT_EQ(FPages->ActivePage(), b);
    EXPECT_EQ(TakeLog(), TLog({"hide a", "show b", "tabactive 1", "change"}));
    FPages->SetActivePageIndex(7);
    EXPECT_EQ(FPages->ActivePage(), b);
    FPages->SetActivePage(nullptr);
    EXPECT_EQ(FPages->ActivePage(), nullptr);
    EXPECT_EQ(FPages->Strip()->TabIndex(), -1);
    EXPECT_EQ(TakeLog(), TLog({"hide b"}));
}

TEST_F(PageControlModelTest, ASheetOfAnotherControlIsNotActivated) {
    TskTabSheet* a = AddSheet("a");
    auto* other = new TskPageControl(FForm);
    other->SetParent(FForm);
    auto* foreign = new TskTabSheet(FForm);
    foreign->SetPageControl(other);
    FPages->SetActivePage(foreign);
    EXPECT_EQ(FPages->ActivePage(), a);
    EXPECT_EQ(other->ActivePage(), foreign);
}

TEST_F(PageControlModelTest, ACaptionChangeRetitlesItsTabAtOnce) {
    AddSheet("a");
    TskTabSheet* b = AddSheet("b");
    b->SetCaption("新的标题");
    EXPECT_EQ(FPages->Strip()->Tabs(), TLog({"a", "新的标题"}));
}

TEST_F(PageControlModelTest, HidingTheActiveTabActivatesTheNearestShownOne) {
    TskTabSheet* a = AddSheet("a");
    TskTabSheet* b = AddSheet("b");
    TskTabSheet* c = AddSheet("c");
    TskTabSheet* d = AddSheet("d");
    b->SetTabVisible(false); // not active: only its slot changes
    EXPECT_FALSE(FPages->Strip()->TabShown(1));
    EXPECT_EQ(FPages->ActivePage(), d);
    TakeLog();
    d->SetTabVisible(false);
    EXPECT_EQ(FPages->ActivePage(), c); // to the left first
    c->SetTabVisible(false);
    EXPECT_EQ(FPages->ActivePage(), a); // skips the hidden b
    EXPECT_EQ(TakeLog(), TLog({"hide d", "show c", "hide c", "show a"}));
    a->SetTabVisible(false); // nothing shown at all: a stays
    EXPECT_EQ(FPages->ActivePage(), a);
    c->SetTabVisible(true); // showing a tab activates nothing
    EXPECT_EQ(FPages->ActivePage(), a);
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_FALSE(a->TabVisible());
    EXPECT_TRUE(c->TabVisible());
}

TEST_F(PageControlModelTest, HidingTheFirstActiveTabLooksToTheRight) {
    TskTabSheet* a = AddSheet("a");
    AddSheet("b");
    TskTabSheet* c = AddSheet("c");
    FPages->PageAt(1)->SetTabVisible(false);
    FPages->SetActivePage(a);
    a->SetTabVisible(false);
    EXPECT_EQ(FPages->ActivePage(), c);
}

TEST_F(PageControlModelTest, TabVisibilityFollowsItsPageWhenPagesMove) {
    TskTabSheet* a = AddSheet("a");
    AddSheet("b");
    TskTabSheet* c = AddSheet("c");
    a->SetTabVisible(false);
    c->SetPageIndex(0);
    EXPECT_FALSE(a->TabVisible());
    EXPECT_FALSE(FPages->Strip()->TabShown(1));
    EXPECT_TRUE(FPages->Strip()->TabShown(0));
    delete c;
    EXPECT_FALSE(FPages->Strip()->TabShown(0));
    EXPECT_TRUE(FPages->Strip()->TabShown(1));
    auto* loose = new TskTabSheet(FForm);
    loose->SetTabVisible(false); // kept on the sheet until it joins
    EXPECT_FALSE(loose->TabVisible());
    loose->SetPageControl(FPages);
    EXPECT_FALSE(FPages->Strip()->TabShown(2));
}

TEST_F(PageControlModelTest, ShowingAControlOnAHiddenPageActivatesThatPage) {
    TskTabSheet* a = AddSheet("a");
    AddSheet("b");
    auto* inner = new TWinControl(FForm);
    inner->SetParent(a);
    TakeLog();
    inner->Show();
    EXPECT_EQ(FPages->ActivePage(), a);
    EXPECT_EQ(TakeLog(), TLog({"hide b", "show a"}));
    FPages->PageAt(1)->Show();
    EXPECT_EQ(FPages->ActivePageIndex(), 1);
}

TEST_F(PageControlModelTest, PagesTakeTheControlsColours) {
    FPages->SetColor(clWhite);
    FPages->SetBorderColor(RGB(104, 104, 104));
    TskTabSheet* a = AddSheet("a");
    EXPECT_EQ(a->Color(), clWhite);
    EXPECT_EQ(a->BorderColor(), RGB(104, 104, 104));
    FPages->SetColor(clYellow);
    FPages->SetBorderColor(clRed);
    EXPECT_EQ(a->Color(), clYellow);
    EXPECT_EQ(a->BorderColor(), clRed);
}

TEST_F(PageControlModelTest, PagesFillTheBodyBelowTheStrip) {
    TskTabSheet* a = AddSheet("a");
    const int strip = FPages->StripHeight();
    EXPECT_GT(strip, 0);
    EXPECT_EQ(FPages->Strip()->BoundsRect(), TRect(0, 0, 300, strip));
    EXPECT_EQ(a->BoundsRect(), TRect(3, strip + 3, 297, 197));
    FPages->SetBounds(10, 10, 250, 120);
    EXPECT_EQ(a->BoundsRect(), TRect(3, strip + 3, 247, 117));
    EXPECT_EQ(FPages->Strip()->Width(), 250);
}

TEST_F(PageControlModelTest, ActivatingAPageByTabFocusesItsFirstControl) {
    TskTabSheet* a = AddSheet("a");
    auto* edit = new TWinControl(FForm);
    edit->SetParent(a);
    AddSheet("b");
    FForm->Show();
    FPages->SetActivePage(a); // index differs from the strip's: the tab path
    EXPECT_EQ(FForm->ActiveControl(), edit);
    FForm->SetActiveControl(nullptr);
    a->SetPageIndex(0); // the strip already shows 0: not the tab path
    EXPECT_EQ(FPages->ActivePage(), a);
    EXPECT_EQ(FForm->ActiveControl(), nullptr);
}

TEST_F(PageControlModelTest, HandlersThatDestroyTheControlEndTheActivation) {
    TskTabSheet* a = AddSheet("a");
    AddSheet("b");
    WatchControl(FPages);
    a->OnShow = [this](TObject*) {
        Log("show a");
        delete FPages;
    };
    TakeLog();
    FPages->SetActivePage(a);
    EXPECT_EQ(TakeLog(), TLog({"hide b", "show a"}));
    FPages = nullptr;
}

TEST_F(PageControlModelTest, PageCountIsPublishedReadOnly) {
    AddSheet("a");
    AddSheet("b");
    EXPECT_EQ(std::get<int64_t>(GetPropValue(FPages, "PageCount")), 2);
    EXPECT_THROW(SetPropValue(FPages, "PageCount", int64_t{5}), Exception);
    EXPECT_EQ(FPages->PageCount(), 2);
}

} // namespace
