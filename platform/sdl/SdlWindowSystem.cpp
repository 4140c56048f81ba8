#include "platform/TextEncoding.h"
#include "platform/Window.h"
#include "platform/sdl/SdlVideo.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

namespace Vuro::Platform {

namespace {

class SdlWindow : public Window {
public:
    explicit SdlWindow(SDL_Window* window) : mWindow(window) {}
    ~SdlWindow() override { SDL_DestroyWindow(mWindow); }

    uint32_t Id() const override { return SDL_GetWindowID(mWindow); }
    void Show() override { SDL_ShowWindow(mWindow); }
    void Hide() override { SDL_HideWindow(mWindow); }
    void SetTitle(const std::string& title) override {
        SDL_SetWindowTitle(mWindow, Cp1251ToUtf8(title).c_str());
    }
    void Focus() override { SDL_SetWindowInputFocus(mWindow); }
    void Raise() override {
        if (IsMinimized()) {
            SDL_RestoreWindow(mWindow);
        }
        SDL_RaiseWindow(mWindow);
    }
    bool IsMinimized() override {
        return (SDL_GetWindowFlags(mWindow) & SDL_WINDOW_MINIMIZED) != 0;
    }
    void SetFullScreen(bool fullScreen) override {
        SDL_SetWindowFullscreen(mWindow, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    }

    bool Present(const uint32_t* pixels, int width, int height) override {
        SDL_Surface* target = SDL_GetWindowSurface(mWindow);
        if (!target) {
            return false;
        }
        // RGB888 is 0x00RRGGBB in a 32-bit word: the image's alpha byte is ignored.
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(pixels), width, height, 32, width * 4, SDL_PIXELFORMAT_RGB888);
        if (!source) {
            return false;
        }
        int result = width == target->w && height == target->h
                         ? SDL_BlitSurface(source, nullptr, target, nullptr)
                         : SDL_BlitScaled(source, nullptr, target, nullptr);
        SDL_FreeSurface(source);
        return result == 0 && SDL_UpdateWindowSurface(mWindow) == 0;
    }

private:
    SdlVideoUser mVideo; // constructed first, released last
    SDL_Window* mWindow;
};

class SdlWindowSystem : public WindowSystem {
public:
    std::unique_ptr<Window> CreateWindow(const WindowParams& params) override {
        // The window holds video through its own SdlVideoUser; this one bridges creation.
        SdlVideoUser video;
        if (!video.IsReady()) {
            return nullptr;
        }
        uint32_t flags = SDL_WINDOW_HIDDEN;
        if (params.fullScreen) {
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
        }
        int x = params.x < 0 ? SDL_WINDOWPOS_CENTERED : params.x;
        int y = params.y < 0 ? SDL_WINDOWPOS_CENTERED : params.y;
        SDL_Window* window = SDL_CreateWindow(Cp1251ToUtf8(params.title).c_str(), x, y,
                                              params.width, params.height, flags);
        if (!window) {
            return nullptr;
        }
        return std::make_unique<SdlWindow>(window);
    }

    bool GetDesktopSize(int& width, int& height) override {
        SdlVideoUser video;
        SDL_DisplayMode mode;
        if (!video.IsReady() || SDL_GetDesktopDisplayMode(0, &mode) != 0) {
            return false;
        }
        width = mode.w;
        height = mode.h;
        return true;
    }

    int ShowMessageBox(const std::string& text, const std::string& title, uint32_t flags) override {
        std::string utf8Text = Cp1251ToUtf8(text);
        std::string utf8Title = Cp1251ToUtf8(title);
        int answer = DefaultMessageBoxAnswer(flags);
        if (!SdlVideoIsHeadless()) {
            int chosen = 0;
            if (ShowSdlBox(utf8Text, utf8Title, flags, answer, chosen)) {
                return chosen;
            }
        }
        std::fprintf(stderr, "%s: %s\n", utf8Title.c_str(), utf8Text.c_str());
        return answer;
    }

private:
    static bool ShowSdlBox(const std::string& text, const std::string& title, uint32_t flags,
                           int defaultAnswer, int& chosen) {
        SDL_MessageBoxButtonData buttons[2];
        int count = 0;
        auto add = [&](int id, const char* label, bool cancels) {
            uint32_t buttonFlags = 0;
            if (id == defaultAnswer) {
                buttonFlags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
            }
            if (cancels) {
                buttonFlags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
            }
            buttons[count++] = {buttonFlags, id, label};
        };
        switch (flags & 0x0F) {
        case kMbYesNo:
            add(kIdYes, "Yes", false);
            add(kIdNo, "No", true);
            break;
        case kMbOkCancel:
            add(kIdOk, "OK", false);
            add(kIdCancel, "Cancel", true);
            break;
        default:
            add(kIdOk, "OK", true);
            break;
        }
        uint32_t icon = flags & 0xF0;
        uint32_t boxFlags = icon == kMbIconError     ? SDL_MESSAGEBOX_ERROR
                            : icon == kMbIconWarning ? SDL_MESSAGEBOX_WARNING
                                                     : SDL_MESSAGEBOX_INFORMATION;
        SDL_MessageBoxData data{boxFlags, nullptr, title.c_str(), text.c_str(),
                                count,    buttons, nullptr};
        return SDL_ShowMessageBox(&data, &chosen) == 0 && chosen != -1;
    }
};

SdlWindowSystem& TheSdlWindowSystem() {
    static SdlWindowSystem system;
    return system;
}

std::atomic<WindowSystem*> gWindowSystem{nullptr};

} // namespace

int DefaultMessageBoxAnswer(uint32_t flags) {
    bool second = (flags & kMbDefButton2) != 0;
    switch (flags & 0x0F) {
    case kMbYesNo:
        return second ? kIdNo : kIdYes;
    case kMbOkCancel:
        return second ? kIdCancel : kIdOk;
    default:
        return kIdOk;
    }
}

WindowSystem& GetWindowSystem() {
    WindowSystem* system = gWindowSystem.load(std::memory_order_acquire);
    return system ? *system : TheSdlWindowSystem();
}

void SetWindowSystem(WindowSystem* system) {
    gWindowSystem.store(system, std::memory_order_release);
}

} // namespace Vuro::Platform
