#include "framework/graphics/BlitRows.h"

#include "framework/util/MersenneTwister.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

// Pixels covering every (destination alpha, source alpha) pair with random colours, channel
// extremes mixed in, in rows long enough for every vector width and its tail.
struct PixelPairs {
    std::vector<uint32_t> mDest;
    std::vector<uint32_t> mSource;
};

PixelPairs EveryAlphaPair(int coloursPerPair) {
    MersenneTwister random;
    const uint32_t extremes[] = {0x000000, 0xFFFFFF, 0x010101, 0xFEFEFE, 0xFF00FF, 0x00FF00};
    PixelPairs pairs;
    for (uint32_t da = 0; da < 256; ++da) {
        for (uint32_t sa = 0; sa < 256; ++sa) {
            for (int k = 0; k < coloursPerPair; ++k) {
                const uint32_t dColour = k < 6 ? extremes[k] : random.Next() & 0xFFFFFF;
                const uint32_t sColour = k < 6 ? extremes[5 - k] : random.Next() & 0xFFFFFF;
                pairs.mDest.push_back((da << 24) | dColour);
                pairs.mSource.push_back((sa << 24) | sColour);
            }
        }
    }
    return pairs;
}

TEST(BlitRows, NormalAndOpaqueRowsMatchTheReference) {
    const PixelPairs pairs = EveryAlphaPair(8);
    std::vector<uint32_t> normal = pairs.mDest;
    std::vector<uint32_t> opaque = pairs.mDest;
    // Odd lengths and offsets exercise the vector tails.
    for (size_t start = 0; start < normal.size(); start += 1021) {
        const int count = static_cast<int>(std::min<size_t>(1021, normal.size() - start));
        Blend::NormalRow(normal.data() + start, pairs.mSource.data() + start, count);
        Blend::OpaqueRow(opaque.data() + start, pairs.mSource.data() + start, count);
    }
    for (size_t i = 0; i < normal.size(); ++i) {
        const uint32_t d = pairs.mDest[i];
        const uint32_t s = pairs.mSource[i];
        ASSERT_EQ(normal[i], Blend::NormalRef(d, s, s >> 24)) << std::hex << d << " " << s;
        if (s >> 24 != 0 && s >> 24 != 255) {
            ASSERT_EQ(opaque[i], Blend::OpaqueRef(d, s, s >> 24)) << std::hex << d << " " << s;
        }
    }
}

TEST(BlitRows, FillRowMatchesTheReference) {
    const PixelPairs pairs = EveryAlphaPair(2);
    for (const uint32_t colour : {0x01FFFFFFu, 0x80204060u, 0xFE000000u, 0x7FFF00FFu}) {
        std::vector<uint32_t> filled = pairs.mDest;
        Blend::NormalFillRow(filled.data(), colour, static_cast<int>(filled.size()));
        for (size_t i = 0; i < filled.size(); ++i) {
            ASSERT_EQ(filled[i], Blend::NormalRef(pairs.mDest[i], colour, colour >> 24));
        }
    }
}

TEST(BlitRows, TintedRowMatchesTheReference) {
    const PixelPairs pairs = EveryAlphaPair(1);
    MersenneTwister random;
    for (int n = 0; n < 24; ++n) {
        const Color c(int(random.Next() & 0xFF), int(random.Next() & 0xFF),
                      int(random.Next() & 0xFF), n < 2 ? 255 * n : int(random.Next() & 0xFF));
        std::vector<uint32_t> tinted = pairs.mDest;
        Blend::TintedRow(tinted.data(), pairs.mSource.data(), static_cast<int>(tinted.size()), c);
        for (size_t i = 0; i < tinted.size(); ++i) {
            ASSERT_EQ(tinted[i], Blend::TintedRef(pairs.mDest[i], pairs.mSource[i], c));
        }
    }
}

TEST(BlitRows, AdditiveRowsMatchTheReference) {
    uint8_t table[512];
    for (int i = 0; i < 512; ++i) {
        table[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    }
    const PixelPairs pairs = EveryAlphaPair(2);
    using Form = Blend::AdditiveForm;
    for (const Color& c : {Color::White, Color(255, 128, 64), Color(10, 200, 255, 77)}) {
        const uint32_t m[3] = {uint32_t(c.mRed * c.mAlpha / 255),
                               uint32_t(c.mGreen * c.mAlpha / 255),
                               uint32_t(c.mBlue * c.mAlpha / 255)};
        for (const bool hasAlpha : {false, true}) {
            const Form form = c == Color::White ? (hasAlpha ? Form::WhiteAlpha : Form::White)
                                                : (hasAlpha ? Form::TintedAlpha : Form::Tinted);
            std::vector<uint32_t> added = pairs.mDest;
            Blend::AdditiveRow(form, added.data(), pairs.mSource.data(),
                               static_cast<int>(added.size()), m);
            for (size_t i = 0; i < added.size(); ++i) {
                ASSERT_EQ(added[i],
                          Blend::AdditiveRef(pairs.mDest[i], pairs.mSource[i], c, hasAlpha, table));
            }
        }
    }
}

} // namespace
} // namespace Vuro
