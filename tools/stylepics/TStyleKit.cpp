#include "tools/stylepics/TStyleKit.h"

#include <algorithm>
#include <utility>

#include "tools/stylepics/Glyphs.h"

namespace stylepics {

TStyleKit::TStyleKit(std::string prefix, TPalette palette, TTitleGeometry title,
                     bool buttonTransparent)
    : FPrefix(std::move(prefix)), FPalette(palette), FTitle(title),
      FButtonTransparent(buttonTransparent) {}

TBackdrop TStyleKit::Flat(TRgba colour) const {
    return [colour](int, int) { return colour; };
}

TBitmap& TStyleKit::NewPicture(TPictureSet& set, const std::string& part) {
    const TPartSize size = StylePartSize(FPrefix, part);
    return set.Add(FPrefix + "_" + part, FPrefix, size.Width, size.Height, size.Frames);
}

void TStyleKit::Strip(TPictureSet& set, const std::string& part, const TFramePainter& paint,
                      const TBackdrop& backdrop) {
    const TPartSize size = StylePartSize(FPrefix, part);
    TBitmap& picture = NewPicture(set, part);
    const int w = size.Width / size.Frames;
    for (int i = 0; i < size.Frames; ++i)
        paint(i, w, size.Height).FlattenInto(picture, i * w, 0, backdrop);
}

void TStyleKit::Sliced(TPictureSet& set, const std::string& part, const TLayer& whole,
                       const TBackdrop& backdrop) {
    whole.FlattenInto(NewPicture(set, part), 0, 0, backdrop);
}

namespace {

// A layer on an opaque ground, for pictures that are drawn without a key.
TLayer OnGround(const TLayer& top, TRgba ground) {
    TLayer out(top.Width(), top.Height());
    out.Flood(ground);
    out.Compose(top);
    return out;
}

} // namespace

void TStyleKit::PaintAll(TPictureSet& set) {
    const TRgba back = FPalette.FormBack;
    const TRgba scroll = FPalette.ScrollBack;
    Strip(
        set, "BUTTON",
        [&](int i, int w, int h) {
            TLayer face = Button(static_cast<TButtonState>(i), w, h);
            return FButtonTransparent ? face : OnGround(face, back);
        },
        Flat(back));
    Strip(
        set, "CHECKBOX",
        [&](int i, int w, int h) { return CheckBox(static_cast<TCheckState>(i), w, h); },
        Flat(back));
    Strip(
        set, "RADIOBUTTON",
        [&](int i, int w, int h) { return RadioButton(static_cast<TCheckState>(i), w, h); },
        Flat(back));
    PaintTitle(set);
    Strip(
        set, "PROGRESSBAR", [&](int, int w, int h) { return ProgressBar(w, h); }, Flat(back));
    const TPartSize bar = StylePartSize(FPrefix, "TRACKBAR_BAR");
    Sliced(set, "TRACKBAR_BAR", TrackBarBar(bar.Width, bar.Height), Flat(back));
    Strip(
        set, "TRACKBAR_SLIDER", [&](int, int w, int h) { return TrackBarSlider(false, w, h); },
        Flat(back));
    // The vertical thumb is shown without a key.
    Strip(
        set, "TRACKBAR_SLIDER_V",
        [&](int, int w, int h) { return OnGround(TrackBarSlider(true, w, h), back); }, Flat(back));
    Strip(
        set, "SCROLLBAR_BUTTON",
        [&](int i, int w, int h) {
            return OnGround(ScrollBarButton(i >= 3, static_cast<TButtonState>(i % 3), w, h),
                            scroll);
        },
        Flat(scroll));
    const TPartSize thumb = StylePartSize(FPrefix, "SCROLLBAR_TRACK");
    Sliced(set, "SCROLLBAR_TRACK", OnGround(ScrollBarTrack(thumb.Width, thumb.Height), scroll),
           Flat(scroll));
    Strip(
        set, "CHECKLIST", [&](int i, int w, int h) { return CheckList(i, w, h); }, Flat(back));
    if (StyleHasPart(FPrefix, "SCROLLBUTTON"))
        Strip(
            set, "SCROLLBUTTON",
            [&](int i, int w, int h) { return ScrollButton(i < 2, i % 2 == 1, w, h); }, Flat(back));
    Strip(
        set, "TAB", [&](int i, int w, int h) { return Tab(i == 0, w, h); }, Flat(back));
    Strip(
        set, "TAB_LINE", [&](int, int w, int h) { return OnGround(TabLine(w, h), back); },
        Flat(back));
    Strip(
        set, "SIDECHENNEL_HANDLE", [&](int, int w, int h) { return SideChannelHandle(w, h); },
        Flat(back));
    Strip(
        set, "SIDECHENNEL_BAR",
        [&](int, int w, int h) { return OnGround(SideChannelBar(w, h), back); }, Flat(back));
    PaintExtras(set);
}

void TStyleKit::PaintTitle(TPictureSet& set) {
    const TPartSize ls = StylePartSize(FPrefix, "TITLE_LEFT");
    const TPartSize cs = StylePartSize(FPrefix, "TITLE_CLIENT");
    const TPartSize rs = StylePartSize(FPrefix, "TITLE_RIGHT");
    const TLayer left = OnGround(TitleLeft(ls.Width, ls.Height), FPalette.FormBack);
    const TLayer client = OnGround(TitleClient(cs.Width, cs.Height), FPalette.FormBack);
    const TLayer right = OnGround(TitleRight(rs.Width, rs.Height), FPalette.FormBack);
    const TBackdrop none = Flat(FPalette.FormBack);
    left.FlattenOpaque(NewPicture(set, "TITLE_LEFT"), 0, 0, none);
    client.FlattenOpaque(NewPicture(set, "TITLE_CLIENT"), 0, 0, none);
    right.FlattenOpaque(NewPicture(set, "TITLE_RIGHT"), 0, 0, none);

    // Each button frame is finished against the title pixels it will cover:
    // the control box over the left picture (the bar sits 3 pixels inside
    // the window frame the pictures start at), the others over the middle.
    const TPartSize bs = StylePartSize(FPrefix, "TITLEBTN");
    const int size = bs.Width / bs.Frames;
    TBitmap& strip = NewPicture(set, "TITLEBTN");
    for (int i = 0; i < bs.Frames; ++i) {
        const auto kind = static_cast<TTitleButton>(i / 3);
        const auto state = static_cast<TButtonState>(i % 3);
        TBackdrop under = [&, kind](int x, int y) {
            if (kind == tbControlBox)
                return left.At(3 + FTitle.LeftOffset + x, FTitle.ButtonTop + y);
            return client.At(cs.Width / 2, FTitle.ButtonTop + y);
        };
        TLayer button = TitleButton(kind, state, size);
        if (FTitle.ButtonsTransparent) {
            button.FlattenInto(strip, i * size, 0, under);
        } else {
            TLayer ground(size, size);
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x)
                    ground.Put(x, y, under(x, y));
            ground.Compose(button);
            ground.FlattenOpaque(strip, i * size, 0, under);
        }
    }
}

