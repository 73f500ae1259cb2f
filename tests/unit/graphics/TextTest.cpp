#include <gtest/gtest.h>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "gui/graphics/TFontMapper.h"
#include "gui/graphics/TTextLayout.h"
#include "gui/graphics/TTextRenderer.h"
#include "unit/graphics/PixelArt.h"

namespace {

// A white bitmap whose canvas writes black 12 px "宋体" on a clear brush.
void Paper(TBitmap& b, int w, int h) {
    b.SetSize(w, h);
    TCanvas& c = b.Canvas();
    c.ResetClip();
    c.SetOrigin({0, 0});
    c.Brush().SetColor(clWhite);
    c.FillRect(b.BoundsRect());
    c.Brush().SetStyle(bsClear);
    c.Font().SetName("宋体");
    c.Font().SetHeight(-12);
    c.Font().SetColor(clBlack);
    c.Font().SetStyle({});
}

} // namespace

TEST(TextMeasure, StableAcrossCallsCanvasesAndFonts) {
    TBitmap a, b;
    Paper(a, 10, 10);
    Paper(b, 10, 10);
    const std::string text = "星帆IE 游戏 Portal";
    const int first = a.Canvas().TextWidth(text);
    EXPECT_GT(first, 0);
    b.Canvas().Font().SetName("Tahoma");
    b.Canvas().TextWidth(text);
    b.Canvas().Font().SetName("宋体");
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(a.Canvas().TextWidth(text), first);
        EXPECT_EQ(b.Canvas().TextWidth(text), first);
    }
    EXPECT_EQ(a.Canvas().TextExtent(text), TSize(first, a.Canvas().TextHeight(text)));
    // One cell height for every text in a font.
    EXPECT_EQ(a.Canvas().TextHeight("a"), a.Canvas().TextHeight("中"));
    EXPECT_EQ(a.Canvas().TextWidth(""), 0);
    // Widths add up over whole characters.
    EXPECT_EQ(a.Canvas().TextWidth("中中"), 2 * a.Canvas().TextWidth("中"));
}

TEST(TextMeasure, ChineseFaceAtTwelvePixels) {
    TBitmap b;
    Paper(b, 40, 30);
    TCanvas& c = b.Canvas();
    EXPECT_NEAR(c.TextWidth("中"), 12, 1);
    const int cell = c.TextHeight("中");
    EXPECT_GE(cell, 12);
    EXPECT_LE(cell, 18);
    // Latin letters of the Chinese face are half as wide.
    EXPECT_NEAR(c.TextWidth("abcd"), 2 * c.TextWidth("中"), 2);
    c.TextOut(2, 3, "中");
    const TRect ink = InkBounds(b, clWhite);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_GE(ink.Width(), 9);
    EXPECT_GE(ink.Height(), 9);
    EXPECT_GE(ink.Left, 2);
    EXPECT_GE(ink.Top, 3);
    EXPECT_LE(ink.Right, 2 + c.TextWidth("中") + 1);
    EXPECT_LE(ink.Bottom, 3 + cell);
    // The bitmap strikes draw in the font's colour, not in shades of it.
    EXPECT_GT(CountPixels(b, clBlack), 15);
}

TEST(TextMeasure, HeightSizeAndCellHeight) {
    TFont f;
    EXPECT_EQ(f.Height(), -12);
    EXPECT_EQ(f.Size(), 9);
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -16);
    f.SetHeight(-11);
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(TTextRenderer::EmPixels(f), 11);
    // A positive height asks for the cell.
    f.SetHeight(16);
    EXPECT_NEAR(TTextRenderer::Metrics(f).Height, 16, 1);
    EXPECT_LT(TTextRenderer::EmPixels(f), 16);
    f.SetHeight(0);
    EXPECT_GT(TTextRenderer::EmPixels(f), 0);
    // Bigger fonts measure wider.
    TFont big;
    big.SetHeight(-24);
    EXPECT_GT(TTextRenderer::TextWidth(big, "abc"), TTextRenderer::TextWidth(TFont(), "abc"));
}

