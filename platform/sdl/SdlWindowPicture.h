#pragma once
// How the application's picture reaches an SDL window. The way is chosen once a process, on the
// first window: an accelerated renderer where the machine has one that is not a software
// rasteriser (Mesa's llvmpipe, softpipe, swrast), else the window's own surface, which SDL then
// hands to the window system without a renderer of its own. Either way the picture's rows are
// copied by our own converter (platform/PictureRows.h), or uploaded as they stand where a
// renderer takes the picture's format; SDL's generic pixel conversion is never used.
//
// SdlWindowPicture belongs to one window and is used on the thread that made it.

#include "platform/DirectDraw.h"

#include <SDL.h>

#include <string>

namespace Vuro::Platform {

// Whether pictures go through an accelerated renderer rather than the window's surface. Probes
// on the first call (SDL's video must be running), then answers the same.
bool PresentsThroughRenderer();

// Whether an OpenGL device name (GL_RENDERER) is one of Mesa's rasterisers that run on the
// processor, where presenting through the renderer costs more than the window's surface does.
bool IsSoftwareRasteriser(std::string device);

class SdlWindowPicture {
public:
    explicit SdlWindowPicture(SDL_Window* window);
    ~SdlWindowPicture();
    SdlWindowPicture(const SdlWindowPicture&) = delete;
    SdlWindowPicture& operator=(const SdlWindowPicture&) = delete;

    // Shows rows of width x height pixels, pitch bytes apart, in the window, as large as it fits
    // with the shape of clientWidth x clientHeight kept, the rest black. False when it could not.
    bool Show(const void* pixels, int pitch, int width, int height, const PixelFormat& format,
              int clientWidth, int clientHeight);

    // The picture last shown, where the window's surface holds its rows exactly (the same size
    // and format, copied as they stand); null elsewhere (a renderer, scaled or converted rows).
    // The rows stay until SDL is next asked for the window's surface, which only Show does.
    struct KeptRows {
        const uint8_t* pixels;
        int pitch;
        int width;
        int height;
        PixelFormat format;
    };
    const KeptRows* Kept() const { return mKept.pixels != nullptr ? &mKept : nullptr; }

private:
    bool ShowByRenderer(const void* pixels, int pitch, int width, int height,
                        const PixelFormat& format, int clientWidth, int clientHeight);
    bool ShowInSurface(const void* pixels, int pitch, int width, int height,
                       const PixelFormat& format, int clientWidth, int clientHeight);
    bool MakeTexture(int width, int height, const PixelFormat& format);

    SDL_Window* mWindow;               // not owned
    SDL_Renderer* mRenderer = nullptr; // null: the window's surface takes the picture
    SDL_Texture* mTexture = nullptr;
    int mTextureWidth = 0;
    int mTextureHeight = 0;
    PixelFormat mPictureFormat; // what the texture was made for
    PixelFormat mTextureFormat; // the texture's own layout
    KeptRows mKept{};           // pixels null: the last picture is not kept
};

} // namespace Vuro::Platform