void TStyleKit::PaintFace(TLayer& layer, const TSdf& shape, float top, float bottom,
                          TButtonState state) {
    const TPalette& p = FPalette;
    const float mid = top + (bottom - top) / 2;
    switch (state) {
    case bsNormal:
        PaintRamp(layer, shape, top, bottom, p.FaceTop, p.FaceBottom);
        break;
    case bsHot:
        PaintRamp(layer, shape, top, bottom, p.HotTop, p.HotBottom);
        break;
    case bsDown:
        PaintRamp(layer, shape, top, bottom, p.DownTop, p.DownBottom);
        break;
    }
    const TSdf inner = Grow(shape, -1);
    if (state == bsDown) {
        layer.Fill(Intersect(InnerRing(inner, 1), Box(-1000, top, 1000, mid)), Rgb(0, 0, 0, 0.12f));
    } else {
        layer.Fill(Intersect(InnerRing(inner, 1), Box(-1000, top, 1000, mid)),
                   Rgb(255, 255, 255, 0.6f));
    }
    if (state == bsHot && p.HotRing.A > 0)
        layer.Fill(
            InnerRing(inner, 2),
            Vertical(top + 1, bottom - 2, {{0.0f, Lighten(p.HotRing, 0.65f)}, {1.0f, p.HotRing}}));
    PaintOutline(layer, shape, p.Frame);
}

void TStyleKit::PaintArrow(TLayer& layer, float cx, float cy, float size, TDirection to,
                           TRgba colour) {
    if (FChevronArrows)
        layer.Fill(ChevronGlyph(cx, cy, size, std::max(1.6f, size / 4), to), colour);
    else
        layer.Fill(TriangleGlyph(cx, cy, size, to), colour);
}

TLayer TStyleKit::Button(TButtonState state, int w, int h) {
    TLayer layer(w, h);
    PaintFace(layer, Box(0, 0, w, h, FPalette.Radius), 0, h, state);
    return layer;
}

namespace {

struct TMarkBox {
    float X, Y, Size;
};

TMarkBox CenteredBox(int w, int h, int largest) {
    const int s = std::min({w, h, largest});
    return {static_cast<float>((w - s) / 2), static_cast<float>((h - s) / 2),
            static_cast<float>(s)};
}

} // namespace

