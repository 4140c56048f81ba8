// The game as a player starts it, for the whole-program test of the first and a later start
// (tests/game/program/StartsTest.cpp): the real game application on the real clock, played
// through the window's messages by a scripted player that watches the screens.
//
//   play_starts first NAME   the intro's start box, then the name question: NAME typed a
//                            character at a time and accepted, the profile dialog's OK
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
#include "game/core/GameApp.h"
#include "game/screens/BoardIntro.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/ProfileDialog.h"
#include "game/screens/SimpleDialog.h"
#include "platform/EventSource.h"
#include "platform/Messages.h"
#include "platform/Process.h"
#include "platform/TextEncoding.h"
#include "platform/Window.h"

#include <cstdio>
#include <deque>
#include <string>

namespace Vuro {
namespace {

using Platform::Message;

// The name field takes one character every 9 updates; a slower hand is never refused.
constexpr int kTypingUpdates = 12;
// A later start must show the menu this long without opening the profile dialog.
constexpr int kSettleUpdates = 100;
// Sixty seconds of updates: the script has failed when the menu has not come by then.
constexpr int kGiveUpUpdates = 6000;

class ScriptedPlayer : public Platform::EventSource {
public:
    ScriptedPlayer(Platform::EventSource& inner, bool firstStart, std::string name)
        : mInner(inner), mFirstStart(firstStart), mName(std::move(name)) {}

    bool PeekMessage(Message& message) override {
        Act();
        if (!mQueue.empty()) {
            message = mQueue.front();
            mQueue.pop_front();
            return true;
        }
        return mInner.PeekMessage(message);
    }
    bool PostMessage(const Message& message) override { return mInner.PostMessage(message); }
    void GetMousePosition(int& x, int& y) override {
        x = mMouseX;
        y = mMouseY;
    }
    void SetTimer(uint32_t window, uint32_t id, uint32_t intervalMs) override {
        mInner.SetTimer(window, id, intervalMs);
    }
    void KillTimer(uint32_t window, uint32_t id) override { mInner.KillTimer(window, id); }

    bool mDone = false; // the script ran to its end

private:
    void Post(uint32_t code, uint64_t wParam, int64_t lParam) {
        mQueue.push_back(Message{mWindow, code, wParam, lParam});
    }
    void Click(int x, int y) {
        mMouseX = x;
        mMouseY = y;
        Post(Platform::kWmMouseMove, 0, Platform::MakePointParam(x, y));
        Post(Platform::kWmLButtonDown, Platform::kMkLButton, Platform::MakePointParam(x, y));
        Post(Platform::kWmLButtonUp, 0, Platform::MakePointParam(x, y));
    }
    void ClickOn(const Widget& widget) {
        Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
    }
    void Close(const std::string& why) {
        std::printf("%s\n", why.c_str());
        std::fflush(stdout);
        mClosing = true;
        Post(Platform::kWmClose, 0, 0);
    }

    // One look at the game per update, once the last one's input has been handed on.
    void Act() {
        GameApp* app = GetGameApp();
        if (app == nullptr || app->mMainWindow == nullptr || !mQueue.empty() || mClosing ||
            app->mUpdateCount == mUpdate) {
            return;
        }
        mUpdate = app->mUpdateCount;
        mWindow = app->mMainWindow->Id();
        if (mUpdate > kGiveUpUpdates) {
            Close("given up at update " + std::to_string(mUpdate));
            return;
        }
        if (app->mIntro != nullptr && app->mCurrentScreen == app->mIntro) {
            if (app->mIntro->Ready() && !mStartClicked) {
                std::printf("intro: start box\n");
                mStartClicked = true;
                Click(300, 445);
            }
            return;
        }
        if (app->mMenu == nullptr || app->mCurrentScreen != app->mMenu) {
            return;
        }
        auto* profiles = dynamic_cast<ProfileDialog*>(app->GetDialog(ProfileDialog::kDialogId));
        auto* question = dynamic_cast<SimpleDialog*>(app->GetDialog(SimpleDialog::kDialogId));
        if (!mFirstStart) {
            if (profiles != nullptr) {
                Close("menu: the profile dialog opened on a later start");
            } else if (++mMenuUpdates >= kSettleUpdates) {
                ReportMenu(*app);
            }
            return;
        }
        if (question != nullptr) {
            NameQuestion(*question);
        } else if (profiles != nullptr) {
            if (profiles->mList != nullptr && profiles->mList->GetLineIndex(mTyped) >= 0) {
                std::printf("profiles: OK\n");
                ClickOn(*profiles->mOkButton);
            }
        } else if (mNamed && app->mMenu->mState == BoardMenu::kStateIdle) {
            ReportMenu(*app);
        }
    }

    void NameQuestion(SimpleDialog& question) {
        if (question.mMode != SimpleDialog::AskNameNoCancel || question.mEdit == nullptr) {
            Close("menu: a question other than the first start's name question");
            return;
        }
        if (mTyped.size() < mName.size()) {
            if (mUpdate - mLastTyped >= kTypingUpdates) {
                mLastTyped = mUpdate;
                char c = mName[mTyped.size()];
                mTyped += c;
                Post(Platform::kWmChar, static_cast<unsigned char>(c), 1);
            }
            return;
        }
        if (question.mEdit->mText == mName && !mNamed) {
            std::printf("name question: %zu characters typed, accepted\n", mName.size());
            mNamed = true;
            ClickOn(*question.mAcceptButton);
        } else if (question.mEdit->mText != mName && mUpdate - mLastTyped > kTypingUpdates) {
            Close("name question: the field holds \"" +
                  Platform::Cp1251ToUtf8(question.mEdit->mText) + "\"");
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

    Platform::EventSource& mInner;
    const bool mFirstStart;
    const std::string mName; // code page 1251
    std::deque<Message> mQueue;
    uint32_t mWindow = 0;
    int mMouseX = 0;
    int mMouseY = 0;
    int mUpdate = -1;
    bool mStartClicked = false;
    std::string mTyped;
    int mLastTyped = 0;
    bool mNamed = false;
    int mMenuUpdates = 0;
    bool mClosing = false;
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
    Vuro::ScriptedPlayer player(Vuro::Platform::GetEventSource(), mode == "first",
                                Vuro::Platform::Utf8ToCp1251(argv[2]));
    Vuro::Platform::SetEventSource(&player);
    auto* app = new Vuro::GameApp();
    app->InitGame();
    app->Start();
    delete app;
    Vuro::Platform::SetEventSource(nullptr);
    return player.mDone ? 0 : 1;
}
