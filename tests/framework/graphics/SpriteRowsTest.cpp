#include "framework/graphics/SpriteRows.h"

#include "framework/graphics/PixelBlend.h"
#include "framework/util/MersenneTwister.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace Vuro {
namespace {

// What the run-length walk gives a source pixel: copied, skipped or mixed by its alpha class.
uint32_t RunLengthRef(uint32_t d, uint32_t s) {
    const uint32_t sa = s >> 24;
    return sa == 0 ? d : (sa == 255 ? s : Blend::OpaqueRef(d, s, sa));
}

// The row in pieces of an odd length, so every start offset and tail length of a group meets
// the kernel, checked pixel by pixel.
void ExpectRowMatches(const std::vector<uint32_t>& dest, const std::vector<uint32_t>& source,
                      int piece) {
    std::vector<uint32_t> out = dest;
    for (size_t start = 0; start < out.size(); start += piece) {
        const int count = static_cast<int>(std::min<size_t>(piece, out.size() - start));
        Blend::OverOpaqueRow(out.data() + start, source.data() + start, count);
    }
    for (size_t i = 0; i < out.size(); ++i) {
        ASSERT_EQ(out[i], RunLengthRef(dest[i], source[i]))
            << std::hex << dest[i] << " " << source[i] << " piece " << std::dec << piece;
    }
}

// Every destination channel value under every source channel value and alpha; the alpha runs
// fastest, so groups of one class and groups where transparent or opaque meet partial alpha
// all occur. Destination alphas vary: a skipped pixel keeps its word whatever it is.
TEST(SpriteRows, EveryChannelValueAndAlphaMatchesTheRunLengthWalk) {
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    for (uint32_t d = 0; d < 256; ++d) {
        for (uint32_t s = 0; s < 256; ++s) {
            for (uint32_t alpha = 0; alpha < 256; ++alpha) {
                source.push_back((alpha << 24) | (s * 0x010101u));
                dest.push_back((((d + alpha) | 0x80) << 24) | (d * 0x010101u));
            }
        }
    }
    ExpectRowMatches(dest, source, 1021);
}

// Runs of transparent, opaque and partial pixels of random lengths, so that groups of one
// class and groups of two or three meet every piece length up to a few groups.
TEST(SpriteRows, MixedClassesInEveryPieceLength) {
    MersenneTwister random;
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    while (source.size() < 4096) {
        const uint32_t pick = random.Next() % 3;
        for (uint32_t n = 1 + random.Next() % 20; n > 0; --n) {
            const uint32_t alpha = pick == 0 ? 0 : (pick == 1 ? 255 : 1 + random.Next() % 254);
            source.push_back((alpha << 24) | (random.Next() & 0xFFFFFF));
            dest.push_back(random.Next());
        }
    }
    for (int piece = 1; piece <= 40; ++piece) {
        ExpectRowMatches(dest, source, piece);
    }
}

} // namespace
} // namespace Vuro
