// The menu's one-button message and its name and question dialog: placement, the answers they
// give the caller's call-back, and the name field's filters and pacing.

#include "MenuDialogFixture.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/EditWidget.h"
#include "game/screens/OKDialog.h"
#include "game/screens/SimpleDialog.h"
#include "game/screens/StageTables.h"
#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <string>

namespace Vuro::Test {
namespace {

using MenuDialogTest = MenuDialogFixture;

TEST_F(MenuDialogTest, OkDialogStandsWhereItMustAndItsButtonAnswers101) {
    for (int height : {300, 270, 190}) {
        int state = 5;
        auto* box = Show(new OKDialog(mMenu.get(), "Head", "Body", StoreIn(state)), height);
        EXPECT_EQ(box->mX, 120);
        EXPECT_EQ(box->mY, 150);
        EXPECT_EQ(box->mWidth, 400);
        EXPECT_EQ(box->mHeight, height);
        EXPECT_EQ(box->mOkButton->mX, 260);
        EXPECT_EQ(box->mOkButton->mY, height + 90) << "60 pixels above the bottom edge";
        EXPECT_EQ(box->mOkButton->mLabel, mApp->GetHelpText(1));
        EXPECT_EQ(box->mDialogLines, "Body");
        box->ButtonClick(OKDialog::kOkButtonId);
        EXPECT_EQ(state, 101);
        EXPECT_FALSE(IsOpen(box));
        mApp->DeleteQueuedWidgets();
    }
    EXPECT_EQ(Played(), (std::vector<uint32_t>{2, 2, 2}));
}

// What a click does in each mode: the state word after it and whether the dialog closed.
struct ClickCase {
    int mode;
    int stateBefore;
    int button;
    std::string typed;
    int stateAfter;
    bool closes;
    std::string nameAfter; // the caller's string
};

TEST_F(MenuDialogTest, EachModeWritesItsAnswerAndCloses) {
    constexpr int kAccept = SimpleDialog::kAcceptButtonId;
    constexpr int kCancel = SimpleDialog::kCancelButtonId;
    const ClickCase cases[] = {
        {0, 9, kAccept, "Ann", 1, true, "Ann"},
        {0, 9, kAccept, "", 9, false, "old"}, // an empty name keeps it open
        {0, 9, kCancel, "Ann", 777, true, "old"},
        {1, 9, kAccept, "", 2, true, ""}, // any name, also empty
        {1, 9, kCancel, "", 777, true, "old"},
        {2, 9, kAccept, "", 3, true, "old"},
        {2, 9, kCancel, "", 777, true, "old"},
        {3, 9, kAccept, "Bo", 1, true, "Bo"},
        {3, 9, kAccept, "", 9, false, "old"},
        {3, 9, kCancel, "Bo", 9, false, "old"}, // no way out but a name
        {4, 9, kAccept, "", 100, true, "old"},
        {4, 9, kCancel, "", 777, true, "old"},
        // A word holding 333 gets a plain yes or no in every mode.
        {0, 333, kAccept, "", 330, true, "old"},
        {3, 333, kCancel, "", 0, true, "old"},
        {4, 333, kCancel, "", 0, true, "old"},
    };
    for (const ClickCase& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode) + " button " + std::to_string(c.button) +
                     " typed '" + c.typed + "'");
        int state = c.stateBefore;
        std::string text = "old";
        auto* dialog =
            Show(new SimpleDialog(mMenu.get(), "Head", &text, c.mode, StoreIn(state),
                                  [&state] { return state == MapMessage::kDifficultyQuestion; }));
        ASSERT_EQ(dialog->mEdit != nullptr, c.mode == 0 || c.mode == 1 || c.mode == 3);
        if (dialog->mEdit != nullptr) {
            dialog->mEdit->SetText(c.typed, false);
        }
        dialog->ButtonClick(c.button);
        EXPECT_EQ(state, c.stateAfter);
        EXPECT_EQ(IsOpen(dialog), !c.closes);
        EXPECT_EQ(text, c.nameAfter);
        if (IsOpen(dialog)) {
            mApp->CloseDialogWidget(dialog);
        }
        mApp->DeleteQueuedWidgets();
    }
}

