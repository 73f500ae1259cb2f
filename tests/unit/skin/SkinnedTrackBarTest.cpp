// The skinned track bar on a form of the headless host, drawn from a test
// skin whose groove and thumbs are plain colours: where the thumb sits,
// which value a point means, the ticks, and the mouse and keys.
#include <gtest/gtest.h>

#include <vector>

#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinPublic.h"
#include "skin/TskFileTheme.h"
#include "skin/TskImagePanel.h"
#include "skin/TskThemeFileWriter.h"
#include "skin/TskThemeLookup.h"
#include "skin/TskTrackBar.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

constexpr TColor kBar = RGB(10, 120, 10), kSlider = RGB(200, 30, 30), kSliderV = RGB(30, 30, 200),
                 kBack = RGB(240, 240, 200);
// Groove 9x4; thumbs 10x16 (horizontal) and 16x10 (vertical).
constexpr int kBarH = 4, kThumbLen = 10, kThumbCross = 16;

class SkinnedTrackBarTest : public ControlFixture {
protected:
    SkinnedTrackBarTest() {
        FTheme = new TskFileTheme(FForm);
        FTheme->SetThemeFile(WriteSkin());
        FForm->SetColor(kBack);
    }

    std::vector<uint8_t> Solid(int w, int h, TColor color) {
        TBitmap bmp;
        Fill(bmp, w, h, [color](int, int) { return color; });
        return bmp.SaveToBmp();
    }

    // A thumb with magenta corners, which a transparent thumb leaves out.
    std::vector<uint8_t> Thumb(int w, int h, TColor color) {
        TBitmap bmp;
        Fill(bmp, w, h, [=](int x, int y) {
            return (x == 0 || x == w - 1) && (y == 0 || y == h - 1) ? SkinTransparentColor : color;
        });
        return bmp.SaveToBmp();
    }

    std::string WriteSkin() {
        TskThemeFileWriter writer;
        writer.AddStream("TrackBarBarImage", Solid(9, kBarH, kBar));
        writer.AddStream("TrackBarSliderImage", Thumb(kThumbLen, kThumbCross, kSlider));
        writer.AddStream("TrackBarSliderVImage", Thumb(kThumbCross, kThumbLen, kSliderV));
        const std::string path = TempDir() + "/track.skn";
        writer.SaveToFile(path);
        return path;
    }

    TskTrackBar* AddBar(int width, int height, bool vertical = false) {
        auto* bar = new TskTrackBar(FForm);
        bar->SetParent(FForm);
        // A horizontal bar sets its own height; turn it before sizing it.
        if (vertical) bar->SetOrientation(TskProgressBarOrientation::skVertical);
        bar->SetBounds(20, 30, width, height);
        bar->Theme().SetFileTheme(FTheme);
        bar->Theme().SetUIStyle(TskUIStyle::FromThemeFile);
        bar->ThemeChanged();
        return bar;
    }
    void Mouse(uint32_t msg, TPoint p, WPARAM keys = 0) {
        FHost.MouseEvent(Window(), msg, p, keys);
        FApp->ProcessMessages();
    }
    void Tick() {
        FHost.AdvanceClock(100);
        FApp->ProcessMessages();
    }

    TskFileTheme* FTheme;
};

void PaintAlone(TControl& control, TBitmap& out) {
    out.SetSize(control.Width(), control.Height());
    control.Paint(out.Canvas());
}

} // namespace

TEST_F(SkinnedTrackBarTest, TheBarTakesItsThicknessFromTheThumbAndPlacesItByPosition) {
    TskTrackBar* bar = AddBar(110, 40);
    EXPECT_EQ(bar->Height(), kThumbCross);
    EXPECT_EQ(bar->SliderPanel()->Width(), kThumbLen);
    EXPECT_EQ(bar->Groove().Width(), 110);
    EXPECT_EQ(bar->Groove().Height(), kBarH);
    bar->SetPosition(5);
    EXPECT_EQ(bar->SliderPanel()->Left(), 50);
    bar->SetPosition(7);
    EXPECT_EQ(bar->SliderPanel()->Left(), 70);
    bar->SetPosition(99);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(bar->SliderPanel()->Left(), 100);

    ShowForm();
    // The thumb over the groove, the groove across the middle, the
    // background around it.
    EXPECT_EQ(PixelAt(20 + 105, 30 + 8), kSlider);
    EXPECT_EQ(PixelAt(20 + 10, 30 + (kThumbCross - kBarH) / 2), kBar);
    EXPECT_EQ(PixelAt(20 + 10, 30 + 1), kBack);
    // A horizontal thumb lets the groove show through its magenta corners.
    EXPECT_EQ(PixelAt(20 + 100, 30), kBack);
}

