#pragma once
// Kernels of whole blits of the in-memory image: every row of a rectangle in one call, since a
// small sprite's rows are short and a call per row (or per run of a row) costs about as much
// as its pixels. Each gives exactly the per-pixel formula it names (tests compare them pixel by
// pixel). Rows lie outStride words apart in the destination and srcStride in the source.

#include "framework/graphics/PixelBlend.h"

#include <cstddef>
#include <cstdint>

namespace Vuro::Blend {

// The normal blit onto an opaque destination, per pixel: alpha 255 is copied, alpha 0 leaves
// the destination word as it is, any other alpha is mixed as OpaqueRef (alpha 255, weight sa).
// The same result as walking the source's run-length classes (0, 255, partial) with a copy, a
// skip and OpaqueRow.
void OverOpaqueRows(uint32_t* out, size_t outStride, const uint32_t* src, size_t srcStride,
                    int width, int height);

// The term AdditiveRef adds to each channel in the untinted alpha-weighted form: the colour
// times alpha >> 8, alpha byte 0. An image keeps these for its additive blits.
inline uint32_t WhiteAlphaTerm(uint32_t s) {
    const uint32_t a = s >> 24;
    return (((s & 0xFF00FF) * a >> 8) & 0xFF00FF) | (((s & 0xFF00) * a >> 8) & 0xFF00);
}

// The untinted additive blit from its terms: each colour channel becomes min(d + x, 255), the
// destination's alpha stays; the terms' alpha bytes are not read. Terms are the source pixels
// themselves (AdditiveForm::White) or their WhiteAlphaTerm (WhiteAlpha).
void AddTermsRows(uint32_t* out, size_t outStride, const uint32_t* terms, size_t termsStride,
                  int width, int height);

} // namespace Vuro::Blend
