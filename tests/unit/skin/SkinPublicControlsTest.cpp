#include <gtest/gtest.h>

#include <vector>

#include "ThemeTestSupport.h"
#include "gui/TForm.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TFont.h"
#include "gui/graphics/TImageList.h"
#include "skin/SkinPublic.h"
#include "skin/SkinThemes.h"
#include "unit/gui/GuiTestSupport.h"

using namespace skintheme_test;

namespace {

// A parent that erases in its colour and paints a red square at (10, 10).
class TPaintingParent : public TWinControl {
public:
    explicit TPaintingParent(TComponent* owner) : TWinControl(owner) { SetColor(clBlue); }
    void Paint(TCanvas& canvas) override {
        ++Paints;
        canvas.Brush().SetColor(clRed);
        canvas.FillRect({10, 10, 20, 20});
    }
    int Paints = 0;
};

// A plain control that paints itself transparently: what lies behind it,
// then a green pixel at its own top-left. It answers its parent's paint
// message itself, whatever the base class does with it.
class TTransparentChild : public TControl {
public:
    explicit TTransparentChild(TComponent* owner) : TControl(owner) {}
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_PAINT) return Paint(*reinterpret_cast<TCanvas*>(m.WParam));
        TControl::WndProc(m);
    }
    void Paint(TCanvas& canvas) override {
        ++Paints;
        DrawParentBackground(canvas, this);
        canvas.SetPixel(0, 0, clLime);
    }
    int Paints = 0;
};

class TRecordingControl : public TControl {
public:
    explicit TRecordingControl(TComponent* owner) : TControl(owner) {}
    void SetBounds(int left, int top, int width, int height) override {
        Calls.push_back({left, top, width, height});
        TControl::SetBounds(left, top, width, height);
    }
    std::vector<TRect> Calls; // Left, Top, Width, Height as given
};

class SkinControlsTest : public GuiTest {
protected:
    SkinControlsTest() {
        FForm = new TForm(nullptr);
        FForm->SetBounds(0, 0, 100, 80);
        FParent = new TPaintingParent(FForm);
        FParent->SetParent(FForm);
        FParent->SetBounds(0, 0, 40, 40);
    }
    ~SkinControlsTest() override { delete FForm; }

    TForm* FForm;
    TPaintingParent* FParent;
};

} // namespace

TEST(InRect, BothEdgesCountAsInside) {
    const TRect r{0, 0, 10, 5};
    EXPECT_TRUE(InRect({10, 5}, r));
    EXPECT_TRUE(InRect({0, 0}, r));
    EXPECT_FALSE(InRect({11, 5}, r));
    EXPECT_FALSE(InRect({10, 6}, r));
    EXPECT_FALSE(InRect({-1, 2}, r));
    EXPECT_FALSE(InRect({3, -1}, r));
}

TEST_F(SkinControlsTest, ParentBackgroundShowsTheParentShiftedToTheControl) {
    TBitmap behind;
    Fill(behind, 20, 20, Marker);
    auto* child = new TTransparentChild(FForm);
    child->SetParent(FParent);
    child->SetBounds(5, 5, 20, 20);
    const int depth = behind.Canvas().SaveDepth();
    DrawParentBackground(behind.Canvas(), child);
    EXPECT_EQ(behind.GetPixel(0, 0), clLime); // the child itself, painted by its parent
    EXPECT_EQ(behind.GetPixel(1, 1), clBlue); // the parent's erase
    EXPECT_EQ(behind.GetPixel(5, 5), clRed);  // parent (10, 10)
    EXPECT_EQ(behind.GetPixel(14, 14), clRed);
    EXPECT_EQ(behind.GetPixel(15, 15), clBlue);
    EXPECT_EQ(behind.Canvas().SaveDepth(), depth);
    EXPECT_EQ(behind.Canvas().Origin(), TPoint(0, 0));
}

