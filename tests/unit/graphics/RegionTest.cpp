#include <gtest/gtest.h>

#include <vector>

#include "gui/graphics/TRegion.h"
#include "gui/graphics/TShapeRaster.h"

namespace {

// Every pixel of `area`, as the region covers it: "#" inside, "." outside.
std::string Cover(const TRegion& region, const TRect& area) {
    std::string out;
    for (int y = area.Top; y < area.Bottom; ++y) {
        for (int x = area.Left; x < area.Right; ++x)
            out.push_back(region.Contains(x, y) ? '#' : '.');
        out.push_back('\n');
    }
    return out;
}

int Area(const TRegion& region) {
    int n = 0;
    for (const TRect& r : region.Rects())
        n += r.Width() * r.Height();
    return n;
}

} // namespace

TEST(Region, SetOperationsOnOverlappingRectangles) {
    const TRegion a(TRect(0, 0, 4, 4)), b(TRect(2, 2, 6, 6));
    EXPECT_EQ(Area(a.Union(b)), 16 + 16 - 4);
    EXPECT_EQ(a.Intersect(b), TRegion(TRect(2, 2, 4, 4)));
    EXPECT_EQ(Area(a.Subtract(b)), 12);
    EXPECT_FALSE(a.Subtract(b).Contains(2, 2));
    EXPECT_TRUE(a.Subtract(b).Contains(1, 3));
    EXPECT_EQ(Area(a.Xor(b)), 24);
    EXPECT_EQ(a.Union(b).Bounds(), TRect(0, 0, 6, 6));
    EXPECT_EQ(Cover(a.Union(b), {0, 0, 6, 6}), "####..\n####..\n######\n######\n..####\n..####\n");
}

TEST(Region, CanonicalFormMakesEqualCoverEqual) {
    // The same L shape built three ways.
    const TRegion byUnion = TRegion(TRect(0, 0, 2, 4)).Union(TRegion(TRect(2, 2, 4, 4)));
    const TRect pieces[] = {{0, 2, 4, 3}, {0, 0, 2, 2}, {3, 3, 4, 4}, {0, 3, 3, 4}};
    const TRegion byRects = TRegion::FromRects(pieces);
    const TRegion bySubtract = TRegion(TRect(0, 0, 4, 4)).Subtract(TRegion(TRect(2, 0, 4, 2)));
    EXPECT_EQ(byUnion, byRects);
    EXPECT_EQ(byUnion, bySubtract);
    EXPECT_EQ(byUnion.Rects().size(), 2u); // two bands, each one rectangle
    // Touching rectangles merge; identical neighbouring bands merge.
    const TRect halves[] = {{0, 0, 2, 2}, {2, 0, 4, 2}, {0, 2, 4, 3}};
    EXPECT_EQ(TRegion::FromRects(halves), TRegion(TRect(0, 0, 4, 3)));
    EXPECT_NE(byUnion, TRegion(TRect(0, 0, 4, 4)));
}

TEST(Region, EmptyInputsAndOffset) {
    TRegion empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_TRUE(TRegion(TRect(3, 3, 3, 9)).IsEmpty());
    EXPECT_TRUE(TRegion(TRect(5, 5, 1, 1)).IsEmpty());
    EXPECT_EQ(empty.Bounds(), TRect());
    const TRegion box(TRect(1, 1, 3, 3));
    EXPECT_EQ(box.Union(empty), box);
    EXPECT_TRUE(box.Intersect(empty).IsEmpty());
    EXPECT_TRUE(box.Subtract(box).IsEmpty());
    EXPECT_TRUE(TRegion(TRect(0, 0, 2, 2)).Intersect(TRegion(TRect(2, 0, 4, 2))).IsEmpty());
    TRegion moved = box.Union(TRegion(TRect(5, 5, 6, 6)));
    moved.Offset(-1, 10);
    EXPECT_TRUE(moved.Contains(0, 11));
    EXPECT_TRUE(moved.Contains(4, 15));
    EXPECT_FALSE(moved.Contains(1, 1));
    EXPECT_EQ(moved.Bounds(), TRect(0, 11, 5, 16));
}

TEST(Region, ContainsUsesExclusiveRightAndBottom) {
    const TRegion r(TRect(2, 3, 5, 7));
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(4, 6));
    EXPECT_FALSE(r.Contains(5, 6));
    EXPECT_FALSE(r.Contains(4, 7));
    EXPECT_FALSE(r.Contains(1, 3));
}

TEST(Region, RoundRectCoversOneLessToTheRightAndBottom) {
    // Callers wanting W x H pixels pass W + 1, H + 1.
    const TRegion square = TRegion::RoundRect(0, 0, 11, 9, 0, 0);
    EXPECT_EQ(square, TRegion(TRect(0, 0, 10, 8)));
    // Ellipses narrower than two pixels give a plain rectangle.
    EXPECT_EQ(TRegion::RoundRect(0, 0, 11, 9, 1, 6), TRegion(TRect(0, 0, 10, 8)));
    EXPECT_TRUE(TRegion::RoundRect(0, 0, 1, 1, 4, 4).IsEmpty());
    // Swapped corners are put in order first.
    EXPECT_EQ(TRegion::RoundRect(11, 9, 0, 0, 6, 6), TRegion::RoundRect(0, 0, 11, 9, 6, 6));
}

