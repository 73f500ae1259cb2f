#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/TEdit.h"
#include "gui/TLayoutLoader.h"
#include "gui/TPanel.h"
#include "gui/graphics/TCanvas.h"
#include "skin/SkinClasses.h"
#include "skin/SkinPublic.h"
#include "skin/SkinStyle.h"
#include "skin/TskButton.h"
#include "skin/TskFileTheme.h"
#include "skin/TskImageButton.h"
#include "skin/TskThemeFileWriter.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

// The three frames of the test skin's button picture: one colour each, and
// a magenta top-left pixel that only a transparent button leaves out.
constexpr int kFrame = 9;
const TColor kFrameColor[3] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};

class SkinnedButtonTest : public ControlFixture {
protected:
    SkinnedButtonTest() {
        FTheme = new TskFileTheme(FForm);
        FTheme->SetThemeFile(WriteSkin(false));
    }

    std::string WriteSkin(bool transparent) {
        TBitmap strip;
        Fill(strip, 3 * kFrame, kFrame, [](int x, int y) {
            if (x % kFrame == 0 && y == 0) return SkinTransparentColor;
            return kFrameColor[x / kFrame];
        });
        const std::vector<uint8_t> bmp = strip.SaveToBmp();
        TskThemeFileWriter writer;
        writer.AddStream("ButtonImage", bmp);
        writer.AddBool("ButtonTransparentBool", transparent);
        const std::string path = TempDir() + (transparent ? "/clear.skn" : "/solid.skn");
        writer.SaveToFile(path);
        return path;
    }

    template <class T = TskButton> T* AddButton(TWinControl* parent, int x, int y) {
        auto* button = new T(FForm);
        button->SetParent(parent);
        button->SetBounds(x, y, 80, 27);
        if constexpr (std::is_same_v<T, TskButton>) {
            button->SetFileTheme(FTheme);
            button->SetUIStyle(TskUIStyle::FromThemeFile);
        }
        return button;
    }
    // The middle of a button without caption: the state frame's colour.
    TColor Face(const TControl* b) { return PixelAt(b->Left() + 40, b->Top() + 13); }
    void Mouse(uint32_t msg, TPoint p, WPARAM keys = 0) {
        FHost.MouseEvent(Window(), msg, p, keys);
        FApp->ProcessMessages();
    }
    void AltKey(int vk) {
        FHost.KeyEvent(Window(), WM_SYSKEYDOWN, VK_MENU);
        FHost.KeyEvent(Window(), WM_SYSKEYDOWN, vk, 0, static_cast<char16_t>(vk + 32));
        FHost.KeyEvent(Window(), WM_SYSKEYUP, vk);
        FHost.KeyEvent(Window(), WM_SYSKEYUP, VK_MENU);
        FApp->ProcessMessages();
    }
    static void Count(TControl* c, int& clicks) {
        c->OnClick = [&clicks](TObject*) { ++clicks; };
    }

    TskFileTheme* FTheme;
};

// Paints a control alone into a bitmap of its size.
void PaintAlone(TControl& control, TBitmap& out) {
    out.SetSize(control.Width(), control.Height());
    control.Paint(out.Canvas());
}

int DarkPixels(const TBitmap& bitmap, const TRect& area) {
    int n = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            n += GetRValue(bitmap.GetPixel(x, y)) < 100 && GetGValue(bitmap.GetPixel(x, y)) < 100 &&
                 GetBValue(bitmap.GetPixel(x, y)) < 100;
    return n;
}

} // namespace

