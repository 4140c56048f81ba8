#include "platform/sdl/SdlWindowPicture.h"

#include "platform/PictureRows.h"
#include "platform/sdl/SdlPicture.h"
#include "platform/sdl/SdlVideo.h"

#include <algorithm>
#include <cctype>

namespace Vuro::Platform {

namespace {

constexpr unsigned kGlRenderer = 0x1F01;

// The name of the OpenGL device behind the renderer just made (its context is current), or
// empty where the renderer does not draw through OpenGL.
std::string OpenGlDevice(const SDL_RendererInfo& info) {
    const std::string name = info.name != nullptr ? info.name : "";
    if (name.rfind("opengl", 0) != 0) {
        return "";
    }
    using GetString = const unsigned char* (*)(unsigned);
    auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    const unsigned char* device = getString != nullptr ? getString(kGlRenderer) : nullptr;
    return device != nullptr ? reinterpret_cast<const char*>(device) : "";
}

// The video driver shows nothing, no accelerated renderer or a software rasteriser: the
// window's surface.
bool Probe() {
    if (SdlVideoIsHeadless()) {
        return false;
    }
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
    SDL_Renderer* renderer =
        window != nullptr ? SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED) : nullptr;
    bool useRenderer = false;
    SDL_RendererInfo info{};
    if (renderer != nullptr && SDL_GetRendererInfo(renderer, &info) == 0) {
        useRenderer = !IsSoftwareRasteriser(OpenGlDevice(info));
    }
    if (renderer != nullptr) {
        SDL_DestroyRenderer(renderer);
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
    return useRenderer;
}

PixelFormat FormatOf(uint32_t sdlFormat) {
    int bits = 0;
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    uint32_t alpha = 0;
    if (!SDL_PixelFormatEnumToMasks(sdlFormat, &bits, &red, &green, &blue, &alpha)) {
        return PixelFormat{};
    }
    return PixelFormat{static_cast<uint32_t>(SDL_BYTESPERPIXEL(sdlFormat) * 8), red, green, blue};
}

// The parts of an output of width x height outside the picture's frame, filled black.
bool FillBars(SDL_Surface* target, const SDL_Rect& frame) {
    const SDL_Rect bars[4] = {{0, 0, frame.x, target->h},
                              {frame.x + frame.w, 0, target->w - frame.x - frame.w, target->h},
                              {0, 0, target->w, frame.y},
                              {0, frame.y + frame.h, target->w, target->h - frame.y - frame.h}};
    const uint32_t black = SDL_MapRGB(target->format, 0, 0, 0);
    bool filled = true;
    for (const SDL_Rect& bar : bars) {
        if (bar.w > 0 && bar.h > 0) {
            filled = SDL_FillRect(target, &bar, black) == 0 && filled;
        }
    }
    return filled;
}

} // namespace

bool IsSoftwareRasteriser(std::string device) {
    std::transform(device.begin(), device.end(), device.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"}) {
        if (device.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

bool PresentsThroughRenderer() {
    static const bool useRenderer = [] {
        SdlVideoUser video;
        return video.IsReady() && Probe();
    }();
    return useRenderer;
}

SdlWindowPicture::SdlWindowPicture(SDL_Window* window) : mWindow(window) {
    if (PresentsThroughRenderer()) {
        mRenderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    }
    if (mRenderer == nullptr) {
        // Else SDL would put the window's surface on a renderer of its own (the software
        // rasteriser again); hints are cleared whenever SDL shuts down, so set for each window.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
}

SdlWindowPicture::~SdlWindowPicture() {
    if (mTexture != nullptr) {
        SDL_DestroyTexture(mTexture);
    }
    if (mRenderer != nullptr) {
        SDL_DestroyRenderer(mRenderer);
    }
}

bool SdlWindowPicture::Show(const void* pixels, int pitch, int width, int height,
                            const PixelFormat& format, int clientWidth, int clientHeight) {
    mKept = KeptRows{};
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    return mRenderer != nullptr
               ? ShowByRenderer(pixels, pitch, width, height, format, clientWidth, clientHeight)
               : ShowInSurface(pixels, pitch, width, height, format, clientWidth, clientHeight);
}

bool SdlWindowPicture::MakeTexture(int width, int height, const PixelFormat& format) {
    if (mTexture != nullptr && width == mTextureWidth && height == mTextureHeight &&
        format == mPictureFormat) {
        return true;
    }
    if (mTexture != nullptr) {
        SDL_DestroyTexture(mTexture);
        mTexture = nullptr;
    }
    // The picture's own format where the renderer takes it, else 8-bit channels our rows fill.
    const uint32_t own = SDL_MasksToPixelFormatEnum(
        static_cast<int>(format.bitCount), format.redMask, format.greenMask, format.blueMask, 0);
    uint32_t chosen = SDL_PIXELFORMAT_RGB888;
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(mRenderer, &info) == 0) {
        for (uint32_t k = 0; k < info.num_texture_formats; ++k) {
            if (info.texture_formats[k] == own) {
                chosen = own;
            }
        }
    }
    mTexture = SDL_CreateTexture(mRenderer, chosen, SDL_TEXTUREACCESS_STREAMING, width, height);
    if (mTexture == nullptr) {
        return false;
    }
    SDL_SetTextureBlendMode(mTexture, SDL_BLENDMODE_NONE);
    mTextureWidth = width;
    mTextureHeight = height;
    mPictureFormat = format;
    mTextureFormat = FormatOf(chosen);
    return true;
}

bool SdlWindowPicture::ShowByRenderer(const void* pixels, int pitch, int width, int height,
                                      const PixelFormat& format, int clientWidth,
                                      int clientHeight) {
    if (!MakeTexture(width, height, format)) {
        return false;
    }
    if (mTextureFormat == format) {
        // Uploaded straight from the picture's rows.
        if (SDL_UpdateTexture(mTexture, nullptr, pixels, pitch) != 0) {
            return false;
        }
    } else {
        void* texels = nullptr;
        int texturePitch = 0;
        if (SDL_LockTexture(mTexture, nullptr, &texels, &texturePitch) != 0) {
            return false;
        }
        CopyPicture(PictureRows{pixels, pitch, width, height, format},
                    PictureTarget{texels, texturePitch, mTextureFormat, 0, 0, width, height});
        SDL_UnlockTexture(mTexture);
    }
    int outputWidth = 0;
    int outputHeight = 0;
    if (SDL_GetRendererOutputSize(mRenderer, &outputWidth, &outputHeight) != 0) {
        return false;
    }
    const SDL_Rect frame = FitPicture(outputWidth, outputHeight, clientWidth, clientHeight);
    const bool covers = frame.w == outputWidth && frame.h == outputHeight;
    SDL_SetRenderDrawColor(mRenderer, 0, 0, 0, 255);
    const bool drawn = (covers || SDL_RenderClear(mRenderer) == 0) &&
                       SDL_RenderCopy(mRenderer, mTexture, nullptr, &frame) == 0;
    SDL_RenderPresent(mRenderer);
    return drawn;
}

bool SdlWindowPicture::ShowInSurface(const void* pixels, int pitch, int width, int height,
                                     const PixelFormat& format, int clientWidth, int clientHeight) {
    SDL_Surface* target = SDL_GetWindowSurface(mWindow);
    if (target == nullptr) {
        return false;
    }
    const SDL_Rect frame = FitPicture(target->w, target->h, clientWidth, clientHeight);
    const PixelFormat targetFormat{static_cast<uint32_t>(target->format->BytesPerPixel * 8),
                                   target->format->Rmask, target->format->Gmask,
                                   target->format->Bmask};
    if (targetFormat.bitCount != 16 && targetFormat.bitCount != 32) {
        return false; // three-byte pixels: X servers and SDL's drivers give 2 or 4
    }
    bool drawn = FillBars(target, frame);
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) {
        return false;
    }
    CopyPicture(PictureRows{pixels, pitch, width, height, format},
                PictureTarget{target->pixels, target->pitch, targetFormat, frame.x, frame.y,
                              frame.w, frame.h});
    if (SDL_MUSTLOCK(target)) {
        SDL_UnlockSurface(target);
    }
    const bool updated = SDL_UpdateWindowSurface(mWindow) == 0 && drawn;
    if (updated && targetFormat == format && frame.x == 0 && frame.y == 0 && frame.w == target->w &&
        frame.h == target->h && width == frame.w && height == frame.h && !SDL_MUSTLOCK(target)) {
        // CopyPicture copies rows of equal formats as they stand.
        mKept = KeptRows{static_cast<const uint8_t*>(target->pixels), target->pitch, width, height,
                         format};
    }
    return updated;
}

} // namespace Vuro::Platform
