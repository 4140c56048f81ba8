#include "platform/Window.h"
#include "platform/sdl/SdlVideo.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>
#include <dlfcn.h>

#include <cstring>
#include <mutex>

namespace Vuro::Platform {

namespace {

// The X entry points used, looked up once in libX11 and libXss, and a display connection of
// our own (SDL's is not ours to share between threads).
struct XScreenSaverApi {
    decltype(&XOpenDisplay) openDisplay = nullptr;
    decltype(&XDefaultRootWindow) defaultRootWindow = nullptr;
    decltype(&XGetScreenSaver) getScreenSaver = nullptr;
    decltype(&XFree) free = nullptr;
    decltype(&XScreenSaverQueryExtension) queryExtension = nullptr;
    decltype(&XScreenSaverAllocInfo) allocInfo = nullptr;
    decltype(&XScreenSaverQueryInfo) queryInfo = nullptr;
    Display* display = nullptr;
    bool hasExtension = false;

    bool Load() {
        void* x11 = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (x11 == nullptr) {
            return false;
        }
        openDisplay = reinterpret_cast<decltype(openDisplay)>(dlsym(x11, "XOpenDisplay"));
        defaultRootWindow =
            reinterpret_cast<decltype(defaultRootWindow)>(dlsym(x11, "XDefaultRootWindow"));
        getScreenSaver = reinterpret_cast<decltype(getScreenSaver)>(dlsym(x11, "XGetScreenSaver"));
        free = reinterpret_cast<decltype(free)>(dlsym(x11, "XFree"));
        if (!openDisplay || !defaultRootWindow || !getScreenSaver || !free) {
            return false;
        }
        display = openDisplay(nullptr);
        if (display == nullptr) {
            return false;
        }
        // The idle time needs the screen-saver extension; the settings do not.
        if (void* xss = dlopen("libXss.so.1", RTLD_LAZY | RTLD_LOCAL)) {
            queryExtension = reinterpret_cast<decltype(queryExtension)>(
                dlsym(xss, "XScreenSaverQueryExtension"));
            allocInfo = reinterpret_cast<decltype(allocInfo)>(dlsym(xss, "XScreenSaverAllocInfo"));
            queryInfo = reinterpret_cast<decltype(queryInfo)>(dlsym(xss, "XScreenSaverQueryInfo"));
            int event = 0;
            int error = 0;
            hasExtension = queryExtension && allocInfo && queryInfo &&
                           queryExtension(display, &event, &error) != 0;
        }
        return true;
    }
};

bool OnX11() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

} // namespace

bool QueryDesktopScreenSaver(ScreenSaverInfo& info) {
    info = ScreenSaverInfo{};
    if (!OnX11()) {
        return false;
    }
    static std::mutex mutex;
    static XScreenSaverApi api;
    static bool loaded = api.Load();
    std::lock_guard<std::mutex> lock(mutex);
    if (!loaded) {
        return false;
    }
    int timeout = 0;
    int interval = 0;
    int blanking = 0;
    int exposures = 0;
    api.getScreenSaver(api.display, &timeout, &interval, &blanking, &exposures);
    info.settingsKnown = true;
    info.timeoutSeconds = timeout;
    info.enabled = timeout > 0;
    if (api.hasExtension) {
        if (XScreenSaverInfo* state = api.allocInfo()) {
            if (api.queryInfo(api.display, api.defaultRootWindow(api.display), state) != 0) {
                info.idleKnown = true;
                info.idleMs = static_cast<uint32_t>(state->idle);
                info.running = state->state == ScreenSaverOn;
            }
            api.free(state);
        }
    }
    return true;
}

} // namespace Vuro::Platform
