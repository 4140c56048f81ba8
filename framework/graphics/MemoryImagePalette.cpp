// Conversion of an in-memory image to its palettised form: an exact table of the distinct
// 0xAARRGGBB words in order of first appearance, and one index byte per pixel.

#include "framework/graphics/MemoryImage.h"

#include <algorithm>
#include <vector>

namespace Vuro {

namespace {

// Fills indices and table; false when the pixels hold more than 256 distinct words. Colours
// that differ only in alpha are distinct.
bool Quantize(const uint32_t* bits, size_t pixels, uint8_t* indices, uint32_t* table) {
    if (pixels == 0) {
        return true;
    }
    table[0] = bits[0];
    indices[0] = 0;
    // Colours seen so far, sorted, and the table index of each.
    std::vector<uint32_t> sorted{bits[0]};
    std::vector<uint8_t> sortedIndex{0};
    int used = 1;
    for (size_t i = 1; i < pixels; ++i) {
        const uint32_t color = bits[i];
        const auto at = std::lower_bound(sorted.begin(), sorted.end(), color);
        const auto position = at - sorted.begin();
        if (at != sorted.end() && *at == color) {
            indices[i] = sortedIndex[position];
            continue;
        }
        if (used == 256) {
            return false;
        }
        sorted.insert(at, color);
        sortedIndex.insert(sortedIndex.begin() + position, static_cast<uint8_t>(used));
        table[used] = color;
        indices[i] = static_cast<uint8_t>(used);
        ++used;
    }
    return true;
}

} // namespace

bool MemoryImage::Palletize() {
    ApplyBits();
    if (mColorTable) {
        return true;
    }
    const uint32_t* bits = GetBits();
    if (bits == nullptr) {
        return false;
    }
    const size_t pixels = static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight);
    auto indices = std::make_unique_for_overwrite<uint8_t[]>(pixels);
    auto table = std::make_unique<uint32_t[]>(256);
    if (!Quantize(bits, pixels, indices.get(), table.get())) {
        mWantPal = false;
        return false;
    }
    mColorIndices = std::move(indices);
    mColorTable = std::move(table);
    mBits.reset();
    mNativeAlphaData.reset();
    mAdditiveTerms.reset();
    mWantPal = true;
    return true;
}

} // namespace Vuro
