#include "tools/stylepics/TWinXPKit.h"

#include <algorithm>

#include "tools/stylepics/Glyphs.h"

namespace stylepics {

namespace {

TPalette WinXPPalette() {
    TPalette p;
    p.FormBack = Rgb(239, 235, 222);
    p.ScrollBack = Rgb(249, 249, 249);
    p.Frame = Rgb(0, 60, 116);
    p.FaceTop = Rgb(255, 255, 255);
    p.FaceBottom = Rgb(226, 223, 214);
    p.HotTop = Rgb(255, 255, 255);
    p.HotBottom = Rgb(232, 230, 222);
    p.DownTop = Rgb(222, 221, 212);
    p.DownBottom = Rgb(240, 240, 234);
    p.HotRing = Rgb(229, 151, 0);
    p.Accent = Rgb(33, 161, 33);
    p.Glyph = Rgb(77, 97, 133);
    p.DownGlyph = Rgb(255, 255, 255);
    p.Disabled = Rgb(202, 200, 187);
    p.RailTop = Rgb(145, 155, 156);
    p.RailBottom = Rgb(145, 155, 156);
    p.TabActiveTop = Rgb(255, 255, 255);
    p.TabActiveBottom = Rgb(255, 255, 255);
    p.TabAccent = Rgb(255, 200, 60);
    p.TabFrame = Rgb(145, 155, 156);
    p.Radius = 3;
    return p;
}

const TRamp& TitleRamp() {
    // Rows of the 29-pixel title: the dark frame line, a bright edge, then
    // the deep blue body darkening into the menu bar.
    static const TRamp ramp = {{0.0f / 28, Rgb(0, 44, 200)},   {1.0f / 28, Rgb(61, 149, 255)},
                               {2.0f / 28, Rgb(40, 128, 252)}, {4.0f / 28, Rgb(12, 100, 242)},
                               {9.0f / 28, Rgb(2, 88, 231)},   {18.0f / 28, Rgb(0, 84, 227)},
                               {22.0f / 28, Rgb(0, 76, 218)},  {25.0f / 28, Rgb(0, 63, 202)},
                               {28.0f / 28, Rgb(0, 46, 178)}};
    return ramp;
}

struct TButtonColours {
    TRgba Light, Mid, Edge;
};

TButtonColours BlueButton(TButtonState state) {
    switch (state) {
    case bsHot:
        return {Rgb(168, 205, 255), Rgb(70, 140, 255), Rgb(36, 100, 238)};
    case bsDown:
        return {Rgb(20, 72, 205), Rgb(18, 80, 215), Rgb(60, 125, 245)};
    default:
        return {Rgb(122, 172, 255), Rgb(38, 112, 248), Rgb(12, 74, 220)};
    }
}

TButtonColours RedButton(TButtonState state) {
    switch (state) {
    case bsHot:
        return {Rgb(255, 196, 170), Rgb(240, 118, 84), Rgb(214, 74, 40)};
    case bsDown:
        return {Rgb(176, 48, 18), Rgb(190, 62, 30), Rgb(226, 108, 74)};
    default:
        return {Rgb(246, 160, 130), Rgb(226, 90, 52), Rgb(192, 52, 20)};
    }
}

} // namespace

TWinXPKit::TWinXPKit() : TStyleKit("WINXP", WinXPPalette(), {5, 2, false}, false) {
    FChevronArrows = true;
}

TRgba TWinXPKit::TitleRow(float y) {
    return Sample(TitleRamp(), (y - 0.5f) / 28);
}

TLayer TWinXPKit::TitleBase(int w, int h) {
    TLayer layer(w, h);
    layer.Flood([](float, float y) { return TitleRow(y); });
    return layer;
}

TLayer TWinXPKit::TitleLeft(int w, int h) {
    TLayer layer = TitleBase(w, h);
    // The window region rounds the corner with a 13-pixel ellipse; the
    // bright edge follows the curve.
    const TSdf corner = Box(0, 0, w + 40.0f, h + 40.0f, 6.5f);
    layer.Fill(InnerRing(corner, 1), Rgb(0, 44, 200));
    layer.Fill(InnerRing(Grow(corner, -1), 1), Rgb(61, 149, 255));
    layer.Fill(InnerRing(Grow(corner, -2), 1), Rgb(40, 128, 252), 0.7f);
    // A soft light along the left, just inside the painted border.
    layer.Fill(
        Box(3, 2, 5, h),
        Horizontal(3, 4, {{0.0f, Rgb(255, 255, 255, 0.22f)}, {1.0f, Rgb(255, 255, 255, 0.08f)}}));
    return layer;
}

TLayer TWinXPKit::TitleClient(int w, int h) {
    return TitleBase(w, h);
}

TLayer TWinXPKit::TitleRight(int w, int h) {
    TLayer layer = TitleBase(w, h);
    const TSdf corner = Box(-40.0f, 0, w, h + 40.0f, 6.5f);
    layer.Fill(InnerRing(corner, 1), Rgb(0, 44, 200));
    layer.Fill(InnerRing(Grow(corner, -1), 1), Rgb(61, 149, 255));
    layer.Fill(InnerRing(Grow(corner, -2), 1), Rgb(40, 128, 252), 0.7f);
    layer.Fill(Box(w - 5.0f, 2, w - 3.0f, h), Rgb(0, 30, 140, 0.12f));
    return layer;
}

TLayer TWinXPKit::TitleButton(TTitleButton kind, TButtonState state, int size) {
    TLayer layer(size, size);
    const float c = size / 2.0f;
    if (kind == tbControlBox) {
        // The program's emblem, without a button around it.
        const float s = size * 0.7f;
        const float shift = state == bsDown ? 1 : 0;
        if (state == bsHot)
            layer.Fill(Circle(c, c, c - 0.5f),
                       Radial(c, c, c,
                              {{0.0f, Rgb(255, 255, 255, 0.45f)}, {1.0f, Rgb(255, 255, 255, 0)}}));
        const TSdf gem = DiamondGlyph(c + shift, c + shift, s);
        layer.Fill(Grow(gem, 1), Rgb(0, 30, 120, 0.55f));
        layer.Fill(gem, Vertical(c - s / 2, c + s / 2,
                                 {{0.0f, Rgb(255, 236, 140)},
                                  {0.5f, Rgb(250, 182, 40)},
                                  {1.0f, Rgb(214, 110, 10)}}));
        layer.Fill(Intersect(gem, Box(0, 0, size, c + shift)), Rgb(255, 255, 255, 0.35f));
        if (state == bsDown) layer.Fill(gem, Rgb(60, 30, 0, 0.18f));
        return layer;
    }
    const TButtonColours colours = kind == tbClose ? RedButton(state) : BlueButton(state);
    const TSdf shape = Box(0, 0, size, size, 3);
    layer.Fill(shape, Radial(size * 0.3f, size * 0.25f, size * 1.0f,
                             {{0.0f, colours.Light}, {0.5f, colours.Mid}, {1.0f, colours.Edge}}));
    layer.Fill(InnerRing(shape, 1), Rgb(255, 255, 255, 0.92f));
    layer.Fill(InnerRing(Grow(shape, -1), 1), Rgb(0, 20, 90, 0.15f));
    const TRgba ink = Rgb(255, 255, 255);
    switch (kind) {
    case tbHelp:
        layer.Fill(QuestionGlyph(c, c, size * 0.58f, 2.2f), ink);
        break;
    case tbMaximise:
        layer.Fill(MaximiseGlyph(c, c, size * 0.46f, 1.5f), ink);
        break;
    case tbRestore:
        layer.Fill(RestoreGlyph(c, c, size * 0.52f, 1.4f), ink);
        break;
    case tbMinimise:
        layer.Fill(Box(c - 4.5f, c + 2, c + 1.5f, c + 4.5f), ink);
        break;
    case tbClose:
        layer.Fill(CrossGlyph(c, c, size * 0.44f, 2.3f), ink);
        break;
    case tbControlBox:
        break;
    }
    return layer;
}

TLayer TWinXPKit::ProgressBar(int w, int h) {
    // One chunk of the bar and the gap after it.
    TLayer layer(w, h);
    layer.Flood(Rgb(255, 255, 255));
    layer.Fill(Box(0, 0, w - 2.0f, h), Vertical(0, h - 1,
                                                {{0.0f, Rgb(62, 184, 62)},
                                                 {0.3f, Rgb(168, 236, 168)},
                                                 {0.55f, Rgb(88, 204, 88)},
                                                 {1.0f, Rgb(30, 160, 30)}}));
    return layer;
}

void TWinXPKit::PaintLunaFace(TLayer& layer, const TSdf& shape, float top, float bottom,
                              TButtonState state) {
    TRgba upper, lower, rim;
    switch (state) {
    case bsHot:
        upper = Rgb(240, 246, 255), lower = Rgb(196, 216, 255), rim = Rgb(120, 156, 236);
        break;
    case bsDown:
        upper = Rgb(110, 142, 241), lower = Rgb(150, 178, 248), rim = Rgb(80, 110, 210);
        break;
    default:
        upper = Rgb(228, 236, 254), lower = Rgb(182, 203, 250), rim = Rgb(160, 184, 240);
        break;
    }
    PaintRamp(layer, shape, top, bottom, upper, lower);
    layer.Fill(InnerRing(Grow(shape, -1), 1), Rgb(255, 255, 255, state == bsDown ? 0.25f : 0.8f));
    PaintOutline(layer, shape, rim);
}

TLayer TWinXPKit::ScrollBarButton(bool forward, TButtonState state, int w, int h) {
    TLayer layer(w, h);
    PaintLunaFace(layer, Box(0, 0, w, h, 2.5f), 0, h, state);
    PaintArrow(layer, w / 2.0f, h / 2.0f, 7, forward ? TDirection::Down : TDirection::Up,
               state == bsDown ? Rgb(255, 255, 255) : Palette().Glyph);
    return layer;
}

TLayer TWinXPKit::ScrollBarTrack(int w, int h) {
    TLayer layer(w, h);
    PaintLunaFace(layer, Box(0, 1, w, h - 1, 3), 1, h - 1, bsNormal);
    return layer;
}

TLayer TWinXPKit::ScrollButton(bool forward, bool hot, int w, int h) {
    TLayer layer(w, h);
    PaintLunaFace(layer, Box(1, 1, w - 1, h - 1, 3), 1, h - 1, hot ? bsHot : bsNormal);
    PaintArrow(layer, w / 2.0f, h / 2.0f, 7, forward ? TDirection::Right : TDirection::Left,
               Palette().Glyph);
    return layer;
}

void TWinXPKit::PaintExtras(TPictureSet& set) {
    // Stretched over the drop-down button of a combo box, arrow included.
    TBitmap& combo = set.Add("WINXP_COMBOBOX_BUTTON", Prefix(), 16, 18);
    TLayer layer(16, 18);
    layer.Flood(Rgb(255, 255, 255));
    PaintLunaFace(layer, Box(0, 0, 16, 18, 2.5f), 0, 18, bsNormal);
    PaintArrow(layer, 8, 9, 7, TDirection::Down, Palette().Glyph);
    layer.FlattenOpaque(combo, 0, 0, [](int, int) { return Rgb(255, 255, 255); });
}

} // namespace stylepics
