// The skinned scroll bar with a test skin: six one-colour button frames and
// a slider strip of a head, a middle and a tail colour. Where the parts go
// in either orientation, how long the thumb is, and the arrow buttons.
#include <gtest/gtest.h>

#include <vector>

#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"
#include "skin/TskFileTheme.h"
#include "skin/TskImageButton.h"
#include "skin/TskImagePanel.h"
#include "skin/TskScrollBar.h"
#include "skin/TskScrollTrackBar.h"
#include "skin/TskThemeFileWriter.h"
#include "skin/TskThemeLookup.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

// Button frames are 16 wide and 17 high as stored (for a vertical bar).
constexpr int kBtnW = 16, kBtnH = 17, kPiece = 7, kPieceH = 16;
constexpr TColor kBackground = RGB(220, 230, 240);
TColor FrameColor(int frame) {
    return RGB(40 * frame, 10, 200 - 20 * frame);
}
const TColor kPieceColor[3] = {RGB(250, 0, 0), RGB(0, 250, 0), RGB(0, 0, 250)};

class SkinnedScrollBarTest : public ControlFixture {
protected:
    SkinnedScrollBarTest() {
        TBitmap buttons, pieces;
        // Magenta corners: an image button leaves its top-left colour out.
        Fill(buttons, 6 * kBtnW, kBtnH, [](int x, int y) {
            const bool corner =
                (x % kBtnW == 0 || x % kBtnW == kBtnW - 1) && (y == 0 || y == kBtnH - 1);
            return corner ? SkinTransparentColor : FrameColor(x / kBtnW + 1);
        });
        Fill(pieces, 3 * kPiece, kPieceH, [](int x, int) { return kPieceColor[x / kPiece]; });
        TskThemeFileWriter writer;
        writer.AddStream("ScrollBarButtonImage", buttons.SaveToBmp());
        writer.AddStream("ScrollBarSliderImage", pieces.SaveToBmp());
        writer.AddInteger("ScrollBarBackgroundColor", static_cast<int32_t>(kBackground));
        const std::string path = TempDir() + "/scroll.skn";
        writer.SaveToFile(path);
        FTheme = new TskFileTheme(FForm);
        FTheme->SetThemeFile(path);
    }

    TskScrollBar* AddBar(bool vertical, int width, int height) {
        auto* bar = new TskScrollBar(FForm);
        bar->SetParent(FForm);
        // A horizontal bar sets its own height; turn it before sizing it.
        if (vertical) bar->SetOrientation(TskProgressBarOrientation::skVertical);
        bar->SetBounds(10, 10, width, height);
        bar->Theme().SetFileTheme(FTheme);
        bar->SetUIStyle(TskUIStyle::FromThemeFile);
        return bar;
    }
    TBitmap& Thumb(TskScrollBar* bar) { return bar->Track()->SliderPanel()->Picture().Bitmap(); }
    void Mouse(uint32_t msg, TPoint p, WPARAM keys = 0) {
        FHost.MouseEvent(Window(), msg, p, keys);
        FApp->ProcessMessages();
    }

    TskFileTheme* FTheme;
};

} // namespace

