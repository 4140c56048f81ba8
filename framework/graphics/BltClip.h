#pragma once
// Clipping of stretched and rotated blits, shared by the in-memory image and the display image
// so that both draw exactly the same pixels.

#include "framework/graphics/Rect.h"

namespace Vuro {

// Intersects destRect with clipRect and carries the source rectangle along in double
// precision. False (nothing to draw) when the clipped destination or the carried source has
// no width or height.
[[nodiscard]] bool ClipStretchRects(const DoubleRect& srcRect, const Rect& clipRect,
                                    const Rect& destRect, DoubleRect& clippedSrc,
                                    Rect& clippedDest);
[[nodiscard]] bool ClipStretchRects(const Rect& srcRect, const Rect& clipRect, const Rect& destRect,
                                    DoubleRect& clippedSrc, Rect& clippedDest);
// The same for a stretch drawn mirrored left to right: the source x is measured from the right.
[[nodiscard]] bool ClipMirrorStretchRects(const Rect& srcRect, const Rect& clipRect,
                                          const Rect& destRect, DoubleRect& clippedSrc,
                                          Rect& clippedDest);

// Bounding box of the source rectangle's size (0, 0, width, height) turned by angle (radians)
// about (centerX, centerY) and placed at (x, y), intersected with clipRect. False when nothing
// is visible.
[[nodiscard]] bool CalcRotatedBltBounds(float x, float y, const Rect& srcRect, const Rect& clipRect,
                                        double angle, DoubleRect& bounds, float centerX,
                                        float centerY);

} // namespace Vuro
