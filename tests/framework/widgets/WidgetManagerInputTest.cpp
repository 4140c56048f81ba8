// Scripted mouse input through the manager: the widget under the mouse, the widget a button is
// held on, the points each widget is told, and widgets that leave or die while they are
// tracked.

#include "RecordingWidget.h"

#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

class WidgetManagerInputTest : public RecordingLogTest {
protected:
    void SetUp() override {
        mManager.AddWidget(&mA);
        mManager.AddWidget(&mB);
    }

    WidgetManager mManager{nullptr};
    RecordingWidget mA{mLog, "a", 10, 10, 100, 100};
    RecordingWidget mB{mLog, "b", 200, 10, 100, 100};
};

TEST_F(WidgetManagerInputTest, TheMouseEntersMovesAndLeaves) {
    EXPECT_TRUE(mManager.MouseMove(20, 30));
    EXPECT_TRUE(mManager.mMouseIn);
    EXPECT_EQ(Take(), (CallLog{"a.Enter()", "a.Move(10,20)"}));
    EXPECT_TRUE(mA.mIsOver);
    mManager.MouseMove(20, 30);
    EXPECT_TRUE(Take().empty()) << "the same point again tells nobody";
    mManager.MouseMove(21, 30);
    EXPECT_EQ(Take(), (CallLog{"a.Move(11,20)"}));
    mManager.MouseMove(250, 20);
    EXPECT_EQ(Take(), (CallLog{"a.Leave()", "b.Enter()", "b.Move(50,10)"}));
    EXPECT_FALSE(mA.mIsOver);
    mManager.MouseMove(150, 20);
    EXPECT_EQ(Take(), (CallLog{"b.Leave()"}));
    mManager.MouseMove(250, 20);
    mManager.MouseExit(250, 20);
    EXPECT_EQ(Take(), (CallLog{"b.Enter()", "b.Move(50,10)", "b.Leave()"}));
    EXPECT_FALSE(mManager.mMouseIn);
    EXPECT_EQ(mManager.mOverWidget, nullptr);
}

TEST_F(WidgetManagerInputTest, PressMoveOffMoveBackAndRelease) {
    mManager.MouseMove(20, 30);
    mManager.MouseDown(20, 30, 1);
    EXPECT_TRUE(mA.mIsDown);
    EXPECT_EQ(mManager.mHeldWidget, &mA);
    mManager.MouseMove(150, 30);
    EXPECT_FALSE(mA.mIsOver);
    EXPECT_TRUE(mA.mIsDown);
    mManager.MouseMove(30, 40);
    EXPECT_TRUE(mA.mIsOver);
    mManager.MouseUp(30, 40, 1);
    EXPECT_FALSE(mA.mIsDown);
    EXPECT_EQ(mManager.mHeldWidget, nullptr);
    EXPECT_EQ(Take(), (CallLog{"a.Enter()", "a.Move(10,20)", "a.Down(10,20,1)", "a.Drag(140,20)",
                               "a.Leave()", "a.Drag(20,30)", "a.Enter()", "a.Up(20,30,1)"}));
    EXPECT_EQ(mManager.mPressedButtons, 0);
    EXPECT_EQ(mManager.mLastDownCode, 1);
}

TEST_F(WidgetManagerInputTest, ReleasingOverAnotherWidgetStillGoesToTheHeldOne) {
    mManager.MouseMove(20, 30);
    mManager.MouseDown(20, 30, 2);
    mManager.MouseMove(220, 30);
    EXPECT_FALSE(mB.mIsOver) << "nothing else is entered while a button is held";
    mManager.MouseUp(220, 30, 2);
    EXPECT_EQ(Take(), (CallLog{"a.Enter()", "a.Move(10,20)", "a.Down(10,20,2)", "a.Drag(210,20)",
                               "a.Leave()", "a.Up(210,20,2)", "b.Enter()", "b.Move(20,20)"}));
}

