// Where each drawing operation of a display image happens: on the 3-D screen through the 3-D
// device, by a device blit between surfaces, in software on the locked surface (DDImageFill,
// DDImageBlt, DDImageTransform), or in the bits through the in-memory image.
//
// Surface-drawable: not asked to draw in memory, no partly transparent pixels, no fully
// transparent ones (unless keyed from the first pixel), and not on the 3-D display. Strictly:
// no fully transparent pixels at all.
//
// Every path keeps to its inputs: an operation takes the surface path only when the surface
// exists (else the picture would be dropped with the bits and nothing drawn); rectangles are
// kept to both images; the fast stretch needs a destination surface and a source rectangle
// inside its image; the matrix and triangle paths drop the bits they leave stale.

#include "framework/display/DDImage.h"

#include "framework/display/D3DInterface.h"
#include "framework/display/DDInterface.h"
#include "framework/graphics/BltClip.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

namespace {

D3DDrawCall Call(D3DDrawCall::Op op, Image* image, const Rect& srcRect, const Color& color,
                 DrawMode mode) {
    D3DDrawCall call;
    call.mOp = op;
    call.mImage = image;
    call.mSrcRect = srcRect;
    call.mColor = color;
    call.mMode = mode;
    return call;
}

bool IsDrawMode(DrawMode mode) {
    return mode == kDrawModeNormal || mode == kDrawModeAdditive;
}

} // namespace

bool DDImage::SurfaceDrawable() const {
    return mDDInterface != nullptr && !mDrawInMemory && !mHasAlpha &&
           (!mHasTrans || mFirstPixelKey) && !mDDInterface->mIs3D;
}

bool DDImage::StrictlySurfaceDrawable() const {
    return SurfaceDrawable() && !mHasTrans;
}

void DDImage::EndScene3D() {
    if (Check3D()) {
        mDDInterface->mD3DInterface->EndScene();
    }
}

bool DDImage::Draw3D(const D3DDrawCall& call) {
    if (!mDDInterface->mD3DInterface->Draw(call)) {
        return false;
    }
    // As after drawing in software on a surface: the bits no longer show the picture.
    DeleteMemoryBuffers();
    return true;
}

void DDImage::DeviceBlt(DDImage* source, const Platform::SurfaceRect& from,
                        const Platform::SurfaceRect& to) {
    Platform::Surface* sourceSurface = source->GetSurface();
    if (mSurface == nullptr || sourceSurface == nullptr) {
        return;
    }
    EndScene3D();
    if (mLockCount > 0) {
        (void)mSurface->Unlock();
    }
    const uint32_t flags = Platform::kBltWait | (source->mHasTrans ? Platform::kBltKeySrc : 0);
    (void)mSurface->Blt(&to, sourceSurface, &from, flags);
    if (mLockCount > 0) {
        (void)mSurface->Lock(mLockedSurfaceDesc, Platform::kLockWait);
    }
}

bool DDImage::FillPolygon3D(const Point* points, int count, const Rect* clipRect,
                            const Color& color, DrawMode mode, int tx, int ty) {
    if (!Check3D()) {
        return false;
    }
    D3DDrawCall call = Call(D3DDrawCall::Op::FillPoly, nullptr, Rect(), color, mode);
    call.mPoints = points;
    call.mCount = count;
    call.mClipRect = clipRect != nullptr ? *clipRect : Rect(0, 0, mWidth, mHeight);
    call.mX = static_cast<float>(tx);
    call.mY = static_cast<float>(ty);
    return Draw3D(call);
}

