#include "tools/stylepics/Glyphs.h"

namespace stylepics {

TSdf CrossGlyph(float cx, float cy, float size, float width) {
    const float h = size / 2 - width / 2;
    return Union(Segment({cx - h, cy - h}, {cx + h, cy + h}, width),
                 Segment({cx - h, cy + h}, {cx + h, cy - h}, width));
}

TSdf PlusGlyph(float cx, float cy, float size, float width) {
    const float h = size / 2;
    return Union(Box(cx - h, cy - width / 2, cx + h, cy + width / 2),
                 Box(cx - width / 2, cy - h, cx + width / 2, cy + h));
}

namespace {

TSdf WindowOutline(float left, float top, float right, float bottom, float width) {
    const TSdf outer = Box(left, top, right, bottom);
    const TSdf inner = Box(left + width, top + width * 2, right - width, bottom - width);
    return Subtract(outer, inner);
}

} // namespace

TSdf MaximiseGlyph(float cx, float cy, float size, float width) {
    const float h = size / 2;
    return WindowOutline(cx - h, cy - h, cx + h, cy + h, width);
}

TSdf RestoreGlyph(float cx, float cy, float size, float width) {
    const float h = size / 2;
    const float back = size * 0.3f;
    const TSdf front = WindowOutline(cx - h, cy - h + back, cx + h - back, cy + h, width);
    // The window behind shows only where the front one does not cover it.
    const TSdf behind = Subtract(WindowOutline(cx - h + back, cy - h, cx + h, cy + h - back, width),
                                 Box(cx - h - 1, cy - h + back, cx + h - back + 1, cy + h + 1));
    return Union(front, behind);
}

TSdf MinimiseGlyph(float cx, float cy, float size, float width) {
    const float h = size / 2;
    return Box(cx - h, cy + h - width * 1.5f, cx + h, cy + h - width * 0.5f + width);
}

TSdf QuestionGlyph(float cx, float cy, float size, float width) {
    const float r = size * 0.26f;
    const TPt hook{cx, cy - size * 0.22f};
    // The bowl, then a short stem down from its right-hand end.
    const TSdf bowl = Arc(hook, r, 180, 80, width);
    const TPt bowlEnd{hook.X + r * 0.17f, hook.Y + r * 0.98f};
    const TSdf stem = Segment(bowlEnd, {cx, cy + size * 0.14f}, width);
    const TSdf dot = Circle(cx, cy + size * 0.40f, width * 0.62f);
    return Union(Union(bowl, stem), dot);
}

TSdf DiamondGlyph(float cx, float cy, float size) {
    const float h = size / 2;
    return Polygon({{cx, cy - h}, {cx + h, cy}, {cx, cy + h}, {cx - h, cy}});
}

TSdf TriangleGlyph(float cx, float cy, float size, TDirection to) {
    const float h = size / 2;
    const float d = size * 0.3f; // the depth is a little more than half the base
    switch (to) {
    case TDirection::Up:
        return Polygon({{cx - h, cy + d}, {cx + h, cy + d}, {cx, cy - d}});
    case TDirection::Down:
        return Polygon({{cx - h, cy - d}, {cx + h, cy - d}, {cx, cy + d}});
    case TDirection::Left:
        return Polygon({{cx + d, cy - h}, {cx + d, cy + h}, {cx - d, cy}});
    case TDirection::Right:
        return Polygon({{cx - d, cy - h}, {cx - d, cy + h}, {cx + d, cy}});
    }
    return Polygon({});
}

TSdf ChevronGlyph(float cx, float cy, float size, float width, TDirection to) {
    const float h = size / 2 - width / 2;
    const float d = size / 4;
    switch (to) {
    case TDirection::Up:
        return Polyline({{cx - h, cy + d}, {cx, cy - d}, {cx + h, cy + d}}, width);
    case TDirection::Down:
        return Polyline({{cx - h, cy - d}, {cx, cy + d}, {cx + h, cy - d}}, width);
    case TDirection::Left:
        return Polyline({{cx + d, cy - h}, {cx - d, cy}, {cx + d, cy + h}}, width);
    case TDirection::Right:
        return Polyline({{cx - d, cy - h}, {cx + d, cy}, {cx - d, cy + h}}, width);
    }
    return Polygon({});
}

TSdf CheckGlyph(float cx, float cy, float size, float width) {
    const float h = size / 2;
    return Polyline({{cx - h + width / 2, cy},
                     {cx - h * 0.25f, cy + h * 0.65f},
                     {cx + h - width / 2, cy - h * 0.7f}},
                    width);
}

TSdf ThumbShape(float w, float h, float radius, bool vertical) {
    if (!vertical) {
        const float tip = w / 2 + 1;
        return Intersect(Polygon({{0, 0}, {w, 0}, {w, h - tip}, {w / 2, h}, {0, h - tip}}),
                         Box(0, 0, w, h + 2 * radius, radius));
    }
    const float tip = h / 2 + 1;
    return Intersect(Polygon({{0, 0}, {w - tip, 0}, {w, h / 2}, {w - tip, h}, {0, h}}),
                     Box(0, 0, w + 2 * radius, h, radius));
}

} // namespace stylepics
