#include "platform/sdl/SdlTexture3D.h"

#include <cstring>

namespace Vuro::Platform {

SdlRenderer3D::~SdlRenderer3D() {
    if (renderer != nullptr) {
        SDL_DestroyRenderer(renderer);
    }
    if (picture != nullptr) {
        SDL_FreeSurface(picture);
    }
}

std::shared_ptr<SdlRenderer3D> MakeSdlRenderer3D(int width, int height) {
    auto made = std::make_shared<SdlRenderer3D>();
    made->picture = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (made->picture != nullptr) {
        made->renderer = SDL_CreateSoftwareRenderer(made->picture);
    }
    return made->renderer != nullptr ? made : nullptr;
}

SdlTexture3D::SdlTexture3D(std::shared_ptr<SdlRenderer3D> renderer, int width, int height,
                           int format)
    : mRenderer(std::move(renderer)), mWidth(width), mHeight(height), mFormat(format),
      mPitch((width * TexelBytes(format) + 3) & ~3),
      mTexels(static_cast<size_t>(mPitch) * static_cast<size_t>(height)) {}

SdlTexture3D::~SdlTexture3D() {
    for (const Copy& copy : mCopies) {
        if (copy.uploaded.texture != nullptr) {
            SDL_DestroyTexture(copy.uploaded.texture);
        }
    }
}

DDResult SdlTexture3D::Lock(SurfaceDesc& desc, uint32_t) {
    if (DDResult failure = TakeDirectDrawFailure("LockTexture")) {
        return failure;
    }
    if (mLocked) {
        return kDDErrSurfaceBusy;
    }
    mLocked = true;
    desc.width = mWidth;
    desc.height = mHeight;
    desc.pitch = mPitch;
    desc.bits = mTexels.data();
    return kDDOk;
}

DDResult SdlTexture3D::Unlock() {
    if (!mLocked) {
        return kDDErrNotLocked;
    }
    mLocked = false;
    ++mVersion;
    return kDDOk;
}

DDResult SdlTexture3D::SetPalette(std::shared_ptr<Palette> palette) {
    mPalette = std::move(palette);
    ++mVersion;
    return kDDOk;
}

SdlTexture3D::Uploaded SdlTexture3D::Upload(bool opaque) {
    Copy& copy = mCopies[opaque ? 1 : 0];
    if (copy.uploaded.texture == nullptr) {
        copy.uploaded.texture = SDL_CreateTexture(mRenderer->renderer, SDL_PIXELFORMAT_ARGB8888,
                                                  SDL_TEXTUREACCESS_STREAMING, mWidth, mHeight);
        copy.version = 0;
    }
    if (copy.uploaded.texture == nullptr || copy.version == mVersion + 1) {
        return copy.uploaded;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(copy.uploaded.texture, nullptr, &pixels, &pitch) != 0) {
        return Uploaded{};
    }
    uint32_t palette[256] = {};
    if (mFormat == kTexFormatPalette8 && mPalette) {
        (void)mPalette->GetEntries(0, 256, palette);
    }
    for (int y = 0; y < mHeight; ++y) {
        const uint8_t* row = mTexels.data() + static_cast<size_t>(y) * mPitch;
        auto* out = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) +
                                                static_cast<size_t>(y) * pitch);
        for (int x = 0; x < mWidth; ++x) {
            out[x] = ToArgb(row, x, palette) | (opaque ? 0xFF000000u : 0);
        }
    }
    SDL_UnlockTexture(copy.uploaded.texture);
    copy.uploaded.pixels = static_cast<const uint32_t*>(pixels);
    copy.uploaded.pitch = pitch;
    copy.version = mVersion + 1;
    return copy.uploaded;
}

uint32_t SdlTexture3D::ToArgb(const uint8_t* row, int x, const uint32_t* palette) const {
    switch (mFormat) {
    case kTexFormatA8R8G8B8: {
        uint32_t p;
        std::memcpy(&p, row + 4 * x, 4);
        return p;
    }
    case kTexFormatA4R4G4B4: {
        uint16_t t;
        std::memcpy(&t, row + 2 * x, 2);
        uint32_t p = 0;
        for (int shift = 0; shift < 16; shift += 4) {
            p |= ((t >> shift) & 0xFu) * 17u << (shift * 2);
        }
        return p;
    }
    case kTexFormatR5G6B5: {
        uint16_t t;
        std::memcpy(&t, row + 2 * x, 2);
        const uint32_t r = (t >> 11) & 0x1F;
        const uint32_t g = (t >> 5) & 0x3F;
        const uint32_t b = t & 0x1F;
        return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) |
               (b << 3 | b >> 2);
    }
    default:
        return palette[row[x]];
    }
}

} // namespace Vuro::Platform
