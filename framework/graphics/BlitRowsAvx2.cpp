#include "framework/graphics/BlitRowsAvx2.h"

#include "framework/graphics/BlitLanes.h"

#include "platform/CpuFeatures.h"

#include <algorithm>
#include <type_traits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace Vuro::Blend::Avx2 {

bool Available() {
    return Platform::HasAvx2() && Platform::HasFma();
}

#if defined(__x86_64__)

namespace {

#define VURO_AVX2 __attribute__((target("avx2,fma")))
#define VURO_AVX2_INLINE __attribute__((target("avx2,fma"), always_inline)) inline

// Four 16-bit lanes of every pixel: blue, green, red, alpha.
VURO_AVX2_INLINE __m256i PerLane(uint64_t b, uint64_t g, uint64_t r, uint64_t a) {
    return _mm256_set1_epi64x(static_cast<long long>(b | (g << 16) | (r << 32) | (a << 48)));
}

// Every pixel's alpha (byte 3) under its blue, green and red 16-bit lanes, the alpha lane 0:
// for pixels 0 and 1 of each 128-bit half (low) and pixels 2 and 3 (high), as the byte
// unpacks place them. -1 gives a zero byte.
VURO_AVX2_INLINE __m256i AlphaUnder(__m256i s, bool high) {
    const char a = high ? 11 : 3;
    const char b = high ? 15 : 7;
    return _mm256_shuffle_epi8(s, _mm256_setr_epi8(a, -1, a, -1, a, -1, -1, -1, b, -1, b, -1, b, -1,
                                                   -1, -1, a, -1, a, -1, a, -1, -1, -1, b, -1, b,
                                                   -1, b, -1, -1, -1));
}

// The terms x of AdditiveRef for eight pixels, in pixel order with alpha bytes 0. Each is at
// most 255, so table[d + x] is the saturating byte add. With a channel c in the high byte of a
// 16-bit lane (unpacked under zero bytes), the high half of its product with k is
// c * 256 * k >> 16 = c * k >> 8; the terms pack back into bytes in pixel order.
template <AdditiveForm Form>
VURO_AVX2_INLINE __m256i AdditiveTerms(__m256i s, __m256i m, __m256i blueMask) {
    const __m256i zero = _mm256_setzero_si256();
    if constexpr (Form == AdditiveForm::White) {
        return _mm256_and_si256(s, _mm256_set1_epi32(0x00FFFFFF));
    } else if constexpr (Form == AdditiveForm::WhiteAlpha) {
        // c * alpha >> 8.
        return _mm256_packus_epi16(
            _mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, s), AlphaUnder(s, false)),
            _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, s), AlphaUnder(s, true)));
    } else if constexpr (Form == AdditiveForm::Tinted) {
        // c * m >> 8; the alpha lane's m is 0.
        return _mm256_packus_epi16(_mm256_mulhi_epu16(_mm256_unpacklo_epi8(zero, s), m),
                                   _mm256_mulhi_epu16(_mm256_unpackhi_epi8(zero, s), m));
    } else {
        // t = c * m is below 2^16. Red and green: t * alpha >> 16, the high half. Blue:
        // (t >> 8) * alpha >> 8, the high half of t with its low byte cleared.
        const __m256i low =
            _mm256_and_si256(_mm256_mullo_epi16(_mm256_unpacklo_epi8(s, zero), m), blueMask);
        const __m256i high =
            _mm256_and_si256(_mm256_mullo_epi16(_mm256_unpackhi_epi8(s, zero), m), blueMask);
        return _mm256_packus_epi16(_mm256_mulhi_epu16(low, AlphaUnder(s, false)),
                                   _mm256_mulhi_epu16(high, AlphaUnder(s, true)));
    }
}

