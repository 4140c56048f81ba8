#pragma once
// Row kernels of the display's software blits and fills on 32-bit surfaces of the 8-8-8 layout
// (red on top): the per-channel formulas of DDImageBlt.cpp and DDImageFill.cpp applied eight
// pixels at a time, with exactly their results for every pixel (the tests compare every alpha
// over every channel value). Native words are premultiplied, alpha in the top byte.

#include <cstdint>

namespace Vuro::SurfaceRows {

// Each channel of d times keep (at most 256) >> 8, the top byte 0; red and blue through one
// multiply (neither product reaches the other's bits), which gives the same sums as three.
inline uint32_t Faded(uint32_t d, uint32_t keep) {
    return (((d & 0xFF00FF) * keep >> 8) & 0xFF00FF) + (((d & 0xFF00) * keep >> 8) & 0xFF00);
}

// out = colour + Faded(out, keep): the translucent fill.
void FadeFillRow(uint32_t* out, uint32_t colour, uint32_t keep, int count);
// out = p + Faded(out, 256 - alpha of p), the native word p with its alpha byte: the untinted
// blit of pixels with their own alpha.
void BlendRow(uint32_t* out, const uint32_t* native, int count);
// Each channel min(out + p, 255), the top byte 0: the untinted additive blit.
void AddRow(uint32_t* out, const uint32_t* native, int count);
// Each channel min(out + (p * tint >> 8), 255), the top byte 0 (tint red, green, blue).
void AddTintedRow(uint32_t* out, const uint32_t* native, int count, const uint32_t (&tint)[3]);

} // namespace Vuro::SurfaceRows
