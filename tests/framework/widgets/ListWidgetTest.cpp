// The list: rows added, removed, sorted and coloured across a chain of lists, hovering and
// clicking through the manager, scrolling with its scroll bar and the wheel, and the rows drawn.

#include "framework/widgets/ListWidget.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/ListListener.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "support/FixedWidthFont.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

using Testing::FixedWidthFont;
using Lines = std::vector<std::string>;

class RecordingListListener : public ListListener {
public:
    void ListItemClicked(int id, int index, int clickCount) override {
        Log("Clicked(" + std::to_string(id) + "," + std::to_string(index) + "," +
            std::to_string(clickCount) + ")");
    }
    void ListRemoved(int id) override { Log("Removed(" + std::to_string(id) + ")"); }
    void ListHoverChanged(int id, int oldIndex, int newIndex) override {
        Log("Hover(" + std::to_string(id) + "," + std::to_string(oldIndex) + "," +
            std::to_string(newIndex) + ")");
    }
    Lines Take() { return std::exchange(calls, {}); }
    void Log(const std::string& call) { calls.push_back(call); }

    Lines calls;
};

// Font height 10, so a row is 10 pixels; a list 58 high shows (58 - 8) / 10 = 5 rows.
class ListWidgetTest : public ::testing::Test {
protected:
    void Chain() {
        mA.mChildList = &mB;
        mB.mParentList = &mA;
        mB.mChildList = &mC;
        mC.mParentList = &mB;
    }

    FixedWidthFont mFont{6};
    RecordingListListener mListener;
    ListWidget mA{1, &mFont, &mListener};
    ListWidget mB{2, &mFont, &mListener};
    ListWidget mC{3, &mFont, &mListener};
};

TEST_F(ListWidgetTest, AddingToAChainPutsDashesInTheOtherColumns) {
    Chain();
    mB.SetColor(2, Color(1, 2, 3));
    EXPECT_EQ(mB.AddLine("pear", false), 0);
    EXPECT_EQ(mA.AddLine("apple", false), 1);
    EXPECT_EQ(mA.mLines, (Lines{"-", "apple"}));
    EXPECT_EQ(mB.mLines, (Lines{"pear", "-"}));
    EXPECT_EQ(mC.mLines, (Lines{"-", "-"}));
    EXPECT_EQ(mC.mLineColors[0], Color(1, 2, 3)) << "the colour 2 of the list called";
    EXPECT_EQ(mC.mLineColors[1], Color(0, 0, 0));
    mC.SetLineColor("-", Color(9, 9, 9));
    EXPECT_EQ(mA.mLineColors[0], Color(9, 9, 9));
    mB.SetSelect(1);
    EXPECT_EQ(mA.mSelectIdx, 1);
    EXPECT_EQ(mC.mSelectIdx, 1);
    mA.RemoveLine(0);
    EXPECT_EQ(mA.mLines, (Lines{"apple"}));
    EXPECT_EQ(mB.mLines, (Lines{"-"}));
    EXPECT_EQ(mC.mLineColors.size(), 1u);
    mC.RemoveAll();
    EXPECT_TRUE(mA.mLines.empty());
    EXPECT_EQ(mB.mSelectIdx, -1);
}

TEST_F(ListWidgetTest, SortedInsertionGoesAfterEqualRows) {
    mA.AddLine("a"); // appended: unsorted unless asked
    mA.AddLine("c");
    EXPECT_EQ(mA.AddLine("b"), 2);
    mA.RemoveLine(2);
    mA.AddLine("b", true);
    EXPECT_EQ(mA.AddLine("b", true), 2);
    EXPECT_EQ(mA.AddLine("\xC0", true), 4) << "bytes compare unsigned: 0xC0 is after c";
}

TEST_F(ListWidgetTest, SortingPadsNumbersAndMovesEveryColumn) {
    Chain();
    mA.mSortPadChars = 3;
    mA.AddLine("12", false);
    mA.AddLine("7", false);
    mA.AddLine("100", false);
    mB.SetLine(0, "twelve");
    mB.SetLine(1, "seven");
    mB.SetLine(2, "hundred");
    mA.mChildList = nullptr;
    EXPECT_EQ(mA.GetSortKey(1), "007");
    mA.mChildList = &mB;
    mA.SortLines(true);
    EXPECT_EQ(mA.mLines, (Lines{"7", "12", "100"}));
    EXPECT_EQ(mB.mLines, (Lines{"seven", "twelve", "hundred"}));
    mA.SortLines(false);
    EXPECT_EQ(mA.mLines, (Lines{"100", "12", "7"}));
    EXPECT_EQ(mC.mLines, (Lines{"-", "-", "-"}));
}

