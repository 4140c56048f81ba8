// The widget tree: adding and removing, attaching to the manager, the update walks (also while
// widgets are removed or deleted from inside them), the flags they carry, z-order and deletion.

#include "RecordingWidget.h"

#include "framework/widgets/WidgetManager.h"

#include <gtest/gtest.h>

namespace Vuro::Test {
namespace {

class WidgetTreeTest : public ::testing::Test {
protected:
    CallLog mLog;
    WidgetManager mManager{nullptr};
};

TEST_F(WidgetTreeTest, AddingTwiceKeepsOneEntryAndRemovingAStrangerDoesNothing) {
    Widget a;
    Widget stranger;
    mManager.AddWidget(&a);
    mManager.AddWidget(&a);
    EXPECT_EQ(mManager.mWidgets.size(), 1u);
    mManager.RemoveWidget(&stranger);
    EXPECT_EQ(mManager.mWidgets.size(), 1u);
    EXPECT_EQ(a.mParent, &mManager);
    mManager.RemoveWidget(&a);
    EXPECT_TRUE(mManager.mWidgets.empty());
    EXPECT_EQ(a.mParent, nullptr);
    EXPECT_EQ(a.mWidgetManager, nullptr);
}

TEST_F(WidgetTreeTest, AttachingAndDetachingReachTheWholeSubtree) {
    Widget screen;
    Widget panel;
    Widget leaf;
    screen.AddWidget(&panel);
    panel.AddWidget(&leaf);
    EXPECT_EQ(leaf.mWidgetManager, nullptr) << "a detached subtree has no manager";

    mManager.AddWidget(&screen);
    EXPECT_EQ(screen.mWidgetManager, &mManager);
    EXPECT_EQ(panel.mWidgetManager, &mManager);
    EXPECT_EQ(leaf.mWidgetManager, &mManager);
    EXPECT_TRUE(screen.mDirty);

    // Adding to an attached container attaches at once.
    Widget late;
    panel.AddWidget(&late);
    EXPECT_EQ(late.mWidgetManager, &mManager);

    mManager.RemoveWidget(&screen);
    EXPECT_EQ(screen.mWidgetManager, nullptr);
    EXPECT_EQ(panel.mWidgetManager, nullptr);
    EXPECT_EQ(leaf.mWidgetManager, nullptr);
    EXPECT_EQ(late.mWidgetManager, nullptr);
    EXPECT_EQ(leaf.mParent, &panel) << "the subtree stays together";
}

TEST_F(WidgetTreeTest, EachWidgetUpdatesOncePerFixedUpdateBottomToTop) {
    RecordingWidget a(mLog, "a");
    RecordingWidget b(mLog, "b");
    RecordingWidget inner(mLog, "inner");
    a.AddWidget(&inner);
    mManager.AddWidget(&a);
    mManager.AddWidget(&b);
    EXPECT_TRUE(mManager.UpdateFrame()) << "adding invalidated the root";
    EXPECT_EQ(mLog, (CallLog{"a.Update()", "inner.Update()", "b.Update()"}));
    EXPECT_EQ(mManager.mUpdateCount, 1);
    EXPECT_EQ(a.mLastUpdateCount, 1);
    EXPECT_EQ(a.mUpdateCount, 1);

    // A second walk in the same update count (as a nested walk would be) updates nobody.
    mLog.clear();
    TraversalFlags flags;
    mManager.InitTraversalFlags(&flags);
    mManager.UpdateAll(&flags);
    EXPECT_TRUE(mLog.empty());

    mManager.UpdateFrameSmooth(0.5f);
    EXPECT_EQ(mLog,
              (CallLog{"a.Smooth(0.500000)", "inner.Smooth(0.500000)", "b.Smooth(0.500000)"}));
}

TEST_F(WidgetTreeTest, RemovingTheVisitedChildFromItsUpdateGoesOnWithTheNext) {
    RecordingWidget a(mLog, "a");
    RecordingWidget b(mLog, "b");
    RecordingWidget c(mLog, "c");
    RecordingWidget d(mLog, "d");
    for (Widget* w : {&a, &b, &c, &d}) {
        mManager.AddWidget(w);
    }
    b.onUpdate = [&] { mManager.RemoveWidget(&b); };
    mManager.UpdateFrame();
    EXPECT_EQ(mLog, (CallLog{"a.Update()", "b.Update()", "c.Update()", "d.Update()"}));

    // Removing one that was visited already repeats nobody; one still to come is not visited.
    mLog.clear();
    c.onUpdate = [&] {
        mManager.RemoveWidget(&a);
        mManager.RemoveWidget(&d);
    };
    mManager.UpdateFrame();
    EXPECT_EQ(mLog, (CallLog{"a.Update()", "c.Update()"}));

    // Removing the visited child and the one after it from inside the visit.
    mLog.clear();
    c.onUpdate = nullptr;
    for (Widget* w : {&a, &b, &d}) {
        mManager.AddWidget(w);
    }
    // Order now c, a, b, d.
    a.onUpdate = [&] {
        mManager.RemoveWidget(&a);
        mManager.RemoveWidget(&b);
    };
    b.onUpdate = nullptr;
    mManager.UpdateFrame();
    EXPECT_EQ(mLog, (CallLog{"c.Update()", "a.Update()", "d.Update()"}));
}

TEST_F(WidgetTreeTest, AWidgetDeletedOrAddedDuringTheWalk) {
    RecordingWidget a(mLog, "a");
    auto* doomed = new RecordingWidget(mLog, "doomed");
    RecordingWidget late(mLog, "late");
    RecordingWidget inner(mLog, "inner");
    doomed->AddWidget(&inner);
    mManager.AddWidget(&a);
    mManager.AddWidget(doomed);
    // a deletes the next widget and adds another on top: the walk skips the deleted one and
    // reaches the new one.
    a.onUpdate = [&] {
        delete doomed;
        mManager.AddWidget(&late);
    };
    mManager.UpdateFrame();
    EXPECT_EQ(mLog, (CallLog{"a.Update()", "late.Update()"}));
    ASSERT_EQ(mManager.mWidgets.size(), 2u);
    EXPECT_EQ(inner.mParent, nullptr) << "the deleted widget's children are let go";
    EXPECT_EQ(inner.mWidgetManager, nullptr);
}

TEST_F(WidgetTreeTest, RemovalInsideANestedContainerKeepsItsWalk) {
    RecordingWidget screen(mLog, "screen");
    RecordingWidget first(mLog, "first");
    RecordingWidget second(mLog, "second");
    screen.AddWidget(&first);
    screen.AddWidget(&second);
    mManager.AddWidget(&screen);
    first.onUpdate = [&] { screen.RemoveWidget(&first); };
    mManager.UpdateFrame();
    EXPECT_EQ(mLog, (CallLog{"screen.Update()", "first.Update()", "second.Update()"}));
}

TEST_F(WidgetTreeTest, FlagAdjustmentsReachTheWholeSubtree) {
    RecordingWidget frozen(mLog, "frozen");
    RecordingWidget frozenChild(mLog, "frozenChild");
    RecordingWidget revived(mLog, "revived");
    frozen.AddWidget(&frozenChild);
    frozen.AddWidget(&revived);
    frozen.mFlagAdjust.mRemoveFlags = WidgetFlagUpdate;
    revived.mFlagAdjust.mAddFlags = WidgetFlagUpdate;
    mManager.AddWidget(&frozen);
    mManager.UpdateFrame();
    EXPECT_EQ(mLog, (CallLog{"revived.Update()"}));

    // Flag 2 invalidates its container on every update.
    Widget busy;
    busy.mFlagAdjust.mAddFlags = WidgetFlagMarkDirty;
    mManager.AddWidget(&busy);
    busy.mDirty = false;
    mManager.UpdateFrame();
    EXPECT_TRUE(busy.mDirty);
}

TEST_F(WidgetTreeTest, WidgetsBelowTheModalWidgetGetTheBelowModalFlags) {
    RecordingWidget below(mLog, "below");
    RecordingWidget screen(mLog, "screen");
    RecordingWidget modal(mLog, "modal");
    RecordingWidget modalChild(mLog, "modalChild");
    RecordingWidget above(mLog, "above");
    modal.AddWidget(&modalChild);
    screen.AddWidget(&modal);
    for (Widget* w : {&below, &screen, &above}) {
        mManager.AddWidget(w);
    }
    mManager.PushModalWith(&modal, FlagAdjust{0, WidgetFlagUpdate});
    mManager.UpdateFrame();
    // The modal widget's parent comes before it in the walk, so it counts as below.
    EXPECT_EQ(mLog, (CallLog{"modal.Update()", "modalChild.Update()", "above.Update()"}));

    mLog.clear();
    mManager.PopModal(&modal);
    mManager.UpdateFrame();
    EXPECT_EQ(mLog.size(), 5u);
}

TEST_F(WidgetTreeTest, IsBelowFollowsTheDrawOrder) {
    Widget a;
    Widget aChild;
    Widget b;
    a.AddWidget(&aChild);
    mManager.AddWidget(&a);
    mManager.AddWidget(&b);
    EXPECT_TRUE(mManager.IsBelow(&a, &b));
    EXPECT_TRUE(mManager.IsBelow(&aChild, &b));
    EXPECT_TRUE(mManager.IsBelow(&a, &aChild)) << "a parent is drawn before its children";
    EXPECT_FALSE(mManager.IsBelow(&b, &aChild));
    Widget stranger;
    EXPECT_FALSE(mManager.IsBelow(&stranger, &b));
    EXPECT_TRUE(mManager.IsBelow(&b, &stranger));
    EXPECT_TRUE(mManager.IsBelow(&b, nullptr));
}

TEST_F(WidgetTreeTest, BringToFrontPlacesAboveTheReferenceOrOnTop) {
    RecordingWidget a(mLog, "a");
    RecordingWidget b(mLog, "b");
    RecordingWidget c(mLog, "c");
    for (Widget* w : {&a, &b, &c}) {
        mManager.AddWidget(w);
    }
    mManager.BringToFront(&a, &b);
    EXPECT_EQ(mManager.mWidgets, (std::list<Widget*>{&b, &a, &c}));
    mManager.BringToFront(&b, nullptr);
    EXPECT_EQ(mManager.mWidgets, (std::list<Widget*>{&a, &c, &b}));
    EXPECT_EQ(mLog, (CallLog{"a.ZOrder()", "b.ZOrder()"}));

    // Moving the visited widget to the top during the walk: nobody is skipped, and the moved
    // widget is not updated twice.
    mLog.clear();
    a.onUpdate = [&] { mManager.BringToFront(&a, nullptr); };
    mManager.UpdateFrame();
    EXPECT_EQ(mLog, (CallLog{"a.Update()", "a.ZOrder()", "c.Update()", "b.Update()"}));
}

TEST_F(WidgetTreeTest, RemoveAllWidgetsEmptiesRecursivelyAndDeletes) {
    auto* outer = new Widget;
    auto* inner = new Widget;
    Widget kept;
    outer->AddWidget(inner);
    mManager.AddWidget(outer);
    mManager.RemoveAllWidgets(true, true);
    EXPECT_TRUE(mManager.mWidgets.empty());
    // outer and inner are gone (ASan checks); a plain removal keeps the widget alive.
    mManager.AddWidget(&kept);
    mManager.RemoveAllWidgets(false, false);
    EXPECT_EQ(kept.mParent, nullptr);
}

TEST_F(WidgetTreeTest, DeletingAnAttachedWidgetDetachesIt) {
    auto* screen = new Widget;
    Widget child;
    screen->AddWidget(&child);
    Widget other;
    mManager.AddWidget(screen);
    mManager.AddWidget(&other);
    delete screen;
    EXPECT_EQ(mManager.mWidgets, (std::list<Widget*>{&other}));
    EXPECT_EQ(child.mParent, nullptr);
    EXPECT_EQ(child.mWidgetManager, nullptr);
    // The let-go child can go into the tree again.
    mManager.AddWidget(&child);
    EXPECT_EQ(child.mWidgetManager, &mManager);
}

TEST_F(WidgetTreeTest, AManagerDestroyedBeforeItsWidgetsLetsThemGo) {
    Widget screen;
    Widget child;
    screen.AddWidget(&child);
    {
        WidgetManager shortLived(nullptr);
        shortLived.AddWidget(&screen);
    }
    EXPECT_EQ(screen.mParent, nullptr);
    EXPECT_EQ(screen.mWidgetManager, nullptr);
    EXPECT_EQ(child.mWidgetManager, nullptr);
}

} // namespace
} // namespace Vuro::Test