void DDImage::FillRect(const Rect& rect, const Color& color, DrawMode mode) {
    if (Check3D()) {
        D3DDrawCall call = Call(D3DDrawCall::Op::FillRect, nullptr, Rect(), color, mode);
        call.mDestRect = rect;
        if (Draw3D(call)) {
            return;
        }
    }
    ApplyBits();
    if (!SurfaceDrawable() || GetSurface() == nullptr) {
        MemoryImage::FillRect(rect, color, mode);
        return;
    }
    const Rect inside = rect.Intersection(Rect(0, 0, mWidth, mHeight));
    if (!inside.IsEmpty() && mode == kDrawModeNormal) {
        NormalFillRect(inside, color.Clamped());
    } else if (!inside.IsEmpty() && mode == kDrawModeAdditive) {
        AdditiveFillRect(inside, color.Clamped());
    }
    DeleteMemoryBuffers();
}

void DDImage::DrawLine(double x1, double y1, double x2, double y2, const Color& color,
                       DrawMode mode) {
    if (Check3D()) {
        D3DDrawCall call = Call(D3DDrawCall::Op::DrawLine, nullptr, Rect(), color, mode);
        call.mX1 = x1;
        call.mY1 = y1;
        call.mX2 = x2;
        call.mY2 = y2;
        if (Draw3D(call)) {
            return;
        }
    }
    if (!StrictlySurfaceDrawable() || GetSurface() == nullptr || std::isnan(x1 + y1 + x2 + y2)) {
        MemoryImage::DrawLine(x1, y1, x2, y2, color, mode);
        return;
    }
    // Far-away end points are held where truncation stays defined.
    constexpr double kLimit = 1 << 24;
    x1 = std::clamp(x1, -kLimit, kLimit);
    y1 = std::clamp(y1, -kLimit, kLimit);
    x2 = std::clamp(x2, -kLimit, kLimit);
    y2 = std::clamp(y2, -kLimit, kLimit);
    if (y1 == y2) {
        const int left = static_cast<int>(std::min(x1, x2));
        FillRect(Rect(left, static_cast<int>(y1), static_cast<int>(std::max(x1, x2)) - left + 1,
                      static_cast<int>(y2 - y1 + 1.0)),
                 color, mode);
        return;
    }
    if (x1 == x2) {
        const int top = static_cast<int>(std::min(y1, y2));
        FillRect(Rect(static_cast<int>(x1), top, static_cast<int>(x2 - x1 + 1.0),
                      static_cast<int>(std::max(y1, y2)) - top + 1),
                 color, mode);
        return;
    }
    ApplyBits();
    if (mode == kDrawModeNormal) {
        NormalDrawLine(x1, y1, x2, y2, color.Clamped());
    } else if (mode == kDrawModeAdditive) {
        AdditiveDrawLine(x1, y1, x2, y2, color.Clamped());
    }
    DeleteMemoryBuffers();
}

void DDImage::Blt(Image* image, int x, int y, const Rect& srcRect, const Color& color,
                  DrawMode mode) {
    ApplyBits();
    auto* sourceImage = dynamic_cast<DDImage*>(image);
    if (Check3D()) {
        if (sourceImage != nullptr && sourceImage->GetSurface() != nullptr &&
            mode == kDrawModeNormal && color == Color::White && !sourceImage->mHasAlpha) {
            DeviceBlt(
                sourceImage,
                {srcRect.mX, srcRect.mY, srcRect.mX + srcRect.mWidth, srcRect.mY + srcRect.mHeight},
                {x, y, x + srcRect.mWidth, y + srcRect.mHeight});
            return;
        }
        D3DDrawCall call = Call(D3DDrawCall::Op::Blt, image, srcRect, color, mode);
        call.mX = static_cast<float>(x);
        call.mY = static_cast<float>(y);
        if (Draw3D(call)) {
            return;
        }
    }
    const bool cursorArea =
        mDDInterface != nullptr && (this == mDDInterface->mOldCursorAreaImage.get() ||
                                    this == mDDInterface->mNewCursorAreaImage.get());
    const bool drawable = mDDInterface != nullptr && !mDrawInMemory && !mHasAlpha &&
                          (!mHasTrans || mFirstPixelKey) && (!mDDInterface->mIs3D || cursorArea);
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (!drawable || GetSurface() == nullptr) {
        MemoryImage::Blt(image, x, y, srcRect, color, mode);
        return;
    }
    if (source != nullptr && IsDrawMode(mode)) {
        // Kept to both images, each cut carried over to the other.
        const Rect inSource = srcRect.Intersection(Rect(0, 0, source->mWidth, source->mHeight));
        const int destX = x + (inSource.mX - srcRect.mX);
        const int destY = y + (inSource.mY - srcRect.mY);
        const Rect dest = Rect(destX, destY, inSource.mWidth, inSource.mHeight)
                              .Intersection(Rect(0, 0, mWidth, mHeight));
        if (!inSource.IsEmpty() && !dest.IsEmpty()) {
            const Rect from(inSource.mX + dest.mX - destX, inSource.mY + dest.mY - destY,
                            dest.mWidth, dest.mHeight);
            if (mode == kDrawModeNormal) {
                NormalBlt(image, dest.mX, dest.mY, from, color.Clamped());
            } else {
                AdditiveBlt(image, dest.mX, dest.mY, from, color.Clamped());
            }
        }
    }
    DeleteMemoryBuffers();
}

