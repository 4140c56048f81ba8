#pragma once
// The 3-D device's renderer and textures (platform/Direct3D.h). The renderer is a software
// renderer of SDL's over a picture of the device's own (SDL_CreateSoftwareRenderer), which needs
// no window and no video driver: the same pixels on every machine. A texture keeps its texels in
// the format asked for and hands them to the renderer as ARGB8888 when drawn after a change.
//
// What a caller can rely on:
// - The renderer and its picture live as long as the device or any texture holds them.
// - Upload's pixels are the texture's as the renderer keeps them (the software renderer keeps a
//   streaming texture's pixels where its lock put them), valid until the texture goes or the
//   next Upload; they are what the renderer draws, so the device may copy them itself.

#include "platform/Direct3D.h"

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Vuro::Platform {

struct SdlRenderer3D {
    SDL_Surface* picture = nullptr; // ARGB8888; what the renderer draws into
    SDL_Renderer* renderer = nullptr;
    ~SdlRenderer3D();
};

// Null when SDL cannot make it.
std::shared_ptr<SdlRenderer3D> MakeSdlRenderer3D(int width, int height);

class SdlTexture3D : public Texture3D {
public:
    SdlTexture3D(std::shared_ptr<SdlRenderer3D> renderer, int width, int height, int format);
    ~SdlTexture3D() override;

    int GetWidth() const override { return mWidth; }
    int GetHeight() const override { return mHeight; }
    int GetFormat() const override { return mFormat; }
    DDResult Lock(SurfaceDesc& desc, uint32_t flags) override;
    DDResult Unlock() override;
    DDResult SetPalette(std::shared_ptr<Palette> palette) override;
    std::shared_ptr<Palette> GetPalette() const override { return mPalette; }

    struct Uploaded {
        SDL_Texture* texture = nullptr; // null: it could not be made
        const uint32_t* pixels = nullptr;
        int pitch = 0; // bytes
    };
    // The renderer's copy brought up to date; opaque: every alpha 255 (source factor one).
    Uploaded Upload(bool opaque);

private:
    uint32_t ToArgb(const uint8_t* row, int x, const uint32_t* palette) const;

    std::shared_ptr<SdlRenderer3D> mRenderer;
    int mWidth;
    int mHeight;
    int mFormat;
    int mPitch;
    std::vector<uint8_t> mTexels;
    std::shared_ptr<Palette> mPalette;
    bool mLocked = false;
    uint64_t mVersion = 0; // counts changes of texels and palette
    // The plain and the opaque copy; version: mVersion + 1 of the last upload, 0 none.
    struct Copy {
        Uploaded uploaded;
        uint64_t version = 0;
    };
    Copy mCopies[2];
};

} // namespace Vuro::Platform
