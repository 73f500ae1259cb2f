#include "ControlTestSupport.h"
#include "gui/TEdit.h"
#include "gui/TImage.h"
#include "gui/TLabel.h"
#include "gui/TLayoutLoader.h"
#include "gui/TPanel.h"

namespace {

class PanelTest : public ControlFixture {
protected:
    TPanel* MakePanel(TRect bounds) {
        auto* panel = new TPanel(FForm);
        panel->SetBoundsRect(bounds);
        panel->SetColor(clSilver);
        panel->SetParent(FForm);
        return panel;
    }
};

const TColor Highlight = ColorToRGB(clBtnHighlight);
const TColor Shadow = ColorToRGB(clBtnShadow);

} // namespace

TEST_F(PanelTest, RaisedOuterAndLoweredInnerBevelsAtTheEdges) {
    TPanel* panel = MakePanel({10, 10, 50, 30});
    panel->SetBevelInner(TBevelCut::bvLowered);
    ShowForm();
    // Outer ring: light top-left, dark bottom-right; the top-right and
    // bottom-left corners belong to the dark side.
    EXPECT_EQ(PixelAt(10, 10), Highlight);
    EXPECT_EQ(PixelAt(48, 10), Highlight);
    EXPECT_EQ(PixelAt(49, 10), Shadow);
    EXPECT_EQ(PixelAt(10, 28), Highlight);
    EXPECT_EQ(PixelAt(10, 29), Shadow);
    EXPECT_EQ(PixelAt(49, 29), Shadow);
    // Inner ring is the other way round.
    EXPECT_EQ(PixelAt(11, 11), Shadow);
    EXPECT_EQ(PixelAt(48, 28), Highlight);
    EXPECT_EQ(PixelAt(12, 12), clSilver);
    EXPECT_EQ(PixelAt(9, 9), clWhite); // the form around it
    EXPECT_EQ(PixelAt(50, 30), clWhite);
}

TEST_F(PanelTest, SeparatorLineIsTwoLoweredRows) {
    // The main window's separators: 2 pixels high, inner bevel lowered, no outer.
    TPanel* line = MakePanel({0, 0, 100, 2});
    line->SetBevelOuter(TBevelCut::bvNone);
    line->SetBevelInner(TBevelCut::bvLowered);
    ShowForm();
    EXPECT_EQ(PixelAt(5, 0), Shadow);
    EXPECT_EQ(PixelAt(5, 1), Highlight);
}

TEST_F(PanelTest, ChildrenAlignInsideBevelsAndBorder) {
    TPanel* panel = MakePanel({0, 0, 100, 60});
    panel->SetBevelInner(TBevelCut::bvRaised);
    panel->SetBevelWidth(2);
    auto* child = new TPanel(FForm);
    child->SetAlign(TAlign::alClient);
    child->SetParent(panel);
    EXPECT_EQ(child->BoundsRect(), TRect(4, 4, 96, 56));
    panel->SetBevelOuter(TBevelCut::bvNone);
    EXPECT_EQ(child->BoundsRect(), TRect(2, 2, 98, 58));
    panel->SetBorderStyle(TBorderStyle::bsSingle);
    EXPECT_EQ(panel->ClientWidth(), 96);
    EXPECT_EQ(child->BoundsRect(), TRect(2, 2, 94, 54));
}

TEST_F(PanelTest, CaptionAlignmentPlacesTheText) {
    TPanel* panel = MakePanel({0, 0, 200, 24});
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->Font().SetColor(clBlack);
    panel->SetCaption("  游戏网址");
    panel->SetAlignment(TAlignment::taLeftJustify);
    ShowForm();
    auto firstInk = [&]() {
        for (int x = 0; x < 200; ++x)
            for (int y = 0; y < 24; ++y)
                if (PixelAt(x, y) != clSilver) return x;
        return -1;
    };
    const int left = firstInk();
    EXPECT_GT(left, 4); // the leading blanks are kept
    EXPECT_LT(left, 40);
    panel->SetAlignment(TAlignment::taRightJustify);
    const int right = firstInk();
    EXPECT_GT(right, 100);
}

using LabelTest = ControlFixture;