template <AdditiveForm Form>
VURO_AVX2 int AdditiveGroupsOf(uint32_t* out, const uint32_t* src, int count,
                               const uint32_t (&m)[3]) {
    const __m256i mLanes = PerLane(m[2], m[1], m[0], 0);
    const __m256i blueMask = PerLane(0xFF00, 0xFFFF, 0xFFFF, 0);
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    constexpr bool kWeighted =
        Form == AdditiveForm::WhiteAlpha || Form == AdditiveForm::TintedAlpha;
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        // The weighted forms add nothing for alpha 0: a transparent group is left alone.
        if (kWeighted && _mm256_testz_si256(s, alphaBytes)) {
            continue;
        }
        __m256i* to = reinterpret_cast<__m256i*>(out + i);
        // Fast path: an opaque group's untinted weighted terms c * 255 >> 8 are c - 1 where c
        // is not 0, the saturating byte subtraction of 1 (of 255 from alpha, leaving 0).
        const __m256i terms =
            Form == AdditiveForm::WhiteAlpha && _mm256_testc_si256(s, alphaBytes)
                ? _mm256_subs_epu8(s, _mm256_set1_epi32(static_cast<int>(0xFF010101u)))
                : AdditiveTerms<Form>(s, mLanes, blueMask);
        _mm256_storeu_si256(to, _mm256_adds_epu8(_mm256_loadu_si256(to), terms));
    }
    return i;
}

// Fast path: the tinted blit where its new alpha is 255 (over an opaque destination, or at a
// weight of 255), so that its weight f is sa itself. With t = sc f (below 2^16) and
// X = t c >> 8 (the high half of t times c in the high byte of a lane), red and green are
// (X + dc g) >> 8, and blue (t c >> 16) + (dc g >> 8) is ((X with its low byte cleared) + dc g)
// >> 8; each sum stays below 2^16 because its quotient by 256 is a channel value. A weight of 0
// gives d g >> 8 = d, so over an opaque destination no pixel needs to be kept apart.
VURO_AVX2 int TintedGroupsOf(uint32_t* out, const uint32_t* src, int count, const Color& c) {
    const __m256i zero = _mm256_setzero_si256();
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i lowBytes = _mm256_set1_epi32(0x00FF00FF);
    const __m256i tintAlpha = _mm256_set1_epi32(c.mAlpha);
    const __m256i tintBR = _mm256_set1_epi32((c.mBlue << 8) | (c.mRed << 24));
    const __m256i tintGA = _mm256_set1_epi32(c.mGreen << 8);
    const __m256i blueHigh = _mm256_set1_epi32(static_cast<int>(0xFFFFFF00u));
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src + i));
        __m256i* to = reinterpret_cast<__m256i*>(out + i);
        const __m256i d = _mm256_loadu_si256(to);
        // sa = s.alpha * c.alpha / 255 on 32-bit lanes, as DivideBy255.
        const __m256i x = _mm256_mullo_epi16(_mm256_srli_epi32(s, 24), tintAlpha);
        const __m256i sa = _mm256_srli_epi32(
            _mm256_add_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(1)), _mm256_srli_epi32(x, 8)),
            8);
        // A group of weight 0 leaves the destination as it is.
        if (_mm256_testz_si256(sa, sa)) {
            continue;
        }
        __m256i keep = zero;
        if (!_mm256_testc_si256(d, alphaBytes)) {
            keep = _mm256_cmpeq_epi32(sa, zero);
            const __m256i fast = _mm256_or_si256(
                _mm256_or_si256(keep, _mm256_cmpeq_epi32(sa, _mm256_set1_epi32(255))),
                _mm256_cmpeq_epi32(_mm256_and_si256(d, alphaBytes), alphaBytes));
            if (_mm256_movemask_epi8(fast) != -1) {
                return i;
            }
        }
        const __m256i f = _mm256_or_si256(sa, _mm256_slli_epi32(sa, 16));
        const __m256i g = _mm256_sub_epi16(_mm256_set1_epi16(256), f);
        const __m256i sBR = _mm256_and_si256(s, lowBytes);
        const __m256i sGA = _mm256_and_si256(_mm256_srli_epi32(s, 8), lowBytes);
        const __m256i dBR = _mm256_and_si256(d, lowBytes);
        const __m256i dGA = _mm256_and_si256(_mm256_srli_epi32(d, 8), lowBytes);
        const __m256i xBR =
            _mm256_and_si256(_mm256_mulhi_epu16(_mm256_mullo_epi16(sBR, f), tintBR), blueHigh);
        const __m256i xGA = _mm256_mulhi_epu16(_mm256_mullo_epi16(sGA, f), tintGA);
        const __m256i blueRed =
            _mm256_srli_epi16(_mm256_add_epi16(xBR, _mm256_mullo_epi16(dBR, g)), 8);
        // The alpha lane's tint is 0: its value is dropped under the alpha byte.
        const __m256i greenAlpha =
            _mm256_srli_epi16(_mm256_add_epi16(xGA, _mm256_mullo_epi16(dGA, g)), 8);
        const __m256i mixed =
            _mm256_or_si256(_mm256_or_si256(blueRed, _mm256_slli_epi32(greenAlpha, 8)), alphaBytes);
        _mm256_storeu_si256(to, _mm256_blendv_epi8(mixed, d, keep));
    }
    return i;
}

