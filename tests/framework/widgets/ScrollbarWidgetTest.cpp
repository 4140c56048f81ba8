// The scroll bar driven by scripted mouse input and updates through the manager: arrows, track
// presses and their repeat, thumb drags, the thumb's geometry and drawing, and what the listener
// hears.

#include "framework/widgets/ScrollbarWidget.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/ScrollbuttonWidget.h"
#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro::Test {
namespace {

class RecordingScrollListener : public ScrollListener {
public:
    void ScrollPositionChanged(int id, double position) override {
        ids.push_back(id);
        values.push_back(position);
    }
    std::vector<double> Take() { return std::exchange(values, {}); }

    std::vector<int> ids;
    std::vector<double> values;
};

// A vertical bar at 100, 50 of 16 x 216: arrows of 16, a track of 184. With a range of 100 and a
// page of 20 the thumb is (int) (184 x 20 / 100 + 0.5) = 37 long and moves over 147 pixels.
class ScrollbarWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        mBar.ResizeBar(100, 50, 16, 216);
        mManager.AddWidget(&mBar);
        mBar.SetMaxValue(100);
        mBar.SetPageSize(20);
        mListener.Take();
    }
    void TearDown() override { mManager.RemoveWidget(&mBar); }

    void Press(int localX, int localY) {
        mManager.MouseMove(100 + localX, 50 + localY);
        mManager.MouseDown(100 + localX, 50 + localY, 1);
    }
    void Release(int localX, int localY) { mManager.MouseUp(100 + localX, 50 + localY, 1); }
    void Updates(int count) {
        for (int i = 0; i < count; ++i) {
            mManager.UpdateFrame();
        }
    }

    WidgetManager mManager{nullptr};
    RecordingScrollListener mListener;
    ScrollbarWidget mBar{5, &mListener};
};

TEST_F(ScrollbarWidgetTest, TheArrowsSitSquareAtBothEnds) {
    EXPECT_EQ(mBar.mUpButton->GetRect(), Rect(0, 0, 16, 16));
    EXPECT_EQ(mBar.mDownButton->GetRect(), Rect(0, 200, 16, 16));
    EXPECT_EQ(mBar.GetTrackLength(), 184);
    EXPECT_EQ(mBar.GetThumbLength(), 37);
    EXPECT_EQ(mBar.GetThumbOffset(), 16);
    mBar.SetValue(40);
    EXPECT_EQ(mBar.GetThumbOffset(), 90) << "(int) (147 x 40 / 80 + 0.5) + 16";
    mBar.SetHorizontal(true);
    mBar.ResizeBar(0, 0, 200, 12);
    EXPECT_EQ(mBar.mDownButton->GetRect(), Rect(188, 0, 12, 12));
    EXPECT_TRUE(mBar.mDownButton->mHorizontal);
    EXPECT_EQ(mBar.GetTrackLength(), 176);
}

TEST_F(ScrollbarWidgetTest, ArrowClicksMoveByOneAndRepeatWhileHeld) {
    Press(8, 208);
    Release(8, 208);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{1.0}));
    Press(8, 8);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{0.0}));
    Press(8, 8);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{0.0, 0.0}))
        << "-1 is clamped (reported) and then set (reported again)";
    Release(8, 8);
    Press(8, 208);
    Updates(24);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{1.0}));
    Updates(1);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{2.0})) << "the 25th held update repeats";
    Updates(3);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{3.0, 4.0, 5.0})) << "then every update";
    Release(8, 208);
    Updates(3);
    EXPECT_TRUE(mListener.Take().empty());
    EXPECT_EQ(mListener.ids, (std::vector<int>(mListener.ids.size(), 5)));
}

TEST_F(ScrollbarWidgetTest, HoldingTheTrackPagesUntilTheThumbReachesThePoint) {
    mBar.SetValue(80);
    mListener.Take();
    Press(8, 20);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{60.0}));
    EXPECT_EQ(mBar.mPressZone, 1);
    Updates(24);
    EXPECT_TRUE(mListener.Take().empty());
    Updates(1);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{40.0}));
    Updates(4);
    EXPECT_TRUE(mListener.Take().empty());
    Updates(1);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{20.0})) << "a page every 5 updates";
    Updates(5);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{0.0}));
    Updates(1);
    EXPECT_EQ(mBar.mPressZone, 0) << "the thumb (16..52) now covers the held point";
    Updates(10);
    EXPECT_TRUE(mListener.Take().empty());
    Release(8, 20);
}