TEST_F(LabelTest, AccessKeyIsUnderlinedAndFocusesItsControl) {
    auto* plain = new TLabel(FForm);
    plain->SetCaption("WD");
    plain->Font().SetColor(clBlack);
    plain->SetParent(FForm);
    auto* marked = new TLabel(FForm);
    marked->SetCaption("W&D");
    marked->Font().SetColor(clBlack);
    marked->SetTop(40);
    marked->SetParent(FForm);
    EXPECT_EQ(marked->Width(), plain->Width()); // '&' takes no room
    EXPECT_EQ(marked->Height(), plain->Height());
    ShowForm();
    int differing = 0, differingTop = 0;
    for (int y = 0; y < plain->Height(); ++y)
        for (int x = 0; x < plain->Width(); ++x)
            if (PixelAt(x, y) != PixelAt(x, y + 40)) {
                ++differing;
                if (y < plain->Height() / 2) ++differingTop;
            }
    EXPECT_GT(differing, 3);    // an underline ...
    EXPECT_EQ(differingTop, 0); // ... below the letters only

    auto* edit = new TEdit(FForm);
    edit->SetTop(80);
    edit->SetParent(FForm);
    marked->SetFocusControl(edit);
    EXPECT_EQ(marked->AccelChar(), u'd');
    EXPECT_FALSE(marked->DialogChar(u'w'));
    EXPECT_TRUE(marked->DialogChar(u'D'));
    EXPECT_TRUE(edit->Focused());
    delete edit;
    EXPECT_EQ(marked->FocusControl(), nullptr);
}

TEST_F(LabelTest, DoubleAmpersandShowsOneAndNoAccessKey) {
    auto* label = new TLabel(FForm);
    label->SetCaption("A&&B");
    label->SetParent(FForm);
    EXPECT_EQ(label->AccelChar(), 0);
    auto* same = new TLabel(FForm);
    same->SetShowAccelChar(false);
    same->SetCaption("A&B");
    same->SetParent(FForm);
    EXPECT_EQ(label->Width(), same->Width());
}

TEST_F(LabelTest, AutoSizeFollowsTheCaptionAndRightJustifyKeepsTheRightEdge) {
    auto* label = new TLabel(FForm);
    label->SetParent(FForm);
    label->SetCaption("星帆");
    const int shortWidth = label->Width();
    label->SetCaption("星帆，天下游戏的王中王。");
    EXPECT_GT(label->Width(), shortWidth * 4);
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetBounds(100, 0, label->Width(), label->Height());
    const int right = label->Left() + label->Width();
    label->SetCaption("星帆");
    EXPECT_EQ(label->Left() + label->Width(), right);
    label->SetCaption("");
    EXPECT_GT(label->Height(), 0); // an empty label keeps one line
}

TEST_F(LabelTest, WordWrapKeepsTheWidthAndGrowsTheHeight) {
    auto* label = new TLabel(FForm);
    label->SetParent(FForm);
    label->SetCaption("星帆星帆星帆星帆星帆星帆星帆星帆");
    const int oneLine = label->Height();
    label->SetAutoSize(false);
    label->SetWidth(60);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    EXPECT_EQ(label->Width() <= 60, true);
    EXPECT_GE(label->Height(), oneLine * 3);
}

TEST_F(LabelTest, TransparentLabelLeavesTheParentAndOpaqueFillsItsColour) {
    auto* panel = new TPanel(FForm);
    panel->SetBounds(0, 0, 200, 40);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetColor(clNavy);
    panel->SetParent(FForm);
    auto* label = new TLabel(FForm);
    label->SetCaption("         ");
    label->SetParent(panel);
    label->SetColor(clYellow);
    ShowForm();
    EXPECT_EQ(PixelAt(2, 2), clYellow);
    label->SetTransparent(true);
    EXPECT_EQ(PixelAt(2, 2), clNavy);
}

