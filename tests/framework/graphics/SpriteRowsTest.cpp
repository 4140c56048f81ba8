#include "framework/graphics/SpriteRows.h"

#include "PixelTestHelpers.h"

#include "framework/graphics/BlitRowsAvx2.h"
#include "framework/graphics/PixelBlend.h"
#include "framework/graphics/SpriteRowsAvx2.h"

#include "support/KernelForms.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

// What the run-length walk gives a source pixel: copied, skipped or mixed by its alpha class.
uint32_t RunLengthRef(uint32_t d, uint32_t s) {
    const uint32_t sa = s >> 24;
    return sa == 0 ? d : (sa == 255 ? s : Blend::OpaqueRef(d, s, sa));
}

uint32_t AdditiveWhiteRef(uint32_t d, uint32_t s, bool weighted) {
    return Blend::AdditiveRef(d, s, Color::White, weighted, Blend::kAdd8BitMaxTable.data());
}

// One kernel as the blits call it, on a dest / source pair of one row each.
struct Kernel {
    const char* mName;
    void (*mRows)(uint32_t* out, size_t outStride, const uint32_t* src, size_t srcStride, int width,
                  int height);
    uint32_t (*mReference)(uint32_t d, uint32_t s);
    bool mAvx2 = false; // run only where the processor has AVX2
};

const Kernel kKernels[] = {
    {"over opaque", Blend::OverOpaqueRows, RunLengthRef},
    {"additive", Blend::AddTermsRows,
     [](uint32_t d, uint32_t s) { return AdditiveWhiteRef(d, s, false); }},
    {"additive weighted",
     [](uint32_t* out, size_t outStride, const uint32_t* src, size_t srcStride, int width,
        int height) {
         std::vector<uint32_t> terms(static_cast<size_t>(height - 1) * srcStride + width);
         for (int row = 0; row < height; ++row) {
             for (int i = 0; i < width; ++i) {
                 const size_t at = static_cast<size_t>(row) * srcStride + i;
                 terms[at] = Blend::WhiteAlphaTerm(src[at]);
             }
         }
         Blend::AddTermsRows(out, outStride, terms.data(), srcStride, width, height);
     },
     [](uint32_t d, uint32_t s) { return AdditiveWhiteRef(d, s, true); }},
    {"additive avx2", Blend::SpriteAvx2::AddTermsRows,
     [](uint32_t d, uint32_t s) { return AdditiveWhiteRef(d, s, false); }, true},
};

// The pixels cut into rectangles width pixels wide and three rows high (the last one filled up
// from the start), the destination's rows width + 3 words apart and the source's width + 5, so
// every start offset and tail length of a group meets the kernel and the words between rows
// must stay as they are; checked pixel by pixel.
void ExpectRectanglesMatch(const Kernel& kernel, std::vector<uint32_t> dest,
                           std::vector<uint32_t> source, int width) {
    if (kernel.mAvx2 && !Blend::Avx2::Available()) {
        return;
    }
    const int height = 3;
    const size_t area = static_cast<size_t>(width) * height;
    for (size_t i = 0; dest.size() % area != 0; ++i) {
        dest.push_back(dest[i]);
        source.push_back(source[i]);
    }
    const size_t outStride = width + 3;
    const size_t srcStride = width + 5;
    std::vector<uint32_t> out(outStride * height);
    std::vector<uint32_t> in(srcStride * height, 0xFFFFFFFFu);
    for (size_t start = 0; start < dest.size(); start += area) {
        std::fill(out.begin(), out.end(), 0x5A5A5A5Au);
        for (int row = 0; row < height; ++row) {
            for (int i = 0; i < width; ++i) {
                out[row * outStride + i] = dest[start + row * width + i];
                in[row * srcStride + i] = source[start + row * width + i];
            }
        }
        kernel.mRows(out.data(), outStride, in.data(), srcStride, width, height);
        for (int row = 0; row < height; ++row) {
            for (int i = 0; i < width; ++i) {
                const uint32_t d = dest[start + row * width + i];
                const uint32_t s = source[start + row * width + i];
                ASSERT_EQ(out[row * outStride + i], kernel.mReference(d, s))
                    << kernel.mName << std::hex << " " << d << " " << s << std::dec << " width "
                    << width;
            }
            for (size_t i = width; i < outStride; ++i) {
                ASSERT_EQ(out[row * outStride + i], 0x5A5A5A5Au) << kernel.mName;
            }
        }
    }
}

// Every case runs in both kernel forms.
class SpriteRows : public Test::KernelFormTest {};

// Every source channel value and alpha over destination channel values from 0 to 255 three
// apart (red; green and blue meet the others); the alpha runs fastest, so groups of one class
// and groups where transparent or opaque meet partial alpha all occur. Destination alphas vary:
// a skipped pixel keeps its word whatever it is.
TEST_P(SpriteRows, EveryChannelValueAndAlphaMatchesTheReference) {
    std::vector<uint32_t> source;
    std::vector<uint32_t> dest;
    for (uint32_t d = 0; d < 256; d += 3) {
        for (uint32_t s = 0; s < 256; ++s) {
            for (uint32_t alpha = 0; alpha < 256; ++alpha) {
                source.push_back((alpha << 24) | (s * 0x010101u));
                const uint32_t colour = (d << 16) | (((d + s) & 0xFF) << 8) | ((d * 7 + s) & 0xFF);
                dest.push_back((((d + alpha) | 0x80) << 24) | colour);
            }
        }
    }
    for (const Kernel& kernel : kKernels) {
        ExpectRectanglesMatch(kernel, dest, source, 1021);
    }
}

// Runs of transparent, opaque and partial pixels in every rectangle width up to a few groups.
TEST_P(SpriteRows, MixedClassesInEveryWidth) {
    const Testing::AlphaRuns runs = Testing::RandomAlphaRuns(4096, 1);
    for (const Kernel& kernel : kKernels) {
        for (int width = 1; width <= 40; ++width) {
            ExpectRectanglesMatch(kernel, runs.mDest, runs.mSource, width);
        }
    }
}

VURO_INSTANTIATE_KERNEL_FORMS(SpriteRows);

} // namespace
} // namespace Vuro
