#pragma once
// The per-pixel formulas of the software blits and fills on surfaces, written plainly over the
// locked surface's masks, shifts and clamp tables: they define what every routine writes. The
// routines use them wherever no kernel applies (mirrored blits, other layouts), and every kernel
// (SurfaceRows.h, SurfaceRows16.h) is checked against them.
//
// d is the destination pixel, p the source's native word (the pixel premultiplied in the
// display's layout, alpha in the top byte); results are whole words, which a 16-bit surface
// keeps the low half of.

#include "framework/display/SurfacePixels.h"

#include <cstdint>

namespace Vuro::SurfaceFormulas {

// Each channel of d times keep (at most 256) >> 8, masked.
inline uint32_t Faded(const SurfacePixels& s, uint32_t d, uint32_t keep) {
    uint32_t value = 0;
    for (int c = 0; c < 3; ++c) {
        value += ((d & s.mMask[c]) * keep >> 8) & s.mMask[c];
    }
    return value;
}

// The untinted blit of a pixel of partial alpha: N + d faded by 256 - alpha.
inline uint32_t Blend(const SurfacePixels& s, uint32_t d, uint32_t p) {
    const uint32_t value = s.mBitCount == 16 ? (p & 0xFFFF) : p;
    return value + Faded(s, d, 256 - (p >> 24));
}

// The tinted blit (t_c = c * a / 255 of the colour): opaqueRun for a pixel of alpha 255 under a
// colour alpha of 255, which is tinted without the destination; else the blend by
// a' = alpha * colourAlpha / 255.
inline uint32_t Tinted(const SurfacePixels& s, uint32_t d, uint32_t p, const uint32_t (&t)[3],
                       uint32_t colourAlpha, bool opaqueRun) {
    uint32_t value = 0;
    if (opaqueRun) {
        for (int c = 0; c < 3; ++c) {
            value |= ((p & s.mMask[c]) * t[c] >> 8) & s.mMask[c];
        }
        return value;
    }
    const uint32_t a = (p >> 24) * colourAlpha / 255;
    for (int c = 0; c < 3; ++c) {
        const uint32_t m = s.mMask[c];
        value |= (((d & m) * (256 - a) + (p & m) * t[c]) >> 8) & m;
    }
    return value;
}

// The additive blit through the clamp tables: white adds N's channels, a tint N_c * t_c >> 8.
inline uint32_t Added(const SurfacePixels& s, uint32_t d, uint32_t p, bool white,
                      const uint32_t (&t)[3]) {
    uint32_t value = 0;
    for (int c = 0; c < 3; ++c) {
        const uint32_t m = s.mMask[c];
        const int shift = s.mShift[c];
        const uint32_t sum = white ? ((d & m) + (p & m)) >> shift
                                   : ((((p & m) >> shift) * t[c]) >> 8) + ((d & m) >> shift);
        value |= s.mTable[c][sum] << shift;
    }
    return value;
}

// The translucent fill: the premultiplied colour plus d faded by ia = 256 - alpha, rounded up
// on a 16-bit surface.
inline uint32_t FadeFill(const SurfacePixels& s, uint32_t d, uint32_t colour, uint32_t ia) {
    uint32_t out = colour;
    for (int c = 0; c < 3; ++c) {
        const uint32_t m = s.mMask[c];
        out += (((d & m) * ia + (s.mBitCount == 32 ? 0 : m)) >> 8) & m;
    }
    return out;
}

} // namespace Vuro::SurfaceFormulas