TEST_F(ScrollbarWidgetTest, ClickingAfterTheThumbPagesForward) {
    Press(8, 150);
    Release(8, 150);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{20.0}));
    EXPECT_EQ(mBar.mPressZone, 0);
}

TEST_F(ScrollbarWidgetTest, DraggingTheThumbFollowsTheMouse) {
    Press(8, 30);
    EXPECT_TRUE(mBar.mThumbDragging);
    EXPECT_TRUE(mListener.Take().empty()) << "pressing the thumb moves nothing";
    mManager.MouseMove(108, 50 + 30 + 21);
    ASSERT_EQ(mListener.values.size(), 1u);
    EXPECT_DOUBLE_EQ(mListener.Take()[0], 80.0 * 21 / 147);
    mManager.MouseMove(108, 50 + 400);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{80.0, 80.0})) << "clamped at the end";
    Release(8, 400);
    EXPECT_FALSE(mBar.mThumbDragging);
}

TEST_F(ScrollbarWidgetTest, NothingToScrollDisablesAndAutoHideHides) {
    mBar.SetAutoHide(true);
    mBar.SetPageSize(100);
    EXPECT_TRUE(mBar.mDisabled);
    EXPECT_TRUE(mBar.mUpButton->mDisabled);
    EXPECT_TRUE(mBar.mDownButton->mDisabled);
    EXPECT_FALSE(mBar.mVisible);
    EXPECT_FALSE(mBar.mDownButton->mVisible);
    EXPECT_EQ(mBar.GetThumbLength(), 184) << "the page is the whole range";
    EXPECT_EQ(mBar.GetThumbOffset(), 16);
    mBar.SetPageSize(50);
    EXPECT_FALSE(mBar.mDisabled);
    EXPECT_TRUE(mBar.mVisible);
    EXPECT_TRUE(mBar.mUpButton->mVisible);
}

TEST_F(ScrollbarWidgetTest, APageLargerThanTheRangeHasNoThumbAndHoldsTheValueAtZero) {
    mBar.SetValue(50);
    mListener.Take();
    mBar.SetPageSize(120);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{0.0})) << "clamping reports the change";
    EXPECT_EQ(mBar.GetThumbLength(), 0);
    mBar.SetValue(10);
    EXPECT_EQ(mListener.Take(), (std::vector<double>{0.0, 0.0}))
        << "once from clamping, once from SetValue";
}

TEST_F(ScrollbarWidgetTest, AnEmptyRangeDividesByNothing) {
    // An empty range must not divide by zero for the thumb.
    ScrollbarWidget bar(1, &mListener);
    bar.ResizeBar(0, 0, 16, 100);
    EXPECT_EQ(bar.GetThumbLength(), 0);
    EXPECT_EQ(bar.GetThumbOffset(), 16);
    bar.SetThumbOffset(40);
    EXPECT_EQ(bar.mValue, 0.0);
}

TEST_F(ScrollbarWidgetTest, AVeryLongRangeKeepsAThumbOfEightPixels) {
    mBar.SetMaxValue(100000);
    EXPECT_EQ(mBar.GetThumbLength(), 8);
    EXPECT_FALSE(mBar.IsAtEnd());
    mBar.ScrollToEnd();
    EXPECT_EQ(mBar.mValue, 99980.0);
    EXPECT_TRUE(mBar.IsAtEnd());
    EXPECT_EQ(mBar.GetThumbOffset(), 16 + 176);
}

TEST_F(ScrollbarWidgetTest, DrawsTheTrackAroundARaisedThumb) {
    mBar.SetValue(40); // thumb from 90, 37 long
    Testing::RecordingImage image(640, 480);
    Graphics g(&image);
    mBar.Draw(&g);
    const Color track(232, 232, 232);
    std::vector<std::pair<Rect, Color>> expected = {
        {Rect(0, 0, 16, 90), track},
        {Rect(0, 90, 16, 37), Color(212, 212, 212)},
        {Rect(1, 91, 14, 1), Color(255, 255, 255)},
        {Rect(1, 91, 1, 35), Color(255, 255, 255)},
        {Rect(0, 126, 16, 1), Color(0, 0, 0)},
        {Rect(15, 90, 1, 37), Color(0, 0, 0)},
        {Rect(1, 125, 14, 1), Color(132, 132, 132)},
        {Rect(14, 91, 1, 35), Color(132, 132, 132)},
        {Rect(0, 127, 16, 89), track},
    };
    ASSERT_EQ(image.mCalls.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(image.mCalls[i].mRect, expected[i].first) << i;
        EXPECT_EQ(image.mCalls[i].mColor, expected[i].second) << i;
    }
}

} // namespace
} // namespace Vuro::Test