TEST_F(SkinControlsTest, ParentBackgroundIsClippedToTheParentClientArea) {
    TBitmap behind;
    Fill(behind, 20, 20, Marker);
    auto* child = new TControl(FForm);
    child->SetParent(FParent);
    child->SetBounds(30, 30, 20, 20);
    DrawParentBackground(behind.Canvas(), child);
    EXPECT_EQ(behind.GetPixel(9, 9), clBlue);
    EXPECT_EQ(behind.GetPixel(10, 9), Marker);
    EXPECT_EQ(behind.GetPixel(9, 10), Marker);
}

TEST_F(SkinControlsTest, ParentBackgroundWithoutParentDrawsNothing) {
    TBitmap behind;
    Fill(behind, 5, 5, Marker);
    TControl orphan(nullptr);
    orphan.SetBounds(0, 0, 5, 5);
    DrawParentBackground(behind.Canvas(), &orphan);
    DrawParentBackground(behind.Canvas(), nullptr);
    EXPECT_EQ(CountPixelsOf(behind, Marker), 25);
}

TEST_F(SkinControlsTest, TransparentSiblingsDoNotRecurseThroughTheirParent) {
    auto* first = new TTransparentChild(FForm);
    first->SetParent(FParent);
    first->SetBounds(0, 0, 10, 10);
    auto* second = new TTransparentChild(FForm);
    second->SetParent(FParent);
    second->SetBounds(20, 20, 10, 10);
    TBitmap canvasBitmap;
    Fill(canvasBitmap, 10, 10, Marker);
    first->Paint(canvasBitmap.Canvas());
    EXPECT_EQ(FParent->Paints, 1);
    EXPECT_EQ(first->Paints, 2);  // its own paint, and once by the parent
    EXPECT_EQ(second->Paints, 1); // painted by the parent, no background of its own
    // The parent is free again afterwards.
    second->Paint(canvasBitmap.Canvas());
    EXPECT_EQ(FParent->Paints, 2);
}

TEST_F(SkinControlsTest, ControlBorderFramesTheWholeWindowOnTheFormSurface) {
    auto* edit = new TWinControl(FForm);
    edit->SetParent(FParent);
    edit->SetBounds(4, 6, 12, 8);
    edit->SetBorderWidth(2);
    TBitmap& surface = FForm->BackBuffer();
    Fill(surface, surface.Width(), surface.Height(), Marker);
    const TRect window = edit->WindowRectInForm();
    DrawControlBorder(edit, clRed, clLime, true);
    EXPECT_EQ(surface.GetPixel(window.Left, window.Top), clRed);
    EXPECT_EQ(surface.GetPixel(window.Right - 1, window.Bottom - 1), clRed);
    EXPECT_EQ(surface.GetPixel(window.Left + 1, window.Top + 1), clLime);
    EXPECT_EQ(surface.GetPixel(window.Right - 2, window.Top + 3), clLime);
    EXPECT_EQ(surface.GetPixel(window.Left + 2, window.Top + 2), Marker);
    EXPECT_EQ(surface.GetPixel(window.Left - 1, window.Top), Marker);
    EXPECT_EQ(surface.GetPixel(window.Right, window.Top), Marker);
    EXPECT_EQ(CountPixelsOf(surface, clRed), 2 * 12 + 2 * 6);

    Fill(surface, surface.Width(), surface.Height(), Marker);
    DrawControlBorder(edit, clRed, clLime, false);
    EXPECT_EQ(surface.GetPixel(window.Left + 1, window.Top + 1), Marker);
}

TEST_F(SkinControlsTest, ControlBorderStaysInsideTheAncestorsClientAreas) {
    auto* edit = new TWinControl(FForm);
    edit->SetParent(FParent);
    edit->SetBounds(30, 30, 20, 20); // sticks out of the 40 x 40 parent
    TBitmap& surface = FForm->BackBuffer();
    Fill(surface, surface.Width(), surface.Height(), Marker);
    const TRect window = edit->WindowRectInForm();
    DrawControlBorder(edit, clRed, clLime, true);
    EXPECT_EQ(surface.GetPixel(window.Left, window.Top), clRed);
    EXPECT_EQ(surface.GetPixel(window.Left + 9, window.Top), clRed);
    EXPECT_EQ(surface.GetPixel(window.Left + 10, window.Top), Marker);
    EXPECT_EQ(surface.GetPixel(window.Right - 1, window.Bottom - 1), Marker);
}

