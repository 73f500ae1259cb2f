#pragma once
// Shapes as signed distance functions: negative inside, in pixels. A pixel
// whose centre lies d pixels inside an edge is covered clamp(0.5 + d), which
// gives edges that are smooth without supersampling and exact on whole-pixel
// boundaries.
#include <functional>
#include <vector>

namespace stylepics {

struct TPt {
    float X = 0, Y = 0;
};

using TSdf = std::function<float(float x, float y)>;

// Rectangles take pixel edges: Box(0, 0, 3, 2) covers columns 0..2, rows 0..1.
TSdf Box(float left, float top, float right, float bottom, float radius = 0);
TSdf Circle(float cx, float cy, float radius);
TSdf Ellipse(float left, float top, float right, float bottom);
// A stroke of the given width between two points, round ends.
TSdf Segment(TPt a, TPt b, float width);
TSdf Polyline(const std::vector<TPt>& points, float width);
TSdf Polygon(std::vector<TPt> points);
// A circular arc stroke from angle `from` to `to` (degrees, clockwise on
// screen, 0 = pointing right), round ends.
TSdf Arc(TPt centre, float radius, float from, float to, float width);
TSdf HalfPlaneBelow(float y); // inside where y > the line

TSdf Union(TSdf a, TSdf b);
TSdf Intersect(TSdf a, TSdf b);
TSdf Subtract(TSdf a, TSdf b);
// Grows (positive) or shrinks (negative) a shape.
TSdf Grow(TSdf a, float by);
// The band of the given width just inside the outline.
TSdf InnerRing(TSdf a, float width);
TSdf Translate(TSdf a, float dx, float dy);

} // namespace stylepics