TLayer TStyleKit::CheckBox(TCheckState state, int w, int h) {
    const TPalette& p = FPalette;
    TLayer layer(w, h);
    const TMarkBox b = CenteredBox(w, h, 13);
    const TSdf shape = Box(b.X, b.Y, b.X + b.Size, b.Y + b.Size, std::min(p.Radius, 2.0f));
    const bool disabled = state == csOffDisabled || state == csOnDisabled;
    if (disabled)
        layer.Fill(shape, Rgb(250, 250, 248));
    else
        PaintRamp(layer, shape, b.Y, b.Y + b.Size, Mix(p.FaceBottom, p.Frame, 0.12f),
                  Rgb(255, 255, 255));
    PaintOutline(layer, shape, disabled ? p.Disabled : p.Frame);
    if (state == csOn || state == csOnDisabled)
        layer.Fill(CheckGlyph(b.X + b.Size / 2, b.Y + b.Size / 2, b.Size * 0.62f,
                              std::max(1.8f, b.Size * 0.16f)),
                   disabled ? p.Disabled : p.Accent);
    return layer;
}

TLayer TStyleKit::RadioButton(TCheckState state, int w, int h) {
    const TPalette& p = FPalette;
    TLayer layer(w, h);
    const TMarkBox b = CenteredBox(w, h, 13);
    const float cx = b.X + b.Size / 2, cy = b.Y + b.Size / 2;
    const TSdf shape = Circle(cx, cy, b.Size / 2);
    const bool disabled = state == csOffDisabled || state == csOnDisabled;
    if (disabled)
        layer.Fill(shape, Rgb(250, 250, 248));
    else
        PaintRamp(layer, shape, b.Y, b.Y + b.Size, Mix(p.FaceBottom, p.Frame, 0.12f),
                  Rgb(255, 255, 255));
    PaintOutline(layer, shape, disabled ? p.Disabled : p.Frame);
    if (state == csOn || state == csOnDisabled) {
        const TRgba dot = disabled ? p.Disabled : p.Accent;
        layer.Fill(
            Circle(cx, cy, b.Size * 0.24f),
            Radial(cx - 1, cy - 1, b.Size * 0.3f, {{0.0f, Lighten(dot, 0.55f)}, {1.0f, dot}}));
    }
    return layer;
}

TLayer TStyleKit::CheckList(int state, int w, int h) {
    const TPalette& p = FPalette;
    TLayer layer(w, h);
    const TMarkBox b = CenteredBox(w, h, 11);
    const TSdf shape = Box(b.X, b.Y, b.X + b.Size, b.Y + b.Size);
    const bool disabled = state == csOnDisabled;
    layer.Fill(shape, disabled ? Rgb(250, 250, 248) : Rgb(255, 255, 255));
    PaintOutline(layer, shape, disabled ? p.Disabled : p.Frame);
    const float cx = b.X + b.Size / 2, cy = b.Y + b.Size / 2;
    if (state == csOn || state == csOnDisabled)
        layer.Fill(CheckGlyph(cx, cy, b.Size * 0.64f, 1.7f), disabled ? p.Disabled : p.Accent);
    if (state == csGrayed)
        layer.Fill(Box(cx - 2.5f, cy - 2.5f, cx + 2.5f, cy + 2.5f), WithAlpha(p.Accent, 0.55f));
    return layer;
}

TLayer TStyleKit::ProgressBar(int w, int h) {
    const TRgba a = FPalette.Accent;
    TLayer layer(w, h);
    layer.Flood(Vertical(0, h - 1,
                         {{0.0f, Lighten(a, 0.6f)},
                          {0.45f, Lighten(a, 0.15f)},
                          {0.55f, a},
                          {1.0f, Darken(a, 0.2f)}}));
    return layer;
}

TLayer TStyleKit::TrackBarBar(int w, int h) {
    const TRgba back = FPalette.FormBack;
    TLayer layer(w, h);
    const TSdf shape = Box(0, 0, w, h, h / 2.0f);
    PaintRamp(layer, shape, 0, h, Darken(back, 0.3f), Lighten(back, 0.6f));
    PaintOutline(layer, shape, WithAlpha(Darken(back, 0.45f), 0.9f));
    layer.Clip(shape);
    return layer;
}

TLayer TStyleKit::TrackBarSlider(bool vertical, int w, int h) {
    TLayer layer(w, h);
    const TSdf shape = ThumbShape(w, h, 2, vertical);
    PaintFace(layer, shape, 0, h, bsNormal);
    layer.Clip(shape);
    return layer;
}

