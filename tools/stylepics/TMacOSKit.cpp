#include "tools/stylepics/TMacOSKit.h"

#include <cmath>

#include "tools/stylepics/Glyphs.h"

namespace stylepics {

namespace {

TPalette MacOSPalette() {
    TPalette p;
    p.FormBack = Rgb(231, 231, 231);
    p.ScrollBack = Rgb(201, 201, 201);
    p.Frame = Rgb(120, 120, 126);
    p.FaceTop = Rgb(252, 252, 252);
    p.FaceBottom = Rgb(218, 219, 222);
    p.HotTop = Rgb(236, 244, 255);
    p.HotBottom = Rgb(196, 216, 242);
    p.DownTop = Rgb(120, 168, 230);
    p.DownBottom = Rgb(170, 205, 245);
    p.HotRing = Rgb(0, 0, 0, 0);
    p.Accent = Rgb(57, 115, 196);
    p.Glyph = Rgb(28, 28, 30);
    p.DownGlyph = Rgb(20, 20, 24);
    p.Disabled = Rgb(170, 170, 174);
    p.RailTop = Rgb(240, 240, 242);
    p.RailBottom = Rgb(214, 214, 218);
    p.TabActiveTop = Rgb(120, 170, 236);
    p.TabActiveBottom = Rgb(170, 210, 250);
    p.TabAccent = Rgb(0, 0, 0, 0);
    p.TabFrame = Rgb(108, 108, 114);
    p.Radius = 5;
    return p;
}

// A small deterministic wobble per row: the streaks of brushed metal.
float Streak(int y) {
    const unsigned h = static_cast<unsigned>(y) * 2654435761u;
    return (static_cast<float>((h >> 13) % 7) - 3) / 255.0f;
}

const TRgba CloseRed = Rgb(232, 74, 62);
const TRgba MaxGreen = Rgb(92, 184, 58);
const TRgba MinYellow = Rgb(246, 184, 42);
const TRgba HelpBlue = Rgb(66, 138, 234);

} // namespace

TMacOSKit::TMacOSKit() : TStyleKit("MACOS", MacOSPalette(), {4, 3, false}, true) {}

TRgba TMacOSKit::MetalRow(int y, int height) {
    if (y <= 0) return Rgb(127, 127, 127);
    if (y == 1) return Rgb(250, 250, 251);
    if (y >= height - 1) return Rgb(150, 150, 154);
    const float t = static_cast<float>(y - 2) / std::max(height - 4, 1);
    TRgba c = Mix(Rgb(238, 238, 240), Rgb(192, 193, 197), t);
    const float s = Streak(y);
    return {c.R + s, c.G + s, c.B + s, 1};
}

TLayer TMacOSKit::MetalTitle(int w, int h) {
    TLayer layer(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            layer.Put(x, y, MetalRow(y, h));
    return layer;
}

TLayer TMacOSKit::TitleLeft(int w, int h) {
    TLayer layer = MetalTitle(w, h);
    layer.Fill(Box(0, 1, 3, h - 1), Rgb(255, 255, 255, 0.35f));
    return layer;
}

TLayer TMacOSKit::TitleClient(int w, int h) {
    return MetalTitle(w, h);
}

TLayer TMacOSKit::TitleRight(int w, int h) {
    TLayer layer = MetalTitle(w, h);
    layer.Fill(Box(w - 3.0f, 1, w, h - 1), Rgb(0, 0, 0, 0.06f));
    return layer;
}

void TMacOSKit::PaintJewel(TLayer& layer, float cx, float cy, float r, TRgba base) {
    // Drop shadow, deep rim, glowing bottom, glossy cap.
    layer.Fill(Circle(cx, cy + 0.6f, r + 0.4f), Rgb(0, 0, 0, 0.22f));
    const TSdf body = Circle(cx, cy, r);
    layer.Fill(body,
               Radial(cx, cy + r * 0.75f, r * 1.7f,
                      {{0.0f, Lighten(base, 0.55f)}, {0.55f, base}, {1.0f, Darken(base, 0.35f)}}));
    PaintOutline(layer, body, Darken(base, 0.5f));
    const TSdf cap = Ellipse(cx - r * 0.62f, cy - r * 0.9f, cx + r * 0.62f, cy + r * 0.05f);
    layer.Fill(cap,
               Vertical(cy - r * 0.9f, cy,
                        {{0.0f, Rgb(255, 255, 255, 0.95f)}, {1.0f, Rgb(255, 255, 255, 0.12f)}}));
}

TLayer TMacOSKit::TitleButton(TTitleButton kind, TButtonState state, int size) {
    TLayer layer(size, size);
    const float c = size / 2.0f;
    const float r = c - 1.5f;
    if (kind == tbControlBox) {
        const float s = size * 0.78f;
        const TSdf gem = DiamondGlyph(c, c, s);
        layer.Fill(Grow(gem, 0.8f), Rgb(0, 0, 0, 0.25f));
        PaintAqua(layer, gem, c - s / 2, c + s / 2,
                  state == bsNormal ? Blue
                  : state == bsHot  ? White
                                    : DeepBlue);
        return layer;
    }
    TRgba base = kind == tbClose      ? CloseRed
                 : kind == tbMinimise ? MinYellow
                 : kind == tbHelp     ? HelpBlue
                                      : MaxGreen;
    if (state == bsDown) base = Darken(base, 0.3f);
    PaintJewel(layer, c, c, r, base);
    // The symbols show fully only under the pointer; at rest they are a
    // hint, which also tells maximise from restore.
    const TRgba ink = WithAlpha(Darken(base, 0.62f), state == bsNormal ? 0.3f : 1.0f);
    switch (kind) {
    case tbClose:
        layer.Fill(CrossGlyph(c, c, r * 0.95f, 1.6f), ink);
        break;
    case tbMaximise:
        layer.Fill(PlusGlyph(c, c, r * 1.1f, 1.6f), ink);
        break;
    case tbRestore:
        layer.Fill(Box(c - r * 0.55f, c - 0.8f, c + r * 0.55f, c + 0.8f), ink);
        layer.Fill(TriangleGlyph(c, c - 3, 5, TDirection::Up), ink);
        layer.Fill(TriangleGlyph(c, c + 3, 5, TDirection::Down), ink);
        break;
    case tbMinimise:
        layer.Fill(Box(c - r * 0.6f, c - 0.8f, c + r * 0.6f, c + 0.8f), ink);
        break;
    case tbHelp:
        layer.Fill(QuestionGlyph(c, c, r * 1.5f, 1.6f), ink);
        break;
    case tbControlBox:
        break;
    }
    return layer;
}

void TMacOSKit::PaintAqua(TLayer& layer, const TSdf& shape, float top, float bottom, TTone tone) {
    if (tone == White) {
        PaintRamp(layer, shape, top, bottom, Rgb(250, 250, 250), Rgb(250, 250, 250));
        const float mid = top + (bottom - top) * 0.5f;
        layer.Fill(
            Intersect(shape, Box(-1000, mid, 1000, bottom + 1)),
            Vertical(mid, bottom - 1, {{0.0f, Rgb(222, 223, 226)}, {1.0f, Rgb(252, 252, 252)}}));
        layer.Fill(
            Intersect(shape, Box(-1000, top, 1000, mid)),
            Vertical(top, mid - 1, {{0.0f, Rgb(255, 255, 255)}, {1.0f, Rgb(238, 238, 240)}}));
        PaintOutline(layer, shape, Rgb(132, 132, 138));
        return;
    }
    PaintGel(layer, shape, top, bottom, tone == Blue ? Rgb(84, 148, 236) : Rgb(42, 100, 200),
             tone == Blue ? 0.85f : 0.6f);
}

TLayer TMacOSKit::Button(TButtonState state, int w, int h) {
    TLayer layer(w, h);
    // A pill with a soft shadow row under it.
    const float r = (h - 1) / 2.0f;
    layer.Fill(Box(1, 0.8f, w - 1.0f, h - 0.2f, r), Rgb(0, 0, 0, 0.18f));
    const TSdf pill = Box(1, 0, w - 1.0f, h - 1.0f, r);
    PaintAqua(layer, pill, 0, h - 1.0f,
              state == bsNormal ? White
              : state == bsHot  ? Blue
                                : DeepBlue);
    return layer;
}

TLayer TMacOSKit::CheckBox(TCheckState state, int w, int h) {
    TLayer layer(w, h);
    const float x = (w - 13) / 2.0f, y = (h - 13) / 2.0f;
    const TSdf box = Box(x, y, x + 13, y + 13, 3);
    const bool on = state == csOn || state == csOnDisabled;
    const bool disabled = state == csOffDisabled || state == csOnDisabled;
    PaintAqua(layer, box, y, y + 13, on && !disabled ? Blue : White);
    if (on)
        layer.Fill(CheckGlyph(x + 6.5f, y + 6.5f, 8.5f, 2.0f),
                   disabled ? Palette().Disabled : Rgb(20, 20, 24));
    if (disabled) layer.Fill(box, Rgb(231, 231, 231, 0.45f));
    return layer;
}

TLayer TMacOSKit::RadioButton(TCheckState state, int w, int h) {
    TLayer layer(w, h);
    const float cx = w / 2.0f, cy = h / 2.0f, r = 6.5f;
    const TSdf disc = Circle(cx, cy, r);
    const bool on = state == csOn || state == csOnDisabled;
    const bool disabled = state == csOffDisabled || state == csOnDisabled;
    PaintAqua(layer, disc, cy - r, cy + r, on && !disabled ? Blue : White);
    if (on) layer.Fill(Circle(cx, cy, 2.3f), disabled ? Palette().Disabled : Rgb(20, 20, 24));
    if (disabled) layer.Fill(disc, Rgb(231, 231, 231, 0.45f));
    return layer;
}

TLayer TMacOSKit::ProgressBar(int w, int h) {
    // Diagonal candy stripes; one period per tile so the bar repeats seamlessly.
    TLayer layer(w, h);
    const TRgba dark = Rgb(60, 128, 230), light = Rgb(150, 196, 250);
    layer.Flood([&](float x, float y) {
        const float phase = std::fmod(x + y + 2 * w, static_cast<float>(w)) / w;
        return phase < 0.5f ? dark : light;
    });
    const float mid = h * 0.5f;
    layer.Fill(
        Box(0, 0, w, mid),
        Vertical(0, mid, {{0.0f, Rgb(255, 255, 255, 0.7f)}, {1.0f, Rgb(255, 255, 255, 0.15f)}}));
    layer.Fill(Box(0, h - 2.0f, w, h), Rgb(255, 255, 255, 0.25f));
    return layer;
}

TLayer TMacOSKit::TrackBarBar(int w, int h) {
    TLayer layer(w, h);
    const TSdf groove = Box(0, 0, w, h, h / 2.0f);
    PaintRamp(layer, groove, 0, h, Rgb(140, 140, 146), Rgb(236, 236, 238));
    PaintOutline(layer, groove, Rgb(110, 110, 116));
    layer.Clip(groove);
    return layer;
}

TLayer TMacOSKit::TrackBarSlider(bool vertical, int w, int h) {
    TLayer layer(w, h);
    const TSdf shape = ThumbShape(w, h, 4, vertical);
    PaintAqua(layer, shape, 0, vertical ? h : h * 0.8f, Blue);
    layer.Clip(shape);
    return layer;
}

TLayer TMacOSKit::ScrollBarButton(bool forward, TButtonState state, int w, int h) {
    TLayer layer(w, h);
    // Slightly rounded, so the corner pixel the button is keyed on shows the
    // channel and not the face.
    const TSdf face = Box(0, 0, w, h, 2);
    PaintAqua(layer, face, 0, h, state == bsDown ? DeepBlue : White);
    if (state == bsHot) layer.Fill(face, Rgb(84, 148, 236, 0.18f));
    // A seam against the channel.
    layer.Fill(forward ? Box(2, 0, w - 2.0f, 1) : Box(2, h - 1.0f, w - 2.0f, h),
               Rgb(120, 120, 126));
    layer.Clip(face);
    layer.Fill(TriangleGlyph(w / 2.0f, h / 2.0f, 8, forward ? TDirection::Down : TDirection::Up),
               state == bsDown ? Rgb(255, 255, 255) : Rgb(28, 28, 30));
    return layer;
}

TLayer TMacOSKit::ScrollBarTrack(int w, int h) {
    TLayer layer(w, h);
    PaintAqua(layer, Box(0, 1, w, h - 1.0f, (h - 2) / 2.0f), 1, h - 1.0f, Blue);
    return layer;
}

TLayer TMacOSKit::ScrollButton(bool forward, bool hot, int w, int h) {
    TLayer layer(w, h);
    const float c = w / 2.0f, r = c - 1.5f;
    const TSdf disc = Circle(c, h / 2.0f, r);
    PaintAqua(layer, disc, h / 2.0f - r, h / 2.0f + r, hot ? Blue : White);
    layer.Fill(TriangleGlyph(c, h / 2.0f, 7, forward ? TDirection::Right : TDirection::Left),
               Rgb(28, 28, 30));
    return layer;
}

TLayer TMacOSKit::Tab(bool active, int w, int h) {
    TLayer layer(w, h);
    const float r = 5;
    const TSdf shape = Union(Box(0, 0, w, h, r), Box(0, h / 2.0f, w, h));
    PaintAqua(layer, shape, 0, h, active ? Blue : White);
    return layer;
}

TLayer TMacOSKit::SideChannelHandle(int w, int h) {
    TLayer layer(w, h);
    const TSdf shape = Box(0, 0, w, h, 3);
    layer.Fill(shape,
               Horizontal(0, w - 1, {{0.0f, Rgb(246, 246, 248)}, {1.0f, Rgb(196, 197, 201)}}));
    PaintOutline(layer, shape, Rgb(127, 127, 127));
    for (int i = -3; i <= 3; ++i) {
        const float cy = h / 2.0f + i * 3;
        layer.Fill(Box(1.5f, cy, w - 1.5f, cy + 1), Rgb(120, 120, 126, 0.8f));
        layer.Fill(Box(1.5f, cy + 1, w - 1.5f, cy + 2), Rgb(255, 255, 255, 0.8f));
    }
    return layer;
}

TLayer TMacOSKit::SideChannelBar(int w, int h) {
    TLayer layer(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            layer.Put(x, y, MetalRow(y, h));
    return layer;
}

void TMacOSKit::PaintExtras(TPictureSet& set) {
    // Menu bar and menu items: pinstripes. Items use the top 20 rows and
    // separators the top 12; only the frame's menu bar shows the shadow
    // rows at the bottom.
    TBitmap& bar = set.Add("MACOS_MENU_BAR", Prefix(), 1, 22);
    for (int y = 0; y < 22; ++y) {
        TColor c = y % 2 ? RGB(241, 241, 242) : RGB(250, 250, 251);
        if (y == 20) c = RGB(196, 196, 200);
        if (y == 21) c = RGB(160, 160, 165);
        bar.SetPixel(0, y, c);
    }
    TBitmap& select = set.Add("MACOS_MENU_SELECT", Prefix(), 1, 21);
    const TRamp selection = {{0.0f, Rgb(104, 160, 240)},
                             {0.08f, Rgb(84, 140, 226)},
                             {0.5f, Rgb(57, 115, 196)},
                             {1.0f, Rgb(40, 92, 176)}};
    for (int y = 0; y < 21; ++y)
        select.SetPixel(0, y, ToColor(Sample(selection, y / 19.0f)));

    TBitmap& back = set.Add("MACOS_FORM_BACKGROUND", Prefix(), 8, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const int base = (y / 2) % 2 ? 226 : 233;
            const int wobble = (x * 3 + y * 5) % 8 == 0 ? 1 : 0;
            back.SetPixel(x, y, RGB(base + wobble, base + wobble, base + wobble + 1));
        }

    // Stretched over the drop-down button; the arrow is drawn on top of it.
    TBitmap& combo = set.Add("MACOS_COMBOBOX_BUTTON", Prefix(), 16, 17);
    TLayer layer(16, 17);
    layer.Flood(Rgb(255, 255, 255));
    PaintAqua(layer, Box(0, 0, 16, 17, 3), 0, 17, Blue);
    layer.FlattenOpaque(combo, 0, 0, [](int, int) { return Rgb(255, 255, 255); });
}

} // namespace stylepics
