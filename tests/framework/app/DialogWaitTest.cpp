// Waiting on a dialog: the application's loop runs until a button is clicked or the dialog is
// closed, and with autoKill the dialog is closed after.

#include "TestApp.h"

#include "framework/widgets/Dialog.h"
#include "support/FixedWidthSysFonts.h"

namespace Vuro::Test {
namespace {

class DialogWaitTest : public AppFixture {
protected:
    void SetUp() override { mApp.Init(); }

    Testing::FixedWidthSysFonts mFonts;
};

TEST_F(DialogWaitTest, TheLoopRunsUntilAButtonIsClickedAndAutoKillCloses) {
    Dialog* dialog = mApp.ShowDialog(4, true, "Title", "Lines", "", 1);
    int updates = 0;
    mApp.onUpdate = [&] {
        if (++updates == 3) {
            dialog->ButtonClick(DialogButtonYes);
        }
    };
    EXPECT_EQ(dialog->WaitForResult(true), DialogButtonYes);
    EXPECT_EQ(updates, 3);
    EXPECT_EQ(mApp.GetDialog(4), nullptr);
    EXPECT_EQ(mApp.clicked, (std::vector<int>{2004}));
}

TEST_F(DialogWaitTest, ADialogClosedWhileWaitingStopsTheWaitWithNoResult) {
    Dialog* dialog = mApp.ShowDialog(4, true, "Title", "Lines", "", 2);
    int updates = 0;
    mApp.onUpdate = [&] {
        if (++updates == 2) {
            mApp.CloseDialog(4);
        }
    };
    EXPECT_EQ(dialog->WaitForResult(false), DialogResultNone);
    EXPECT_EQ(updates, 2);
}

} // namespace
} // namespace Vuro::Test
