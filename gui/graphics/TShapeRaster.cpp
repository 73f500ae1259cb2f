#include "gui/graphics/TShapeRaster.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// Integer midpoint ellipse for an arbitrary box (K. Zingl's rectangle form):
// works for even and odd sizes, which a centre-and-radius form cannot.
void TraceEllipse(int w, int h, std::vector<TPoint>& out) {
    int64_t a = w - 1, b = h - 1, b1 = b & 1;
    int64_t dx = 4 * (1 - a) * b * b, dy = 4 * (b1 + 1) * a * a;
    int64_t err = dx + dy + b1 * a * a;
    int64_t x0 = 0, x1 = a, y0 = (b + 1) / 2, y1 = y0 - b1;
    const int64_t stepA = 8 * a * a, stepB = 8 * b * b;
    auto plot = [&](int64_t x, int64_t y) {
        if (x >= 0 && x < w && y >= 0 && y < h)
            out.push_back({static_cast<int>(x), static_cast<int>(y)});
    };
    do {
        plot(x1, y0);
        plot(x0, y0);
        plot(x0, y1);
        plot(x1, y1);
        int64_t e2 = 2 * err;
        if (e2 <= dy) {
            ++y0;
            --y1;
            dy += stepA;
            err += dy;
        }
        if (e2 >= dx || 2 * err > dy) {
            ++x0;
            --x1;
            dx += stepB;
            err += dx;
        }
    } while (x0 <= x1);
    while (y0 - y1 <= b) { // flat ellipses stop early: finish the tips
        plot(x0 - 1, y0);
        plot(x1 + 1, y0++);
        plot(x0 - 1, y1);
        plot(x1 + 1, y1--);
    }
}

// Parts of `row` not covered by `other`.
void AppendUncovered(TSpan row, TSpan other, std::vector<TSpan>& out) {
    if (other.IsEmpty() || other.Right <= row.Left || other.Left >= row.Right) {
        out.push_back(row);
        return;
    }
    if (other.Left > row.Left) out.push_back({row.Left, other.Left});
    if (other.Right < row.Right) out.push_back({other.Right, row.Right});
}

} // namespace

std::vector<TSpan> TShapeRaster::MergeSpans(std::vector<TSpan> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const TSpan& l, const TSpan& r) { return l.Left < r.Left; });
    std::vector<TSpan> merged;
    for (const TSpan& s : spans) {
        if (s.IsEmpty()) continue;
        if (!merged.empty() && s.Left <= merged.back().Right)
            merged.back().Right = std::max(merged.back().Right, s.Right);
        else
            merged.push_back(s);
    }
    return merged;
}

std::vector<TPoint> TShapeRaster::EllipseOutline(int width, int height) {
    std::vector<TPoint> points;
    if (width <= 0 || height <= 0) return points;
    TraceEllipse(width, height, points);
    return points;
}

std::vector<TSpan> TShapeRaster::EllipseRows(int width, int height) {
    std::vector<TSpan> rows;
    if (width <= 0 || height <= 0) return rows;
    rows.assign(static_cast<size_t>(height), TSpan{INT_MAX, INT_MIN});
    for (TPoint p : EllipseOutline(width, height)) {
        TSpan& row = rows[static_cast<size_t>(p.Y)];
        row.Left = std::min(row.Left, p.X);
        row.Right = std::max(row.Right, p.X + 1);
    }
    for (TSpan& row : rows)
        if (row.IsEmpty()) row = {};
    return rows;
}

std::vector<TSpan> TShapeRaster::RoundRectRows(int width, int height, int ellipseWidth,
                                               int ellipseHeight) {
    std::vector<TSpan> rows;
    if (width <= 0 || height <= 0) return rows;
    const int ew = std::clamp(ellipseWidth, 0, width);
    const int eh = std::clamp(ellipseHeight, 0, height);
    rows.assign(static_cast<size_t>(height), TSpan{0, width});
    if (ew < 2 || eh < 2) return rows;
    const std::vector<TSpan> corner = EllipseRows(ew, eh);
    for (int y = 0; y < height; ++y) {
        int ey = -1;
        if (y < (eh + 1) / 2)
            ey = y;
        else if (y >= height - eh / 2)
            ey = y - (height - eh);
        if (ey < 0) continue;
        const int inset = corner[static_cast<size_t>(ey)].Left;
        rows[static_cast<size_t>(y)] = {inset, width - inset};
    }
    return rows;
}

std::vector<std::vector<TSpan>> TShapeRaster::OutlineRows(const std::vector<TSpan>& rows) {
    std::vector<std::vector<TSpan>> outline(rows.size());
    for (size_t y = 0; y < rows.size(); ++y) {
        const TSpan row = rows[y];
        if (row.IsEmpty()) continue;
        std::vector<TSpan> parts{{row.Left, row.Left + 1}, {row.Right - 1, row.Right}};
        const TSpan above = y > 0 ? rows[y - 1] : TSpan{};
        const TSpan below = y + 1 < rows.size() ? rows[y + 1] : TSpan{};
        AppendUncovered(row, above, parts);
        AppendUncovered(row, below, parts);
        outline[y] = MergeSpans(std::move(parts));
    }
    return outline;
}
