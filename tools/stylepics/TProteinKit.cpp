#include "tools/stylepics/TProteinKit.h"

namespace stylepics {

namespace {

TPalette ProteinPalette() {
    TPalette p;
    p.FormBack = Rgb(251, 251, 251);
    p.ScrollBack = Rgb(245, 245, 245);
    p.Frame = Rgb(60, 60, 64);
    p.FaceTop = Rgb(255, 255, 255);
    p.FaceBottom = Rgb(212, 213, 217);
    p.HotTop = Rgb(255, 255, 255);
    p.HotBottom = Rgb(220, 224, 242);
    p.DownTop = Rgb(196, 197, 202);
    p.DownBottom = Rgb(232, 232, 235);
    p.HotRing = Rgb(45, 48, 196, 0.75f);
    p.Accent = Rgb(45, 48, 196);
    p.Glyph = Rgb(22, 22, 24);
    p.DownGlyph = Rgb(22, 22, 24);
    p.Disabled = Rgb(178, 178, 182);
    p.TabActiveTop = Rgb(255, 255, 255);
    p.TabActiveBottom = Rgb(255, 255, 255);
    p.TabAccent = Rgb(45, 48, 196);
    p.TabFrame = Rgb(40, 40, 44);
    p.Radius = 2;
    return p;
}

} // namespace

TProteinKit::TProteinKit() : TStyleKit("PROTEIN", ProteinPalette(), {2, 0, true}, false) {}

TRgba TProteinKit::TitleRow(float y) {
    static const TRamp silver = {{0.0f, Rgb(246, 246, 248)},
                                 {0.5f, Rgb(226, 227, 230)},
                                 {0.56f, Rgb(218, 219, 223)},
                                 {1.0f, Rgb(204, 205, 209)}};
    const int row = static_cast<int>(y);
    if (row <= 0) return Rgb(0, 0, 0);
    if (row == 1) return Rgb(255, 255, 255);
    if (row == 21) return Rgb(178, 179, 183);
    if (row >= 22) return Rgb(112, 112, 116);
    return Sample(silver, (row - 2) / 18.0f);
}

TLayer TProteinKit::TitleBase(int w, int h) {
    TLayer layer(w, h);
    layer.Flood([](float, float y) { return TitleRow(y); });
    return layer;
}

TLayer TProteinKit::TitleLeft(int w, int h) {
    TLayer layer = TitleBase(w, h);
    // The caption plate: glossy black with a crisp light edge, its left end
    // round behind the emblem, long enough for any caption the window fits.
    const TSdf plate = Box(2, 2, w - 3.0f, 21, 9.5f);
    layer.Fill(Grow(plate, 1), Rgb(255, 255, 255, 0.85f));
    layer.Fill(plate, Vertical(2, 20,
                               {{0.0f, Rgb(70, 70, 76)},
                                {0.48f, Rgb(22, 22, 26)},
                                {0.52f, Rgb(4, 4, 6)},
                                {1.0f, Rgb(30, 30, 36)}}));
    layer.Fill(
        Intersect(Grow(plate, -1.5f), Box(0, 0, w, 11)),
        Vertical(3, 11, {{0.0f, Rgb(255, 255, 255, 0.3f)}, {1.0f, Rgb(255, 255, 255, 0.04f)}}));
    PaintOutline(layer, plate, Rgb(0, 0, 0));
    return layer;
}

TLayer TProteinKit::TitleClient(int w, int h) {
    return TitleBase(w, h);
}

TLayer TProteinKit::TitleRight(int w, int h) {
    return TitleBase(w, h);
}

TLayer TProteinKit::TitleButton(TTitleButton kind, TButtonState state, int size) {
    TLayer layer(size, size);
    const float c = size / 2.0f;
    if (kind == tbControlBox) {
        // On the black plate: a white gem.
        const float s = size * 0.66f;
        const TSdf gem = DiamondGlyph(c, c, s);
        const TRgba top = state == bsHot ? Rgb(255, 255, 255) : Rgb(236, 236, 240);
        const TRgba bottom = state == bsDown  ? Rgb(120, 124, 140)
                             : state == bsHot ? Rgb(160, 170, 255)
                                              : Rgb(170, 172, 182);
        layer.Fill(gem, Vertical(c - s / 2, c + s / 2, {{0.0f, top}, {1.0f, bottom}}));
        layer.Fill(Intersect(gem, Box(0, c, size, size)), Rgb(0, 0, 0, 0.12f));
        return layer;
    }
    const float r = c - 1;
    const TSdf disc = Circle(c, c, r);
    TRgba light = Rgb(255, 255, 255), dark = Rgb(196, 197, 203);
    if (state == bsHot)
        light = Rgb(255, 255, 255),
        dark = kind == tbClose ? Rgb(236, 190, 190) : Rgb(196, 204, 240);
    if (state == bsDown) light = Rgb(178, 179, 186), dark = Rgb(236, 236, 240);
    layer.Fill(Circle(c, c + 0.6f, r + 0.5f), Rgb(0, 0, 0, 0.2f));
    layer.Fill(disc, Vertical(c - r, c + r,
                              {{0.0f, light},
                               {0.5f, Mix(light, dark, 0.6f)},
                               {0.55f, dark},
                               {1.0f, Mix(dark, light, 0.5f)}}));
    PaintOutline(layer, disc, Rgb(58, 58, 62));
    TRgba ink = Rgb(24, 24, 26);
    if (state == bsHot) ink = kind == tbClose ? Rgb(196, 24, 24) : Rgb(45, 48, 196);
    const float g = state == bsDown ? 0.5f : 0;
    const float cx = c + g, cy = c + g;
    switch (kind) {
    case tbHelp:
        layer.Fill(QuestionGlyph(cx, cy, size * 0.52f, 1.8f), ink);
        break;
    case tbMaximise:
        layer.Fill(MaximiseGlyph(cx, cy, size * 0.4f, 1.2f), ink);
        break;
    case tbRestore:
        layer.Fill(RestoreGlyph(cx, cy, size * 0.46f, 1.1f), ink);
        break;
    case tbMinimise:
        layer.Fill(Box(cx - 3.5f, cy + 1.5f, cx + 3.5f, cy + 3.2f), ink);
        break;
    case tbClose:
        layer.Fill(CrossGlyph(cx, cy, size * 0.4f, 1.9f), ink);
        break;
    case tbControlBox:
        break;
    }
    return layer;
}

TLayer TProteinKit::TabLine(int w, int h) {
    TLayer layer(w, h);
    layer.Flood(Vertical(
        0, h - 1, {{0.0f, Rgb(20, 20, 24)}, {0.3f, Rgb(74, 74, 80)}, {1.0f, Rgb(16, 16, 20)}}));
    return layer;
}

void TProteinKit::PaintExtras(TPictureSet& set) {
    // A fine silver weave: one darker diagonal thread per tile.
    TBitmap& back = set.Add("PROTEIN_FORM_BACKGROUND", Prefix(), 8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            int v = 251;
            if ((x + y) % 8 == 0)
                v = 243;
            else if ((x + y) % 8 == 1)
                v = 255;
            back.SetPixel(x, y, RGB(v, v, v));
        }
}

} // namespace stylepics
