#include "framework/display/D3DTestImage.h"

#include "framework/display/D3DTester.h"
#include "framework/display/TextureData.h"

#include <algorithm>
#include <cstring>

namespace Vuro {

bool gD3DTest32BitTextures = true;

int ColorDistanceSq(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        sum += d * d;
    }
    return sum;
}

void D3DTestImage::Create(int width, int height) {
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    mPixels = std::make_unique<uint32_t[]>(static_cast<size_t>(mWidth) * mHeight);
}

void D3DTestImage::Free() {
    mPixels.reset();
    mWidth = 0;
    mHeight = 0;
}

void D3DTestImage::FillRect(int x, int y, int width, int height, uint32_t color) {
    for (int j = std::max(y, 0); j < std::min(y + height, mHeight); ++j) {
        for (int i = std::max(x, 0); i < std::min(x + width, mWidth); ++i) {
            mPixels[static_cast<size_t>(j) * mWidth + i] = color;
        }
    }
}

void D3DTestImage::FillStripes() {
    for (int j = 0; j < mHeight; ++j) {
        for (int i = 0; i < mWidth; ++i) {
            mPixels[static_cast<size_t>(j) * mWidth + i] = (i % 2 == 0) ? 0xFF000000 : 0xFFFFFFFF;
        }
    }
}

void D3DTestImage::CopyToTexture(Platform::Texture3D& texture, int x, int y, int width, int height,
                                 bool wide) {
    Platform::SurfaceDesc desc;
    D3DTester::CheckDXError(texture.Lock(desc, Platform::kLockWait), "Lock Texture");
    const int w = std::min({width, mWidth - x, desc.width});
    const int h = std::min({height, mHeight - y, desc.height});
    auto* texels = static_cast<uint8_t*>(desc.bits);
    if (w < width || h < height) {
        std::memset(texels, 0, static_cast<size_t>(desc.pitch) * desc.height);
    }
    for (int j = 0; j < h; ++j) {
        uint8_t* row = texels + static_cast<size_t>(j) * desc.pitch;
        for (int i = 0; i < w; ++i) {
            const uint32_t p = At(x + i, y + j);
            if (wide) {
                std::memcpy(row + 4 * i, &p, 4);
            } else {
                const uint16_t t = ToA4R4G4B4(p);
                std::memcpy(row + 2 * i, &t, 2);
            }
        }
    }
    D3DTester::CheckDXError(texture.Unlock(), "Texture Unlock");
}

void D3DTestImage::CopyToTexture32(Platform::Texture3D& texture, int x, int y, int width,
                                   int height) {
    CopyToTexture(texture, x, y, width, height, true);
}

void D3DTestImage::CopyToTexture16(Platform::Texture3D& texture, int x, int y, int width,
                                   int height) {
    CopyToTexture(texture, x, y, width, height, false);
}

void D3DTestImage::DrawTexturedPiece(Platform::Device3D& device, Platform::Texture3D& texture,
                                     int x, int y, int sourceX, int sourceY, int width, int height,
                                     uint32_t color) {
    if (gD3DTest32BitTextures) {
        CopyToTexture32(texture, sourceX, sourceY, width, height);
    } else {
        CopyToTexture16(texture, sourceX, sourceY, width, height);
    }
    const float left = static_cast<float>(x) - 0.5f;
    const float top = static_cast<float>(y) - 0.5f;
    const auto w = static_cast<float>(width);
    const auto h = static_cast<float>(height);
    const Platform::TLVertex quad[4] = {{left, top, 0, 1.0f, color, 0, 0, 0},
                                        {left, top + h, 0, 1.0f, color, 0, 0, h / 64},
                                        {left + w, top, 0, 1.0f, color, 0, w / 64, 0},
                                        {left + w, top + h, 0, 1.0f, color, 0, w / 64, h / 64}};
    D3DTester::CheckDXError(device.SetTexture(0, &texture), "SetTexture theTexture");
    D3DTester::CheckDXError(device.DrawPrimitive(Platform::Primitive::TriangleStrip, quad, 4),
                            "DrawPrimitive");
    D3DTester::CheckDXError(device.SetTexture(0, nullptr), "SetTexture NULL");
}

void D3DTestImage::DrawTiled(Platform::Device3D& device, Platform::Texture3D& texture, int x, int y,
                             uint32_t color) {
    for (int pieceY = 0; pieceY < mHeight; pieceY += 64) {
        for (int pieceX = 0; pieceX < mWidth; pieceX += 64) {
            DrawTexturedPiece(device, texture, x + pieceX, y + pieceY, pieceX, pieceY, 64, 64,
                              color);
        }
    }
}

bool D3DTestImage::CheckUniform(uint32_t expected, int& count, int width, int height) const {
    count = 0;
    bool uniform = true;
    for (int j = 0; j < std::min(height, mHeight); ++j) {
        for (int i = 0; i < std::min(width, mWidth); ++i) {
            count += ColorDistanceSq(At(i, j), expected) > kDistanceLimit ? 1 : 0;
            uniform &= At(i, j) == At(0, 0);
        }
    }
    return uniform;
}

int D3DTestImage::CountStripeErrors(int width, int height, int x, int y) const {
    int count = 0;
    for (int j = y; j < std::min(y + height, mHeight); ++j) {
        for (int i = x; i < std::min(x + width, mWidth); ++i) {
            const uint32_t expected = (i - x) % 2 == 0 ? 0 : 0xFFFFFF;
            count += ColorDistanceSq(At(i, j), expected) > kDistanceLimit ? 1 : 0;
        }
    }
    return count;
}

} // namespace Vuro