TEST_F(ListWidgetTest, TheChildKeyBreaksTiesOrLeads) {
    Chain();
    mC.mParentList = nullptr;
    mB.mChildList = nullptr;
    mA.AddLine("x", false);
    mA.AddLine("x", false);
    mA.AddLine("a", false);
    mB.SetLine(0, "2");
    mB.SetLine(1, "1");
    mB.SetLine(2, "3");
    mA.SortLines(true);
    EXPECT_EQ(mB.mLines, (Lines{"3", "1", "2"})) << "keys a3, x1, x2";
    mA.mChildKeyFirst = true;
    mA.SortLines(true);
    EXPECT_EQ(mB.mLines, (Lines{"1", "2", "3"})) << "keys 1x, 2x, 3a";
}

TEST_F(ListWidgetTest, LookupsAndSizes) {
    EXPECT_EQ(mA.GetOptimalHeight(), 8);
    EXPECT_EQ(mA.GetOptimalWidth(), 16);
    mA.AddLine("plum", false);
    mA.AddLine("cherry", false);
    EXPECT_EQ(mA.GetLineIndex("cherry"), 1);
    EXPECT_EQ(mA.GetLineIndex("Cherry"), -1);
    mA.SetLineColor("kiwi", Color(5, 5, 5));
    EXPECT_EQ(mA.mLineColors[0], Color(0, 0, 0));
    EXPECT_EQ(mA.mLineColors[1], Color(0, 0, 0));
    EXPECT_EQ(mA.GetOptimalHeight(), 28);
    EXPECT_EQ(mA.GetOptimalWidth(), 36 + 16);
    EXPECT_EQ(mA.GetLine(5), "");
    mA.RemoveLine(-1);
    mA.RemoveLine(7);
    EXPECT_EQ(mA.GetLineCount(), 2);
}

class ListInManagerTest : public ListWidgetTest {
protected:
    void SetUp() override {
        mA.mScrollbar = &mBar;
        mA.mChildList = &mB;
        mB.mParentList = &mA;
        mBar.ResizeBar(110, 10, 16, 58);
        mA.Resize(10, 10, 100, 58);
        mB.Resize(200, 10, 50, 58);
        mManager.AddWidget(&mA);
        mManager.AddWidget(&mB);
        mManager.AddWidget(&mBar);
        for (int i = 0; i < 20; ++i) {
            mA.AddLine("row" + std::to_string(i), false);
        }
    }
    void TearDown() override {
        mManager.RemoveWidget(&mBar);
        mManager.RemoveWidget(&mB);
        mManager.RemoveWidget(&mA);
    }

    WidgetManager mManager{nullptr};
    ScrollbarWidget mBar{9, &mA};
};

TEST_F(ListInManagerTest, HoveringAndClickingReportButDoNotSelect) {
    EXPECT_DOUBLE_EQ(mA.mPageSize, 5.0);
    EXPECT_EQ(mBar.mPageSize, 5.0);
    EXPECT_EQ(mBar.mMaxValue, 20.0);
    mManager.MouseMove(20, 10 + 4 + 25);
    EXPECT_EQ(mA.mHoverIdx, 2);
    EXPECT_EQ(mB.mHoverIdx, 2);
    EXPECT_EQ(mListener.Take(), (Lines{"Hover(1,-1,2)", "Hover(2,-1,2)"}));
    mManager.MouseMove(21, 10 + 4 + 29);
    EXPECT_TRUE(mListener.Take().empty()) << "the same row";
    mManager.MouseDown(21, 43, 2);
    mManager.MouseUp(21, 43, 2);
    EXPECT_EQ(mListener.Take(), (Lines{"Clicked(1,2,2)"}));
    EXPECT_EQ(mA.mSelectIdx, -1);
    mManager.MouseMove(5, 5);
    EXPECT_EQ(mListener.Take(), (Lines{"Hover(1,2,-1)", "Hover(2,2,-1)"}));
}

