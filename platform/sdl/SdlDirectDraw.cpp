// The display device on the real desktop: surfaces in memory (platform/MemoryDirectDraw.h), the
// desktop's format, size and refresh rate as SDL reports them.

#include "platform/MemoryDirectDraw.h"
#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <atomic>

namespace Vuro::Platform {

namespace {

// Offered for video-memory surfaces: a card of the time's size.
constexpr uint32_t kVideoMemoryBytes = 64u << 20;

class SdlDisplayHost : public DisplayHost {
public:
    PixelFormat DesktopFormat() override {
        SDL_DisplayMode mode;
        if (!Query(mode)) {
            return kFormat888;
        }
        // A 24-bit desktop of four bytes a pixel is a 32-bit one to the display.
        const int bytes = SDL_BYTESPERPIXEL(mode.format);
        if (bytes == 4) {
            return kFormat888;
        }
        int bits = 0;
        uint32_t red = 0;
        uint32_t green = 0;
        uint32_t blue = 0;
        uint32_t alpha = 0;
        if (!SDL_PixelFormatEnumToMasks(mode.format, &bits, &red, &green, &blue, &alpha)) {
            return kFormat888;
        }
        return PixelFormat{static_cast<uint32_t>(bytes * 8), red, green, blue};
    }

    void DesktopSize(int& width, int& height) override {
        SDL_DisplayMode mode;
        width = 0;
        height = 0;
        if (Query(mode)) {
            width = mode.w;
            height = mode.h;
        }
    }

    DDResult MonitorFrequency(uint32_t& hertz) override {
        SDL_DisplayMode mode;
        if (!Query(mode)) {
            return kDDErrUnsupported;
        }
        hertz = static_cast<uint32_t>(mode.refresh_rate);
        return kDDOk;
    }

    uint32_t VideoMemoryBytes() override { return kVideoMemoryBytes; }

private:
    static bool Query(SDL_DisplayMode& mode) {
        SdlVideoUser video;
        return video.IsReady() && SDL_GetDesktopDisplayMode(0, &mode) == 0;
    }
};

class SdlDirectDrawSystem : public DirectDrawSystem {
public:
    DDResult Create(std::shared_ptr<DirectDraw>& out) override {
        out = MakeMemoryDirectDraw(mHost);
        return kDDOk;
    }

private:
    SdlDisplayHost mHost;
};

SdlDirectDrawSystem& TheSdlDirectDrawSystem() {
    static SdlDirectDrawSystem system;
    return system;
}

std::atomic<DirectDrawSystem*> gDirectDrawSystem{nullptr};

} // namespace

DirectDrawSystem& GetDirectDrawSystem() {
    DirectDrawSystem* system = gDirectDrawSystem.load(std::memory_order_acquire);
    return system ? *system : TheSdlDirectDrawSystem();
}

void SetDirectDrawSystem(DirectDrawSystem* system) {
    gDirectDrawSystem.store(system, std::memory_order_release);
}

} // namespace Vuro::Platform
