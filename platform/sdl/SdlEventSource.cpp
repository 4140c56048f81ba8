#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/TextEncoding.h"
#include "platform/sdl/SdlKeys.h"
#include "platform/sdl/SdlVideo.h"

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
        while (mPending.empty() && SDL_WasInit(SDL_INIT_VIDEO) != 0) {
            SDL_Event event;
            if (!SDL_PollEvent(&event)) {
                break;
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

    static uint64_t MouseKeyState() {
        uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
        SDL_Keymod mods = SDL_GetModState();
        uint64_t state = 0;
        state |= (buttons & SDL_BUTTON_LMASK) ? kMkLButton : 0;
        state |= (buttons & SDL_BUTTON_RMASK) ? kMkRButton : 0;
        state |= (buttons & SDL_BUTTON_MMASK) ? kMkMButton : 0;
        state |= (mods & KMOD_SHIFT) ? kMkShift : 0;
        state |= (mods & KMOD_CTRL) ? kMkControl : 0;
        return state;
    }

    void NoteMouse(int x, int y) {
        mMouseX.store(x, std::memory_order_relaxed);
        mMouseY.store(y, std::memory_order_relaxed);
    }

    void Translate(const SDL_Event& event) {
        switch (event.type) {
        case SDL_QUIT:
            // The session or the process is asked to end (a signal, a log-out).
            Add(0, kWmEndSession, 1, 0);
            break;
        case SDL_WINDOWEVENT:
            TranslateWindowEvent(event.window);
            break;
        case SDL_MOUSEMOTION:
            NoteMouse(event.motion.x, event.motion.y);
            Add(event.motion.windowID, kWmMouseMove, MouseKeyState(),
                MakePointParam(event.motion.x, event.motion.y));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            TranslateButton(event.button);
            break;
        case SDL_MOUSEWHEEL: {
            int notches =
                event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            if (notches != 0) {
                Add(event.wheel.windowID, kWmMouseWheel,
                    MakeWheelParam(notches * kWheelDelta, MouseKeyState()),
                    MakePointParam(mMouseX.load(), mMouseY.load()));
            }
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            TranslateKey(event.key);
            break;
        case SDL_TEXTINPUT:
            // Alt combinations arrive as system characters from the key press instead.
            if ((SDL_GetModState() & KMOD_ALT) == 0) {
                for (char c : Utf8ToCp1251(event.text.text)) {
                    Add(event.text.windowID, kWmChar, static_cast<unsigned char>(c), 1);
                }
            }
            break;
        default:
            if (mPostedType != 0 && event.type == mPostedType) {
                Add(event.user.windowID, static_cast<uint32_t>(event.user.code),
                    reinterpret_cast<uintptr_t>(event.user.data1),
                    reinterpret_cast<intptr_t>(event.user.data2));
            }
            break;
        }
    }

    void TranslateWindowEvent(const SDL_WindowEvent& window) {
        switch (window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            Add(window.windowID, kWmClose, 0, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            Add(window.windowID, kWmActivateApp, 1, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            Add(window.windowID, kWmActivateApp, 0, 0);
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            Add(window.windowID, kWmSize, kSizeMinimized, 0);
            break;
        case SDL_WINDOWEVENT_RESTORED: {
            int width = 0;
            int height = 0;
            SDL_GetWindowSize(SDL_GetWindowFromID(window.windowID), &width, &height);
            Add(window.windowID, kWmSize, kSizeRestored, MakePointParam(width, height));
            break;
        }
        case SDL_WINDOWEVENT_MOVED:
            Add(window.windowID, kWmMove, 0, MakePointParam(window.data1, window.data2));
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            Add(window.windowID, kWmPaint, 0, 0);
            break;
        default:
            break;
        }
    }

    void TranslateButton(const SDL_MouseButtonEvent& button) {
        bool down = button.type == SDL_MOUSEBUTTONDOWN;
        // Every second click of a quick series is a double click, as the system counts them.
        bool doubleClick = down && button.clicks >= 2 && button.clicks % 2 == 0;
        uint32_t number = 0;
        switch (button.button) {
        case SDL_BUTTON_LEFT:
            number = down ? (doubleClick ? kWmLButtonDblClk : kWmLButtonDown) : kWmLButtonUp;
            break;
        case SDL_BUTTON_RIGHT:
            number = down ? (doubleClick ? kWmRButtonDblClk : kWmRButtonDown) : kWmRButtonUp;
            break;
        case SDL_BUTTON_MIDDLE:
            number = down ? (doubleClick ? kWmMButtonDblClk : kWmMButtonDown) : kWmMButtonUp;
            break;
        default:
            return;
        }
        NoteMouse(button.x, button.y);
        Add(button.windowID, number, MouseKeyState(), MakePointParam(button.x, button.y));
    }

    void TranslateKey(const SDL_KeyboardEvent& key) {
        int code = VirtualKeyOf(key.keysym.sym);
        if (code == 0) {
            return;
        }
        bool down = key.type == SDL_KEYDOWN;
        bool alt = (key.keysym.mod & KMOD_ALT) != 0 || code == kVkMenu;
        bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
        // Alt combinations and F10 are system keys; bit 29 says Alt was held, bit 30 that the
        // key was already down (a repeat), bit 31 that it is being released.
        bool system = alt || code == kVkF1 + 9;
        int64_t lParam = 1 | (alt ? (1ll << 29) : 0) | (down && key.repeat ? (1ll << 30) : 0) |
                         (down ? 0 : (1ll << 31));
        uint32_t number =
            down ? (system ? kWmSysKeyDown : kWmKeyDown) : (system ? kWmSysKeyUp : kWmKeyUp);
        Add(key.windowID, number, static_cast<uint64_t>(code), lParam);
        if (!down) {
            return;
        }
        // Characters that text input does not deliver.
        if (alt && !ctrl) {
            if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
                bool upper = (key.keysym.mod & KMOD_SHIFT) != 0;
                char c = code >= 'A' && !upper ? static_cast<char>(code - 'A' + 'a')
                                               : static_cast<char>(code);
                Add(key.windowID, kWmSysChar, static_cast<unsigned char>(c), lParam);
            }
        } else if (ctrl && code >= 'A' && code <= 'Z') {
            Add(key.windowID, kWmChar, static_cast<uint64_t>(code - 'A' + 1), lParam);
        } else if (code == kVkBack || code == kVkTab || code == kVkReturn || code == kVkEscape) {
            Add(key.windowID, kWmChar, static_cast<uint64_t>(code), lParam);
        }
    }

    std::deque<Message> mPending;
    std::vector<Timer> mTimers;
    uint32_t mPostedType = 0;
    bool mReadInput = true; // the standard input may still give characters
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
