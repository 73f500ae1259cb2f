#include "MenuTestSupport.h"
#include "gui/TImageList.h"
#include "gui/TMenuPainter.h"
#include "gui/TPopupMenu.h"
#include "gui/graphics/TCanvas.h"

namespace {

struct TDrawCall {
    std::string Item;
    TRect Rect;
    bool Selected;
};

class MenuDrawTest : public MenuTest {
protected:
    MenuDrawTest() {
        FPopup = new TPopupMenu(FForm);
        FPopup->SetOwnerDraw(true);
    }

    // An owner-drawn item: measured as width x height, drawn as a solid
    // `fill` rectangle (a little larger than its rect, to show the clip).
    TMenuItem* Drawn(const std::string& name, int width, int height, TColor fill) {
        TMenuItem* item = Command(FPopup->Items(), name, name);
        item->OnMeasureItem = [this, width, height](TObject* sender, TCanvas& canvas, int& w,
                                                    int& h) {
            FMeasured.push_back(static_cast<TMenuItem*>(sender)->Name());
            FMeasureFont = canvas.Font().Name();
            FDefaultSizes.push_back({w, h});
            w = width;
            h = height;
        };
        item->OnDrawItem = [this, fill](TObject* sender, TCanvas& canvas, TRect rect,
                                        bool selected) {
            FDraws.push_back({static_cast<TMenuItem*>(sender)->Name(), rect, selected});
            canvas.Brush().SetColor(selected ? clRed : fill);
            canvas.FillRect(rect.Inflate(4, 4));
        };
        return item;
    }
    TMenuWindow* Open() {
        FPopup->Popup(200, 150);
        FApp->ProcessMessages();
        return Level(0);
    }
    // The last draw of an item since the calls were cleared.
    const TDrawCall* LastDraw(const std::string& name) const {
        for (auto it = FDraws.rbegin(); it != FDraws.rend(); ++it)
            if (it->Item == name) return &*it;
        return nullptr;
    }
    TColor Pixel(TMenuWindow* w, int clientX, int clientY) {
        return w->BackBuffer().GetPixel(clientX + TMenuWindow::Border,
                                        clientY + TMenuWindow::Border);
    }

    TPopupMenu* FPopup;
    std::vector<std::string> FMeasured;
    std::vector<TSize> FDefaultSizes;
    std::string FMeasureFont;
    std::vector<TDrawCall> FDraws;
};

} // namespace

TEST_F(MenuDrawTest, EachVisibleItemIsMeasuredThenDrawnIntoItsRectangle) {
    Drawn("mnuA", 120, 20, clBlue);
    Drawn("mnuB", 80, 30, clGreen);
    Drawn("mnuC", 60, 10, clBlue)->SetVisible(false);
    Drawn("mnuD", 90, 25, clGreen);
    TMenuWindow* w = Open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(FMeasured, (std::vector<std::string>{"mnuA", "mnuB", "mnuD"}));
    // The system's canvas comes with the menu font and a default size.
    EXPECT_EQ(FMeasureFont, "宋体");
    EXPECT_GT(FDefaultSizes[0].cx, 0);
    EXPECT_GT(FDefaultSizes[0].cy, 0);
    // The widest item gives the width; heights stack.
    EXPECT_EQ(w->ClientWidth(), 120);
    EXPECT_EQ(w->ClientHeight(), 75);
    EXPECT_EQ(w->Width(), 120 + 2 * TMenuWindow::Border);
    ASSERT_NE(LastDraw("mnuA"), nullptr);
    EXPECT_EQ(LastDraw("mnuA")->Rect, TRect(0, 0, 120, 20));
    EXPECT_EQ(LastDraw("mnuB")->Rect, TRect(0, 20, 120, 50));
    EXPECT_EQ(LastDraw("mnuD")->Rect, TRect(0, 50, 120, 75));
    EXPECT_EQ(LastDraw("mnuC"), nullptr);
    EXPECT_FALSE(LastDraw("mnuA")->Selected);
    // Each item painted only its own rectangle, whatever it asked for.
    EXPECT_EQ(Pixel(w, 0, 0), clBlue);
    EXPECT_EQ(Pixel(w, 119, 19), clBlue);
    EXPECT_EQ(Pixel(w, 0, 20), clGreen);
    EXPECT_EQ(Pixel(w, 60, 49), clGreen);
    EXPECT_EQ(Pixel(w, 60, 50), clGreen);
    EXPECT_EQ(w->BackBuffer().GetPixel(0, 0), ColorToRGB(clBtnFace)); // the frame stays
}