TEST_F(MenuDialogTest, NameDialogLayoutAndEnterInTheField) {
    int state = 0;
    std::string name = "Eve";
    auto* dialog = Show(new SimpleDialog(mMenu.get(), "Name?", &name, 0, StoreIn(state)), 160);
    EXPECT_EQ((std::vector<int>{dialog->mX, dialog->mY, dialog->mWidth, dialog->mHeight}),
              (std::vector<int>{120, 150, 400, 200}));
    EXPECT_EQ(dialog->mAcceptButton->mX, 200);
    EXPECT_EQ(dialog->mCancelButton->mX, 330);
    EXPECT_EQ(dialog->mAcceptButton->mY, 280);
    EXPECT_EQ(dialog->mAcceptButton->mLabel, mApp->GetHelpText(1));
    EXPECT_EQ(dialog->mCancelButton->mLabel, mApp->GetHelpText(2));
    EditWidget* edit = dialog->mEdit;
    EXPECT_EQ(edit->mX, 220);
    EXPECT_EQ(edit->mY, 230);
    EXPECT_EQ(edit->mText, "Eve");
    EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, edit);
    edit->SetText("", false);
    dialog->EditTextEntered(SimpleDialog::kEditId, "");
    EXPECT_TRUE(IsOpen(dialog)) << "Enter on an empty field";
    EXPECT_EQ(state, 0);
    dialog->EditTextEntered(SimpleDialog::kEditId, "Zed");
    EXPECT_FALSE(IsOpen(dialog));
    EXPECT_EQ(state, 1);
    EXPECT_EQ(name, "Zed");
}

TEST_F(MenuDialogTest, TheFieldTakesOneInputEveryNineUpdatesAndOnlyWhatAFileNameCanHold) {
    int state = 0;
    std::string name;
    auto* dialog = Show(new SimpleDialog(mMenu.get(), "Name?", &name, 3, StoreIn(state)));
    // A character of code page 1251 is taken; the next is refused for 8 updates.
    EXPECT_TRUE(dialog->EditAllowChar(1, '\xC0'));
    for (int i = 0; i < 8; ++i) {
        ++mApp->mUpdateCount;
        EXPECT_FALSE(dialog->EditAllowChar(1, 'a'));
    }
    ++mApp->mUpdateCount;
    // A refused character uses up its turn, silently.
    EXPECT_FALSE(dialog->EditAllowChar(1, '/'));
    mApp->mUpdateCount += 9;
    EXPECT_TRUE(dialog->EditAllowChar(1, '!'));
    // Keys: Backspace and Enter only, paced on their own.
    EXPECT_TRUE(dialog->EditAllowKey(1, Platform::kVkBack));
    EXPECT_FALSE(dialog->EditAllowKey(1, Platform::kVkReturn));
    mApp->mUpdateCount += 9;
    EXPECT_FALSE(dialog->EditAllowKey(1, Platform::kVkLeft));
    EXPECT_TRUE(dialog->EditAllowKey(1, Platform::kVkReturn));
    EXPECT_EQ(Played(), (std::vector<uint32_t>{4, 4, 4, 4}));

    // What a profile's file name cannot hold is refused: the punctuation the game refuses,
    // control characters, the zero byte and DEL; pasted text likewise.
    for (char c : std::string("\"#$%&'()*+,-./:;<=>@[\\]^_`{|}~\x7F\x01\x1F", 31)) {
        EXPECT_FALSE(SimpleDialog::IsNameChar(c)) << static_cast<int>(c);
    }
    EXPECT_FALSE(SimpleDialog::IsNameChar('\0'));
    for (char c : std::string("aZ09 !?\xC0\xFF\xA8")) {
        EXPECT_TRUE(SimpleDialog::IsNameChar(c)) << static_cast<int>(c);
    }
    EXPECT_TRUE(dialog->EditAllowText(1, "Ann 2!"));
    EXPECT_FALSE(dialog->EditAllowText(1, "../x"));
    EXPECT_FALSE(dialog->EditAllowText(1, std::string("a\0b", 3)));
}

TEST_F(MenuDialogTest, ADialogOpenedRightAfterAnotherWaitsOutTheTurnTakenThere) {
    int state = 0;
    std::string name;
    auto* first = Show(new SimpleDialog(mMenu.get(), "Name?", &name, 0, StoreIn(state)));
    mApp->mUpdateCount += 20;
    EXPECT_TRUE(first->EditAllowChar(1, 'a'));
    EXPECT_TRUE(first->EditAllowKey(1, Platform::kVkReturn));
    first->ButtonClick(SimpleDialog::kCancelButtonId);
    mApp->DeleteQueuedWidgets();

    ++mApp->mUpdateCount;
    auto* second = Show(new SimpleDialog(mMenu.get(), "Name?", &name, 0, StoreIn(state)));
    EXPECT_FALSE(second->EditAllowKey(1, Platform::kVkReturn));
    mApp->mUpdateCount += 8;
    EXPECT_TRUE(second->EditAllowKey(1, Platform::kVkBack));
    EXPECT_TRUE(second->EditAllowChar(1, 'b'));
}

TEST_F(MenuDialogTest, AnEighthCharacterIsRefusedByTheField) {
    int state = 0;
    std::string name = "Abcdefg";
    auto* dialog = Show(new SimpleDialog(mMenu.get(), "Name?", &name, 0, StoreIn(state)));
    mApp->mUpdateCount += 9;
    dialog->mEdit->mCursorPos = 7;
    dialog->mEdit->CharInput('h');
    EXPECT_EQ(dialog->mEdit->mText, "Abcdefg");
}

} // namespace
} // namespace Vuro::Test
