#include "tools/stylepics/Shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace stylepics {

namespace {

float Length(float x, float y) {
    return std::sqrt(x * x + y * y);
}

float SegmentDistance(float px, float py, TPt a, TPt b) {
    const float bx = b.X - a.X, by = b.Y - a.Y;
    const float len2 = bx * bx + by * by;
    float t = len2 > 0 ? ((px - a.X) * bx + (py - a.Y) * by) / len2 : 0;
    t = std::clamp(t, 0.0f, 1.0f);
    return Length(px - a.X - bx * t, py - a.Y - by * t);
}

} // namespace

TSdf Box(float left, float top, float right, float bottom, float radius) {
    const float cx = (left + right) / 2, cy = (top + bottom) / 2;
    const float hx = (right - left) / 2, hy = (bottom - top) / 2;
    radius = std::min({radius, hx, hy});
    return [=](float x, float y) {
        const float qx = std::fabs(x - cx) - hx + radius;
        const float qy = std::fabs(y - cy) - hy + radius;
        return Length(std::max(qx, 0.0f), std::max(qy, 0.0f)) + std::min(std::max(qx, qy), 0.0f) -
               radius;
    };
}

TSdf Circle(float cx, float cy, float radius) {
    return [=](float x, float y) { return Length(x - cx, y - cy) - radius; };
}

TSdf Ellipse(float left, float top, float right, float bottom) {
    const float cx = (left + right) / 2, cy = (top + bottom) / 2;
    const float rx = (right - left) / 2, ry = (bottom - top) / 2;
    // Distance in the scaled space, brought back with the smaller radius:
    // close enough for the near-circles used here.
    const float r = std::min(rx, ry);
    return [=](float x, float y) { return (Length((x - cx) / rx, (y - cy) / ry) - 1) * r; };
}

TSdf Segment(TPt a, TPt b, float width) {
    return [=](float x, float y) { return SegmentDistance(x, y, a, b) - width / 2; };
}

TSdf Polyline(const std::vector<TPt>& points, float width) {
    return [=](float x, float y) {
        float best = 1e9f;
        for (size_t i = 1; i < points.size(); ++i)
            best = std::min(best, SegmentDistance(x, y, points[i - 1], points[i]));
        return best - width / 2;
    };
}

TSdf Polygon(std::vector<TPt> points) {
    return [points = std::move(points)](float x, float y) {
        float best = 1e9f;
        bool inside = false;
        const size_t n = points.size();
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const TPt& a = points[i];
            const TPt& b = points[j];
            best = std::min(best, SegmentDistance(x, y, a, b));
            if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X)
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

TSdf Arc(TPt centre, float radius, float from, float to, float width) {
    const float rad = std::numbers::pi_v<float> / 180;
    const TPt start{centre.X + radius * std::cos(from * rad),
                    centre.Y + radius * std::sin(from * rad)};
    const TPt end{centre.X + radius * std::cos(to * rad), centre.Y + radius * std::sin(to * rad)};
    float span = std::fmod(to - from + 720.0f, 360.0f);
    return [=](float x, float y) {
        float angle = std::atan2(y - centre.Y, x - centre.X) / rad;
        const float along = std::fmod(angle - from + 720.0f, 360.0f);
        float d;
        if (along <= span)
            d = std::fabs(Length(x - centre.X, y - centre.Y) - radius);
        else
            d = std::min(Length(x - start.X, y - start.Y), Length(x - end.X, y - end.Y));
        return d - width / 2;
    };
}

TSdf HalfPlaneBelow(float lineY) {
    return [=](float, float y) { return lineY - y; };
}

TSdf Union(TSdf a, TSdf b) {
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

TSdf Intersect(TSdf a, TSdf b) {
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

TSdf Subtract(TSdf a, TSdf b) {
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}

TSdf Grow(TSdf a, float by) {
    return [=](float x, float y) { return a(x, y) - by; };
}

TSdf InnerRing(TSdf a, float width) {
    return [=](float x, float y) {
        const float d = a(x, y);
        return std::max(d, -d - width);
    };
}

TSdf Translate(TSdf a, float dx, float dy) {
    return [=](float x, float y) { return a(x - dx, y - dy); };
}

} // namespace stylepics