TEST(Region, RoundRectCornersAreQuarterEllipses) {
    const TRegion r = TRegion::RoundRect(0, 0, 11, 9, 6, 6);
    EXPECT_EQ(r.Bounds(), TRect(0, 0, 10, 8));
    EXPECT_EQ(Cover(r, {0, 0, 10, 8}), "..######..\n"
                                       ".########.\n"
                                       "##########\n"
                                       "##########\n"
                                       "##########\n"
                                       "##########\n"
                                       ".########.\n"
                                       "..######..\n");
    // Mirror symmetry in both directions, for an odd size too.
    const TRegion odd = TRegion::RoundRect(3, 4, 3 + 14, 4 + 10, 9, 7);
    const TRect b = odd.Bounds();
    EXPECT_EQ(b, TRect(3, 4, 16, 13));
    for (int y = b.Top; y < b.Bottom; ++y)
        for (int x = b.Left; x < b.Right; ++x) {
            const int mx = b.Left + b.Right - 1 - x, my = b.Top + b.Bottom - 1 - y;
            EXPECT_EQ(odd.Contains(x, y), odd.Contains(mx, y)) << x << "," << y;
            EXPECT_EQ(odd.Contains(x, y), odd.Contains(x, my)) << x << "," << y;
        }
    EXPECT_FALSE(odd.Contains(b.Left, b.Top));
    EXPECT_TRUE(odd.Contains(b.Left, b.Top + b.Height() / 2));
    EXPECT_TRUE(odd.Contains(b.Left + b.Width() / 2, b.Top));
}

TEST(Region, TopCornersOnlyAsTheSkinnedFrameBuildsThem) {
    // A rounded rectangle joined with squares over the bottom corners.
    const int w = 20, h = 12, radius = 4;
    const TRect squares[] = {{0, h - 2 * radius, 2 * radius, h},
                             {w - 2 * radius, h - 2 * radius, w, h}};
    const TRegion shape =
        TRegion::RoundRect(0, 0, w + 1, h + 1, radius, radius).Union(TRegion::FromRects(squares));
    EXPECT_FALSE(shape.Contains(0, 0));
    EXPECT_FALSE(shape.Contains(w - 1, 0));
    EXPECT_TRUE(shape.Contains(0, h - 1));
    EXPECT_TRUE(shape.Contains(w - 1, h - 1));
    EXPECT_EQ(shape.Bounds(), TRect(0, 0, w, h));
}

TEST(ShapeRaster, EllipseRowsAreSymmetricAndTouchTheBox) {
    for (int w = 1; w <= 17; ++w)
        for (int h = 1; h <= 13; ++h) {
            const std::vector<TSpan> rows = TShapeRaster::EllipseRows(w, h);
            ASSERT_EQ(rows.size(), static_cast<size_t>(h));
            int widest = 0;
            for (int y = 0; y < h; ++y) {
                const TSpan s = rows[static_cast<size_t>(y)];
                ASSERT_FALSE(s.IsEmpty()) << w << "x" << h << " row " << y;
                EXPECT_EQ(s.Left, w - s.Right) << w << "x" << h << " row " << y;
                EXPECT_EQ(s, rows[static_cast<size_t>(h - 1 - y)]) << w << "x" << h;
                EXPECT_GE(s.Left, 0);
                EXPECT_LE(s.Right, w);
                widest = std::max(widest, s.Right - s.Left);
                // Convex: rows widen towards the middle.
                if (y > 0 && y <= (h - 1) / 2) {
                    EXPECT_LE(s.Left, rows[static_cast<size_t>(y - 1)].Left);
                }
            }
            EXPECT_EQ(widest, w) << w << "x" << h;
        }
    EXPECT_TRUE(TShapeRaster::EllipseRows(0, 5).empty());
    EXPECT_TRUE(TShapeRaster::EllipseOutline(5, -1).empty());
}

TEST(ShapeRaster, OutlineIsClosedAndOnePixelThin) {
    const std::vector<TSpan> rows = TShapeRaster::EllipseRows(15, 11);
    const auto outline = TShapeRaster::OutlineRows(rows);
    auto on = [&](int x, int y) {
        if (y < 0 || y >= 11) return false;
        for (const TSpan& s : outline[static_cast<size_t>(y)])
            if (x >= s.Left && x < s.Right) return true;
        return false;
    };
    // Every outline pixel is inside the shape and has two outline neighbours.
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 15; ++x) {
            if (!on(x, y)) continue;
            EXPECT_TRUE(x >= rows[static_cast<size_t>(y)].Left &&
                        x < rows[static_cast<size_t>(y)].Right);
            int neighbours = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    neighbours += (dx || dy) && on(x + dx, y + dy);
            EXPECT_GE(neighbours, 2) << x << "," << y;
        }
    // The middle row's interior is not outline.
    EXPECT_FALSE(on(7, 5));
    EXPECT_TRUE(on(0, 5));
    EXPECT_TRUE(on(14, 5));
}
