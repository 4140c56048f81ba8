#include "framework/graphics/BlitRows.h"

#include "framework/graphics/BlitLanes.h"
#include "framework/graphics/BlitRowsAvx2.h"
#include "framework/graphics/RotatedSample.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace Vuro::Blend {

namespace {

using namespace Simd;

// Runs from this length on are filled by the string store, whose start-up costs more than a
// row of a small widget takes.
constexpr int kLongFill = 2048;

// Fast path: x / 255 for 0 <= x < 65535 without a division.
inline uint32_t DivideBy255(uint32_t x) {
    return (x + 1 + (x >> 8)) >> 8;
}

// Fast path: 255 * sa / newAlpha through a float division. Both operands are exact in a float
// and the true quotient (at most 255) is never within a float's rounding of the next whole
// number, so truncating the float quotient gives the integer quotient (checked for every
// alpha pair by the tests). newAlpha 0 (only with sa 0, whose result is discarded) divides by 1.
inline uint32_t Factor(uint32_t sa, uint32_t newAlpha) {
    const float divisor = static_cast<float>(newAlpha | (newAlpha == 0));
    return static_cast<uint32_t>(static_cast<int32_t>(static_cast<float>(255 * sa) / divisor));
}

// a when take is set, else b; written with masks so that no branch keeps the loop scalar.
inline uint32_t Select(bool take, uint32_t a, uint32_t b) {
    const uint32_t mask = 0u - static_cast<uint32_t>(take);
    return (a & mask) | (b & ~mask);
}

inline uint32_t NormalPixel(uint32_t d, uint32_t s, uint32_t sa) {
    const uint32_t da = d >> 24;
    const uint32_t newAlpha = da + DivideBy255((255 - da) * sa);
    const uint32_t result = (newAlpha << 24) | MixFields(d, s, Factor(sa, newAlpha));
    return Select(sa != 0, result, d);
}

// NormalPixel on a whole group: the same integer steps in 32-bit lanes and the same float
// division, lane by lane.
VURO_LANES Pixels NormalGroup(Pixels d, Pixels s, Pixels sa) {
    using Floats = float __attribute__((vector_size(32)));
    using Ints = int32_t __attribute__((vector_size(32)));
    const Pixels da = d >> 24;
    const Pixels x = (255 - da) * sa;
    const Pixels newAlpha = da + ((x + 1 + (x >> 8)) >> 8);
    const Pixels divisor = newAlpha | (IsZero(newAlpha) & 1);
    // The values fit in signed lanes, whose conversion is one instruction.
    const Floats quotient = __builtin_convertvector(reinterpret_cast<Ints>(255 * sa), Floats) /
                            __builtin_convertvector(reinterpret_cast<Ints>(divisor), Floats);
    const Pixels f = reinterpret_cast<Pixels>(__builtin_convertvector(quotient, Ints));
    const Pixels keep = IsZero(sa);
    return (d & keep) | (((newAlpha << 24) | MixFields(d, s, f)) & ~keep);
}

// Fast path: a group of opaque source pixels over any destination. Its alpha is 255 and its
// weight 255 (g = 1), so red and green are (dc + 255 sc) >> 8 = sc - (dc < sc) (the difference
// is below 256) and blue, whose terms truncate apart, 255 sc >> 8 = sc - (sc > 0): comparisons
// instead of products, made in 16-bit lanes by arithmetic (LanesBelow).
VURO_LANES Pixels OpaqueSourceGroup(Pixels d, Pixels s) {
    const Split dc = SplitOf(d);
    const Split sc = SplitOf(s);
    // Blue (the even lanes of blue-red) steps where it is above 0, red and green where the
    // destination's is below the source's; the alpha lanes are overwritten with 255.
    const Lanes blueSteps = LanesBelow(Lanes{}, sc.mBlueRed) & Pair(1, 0);
    const Lanes redSteps = LanesBelow(dc.mBlueRed, sc.mBlueRed) & Pair(0, 1);
    const Lanes greenSteps = LanesBelow(dc.mGreenAlpha, sc.mGreenAlpha) & Pair(1, 0);
    return Join(sc.mBlueRed - (blueSteps | redSteps), sc.mGreenAlpha - greenSteps) | 0xFF000000u;
}

// Fast path: where the destination is opaque or the source is, normal compositing's alpha is
// 255 and its weight is sa itself (255 * sa / 255), which is the opaque-destination formula;
// where the source's alpha is 0 the destination stays. Groups of pixels that are all one of
// these skip the division; the other groups take the general form.
VURO_LANES Pixels NormalStep(Pixels d, Pixels s) {
    if (AllSet(AlphaOpaque(s))) {
        return OpaqueSourceGroup(d, s);
    }
    const Pixels keep = AlphaClear(s);
    const Pixels opaque = AlphaOpaque(d) | AlphaOpaque(s);
    if (AllSet(keep | opaque)) {
        const Pixels mixed = MixOpaque(SplitOf(d), SplitOf(s), AlphaLanes(s));
        return (d & keep) | (mixed & ~keep);
    }
    return NormalGroup(d, s, s >> 24);
}

VURO_LANES void NormalLanes(uint32_t* out, const uint32_t* src, int count) {
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        Store(out + i, NormalStep(Load(out + i), Load(src + i)));
    }
    for (; i < count; ++i) {
        out[i] = NormalPixel(out[i], src[i], src[i] >> 24);
    }
}

} // namespace