TEST_F(SkinControlsTest, ControlBorderOnAWindowCanvas) {
    auto* edit = new TWinControl(FForm);
    edit->SetBounds(0, 0, 6, 4);
    TBitmap window;
    Fill(window, 6, 4, Marker);
    DrawControlBorder(window.Canvas(), *edit, clRed, clBlue, true);
    EXPECT_EQ(window.GetPixel(0, 0), clRed);
    EXPECT_EQ(window.GetPixel(5, 3), clRed);
    EXPECT_EQ(window.GetPixel(1, 1), clBlue);
    EXPECT_EQ(window.GetPixel(4, 2), clBlue);
    EXPECT_EQ(window.Canvas().Brush().Color(), clWhite); // canvas state restored
}

TEST_F(SkinControlsTest, SetControlBoundsGoesLeftTopWidthHeight) {
    TRecordingControl control(nullptr);
    control.SetBounds(1, 2, 3, 4);
    control.Calls.clear();
    SetControlBounds(&control, {10, 20, 60, 45});
    ASSERT_EQ(control.Calls.size(), 4u);
    EXPECT_EQ(control.Calls[0], TRect(10, 2, 3, 4));
    EXPECT_EQ(control.Calls[1], TRect(10, 20, 3, 4));
    EXPECT_EQ(control.Calls[2], TRect(10, 20, 50, 4));
    EXPECT_EQ(control.Calls[3], TRect(10, 20, 50, 25));
}

TEST_F(SkinControlsTest, WorkAreaComesFromTheHost) {
    FHost.SetWorkArea({0, 24, 1280, 1000});
    EXPECT_EQ(GetWorkAreaRect(), TRect(0, 24, 1280, 1000));
}

TEST_F(SkinControlsTest, MenuWindowFrame) {
    TForm menu(nullptr);
    menu.SetBounds(0, 0, 20, 10);
    TBitmap& surface = menu.BackBuffer();
    Fill(surface, 20, 10, Marker);
    DrawMenuWindowFrame(&menu, clRed, clBlue);
    EXPECT_EQ(surface.GetPixel(0, 0), Marker); // the top line stops short of it
    EXPECT_EQ(surface.GetPixel(1, 0), clBlue);
    EXPECT_EQ(surface.GetPixel(19, 0), clBlue);
    EXPECT_EQ(surface.GetPixel(0, 1), clRed);
    EXPECT_EQ(surface.GetPixel(0, 8), clRed);
    EXPECT_EQ(surface.GetPixel(18, 5), clRed);
    EXPECT_EQ(surface.GetPixel(1, 5), clWhite);
    EXPECT_EQ(surface.GetPixel(17, 7), clWhite);
    EXPECT_EQ(surface.GetPixel(2, 5), Marker);
    EXPECT_EQ(surface.GetPixel(19, 5), clBlue);
    EXPECT_EQ(surface.GetPixel(0, 9), clBlue);
    EXPECT_EQ(surface.GetPixel(19, 9), clBlue);
}

TEST(MenuHelpers, SeparatorLineStopsShortOfTheRight) {
    TBitmap b;
    Fill(b, 20, 6, Marker);
    DrawMenuSeparator(b.Canvas(), {0, 1, 20, 6}, clRed, 3);
    EXPECT_EQ(b.GetPixel(6, 3), Marker);
    EXPECT_EQ(b.GetPixel(7, 3), clRed);
    EXPECT_EQ(b.GetPixel(17, 3), clRed);
    EXPECT_EQ(b.GetPixel(18, 3), Marker);
    EXPECT_EQ(CountPixelsOf(b, clRed), 11);
}

