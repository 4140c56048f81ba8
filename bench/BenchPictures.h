#pragma once
// A picture as the three libraries of a comparison see it: our in-memory image, an SDL surface
// and a pixman image, each over its own copy of the same 0xAARRGGBB pixels, so that drawing
// with one library never changes what another reads.

#include "framework/app/VuroAppBase.h"
#include "framework/graphics/MemoryImage.h"

#include <SDL.h>
#include <pixman.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Vuro::Bench {

// 0xAARRGGBB pixels, not premultiplied, rows top first.
struct Picture {
    int mWidth;
    int mHeight;
    std::vector<uint32_t> mPixels;
};

inline std::unique_ptr<MemoryImage> MakeOurs(VuroAppBase& app, const Picture& picture) {
    auto image = std::make_unique<MemoryImage>(&app);
    image->SetBits(picture.mPixels.data(), picture.mWidth, picture.mHeight);
    return image;
}

struct SdlPicture {
    std::vector<uint32_t> mPixels;
    SDL_Surface* mSurface = nullptr;

    explicit SdlPicture(const Picture& picture) : mPixels(picture.mPixels) {
        mSurface =
            SDL_CreateRGBSurfaceWithFormatFrom(mPixels.data(), picture.mWidth, picture.mHeight, 32,
                                               picture.mWidth * 4, SDL_PIXELFORMAT_ARGB8888);
    }
    ~SdlPicture() { SDL_FreeSurface(mSurface); }
    SdlPicture(const SdlPicture&) = delete;
    SdlPicture& operator=(const SdlPicture&) = delete;
};

// pixman reads its pixels as premultiplied; premultiply converts the copy so that blends give
// the same colours as ours (the speed is the same either way).
struct PixmanPicture {
    std::vector<uint32_t> mPixels;
    pixman_image_t* mImage = nullptr;

    explicit PixmanPicture(const Picture& picture, bool premultiply = false)
        : mPixels(picture.mPixels) {
        if (premultiply) {
            for (uint32_t& pixel : mPixels) {
                const uint32_t a = pixel >> 24;
                const auto times = [a](uint32_t channel) { return (channel * a + 127) / 255; };
                pixel = (a << 24) | (times((pixel >> 16) & 0xFF) << 16) |
                        (times((pixel >> 8) & 0xFF) << 8) | times(pixel & 0xFF);
            }
        }
        mImage = pixman_image_create_bits(PIXMAN_a8r8g8b8, picture.mWidth, picture.mHeight,
                                          mPixels.data(), picture.mWidth * 4);
    }
    ~PixmanPicture() { pixman_image_unref(mImage); }
    PixmanPicture(const PixmanPicture&) = delete;
    PixmanPicture& operator=(const PixmanPicture&) = delete;
};

// A solid colour source (or, with componentAlpha, a per-channel mask for tinting); the caller
// unrefs it.
inline pixman_image_t* SolidFill(uint8_t r, uint8_t g, uint8_t b, uint8_t a, bool componentAlpha) {
    const pixman_color_t colour = {uint16_t(r * 257), uint16_t(g * 257), uint16_t(b * 257),
                                   uint16_t(a * 257)};
    pixman_image_t* solid = pixman_image_create_solid_fill(&colour);
    pixman_image_set_component_alpha(solid, componentAlpha);
    return solid;
}

} // namespace Vuro::Bench
