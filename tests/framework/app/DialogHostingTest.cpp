// Dialogs hosted by id: placement of an unsized dialog, replacing and closing by id, re-adding
// the open dialog (nothing happens), and the order of modal dialogs on the manager's modal stack.

#include "TestApp.h"

#include "framework/widgets/Dialog.h"
#include "framework/widgets/WidgetManager.h"
#include "support/FixedWidthSysFonts.h"

#include <algorithm>
#include <deque>

namespace Vuro::Test {
namespace {

// Counts the modal hooks the host calls.
class HostApp : public TestApp {
public:
    void OnModalOpened() override { ++modalOpened; }
    void OnModalClosed() override {
        ++modalClosed;
        modalWhenClosed = mWidgetManager->mModalWidget;
    }

    int modalOpened = 0;
    int modalClosed = 0;
    Widget* modalWhenClosed = nullptr;
};

// A dialog that tells when it is deleted.
class ProbeDialog : public Dialog {
public:
    ProbeDialog(int id, bool modal, bool* deleted)
        : Dialog(nullptr, nullptr, id, modal, "Header", "Lines", "Footer", 2), mDeleted(deleted) {}
    ~ProbeDialog() override { *mDeleted = true; }

    bool* mDeleted;
};

class FocusProbe : public Widget {};

class DialogHostingTest : public ::testing::Test {
protected:
    bool IsTopLevel(Widget* w) const {
        const auto& widgets = mApp.mWidgetManager->mWidgets;
        return std::find(widgets.begin(), widgets.end(), w) != widgets.end();
    }
    bool IsQueued(Widget* w) const {
        return std::any_of(mApp.mSafeDeleteQueue.begin(), mApp.mSafeDeleteQueue.end(),
                           [w](const auto& entry) { return entry.second == w; });
    }

    // A flag that outlives the test body: dialogs still open are deleted with the application,
    // after the body's locals are gone.
    bool& NewFlag() { return mFlags.emplace_back(false); }

