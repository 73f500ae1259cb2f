#include "tools/stylepics/TBlueGlassKit.h"

namespace stylepics {

namespace {

TPalette BlueGlassPalette() {
    TPalette p;
    p.FormBack = Rgb(231, 231, 231);
    p.ScrollBack = Rgb(244, 244, 244);
    p.Frame = Rgb(60, 96, 170);
    p.FaceTop = Rgb(242, 248, 255);
    p.FaceBottom = Rgb(190, 214, 248);
    p.HotTop = Rgb(250, 253, 255);
    p.HotBottom = Rgb(168, 210, 255);
    p.DownTop = Rgb(136, 178, 236);
    p.DownBottom = Rgb(190, 214, 248);
    p.HotRing = Rgb(90, 170, 255, 0.8f);
    p.Accent = Rgb(52, 120, 224);
    p.Glyph = Rgb(24, 54, 124);
    p.DownGlyph = Rgb(255, 255, 255);
    p.Disabled = Rgb(166, 176, 196);
    p.RailTop = Rgb(120, 176, 246);
    p.RailBottom = Rgb(30, 88, 204);
    p.TabActiveTop = Rgb(252, 254, 255);
    p.TabActiveBottom = Rgb(214, 230, 252);
    p.TabAccent = Rgb(90, 170, 255);
    p.TabFrame = Rgb(60, 96, 170);
    p.Radius = 4;
    return p;
}

struct TGlassTone {
    TRgba Upper, Lower, Rim;
};

TGlassTone TitleTone(bool close, TButtonState state) {
    if (close) {
        switch (state) {
        case bsHot:
            return {Rgb(255, 160, 150), Rgb(220, 40, 36), Rgb(255, 220, 210)};
        case bsDown:
            return {Rgb(190, 80, 76), Rgb(140, 16, 16), Rgb(240, 170, 160)};
        default:
            return {Rgb(244, 130, 124), Rgb(190, 30, 30), Rgb(255, 205, 200)};
        }
    }
    switch (state) {
    case bsHot:
        return {Rgb(176, 222, 255), Rgb(56, 140, 246), Rgb(220, 245, 255)};
    case bsDown:
        return {Rgb(80, 126, 210), Rgb(18, 56, 156), Rgb(160, 200, 250)};
    default:
        return {Rgb(136, 190, 250), Rgb(32, 98, 212), Rgb(200, 228, 255)};
    }
}

} // namespace

TBlueGlassKit::TBlueGlassKit() : TStyleKit("BLUEGLASS", BlueGlassPalette(), {6, 4, true}, true) {}

TRgba TBlueGlassKit::TitleRow(float y) {
    static const TRamp upper = {{0.0f, Rgb(124, 180, 246)}, {1.0f, Rgb(78, 140, 228)}};
    static const TRamp lower = {
        {0.0f, Rgb(26, 84, 200)}, {0.7f, Rgb(18, 62, 172)}, {1.0f, Rgb(44, 116, 222)}};
    const int row = static_cast<int>(y);
    if (row <= 0) return Rgb(0, 0, 0);
    if (row == 1) return Rgb(200, 228, 255);
    if (row <= 15) return Sample(upper, (row - 2) / 13.0f);
    if (row <= 31) return Sample(lower, (row - 16) / 15.0f);
    return Rgb(8, 28, 88);
}

TLayer TBlueGlassKit::TitleBase(int w, int h) {
    TLayer layer(w, h);
    layer.Flood([](float, float y) { return TitleRow(y); });
    // The gloss on the upper glass.
    layer.Fill(
        Box(0, 2, w, 9),
        Vertical(2, 8, {{0.0f, Rgb(255, 255, 255, 0.32f)}, {1.0f, Rgb(255, 255, 255, 0.04f)}}));
    return layer;
}

void TBlueGlassKit::PaintCorner(TLayer& layer, const TSdf& corner) {
    // The window region rounds the corner with an 11-pixel ellipse; the
    // frame draws the black arc, the glass edge follows inside it.
    // Only along the curve: below it the window's own one-pixel border is
    // the edge, and the pictures' outer column lies just inside it.
    layer.Fill(Intersect(InnerRing(corner, 1), Box(-1, -1, 1000, 6)), Rgb(0, 0, 0));
    layer.Fill(InnerRing(Grow(corner, -1), 1), Rgb(200, 228, 255));
}

TLayer TBlueGlassKit::TitleLeft(int w, int h) {
    TLayer layer = TitleBase(w, h);
    PaintCorner(layer, Box(0, 0, w + 40.0f, h + 40.0f, 5.5f));
    // A glow behind the emblem and a faint reflection across the glass.
    layer.Fill(
        Box(1, 2, w, h - 1.0f),
        Radial(17, 16, 34, {{0.0f, Rgb(160, 236, 255, 0.55f)}, {1.0f, Rgb(160, 236, 255, 0)}}));
    layer.Fill(Polygon({{70, 1}, {96, 1}, {80, 32}, {54, 32}}), Rgb(255, 255, 255, 0.07f));
    layer.Fill(Polygon({{102, 1}, {110, 1}, {94, 32}, {86, 32}}), Rgb(255, 255, 255, 0.06f));
    return layer;
}

TLayer TBlueGlassKit::TitleClient(int w, int h) {
    return TitleBase(w, h);
}

TLayer TBlueGlassKit::TitleRight(int w, int h) {
    TLayer layer = TitleBase(w, h);
    PaintCorner(layer, Box(-40.0f, 0, w, h + 40.0f, 5.5f));
    layer.Fill(
        Box(0, 16, w, h - 1.0f),
        Horizontal(0, w - 1, {{0.0f, Rgb(90, 170, 255, 0)}, {1.0f, Rgb(90, 170, 255, 0.25f)}}));
    return layer;
}

TLayer TBlueGlassKit::TitleButton(TTitleButton kind, TButtonState state, int size) {
    TLayer layer(size, size);
    const float c = size / 2.0f;
    if (kind == tbControlBox) {
        const float s = size * 0.76f;
        const TSdf gem = DiamondGlyph(c, c, s);
        if (state == bsHot)
            layer.Fill(
                Circle(c, c, c),
                Radial(c, c, c, {{0.0f, Rgb(220, 250, 255, 0.7f)}, {1.0f, Rgb(220, 250, 255, 0)}}));
        layer.Fill(Grow(gem, 1), Rgb(0, 30, 90, 0.55f));
        const TRgba upper = state == bsDown ? Rgb(150, 210, 250) : Rgb(230, 250, 255);
        layer.Fill(gem, Vertical(c - s / 2, c + s / 2,
                                 {{0.0f, upper},
                                  {0.5f, Rgb(110, 200, 250)},
                                  {0.52f, Rgb(30, 130, 220)},
                                  {1.0f, Rgb(80, 190, 255)}}));
        return layer;
    }
    const TGlassTone tone = TitleTone(kind == tbClose, state);
    const TSdf shape = Box(0.5f, 0.5f, size - 0.5f, size - 0.5f, 5);
    layer.Fill(Grow(shape, 0.5f), Rgb(0, 20, 70, 0.75f));
    PaintGlass(layer, shape, 0.5f, size - 0.5f, tone.Upper, tone.Lower);
    layer.Fill(InnerRing(shape, 1), WithAlpha(tone.Rim, 0.7f));
    const float g = state == bsDown ? 0.5f : 0;
    const float cx = c + g, cy = c + g;
    TSdf glyph;
    switch (kind) {
    case tbHelp:
        glyph = QuestionGlyph(cx, cy, size * 0.54f, 1.9f);
        break;
    case tbMaximise:
        glyph = MaximiseGlyph(cx, cy, size * 0.44f, 1.3f);
        break;
    case tbRestore:
        glyph = RestoreGlyph(cx, cy, size * 0.5f, 1.2f);
        break;
    case tbMinimise:
        glyph = Box(cx - 4, cy + 1.5f, cx + 4, cy + 3.5f);
        break;
    default:
        glyph = CrossGlyph(cx, cy, size * 0.42f, 2.0f);
        break;
    }
    layer.Fill(Translate(glyph, 0.6f, 0.8f), Rgb(0, 20, 70, 0.45f));
    layer.Fill(glyph, Rgb(255, 255, 255));
    return layer;
}

TLayer TBlueGlassKit::Button(TButtonState state, int w, int h) {
    TLayer layer(w, h);
    const TSdf capsule = Box(1, 1, w - 1.0f, h - 1.0f, 9);
    layer.Fill(Grow(capsule, 1), Rgb(20, 50, 120, 0.25f));
    TRgba upper = Rgb(238, 246, 255), lower = Rgb(176, 208, 250);
    if (state == bsHot) upper = Rgb(232, 248, 255), lower = Rgb(128, 200, 255);
    if (state == bsDown) upper = Rgb(150, 188, 240), lower = Rgb(96, 152, 232);
    PaintGlass(layer, capsule, 1, h - 1.0f, upper, lower);
    if (state == bsHot) layer.Fill(InnerRing(Grow(capsule, -1), 1.5f), Rgb(120, 220, 255, 0.6f));
    PaintOutline(layer, capsule, Rgb(52, 90, 168));
    return layer;
}

TLayer TBlueGlassKit::ScrollBarButton(bool forward, TButtonState state, int w, int h) {
    TLayer layer(w, h);
    const TSdf face = Box(0, 0, w, h, 4);
    TRgba upper = Rgb(232, 244, 255), lower = Rgb(170, 206, 250);
    if (state == bsHot) upper = Rgb(236, 250, 255), lower = Rgb(130, 200, 255);
    if (state == bsDown) upper = Rgb(110, 160, 232), lower = Rgb(50, 110, 214);
    PaintGlass(layer, face, 0, h, upper, lower);
    PaintOutline(layer, face, Rgb(60, 96, 170));
    PaintArrow(layer, w / 2.0f, h / 2.0f, 7, forward ? TDirection::Down : TDirection::Up,
               state == bsDown ? Rgb(255, 255, 255) : Rgb(24, 54, 124));
    return layer;
}

TLayer TBlueGlassKit::ScrollBarTrack(int w, int h) {
    TLayer layer(w, h);
    const TSdf thumb = Box(0, 1, w, h - 1.0f, 6);
    PaintGlass(layer, thumb, 1, h - 1.0f, Rgb(130, 186, 250), Rgb(36, 104, 216));
    PaintOutline(layer, thumb, Rgb(20, 60, 140));
    return layer;
}

TLayer TBlueGlassKit::TrackBarSlider(bool vertical, int w, int h) {
    TLayer layer(w, h);
    const TSdf shape = ThumbShape(w, h, 3, vertical);
    PaintGlass(layer, shape, 0, h, Rgb(130, 186, 250), Rgb(36, 104, 216));
    PaintOutline(layer, shape, Rgb(20, 60, 140));
    layer.Clip(shape);
    return layer;
}

TLayer TBlueGlassKit::Tab(bool active, int w, int h) {
    TLayer layer(w, h);
    const float r = 3;
    const TSdf shape = Union(Box(0, 0, w, h, r), Box(0, h / 2.0f, w, h));
    if (active)
        PaintGlass(layer, shape, 0, h, Rgb(236, 246, 255), Rgb(206, 228, 255));
    else
        PaintGlass(layer, shape, 0, h, Rgb(214, 228, 246), Rgb(176, 200, 236));
    const TSdf inner = Grow(Union(Box(0, 0, w, h + 4.0f, r), Box(0, h / 2.0f, w, h + 4.0f)), -1);
    layer.Fill(Subtract(shape, inner), Rgb(60, 96, 170));
    return layer;
}

} // namespace stylepics