TEST(TextMeasure, HostileTextIsMeasuredAndDrawnSafely) {
    TBitmap b;
    Paper(b, 60, 20);
    TCanvas& c = b.Canvas();
    const std::string bad = "a\xFF\xFE"
                            "b\xE4\xB8";
    EXPECT_GT(c.TextWidth(bad), c.TextWidth("ab"));
    c.TextOut(0, 0, bad);
    c.TextOut(0, 0, std::string("a\0b", 3));
    TRect r(0, 0, 60, 20);
    c.DrawText(bad, r, DT_CENTER | DT_END_ELLIPSIS);
    EXPECT_EQ(TTextRenderer::Clean(std::string("a\0b", 3)), "ab");
    EXPECT_EQ(TTextRenderer::Clean("a\xFF"), "a\xEF\xBF\xBD");
}

TEST(TextDraw, ClearBrushKeepsTheBackgroundSolidBrushFillsTheCell) {
    TBitmap b;
    Paper(b, 40, 20);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect(b.BoundsRect());
    c.Brush().SetStyle(bsClear);
    c.TextOut(1, 1, "Ab");
    EXPECT_GT(CountPixels(b, clRed), 40 * 20 - 12 * 16);
    EXPECT_EQ(c.PenPos(), TPoint(1 + c.TextWidth("Ab"), 1));
    c.Brush().SetColor(clLime);
    c.TextOut(1, 1, "Ab");
    const TRect cell = TRect::FromSize(1, 1, c.TextWidth("Ab"), c.TextHeight("Ab"));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            EXPECT_EQ(b.GetPixel(x, y) == clRed, !cell.Contains({x, y})) << x << "," << y;
}

TEST(TextDraw, ClipAndOriginApplyToText) {
    TBitmap a, b;
    Paper(a, 60, 30);
    Paper(b, 60, 30);
    a.Canvas().TextOut(10, 5, "中文Ab");
    b.Canvas().SetOrigin({10, 5});
    b.Canvas().TextOut(0, 0, "中文Ab");
    EXPECT_TRUE(a.SamePixels(b));
    Paper(b, 60, 30);
    b.Canvas().IntersectClipRect({0, 0, 16, 30});
    b.Canvas().TextOut(10, 5, "中文Ab");
    const TRect ink = InkBounds(b, clWhite);
    EXPECT_FALSE(ink.IsEmpty());
    EXPECT_LE(ink.Right, 16);
    // Inside the clip the pixels are the unclipped ones.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(a.GetPixel(x, y), b.GetPixel(x, y));
}

TEST(TextDraw, TextRectClipsToItsRectangle) {
    TBitmap b;
    Paper(b, 50, 20);
    b.Canvas().Brush().SetColor(clLime);
    b.Canvas().TextRect({5, 2, 20, 12}, 0, 0, "中文中文");
    EXPECT_EQ(InkBounds(b, clWhite), TRect(5, 2, 20, 12));
    EXPECT_EQ(b.Canvas().ClipRect(), b.BoundsRect()); // clip is back afterwards
}