namespace {

// The intrinsics kernel `groups(i)` takes the whole groups it can from pixel i on and answers
// how many; each group it stops at (and the last few pixels) goes to `pixels(from, to)`.
template <typename Groups, typename PerPixel>
void GroupsThenPixels(int count, Groups groups, PerPixel pixels) {
    int i = 0;
    while (i < count) {
        i += groups(i);
        const int to = std::min(count, i + kGroup);
        pixels(i, to);
        i = to;
    }
}

} // namespace

void NormalRow(uint32_t* out, const uint32_t* src, int count) {
    if (!WideKernels()) {
        Blend::RunKernel<NormalLanes>(out, src, count);
        return;
    }
    // Fast path: the intrinsics kernel takes the whole groups.
    for (int i = Avx2::NormalGroups(out, src, count); i < count; ++i) {
        out[i] = NormalPixel(out[i], src[i], src[i] >> 24);
    }
}

void SampleRow(uint32_t* out, const uint32_t* row, int width, const int* columns, int count) {
    if (!WideKernels()) {
        for (int i = 0; i < count; ++i) {
            out[i] = row[columns[i]];
        }
        return;
    }
    GroupsThenPixels(
        count,
        [&](int i) { return Avx2::SampleGroups(out + i, row, width, columns + i, count - i); },
        [&](int from, int to) {
            for (int i = from; i < to; ++i) {
                out[i] = row[columns[i]];
            }
        });
}

namespace {

// NormalRow with the source read while it is composited: the memory reads of a group overlap
// the arithmetic of the one before.
VURO_LANES void NormalSampledLanes(uint32_t* out, const uint32_t* row, const int* columns,
                                   int count) {
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        Pixels s;
        for (int k = 0; k < kGroup; ++k) {
            s[k] = row[columns[i + k]];
        }
        Store(out + i, NormalStep(Load(out + i), s));
    }
    for (; i < count; ++i) {
        const uint32_t s = row[columns[i]];
        out[i] = NormalPixel(out[i], s, s >> 24);
    }
}

} // namespace

void NormalSampledRow(uint32_t* out, const uint32_t* row, int width, const int* columns,
                      int count) {
    if (!WideKernels()) {
        Blend::RunKernel<NormalSampledLanes>(out, row, columns, count);
        return;
    }
    GroupsThenPixels(
        count,
        [&](int i) {
            return Avx2::NormalSampledGroups(out + i, row, width, columns + i, count - i);
        },
        [&](int from, int to) {
            for (int i = from; i < to; ++i) {
                const uint32_t s = row[columns[i]];
                out[i] = NormalPixel(out[i], s, s >> 24);
            }
        });
}