TEST_F(SkinnedButtonTest, EachStateShowsItsFrameAndADragOutNeitherClicksNorStaysPressed) {
    TskButton* b = AddButton(FForm, 10, 10);
    int clicks = 0;
    Count(b, clicks);
    ShowForm();
    EXPECT_EQ(Face(b), kFrameColor[0]);
    Mouse(WM_MOUSEMOVE, {30, 20});
    EXPECT_TRUE(b->Hover());
    EXPECT_EQ(Face(b), kFrameColor[1]);
    Mouse(WM_LBUTTONDOWN, {30, 20}, MK_LBUTTON);
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(Face(b), kFrameColor[2]);
    Mouse(WM_MOUSEMOVE, {200, 200}, MK_LBUTTON);
    EXPECT_FALSE(b->Pressed());
    EXPECT_FALSE(b->Hover());
    EXPECT_EQ(Face(b), kFrameColor[0]);
    Mouse(WM_LBUTTONUP, {200, 200});
    EXPECT_EQ(clicks, 0);

    Mouse(WM_MOUSEMOVE, {30, 20});
    Mouse(WM_LBUTTONDOWN, {30, 20}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {30, 20});
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Pressed());
    EXPECT_TRUE(b->Focused());
    // A double click is a second click.
    Mouse(WM_LBUTTONDBLCLK, {30, 20}, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, {30, 20});
    EXPECT_EQ(clicks, 2);

    b->SetEnabled(false);
    EXPECT_EQ(Face(b), kFrameColor[0]);
}

TEST_F(SkinnedButtonTest, TheRepeatRunsOnlyWhileTheLeftButtonIsHeldOverTheButton) {
    TskButton* b = AddButton(FForm, 10, 10);
    b->SetMouseContinuouslyDownInterval(50);
    int ticks = 0;
    b->OnMouseContinuouslyDown = [&](TObject*) { ++ticks; };
    int exits = 0;
    b->OnMouseExit = [&](TObject*) { ++exits; };
    ShowForm();
    Mouse(WM_MOUSEMOVE, {30, 20});
    Mouse(WM_LBUTTONDOWN, {30, 20}, MK_LBUTTON);
    EXPECT_TRUE(b->Repeating());
    for (int i = 0; i < 3; ++i) {
        FHost.AdvanceClock(50);
        FApp->ProcessMessages();
    }
    EXPECT_EQ(ticks, 3);
    Mouse(WM_LBUTTONUP, {30, 20});
    EXPECT_FALSE(b->Repeating());
    FHost.AdvanceClock(200);
    FApp->ProcessMessages();
    EXPECT_EQ(ticks, 3);

    // Leaving the button ends a repeat as well.
    Mouse(WM_LBUTTONDOWN, {30, 20}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, {300, 200}, MK_LBUTTON);
    EXPECT_FALSE(b->Repeating());
    EXPECT_EQ(exits, 1);
    FHost.AdvanceClock(200);
    FApp->ProcessMessages();
    EXPECT_EQ(ticks, 3);
}

TEST_F(SkinnedButtonTest, SpaceAndEnterPressUntilReleasedAndClickModalResultGoesToTheForm) {
    TskButton* b = AddButton(FForm, 10, 10);
    b->SetModalResult(IDOK);
    int clicks = 0;
    Count(b, clicks);
    ShowForm();
    b->SetFocus();
    FHost.KeyEvent(Window(), WM_KEYDOWN, VK_SPACE, 0, u' ');
    FApp->ProcessMessages();
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(Face(b), kFrameColor[2]);
    EXPECT_EQ(clicks, 0);
    FHost.KeyEvent(Window(), WM_KEYUP, VK_SPACE);
    FApp->ProcessMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(FForm->ModalResult(), IDOK);

    // Enter on the focused button clicks it once, also without Default.
    FForm->SetModalResult(0);
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(FForm->ModalResult(), IDOK);
    // A result of 0 is handed on too.
    b->SetModalResult(0);
    FForm->SetModalResult(IDCANCEL);
    Key(VK_SPACE, u' ');
    EXPECT_EQ(clicks, 3);
    EXPECT_EQ(FForm->ModalResult(), 0);
}