TEST_F(ListInManagerTest, TheScrollBarMovesTheListAndItsChildren) {
    mBar.SetValue(2.5);
    EXPECT_EQ(mA.mPosition, 2.5);
    EXPECT_EQ(mB.mPosition, 2.5);
    mManager.MouseMove(20, 10 + 4 + 1);
    EXPECT_EQ(mA.mHoverIdx, 2) << "(int) (1 / 10 + 2.5)";
    mManager.MouseMove(20, 10 + 4 + 5);
    EXPECT_EQ(mA.mHoverIdx, 3);
}

TEST_F(ListInManagerTest, AWheelNotchScrollsOnePage) {
    // A notch leaves the bar at rest, not paging by itself towards one end.
    mManager.SetFocus(&mA); // the wheel goes to the focus
    mManager.MouseWheel(1);
    EXPECT_EQ(mA.mPosition, 5.0);
    EXPECT_EQ(mBar.mPressZone, 0);
    for (int i = 0; i < 60; ++i) {
        mManager.UpdateFrame();
    }
    EXPECT_EQ(mA.mPosition, 5.0);
    mManager.MouseWheel(-1);
    EXPECT_EQ(mA.mPosition, 0.0);
}

TEST_F(ListInManagerTest, LeavingTheTreeTellsTheListener) {
    mListener.Take();
    mManager.RemoveWidget(&mA);
    EXPECT_EQ(mListener.Take(), (Lines{"Removed(1)"}));
    mManager.AddWidget(&mA);
}

TEST_F(ListInManagerTest, DeletingAnAttachedListTellsTheListener) {
    mListener.Take();
    const size_t before = mManager.mWidgets.size();
    auto* extra = new ListWidget(7, &mFont, &mListener);
    mManager.AddWidget(extra);
    delete extra;
    EXPECT_EQ(mListener.Take(), (Lines{"Removed(7)"}));
    EXPECT_EQ(mManager.mWidgets.size(), before);
}

TEST_F(ListInManagerTest, RaisingTheListRaisesItsColumnAndBar) {
    mManager.AddWidget(new Widget()); // something above them all
    Widget* top = mManager.mWidgets.back();
    mManager.BringToFront(&mA, nullptr);
    std::vector<Widget*> order(mManager.mWidgets.begin(), mManager.mWidgets.end());
    EXPECT_EQ(order, (std::vector<Widget*>{top, &mA, &mBar, &mB}));
    mManager.RemoveWidget(top);
    delete top;
}

TEST_F(ListInManagerTest, DrawsRowsScrolledByFractions) {
    mBar.SetValue(2.5);
    mA.SetSelect(3);
    mManager.MouseMove(20, 10 + 4 + 20); // (int) (2 + 2.5): row 4 hovered
    Testing::RecordingImage image(640, 480);
    FixedWidthFont& font = mFont;
    Graphics g(&image);
    mA.Draw(&g);
    // Rows 2 to 2 + 5 + 1 = 8; row i at (int) ((i - 2.5) x 10) + 4.
    ASSERT_EQ(font.mDrawn.size(), 7u);
    EXPECT_EQ(font.mDrawn[0].mText, "row2");
    EXPECT_EQ(font.mDrawn[0].mY, -1 + 8) << "partly above the text clip";
    EXPECT_EQ(font.mDrawn[0].mX, 4);
    EXPECT_EQ(font.mDrawn[0].mClip, Rect(4, 4, 92, 50));
    EXPECT_EQ(font.mDrawn[1].mColor, Color(255, 255, 255)) << "the selected row";
    EXPECT_EQ(font.mDrawn[2].mColor, Color(0, 192, 0)) << "the hovered row";
    EXPECT_EQ(font.mDrawn[3].mColor, Color(0, 0, 0));
    EXPECT_EQ(font.mDrawn[6].mText, "row8");
    ASSERT_EQ(image.mCalls.size(), 3u);
    EXPECT_EQ(image.mCalls[1].mRect, Rect(0, 9, 100, 10)) << "row 3 at 9";
    EXPECT_EQ(image.mCalls[1].mColor, Color(0, 0, 128));
    EXPECT_EQ(image.mCalls[2].mSlot, "DrawRect");

    mA.mJustify = 2;
    font.mDrawn.clear();
    mA.Draw(&g);
    EXPECT_EQ(font.mDrawn[0].mX, 100 - 24 - 4);
}

} // namespace
} // namespace Vuro::Test
