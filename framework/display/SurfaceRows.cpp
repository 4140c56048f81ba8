#include "framework/display/SurfaceRows.h"

#include <cstddef>
#include <cstring>

#include "framework/graphics/BlitLanes.h"

namespace Vuro::SurfaceRows {

namespace {

using namespace Blend::Simd;

// Faded on eight pixels: each channel in a 16-bit lane, times keep (at most 255 * 256, so the
// products stay in their lanes).
VURO_LANES Pixels FadedGroup(Pixels d, Lanes keep) {
    const Split split = SplitOf(d);
    const Lanes green = Pair(0xFFFF, 0);
    return Join((split.mBlueRed * keep) >> 8, ((split.mGreenAlpha * keep) >> 8) & green);
}

// The channels of p, each times its tint >> 8 (below 256), the top byte 0.
VURO_LANES Pixels TintedGroup(Pixels p, Lanes blueRedTint, Lanes greenTint) {
    const Split split = SplitOf(p);
    return Join((split.mBlueRed * blueRedTint) >> 8, (split.mGreenAlpha * greenTint) >> 8);
}

inline uint32_t AddChannels(uint32_t d, uint32_t amount) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t sum = ((d >> shift) & 255) + ((amount >> shift) & 255);
        out |= (sum > 255 ? 255 : sum) << shift;
    }
    return out;
}

inline uint32_t TintedChannels(uint32_t p, const uint32_t (&tint)[3]) {
    return ((((p >> 16) & 255) * tint[0] >> 8) << 16) | ((((p >> 8) & 255) * tint[1] >> 8) << 8) |
           ((p & 255) * tint[2] >> 8);
}

} // namespace

VURO_LANES void FadeFillRowBody(uint32_t* out, uint32_t colour, uint32_t keep, int count) {
    const Lanes keepLanes = Pair(keep, keep);
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        Store(out + i, colour + FadedGroup(Load(out + i), keepLanes));
    }
    for (; i < count; ++i) {
        out[i] = colour + Faded(out[i], keep);
    }
}

void FadeFillRow(uint32_t* out, uint32_t colour, uint32_t keep, int count) {
    Blend::RunKernel<FadeFillRowBody>(out, colour, keep, count);
}

