// Texture pieces of an image: the grid, making and filling the textures, reading them back.

#include "framework/display/TextureData.h"

#include "framework/display/D3DInterface.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <cstring>

namespace Vuro {

using Platform::DDFailed;
using Platform::Texture3D;

uint16_t ToA4R4G4B4(uint32_t argb) {
    return static_cast<uint16_t>(((argb >> 16) & 0xF000) | ((argb >> 12) & 0x0F00) |
                                 ((argb >> 8) & 0x00F0) | ((argb >> 4) & 0x000F));
}

uint16_t ToR5G6B5(uint32_t argb) {
    return static_cast<uint16_t>(((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) |
                                 ((argb >> 3) & 0x001F));
}

uint32_t FromA4R4G4B4(uint16_t texel) {
    uint32_t out = 0;
    for (int shift = 0; shift < 16; shift += 4) {
        out |= ((texel >> shift) & 0xFu) * 17u << (shift * 2);
    }
    return out;
}

uint32_t FromR5G6B5(uint16_t texel) {
    return 0xFF000000u | (static_cast<uint32_t>(texel & 0xF800) << 8) |
           (static_cast<uint32_t>(texel & 0x07E0) << 5) |
           (static_cast<uint32_t>(texel & 0x001F) << 3);
}

const char* TextureData::FormatName(int format) {
    switch (format) {
    case kFormatA8R8G8B8:
        return "A8R8G8B8";
    case kFormatA4R4G4B4:
        return "A4R4G4B4";
    case kFormatR5G6B5:
        return "R5G6B5";
    case kFormatPalette8:
        return "Palette8";
    default:
        return "";
    }
}

void TextureData::ComputeTexturePieces(int imageWidth, int imageHeight, int imageFlags) {
    int pieceWidth = imageWidth;
    int pieceHeight = imageHeight;
    D3DInterface::ChooseTextureSize(&pieceWidth, &pieceHeight, false, true, imageFlags);
    // Remainder column, remainder row and the corner get sizes of their own.
    auto edge = [imageFlags](int width, int height) {
        D3DInterface::ChooseTextureSize(&width, &height, true, true, imageFlags);
        return std::pair{width, height};
    };
    const int restX = imageWidth % pieceWidth;
    const int restY = imageHeight % pieceHeight;
    const auto right = restX > 0 ? edge(restX, pieceHeight) : std::pair{pieceWidth, pieceHeight};
    const auto bottom = restY > 0 ? edge(pieceWidth, restY) : std::pair{pieceWidth, pieceHeight};
    const auto corner = edge(right.first, bottom.second);

    mPieceWidth = pieceWidth;
    mPieceHeight = pieceHeight;
    mColumns = (imageWidth + pieceWidth - 1) / pieceWidth;
    mRows = (imageHeight + pieceHeight - 1) / pieceHeight;
    mPieces.assign(static_cast<size_t>(mColumns) * static_cast<size_t>(mRows),
                   TexturePiece{nullptr, pieceWidth, pieceHeight});
    for (int row = 0; row < mRows; ++row) {
        for (int column = 0; column < mColumns; ++column) {
            TexturePiece& piece = mPieces[static_cast<size_t>(row * mColumns + column)];
            const bool lastColumn = column == mColumns - 1;
            const bool lastRow = row == mRows - 1;
            const auto size = lastColumn && lastRow ? corner
                              : lastColumn          ? right
                              : lastRow             ? bottom
                                                    : std::pair{pieceWidth, pieceHeight};
            piece.mWidth = size.first;
            piece.mHeight = size.second;
        }
    }
    mMaxU = static_cast<float>(imageWidth) / static_cast<float>(pieceWidth);
    mMaxV = static_cast<float>(imageHeight) / static_cast<float>(pieceHeight);
}

void TextureData::ReleaseTextures() {
    mPieces.clear();
    mPalette.reset();
    mTexMemSize = 0;
    mPixelFormat = 0;
}

namespace {

std::shared_ptr<Texture3D> CreateTexture(Platform::Device3D& device, int width, int height,
                                         int format) {
    if (D3DInterface::CheckD3DError(device.SetTexture(0, nullptr), "SetTexture NULL")) {
        return nullptr;
    }
    std::shared_ptr<Texture3D> texture;
    if (DDFailed(device.CreateTexture(width, height, format, texture))) {
        return nullptr;
    }
    return texture;
}

} // namespace

void TextureData::CreateTextures(MemoryImage* image, Platform::Device3D& device,
                                 Platform::DirectDraw* directDraw) {
    image->DropSoftwareBuffers();
    image->ApplyBits();
    const int flags = image->mTextureFlags;
    int& formats = gD3DLimits.mSupportedFormats;

    int format = kFormatA8R8G8B8;
    if (!image->mHasTrans && !image->mHasAlpha && (formats & kFormatR5G6B5) != 0 &&
        (flags & 8) == 0) {
        format = kFormatR5G6B5;
    }
    std::shared_ptr<Platform::Palette> palette;
    if (image->IsPalettised() && (formats & kFormatPalette8) != 0 && directDraw != nullptr) {
        if (DDFailed(directDraw->CreatePalette(image->mColorTable.get(), palette))) {
            formats &= ~kFormatPalette8;
            palette.reset();
        } else {
            format = kFormatPalette8;
        }
    }
    if (format == kFormatA8R8G8B8 && (((flags & 4) != 0 && (formats & kFormatA4R4G4B4) != 0) ||
                                      (formats & kFormatA8R8G8B8) == 0)) {
        format = kFormatA4R4G4B4;
    }

    const bool anew = mPixelFormat == 0 || image->mWidth != mImageWidth ||
                      image->mHeight != mImageHeight || format != mPixelFormat ||
                      flags != mImageFlags;
    if (anew) {
        ReleaseTextures();
        mPixelFormat = format;
        mImageFlags = flags;
        ComputeTexturePieces(image->mWidth, image->mHeight, flags);
    }
    mPalette = palette;

    int memory = mPalette ? 1024 : 0;
    for (int row = 0; row < mRows; ++row) {
        for (int column = 0; column < mColumns; ++column) {
            TexturePiece& piece = mPieces[static_cast<size_t>(row * mColumns + column)];
            if (anew) {
                piece.mTexture = CreateTexture(device, piece.mWidth, piece.mHeight, format);
            }
            if (piece.mTexture == nullptr) {
                continue;
            }
            // Every refill hands the present palette to every piece (pieces made earlier
            // would otherwise keep the palette of their first fill).
            if (mPalette) {
                (void)piece.mTexture->SetPalette(mPalette);
            }
            memory += piece.mWidth * piece.mHeight * Platform::TexelBytes(format);
            D3DInterface::CopyImageToTexture(piece.mTexture.get(), image, column * mPieceWidth,
                                             row * mPieceHeight);
        }
    }
    mTexMemSize = memory;
    mImageWidth = image->mWidth;
    mImageHeight = image->mHeight;
    mBitsChangedCount = image->mBitsChangedCount;
}

void TextureData::CheckCreateTextures(MemoryImage* image, Platform::Device3D& device,
                                      Platform::DirectDraw* directDraw) {
    if (mPixelFormat == 0 || image->mWidth != mImageWidth || image->mHeight != mImageHeight ||
        image->mBitsChangedCount != mBitsChangedCount || image->mTextureFlags != mImageFlags) {
        CreateTextures(image, device, directDraw);
    }
}

TexturePiece* TextureData::GetTexture(int x, int y, int& width, int& height, float& leftU,
                                      float& topV, float& rightU, float& bottomV) {
    const int column = x / mPieceWidth;
    const int row = y / mPieceHeight;
    TexturePiece& piece = mPieces[static_cast<size_t>(row * mColumns + column)];
    const int localX = x % mPieceWidth;
    const int localY = y % mPieceHeight;
    const int right = std::min(localX + width, piece.mWidth);
    const int bottom = std::min(localY + height, piece.mHeight);
    width = right - localX;
    height = bottom - localY;
    const auto pieceWidth = static_cast<float>(piece.mWidth);
    const auto pieceHeight = static_cast<float>(piece.mHeight);
    leftU = static_cast<float>(localX) / pieceWidth;
    topV = static_cast<float>(localY) / pieceHeight;
    rightU = static_cast<float>(right) / pieceWidth;
    bottomV = static_cast<float>(bottom) / pieceHeight;
    return &piece;
}

void D3DInterface::CopyImageToTexture(Texture3D* texture, MemoryImage* image, int x, int y) {
    if (texture == nullptr) {
        return;
    }
    Platform::SurfaceDesc desc;
    if (CheckD3DError(texture->Lock(desc, Platform::kLockWait), "Lock Texture")) {
        return;
    }
    const int width = std::min(desc.width, image->mWidth - x);
    const int height = std::min(desc.height, image->mHeight - y);
    auto* texels = static_cast<uint8_t*>(desc.bits);
    if (width < desc.width || height < desc.height) {
        std::memset(texels, 0, static_cast<size_t>(desc.pitch) * static_cast<size_t>(desc.height));
    }
    const int format = texture->GetFormat();
    const bool palettised = image->IsPalettised();
    const uint32_t* bits = palettised ? nullptr : image->GetBits();
    for (int row = 0; row < height; ++row) {
        const size_t from = static_cast<size_t>(y + row) * static_cast<size_t>(image->mWidth) +
                            static_cast<size_t>(x);
        uint8_t* to = texels + static_cast<size_t>(row) * static_cast<size_t>(desc.pitch);
        for (int i = 0; i < width; ++i) {
            if (format == Platform::kTexFormatPalette8) {
                to[i] = image->mColorIndices[from + static_cast<size_t>(i)];
                continue;
            }
            const uint32_t argb = palettised ? image->mColorTable[image->mColorIndices[from + i]]
                                             : bits[from + static_cast<size_t>(i)];
            if (format == Platform::kTexFormatA8R8G8B8) {
                reinterpret_cast<uint32_t*>(to)[i] = argb;
            } else if (format == Platform::kTexFormatA4R4G4B4) {
                reinterpret_cast<uint16_t*>(to)[i] = ToA4R4G4B4(argb);
            } else {
                reinterpret_cast<uint16_t*>(to)[i] = ToR5G6B5(argb);
            }
        }
    }
    (void)CheckD3DError(texture->Unlock(), "Texture Unlock");
}

bool D3DInterface::CopyTexturesToBits(MemoryImage* image) {
    TextureData* data = image->mTextureData;
    if (data == nullptr) {
        return false;
    }
    if (!image->mBits) {
        const size_t pixels =
            static_cast<size_t>(image->mWidth) * static_cast<size_t>(image->mHeight);
        image->mBits = MakePixelWords(pixels + 1);
        image->mBits[pixels] = MemoryImage::kSentinel;
    }
    uint32_t* bits = image->mBits.get();
    for (int row = 0; row < data->mRows; ++row) {
        for (int column = 0; column < data->mColumns; ++column) {
            const TexturePiece& piece =
                data->mPieces[static_cast<size_t>(row * data->mColumns + column)];
            if (piece.mTexture == nullptr) {
                continue;
            }
            Platform::SurfaceDesc desc;
            if (CheckD3DError(piece.mTexture->Lock(desc, Platform::kLockWait), "Lock Texture")) {
                return false;
            }
            uint32_t palette[256] = {};
            const int format = piece.mTexture->GetFormat();
            if (format == Platform::kTexFormatPalette8 && piece.mTexture->GetPalette()) {
                (void)piece.mTexture->GetPalette()->GetEntries(0, 256, palette);
            }
            const int x = column * data->mPieceWidth;
            const int y = row * data->mPieceHeight;
            const int width = std::min(desc.width, image->mWidth - x);
            const int height = std::min(desc.height, image->mHeight - y);
            for (int j = 0; j < height; ++j) {
                const uint8_t* from = static_cast<const uint8_t*>(desc.bits) +
                                      static_cast<size_t>(j) * static_cast<size_t>(desc.pitch);
                uint32_t* to = bits + static_cast<size_t>(y + j) * image->mWidth + x;
                for (int i = 0; i < width; ++i) {
                    switch (format) {
                    case Platform::kTexFormatA8R8G8B8:
                        to[i] = reinterpret_cast<const uint32_t*>(from)[i];
                        break;
                    case Platform::kTexFormatA4R4G4B4:
                        to[i] = FromA4R4G4B4(reinterpret_cast<const uint16_t*>(from)[i]);
                        break;
                    case Platform::kTexFormatR5G6B5:
                        to[i] = FromR5G6B5(reinterpret_cast<const uint16_t*>(from)[i]);
                        break;
                    default:
                        to[i] = palette[from[i]];
                        break;
                    }
                }
            }
            (void)CheckD3DError(piece.mTexture->Unlock(), "Texture Unlock");
        }
    }
    return true;
}

void D3DInterface::RemoveImageData(MemoryImage* image) {
    if (image->mTextureData != nullptr) {
        delete image->mTextureData;
        image->mTextureData = nullptr;
    }
    mTexturedImages.erase(image);
}

} // namespace Vuro
