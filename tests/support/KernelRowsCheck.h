#pragma once
// Checks a surface kernel (SurfaceRows.h, SurfaceRows16.h) pixel by pixel against its per-pixel
// formula: pairs of destination and native words laid out in rectangles of three rows of `width`
// pixels (pitch four words more than the row, native stride five more), the kernel run on each,
// every pixel compared with `expected(d, p)` and the words past each row with their fill.

#include "framework/display/SurfacePixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

namespace Vuro::Test {

template <typename Word> struct KernelPairs {
    std::vector<Word> mDest;
    std::vector<uint32_t> mNative;
};

template <typename Word>
void ExpectKernel(const KernelPairs<Word>& pairs, int width,
                  const std::function<void(const NativeRows&)>& kernel,
                  const std::function<uint32_t(uint32_t d, uint32_t p)>& expected) {
    const int height = 3;
    const int pitchWords = width + 4;
    const size_t stride = static_cast<size_t>(width) + 5;
    const auto fill = static_cast<Word>(0xA5A5A5A5u);
    std::vector<Word> out(static_cast<size_t>(pitchWords) * height);
    std::vector<uint32_t> native(stride * height, 0xFFFFFFFFu);
    const size_t area = static_cast<size_t>(width) * height;
    for (size_t start = 0; start < pairs.mDest.size(); start += area) {
        std::fill(out.begin(), out.end(), fill);
        const auto at = [&](int row, int i) {
            return (start + row * width + i) % pairs.mDest.size();
        };
        for (int row = 0; row < height; ++row) {
            for (int i = 0; i < width; ++i) {
                out[row * pitchWords + i] = pairs.mDest[at(row, i)];
                native[row * stride + i] = pairs.mNative[at(row, i)];
            }
        }
        kernel({reinterpret_cast<uint8_t*>(out.data()), pitchWords * static_cast<int>(sizeof(Word)),
                native.data(), stride, width, height});
        for (int row = 0; row < height; ++row) {
            for (int i = 0; i < width; ++i) {
                const uint32_t d = pairs.mDest[at(row, i)];
                const uint32_t p = pairs.mNative[at(row, i)];
                const auto want = static_cast<Word>(expected(d, p));
                // Compared plainly first: the assertion's own cost would dominate.
                if (out[row * pitchWords + i] != want) {
                    ASSERT_EQ(out[row * pitchWords + i], want)
                        << std::hex << "d " << d << " p " << p << std::dec << " width " << width;
                }
            }
            for (int i = width; i < pitchWords; ++i) {
                if (out[row * pitchWords + i] != fill) {
                    ASSERT_EQ(out[row * pitchWords + i], fill) << "past the row, width " << width;
                }
            }
        }
    }
}

} // namespace Vuro::Test