namespace {

// Fast path: groups wholly transparent or wholly opaque are skipped or copied without reading the
// destination; the others are blended and their transparent pixels put back.
VURO_LANES void OverRowsBody(const NativeRows& rows) {
    for (int y = 0; y < rows.mHeight; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(rows.mOut + static_cast<size_t>(y) * rows.mPitch);
        const uint32_t* native = rows.mNative + static_cast<size_t>(y) * rows.mStride;
        int i = 0;
        for (; i + kGroup <= rows.mWidth; i += kGroup) {
            const Pixels p = Load(native + i);
            const Pixels clear = AlphaClear(p);
            if (AllSet(clear)) {
                continue;
            }
            if (AllSet(AlphaOpaque(p))) {
                Store(out + i, p);
                continue;
            }
            const Pixels d = Load(out + i);
            const Pixels blended = p + FadedGroup(d, 256 - AlphaLanes(p));
            Store(out + i, (d & clear) | (blended & ~clear));
        }
        for (; i < rows.mWidth; ++i) {
            if ((native[i] >> 24) != 0) {
                out[i] = native[i] + Faded(out[i], 256 - (native[i] >> 24));
            }
        }
    }
}

VURO_LANES void AddRowsBody(const NativeRows& rows, const uint32_t (&tint)[3], bool white) {
    const Lanes blueRedTint = Pair(tint[2], tint[0]);
    const Lanes greenTint = Pair(tint[1], 0);
    for (int y = 0; y < rows.mHeight; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(rows.mOut + static_cast<size_t>(y) * rows.mPitch);
        const uint32_t* native = rows.mNative + static_cast<size_t>(y) * rows.mStride;
        int i = 0;
        for (; i + kGroup <= rows.mWidth; i += kGroup) {
            const Pixels p = Load(native + i) & 0xFFFFFF;
            const Pixels black = IsZero(p);
            if (AllSet(black)) {
                continue;
            }
            const Pixels d = Load(out + i);
            const Pixels amount = white ? p : TintedGroup(p, blueRedTint, greenTint);
            Store(out + i, (d & black) | (AddSaturated(d & 0xFFFFFF, amount) & ~black));
        }
        for (; i < rows.mWidth; ++i) {
            if ((native[i] & 0xFFFFFF) != 0) {
                out[i] = AddChannels(out[i], white ? native[i] : TintedChannels(native[i], tint));
            }
        }
    }
}

// Fast path: the tinted sums in 16-bit lanes. With N_c <= a, t_c <= ca and
// 255 * floor(a * ca / 255) >= a * ca - 254, d_c * (256 - a') + N_c * t_c stays at most
// 255 * 256 + 254, so no lane overflows and `& 255` after the shift changes nothing; the alpha
// lanes' sums are cleared. A row's last pixels go through one group padded with clear pixels,
// which the group leaves as they are.
VURO_LANES void TintedRowsBody(const NativeRows& rows, const uint32_t (&tint)[3],
                               uint32_t colourAlpha) {
    const Lanes blueRedTint = Pair(tint[2], tint[0]);
    const Lanes greenTint = Pair(tint[1], 0);
    const Lanes ca = Pair(colourAlpha, colourAlpha);
    const bool opaqueColour = colourAlpha == 255;
    const auto group = [&](uint32_t* out, const uint32_t* native) VURO_LANES_LAMBDA {
        const Pixels p = Load(native);
        const Pixels clear = AlphaClear(p);
        if (AllSet(clear)) {
            return;
        }
        const Split n = SplitOf(p);
        const Lanes scaledBlueRed = n.mBlueRed * blueRedTint;
        const Lanes scaledGreen = n.mGreenAlpha * greenTint;
        const Pixels tinted = Join(scaledBlueRed >> 8, scaledGreen >> 8);
        const Pixels solid = opaqueColour ? AlphaOpaque(p) : Pixels{};
        if (AllSet(solid)) {
            Store(out, tinted);
            return;
        }
        // a' = a * ca / 255 by (x + 1 + (x >> 8)) >> 8, exact for x <= 255 * 255.
        const Lanes x = AlphaLanes(p) * ca;
        const Lanes keep = 256 - ((x + 1 + (x >> 8)) >> 8);
        const Pixels d = Load(out);
        const Split dest = SplitOf(d);
        const Pixels blended =
            Join((dest.mBlueRed * keep + scaledBlueRed) >> 8,
                 ((dest.mGreenAlpha * keep + scaledGreen) >> 8) & Pair(0xFFFF, 0));
        Store(out, (d & clear) | (tinted & solid) | (blended & ~(clear | solid)));
    };
    for (int y = 0; y < rows.mHeight; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(rows.mOut + static_cast<size_t>(y) * rows.mPitch);
        const uint32_t* native = rows.mNative + static_cast<size_t>(y) * rows.mStride;
        int i = 0;
        for (; i + kGroup <= rows.mWidth; i += kGroup) {
            group(out + i, native + i);
        }
        if (i < rows.mWidth) {
            const int rest = rows.mWidth - i;
            uint32_t to[kGroup] = {};
            uint32_t from[kGroup] = {};
            CopyFew(to, out + i, rest);
            CopyFew(from, native + i, rest);
            group(to, from);
            CopyFew(out + i, to, rest);
        }
    }
}

// The channels of a layout the rotated kernel writes: shifts and widths, red first.
template <int RedShift, int GreenShift, int RedBits, int GreenBits, int BlueBits> struct Channels {
    static constexpr int kShift[3] = {RedShift, GreenShift, 0};
    static constexpr int kBits[3] = {RedBits, GreenBits, BlueBits};
};
using Channels888 = Channels<16, 8, 8, 8, 8>;
using Channels565 = Channels<11, 5, 5, 6, 5>;
using Channels555 = Channels<10, 5, 5, 5, 5>;

// A group of eight destination words.
template <typename Word> struct GroupOf;
template <> struct GroupOf<uint32_t> { using Type = Pixels; };
template <> struct GroupOf<uint16_t> { using Type = uint16_t __attribute__((vector_size(16))); };

// Fast path: the corners are read lane by lane (their rows and columns differ per pixel), the
// weights and sums worked on 32-bit lanes: an area is below 2^16 and a weight below 256, so no
// product passes 2^32. The destination's words are widened to 32-bit lanes and narrowed back.
template <typename Word, typename L>
VURO_LANES int RotatedGroupsBody(Word* out, const Blend::RotatedSpan& span, int count,
                                 bool additive, const uint32_t (&tint)[3]) {
    using Words = typename GroupOf<Word>::Type;
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        Pixels corner[4];
        Pixels fx;
        Pixels fy;
        for (int k = 0; k < kGroup; ++k) {
            const int64_t u = span.mU + (i + k) * span.mDU;
            const int64_t v = span.mV + (i + k) * span.mDV;
            const uint32_t* p = span.mBits +
                                static_cast<size_t>(span.mY + (v >> 16)) * span.mStride +
                                static_cast<size_t>(span.mX + (u >> 16));
            corner[0][k] = p[0];
            corner[1][k] = p[1];
            corner[2][k] = p[span.mStride];
            corner[3][k] = p[span.mStride + 1];
            fx[k] = static_cast<uint32_t>(u & 0xFFFE) + 1;
            fy[k] = static_cast<uint32_t>(v & 0xFFFE) + 1;
        }
        const Pixels gx = 65536 - fx;
        const Pixels gy = 65536 - fy;
        const Pixels area[4] = {(gx * gy) >> 16, (fx * gy) >> 16, (gx * fy) >> 16, (fx * fy) >> 16};
        Pixels alpha{};
        Pixels sum[3] = {};
        for (int k = 0; k < 4; ++k) {
            const Pixels w = (area[k] * (corner[k] >> 24)) >> 16;
            alpha += w;
            sum[0] += ((corner[k] >> 16) & 0xFF) * w;
            sum[1] += ((corner[k] >> 8) & 0xFF) * w;
            sum[2] += (corner[k] & 0xFF) * w;
        }
        Words words;
        std::memcpy(&words, out + i, sizeof words);
        const Pixels d = __builtin_convertvector(words, Pixels);
        Pixels value{};
        for (int c = 0; c < 3; ++c) {
            const int n = L::kBits[c];
            const uint32_t max = (1u << n) - 1;
            const Pixels dc = (d >> L::kShift[c]) & max;
            Pixels channel;
            if (additive) {
                const Pixels x =
                    c == 0 ? ((sum[0] >> (16 - n)) * tint[0]) >> 8 : (sum[c] * tint[c]) >> (24 - n);
                const Pixels total = dc + x;
                channel = total > max ? max : total;
            } else {
                channel = (sum[c] >> (16 - n)) + ((dc * (256 - alpha)) >> 8);
            }
            value += channel << L::kShift[c];
        }
        words = __builtin_convertvector(value, Words);
        std::memcpy(out + i, &words, sizeof words);
    }
    return i;
}

} // namespace

