#pragma once
// Kernels of the display's software blits and fills on 32-bit surfaces of the 8-8-8 layout (red
// on top), and of the rotated blit on every layout: the per-pixel formulas (SurfaceFormulas.h,
// the rotated blit's in DDImageTransform.cpp) applied eight pixels at a time, with exactly their
// results for every pixel (the tests compare them with the per-pixel routines over every alpha).
// Native words are premultiplied, alpha in the top byte.

#include "framework/display/SurfacePixels.h"
#include "framework/graphics/BlitRows.h"

#include <cstdint>

namespace Vuro::SurfaceRows {

// Each channel of d times keep (at most 256) >> 8, the top byte 0; red and blue through one
// multiply (neither product reaches the other's bits), which gives the same sums as three.
inline uint32_t Faded(uint32_t d, uint32_t keep) {
    return (((d & 0xFF00FF) * keep >> 8) & 0xFF00FF) + (((d & 0xFF00) * keep >> 8) & 0xFF00);
}

// out = colour + Faded(out, keep): the translucent fill.
void FadeFillRow(uint32_t* out, uint32_t colour, uint32_t keep, int count);

// Whole rectangles, each pixel by its own class as the run walk would take it. Over: alpha 0
// leaves the destination word, any other writes p + Faded(d, 256 - alpha) (for alpha 255: p).
// Add: a black pixel (colour 0) leaves the destination word, any other writes AddRow's or, with
// tint, AddTintedRow's sum.
void OverRows(const NativeRows& rows);
void AddRows(const NativeRows& rows, const uint32_t (&tint)[3], bool white);
// The tinted blit (tint t_c = c * a / 255, colour alpha ca): a pixel of alpha 0 leaves the
// destination word; one of alpha 255 under ca = 255 writes each channel N_c * t_c >> 8; any other
// ((d_c * (256 - a') + N_c * t_c) >> 8) & 255 with a' = a * ca / 255; the top byte 0. Native words
// are premultiplied (no channel above the alpha), which keeps every sum below 2^16.
void TintedRows(const NativeRows& rows, const uint32_t (&tint)[3], uint32_t colourAlpha);

// The rotated blit's row over its whole groups of eight pixels from the start (the caller draws
// the rest), on a surface of the 8-8-8, 5-6-5 or 5-5-5 layout (format 0x888, 0x565, 0x555;
// another draws nothing); returns how many pixels it did. Pixel i samples the 16.16 position
// (mU + i mDU, mV + i mDV) of span, every sample's four corners inside the source. With A the
// sum of the corners' weights and S_c their weighted channel sums (the rotated blit's bilinear
// sample) and n a channel's width, the untinted normal blit writes
// (S_c >> (16 - n)) + (d_c * (256 - A) >> 8), the additive one min(d_c + x_c, 2^n - 1) with
// x = (S_r >> (16 - n)) * t_r >> 8 for red and S_c * t_c >> (24 - n) for green and blue (t: the
// tint, 255 untinted); bits outside the channels become 0.
int RotatedGroups(int format, uint8_t* out, const Blend::RotatedSpan& span, int count,
                  bool additive, const uint32_t (&tint)[3]);

} // namespace Vuro::SurfaceRows