TEST_F(SkinnedTrackBarTest, APointMapsToTheNearestValueWithHalvesToEven) {
    TskTrackBar* bar = AddBar(110, 16);
    // (x - 5) * 10 / 100 over 0..10.
    EXPECT_EQ(bar->ValueAtPoint({55, 0}), 5);
    EXPECT_EQ(bar->ValueAtPoint({20, 0}), 2); // 1.5
    EXPECT_EQ(bar->ValueAtPoint({30, 0}), 2); // 2.5
    EXPECT_EQ(bar->ValueAtPoint({36, 0}), 3); // 3.1
    EXPECT_EQ(bar->ValueAtPoint({0, 0}), 0);  // -0.5
    bar->SetMin(-10);
    EXPECT_EQ(bar->ValueAtPoint({5, 0}), -10);
    EXPECT_EQ(bar->ValueAtPoint({105, 0}), 10);

    // A thumb as long as the groove: every point means 0, which the
    // position then clamps into the range.
    bar->SetMin(3);
    bar->SetMax(8);
    bar->SetBounds(20, 30, kThumbLen, 16);
    EXPECT_EQ(bar->ValueAtPoint({7, 0}), 0);
    bar->SetPosition(bar->ValueAtPoint({7, 0}));
    EXPECT_EQ(bar->Position(), 3);
}

TEST_F(SkinnedTrackBarTest, RangeSettersKeepMinBelowMaxAndIgnoreStepsOutsideTheRange) {
    TskTrackBar* bar = AddBar(110, 16);
    bar->SetPosition(6);
    bar->SetMin(4);
    bar->SetMax(2);
    EXPECT_EQ(bar->Max(), 4);
    EXPECT_EQ(bar->Position(), 4);
    // Min = Max: the thumb sits at the start.
    EXPECT_EQ(bar->SliderPanel()->Left(), 0);
    bar->SetMin(20);
    EXPECT_EQ(bar->Max(), 20);
    EXPECT_EQ(bar->Position(), 20);

    bar->SetMin(0);
    bar->SetMax(10);
    bar->SetPageSize(11);
    bar->SetLineSize(-1);
    EXPECT_EQ(bar->PageSize(), 2);
    EXPECT_EQ(bar->LineSize(), 1);
    bar->SetPageSize(10);
    bar->SetLineSize(0);
    EXPECT_EQ(bar->PageSize(), 10);
    EXPECT_EQ(bar->LineSize(), 0);
}

TEST_F(SkinnedTrackBarTest, TicksMarkMinEveryFrequencyAndMaxButNothingOnAnEmptyRange) {
    TskTrackBar* bar = AddBar(110, 16);
    bar->SetFrequency(3);
    TBitmap out;
    PaintAlone(*bar, out);
    const TColor pen = out.Canvas().Pen().Color();
    auto tickAt = [&](int value) { return (110 - kThumbLen) * value / 10 + kThumbLen / 2; };
    std::vector<int> ticks;
    for (int value = 0; value <= 10; ++value)
        if (out.GetPixel(tickAt(value), 15) == pen) ticks.push_back(value);
    EXPECT_EQ(ticks, (std::vector<int>{0, 3, 6, 9, 10}));
    EXPECT_EQ(out.GetPixel(tickAt(3), 13), pen);
    EXPECT_NE(out.GetPixel(tickAt(3), 12), pen);

    bar->SetMax(0);
    PaintAlone(*bar, out);
    for (int x = 0; x < 110; ++x)
        ASSERT_EQ(out.GetPixel(x, 15), kBack) << x;

    bar->SetMax(10);
    bar->SetShowTick(false);
    PaintAlone(*bar, out);
    EXPECT_EQ(out.GetPixel(tickAt(0), 15), kBack);
}

TEST_F(SkinnedTrackBarTest, AVerticalBarTurnsItsGrooveAndTicksBothEdges) {
    TskTrackBar* bar = AddBar(40, 110, true);
    EXPECT_EQ(bar->Width(), kThumbCross);
    EXPECT_EQ(bar->Groove().Width(), kBarH);
    EXPECT_EQ(bar->Groove().Height(), 110);
    EXPECT_EQ(bar->SliderPanel()->Height(), kThumbLen);
    bar->SetPosition(10);
    EXPECT_EQ(bar->SliderPanel()->Top(), 100);
    EXPECT_EQ(bar->SliderPanel()->Left(), 0);
    TBitmap out;
    PaintAlone(*bar, out);
    const TColor pen = out.Canvas().Pen().Color();
    EXPECT_EQ(out.GetPixel((kThumbCross - kBarH) / 2, 50), kBar);
    const int y = 100 * 3 / 10 + kThumbLen / 2;
    EXPECT_EQ(out.GetPixel(0, y), pen);
    EXPECT_EQ(out.GetPixel(kThumbCross - 1, y), pen);
    EXPECT_NE(out.GetPixel(kThumbCross / 2, y), pen);
    ShowForm();
    EXPECT_EQ(PixelAt(20 + 8, 30 + 105), kSliderV);
}