TEST_F(SkinnedButtonTest, EnterGoesToTheFocusedPushButtonElseToTheDefaultOne) {
    TskButton* ok = AddButton(FForm, 10, 10);
    ok->SetDefault(true);
    TskButton* other = AddButton(FForm, 100, 10);
    auto* image = AddButton<TskImageButton>(FForm, 190, 10);
    auto* edit = new TEdit(FForm);
    edit->SetParent(FForm);
    edit->SetBounds(10, 60, 100, 20);
    int okClicks = 0, otherClicks = 0, imageClicks = 0;
    Count(ok, okClicks);
    Count(other, otherClicks);
    Count(image, imageClicks);
    ShowForm();

    other->SetFocus();
    EXPECT_TRUE(other->ActiveDefault());
    EXPECT_FALSE(ok->ActiveDefault());
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(otherClicks, 1);
    EXPECT_EQ(okClicks, 0);

    edit->SetFocus();
    EXPECT_TRUE(ok->ActiveDefault());
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(okClicks, 1);
    EXPECT_EQ(otherClicks, 1);

    image->SetFocus();
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(okClicks, 2);
    EXPECT_EQ(imageClicks, 0);

    // Only plain Enter counts, and not for a disabled default button.
    edit->SetFocus();
    KeyWith(VK_CONTROL, VK_RETURN);
    EXPECT_EQ(okClicks, 2);
    ok->SetEnabled(false);
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(okClicks, 2);
    // Setting Default moves the role.
    other->SetDefault(true);
    Key(VK_RETURN, u'\r');
    EXPECT_EQ(otherClicks, 2);
}

TEST_F(SkinnedButtonTest, EscapeClicksTheCancelButtonAndTheMarkedLetterClicksAnEnabledButton) {
    TskButton* cancel = AddButton(FForm, 10, 10);
    cancel->SetCancel(true);
    TskButton* marked = AddButton(FForm, 100, 10);
    marked->SetCaption("&Go");
    int cancels = 0, marks = 0;
    Count(cancel, cancels);
    Count(marked, marks);
    ShowForm();
    Key(VK_ESCAPE);
    EXPECT_EQ(cancels, 1);
    KeyWith(VK_SHIFT, VK_ESCAPE);
    EXPECT_EQ(cancels, 1);
    AltKey('G');
    EXPECT_EQ(marks, 1);
    AltKey('H');
    EXPECT_EQ(marks, 1);
    marked->SetEnabled(false);
    AltKey('G');
    EXPECT_EQ(marks, 1);
}

TEST_F(SkinnedButtonTest, TransparentButtonsShowTheirParentThroughTheCornerColour) {
    auto* panel = new TPanel(FForm);
    panel->SetParent(FForm);
    panel->SetBounds(0, 0, 300, 100);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetColor(clYellow);
    TskButton* solid = AddButton(panel, 10, 10);
    solid->SetColor(clAqua);
    ASSERT_FALSE(solid->Transparent());
    ShowForm();
    EXPECT_EQ(PixelAt(10, 10), SkinTransparentColor);

    // The style decides: a skin that asks for transparency gives it.
    FTheme->SetThemeFile(WriteSkin(true));
    EXPECT_TRUE(solid->Transparent());
    EXPECT_EQ(PixelAt(10, 10), clYellow);
    EXPECT_EQ(Face(solid), kFrameColor[0]);

    solid->SetUIStyle(TskUIStyle::WinXP);
    EXPECT_FALSE(solid->Transparent());
    solid->SetUIStyle(TskUIStyle::BlueGlass);
    EXPECT_TRUE(solid->Transparent());
    solid->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_TRUE(solid->Transparent());
    solid->SetUIStyle(TskUIStyle::DeepBlue);
    EXPECT_FALSE(solid->Transparent());
}

