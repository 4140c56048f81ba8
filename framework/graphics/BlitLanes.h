#pragma once
// Building blocks of the row kernels (BlitRows.cpp, the rasteriser's texel spans): groups of
// eight pixels as compiler vectors and their split into 16-bit lanes, and the call that runs a
// kernel in its wide or narrow form. Only kernel sources include this.

#include "framework/graphics/KernelForm.h"

#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace Vuro::Blend {

// Runs a kernel body in the form KernelForm.h chooses: the body, whose helpers are all inlined
// into it, is built once for AVX2 (compiler vectors of eight pixels in one register) and once
// for the baseline (the same vectors in two 128-bit registers).
#if defined(__x86_64__)
template <auto Body, typename... Args>
__attribute__((target("avx2"), noinline)) auto RunWide(Args&&... args) {
    return Body(args...);
}
#endif

template <auto Body, typename... Args> auto RunKernel(Args&&... args) {
#if defined(__x86_64__)
    if (WideKernels()) {
        return RunWide<Body>(args...);
    }
#endif
    return Body(args...);
}

} // namespace Vuro::Blend

namespace Vuro::Blend::Simd {

// The vector helpers below take and return 32-byte vectors; they are always inlined into the
// kernels, so no call with the AVX calling convention the warning is about is ever made.
#pragma GCC diagnostic ignored "-Wpsabi"
#define VURO_LANES inline __attribute__((always_inline))
// The same for a lambda inside a kernel: its body is compiled in the kernel's form, and a vector
// never crosses a call.
#define VURO_LANES_LAMBDA __attribute__((always_inline))

// Eight pixels as a compiler vector (one AVX2 register, two SSE2 ones), and the same bits seen
// as sixteen 16-bit lanes. A pixel splits into two lane pairs without any shuffle: "blue-red"
// (p & 0x00FF00FF: blue in the even lane, red in the odd one) and "green-alpha"
// ((p >> 8) & 0x00FF00FF). Every formula below keeps its values under 2^16 in these lanes,
// so they give the reference's exact results.
using Pixels = uint32_t __attribute__((vector_size(32)));
using Lanes = uint16_t __attribute__((vector_size(32)));

constexpr int kGroup = 8;

struct Split {
    Lanes mBlueRed;
    Lanes mGreenAlpha;
};

VURO_LANES Pixels Load(const uint32_t* pixels) {
    Pixels p;
    std::memcpy(&p, pixels, sizeof p);
    return p;
}

VURO_LANES void Store(uint32_t* pixels, Pixels p) {
    std::memcpy(pixels, &p, sizeof p);
}

VURO_LANES Split SplitOf(Pixels p) {
    return {reinterpret_cast<Lanes>(p & 0x00FF00FF),
            reinterpret_cast<Lanes>((p >> 8) & 0x00FF00FF)};
}

// Fewer than sixteen words copied in blocks of 8, 4, 2 and 1 by the bits of n, each block a copy
// of fixed size that the compiler makes a move or two: a row's first or last few pixels would
// otherwise cost a call to the library's copy, as much as the rest of a short row.
template <typename Word> VURO_LANES void CopyFew(Word* to, const Word* from, int n) {
    int k = 0;
    for (const int block : {8, 4, 2, 1}) {
        if ((n & block) != 0) {
            std::memcpy(to + k, from + k, block * sizeof(Word));
            k += block;
        }
    }
}

// Lane values of at most 255 put back into pixels.
VURO_LANES Pixels Join(Lanes blueRed, Lanes greenAlpha) {
    return reinterpret_cast<Pixels>(blueRed) | (reinterpret_cast<Pixels>(greenAlpha) << 8);
}

// Each pixel's alpha in both lanes of its pairs.
VURO_LANES Lanes AlphaLanes(Pixels p) {
    const Pixels a = p >> 24;
    return reinterpret_cast<Lanes>(a | (a << 16));
}

// One value for the even lanes and one for the odd lanes of every pixel.
VURO_LANES Lanes Pair(uint32_t even, uint32_t odd) {
    return reinterpret_cast<Lanes>(Pixels{} + (even | (odd << 16)));
}

// Masks of 32-bit lanes (all ones where the condition holds) made by arithmetic, not by the
// compiler's comparisons: the baseline has no unsigned 32-bit comparison, and the compiler turns
// one it cannot make into scalar code, element by element through memory, for vectors wider than
// the baseline's registers (and it makes a lane compared with its largest possible value, such
// as an alpha with 255, into an unsigned comparison). Lanes below 2^31: x - k is negative, and
// its sign shifted through the lane, exactly where x < k.
VURO_LANES Pixels Below(Pixels x, uint32_t k) {
    using Ints = int32_t __attribute__((vector_size(32)));
    return reinterpret_cast<Pixels>(reinterpret_cast<Ints>(x - k) >> 31);
}

// The same for 16-bit lanes below 2^15, a and b alike: all ones where a < b.
VURO_LANES Lanes LanesBelow(Lanes a, Lanes b) {
    using SignedLanes = int16_t __attribute__((vector_size(32)));
    return reinterpret_cast<Lanes>(reinterpret_cast<SignedLanes>(a - b) >> 15);
}

VURO_LANES Pixels AtLeast(Pixels x, uint32_t k) {
    return ~Below(x, k);
}

VURO_LANES Pixels IsZero(Pixels x) {
    return Below(x, 1);
}

// Each pixel's alpha is 255, or 0.
VURO_LANES Pixels AlphaOpaque(Pixels p) {
    return AtLeast(p >> 24, 255);
}

VURO_LANES Pixels AlphaClear(Pixels p) {
    return IsZero(p >> 24);
}

// Whether every lane of a comparison's result is set. On x86-64 the two halves are joined and
// their byte signs gathered by SSE2's movemask (baseline, so every build of a kernel has it);
// reading the four quarters out one by one costs twice the instructions.
VURO_LANES bool AllSet(Pixels mask) {
#if defined(__x86_64__)
    using Quads = long long __attribute__((vector_size(32)));
    using Half = long long __attribute__((vector_size(16)));
    const Quads q = reinterpret_cast<Quads>(mask);
    const Half both = __builtin_shufflevector(q, q, 0, 1) & __builtin_shufflevector(q, q, 2, 3);
    return _mm_movemask_epi8(reinterpret_cast<__m128i>(both)) == 0xFFFF;
#else
    using Quads = uint64_t __attribute__((vector_size(32)));
    const Quads q = reinterpret_cast<Quads>(mask);
    return (q[0] & q[1] & q[2] & q[3]) == ~uint64_t{0};
#endif
}

// Fast form: floor(t * k / 65536) for t < 2^16 and k < 256 without 32-bit lanes. With
// t = 256 th + tl it is floor((th k + floor(tl k / 256)) / 256): the dropped fraction is below
// one and cannot carry the sum across a multiple of 256, and th k + 254 stays below 2^16.
VURO_LANES Lanes MulHigh(Lanes t, Lanes k) {
    return ((t >> 8) * k + (((t & 0xFF) * k) >> 8)) >> 8;
}

// The min of each byte pair: the one byte comparison both forms make in their registers (the
// baseline's unsigned byte minimum), where the others become scalar code.
VURO_LANES Pixels MinBytes(Pixels a, Pixels b) {
    using Bytes = uint8_t __attribute__((vector_size(32)));
    const Bytes x = reinterpret_cast<Bytes>(a);
    const Bytes y = reinterpret_cast<Bytes>(b);
    return reinterpret_cast<Pixels>(x < y ? x : y);
}

// min(a + b, 255) in every byte, as a + min(b, 255 - a) (no byte carries out).
VURO_LANES Pixels AddSaturated(Pixels a, Pixels b) {
    using Bytes = uint8_t __attribute__((vector_size(32)));
    return reinterpret_cast<Pixels>(reinterpret_cast<Bytes>(a) +
                                    reinterpret_cast<Bytes>(MinBytes(b, ~a)));
}

// Each byte less one from 1 on: c - min(c, 1), no byte borrowing from the next.
VURO_LANES Pixels StepDownFromOne(Pixels c) {
    using Bytes = uint8_t __attribute__((vector_size(32)));
    return reinterpret_cast<Pixels>(reinterpret_cast<Bytes>(c) -
                                    reinterpret_cast<Bytes>(MinBytes(c, Pixels{} + 0x01010101u)));
}

// MixFields with the weight f per lane (g = 256 - f) over an opaque destination: red and green
// shift the sum of both terms, blue adds its two truncated terms, which is one sum too:
// (d g >> 8) + (s f >> 8) = (d g + (s f with its low byte cleared)) >> 8. Every sum is at most
// 255 * 256, so the 16-bit sums are exact; the alpha lanes' sums, below 256 as well, are
// overwritten with 255.
VURO_LANES Pixels MixOpaque(Split d, Split s, Lanes f) {
    const Lanes g = 256 - f;
    const Lanes blueRed = (d.mBlueRed * g + ((s.mBlueRed * f) & Pair(0xFF00, 0xFFFF))) >> 8;
    const Lanes greenAlpha = (d.mGreenAlpha * g + s.mGreenAlpha * f) >> 8;
    return Join(blueRed, greenAlpha) | 0xFF000000u;
}

} // namespace Vuro::Blend::Simd
