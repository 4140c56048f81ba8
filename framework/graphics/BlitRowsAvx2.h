#pragma once
// Row kernels written for AVX2 with its intrinsics, for the forms whose best instructions
// (the saturating byte add, the high half of a 16-bit product) the compiler's vector types
// cannot name. BlitRows.cpp calls them while the wide form runs (KernelForm.h); Available() says
// whether the processor can run them at all.

#include "framework/graphics/BlitRows.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/PixelBlend.h"

#include <cstdint>

namespace Vuro::Blend::Avx2 {

// Whether the processor runs the kernels below (AVX2 and FMA).
bool Available();

// The additive row in one of its four forms (as AdditiveRow) over the whole groups of eight
// pixels at the start of the run; returns how many pixels it did, the caller does the rest.
int AdditiveGroups(AdditiveForm form, uint32_t* out, const uint32_t* src, int count,
                   const uint32_t (&m)[3]);

// The tinted row (as TintedRow, c clamped and not White) over the groups of eight pixels from
// the start of the run whose destination is opaque (or whose weight is 0 or 255), up to the
// first group that needs the division or the last whole group; returns how many pixels it did.
int TintedGroups(uint32_t* out, const uint32_t* src, int count, const Color& c);

// The translucent fill row (as NormalFillRow, colour alpha 1..254), the whole run.
void NormalFill(uint32_t* out, uint32_t colour, int count);

// The normal row (as NormalRow) over the whole groups of eight pixels at the start of the run;
// returns how many pixels it did, the caller does the rest.
int NormalGroups(uint32_t* out, const uint32_t* src, int count);

// The nearest stretch's normal row (as NormalSampledRow) over its groups of eight, up to the
// first group that SampleGroups stops at or the last whole group; returns how many pixels it
// did.
int NormalSampledGroups(uint32_t* out, const uint32_t* row, int width, const int* columns,
                        int count);

// row[columns[i]] into out[i] (the columns never decrease) for the groups of eight from the
// start of the run, up to the first group whose columns do not lie within the sixteen pixels
// from its first one (or pass the row's width) or the last whole group; returns how many
// pixels it did.
int SampleGroups(uint32_t* out, const uint32_t* row, int width, const int* columns, int count);

// The rotated row (as RotatedNormalRow) over its groups of eight pixels from the start, up to
// the first group that needs the division (a translucent sample over a translucent
// destination) or the last whole group; returns how many pixels it did. The positions, and
// the indices of every sample's corners, fit 32-bit lanes.
int RotatedGroups(uint32_t* out, const RotatedSpan& span, int count);

} // namespace Vuro::Blend::Avx2
