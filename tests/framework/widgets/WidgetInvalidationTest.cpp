// Invalidation: which widgets become dirty when one is invalidated, hidden, shown or moved.
// The draw walk redraws only dirty top-level widgets, so at the top the neighbours that overlap
// must follow.

#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace Vuro::Test {
namespace {

Widget* Place(Widget& w, int x, int y, int width, int height) {
    w.mX = x;
    w.mY = y;
    w.mWidth = width;
    w.mHeight = height;
    return &w;
}

// Top-level widgets, bottom to top: a full-screen floor, a panel, a small widget on the panel
// and one far away from both.
class WidgetInvalidationTest : public ::testing::Test {
protected:
    void SetUp() override {
        mManager.mWidth = 640;
        mManager.mHeight = 480;
        for (Widget* w : {Place(mFloor, 0, 0, 640, 480), Place(mPanel, 0, 0, 200, 200),
                          Place(mSmall, 20, 20, 50, 50), Place(mFar, 400, 400, 50, 50)}) {
            mManager.AddWidget(w);
        }
        Clean();
    }
    void Clean() {
        mManager.mDirty = false;
        for (Widget* w : {&mFloor, &mPanel, &mSmall, &mFar, &mChild}) {
            w->mDirty = false;
        }
    }
    // Dirty fields of floor, panel, small, far, in that order.
    std::vector<bool> Dirty() const {
        return {mFloor.mDirty, mPanel.mDirty, mSmall.mDirty, mFar.mDirty};
    }

    WidgetManager mManager{nullptr};
    Widget mFloor;
    Widget mPanel;
    Widget mSmall;
    Widget mFar;
    Widget mChild;
};

TEST_F(WidgetInvalidationTest, OverlappingWidgetsAboveFollowButNotThoseBelow) {
    mPanel.Invalidate();
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, false}));
    EXPECT_TRUE(mManager.mDirty);

    Clean();
    mSmall.Invalidate();
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, false, true, false}));

    Clean();
    mFloor.Invalidate();
    EXPECT_EQ(Dirty(), (std::vector<bool>{true, true, true, true}));

    // A hidden widget above is not drawn and need not follow.
    Clean();
    mSmall.mVisible = false;
    mPanel.Invalidate();
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, false, false}));
}

TEST_F(WidgetInvalidationTest, AWidgetDirtyAlreadyReturnsAtOnce) {
    mPanel.mDirty = true;
    mPanel.Invalidate();
    EXPECT_FALSE(mSmall.mDirty) << "its neighbours are not invalidated again";
    EXPECT_FALSE(mManager.mDirty);
}

TEST_F(WidgetInvalidationTest, AChildDirtiesItsTopLevelWidgetAndItsNeighbours) {
    Place(mChild, 5, 5, 10, 10);
    mPanel.AddWidget(&mChild);
    Clean();
    mChild.Invalidate();
    EXPECT_TRUE(mChild.mDirty);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, false}));

    // A second child of a dirty parent stops at the parent.
    Widget second;
    Place(second, 50, 50, 10, 10);
    mPanel.AddWidget(&second);
    mSmall.mDirty = false;
    second.mDirty = false;
    second.Invalidate();
    EXPECT_TRUE(second.mDirty);
    EXPECT_FALSE(mSmall.mDirty);
    mPanel.RemoveWidget(&second);
}

TEST_F(WidgetInvalidationTest, ATranslucentWidgetRedrawsWhatShowsThrough) {
    // The opaque panel covers the small widget: the walk down stops there.
    mSmall.mTranslucent = true;
    mSmall.Invalidate();
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, false}));

    // A panel with transparent parts does not stop it: the floor beneath covers the small
    // widget and is invalidated, and with it everything above that overlaps it.
    Clean();
    mPanel.mHasTransparencies = true;
    mSmall.Invalidate();
    EXPECT_EQ(Dirty(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(WidgetInvalidationTest, HidingRedrawsBeneathShowingRedrawsTheWidget) {
    mSmall.SetVisible(false);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, false}));

    Clean();
    mSmall.SetVisible(true);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, false, true, false}));

    // Setting the same value again changes nothing.
    Clean();
    mSmall.SetVisible(true);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, false, false, false}));
}

TEST_F(WidgetInvalidationTest, WithoutASizeTheRootFindsNoCoveringWidget) {
    // The manager's own rectangle clips the covering test; at 0 x 0 nothing covers, so every
    // overlapping widget below is redrawn.
    mManager.mWidth = 0;
    mManager.mHeight = 0;
    mSmall.SetVisible(false);
    EXPECT_EQ(Dirty(), (std::vector<bool>{true, true, true, true}));
}

TEST_F(WidgetInvalidationTest, MovingRedrawsWhatWasBeneath) {
    mSmall.Move(300, 100);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(mSmall.GetRect(), Rect(300, 100, 50, 50));

    Clean();
    mSmall.Resize(300, 100, 50, 50);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, false, false, false})) << "nothing changed";
}

TEST_F(WidgetInvalidationTest, AWidgetAboveTheNewPlaceIsRedrawn) {
    // The widget is still dirty from its old place; its new place must be invalidated all the
    // same, so the far widget above it is drawn over it again.
    mSmall.Resize(20, 20, 400, 400);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, true}));

    Place(mSmall, 20, 20, 50, 50);
    Clean();
    mSmall.Move(380, 380);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, true}));
    EXPECT_TRUE(mManager.mDirty);

    // A move under nothing above it still leaves the far widget alone.
    Place(mSmall, 20, 20, 50, 50);
    Clean();
    mSmall.Move(100, 300);
    EXPECT_EQ(Dirty(), (std::vector<bool>{false, true, true, false}));
}

TEST_F(WidgetInvalidationTest, InvalidateAllMarksEveryDescendant) {
    mPanel.AddWidget(&mChild);
    Clean();
    mManager.InvalidateAll();
    EXPECT_EQ(Dirty(), (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(mChild.mDirty);
    EXPECT_TRUE(mManager.mDirty);
}

TEST_F(WidgetInvalidationTest, TouchingRectanglesDoNotIntersect) {
    Widget right;
    Place(right, 200, 0, 10, 10);
    EXPECT_FALSE(mPanel.Intersects(&right));
    Place(right, 199, 199, 10, 10);
    EXPECT_TRUE(mPanel.Intersects(&right));
    Place(right, 0, 200, 10, 10);
    EXPECT_FALSE(mPanel.Intersects(&right));
}

} // namespace
} // namespace Vuro::Test
