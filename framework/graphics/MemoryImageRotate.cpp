// Rotated blit of the in-memory image: 16.16 fixed-point stepping, bilinear samples weighted
// by alpha, normal or additive.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/BlitRows.h"
#include "framework/graphics/BltClip.h"
#include "framework/graphics/PixelBlend.h"
#include "framework/graphics/RotatedSample.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

namespace {

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int64_t CeilDiv(int64_t a, int64_t b) {
    return -FloorDiv(-a, b);
}

// Narrows [start, end] to the steps i at which low <= u + i * du < high.
void NarrowSteps(int64_t u, int64_t du, int64_t low, int64_t high, int64_t& start, int64_t& end) {
    if (du > 0) {
        start = std::max(start, CeilDiv(low - u, du));
        end = std::min(end, FloorDiv(high - 1 - u, du));
    } else if (du < 0) {
        start = std::max(start, CeilDiv(u - high + 1, -du));
        end = std::min(end, FloorDiv(u - low, -du));
    } else if (u < low || u >= high) {
        end = start - 1;
    }
}

} // namespace

void MemoryImage::BltSubpixel(Image* image, float x, float y, const Rect& srcRect,
                              const Rect& clipRect, const Color& color, DrawMode mode) {
    BltRotated(image, x, y, srcRect, clipRect, color, mode, 0.0, 0.0f, 0.0f);
}

void MemoryImage::BltRotated(Image* image, float x, float y, const Rect& srcRect,
                             const Rect& clipRect, const Color& color, DrawMode mode, double angle,
                             float centerX, float centerY) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    const Color c = color.Clamped();
    const bool white = c == Color::White;
    // In memory a tinted normal-mode rotation draws nothing.
    if (src == nullptr || (mode == kDrawModeNormal && !white) ||
        (mode != kDrawModeNormal && mode != kDrawModeAdditive)) {
        return;
    }
    DoubleRect bounds;
    // The caller's clip is not trusted: it is cut to this image.
    if (srcRect.IsEmpty() || !CalcRotatedBltBounds(x, y, srcRect, clipRect.Intersection(Bounds()),
                                                   angle, bounds, centerX, centerY)) {
        return;
    }
    // Samples need a right and a lower neighbour inside both the source rectangle and the
    // source image, whatever rectangle the caller passed. In 16.16, relative to the
    // source rectangle's corner.
    const int64_t lowU = std::max(0, -srcRect.mX);
    const int64_t lowV = std::max(0, -srcRect.mY);
    const int64_t highU = std::min(srcRect.mWidth, src->mWidth - srcRect.mX) - 1;
    const int64_t highV = std::min(srcRect.mHeight, src->mHeight - srcRect.mY) - 1;
    if (highU <= lowU || highV <= lowV) {
        return;
    }

    uint32_t* bits = GetBits();
    const SourcePixels pixels = SourcePixels::Of(src);
    const uint8_t* table = Blend::kAdd8BitMaxTable.data();
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const int64_t du = static_cast<int64_t>(cosA * 65536);
    const int64_t dv = static_cast<int64_t>(sinA * 65536);
    const int left = static_cast<int>(bounds.mX);
    const int top = static_cast<int>(bounds.mY);
    const int columns = static_cast<int>(bounds.mWidth - 1.0) + 1;
    const int rows = static_cast<int>(bounds.mHeight - 1.0) + 1;
    const uint32_t tint[3] = {static_cast<uint32_t>(c.mRed * c.mAlpha / 255),
                              static_cast<uint32_t>(c.mGreen * c.mAlpha / 255),
                              static_cast<uint32_t>(c.mBlue * c.mAlpha / 255)};

    const auto at = [&pixels, &srcRect](int sx, int sy) {
        return pixels.At(srcRect.mX + sx, srcRect.mY + sy);
    };
    // Normal mode over a 32-bit source goes through the row kernel.
    const bool rowKernel = mode == kDrawModeNormal && pixels.mBits != nullptr;
    for (int j = 0; j < rows; ++j) {
        const double dx = left - centerX - x;
        const double dy = top + j - centerY - y;
        const int64_t u0 = static_cast<int64_t>((dx * cosA - dy * sinA + centerX) * 65536);
        const int64_t v0 = static_cast<int64_t>((dx * sinA + dy * cosA + centerY) * 65536);
        int64_t start = 0;
        int64_t end = columns - 1;
        NarrowSteps(u0, du, lowU << 16, highU << 16, start, end);
        NarrowSteps(v0, dv, lowV << 16, highV << 16, start, end);
        uint32_t* out = bits + static_cast<size_t>(top + j) * mWidth + left;
        if (end < start) {
            continue;
        }
        if (rowKernel) {
            const Blend::RotatedSpan span{
                pixels.mBits, pixels.mWidth,   srcRect.mX, srcRect.mY, u0 + start * du,
                du,           v0 + start * dv, dv};
            Blend::RotatedNormalRow(out + start, span, static_cast<int>(end - start + 1));
            continue;
        }
        for (int64_t i = start; i <= end; ++i) {
            const Blend::RotatedSample sample =
                Blend::RotatedSampleAt(at, u0 + i * du, v0 + i * dv);
            if (sample.mAlpha == 0) {
                continue;
            }
            out[i] = mode == kDrawModeAdditive
                         ? Blend::RotatedAdditive(out[i], sample, white, tint, table)
                         : Blend::RotatedNormal(out[i], sample);
        }
    }
    OnBitsChanged();
}

} // namespace Vuro
