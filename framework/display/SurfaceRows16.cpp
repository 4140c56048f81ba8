#include "framework/display/SurfaceRows16.h"

#include "framework/graphics/BlitLanes.h"

#include <algorithm>
#include <bit>
#include <type_traits>

namespace Vuro::SurfaceRows16 {

namespace {

using namespace Blend::Simd;

// Sixteen pixels of the surface, or sixteen 16-bit values of one kind.
constexpr int kWords = 16;

// kSpareBit: a bit outside the channels, which the formulas clear and a pixel left alone keeps;
// without one, a pixel that adds nothing comes out as it was, and the additive kernel need not
// keep it apart.
struct Layout565 {
    static constexpr int kShift[3] = {11, 5, 0};
    static constexpr uint16_t kMax[3] = {31, 63, 31};
    static constexpr bool kSpareBit = false;
};

struct Layout555 {
    static constexpr int kShift[3] = {10, 5, 0};
    static constexpr uint16_t kMax[3] = {31, 31, 31};
    static constexpr bool kSpareBit = true;
};

VURO_LANES Lanes LoadWords(const uint16_t* words) {
    Lanes w;
    std::memcpy(&w, words, sizeof w);
    return w;
}

VURO_LANES void StoreWords(uint16_t* words, Lanes w) {
    std::memcpy(words, &w, sizeof w);
}

VURO_LANES Lanes Mask(Lanes comparison) {
    return reinterpret_cast<Lanes>(comparison);
}

VURO_LANES bool All(Lanes mask) {
    return AllSet(reinterpret_cast<Pixels>(mask));
}

// Sixteen native words: their low halves (the pixels) and their alphas.
struct Natives {
    Lanes mColour;
    Lanes mAlpha;
};

VURO_LANES Natives LoadNatives(const uint32_t* native) {
    const Lanes a = reinterpret_cast<Lanes>(Load(native));
    const Lanes b = reinterpret_cast<Lanes>(Load(native + kGroup));
    const Lanes low =
        __builtin_shufflevector(a, b, 0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
    const Lanes high =
        __builtin_shufflevector(a, b, 1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31);
    return {low, high >> 8};
}

// Channel c of every pixel.
template <typename L, int C> VURO_LANES Lanes Channel(Lanes p) {
    // A channel at the top of the word needs no mask after its shift.
    if constexpr (L::kShift[C] + std::bit_width(unsigned{L::kMax[C]}) == 16) {
        return p >> L::kShift[C];
    }
    return (p >> L::kShift[C]) & L::kMax[C];
}

// Each channel times k >> 8, put back in its place.
template <typename L> VURO_LANES Lanes Faded(Lanes d, Lanes k) {
    return (((Channel<L, 0>(d) * k) >> 8) << L::kShift[0]) |
           (((Channel<L, 1>(d) * k) >> 8) << L::kShift[1]) | ((Channel<L, 2>(d) * k) >> 8);
}

template <typename L, int C> VURO_LANES Lanes Saturated(Lanes sum) {
    const Lanes top = Lanes{} + L::kMax[C];
    // Written so that the compiler finds the minimum instruction.
    return (sum > top ? top : sum) << L::kShift[C];
}

// The rows in groups of sixteen; the last pixels of a row go through one padded group, whose
// spare lanes are dropped. group(out, native) does one group.
template <typename Group> VURO_LANES void ForEachGroup(const Rows& rows, Group group) {
    for (int y = 0; y < rows.mHeight; ++y) {
        auto* out = reinterpret_cast<uint16_t*>(rows.mOut + static_cast<size_t>(y) * rows.mPitch);
        const uint32_t* native = rows.mNative + static_cast<size_t>(y) * rows.mStride;
        int i = 0;
        for (; i + kWords <= rows.mWidth; i += kWords) {
            group(out + i, native + i);
        }
        if (i < rows.mWidth) {
            const int rest = rows.mWidth - i;
            uint16_t to[kWords] = {};
            uint32_t from[kWords] = {};
            CopyFew(to, out + i, rest);
            CopyFew(from, native + i, rest);
            group(to, from);
            CopyFew(out + i, to, rest);
        }
    }
}

template <typename L> VURO_LANES void OverBody(const Rows& rows) {
    ForEachGroup(rows, [](uint16_t* out, const uint32_t* native) VURO_LANES_LAMBDA {
        const Natives n = LoadNatives(native);
        const Lanes clear = Mask(n.mAlpha == 0);
        if (All(clear)) {
            return;
        }
        // Fast path: an opaque group is its native words (the blend of alpha 255 adds d_c >> 8,
        // which is 0).
        if (All(Mask(n.mAlpha == 255))) {
            StoreWords(out, n.mColour);
            return;
        }
        const Lanes d = LoadWords(out);
        StoreWords(out, (d & clear) | ((n.mColour + Faded<L>(d, 256 - n.mAlpha)) & ~clear));
    });
}

VURO_LANES void CopyBody(const Rows& rows, bool skipTransparent) {
    ForEachGroup(rows, [skipTransparent](uint16_t* out, const uint32_t* native) VURO_LANES_LAMBDA {
        const Natives n = LoadNatives(native);
        const Lanes keep = skipTransparent ? Mask(n.mAlpha == 0) : Lanes{};
        StoreWords(out, (LoadWords(out) & keep) | (n.mColour & ~keep));
    });
}

template <typename L>
VURO_LANES void TintedBody(const Rows& rows, const uint32_t (&tint)[3], uint32_t colourAlpha) {
    const Lanes t[3] = {Lanes{} + static_cast<uint16_t>(tint[0]),
                        Lanes{} + static_cast<uint16_t>(tint[1]),
                        Lanes{} + static_cast<uint16_t>(tint[2])};
    const Lanes ca = Lanes{} + static_cast<uint16_t>(colourAlpha);
    const bool opaqueColour = colourAlpha == 255;
    ForEachGroup(
        rows, [&t, ca, opaqueColour](uint16_t* out, const uint32_t* native) VURO_LANES_LAMBDA {
            const Natives n = LoadNatives(native);
            const Lanes clear = Mask(n.mAlpha == 0);
            if (All(clear)) {
                return;
            }
            const Lanes d = LoadWords(out);
            // a' = a * ca / 255 by (x + 1 + (x >> 8)) >> 8, exact below 65535 (x <= 255 * 255, and
            // the sum stays below 2^16).
            const Lanes x = n.mAlpha * ca;
            const Lanes keep = 256 - ((x + 1 + (x >> 8)) >> 8);
            Lanes blended{};
            Lanes tinted{};
            const auto channel = [&](auto c, int shift) VURO_LANES_LAMBDA {
                constexpr int kC = decltype(c)::value;
                const Lanes scaled = Channel<L, kC>(n.mColour) * t[kC];
                blended |= (((Channel<L, kC>(d) * keep + scaled) >> 8) & L::kMax[kC]) << shift;
                tinted |= (scaled >> 8) << shift;
            };
            channel(std::integral_constant<int, 0>{}, L::kShift[0]);
            channel(std::integral_constant<int, 1>{}, L::kShift[1]);
            channel(std::integral_constant<int, 2>{}, L::kShift[2]);
            const Lanes solid = opaqueColour ? Mask(n.mAlpha == 255) : Lanes{};
            StoreWords(out, (d & clear) | (tinted & solid) | (blended & ~(clear | solid)));
        });
}

template <typename L>
VURO_LANES void AddBody(const Rows& rows, bool white, const uint32_t (&tint)[3]) {
    const Lanes t[3] = {Lanes{} + static_cast<uint16_t>(tint[0]),
                        Lanes{} + static_cast<uint16_t>(tint[1]),
                        Lanes{} + static_cast<uint16_t>(tint[2])};
    const auto amount = [white, &t](Lanes p, auto c) VURO_LANES_LAMBDA {
        constexpr int kC = decltype(c)::value;
        return white ? Channel<L, kC>(p) : (Channel<L, kC>(p) * t[kC]) >> 8;
    };
    ForEachGroup(rows, [&amount](uint16_t* out, const uint32_t* native) VURO_LANES_LAMBDA {
        const Natives n = LoadNatives(native);
        const Lanes d = LoadWords(out);
        const std::integral_constant<int, 0> red;
        const std::integral_constant<int, 1> green;
        const std::integral_constant<int, 2> blue;
        const Lanes sum = Saturated<L, 0>(Channel<L, 0>(d) + amount(n.mColour, red)) |
                          Saturated<L, 1>(Channel<L, 1>(d) + amount(n.mColour, green)) |
                          Saturated<L, 2>(Channel<L, 2>(d) + amount(n.mColour, blue));
        // Fast path: adding nothing gives d's channels, so only a layout with a spare bit keeps
        // its black pixels apart.
        if constexpr (L::kSpareBit) {
            // A native word's bits between the pixel and the alpha are 0: a zero pixel is a
            // black one, which adds nothing and is left.
            const Lanes black = Mask(n.mColour == 0);
            StoreWords(out, (d & black) | (sum & ~black));
        } else {
            StoreWords(out, sum);
        }
    });
}

template <typename L>
VURO_LANES void FadeFillBody(uint8_t* out, int pitch, int width, int height, uint16_t colour,
                             uint32_t keep) {
    const Lanes k = Lanes{} + static_cast<uint16_t>(keep);
    const auto fade = [k, colour](Lanes d) VURO_LANES_LAMBDA {
        return colour + (((Channel<L, 0>(d) * k + L::kMax[0]) >> 8) << L::kShift[0]) +
               (((Channel<L, 1>(d) * k + L::kMax[1]) >> 8) << L::kShift[1]) +
               ((Channel<L, 2>(d) * k + L::kMax[2]) >> 8);
    };
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint16_t*>(out + static_cast<size_t>(y) * pitch);
        int i = 0;
        for (; i + kWords <= width; i += kWords) {
            StoreWords(row + i, fade(LoadWords(row + i)));
        }
        if (i < width) {
            uint16_t to[kWords] = {};
            CopyFew(to, row + i, width - i);
            StoreWords(to, fade(LoadWords(to)));
            CopyFew(row + i, to, width - i);
        }
    }
}

} // namespace

void Over(Layout layout, const Rows& rows) {
    layout == Layout::Rgb565 ? Blend::RunKernel<OverBody<Layout565>>(rows)
                             : Blend::RunKernel<OverBody<Layout555>>(rows);
}

void Copy(const Rows& rows, bool skipTransparent) {
    Blend::RunKernel<CopyBody>(rows, skipTransparent);
}

void Tinted(Layout layout, const Rows& rows, const uint32_t (&tint)[3], uint32_t colourAlpha) {
    layout == Layout::Rgb565 ? Blend::RunKernel<TintedBody<Layout565>>(rows, tint, colourAlpha)
                             : Blend::RunKernel<TintedBody<Layout555>>(rows, tint, colourAlpha);
}

void Add(Layout layout, const Rows& rows, bool white, const uint32_t (&tint)[3]) {
    layout == Layout::Rgb565 ? Blend::RunKernel<AddBody<Layout565>>(rows, white, tint)
                             : Blend::RunKernel<AddBody<Layout555>>(rows, white, tint);
}

void FadeFill(Layout layout, uint8_t* out, int pitch, int width, int height, uint16_t colour,
              uint32_t keep) {
    layout == Layout::Rgb565
        ? Blend::RunKernel<FadeFillBody<Layout565>>(out, pitch, width, height, colour, keep)
        : Blend::RunKernel<FadeFillBody<Layout555>>(out, pitch, width, height, colour, keep);
}

} // namespace Vuro::SurfaceRows16