TEST_F(WidgetManagerInputTest, TwoButtonsHeldOnOneWidget) {
    mManager.MouseMove(20, 30);
    mManager.MouseDown(20, 30, 1);
    mManager.MouseDown(25, 35, -1);
    EXPECT_EQ(mManager.mHeldButtons, 3);
    EXPECT_EQ(mManager.mLastDownCode, -1);
    mManager.MouseUp(25, 35, 1);
    EXPECT_EQ(mManager.mHeldWidget, &mA) << "held until the last button is released";
    EXPECT_FALSE(mA.mIsDown) << "but no longer down";
    // While the right button is still held, moving drags.
    mManager.MouseMove(26, 35);
    mManager.MouseUp(26, 35, -1);
    EXPECT_EQ(mManager.mHeldWidget, nullptr);
    EXPECT_EQ(Take(),
              (CallLog{"a.Enter()", "a.Move(10,20)", "a.Down(10,20,1)", "a.Move(15,25)",
                       "a.Down(15,25,-1)", "a.Up(15,25,1)", "a.Drag(16,25)", "a.Up(16,25,-1)"}));

    // The middle button has its own bit and code.
    mManager.MouseDown(26, 35, 3);
    EXPECT_EQ(mManager.mHeldButtons, 4);
    EXPECT_EQ(mManager.mLastDownCode, 2);
    mManager.MouseUp(26, 35, 3);
    EXPECT_EQ(mManager.mHeldButtons, 0);
}

TEST_F(WidgetManagerInputTest, APressOnNothingIsOnlyCounted) {
    mManager.MouseDown(150, 150, 1);
    EXPECT_EQ(mManager.mPressedButtons, 1);
    EXPECT_EQ(mManager.mHeldButtons, 1);
    EXPECT_EQ(mManager.mHeldWidget, nullptr);
    mManager.MouseMove(20, 30);
    EXPECT_EQ(mManager.mOverWidget, nullptr) << "a drag with nothing held enters nothing";
    mManager.MouseUp(20, 30, 1);
    EXPECT_EQ(mManager.mHeldButtons, 0);
    EXPECT_EQ(Take(), (CallLog{"a.Enter()", "a.Move(10,20)"}));
}

TEST_F(WidgetManagerInputTest, DisabledAndSeeThroughWidgetsUnderTheMouse) {
    RecordingWidget cover(mLog, "cover", 0, 0, 640, 480);
    cover.mDisabled = true;
    mManager.AddWidget(&cover);
    mManager.MouseMove(20, 30);
    mManager.MouseDown(20, 30, 1);
    mManager.MouseUp(20, 30, 1);
    EXPECT_TRUE(Take().empty()) << "the disabled cover hides a";

    // Enabling it under the mouse enters it at once.
    cover.SetDisabled(false);
    EXPECT_EQ(Take(), (CallLog{"cover.Enter()", "cover.Move(20,30)"}));

    // A cover that does not see the point lets it through to a.
    cover.hole = [](int, int) { return true; };
    mManager.MouseMove(21, 30);
    EXPECT_EQ(Take(), (CallLog{"cover.Leave()", "a.Enter()", "a.Move(11,20)"}));

    // Disabling the widget a button is held on releases the button to it.
    mManager.MouseDown(21, 30, 1);
    mA.SetDisabled(true);
    EXPECT_EQ(Take(), (CallLog{"a.Down(11,20,1)", "a.Leave()", "a.Up(11,20,1)"}));
    EXPECT_EQ(mManager.mHeldWidget, nullptr);
    EXPECT_FALSE(mA.mIsDown);
}

TEST_F(WidgetManagerInputTest, PointsAreLocalThroughEveryAncestor) {
    // The release subtracts every ancestor's position, not only the widget's own.
    RecordingWidget screen(mLog, "screen", 300, 200, 300, 200);
    RecordingWidget child(mLog, "child", 10, 10, 50, 50);
    screen.AddWidget(&child);
    mManager.AddWidget(&screen);
    mManager.MouseMove(315, 220);
    mManager.MouseDown(315, 220, 1);
    mManager.MouseMove(330, 240);
    mManager.MouseUp(330, 240, 1);
    EXPECT_EQ(Take(), (CallLog{"child.Enter()", "child.Move(5,10)", "child.Down(5,10,1)",
                               "child.Drag(20,30)", "child.Up(20,30,1)"}));

    // A release forced by the manager uses the last point the same way.
    mManager.MouseDown(330, 240, -1);
    mManager.MouseMove(340, 250);
    mManager.ReleaseHeldMouse();
    EXPECT_EQ(Take(), (CallLog{"child.Down(20,30,-1)", "child.Drag(30,40)", "child.Up(30,40,-1)"}));
    EXPECT_EQ(mManager.mHeldWidget, nullptr);
    EXPECT_EQ(mManager.mHeldButtons, 0);
}

