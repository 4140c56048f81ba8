#include "platform/Termination.h"
#include "platform/TextEncoding.h"
#include "platform/Window.h"
#include "platform/sdl/SdlPicture.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/SdlWindowPicture.h"
#include "platform/sdl/SdlWindows.h"

#include <SDL.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace Vuro::Platform {

namespace {

// The key under which an SDL window points at the SdlWindow that made it.
constexpr const char* kWindowKey = "VuroWindow";

// The desktop's rectangle, which a full-screen window covers.
SDL_Rect DesktopBounds() {
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &bounds) != 0) {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            bounds = SDL_Rect{0, 0, mode.w, mode.h};
        }
    }
    return bounds;
}

// Gives the window the picture the desktop shows for it (SDL copies it); none when null, empty
// or too large.
void SetIcon(SDL_Window* window, const WindowIcon* icon) {
    if (icon == nullptr || icon->width <= 0 || icon->height <= 0 || icon->width > kMaxIconSide ||
        icon->height > kMaxIconSide ||
        icon->pixels.size() !=
            static_cast<size_t>(icon->width) * static_cast<size_t>(icon->height)) {
        return;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(icon->pixels.data()), icon->width, icon->height, 32, icon->width * 4,
        SDL_PIXELFORMAT_ARGB8888);
    if (surface != nullptr) {
        SDL_SetWindowIcon(window, surface);
        SDL_FreeSurface(surface);
    }
}

// A window and what shows the application's image in it (SdlWindowPicture.h), scaled into the
// window with its shape kept (SdlPicture.h); mouse positions are scaled back by the event source
// and GetMouseInClient. Full screen the window itself is given the desktop's size: without a window
// manager nobody else resizes it, and a window left at the client's size would show a corner of the
// picture and lose the clicks and keys outside it.
//
// Only the thread that made the window shows pictures (SDL's renderer and its GL context, or
// the window's surface, belong to it). A picture presented from another thread (the cursor thread
// moving the cursor on the primary surface) is copied and waits; an event tells the making thread,
// whose event source shows it (PresentWaitingFrame). A picture the making thread presents replaces
// a waiting one.
//
// The picture last presented is kept (KeepsPicture, ReadPicture) while it waits, while the
// window's surface holds its rows exactly, and, copied beforehand, across a change to or from
// full screen and after a waiting picture the surface shows scaled or converted.
class SdlWindow : public Window {
public:
    SdlWindow(SDL_Window* window, int width, int height)
        : mWindow(window), mClientWidth(width), mClientHeight(height),
          mRenderThread(std::this_thread::get_id()),
          mPicture(std::make_unique<SdlWindowPicture>(window)) {
        SDL_SetWindowData(window, kWindowKey, this);
    }
    ~SdlWindow() override {
        mPicture.reset();
        SDL_DestroyWindow(mWindow);
    }

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
        {
            // SDL makes the window's surface anew for the new size.
            std::lock_guard<std::mutex> lock(mFrameLock);
            if (const SdlWindowPicture::KeptRows* kept = mPicture->Kept();
                kept != nullptr && !mWaiting.waits) {
                mSaved.Take(kept->pixels, kept->pitch, kept->width, kept->height, kept->format);
            }
        }
        if (fullScreen) {
            const SDL_Rect desktop = DesktopBounds();
            SDL_SetWindowPosition(mWindow, desktop.x, desktop.y);
            SDL_SetWindowSize(mWindow, desktop.w, desktop.h);
            SDL_SetWindowFullscreen(mWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
            return;
        }
        SDL_SetWindowFullscreen(mWindow, 0);
        SDL_SetWindowSize(mWindow, mClientWidth, mClientHeight);
        SDL_SetWindowPosition(mWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }

    bool Present(const uint32_t* pixels, int width, int height) override {
        // The 0xAARRGGBB word with the alpha byte ignored, as a window shows it.
        return Show(pixels, width * 4, width, height, kFormat888);
    }

    bool PresentPixels(const void* pixels, int pitch, int width, int height, int bitCount,
                       uint32_t redMask, uint32_t greenMask, uint32_t blueMask) override {
        return Show(pixels, pitch, width, height, FormatOf(bitCount, redMask, greenMask, blueMask));
    }

    bool KeepsPicture() override {
        std::lock_guard<std::mutex> lock(mFrameLock);
        return Kept().pixels != nullptr;
    }

    bool ReadPicture(void* pixels, int pitch, int width, int height, int bitCount, uint32_t redMask,
                     uint32_t greenMask, uint32_t blueMask) override {
        std::lock_guard<std::mutex> lock(mFrameLock);
        const SdlWindowPicture::KeptRows kept = Kept();
        if (kept.pixels == nullptr || kept.width != width || kept.height != height ||
            kept.format != FormatOf(bitCount, redMask, greenMask, blueMask)) {
            return false;
        }
        const size_t rowBytes = static_cast<size_t>(width) * (bitCount / 8);
        for (int y = 0; y < height; ++y) {
            std::memcpy(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch,
                        kept.pixels + static_cast<size_t>(y) * kept.pitch, rowBytes);
        }
        return true;
    }

    void GetClientSize(int& width, int& height) override {
        width = mClientWidth;
        height = mClientHeight;
    }

    void SetMouseCapture(bool capture) override {
        // Refused where the driver cannot capture; input then simply stops at the edge.
        (void)SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
    }

    bool GetMouseInClient(int& x, int& y) override {
        if (SDL_GetMouseFocus() != mWindow) {
            return false;
        }
        int windowWidth = 0;
        int windowHeight = 0;
        SDL_GetWindowSize(mWindow, &windowWidth, &windowHeight);
        SDL_GetMouseState(&x, &y);
        WindowToPicture(windowWidth, windowHeight, mClientWidth, mClientHeight, x, y);
        return true;
    }

    bool GetNormalPosition(int& x, int& y) override {
        uint32_t flags = SDL_GetWindowFlags(mWindow);
        if ((flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED | SDL_WINDOW_FULLSCREEN)) != 0) {
            return false;
        }
        SDL_GetWindowPosition(mWindow, &x, &y);
        return true;
    }

