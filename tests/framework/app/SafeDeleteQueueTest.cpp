// The safe-delete queue: a queued widget is deleted by the first deletion pass at its own
// step depth or an outer one, never while a deeper (nested) step might still use it.

#include "TestApp.h"

#include "framework/widgets/Dialog.h"

#include <functional>

namespace Vuro::Test {
namespace {

// A widget that reports its deletion and can run something from its destructor.
class TrackedWidget : public Widget {
public:
    explicit TrackedWidget(int& deletions, std::function<void()> onDelete = {})
        : mDeletions(deletions), mOnDelete(std::move(onDelete)) {}
    ~TrackedWidget() override {
        ++mDeletions;
        if (mOnDelete) {
            mOnDelete();
        }
    }

private:
    int& mDeletions;
    std::function<void()> mOnDelete;
};

class SafeDeleteQueueTest : public AppFixture {
protected:
    int mDeletions = 0;
};

TEST_F(SafeDeleteQueueTest, DeletesAtTheSameOrAnOuterDepthOnly) {
    mApp.mStepDepth = 2;
    mApp.QueueWidgetDeletion(new TrackedWidget(mDeletions));
    mApp.mStepDepth = 3; // a nested step
    mApp.DeleteQueuedWidgets();
    EXPECT_EQ(mDeletions, 0);
    mApp.mStepDepth = 2;
    mApp.DeleteQueuedWidgets();
    EXPECT_EQ(mDeletions, 1);

    mApp.QueueWidgetDeletion(new TrackedWidget(mDeletions));
    mApp.mStepDepth = 1; // an outer step
    mApp.DeleteQueuedWidgets();
    EXPECT_EQ(mDeletions, 2);
    EXPECT_TRUE(mApp.mSafeDeleteQueue.empty());
}

TEST_F(SafeDeleteQueueTest, AWidgetQueuedWhileDeletionsRunIsDeletedInTheSamePass) {
    int innerDeletions = 0;
    mApp.mStepDepth = 1;
    mApp.QueueWidgetDeletion(new TrackedWidget(
        mDeletions, [&] { mApp.QueueWidgetDeletion(new TrackedWidget(innerDeletions)); }));
    mApp.DeleteQueuedWidgets();
    EXPECT_EQ(mDeletions, 1);
    EXPECT_EQ(innerDeletions, 1);
    EXPECT_TRUE(mApp.mSafeDeleteQueue.empty());
}

TEST_F(SafeDeleteQueueTest, AWidgetQueuedTwiceIsDeletedOnce) {
    auto* widget = new TrackedWidget(mDeletions);
    mApp.QueueWidgetDeletion(widget);
    mApp.QueueWidgetDeletion(widget);
    mApp.DeleteQueuedWidgets();
    EXPECT_EQ(mDeletions, 1);
}

// On its first update, queues a widget for deletion and then waits for an update in a nested
// loop, as a modal wait does; records whether the queued widget survived the nested steps.
class NestingWidget : public Widget {
public:
    NestingWidget(VuroAppBase& app, Widget* victim, int& deletions)
        : mApp(app), mVictim(victim), mDeletions(deletions) {}
    void Update() override {
        Widget::Update();
        if (mVictim == nullptr) {
            return;
        }
        mDepthAtQueue = mApp.mStepDepth;
        mApp.QueueWidgetDeletion(mVictim);
        mVictim = nullptr;
        mNestedResult = mApp.StepUntilUpdated();
        mDeletionsAfterNested = mDeletions;
    }

    VuroAppBase& mApp;
    Widget* mVictim;
    int& mDeletions;
    int mDepthAtQueue = 0;
    bool mNestedResult = false;
    int mDeletionsAfterNested = -1;
};

TEST_F(SafeDeleteQueueTest, ANestedStepLeavesTheOuterStepsWidgetsAlone) {
    mApp.Init();
    NestingWidget nesting(mApp, new TrackedWidget(mDeletions), mDeletions);
    mApp.mWidgetManager->AddWidget(&nesting);
    mClock.Advance(10);
    ASSERT_TRUE(StepUntil([&] { return nesting.mVictim == nullptr && mDeletions == 1; }, 50));
    EXPECT_EQ(nesting.mDepthAtQueue, 1);
    EXPECT_TRUE(nesting.mNestedResult);
    EXPECT_EQ(nesting.mDeletionsAfterNested, 0) << "deleted inside the nested step";
    mApp.mWidgetManager->RemoveWidget(&nesting);
}

TEST_F(SafeDeleteQueueTest, AClosedDialogIsDeletedAtTheNextPass) {
    mApp.Init();
    Dialog* first = mApp.ShowDialog(7, false, "Title", "Header", "Footer", 0);
    ASSERT_EQ(mApp.GetDialog(7), first);
    // Replacing the dialog under the same id closes the first one and queues it.
    Dialog* second = mApp.ShowDialog(7, false, "Title", "Header", "Footer", 0);
    EXPECT_EQ(mApp.GetDialog(7), second);
    EXPECT_EQ(mApp.GetDialogCount(), 1);
    ASSERT_EQ(mApp.mSafeDeleteQueue.size(), 1u);
    EXPECT_EQ(mApp.mSafeDeleteQueue.front().second, first);
    mApp.DeleteQueuedWidgets();
    EXPECT_TRUE(mApp.mSafeDeleteQueue.empty());
    // The second dialog is still open: the application deletes it with itself.
}

TEST(SafeDeleteQueueAtExitTest, WidgetsStillQueuedAtDestructionAreDeleted) {
    int deletions = 0;
    {
        StackApp<TestApp> app;
        app.mStepDepth = 1;
        app.QueueWidgetDeletion(new TrackedWidget(deletions));
    }
    EXPECT_EQ(deletions, 1);
}

} // namespace
} // namespace Vuro::Test