void DDImage::BltSubpixel(Image* image, float x, float y, const Rect& srcRect, const Rect& clipRect,
                          const Color& color, DrawMode mode) {
    if (Check3D()) {
        const double left = std::max<double>(x, clipRect.mX);
        const double right =
            std::min<double>(double(x) + srcRect.mWidth, double(clipRect.mX) + clipRect.mWidth);
        const double top = std::max<double>(y, clipRect.mY);
        const double bottom =
            std::min<double>(double(y) + srcRect.mHeight, double(clipRect.mY) + clipRect.mHeight);
        double width = right - left;
        double height = bottom - top;
        if (width < 0 || height < 0) {
            width = height = 0;
        }
        if (width <= 0 || height <= 0) {
            return;
        }
        const bool whole = width == srcRect.mWidth && height == srcRect.mHeight;
        D3DDrawCall call = Call(whole ? D3DDrawCall::Op::Blt : D3DDrawCall::Op::BltClipF, image,
                                srcRect, color, mode);
        call.mX = x;
        call.mY = y;
        call.mClipRect = clipRect;
        call.mLinearFilter = whole;
        if (Draw3D(call)) {
            return;
        }
    }
    BltRotated(image, x, y, srcRect, clipRect, color, mode, 0.0, 0.0f, 0.0f);
}

void DDImage::BltRotated(Image* image, float x, float y, const Rect& srcRect, const Rect& clipRect,
                         const Color& color, DrawMode mode, double angle, float centerX,
                         float centerY) {
    if (mVideoMemoryOnly) {
        return;
    }
    ApplyBits();
    if (Check3D()) {
        D3DDrawCall call = Call(D3DDrawCall::Op::BltRotated, image, srcRect, color, mode);
        call.mX = x;
        call.mY = y;
        call.mClipRect = clipRect;
        call.mAngle = angle;
        call.mCenterX = centerX;
        call.mCenterY = centerY;
        if (Draw3D(call)) {
            return;
        }
    }
    if (!SurfaceDrawable() || GetSurface() == nullptr) {
        MemoryImage::BltRotated(image, x, y, srcRect, clipRect, color, mode, angle, centerX,
                                centerY);
        return;
    }
    RotatedBltOnSurface(image, x, y, srcRect, clipRect, color, mode, angle, centerX, centerY);
    DeleteMemoryBuffers();
}

bool DDImage::StretchBlt3D(Image* image, const Rect& destRect, const Rect& srcRect,
                           const Rect& clipRect, const Color& color, DrawMode mode,
                           bool fastStretch, bool mirror) {
    ApplyBits();
    if (!Check3D()) {
        return false;
    }
    D3DDrawCall call = Call(D3DDrawCall::Op::StretchBlt, image, srcRect, color, mode);
    call.mDestRect = destRect;
    call.mClipRect = clipRect;
    call.mFastStretch = fastStretch;
    call.mMirror = mirror;
    return Draw3D(call);
}