// [normal compositing]

VURO_AVX2_INLINE __m256i LoadGroup(const uint32_t* words) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(words));
}

VURO_AVX2_INLINE void StoreGroup(uint32_t* words, __m256i group) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(words), group);
}

// MixFields on 16-bit lanes with each pixel's weight f in both lanes of its pairs (fPair); the
// alpha byte is 0. Red and green are (s f + d g) >> 8, green left where it lies, in the high
// byte of its lane's sum; blue adds its two truncated terms, which is ((s f with its low byte
// cleared) + d g) >> 8. Every sum is at most 255 * 256.
VURO_AVX2_INLINE __m256i MixGroup(__m256i d, __m256i s, __m256i fPair) {
    const __m256i lowBytes = _mm256_set1_epi32(0x00FF00FF);
    const __m256i g = _mm256_sub_epi16(_mm256_set1_epi16(256), fPair);
    const __m256i sf = _mm256_and_si256(_mm256_mullo_epi16(_mm256_and_si256(s, lowBytes), fPair),
                                        _mm256_set1_epi32(static_cast<int>(0xFFFFFF00u)));
    const __m256i blueRed = _mm256_srli_epi16(
        _mm256_add_epi16(sf, _mm256_mullo_epi16(_mm256_and_si256(d, lowBytes), g)), 8);
    const __m256i green = _mm256_and_si256(
        _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(s, 8), lowBytes), fPair),
            _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(d, 8), lowBytes), g)),
        _mm256_set1_epi32(0xFF00));
    return _mm256_or_si256(blueRed, green);
}

// Fast path: an opaque source group over any destination. Its alpha is 255 and its weight 255
// (g = 1), so red and green are (dc + 255 sc) >> 8 = sc - (dc < sc) (the difference is below
// 256) and blue, whose terms truncate apart, 255 sc >> 8 = sc - (sc > 0): byte comparisons and
// steps instead of products. Each is sc - 1 + (sc <= x), with x the destination's red and green,
// 0 for blue and 255 for the alpha (which stays 255); sc <= x is a zero saturated difference,
// all ones (-1) in its byte.
VURO_AVX2_INLINE __m256i OpaqueSourceOf(__m256i d, __m256i s) {
    const __m256i x = _mm256_or_si256(_mm256_and_si256(d, _mm256_set1_epi32(0x00FFFF00)),
                                      _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
    const __m256i notAbove = _mm256_cmpeq_epi8(_mm256_subs_epu8(s, x), _mm256_setzero_si256());
    return _mm256_sub_epi8(_mm256_add_epi8(s, _mm256_set1_epi8(-1)), notAbove);
}

// Normal compositing of a group whose result needs no division. Fast path: an opaque source
// group (OpaqueSourceOf); over an opaque destination the new alpha is 255 and the weight sa
// itself, and a weight of 0 gives d back (d 256 >> 8), so no pixel is kept apart; a
// transparent group leaves the destination as it is. False for any other group, with *result
// untouched.
VURO_AVX2_INLINE bool EasyGroup(__m256i d, __m256i s, __m256i* result) {
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    if (_mm256_testc_si256(s, alphaBytes)) {
        *result = OpaqueSourceOf(d, s);
        return true;
    }
    if (_mm256_testc_si256(d, alphaBytes)) {
        const __m256i alphaPair = _mm256_shuffle_epi8(
            s, _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1,
                                3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1));
        *result = _mm256_or_si256(MixGroup(d, s, alphaPair), alphaBytes);
        return true;
    }
    if (_mm256_testz_si256(s, alphaBytes)) {
        *result = d;
        return true;
    }
    return false;
}

