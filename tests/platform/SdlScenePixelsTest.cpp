// The 3-D device's own pixel work against SDL's: every 16-bit pixel and a spread of 32-bit ones
// converted both ways, and texture rectangles copied and blended, cut at every edge, as SDL's
// software renderer copies them.

#include "platform/sdl/SdlScenePixels.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace Vuro::Platform {
namespace {

// Rows whose width leaves pixels after the groups of eight; every 16-bit value appears.
constexpr int kWidth = 253;
constexpr int kHeight = 260;

std::vector<uint32_t> Noise(size_t count, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> out(count);
    for (uint32_t& p : out) {
        p = random();
        // Alpha 0 and 255 have paths of their own.
        const uint32_t pick = random() % 4;
        p = pick == 0 ? p & 0xFFFFFF : pick == 1 ? p | 0xFF000000 : p;
    }
    return out;
}

TEST(SdlScenePixelsTest, ConversionsGiveSdlsPixels) {
    for (const uint32_t format :
         {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_RGB565, SDL_PIXELFORMAT_RGB555}) {
        const int bytes = SDL_BYTESPERPIXEL(format);
        const int pitch = kWidth * bytes + 8; // rows with room after them
        // Into the picture: every 16-bit value, or the same count of 32-bit ones.
        std::vector<uint8_t> surface(static_cast<size_t>(pitch) * kHeight);
        const std::vector<uint32_t> noise = Noise(kWidth * kHeight, format);
        for (int i = 0; i < kWidth * kHeight; ++i) {
            uint8_t* at = surface.data() + (i / kWidth) * pitch + (i % kWidth) * bytes;
            const uint32_t value = bytes == 2 ? static_cast<uint32_t>(i & 0xFFFF) : noise[i];
            std::memcpy(at, &value, bytes);
        }
        std::vector<uint32_t> ours(kWidth * kHeight);
        std::vector<uint32_t> sdls(kWidth * kHeight);
        ASSERT_TRUE(SurfaceToPicture(PixelRows{surface.data(), pitch, kWidth, kHeight}, format,
                                     PixelRows{ours.data(), kWidth * 4, kWidth, kHeight}));
        ASSERT_EQ(SDL_ConvertPixels(kWidth, kHeight, format, surface.data(), pitch,
                                    SDL_PIXELFORMAT_ARGB8888, sdls.data(), kWidth * 4),
                  0);
        EXPECT_EQ(ours, sdls) << SDL_GetPixelFormatName(format);
        // Into the surface.
        std::vector<uint8_t> ourSurface(surface.size());
        std::vector<uint8_t> sdlSurface(surface.size());
        std::vector<uint32_t> picture = noise;
        ASSERT_TRUE(PictureToSurface(PixelRows{picture.data(), kWidth * 4, kWidth, kHeight},
                                     PixelRows{ourSurface.data(), pitch, kWidth, kHeight}, format));
        ASSERT_EQ(SDL_ConvertPixels(kWidth, kHeight, SDL_PIXELFORMAT_ARGB8888, picture.data(),
                                    kWidth * 4, format, sdlSurface.data(), pitch),
                  0);
        EXPECT_EQ(ourSurface, sdlSurface) << SDL_GetPixelFormatName(format);
    }
    uint32_t pixel = 0;
    EXPECT_FALSE(SurfaceToPicture(PixelRows{&pixel, 4, 1, 1}, SDL_PIXELFORMAT_BGR888,
                                  PixelRows{&pixel, 4, 1, 1}));
}

// Rectangles of the texture reaching past the picture on each side, copied, blended and added,
// plain and tinted.
TEST(SdlScenePixelsTest, CopiesGiveWhatSdlsSoftwareRendererCopies) {
    constexpr int kPicture = 64;
    constexpr int kTexture = 24;
    std::vector<uint32_t> texels = Noise(kTexture * kTexture, 7);
    // Rows wholly transparent and wholly opaque, as sprites have them.
    for (int i = 0; i < kTexture * 8; ++i) {
        texels[i] = i < kTexture * 4 ? texels[i] & 0xFFFFFF : texels[i] | 0xFF000000;
    }
    SDL_Surface* target =
        SDL_CreateRGBSurfaceWithFormat(0, kPicture, kPicture, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(target);
    SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, kTexture, kTexture);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(SDL_UpdateTexture(texture, nullptr, texels.data(), kTexture * 4), 0);
    struct Kind {
        TexelMix mix;
        SDL_BlendMode mode;
        TexelTint tint;
    };
    const Kind kinds[] = {{TexelMix::Blend, SDL_BLENDMODE_BLEND, {}},
                          {TexelMix::Copy, SDL_BLENDMODE_NONE, {}},
                          {TexelMix::Add, SDL_BLENDMODE_ADD, {}},
                          {TexelMix::Blend, SDL_BLENDMODE_BLEND, {0, 0, 0, 255}},
                          {TexelMix::Blend, SDL_BLENDMODE_BLEND, {200, 100, 50, 77}},
                          {TexelMix::Add, SDL_BLENDMODE_ADD, {255, 255, 255, 96}},
                          {TexelMix::Copy, SDL_BLENDMODE_NONE, {200, 100, 50, 77}}};
    const SDL_Rect places[] = {{0, 0, 24, 24},   {-5, 3, 20, 10},  {30, -7, 24, 24},
                               {50, 50, 24, 24}, {-30, 10, 24, 5}, {10, 61, 9, 9}};
    std::mt19937 random(3);
    for (const Kind& kind : kinds) {
        for (const SDL_Rect& place : places) {
            const SDL_Rect source{static_cast<int>(random() % (kTexture - place.w + 1)),
                                  static_cast<int>(random() % (kTexture - place.h + 1)), place.w,
                                  place.h};
            std::vector<uint32_t> ours = Noise(kPicture * kPicture, place.x * 7 + place.y);
            std::memcpy(target->pixels, ours.data(), ours.size() * 4);
            SDL_SetTextureBlendMode(texture, kind.mode);
            SDL_SetTextureColorMod(texture, kind.tint.red, kind.tint.green, kind.tint.blue);
            SDL_SetTextureAlphaMod(texture, kind.tint.alpha);
            ASSERT_EQ(SDL_RenderCopy(renderer, texture, &source, &place), 0);
            SDL_RenderFlush(renderer);
            CopyTexels(PixelRows{texels.data(), kTexture * 4, kTexture, kTexture}, source.x,
                       source.y, source.w, source.h,
                       PixelRows{ours.data(), kPicture * 4, kPicture, kPicture}, place.x, place.y,
                       kind.mix, kind.tint);
            const auto* sdls = static_cast<const uint32_t*>(target->pixels);
            EXPECT_EQ(ours, std::vector<uint32_t>(sdls, sdls + ours.size()))
                << static_cast<int>(kind.mix) << " tinted " << kind.tint.red << ","
                << kind.tint.alpha << " at " << place.x << "," << place.y;
        }
    }
    SDL_DestroyTexture(texture);
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(target);
}

} // namespace
} // namespace Vuro::Platform