void OverRows(const NativeRows& rows) {
    Blend::RunKernel<OverRowsBody>(rows);
}

void AddRows(const NativeRows& rows, const uint32_t (&tint)[3], bool white) {
    Blend::RunKernel<AddRowsBody>(rows, tint, white);
}

void TintedRows(const NativeRows& rows, const uint32_t (&tint)[3], uint32_t colourAlpha) {
    Blend::RunKernel<TintedRowsBody>(rows, tint, colourAlpha);
}

int RotatedGroups(int format, uint8_t* out, const Blend::RotatedSpan& span, int count,
                  bool additive, const uint32_t (&tint)[3]) {
    auto* wide = reinterpret_cast<uint32_t*>(out);
    auto* narrow = reinterpret_cast<uint16_t*>(out);
    switch (format) {
    case 0x888:
        return Blend::RunKernel<RotatedGroupsBody<uint32_t, Channels888>>(wide, span, count,
                                                                          additive, tint);
    case 0x565:
        return Blend::RunKernel<RotatedGroupsBody<uint16_t, Channels565>>(narrow, span, count,
                                                                          additive, tint);
    case 0x555:
        return Blend::RunKernel<RotatedGroupsBody<uint16_t, Channels555>>(narrow, span, count,
                                                                          additive, tint);
    default:
        return 0;
    }
}

} // namespace Vuro::SurfaceRows