TEST_F(SkinnedButtonTest, LosingTheFileThemeFallsBackToDeepBlue) {
    TskButton* b = AddButton(FForm, 10, 10);
    FTheme->SetThemeFile(WriteSkin(true));
    ASSERT_TRUE(b->Transparent());
    ShowForm();
    delete FTheme;
    FTheme = nullptr;
    EXPECT_EQ(b->FileTheme(), nullptr);
    EXPECT_EQ(b->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_FALSE(b->Transparent());
    TBitmap frame, expected;
    ASSERT_TRUE(LoadResourceBitmap("DEEPBLUE_BUTTON", frame));
    SplitBitmap(frame, frame, 3, 1);
    expected.SetSize(80, 27);
    expected.Canvas().Brush().SetColor(b->Color());
    expected.Canvas().FillRect({0, 0, 80, 27});
    DrawNineSlice(frame, expected.Canvas(), {0, 0, 80, 27}, false);
    TBitmap shown;
    PaintAlone(*b, shown);
    EXPECT_TRUE(shown.SamePixels(expected));
}

TEST_F(SkinnedButtonTest, FocusIsADottedFrameAtTheMarginExceptUnderMacOSAndBlueGlass) {
    TskButton* b = AddButton(FForm, 10, 10);
    b->SetCaption("OK");
    b->SetUIStyle(TskUIStyle::WinXP);
    ShowForm();
    TBitmap plain, focused;
    PaintAlone(*b, plain);
    b->SetFocus();
    PaintAlone(*b, focused);
    EXPECT_EQ(focused.GetPixel(2, 2), clBlack);
    EXPECT_EQ(focused.GetPixel(4, 24), clBlack);
    EXPECT_NE(plain.GetPixel(2, 2), clBlack);
    b->SetFocusedRectMargin(5);
    PaintAlone(*b, focused);
    EXPECT_EQ(focused.GetPixel(5, 5), clBlack);
    EXPECT_EQ(focused.GetPixel(2, 2), plain.GetPixel(2, 2));

    for (TskUIStyle style : {TskUIStyle::BlueGlass, TskUIStyle::MacOS}) {
        b->SetUIStyle(style);
        FForm->SetActiveControl(nullptr);
        PaintAlone(*b, plain);
        b->SetFocus();
        PaintAlone(*b, focused);
        const TRect ring{5, 5, 75, 22};
        // The same face at the margin; the caption grows bold.
        for (int x = ring.Left; x < ring.Right; ++x)
            EXPECT_EQ(focused.GetPixel(x, ring.Top), plain.GetPixel(x, ring.Top)) << x;
        EXPECT_GT(DarkPixels(focused, ring), DarkPixels(plain, ring));
        // The bold request is used up by the paint that asked for it.
        FForm->SetActiveControl(nullptr);
        TBitmap again;
        PaintAlone(*b, again);
        EXPECT_TRUE(again.SamePixels(plain));
    }
}

TEST_F(SkinnedButtonTest, ADisabledCaptionIsGreyOverAWhiteShadowAndAPressedOneMovesByAPixel) {
    TskButton* b = AddButton(FForm, 10, 10);
    b->SetCaption("确定"); // drawn in solid pixels, no shades to blur the comparison
    b->Font().SetColor(clBlack);
    ShowForm();
    TBitmap up, down, off;
    PaintAlone(*b, up);
    Mouse(WM_MOUSEMOVE, {30, 20});
    Mouse(WM_LBUTTONDOWN, {30, 20}, MK_LBUTTON);
    PaintAlone(*b, down);
    Mouse(WM_LBUTTONUP, {30, 20});
    b->SetEnabled(false);
    PaintAlone(*b, off);
    int black = 0, moved = 0, grey = 0, white = 0;
    for (int y = 0; y + 1 < 27; ++y)
        for (int x = 0; x + 1 < 80; ++x) {
            if (up.GetPixel(x, y) != clBlack) continue;
            ++black;
            moved += down.GetPixel(x + 1, y + 1) == clBlack;
            grey += off.GetPixel(x, y) == RGB(128, 128, 128);
        }
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 80; ++x)
            white += off.GetPixel(x, y) == clWhite;
    ASSERT_GT(black, 0);
    EXPECT_EQ(moved, black);
    EXPECT_GT(grey, 0);
    EXPECT_GT(white, 0);
}

