// Matrix and textured-triangle drawing of the in-memory image, handed to the triangle
// rasteriser through the two shared helpers.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/SWTri.h"
#include "framework/util/Matrix.h"

namespace Vuro {

namespace {

PixelFormatCode FormatOf(const MemoryImage& image) {
    return image.mForcedMode && !image.mHasAlpha && !image.mHasTrans ? kPixelFormat888
                                                                     : kPixelFormat8888;
}

} // namespace

void MemoryImage::BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix,
                            const Rect& clipRect, const Color& color, DrawMode mode,
                            const Rect& srcRect, bool blend) {
    uint32_t* bits = GetBits();
    BltMatrixHelper(image, x, y, matrix, clipRect.Intersection(Bounds()), color, mode, srcRect,
                    bits, mWidth * 4, FormatOf(*this), blend);
    OnBitsChanged();
}

void MemoryImage::BltTrianglesTex(Image* texture, const TexVertex (*triangles)[3], int count,
                                  const Rect& clipRect, const Color& color, DrawMode mode, float tx,
                                  float ty, bool blend) {
    uint32_t* bits = GetBits();
    BltTrianglesTexHelper(texture, triangles, count, clipRect.Intersection(Bounds()), color, mode,
                          bits, mWidth * 4, FormatOf(*this), tx, ty, blend);
    OnBitsChanged();
}

void MemoryImage::BltMatrixHelper(Image* image, float x, float y, const Matrix3x3& matrix,
                                  const Rect& clipRect, const Color& color, DrawMode mode,
                                  const Rect& srcRect, void* surface, int pitch,
                                  PixelFormatCode format, bool blend) {
    auto* texture = dynamic_cast<MemoryImage*>(image);
    if (texture == nullptr || texture->mWidth <= 0 || texture->mHeight <= 0) {
        return;
    }
    // One quad centred on the origin, in strip order, through the matrix, then placed so that
    // pixel centres sample texel centres.
    const auto w = static_cast<float>(srcRect.mWidth);
    const auto h = static_cast<float>(srcRect.mHeight);
    const auto imageWidth = static_cast<float>(texture->mWidth);
    const auto imageHeight = static_cast<float>(texture->mHeight);
    const float u0 = static_cast<float>(srcRect.mX) / imageWidth;
    const float v0 = static_cast<float>(srcRect.mY) / imageHeight;
    const float u1 = (static_cast<float>(srcRect.mX) + w) / imageWidth;
    const float v1 = (static_cast<float>(srcRect.mY) + h) / imageHeight;
    TexVertex quad[4] = {{-w / 2, -h / 2, u0, v0, 0xFFFFFFFF},
                         {w / 2, -h / 2, u1, v0, 0xFFFFFFFF},
                         {-w / 2, h / 2, u0, v1, 0xFFFFFFFF},
                         {w / 2, h / 2, u1, v1, 0xFFFFFFFF}};
    for (TexVertex& corner : quad) {
        const Vector2 p = matrix.TransformVector2({corner.mX, corner.mY});
        corner.mX = p.x + x - 0.5f;
        corner.mY = p.y + y - 0.5f;
    }
    SWTriDrawTriangle(quad, 4, texture, color, mode, clipRect, surface, pitch, format, blend);
}

void MemoryImage::BltTrianglesTexHelper(Image* texture, const TexVertex (*triangles)[3], int count,
                                        const Rect& clipRect, const Color& color, DrawMode mode,
                                        void* surface, int pitch, PixelFormatCode format, float tx,
                                        float ty, bool blend) {
    // Only in-memory images are textures; without one the triangles are drawn in colour alone.
    auto* memoryTexture = dynamic_cast<MemoryImage*>(texture);
    if ((texture != nullptr && memoryTexture == nullptr) || triangles == nullptr) {
        return;
    }
    const uint32_t drawColor = color.ToInt();
    for (int i = 0; i < count; ++i) {
        TexVertex triangle[3];
        for (int k = 0; k < 3; ++k) {
            triangle[k] = triangles[i][k];
            triangle[k].mX += tx;
            triangle[k].mY += ty;
            if (triangle[k].mColor == 0) {
                triangle[k].mColor = drawColor;
            }
        }
        SWTriDrawTriangle(triangle, 3, memoryTexture, color, mode, clipRect, surface, pitch, format,
                          blend);
    }
}

} // namespace Vuro
