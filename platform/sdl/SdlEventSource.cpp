#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/Termination.h"
#include "platform/sdl/SdlMessages.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/SdlWindows.h"

#include <SDL.h>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <vector>

namespace Vuro::Platform {

namespace {

// Translates SDL's events into window messages. One event can give several messages (a key
// press gives its key message and the character it types), so translated messages wait in a
// small queue of their own.
class SdlEventSource : public EventSource {
public:
    bool PeekMessage(Message& message) override {
        if (!mEndSessionSent && TerminationRequested()) {
            // Before any input still waiting: the program was asked to end.
            mEndSessionSent = true;
            mPending.push_front(Message{0, kWmEndSession, 1, 0});
        }
        while (mPending.empty() && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
            SDL_Event event;
            if (!SDL_PollEvent(&event)) {
                break;
            }
            if (event.type == WaitingFrameEventType()) {
                PresentWaitingFrame(event.user.windowID);
                continue;
            }
            Translate(event);
        }
        if (mPending.empty()) {
            AddStandardInputCharacters();
        }
        if (mPending.empty()) {
            AddDueTimers();
        }
        if (mPending.empty()) {
            return false;
        }
        message = mPending.front();
        mPending.pop_front();
        return true;
    }

    bool PostMessage(const Message& message) override {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
            mPending.push_back(message);
            return true;
        }
        // Through SDL's queue, so the message keeps its place among the window's events.
        if (mPostedType == 0) {
            mPostedType = SDL_RegisterEvents(1);
            if (mPostedType == static_cast<uint32_t>(-1)) {
                mPostedType = 0;
                return false;
            }
        }
        SDL_Event event{};
        event.user.type = mPostedType;
        event.user.windowID = message.window;
        event.user.code = static_cast<int32_t>(message.message);
        event.user.data1 = reinterpret_cast<void*>(static_cast<uintptr_t>(message.wParam));
        event.user.data2 = reinterpret_cast<void*>(static_cast<intptr_t>(message.lParam));
        return SDL_PushEvent(&event) == 1;
    }

    void GetMousePosition(int& x, int& y) override {
        x = mMouseX.load(std::memory_order_relaxed);
        y = mMouseY.load(std::memory_order_relaxed);
    }

    void SetTimer(uint32_t window, uint32_t id, uint32_t intervalMs) override {
        KillTimer(window, id);
        intervalMs = std::max<uint32_t>(intervalMs, 1);
        mTimers.push_back(Timer{window, id, intervalMs, GetClock().TickMs() + intervalMs});
    }

    void KillTimer(uint32_t window, uint32_t id) override {
        mTimers.erase(std::remove_if(mTimers.begin(), mTimers.end(),
                                     [&](const Timer& timer) {
                                         return timer.window == window && timer.id == id;
                                     }),
                      mTimers.end());
    }

private:
    struct Timer {
        uint32_t window;
        uint32_t id;
        uint32_t intervalMs;
        uint32_t due; // clock tick of the next message
    };

    // Timer messages come only when nothing else waits, and a late timer sends one message,
    // not one per missed interval.
    void AddDueTimers() {
        uint32_t now = GetClock().TickMs();
        for (Timer& timer : mTimers) {
            if (static_cast<int32_t>(now - timer.due) >= 0) {
                Add(timer.window, kWmTimer, timer.id, 0);
                timer.due = now + timer.intervalMs;
            }
        }
    }

    // SDL's headless video drivers have no keyboard: there the characters of the standard input
    // arrive as typed characters, so a headless run can be steered (the keys of demo playback).
    // The input is only looked at, never waited for; line ends are passed over. Its end (or an
    // input that cannot be read) ends the looking.
    void AddStandardInputCharacters() {
        if (!mReadInput || SDL_WasInit(SDL_INIT_VIDEO) == 0 || !SdlVideoIsHeadless()) {
            return;
        }
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (poll(&input, 1, 0) != 1 || (input.revents & POLLIN) == 0) {
            mReadInput = (input.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0;
            return;
        }
        char chars[64];
        ssize_t count = read(STDIN_FILENO, chars, sizeof chars);
        if (count <= 0) {
            mReadInput = false; // the end of the input, or none to read
            return;
        }
        SDL_Window* focus = SDL_GetKeyboardFocus();
        uint32_t window = focus != nullptr ? SDL_GetWindowID(focus) : 0;
        for (ssize_t i = 0; i < count; ++i) {
            if (chars[i] != '\n' && chars[i] != '\r') {
                Add(window, kWmChar, static_cast<unsigned char>(chars[i]), 1);
            }
        }
    }

    void Add(uint32_t window, uint32_t number, uint64_t wParam, int64_t lParam) {
        mPending.push_back(Message{window, number, wParam, lParam});
    }

    void Translate(const SDL_Event& event) {
        SdlInputState state;
        state.mouseButtons = SDL_GetMouseState(nullptr, nullptr);
        state.mods = static_cast<uint16_t>(SDL_GetModState());
        state.mouseX = mMouseX.load(std::memory_order_relaxed);
        state.mouseY = mMouseY.load(std::memory_order_relaxed);
        uint32_t window = 0;
        switch (event.type) {
        case SDL_WINDOWEVENT:
            window = event.window.windowID;
            break;
        case SDL_MOUSEMOTION:
            window = event.motion.windowID;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            window = event.button.windowID;
            break;
        default:
            break;
        }
        if (window != 0) {
            (void)QuerySdlWindowSizes(window, state.windowWidth, state.windowHeight,
                                      state.clientWidth, state.clientHeight);
        }
        state.postedType = mPostedType;
        std::vector<Message> messages;
        TranslateSdlEvent(event, state, messages);
        mMouseX.store(state.mouseX, std::memory_order_relaxed);
        mMouseY.store(state.mouseY, std::memory_order_relaxed);
        mPending.insert(mPending.end(), messages.begin(), messages.end());
    }

    std::deque<Message> mPending;
    std::vector<Timer> mTimers;
    uint32_t mPostedType = 0;
    bool mReadInput = true;       // the standard input may still give characters
    bool mEndSessionSent = false; // a termination request was handed on
    std::atomic<int> mMouseX{0};
    std::atomic<int> mMouseY{0};
};

SdlEventSource& TheSdlEventSource() {
    static SdlEventSource source;
    return source;
}

std::atomic<EventSource*> gEventSource{nullptr};

} // namespace

EventSource& GetEventSource() {
    EventSource* source = gEventSource.load(std::memory_order_acquire);
    return source ? *source : TheSdlEventSource();
}

void SetEventSource(EventSource* source) {
    gEventSource.store(source, std::memory_order_release);
}

} // namespace Vuro::Platform