TEST_F(WidgetManagerInputTest, ASecondPressOverAnotherWidgetIsLocalToTheHeldOne) {
    // The held widget is told the point local to itself, not to the widget under the mouse.
    RecordingWidget screen(mLog, "screen", 300, 200, 300, 200);
    RecordingWidget child(mLog, "child", 10, 10, 50, 50);
    screen.AddWidget(&child);
    mManager.AddWidget(&screen);
    mManager.MouseMove(315, 220);
    mManager.MouseDown(315, 220, 1);
    mManager.MouseDown(250, 20, -1);
    mManager.MouseDown(150, 150, 3);
    CallLog downs;
    for (const std::string& call : Take()) {
        if (call.find(".Down(") != std::string::npos) {
            downs.push_back(call);
        }
    }
    EXPECT_EQ(downs,
              (CallLog{"child.Down(5,10,1)", "child.Down(-60,-190,-1)", "child.Down(-160,-60,3)"}));
    EXPECT_EQ(mManager.mHeldWidget, &child);
    EXPECT_EQ(mManager.mHeldButtons, 7);
}

TEST_F(WidgetManagerInputTest, EnablingANestedWidgetUnderTheMouseEntersIt) {
    // The screen point of the mouse is made local before it is compared with the rectangle in
    // the parent's coordinates.
    RecordingWidget screen(mLog, "screen", 300, 200, 300, 200);
    RecordingWidget child(mLog, "child", 10, 10, 50, 50);
    child.mDisabled = true;
    screen.AddWidget(&child);
    mManager.AddWidget(&screen);
    mManager.MouseMove(315, 220);
    EXPECT_TRUE(Take().empty()) << "the disabled child swallows the point";
    child.SetDisabled(false);
    EXPECT_EQ(Take(), (CallLog{"child.Enter()", "child.Move(5,10)"}));
}

TEST_F(WidgetManagerInputTest, ChangesToTheTreeUpdateTheOverState) {
    mManager.MouseMove(150, 150);
    RecordingWidget late(mLog, "late", 100, 100, 100, 100);
    mManager.AddWidget(&late);
    EXPECT_EQ(Take(), (CallLog{"late.Enter()", "late.Move(50,50)"}));
    late.SetVisible(false);
    EXPECT_EQ(Take(), (CallLog{"late.Leave()"}));
    late.SetVisible(true);
    late.Move(120, 100);
    mManager.RemoveWidget(&late);
    // Moving under a mouse that stays on the widget tells it nothing: the point did not move.
    EXPECT_EQ(Take(), (CallLog{"late.Enter()", "late.Move(50,50)", "late.Leave()"}));
}

TEST_F(WidgetManagerInputTest, APressOutsideThePopupRemovesIt) {
    RecordingWidget popup(mLog, "popup", 400, 300, 50, 50);
    mManager.AddWidget(&popup);
    mManager.mPopupWidget = &popup;
    mManager.MouseDown(410, 310, 1);
    mManager.MouseUp(410, 310, 1);
    EXPECT_EQ(popup.mParent, &mManager);
    mManager.MouseDown(20, 30, 1);
    EXPECT_EQ(popup.mParent, nullptr);
    EXPECT_EQ(mManager.mPopupWidget, nullptr);
    mManager.MouseUp(20, 30, 1);
    // Removing the popup some other way clears it too.
    mManager.AddWidget(&popup);
    mManager.mPopupWidget = &popup;
    mManager.RemoveWidget(&popup);
    EXPECT_EQ(mManager.mPopupWidget, nullptr);
}

TEST_F(WidgetManagerInputTest, ClickCountsMapToButtons) {
    // The base widget turns signed click counts into buttons.
    struct ButtonWidget : Widget {
        void MouseDownButton(int x, int y, int button, int count) override {
            calls.push_back({x, y, button, count, true});
        }
        void MouseUpButton(int x, int y, int button, int count) override {
            calls.push_back({x, y, button, count, false});
        }
        void MouseRelease(int, int) override { ++releases; }
        struct Call {
            int x, y, button, count;
            bool down;
            bool operator==(const Call&) const = default;
        };
        std::vector<Call> calls;
        int releases = 0;
    } w;
    w.MouseDown(1, 2, 1);
    w.MouseDown(1, 2, 2);
    w.MouseDown(1, 2, -2);
    w.MouseDown(1, 2, 3);
    w.MouseUp(3, 4, -1);
    w.MouseUp(3, 4, 3);
    using Call = decltype(w)::Call;
    EXPECT_EQ(w.calls, (std::vector<Call>{{1, 2, 0, 1, true},
                                          {1, 2, 0, 2, true},
                                          {1, 2, 1, 2, true},
                                          {1, 2, 2, 1, true},
                                          {3, 4, 1, 1, false},
                                          {3, 4, 2, 1, false}}));
    EXPECT_EQ(w.releases, 2);
}

} // namespace
} // namespace Vuro::Test