namespace {

// Fast path: whole groups stored at once, from the first 32-byte boundary on, four groups to a
// loop pass (the compiler's fill of 32-bit words stores 16 unaligned bytes at a time). Long
// runs on x86-64 use the string store instead, which the processor widens to whole lines.
VURO_LANES void FillBody(uint32_t* out, uint32_t colour, int count) {
#if defined(__x86_64__) && defined(__GNUC__)
    if (count >= kLongFill) {
        auto words = static_cast<size_t>(count);
        asm volatile("rep stosl" : "+D"(out), "+c"(words) : "a"(colour) : "memory");
        return;
    }
#endif
    int i = 0;
    for (; i < count && (reinterpret_cast<uintptr_t>(out + i) & 31) != 0; ++i) {
        out[i] = colour;
    }
    const Pixels p = Pixels{} + colour;
    for (; i + 4 * kGroup <= count; i += 4 * kGroup) {
        Store(out + i, p);
        Store(out + i + kGroup, p);
        Store(out + i + 2 * kGroup, p);
        Store(out + i + 3 * kGroup, p);
    }
    for (; i + kGroup <= count; i += kGroup) {
        Store(out + i, p);
    }
    for (; i < count; ++i) {
        out[i] = colour;
    }
}

// NormalRow's fast path for one colour: over an opaque destination its weight is its alpha, so
// its products are made once.
VURO_LANES void NormalFillBody(uint32_t* out, uint32_t colour, int count) {
    const uint32_t sa = colour >> 24;
    const Lanes f = Pair(sa, sa);
    const Lanes g = 256 - f;
    const Split s = SplitOf(Pixels{} + colour);
    // Blue adds its two truncated terms: (d g >> 8) + (s f >> 8) is (d g + (s f with its low
    // byte cleared)) >> 8, so one sum serves red and blue alike (each stays below 2^16, its
    // quotient by 256 being a channel value).
    const Lanes sfBR = (s.mBlueRed * f) & Pair(0xFF00, 0xFFFF);
    const Lanes sfGreen = s.mGreenAlpha * f;
    const auto group = [&](uint32_t* to) VURO_LANES_LAMBDA {
        const Pixels d = Load(to);
        if (!AllSet(AlphaOpaque(d))) {
            Store(to, NormalGroup(d, Pixels{} + colour, Pixels{} + sa));
            return;
        }
        // The alpha lane's sum is dropped under the alpha byte, which comes out 255.
        const Split split = SplitOf(d);
        const Lanes blueRed = (split.mBlueRed * g + sfBR) >> 8;
        const Lanes greenAlpha = (split.mGreenAlpha * g + sfGreen) >> 8;
        Store(to, Join(blueRed, greenAlpha) | 0xFF000000u);
    };
    // A few pixels go through one group padded with opaque black, which keeps a group of opaque
    // pixels on the fast path; the padding is dropped.
    const auto padded = [&group](uint32_t* to, int n) VURO_LANES_LAMBDA {
        uint32_t words[kGroup];
        std::fill_n(words, kGroup, 0xFF000000u);
        CopyFew(words, to, n);
        group(words);
        CopyFew(to, words, n);
    };
    // Fast path: the pixels up to a 32-byte boundary first, so that the groups' stores do not
    // cross cache lines.
    int i =
        std::min(count, static_cast<int>((32 - (reinterpret_cast<uintptr_t>(out) & 31)) & 31) / 4);
    if (i > 0) {
        padded(out, i);
    }
    for (; i + kGroup <= count; i += kGroup) {
        group(out + i);
    }
    if (i < count) {
        padded(out + i, count - i);
    }
}

VURO_LANES void OpaqueBody(uint32_t* out, const uint32_t* src, int count) {
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        const Pixels s = Load(src + i);
        Store(out + i, MixOpaque(SplitOf(Load(out + i)), SplitOf(s), AlphaLanes(s)));
    }
    for (; i < count; ++i) {
        out[i] = 0xFF000000u | MixFields(out[i], src[i], src[i] >> 24);
    }
}

} // namespace

void FillRow(uint32_t* out, uint32_t colour, int count) {
    Blend::RunKernel<FillBody>(out, colour, count);
}

void NormalFillRow(uint32_t* out, uint32_t colour, int count) {
    if (WideKernels()) {
        // Fast path: the intrinsics kernel, whose test of a group's alpha bytes is one
        // instruction.
        Avx2::NormalFill(out, colour, count);
        return;
    }
    NormalFillBody(out, colour, count);
}

void OpaqueRow(uint32_t* out, const uint32_t* src, int count) {
    Blend::RunKernel<OpaqueBody>(out, src, count);
}

