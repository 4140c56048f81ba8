#include "framework/graphics/BlitRows.h"

#include "framework/graphics/RotatedSample.h"

#include "framework/util/MersenneTwister.h"

#include "support/KernelForms.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// Every case runs in both kernel forms; the two that take normal compositing's division at every
// alpha pair (the row and the translucent fill) in each way the wide form makes its weights.
class BlitRows : public Test::KernelFormTest {};

TEST_P(BlitRows, NormalAndOpaqueRowsMatchTheReference) {
    Vuro::Test::ForEachQuotientForm([&] {
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
    });
}

// Every start alignment and length up to past the string store's threshold: the run is set,
// the words around it are not.
TEST_P(BlitRows, OpaqueFillSetsExactlyTheRun) {
    std::vector<uint32_t> words(2200);
    for (int start = 0; start < 9; ++start) {
        for (int count = 0; count < 2150; count += count < 80 ? 1 : 97) {
            std::fill(words.begin(), words.end(), 0x12345678u);
            Blend::FillRow(words.data() + start, 0xFF2878DCu, count);
            for (int i = 0; i < static_cast<int>(words.size()); ++i) {
                const bool inRun = i >= start && i < start + count;
                ASSERT_EQ(words[i], inRun ? 0xFF2878DCu : 0x12345678u)
                    << "start " << start << " count " << count << " at " << i;
            }
        }
    }
}

// The translucent fill from every start alignment and of every short length: the run is
// composited, opaque and translucent destinations mixed, the words around it kept.
TEST_P(BlitRows, TranslucentFillKeepsToItsRunAtEveryOffset) {
    std::vector<uint32_t> words(64);
    for (int start = 0; start < 9; ++start) {
        for (int count = 0; count < 41; ++count) {
            for (size_t i = 0; i < words.size(); ++i) {
                words[i] =
                    (i % 5 == 3 ? 0x80000000u : 0xFF000000u) | static_cast<uint32_t>(i * 0x030507);
            }
            const std::vector<uint32_t> before = words;
            Blend::NormalFillRow(words.data() + start, 0x90407020u, count);
            for (int i = 0; i < static_cast<int>(words.size()); ++i) {
                const bool inRun = i >= start && i < start + count;
                ASSERT_EQ(words[i],
                          inRun ? Blend::NormalRef(before[i], 0x90407020u, 0x90) : before[i])
                    << "start " << start << " count " << count << " at " << i;
            }
        }
    }
}

TEST_P(BlitRows, FillRowMatchesTheReference) {
    const PixelPairs pairs = EveryAlphaPair(2);
    for (const uint32_t colour : {0x01FFFFFFu, 0x80204060u, 0xFE000000u, 0x7FFF00FFu}) {
        std::vector<uint32_t> filled = pairs.mDest;
        Blend::NormalFillRow(filled.data(), colour, static_cast<int>(filled.size()));
        for (size_t i = 0; i < filled.size(); ++i) {
            ASSERT_EQ(filled[i], Blend::NormalRef(pairs.mDest[i], colour, colour >> 24));
        }
    }
}

// Every fill alpha over every destination alpha, a few colours of each: over a translucent
// destination the fill's groups take the division of normal compositing.
TEST_P(BlitRows, TranslucentFillMatchesTheReferenceForEveryAlphaPair) {
    Vuro::Test::ForEachQuotientForm([&] {
        const uint32_t colours[] = {0x000000u, 0xFFFFFFu, 0x17C3E8u};
        std::vector<uint32_t> dest;
        for (uint32_t da = 0; da < 256; ++da) {
            for (const uint32_t c : colours) {
                dest.push_back((da << 24) | c);
            }
        }
        std::vector<uint32_t> filled;
        for (uint32_t sa = 1; sa < 255; ++sa) {
            for (const uint32_t c : colours) {
                const uint32_t colour = (sa << 24) | (c ^ 0xFFFFFFu);
                filled = dest;
                Blend::NormalFillRow(filled.data(), colour, static_cast<int>(filled.size()));
                for (size_t i = 0; i < filled.size(); ++i) {
                    ASSERT_EQ(filled[i], Blend::NormalRef(dest[i], colour, sa))
                        << std::hex << dest[i] << " " << colour;
                }
            }
        }
    });
}

