// The profile dialog: the six-profile limit, adding through the name question (also when the
// name's file cannot be written, and when a record of the name lies in the folder), deleting
// the current and the last profile (the default name's file kept when it holds progress or cannot
// be read), cancelled questions, choosing a profile whose file is gone, and its fixed place.

#include "game/screens/ProfileDialog.h"
#include "MenuDialogFixture.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListWidget.h"
#include "game/screens/OKDialog.h"
#include "game/screens/SimpleDialog.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace Vuro::Test {
namespace {

class ProfileDialogTest : public MenuDialogFixture {
protected:
    ProfileDialog* Open(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            std::string text = name;
            EXPECT_TRUE(mApp->mProfileManager.AddProfile(text));
        }
        auto* dialog = new ProfileDialog(mMenu.get(), "Players");
        dialog->Resize(0, 0, 10, 10);
        mApp->AddDialog(ProfileDialog::kDialogId, dialog);
        return dialog;
    }
    // The question or message the dialog opened last, under id 0.
    template <typename D> D* Opened() { return dynamic_cast<D*>(mApp->GetDialog(0)); }
    // Answers the open name question with name.
    void Name(ProfileDialog* dialog, const std::string& name) {
        auto* question = Opened<SimpleDialog>();
        ASSERT_NE(question, nullptr);
        question->EditTextEntered(SimpleDialog::kEditId, name);
        mApp->DeleteQueuedWidgets();
        dialog->Update();
    }
    std::string Line(ProfileDialog* dialog, int index) { return dialog->mList->GetLine(index); }
    PlayerRecord Current() {
        PlayerRecord record;
        return *mApp->mProfileManager.GetRecord(&record);
    }
};

TEST_F(ProfileDialogTest, SixProfilesAreTheMostAndANewOneIsListedSelectedAndCurrent) {
    auto* dialog = Open({"A", "B", "C", "D", "E"});
    EXPECT_EQ((std::vector<int>{dialog->mX, dialog->mY, dialog->mWidth, dialog->mHeight}),
              (std::vector<int>{180, 50, 300, 390}));
    EXPECT_EQ(dialog->mList->mX, 210);
    EXPECT_EQ(dialog->mList->mY, 110);
    dialog->ButtonClick(ProfileDialog::kNewButtonId);
    ASSERT_NE(Opened<SimpleDialog>(), nullptr);
    EXPECT_EQ(Opened<SimpleDialog>()->mMode, SimpleDialog::AskName);
    Name(dialog, "Fay");
    EXPECT_EQ(Line(dialog, 5), "Fay");
    EXPECT_EQ(dialog->mSelectedIndex, 5);
    std::string current;
    ASSERT_TRUE(mApp->mProfileManager.GetName(0, current));
    EXPECT_EQ(current, "Fay");
    EXPECT_TRUE(std::filesystem::exists("data/Fay.pf"));

    dialog->ButtonClick(ProfileDialog::kNewButtonId);
    auto* message = Opened<OKDialog>();
    ASSERT_NE(message, nullptr) << "the seventh is refused";
    EXPECT_EQ(message->mDialogLines, mApp->GetHelpText(14));
    EXPECT_EQ(mApp->mProfileManager.GetCount(), 6);

    // A name already taken is refused with its message.
    message->ButtonClick(OKDialog::kOkButtonId);
    mApp->DeleteQueuedWidgets();
    dialog->Update();
    mApp->mProfileManager.DeleteProfile("A");
    dialog->ButtonClick(ProfileDialog::kNewButtonId);
    Name(dialog, "B");
    ASSERT_NE(Opened<OKDialog>(), nullptr);
    EXPECT_EQ(Opened<OKDialog>()->mDialogLines, mApp->GetHelpText(13));
}