namespace {

inline uint32_t TintedPixel(uint32_t d, uint32_t s, uint32_t cr, uint32_t cg, uint32_t cb,
                            uint32_t ca) {
    const uint32_t sa = DivideBy255((s >> 24) * ca);
    const uint32_t da = d >> 24;
    const uint32_t newAlpha = da + DivideBy255((255 - da) * sa);
    const uint32_t f = Factor(sa, newAlpha);
    const uint32_t g = 256 - f;
    const uint32_t red =
        ((((s & 0xFF0000) * f >> 8) * cr >> 8) + ((d & 0xFF0000) * g >> 8)) & 0xFF0000;
    const uint32_t green = (((s & 0xFF00) * f * cg >> 16) + ((d & 0xFF00) * g >> 8)) & 0xFF00;
    const uint32_t blue = (((s & 0xFF) * f * cb >> 16) + ((d & 0xFF) * g >> 8)) & 0xFF;
    const uint32_t result = (newAlpha << 24) | red | green | blue;
    return Select(sa != 0, result, d);
}

void TintedPixels(uint32_t* out, const uint32_t* src, int from, int to, const Color& c) {
    for (int i = from; i < to; ++i) {
        out[i] = TintedPixel(out[i], src[i], static_cast<uint32_t>(c.mRed),
                             static_cast<uint32_t>(c.mGreen), static_cast<uint32_t>(c.mBlue),
                             static_cast<uint32_t>(c.mAlpha));
    }
}

// Fast path: NormalRow's opaque cases, tinted. With t = s f, red and green are
// floor((t c + 256 d g) / 65536) and blue (t c >> 16) + (d g >> 8); split as in MulHigh, the
// red and green sum stays below 2^16 because its quotient by 256 is a channel value.
VURO_LANES void TintedLanes(uint32_t* out, const uint32_t* src, int count, const Color& c) {
    const uint32_t ca = static_cast<uint32_t>(c.mAlpha);
    const uint32_t cr = static_cast<uint32_t>(c.mRed);
    const uint32_t cg = static_cast<uint32_t>(c.mGreen);
    const uint32_t cb = static_cast<uint32_t>(c.mBlue);
    const auto general = [out, src, &c](int from, int to) { TintedPixels(out, src, from, to, c); };
    const Lanes tintBR = Pair(cb, cr);
    const Lanes tintGreen = Pair(cg, 0);
    const Lanes evenLanes = Pair(0xFFFF, 0);
    int pending = 0;
    for (int i = 0; i + kGroup <= count; i += kGroup) {
        const Pixels d = Load(out + i);
        const Pixels s = Load(src + i);
        const Pixels scaled = (s >> 24) * ca;
        const Pixels sa = (scaled + 1 + (scaled >> 8)) >> 8;
        const Pixels keep = IsZero(sa);
        const Pixels opaque = AlphaOpaque(d) | AtLeast(sa, 255);
        if (!AllSet(keep | opaque)) {
            continue;
        }
        general(pending, i);
        pending = i + kGroup;
        // A transparent group leaves the destination as it is.
        if (AllSet(keep)) {
            continue;
        }
        const Lanes f = reinterpret_cast<Lanes>(sa | (sa << 16));
        const Lanes g = 256 - f;
        const Split ds = SplitOf(d);
        const Split ss = SplitOf(s);
        const Lanes tBR = ss.mBlueRed * f;
        const Lanes dgBR = ds.mBlueRed * g;
        const Lanes red = ((tBR >> 8) * tintBR + dgBR + (((tBR & 0xFF) * tintBR) >> 8)) >> 8;
        const Lanes blue = MulHigh(tBR, tintBR) + (dgBR >> 8);
        const Lanes tG = ss.mGreenAlpha * f;
        const Lanes green =
            ((tG >> 8) * tintGreen + ds.mGreenAlpha * g + (((tG & 0xFF) * tintGreen) >> 8)) >> 8;
        const Pixels mixed =
            Join((red & ~evenLanes) | (blue & evenLanes), green & evenLanes) | 0xFF000000u;
        Store(out + i, (d & keep) | (mixed & ~keep));
    }
    general(pending, count);
}

} // namespace

void TintedRow(uint32_t* out, const uint32_t* src, int count, const Color& c) {
    if (!WideKernels()) {
        Blend::RunKernel<TintedLanes>(out, src, count, c);
        return;
    }
    GroupsThenPixels(
        count, [&](int i) { return Avx2::TintedGroups(out + i, src + i, count - i, c); },
        [&](int from, int to) { TintedPixels(out, src, from, to, c); });
}