    void GetSizes(int& windowWidth, int& windowHeight, int& clientWidth, int& clientHeight) {
        SDL_GetWindowSize(mWindow, &windowWidth, &windowHeight);
        clientWidth = mClientWidth;
        clientHeight = mClientHeight;
    }

    // On the making thread: shows the picture another thread left waiting, if any.
    void PresentWaitingFrame() {
        std::lock_guard<std::mutex> lock(mFrameLock);
        if (mWaiting.waits) {
            (void)mPicture->Show(mWaiting.pixels.data(), mWaiting.pitch, mWaiting.width,
                                 mWaiting.height, mWaiting.format, mClientWidth, mClientHeight);
            mWaiting.waits = false;
            if (mPicture->Kept() == nullptr) {
                std::swap(mSaved, mWaiting);
                mSaved.waits = true;
            }
        }
    }

private:
    // A picture copied: from another thread, waiting for the making thread, or saved to be read
    // back (waits: it holds the picture).
    struct Frame {
        std::vector<uint8_t> pixels;
        int pitch = 0;
        int width = 0;
        int height = 0;
        PixelFormat format;
        bool waits = false;

        void Take(const void* from, int rowPitch, int rowWidth, int rowCount,
                  const PixelFormat& rowFormat) {
            const auto* rows = static_cast<const uint8_t*>(from);
            pixels.assign(rows, rows + static_cast<size_t>(rowPitch) * rowCount);
            pitch = rowPitch;
            width = rowWidth;
            height = rowCount;
            format = rowFormat;
            waits = true;
        }
    };

    // The 32-bit picture is 0x00RRGGBB whatever masks are given, as Present's.
    static PixelFormat FormatOf(int bitCount, uint32_t redMask, uint32_t greenMask,
                                uint32_t blueMask) {
        return bitCount == 32
                   ? kFormat888
                   : PixelFormat{static_cast<uint32_t>(bitCount), redMask, greenMask, blueMask};
    }

    // The picture last presented where it is kept whole (pixels null where it is not): the
    // waiting one, the saved one, or the rows in the window's surface; under mFrameLock.
    SdlWindowPicture::KeptRows Kept() const {
        for (const Frame* frame : {&mWaiting, &mSaved}) {
            if (frame->waits) {
                return {frame->pixels.data(), frame->pitch, frame->width, frame->height,
                        frame->format};
            }
        }
        const SdlWindowPicture::KeptRows* shown = mPicture->Kept();
        return shown != nullptr ? *shown : SdlWindowPicture::KeptRows{};
    }