TLayer TStyleKit::ScrollBarButton(bool forward, TButtonState state, int w, int h) {
    TLayer layer(w, h);
    PaintFace(layer, Box(0, 0, w, h, FPalette.Radius), 0, h, state);
    const float size = std::min(w, h) * 0.5f;
    PaintArrow(layer, w / 2.0f, h / 2.0f, size, forward ? TDirection::Down : TDirection::Up,
               state == bsDown ? FPalette.DownGlyph : FPalette.Glyph);
    return layer;
}

TLayer TStyleKit::ScrollBarTrack(int w, int h) {
    TLayer layer(w, h);
    PaintFace(layer, Box(0, 1, w, h - 1, FPalette.Radius + 1), 1, h - 1, bsNormal);
    return layer;
}

TLayer TStyleKit::ScrollButton(bool forward, bool hot, int w, int h) {
    TLayer layer(w, h);
    PaintFace(layer, Box(1, 1, w - 1, h - 1, 3), 1, h - 1, hot ? bsHot : bsNormal);
    const float size = std::min(w, h) * 0.42f;
    PaintArrow(layer, w / 2.0f, h / 2.0f, size, forward ? TDirection::Right : TDirection::Left,
               FPalette.Glyph);
    return layer;
}

TLayer TStyleKit::Tab(bool active, int w, int h) {
    const TPalette& p = FPalette;
    TLayer layer(w, h);
    // Only the side thirds are drawn with the key; the rounding stays in them.
    const float r = std::min(p.Radius + 1, std::floor(w / 3.0f));
    const auto topRounded = [&](float bottom) {
        return Union(Box(0, 0, w, bottom, r), Box(0, h / 2.0f, w, bottom));
    };
    const TSdf shape = topRounded(h);
    if (active)
        PaintRamp(layer, shape, 0, h, p.TabActiveTop, p.TabActiveBottom);
    else
        PaintRamp(layer, shape, 0, h, p.FaceTop, p.FaceBottom);
    const TSdf inner = Grow(topRounded(h + 4), -1);
    layer.Fill(Subtract(shape, inner), p.TabFrame);
    if (active && p.TabAccent.A > 0) layer.Fill(Intersect(inner, Box(0, 0, w, 3)), p.TabAccent);
    layer.Clip(shape);
    return layer;
}

TLayer TStyleKit::TabLine(int w, int h) {
    TLayer layer(w, h);
    layer.Flood(
        Vertical(1, std::max(h - 1, 1), {{0.0f, FPalette.RailTop}, {1.0f, FPalette.RailBottom}}));
    // A band of more than a line starts with the tabs' own edge colour.
    if (h >= 3) layer.Fill(Box(0, 0, w, 1), FPalette.TabFrame);
    return layer;
}

TLayer TStyleKit::SideChannelHandle(int w, int h) {
    const TPalette& p = FPalette;
    TLayer layer(w, h);
    const TSdf shape = Box(0, 0, w, h, std::min(3.0f, w / 2.0f));
    layer.Fill(shape, Horizontal(0, w - 1, {{0.0f, p.FaceTop}, {1.0f, p.FaceBottom}}));
    layer.Fill(InnerRing(Grow(shape, -1), 1), Rgb(255, 255, 255, 0.5f));
    PaintOutline(layer, shape, p.Frame);
    // Ridges to grip in the middle, an arrow towards each end.
    const float cx = w / 2.0f, cy = std::floor(h / 2.0f);
    for (int i = -3; i <= 3; i += 2) {
        layer.Fill(Box(2, cy + i, w - 2.0f, cy + i + 1), WithAlpha(p.Glyph, 0.75f));
        layer.Fill(Box(2, cy + i + 1, w - 2.0f, cy + i + 2), Rgb(255, 255, 255, 0.85f));
    }
    layer.Fill(TriangleGlyph(cx, 12, w - 3.0f, TDirection::Left), p.Glyph);
    layer.Fill(TriangleGlyph(cx, h - 12.0f, w - 3.0f, TDirection::Left), p.Glyph);
    layer.Clip(shape);
    return layer;
}

TLayer TStyleKit::SideChannelBar(int w, int h) {
    const TPalette& p = FPalette;
    TLayer layer(w, h);
    layer.Flood(Vertical(1, h - 2, {{0.0f, p.FaceTop}, {1.0f, p.FaceBottom}}));
    layer.Fill(Box(0, 0, w, 1), Lighten(p.FaceTop, 0.6f));
    layer.Fill(Box(0, h - 1, w, h), p.Frame);
    return layer;
}

} // namespace stylepics
