#pragma once
// Rasterises the curved shapes of the canvas and of regions as rows of
// pixels, so that a filled ellipse, its outline and an elliptic region all
// come from the same pixels.
#include <vector>

#include "gui/Types.h"

// One run of pixels in a row; Right is exclusive like TRect's.
struct TSpan {
    int Left = 0;
    int Right = 0;
    constexpr bool IsEmpty() const { return Right <= Left; }
    constexpr bool operator==(const TSpan&) const = default;
};

class TShapeRaster {
public:
    // The pixels of the ellipse outline inscribed in (0, 0, width, height).
    static std::vector<TPoint> EllipseOutline(int width, int height);
    // One span per row (height rows) of the filled ellipse in that box.
    static std::vector<TSpan> EllipseRows(int width, int height);
    // One span per row of a rectangle width x height whose corners are
    // quarters of an ellipseWidth x ellipseHeight ellipse.
    static std::vector<TSpan> RoundRectRows(int width, int height, int ellipseWidth,
                                            int ellipseHeight);
    // The pixels of a row shape that touch its outside (4-neighbourhood):
    // a one pixel wide, 8-connected outline. Several spans per row.
    static std::vector<std::vector<TSpan>> OutlineRows(const std::vector<TSpan>& rows);
    // The spans of one row sorted and joined where they overlap or touch;
    // empty spans dropped.
    static std::vector<TSpan> MergeSpans(std::vector<TSpan> spans);
};