TEST_F(LabelTest, LayoutCentresTheLineVertically) {
    auto* label = new TLabel(FForm);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 100, 60);
    label->SetColor(clWhite);
    label->Font().SetColor(clBlack);
    label->SetCaption("中");
    label->SetParent(FForm);
    auto inkRows = [&](int& top, int& bottom) {
        top = -1;
        bottom = -1;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 100; ++x)
                if (PixelAt(x, y) != clWhite) {
                    if (top < 0) top = y;
                    bottom = y;
                }
    };
    ShowForm();
    int top = 0, bottom = 0;
    inkRows(top, bottom);
    EXPECT_LT(top, 10);
    label->SetLayout(TLabelLayout::tlCenter);
    inkRows(top, bottom);
    EXPECT_GT(top, 15);
    EXPECT_LT(bottom, 45);
    label->SetLayout(TLabelLayout::tlBottom);
    inkRows(top, bottom);
    EXPECT_GT(bottom, 50);
}

using ImageTest = ControlFixture;

namespace {
TColor Quad(int x, int y) {
    if (y == 0) return x == 0 ? clRed : clLime;
    return x == 0 ? clFuchsia : clBlue;
}
} // namespace

TEST_F(ImageTest, StretchCenterTransparentAndAutoSize) {
    RegisterPicture("images/test-quad.bmp", 2, 2, Quad);
    auto* image = new TImage(FForm);
    image->SetBounds(10, 10, 10, 10);
    image->SetParent(FForm);
    image->SetPictureSource("images/test-quad.bmp");
    ShowForm();
    EXPECT_EQ(PixelAt(10, 10), clRed);
    EXPECT_EQ(PixelAt(11, 11), clBlue);
    EXPECT_EQ(PixelAt(12, 12), clWhite); // natural size, the form behind
    image->SetStretch(true);
    EXPECT_EQ(PixelAt(14, 14), clRed);
    EXPECT_EQ(PixelAt(19, 10), clLime);
    EXPECT_EQ(PixelAt(19, 19), clBlue);
    image->SetTransparent(true); // the bottom-left pixel is the key
    EXPECT_EQ(PixelAt(10, 19), clWhite);
    image->SetStretch(false);
    image->SetCenter(true);
    EXPECT_EQ(PixelAt(14, 14), clRed);
    EXPECT_EQ(PixelAt(15, 15), clBlue);
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 2);
    EXPECT_EQ(image->Height(), 2);
}

TEST_F(ImageTest, MissingPictureInALayoutNamesIt) {
    try {
        TLayoutLoader::LoadText(FForm,
                                "object F: TForm\n"
                                "  object imgBottom: TImage\n"
                                "    Picture = 'images/no-such.bmp'\n"
                                "  end\n"
                                "end\n",
                                "t.lay");
        FAIL() << "no error";
    } catch (const ELayoutError& e) {
        EXPECT_NE(std::string(e.what()).find("images/no-such.bmp"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("t.lay:3"), std::string::npos);
    }
}

TEST_F(LabelTest, AltAndTheAccessKeyFocusTheLabelsControl) {
    auto* label = new TLabel(FForm);
    label->SetCaption("地址(&D)");
    label->SetParent(FForm);
    auto* first = new TEdit(FForm);
    first->SetBounds(0, 40, 100, 20);
    first->SetParent(FForm);
    auto* address = new TEdit(FForm);
    address->SetBounds(0, 80, 100, 20);
    address->SetParent(FForm);
    label->SetFocusControl(address);
    ShowForm();
    first->SetFocus();
    FHost.KeyEvent(Window(), WM_KEYDOWN, VK_MENU);
    FHost.KeyEvent(Window(), WM_SYSKEYDOWN, 'D', 0, u'd');
    FHost.KeyEvent(Window(), WM_SYSKEYUP, 'D');
    FHost.KeyEvent(Window(), WM_KEYUP, VK_MENU);
    FApp->ProcessMessages();
    EXPECT_TRUE(address->Focused());
    EXPECT_EQ(first->Text(), ""); // the letter was not typed anywhere
    EXPECT_EQ(address->Text(), "");
    FHost.KeyEvent(Window(), WM_KEYDOWN, VK_MENU);
    FHost.KeyEvent(Window(), WM_SYSKEYDOWN, 'Q', 0, u'q');
    FHost.KeyEvent(Window(), WM_KEYUP, VK_MENU);
    FApp->ProcessMessages();
    EXPECT_EQ(address->Text(), ""); // no access key: still nothing typed
}
