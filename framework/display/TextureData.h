#pragma once
// What the display keeps of an image drawn in 3-D: a grid of texture pieces that together hold
// the image, each within the device's limits (D3DInterface::ChooseTextureSize), and the
// piecewise drawing of quads and triangles over them.
//
// - Pieces are kept row by row, columns x rows; the last column and row have sizes of their
//   own. A piece's texture is null when it could not be made: it is skipped when drawing.
// - Textures are refilled only when the image's change count, size or texture flags changed
//   (CheckCreateTextures); a palettised image's pieces always get its present palette.
// - mTexMemSize and mPixelFormat are what the developer tools report.
//
// The image's texture flags: bit 0 power-of-two pieces instead of the good-size table; bit 1
// pieces of 64 x 64; bit 2 prefer A4R4G4B4 to A8R8G8B8; bit 3 never R5G6B5.

#include "framework/graphics/Rect.h"
#include "platform/Direct3D.h"

#include <memory>
#include <vector>

namespace Vuro {

class Matrix3x3;
class MemoryImage;
struct TexVertex;

struct TexturePiece {
    std::shared_ptr<Platform::Texture3D> mTexture; // null when its creation failed
    int mWidth = 0;
    int mHeight = 0;
};

class TextureData {
public:
    // Texture format codes.
    static constexpr int kFormatA8R8G8B8 = Platform::kTexFormatA8R8G8B8;
    static constexpr int kFormatA4R4G4B4 = Platform::kTexFormatA4R4G4B4;
    static constexpr int kFormatR5G6B5 = Platform::kTexFormatR5G6B5;
    static constexpr int kFormatPalette8 = Platform::kTexFormatPalette8;

    // "A8R8G8B8", "A4R4G4B4", "R5G6B5" or "Palette8"; empty for any other code.
    static const char* FormatName(int format);

    // The grid for an image of this size and these texture flags (no textures made).
    void ComputeTexturePieces(int imageWidth, int imageHeight, int imageFlags);
    // Makes (or refills) the textures of the image on the device; the palette is made on the
    // device's 2-D object.
    void CreateTextures(MemoryImage* image, Platform::Device3D& device,
                        Platform::DirectDraw* directDraw);
    // CreateTextures when nothing valid is built or the image changed since.
    void CheckCreateTextures(MemoryImage* image, Platform::Device3D& device,
                             Platform::DirectDraw* directDraw);
    void ReleaseTextures();

    // The piece holding (x, y) and the part of the w x h area from there that lies in it:
    // w and h are cut to the piece, the texture coordinates of the part come back.
    TexturePiece* GetTexture(int x, int y, int& width, int& height, float& leftU, float& topV,
                             float& rightU, float& bottomV);

    // [Drawing: TextureDataDraw.cpp] Quads of the source rectangle piece by piece, each with
    // the packed colour: at (x, y), through a matrix (the rectangle's own coordinates, top-left
    // at 0, 0) cut to the clip rectangle when one is given, and textured triangles whose
    // texture coordinates span the whole image (0..1).
    void Blt(Platform::Device3D& device, float x, float y, const Rect& srcRect, uint32_t color);
    void BltTransformed(Platform::Device3D& device, const Matrix3x3& matrix, const Rect& srcRect,
                        uint32_t color, const Rect* clipRect);
    void BltTriangles(Platform::Device3D& device, const TexVertex (*triangles)[3], int count,
                      uint32_t color, float tx, float ty);

    std::vector<TexturePiece> mPieces;
    std::shared_ptr<Platform::Palette> mPalette;
    int mImageWidth = 0;
    int mImageHeight = 0;
    int mColumns = 0;
    int mRows = 0;
    int mPieceWidth = 64;
    int mPieceHeight = 64;
    int mBitsChangedCount = 0; // the image's change count at the last fill
    int mTexMemSize = 0;       // bytes of texture memory, a palette's 1024 included
    float mMaxU = 0;           // image size / regular piece size
    float mMaxV = 0;
    int mPixelFormat = 0; // one of the codes above; 0 = no valid textures
    int mImageFlags = 0;  // the image's texture flags at the last build
};

// Texel conversions of a 0xAARRGGBB pixel: the top bits of each channel kept.
uint16_t ToA4R4G4B4(uint32_t argb);
uint16_t ToR5G6B5(uint32_t argb);
// And back: 4-bit channels widened by 17 (0xF -> 0xFF); 5- and 6-bit channels moved to the
// top of their byte, alpha 255.
uint32_t FromA4R4G4B4(uint16_t texel);
uint32_t FromR5G6B5(uint16_t texel);

} // namespace Vuro