void DDImage::StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect,
                         const Rect& clipRect, const Color& color, DrawMode mode,
                         bool fastStretch) {
    if (StretchBlt3D(image, destRect, srcRect, clipRect, color, mode, fastStretch, false)) {
        return;
    }
    DoubleRect from;
    Rect to;
    if (!ClipStretchRects(srcRect, clipRect.Intersection(Rect(0, 0, mWidth, mHeight)), destRect,
                          from, to)) {
        return;
    }
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (!fastStretch) {
        if (!StrictlySurfaceDrawable() || GetSurface() == nullptr) {
            MemoryImage::StretchBlt(image, destRect, srcRect, clipRect, color, mode, false);
            return;
        }
        MemoryImage stretched(mApp);
        stretched.Create(to.mWidth, to.mHeight);
        stretched.SlowStretchBlt(image, Rect(0, 0, to.mWidth, to.mHeight), from);
        Blt(&stretched, to.mX, to.mY, Rect(0, 0, to.mWidth, to.mHeight), color, mode);
        DeleteMemoryBuffers();
        return;
    }
    if (!SurfaceDrawable() || GetSurface() == nullptr) {
        MemoryImage::StretchBlt(image, destRect, srcRect, clipRect, color, mode, true);
        return;
    }
    auto* sourceImage = dynamic_cast<DDImage*>(image);
    const Platform::SurfaceRect fromRect{static_cast<int>(from.mX), static_cast<int>(from.mY),
                                         static_cast<int>(from.mX + from.mWidth),
                                         static_cast<int>(from.mY + from.mHeight)};
    if (sourceImage != nullptr && color == Color::White && mode == kDrawModeNormal &&
        !sourceImage->mHasAlpha && fromRect.left >= 0 && fromRect.top >= 0 &&
        fromRect.right <= sourceImage->mWidth && fromRect.bottom <= sourceImage->mHeight &&
        fromRect.right > fromRect.left && fromRect.bottom > fromRect.top &&
        sourceImage->GetSurface() != nullptr) {
        DeviceBlt(sourceImage, fromRect, {to.mX, to.mY, to.mX + to.mWidth, to.mY + to.mHeight});
    } else if (source != nullptr) {
        NearestStretchOnSurface(source, to, from, color.Clamped(), mode, false);
    }
    DeleteMemoryBuffers();
}

void DDImage::StretchBltMirror(Image* image, const Rect& destRect, const Rect& srcRect,
                               const Rect& clipRect, const Color& color, DrawMode mode,
                               bool fastStretch) {
    if (StretchBlt3D(image, destRect, srcRect, clipRect, color, mode, fastStretch, true)) {
        return;
    }
    DoubleRect from;
    Rect to;
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (GetSurface() == nullptr ||
        !ClipMirrorStretchRects(srcRect, clipRect.Intersection(Rect(0, 0, mWidth, mHeight)),
                                destRect, from, to)) {
        return;
    }
    if (source != nullptr) {
        NearestStretchOnSurface(source, to, from, color.Clamped(), mode, true);
    }
    DeleteMemoryBuffers();
}

