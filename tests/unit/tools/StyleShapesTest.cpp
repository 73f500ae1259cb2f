// The painter's shapes and ramps: where a pixel counts as covered decides
// every keyed corner of the built-in pictures.
#include <gtest/gtest.h>

#include "tools/stylepics/Glyphs.h"
#include "tools/stylepics/Paints.h"
#include "tools/stylepics/Shapes.h"

using namespace stylepics;

namespace {

// Cover of the pixel (x, y), as the layer computes it.
float Cover(const TSdf& shape, int x, int y) {
    return std::clamp(0.5f - shape(x + 0.5f, y + 0.5f), 0.0f, 1.0f);
}

TEST(StyleShapes, BoxOnPixelEdgesCoversWholePixelsOnly) {
    const TSdf box = Box(2, 1, 5, 3);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_FLOAT_EQ(Cover(box, x, y), inside ? 1.0f : 0.0f) << x << "," << y;
        }
}

TEST(StyleShapes, RoundedBoxLeavesItsCornerPixelsOut) {
    const TSdf box = Box(0, 0, 10, 10, 3);
    EXPECT_LT(Cover(box, 0, 0), 0.5f);
    EXPECT_LT(Cover(box, 9, 9), 0.5f);
    EXPECT_FLOAT_EQ(Cover(box, 3, 0), 1.0f);
    EXPECT_FLOAT_EQ(Cover(box, 5, 5), 1.0f);
    // A radius larger than the box is limited to half its side.
    EXPECT_FLOAT_EQ(Cover(Box(0, 0, 4, 4, 50), 1, 1), 1.0f);
}

TEST(StyleShapes, PolygonIsInsideWhicheverWayItWinds) {
    const TSdf clockwise = Polygon({{0, 0}, {8, 0}, {8, 8}, {0, 8}});
    const TSdf counter = Polygon({{0, 0}, {0, 8}, {8, 8}, {8, 0}});
    for (const TSdf& shape : {clockwise, counter}) {
        EXPECT_LT(shape(4, 4), 0);
        EXPECT_GT(shape(9, 4), 0);
        EXPECT_NEAR(shape(4, 1), -1, 1e-5);
        EXPECT_NEAR(shape(4, -2), 2, 1e-5);
    }
}

TEST(StyleShapes, SegmentAndArcHaveTheirStrokeWidth) {
    const TSdf line = Segment({0, 5}, {10, 5}, 2);
    EXPECT_NEAR(line(5, 5), -1, 1e-5);
    EXPECT_NEAR(line(5, 7), 1, 1e-5);
    EXPECT_NEAR(line(12, 5), 1, 1e-5); // round end
    // A quarter arc from the right (0 degrees) down to the bottom (90).
    const TSdf arc = Arc({0, 0}, 10, 0, 90, 2);
    EXPECT_LT(arc(7.07f, 7.07f), 0);
    EXPECT_GT(arc(-7.07f, -7.07f), 5);
    EXPECT_NEAR(arc(10, 0), -1, 1e-4);
}

TEST(StyleShapes, CombinationsKeepTheirMeaning) {
    const TSdf a = Box(0, 0, 10, 10), b = Box(5, 0, 15, 10);
    EXPECT_LT(Union(a, b)(12, 5), 0);
    EXPECT_GT(Intersect(a, b)(2, 5), 0);
    EXPECT_LT(Intersect(a, b)(7, 5), 0);
    EXPECT_LT(Subtract(a, b)(2, 5), 0);
    EXPECT_GT(Subtract(a, b)(7, 5), 0);
    EXPECT_LT(Grow(a, 2)(11, 5), 0);
    EXPECT_LT(Translate(a, 20, 0)(25, 5), 0);
    EXPECT_GT(Translate(a, 20, 0)(5, 5), 0);
    const TSdf ring = InnerRing(a, 2);
    EXPECT_LT(ring(1, 5), 0);
    EXPECT_GT(ring(5, 5), 0);
    EXPECT_GT(ring(-1, 5), 0);
}

TEST(StyleShapes, ThumbPointsAwayFromItsBody) {
    const TSdf down = ThumbShape(11, 20, 2, false);
    EXPECT_LT(Cover(down, 0, 19), 0.5f); // beside the point
    EXPECT_GT(Cover(down, 5, 19), 0.5f); // the point
    EXPECT_GT(Cover(down, 0, 8), 0.5f);  // the body
    EXPECT_LT(Cover(down, 0, 0), 0.5f);  // a rounded back corner
    const TSdf right = ThumbShape(20, 11, 2, true);
    EXPECT_LT(Cover(right, 19, 0), 0.5f);
    EXPECT_GT(Cover(right, 19, 5), 0.5f);
}

TEST(StyleShapes, GlyphsFitTheirBox) {
    const TSdf cross = CrossGlyph(10, 10, 8, 2);
    EXPECT_LT(cross(10, 10), 0);
    EXPECT_LT(cross(7, 7), 0);
    EXPECT_GT(cross(10, 6.5f), 0);
    EXPECT_GT(cross(15, 15), 0);
    const TSdf window = MaximiseGlyph(10, 10, 8, 1);
    EXPECT_LT(window(10, 7), 0);  // the heavy top edge
    EXPECT_GT(window(10, 10), 0); // the open middle
    EXPECT_LT(TriangleGlyph(10, 10, 8, TDirection::Down)(10, 11), 0);
    EXPECT_GT(TriangleGlyph(10, 10, 8, TDirection::Down)(10, 7.4f), -0.5f);
}

TEST(StylePaints, RampsHitTheirEndsAndInterpolate) {
    const TRamp ramp = {{0.0f, Rgb(0, 0, 0)}, {0.5f, Rgb(200, 100, 0)}, {1.0f, Rgb(255, 255, 255)}};
    EXPECT_EQ(ToColor(Sample(ramp, -1)), RGB(0, 0, 0));
    EXPECT_EQ(ToColor(Sample(ramp, 0.25f)), RGB(100, 50, 0));
    EXPECT_EQ(ToColor(Sample(ramp, 2)), RGB(255, 255, 255));
    EXPECT_EQ(ToColor(Sample({}, 0.5f)), RGB(0, 0, 0));
    // Rows 2 and 6 take the two ends, whatever the column.
    const TPaint paint = Vertical(2, 6, {{0.0f, Rgb(0, 0, 0)}, {1.0f, Rgb(0, 0, 200)}});
    EXPECT_EQ(ToColor(paint(3.5f, 2.5f)), RGB(0, 0, 0));
    EXPECT_EQ(ToColor(paint(0.5f, 4.5f)), RGB(0, 0, 100));
    EXPECT_EQ(ToColor(paint(9.5f, 6.5f)), RGB(0, 0, 200));
}

TEST(StylePaints, RowsClampOutsideTheirList) {
    const TPaint rows = Rows({Rgb(10, 0, 0), Rgb(20, 0, 0)});
    EXPECT_EQ(ToColor(rows(0, -3)), RGB(10, 0, 0));
    EXPECT_EQ(ToColor(rows(0, 1.5f)), RGB(20, 0, 0));
    EXPECT_EQ(ToColor(rows(0, 40)), RGB(20, 0, 0));
}

} // namespace
