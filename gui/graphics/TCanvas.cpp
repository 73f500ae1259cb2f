#include "gui/graphics/TCanvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "gui/graphics/TBitmap.h"
#include "gui/graphics/TShapeRaster.h"
#include "gui/graphics/TTextLayout.h"
#include "gui/graphics/TTextRenderer.h"

namespace {

// On/off runs of the platform's cosmetic dashed and dotted pens.
constexpr int DashOnRun = 18, DashOffRun = 6;
constexpr int DotOnRun = 3, DotOffRun = 3;
// "Everything" for ExcludeClipRect on a canvas without a clip.
constexpr int Far = 1 << 20;

uint32_t Pix(TColor color) {
    return TBitmap::ToPixel(color);
}

TRect Normalized(TRect r) {
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

// Curves are traced whole before clipping; beyond this size a shape is
// taken for a mistake and not drawn, rather than tracing millions of rows.
constexpr int64_t MaxCurveSide = 1 << 16;

bool TooBigToTrace(const TRect& r) {
    return int64_t{r.Right} - r.Left > MaxCurveSide || int64_t{r.Bottom} - r.Top > MaxCurveSide;
}

// Light pixels vanish in the disabled look; the rest become the etching.
bool IsDark(uint32_t p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return r * 30 + g * 59 + b * 11 < 240 * 100;
}

// Source index for target index i when n target pixels show m source ones:
// the source pixel under the target pixel's centre.
int MapIndex(int i, int n, int m) {
    return n == m ? i : static_cast<int>((int64_t{2} * i + 1) * m / (int64_t{2} * n));
}

// A rectangle of logical pixels as the device pixels of a scaled bitmap.
TRect Enlarged(const TRect& r, int scale) {
    return {r.Left * scale, r.Top * scale, r.Right * scale, r.Bottom * scale};
}

std::vector<TPoint> StampFor(int width) {
    std::vector<TPoint> offsets;
    const int lo = -(width - 1) / 2, hi = width / 2, c = width % 2 ? 0 : -1;
    for (int j = lo; j <= hi; ++j)
        for (int i = lo; i <= hi; ++i) {
            const int u = 2 * i + c, v = 2 * j + c;
            if (width <= 3 || u * u + v * v <= width * width) offsets.push_back({i, j});
        }
    return offsets;
}

std::vector<TSpan> EllipseMaker(int w, int h, int, int) {
    return TShapeRaster::EllipseRows(w, h);
}

std::vector<TSpan> RoundRectMaker(int w, int h, int ew, int eh) {
    return TShapeRaster::RoundRectRows(w, h, ew, eh);
}

} // namespace

// Which source pixels a blit leaves out: a colour key, a mask, or neither.
class TCanvas::TSourceMask {
public:
    TSourceMask() = default;
    TSourceMask(const TBitmap& source, bool keyed, TColor key, std::span<const uint8_t> opaque = {})
        : FWidth(source.Width()), FOpaque(opaque), FKeyed(keyed && key != clNone),
          FKey(FKeyed ? Pix(key) : 0) {
        if (FOpaque.size() != static_cast<size_t>(source.Width()) * source.Height()) FOpaque = {};
    }
    // The same holes on `big`, this mask's source enlarged `scale` times;
    // `storage` keeps the enlarged opacity bytes.
    TSourceMask Enlarged(const TBitmap& big, int scale, std::vector<uint8_t>& storage) const {
        TSourceMask mask;
        mask.FWidth = big.Width();
        mask.FKeyed = FKeyed;
        mask.FKey = FKey;
        if (FOpaque.empty()) return mask;
        storage.resize(static_cast<size_t>(big.Width()) * big.Height());
        for (int y = 0; y < big.Height(); ++y)
            for (int x = 0; x < big.Width(); ++x)
                storage[static_cast<size_t>(y) * big.Width() + x] =
                    FOpaque[static_cast<size_t>(y / scale) * FWidth + x / scale];
        mask.FOpaque = storage;
        return mask;
    }
    bool Keyed() const { return FKeyed; }
    bool Trivial() const { return !FKeyed && FOpaque.empty(); }
    bool KeyOnly() const { return FKeyed && FOpaque.empty(); }
    uint32_t Key() const { return FKey; }
    bool Opaque(int x, int y, uint32_t pixel) const {
        if (!FOpaque.empty() && !FOpaque[static_cast<size_t>(y) * FWidth + x]) return false;
        return !FKeyed || (pixel & 0xFFFFFF) != FKey;
    }

private:
    int FWidth = 0;
    std::span<const uint8_t> FOpaque;
    bool FKeyed = false;
    uint32_t FKey = 0;
};

TCanvas::TCanvas(TBitmap& target) : FTarget(target) {}

// ---- state -----------------------------------------------------------------

void TCanvas::SetOrigin(TPoint origin) {
    FState.Origin = origin;
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    const TRegion area(ToDevice(Normalized(rect)));
    FState.Clip = FState.Clipped ? FState.Clip.Intersect(area) : area;
    FState.Clipped = true;
    ClipChanged();
}

void TCanvas::ExcludeClipRect(const TRect& rect) {
    const TRegion area(ToDevice(Normalized(rect)));
    const TRegion all = FState.Clipped ? FState.Clip : TRegion(TRect(-Far, -Far, Far, Far));
    FState.Clip = all.Subtract(area);
    FState.Clipped = true;
    ClipChanged();
}

void TCanvas::SelectClipRegion(const TRegion& region) {
    FState.Clip = region;
    FState.Clip.Offset(FState.Origin.X, FState.Origin.Y);
    FState.Clipped = true;
    ClipChanged();
}

void TCanvas::ResetClip() {
    FState.Clipped = false;
    FState.Clip = {};
    ClipChanged();
}

TRegion TCanvas::ClipRegion() const {
    TRegion area(FTarget.BoundsRect());
    if (FState.Clipped) area = area.Intersect(FState.Clip);
    area.Offset(-FState.Origin.X, -FState.Origin.Y);
    return area;
}

void TCanvas::Save() {
    FSaved.push_back(FState);
}

void TCanvas::Restore() {
    if (FSaved.empty()) return;
    TState& saved = FSaved.back();
    FState.Pen.Assign(saved.Pen);
    FState.Brush.Assign(saved.Brush);
    FState.Font.Assign(saved.Font);
    FState.Origin = saved.Origin;
    FState.Clipped = saved.Clipped;
    FState.Clip = std::move(saved.Clip);
    FState.PenPos = saved.PenPos;
    FSaved.pop_back();
    ClipChanged();
}

// ---- device-space primitives -------------------------------------------------

const std::vector<TRect>& TCanvas::DeviceClip() {
    const TSize size{FTarget.Width(), FTarget.Height()};
    if (FClipValid && size == FClipSize) return FClipRects;
    const TRect bounds = FTarget.BoundsRect();
    FClipRects.clear();
    if (!FState.Clipped)
        FClipRects.push_back(bounds);
    else
        FClipRects = FState.Clip.Intersect(bounds).Rects();
    std::erase_if(FClipRects, [](const TRect& r) { return r.IsEmpty(); });
    FClipValid = true;
    FClipSize = size;
    return FClipRects;
}

bool TCanvas::InClip(int x, int y) {
    for (const TRect& r : DeviceClip())
        if (r.Contains({x, y})) return true;
    return false;
}

void TCanvas::FillSpan(int y, int x0, int x1, uint32_t pixel) {
    std::fill(FTarget.ScanLine(y) + x0, FTarget.ScanLine(y) + x1, pixel);
}

void TCanvas::FillBrushSpan(int y, int x0, int x1) {
    const TBitmap* pattern = FState.Brush.Bitmap();
    if (!pattern) return FillSpan(y, x0, x1, Pix(FState.Brush.Color()));
    uint32_t* row = FTarget.ScanLine(y);
    // A pattern keeps its logical size on a scaled bitmap.
    if (const int s = FTarget.Scale(); s != 1) {
        const uint32_t* src = pattern->ScanLine((y / s) & 7);
        for (int x = x0; x < x1; ++x)
            row[x] = src[(x / s) & 7] & 0xFFFFFF;
        return;
    }
    const uint32_t* src = pattern->ScanLine(y & 7);
    for (int x = x0; x < x1; ++x)
        row[x] = src[x & 7] & 0xFFFFFF;
}

void TCanvas::FillDeviceRect(const TRect& rect, uint32_t pixel) {
    const int s = FTarget.Scale();
    for (const TRect& clip : DeviceClip()) {
        TRect r = rect.Intersect(clip);
        if (s != 1) r = Enlarged(r, s);
        for (int y = r.Top; y < r.Bottom; ++y)
            FillSpan(y, r.Left, r.Right, pixel);
    }
}

void TCanvas::FillBrushRect(const TRect& rect) {
    if (FState.Brush.IsClear()) return;
    const int s = FTarget.Scale();
    for (const TRect& clip : DeviceClip()) {
        TRect r = rect.Intersect(clip);
        if (s != 1) r = Enlarged(r, s);
        for (int y = r.Top; y < r.Bottom; ++y)
            FillBrushSpan(y, r.Left, r.Right);
    }
}

void TCanvas::FillClippedSpan(int y, int x0, int x1, uint32_t pixel) {
    FillDeviceRect({x0, y, x1, y + 1}, pixel);
}

void TCanvas::FillClippedBrushSpan(int y, int x0, int x1) {
    FillBrushRect({x0, y, x1, y + 1});
}

void TCanvas::Plot(int x, int y, uint32_t pixel) {
    if (!InClip(x, y)) return;
    const int s = FTarget.Scale();
    if (s == 1) {
        FTarget.ScanLine(y)[x] = pixel;
        return;
    }
    for (int dy = 0; dy < s; ++dy)
        std::fill_n(FTarget.ScanLine(y * s + dy) + x * s, s, pixel);
}

void TCanvas::Stamp(int x, int y, uint32_t pixel) {
    const int width = FState.Pen.Width();
    if (width <= 1) return Plot(x, y, pixel);
    if (FStampWidth != width) {
        FStamp = StampFor(width);
        FStampWidth = width;
    }
    for (TPoint o : FStamp)
        Plot(x + o.X, y + o.Y, pixel);
}

bool TCanvas::DashOn() {
    const TPenStyle style = FState.Pen.Style();
    const int on = style == psDash ? DashOnRun : DotOnRun;
    const int off = style == psDash ? DashOffRun : DotOffRun;
    const bool result = FDashPos < on;
    FDashPos = (FDashPos + 1) % (on + off);
    return result;
}

void TCanvas::PlotPen(int x, int y) {
    const TPen& pen = FState.Pen;
    if (pen.Width() > 1 || pen.Style() == psSolid) return Stamp(x, y, Pix(pen.Color()));
    if (DashOn())
        Plot(x, y, Pix(pen.Color()));
    else if (!FState.Brush.IsClear()) // gaps take the background, as in opaque mode
        Plot(x, y, Pix(FState.Brush.Color()));
}

// Curves are drawn solid whatever the pen style.
void TCanvas::PlotCurve(int x, int y) {
    Stamp(x, y, Pix(FState.Pen.Color()));
}

void TCanvas::StrokeLine(TPoint from, TPoint to) {
    if (FState.Pen.Style() == psClear || DeviceClip().empty()) return;
    int x = from.X, y = from.Y;
    const int dx = std::abs(to.X - x), dy = -std::abs(to.Y - y);
    const int sx = x < to.X ? 1 : -1, sy = y < to.Y ? 1 : -1;
    int err = dx + dy;
    while (x != to.X || y != to.Y) {
        PlotPen(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    // A wide pen ends in a round cap, so its last point is covered.
    if (FState.Pen.Width() > 1) PlotPen(to.X, to.Y);
}

void TCanvas::StrokePath(std::span<const TPoint> points, bool closed) {
    for (size_t i = 1; i < points.size(); ++i)
        StrokeLine(points[i - 1], points[i]);
    if (closed && points.size() > 1) StrokeLine(points.back(), points.front());
}

void TCanvas::FillRows(TPoint at, const std::vector<TSpan>& rows) {
    if (FState.Brush.IsClear()) return;
    for (size_t i = 0; i < rows.size(); ++i)
        if (!rows[i].IsEmpty())
            FillClippedBrushSpan(at.Y + static_cast<int>(i), at.X + rows[i].Left,
                                 at.X + rows[i].Right);
}

void TCanvas::StrokeRows(TPoint at, const std::vector<TSpan>& rows) {
    const std::vector<std::vector<TSpan>> outline = TShapeRaster::OutlineRows(rows);
    for (size_t i = 0; i < outline.size(); ++i)
        for (const TSpan& s : outline[i])
            for (int x = s.Left; x < s.Right; ++x)
                PlotCurve(at.X + x, at.Y + static_cast<int>(i));
}

void TCanvas::DrawShape(TRect rect, TRowMaker rows, int ew, int eh) {
    rect = Normalized(rect);
    if (rect.IsEmpty() || TooBigToTrace(rect) || DeviceClip().empty()) return;
    rect = ToDevice(rect);
    const int w = rect.Width(), h = rect.Height();
    if (FState.Pen.Style() == psClear) return FillRows(rect.TopLeft(), rows(w - 1, h - 1, ew, eh));
    const std::vector<TSpan> shape = rows(w, h, ew, eh);
    FillRows(rect.TopLeft(), shape);
    StrokeRows(rect.TopLeft(), shape);
}

void TCanvas::FillPolygon(std::span<const TPoint> points) {
    if (points.size() < 3 || FState.Brush.IsClear()) return;
    int top = points[0].Y, bottom = points[0].Y;
    for (TPoint p : points)
        top = std::min(top, p.Y), bottom = std::max(bottom, p.Y);
    const TRect bounds = TRegion::FromRects(DeviceClip()).Bounds();
    top = std::max(top, bounds.Top);
    bottom = std::min(bottom, bounds.Bottom);
    std::vector<double> xs;
    // Vertices name pixel centres, as the pen's lines do, so the fill meets
    // the outline without gaps. Pixels on a left or top edge are inside,
    // on a right or bottom edge outside; overlaps follow the alternate rule.
    for (int y = top; y < bottom; ++y) {
        xs.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const TPoint a = points[i], b = points[(i + 1) % points.size()];
            if ((a.Y <= y) == (b.Y <= y)) continue;
            xs.push_back(a.X + double(y - a.Y) * (b.X - a.X) / double(b.Y - a.Y));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int x0 = static_cast<int>(std::ceil(xs[i]));
            const int x1 = static_cast<int>(std::ceil(xs[i + 1]));
            if (x1 > x0) FillClippedBrushSpan(y, x0, x1);
        }
    }
}

// ---- lines and shapes -------------------------------------------------------

void TCanvas::MoveTo(int x, int y) {
    FState.PenPos = {x, y};
    FDashPos = 0;
}

void TCanvas::LineTo(int x, int y) {
    StrokeLine(ToDevice(FState.PenPos.X, FState.PenPos.Y), ToDevice(x, y));
    FState.PenPos = {x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    std::vector<TPoint> device;
    for (TPoint p : points)
        device.push_back(ToDevice(p.X, p.Y));
    FDashPos = 0;
    StrokePath(device, false);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.empty()) return;
    std::vector<TPoint> device;
    for (TPoint p : points)
        device.push_back(ToDevice(p.X, p.Y));
    FillPolygon(device);
    FDashPos = 0;
    StrokePath(device, true);
}

void TCanvas::FillRect(const TRect& rect) {
    if (rect.IsEmpty()) return;
    FillBrushRect(ToDevice(rect));
}

void TCanvas::FillRegion(const TRegion& region) {
    for (const TRect& r : region.Rects())
        FillRect(r);
}

void TCanvas::FrameRect(const TRect& rect) {
    if (rect.IsEmpty() || FState.Brush.IsClear()) return;
    const TRect r = ToDevice(rect);
    FillBrushRect({r.Left, r.Top, r.Right, r.Top + 1});
    if (r.Height() > 1) FillBrushRect({r.Left, r.Bottom - 1, r.Right, r.Bottom});
    FillBrushRect({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
    if (r.Width() > 1) FillBrushRect({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
}

void TCanvas::Rectangle(const TRect& rect) {
    const TRect r = Normalized(rect);
    if (r.IsEmpty()) return;
    if (FState.Pen.Style() == psClear) return FillRect({r.Left, r.Top, r.Right - 1, r.Bottom - 1});
    FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1});
    const TRect d = ToDevice(r);
    const TPoint corners[] = {
        {d.Left, d.Top}, {d.Right - 1, d.Top}, {d.Right - 1, d.Bottom - 1}, {d.Left, d.Bottom - 1}};
    FDashPos = 0;
    StrokePath(corners, true);
    if (r.Width() == 1 || r.Height() == 1) Plot(d.Right - 1, d.Bottom - 1, Pix(FState.Pen.Color()));
}

void TCanvas::Ellipse(const TRect& rect) {
    DrawShape(rect, EllipseMaker, 0, 0);
}

void TCanvas::RoundRect(const TRect& rect, int ellipseWidth, int ellipseHeight) {
    DrawShape(rect, RoundRectMaker, std::abs(ellipseWidth), std::abs(ellipseHeight));
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    const TRect logical = Normalized(TRect(x1, y1, x2, y2));
    if (logical.IsEmpty() || TooBigToTrace(logical) || FState.Pen.Style() == psClear ||
        DeviceClip().empty())
        return;
    const TRect box = ToDevice(logical);
    const TPoint start = ToDevice(x3, y3), end = ToDevice(x4, y4);
    const double cx = box.Left + (box.Width() - 1) / 2.0, cy = box.Top + (box.Height() - 1) / 2.0;
    constexpr double Turn = 2 * std::numbers::pi;
    // Angles grow counter-clockwise on the screen, where y points down.
    auto angle = [&](double x, double y) {
        const double a = std::atan2(cy - y, x - cx);
        return a < 0 ? a + Turn : a;
    };
    const double a0 = angle(start.X, start.Y);
    double sweep = angle(end.X, end.Y) - a0;
    if (sweep <= 0) sweep += Turn;
    for (TPoint p : TShapeRaster::EllipseOutline(box.Width(), box.Height())) {
        const TPoint d{box.Left + p.X, box.Top + p.Y};
        double rel = angle(d.X, d.Y) - a0;
        if (rel < 0) rel += Turn;
        if (rel <= sweep) PlotCurve(d.X, d.Y);
    }
}

TColor TCanvas::Pixel(int x, int y) const {
    const TPoint d = ToDevice(x, y);
    return FTarget.GetPixel(d.X, d.Y);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    const TPoint d = ToDevice(x, y);
    Plot(d.X, d.Y, Pix(color));
}

// ---- pictures ------------------------------------------------------------------

void TCanvas::Blit(const TRect& dest, const TBitmap& source, const TRect& sourceRect,
                   const TSourceMask& mask, int ink) {
    const TRect d = ToDevice(dest);
    if (d.IsEmpty() || sourceRect.IsEmpty() || source.Empty()) return;
    if (FTarget.Scale() != 1 || source.Scale() != 1)
        return BlitScaled(d, source, sourceRect, mask, ink);
    BlitPixels(d, source, sourceRect, mask, ink, DeviceClip());
}

// On a HiDPI back buffer a picture comes enlarged smoothly (once, kept by
// the picture), another scaled buffer pixel for pixel.
void TCanvas::BlitScaled(const TRect& d, const TBitmap& source, const TRect& sourceRect,
                         const TSourceMask& mask, int ink) {
    const int s = FTarget.Scale();
    std::vector<TRect> clip;
    for (const TRect& r : DeviceClip())
        clip.push_back(Enlarged(r, s));
    if (source.Scale() != 1 || s == 1)
        return BlitPixels(Enlarged(d, s), source, Enlarged(sourceRect, source.Scale()), mask, ink,
                          clip);
    const TBitmap& big = source.ScaledPicture(s, mask.Keyed() ? mask.Key() : TBitmap::NoKey);
    std::vector<uint8_t> opaque;
    BlitPixels(Enlarged(d, s), big, Enlarged(sourceRect, s), mask.Enlarged(big, s, opaque), ink,
               clip);
}

void TCanvas::BlitPixels(const TRect& d, const TBitmap& source, const TRect& sourceRect,
                         const TSourceMask& mask, int ink, std::span<const TRect> clipRects) {
    const int dw = d.Width(), dh = d.Height(), sw = sourceRect.Width(), sh = sourceRect.Height();
    const std::optional<uint32_t> inkPixel =
        ink ? std::optional<uint32_t>(Pix(ink > 0 ? clBtnHighlight : clBtnShadow)) : std::nullopt;
    std::vector<int> columns(static_cast<size_t>(dw));
    for (int i = 0; i < dw; ++i)
        columns[static_cast<size_t>(i)] = sourceRect.Left + MapIndex(i, dw, sw);
    // Columns only grow, so the ones inside the source form one run.
    const auto first = std::lower_bound(columns.begin(), columns.end(), 0);
    const auto last = std::lower_bound(first, columns.end(), source.DeviceWidth());
    if (first == last) return;
    const TRect valid(d.Left + static_cast<int>(first - columns.begin()), d.Top,
                      d.Left + static_cast<int>(last - columns.begin()), d.Bottom);
    const bool plainCopy = dw == sw && mask.Trivial() && !inkPixel;
    // Kept in registers: the stores below could otherwise alias the mask.
    const bool keyOnly = mask.KeyOnly();
    const uint32_t key = mask.Key();
    for (const TRect& clip : clipRects) {
        const TRect r = valid.Intersect(clip);
        for (int y = r.Top; y < r.Bottom; ++y) {
            const int sy = sourceRect.Top + MapIndex(y - d.Top, dh, sh);
            if (sy < 0 || sy >= source.DeviceHeight()) continue;
            const uint32_t* srow = source.ScanLine(sy);
            uint32_t* drow = FTarget.ScanLine(y);
            const int* cols = columns.data() - d.Left;
            if (plainCopy) {
                std::copy_n(srow + cols[r.Left], r.Width(), drow + r.Left);
                continue;
            }
            // The common cases without per-pixel decisions.
            if (!inkPixel && mask.Trivial()) {
                for (int x = r.Left; x < r.Right; ++x)
                    drow[x] = srow[cols[x]];
                continue;
            }
            if (!inkPixel && keyOnly) {
                for (int x = r.Left; x < r.Right; ++x)
                    if (const uint32_t p = srow[cols[x]]; (p & 0xFFFFFF) != key) drow[x] = p;
                continue;
            }
            for (int x = r.Left; x < r.Right; ++x) {
                const uint32_t p = srow[cols[x]];
                if (!mask.Opaque(cols[x], sy, p)) continue;
                if (!inkPixel)
                    drow[x] = p & 0xFFFFFF;
                else if (IsDark(p))
                    drow[x] = *inkPixel;
            }
        }
    }
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    if (&bitmap == &FTarget) {
        TBitmap copy;
        copy.Assign(bitmap);
        return Draw(x, y, copy);
    }
    const TSourceMask mask(bitmap, bitmap.Transparent(), bitmap.TransparentColor());
    Blit(TRect::FromSize(x, y, bitmap.Width(), bitmap.Height()), bitmap, bitmap.BoundsRect(), mask,
         0);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& bitmap) {
    if (bitmap.Empty() || rect.IsEmpty()) return;
    TransparentStretch(rect, bitmap, bitmap.BoundsRect(),
                       bitmap.Transparent() ? bitmap.TransparentColor() : clNone);
}

void TCanvas::TransparentStretch(const TRect& dest, const TBitmap& bitmap, const TRect& sourceRect,
                                 TColor key) {
    if (bitmap.Empty() || dest.IsEmpty() || sourceRect.IsEmpty()) return;
    if (&bitmap == &FTarget) {
        TBitmap copy;
        copy.Assign(bitmap);
        return TransparentStretch(dest, copy, sourceRect, key);
    }
    Blit(dest, bitmap, sourceRect, TSourceMask(bitmap, key != clNone, key), 0);
}

void TCanvas::CopyRect(const TRect& dest, TCanvas& source, const TRect& sourceRect) {
    TransparentStretch(dest, source.FTarget, source.ToDevice(sourceRect), clNone);
}

void TCanvas::DrawGreyed(int x, int y, const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    const TSourceMask mask(bitmap, bitmap.Transparent(), bitmap.TransparentColor());
    const TRect rect = TRect::FromSize(x, y, bitmap.Width(), bitmap.Height());
    Blit(rect.Offset(1, 1), bitmap, bitmap.BoundsRect(), mask, +1);
    Blit(rect, bitmap, bitmap.BoundsRect(), mask, -1);
}

void TCanvas::DrawMasked(int x, int y, const TBitmap& image, std::span<const uint8_t> opaque,
                         bool greyed) {
    if (image.Empty()) return;
    const TSourceMask mask(image, false, clNone, opaque);
    const TRect rect = TRect::FromSize(x, y, image.Width(), image.Height());
    if (!greyed) return Blit(rect, image, image.BoundsRect(), mask, 0);
    Blit(rect.Offset(1, 1), image, image.BoundsRect(), mask, +1);
    Blit(rect, image, image.BoundsRect(), mask, -1);
}

// ---- text ------------------------------------------------------------------------

int TCanvas::TextWidth(std::string_view text) {
    return TTextRenderer::TextWidth(FState.Font, text);
}

int TCanvas::TextHeight(std::string_view) {
    return TTextRenderer::Metrics(FState.Font).Height;
}

TSize TCanvas::TextExtent(std::string_view text) {
    return {TextWidth(text), TextHeight(text)};
}

void TCanvas::FillTextCell(const TRect& logical) {
    if (FState.Brush.IsClear()) return;
    FillDeviceRect(ToDevice(logical), Pix(FState.Brush.Color()));
}

void TCanvas::DrawTextLine(int x, int y, const TTextLine& line) {
    if (line.Text.empty() || DeviceClip().empty()) return;
    const TPoint d = ToDevice(x, y);
    TTextRenderer::Draw(FTarget, DeviceClip(), d.X, d.Y, FState.Font, line.Text);
    const TFontMetrics m = TTextRenderer::Metrics(FState.Font);
    const uint32_t ink = Pix(FState.Font.Color());
    const int baseline = d.Y + m.Ascent;
    auto rule = [&](int top, int x0, int x1) {
        FillDeviceRect({x0, top, x1, top + m.LineThickness}, ink);
    };
    const TFontStyles style = FState.Font.Style();
    if (style.Contains(fsUnderline)) rule(baseline + m.UnderlineTop, d.X, d.X + line.Width);
    if (style.Contains(fsStrikeOut)) rule(baseline - m.StrikeTop, d.X, d.X + line.Width);
    if (line.Accel != std::string::npos) {
        const TSpan s = TTextRenderer::CharSpan(FState.Font, line.Text, line.Accel);
        rule(baseline + m.UnderlineTop, d.X + s.Left, d.X + s.Right);
    }
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    TTextLine line{TTextRenderer::Clean(text), std::string::npos, 0};
    line.Width = TTextRenderer::TextWidth(FState.Font, line.Text);
    FillTextCell(TRect::FromSize(x, y, line.Width, TextHeight(text)));
    DrawTextLine(x, y, line);
    FState.PenPos = {x + line.Width, y};
}

// Puts back the clip that a text call narrowed to its rectangle.
class TCanvas::TClipKeeper {
public:
    explicit TClipKeeper(TCanvas& canvas)
        : FCanvas(canvas), FClipped(canvas.FState.Clipped), FClip(canvas.FState.Clip) {}
    ~TClipKeeper() {
        FCanvas.FState.Clipped = FClipped;
        FCanvas.FState.Clip = std::move(FClip);
        FCanvas.ClipChanged();
    }
    TClipKeeper(const TClipKeeper&) = delete;
    TClipKeeper& operator=(const TClipKeeper&) = delete;

private:
    TCanvas& FCanvas;
    bool FClipped;
    TRegion FClip;
};

void TCanvas::TextRect(const TRect& rect, int x, int y, std::string_view text) {
    if (rect.IsEmpty()) return;
    TClipKeeper keeper(*this);
    IntersectClipRect(rect);
    FillTextCell(rect);
    TTextLine line{TTextRenderer::Clean(text), std::string::npos, 0};
    line.Width = TTextRenderer::TextWidth(FState.Font, line.Text);
    DrawTextLine(x, y, line);
}

namespace {

int TextTop(const TRect& rect, unsigned flags, int lineHeight) {
    if (!(flags & DT_SINGLELINE)) return rect.Top;
    if (flags & DT_VCENTER) return rect.Top + (rect.Height() - lineHeight) / 2;
    if (flags & DT_BOTTOM) return rect.Bottom - lineHeight;
    return rect.Top;
}

int LineLeft(const TRect& rect, unsigned flags, int width) {
    if (flags & DT_CENTER) return rect.Left + (rect.Width() - width) / 2;
    if (flags & DT_RIGHT) return rect.Right - width;
    return rect.Left;
}

} // namespace

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned flags) {
    if (text.empty()) {
        if (flags & DT_CALCRECT) rect.Right = rect.Left, rect.Bottom = rect.Top;
        return 0;
    }
    const std::vector<TTextLine> lines = TTextLayout::Lines(FState.Font, text, flags, rect.Width());
    const int lineHeight = TextHeight(text);
    const int total = lineHeight * static_cast<int>(lines.size());
    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const TTextLine& line : lines)
            widest = std::max(widest, line.Width);
        rect.Right = rect.Left + widest;
        rect.Bottom = rect.Top + total;
        return total;
    }
    const int top = TextTop(rect, flags, lineHeight);
    TClipKeeper keeper(*this);
    if (!(flags & DT_NOCLIP)) IntersectClipRect(rect);
    int y = top;
    for (const TTextLine& line : lines) {
        const int x = LineLeft(rect, flags, line.Width);
        FillTextCell(TRect::FromSize(x, y, line.Width, lineHeight));
        DrawTextLine(x, y, line);
        y += lineHeight;
    }
    return top == rect.Top ? total : y - rect.Top;
}
