#include "tools/stylepics/TPreview.h"

#include <stdexcept>

#include "gui/graphics/TCanvas.h"
#include "tools/stylepics/Rgba.h"

namespace stylepics {

namespace {

struct TStyleFacts {
    const char* Prefix;
    TColor Border;
    int BorderWidth;
    int Round;
    TColor Back;
    int ButtonTop, LeftOffset, RightOffset;
    bool TitleButtonsKeyed, ButtonKeyed, BlackCaption;
    TColor ScrollBack;
};

// The frame and title values of each style's theme items.
const TStyleFacts Facts[] = {
    {"MACOS", RGB(127, 127, 127), 1, 0, RGB(231, 231, 231), 4, 3, -2, false, true, true,
     RGB(201, 201, 201)},
    {"WINXP", RGB(0, 44, 200), 3, 13, RGB(239, 235, 222), 5, 2, -2, false, false, false,
     RGB(249, 249, 249)},
    {"DEEPBLUE", RGB(0, 0, 0), 1, 0, RGB(232, 232, 232), 2, 0, 0, false, false, false,
     RGB(245, 245, 245)},
    {"PROTEIN", RGB(0, 0, 0), 1, 0, RGB(251, 251, 251), 2, 0, 0, true, false, false,
     RGB(245, 245, 245)},
    {"BLUEGLASS", RGB(0, 0, 0), 1, 11, RGB(231, 231, 231), 6, 4, -3, true, true, false,
     RGB(244, 244, 244)},
};

const TStyleFacts* FindFacts(const std::string& prefix) {
    for (const TStyleFacts& f : Facts)
        if (prefix == f.Prefix) return &f;
    return nullptr;
}

void Frame(const TBitmap& strip, int count, int index, TBitmap& out) {
    const int w = strip.Width() / count;
    out.SetSize(w, strip.Height());
    out.Canvas().CopyRect(out.BoundsRect(), const_cast<TBitmap&>(strip).Canvas(),
                          TRect(index * w, 0, index * w + w, strip.Height()));
}

void Keyed(TCanvas& canvas, const TRect& dest, const TBitmap& bitmap, const TRect& source,
           bool keyed) {
    canvas.TransparentStretch(dest, bitmap, source, keyed ? clMagenta : clNone);
}

void ThreeSlice(TCanvas& canvas, const TBitmap& b, const TRect& r) {
    const int w = b.Width() / 3, h = b.Height();
    Keyed(canvas, TRect(r.Left, r.Top, r.Left + w, r.Top + h), b, TRect(0, 0, w, h), true);
    Keyed(canvas, TRect(r.Right - w, r.Top, r.Right, r.Top + h), b, TRect(2 * w, 0, 3 * w, h),
          true);
    Keyed(canvas, TRect(r.Left + w, r.Top, r.Right - w, r.Bottom), b, TRect(w, 0, 2 * w, h), false);
}

// Corners at natural size, edges and centre stretched (a plain nine-slice,
// close enough to judge the look).
void NineSlice(TCanvas& canvas, const TBitmap& b, const TRect& r, bool keyed) {
    const int k = b.Width() / 2, m = b.Height() / 2;
    const int xs[4] = {0, k, k + 1, b.Width()};
    const int ys[4] = {0, m, m + 1, b.Height()};
    const int xd[4] = {r.Left, r.Left + k, r.Right - (b.Width() - k - 1), r.Right};
    const int yd[4] = {r.Top, r.Top + m, r.Bottom - (b.Height() - m - 1), r.Bottom};
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            Keyed(canvas, TRect(xd[i], yd[j], xd[i + 1], yd[j + 1]), b,
                  TRect(xs[i], ys[j], xs[i + 1], ys[j + 1]), keyed || i == 1 || j == 1);
}

void RotateRight(const TBitmap& in, TBitmap& out) {
    out.SetSize(in.Height(), in.Width());
    for (int y = 0; y < in.Height(); ++y)
        for (int x = 0; x < in.Width(); ++x)
            out.SetPixel(in.Height() - 1 - y, x, in.GetPixel(x, y));
}

} // namespace

TPreview::TPreview(const TPictureSet& set, std::string prefix)
    : FSet(set), FPrefix(std::move(prefix)) {}

bool TPreview::Available() const {
    return FindFacts(FPrefix) != nullptr;
}

const TBitmap& TPreview::Picture(const std::string& part) const {
    std::string name = FPrefix + "_" + part;
    if (part == "SCROLLBUTTON" && !FSet.Find(name)) name = "MORE_SCROLLBUTTON";
    const TPictureSet::TEntry* e = FSet.Find(name);
    if (!e) throw std::runtime_error("preview needs " + name);
    return *e->Picture;
}

void TPreview::Render(TBitmap& out) const {
    const TStyleFacts& f = *FindFacts(FPrefix);
    out.SetSize(1460, 250);
    out.Canvas().Brush().SetColor(f.Back);
    out.Canvas().FillRect(out.BoundsRect());
    const int titleHeight = Picture("TITLE_LEFT").Height();
    for (int state = 0; state < 3; ++state)
        DrawWindowTop(out, 8, 8 + state * (titleHeight + 30), 520, state, state == 1);
    DrawButtons(out, 560, 12);
    DrawTabs(out, 560, 60, 420);
    DrawScrollBar(out, 1000, 12, 200);
}

void TPreview::DrawWindowTop(TBitmap& out, int ox, int oy, int width, int state,
                             bool maximised) const {
    const TStyleFacts& f = *FindFacts(FPrefix);
    const TBitmap& left = Picture("TITLE_LEFT");
    const TBitmap& client = Picture("TITLE_CLIENT");
    const TBitmap& right = Picture("TITLE_RIGHT");
    const TBitmap& strip = Picture("TITLEBTN");
    const int h = left.Height();
    TBitmap win(width, h + 24);
    TCanvas& c = win.Canvas();
    c.Brush().SetColor(f.Back);
    c.FillRect(win.BoundsRect());
    c.Draw(0, 0, left);
    c.StretchDraw(TRect(left.Width(), 0, width - right.Width(), h), client);
    c.Draw(width - right.Width(), 0, right);
    // Title buttons from the right: close, maximise or restore, minimise.
    const int size = strip.Width() / 18;
    const int kinds[3] = {5, maximised ? 3 : 2, 4};
    int x = (width - 6) + f.RightOffset + 1;
    TBitmap frame;
    for (int kind : kinds) {
        x -= size + 1;
        Frame(strip, 18, kind * 3 + state, frame);
        Keyed(c, TRect(3 + x, f.ButtonTop, 3 + x + size, f.ButtonTop + size), frame,
              frame.BoundsRect(), f.TitleButtonsKeyed);
    }
    Frame(strip, 18, state, frame);
    const int x0 = 3 + f.LeftOffset;
    Keyed(c, TRect(x0, f.ButtonTop, x0 + size, f.ButtonTop + size), frame, frame.BoundsRect(),
          f.TitleButtonsKeyed);
    c.Font().SetColor(f.BlackCaption ? RGB(0, 0, 0) : RGB(255, 255, 255));
    c.Font().SetStyle({fsBold});
    c.Brush().SetStyle(bsClear);
    c.TextOut(x0 + size + 5, f.ButtonTop + (size - c.TextHeight("Hg")) / 2, "Xingfan Browser");
    c.Brush().SetStyle(bsSolid);
    // The frame: sides and bottom in the border colour, the corners rounded.
    c.Brush().SetColor(f.Border);
    c.FillRect(TRect(0, 0, f.BorderWidth, win.Height()));
    c.FillRect(TRect(width - f.BorderWidth, 0, width, win.Height()));
    c.FillRect(TRect(0, win.Height() - f.BorderWidth, width, win.Height()));
    TRegion shape = TRegion::RoundRect(0, 0, width + 1, win.Height() + 1, f.Round, f.Round);
    shape.Offset(ox, oy);
    TCanvas& o = out.Canvas();
    o.Save();
    o.SelectClipRegion(shape);
    o.Draw(ox, oy, win);
    o.Restore();
}

void TPreview::DrawButtons(TBitmap& out, int ox, int oy) const {
    const TStyleFacts& f = *FindFacts(FPrefix);
    const TBitmap& strip = Picture("BUTTON");
    TBitmap frame;
    for (int i = 0; i < 3; ++i) {
        Frame(strip, 3, i, frame);
        NineSlice(out.Canvas(), frame, TRect::FromSize(ox + i * 90, oy, 80, 27), f.ButtonKeyed);
        NineSlice(out.Canvas(), frame, TRect::FromSize(ox + 280 + i * 40, oy + 4, 34, 21),
                  f.ButtonKeyed);
    }
}

void TPreview::DrawTabs(TBitmap& out, int ox, int oy, int width) const {
    const TBitmap& tabs = Picture("TAB");
    const TBitmap& bar = Picture("TAB_LINE");
    const TBitmap& scroll = Picture("SCROLLBUTTON");
    TCanvas& c = out.Canvas();
    TBitmap active, inactive;
    Frame(tabs, 2, 0, active);
    Frame(tabs, 2, 1, inactive);
    const int h = inactive.Height();
    c.StretchDraw(TRect(ox + 1, oy + h, ox + width - 1, oy + h + bar.Height()), bar);
    int x = ox + 10;
    for (int i = 0; i < 4; ++i) {
        const int w = i == 1 ? 96 : 72;
        if (i == 1)
            ThreeSlice(c, active, TRect(x, oy + 1, x + w, oy + h + 1));
        else
            ThreeSlice(c, inactive, TRect(x, oy, x + w, oy + h));
        x += w;
    }
    const int body = oy + h + bar.Height();
    c.Brush().SetColor(RGB(255, 255, 255));
    c.FillRect(TRect(ox, body, ox + width, body + 40));
    c.Brush().SetColor(RGB(104, 104, 104));
    c.FrameRect(TRect(ox, body - 1, ox + width, body + 40));
    TBitmap frame;
    const int bw = scroll.Width() / 4;
    for (int i = 0; i < 4; ++i) {
        Frame(scroll, 4, i, frame);
        Keyed(c,
              TRect::FromSize(ox + width - 2 - bw * (i < 2 ? 1 : 2) - (i % 2) * 0,
                              oy + 80 + (i % 2) * 24, bw, frame.Height()),
              frame, frame.BoundsRect(), true);
    }
}

void TPreview::DrawScrollBar(TBitmap& out, int ox, int oy, int height) const {
    const TStyleFacts& f = *FindFacts(FPrefix);
    const TBitmap& buttons = Picture("SCROLLBAR_BUTTON");
    const TBitmap& thumb = Picture("SCROLLBAR_TRACK");
    TCanvas& c = out.Canvas();
    TBitmap frame;
    for (int state = 0; state < 3; ++state) {
        const int x = ox + state * 40;
        Frame(buttons, 6, state, frame);
        const int bw = frame.Width(), bh = frame.Height();
        c.Brush().SetColor(f.ScrollBack);
        c.FillRect(TRect(x, oy, x + bw, oy + height));
        Keyed(c, TRect::FromSize(x, oy, bw, bh), frame, frame.BoundsRect(), false);
        Frame(buttons, 6, 3 + state, frame);
        Keyed(c, TRect::FromSize(x, oy + height - bh, bw, bh), frame, frame.BoundsRect(), false);
        TBitmap head, middle, tail, turned;
        Frame(thumb, 3, 0, head);
        Frame(thumb, 3, 1, middle);
        Frame(thumb, 3, 2, tail);
        const int top = oy + bh + 20 + state * 10;
        RotateRight(head, turned);
        c.Draw(x, top, turned);
        const int hh = turned.Height();
        RotateRight(middle, turned);
        c.StretchDraw(TRect(x, top + hh, x + turned.Width(), top + 60 - hh), turned);
        RotateRight(tail, turned);
        c.Draw(x, top + 60 - hh, turned);
    }
}

} // namespace stylepics
