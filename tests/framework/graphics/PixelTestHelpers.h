#pragma once
// Small helpers for pixel tests of in-memory images.

#include "framework/graphics/MemoryImage.h"

#include <cstdint>
#include <vector>

namespace Vuro::Testing {

// Sets the image to width x height copies of one word.
inline void Fill(MemoryImage& image, int width, int height, uint32_t word) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, word);
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
