// Rotated and stretched blits drawn in software on the locked surface, 16 or 32 bits, normal or
// additive. The rotated blit samples the source's 32-bit colours bilinearly, weighted by alpha,
// stepping in 16.16 fixed point; the stretches take the nearest native word.
//
// Bounds: a rotated row includes its first column; samples are kept to the source rectangle
// and the source image, stretch samples to the source image, and every write to the
// destination rectangle.

#include "framework/display/DDImage.h"

#include "framework/display/DDInterface.h"
#include "framework/display/SurfacePixels.h"
#include "framework/display/SurfaceRows.h"
#include "framework/graphics/BltClip.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

namespace {

int64_t CeilDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) == (b < 0))) ? q + 1 : q;
}

int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Narrows [start, end] so that every sample p + i * dp has its 2 x 2 neighbourhood inside
// 0 .. size - 1 (16.16); false when the row has no sample. The bounds are those of the
// rotated blit's rules; the lower bound of a forward step is exact, so that the first column
// is drawn.
bool NarrowRow(int64_t p, int64_t dp, int64_t size, bool lastEndRule, int64_t& start,
               int64_t& end) {
    if (dp >= 1) {
        if ((p >> 16) >= size - 1) {
            return false;
        }
        start = std::max(start, CeilDiv(-p, dp));
        end = std::min(end, (size * 65536 - p - 0x17FFF) / dp);
    } else if (dp <= -1) {
        if ((p >> 16) < 0) {
            return false;
        }
        start = std::max(start, (size * 65536 - p - 0x27FFF) / dp);
        end = std::min(end, lastEndRule ? -(p / dp) : (0x7FFF - p) / dp);
    } else if (p < 0 || p >= (size - 1) * 65536) {
        return false;
    }
    return start <= end;
}

// Exact form of the same rule over [low, high) of whole source pixels, the last guard against
// reading outside the source image.
void NarrowExact(int64_t p, int64_t dp, int64_t low, int64_t high, int64_t& start, int64_t& end) {
    if (dp > 0) {
        start = std::max(start, CeilDiv(low - p, dp));
        end = std::min(end, FloorDiv(high - 1 - p, dp));
    } else if (dp < 0) {
        start = std::max(start, CeilDiv(p - high + 1, -dp));
        end = std::min(end, FloorDiv(p - low, -dp));
    } else if (p < low || p >= high) {
        end = start - 1;
    }
}

struct RotateJob {
    SurfacePixels s;
    SourcePixels pixels;
    Rect srcRect;
    Color color;
    bool white;
    bool additive;
    uint32_t tint[3];
};

template <typename Word>
void RotatedRow(const RotateJob& job, Word* out, int64_t u, int64_t v, int64_t du, int64_t dv,
                int64_t start, int64_t end) {
    const SurfacePixels& s = job.s;
    const int n[3] = {s.mChannelBits[0], s.mChannelBits[1], s.mChannelBits[2]};
    for (int64_t i = start; i <= end; ++i) {
        const int64_t pu = u + i * du;
        const int64_t pv = v + i * dv;
        const int sx = job.srcRect.mX + static_cast<int>(pu >> 16);
        const int sy = job.srcRect.mY + static_cast<int>(pv >> 16);
        const uint64_t fx = (static_cast<uint64_t>(pu) & 0xFFFE) + 1;
        const uint64_t fy = (static_cast<uint64_t>(pv) & 0xFFFE) + 1;
        const uint32_t corner[4] = {job.pixels.At(sx, sy), job.pixels.At(sx + 1, sy),
                                    job.pixels.At(sx, sy + 1), job.pixels.At(sx + 1, sy + 1)};
        if (((corner[0] | corner[1] | corner[2] | corner[3]) >> 24) == 0) {
            // Nothing of the source here: the sums below come to the pixel's channels as they
            // are, which is all they would write.
            out[i] = static_cast<Word>(s.Masked(out[i]));
            continue;
        }
        const uint64_t area[4] = {((65536 - fx) * (65536 - fy)) >> 16, (fx * (65536 - fy)) >> 16,
                                  ((65536 - fx) * fy) >> 16, (fx * fy) >> 16};
        uint64_t sum[3] = {0, 0, 0};
        uint64_t alphaSum = 0;
        for (int k = 0; k < 4; ++k) {
            uint64_t a = (area[k] * (corner[k] >> 24)) >> 16;
            if (!job.additive && !job.white) {
                a = a * static_cast<uint64_t>(job.color.mAlpha) >> 8;
            }
            alphaSum += a;
            sum[0] += (corner[k] & 0xFF0000) * a;
            sum[1] += (corner[k] & 0xFF00) * a;
            sum[2] += (corner[k] & 0xFF) * a;
        }
        Word& d = out[i];
        const int down[3] = {32, 24, 16}; // where each channel's weighted sum ends
        uint32_t value = 0;
        for (int c = 0; c < 3; ++c) {
            const uint32_t m = s.mMask[c];
            if (job.additive) {
                const uint64_t amount = c == 0 ? (sum[0] >> (32 - n[0])) * job.tint[0] >> 8
                                               : sum[c] * job.tint[c] >> (down[c] - n[c] + 8);
                value |= s.mTable[c][amount + ((d & m) >> s.mShift[c])] << s.mShift[c];
                continue;
            }
            const uint64_t weighted =
                job.white ? sum[c]
                          : (sum[c] >> 8) * (static_cast<uint64_t>(c == 0   ? job.color.mRed
                                                                   : c == 1 ? job.color.mGreen
                                                                            : job.color.mBlue) +
                                             1);
            value += static_cast<uint32_t>((weighted >> (down[c] - n[c])) << s.mShift[c]);
            value += (static_cast<uint32_t>((d & m) * (256 - alphaSum)) >> 8) & m;
        }
        d = static_cast<Word>(value);
    }
}

