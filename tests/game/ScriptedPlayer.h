#pragma once
// For programs that run the real game under a script (whole-program tests, demo recorders):
//
// - ScriptedPlayer, a player made of code: an event source in front of the platform's that lets
//   the player act only through the window's messages, as a person at the mouse and keyboard
//   would. Once per update of the game, when the input it queued before has been handed on, the
//   player looks at the game (Act) and queues what it does; that input goes before anything of
//   the platform's own. The mouse position reported is the player's.
// - PlayGame runs the game under such a player, from its start to its end.
// - HurriedClock: real time, except that the main thread's waits between updates take none, so
//   a scripted run goes as fast as the game can update. While the loading thread works the main
//   thread waits in real time, so loading lasts as many updates as in a real run.

#include "framework/widgets/WidgetContainer.h"
#include "game/app/GameApp.h"
#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/Messages.h"
#include "platform/Window.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <thread>

namespace Vuro::Test {

class ScriptedPlayer : public Platform::EventSource {
public:
    explicit ScriptedPlayer(Platform::EventSource& inner) : mInner(inner) {}

    bool PeekMessage(Platform::Message& message) override {
        Look();
        if (mQueue.empty()) {
            return mInner.PeekMessage(message);
        }
        message = mQueue.front();
        mQueue.pop_front();
        return true;
    }
    bool PostMessage(const Platform::Message& message) override {
        return mInner.PostMessage(message);
    }
    void GetMousePosition(int& x, int& y) override {
        x = mMouseX;
        y = mMouseY;
    }
    void SetTimer(uint32_t window, uint32_t id, uint32_t intervalMs) override {
        mInner.SetTimer(window, id, intervalMs);
    }
    void KillTimer(uint32_t window, uint32_t id) override { mInner.KillTimer(window, id); }

    bool mClosed = false; // the player closed the window: it acts no more

protected:
    // The player's look at the game, once an update.
    virtual void Act(GameApp& app) = 0;

    void MoveTo(int x, int y) {
        mMouseX = x;
        mMouseY = y;
        Post(Platform::kWmMouseMove, 0, Platform::MakePointParam(x, y));
    }
    void Click(int x, int y) {
        MoveTo(x, y);
        Post(Platform::kWmLButtonDown, Platform::kMkLButton, Platform::MakePointParam(x, y));
        Post(Platform::kWmLButtonUp, 0, Platform::MakePointParam(x, y));
        mLastInput = mUpdate;
    }
    // A click in the middle of a widget (a button), which stands in screen coordinates.
    void Click(const WidgetContainer& widget) {
        Click(widget.mX + widget.mWidth / 2, widget.mY + widget.mHeight / 2);
    }
    // A character typed, in code page 1251.
    void TypeChar(char c) {
        Post(Platform::kWmChar, static_cast<uint8_t>(c), 1);
        mLastInput = mUpdate;
    }
    // A key pressed and let go, as the keyboard sends it: the key's down message, the character
    // it types (none when 0), its up message.
    void PressKey(int virtualKey, char c = 0) {
        Post(Platform::kWmKeyDown, static_cast<uint64_t>(virtualKey), 1);
        if (c != 0) {
            TypeChar(c);
        }
        Post(Platform::kWmKeyUp, static_cast<uint64_t>(virtualKey), kKeyUpParam);
        mLastInput = mUpdate;
    }
    void Close() {
        mClosed = true;
        Post(Platform::kWmClose, 0, 0);
    }

    // A key message's repeat count 1, its key already down and being released.
    static constexpr int64_t kKeyUpParam = 1 | (int64_t{1} << 30) | (int64_t{1} << 31);

    int mUpdate = -1;                // the game's update count at the player's last look
    int mLastInput = -1'000'000'000; // the update of the last click or character

private:
    void Post(uint32_t code, uint64_t wParam, int64_t lParam) {
        mQueue.push_back(Platform::Message{mWindow, code, wParam, lParam});
    }
    void Look() {
        GameApp* app = GetGameApp();
        if (app == nullptr || app->mMainWindow == nullptr || !mQueue.empty() || mClosed ||
            app->mUpdateCount == mUpdate) {
            return;
        }
        mUpdate = app->mUpdateCount;
        mWindow = app->mMainWindow->Id();
        Act(*app);
    }

    Platform::EventSource& mInner;
    std::deque<Platform::Message> mQueue;
    uint32_t mWindow = 0;
    // Read by the application's cursor thread as the player moves.
    std::atomic<int> mMouseX{0};
    std::atomic<int> mMouseY{0};
};

// The real game run from its start to its end with the player at its mouse and keyboard;
// useFmod plays its music through "fmod.dll".
inline void PlayGame(ScriptedPlayer& player, bool useFmod = false) {
    Platform::SetEventSource(&player);
    auto* app = new GameApp();
    app->mUseFmod = useFmod;
    app->InitGame();
    app->Start();
    delete app;
    Platform::SetEventSource(nullptr);
}

// Made on the main thread, before the game; it stands in for the platform's clock while it
// lives.
class HurriedClock : public Platform::Clock {
public:
    HurriedClock() : mMainThread(std::this_thread::get_id()) { Platform::SetClock(this); }
    ~HurriedClock() override { Platform::SetClock(nullptr); }
    HurriedClock(const HurriedClock&) = delete;
    HurriedClock& operator=(const HurriedClock&) = delete;

    uint32_t TickMs() override { return mReal.TickMs() + mSkippedMs.load(); }
    uint64_t CounterTicks() override {
        return mReal.CounterTicks() + mSkippedMs.load() * mReal.CounterFrequency() / 1000;
    }
    uint64_t CounterFrequency() override { return mReal.CounterFrequency(); }
    void SleepMs(uint32_t ms) override {
        GameApp* app = GetGameApp();
        bool loading = app == nullptr || app->mLoadingThreadRunning;
        if (std::this_thread::get_id() == mMainThread && !loading) {
            mSkippedMs += ms;
        } else {
            mReal.SleepMs(ms);
        }
    }

private:
    Platform::SystemClock mReal;
    std::thread::id mMainThread;
    std::atomic<uint32_t> mSkippedMs{0};
};

} // namespace Vuro::Test
