#pragma once
// Kernels of the display's software blits and fills on 16-bit surfaces of the 5-6-5 and 5-5-5
// layouts: the per-channel formulas of DDImageBlt.cpp and DDImageFill.cpp applied sixteen pixels
// at a time, each channel in a 16-bit lane, with exactly their results for every pixel (the tests
// compare every alpha over every destination word). Each works on a whole rectangle: a sprite's
// rows are short, and a call per row or per run costs about as much as its pixels.
//
// A channel c of a pixel P is P_c = (P >> s) & M (shift s, maximum M = 2^n - 1 of the layout).
// The formulas mask whole words, ((P & m) * k >> 8) & m for the mask m = M << s; that is
// ((P_c * k) >> 8) << s whenever P_c * k < 2^(n + 8), which holds for every factor k <= 256 the
// formulas use, so the kernels multiply the channel values themselves, which fit 16-bit lanes.
//
// Native words (MemoryImage::GetNativeAlphaData for this display) hold the pixel in their low 16
// bits and the alpha in the top byte; the kernels read them `stride` words apart, row by row.

#include "framework/display/SurfacePixels.h"

#include <cstddef>
#include <cstdint>

namespace Vuro::SurfaceRows16 {

enum class Layout { Rgb565, Rgb555 };

using Rows = NativeRows;

// The untinted blit by each pixel's alpha a: 0 leaves the destination word as it is, anything
// else writes N + each channel of d * (256 - a) >> 8 (for a = 255: N itself). The same as walking
// the run-length classes (skip, copy, blend).
void Over(Layout layout, const Rows& rows);
// The blit of an image without partial alpha: the native word itself, or, with skipTransparent,
// nothing where its alpha is 0.
void Copy(const Rows& rows, bool skipTransparent);
// The tinted blit (tint t_c = c * a / 255, colour alpha ca): a pixel of alpha 0 is left; one of
// alpha 255 under ca = 255 writes each channel N_c * t_c >> 8; any other writes
// ((d_c * (256 - a') + N_c * t_c) >> 8) & M_c with a' = a * ca / 255.
void Tinted(Layout layout, const Rows& rows, const uint32_t (&tint)[3], uint32_t colourAlpha);
// The additive blit: a pixel whose colour is 0 is left; any other writes each channel
// min(d_c + x_c, M_c) with x_c = N_c (white) or N_c * t_c >> 8 (tinted).
void Add(Layout layout, const Rows& rows, bool white, const uint32_t (&tint)[3]);
// The translucent fill: d = colour + each channel (d_c * keep + M_c) >> 8, keep = 256 - alpha.
void FadeFill(Layout layout, uint8_t* out, int pitch, int width, int height, uint16_t colour,
              uint32_t keep);

} // namespace Vuro::SurfaceRows16
