#include <gtest/gtest.h>

#include <string>

#include "gui/TLayoutLoader.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TPicture.h"
#include "skin/SkinClasses.h"
#include "skin/TskImagePanel.h"
#include "unit/gui/ControlTestSupport.h"

namespace {

// A parent whose every pixel tells where it is: red = x, green = y.
class TPatternParent : public TWinControl {
public:
    explicit TPatternParent(TComponent* owner) : TWinControl(owner) {
        SetControlStyle(ControlStyle() | csOpaque);
    }
    void Paint(TCanvas& canvas) override {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x)
                canvas.SetPixel(x, y, Pattern(x, y));
    }
    static TColor Pattern(int x, int y) { return RGB(x, y, 9); }
};

class SkinnedPanelTest : public ControlFixture {
protected:
    SkinnedPanelTest() {
        FParent = new TPatternParent(FForm);
        FParent->SetParent(FForm);
        FParent->SetBounds(0, 0, 200, 150);
        FPanel = new TskImagePanel(FForm);
        FPanel->SetParent(FParent);
        FPanel->SetBounds(20, 10, 8, 8);
        FPanel->SetColor(clAqua);
    }
    // A 4 x 4 picture of four coloured quarters.
    static TColor Quarter(int x, int y) {
        return x < 2 ? (y < 2 ? clRed : clLime) : (y < 2 ? clBlue : clYellow);
    }
    void SetQuarters() {
        TBitmap bitmap;
        Fill(bitmap, 4, 4, Quarter);
        TPicture picture;
        picture.Assign(bitmap);
        FPanel->SetPicture(picture);
    }
    TColor Shown(int x, int y) { return PixelAt(FPanel->Left() + x, FPanel->Top() + y); }
    // Columns of the panel with a pixel that is neither its colour nor clear.
    int FirstInkColumn() {
        for (int x = 0; x < FPanel->Width(); ++x)
            for (int y = 0; y < FPanel->Height(); ++y)
                if (Shown(x, y) != FPanel->Color()) return x;
        return -1;
    }

    TPatternParent* FParent;
    TskImagePanel* FPanel;
};

} // namespace

TEST_F(SkinnedPanelTest, ATransparentPanelWithoutPictureOrCaptionShowsOnlyWhatLiesBehind) {
    FPanel->SetTransparent(true);
    ShowForm();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(Shown(x, y), TPatternParent::Pattern(20 + x, 10 + y));
    FPanel->SetTransparent(false);
    EXPECT_EQ(Shown(0, 0), clAqua);
    EXPECT_EQ(Shown(7, 7), clAqua);
}

TEST_F(SkinnedPanelTest, ThePictureIsDrawnOnceStretchedOrTiledFromTheCorner) {
    SetQuarters();
    ShowForm();
    EXPECT_EQ(Shown(0, 0), clRed);
    EXPECT_EQ(Shown(3, 3), clYellow);
    EXPECT_EQ(Shown(4, 4), clAqua);
    EXPECT_EQ(Shown(7, 0), clAqua);
    FPanel->SetDrawStyle(TskDrawStyle::skStretch);
    EXPECT_EQ(Shown(3, 3), clRed);
    EXPECT_EQ(Shown(4, 0), clBlue);
    EXPECT_EQ(Shown(7, 7), clYellow);
    FPanel->SetDrawStyle(TskDrawStyle::skTile);
    FPanel->SetBounds(20, 10, 10, 6);
    EXPECT_EQ(Shown(4, 0), clRed);
    EXPECT_EQ(Shown(8, 3), clLime);
    EXPECT_EQ(Shown(9, 5), clRed);
    EXPECT_EQ(Shown(6, 2), clYellow);
}

TEST_F(SkinnedPanelTest, ATransparentPanelLeavesOutThePicturesCornerColour) {
    SetQuarters();
    FPanel->SetTransparent(true);
    ShowForm();
    // The bottom-left quarter is the colour left out.
    EXPECT_EQ(Shown(0, 3), TPatternParent::Pattern(20, 13));
    EXPECT_EQ(Shown(0, 0), clRed);
    EXPECT_EQ(Shown(6, 6), TPatternParent::Pattern(26, 16));
    // A picture given later takes the panel's transparency too.
    SetQuarters();
    EXPECT_TRUE(FPanel->Picture().Bitmap().Transparent());
    EXPECT_EQ(Shown(1, 2), TPatternParent::Pattern(21, 12));
}