TEST_F(MenuDrawTest, TheHotItemIsDrawnWithTheHighlightedFlag) {
    Drawn("mnuA", 100, 20, clBlue);
    Drawn("mnuB", 100, 20, clGreen);
    TMenuWindow* w = Open();
    FDraws.clear();
    MouseAt(WM_MOUSEMOVE, ItemCentre(0, "mnuB"));
    ASSERT_NE(LastDraw("mnuB"), nullptr);
    EXPECT_TRUE(LastDraw("mnuB")->Selected);
    EXPECT_EQ(Pixel(w, 50, 30), clRed);
    EXPECT_EQ(Pixel(w, 50, 10), clBlue);
    FDraws.clear();
    Key(VK_UP);
    ASSERT_NE(LastDraw("mnuA"), nullptr);
    EXPECT_TRUE(LastDraw("mnuA")->Selected);
    ASSERT_NE(LastDraw("mnuB"), nullptr);
    EXPECT_FALSE(LastDraw("mnuB")->Selected);
    EXPECT_EQ(Pixel(w, 50, 30), clGreen);
    EXPECT_EQ(Pixel(w, 50, 10), clRed);
}

TEST_F(MenuDrawTest, TheAdvancedHandlerWinsAndGetsTheItemsState) {
    TMenuItem* item = Drawn("mnuA", 100, 20, clBlue);
    item->SetChecked(true);
    item->SetDefault(true);
    TMenuItem* off = Drawn("mnuB", 100, 20, clBlue);
    off->SetEnabled(false);
    std::vector<std::pair<std::string, TOwnerDrawState>> states;
    for (TMenuItem* i : {item, off})
        i->OnAdvancedDrawItem = [&](TObject* sender, TCanvas&, TRect, TOwnerDrawState state) {
            states.push_back({static_cast<TMenuItem*>(sender)->Name(), state});
        };
    Open();
    FDraws.clear();
    states.clear();
    Key(VK_DOWN);
    EXPECT_TRUE(FDraws.empty());
    ASSERT_FALSE(states.empty());
    TOwnerDrawState a = 0, b = 0;
    for (auto& [name, state] : states)
        (name == "mnuA" ? a : b) = state;
    EXPECT_EQ(a, TOwnerDrawState(odSelected | odChecked | odDefault));
    EXPECT_EQ(b & (odDisabled | odGrayed | odSelected), TOwnerDrawState(odDisabled | odGrayed));
}

TEST_F(MenuDrawTest, WithOwnerDrawOffTheHandlersAreNotAsked) {
    FPopup->SetOwnerDraw(false);
    Drawn("mnuA", 300, 40, clBlue);
    TMenuWindow* w = Open();
    EXPECT_TRUE(FMeasured.empty());
    EXPECT_TRUE(FDraws.empty());
    EXPECT_LT(w->ClientWidth(), 300);
    EXPECT_EQ(Pixel(w, 1, 1), ColorToRGB(clMenu));
}

TEST_F(MenuDrawTest, AMeasureHandlerCannotMakeTheWindowEndless) {
    Drawn("mnuA", 1 << 30, 1 << 30, clBlue);
    Drawn("mnuB", -5, -5, clBlue);
    FHost.SetWorkArea({0, 0, 800, 600});
    TMenuWindow* w = Open();
    EXPECT_EQ(w->BoundsRect(), TRect(0, 0, 800, 600));
    EXPECT_EQ(w->ItemRect(0).Height(), TMenuWindow::MaxSide);
    EXPECT_TRUE(w->ItemRect(1).IsEmpty());
}

TEST_F(MenuDrawTest, AHandlerFindsItsMenuWindowFromTheCanvasAndMayDrawTheFrame) {
    TMenuItem* item = Drawn("mnuA", 100, 20, clBlue);
    TMenuWindow* found = nullptr;
    item->OnDrawItem = [&](TObject*, TCanvas& canvas, TRect, bool) {
        found = TMenuWindow::FromCanvas(&canvas);
        if (found)
            found->DrawOnWindow([](TCanvas& c, const TRect& window) {
                c.Brush().SetColor(clFuchsia);
                c.FrameRect(window);
            });
    };
    TMenuWindow* w = Open();
    EXPECT_EQ(found, w);
    EXPECT_EQ(w->BackBuffer().GetPixel(0, 0), clFuchsia);
    EXPECT_EQ(w->BackBuffer().GetPixel(w->Width() - 1, w->Height() - 1), clFuchsia);
    TCanvas other(w->BackBuffer());
    EXPECT_EQ(TMenuWindow::FromCanvas(&other), nullptr);
}

// --- the plain look ----------------------------------------------------------

namespace {

class MenuPainterTest : public MenuDrawTest {
protected:
    MenuPainterTest() { FPopup->SetOwnerDraw(false); }
};

} // namespace

