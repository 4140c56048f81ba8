// The check box and the slider through scripted mouse input: toggling on every press, values
// from thumb positions with clamping at both ends, the reports in order, and what each draws.

#include "RecordingListeners.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/Slider.h"
#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro::Test {
namespace {

using Testing::RecordingImage;
using Call = RecordingImage::Call;
using Calls = std::vector<std::string>;

Call Blt(Image* image, const Rect& src, int x, int y) {
    return {"Blt", image, src, Rect(x, y, 0, 0), {}, Color::White, 0, false};
}

class CheckboxTest : public ::testing::Test {
protected:
    void SetUp() override {
        mBox.Resize(10, 10, 20, 20);
        mManager.AddWidget(&mBox);
    }
    void TearDown() override { mManager.RemoveWidget(&mBox); }
    void Press(int clickCount) {
        mManager.MouseMove(15, 15);
        mManager.MouseDown(15, 15, clickCount);
        mManager.MouseUp(15, 15, clickCount);
    }

    WidgetManager mManager{nullptr};
    RecordingListener mListener;
    RecordingImage mUnchecked{20, 20};
    RecordingImage mChecked{20, 20};
    Checkbox mBox{&mUnchecked, &mChecked, 3, &mListener};
};

TEST_F(CheckboxTest, EveryPressToggles) {
    EXPECT_TRUE(mBox.mWantsHandCursor);
    Press(1);
    EXPECT_TRUE(mBox.IsChecked());
    Press(-1);
    EXPECT_FALSE(mBox.IsChecked()) << "a right click toggles too";
    Press(1);
    Press(2); // the second press of a double click
    EXPECT_FALSE(mBox.IsChecked());
    EXPECT_EQ(mListener.Take(),
              (Calls{"Toggled(3,1)", "Toggled(3,0)", "Toggled(3,1)", "Toggled(3,0)"}));
}

TEST_F(CheckboxTest, SetCheckedReportsOnlyWhenAsked) {
    mBox.mDirty = false;
    mBox.SetChecked(true, false);
    EXPECT_TRUE(mBox.IsChecked());
    EXPECT_TRUE(mBox.mDirty);
    EXPECT_TRUE(mListener.Take().empty());
    mBox.SetChecked(false, true);
    EXPECT_EQ(mListener.Take(), (Calls{"Toggled(3,0)"}));
}

TEST_F(CheckboxTest, DrawsTheImageOrTheRectangleOfTheState) {
    RecordingImage dest(100, 100);
    Graphics g(&dest);
    mBox.Draw(&g);
    mBox.mChecked = true;
    mBox.Draw(&g);
    EXPECT_EQ(dest.mCalls, (std::vector<Call>{Blt(&mUnchecked, Rect(0, 0, 20, 20), 0, 0),
                                              Blt(&mChecked, Rect(0, 0, 20, 20), 0, 0)}));
    RecordingImage sheet(40, 20);
    Checkbox cut(&sheet, nullptr, 1, nullptr);
    cut.mUncheckedRect = Rect(0, 0, 20, 20);
    cut.mCheckedRect = Rect(20, 0, 20, 20);
    dest.mCalls.clear();
    cut.Draw(&g);
    cut.SetChecked(true, true); // no listener: nothing to tell
    cut.Draw(&g);
    EXPECT_EQ(dest.mCalls, (std::vector<Call>{Blt(&sheet, Rect(0, 0, 20, 20), 0, 0),
                                              Blt(&sheet, Rect(20, 0, 20, 20), 0, 0)}));
}

// A 100-pixel slider at 10, 10 with a 20-pixel thumb: 80 pixels of travel.
class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        mSlider.Resize(10, 10, 100, 20);
        mManager.AddWidget(&mSlider);
    }
    void TearDown() override { mManager.RemoveWidget(&mSlider); }

    WidgetManager mManager{nullptr};
    RecordingListener mListener;
    RecordingImage mTrack{30, 10};
    RecordingImage mThumb{20, 10};
    Slider mSlider{&mTrack, &mThumb, 4, &mListener};
};

