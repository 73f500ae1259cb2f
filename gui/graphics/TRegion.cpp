#include "gui/graphics/TRegion.h"

#include <algorithm>
#include <cstdlib>

#include "gui/graphics/TShapeRaster.h"

namespace {

struct TBand {
    int Top;
    int Bottom;
    std::vector<TSpan> Spans;
};

// Keeps the canonical form: a band equal to the one just above it and
// touching it grows that band instead of starting a new one.
void AppendBand(std::vector<TBand>& bands, int top, int bottom, std::vector<TSpan> spans) {
    if (spans.empty() || bottom <= top) return;
    if (!bands.empty() && bands.back().Bottom == top && bands.back().Spans == spans) {
        bands.back().Bottom = bottom;
        return;
    }
    bands.push_back({top, bottom, std::move(spans)});
}

std::vector<TBand> ToBands(const std::vector<TRect>& rects) {
    std::vector<TBand> bands;
    for (const TRect& r : rects) {
        if (bands.empty() || bands.back().Top != r.Top) bands.push_back({r.Top, r.Bottom, {}});
        bands.back().Spans.push_back({r.Left, r.Right});
    }
    return bands;
}

std::vector<TRect> ToRects(const std::vector<TBand>& bands) {
    std::vector<TRect> rects;
    for (const TBand& b : bands)
        for (const TSpan& s : b.Spans)
            rects.emplace_back(s.Left, b.Top, s.Right, b.Bottom);
    return rects;
}

bool InSpans(const std::vector<TSpan>& spans, size_t& cursor, int x) {
    while (cursor < spans.size() && spans[cursor].Right <= x)
        ++cursor;
    return cursor < spans.size() && spans[cursor].Left <= x;
}

template <class TPredicate>
std::vector<TSpan> CombineSpans(const std::vector<TSpan>& a, const std::vector<TSpan>& b,
                                TPredicate keep) {
    std::vector<int> xs;
    for (const TSpan& s : a)
        xs.insert(xs.end(), {s.Left, s.Right});
    for (const TSpan& s : b)
        xs.insert(xs.end(), {s.Left, s.Right});
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<TSpan> out;
    size_t ca = 0, cb = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        if (!keep(InSpans(a, ca, xs[i]), InSpans(b, cb, xs[i]))) continue;
        if (!out.empty() && out.back().Right == xs[i])
            out.back().Right = xs[i + 1];
        else
            out.push_back({xs[i], xs[i + 1]});
    }
    return out;
}

const std::vector<TSpan>& SpansAt(const std::vector<TBand>& bands, size_t& cursor, int y) {
    static const std::vector<TSpan> none;
    while (cursor < bands.size() && bands[cursor].Bottom <= y)
        ++cursor;
    return cursor < bands.size() && bands[cursor].Top <= y ? bands[cursor].Spans : none;
}

// Equal neighbouring rows become one rectangle first: a window-sized
// rounded rectangle is a handful of rectangles, not one per row.
TRegion FromRows(int left, int top, const std::vector<TSpan>& rows) {
    std::vector<TRect> rects;
    for (size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].IsEmpty()) continue;
        const int rowTop = top + static_cast<int>(y);
        const TRect row(left + rows[y].Left, rowTop, left + rows[y].Right, rowTop + 1);
        if (!rects.empty() && rects.back().Bottom == rowTop && rects.back().Left == row.Left &&
            rects.back().Right == row.Right)
            rects.back().Bottom = row.Bottom;
        else
            rects.push_back(row);
    }
    return TRegion::FromRects(rects);
}

} // namespace

TRegion::TRegion(const TRect& rect) {
    if (!rect.IsEmpty()) FRects.push_back(rect);
}

TRegion TRegion::FromRects(std::span<const TRect> rects) {
    std::vector<int> ys;
    for (const TRect& r : rects)
        if (!r.IsEmpty()) ys.insert(ys.end(), {r.Top, r.Bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<TBand> bands;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        std::vector<TSpan> spans;
        for (const TRect& r : rects)
            if (!r.IsEmpty() && r.Top <= ys[i] && r.Bottom >= ys[i + 1])
                spans.push_back({r.Left, r.Right});
        AppendBand(bands, ys[i], ys[i + 1], TShapeRaster::MergeSpans(std::move(spans)));
    }
    TRegion region;
    region.FRects = ToRects(bands);
    return region;
}

TRegion TRegion::RoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                           int ellipseHeight) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const int width = right - 1 - left, height = bottom - 1 - top;
    if (width <= 0 || height <= 0) return {};
    return FromRows(left, top,
                    TShapeRaster::RoundRectRows(width, height, std::abs(ellipseWidth),
                                                std::abs(ellipseHeight)));
}

TRegion TRegion::Ellipse(const TRect& bounds) {
    return FromRows(bounds.Left, bounds.Top,
                    TShapeRaster::EllipseRows(bounds.Width(), bounds.Height()));
}

TRect TRegion::Bounds() const {
    TRect bounds;
    for (const TRect& r : FRects)
        bounds = bounds.Union(r);
    return bounds;
}

bool TRegion::Contains(int x, int y) const {
    for (const TRect& r : FRects) {
        if (r.Top > y) break;
        if (r.Contains({x, y})) return true;
    }
    return false;
}

TRegion TRegion::Union(const TRegion& other) const {
    return Combine(other, TOp::Union);
}
TRegion TRegion::Intersect(const TRegion& other) const {
    return Combine(other, TOp::Intersect);
}
TRegion TRegion::Subtract(const TRegion& other) const {
    return Combine(other, TOp::Subtract);
}
TRegion TRegion::Xor(const TRegion& other) const {
    return Combine(other, TOp::Xor);
}

void TRegion::Offset(int dx, int dy) {
    for (TRect& r : FRects)
        r = r.Offset(dx, dy);
}

TRegion TRegion::Combine(const TRegion& other, TOp op) const {
    auto keep = [op](bool inA, bool inB) {
        switch (op) {
        case TOp::Union:
            return inA || inB;
        case TOp::Intersect:
            return inA && inB;
        case TOp::Subtract:
            return inA && !inB;
        case TOp::Xor:
            return inA != inB;
        }
        return false;
    };
    const std::vector<TBand> a = ToBands(FRects), b = ToBands(other.FRects);
    std::vector<int> ys;
    for (const TBand& band : a)
        ys.insert(ys.end(), {band.Top, band.Bottom});
    for (const TBand& band : b)
        ys.insert(ys.end(), {band.Top, band.Bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<TBand> bands;
    size_t ca = 0, cb = 0;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const auto& spansA = SpansAt(a, ca, ys[i]);
        const auto& spansB = SpansAt(b, cb, ys[i]);
        AppendBand(bands, ys[i], ys[i + 1], CombineSpans(spansA, spansB, keep));
    }
    TRegion region;
    region.FRects = ToRects(bands);
    return region;
}