struct StretchJob {
    SurfacePixels s;
    const uint32_t* native;
    const uint8_t* indices;
    int sourceWidth;
    int sourceHeight;
    Color color;
    DrawMode mode;
    uint32_t tint[3];
};

template <typename Word> uint32_t StretchPixel(const StretchJob& job, uint32_t d, uint32_t p) {
    const SurfacePixels& s = job.s;
    const bool white = job.color == Color::White;
    uint32_t value = 0;
    if (job.mode == kDrawModeAdditive) {
        if (white && p == 0) {
            return d;
        }
        for (int c = 0; c < 3; ++c) {
            const uint32_t m = s.mMask[c];
            const int shift = s.mShift[c];
            const uint32_t sum =
                white ? ((d & m) + (p & m)) >> shift
                      : ((((p & m) >> shift) * job.tint[c]) >> 8) + ((d & m) >> shift);
            value |= s.mTable[c][sum] << shift;
        }
        return value;
    }
    if (white) {
        if ((p >> 24) == 0) {
            return d;
        }
        value = sizeof(Word) == 2 ? (p & 0xFFFF) : p;
        for (int c = 0; c < 3; ++c) {
            value += ((d & s.mMask[c]) * (256 - (p >> 24)) >> 8) & s.mMask[c];
        }
        return value;
    }
    const uint32_t a = (p >> 24) * static_cast<uint32_t>(job.color.mAlpha) / 255;
    if (a == 0) {
        return d;
    }
    for (int c = 0; c < 3; ++c) {
        const uint32_t m = s.mMask[c];
        value |= (((p & m) * job.tint[c] + (d & m) * (256 - a)) >> 8) & m;
    }
    return value;
}

template <typename Word>
void NearestStretchRows(const StretchJob& job, const Rect& to, const DoubleRect& from,
                        bool mirror) {
    const int64_t du = static_cast<int64_t>(from.mWidth * 65536 / to.mWidth);
    const int64_t dv = static_cast<int64_t>(from.mHeight * 65536 / to.mHeight);
    const int64_t u0 = static_cast<int64_t>(from.mX * 65536);
    // The untinted additive stretch steps before it samples.
    const bool stepFirst = job.mode == kDrawModeAdditive && job.color == Color::White;
    int64_t v = static_cast<int64_t>(from.mY * 65536);
    for (int j = 0; j < to.mHeight; ++j, v += dv) {
        const int64_t sy = v >> 16;
        if (sy < 0 || sy >= job.sourceHeight) {
            continue;
        }
        Word* row = job.s.Row<Word>(to.mY + j);
        int64_t u = u0;
        for (int i = 0; i < to.mWidth; ++i) {
            if (stepFirst) {
                u += du;
            }
            const int64_t sx = u >> 16;
            if (!stepFirst) {
                u += du;
            }
            if (sx < 0 || sx >= job.sourceWidth) {
                continue;
            }
            const size_t at = static_cast<size_t>(sy) * job.sourceWidth + static_cast<size_t>(sx);
            const uint32_t p =
                job.indices != nullptr ? job.native[job.indices[at]] : job.native[at];
            Word& d = row[mirror ? to.mX + to.mWidth - 1 - i : to.mX + i];
            d = static_cast<Word>(StretchPixel<Word>(job, d, p));
        }
    }
}

} // namespace

