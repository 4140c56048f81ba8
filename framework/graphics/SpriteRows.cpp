#include "framework/graphics/SpriteRows.h"

#include "framework/graphics/BlitLanes.h"

namespace Vuro::Blend {

namespace {

using namespace Simd;

// Groups wholly transparent or wholly opaque (a sprite's border and its body) are skipped or
// copied without reading the destination; the others are mixed and the two classes put back.
VURO_LANES void OverOpaqueGroup(uint32_t* out, Pixels s) {
    const Pixels clear = AlphaClear(s);
    if (AllSet(clear)) {
        return;
    }
    const Pixels solid = AlphaOpaque(s);
    if (AllSet(solid)) {
        Store(out, s);
        return;
    }
    const Pixels d = Load(out);
    const Pixels mixed = MixOpaque(SplitOf(d), SplitOf(s), AlphaLanes(s));
    Store(out, (d & clear) | (s & solid) | (mixed & ~(clear | solid)));
}

} // namespace

VURO_LANES void OverOpaqueRowsBody(uint32_t* out, size_t outStride, const uint32_t* src,
                                   size_t srcStride, int width, int height) {
    for (int row = 0; row < height; ++row, out += outStride, src += srcStride) {
        int i = 0;
        for (; i + kGroup <= width; i += kGroup) {
            OverOpaqueGroup(out + i, Load(src + i));
        }
        for (; i < width; ++i) {
            const uint32_t s = src[i];
            const uint32_t alpha = s >> 24;
            if (alpha == 255) {
                out[i] = s;
            } else if (alpha != 0) {
                out[i] = 0xFF000000u | MixFields(out[i], s, alpha);
            }
        }
    }
}

void OverOpaqueRows(uint32_t* out, size_t outStride, const uint32_t* src, size_t srcStride,
                    int width, int height) {
    Blend::RunKernel<OverOpaqueRowsBody>(out, outStride, src, srcStride, width, height);
}

// Each term is at most 255, so the sum's saturation is AdditiveRef's table[d + x]. This is the
// narrow form (the wide one is SpriteAvx2::AddTermsRows): on x86-64 the baseline's own
// saturating byte add, which the compiler does not make from AddSaturated's generic vectors.
void AddTermsRows(uint32_t* out, size_t outStride, const uint32_t* terms, size_t termsStride,
                  int width, int height) {
    for (int row = 0; row < height; ++row, out += outStride, terms += termsStride) {
        int i = 0;
#if defined(__x86_64__)
        const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
        for (; i + 4 <= width; i += 4) {
            auto* to = reinterpret_cast<__m128i*>(out + i);
            const __m128i t =
                _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(terms + i)), colour);
            _mm_storeu_si128(to, _mm_adds_epu8(_mm_loadu_si128(to), t));
        }
#else
        for (; i + kGroup <= width; i += kGroup) {
            Store(out + i, AddSaturated(Load(out + i), Load(terms + i) & 0x00FFFFFFu));
        }
#endif
        for (; i < width; ++i) {
            uint32_t sum = out[i] & 0xFF000000u;
            for (const int shift : {16, 8, 0}) {
                const uint32_t c = ((out[i] >> shift) & 0xFF) + ((terms[i] >> shift) & 0xFF);
                sum |= static_cast<uint32_t>(kAdd8BitMaxTable[c]) << shift;
            }
            out[i] = sum;
        }
    }
}

} // namespace Vuro::Blend