    bool Show(const void* pixels, int pitch, int width, int height, const PixelFormat& format) {
        if (pixels == nullptr || width <= 0 || height <= 0) {
            return false;
        }
        std::lock_guard<std::mutex> lock(mFrameLock);
        mSaved.waits = false; // older than this one
        if (std::this_thread::get_id() == mRenderThread) {
            mWaiting.waits = false; // older than this one
            return mPicture->Show(pixels, pitch, width, height, format, mClientWidth,
                                  mClientHeight);
        }
        const bool wasWaiting = mWaiting.waits;
        mWaiting.Take(pixels, pitch, width, height, format);
        if (wasWaiting) {
            return true; // the event already on its way shows this newer picture
        }
        SDL_Event event{};
        event.user.type = WaitingFrameEventType();
        event.user.windowID = SDL_GetWindowID(mWindow);
        if (event.user.type == 0 || SDL_PushEvent(&event) != 1) {
            mWaiting.waits = false;
            return false;
        }
        return true;
    }

    SdlVideoUser mVideo; // constructed first, released last
    SDL_Window* mWindow; // points back at this window (kWindowKey)
    int mClientWidth;
    int mClientHeight;
    std::thread::id mRenderThread; // the making thread, the only one that renders
    std::mutex mFrameLock;         // the picture shown and the waiting one
    Frame mWaiting;                // a picture from another thread for the making thread to show
    Frame mSaved; // the picture last presented, copied where the window no longer holds it
    std::unique_ptr<SdlWindowPicture> mPicture;
};

// A cursor SDL made, or none where SDL cannot make cursors (the dummy driver).
class SdlCursor : public Cursor {
public:
    explicit SdlCursor(SDL_Cursor* cursor) : mCursor(cursor) {}
    ~SdlCursor() override {
        if (mCursor != nullptr) {
            SDL_FreeCursor(mCursor);
        }
    }
    SDL_Cursor* Get() const { return mCursor; }

private:
    SdlVideoUser mVideo;
    SDL_Cursor* mCursor;
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
        int x = params.x < 0 ? SDL_WINDOWPOS_CENTERED : params.x;
        int y = params.y < 0 ? SDL_WINDOWPOS_CENTERED : params.y;
        int width = params.width;
        int height = params.height;
        if (params.fullScreen) {
            flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
            const SDL_Rect desktop = DesktopBounds();
            if (desktop.w > 0 && desktop.h > 0) {
                x = desktop.x;
                y = desktop.y;
                width = desktop.w;
                height = desktop.h;
            }
        }
        SDL_Window* window =
            SDL_CreateWindow(Cp1251ToUtf8(params.title).c_str(), x, y, width, height, flags);
        if (!window) {
            return nullptr;
        }
        SetIcon(window, params.icon);
        return std::make_unique<SdlWindow>(window, params.width, params.height);
    }

    bool GetWorkArea(int& x, int& y, int& width, int& height) override {
        SdlVideoUser video;
        SDL_Rect area;
        if (!video.IsReady() || SDL_GetDisplayUsableBounds(0, &area) != 0) {
            return false;
        }
        x = area.x;
        y = area.y;
        width = area.w;
        height = area.h;
        return true;
    }

    void GetFrameSize(int& left, int& top, int& right, int& bottom) override {
        // The window manager draws the frame outside the client area SDL places.
        left = top = right = bottom = 0;
    }

    std::unique_ptr<Cursor> CreateSystemCursor(SystemCursor shape) override {
        SdlVideoUser video;
        SDL_SystemCursor id = shape == SystemCursor::IBeam ? SDL_SYSTEM_CURSOR_IBEAM
                              : shape == SystemCursor::No  ? SDL_SYSTEM_CURSOR_NO
                                                           : SDL_SYSTEM_CURSOR_ARROW;
        return std::make_unique<SdlCursor>(video.IsReady() ? SDL_CreateSystemCursor(id) : nullptr);
    }

    std::unique_ptr<Cursor> CreateMaskCursor(CursorRows rows, int hotX, int hotY) override {
        SdlVideoUser video;
        // SDL's monochrome cursor: data 1 and mask 1 is black, data 0 and mask 1 white.
        uint8_t data[32 * 4] = {};
        uint8_t mask[32 * 4] = {};
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32 && rows[y][x] != '\0'; ++x) {
                uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
                int index = y * 4 + x / 8;
                if (rows[y][x] == 'X') {
                    data[index] |= bit;
                    mask[index] |= bit;
                } else if (rows[y][x] == '.') {
                    mask[index] |= bit;
                }
            }
        }
        return std::make_unique<SdlCursor>(
            video.IsReady() ? SDL_CreateCursor(data, mask, 32, 32, hotX, hotY) : nullptr);
    }

    std::unique_ptr<Cursor> CreateColorCursor(const uint32_t* pixels, int width, int height,
                                              int hotX, int hotY) override {
        SdlVideoUser video;
        SDL_Cursor* cursor = nullptr;
        SDL_Surface* surface =
            video.IsReady() && pixels != nullptr && width > 0 && height > 0
                ? SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(pixels), width, height,
                                                     32, width * 4, SDL_PIXELFORMAT_ARGB8888)
                : nullptr;
        if (surface != nullptr) {
            cursor = SDL_CreateColorCursor(surface, hotX, hotY);
            SDL_FreeSurface(surface);
        }
        return std::make_unique<SdlCursor>(cursor);
    }

    void SetCursor(const Cursor* cursor) override {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
            return;
        }
        auto* sdlCursor = static_cast<const SdlCursor*>(cursor);
        if (sdlCursor == nullptr) {
            SDL_ShowCursor(SDL_DISABLE);
            return;
        }
        if (sdlCursor->Get() != nullptr) {
            SDL_SetCursor(sdlCursor->Get());
        }
        SDL_ShowCursor(SDL_ENABLE);
    }

    void AllowScreenSaver(bool allow) override {
        if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
            return;
        }
        if (allow) {
            SDL_EnableScreenSaver();
        } else {
            SDL_DisableScreenSaver();
        }
    }

    bool QueryScreenSaver(ScreenSaverInfo& info) override { return QueryDesktopScreenSaver(info); }

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

    bool CanShowWindows() override { return !SdlVideoIsHeadless(); }

    int ShowMessageBox(const std::string& text, const std::string& title, uint32_t flags) override {
        // A box could only hold up an end the program was asked for.
        if (TerminationRequested()) {
            return kIdNone;
        }
        std::string utf8Text = Cp1251ToUtf8(text);
        std::string utf8Title = Cp1251ToUtf8(title);
        int answer = DefaultMessageBoxAnswer(flags);
        if (!SdlVideoIsHeadless()) {
            // SDL's box blocks until its user answers, whatever else happens.
            int chosen = AnswerUnlessTerminated(
                [utf8Text, utf8Title, flags, answer] {
                    int button = 0;
                    return ShowSdlBox(utf8Text, utf8Title, flags, answer, button) ? button : kNoBox;
                },
                kIdNone);
            if (chosen != kNoBox) {
                return chosen;
            }
        }
        std::fprintf(stderr, "%s: %s\n", utf8Title.c_str(), utf8Text.c_str());
        if (BoxesWaitForEver()) {
            return AnswerUnlessTerminated(
                []() -> int {
                    // In short sleeps: a signal handled late on this thread (ThreadSanitizer
                    // handles one at the thread's next call) must not wait an hour for it.
                    for (;;) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(100));
                    }
                },
                kIdNone);
        }
        return answer;
    }