TEST_F(SliderTest, DraggingTheThumbSetsTheValueAndPinsItAtTheEnds) {
    mManager.MouseMove(15, 15);
    mManager.MouseDown(15, 15, 1); // 5 pixels into the thumb
    EXPECT_TRUE(mSlider.mDragging);
    EXPECT_EQ(mSlider.mGrabOffset, 5);
    mManager.MouseMove(55, 15); // thumb at 40 of 80
    EXPECT_EQ(mSlider.mValue, 0.5);
    EXPECT_EQ(mSlider.ThumbX(), 40);
    mManager.MouseMove(75, 15);
    EXPECT_EQ(mSlider.mValue, 0.75);
    mManager.MouseMove(300, 15);
    mManager.MouseMove(400, 15);
    EXPECT_EQ(mSlider.mValue, 1.0);
    mManager.MouseMove(0, 15);
    mManager.MouseMove(-50, 15);
    EXPECT_EQ(mSlider.mValue, 0.0);
    mManager.MouseUp(-50, 15, 1);
    EXPECT_FALSE(mSlider.mDragging);
    EXPECT_EQ(mListener.Take(),
              (Calls{"Slider(4,0.500000)", "Slider(4,0.750000)", "Slider(4,1.000000)",
                     "Slider(4,0.000000)", "Slider(4,0.000000)"}))
        << "each change once, and the release";
}

TEST_F(SliderTest, APressBesideTheThumbDoesNothingButTheReleaseStillReports) {
    mSlider.SetValue(0.25); // thumb at 20..40
    mManager.MouseMove(60, 15);
    mManager.MouseDown(60, 15, 1);
    EXPECT_FALSE(mSlider.mDragging);
    mManager.MouseMove(90, 15);
    EXPECT_EQ(mSlider.mValue, 0.25);
    mManager.MouseUp(90, 15, 1);
    EXPECT_EQ(mListener.Take(), (Calls{"Slider(4,0.250000)"}));
    mManager.MouseMove(30, 15);
    mManager.MouseDown(30, 15, -1);
    EXPECT_TRUE(mSlider.mDragging) << "any button drags";
    EXPECT_EQ(mSlider.mGrabOffset, 0);
    mManager.MouseUp(30, 15, -1);
}

TEST_F(SliderTest, AValueBeyondTheTrackIsKeptUntilTheNextDrag) {
    EXPECT_TRUE(mSlider.IsSlider());
    mSlider.SetValue(1.5);
    EXPECT_EQ(mSlider.ThumbX(), 120);
    mSlider.SetValue(1.1); // thumb at 88..108, partly beyond the track
    mManager.MouseMove(100, 15);
    mManager.MouseDown(100, 15, 1);
    ASSERT_TRUE(mSlider.mDragging);
    EXPECT_EQ(mSlider.mGrabOffset, 2);
    mManager.MouseMove(101, 15);
    EXPECT_EQ(mSlider.mValue, 1.0);
    mManager.MouseUp(101, 15, 1);
}

TEST_F(SliderTest, NoRoomToMovePinsTheValueAtAnEnd) {
    mSlider.Resize(10, 10, 20, 20);
    mManager.MouseMove(15, 15);
    mManager.MouseDown(15, 15, 1);
    mManager.MouseMove(16, 15);
    EXPECT_EQ(mSlider.mValue, 1.0);
    mManager.MouseMove(15, 15);
    EXPECT_EQ(mSlider.mValue, 0.0);
    mManager.MouseMove(5, 15);
    EXPECT_EQ(mSlider.mValue, 0.0);
    mManager.MouseUp(5, 15, 1);
}

TEST_F(SliderTest, DrawsCapsTiledMiddleAndThumb) {
    mSlider.Resize(0, 0, 100, 20);
    mSlider.SetValue(0.5);
    RecordingImage dest(200, 100);
    Graphics g(&dest);
    mSlider.Draw(&g);
    // Cells of 10: (100 - 10 - 1) / 10 = 8 middle tiles at 10..80, all 5 down.
    std::vector<Call> expected{Blt(&mTrack, Rect(0, 0, 10, 10), 0, 5)};
    for (int x = 10; x <= 80; x += 10) {
        expected.push_back(Blt(&mTrack, Rect(10, 0, 10, 10), x, 5));
    }
    expected.push_back(Blt(&mTrack, Rect(20, 0, 10, 10), 90, 5));
    expected.push_back(Blt(&mThumb, Rect(0, 0, 20, 10), 40, 5));
    EXPECT_EQ(dest.mCalls, expected);
}

TEST_F(SliderTest, ATrackTooNarrowForThreeCellsIsNotDrawn) {
    RecordingImage narrow(2, 10);
    Slider slider(&narrow, &mThumb, 1, nullptr);
    slider.Resize(0, 0, 100, 10);
    RecordingImage dest(200, 100);
    Graphics g(&dest);
    slider.Draw(&g);
    EXPECT_EQ(dest.mCalls, (std::vector<Call>{Blt(&mThumb, Rect(0, 0, 20, 10), 0, 0)}));
}

} // namespace
} // namespace Vuro::Test
