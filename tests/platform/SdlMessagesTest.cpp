// SDL's events as window messages, event by event: what demo files hold depends on every
// number here.

#include "platform/sdl/SdlMessages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace Vuro::Platform {
namespace {

constexpr uint32_t kWin = 3;
constexpr int64_t kDown = 1;
constexpr int64_t kAlt = 1ll << 29;
constexpr int64_t kRepeat = 1ll << 30;
constexpr int64_t kUp = 1ll << 31;

SDL_Event Window(uint8_t what, int a = 0, int b = 0) {
    SDL_Event e{};
    e.window.type = SDL_WINDOWEVENT;
    e.window.windowID = kWin;
    e.window.event = what;
    e.window.data1 = a;
    e.window.data2 = b;
    return e;
}

SDL_Event Button(bool down, uint8_t button, uint8_t clicks, int x, int y) {
    SDL_Event e{};
    e.button.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = kWin;
    e.button.button = button;
    e.button.clicks = clicks;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event Key(bool down, SDL_Keycode sym, uint16_t mods = 0, bool repeat = false) {
    SDL_Event e{};
    e.key.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = kWin;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mods;
    e.key.repeat = repeat ? 1 : 0;
    return e;
}

SDL_Event Wheel(int y, bool flipped) {
    SDL_Event e{};
    e.wheel.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = kWin;
    e.wheel.y = y;
    e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
    return e;
}

SDL_Event Text(const char* utf8) {
    SDL_Event e{};
    e.text.type = SDL_TEXTINPUT;
    e.text.windowID = kWin;
    std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
    return e;
}

SDL_Event Motion(int x, int y) {
    SDL_Event e{};
    e.motion.type = SDL_MOUSEMOTION;
    e.motion.windowID = kWin;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

struct Case {
    std::string name;
    SDL_Event event;
    uint32_t buttons; // mouse button mask held
    uint16_t mods;    // modifier keys held
    std::vector<Message> expected;
};

std::string Describe(const std::vector<Message>& messages) {
    std::string text;
    for (const Message& m : messages) {
        text += std::to_string(m.window) + ":" + std::to_string(m.message) + "(" +
                std::to_string(m.wParam) + "," + std::to_string(m.lParam) + ") ";
    }
    return text;
}

TEST(SdlMessagesTest, EveryEventGivesItsMessages) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    const uint32_t L = SDL_BUTTON_LMASK;
    const Case cases[] = {
        {"quit", quit, 0, 0, {{0, kWmEndSession, 1, 0}}},
        {"close", Window(SDL_WINDOWEVENT_CLOSE), 0, 0, {{kWin, kWmClose, 0, 0}}},
        {"focus in", Window(SDL_WINDOWEVENT_FOCUS_GAINED), 0, 0, {{kWin, kWmActivateApp, 1, 0}}},
        {"focus out", Window(SDL_WINDOWEVENT_FOCUS_LOST), 0, 0, {{kWin, kWmActivateApp, 0, 0}}},
        {"minimised",
         Window(SDL_WINDOWEVENT_MINIMIZED),
         0,
         0,
         {{kWin, kWmSize, kSizeMinimized, 0}}},
        {"restored",
         Window(SDL_WINDOWEVENT_RESTORED),
         0,
         0,
         {{kWin, kWmSize, kSizeRestored, MakePointParam(640, 480)}}},
        {"moved, which ends a drag by the frame",
         Window(SDL_WINDOWEVENT_MOVED, -5, 7),
         0,
         0,
         {{kWin, kWmMove, 0, MakePointParam(-5, 7)}, {kWin, kWmNcLButtonDown, 0, 0}}},
        {"size changed by the frame",
         Window(SDL_WINDOWEVENT_SIZE_CHANGED, 700, 500),
         0,
         0,
         {{kWin, kWmNcLButtonDown, 0, 0}}},
        {"pointer enters", Window(SDL_WINDOWEVENT_ENTER), 0, 0, {{kWin, kWmSetCursor, 0, 0}}},
        {"pointer leaves is not a message", Window(SDL_WINDOWEVENT_LEAVE), 0, 0, {}},
        {"exposed", Window(SDL_WINDOWEVENT_EXPOSED), 0, 0, {{kWin, kWmPaint, 0, 0}}},
        {"resized is not a message", Window(SDL_WINDOWEVENT_RESIZED, 1, 1), 0, 0, {}},
        {"drag with shift",
         Motion(10, 20),
         L,
         KMOD_LSHIFT,
         {{kWin, kWmMouseMove, kMkLButton | kMkShift, MakePointParam(10, 20)}}},
        {"left down",
         Button(true, SDL_BUTTON_LEFT, 1, 4, 5),
         L,
         0,
         {{kWin, kWmLButtonDown, kMkLButton, MakePointParam(4, 5)}}},
        {"second click doubles",
         Button(true, SDL_BUTTON_LEFT, 2, 4, 5),
         L,
         KMOD_LCTRL,
         {{kWin, kWmLButtonDblClk, kMkLButton | kMkControl, MakePointParam(4, 5)}}},
        {"third click is single",
         Button(true, SDL_BUTTON_LEFT, 3, 4, 5),
         L,
         0,
         {{kWin, kWmLButtonDown, kMkLButton, MakePointParam(4, 5)}}},
        {"right double",
         Button(true, SDL_BUTTON_RIGHT, 4, 1, 2),
         SDL_BUTTON_RMASK,
         0,
         {{kWin, kWmRButtonDblClk, kMkRButton, MakePointParam(1, 2)}}},
        {"right up",
         Button(false, SDL_BUTTON_RIGHT, 2, 1, 2),
         0,
         0,
         {{kWin, kWmRButtonUp, 0, MakePointParam(1, 2)}}},
        {"middle down",
         Button(true, SDL_BUTTON_MIDDLE, 1, 1, 2),
         SDL_BUTTON_MMASK,
         0,
         {{kWin, kWmMButtonDown, kMkMButton, MakePointParam(1, 2)}}},
        {"side button ignored", Button(true, SDL_BUTTON_X1, 1, 1, 2), 0, 0, {}},
        {"wheel up two",
         Wheel(2, false),
         0,
         0,
         {{kWin, kWmMouseWheel, MakeWheelParam(240, 0), MakePointParam(30, 40)}}},
        {"flipped wheel",
         Wheel(1, true),
         0,
         0,
         {{kWin, kWmMouseWheel, MakeWheelParam(-120, 0), MakePointParam(30, 40)}}},
        {"sideways wheel only", Wheel(0, false), 0, 0, {}},
        {"letter", Key(true, SDLK_a), 0, 0, {{kWin, kWmKeyDown, 'A', kDown}}},
        {"letter repeat",
         Key(true, SDLK_a, 0, true),
         0,
         0,
         {{kWin, kWmKeyDown, 'A', kDown | kRepeat}}},
        {"letter up", Key(false, SDLK_a), 0, 0, {{kWin, kWmKeyUp, 'A', kDown | kUp}}},
        {"alt letter",
         Key(true, SDLK_r, KMOD_LALT),
         0,
         0,
         {{kWin, kWmSysKeyDown, 'R', kDown | kAlt}, {kWin, kWmSysChar, 'r', kDown | kAlt}}},
        {"alt shift letter",
         Key(true, SDLK_r, KMOD_LALT | KMOD_LSHIFT),
         0,
         0,
         {{kWin, kWmSysKeyDown, 'R', kDown | kAlt}, {kWin, kWmSysChar, 'R', kDown | kAlt}}},
        {"alt digit",
         Key(true, SDLK_4, KMOD_RALT),
         0,
         0,
         {{kWin, kWmSysKeyDown, '4', kDown | kAlt}, {kWin, kWmSysChar, '4', kDown | kAlt}}},
        {"alt alone", Key(true, SDLK_LALT), 0, 0, {{kWin, kWmSysKeyDown, kVkMenu, kDown | kAlt}}},
        {"ctrl alt letter",
         Key(true, SDLK_d, KMOD_LALT | KMOD_LCTRL),
         0,
         0,
         {{kWin, kWmSysKeyDown, 'D', kDown | kAlt}, {kWin, kWmChar, 4, kDown | kAlt}}},
        {"ctrl letter",
         Key(true, SDLK_c, KMOD_LCTRL),
         0,
         0,
         {{kWin, kWmKeyDown, 'C', kDown}, {kWin, kWmChar, 3, kDown}}},
        {"return",
         Key(true, SDLK_RETURN),
         0,
         0,
         {{kWin, kWmKeyDown, kVkReturn, kDown}, {kWin, kWmChar, kVkReturn, kDown}}},
        {"F10 is a system key",
         Key(true, SDLK_F10),
         0,
         0,
         {{kWin, kWmSysKeyDown, kVkF1 + 9, kDown}}},
        {"F10 up", Key(false, SDLK_F10), 0, 0, {{kWin, kWmSysKeyUp, kVkF1 + 9, kDown | kUp}}},
        {"unknown key", Key(true, SDLK_APPLICATION), 0, 0, {}},
        {"text in code page 1251",
         Text("a\xD1\x8F"),
         0,
         0,
         {{kWin, kWmChar, 'a', 1}, {kWin, kWmChar, 0xFF, 1}}},
        {"text with alt held", Text("a"), 0, KMOD_LALT, {}},
    };
    for (const Case& c : cases) {
        SdlInputState state;
        state.mouseButtons = c.buttons;
        state.mods = c.mods;
        state.mouseX = 30;
        state.mouseY = 40;
        state.windowWidth = 640;
        state.windowHeight = 480;
        std::vector<Message> out;
        TranslateSdlEvent(c.event, state, out);
        EXPECT_EQ(Describe(out), Describe(c.expected)) << c.name;
    }
}

TEST(SdlMessagesTest, PointerPositionFollowsMotionAndButtonsAndPostedMessagesComeBack) {
    SdlInputState state;
    state.postedType = SDL_USEREVENT + 3;
    std::vector<Message> out;
    TranslateSdlEvent(Motion(11, 12), state, out);
    EXPECT_EQ(state.mouseX, 11);
    TranslateSdlEvent(Button(false, SDL_BUTTON_LEFT, 1, 13, 14), state, out);
    EXPECT_EQ(state.mouseY, 14);
    SDL_Event posted{};
    posted.user.type = SDL_USEREVENT + 3;
    posted.user.windowID = kWin;
    posted.user.code = static_cast<int32_t>(kWmFirstRegistered + 1);
    posted.user.data1 = reinterpret_cast<void*>(uintptr_t{9});
    posted.user.data2 = reinterpret_cast<void*>(intptr_t{-2});
    out.clear();
    TranslateSdlEvent(posted, state, out);
    EXPECT_EQ(Describe(out), Describe({{kWin, kWmFirstRegistered + 1, 9, -2}}));
    posted.user.type = SDL_USEREVENT + 4; // another program's event type
    out.clear();
    TranslateSdlEvent(posted, state, out);
    EXPECT_TRUE(out.empty());
}

} // namespace
} // namespace Vuro::Platform
