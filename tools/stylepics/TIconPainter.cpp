#include "tools/stylepics/TIconPainter.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "tools/stylepics/Glyphs.h"
#include "tools/stylepics/Looks.h"

namespace stylepics {

namespace {

const TRgba Ink = Rgb(36, 44, 64);
const TRgba PageEdge = Rgb(96, 106, 128);
const TRgba Green = Rgb(52, 162, 52);
const TRgba Blue = Rgb(44, 116, 220);
const TRgba Red = Rgb(214, 48, 36);
const TRgba Gold = Rgb(255, 194, 30);
const TRgba White = Rgb(255, 255, 255);

TPt Polar(TPt c, float r, float degrees) {
    const float a = degrees * std::numbers::pi_v<float> / 180;
    return {c.X + r * std::cos(a), c.Y + r * std::sin(a)};
}

} // namespace

TIconPainter::TIconPainter(TLayer& layer, float x, float y, float size)
    : FLayer(layer), FX(x), FY(y), FK(size / 16) {}

TSdf TIconPainter::Rect(float l, float t, float r, float b, float radius) const {
    return Box(FX + l * FK, FY + t * FK, FX + r * FK, FY + b * FK, radius * FK);
}

TSdf TIconPainter::Disc(float cx, float cy, float r) const {
    return Circle(FX + cx * FK, FY + cy * FK, r * FK);
}

TSdf TIconPainter::Line(std::initializer_list<TPt> units, float width) const {
    std::vector<TPt> points;
    for (TPt p : units)
        points.push_back(P(p.X, p.Y));
    return Polyline(points, std::max(width * FK, 1.0f));
}

TSdf TIconPainter::Shape(std::initializer_list<TPt> units) const {
    std::vector<TPt> points;
    for (TPt p : units)
        points.push_back(P(p.X, p.Y));
    return Polygon(points);
}

TPaint TIconPainter::Ramp(float top, float bottom, TRgba upper, TRgba lower) const {
    return Vertical(FY + top * FK, FY + bottom * FK, {{0.0f, upper}, {1.0f, lower}});
}

void TIconPainter::Fill(const TSdf& shape, const TPaint& paint) {
    FLayer.Fill(shape, paint);
}
void TIconPainter::Fill(const TSdf& shape, TRgba colour) {
    FLayer.Fill(shape, colour);
}

void TIconPainter::Outlined(const TSdf& shape, const TPaint& paint, TRgba outline) {
    FLayer.Fill(shape, paint);
    FLayer.Fill(InnerRing(shape, std::max(FK, 1.0f)), outline);
}

void TIconPainter::PageShape(float l, float t, float r, float b, bool lines) {
    const float fold = (r - l) * 0.32f;
    const TSdf page = Shape({{l, t}, {r - fold, t}, {r, t + fold}, {r, b}, {l, b}});
    Outlined(page, Ramp(t, b, White, Rgb(222, 229, 242)), PageEdge);
    Fill(Shape({{r - fold, t}, {r - fold, t + fold}, {r, t + fold}}), Rgb(206, 214, 230));
    if (!lines) return;
    // Whole rows, so the lines stay crisp at 16 pixels.
    for (float y = std::ceil(t + fold + 1.5f); y < b - 1.5f; y += 2)
        Fill(Rect(l + 2, y, r - 2, y + 1), Rgb(140, 160, 196));
}

void TIconPainter::FolderShape(bool open) {
    const TRgba edge = Rgb(160, 112, 20);
    Outlined(Rect(1, 2.5f, 7, 6, 1), Ramp(2.5f, 6, Rgb(250, 214, 110), Rgb(236, 180, 60)), edge);
    Outlined(Rect(1, 4, 15, 14, 1), Ramp(4, 14, Rgb(252, 220, 120), Rgb(232, 170, 44)), edge);
    if (open)
        Outlined(Shape({{3.5f, 7}, {15.5f, 7}, {13.5f, 14}, {1, 14}}),
                 Ramp(7, 14, Rgb(255, 240, 170), Rgb(246, 196, 70)), edge);
    else
        Fill(Rect(2, 5.5f, 14, 6.5f), Rgb(255, 244, 190, 0.8f));
}

void TIconPainter::GlobeShape(float cx, float cy, float r, bool grey) {
    const TRgba sea = grey ? Rgb(150, 156, 168) : Rgb(40, 120, 220);
    const TRgba land = grey ? Rgb(188, 192, 200) : Rgb(80, 176, 64);
    const TSdf globe = Disc(cx, cy, r);
    Fill(globe, Radial(FX + (cx - r * 0.35f) * FK, FY + (cy - r * 0.4f) * FK, r * 1.7f * FK,
                       {{0.0f, Lighten(sea, 0.55f)}, {0.6f, sea}, {1.0f, Darken(sea, 0.3f)}}));
    const float s = r / 6.5f;
    Fill(Intersect(globe, Shape({{cx - 4 * s, cy - 5 * s},
                                 {cx + 0.5f * s, cy - 4.5f * s},
                                 {cx - 0.5f * s, cy - 1 * s},
                                 {cx + 1.5f * s, cy + 2 * s},
                                 {cx - 1.5f * s, cy + 5.5f * s},
                                 {cx - 5 * s, cy}})),
         land);
    Fill(Intersect(globe, Shape({{cx + 2.5f * s, cy - 3 * s},
                                 {cx + 6.5f * s, cy - 1 * s},
                                 {cx + 5 * s, cy + 3.5f * s},
                                 {cx + 2.5f * s, cy + 1 * s}})),
         land);
    Fill(Intersect(globe, Rect(cx - r, cy - r, cx + r, cy - r * 0.1f)), Rgb(255, 255, 255, 0.2f));
    Fill(InnerRing(globe, std::max(FK, 1.0f)), Darken(sea, 0.45f));
}

void TIconPainter::StarShape(float cx, float cy, float r) {
    std::vector<TPt> points;
    for (int i = 0; i < 10; ++i) {
        const TPt p = Polar({cx, cy}, i % 2 ? r * 0.45f : r, -90 + i * 36.0f);
        points.push_back(P(p.X, p.Y));
    }
    const TSdf star = Polygon(points);
    Fill(star, Ramp(cy - r, cy + r, Rgb(255, 240, 150), Gold));
    Fill(InnerRing(star, std::max(FK * 0.9f, 1.0f)), Rgb(176, 110, 0));
}

void TIconPainter::Ball(float cx, float cy, float r, TRgba base) {
    const TSdf ball = Disc(cx, cy, r);
    Fill(ball, Radial(FX + (cx - r * 0.3f) * FK, FY + (cy - r * 0.35f) * FK, r * 1.6f * FK,
                      {{0.0f, Lighten(base, 0.5f)}, {0.55f, base}, {1.0f, Darken(base, 0.3f)}}));
    Fill(InnerRing(ball, std::max(FK, 1.0f)), Darken(base, 0.45f));
    Fill(Intersect(Disc(cx, cy, r - 1.2f), Rect(cx - r, cy - r, cx + r, cy - r * 0.15f)),
         Ramp(cy - r, cy, Rgb(255, 255, 255, 0.65f), Rgb(255, 255, 255, 0.05f)));
}

void TIconPainter::ArrowBall(bool forward) {
    Ball(8, 8, 7.2f, Green);
    const TSdf arrow =
        forward ? Union(Rect(3.5f, 6.5f, 9, 9.5f), Shape({{8, 3.5f}, {12.8f, 8}, {8, 12.5f}}))
                : Union(Rect(7, 6.5f, 12.5f, 9.5f), Shape({{8, 3.5f}, {3.2f, 8}, {8, 12.5f}}));
    Fill(Grow(arrow, 0.6f), Rgb(0, 60, 0, 0.35f));
    Fill(arrow, White);
}

void TIconPainter::Magnifier(float cx, float cy, float r) {
    Fill(Line({{cx + r * 0.7f, cy + r * 0.7f}, {cx + r * 1.75f, cy + r * 1.75f}}, 2.8f),
         Rgb(70, 52, 36));
    Fill(Line({{cx + r * 0.8f, cy + r * 0.8f}, {cx + r * 1.65f, cy + r * 1.65f}}, 1.4f),
         Rgb(150, 110, 70));
    const TSdf lens = Disc(cx, cy, r);
    Fill(lens, Radial(FX + (cx - r * 0.3f) * FK, FY + (cy - r * 0.3f) * FK, r * 1.4f * FK,
                      {{0.0f, Rgb(255, 255, 255, 0.95f)}, {1.0f, Rgb(170, 210, 250, 0.9f)}}));
    Fill(InnerRing(Grow(lens, 1.2f * FK), 1.8f * FK), Rgb(70, 80, 100));
}

void TIconPainter::Badge(float cx, float cy, TRgba base, TIcon sign) {
    const float r = 3.6f;
    Fill(Disc(cx, cy, r + 0.6f), White);
    Ball(cx, cy, r, base);
    if (sign == icNewPage || sign == icAddFavourite)
        Fill(PlusGlyph(P(cx, cy).X, P(cx, cy).Y, L(4.4f), L(1.4f)), White);
    else if (sign == icClear || sign == icOffline)
        Fill(CrossGlyph(P(cx, cy).X, P(cx, cy).Y, L(4), L(1.4f)), White);
    else
        Fill(Union(Rect(cx - 0.8f, cy - 2.4f, cx + 0.8f, cy + 0.2f),
                   Shape({{cx - 2.2f, cy - 0.2f}, {cx + 2.2f, cy - 0.2f}, {cx, cy + 2.4f}})),
             White);
}

void TIconPainter::Clock(float cx, float cy, float r) {
    const TSdf face = Disc(cx, cy, r);
    Fill(face,
         Radial(P(cx, cy).X, P(cx, cy).Y, r * FK, {{0.0f, White}, {1.0f, Rgb(220, 228, 240)}}));
    Fill(InnerRing(face, std::max(1.3f * FK, 1.0f)), Rgb(44, 84, 160));
    for (int i = 0; i < 12; i += 3) {
        const TPt a = Polar({cx, cy}, r * 0.78f, i * 30.0f),
                  b = Polar({cx, cy}, r * 0.6f, i * 30.0f);
        Fill(Line({a, b}, 1), Rgb(90, 100, 130));
    }
    Fill(Line({{cx, cy}, {cx, cy - r * 0.62f}}, 1.2f), Ink);
    Fill(Line({{cx, cy}, {cx + r * 0.45f, cy + r * 0.1f}}, 1.2f), Ink);
}

void TIconPainter::Bubble() {
    const TSdf bubble =
        Union(Rect(1, 1.5f, 15, 11, 3.5f), Shape({{4, 10}, {8.5f, 10}, {3, 14.8f}}));
    Outlined(bubble, Ramp(1.5f, 12, Rgb(255, 252, 230), Rgb(246, 224, 150)), Rgb(150, 118, 36));
    for (float x : {5.0f, 8.0f, 11.0f})
        Fill(Disc(x, 6.3f, 1.1f), Blue);
}

void TIconPainter::Envelope(float l, float t, float r, float b) {
    const TSdf body = Rect(l, t, r, b, 0.8f);
    Outlined(body, Ramp(t, b, White, Rgb(224, 230, 242)), PageEdge);
    Fill(Line({{l + 0.8f, t + 0.8f}, {(l + r) / 2, (t + b) / 2 + 0.5f}, {r - 0.8f, t + 0.8f}}, 1),
         PageEdge);
}

void TIconPainter::Gear(float cx, float cy, float r) {
    std::vector<TPt> points;
    for (int i = 0; i < 32; ++i) {
        const bool outer = (i / 2) % 2 == 0;
        const TPt p = Polar({cx, cy}, outer ? r : r * 0.74f, i * 11.25f + 5.6f);
        points.push_back(P(p.X, p.Y));
    }
    const TSdf gear = Subtract(Polygon(points), Disc(cx, cy, r * 0.32f));
    Fill(gear, Ramp(cy - r, cy + r, Rgb(220, 224, 232), Rgb(120, 128, 146)));
    Fill(InnerRing(gear, std::max(FK, 1.0f)), Rgb(60, 66, 84));
}

void TIconPainter::RefreshArrows() {
    const TRgba colour = Rgb(46, 156, 60);
    const TPt c = P(8, 8);
    const float r = L(4.8f);
    const auto arrow = [&](float from, float to) {
        const TSdf arc = Arc(c, r, from, to, L(2.2f));
        const float a = to * std::numbers::pi_v<float> / 180;
        const TPt end{c.X + r * std::cos(a), c.Y + r * std::sin(a)};
        const TPt tangent{-std::sin(a), std::cos(a)}, normal{std::cos(a), std::sin(a)};
        const float h = L(3.2f);
        const TSdf head = Polygon({{end.X + normal.X * h, end.Y + normal.Y * h},
                                   {end.X - normal.X * h, end.Y - normal.Y * h},
                                   {end.X + tangent.X * h * 1.1f, end.Y + tangent.Y * h * 1.1f}});
        return Union(arc, head);
    };
    const TSdf both = Union(arrow(200, 330), arrow(20, 150));
    Fill(Grow(both, std::max(FK * 0.8f, 0.8f)), Darken(colour, 0.5f));
    Fill(both,
         Radial(c.X - L(2), c.Y - L(2), L(9), {{0.0f, Lighten(colour, 0.45f)}, {1.0f, colour}}));
}

void TIconPainter::Printer() {
    PageShape(4, 1, 12, 7, false);
    Outlined(Rect(1, 6, 15, 12.5f, 1.5f), Ramp(6, 12.5f, Rgb(226, 228, 234), Rgb(138, 144, 158)),
             Rgb(70, 76, 92));
    Fill(Rect(3, 10, 13, 11), Rgb(60, 66, 80));
    Outlined(Rect(4, 10.5f, 12, 15), Ramp(10.5f, 15, White, Rgb(230, 234, 244)), PageEdge);
    Fill(Disc(12.8f, 8, 0.9f), Rgb(80, 220, 80));
}

void TIconPainter::Letter(float x, float y, float h, TRgba colour) {
    Fill(Line({{x, y + h}, {x + h * 0.38f, y}, {x + h * 0.76f, y + h}}, h * 0.18f), colour);
    Fill(Line({{x + h * 0.18f, y + h * 0.62f}, {x + h * 0.58f, y + h * 0.62f}}, h * 0.14f), colour);
}

void TIconPainter::Paint(TIcon icon) {
    switch (icon) {
    case icOrganiseFavourites:
        FolderShape(false);
        StarShape(10.5f, 9.5f, 4.6f);
        break;
    case icFolder:
        FolderShape(false);
        break;
    case icFolderOpen:
        FolderShape(true);
        break;
    case icPage:
        PageShape(2.5f, 1, 13.5f, 15, true);
        break;
    case icGame: {
        const TSdf pad =
            Union(Rect(1, 5, 15, 11.5f, 3.2f), Union(Disc(3.8f, 11, 3.2f), Disc(12.2f, 11, 3.2f)));
        Outlined(pad, Ramp(5, 14, Rgb(236, 238, 246), Rgb(150, 158, 184)), Rgb(64, 70, 96));
        Fill(Union(Rect(2.6f, 7.6f, 6.4f, 8.8f), Rect(3.9f, 6.3f, 5.1f, 10.1f)), Ink);
        Fill(Disc(11, 7.6f, 1.1f), Red);
        Fill(Disc(13, 9.2f, 1.1f), Blue);
        break;
    }
    case icGlobe:
        GlobeShape(8, 8, 7, false);
        break;
    case icHome:
        Outlined(Rect(3, 7.5f, 13, 15), Ramp(7.5f, 15, White, Rgb(226, 222, 210)),
                 Rgb(110, 96, 80));
        Outlined(Shape({{8, 1}, {15.5f, 8.5f}, {0.5f, 8.5f}}),
                 Ramp(1, 8.5f, Rgb(240, 110, 80), Rgb(190, 50, 30)), Rgb(120, 30, 20));
        Fill(Rect(6.5f, 10, 9.5f, 15), Rgb(150, 96, 50));
        break;
    case icOptions:
        Gear(8, 8, 7.2f);
        break;
    case icAbout:
        Ball(8, 8, 7.2f, Blue);
        Fill(Disc(8, 4.6f, 1.3f), White);
        Fill(Rect(6.9f, 6.8f, 9.1f, 12.6f, 0.5f), White);
        break;
    case icHelp:
        Ball(8, 8, 7.2f, Blue);
        Fill(QuestionGlyph(P(8, 8).X, P(8, 8).Y, L(9.5f), L(2)), White);
        break;
    case icOffline:
        GlobeShape(7.5f, 7.5f, 6.5f, true);
        Badge(11.8f, 11.8f, Red, icOffline);
        break;
    case icExit:
        Outlined(Rect(2, 1, 10, 15), Ramp(1, 15, Rgb(196, 140, 88), Rgb(130, 80, 40)),
                 Rgb(80, 48, 20));
        Fill(Rect(3.5f, 2.5f, 8.5f, 13.5f), Rgb(255, 236, 200, 0.35f));
        Fill(Disc(8, 8.5f, 0.9f), Gold);
        Fill(Union(Rect(9, 7, 12.5f, 10), Shape({{12, 4.5f}, {15.8f, 8.5f}, {12, 12.5f}})), Green);
        break;
    case icProperties:
        Outlined(Rect(1.5f, 1.5f, 14.5f, 14.5f, 1), Ramp(1.5f, 14.5f, White, Rgb(226, 232, 244)),
                 PageEdge);
        Fill(Rect(2.5f, 2.5f, 13.5f, 5), Ramp(2.5f, 5, Rgb(90, 150, 240), Blue));
        for (float y : {7.0f, 9.5f, 12.0f}) {
            Fill(Rect(4, y, 6, y + 1.5f), Green);
            Fill(Rect(7, y + 0.3f, 12.5f, y + 1.2f), Rgb(120, 136, 170));
        }
        break;
    case icPrint:
        Printer();
        break;
    case icPrintPreview:
        PageShape(1.5f, 1, 11.5f, 14, true);
        Magnifier(10, 9.5f, 3.4f);
        break;
    case icPageSetup:
        PageShape(2.5f, 1, 13.5f, 15, false);
        Fill(InnerRing(Rect(4.5f, 5, 11.5f, 13), std::max(FK * 0.9f, 1.0f)), Blue);
        Fill(Rect(5.5f, 6, 10.5f, 12), Rgb(44, 116, 220, 0.15f));
        break;
    case icCut: {
        const TRgba blade = Rgb(150, 156, 170);
        Fill(Line({{5.5f, 10.5f}, {11, 1.5f}}, 1.6f), blade);
        Fill(Line({{10.5f, 10.5f}, {5, 1.5f}}, 1.6f), blade);
        Fill(InnerRing(Disc(4.5f, 12.5f, 2.6f), L(1.4f)), Red);
        Fill(InnerRing(Disc(11.5f, 12.5f, 2.6f), L(1.4f)), Red);
        break;
    }
    case icCopy:
        PageShape(1.5f, 1, 10, 11, true);
        PageShape(6, 5, 14.5f, 15, true);
        break;
    case icPaste:
        Outlined(Rect(1.5f, 2.5f, 11.5f, 15, 1),
                 Ramp(2.5f, 15, Rgb(200, 150, 96), Rgb(150, 100, 50)), Rgb(90, 56, 24));
        Fill(Rect(4, 1.5f, 9, 4, 1), Rgb(160, 166, 180));
        PageShape(6.5f, 6, 15, 15.5f, true);
        break;
    case icSelectAll:
        PageShape(2.5f, 1, 13.5f, 15, false);
        Fill(Rect(4, 5, 12, 13), Rgb(60, 120, 230, 0.35f));
        for (float y = 6; y < 12.5f; y += 2)
            Fill(Rect(4.5f, y, 11.5f, y + 0.9f), Rgb(20, 60, 160));
        break;
    case icBack:
        ArrowBall(false);
        break;
    case icForward:
        ArrowBall(true);
        break;
    case icMail:
        Envelope(1, 3.5f, 15, 13);
        break;
    case icHistory:
        Clock(8, 8, 7);
        break;
    case icFavourite:
        StarShape(8, 8.5f, 7.5f);
        break;
    case icAddFavourite:
        StarShape(7, 7.5f, 6.8f);
        Badge(12, 12, Green, icAddFavourite);
        break;
    case icSkin: {
        const TSdf palette = Subtract(Union(Disc(8, 8, 7), Disc(5, 12, 3)), Disc(10.5f, 11, 1.6f));
        Outlined(palette, Ramp(1, 15, Rgb(250, 236, 206), Rgb(220, 190, 140)), Rgb(130, 96, 50));
        Fill(Disc(5, 6, 1.5f), Red);
        Fill(Disc(8.5f, 4, 1.5f), Gold);
        Fill(Disc(12, 6, 1.5f), Blue);
        Fill(Disc(4.5f, 10, 1.5f), Green);
        break;
    }
    case icOpen:
        FolderShape(true);
        Fill(Union(Rect(9.5f, 2, 11, 6), Shape({{7.5f, 3}, {10.25f, 0.2f}, {13, 3}})), Green);
        break;
    case icSearchWeb:
        GlobeShape(7, 7, 6, false);
        Magnifier(9.5f, 9.5f, 3.2f);
        break;
    case icNewWindow:
        Outlined(Rect(1, 2, 15, 14, 1), Ramp(2, 14, White, Rgb(226, 232, 244)), PageEdge);
        Fill(Rect(2, 3, 14, 5.5f), Ramp(3, 5.5f, Rgb(90, 150, 240), Blue));
        StarShape(11.5f, 11, 3.6f);
        break;
    case icSave:
        Outlined(Rect(1.5f, 1.5f, 14.5f, 14.5f, 1.2f),
                 Ramp(1.5f, 14.5f, Rgb(90, 140, 220), Rgb(40, 80, 170)), Rgb(20, 40, 100));
        Fill(Rect(4, 1.5f, 12, 6.5f), Rgb(236, 240, 248));
        Fill(Rect(9.5f, 2.5f, 11, 5.5f), Rgb(60, 80, 130));
        Fill(Rect(3.5f, 9, 12.5f, 14.5f), Rgb(250, 250, 252));
        break;
    case icTextSize:
        Letter(1, 3, 11, Ink);
        Letter(9.5f, 8, 6.5f, Blue);
        break;
    case icStop: {
        std::vector<TPt> points;
        for (int i = 0; i < 8; ++i) {
            const TPt p = Polar({8, 8}, 7.6f, 22.5f + i * 45.0f);
            points.push_back(P(p.X, p.Y));
        }
        const TSdf octagon = Polygon(points);
        Fill(octagon, Ramp(0.5f, 15.5f, Rgb(250, 110, 90), Rgb(196, 30, 20)));
        Fill(InnerRing(octagon, std::max(FK, 1.0f)), Rgb(120, 10, 4));
        Fill(CrossGlyph(P(8, 8).X, P(8, 8).Y, L(7), L(2.2f)), White);
        break;
    }
    case icSource:
        PageShape(2.5f, 1, 13.5f, 15, false);
        Fill(Line({{7, 6}, {4.8f, 8.5f}, {7, 11}}, 1.4f), Blue);
        Fill(Line({{9, 6}, {11.2f, 8.5f}, {9, 11}}, 1.4f), Blue);
        break;
    case icFeedback:
        PageShape(1.5f, 1, 11.5f, 14.5f, true);
        Fill(Line({{14.5f, 4}, {8, 12.5f}}, 2.6f), Rgb(110, 70, 30));
        Fill(Line({{14.5f, 4}, {8.6f, 11.8f}}, 1.4f), Gold);
        Fill(Shape({{7.2f, 11.6f}, {9, 13}, {6.6f, 14}}), Ink);
        break;
    case icFind:
        Magnifier(6.5f, 6.5f, 4.6f);
        break;
    case icNewPage:
        PageShape(2.5f, 1, 13, 15, true);
        Badge(11.5f, 11.5f, Green, icNewPage);
        break;
    case icRefresh:
        RefreshArrows();
        break;
    case icCurrentPage:
        PageShape(1.5f, 1, 10.5f, 12, true);
        PageShape(5.5f, 4, 14.5f, 15, false);
        Fill(Union(Rect(7.5f, 8.8f, 10.5f, 10.6f),
                   Shape({{10.2f, 6.8f}, {13, 9.7f}, {10.2f, 12.6f}})),
             Blue);
        break;
    case icContact:
        Bubble();
        break;
    case icUpdate:
        GlobeShape(7, 7, 6.5f, false);
        Badge(11.8f, 11.8f, Green, icUpdate);
        break;
    case icClear:
        Clock(7.5f, 7.5f, 6.8f);
        Badge(12, 12, Red, icClear);
        break;
    case icGo: {
        const TSdf face = Rect(1, 1, 15, 15, 3);
        Fill(face, Ramp(1, 15, Rgb(110, 210, 100), Rgb(30, 140, 40)));
        Fill(InnerRing(face, std::max(FK, 1.0f)), Rgb(20, 90, 20));
        Fill(Intersect(Grow(face, -1.2f * FK), Rect(1, 1, 15, 7.5f)), Rgb(255, 255, 255, 0.3f));
        Fill(Union(Rect(3.5f, 6.6f, 9, 9.4f), Shape({{8, 3.5f}, {12.8f, 8}, {8, 12.5f}})), White);
        break;
    }
    case icCount:
        break;
    }
}

} // namespace stylepics
