#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <cstring>

namespace Vuro::Platform {

SdlVideoUser::SdlVideoUser() {
    // A closed window reaches the application as its own close message; SDL must not add a
    // quit event of its own (that one stands for the session ending).
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    LeaveSignalsToPlatform();
    mReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

SdlVideoUser::~SdlVideoUser() {
    if (!mReady) {
        return;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) {
        SDL_Quit();
    }
}

void LeaveSignalsToPlatform() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

bool SdlVideoIsHeadless() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) {
        driver = SDL_GetHint(SDL_HINT_VIDEODRIVER);
    }
    return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

} // namespace Vuro::Platform