TEST_P(BlitRows, TintedRowMatchesTheReference) {
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

TEST_P(BlitRows, AdditiveRowsMatchTheReference) {
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
            // Odd lengths and offsets exercise the vector tails.
            for (size_t start = 0; start < added.size(); start += 1021) {
                Blend::AdditiveRow(form, added.data() + start, pairs.mSource.data() + start,
                                   static_cast<int>(std::min<size_t>(1021, added.size() - start)),
                                   m);
            }
            for (size_t i = 0; i < added.size(); ++i) {
                ASSERT_EQ(added[i],
                          Blend::AdditiveRef(pairs.mDest[i], pairs.mSource[i], c, hasAlpha, table));
            }
        }
    }
}

// An opaque source over every destination channel value, each under every source channel
// value, at destination alphas from 0 to 255.
TEST_P(BlitRows, OpaqueSourceRowMatchesTheReferenceForEveryChannelValue) {
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    for (uint32_t d = 0; d < 256; ++d) {
        for (uint32_t s = 0; s < 256; ++s) {
            source.push_back(0xFF000000u | (s * 0x010101u));
            dest.push_back((((d * 37 + s) & 0xFF) << 24) | (d * 0x010101u));
        }
    }
    std::vector<uint32_t> blended = dest;
    Blend::NormalRow(blended.data(), source.data(), static_cast<int>(blended.size()));
    for (size_t i = 0; i < blended.size(); ++i) {
        ASSERT_EQ(blended[i], Blend::NormalRef(dest[i], source[i], 255))
            << std::hex << dest[i] << " " << source[i];
    }
}

// Every destination channel value of an opaque destination under every source channel value,
// at every source alpha.
TEST_P(BlitRows, NormalRowOverOpaqueMatchesTheReferenceForEveryChannelValueAndAlpha) {
    std::vector<uint32_t> source(256 * 256);
    std::vector<uint32_t> dest(source.size());
    for (uint32_t d = 0; d < 256; ++d) {
        for (uint32_t s = 0; s < 256; ++s) {
            source[d * 256 + s] = s * 0x010101u;
            dest[d * 256 + s] = 0xFF000000u | (d * 0x010101u);
        }
    }
    std::vector<uint32_t> blended;
    for (uint32_t sa = 0; sa < 256; ++sa) {
        for (uint32_t& s : source) {
            s = (sa << 24) | (s & 0xFFFFFF);
        }
        blended = dest;
        Blend::NormalRow(blended.data(), source.data(), static_cast<int>(blended.size()));
        for (size_t i = 0; i < blended.size(); ++i) {
            ASSERT_EQ(blended[i], Blend::NormalRef(dest[i], source[i], sa))
                << std::hex << dest[i] << " " << source[i];
        }
    }
}

// The 16-bit lane kernels: every channel value of an opaque destination under every source
// channel value, for every translucent fill alpha.
TEST_P(BlitRows, FillRowOverOpaqueMatchesTheReferenceForEveryChannelValue) {
    std::vector<uint32_t> dest(256);
    for (uint32_t v = 0; v < 256; ++v) {
        dest[v] = 0xFF000000u | (v * 0x010101u);
    }
    std::vector<uint32_t> filled(dest.size());
    for (uint32_t sa = 1; sa < 255; ++sa) {
        for (uint32_t sc = 0; sc < 256; ++sc) {
            const uint32_t colour = (sa << 24) | (sc * 0x010101u);
            filled = dest;
            Blend::NormalFillRow(filled.data(), colour, static_cast<int>(filled.size()));
            for (size_t i = 0; i < filled.size(); ++i) {
                ASSERT_EQ(filled[i], Blend::NormalRef(dest[i], colour, sa)) << std::hex << colour;
            }
        }
    }
}