TEST_F(SkinnedScrollBarTest, AVerticalBarStacksItsButtonsAroundTheTrack) {
    TskScrollBar* bar = AddBar(true, 50, 200);
    EXPECT_EQ(bar->Width(), kBtnW);
    EXPECT_EQ(bar->Height(), 200);
    EXPECT_EQ(bar->Color(), kBackground);
    EXPECT_EQ(bar->Track()->Color(), kBackground);
    EXPECT_TRUE(bar->Track()->BarImage().Empty());
    EXPECT_EQ(bar->BackButton()->BoundsRect(), TRect::FromSize(0, 0, kBtnW, kBtnH));
    EXPECT_EQ(bar->ForwardButton()->BoundsRect(), TRect::FromSize(0, 200 - kBtnH, kBtnW, kBtnH));
    EXPECT_EQ(bar->Track()->Top(), kBtnH);
    EXPECT_EQ(bar->Track()->Height(), 200 - 2 * kBtnH - 1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(
            bar->BackButton()->Pic(static_cast<TskImageButton::TState>(i)).Bitmap().GetPixel(3, 3),
            FrameColor(i + 1));
        EXPECT_EQ(bar->ForwardButton()
                      ->Pic(static_cast<TskImageButton::TState>(i))
                      .Bitmap()
                      .GetPixel(3, 3),
                  FrameColor(i + 4));
    }
    // The pieces are turned: head at the top, tail at the bottom.
    const TBitmap& thumb = Thumb(bar);
    ASSERT_FALSE(thumb.Empty());
    EXPECT_EQ(thumb.Width(), kPieceH);
    EXPECT_EQ(thumb.GetPixel(5, 0), kPieceColor[0]);
    EXPECT_EQ(thumb.GetPixel(5, thumb.Height() / 2), kPieceColor[1]);
    EXPECT_EQ(thumb.GetPixel(5, thumb.Height() - 1), kPieceColor[2]);

    ShowForm();
    EXPECT_EQ(PixelAt(10 + 8, 10 + 5), FrameColor(1));
    EXPECT_EQ(PixelAt(10 + 8, 10 + 195), FrameColor(4));
    EXPECT_EQ(PixelAt(10 + 8, 10 + 150), kBackground);
}

TEST_F(SkinnedScrollBarTest, AHorizontalBarTurnsItsButtonsAndLinesThemUp) {
    TskScrollBar* bar = AddBar(false, 200, 50);
    EXPECT_EQ(bar->Height(), kBtnW);
    EXPECT_EQ(bar->BackButton()->BoundsRect(), TRect::FromSize(0, 0, kBtnH, kBtnW));
    EXPECT_EQ(bar->ForwardButton()->Left(), 200 - kBtnH);
    EXPECT_EQ(bar->Track()->Left(), kBtnH);
    EXPECT_EQ(bar->Track()->Width(), 200 - 2 * kBtnH);
    const TBitmap& thumb = Thumb(bar);
    EXPECT_EQ(thumb.Height(), kPieceH);
    EXPECT_EQ(thumb.GetPixel(0, 5), kPieceColor[0]);
    EXPECT_EQ(thumb.GetPixel(thumb.Width() - 1, 5), kPieceColor[2]);

    // Turning it re-lays every part.
    bar->SetBounds(10, 10, 50, 200);
    bar->SetOrientation(TskProgressBarOrientation::skVertical);
    EXPECT_EQ(bar->Width(), kBtnW);
    EXPECT_EQ(bar->BackButton()->Height(), kBtnH);
    EXPECT_EQ(bar->Track()->Orientation(), TskProgressBarOrientation::skVertical);
}

TEST_F(SkinnedScrollBarTest, TheThumbIsAShareOfTheTrackOrAFixedLength) {
    TskScrollBar* bar = AddBar(false, 2 * kBtnH + 200, 20);
    const int track = bar->Track()->Width();
    ASSERT_EQ(track, 200);
    bar->SetPageSize(50);
    EXPECT_EQ(bar->SliderLength(), 100);
    EXPECT_EQ(Thumb(bar).Width(), 100);
    EXPECT_EQ(bar->Track()->SliderPanel()->Width(), 100);
    // Below 10 and above 100 count as 10.
    bar->SetPageSize(0);
    EXPECT_EQ(bar->SliderLength(), 20);
    bar->SetMax(300);
    bar->SetPageSize(150);
    EXPECT_EQ(bar->PageSize(), 150);
    EXPECT_EQ(bar->SliderLength(), 20);

    bar->SetLineButton(5);
    EXPECT_EQ(bar->LineButton(), 5);
    EXPECT_EQ(bar->SliderLength(), 18);
    bar->SetLineButton(40);
    EXPECT_EQ(bar->SliderLength(), 40);
    // No longer than the room between the buttons.
    bar->SetLineButton(201);
    EXPECT_EQ(bar->LineButton(), 40);
    bar->SetLineButton(200);
    EXPECT_EQ(bar->LineButton(), 200);
}

