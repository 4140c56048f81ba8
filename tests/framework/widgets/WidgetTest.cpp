// Operations of the widget itself: layout, the colour table, digit counting, coordinates.

#include "framework/widgets/Widget.h"

#include <gtest/gtest.h>

#include <climits>

namespace Vuro::Test {
namespace {

Rect RectOf(Widget& w) {
    return w.GetRect();
}

TEST(WidgetLayoutTest, FlagsApplyInAscendingBitOrder) {
    Widget other;
    other.Resize(100, 50, 200, 80);
    Widget w;
    w.Resize(0, 0, 40, 20);

    // Match width (bit 1) comes before align right (bit 8192), which therefore uses it.
    w.Layout(LayoutMatchWidth | LayoutAlignRight, &other, 5, 0, -10, 0);
    EXPECT_EQ(RectOf(w), Rect(100 + 200 - 190 + 5, 0, 190, 20));

    w.Layout(LayoutPlaceBelow | LayoutAlignLeft | LayoutSetHeight, &other, 3, 4, 0, 30);
    EXPECT_EQ(RectOf(w), Rect(103, 134, 190, 30));
    w.Layout(LayoutPlaceAbove | LayoutPlaceRightOf, &other, 1, -2, 0, 0);
    EXPECT_EQ(RectOf(w), Rect(301, 50 - 30 - 2, 190, 30));
    w.Layout(LayoutPlaceLeftOf | LayoutAlignBottom, &other, 0, 0, 0, 0);
    EXPECT_EQ(RectOf(w), Rect(100 - 190, 50 + 80 - 30, 190, 30));
    w.Layout(LayoutSetX | LayoutSetY | LayoutSetWidth | LayoutAlignTop, &other, 7, 8, 9, 0);
    EXPECT_EQ(RectOf(w), Rect(7, 58, 9, 30));
    w.Layout(LayoutStretchToRight | LayoutStretchToBottom, &other, 0, 0, 1, 2);
    EXPECT_EQ(RectOf(w), Rect(7, 58, 300 - 7 + 1, 130 - 58 + 2));
    w.Layout(LayoutStretchToLeft | LayoutStretchToTop | LayoutMatchHeight, &other, 0, 0, 0, -1);
    // Match height is applied first and then overwritten by stretch to top.
    EXPECT_EQ(RectOf(w), Rect(7, 58, 100 - 7, 50 - 58 - 1));
    // Bits 4 and 8 do nothing.
    w.Layout(4 | 8, &other, 1, 1, 1, 1);
    EXPECT_EQ(RectOf(w), Rect(7, 58, 93, -9));
}

TEST(WidgetLayoutTest, CentringTruncatesTowardZeroAndTheParentCountsAtTheOrigin) {
    Widget parent;
    parent.Resize(1000, 1000, 101, 51);
    Widget w;
    parent.AddWidget(&w);
    w.Resize(0, 0, 120, 10);
    w.Layout(LayoutCenterX | LayoutCenterY, &parent, 0, 0, 0, 0);
    // (101 - 120) / 2 = -9 (not -10); (51 - 10) / 2 = 20.
    EXPECT_EQ(RectOf(w), Rect(-9, 20, 120, 10));
    Widget sibling;
    sibling.Resize(1000, 1000, 101, 51);
    w.Layout(LayoutCenterX | LayoutCenterY, &sibling, 1, 2, 0, 0);
    EXPECT_EQ(RectOf(w), Rect(992, 1022, 120, 10));
    parent.RemoveWidget(&w);
}

TEST(WidgetColorTest, TheTableGrowsOnWritesOnly) {
    Widget w;
    EXPECT_EQ(w.GetColor(3), Color(0, 0, 0, 255));
    EXPECT_TRUE(w.mColors.empty()) << "reading does not grow the table";
    w.SetColor(2, Color(10, 20, 30, 40));
    ASSERT_EQ(w.mColors.size(), 3u);
    EXPECT_EQ(w.mColors[0], Color(0, 0, 0, 255));
    EXPECT_EQ(w.mColors[1], Color(0, 0, 0, 255));
    EXPECT_EQ(w.GetColor(2), Color(10, 20, 30, 40));
    EXPECT_EQ(w.GetColorOr(2, Color(1, 1, 1)), Color(10, 20, 30, 40));
    EXPECT_EQ(w.GetColorOr(3, Color(1, 1, 1)), Color(1, 1, 1));

    // A negative index reads as beyond the table and writes nothing.
    EXPECT_EQ(w.GetColor(-1), Color(0, 0, 0, 255));
    EXPECT_EQ(w.GetColorOr(-1, Color(1, 2, 3)), Color(1, 2, 3));
    w.SetColor(-1, Color(9, 9, 9));
    EXPECT_EQ(w.mColors.size(), 3u);
}

TEST(WidgetColorTest, SettingATableReplacesTheOldOne) {
    Widget w;
    w.SetColor(5, Color(1, 2, 3));
    const int rgb[][3] = {{255, 0, 0}, {0, 128, 0}};
    w.SetColorsRGB(rgb, 2);
    ASSERT_EQ(w.mColors.size(), 2u);
    EXPECT_EQ(w.mColors[0], Color(255, 0, 0, 255));
    EXPECT_EQ(w.mColors[1], Color(0, 128, 0, 255));
    const int rgba[][4] = {{1, 2, 3, 4}};
    w.SetColorsRGBA(rgba, 1);
    ASSERT_EQ(w.mColors.size(), 1u);
    EXPECT_EQ(w.mColors[0], Color(1, 2, 3, 4));
    EXPECT_TRUE(w.mDirty);
}

TEST(WidgetDigitsTest, CountsDecimalDigits) {
    Widget w;
    EXPECT_EQ(w.CountDigits(0), 1);
    EXPECT_EQ(w.CountDigits(9), 1);
    EXPECT_EQ(w.CountDigits(10), 2);
    EXPECT_EQ(w.CountDigits(99), 2);
    EXPECT_EQ(w.CountDigits(100), 3);
    EXPECT_EQ(w.CountDigits(999999999), 9);
    // Counting in 32 bits would overflow from 10^9 up.
    EXPECT_EQ(w.CountDigits(1000000000), 10);
    EXPECT_EQ(w.CountDigits(INT_MAX), 10);
}

TEST(WidgetCoordinatesTest, AbsoluteAndLocalPassThroughEveryAncestor) {
    Widget outer;
    outer.Move(100, 200);
    Widget middle;
    middle.Move(10, 20);
    Widget inner;
    inner.Move(1, 2);
    outer.AddWidget(&middle);
    middle.AddWidget(&inner);
    int x = 0;
    int y = 0;
    inner.ToAbsolute(5, 5, &x, &y);
    EXPECT_EQ(x, 116);
    EXPECT_EQ(y, 227);
    inner.ToLocal(116, 227, &x, &y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
    // Contains is in the parent's coordinates.
    inner.Resize(1, 2, 3, 4);
    EXPECT_TRUE(inner.Contains(1, 2));
    EXPECT_FALSE(inner.Contains(0, 2));
    EXPECT_TRUE(inner.Contains(3, 5));
    EXPECT_FALSE(inner.Contains(4, 5));
    EXPECT_FALSE(inner.Contains(3, 6));
    inner.ResizeTo(Rect(0, 0, 8, 9));
    EXPECT_EQ(inner.GetRect(), Rect(0, 0, 8, 9));
    inner.mMargins = Margins(1, 2, 3, 4);
    EXPECT_EQ(inner.GetMarginRect(), Rect(1, 2, 4, 3));
}

} // namespace
} // namespace Vuro::Test