namespace {

// Fast path: each channel's term x is at most 255, so table[d + x] is min(d + x, 255), the
// saturating byte add; the terms' alpha byte is 0 and keeps the destination's alpha. The
// untinted form's terms are the colour bytes themselves; the weighted forms' are made on
// 16-bit lanes, where the tinted forms' products sc * m stay below 2^16 and MulHigh gives
// their exact >> 16.
template <AdditiveForm Form>
VURO_LANES Pixels AdditiveTerms(Pixels p, Lanes mBlueRed, Lanes mGreen) {
    if constexpr (Form == AdditiveForm::White) {
        return p & 0x00FFFFFFu;
    }
    const Split s = SplitOf(p);
    const Lanes evenLanes = Pair(0xFFFF, 0);
    const Lanes alpha = AlphaLanes(p);
    if constexpr (Form == AdditiveForm::WhiteAlpha) {
        return Join((s.mBlueRed * alpha) >> 8, ((s.mGreenAlpha * alpha) >> 8) & evenLanes);
    } else if constexpr (Form == AdditiveForm::Tinted) {
        return Join((s.mBlueRed * mBlueRed) >> 8, (s.mGreenAlpha * mGreen) >> 8);
    } else {
        // Red and green: sc * m * alpha >> 16; blue: (sc * m >> 8) * alpha >> 8. The alpha
        // lanes' m is 0.
        const Lanes tBR = s.mBlueRed * mBlueRed;
        const Lanes blue = ((tBR >> 8) * alpha) >> 8;
        return Join((MulHigh(tBR, alpha) & ~evenLanes) | (blue & evenLanes),
                    MulHigh(s.mGreenAlpha * mGreen, alpha));
    }
}

template <AdditiveForm Form>
VURO_LANES void AdditiveRowOf(uint32_t* out, const uint32_t* src, int count,
                              const uint32_t (&m)[3]) {
    const Lanes mBlueRed = Pair(m[2], m[0]);
    const Lanes mGreen = Pair(m[1], 0);
    const auto add = [&mBlueRed, &mGreen](uint32_t* to, const uint32_t* from) VURO_LANES_LAMBDA {
        Store(to, AddSaturated(Load(to), AdditiveTerms<Form>(Load(from), mBlueRed, mGreen)));
    };
    int i = 0;
    for (; i + kGroup <= count; i += kGroup) {
        add(out + i, src + i);
    }
    // The last few pixels go through one padded group.
    if (i < count) {
        uint32_t to[kGroup] = {};
        uint32_t from[kGroup] = {};
        CopyFew(to, out + i, count - i);
        CopyFew(from, src + i, count - i);
        add(to, from);
        CopyFew(out + i, to, count - i);
    }
}

} // namespace

void AdditiveRow(AdditiveForm form, uint32_t* out, const uint32_t* src, int count,
                 const uint32_t (&m)[3]) {
    // Fast path: the intrinsics kernel takes the whole groups where the processor has AVX2.
    const int done = WideKernels() ? Avx2::AdditiveGroups(form, out, src, count, m) : 0;
    out += done;
    src += done;
    count -= done;
    switch (form) {
    case AdditiveForm::White:
        Blend::RunKernel<AdditiveRowOf<AdditiveForm::White>>(out, src, count, m);
        break;
    case AdditiveForm::WhiteAlpha:
        Blend::RunKernel<AdditiveRowOf<AdditiveForm::WhiteAlpha>>(out, src, count, m);
        break;
    case AdditiveForm::Tinted:
        Blend::RunKernel<AdditiveRowOf<AdditiveForm::Tinted>>(out, src, count, m);
        break;
    case AdditiveForm::TintedAlpha:
        Blend::RunKernel<AdditiveRowOf<AdditiveForm::TintedAlpha>>(out, src, count, m);
        break;
    }
}

namespace {

void RotatedNormalPixels(uint32_t* out, const RotatedSpan& span, int from, int to) {
    const auto at = [&span](int x, int y) {
        return span.mBits[static_cast<size_t>(span.mY + y) * span.mStride + span.mX + x];
    };
    for (int i = from; i < to; ++i) {
        const RotatedSample sample =
            RotatedSampleAt(at, span.mU + i * span.mDU, span.mV + i * span.mDV);
        if (sample.mAlpha != 0) {
            out[i] = RotatedNormal(out[i], sample);
        }
    }
}

// Whether the positions of a row's samples, and the index of each one's lower right corner,
// fit 32-bit lanes. Positions are linear in the pixel, so the ends bound them.
bool FitsLanes(const RotatedSpan& span, int count) {
    constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
    const int64_t lastU = span.mU + int64_t{count - 1} * span.mDU;
    const int64_t lastV = span.mV + int64_t{count - 1} * span.mDV;
    const int64_t maxU = std::max(span.mU, lastU);
    const int64_t maxV = std::max(span.mV, lastV);
    return std::min({span.mU, lastU, span.mV, lastV}) >= 0 && maxU <= kMax && maxV <= kMax &&
           (span.mY + (maxV >> 16) + 1) * span.mStride + span.mX + (maxU >> 16) + 1 <= kMax;
}

} // namespace

void RotatedNormalRow(uint32_t* out, const RotatedSpan& span, int count) {
    if (!WideKernels() || !FitsLanes(span, count)) {
        RotatedNormalPixels(out, span, 0, count);
        return;
    }
    GroupsThenPixels(
        count,
        [&](int i) {
            RotatedSpan rest = span;
            rest.mU += i * span.mDU;
            rest.mV += i * span.mDV;
            return Avx2::RotatedGroups(out + i, rest, count - i);
        },
        [&](int from, int to) { RotatedNormalPixels(out, span, from, to); });
}

} // namespace Vuro::Blend