TEST_F(MenuPainterTest, SeparatorsAreShortAndShortcutsWidenTheItem) {
    TMenuItem* plain = Command(FPopup->Items(), "mnuA", "打开(&O)");
    TMenuItem* line = Item(FPopup->Items(), "N1", "-");
    TMenuItem* notLine = Item(FPopup->Items(), "N2", "--");
    TMenuWindow* w = Open();
    int plainWidth = w->ClientWidth();
    EXPECT_EQ(w->ItemRect(1).Height(), TMenuPainter::SeparatorHeight);
    EXPECT_EQ(w->ItemRect(2).Height(), w->ItemRect(0).Height());
    EXPECT_GT(w->ItemRect(0).Height(), TMenuPainter::SeparatorHeight);
    (void)line;
    (void)notLine;
    plain->SetShortCut(ShortCut('O', ssCtrl));
    EXPECT_GT(Level(0)->ClientWidth(), plainWidth);
}

TEST_F(MenuPainterTest, TheHotItemIsHighlightedAndOthersKeepTheMenuColour) {
    Command(FPopup->Items(), "mnuA", "甲");
    Command(FPopup->Items(), "mnuB", "乙");
    TMenuWindow* w = Open();
    Key(VK_DOWN);
    TRect a = w->ItemRect(0), b = w->ItemRect(1);
    EXPECT_EQ(Pixel(w, a.Right - 2, a.Top + 1), ColorToRGB(clHighlight));
    EXPECT_EQ(Pixel(w, b.Right - 2, b.Top + 1), ColorToRGB(clMenu));
    Key(VK_DOWN);
    EXPECT_EQ(Pixel(w, a.Right - 2, a.Top + 1), ColorToRGB(clMenu));
    EXPECT_EQ(Pixel(w, b.Right - 2, b.Top + 1), ColorToRGB(clHighlight));
}

TEST_F(MenuPainterTest, ACheckMarkOrTheImageFillsTheLeftColumn) {
    auto* images = new TImageList(FForm);
    TBitmap red(16, 16);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect({0, 0, 16, 16});
    images->AddMasked(red, clNone);
    FPopup->SetImages(images);
    TMenuItem* checked = Command(FPopup->Items(), "mnuA", "甲");
    TMenuItem* pictured = Command(FPopup->Items(), "mnuB", "乙");
    TMenuItem* missing = Command(FPopup->Items(), "mnuC", "丙");
    checked->SetChecked(true);
    pictured->SetImageIndex(0);
    missing->SetImageIndex(5); // beyond the list: no picture
    TMenuWindow* w = Open();
    auto countIn = [&](int index, TColor colour) {
        TRect r = w->ItemRect(index);
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = 0; x < TMenuPainter::MinGutter; ++x)
                n += Pixel(w, x, y) == colour;
        return n;
    };
    EXPECT_GT(countIn(0, ColorToRGB(clMenuText)), 6); // the tick
    EXPECT_EQ(countIn(0, clRed), 0);
    EXPECT_EQ(countIn(1, clRed), 16 * 16);
    EXPECT_EQ(countIn(2, clRed), 0);
    EXPECT_EQ(countIn(2, ColorToRGB(clMenuText)), 0);
    // Checked with a picture: the picture, framed.
    pictured->SetChecked(true);
    FApp->ProcessMessages();
    EXPECT_EQ(countIn(1, clRed), 16 * 16);
    EXPECT_GT(countIn(1, ColorToRGB(clBtnShadow)), 20);
}

TEST_F(MenuPainterTest, DisabledCaptionsAreGrey) {
    Command(FPopup->Items(), "mnuA", "禁用")->SetEnabled(false);
    TMenuWindow* w = Open();
    TRect r = w->ItemRect(0);
    int grey = 0, black = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = TMenuPainter::MinGutter; x < r.Right; ++x) {
            grey += Pixel(w, x, y) == ColorToRGB(clGrayText);
            black += Pixel(w, x, y) == ColorToRGB(clMenuText);
        }
    EXPECT_GT(grey, 10);
    EXPECT_EQ(black, 0);
}

TEST_F(MenuDrawTest, AnItemChangedWhileDrawingIsShownOnceTheDrawingIsDone) {
    TMenuItem* a = Drawn("mnuA", 100, 20, clBlue);
    TMenuItem* b = Drawn("mnuB", 100, 20, clGreen);
    bool hidden = false;
    a->OnDrawItem = [&](TObject*, TCanvas&, TRect, bool) {
        if (!hidden) b->SetVisible(false);
        hidden = true;
    };
    Open();
    ASSERT_EQ(Levels().size(), 1u);
    EXPECT_EQ(Level(0)->ItemCount(), 1);
    EXPECT_EQ(Level(0)->ClientHeight(), 20);
}
