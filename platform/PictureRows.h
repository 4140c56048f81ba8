#pragma once
// Copies a picture's rows into a window's pixels: 16-bit (any channel masks) or 32-bit source
// pixels, nearest-pixel scaled into a rectangle of a 16- or 32-bit target of any masks. Used
// where a frame reaches the screen, so it is written for speed: a row that repeats the one
// above is copied whole, equal formats are copied as they stand, and 565 into 8-bit channels
// (the 16-bit screen on an ordinary desktop) has a loop of its own, built for AVX2 as well.
//
// What callers can rely on:
// - Each target pixel of the rectangle takes the source pixel at (x * sourceWidth / width,
//   y * sourceHeight / height) of the rectangle's own coordinates, rounded down.
// - Channels widen by repeating their top bits below (a full 5-bit channel becomes 255) and
//   narrow by dropping their low bits; target bits outside the three masks are 0.
// - Nothing outside the rectangle is written. Nothing is written at all when a size is not
//   positive or a format is neither 16 nor 32 bits.

#include "platform/DirectDraw.h"

#include <cstdint>

namespace Vuro::Platform {

struct PictureRows {
    const void* pixels;
    int pitch; // bytes from one row to the next
    int width;
    int height;
    PixelFormat format;
};

struct PictureTarget {
    void* pixels;
    int pitch;
    PixelFormat format;
    int x; // the rectangle the picture fills
    int y;
    int width;
    int height;
};

void CopyPicture(const PictureRows& source, const PictureTarget& target);

} // namespace Vuro::Platform