TEST_F(ProfileDialogTest, ANewPlayerThatCannotBeSavedLeavesTheCurrentOneAsItWas) {
    auto* dialog = Open({"Ann"});
    PlayerRecord progress = Current();
    progress.storyLevelMax = 7;
    mApp->mProfileManager.SetRecord(progress);
    dialog->ButtonClick(ProfileDialog::kNewButtonId);
    {
        FileSizeLimit diskFull(8);
        Name(dialog, "Bob");
    }
    ASSERT_NE(Opened<OKDialog>(), nullptr);
    EXPECT_EQ(Opened<OKDialog>()->mDialogLines, std::string(ProfileDialog::kNotSavedText));
    EXPECT_EQ(dialog->mList->GetLineCount(), 1);
    EXPECT_EQ(Current().ToBytes(), progress.ToBytes());
    EXPECT_FALSE(std::filesystem::exists("data/Bob.pf"));

    // OK, then a save of progress as the map makes it: Ann's file holds Ann's record.
    Opened<OKDialog>()->ButtonClick(OKDialog::kOkButtonId);
    mApp->DeleteQueuedWidgets();
    dialog->Update();
    dialog->ButtonClick(ProfileDialog::kOkButtonId);
    ASSERT_TRUE(mApp->mProfileManager.SaveCurrent());
    PlayerRecord saved;
    ASSERT_TRUE(saved.Load("data\\Ann.pf"));
    EXPECT_EQ(saved.ToBytes(), progress.ToBytes());
}

TEST_F(ProfileDialogTest, ARecordRenamedBackComesBackAsANewPlayerOfItsName) {
    auto* dialog = Open({"Ann"});
    PlayerRecord bob; // kept aside as Bob.pf.kept once, renamed back since
    bob.SetName("Bob");
    bob.storyLevelMax = 9;
    ASSERT_TRUE(bob.Save("data\\Bob.pf"));
    dialog->ButtonClick(ProfileDialog::kNewButtonId);
    Name(dialog, "Bob");
    EXPECT_EQ(Line(dialog, 1), "Bob");
    EXPECT_EQ(dialog->mSelectedIndex, 1);
    EXPECT_EQ(Current().ToBytes(), bob.ToBytes());
    EXPECT_FALSE(std::filesystem::exists("data/Bob.pf.kept"));
    dialog->ButtonClick(ProfileDialog::kOkButtonId);
    ProfileManager next;
    ASSERT_TRUE(next.LoadList());
    EXPECT_EQ(next.GetCount(), 2);
    PlayerRecord record;
    EXPECT_EQ(next.GetRecord(&record)->storyLevelMax, 9);
}

TEST_F(ProfileDialogTest, DeletingTheCurrentSelectsTheNextAndDeletingTheLastAsksForANewName) {
    auto* dialog = Open({"Ann", "Bob", "Cid"});
    dialog->ButtonClick(ProfileDialog::kDeleteButtonId);
    auto* confirm = Opened<SimpleDialog>();
    ASSERT_NE(confirm, nullptr);
    EXPECT_EQ(confirm->mMode, SimpleDialog::Confirm);
    EXPECT_EQ(confirm->mDialogLines, "Ann");
    confirm->ButtonClick(SimpleDialog::kAcceptButtonId);
    mApp->DeleteQueuedWidgets();
    dialog->Update();
    EXPECT_EQ(Line(dialog, 0), "Bob");
    EXPECT_EQ(dialog->mSelectedIndex, 0);
    EXPECT_FALSE(std::filesystem::exists("data/Ann.pf"));

    for (int i = 0; i < 2; ++i) {
        dialog->ButtonClick(ProfileDialog::kDeleteButtonId);
        Opened<SimpleDialog>()->ButtonClick(SimpleDialog::kAcceptButtonId);
        mApp->DeleteQueuedWidgets();
        dialog->Update();
    }
    // The last is gone: the placeholder stands in the list and the name cannot be cancelled.
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateLastProfileDeleted);
    EXPECT_EQ(Line(dialog, 0), "Player");
    auto* question = Opened<SimpleDialog>();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->mMode, SimpleDialog::AskNameNoCancel);
    EXPECT_EQ(question->mEdit->mText, "Player");
    Name(dialog, "Dee");
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_EQ(dialog->mList->GetLineCount(), 1);
    EXPECT_EQ(Line(dialog, 0), "Dee");
    dialog->ButtonClick(ProfileDialog::kOkButtonId);
    ProfileManager reread;
    ASSERT_TRUE(reread.LoadList());
    EXPECT_EQ(reread.GetCount(), 1) << "no placeholder without a file in the list";
}