TEST(MenuHelpers, MenuFontIsTheFixedSystemMenuFont) {
    TFont font;
    font.SetName("Tahoma");
    font.SetSize(14);
    font.SetStyle({fsBold});
    font.SetColor(clRed);
    SetMenuFont(font);
    EXPECT_EQ(font.Name(), "宋体");
    EXPECT_EQ(font.Height(), -12);
    EXPECT_TRUE(font.Style().Empty());
    EXPECT_EQ(font.Color(), clMenuText);
}

TEST(MenuHelpers, MacOSMenuPicturesAreCutToTheirTopRows) {
    EnsureResource("MACOS_MENU_BAR", [](TBitmap& b) { FillCoordinates(b, 1, 22); });
    TBitmap bar;
    ASSERT_TRUE(LoadResourceBitmap("MACOS_MENU_BAR", bar));
    TBitmap target;
    Fill(target, 3, 24, Marker);
    DrawMacOSMenuBarNarrow(target.Canvas(), {0, 0, 3, 24});
    EXPECT_EQ(target.GetPixel(0, 0), bar.GetPixel(0, 0));
    EXPECT_EQ(target.GetPixel(2, 23), bar.GetPixel(0, 11)); // 12 rows over 24
    Fill(target, 3, 20, Marker);
    DrawMacOSMenuBar(target.Canvas(), {0, 0, 3, 20});
    EXPECT_EQ(target.GetPixel(1, 19), bar.GetPixel(0, 19));
}

TEST(MenuHelpers, CheckImagesHoldTheCheckMarkWithWhiteLeftOut) {
    EnsureResource("MENU_CHECKED", [](TBitmap& b) {
        Fill(b, 16, 16, clWhite);
        b.SetPixel(4, 8, clBlack);
    });
    TImageList& images = MenuCheckImages();
    ASSERT_EQ(images.Count(), 1);
    EXPECT_EQ(images.Width(), 16);
    EXPECT_EQ(&images, &MenuCheckImages());
    TBitmap target;
    Fill(target, 16, 16, Marker);
    images.Draw(target.Canvas(), 0, 0, 0);
    TBitmap picture;
    ASSERT_TRUE(LoadResourceBitmap("MENU_CHECKED", picture));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const TColor p = picture.GetPixel(x, y);
            ASSERT_EQ(target.GetPixel(x, y), p == clWhite ? Marker : p) << x << "," << y;
        }
}

TEST(Win95OSR2, NeverSetHere) {
    EXPECT_FALSE(IsWin95OSR2());
}

TEST_F(SkinControlsTest, MenuDrawHandlersReachEveryItemAndReplaceOldOnes) {
    TMenuItem root(nullptr);
    auto* file = new TMenuItem(&root);
    auto* open = new TMenuItem(&root);
    auto* recent = new TMenuItem(&root);
    root.Add(file);
    file->Add(open);
    open->Add(recent);
    bool oldAdvanced = false;
    recent->OnAdvancedDrawItem = [&](TObject*, TCanvas&, TRect, TOwnerDrawState) {
        oldAdvanced = true;
    };
    std::vector<TObject*> measured, drawn;
    SetMenuItemDrawHandlers(
        &root, [&](TObject* sender, TCanvas&, int&, int&) { measured.push_back(sender); },
        [&](TObject* sender, TCanvas&, TRect, bool selected) {
            EXPECT_TRUE(selected);
            drawn.push_back(sender);
        });
    TBitmap b;
    Fill(b, 4, 4, Marker);
    int w = 0, h = 0;
    for (TMenuItem* item : {&root, file, open, recent}) {
        ASSERT_TRUE(item->OnMeasureItem);
        item->OnMeasureItem(item, b.Canvas(), w, h);
        ASSERT_TRUE(item->OnDrawItem);
        EXPECT_FALSE(item->OnAdvancedDrawItem);
        item->OnDrawItem(item, b.Canvas(), {0, 0, 4, 4}, true);
    }
    EXPECT_EQ(measured, (std::vector<TObject*>{&root, file, open, recent}));
    EXPECT_EQ(drawn.size(), 4u);
    EXPECT_FALSE(oldAdvanced);
}
