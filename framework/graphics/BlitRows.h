#pragma once
// Row kernels of the software blitters: the per-pixel formulas of PixelBlend.h applied to runs
// of pixels, written without branches so that the compiler can vectorise them. Each gives
// exactly the reference formula's result for every pixel (tests compare them pixel by pixel).

#include "framework/graphics/Color.h"
#include "framework/graphics/PixelBlend.h"

#include <cstdint>

namespace Vuro::Blend {

// Normal compositing of each source pixel with its own alpha over any destination.
void NormalRow(uint32_t* out, const uint32_t* src, int count);
// NormalRow of the source pixels row[columns[i]] (a row of width pixels): the nearest
// stretch's samples.
void NormalSampledRow(uint32_t* out, const uint32_t* row, int width, const int* columns, int count);
// The source pixels row[columns[i]] themselves.
void SampleRow(uint32_t* out, const uint32_t* row, int width, const int* columns, int count);
// Every pixel set to one colour: the opaque fill.
void FillRow(uint32_t* out, uint32_t colour, int count);
// Normal compositing of one colour (alpha 1..254) over every pixel: the translucent fill.
void NormalFillRow(uint32_t* out, uint32_t colour, int count);
// Opaque-destination compositing of each pixel with its own alpha (the run-length path's runs
// of partial alpha).
void OpaqueRow(uint32_t* out, const uint32_t* src, int count);
// The tinted normal blit; c is clamped and not White.
void TintedRow(uint32_t* out, const uint32_t* src, int count, const Color& c);
// The additive blit in one of its four forms; m holds colour * alpha / 255 per channel.
void AdditiveRow(AdditiveForm form, uint32_t* out, const uint32_t* src, int count,
                 const uint32_t (&m)[3]);

// A row of the rotated blit over a 32-bit source: its pixel i samples the 16.16 position
// (mU + i mDU, mV + i mDV) relative to the source rectangle's corner (mX, mY). Every sample's
// four corners lie inside the source.
struct RotatedSpan {
    const uint32_t* mBits;
    int mStride;
    int mX;
    int mY;
    int64_t mU;
    int64_t mDU;
    int64_t mV;
    int64_t mDV;
};

// Normal compositing of the rotated blit's samples along a row (RotatedNormal of every sample
// of alpha 1 and up).
void RotatedNormalRow(uint32_t* out, const RotatedSpan& span, int count);

} // namespace Vuro::Blend