TEST_F(ProfileDialogTest, TheLastProfileDeletedAfterItsFileWentLeavesListAndFilesAgreeing) {
    auto* dialog = Open({"Ann"});
    std::filesystem::remove("data/Ann.pf");

    // Deleted: the placeholder stands in the list and in the profiles, the name is asked for.
    dialog->ButtonClick(ProfileDialog::kDeleteButtonId);
    Opened<SimpleDialog>()->ButtonClick(SimpleDialog::kAcceptButtonId);
    mApp->DeleteQueuedWidgets();
    dialog->Update();
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateLastProfileDeleted);
    ASSERT_EQ(dialog->mList->GetLineCount(), 1);
    EXPECT_EQ(Line(dialog, 0), "Player");
    ASSERT_EQ(mApp->mProfileManager.GetCount(), 1);
    std::string listed;
    ASSERT_TRUE(mApp->mProfileManager.GetName(0, listed));
    EXPECT_EQ(listed, "Player");
    ASSERT_NE(Opened<SimpleDialog>(), nullptr);
    EXPECT_EQ(Opened<SimpleDialog>()->mEdit->mText, "Player");

    // The offered name kept: its file is written and the profile is the current one.
    Name(dialog, "Player");
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateIdle);
    EXPECT_TRUE(std::filesystem::exists("data/Player.pf"));

    // OK keeps that file and lists it.
    dialog->ButtonClick(ProfileDialog::kOkButtonId);
    EXPECT_FALSE(IsOpen(dialog));
    EXPECT_TRUE(std::filesystem::exists("data/Player.pf"));
    std::ifstream in("data/profile.dat", std::ios::binary);
    const std::string list{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(list, std::string("\1\0\0\0Player\0", 11));

    // The next start finds the profile: the menu opens with it, no name is asked for.
    ProfileManager next;
    ASSERT_TRUE(next.LoadList());
    ASSERT_EQ(next.GetCount(), 1);
    PlayerRecord record;
    EXPECT_EQ(next.GetRecord(&record)->GetName(), "Player");
}

