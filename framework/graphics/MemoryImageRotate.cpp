// Rotated blit of the in-memory image: 16.16 fixed-point stepping, bilinear samples weighted
// by alpha, normal or additive.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/BltClip.h"
#include "framework/graphics/PixelBlend.h"

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
        for (int64_t i = start; i <= end; ++i) {
            const int64_t u = u0 + i * du;
            const int64_t v = v0 + i * dv;
            const int sx = srcRect.mX + static_cast<int>(u >> 16);
            const int sy = srcRect.mY + static_cast<int>(v >> 16);
            const uint32_t fx = static_cast<uint32_t>(u & 0xFFFE) + 1;
            const uint32_t fy = static_cast<uint32_t>(v & 0xFFFE) + 1;
            const uint32_t corner[4] = {pixels.At(sx, sy), pixels.At(sx + 1, sy),
                                        pixels.At(sx, sy + 1), pixels.At(sx + 1, sy + 1)};
            const uint32_t area[4] = {
                static_cast<uint32_t>((uint64_t(65536 - fx) * (65536 - fy)) >> 16),
                static_cast<uint32_t>((uint64_t(fx) * (65536 - fy)) >> 16),
                static_cast<uint32_t>((uint64_t(65536 - fx) * fy) >> 16),
                static_cast<uint32_t>((uint64_t(fx) * fy) >> 16)};
            uint32_t sumAlpha = 0;
            uint32_t sum[3] = {0, 0, 0}; // red, green, blue, premultiplied
            for (int k = 0; k < 4; ++k) {
                const uint32_t weight = (area[k] * (corner[k] >> 24)) >> 16;
                sumAlpha += weight;
                for (int ch = 0; ch < 3; ++ch) {
                    sum[ch] += ((corner[k] >> (16 - 8 * ch)) & 0xFF) * weight;
                }
            }
            if (sumAlpha == 0) {
                continue;
            }
            uint32_t& d = out[i];
            uint32_t result = 0;
            if (mode == kDrawModeAdditive) {
                result = d & 0xFF000000;
                for (int ch = 0; ch < 3; ++ch) {
                    const int shift = 16 - 8 * ch;
                    const uint32_t amount = white ? sum[ch] >> 8 : (sum[ch] >> 8) * tint[ch] >> 8;
                    result |= static_cast<uint32_t>(table[((d >> shift) & 0xFF) + amount]) << shift;
                }
            } else if (sumAlpha >= 251) {
                result = 0xFF000000 | ((sum[0] >> 8) << 16) | ((sum[1] >> 8) << 8) | (sum[2] >> 8);
            } else {
                const uint32_t da = d >> 24;
                const uint32_t t = 256 - sumAlpha;
                const uint32_t kept = (256 - da) * t >> 8;
                result = (255 - kept) << 24;
                for (int ch = 0; ch < 3; ++ch) {
                    const int shift = 16 - 8 * ch;
                    // The sums keep only whole multiples of 256.
                    const uint32_t s = sum[ch] & ~0xFFu;
                    const uint32_t dc = (d >> shift) & 0xFF;
                    result |= (((dc * da >> 8) * t + s) / (256 - kept)) << shift;
                }
            }
            d = result;
        }
    }
    OnBitsChanged();
}

} // namespace Vuro
