// The rasteriser's span of centred samples (SWTriTexelSpan): a sprite drawn through a matrix
// that only moves it by whole pixels reads one texel per pixel, so the bilinear fetch reduces
// to a per-texel function and the span runs on 16-bit lanes.

#include "framework/graphics/SWTri.h"

#include "framework/graphics/BlitLanes.h"

namespace Vuro {

namespace {

using namespace Blend::Simd;

// The centred sample of a texel of alpha a: its bilinear weight 65535 * 65535 >> 16 = 65534
// scales a to 65534 a >> 16, which is a - 1 for a >= 1 and 0 for 0; each channel becomes
// c (a - 1) >> 8, below the sample's alpha, so the sample is premultiplied.
inline uint32_t CentredTexel(uint32_t texel) {
    const uint32_t a = texel >> 24;
    const uint32_t weight = a - (a != 0);
    return (weight << 24) | (((texel & 0xFF00FF) * weight >> 8) & 0xFF00FF) |
           (((texel & 0xFF00) * weight >> 8) & 0xFF00);
}

// CentredTexel of eight texels on 16-bit lanes.
struct Sample {
    Lanes mWeight;    // the sample's alpha in every lane of its pixel
    Lanes mBlueRed;   // blue and red channels
    Lanes mGreenLane; // green in the even lanes, 0 in the odd ones
};

VURO_LANES Sample CentredSample(Pixels texels, Lanes evenLanes) {
    const Lanes a = AlphaLanes(texels);
    const Lanes weight = a + LanesBelow(Lanes{}, a);
    const Split s = SplitOf(texels);
    return {weight, (s.mBlueRed * weight) >> 8, ((s.mGreenAlpha * weight) >> 8) & evenLanes};
}

// CentredTexel of eight opaque texels, alpha bytes left to the caller: with weight 254 a
// channel becomes c * 254 >> 8, which is c less one for 1..128 and less two from 129 on (byte
// steps instead of products): the second step is min(c, 129) - min(c, 128).
VURO_LANES Pixels OpaqueCentredColour(Pixels texels) {
    using Bytes = uint8_t __attribute__((vector_size(32)));
    const Bytes secondStep = reinterpret_cast<Bytes>(MinBytes(texels, Pixels{} + 0x81818181u)) -
                             reinterpret_cast<Bytes>(MinBytes(texels, Pixels{} + 0x80808080u));
    return reinterpret_cast<Pixels>(reinterpret_cast<Bytes>(StepDownFromOne(texels)) - secondStep);
}

template <bool Composite, bool DestAlpha>
VURO_LANES void SpanOfBody(uint32_t* out, const uint32_t* texels, int count) {
    const Lanes evenLanes = Pair(0xFFFF, 0);
    const auto group = [&evenLanes](uint32_t* to, const uint32_t* from) VURO_LANES_LAMBDA {
        const Pixels texelsOf = Load(from);
        // Sprites are mostly runs of clear and of opaque texels: a group of weights all 0
        // leaves the destination, one of opaque texels is written by byte steps.
        const Pixels d = Load(to);
        const Pixels alpha = DestAlpha ? Pixels{} + 0xFF000000u : d & 0xFF000000u;
        // Opaque texels; where the destination's alpha counts, over opaque pixels only.
        const Pixels both = Composite && DestAlpha ? texelsOf & d : texelsOf;
        if (AllSet(AlphaOpaque(both))) {
            const Pixels colour = OpaqueCentredColour(texelsOf);
            Store(to, DestAlpha ? colour | alpha : (colour & 0x00FFFFFFu) | alpha);
            return;
        }
        if (Composite && AllSet(IsZero(texelsOf >> 25))) {
            return;
        }
        const Pixels destOpaque = DestAlpha ? AlphaOpaque(d) : Pixels{} - 1;
        const Sample s = CentredSample(texelsOf, evenLanes);
        const Pixels copied = Join(s.mBlueRed, s.mGreenLane) | alpha;
        if (!Composite) {
            Store(to, copied);
            return;
        }
        if (DestAlpha && !AllSet(destOpaque)) {
            for (int i = 0; i < kGroup; ++i) {
                to[i] = SWTriWrite<Composite, DestAlpha>(to[i], CentredTexel(from[i]));
            }
            return;
        }
        // Fast path: over an opaque destination the compositing divisor 256 - kept is 256, so
        // each channel is ((d * 255 >> 8) (256 - sa) + 256 sc) >> 8, and d * 255 >> 8 is d less
        // one from 1 on (StepDownFromOne). With sc < sa that sum is at most
        // 254 (256 - sa) + 256 (sa - 1) < 2^16 and its quotient at most 255, so the 16-bit
        // lanes hold it and the clamp to 255 never acts.
        const Split ds = SplitOf(StepDownFromOne(d));
        const Lanes rest = 256 - s.mWeight;
        const Lanes blueRed = (ds.mBlueRed * rest + (s.mBlueRed << 8)) >> 8;
        const Lanes green = (ds.mGreenAlpha * rest + (s.mGreenLane << 8)) >> 8;
        const Pixels mixed = Join(blueRed, green & evenLanes) | alpha;
        const Pixels weight = reinterpret_cast<Pixels>(s.mWeight) & 0xFFFF;
        const Pixels keep = IsZero(weight);
        const Pixels copy = AtLeast(weight, 251);
        Store(to, (d & keep) | (copied & copy) | (mixed & ~(keep | copy)));
    };
    if (count < kGroup) {
        for (int i = 0; i < count; ++i) {
            out[i] = SWTriWrite<Composite, DestAlpha>(out[i], CentredTexel(texels[i]));
        }
        return;
    }
    // The last few pixels are taken from the span's last eight, worked before the groups
    // change the ones it shares with them (a pixel's result depends on that pixel alone).
    const int tail = count % kGroup;
    uint32_t last[kGroup];
    if (tail != 0) {
        Store(last, Load(out + count - kGroup));
        group(last, texels + count - kGroup);
    }
    for (int i = 0; i + kGroup <= count; i += kGroup) {
        group(out + i, texels + i);
    }
    for (int k = kGroup - tail; k < kGroup; ++k) {
        out[count - kGroup + k] = last[k];
    }
}

template <bool Composite, bool DestAlpha>
void SpanOf(uint32_t* out, const uint32_t* texels, int count) {
    Blend::RunKernel<SpanOfBody<Composite, DestAlpha>>(out, texels, count);
}

} // namespace

void SWTriTexelSpan(uint32_t* out, const uint32_t* texels, int count, bool composite,
                    bool destAlpha) {
    if (composite) {
        destAlpha ? SpanOf<true, true>(out, texels, count)
                  : SpanOf<true, false>(out, texels, count);
    } else {
        destAlpha ? SpanOf<false, true>(out, texels, count)
                  : SpanOf<false, false>(out, texels, count);
    }
}

} // namespace Vuro