TEST_F(SkinnedButtonTest, TheGlyphSitsBesideTheCaptionForEachLayout) {
    TskButton* b = AddButton(FForm, 10, 10);
    b->SetCaption("Ab");
    // A red 10 x 10 square inside a magenta ring that is left out.
    const std::string glyph = WritePicture("glyph.bmp", 12, 12, [](int x, int y) {
        return x == 0 || y == 0 || x == 11 || y == 11 ? SkinTransparentColor : clRed;
    });
    b->SetGlyphSource("file:" + glyph);
    ShowForm();
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(b->Font());
    const int tw = scratch.Canvas().TextWidth("Ab"), th = scratch.Canvas().TextHeight("Ab");
    const int w = 80, h = 27, s = b->Spacing(), g = 12;
    struct TCase {
        TButtonLayout Layout;
        TPoint Glyph, Caption;
    };
    const int gx = (w - g) / 2, gy = (h - g) / 2;
    const TCase cases[] = {
        {TButtonLayout::blGlyphLeft,
         {(w - g - tw - s) / 2, gy},
         {(w - g - tw - s) / 2 + g + s, (h - th) / 2}},
        {TButtonLayout::blGlyphRight,
         {(w + tw + s - g) / 2, gy},
         {(w + tw + s - g) / 2 - tw - s, (h - th) / 2}},
        {TButtonLayout::blGlyphTop,
         {gx, (h - th - g - s) / 2},
         {(w - tw) / 2, (h - th - g - s) / 2 + g + s}},
        {TButtonLayout::blGlyphBottom,
         {gx, (h + th + s - g) / 2},
         {(w - tw) / 2, (h + th + s - g) / 2 - th - s}},
    };
    for (const TCase& c : cases) {
        b->SetLayout(c.Layout);
        const TskButton::TGlyphPlacement at = b->PlaceGlyph(scratch.Canvas());
        EXPECT_EQ(at.Glyph, c.Glyph);
        EXPECT_EQ(at.Caption, c.Caption);
        SCOPED_TRACE(static_cast<int>(c.Layout));
        TBitmap shown;
        PaintAlone(*b, shown);
        // The glyph may stick out of a short button: look at its middle row.
        EXPECT_EQ(shown.GetPixel(at.Glyph.X + 1, at.Glyph.Y + 6), clRed);
        EXPECT_EQ(shown.GetPixel(at.Glyph.X + 10, at.Glyph.Y + 6), clRed);
        EXPECT_NE(shown.GetPixel(at.Glyph.X, at.Glyph.Y + 6), SkinTransparentColor);
        EXPECT_NE(shown.GetPixel(at.Glyph.X + 11, at.Glyph.Y + 6), clRed);
    }
    // Pressed, the glyph moves down and right by one pixel.
    b->SetLayout(TButtonLayout::blGlyphLeft);
    const TPoint at = b->PlaceGlyph(scratch.Canvas()).Glyph;
    Mouse(WM_MOUSEMOVE, {11 + at.X, 11 + at.Y});
    Mouse(WM_LBUTTONDOWN, {11 + at.X, 11 + at.Y}, MK_LBUTTON);
    TBitmap pressed;
    PaintAlone(*b, pressed);
    EXPECT_NE(pressed.GetPixel(at.X + 1, at.Y + 1), clRed);
    EXPECT_EQ(pressed.GetPixel(at.X + 2, at.Y + 2), clRed);
    EXPECT_EQ(pressed.GetPixel(at.X + 11, at.Y + 11), clRed);
}

