// The hit test: which widget lies at a point, and the point in its own coordinates.

#include "RecordingWidget.h"

#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

// A screen at (100, 100) holding a button and a panel with a cell inside.
class WidgetHitTestTest : public ::testing::Test {
protected:
    void SetUp() override {
        mScreen.AddWidget(&mButton);
        mPanel.AddWidget(&mCell);
        mScreen.AddWidget(&mPanel);
        mManager.AddWidget(&mScreen);
    }
    Widget* At(int x, int y) { return mManager.GetWidgetAt(x, y, &mLocalX, &mLocalY); }

    CallLog mLog;
    WidgetManager mManager{nullptr};
    RecordingWidget mScreen{mLog, "screen", 100, 100, 300, 200};
    RecordingWidget mButton{mLog, "button", 10, 10, 50, 20};
    RecordingWidget mPanel{mLog, "panel", 100, 50, 100, 100};
    RecordingWidget mCell{mLog, "cell", 5, 5, 20, 20};
    int mLocalX = -1;
    int mLocalY = -1;
};

TEST_F(WidgetHitTestTest, TheDeepestWidgetWinsWithItsLocalPoint) {
    EXPECT_EQ(At(208, 159), &mCell);
    EXPECT_EQ(mLocalX, 3);
    EXPECT_EQ(mLocalY, 4);
    EXPECT_EQ(At(250, 190), &mPanel);
    EXPECT_EQ(mLocalX, 50);
    EXPECT_EQ(mLocalY, 40);
    EXPECT_EQ(At(101, 101), &mScreen);
    EXPECT_EQ(mLocalX, 1);
    EXPECT_EQ(mLocalY, 1);
    EXPECT_EQ(At(99, 150), nullptr);
    // Right and bottom edges are outside.
    EXPECT_EQ(At(400, 150), nullptr);
    EXPECT_EQ(At(399, 299), &mScreen);
    EXPECT_EQ(At(150, 300), nullptr);
    // The local point is optional.
    EXPECT_EQ(mManager.GetWidgetAt(115, 115, nullptr, nullptr), &mButton);
}

TEST_F(WidgetHitTestTest, ADisabledWidgetSwallowsThePoint) {
    RecordingWidget cover(mLog, "cover", 0, 0, 640, 480);
    cover.mDisabled = true;
    mManager.AddWidget(&cover);
    bool found = false;
    EXPECT_EQ(mManager.FindWidgetAtRecursive(115, 115, mManager.GetWidgetFlags(), &found, nullptr,
                                             nullptr),
              nullptr);
    EXPECT_TRUE(found) << "enabled widgets below stay hidden";
    mManager.RemoveWidget(&cover);

    // Disabled inside a subtree: the search ends there as well.
    mPanel.mDisabled = true;
    EXPECT_EQ(At(250, 190), nullptr);
    EXPECT_EQ(At(208, 159), &mCell) << "its enabled child on top is still hit";
}

TEST_F(WidgetHitTestTest, APointThatIsNotVisibleFallsThrough) {
    RecordingWidget ring(mLog, "ring", 100, 100, 100, 100);
    // A hole in the middle of the ring.
    ring.hole = [](int x, int y) { return x >= 10 && x < 90 && y >= 10 && y < 90; };
    mManager.AddWidget(&ring);
    EXPECT_EQ(At(105, 105), &ring);
    EXPECT_EQ(At(115, 115), &mButton);
    EXPECT_EQ(mLocalX, 5);
    EXPECT_EQ(mLocalY, 5);
    EXPECT_EQ(At(150, 150), &mScreen);
    bool found = true;
    EXPECT_EQ(
        mManager.FindWidgetAtRecursive(10, 10, mManager.GetWidgetFlags(), &found, nullptr, nullptr),
        nullptr);
    EXPECT_FALSE(found);
}

TEST_F(WidgetHitTestTest, HiddenMouseInvisibleAndMarginsLeaveThePoint) {
    mPanel.mVisible = false;
    EXPECT_EQ(At(208, 159), &mScreen) << "a hidden widget's children are not hit either";
    mPanel.mVisible = true;

    mScreen.mMouseVisible = false;
    EXPECT_EQ(At(101, 101), nullptr);
    EXPECT_EQ(At(115, 115), &mButton) << "its children still are";
    mScreen.mMouseVisible = true;

    mScreen.mMargins = Margins(5, 6, 7, 8);
    EXPECT_EQ(At(104, 150), nullptr);
    EXPECT_EQ(At(105, 150), &mScreen);
    EXPECT_EQ(mLocalX, 5) << "the local point is still measured from the widget's corner";
    EXPECT_EQ(At(150, 105), nullptr);
    EXPECT_EQ(At(392, 150), &mScreen);
    EXPECT_EQ(At(393, 150), nullptr);
    EXPECT_EQ(At(150, 291), &mScreen);
    EXPECT_EQ(At(150, 292), nullptr);
}

TEST_F(WidgetHitTestTest, WithoutTheMouseFlagAContainersChildrenAreNotHit) {
    mScreen.mFlagAdjust.mRemoveFlags = WidgetFlagAllowMouse;
    // The screen itself is tested by its parent, under the parent's flags.
    EXPECT_EQ(At(115, 115), &mScreen);
    EXPECT_EQ(At(208, 159), &mScreen);
    mPanel.mFlagAdjust.mAddFlags = WidgetFlagAllowMouse;
    EXPECT_EQ(At(208, 159), &mScreen) << "the screen does not even look at the panel";
}

TEST_F(WidgetHitTestTest, BelowTheModalWidgetTheBelowModalFlagsHold) {
    RecordingWidget dialog(mLog, "dialog", 300, 250, 50, 50);
    mManager.AddWidget(&dialog);
    mManager.PushModal(&dialog);
    EXPECT_EQ(At(115, 115), nullptr);
    EXPECT_EQ(At(310, 260), &dialog);
    mManager.PopModal(&dialog);
    EXPECT_EQ(At(115, 115), &mButton);

    // A modal widget inside a container restricts its siblings below it, not the others.
    RecordingWidget inner(mLog, "inner", 150, 10, 20, 20);
    mScreen.AddWidget(&inner);
    mManager.PushModal(&inner);
    EXPECT_EQ(At(255, 115), &inner);
    // The panel lies below the modal widget; the screen itself is tested under the root's
    // flags.
    EXPECT_EQ(At(208, 159), &mScreen);
    EXPECT_EQ(At(310, 260), &dialog) << "a top-level widget above it is not affected";
    mManager.PopModal(&inner);
}

} // namespace
} // namespace Vuro::Test
