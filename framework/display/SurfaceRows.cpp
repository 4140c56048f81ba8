#include "framework/display/SurfaceRows.h"

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

VURO_LANES void BlendRowBody(uint32_t* out, const uint32_t* native, int count) {
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        const Pixels p = Load(native + i);
        Store(out + i, p + FadedGroup(Load(out + i), 256 - AlphaLanes(p)));
    }
    for (; i < count; ++i) {
        out[i] = native[i] + Faded(out[i], 256 - (native[i] >> 24));
    }
}

void BlendRow(uint32_t* out, const uint32_t* native, int count) {
    Blend::RunKernel<BlendRowBody>(out, native, count);
}

VURO_LANES void AddRowBody(uint32_t* out, const uint32_t* native, int count) {
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        Store(out + i, AddSaturated(Load(out + i) & 0xFFFFFF, Load(native + i) & 0xFFFFFF));
    }
    for (; i < count; ++i) {
        out[i] = AddChannels(out[i], native[i]);
    }
}

void AddRow(uint32_t* out, const uint32_t* native, int count) {
    Blend::RunKernel<AddRowBody>(out, native, count);
}

VURO_LANES void AddTintedRowBody(uint32_t* out, const uint32_t* native, int count,
                                 const uint32_t (&tint)[3]) {
    const Lanes blueRedTint = Pair(tint[2], tint[0]);
    const Lanes greenTint = Pair(tint[1], 0);
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        const Pixels amount = TintedGroup(Load(native + i), blueRedTint, greenTint);
        Store(out + i, AddSaturated(Load(out + i) & 0xFFFFFF, amount));
    }
    for (; i < count; ++i) {
        out[i] = AddChannels(out[i], TintedChannels(native[i], tint));
    }
}

void AddTintedRow(uint32_t* out, const uint32_t* native, int count, const uint32_t (&tint)[3]) {
    Blend::RunKernel<AddTintedRowBody>(out, native, count, tint);
}

} // namespace Vuro::SurfaceRows
