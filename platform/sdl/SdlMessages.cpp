#include "platform/sdl/SdlMessages.h"

#include "platform/TextEncoding.h"
#include "platform/sdl/SdlKeys.h"
#include "platform/sdl/SdlPicture.h"

namespace Vuro::Platform {

namespace {

class Translation {
public:
    Translation(SdlInputState& state, std::vector<Message>& out) : mState(state), mOut(out) {}

    void Event(const SDL_Event& event) {
        switch (event.type) {
        case SDL_QUIT:
            // The session or the process is asked to end (a signal, a log-out).
            Add(0, kWmEndSession, 1, 0);
            break;
        case SDL_WINDOWEVENT:
            Window(event.window);
            break;
        case SDL_MOUSEMOTION:
            NoteMouse(event.motion.x, event.motion.y);
            Add(event.motion.windowID, kWmMouseMove, MouseKeyState(),
                MakePointParam(mState.mouseX, mState.mouseY));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            Button(event.button);
            break;
        case SDL_MOUSEWHEEL: {
            const int notches =
                event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            if (notches != 0) {
                Add(event.wheel.windowID, kWmMouseWheel,
                    MakeWheelParam(notches * kWheelDelta, MouseKeyState()),
                    MakePointParam(mState.mouseX, mState.mouseY));
            }
            break;
        }
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            Key(event.key);
            break;
        case SDL_TEXTINPUT:
            // Alt combinations arrive as system characters from the key press instead.
            if ((mState.mods & KMOD_ALT) == 0) {
                for (char c : Utf8ToCp1251(event.text.text)) {
                    Add(event.text.windowID, kWmChar, static_cast<unsigned char>(c), 1);
                }
            }
            break;
        default:
            if (mState.postedType != 0 && event.type == mState.postedType) {
                Add(event.user.windowID, static_cast<uint32_t>(event.user.code),
                    reinterpret_cast<uintptr_t>(event.user.data1),
                    reinterpret_cast<intptr_t>(event.user.data2));
            }
            break;
        }
    }

private:
    void Add(uint32_t window, uint32_t number, uint64_t wParam, int64_t lParam) {
        mOut.push_back(Message{window, number, wParam, lParam});
    }

    uint64_t MouseKeyState() const {
        uint64_t state = 0;
        state |= (mState.mouseButtons & SDL_BUTTON_LMASK) ? kMkLButton : 0;
        state |= (mState.mouseButtons & SDL_BUTTON_RMASK) ? kMkRButton : 0;
        state |= (mState.mouseButtons & SDL_BUTTON_MMASK) ? kMkMButton : 0;
        state |= (mState.mods & KMOD_SHIFT) ? kMkShift : 0;
        state |= (mState.mods & KMOD_CTRL) ? kMkControl : 0;
        return state;
    }

    // Keeps a window point as the pointer's place in the picture.
    void NoteMouse(int x, int y) {
        WindowToPicture(mState.windowWidth, mState.windowHeight, mState.clientWidth,
                        mState.clientHeight, x, y);
        mState.mouseX = x;
        mState.mouseY = y;
    }

    void Window(const SDL_WindowEvent& window) {
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
        case SDL_WINDOWEVENT_RESTORED:
            Add(window.windowID, kWmSize, kSizeRestored,
                MakePointParam(mState.windowWidth, mState.windowHeight));
            break;
        case SDL_WINDOWEVENT_MOVED:
            // A move or size change is reported once the window manager has placed the
            // window, which ends a drag by the frame that may have held the program: the
            // frame press's message follows the new place.
            Add(window.windowID, kWmMove, 0, MakePointParam(window.data1, window.data2));
            Add(window.windowID, kWmNcLButtonDown, 0, 0);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            Add(window.windowID, kWmNcLButtonDown, 0, 0);
            break;
        case SDL_WINDOWEVENT_ENTER:
            Add(window.windowID, kWmSetCursor, 0, 0);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            Add(window.windowID, kWmPaint, 0, 0);
            break;
        default:
            break;
        }
    }

    void Button(const SDL_MouseButtonEvent& button) {
        const bool down = button.type == SDL_MOUSEBUTTONDOWN;
        // Every second click of a quick series is a double click, as the system counts them.
        const bool doubleClick = down && button.clicks >= 2 && button.clicks % 2 == 0;
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
        Add(button.windowID, number, MouseKeyState(), MakePointParam(mState.mouseX, mState.mouseY));
    }

    void Key(const SDL_KeyboardEvent& key) {
        const int code = VirtualKeyOf(key.keysym.sym);
        if (code == 0) {
            return;
        }
        const bool down = key.type == SDL_KEYDOWN;
        const bool alt = (key.keysym.mod & KMOD_ALT) != 0 || code == kVkMenu;
        const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
        // Alt combinations and F10 are system keys; bit 29 says Alt was held, bit 30 that the
        // key was already down (a repeat), bit 31 that it is being released.
        const bool system = alt || code == kVkF1 + 9;
        const int64_t lParam = 1 | (alt ? (1ll << 29) : 0) |
                               (down && key.repeat ? (1ll << 30) : 0) | (down ? 0 : (1ll << 31));
        const uint32_t number =
            down ? (system ? kWmSysKeyDown : kWmKeyDown) : (system ? kWmSysKeyUp : kWmKeyUp);
        Add(key.windowID, number, static_cast<uint64_t>(code), lParam);
        if (!down) {
            return;
        }
        // Characters that text input does not deliver.
        if (alt && !ctrl) {
            if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
                const bool upper = (key.keysym.mod & KMOD_SHIFT) != 0;
                const char c = code >= 'A' && !upper ? static_cast<char>(code - 'A' + 'a')
                                                     : static_cast<char>(code);
                Add(key.windowID, kWmSysChar, static_cast<unsigned char>(c), lParam);
            }
        } else if (ctrl && code >= 'A' && code <= 'Z') {
            Add(key.windowID, kWmChar, static_cast<uint64_t>(code - 'A' + 1), lParam);
        } else if (code == kVkBack || code == kVkTab || code == kVkReturn || code == kVkEscape) {
            Add(key.windowID, kWmChar, static_cast<uint64_t>(code), lParam);
        }
    }

    SdlInputState& mState;
    std::vector<Message>& mOut;
};

} // namespace

void TranslateSdlEvent(const SDL_Event& event, SdlInputState& state, std::vector<Message>& out) {
    Translation(state, out).Event(event);
}

} // namespace Vuro::Platform