// What normal compositing of a group mixes with: each pixel's weight f = 255 sa / newAlpha in
// both 16-bit lanes of its pairs, and its new alpha in the alpha byte.
struct Weights {
    __m256i mPair;
    __m256i mAlpha;
};

// 255 sa / newAlpha truncated (newAlpha at least sa and at most 255), each operand 65536 times
// its value. Division: both operands are exact, and the true quotient is never within a float's
// rounding of the next whole number, so its truncation is the integer quotient. Reciprocal, fast
// path: the divider (slow on some processors) is left alone. The estimate's relative error,
// below 1.5 * 2^-12, is squared by one Newton step, so with the roundings on the way the product
// is within 1.2e-4 of the quotient. With a divisor of at most 255 the quotient is whole or its
// fraction lies between 1/255 and 254/255, so adding 1/512 before the truncation gives the
// integer quotient in both cases. Both are checked for every alpha pair by the tests.
template <QuotientForm Form> VURO_AVX2_INLINE __m256i QuotientOf(__m256 dividend, __m256 divisor) {
    if constexpr (Form == QuotientForm::Division) {
        return _mm256_cvttps_epi32(_mm256_div_ps(dividend, divisor));
    } else {
        const __m256 estimate = _mm256_rcp_ps(divisor);
        const __m256 refined = _mm256_fmadd_ps(
            estimate, _mm256_fnmadd_ps(divisor, estimate, _mm256_set1_ps(1.0f)), estimate);
        return _mm256_cvttps_epi32(_mm256_fmadd_ps(dividend, refined, _mm256_set1_ps(1.0f / 512)));
    }
}

// Fast path: the alphas are worked in the high 16-bit lane of each pixel, where the alpha bytes
// lie, so that few of them need shifts. The high half of the product of (255 - da) << 8 and
// sa << 8 is (255 - da) sa, and its quotient by 255 the high half of its product with 0x8081
// shifted by 7 (exact up to 255 * 255). The weight is the quotient of 255 sa by newAlpha, each
// 65536 times its value there. newAlpha 0 (only with sa 0, whose weight 0 keeps d) makes the
// quotient not a number, whose integer 0x80000000 has the low half 0 that the pair is made of.
template <QuotientForm Form> VURO_AVX2_INLINE Weights WeightsOf(__m256i d, __m256i s) {
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i sAlpha = _mm256_and_si256(s, alphaBytes);
    const __m256i x = _mm256_mulhi_epu16(_mm256_andnot_si256(d, alphaBytes), sAlpha);
    const __m256i quotient = _mm256_srli_epi16(
        _mm256_mulhi_epu16(x, _mm256_set1_epi32(static_cast<int>(0x80810000u))), 7);
    const __m256i newAlpha = _mm256_add_epi16(
        _mm256_and_si256(_mm256_srli_epi32(d, 8), _mm256_set1_epi32(0x00FF0000)), quotient);
    const __m256i f = QuotientOf<Form>(
        _mm256_mul_ps(_mm256_cvtepi32_ps(_mm256_srli_epi32(sAlpha, 8)), _mm256_set1_ps(255.0f)),
        _mm256_cvtepi32_ps(newAlpha));
    const __m256i pair = _mm256_shuffle_epi8(f, _mm256_setr_epi8(0, 1, 0, 1, 4, 5, 4, 5, 8, 9, 8, 9,
                                                                 12, 13, 12, 13, 0, 1, 0, 1, 4, 5,
                                                                 4, 5, 8, 9, 8, 9, 12, 13, 12, 13));
    return {pair, _mm256_slli_epi32(newAlpha, 8)};
}