void DDImage::RotatedBltOnSurface(Image* image, float x, float y, const Rect& srcRect,
                                  const Rect& clipRect, const Color& color, DrawMode mode,
                                  double angle, float centerX, float centerY) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    DoubleRect bounds;
    if (src == nullptr || (mode != kDrawModeNormal && mode != kDrawModeAdditive) ||
        srcRect.IsEmpty() ||
        !CalcRotatedBltBounds(x, y, srcRect, clipRect.Intersection(Rect(0, 0, mWidth, mHeight)),
                              angle, bounds, centerX, centerY) ||
        !LockSurface()) {
        return;
    }
    src->ApplyBits();
    RotateJob job;
    job.s = SurfacePixels::Of(*this);
    job.pixels = SourcePixels::Of(src);
    job.srcRect = srcRect;
    job.color = color.Clamped();
    job.white = job.color == Color::White;
    job.additive = mode == kDrawModeAdditive;
    job.tint[0] = static_cast<uint32_t>(job.color.mRed * job.color.mAlpha / 255);
    job.tint[1] = static_cast<uint32_t>(job.color.mGreen * job.color.mAlpha / 255);
    job.tint[2] = static_cast<uint32_t>(job.color.mBlue * job.color.mAlpha / 255);
    if (job.s.mBits == nullptr || !job.pixels.IsValid()) {
        UnlockSurface();
        return;
    }
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const int64_t du = static_cast<int64_t>(cosA * 65536);
    const int64_t dv = static_cast<int64_t>(sinA * 65536);
    const int left = static_cast<int>(bounds.mX);
    const int top = static_cast<int>(bounds.mY);
    const int64_t lastColumn = static_cast<int64_t>(bounds.mWidth - 1.0);
    const int rows = static_cast<int>(bounds.mHeight - 1.0) + 1;
    // The source rectangle's part inside the source image, relative to its corner.
    const int64_t lowU = std::max(0, -srcRect.mX);
    const int64_t lowV = std::max(0, -srcRect.mY);
    const int64_t highU = std::min(srcRect.mWidth, src->mWidth - srcRect.mX) - 1;
    const int64_t highV = std::min(srcRect.mHeight, src->mHeight - srcRect.mY) - 1;
    // The kernel's cases: 32-bit bits, untinted normal or additive, onto the layouts it knows.
    const int layoutCode = job.s.IsEightBitChannels() ? 0x888 : job.s.SixteenBitLayout();
    const int kernelFormat =
        job.pixels.mBits != nullptr && (job.additive || job.white) ? layoutCode : 0;
    for (int j = 0; j < rows && highU > lowU && highV > lowV; ++j) {
        const double dx = left - centerX - x;
        const double dy = top + j - centerY - y;
        const int64_t u = static_cast<int64_t>((dx * cosA - dy * sinA + centerX) * 65536);
        const int64_t v = static_cast<int64_t>((dx * sinA + dy * cosA + centerY) * 65536);
        int64_t start = 0;
        int64_t end = lastColumn;
        if (!NarrowRow(u, du, srcRect.mWidth, false, start, end) ||
            !NarrowRow(v, dv, srcRect.mHeight, true, start, end)) {
            continue;
        }
        NarrowExact(u, du, lowU << 16, highU << 16, start, end);
        NarrowExact(v, dv, lowV << 16, highV << 16, start, end);
        if (kernelFormat != 0) {
            // Fast path: the kernel takes the row's whole groups of eight, the per-pixel
            // routine the rest.
            uint8_t* row = job.s.mBits + static_cast<size_t>(top + j) * job.s.mPitch +
                           static_cast<size_t>(left + start) * (job.s.mBitCount / 8);
            const Blend::RotatedSpan span{job.pixels.mBits, src->mWidth, srcRect.mX,     srcRect.mY,
                                          u + start * du,   du,          v + start * dv, dv};
            start += SurfaceRows::RotatedGroups(
                kernelFormat, row, span, static_cast<int>(end - start + 1), job.additive, job.tint);
        }
        if (job.s.mBitCount == 16) {
            RotatedRow(job, job.s.Row<uint16_t>(top + j) + left, u, v, du, dv, start, end);
        } else {
            RotatedRow(job, job.s.Row<uint32_t>(top + j) + left, u, v, du, dv, start, end);
        }
    }
    UnlockSurface();
}

void DDImage::NearestStretchOnSurface(MemoryImage* source, const Rect& to, const DoubleRect& from,
                                      const Color& color, DrawMode mode, bool mirror) {
    if ((mode != kDrawModeNormal && mode != kDrawModeAdditive) || !LockSurface()) {
        return;
    }
    source->ApplyBits();
    StretchJob job;
    job.s = SurfacePixels::Of(*this);
    job.native = source->GetNativeAlphaData(mDDInterface);
    job.indices = source->IsPalettised() ? source->mColorIndices.get() : nullptr;
    job.sourceWidth = source->mWidth;
    job.sourceHeight = source->mHeight;
    job.color = color;
    job.mode = mode;
    job.tint[0] = static_cast<uint32_t>(color.mRed * color.mAlpha / 255);
    job.tint[1] = static_cast<uint32_t>(color.mGreen * color.mAlpha / 255);
    job.tint[2] = static_cast<uint32_t>(color.mBlue * color.mAlpha / 255);
    if (job.s.mBitCount == 16) {
        NearestStretchRows<uint16_t>(job, to, from, mirror);
    } else if (job.s.mBitCount == 32) {
        NearestStretchRows<uint32_t>(job, to, from, mirror);
    }
    UnlockSurface();
}

} // namespace Vuro
