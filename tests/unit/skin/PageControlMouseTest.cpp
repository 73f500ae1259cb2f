#include <algorithm>

#include "PageControlTestSupport.h"
#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"

namespace {

class PageControlMouseTest : public PageControlTest {
protected:
    PageControlMouseTest() {
        FA = AddSheet("first");
        FB = AddSheet("second");
        FC = AddSheet("third");
        FForm->Show();
        FApp->ProcessMessages();
        WatchControl(FPages);
        TakeLog();
    }

    void Press(uint32_t msg, TPoint at, WPARAM keys) {
        FHost.MouseEvent(FForm->HostWindow(), msg, at, keys);
        FApp->ProcessMessages();
    }

    TskTabSheet* FA;
    TskTabSheet* FB;
    TskTabSheet* FC;
};

TEST_F(PageControlMouseTest, AClickOnATabActivatesItThenClicksOnRelease) {
    TPoint at = TabPoint(0);
    Press(WM_LBUTTONDOWN, at, MK_LBUTTON);
    EXPECT_EQ(TakeLog(), TLog({"changing", "hide third", "show first", "tabactive 0", "change"}));
    EXPECT_EQ(FPages->ActivePage(), FA);
    Press(WM_LBUTTONUP, at, 0);
    EXPECT_EQ(TakeLog(), TLog({"click"})); // the handler sees the new page
}

TEST_F(PageControlMouseTest, RefusingTheChangeKeepsTabAndPage) {
    FAllowChange = false;
    FHost.Click(FForm->HostWindow(), TabPoint(1));
    FApp->ProcessMessages();
    EXPECT_EQ(TakeLog(), TLog({"changing", "click"}));
    EXPECT_EQ(FPages->ActivePage(), FC);
    EXPECT_EQ(FPages->Strip()->TabIndex(), 2);
    EXPECT_TRUE(FC->Visible());
    EXPECT_FALSE(FB->Visible());
}

TEST_F(PageControlMouseTest, ClicksBesideTheTabsOrOnTheActiveOneOnlyClick) {
    FHost.Click(FForm->HostWindow(), TabPoint(2));
    FApp->ProcessMessages();
    TRect last = FPages->Strip()->TabRect(2);
    TPoint origin = FPages->Strip()->ClientOrigin();
    FHost.Click(FForm->HostWindow(), {origin.X + last.Right + 5, origin.Y + 5});
    FApp->ProcessMessages();
    EXPECT_EQ(TakeLog(), TLog({"click", "click"}));
    EXPECT_EQ(FPages->ActivePage(), FC);
}

TEST_F(PageControlMouseTest, ADoubleClickOnTheStripReachesOnDblClick) {
    TPoint at = TabPoint(2);
    Press(WM_LBUTTONDOWN, at, MK_LBUTTON);
    Press(WM_LBUTTONUP, at, 0);
    Press(WM_LBUTTONDBLCLK, at, MK_LBUTTON);
    Press(WM_LBUTTONUP, at, 0);
    TLog log = TakeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "click");
    EXPECT_EQ(std::count(log.begin(), log.end(), "dblclick"), 1);
}

TEST_F(PageControlMouseTest, ARightClickOffersTheControlsMenuAndChangesNothing) {
    auto* menu = new TComponent(FForm);
    FPages->SetPopupMenu(menu);
    TComponent* shown = nullptr;
    TControl* sender = nullptr;
    TControl::PopupMenuHandler = [&](TComponent* m, TControl* s, TPoint) {
        shown = m;
        sender = s;
    };
    TPoint at = TabPoint(0);
    Press(WM_RBUTTONDOWN, at, MK_RBUTTON);
    Press(WM_RBUTTONUP, at, 0);
    TControl::PopupMenuHandler = nullptr;
    EXPECT_EQ(shown, menu);
    EXPECT_EQ(sender, FPages);
    EXPECT_EQ(FPages->ActivePage(), FC);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(PageControlMouseTest, TabsStartAtTheLeftMarginAndHiddenTabsTakeNoRoom) {
    TskTabControlTopPanel* strip = FPages->Strip();
    FPages->SetLeftMargin(85);
    EXPECT_EQ(strip->TabRect(0).Left, 85);
    TRect second = strip->TabRect(1);
    EXPECT_EQ(second.Left, strip->TabRect(0).Right);
    FB->SetTabVisible(false);
    EXPECT_TRUE(strip->TabRect(1).IsEmpty());
    EXPECT_EQ(strip->TabRect(2).Left, second.Left);
    // A click acts on what the last paint recorded.
    FApp->ProcessMessages();
    EXPECT_EQ(strip->TabAtPos({second.Left + 2, 8}), 2);
    EXPECT_EQ(strip->TabAtPos({40, 8}), -1); // the margin holds no tab
}

TEST_F(PageControlMouseTest, TabsAreMeasuredWithTheTabFont) {
    TskTabControlTopPanel* strip = FPages->Strip();
    FB->SetCaption("");
    EXPECT_EQ(strip->TabWidth(1), 80);
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(FPages->Font());
    const int small = scratch.Canvas().TextWidth("first");
    EXPECT_EQ(strip->TabWidth(0), small + 20);
    FPages->Font().SetHeight(-24);
    EXPECT_GT(strip->TabWidth(0), small + 20);
    FPages->Font().SetHeight(-12);
    EXPECT_EQ(strip->TabWidth(0), small + 20);
    // Measured as written: the marker counts although it is not drawn.
    FA->SetCaption("&first");
    EXPECT_EQ(strip->TabWidth(0), scratch.Canvas().TextWidth("&first") + 20);
}

TEST_F(PageControlMouseTest, TheBodyIsFilledAndBorderedOnThreeSides) {
    FPages->SetColor(clWhite);
    FPages->SetBorderColor(clRed);
    FForm->Invalidate();
    FApp->ProcessMessages();
    const TBitmap& buffer = FForm->BackBuffer();
    const int h = FPages->StripHeight();
    TRect body = FPages->WindowRectInForm();
    // The bar's side lines share the border colour.
    EXPECT_EQ(buffer.GetPixel(body.Left, body.Top + h - 1), clRed);
    EXPECT_EQ(buffer.GetPixel(body.Right - 1, body.Top + h - 1), clRed);
    EXPECT_EQ(buffer.GetPixel(body.Left, body.Top + h + 1), clRed);
    EXPECT_EQ(buffer.GetPixel(body.Right - 1, body.Top + h + 1), clRed);
    EXPECT_EQ(buffer.GetPixel(body.Left + 10, body.Bottom - 1), clRed);
    EXPECT_EQ(buffer.GetPixel(body.Left + 1, body.Top + h + 1), clWhite);
    EXPECT_EQ(FC->Color(), clWhite);
}

} // namespace