VURO_AVX2_INLINE __m256i MixWith(__m256i d, __m256i s, const Weights& w) {
    return _mm256_or_si256(MixGroup(d, s, w.mPair), w.mAlpha);
}

// Normal compositing of a group over any destination.
template <QuotientForm Form> VURO_AVX2_INLINE __m256i NormalOf(__m256i d, __m256i s) {
    __m256i result;
    return EasyGroup(d, s, &result) ? result : MixWith(d, s, WeightsOf<Form>(d, s));
}

// The translucent fill's colour, its products made once.
struct FillColour {
    __m256i mColour;
    __m256i mKeep;       // 256 - alpha in every 16-bit lane
    __m256i mBlueRed;    // its blue and red times alpha, blue's low byte cleared
    __m256i mGreenAlpha; // its green and alpha times alpha
};

// Fast path: over an opaque group (one test of the alpha bytes) red and blue are
// (d g + s f) >> 8 with blue's s f low byte cleared (its two truncated terms in one sum), green
// (d g + s f) >> 8, alpha 255; the alpha lane's sum, below 2^16, lands under the alpha byte,
// which becomes 255. Any other group takes NormalOf.
template <QuotientForm Form> VURO_AVX2_INLINE __m256i FillOf(__m256i d, const FillColour& c) {
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i lowBytes = _mm256_set1_epi32(0x00FF00FF);
    if (!_mm256_testc_si256(d, alphaBytes)) {
        return NormalOf<Form>(d, c.mColour);
    }
    const __m256i blueRed = _mm256_srli_epi16(
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(d, lowBytes), c.mKeep), c.mBlueRed),
        8);
    const __m256i greenAlpha = _mm256_srli_epi16(
        _mm256_add_epi16(
            _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(d, 8), lowBytes), c.mKeep),
            c.mGreenAlpha),
        8);
    return _mm256_or_si256(_mm256_or_si256(blueRed, _mm256_slli_epi32(greenAlpha, 8)), alphaBytes);
}

// A pixel's result depends on its own value alone, so the first and the last group of a run
// are worked from the pixels as they were, before the aligned groups between them, and stored
// after them: where they overlap those groups they write the same results again. The aligned
// groups' stores then never cross a cache line, and no pixel is copied aside. A run shorter
// than a group goes through one group padded with opaque black.
template <QuotientForm Form>
VURO_AVX2 void NormalFillOf(uint32_t* out, uint32_t colour, int count) {
    const __m256i lowBytes = _mm256_set1_epi32(0x00FF00FF);
    const int sa = static_cast<int>(colour >> 24);
    const __m256i f = _mm256_set1_epi16(static_cast<short>(sa));
    FillColour c;
    c.mColour = _mm256_set1_epi32(static_cast<int>(colour));
    c.mKeep = _mm256_set1_epi16(static_cast<short>(256 - sa));
    c.mBlueRed = _mm256_and_si256(_mm256_mullo_epi16(_mm256_and_si256(c.mColour, lowBytes), f),
                                  _mm256_set1_epi32(static_cast<int>(0xFFFFFF00u)));
    c.mGreenAlpha =
        _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(c.mColour, 8), lowBytes), f);
    if (count < 8) {
        uint32_t words[8] = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u,
                             0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
        Simd::CopyFew(words, out, count);
        StoreGroup(words, FillOf<Form>(LoadGroup(words), c));
        Simd::CopyFew(out, words, count);
        return;
    }
    const __m256i first = FillOf<Form>(LoadGroup(out), c);
    const __m256i last = FillOf<Form>(LoadGroup(out + count - 8), c);
    // Two groups a pass: over an opaque destination a group's work is little more than the
    // loop's own test and branch, and with one group a pass the row's speed came to depend on
    // where the loop lay in the program by a tenth.
    int i = static_cast<int>((32 - (reinterpret_cast<uintptr_t>(out) & 31)) & 31) / 4;
    for (; i + 16 <= count; i += 16) {
        StoreGroup(out + i, FillOf<Form>(LoadGroup(out + i), c));
        StoreGroup(out + i + 8, FillOf<Form>(LoadGroup(out + i + 8), c));
    }
    if (i + 8 <= count) {
        StoreGroup(out + i, FillOf<Form>(LoadGroup(out + i), c));
    }
    StoreGroup(out, first);
    StoreGroup(out + count - 8, last);
}

