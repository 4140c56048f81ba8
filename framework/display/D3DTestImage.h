#pragma once
// A plain block of 32-bit 0xAARRGGBB pixels, row after row, for the 3-D capability test:
// patterns are prepared in it and drawn through a texture, and the rendered pixels are read
// back into it and judged.

#include "platform/Direct3D.h"

#include <cstdint>
#include <memory>

namespace Vuro {

// Textures of the test are A8R8G8B8 when set, else A4R4G4B4 (the tester's setup decides).
extern bool gD3DTest32BitTextures;

// Sum of the squared differences of the blue, green and red bytes (alpha ignored).
int ColorDistanceSq(uint32_t a, uint32_t b);

class D3DTestImage {
public:
    // A rendered pixel farther than this from the expected colour is wrong (768: a difference
    // of 16 in each of three channels passes).
    static constexpr int kDistanceLimit = 768;

    D3DTestImage() = default;
    D3DTestImage(int width, int height) { Create(width, height); }
    virtual ~D3DTestImage() = default;

    void Create(int width, int height);
    void Free();
    void FillRect(int x, int y, int width, int height, uint32_t color);
    // Even columns opaque black, odd ones opaque white.
    void FillStripes();
    // The rectangle into the texture from its top-left; a rectangle cut by the image clears
    // the whole texture first. Failures throw D3DTester::TestException.
    void CopyToTexture32(Platform::Texture3D& texture, int x, int y, int width, int height);
    void CopyToTexture16(Platform::Texture3D& texture, int x, int y, int width, int height);
    // A source rectangle drawn at (x, y) through the texture as one quad of the vertex colour.
    void DrawTexturedPiece(Platform::Device3D& device, Platform::Texture3D& texture, int x, int y,
                           int sourceX, int sourceY, int width, int height, uint32_t color);
    // The whole image, 64 x 64 at a time, at (x, y).
    void DrawTiled(Platform::Device3D& device, Platform::Texture3D& texture, int x, int y,
                   uint32_t color);
    // count = the pixels of the top-left width x height over the limit from expected; answers
    // whether all of them equal the first one.
    bool CheckUniform(uint32_t expected, int& count, int width, int height) const;
    // Pixels of the region off the stripes (black in its even columns, white in its odd ones).
    int CountStripeErrors(int width, int height, int x, int y) const;

    uint32_t At(int x, int y) const { return mPixels[static_cast<size_t>(y) * mWidth + x]; }

    std::unique_ptr<uint32_t[]> mPixels;
    int mWidth = 0;
    int mHeight = 0;

private:
    void CopyToTexture(Platform::Texture3D& texture, int x, int y, int width, int height,
                       bool wide);
};

} // namespace Vuro
