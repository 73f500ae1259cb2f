#include "ControlTestSupport.h"
#include "gui/TSpeedButton.h"

namespace {

class SpeedButtonTest : public ControlFixture {
protected:
    TSpeedButton* MakeButton(int left, int group = 0) {
        auto* b = new TSpeedButton(FForm);
        b->SetBounds(left, 10, 40, 30);
        b->SetGroupIndex(group);
        b->SetParent(FForm);
        b->OnClick = [this, b](TObject* sender) {
            EXPECT_EQ(sender, b);
            FClicks += b->Name().empty() ? "x" : b->Name();
        };
        return b;
    }
    std::string FClicks;
};

// Left half red frame, right half blue frame; magenta bottom-left key.
TColor TwoFrames(int x, int y) {
    if (y == 3 && (x == 0 || x == 4)) return clFuchsia;
    return x < 4 ? clRed : clBlue;
}

} // namespace

TEST_F(SpeedButtonTest, ClickOnReleaseInsideOnly) {
    TSpeedButton* b = MakeButton(10);
    ShowForm();
    Click({20, 20});
    EXPECT_EQ(FClicks, "x");
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, {20, 20}, MK_LBUTTON);
    FApp->ProcessMessages();
    EXPECT_EQ(b->State(), TButtonState::bsDown);
    FHost.MouseEvent(Window(), WM_MOUSEMOVE, {200, 200}, MK_LBUTTON);
    FApp->ProcessMessages();
    EXPECT_EQ(b->State(), TButtonState::bsUp); // dragged off: no longer pressed
    FHost.MouseEvent(Window(), WM_LBUTTONUP, {200, 200});
    FApp->ProcessMessages();
    EXPECT_EQ(FClicks, "x");
}

TEST_F(SpeedButtonTest, FlatButtonShowsItsBorderOnlyWhenHotOrPressed) {
    TSpeedButton* b = MakeButton(10);
    b->SetFlat(true);
    ShowForm();
    EXPECT_EQ(PixelAt(10, 10), clWhite);
    EXPECT_EQ(PixelAt(49, 39), clWhite);
    FHost.MouseEvent(Window(), WM_MOUSEMOVE, {20, 20});
    FApp->ProcessMessages();
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(PixelAt(10, 10), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(PixelAt(49, 39), ColorToRGB(clBtnShadow));
    FHost.MouseEvent(Window(), WM_LBUTTONDOWN, {20, 20}, MK_LBUTTON);
    EXPECT_EQ(PixelAt(10, 10), ColorToRGB(clBtnShadow));
    FHost.MouseEvent(Window(), WM_LBUTTONUP, {20, 20});
    FHost.MouseEvent(Window(), WM_MOUSEMOVE, {300, 200});
    FApp->ProcessMessages();
    EXPECT_FALSE(b->Hot());
    EXPECT_EQ(PixelAt(10, 10), clWhite);
}

TEST_F(SpeedButtonTest, GroupedButtonsStayDownOneAtATime) {
    TSpeedButton* a = MakeButton(10, 1);
    TSpeedButton* b = MakeButton(60, 1);
    a->SetName("a");
    b->SetName("b");
    ShowForm();
    Click({20, 20});
    EXPECT_TRUE(a->Down());
    Click({70, 20});
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    Click({70, 20}); // without AllowAllUp the down button stays down
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp());
    Click({70, 20});
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(FClicks, "abbb");
}

TEST_F(SpeedButtonTest, GlyphFramesFollowTheStateAndCentreWithTheCaption) {
    RegisterPicture("images/test-frames.bmp", 8, 4, TwoFrames);
    TSpeedButton* b = MakeButton(10);
    b->SetGlyphSource("images/test-frames.bmp");
    b->SetNumGlyphs(2);
    ShowForm();
    TSpeedButton::TButtonGeometry g = b->Geometry(FForm->BackBuffer().Canvas());
    EXPECT_EQ(g.Glyph, TRect(18, 13, 22, 17)); // 4x4 centred in 40x30
    EXPECT_EQ(PixelAt(10 + 18 + 1, 10 + 13), clRed);
    EXPECT_EQ(PixelAt(10 + 18, 10 + 16), ColorToRGB(clBtnFace)); // key pixel left out
    b->SetEnabled(false);
    EXPECT_EQ(PixelAt(10 + 18 + 1, 10 + 13), clBlue);

    b->SetCaption("后退");
    g = b->Geometry(FForm->BackBuffer().Canvas());
    EXPECT_EQ(g.Text.Left, g.Glyph.Right + b->Spacing());
    EXPECT_NEAR(g.Glyph.Left, 40 - g.Text.Right, 1); // the pair is centred
    b->SetLayout(TButtonLayout::blGlyphTop);
    g = b->Geometry(FForm->BackBuffer().Canvas());
    EXPECT_EQ(g.Text.Top, g.Glyph.Bottom + b->Spacing());
}

TEST_F(SpeedButtonTest, MissingGlyphRaisesAndLeavesNoGlyph) {
    TSpeedButton* b = MakeButton(10);
    EXPECT_THROW(b->SetGlyphSource("images/absent.bmp"), Exception);
    EXPECT_TRUE(b->Glyph().Empty());
}

TEST_F(SpeedButtonTest, AltAndTheMarkedLetterClicksAnEnabledButtonOnly) {
    TSpeedButton* remove = MakeButton(10);
    remove->SetName("remove");
    remove->SetCaption("删除 Cookie(&C)");
    TSpeedButton* plain = MakeButton(60);
    plain->SetName("plain");
    plain->SetCaption("Close");
    ShowForm();
    auto altKey = [&](int key, char16_t ch) {
        FHost.KeyEvent(Window(), WM_KEYDOWN, VK_MENU);
        FHost.KeyEvent(Window(), WM_SYSKEYDOWN, key, 0, ch);
        FHost.KeyEvent(Window(), WM_SYSKEYUP, key);
        FHost.KeyEvent(Window(), WM_KEYUP, VK_MENU);
        FApp->ProcessMessages();
    };
    altKey('C', u'C');
    EXPECT_EQ(FClicks, "remove");
    altKey('L', u'l'); // "Close" marks no letter
    EXPECT_EQ(FClicks, "remove");
    remove->SetEnabled(false);
    altKey('C', u'c');
    EXPECT_EQ(FClicks, "remove");
}
