#include "tools/stylepics/TDeepBlueKit.h"

namespace stylepics {

namespace {

TPalette DeepBluePalette() {
    TPalette p;
    p.FormBack = Rgb(232, 232, 232);
    p.ScrollBack = Rgb(245, 245, 245);
    p.Frame = Rgb(34, 44, 104);
    p.FaceTop = Rgb(252, 252, 255);
    p.FaceBottom = Rgb(206, 212, 234);
    p.HotTop = Rgb(255, 255, 255);
    p.HotBottom = Rgb(216, 224, 250);
    p.DownTop = Rgb(184, 193, 224);
    p.DownBottom = Rgb(218, 223, 242);
    p.HotRing = Rgb(96, 120, 224);
    p.Accent = Rgb(68, 74, 160);
    p.Glyph = Rgb(34, 44, 104);
    p.DownGlyph = Rgb(20, 26, 72);
    p.Disabled = Rgb(168, 172, 190);
    p.RailTop = Rgb(88, 96, 184);
    p.RailBottom = Rgb(34, 40, 110);
    p.TabActiveTop = Rgb(255, 255, 255);
    p.TabActiveBottom = Rgb(238, 241, 252);
    p.TabAccent = Rgb(68, 74, 160);
    p.TabFrame = Rgb(34, 44, 104);
    p.Radius = 2;
    return p;
}

// Caption tier (rows 0..21), a seam, then the lower rail (rows 23..31).
TRgba Row(int y) {
    static const TRamp caption = {{0.0f, Rgb(50, 66, 140)}, {1.0f, Rgb(20, 28, 74)}};
    static const TRamp rail = {{0.0f, Rgb(46, 60, 132)}, {1.0f, Rgb(24, 32, 84)}};
    if (y <= 0) return Rgb(8, 10, 28);
    if (y == 1) return Rgb(100, 120, 196);
    if (y <= 21) return Sample(caption, (y - 2) / 19.0f);
    if (y == 22) return Rgb(6, 10, 32);
    if (y == 23) return Rgb(76, 96, 176);
    if (y <= 30) return Sample(rail, (y - 24) / 6.0f);
    return Rgb(10, 14, 40);
}

struct TTone {
    TRgba Top, Bottom, Rim;
};

TTone ButtonTone(bool close, TButtonState state) {
    if (close) {
        switch (state) {
        case bsHot:
            return {Rgb(236, 96, 104), Rgb(150, 24, 36), Rgb(255, 180, 180)};
        case bsDown:
            return {Rgb(110, 14, 24), Rgb(170, 44, 56), Rgb(220, 120, 120)};
        default:
            return {Rgb(196, 56, 68), Rgb(112, 14, 26), Rgb(230, 140, 150)};
        }
    }
    switch (state) {
    case bsHot:
        return {Rgb(120, 150, 246), Rgb(48, 68, 170), Rgb(190, 210, 255)};
    case bsDown:
        return {Rgb(18, 26, 76), Rgb(44, 58, 132), Rgb(120, 140, 220)};
    default:
        return {Rgb(82, 102, 194), Rgb(28, 40, 108), Rgb(150, 172, 242)};
    }
}

} // namespace

TDeepBlueKit::TDeepBlueKit() : TStyleKit("DEEPBLUE", DeepBluePalette(), {2, 0, false}, false) {}

TRgba TDeepBlueKit::TitleRow(float y) {
    return Row(static_cast<int>(y));
}

TLayer TDeepBlueKit::TitleBase(int w, int h) {
    TLayer layer(w, h);
    layer.Flood([](float, float y) { return TitleRow(y); });
    return layer;
}

TLayer TDeepBlueKit::TitleLeft(int w, int h) {
    TLayer layer = TitleBase(w, h);
    // A cool glow behind the emblem, kept inside the caption tier.
    layer.Fill(Box(0, 2, w, 22), Radial(14, 10, 70,
                                        {{0.0f, Rgb(120, 160, 255, 0.32f)},
                                         {0.5f, Rgb(120, 160, 255, 0.12f)},
                                         {1.0f, Rgb(120, 160, 255, 0)}}));
    layer.Fill(Box(1, 2, 3, 22), Rgb(255, 255, 255, 0.12f));
    return layer;
}

TLayer TDeepBlueKit::TitleClient(int w, int h) {
    return TitleBase(w, h);
}

TLayer TDeepBlueKit::TitleRight(int w, int h) {
    TLayer layer = TitleBase(w, h);
    layer.Fill(
        Box(0, 24, w, 31),
        Horizontal(0, w - 1, {{0.0f, Rgb(120, 160, 255, 0)}, {1.0f, Rgb(120, 160, 255, 0.18f)}}));
    return layer;
}

TLayer TDeepBlueKit::TitleButton(TTitleButton kind, TButtonState state, int size) {
    TLayer layer(size, size);
    const float c = size / 2.0f;
    if (kind == tbControlBox) {
        const float s = size * 0.74f;
        const float shift = state == bsDown ? 1 : 0;
        const TSdf gem = DiamondGlyph(c + shift, c + shift, s);
        if (state == bsHot)
            layer.Fill(
                Circle(c, c, c),
                Radial(c, c, c, {{0.0f, Rgb(160, 220, 255, 0.5f)}, {1.0f, Rgb(160, 220, 255, 0)}}));
        layer.Fill(Grow(gem, 1), Rgb(0, 8, 30, 0.6f));
        layer.Fill(gem, Vertical(c - s / 2, c + s / 2,
                                 {{0.0f, Rgb(200, 240, 255)},
                                  {0.5f, Rgb(70, 170, 240)},
                                  {1.0f, Rgb(20, 96, 200)}}));
        layer.Fill(Intersect(gem, Box(0, 0, size, c + shift)), Rgb(255, 255, 255, 0.3f));
        return layer;
    }
    const TTone tone = ButtonTone(kind == tbClose, state);
    const TSdf shape = Box(0.5f, 0.5f, size - 0.5f, size - 0.5f, 3);
    layer.Fill(Grow(shape, 0.5f), Rgb(0, 4, 20, 0.7f));
    PaintRamp(layer, shape, 0.5f, size - 0.5f, tone.Top, tone.Bottom);
    layer.Fill(
        Intersect(Grow(shape, -1), Box(0, 0, size, c)),
        Vertical(1, c, {{0.0f, Rgb(255, 255, 255, 0.38f)}, {1.0f, Rgb(255, 255, 255, 0.06f)}}));
    layer.Fill(InnerRing(shape, 1), WithAlpha(tone.Rim, 0.65f));
    const float g = state == bsDown ? 0.5f : 0;
    const float cx = c + g, cy = c + g;
    const TRgba ink = Rgb(255, 255, 255);
    switch (kind) {
    case tbHelp:
        layer.Fill(QuestionGlyph(cx, cy, size * 0.56f, 1.9f), ink);
        break;
    case tbMaximise:
        layer.Fill(MaximiseGlyph(cx, cy, size * 0.46f, 1.3f), ink);
        break;
    case tbRestore:
        layer.Fill(RestoreGlyph(cx, cy, size * 0.52f, 1.2f), ink);
        break;
    case tbMinimise:
        layer.Fill(Box(cx - 4, cy + 2, cx + 4, cy + 4), ink);
        break;
    case tbClose:
        layer.Fill(CrossGlyph(cx, cy, size * 0.44f, 2.0f), ink);
        break;
    case tbControlBox:
        break;
    }
    return layer;
}

TLayer TDeepBlueKit::ScrollBarTrack(int w, int h) {
    TLayer layer(w, h);
    const TSdf thumb = Box(0, 1, w, h - 1.0f, 3);
    PaintRamp(layer, thumb, 1, h - 1.0f, Rgb(150, 160, 226), Rgb(92, 100, 184));
    layer.Fill(Intersect(InnerRing(Grow(thumb, -1), 1), Box(0, 0, w, h / 2.0f)),
               Rgb(255, 255, 255, 0.45f));
    PaintOutline(layer, thumb, Rgb(34, 44, 104));
    return layer;
}

TLayer TDeepBlueKit::TrackBarSlider(bool vertical, int w, int h) {
    TLayer layer(w, h);
    const TSdf shape = ThumbShape(w, h, 2, vertical);
    PaintRamp(layer, shape, 0, h, Rgb(150, 160, 226), Rgb(68, 74, 160));
    PaintOutline(layer, shape, Rgb(34, 44, 104));
    layer.Clip(shape);
    return layer;
}

} // namespace stylepics