private:
    // ShowSdlBox's answer when SDL could show no box.
    static constexpr int kNoBox = -1;

    // The test setting of a box that is never answered (Window.h).
    static bool BoxesWaitForEver() {
        static const bool wait = std::getenv("VURO_TEST_BOXES_WAIT") != nullptr;
        return wait;
    }

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
        case kMbRetryCancel:
            add(kIdRetry, "Retry", false);
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

namespace {

SdlWindow* WindowOf(uint32_t windowId) {
    SDL_Window* window = SDL_GetWindowFromID(windowId);
    return window != nullptr ? static_cast<SdlWindow*>(SDL_GetWindowData(window, kWindowKey))
                             : nullptr;
}

} // namespace

bool QuerySdlWindowSizes(uint32_t windowId, int& windowWidth, int& windowHeight, int& clientWidth,
                         int& clientHeight) {
    SdlWindow* window = WindowOf(windowId);
    if (window == nullptr) {
        return false;
    }
    window->GetSizes(windowWidth, windowHeight, clientWidth, clientHeight);
    return true;
}

uint32_t WaitingFrameEventType() {
    static const uint32_t type = [] {
        const uint32_t registered = SDL_RegisterEvents(1);
        return registered == static_cast<uint32_t>(-1) ? 0 : registered;
    }();
    return type;
}

void PresentWaitingFrame(uint32_t windowId) {
    if (SdlWindow* window = WindowOf(windowId)) {
        window->PresentWaitingFrame();
    }
}

int DefaultMessageBoxAnswer(uint32_t flags) {
    bool second = (flags & kMbDefButton2) != 0;
    switch (flags & 0x0F) {
    case kMbYesNo:
        return second ? kIdNo : kIdYes;
    case kMbOkCancel:
        return second ? kIdCancel : kIdOk;
    case kMbRetryCancel:
        return second ? kIdCancel : kIdRetry;
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
