// The game as a player starts it, for the whole-program test of the first and a later start
// (tests/game/program/StartsTest.cpp): the real game application, played through the window's
// messages by a scripted player that watches the screens, on a clock that skips the waits
// between updates (the intro's seconds pass at once; loading takes its real time).
//
//   play_starts first NAME   the intro's start box, then the name question: NAME typed a key
//                            every 12 updates (120 ms) as the keyboard sends it, accepted,
//                            the profile dialog's OK
//   play_starts again NAME   the intro's start box; the menu must come with NAME current and
//                            no profile dialog
//
// Either way the player closes the window once the menu stands idle and prints what the menu
// shows ("menu: profile NAME of COUNT, story level max N, score S"); every step it takes or
// finds wrong is printed too. The status is 0 when the script ran to its end, 1 otherwise.
// NAME is given in UTF-8 and typed in code page 1251, as the game's own keyboard path does.

#include "framework/widgets/DialogButton.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/ListWidget.h"
#include "game/app/GameApp.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/ProfileDialog.h"
#include "game/screens/SimpleDialog.h"
#include "platform/Process.h"
#include "platform/TextEncoding.h"
#include "tests/game/ScriptedPlayer.h"

#include <cstdio>
#include <string>

namespace Vuro {
namespace {

// The name field takes one character every 9 updates; a key every 120 ms, a quick typist's
// pace, is never refused.
constexpr int kTypingUpdates = 12;
// A later start must show the menu this long without opening the profile dialog.
constexpr int kSettleUpdates = 100;
// Sixty seconds of updates: the script has failed when the menu has not come by then.
constexpr int kGiveUpUpdates = 6000;

class StartPlayer : public Test::ScriptedPlayer {
public:
    StartPlayer(Platform::EventSource& inner, bool firstStart, std::string name)
        : ScriptedPlayer(inner), mFirstStart(firstStart), mName(std::move(name)) {}

    bool mDone = false; // the script ran to its end

private:
    void Close(const std::string& why) {
        std::printf("%s\n", why.c_str());
        std::fflush(stdout);
        ScriptedPlayer::Close();
    }

    void Act(GameApp& app) override {
        if (mUpdate > kGiveUpUpdates) {
            Close("given up at update " + std::to_string(mUpdate));
            return;
        }
        if (app.mIntro != nullptr && app.mCurrentScreen == app.mIntro) {
            if (app.mIntro->Ready() && !mStartClicked) {
                std::printf("intro: start box\n");
                mStartClicked = true;
                Click(300, 445);
            }
            return;
        }
        if (app.mMenu == nullptr || app.mCurrentScreen != app.mMenu) {
            return;
        }
        auto* profiles = dynamic_cast<ProfileDialog*>(app.GetDialog(ProfileDialog::kDialogId));
        auto* question = dynamic_cast<SimpleDialog*>(app.GetDialog(SimpleDialog::kDialogId));
        if (!mFirstStart) {
            if (profiles != nullptr) {
                Close("menu: the profile dialog opened on a later start");
            } else if (++mMenuUpdates >= kSettleUpdates) {
                ReportMenu(app);
            }
            return;
        }
        if (question != nullptr) {
            NameQuestion(*question);
        } else if (profiles != nullptr) {
            if (profiles->mList != nullptr && profiles->mList->GetLineIndex(mTyped) >= 0) {
                std::printf("profiles: OK\n");
                Click(*profiles->mOkButton);
            }
        } else if (mNamed && app.mMenu->mState == BoardMenu::kStateIdle) {
            ReportMenu(app);
        }
    }

    void NameQuestion(SimpleDialog& question) {
        if (question.mMode != SimpleDialog::AskNameNoCancel || question.mEdit == nullptr) {
            Close("menu: a question other than the first start's name question");
            return;
        }
        if (mTyped.size() < mName.size()) {
            if (mUpdate - mLastInput >= kTypingUpdates) {
                mTyped += mName[mTyped.size()];
                TypeKey(mTyped.back());
            }
            return;
        }
        if (question.mEdit->mText == mName && !mNamed) {
            std::printf("name question: %zu characters typed, accepted\n", mName.size());
            mNamed = true;
            Click(*question.mAcceptButton);
        } else if (question.mEdit->mText != mName && mUpdate - mLastInput > kTypingUpdates) {
            Close("name question: the field holds \"" +
                  Platform::Cp1251ToUtf8(question.mEdit->mText) + "\"");
        }
    }

    // A character as the keyboard sends it: the key's down message, the character, the key's
    // up message; a letter without a key of its own (Cyrillic here) as its character alone.
    void TypeKey(char c) {
        if (c >= 'a' && c <= 'z') {
            PressKey(c - 'a' + 'A', c);
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') {
            PressKey(c, c);
        } else {
            TypeChar(c);
        }
    }

    void ReportMenu(GameApp& app) {
        PlayerRecord record;
        app.mProfileManager.GetRecord(&record);
        std::string current;
        (void)app.mProfileManager.GetName(0, current);
        std::printf("menu: profile %s of %d, story level max %d, score %d\n",
                    Platform::Cp1251ToUtf8(ProfileManager::TextOf(current)).c_str(),
                    app.mProfileManager.GetCount(), record.storyLevelMax, record.totalScore);
        mDone = true;
        Close("closed");
    }

    const bool mFirstStart;
    const std::string mName; // code page 1251
    bool mStartClicked = false;
    std::string mTyped;
    bool mNamed = false;
    int mMenuUpdates = 0;
};

} // namespace
} // namespace Vuro

int main(int argc, char** argv) {
    std::string mode = argc == 3 ? argv[1] : "";
    if (mode != "first" && mode != "again") {
        std::fprintf(stderr, "usage: %s first|again NAME\n", argv[0]);
        return 2;
    }
    const char* args[] = {argv[0]};
    Vuro::Platform::SetCommandLineArgs(1, args);
    Vuro::Test::HurriedClock clock;
    Vuro::StartPlayer player(Vuro::Platform::GetEventSource(), mode == "first",
                             Vuro::Platform::Utf8ToCp1251(argv[2]));
    Vuro::Test::PlayGame(player);
    return player.mDone ? 0 : 1;
}