// A new name replacing the placeholder takes the default name's file with it only when that file
// holds no progress in any field: one with progress is a player whose entry was lost, taken up
// later by a new player of the default name.
TEST_F(ProfileDialogTest, ThePlaceholdersFileGoesWithItOnlyWhenItHoldsNoProgress) {
    std::string first = "Ann";
    ASSERT_TRUE(mApp->mProfileManager.AddProfile(first));
    struct Case {
        const char* newName;
        void (*progress)(PlayerRecord&); // what data\Player.pf holds
        int size;                        // of its bytes written; -1: no file
        bool fileStays;
    };
    const Case cases[] = {
        {"Bob", [](PlayerRecord&) {}, 40, false},
        {"Dan", [](PlayerRecord& r) { r.totalScore = 10; }, 40, true},
        {"Eve", [](PlayerRecord& r) { r.stageUnlocked[0] = 1; }, 40, true},
        {"Fay", [](PlayerRecord& r) { r.easyMode = 1; }, 40, true},
        // A file that cannot be read is never removed: its progress is not known.
        {"Gus", [](PlayerRecord&) {}, 20, true},
        {"Hal", [](PlayerRecord&) {}, 0, true},
        {"Ida", [](PlayerRecord&) {}, -1, false}, // no file: only the name goes
        {"Cid", [](PlayerRecord& r) { r.storyLevelMax = 5; }, 40, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newName);
        PlayerRecord held;
        c.progress(held);
        const PlayerRecord::Bytes bytes = held.ToBytes();
        const std::string written(bytes.begin(), bytes.begin() + std::max(c.size, 0));
        std::filesystem::remove("data/Player.pf");
        if (c.size >= 0) {
            std::ofstream("data/Player.pf", std::ios::binary) << written;
        }
        auto* dialog = Open({});
        dialog->ButtonClick(ProfileDialog::kDeleteButtonId);
        Opened<SimpleDialog>()->ButtonClick(SimpleDialog::kAcceptButtonId);
        mApp->DeleteQueuedWidgets();
        dialog->Update();
        ASSERT_EQ(Line(dialog, 0), "Player");
        // The placeholder's file is there as the row wrote it, so that a file gone is gone by
        // the rename.
        ASSERT_EQ(std::filesystem::exists("data/Player.pf"), c.size >= 0);
        if (c.size >= 0) {
            std::ifstream before("data/Player.pf", std::ios::binary);
            ASSERT_EQ(std::string(std::istreambuf_iterator<char>(before), {}), written);
        }
        Name(dialog, c.newName);
        EXPECT_EQ(Line(dialog, 0), c.newName);
        EXPECT_EQ(mApp->mProfileManager.GetCount(), 1);
        EXPECT_EQ(std::filesystem::exists("data/Player.pf"), c.fileStays);
        if (c.fileStays) {
            std::ifstream in("data/Player.pf", std::ios::binary);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), written);
        }
        dialog->ButtonClick(ProfileDialog::kOkButtonId);
        mApp->DeleteQueuedWidgets();
    }
    auto* dialog = Open({});
    dialog->ButtonClick(ProfileDialog::kNewButtonId);
    Name(dialog, "Player");
    EXPECT_EQ(Line(dialog, 1), "Player");
    EXPECT_EQ(Current().storyLevelMax, 5);
}

TEST_F(ProfileDialogTest, CancelledQuestionsChangeNothingAndAProfileWhoseFileIsGoneIsDropped) {
    auto* dialog = Open({"Ann", "Bob"});
    for (int button : {ProfileDialog::kNewButtonId, ProfileDialog::kDeleteButtonId}) {
        dialog->ButtonClick(button);
        Opened<SimpleDialog>()->ButtonClick(SimpleDialog::kCancelButtonId);
        mApp->DeleteQueuedWidgets();
        EXPECT_EQ(dialog->mResultCode, SimpleDialog::kCancelled);
        dialog->Update();
        EXPECT_EQ(dialog->mResultCode, 0);
        EXPECT_EQ(Opened<SimpleDialog>(), nullptr);
        EXPECT_EQ(dialog->mList->GetLineCount(), 2);
        EXPECT_EQ(mApp->mProfileManager.GetCount(), 2);
        EXPECT_TRUE(std::filesystem::exists("data/Ann.pf"));
    }

    // Bob chosen after his file went: he leaves the list, the list file is written, and the
    // dialog closes all the same.
    dialog->ListItemClicked(ProfileDialog::kListId, 1, 1);
    EXPECT_EQ(dialog->mSelectedIndex, 1);
    std::filesystem::remove("data/Bob.pf");
    dialog->ButtonClick(ProfileDialog::kOkButtonId);
    EXPECT_FALSE(IsOpen(dialog));
    ProfileManager reread;
    ASSERT_TRUE(reread.LoadList());
    ASSERT_EQ(reread.GetCount(), 1);
    std::string name;
    ASSERT_TRUE(reread.GetName(0, name));
    EXPECT_EQ(ProfileManager::TextOf(name), "Ann");
}

} // namespace
} // namespace Vuro::Test