// Fast path: the groups that need the division have their weights made first, up to kBatch of
// them, and are mixed afterwards. A group's mixing waits for its division, and made one after
// the other the groups would take that wait in turn; made apart, the divisions of a batch
// overlap. Each group's result depends on its own pixels alone, so the order changes nothing.
template <QuotientForm Form>
VURO_AVX2 int NormalGroupsOf(uint32_t* out, const uint32_t* src, int count) {
    constexpr int kBatch = 32;
    Weights weights[kBatch];
    int at[kBatch];
    int i = 0;
    while (i + 8 <= count) {
        int pending = 0;
        for (; pending < kBatch && i + 8 <= count; i += 8) {
            const __m256i d = LoadGroup(out + i);
            const __m256i s = LoadGroup(src + i);
            __m256i result;
            if (EasyGroup(d, s, &result)) {
                StoreGroup(out + i, result);
            } else {
                weights[pending] = WeightsOf<Form>(d, s);
                at[pending++] = i;
            }
        }
        for (int k = 0; k < pending; ++k) {
            StoreGroup(out + at[k],
                       MixWith(LoadGroup(out + at[k]), LoadGroup(src + at[k]), weights[k]));
        }
    }
    return i;
}

// [nearest samples]

// Fast path: the samples of a group read as two groups of the row from its first column on and
// picked out of them by permutes (the gather instruction reads each word on its own, slower).
// False where the group's columns do not lie within sixteen pixels from its first one, or
// these pass the row's width.
VURO_AVX2_INLINE bool SampleGroup(const uint32_t* row, int width, const int* columns,
                                  __m256i* samples) {
    // The columns never decrease: the last one bounds them all.
    const int first = columns[0];
    if (first < 0 || first > width - 16 || columns[7] - first > 15) {
        return false;
    }
    const __m256i at = _mm256_sub_epi32(
        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(columns)), _mm256_set1_epi32(first));
    const __m256i near = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + first));
    const __m256i far = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + first + 8));
    *samples = _mm256_blendv_epi8(_mm256_permutevar8x32_epi32(near, at),
                                  _mm256_permutevar8x32_epi32(far, at),
                                  _mm256_cmpgt_epi32(at, _mm256_set1_epi32(7)));
    return true;
}

VURO_AVX2 int SampleGroupsOf(uint32_t* out, const uint32_t* row, int width, const int* columns,
                             int count) {
    int i = 0;
    for (__m256i s; i + 8 <= count && SampleGroup(row, width, columns + i, &s); i += 8) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), s);
    }
    return i;
}

template <QuotientForm Form>
VURO_AVX2 int NormalSampledGroupsOf(uint32_t* out, const uint32_t* row, int width,
                                    const int* columns, int count) {
    int i = 0;
    for (__m256i s; i + 8 <= count && SampleGroup(row, width, columns + i, &s); i += 8) {
        __m256i* to = reinterpret_cast<__m256i*>(out + i);
        _mm256_storeu_si256(to, NormalOf<Form>(_mm256_loadu_si256(to), s));
    }
    return i;
}