// The tinted row over an opaque destination: every source channel value and alpha under every
// tint channel value, with tint alphas that give every source weight.
TEST_P(BlitRows, TintedRowOverOpaqueMatchesTheReferenceForEveryTintValue) {
    MersenneTwister random;
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (uint32_t v = 0; v < 256; ++v) {
            source.push_back((alpha << 24) | (v * 0x010101u));
            dest.push_back(0xFF000000u | (v < 2 ? v * 0xFFFFFFu : random.Next() & 0xFFFFFF));
        }
    }
    std::vector<uint32_t> tinted;
    for (int v = 0; v < 256; ++v) {
        for (const int alpha : {255, 254, 128, 1}) {
            const Color c(v, 255 - v, v ^ 0x55, alpha);
            tinted = dest;
            Blend::TintedRow(tinted.data(), source.data(), static_cast<int>(tinted.size()), c);
            for (size_t i = 0; i < tinted.size(); ++i) {
                ASSERT_EQ(tinted[i], Blend::TintedRef(dest[i], source[i], c))
                    << std::hex << dest[i] << " " << source[i] << " v " << v;
            }
        }
    }
}

// The tinted row over an opaque destination at every tint alpha: every source weight
// s.alpha * c.alpha / 255, each over every source channel value.
TEST_P(BlitRows, TintedRowOverOpaqueMatchesTheReferenceForEveryTintAlpha) {
    MersenneTwister random;
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (uint32_t v = 0; v < 256; ++v) {
            source.push_back((alpha << 24) | (v * 0x010101u));
            dest.push_back(0xFF000000u | (random.Next() & 0xFFFFFF));
        }
    }
    std::vector<uint32_t> tinted;
    for (int alpha = 0; alpha < 256; ++alpha) {
        const Color c((alpha * 7) & 0xFF, 255 - alpha, alpha ^ 0x5A, alpha);
        tinted = dest;
        Blend::TintedRow(tinted.data(), source.data(), static_cast<int>(tinted.size()), c);
        for (size_t i = 0; i < tinted.size(); ++i) {
            ASSERT_EQ(tinted[i], Blend::TintedRef(dest[i], source[i], c))
                << std::hex << dest[i] << " " << source[i] << " alpha " << alpha;
        }
    }
}

// The untinted additive forms: every destination channel value under every source channel
// value at every source alpha, in runs of one alpha (whole groups of opaque pixels among them).
TEST_P(BlitRows, WhiteAdditiveRowsMatchTheReferenceForEveryChannelValue) {
    uint8_t table[512];
    for (int i = 0; i < 512; ++i) {
        table[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    }
    std::vector<uint32_t> source(256 * 256);
    std::vector<uint32_t> dest(source.size());
    for (uint32_t d = 0; d < 256; ++d) {
        for (uint32_t s = 0; s < 256; ++s) {
            dest[d * 256 + s] = ((d ^ 0x5A) << 24) | (d * 0x010101u);
        }
    }
    using Form = Blend::AdditiveForm;
    const uint32_t m[3] = {255, 255, 255};
    std::vector<uint32_t> added;
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (uint32_t i = 0; i < source.size(); ++i) {
            source[i] = (alpha << 24) | ((i & 0xFF) * 0x010101u);
        }
        for (const bool hasAlpha : {false, true}) {
            added = dest;
            Blend::AdditiveRow(hasAlpha ? Form::WhiteAlpha : Form::White, added.data(),
                               source.data(), static_cast<int>(added.size()), m);
            for (size_t i = 0; i < added.size(); ++i) {
                ASSERT_EQ(added[i],
                          Blend::AdditiveRef(dest[i], source[i], Color::White, hasAlpha, table))
                    << std::hex << dest[i] << " " << source[i];
            }
        }
    }
}