TEST_F(SkinnedPanelTest, AutoSizeFollowsThePictureOnTheSidesItsAlignmentLeavesFree) {
    FPanel->SetBounds(0, 0, 30, 40);
    FPanel->SetAutoSize(true);
    EXPECT_EQ(FPanel->Width(), 30);
    SetQuarters();
    EXPECT_EQ(FPanel->Width(), 4);
    EXPECT_EQ(FPanel->Height(), 4);

    auto sizeWith = [&](TAlign align) {
        FPanel->SetAutoSize(false);
        FPanel->SetAlign(align);
        FPanel->SetBounds(0, 0, 30, 40);
        FPanel->SetAutoSize(true);
        return TSize{FPanel->Width(), FPanel->Height()};
    };
    const int parentW = FParent->ClientWidth(), parentH = FParent->ClientHeight();
    TSize size = sizeWith(TAlign::alTop);
    EXPECT_EQ(size.cx, parentW);
    EXPECT_EQ(size.cy, 4);
    size = sizeWith(TAlign::alLeft);
    EXPECT_EQ(size.cx, 4);
    EXPECT_EQ(size.cy, parentH);
    FPanel->SetAlign(TAlign::alNone);
    size = sizeWith(TAlign::alClient);
    EXPECT_EQ(size.cx, parentW);
    EXPECT_EQ(size.cy, parentH);
}

TEST_F(SkinnedPanelTest, BlankCaptionsAreLeftOutAndLeadingBlanksKept) {
    FPanel->SetBounds(20, 10, 120, 24);
    FPanel->SetAlignment(TAlignment::taLeftJustify);
    FPanel->Font().SetColor(clBlack);
    FPanel->SetCaption("   ");
    ShowForm();
    EXPECT_EQ(FirstInkColumn(), -1);
    EXPECT_TRUE(FPanel->CaptionRect().IsEmpty());
    FPanel->SetCaption("X");
    const int plain = FirstInkColumn();
    ASSERT_GE(plain, 0);
    EXPECT_EQ(FPanel->CaptionRect(), FPanel->ClientRect());
    FPanel->SetCaption("  X");
    TBitmap scratch(1, 1);
    scratch.Canvas().Font().Assign(FPanel->Font());
    EXPECT_EQ(FirstInkColumn(), plain + scratch.Canvas().TextWidth("  "));
    // Right-aligned, the text ends at the right edge.
    FPanel->SetAlignment(TAlignment::taRightJustify);
    EXPECT_GT(FirstInkColumn(), 120 - scratch.Canvas().TextWidth("  X") - 2);
}

TEST_F(SkinnedPanelTest, ALayoutGivesThePanelItsPictureByName) {
    RegisterSkinClasses();
    RegisterPicture("test/panel-quarters.bmp", 4, 4, Quarter);
    TLayoutLoader::LoadText(FForm, R"(object Form: TForm
  object palTop: TskImagePanel
    Left = 3
    Top = 4
    Width = 50
    Height = 20
    Caption = '  游戏网址'
    Alignment = taLeftJustify
    Picture = 'test/panel-quarters.bmp'
    DrawStyle = skTile
    Transparent = True
    AutoSize = True
  end
end)",
                            "Panels.lay");
    auto* panel = dynamic_cast<TskImagePanel*>(FForm->FindComponent("palTop"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->PictureSource(), "test/panel-quarters.bmp");
    EXPECT_EQ(panel->Picture().Width(), 4);
    EXPECT_EQ(panel->DrawStyle(), TskDrawStyle::skTile);
    EXPECT_TRUE(panel->Transparent());
    EXPECT_EQ(panel->Width(), 4);
    EXPECT_EQ(panel->Caption(), "  游戏网址");
    EXPECT_EQ(panel->BevelOuter(), TBevelCut::bvNone);
    // A missing picture is reported by its name and leaves the panel empty.
    try {
        panel->SetPictureSource("test/no-such-picture.bmp");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("no-such-picture"), std::string::npos);
    }
    EXPECT_TRUE(panel->Picture().Empty());
    EXPECT_EQ(panel->PictureSource(), "");
}

// A repaint of part of the window composes only that part, and must show
// exactly what a whole repaint shows there: nested transparent panels, a
// stretched picture and a caption, cut by areas that cross their edges.
TEST_F(SkinnedPanelTest, RepaintingPartOfNestedTransparentPanelsMatchesAWholeRepaint) {
    FPanel->SetBounds(20, 10, 120, 90);
    SetQuarters();
    FPanel->SetDrawStyle(TskDrawStyle::skStretch);
    FPanel->SetTransparent(true);
    auto* inner = new TskImagePanel(FForm);
    inner->SetParent(FPanel);
    inner->SetBounds(15, 12, 70, 50);
    inner->SetTransparent(true);
    inner->SetCaption("标题 Caption");
    ShowForm();
    TBitmap whole;
    whole.Assign(FForm->BackBuffer());
    for (TRect part : {TRect{30, 18, 61, 47}, TRect{0, 0, 37, 25}, TRect{80, 60, 200, 150},
                       TRect{52, 35, 53, 36}}) {
        TCanvas& canvas = FForm->BackBuffer().Canvas();
        canvas.Brush().SetColor(clFuchsia);
        canvas.FillRect(part);
        FForm->InvalidateWindowArea(part);
        FForm->PaintInvalid();
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                ASSERT_EQ(FForm->BackBuffer().GetPixel(x, y), whole.GetPixel(x, y))
                    << "at " << x << ", " << y << " after repainting " << part.Left << ", "
                    << part.Top;
    }
}