// Fast path: the rotated row's samples eight at a time, their corners gathered. Every term
// fits a 16-bit lane: the areas and weights are high halves of 16-bit products, a channel's
// weighted sum is at most 255 * 255, and over an opaque destination (kept 0, new alpha 255, a
// division by 256) the numerator (dc * 255 >> 8) t + sum is at most 254 t + 255 (256 - t).
VURO_AVX2 int RotatedGroupsOf(uint32_t* out, const RotatedSpan& span, int count) {
    const __m256i alphaBytes = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
    const __m256i lowBytes = _mm256_set1_epi32(0x00FF00FF);
    const __m256i channel = _mm256_set1_epi32(0xFF);
    const __m256i whole = _mm256_set1_epi32(65536);
    const __m256i fraction = _mm256_set1_epi32(0xFFFE);
    const __m256i one = _mm256_set1_epi32(1);
    const __m256i steps = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
    const int du = static_cast<int>(span.mDU);
    const int dv = static_cast<int>(span.mDV);
    __m256i u = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(span.mU)),
                                 _mm256_mullo_epi32(steps, _mm256_set1_epi32(du)));
    __m256i v = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(span.mV)),
                                 _mm256_mullo_epi32(steps, _mm256_set1_epi32(dv)));
    const __m256i groupU = _mm256_set1_epi32(8 * du);
    const __m256i groupV = _mm256_set1_epi32(8 * dv);
    const __m256i stride = _mm256_set1_epi32(span.mStride);
    const auto* bits = reinterpret_cast<const int*>(span.mBits);
    int i = 0;
    for (; i + 8 <= count;
         i += 8, u = _mm256_add_epi32(u, groupU), v = _mm256_add_epi32(v, groupV)) {
        const __m256i x = _mm256_add_epi32(_mm256_srli_epi32(u, 16), _mm256_set1_epi32(span.mX));
        const __m256i y = _mm256_add_epi32(_mm256_srli_epi32(v, 16), _mm256_set1_epi32(span.mY));
        const __m256i at = _mm256_add_epi32(_mm256_mullo_epi32(y, stride), x);
        const __m256i corner[4] = {_mm256_i32gather_epi32(bits, at, 4),
                                   _mm256_i32gather_epi32(bits + 1, at, 4),
                                   _mm256_i32gather_epi32(bits + span.mStride, at, 4),
                                   _mm256_i32gather_epi32(bits + span.mStride + 1, at, 4)};
        const __m256i fx = _mm256_add_epi32(_mm256_and_si256(u, fraction), one);
        const __m256i fy = _mm256_add_epi32(_mm256_and_si256(v, fraction), one);
        const __m256i gx = _mm256_sub_epi32(whole, fx);
        const __m256i gy = _mm256_sub_epi32(whole, fy);
        const __m256i area[4] = {_mm256_mulhi_epu16(gx, gy), _mm256_mulhi_epu16(fx, gy),
                                 _mm256_mulhi_epu16(gx, fy), _mm256_mulhi_epu16(fx, fy)};
        __m256i alpha = _mm256_setzero_si256();
        __m256i sumBR = _mm256_setzero_si256();
        __m256i sumG = _mm256_setzero_si256();
        for (int k = 0; k < 4; ++k) {
            const __m256i w = _mm256_mulhi_epu16(area[k], _mm256_srli_epi32(corner[k], 24));
            alpha = _mm256_add_epi32(alpha, w);
            sumBR = _mm256_add_epi16(
                sumBR, _mm256_mullo_epi16(_mm256_and_si256(corner[k], lowBytes),
                                          _mm256_or_si256(w, _mm256_slli_epi32(w, 16))));
            sumG = _mm256_add_epi16(
                sumG,
                _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(corner[k], 8), channel), w));
        }
        // Samples of alpha 0 leave the destination as it is.
        if (_mm256_testz_si256(alpha, alpha)) {
            continue;
        }
        __m256i* to = reinterpret_cast<__m256i*>(out + i);
        const __m256i d = _mm256_loadu_si256(to);
        const __m256i keep = _mm256_cmpeq_epi32(alpha, _mm256_setzero_si256());
        const __m256i opaque = _mm256_cmpgt_epi32(alpha, _mm256_set1_epi32(250));
        const __m256i replaced =
            _mm256_or_si256(_mm256_or_si256(_mm256_srli_epi16(sumBR, 8),
                                            _mm256_slli_epi32(_mm256_srli_epi32(sumG, 8), 8)),
                            alphaBytes);
        __m256i mixed = replaced;
        if (_mm256_movemask_epi8(_mm256_or_si256(keep, opaque)) != -1) {
            if (!_mm256_testc_si256(d, alphaBytes)) {
                return i;
            }
            const __m256i t = _mm256_sub_epi32(_mm256_set1_epi32(256), alpha);
            const __m256i dBR = _mm256_srli_epi16(
                _mm256_mullo_epi16(_mm256_and_si256(d, lowBytes), _mm256_set1_epi16(255)), 8);
            const __m256i dG = _mm256_srli_epi16(
                _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(d, 8), channel),
                                   _mm256_set1_epi32(255)),
                8);
            // Only whole multiples of 256 of the sums count.
            const __m256i blueRed = _mm256_srli_epi16(
                _mm256_add_epi16(
                    _mm256_mullo_epi16(dBR, _mm256_or_si256(t, _mm256_slli_epi32(t, 16))),
                    _mm256_and_si256(sumBR, _mm256_set1_epi32(static_cast<int>(0xFF00FF00u)))),
                8);
            const __m256i green = _mm256_srli_epi16(
                _mm256_add_epi16(_mm256_mullo_epi16(dG, t),
                                 _mm256_and_si256(sumG, _mm256_set1_epi32(0xFF00))),
                8);
            const __m256i blended =
                _mm256_or_si256(_mm256_or_si256(blueRed, _mm256_slli_epi32(green, 8)), alphaBytes);
            mixed = _mm256_blendv_epi8(blended, replaced, opaque);
        }
        _mm256_storeu_si256(to, _mm256_blendv_epi8(mixed, d, keep));
    }
    return i;
}