TEST_F(SkinnedTrackBarTest, KeysStepByLineAndPageAndReportEachChange) {
    TskTrackBar* bar = AddBar(110, 16);
    std::vector<int> changes;
    bar->OnChange = [&](TObject*) { changes.push_back(bar->LastChange()); };
    ShowForm();
    bar->SetFocus();
    Key(VK_NEXT);
    EXPECT_EQ(bar->Position(), 2);
    Key(VK_RIGHT);
    Key(VK_DOWN);
    EXPECT_EQ(bar->Position(), 4);
    Key(VK_END);
    EXPECT_EQ(bar->Position(), 10);
    Key(VK_NEXT); // already at the end: no change reported
    Key(VK_UP);
    Key(VK_PRIOR);
    EXPECT_EQ(bar->Position(), 7);
    Key(VK_HOME);
    EXPECT_EQ(bar->Position(), 0);
    EXPECT_EQ(changes, (std::vector<int>{2, 1, 1, 6, -1, -2, -7}));
}

TEST_F(SkinnedTrackBarTest, APressBesideTheThumbStepsAndRepeatsUntilReleased) {
    TskTrackBar* bar = AddBar(110, 16);
    int changes = 0;
    bar->OnChange = [&](TObject*) { ++changes; };
    ShowForm();
    // Far right of the thumb: one page per press, three per repeat.
    Mouse(WM_LBUTTONDOWN, {20 + 100, 30 + 8}, MK_LBUTTON);
    EXPECT_EQ(bar->Position(), 2);
    EXPECT_TRUE(bar->Repeating());
    EXPECT_TRUE(bar->Focused());
    Tick();
    EXPECT_EQ(bar->Position(), 8);
    Tick(); // never beyond the value under the pointer
    EXPECT_EQ(bar->Position(), 10);
    Mouse(WM_LBUTTONUP, {20 + 100, 30 + 8});
    EXPECT_FALSE(bar->Repeating());
    Tick();
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(changes, 3);

    // Left of the thumb, close to it: never past the value under the pointer.
    Mouse(WM_LBUTTONDOWN, {20 + 85, 30 + 8}, MK_LBUTTON);
    EXPECT_EQ(bar->Position(), 8);
    // Leaving the control while not dragging ends the repeat.
    Mouse(WM_MOUSEMOVE, {300, 200}, MK_LBUTTON);
    EXPECT_FALSE(bar->Repeating());
    Mouse(WM_LBUTTONUP, {300, 200});
}

TEST_F(SkinnedTrackBarTest, DraggingTheThumbFollowsThePointerAndReportsChanges) {
    TskTrackBar* bar = AddBar(110, 16);
    int changes = 0, downs = 0;
    TPoint down;
    bar->OnChange = [&](TObject*) { ++changes; };
    bar->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        ++downs;
        down = {x, y};
    };
    bar->SetPosition(2);
    changes = 0;
    ShowForm();
    Mouse(WM_LBUTTONDOWN, {20 + 23, 30 + 8}, MK_LBUTTON);
    EXPECT_TRUE(bar->Dragging());
    EXPECT_EQ(bar->Position(), 2);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(down.X, 23);
    EXPECT_EQ(down.Y, 8);
    Mouse(WM_MOUSEMOVE, {20 + 65, 30 + 8}, MK_LBUTTON);
    EXPECT_EQ(bar->Position(), 6);
    EXPECT_EQ(bar->SliderPanel()->Left(), 60);
    Mouse(WM_MOUSEMOVE, {20 + 66, 30 + 8}, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, {390, 8}, MK_LBUTTON);
    EXPECT_EQ(bar->Position(), 10);
    EXPECT_EQ(changes, 2);
    Mouse(WM_LBUTTONUP, {390, 8});
    EXPECT_FALSE(bar->Dragging());
    Mouse(WM_MOUSEMOVE, {20 + 5, 30 + 8});
    EXPECT_EQ(bar->Position(), 10);
}

TEST_F(SkinnedTrackBarTest, LosingTheFileThemeFallsBackToTheBuiltInPictures) {
    TskTrackBar* bar = AddBar(110, 40);
    EXPECT_EQ(bar->BarImage().Height(), kBarH);
    delete FTheme;
    FTheme = nullptr;
    EXPECT_EQ(bar->Theme().UIStyle(), TskUIStyle::DeepBlue);
    EXPECT_EQ(bar->Theme().FileTheme(), nullptr);
    TBitmap expected;
    TskThemeLookup(nullptr, TskUIStyle::DeepBlue).Bitmap(ThemeItem::TrackBarBarImage, &expected);
    ASSERT_FALSE(expected.Empty());
    EXPECT_EQ(bar->BarImage().Height(), expected.Height());
    TBitmap slider;
    TskThemeLookup(nullptr, TskUIStyle::DeepBlue).Bitmap(ThemeItem::TrackBarSliderImage, &slider);
    EXPECT_EQ(bar->SliderPanel()->Width(), slider.Width());
    EXPECT_EQ(bar->Height(), std::max(expected.Height(), slider.Height()));
}

TEST_F(SkinnedTrackBarTest, TheMacOSStyleMakesTheBarTransparent) {
    TskTrackBar* bar = AddBar(110, 16);
    EXPECT_FALSE(bar->Transparent());
    bar->Theme().SetUIStyle(TskUIStyle::MacOS);
    bar->Theme().SetFileTheme(nullptr);
    bar->ThemeChanged();
    EXPECT_TRUE(bar->Transparent());
    EXPECT_TRUE(bar->SliderPanel()->Transparent());
}