TEST(TextDraw, DrawTextCentresSingleLines) {
    TBitmap b;
    Paper(b, 100, 31);
    TCanvas& c = b.Canvas();
    TRect r(0, 0, 100, 31);
    c.Brush().SetColor(clLime); // mark the cell
    const int ret = c.DrawText("中文", r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    const int w = c.TextWidth("中文"), h = c.TextHeight("中文");
    EXPECT_EQ(InkBounds(b, clWhite), TRect::FromSize((100 - w) / 2, (31 - h) / 2, w, h));
    EXPECT_EQ(ret, (31 - h) / 2 + h);
    Paper(b, 100, 31);
    c.Brush().SetColor(clLime);
    c.DrawText("中文", r, DT_SINGLELINE | DT_RIGHT | DT_BOTTOM);
    EXPECT_EQ(InkBounds(b, clWhite), TRect(100 - w, 31 - h, 100, 31));
    // Without DT_SINGLELINE there is no vertical centring.
    Paper(b, 100, 31);
    c.Brush().SetColor(clLime);
    c.DrawText("中文", r, DT_VCENTER);
    EXPECT_EQ(InkBounds(b, clWhite), TRect(0, 0, w, h));
}

TEST(TextDraw, DrawTextClipsUnlessNoClip) {
    TBitmap b;
    Paper(b, 60, 20);
    TCanvas& c = b.Canvas();
    TRect r(0, 0, 10, 20);
    c.DrawText("中文中文", r, DT_SINGLELINE);
    EXPECT_LE(InkBounds(b, clWhite).Right, 10);
    Paper(b, 60, 20);
    c.DrawText("中文中文", r, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(InkBounds(b, clWhite).Right, 30);
}

TEST(TextDraw, AccessKeyUnderlinesOnlyItsCharacter) {
    TBitmap with, without;
    Paper(with, 60, 20);
    Paper(without, 60, 20);
    TRect r(0, 0, 60, 20);
    with.Canvas().DrawText("F&ile", r, DT_SINGLELINE);
    without.Canvas().DrawText("File", r, DT_SINGLELINE);
    const TFontMetrics m = TTextRenderer::Metrics(with.Canvas().Font());
    const int left = with.Canvas().TextWidth("F"), right = with.Canvas().TextWidth("Fi");
    int extra = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            if (with.GetPixel(x, y) == without.GetPixel(x, y)) continue;
            ++extra;
            EXPECT_EQ(with.GetPixel(x, y), clBlack);
            EXPECT_EQ(y, m.Ascent + m.UnderlineTop) << x;
            EXPECT_GE(x, left - 1);
            EXPECT_LE(x, right);
        }
    EXPECT_GT(extra, 0);
}

TEST(TextDraw, DoubledAmpersandAndNoPrefix) {
    TBitmap a, b;
    Paper(a, 80, 20);
    Paper(b, 80, 20);
    TRect r(0, 0, 80, 20);
    a.Canvas().DrawText("A&&B", r, DT_SINGLELINE);
    b.Canvas().DrawText("A&B", r, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_TRUE(a.SamePixels(b));
    TRect calc(0, 0, 80, 20);
    a.Canvas().DrawText("&File", calc, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
    EXPECT_EQ(calc.Right, a.Canvas().TextWidth("&File"));
    calc = {0, 0, 80, 20};
    a.Canvas().DrawText("&File", calc, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(calc.Right, a.Canvas().TextWidth("File"));
    // Hidden prefixes vanish without an underline.
    Paper(a, 80, 20);
    Paper(b, 80, 20);
    a.Canvas().DrawText("&File", r, DT_SINGLELINE | DT_HIDEPREFIX);
    b.Canvas().DrawText("File", r, DT_SINGLELINE);
    EXPECT_TRUE(a.SamePixels(b));
}

TEST(TextDraw, CalcRectMeasuresWithoutDrawing) {
    TBitmap b;
    Paper(b, 50, 50);
    TCanvas& c = b.Canvas();
    const int h = c.TextHeight("x");
    TRect r(5, 7, 500, 500);
    EXPECT_EQ(c.DrawText("ab\r\nlonger line\nc", r, DT_CALCRECT), 3 * h);
    EXPECT_EQ(r, TRect(5, 7, 5 + c.TextWidth("longer line"), 7 + 3 * h));
    r = {5, 7, 500, 500};
    EXPECT_EQ(c.DrawText("ab\r\nlonger", r, DT_CALCRECT | DT_SINGLELINE), h);
    EXPECT_EQ(r.Right, 5 + c.TextWidth("ablonger"));
    r = {5, 7, 500, 500};
    EXPECT_EQ(c.DrawText("", r, DT_CALCRECT), 0);
    EXPECT_EQ(r, TRect(5, 7, 5, 7));
    EXPECT_EQ(CountPixels(b, clWhite), 2500);
}

TEST(TextDraw, EndEllipsisFitsTheRectangle) {
    TBitmap b;
    Paper(b, 200, 20);
    TCanvas& c = b.Canvas();
    const std::string text = "A rather long caption for a tab";
    TRect r(0, 0, 70, 20);
    c.DrawText(text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(r.Width(), 70);
    EXPECT_GT(r.Width(), 70 - c.TextWidth("W") - c.TextWidth("..."));
    r = {0, 0, 70, 20};
    c.DrawText(text, r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
    EXPECT_LE(InkBounds(b, clWhite).Right, 70);
    const TTextLine cut = TTextLayout::EndEllipsis(c.Font(), {text, std::string::npos, 0}, 70);
    EXPECT_TRUE(cut.Text.ends_with("..."));
    EXPECT_EQ(text.rfind(cut.Text.substr(0, cut.Text.size() - 3), 0), 0u);
    // Text that fits is left alone; Chinese is cut between characters.
    TRect wide(0, 0, 200, 20);
    EXPECT_EQ(c.DrawText("short", wide, DT_END_ELLIPSIS | DT_CALCRECT), c.TextHeight("s"));
    EXPECT_EQ(wide.Right, c.TextWidth("short"));
    const TTextLine zh =
        TTextLayout::EndEllipsis(c.Font(), {"星帆游戏大厅", std::string::npos, 0}, 40);
    EXPECT_TRUE(zh.Text == "星帆..." || zh.Text == "星..." || zh.Text == "星帆游...") << zh.Text;
    EXPECT_LE(zh.Width, 40);
}

TEST(TextDraw, WordBreakWrapsAtSpacesAndBetweenChineseCharacters) {
    TBitmap b;
    Paper(b, 10, 10);
    TCanvas& c = b.Canvas();
    const int h = c.TextHeight("x");
    TRect r(0, 0, c.TextWidth("aaa bbb"), 100);
    EXPECT_EQ(c.DrawText("aaa bbb ccc", r, DT_WORDBREAK | DT_CALCRECT), 2 * h);
    const auto lines =
        TTextLayout::Lines(c.Font(), "aaa bbb ccc", DT_WORDBREAK, c.TextWidth("aaa bbb"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].Text, "aaa bbb");
    EXPECT_EQ(lines[1].Text, "ccc");
    const auto zh = TTextLayout::Lines(c.Font(), "星帆游戏", DT_WORDBREAK, c.TextWidth("星帆"));
    ASSERT_EQ(zh.size(), 2u);
    EXPECT_EQ(zh[1].Text, "游戏");
    // A word longer than the line stays whole.
    const auto longWord = TTextLayout::Lines(c.Font(), "abcdefgh ij", DT_WORDBREAK, 5);
    ASSERT_EQ(longWord.size(), 2u);
    EXPECT_EQ(longWord[0].Text, "abcdefgh");
}

TEST(TextDraw, UnderlineAndStrikeOutStyles) {
    TBitmap plain, styled;
    Paper(plain, 60, 20);
    Paper(styled, 60, 20);
    plain.Canvas().TextOut(0, 0, "abc");
    styled.Canvas().Font().SetStyle({fsUnderline});
    styled.Canvas().TextOut(0, 0, "abc");
    const TFontMetrics m = TTextRenderer::Metrics(styled.Canvas().Font());
    const int w = styled.Canvas().TextWidth("abc");
    for (int x = 0; x < w; ++x)
        EXPECT_EQ(styled.GetPixel(x, m.Ascent + m.UnderlineTop), clBlack);
    EXPECT_EQ(styled.GetPixel(w, m.Ascent + m.UnderlineTop), clWhite);
    styled.Canvas().Font().SetStyle({fsStrikeOut});
    Paper(styled, 60, 20);
    styled.Canvas().Font().SetStyle({fsStrikeOut});
    styled.Canvas().TextOut(0, 0, "abc");
    EXPECT_FALSE(styled.SamePixels(plain));
    for (int x = 0; x < w; ++x)
        EXPECT_EQ(styled.GetPixel(x, m.Ascent - m.StrikeTop), clBlack);
}

TEST(TextLayout, StripPrefix) {
    size_t accel = 0;
    EXPECT_EQ(TTextLayout::StripPrefix("&File", accel), "File");
    EXPECT_EQ(accel, 0u);
    EXPECT_EQ(TTextLayout::StripPrefix("A&&B", accel), "A&B");
    EXPECT_EQ(accel, std::string::npos);
    EXPECT_EQ(TTextLayout::StripPrefix("x&&&y", accel), "x&y");
    EXPECT_EQ(accel, 2u);
    EXPECT_EQ(TTextLayout::StripPrefix("tail&", accel), "tail");
    EXPECT_EQ(accel, std::string::npos);
    EXPECT_EQ(TTextLayout::StripPrefix("文件(&F)", accel), "文件(F)");
    EXPECT_EQ(accel, 7u);
    EXPECT_EQ(TTextLayout::StripPrefix("&a&b", accel), "ab"); // the first mark wins
    EXPECT_EQ(accel, 0u);
}

TEST(TextLayout, LineBreaksAndAccelPerLine) {
    TFont f;
    const auto lines = TTextLayout::Lines(f, "one\r\ntw&o\rthree\n", 0, 1000);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].Text, "one");
    EXPECT_EQ(lines[1].Text, "two");
    EXPECT_EQ(lines[1].Accel, 2u);
    EXPECT_EQ(lines[2].Text, "three");
    EXPECT_EQ(lines[3].Text, "");
    const auto single = TTextLayout::Lines(f, "a\r\nb&c", DT_SINGLELINE, 1000);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].Text, "abc");
    EXPECT_EQ(single[0].Accel, 2u);
    EXPECT_EQ(single[0].Width, TTextRenderer::TextWidth(f, "abc"));
}

TEST(FontMapper, MapsSystemFacesToInstalledFonts) {
    EXPECT_TRUE(TFontMapper::Families("宋体").starts_with("WenQuanYi Zen Hei Sharp"));
    EXPECT_EQ(TFontMapper::Families("SimSun"), TFontMapper::Families("宋体"));
    EXPECT_EQ(TFontMapper::Families("simsun"), TFontMapper::Families("宋体"));
    EXPECT_TRUE(TFontMapper::Families("Tahoma").starts_with("DejaVu Sans,"));
    EXPECT_EQ(TFontMapper::Families(" MS Sans Serif "), TFontMapper::Families("Tahoma"));
    EXPECT_TRUE(TFontMapper::Families("Courier New").starts_with("DejaVu Sans Mono"));
    EXPECT_EQ(TFontMapper::Families("Foo Sans"), "Foo Sans," + TFontMapper::Families("Arial"));
    EXPECT_EQ(TFontMapper::Families("a,b"), TFontMapper::Families("Arial"));
    EXPECT_EQ(TFontMapper::Families(""), TFontMapper::Families("Arial"));
    EXPECT_TRUE(TFontMapper::IsChineseFace("微软雅黑"));
    EXPECT_FALSE(TFontMapper::IsChineseFace("Tahoma"));
}

TEST(Font, ChangesAreReportedOnceAndAssignCopiesValues) {
    TFont a, b;
    int changes = 0;
    a.OnChange = [&] { ++changes; };
    a.SetName("宋体"); // unchanged: no report
    a.SetColor(clRed);
    a.SetStyle(TFontStyles{fsBold, fsItalic});
    a.SetCharset(GB2312_CHARSET);
    EXPECT_EQ(changes, 3);
    EXPECT_TRUE(a.Style().Contains(fsItalic));
    EXPECT_FALSE(a.Style().Contains(fsUnderline));
    b.Assign(a);
    EXPECT_TRUE(b.SameAs(a));
    EXPECT_FALSE(b.OnChange);
    a.Assign(b); // same values: no report
    EXPECT_EQ(changes, 3);
    b.SetHeight(-20);
    a.Assign(b);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(a.Height(), -20);
}