// Calls run with the active quotient form as a constant.
template <typename Run> auto InQuotientForm(Run run) {
    if (ActiveQuotientForm() == QuotientForm::Division) {
        return run(std::integral_constant<QuotientForm, QuotientForm::Division>{});
    }
    return run(std::integral_constant<QuotientForm, QuotientForm::Reciprocal>{});
}

} // namespace

void NormalFill(uint32_t* out, uint32_t colour, int count) {
    InQuotientForm([&](auto form) { NormalFillOf<form()>(out, colour, count); });
}

int NormalGroups(uint32_t* out, const uint32_t* src, int count) {
    return InQuotientForm([&](auto form) { return NormalGroupsOf<form()>(out, src, count); });
}

int NormalSampledGroups(uint32_t* out, const uint32_t* row, int width, const int* columns,
                        int count) {
    return InQuotientForm(
        [&](auto form) { return NormalSampledGroupsOf<form()>(out, row, width, columns, count); });
}

int SampleGroups(uint32_t* out, const uint32_t* row, int width, const int* columns, int count) {
    return SampleGroupsOf(out, row, width, columns, count);
}

int RotatedGroups(uint32_t* out, const RotatedSpan& span, int count) {
    return RotatedGroupsOf(out, span, count);
}

int TintedGroups(uint32_t* out, const uint32_t* src, int count, const Color& c) {
    return TintedGroupsOf(out, src, count, c);
}

int AdditiveGroups(AdditiveForm form, uint32_t* out, const uint32_t* src, int count,
                   const uint32_t (&m)[3]) {
    switch (form) {
    case AdditiveForm::White:
        return AdditiveGroupsOf<AdditiveForm::White>(out, src, count, m);
    case AdditiveForm::WhiteAlpha:
        return AdditiveGroupsOf<AdditiveForm::WhiteAlpha>(out, src, count, m);
    case AdditiveForm::Tinted:
        return AdditiveGroupsOf<AdditiveForm::Tinted>(out, src, count, m);
    case AdditiveForm::TintedAlpha:
        return AdditiveGroupsOf<AdditiveForm::TintedAlpha>(out, src, count, m);
    }
    return 0;
}

#else

int AdditiveGroups(AdditiveForm, uint32_t*, const uint32_t*, int, const uint32_t (&)[3]) {
    return 0;
}

int TintedGroups(uint32_t*, const uint32_t*, int, const Color&) {
    return 0;
}

int SampleGroups(uint32_t*, const uint32_t*, int, const int*, int) {
    return 0;
}

void NormalFill(uint32_t*, uint32_t, int) {}

int NormalGroups(uint32_t*, const uint32_t*, int) {
    return 0;
}

int NormalSampledGroups(uint32_t*, const uint32_t*, int, const int*, int) {
    return 0;
}

int RotatedGroups(uint32_t*, const RotatedSpan&, int) {
    return 0;
}

#endif

} // namespace Vuro::Blend::Avx2
