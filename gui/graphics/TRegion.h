#pragma once
// A set of pixels made of rectangles: the canvas clip and the shape of a
// window. Kept in one canonical form (rows of equal rectangles grouped into
// bands, bands as tall and rectangles as wide as possible), so that two
// regions covering the same pixels compare equal.
#include <span>
#include <vector>

#include "gui/Types.h"

class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);
    static TRegion FromRects(std::span<const TRect> rects);
    // The shape of the platform's rounded-rectangle region: like the
    // rectangle (left, top, right - 1, bottom - 1), so callers that want
    // W x H pixels pass (0, 0, W + 1, H + 1); corners are quarters of an
    // ellipseWidth x ellipseHeight ellipse.
    static TRegion RoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                             int ellipseHeight);
    // The filled ellipse inscribed in the rectangle.
    static TRegion Ellipse(const TRect& bounds);

    bool IsEmpty() const { return FRects.empty(); }
    TRect Bounds() const;
    bool Contains(int x, int y) const;
    bool Contains(TPoint p) const { return Contains(p.X, p.Y); }
    // Top to bottom, left to right, never overlapping.
    const std::vector<TRect>& Rects() const { return FRects; }

    TRegion Union(const TRegion& other) const;
    TRegion Intersect(const TRegion& other) const;
    TRegion Subtract(const TRegion& other) const;
    TRegion Xor(const TRegion& other) const;
    TRegion Intersect(const TRect& rect) const { return Intersect(TRegion(rect)); }
    void Offset(int dx, int dy);

    bool operator==(const TRegion&) const = default;

private:
    enum class TOp { Union, Intersect, Subtract, Xor };
    TRegion Combine(const TRegion& other, TOp op) const;

    std::vector<TRect> FRects;
};
