#include "framework/graphics/SpriteRowsAvx2.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace Vuro::Blend::SpriteAvx2 {

#if defined(__x86_64__)

__attribute__((target("avx2"))) void AddTermsRows(uint32_t* out, size_t outStride,
                                                  const uint32_t* terms, size_t termsStride,
                                                  int width, int height) {
    const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
    // Lane k of the last group is used while k < width % 8.
    const int rest = width % 8;
    const __m256i lastLanes =
        _mm256_cmpgt_epi32(_mm256_set1_epi32(rest), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
    for (int row = 0; row < height; ++row, out += outStride, terms += termsStride) {
        int i = 0;
        for (; i + 8 <= width; i += 8) {
            const __m256i t = _mm256_and_si256(
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(terms + i)), colour);
            auto* to = reinterpret_cast<__m256i*>(out + i);
            _mm256_storeu_si256(to, _mm256_adds_epu8(_mm256_loadu_si256(to), t));
        }
        if (rest != 0) {
            auto* to = reinterpret_cast<int*>(out + i);
            const __m256i t = _mm256_and_si256(
                _mm256_maskload_epi32(reinterpret_cast<const int*>(terms + i), lastLanes), colour);
            _mm256_maskstore_epi32(to, lastLanes,
                                   _mm256_adds_epu8(_mm256_maskload_epi32(to, lastLanes), t));
        }
    }
}

#else

void AddTermsRows(uint32_t*, size_t, const uint32_t*, size_t, int, int) {}

#endif

} // namespace Vuro::Blend::SpriteAvx2
