// Matrix and textured-triangle drawing of the in-memory image, handed to the triangle
// rasteriser through the two shared helpers.

#include "framework/graphics/MemoryImage.h"

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

// The triangle rasteriser fills these two in; until then they draw nothing.
void MemoryImage::BltMatrixHelper(Image*, float, float, const Matrix3x3&, const Rect&, const Color&,
                                  DrawMode, const Rect&, void*, int, PixelFormatCode, bool) {}

void MemoryImage::BltTrianglesTexHelper(Image*, const TexVertex (*)[3], int, const Rect&,
                                        const Color&, DrawMode, void*, int, PixelFormatCode, float,
                                        float, bool) {}

} // namespace Vuro