    std::deque<bool> mFlags;
    Testing::FixedWidthSysFonts mFonts; // exact text heights
    FakeClock mClock;
    ScriptedEvents mEvents;
    FakeWindowSystem mWindows;
    StackApp<HostApp> mApp;
};

TEST_F(DialogHostingTest, AnUnsizedDialogIsHalfTheWidthCentredOneFifthDown) {
    // 48 of margins, the header 9, 10 and one line of 9, 8 and the footer's 12, and for two
    // buttons 8, a 24-pixel button row and 8 below it.
    Dialog* withButtons = mApp.ShowDialog(1, false, "Title", "Header", "Footer", 1);
    EXPECT_EQ(withButtons->GetRect(), Rect(160, 96, 320, 136));
    EXPECT_EQ(withButtons->mDialogListener, &mApp);
    EXPECT_TRUE(IsTopLevel(withButtons));

    mApp.mWidth = 800;
    mApp.mHeight = 600;
    Dialog* plain = mApp.ShowDialog(2, false, "Title", "Header", "Footer", 0);
    EXPECT_EQ(plain->GetRect(), Rect(200, 120, 400, 96));

    // A dialog that has a size keeps its place.
    bool& deleted = NewFlag();
    auto* placed = new ProbeDialog(3, false, &deleted);
    placed->Resize(5, 6, 70, 80);
    mApp.AddDialogWidget(placed);
    EXPECT_EQ(mApp.GetDialog(3), placed);
    EXPECT_EQ(placed->GetRect(), Rect(5, 6, 70, 80));
    EXPECT_EQ(mApp.GetDialogCount(), 3);
}

TEST_F(DialogHostingTest, ClickingTheButtonsOfAShownDialogReachesTheAppsButtons) {
    Dialog* dialog = mApp.ShowDialog(7, true, "Title", "Header", "Footer", 1); // modal
    ASSERT_EQ(dialog->GetRect(), Rect(160, 96, 320, 136));
    // Buttons (320 - 48 - 8) / 2 = 132 wide at x 184 and 324, y 96 + 136 - 48 = 184.
    WidgetManager* manager = mApp.mWidgetManager;
    for (int x : {190, 330}) {
        manager->MouseMove(x, 186);
        manager->MouseDown(x, 186, 1);
        manager->MouseUp(x, 186, 1);
    }
    EXPECT_EQ(mApp.pressed, (std::vector<int>{2007, 3007}));
    EXPECT_EQ(mApp.clicked, (std::vector<int>{2007, 3007}));
    EXPECT_EQ(dialog->mResult, DialogButtonNo);
}

TEST_F(DialogHostingTest, AReplacedDialogLeavesAtOnceAndIsDeletedAtTheNextPass) {
    bool& firstDeleted = NewFlag();
    auto* first = new ProbeDialog(7, false, &firstDeleted);
    mApp.AddDialog(7, first);
    bool& secondDeleted = NewFlag();
    auto* second = new ProbeDialog(7, false, &secondDeleted);
    mApp.AddDialog(7, second);

    EXPECT_EQ(mApp.GetDialog(7), second);
    EXPECT_EQ(mApp.GetDialogCount(), 1);
    EXPECT_EQ(mApp.mDialogList, std::list<Dialog*>{second});
    EXPECT_FALSE(IsTopLevel(first));
    EXPECT_TRUE(IsTopLevel(second));
    EXPECT_FALSE(firstDeleted) << "the caller may still be inside the old dialog";
    EXPECT_TRUE(IsQueued(first));

    mApp.DeleteQueuedWidgets();
    EXPECT_TRUE(firstDeleted);
    EXPECT_FALSE(secondDeleted);
}

TEST_F(DialogHostingTest, AddingTheOpenDialogAgainUnderItsIdChangesNothing) {
    bool& deleted = NewFlag();
    auto* dialog = new ProbeDialog(4, true, &deleted);
    mApp.AddDialog(4, dialog);
    mApp.AddDialog(4, dialog);
    mApp.AddDialogWidget(dialog);

    EXPECT_EQ(mApp.GetDialog(4), dialog);
    EXPECT_EQ(mApp.mDialogList, std::list<Dialog*>{dialog});
    EXPECT_TRUE(IsTopLevel(dialog));
    EXPECT_FALSE(IsQueued(dialog));
    EXPECT_EQ(mApp.modalOpened, 1);
    EXPECT_EQ(mApp.mWidgetManager->mModalStack.size(), 1u);
    mApp.DeleteQueuedWidgets();
    EXPECT_FALSE(deleted);
    EXPECT_EQ(mApp.GetDialog(4)->mId, 4) << "still alive and hosted";
}

TEST_F(DialogHostingTest, ClosingByIdTakesTheDialogOutAndQueuesIt) {
    EXPECT_FALSE(mApp.CloseDialog(9));

    Dialog* cancelled = mApp.ShowDialog(9, false, "Title", "Header", "Footer", 2);
    cancelled->mResult = -1;
    Dialog* open = mApp.ShowDialog(10, false, "Title", "Header", "Footer", 2);

    EXPECT_TRUE(mApp.CloseDialogWidget(cancelled));
    EXPECT_EQ(cancelled->mResult, 0) << "a result of -1 reads as 0 once closed";
    EXPECT_EQ(mApp.GetDialog(9), nullptr);
    EXPECT_FALSE(IsTopLevel(cancelled));
    EXPECT_TRUE(IsQueued(cancelled));
    EXPECT_FALSE(mApp.CloseDialog(9)) << "closed once only";

    EXPECT_TRUE(mApp.CloseDialog(10));
    EXPECT_EQ(open->mResult, DialogResultNone);
    EXPECT_EQ(mApp.GetDialogCount(), 0);
    EXPECT_TRUE(mApp.mDialogList.empty());
    EXPECT_EQ(mApp.modalOpened, 0);
    EXPECT_EQ(mApp.modalClosed, 0) << "neither was modal";
    mApp.DeleteQueuedWidgets();
    EXPECT_TRUE(mApp.mSafeDeleteQueue.empty());
}

TEST_F(DialogHostingTest, ClosingTheTopModalDialogGivesModalityBackToTheOneBelow) {
    WidgetManager& manager = *mApp.mWidgetManager;
    FocusProbe screen;
    manager.AddWidget(&screen);
    manager.SetFocus(&screen);

    Dialog* lower = mApp.ShowDialog(1, true, "Title", "Lower", "", 1);
    EXPECT_EQ(manager.mModalWidget, lower);
    EXPECT_EQ(manager.mFocusWidget, nullptr) << "the screen below lost the focus";
    EXPECT_FALSE(screen.mHasFocus);
    Dialog* upper = mApp.ShowDialog(2, true, "Title", "Upper", "", 1);
    EXPECT_EQ(manager.mModalWidget, upper);
    EXPECT_EQ(mApp.modalOpened, 2);

    mApp.CloseDialog(2);
    EXPECT_EQ(manager.mModalWidget, lower);
    EXPECT_EQ(mApp.modalClosed, 1);
    EXPECT_EQ(mApp.modalWhenClosed, nullptr) << "the hook runs once the dialog has left";
    mApp.CloseDialog(1);
    EXPECT_EQ(manager.mModalWidget, nullptr);
    EXPECT_TRUE(manager.mModalStack.empty());
    EXPECT_EQ(manager.mFocusWidget, &screen) << "the focus from before the first modal";
    EXPECT_TRUE(screen.mHasFocus);
    mApp.DeleteQueuedWidgets();
    manager.RemoveWidget(&screen);
}

TEST_F(DialogHostingTest, ClosingTheLowerModalDialogFirstLeavesTheUpperOneModal) {
    WidgetManager& manager = *mApp.mWidgetManager;
    Dialog* lower = mApp.ShowDialog(1, true, "Title", "Lower", "", 1);
    Dialog* upper = mApp.ShowDialog(2, true, "Title", "Upper", "", 1);
    Dialog* plain = mApp.ShowDialog(3, false, "Title", "Not modal", "", 0);
    EXPECT_EQ(manager.mModalWidget, upper) << "a dialog that is not modal changes nothing";

    mApp.CloseDialog(1);
    EXPECT_EQ(manager.mModalWidget, upper);
    EXPECT_EQ(manager.mModalStack.back().mPreviousModal, nullptr) << "the closed one is forgotten";
    mApp.CloseDialog(2);
    EXPECT_EQ(manager.mModalWidget, nullptr);
    EXPECT_TRUE(manager.mModalStack.empty());
    EXPECT_EQ(mApp.GetDialog(3), plain);
    (void)lower;
    mApp.DeleteQueuedWidgets();
}

TEST_F(DialogHostingTest, ReplacingAModalDialogKeepsOneEntryPerOpenModal) {
    WidgetManager& manager = *mApp.mWidgetManager;
    mApp.ShowDialog(5, true, "Title", "First", "", 1);
    Dialog* second = mApp.ShowDialog(5, true, "Title", "Second", "", 1);
    EXPECT_EQ(manager.mModalWidget, second);
    EXPECT_EQ(manager.mModalStack.size(), 1u);
    EXPECT_EQ(mApp.modalOpened, 2);
    EXPECT_EQ(mApp.modalClosed, 1);
    mApp.DeleteQueuedWidgets();
}

} // namespace
} // namespace Vuro::Test
