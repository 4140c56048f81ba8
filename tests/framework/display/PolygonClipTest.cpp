// Clipping polygons of pre-transformed vertices to a rectangle and to a texture piece.

#include "framework/display/VertexList.h"

#include <gtest/gtest.h>

#include <cmath>

namespace Vuro {
namespace {

using Platform::TLVertex;

TLVertex Vertex(float x, float y, float u = 0, float v = 0, uint32_t color = 0xFFFFFFFF) {
    return TLVertex{x, y, 0.0f, 1.0f, color, 0, u, v};
}

VertexList Square(float x, float y, float size) {
    VertexList list;
    list.Append(Vertex(x, y, x, y));
    list.Append(Vertex(x, y + size, x, y + size));
    list.Append(Vertex(x + size, y + size, x + size, y + size));
    list.Append(Vertex(x + size, y, x + size, y));
    return list;
}

// Shoelace area over the chosen pair of components (0, 1 screen; 3, 4 texture).
double Area(const VertexList& list, int cx, int cy) {
    double twice = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const TLVertex& a = list[i];
        const TLVertex& b = list[(i + 1) % list.Count()];
        twice += double(GetVertexComponent(a, cx)) * GetVertexComponent(b, cy) -
                 double(GetVertexComponent(b, cx)) * GetVertexComponent(a, cy);
    }
    return std::abs(twice) / 2;
}

double Overlap(double a0, double a1, double b0, double b1) {
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

// A square inside, over a side, a triangle over a corner, a square outside, and polygons on the
// lower and upper bounds.
TEST(PolygonClip, InsideSideCornerOutsideAndOnTheBounds) {
    const Rect clip(0, 0, 10, 10);
    VertexList inside = Square(2, 2, 4);
    ClipToRect(inside, clip);
    ASSERT_EQ(inside.Count(), 4); // unchanged, same order
    EXPECT_EQ(inside[0].x, 2);
    EXPECT_EQ(inside[0].y, 2);
    EXPECT_EQ(inside[2].x, 6);

    VertexList side = Square(8, 2, 4);
    ClipToRect(side, clip);
    EXPECT_EQ(side.Count(), 4);
    EXPECT_DOUBLE_EQ(Area(side, 0, 1), 8.0);

    VertexList corner;
    corner.Append(Vertex(8, 5));
    corner.Append(Vertex(5, 8));
    corner.Append(Vertex(14, 14));
    ClipToRect(corner, clip);
    EXPECT_EQ(corner.Count(), 5); // a triangle over a corner becomes a pentagon

    VertexList outside = Square(20, 20, 4);
    ClipToRect(outside, clip);
    EXPECT_EQ(outside.Count(), 0);

    // Lower bounds are inside, upper bounds outside.
    VertexList onLow = Square(0, 0, 10);
    ClipToRect(onLow, clip);
    EXPECT_DOUBLE_EQ(Area(onLow, 0, 1), 100.0);
    VertexList onHigh = Square(10, 0, 5);
    ClipToRect(onHigh, clip);
    EXPECT_EQ(onHigh.Count(), 0);
    VertexList uvHigh = Square(1, 0, 1);
    ClipToPieceUV(uvHigh);
    EXPECT_EQ(uvHigh.Count(), 0);
}

// Squares at every offset around a clip rectangle (crossing each edge and each corner, inside
// and outside): the clipped polygon lies inside and has the area of the overlap; the texture
// coordinates travel with the positions. The same for texture pieces.
TEST(PolygonClip, SquaresCrossingEveryEdge) {
    const Rect clip(3, 2, 8, 6);
    for (int dx = -12; dx <= 14; ++dx) {
        for (int dy = -12; dy <= 12; ++dy) {
            const float x = 3.0f + dx * 0.75f;
            const float y = 2.0f + dy * 0.75f;
            VertexList list = Square(x, y, 5);
            ClipToRect(list, clip);
            const double want = Overlap(x, x + 5, 3, 11) * Overlap(y, y + 5, 2, 8);
            ASSERT_NEAR(Area(list, 0, 1), want, 1e-4) << x << "," << y;
            ASSERT_TRUE(list.Count() == 0 || list.Count() >= 3);
            for (int i = 0; i < list.Count(); ++i) {
                ASSERT_GE(list[i].x, 3.0f);
                ASSERT_LE(list[i].x, 11.0f);
                ASSERT_GE(list[i].y, 2.0f);
                ASSERT_LE(list[i].y, 8.0f);
                ASSERT_NEAR(list[i].u, list[i].x, 1e-4);
                ASSERT_NEAR(list[i].v, list[i].y, 1e-4);
            }

            const float u = dx * 0.125f;
            const float v = dy * 0.125f;
            VertexList piece = Square(u, v, 0.75f);
            ClipToPieceUV(piece);
            const double wantUV = Overlap(u, u + 0.75, 0, 1) * Overlap(v, v + 0.75, 0, 1);
            ASSERT_NEAR(Area(piece, 3, 4), wantUV, 1e-5) << u << "," << v;
        }
    }
}

TEST(PolygonClip, ColoursInterpolateByChannel) {
    const TLVertex blue = Vertex(0, 0, 0, 0, 0xFF0000FF);
    const TLVertex green = Vertex(10, 0, 1, 0, 0xFF00FF00);
    const TLVertex half = InterpolateVertex(blue, green, 0.5f);
    EXPECT_EQ(half.color, 0xFF007F7Fu);
    EXPECT_EQ(half.x, 5.0f);
    EXPECT_EQ(half.u, 0.5f);
    // Falling channels truncate toward zero too: 255 -> 0 at 0.1 is 229.5 -> 229.
    EXPECT_EQ(InterpolateVertex(green, blue, 0.1f).color, 0xFF00E519u);
    EXPECT_EQ(InterpolateVertex(blue, blue, 0.3f).color, 0xFF0000FFu);
}

TEST(PolygonClip, ListsGrowPastTheInnerStorage) {
    VertexList list;
    for (int i = 0; i < 150; ++i) {
        const double angle = 2 * M_PI * i / 150;
        list.Append(Vertex(static_cast<float>(5 + 4 * std::cos(angle)),
                           static_cast<float>(5 + 4 * std::sin(angle))));
    }
    EXPECT_EQ(list.Capacity(), 200);
    EXPECT_EQ(list.Count(), 150);
    EXPECT_FLOAT_EQ(list[149].y, static_cast<float>(5 + 4 * std::sin(2 * M_PI * 149 / 150)));
    VertexList copy = list;
    ClipToRect(copy, Rect(0, 0, 100, 100));
    EXPECT_EQ(copy.Count(), 150);
    ClipToRect(list, Rect(0, 0, 5, 100));
    EXPECT_NEAR(Area(list, 0, 1), Area(copy, 0, 1) / 2, 1e-3);
}

} // namespace
} // namespace Vuro