TEST_F(SkinnedButtonTest, AGlyphTwiceAsWideAsHighHoldsItsOwnDisabledImage) {
    TskButton* b = AddButton(FForm, 10, 10);
    const std::string pair = WritePicture("pair.bmp", 32, 16, [](int x, int y) {
        if (x == 0 && y == 0) return SkinTransparentColor;
        return x < 16 ? clRed : clBlue;
    });
    const std::string single = WritePicture("single.bmp", 32, 17, [](int x, int y) {
        if (x == 0 && y == 0) return SkinTransparentColor;
        return x < 16 ? clRed : clBlue;
    });
    b->SetGlyphSource("file:" + pair);
    EXPECT_TRUE(b->TwoImageGlyph());
    ShowForm();
    TBitmap scratch(1, 1);
    TPoint at = b->PlaceGlyph(scratch.Canvas()).Glyph;
    TBitmap shown;
    PaintAlone(*b, shown);
    EXPECT_EQ(shown.GetPixel(at.X + 8, at.Y + 8), clRed);
    EXPECT_NE(shown.GetPixel(at.X + 20, at.Y + 8), clBlue);
    b->SetEnabled(false);
    PaintAlone(*b, shown);
    EXPECT_EQ(shown.GetPixel(at.X + 8, at.Y + 8), clBlue);

    b->SetGlyphSource("file:" + single);
    EXPECT_FALSE(b->TwoImageGlyph());
    b->SetEnabled(true);
    at = b->PlaceGlyph(scratch.Canvas()).Glyph;
    PaintAlone(*b, shown);
    EXPECT_EQ(shown.GetPixel(at.X + 8, at.Y + 8), clRed);
    EXPECT_EQ(shown.GetPixel(at.X + 24, at.Y + 8), clBlue);
    // Greyed: the glyph's colours give way to the shadow look.
    b->SetEnabled(false);
    PaintAlone(*b, shown);
    EXPECT_NE(shown.GetPixel(at.X + 8, at.Y + 8), clRed);
    EXPECT_NE(shown.GetPixel(at.X + 24, at.Y + 8), clBlue);
}

TEST_F(SkinnedButtonTest, AutoSizeTakesOneFrameOfTheStylesButtonPicture) {
    TskButton* b = AddButton(FForm, 10, 10);
    EXPECT_EQ(b->Width(), 80);
    b->SetAutoSize(true);
    EXPECT_EQ(b->Width(), 74 / 3);
    EXPECT_EQ(b->Height(), 21);
    for (TskUIStyle style : {TskUIStyle::WinXP, TskUIStyle::MacOS, TskUIStyle::BlueGlass}) {
        TBitmap picture;
        GetInsideThemeBitmap(style, ThemeItem::ButtonImage, &picture);
        ASSERT_FALSE(picture.Empty());
        b->SetUIStyle(style);
        EXPECT_EQ(b->Width(), picture.Width() / 3);
        EXPECT_EQ(b->Height(), picture.Height());
    }
    EXPECT_EQ(b->Left(), 10);
}

TEST_F(SkinnedButtonTest, AnImageButtonFallsBackToItsNormalPictureAndKeepsNoStyle) {
    auto* b = AddButton<TskImageButton>(FForm, 10, 10);
    b->SetColor(clAqua);
    const auto solid = [](TColor c) {
        return [c](int x, int y) { return x == 0 && y == 0 ? SkinTransparentColor : c; };
    };
    b->SetPicSource(TskImageButton::PicNormal,
                    "file:" + WritePicture("n.bmp", 80, 27, solid(clRed)));
    int clicks = 0;
    Count(b, clicks);
    ShowForm();
    EXPECT_EQ(Face(b), clRed);
    EXPECT_EQ(PixelAt(10, 10), clAqua);
    Mouse(WM_MOUSEMOVE, {30, 20});
    EXPECT_EQ(Face(b), clRed);
    Mouse(WM_LBUTTONDOWN, {30, 20}, MK_LBUTTON);
    EXPECT_EQ(Face(b), clRed);
    Mouse(WM_LBUTTONUP, {30, 20});
    EXPECT_EQ(clicks, 1);
    b->SetEnabled(false);
    EXPECT_EQ(Face(b), clRed);
    // Nor is it focused-looking unless asked.
    b->SetEnabled(true);
    b->SetFocus();
    EXPECT_NE(PixelAt(12, 12), clBlack);
    b->SetDrawFocused(true);
    EXPECT_EQ(PixelAt(12, 12), clBlack);

    b->SetPicSource(TskImageButton::PicDisabled,
                    "file:" + WritePicture("d.bmp", 80, 27, solid(clBlue)));
    b->SetPicSource(TskImageButton::PicMouseOn,
                    "file:" + WritePicture("o.bmp", 80, 27, solid(clLime)));
    EXPECT_EQ(Face(b), clLime);
    b->SetEnabled(false);
    EXPECT_EQ(Face(b), clBlue);

    b->SetUIStyle(TskUIStyle::MacOS);
    EXPECT_EQ(b->UIStyle(), TskUIStyle::FromThemeFile);
    EXPECT_EQ(GetUIStyleProperty(b, TskUIStyle::DeepBlue), TskUIStyle::FromThemeFile);
}

