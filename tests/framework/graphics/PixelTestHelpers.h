#pragma once
// Small helpers for pixel tests of in-memory images, and the fixture of tests that draw one
// image into another.

#include "framework/app/VuroAppBase.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/MersenneTwister.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace Vuro::Testing {

// Source pixels in runs of random lengths (1 to 20) of one class each: clear (alphas below
// clearBelow), opaque, or partial (the alphas between), over destination words opaque in some
// runs and random in others. Kernels that treat whole groups of one class differently meet
// groups of one class and of two or three.
struct AlphaRuns {
    std::vector<uint32_t> mDest;
    std::vector<uint32_t> mSource;
};

inline AlphaRuns RandomAlphaRuns(size_t count, uint32_t clearBelow) {
    MersenneTwister random;
    AlphaRuns runs;
    while (runs.mSource.size() < count) {
        const uint32_t pick = random.Next() % 3;
        const bool opaqueDest = random.Next() % 2 == 0;
        for (uint32_t n = 1 + random.Next() % 20; n > 0; --n) {
            const uint32_t partial = clearBelow + random.Next() % (255 - clearBelow);
            const uint32_t alpha =
                pick == 0 ? random.Next() % clearBelow : (pick == 1 ? 255 : partial);
            runs.mSource.push_back((alpha << 24) | (random.Next() & 0xFFFFFF));
            runs.mDest.push_back(opaqueDest ? 0xFF000000u | random.Next() : random.Next());
        }
    }
    return runs;
}

// A destination and a source image of one application.
template <typename Base = ::testing::Test> class ImagePairTestOn : public Base {
protected:
    VuroAppBase mApp;
    MemoryImage mDest{&mApp};
    MemoryImage mSource{&mApp};
};
using ImagePairTest = ImagePairTestOn<>;

// Sets the image to width x height copies of one word.
inline void Fill(MemoryImage& image, int width, int height, uint32_t word) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, word);
    image.SetBits(pixels.data(), width, height);
}

// Sets the image to width x height pixels, cell(x, y) at (x, y).
template <typename CellFn> void FillCells(MemoryImage& image, int width, int height, CellFn cell) {
    std::vector<uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(cell(x, y));
        }
    }
    image.SetBits(pixels.data(), width, height);
}

inline uint32_t PixelAt(MemoryImage& image, int x, int y) {
    return image.GetBits()[y * image.GetWidth() + x];
}

inline std::vector<uint32_t> Row(MemoryImage& image, int y) {
    const uint32_t* bits = image.GetBits() + y * image.GetWidth();
    return std::vector<uint32_t>(bits, bits + image.GetWidth());
}

inline std::vector<uint32_t> AllPixels(MemoryImage& image) {
    const uint32_t* bits = image.GetBits();
    return std::vector<uint32_t>(bits, bits + image.GetWidth() * image.GetHeight());
}

inline bool SentinelIntact(MemoryImage& image) {
    return image.GetBits()[image.GetWidth() * image.GetHeight()] == MemoryImage::kSentinel;
}

} // namespace Vuro::Testing