void DDImage::BltMirror(Image* image, int x, int y, const Rect& srcRect, const Color& color,
                        DrawMode mode) {
    ApplyBits();
    if (Check3D()) {
        D3DDrawCall call = Call(D3DDrawCall::Op::BltMirror, image, srcRect, color, mode);
        call.mX = static_cast<float>(x);
        call.mY = static_cast<float>(y);
        if (Draw3D(call)) {
            return;
        }
    }
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (GetSurface() == nullptr) {
        return;
    }
    if (source != nullptr) {
        // Kept to both images: columns cut on the source's right come off the destination's
        // left, as the mirror reverses them.
        const Rect inSource = srcRect.Intersection(Rect(0, 0, source->mWidth, source->mHeight));
        const int destX = x + (srcRect.mX + srcRect.mWidth - inSource.mX - inSource.mWidth);
        const int destY = y + (inSource.mY - srcRect.mY);
        const Rect dest = Rect(destX, destY, inSource.mWidth, inSource.mHeight)
                              .Intersection(Rect(0, 0, mWidth, mHeight));
        if (!inSource.IsEmpty() && !dest.IsEmpty()) {
            const Rect from(inSource.mX + (destX + inSource.mWidth) - (dest.mX + dest.mWidth),
                            inSource.mY + dest.mY - destY, dest.mWidth, dest.mHeight);
            if (mode == kDrawModeNormal) {
                NormalBltMirror(image, dest.mX, dest.mY, from, color.Clamped());
            } else if (mode == kDrawModeAdditive) {
                AdditiveBltMirror(image, dest.mX, dest.mY, from, color.Clamped());
            }
        }
    }
    DeleteMemoryBuffers();
}

PixelFormatCode DDImage::SurfaceFormatCode() const {
    const Platform::PixelFormat& format = mLockedSurfaceDesc.pixelFormat;
    if (format.bitCount == 32) {
        return kPixelFormat888;
    }
    if (format == Platform::kFormat565) {
        return kPixelFormat565;
    }
    if (format == Platform::kFormat555) {
        return kPixelFormat555;
    }
    return 0;
}

void DDImage::BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix,
                        const Rect& clipRect, const Color& color, DrawMode mode,
                        const Rect& srcRect, bool blend) {
    if (Check3D()) {
        D3DDrawCall call = Call(D3DDrawCall::Op::BltTransformed, image, srcRect, color, mode);
        call.mX = x;
        call.mY = y;
        call.mMatrix = &matrix;
        call.mClipRect = clipRect;
        call.mBlend = blend;
        if (Draw3D(call)) {
            return;
        }
    }
    if (GetSurface() == nullptr || !LockSurface()) {
        MemoryImage::BltMatrix(image, x, y, matrix, clipRect, color, mode, srcRect, blend);
        return;
    }
    const PixelFormatCode format = SurfaceFormatCode();
    if (format != 0) {
        BltMatrixHelper(image, x, y, matrix, clipRect.Intersection(Rect(0, 0, mWidth, mHeight)),
                        color, mode, srcRect, mLockedSurfaceDesc.bits, mLockedSurfaceDesc.pitch,
                        format, blend);
    }
    UnlockSurface();
    DeleteMemoryBuffers();
}

void DDImage::BltTrianglesTex(Image* texture, const TexVertex (*triangles)[3], int count,
                              const Rect& clipRect, const Color& color, DrawMode mode, float tx,
                              float ty, bool blend) {
    if (Check3D()) {
        D3DDrawCall call = Call(D3DDrawCall::Op::DrawTrianglesTex, texture, Rect(), color, mode);
        call.mTriangles = triangles;
        call.mCount = count;
        call.mX = tx;
        call.mY = ty;
        call.mBlend = blend;
        if (Draw3D(call)) {
            return;
        }
    }
    if (GetSurface() == nullptr || !LockSurface()) {
        MemoryImage::BltTrianglesTex(texture, triangles, count, clipRect, color, mode, tx, ty,
                                     blend);
        return;
    }
    const PixelFormatCode format = SurfaceFormatCode();
    if (format != 0) {
        BltTrianglesTexHelper(
            texture, triangles, count, clipRect.Intersection(Rect(0, 0, mWidth, mHeight)), color,
            mode, mLockedSurfaceDesc.bits, mLockedSurfaceDesc.pitch, format, tx, ty, blend);
    }
    UnlockSurface();
    DeleteMemoryBuffers();
}

} // namespace Vuro