TEST_F(SkinnedButtonTest, AnImageButtonStretchesAndSizesItselfToItsNormalPicture) {
    auto* b = AddButton<TskImageButton>(FForm, 10, 10);
    b->SetColor(clAqua);
    const std::string path = WritePicture("q.bmp", 4, 4, [](int x, int y) {
        return x < 2 ? (y < 2 ? clRed : clLime) : (y < 2 ? clBlue : clYellow);
    });
    b->SetPicSource(TskImageButton::PicNormal, "file:" + path);
    ShowForm();
    // Unstretched the picture is 4 x 4 at the corner, its top-left colour left out.
    EXPECT_EQ(PixelAt(10, 10), b->Color());
    EXPECT_EQ(PixelAt(13, 13), clYellow);
    EXPECT_EQ(PixelAt(50, 30), b->Color());
    b->SetStretch(true);
    EXPECT_EQ(PixelAt(10 + 79, 10 + 26), clYellow);
    EXPECT_EQ(PixelAt(10 + 79, 10), clBlue);
    b->SetAutoSize(true);
    EXPECT_EQ(b->Width(), 4);
    EXPECT_EQ(b->Height(), 4);
}

TEST_F(SkinnedButtonTest, LayoutsSetTheButtonsProperties) {
    RegisterSkinClasses();
    TLayoutLoader::LoadText(FForm, R"(object Form: TForm
  object btnOk: TskButton
    Left = 5
    Top = 6
    Caption = 'OK'
    UIStyle = WinXP
    Default = True
    Cancel = True
    ModalResult = mrOk
    FocusedRectMargin = 3
    Layout = blGlyphTop
    Spacing = 7
    ResHandle = 12
  end
  object btnImage: TskImageButton
    DrawFocused = True
    Stretch = True
    UIStyle = BlueGlass
  end
end)",
                            "Buttons.lay");
    auto* ok = dynamic_cast<TskButton*>(FForm->FindComponent("btnOk"));
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->Width(), 80);
    EXPECT_EQ(ok->Height(), 27);
    EXPECT_EQ(ok->UIStyle(), TskUIStyle::WinXP);
    EXPECT_TRUE(ok->Default());
    EXPECT_TRUE(ok->Cancel());
    EXPECT_EQ(ok->ModalResult(), 1);
    EXPECT_EQ(ok->FocusedRectMargin(), 3);
    EXPECT_EQ(ok->Layout(), TButtonLayout::blGlyphTop);
    EXPECT_EQ(ok->Spacing(), 7);
    EXPECT_EQ(ok->ResHandle(), 0);
    EXPECT_TRUE(ok->TabStop());
    auto* image = dynamic_cast<TskImageButton*>(FForm->FindComponent("btnImage"));
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->DrawFocused());
    EXPECT_TRUE(image->Stretch());
    EXPECT_EQ(image->UIStyle(), TskUIStyle::FromThemeFile);
    EXPECT_FALSE(HasProperty(image, "FileTheme"));
}