// Every source channel value and alpha under every tint factor m, for the tinted additive
// forms (the colour (m, m, m + 1) is never white and gives every m to every channel).
TEST_P(BlitRows, TintedAdditiveRowsMatchTheReferenceForEveryFactor) {
    uint8_t table[512];
    for (int i = 0; i < 512; ++i) {
        table[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    }
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    for (uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (uint32_t v = 0; v < 256; ++v) {
            source.push_back((alpha << 24) | (v * 0x010101u));
            dest.push_back(((255 - alpha) << 24) | ((v * 7) & 0xFF) * 0x010101u);
        }
    }
    using Form = Blend::AdditiveForm;
    std::vector<uint32_t> added;
    for (int m = 0; m < 256; ++m) {
        const Color c(m, m, (m + 1) & 0xFF);
        const uint32_t factors[3] = {uint32_t(c.mRed), uint32_t(c.mGreen), uint32_t(c.mBlue)};
        for (const bool hasAlpha : {false, true}) {
            added = dest;
            Blend::AdditiveRow(hasAlpha ? Form::TintedAlpha : Form::Tinted, added.data(),
                               source.data(), static_cast<int>(added.size()), factors);
            for (size_t i = 0; i < added.size(); ++i) {
                ASSERT_EQ(added[i], Blend::AdditiveRef(dest[i], source[i], c, hasAlpha, table))
                    << std::hex << dest[i] << " " << source[i] << " m " << m;
            }
        }
    }
}

// Nearest samples of a row at steps from magnification to minification past two (where a
// group's columns spread over more than sixteen pixels), up to the row's last pixel, over
// destinations of every alpha pair.
TEST_P(BlitRows, SampledRowsMatchTheReference) {
    const PixelPairs pairs = EveryAlphaPair(1);
    MersenneTwister random;
    for (const double step : {0.25, 0.5, 0.7, 1.0, 1.3, 2.0, 2.2, 3.0}) {
        for (const int count : {7, 8, 61, 640}) {
            const int width = static_cast<int>(std::ceil(count * step));
            std::vector<int> columns(static_cast<size_t>(count));
            for (int i = 0; i < count; ++i) {
                columns[i] = std::min(width - 1, static_cast<int>(i * step));
            }
            const size_t from = random.Next() % (pairs.mDest.size() - count - width);
            const uint32_t* row = pairs.mSource.data() + from + count;
            std::vector<uint32_t> sampled(static_cast<size_t>(count));
            Blend::SampleRow(sampled.data(), row, width, columns.data(), count);
            std::vector<uint32_t> drawn(pairs.mDest.begin() + from,
                                        pairs.mDest.begin() + from + count);
            Blend::NormalSampledRow(drawn.data(), row, width, columns.data(), count);
            for (int i = 0; i < count; ++i) {
                const uint32_t s = row[columns[i]];
                ASSERT_EQ(sampled[i], s) << "step " << step << " at " << i;
                ASSERT_EQ(drawn[i], Blend::NormalRef(pairs.mDest[from + i], s, s >> 24))
                    << "step " << step << " at " << i;
            }
        }
    }
}

// The rotated row's samples composited one by one.
std::vector<uint32_t> RotatedPixelByPixel(std::vector<uint32_t> dest,
                                          const Blend::RotatedSpan& span) {
    const auto at = [&span](int x, int y) {
        return span.mBits[static_cast<size_t>(span.mY + y) * span.mStride + span.mX + x];
    };
    for (size_t i = 0; i < dest.size(); ++i) {
        const int64_t step = static_cast<int64_t>(i);
        const Blend::RotatedSample sample =
            Blend::RotatedSampleAt(at, span.mU + step * span.mDU, span.mV + step * span.mDV);
        if (sample.mAlpha != 0) {
            dest[i] = Blend::RotatedNormal(dest[i], sample);
        }
    }
    return dest;
}

// Rows at random angles and positions over a source of transparent, translucent and opaque
// pixels, onto opaque destinations, translucent ones and opaque ones with a few translucent
// pixels (which the kernel leaves to the per-pixel form).
TEST_P(BlitRows, RotatedRowMatchesThePerPixelForm) {
    MersenneTwister random;
    constexpr int kSize = 67;
    std::vector<uint32_t> source(kSize * kSize);
    for (uint32_t& pixel : source) {
        const uint32_t pick = random.Next() % 4;
        const uint32_t alpha = pick == 0 ? 0 : (pick == 1 ? 255 : random.Next() & 0xFF);
        pixel = (alpha << 24) | (random.Next() & 0xFFFFFF);
    }
    constexpr int64_t kHigh = int64_t{kSize - 3} << 16;
    for (int n = 0; n < 3000; ++n) {
        const double angle = (random.Next() % 10000) * 0.001;
        const Blend::RotatedSpan base{source.data(),
                                      kSize,
                                      1,
                                      2,
                                      random.Next() % kHigh,
                                      static_cast<int64_t>(std::cos(angle) * 65536),
                                      random.Next() % kHigh,
                                      static_cast<int64_t>(std::sin(angle) * 65536)};
        // As many pixels as stay inside (at most 90).
        int count = 1;
        while (count < 90) {
            const int64_t u = base.mU + count * base.mDU;
            const int64_t v = base.mV + count * base.mDV;
            if (u < 0 || u >= kHigh || v < 0 || v >= kHigh) {
                break;
            }
            ++count;
        }
        std::vector<uint32_t> dest(static_cast<size_t>(count));
        for (uint32_t& pixel : dest) {
            const uint32_t kind = static_cast<uint32_t>(n % 3);
            const bool opaque = kind == 0 || (kind == 2 && random.Next() % 16 != 0);
            pixel =
                (opaque ? 0xFF000000u : random.Next() & 0xFF000000u) | (random.Next() & 0xFFFFFF);
        }
        std::vector<uint32_t> drawn = dest;
        Blend::RotatedNormalRow(drawn.data(), base, count);
        ASSERT_EQ(drawn, RotatedPixelByPixel(dest, base)) << "row " << n;
    }
}

// Every destination channel value under every source alpha and channel value (source pixel
// (x, y) has alpha x and channels y), at fractions from the least to the most.
TEST_P(BlitRows, RotatedRowMatchesThePerPixelFormForEveryAlphaAndChannelValue) {
    std::vector<uint32_t> source;
    for (uint32_t y = 0; y < 257; ++y) {
        for (uint32_t x = 0; x < 257; ++x) {
            const uint32_t c = std::min(y, 255u);
            source.push_back((std::min(x, 255u) << 24) | (c << 16) | ((255 - c) << 8) | (c ^ 0x55));
        }
    }
    std::vector<uint32_t> dest(256);
    for (uint32_t c = 0; c < 256; ++c) {
        dest[c] = 0xFF000000u | (c << 16) | ((c * 7 & 0xFF) << 8) | (255 - c);
    }
    for (const int64_t fraction : {0, 1, 0x3FFF, 0x8000, 0xC001, 0xFFFE, 0xFFFF}) {
        for (int64_t y = 0; y < 256; ++y) {
            const Blend::RotatedSpan span{
                source.data(), 257, 0, 0, fraction, 65536, (y << 16) + (0xFFFF - fraction), 0};
            std::vector<uint32_t> drawn = dest;
            Blend::RotatedNormalRow(drawn.data(), span, 256);
            ASSERT_EQ(drawn, RotatedPixelByPixel(dest, span))
                << "row " << y << " fraction " << fraction;
        }
    }
}

VURO_INSTANTIATE_KERNEL_FORMS(BlitRows);

} // namespace
} // namespace Vuro
