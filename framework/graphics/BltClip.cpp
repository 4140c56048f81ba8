#include "framework/graphics/BltClip.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

namespace {

bool ClipStretch(const DoubleRect& src, const Rect& clipRect, const Rect& dest, bool mirror,
                 DoubleRect& clippedSrc, Rect& clippedDest) {
    clippedDest = dest.Intersection(clipRect);
    if (clippedDest.IsEmpty()) {
        return false;
    }
    const double skippedX =
        mirror ? double(dest.mX + dest.mWidth) - double(clippedDest.mX + clippedDest.mWidth)
               : double(clippedDest.mX - dest.mX);
    clippedSrc.mX = src.mX + skippedX * src.mWidth / dest.mWidth;
    clippedSrc.mY = src.mY + double(clippedDest.mY - dest.mY) * src.mHeight / dest.mHeight;
    clippedSrc.mWidth =
        src.mWidth + double(clippedDest.mWidth - dest.mWidth) * src.mWidth / dest.mWidth;
    clippedSrc.mHeight =
        src.mHeight + double(clippedDest.mHeight - dest.mHeight) * src.mHeight / dest.mHeight;
    return clippedSrc.mWidth > 0 && clippedSrc.mHeight > 0;
}

DoubleRect ToDouble(const Rect& r) {
    return DoubleRect{double(r.mX), double(r.mY), double(r.mWidth), double(r.mHeight)};
}

} // namespace

bool ClipStretchRects(const DoubleRect& srcRect, const Rect& clipRect, const Rect& destRect,
                      DoubleRect& clippedSrc, Rect& clippedDest) {
    return ClipStretch(srcRect, clipRect, destRect, false, clippedSrc, clippedDest);
}

bool ClipStretchRects(const Rect& srcRect, const Rect& clipRect, const Rect& destRect,
                      DoubleRect& clippedSrc, Rect& clippedDest) {
    return ClipStretch(ToDouble(srcRect), clipRect, destRect, false, clippedSrc, clippedDest);
}

bool ClipMirrorStretchRects(const Rect& srcRect, const Rect& clipRect, const Rect& destRect,
                            DoubleRect& clippedSrc, Rect& clippedDest) {
    return ClipStretch(ToDouble(srcRect), clipRect, destRect, true, clippedSrc, clippedDest);
}

bool CalcRotatedBltBounds(float x, float y, const Rect& srcRect, const Rect& clipRect, double angle,
                          DoubleRect& bounds, float centerX, float centerY) {
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    const double corners[4][2] = {{0, 0},
                                  {double(srcRect.mWidth), 0},
                                  {0, double(srcRect.mHeight)},
                                  {double(srcRect.mWidth), double(srcRect.mHeight)}};
    for (int i = 0; i < 4; ++i) {
        const double cx = corners[i][0] - centerX;
        const double cy = corners[i][1] - centerY;
        const double px = cx * c + cy * s + centerX + x;
        const double py = cy * c - cx * s + centerY + y;
        minX = i == 0 ? px : std::min(minX, px);
        maxX = i == 0 ? px : std::max(maxX, px);
        minY = i == 0 ? py : std::min(minY, py);
        maxY = i == 0 ? py : std::max(maxY, py);
    }
    const double left = std::max(minX, double(clipRect.mX));
    const double right = std::min(maxX, double(clipRect.mX) + clipRect.mWidth);
    const double top = std::max(minY, double(clipRect.mY));
    const double bottom = std::min(maxY, double(clipRect.mY) + clipRect.mHeight);
    if (!(right - left > 0) || !(bottom - top > 0)) {
        return false;
    }
    bounds = DoubleRect{left, top, right - left, bottom - top};
    return true;
}

} // namespace Vuro
