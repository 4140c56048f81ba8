#pragma once
// The base of every image: its size, the cel layout of a sprite sheet, an optional animation
// record, and the fifteen virtual drawing operations the drawing context calls. Every drawing
// operation of this base draws nothing, except DrawRect and FillScanLines, which are built on
// FillRect; a plain Image is therefore a valid "draw nowhere" destination.
//
// The slot order of the virtual operations is fixed: derived images (in-memory, display)
// extend it and must keep it.

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/graphics/Rect.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Vuro {

class Matrix3x3;

// Animation record of a sprite sheet. Only the resource manager fills it; images copy it
// deeply and free it with themselves.
struct AnimationInfo {
    int32_t mAnimType = 0;
    int32_t mFrameDelay = 0;
    int32_t mNumCels = 0;
    uint8_t mBeginDelayFlag = 0;
    std::vector<int32_t> mPerFrameDelay;
    uint8_t mEndDelayFlag = 0;
    std::vector<uint32_t> mFrameMap;
    int32_t mTotalAnimTime = 0;
};

class Image {
public:
    Image();
    // Copies everything, the animation record deeply.
    Image(const Image& other);
    // Takes the cel layout and animation record only; width and height stay as they are.
    Image& operator=(const Image& other);
    virtual ~Image();

    // Filled polygon through the 3-D device; false when this image cannot draw it.
    virtual bool FillPolygon3D(const Point* points, int count, const Rect* clipRect,
                               const Color& color, DrawMode mode, int tx, int ty);
    virtual void FillRect(const Rect& rect, const Color& color, DrawMode mode);
    // Outline of (width + 1) x (height + 1) pixels as four FillRects.
    virtual void DrawRect(const Rect& rect, const Color& color, DrawMode mode);
    virtual void ClearRect(const Rect& rect);
    virtual void DrawLine(double x1, double y1, double x2, double y2, const Color& color,
                          DrawMode mode);
    // One FillRect (x, y, width, 1) per span.
    virtual void FillScanLines(const ScanSpan* spans, int count, const Color& color, DrawMode mode);
    virtual void Blt(Image* image, int x, int y, const Rect& srcRect, const Color& color,
                     DrawMode mode);
    virtual void BltSubpixel(Image* image, float x, float y, const Rect& srcRect,
                             const Rect& clipRect, const Color& color, DrawMode mode);
    virtual void BltRotated(Image* image, float x, float y, const Rect& srcRect,
                            const Rect& clipRect, const Color& color, DrawMode mode, double angle,
                            float centerX, float centerY);
    virtual void StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect,
                            const Rect& clipRect, const Color& color, DrawMode mode,
                            bool fastStretch);
    virtual void BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix,
                           const Rect& clipRect, const Color& color, DrawMode mode,
                           const Rect& srcRect, bool blend);
    virtual void BltTrianglesTex(Image* texture, const TexVertex (*triangles)[3], int count,
                                 const Rect& clipRect, const Color& color, DrawMode mode, float tx,
                                 float ty, bool blend);
    // Mirrored left to right.
    virtual void BltMirror(Image* image, int x, int y, const Rect& srcRect, const Color& color,
                           DrawMode mode);
    virtual void StretchBltMirror(Image* image, const Rect& destRect, const Rect& srcRect,
                                  const Rect& clipRect, const Color& color, DrawMode mode,
                                  bool fastStretch);

    int GetWidth() const { return mWidth; }
    int GetHeight() const { return mHeight; }
    // Cel (col, row) of the sprite sheet: cels are width / numCols by height / numRows.
    Rect GetCelRect(int col, int row) const;

    int mWidth = 0;
    int mHeight = 0;
    int mNumRows = 1;
    int mNumCols = 1;
    std::unique_ptr<AnimationInfo> mAnimInfo; // may be null
};

} // namespace Vuro
