#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TCanvas.h"
#include "platform/Text.h"

namespace {

// Black text of one face and em size on white.
void Render(TBitmap& b, const std::string& face, int em, const std::string& text) {
    b.SetSize(40 + 2 * em * static_cast<int>(text.size()), 3 * em);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(b.BoundsRect());
    c.Brush().SetStyle(bsClear);
    c.Font().SetName(face);
    c.Font().SetHeight(-em);
    c.Font().SetColor(clBlack);
    c.TextOut(4, 4, text);
}

int Darkness(TColor c) {
    return 255 - (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
}

struct TInk {
    int Left = -1;
    int Right = -1; // inclusive
};

// The columns where one character of a line leaves clear ink: the line up to
// and including it against the line without it, so the character stands
// where the whole line puts it.
TInk InkOf(const std::string& face, int em, const std::string& before, const std::string& withChar) {
    TBitmap a, b;
    Render(a, face, em, before);
    Render(b, face, em, withChar);
    TInk ink;
    for (int x = 0; x < b.Width(); ++x)
        for (int y = 0; y < b.Height(); ++y)
            if (Darkness(b.GetPixel(x, y)) - Darkness(a.GetPixel(x, y)) > 110) {
                if (ink.Left < 0) ink.Left = x;
                ink.Right = x;
                break;
            }
    return ink;
}

// Byte offsets where each character of UTF-8 text ends.
std::vector<size_t> CharEnds(const std::string& text) {
    std::vector<size_t> ends;
    const std::u16string wide = platform::Utf8ToUtf16(text);
    size_t bytes = 0;
    for (char16_t ch : wide) {
        bytes += platform::Utf16ToUtf8(std::u16string(1, ch)).size();
        ends.push_back(bytes);
    }
    return ends;
}

struct TGlyph {
    std::string Char;
    TInk Ink;
};

// Each character of a line with the columns of its ink.
std::vector<TGlyph> Glyphs(const std::string& face, int em, const std::string& text) {
    std::vector<TGlyph> glyphs;
    size_t start = 0;
    for (size_t end : CharEnds(text)) {
        TInk ink = InkOf(face, em, text.substr(0, start), text.substr(0, end));
        if (ink.Left >= 0) glyphs.push_back({text.substr(start, end - start), ink});
        start = end;
    }
    return glyphs;
}

// Blank columns between a glyph and the one before it (negative: overlap).
int GapBefore(const std::vector<TGlyph>& glyphs, size_t i) {
    return glyphs[i].Ink.Left - glyphs[i - 1].Ink.Right - 1;
}

// A colon or a capital I beside a letter or digit.
bool IsSpaced(const std::string& glyph, const std::string& neighbour) {
    const bool alnum = neighbour.size() == 1 && std::isalnum(static_cast<unsigned char>(neighbour[0]));
    return (glyph == ":" || glyph == "I") && alnum;
}

// Neighbouring characters never draw over each other; a colon and a capital
// I keep a clear column on both sides (a colon drawn into the next letter,
// "IE" run together into one shape); a dot sits as far from the digit before
// it as from the digit after it.
void ExpectReadable(const std::string& face, int em, const std::string& text) {
    const std::vector<TGlyph> glyphs = Glyphs(face, em, text);
    for (size_t i = 1; i < glyphs.size(); ++i) {
        const std::string where = face + " " + std::to_string(em) + "px \"" + text + "\" at \"" +
                                  glyphs[i - 1].Char + glyphs[i].Char + "\"";
        const int gap = GapBefore(glyphs, i);
        EXPECT_GE(gap, 0) << where;
        if (IsSpaced(glyphs[i - 1].Char, glyphs[i].Char) || IsSpaced(glyphs[i].Char, glyphs[i - 1].Char))
            EXPECT_GE(gap, 1) << where;
        if (glyphs[i].Char == "." && i + 1 < glyphs.size())
            EXPECT_LE(std::abs(gap - GapBefore(glyphs, i + 1)), 1) << where << ": the dot sits off centre";
    }
}

} // namespace

TEST(TextGlyphs, LatinTextInTheChineseFacesReadsCleanly) {
    for (int em : {11, 12, 13, 14, 16})
        for (const char* text : {"about:blank", "127.0.0.1", "星帆IE", "http://127.0.0.1:8080/", "文件(F)"})
            ExpectReadable("宋体", em, text);
}