TEST_F(SkinnedScrollBarTest, RangeAndPositionLiveInTheTrack) {
    TskScrollBar* bar = AddBar(false, 200, 20);
    EXPECT_EQ(bar->Min(), 0);
    EXPECT_EQ(bar->Max(), 100);
    EXPECT_EQ(bar->PageSize(), 2);
    EXPECT_EQ(bar->LargeChange(), 2);
    int changes = 0;
    TObject* sender = nullptr;
    bar->OnChange = [&](TObject* s) {
        ++changes;
        sender = s;
    };
    bar->SetPosition(40);
    bar->SetPosition(40);
    EXPECT_EQ(bar->Track()->Position(), 40);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(sender, bar);
    bar->SetMax(30);
    EXPECT_EQ(bar->Position(), 30);
    bar->SetMin(50);
    bar->SetMax(10);
    EXPECT_EQ(bar->Max(), 50);
    bar->SetLargeChange(7);
    EXPECT_EQ(bar->Track()->PageSize(), 7);
}

TEST_F(SkinnedScrollBarTest, AHeldArrowStepsOnEveryRepeatButAShortPressDoesNot) {
    TskScrollBar* bar = AddBar(true, 20, 200);
    bar->SetSmallChange(3);
    bar->SetPosition(50);
    ShowForm();
    const TPoint forward{10 + 8, 10 + 195}, back{10 + 8, 10 + 5};
    Mouse(WM_MOUSEMOVE, forward);
    Mouse(WM_LBUTTONDOWN, forward, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, forward);
    EXPECT_EQ(bar->Position(), 50);

    Mouse(WM_LBUTTONDOWN, forward, MK_LBUTTON);
    for (int i = 0; i < 2; ++i) {
        FHost.AdvanceClock(100);
        FApp->ProcessMessages();
    }
    Mouse(WM_LBUTTONUP, forward);
    EXPECT_EQ(bar->Position(), 56);

    Mouse(WM_MOUSEMOVE, back);
    Mouse(WM_LBUTTONDOWN, back, MK_LBUTTON);
    FHost.AdvanceClock(100);
    FApp->ProcessMessages();
    Mouse(WM_LBUTTONUP, back);
    EXPECT_EQ(bar->Position(), 53);
}

TEST_F(SkinnedScrollBarTest, ABuiltInStyleGivesItsPicturesAndAZeroSizeHidesTheBar) {
    TskScrollBar* bar = AddBar(true, 20, 200);
    bar->Theme().SetFileTheme(nullptr);
    bar->SetUIStyle(TskUIStyle::WinXP);
    // WinXP's buttons are six 16x17 frames.
    EXPECT_EQ(bar->BackButton()->Width(), 16);
    EXPECT_EQ(bar->BackButton()->Height(), 17);
    EXPECT_EQ(
        bar->Color(),
        TskThemeLookup(nullptr, TskUIStyle::WinXP).Color(ThemeItem::ScrollBarBackgroundColor));

    // The file theme going away falls back to DeepBlue.
    bar->Theme().SetFileTheme(FTheme);
    bar->SetUIStyle(TskUIStyle::FromThemeFile);
    delete FTheme;
    FTheme = nullptr;
    EXPECT_EQ(bar->UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(
        bar->Color(),
        TskThemeLookup(nullptr, TskUIStyle::DeepBlue).Color(ThemeItem::ScrollBarBackgroundColor));

    EXPECT_TRUE(bar->Visible());
    bar->SetBounds(10, 10, 20, 0);
    EXPECT_FALSE(bar->Visible());
}
