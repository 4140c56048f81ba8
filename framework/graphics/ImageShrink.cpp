// Positions on an axis of source extent S and target extent T are counted in units of 1/T of a
// source pixel (1/S of a target pixel): source pixel s spans [s T, (s + 1) T), target pixel t
// spans [t S, (t + 1) S). A source pixel is at most one target pixel wide, so it lies in one
// target pixel or is split between two neighbours; all weights are whole numbers.

#include "framework/graphics/ImageShrink.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

namespace Vuro {

namespace {

// Where one source pixel of an axis goes.
struct Share {
    int mTarget; // the first target pixel it lies in
    int mNear;   // units of it inside that one; the rest of its T units lie in the next
};

std::vector<Share> Shares(int source, int target) {
    std::vector<Share> shares;
    shares.reserve(static_cast<size_t>(source));
    for (int64_t s = 0; s < source; ++s) {
        const int64_t start = s * target;
        const int64_t t = start / source;
        const int64_t boundary = (t + 1) * source;
        shares.push_back(
            {static_cast<int>(t), static_cast<int>(std::min(start + target, boundary) - start)});
    }
    return shares;
}

// Weighted channel sums of a part of the picture. At most 255 * 255 * S across * S down per
// sum, well inside 64 bits for any picture the readers accept.
struct Sums {
    uint64_t mRed = 0; // each colour channel times alpha times weight
    uint64_t mGreen = 0;
    uint64_t mBlue = 0;
    uint64_t mAlpha = 0; // alpha times weight

    void Add(uint32_t pixel, uint64_t weight) {
        const uint64_t alphaWeight = (pixel >> 24) * weight;
        mRed += ((pixel >> 16) & 0xFF) * alphaWeight;
        mGreen += ((pixel >> 8) & 0xFF) * alphaWeight;
        mBlue += (pixel & 0xFF) * alphaWeight;
        mAlpha += alphaWeight;
    }
    void Add(const Sums& other, uint64_t weight) {
        mRed += other.mRed * weight;
        mGreen += other.mGreen * weight;
        mBlue += other.mBlue * weight;
        mAlpha += other.mAlpha * weight;
    }
    // The pixel of an area whose weights add up to `area`.
    uint32_t Mean(uint64_t area) const {
        if (mAlpha == 0) {
            return 0;
        }
        const auto colour = [this](uint64_t sum) { return (sum + mAlpha / 2) / mAlpha; };
        const uint64_t alpha = (mAlpha + area / 2) / area;
        return static_cast<uint32_t>(alpha << 24 | colour(mRed) << 16 | colour(mGreen) << 8 |
                                     colour(mBlue));
    }
};

} // namespace

std::vector<uint32_t> ShrinkImage(const uint32_t* pixels, int width, int height, int newWidth,
                                  int newHeight) {
    assert(newWidth >= 1 && newWidth <= width && newHeight >= 1 && newHeight <= height &&
           "ShrinkImage only shrinks");
    const std::vector<Share> across = Shares(width, newWidth);
    const std::vector<Share> down = Shares(height, newHeight);
    // One spare cell across and one spare row down take the empty far share of a source pixel
    // that ends on the last target pixel's edge.
    const size_t cellsX = static_cast<size_t>(newWidth) + 1;
    std::vector<Sums> grid(cellsX * (static_cast<size_t>(newHeight) + 1));
    std::vector<Sums> row(cellsX);
    const uint32_t* in = pixels;
    for (const Share& rowShare : down) {
        std::fill(row.begin(), row.end(), Sums{});
        for (const Share& share : across) {
            row[share.mTarget].Add(*in, share.mNear);
            row[share.mTarget + 1].Add(*in, newWidth - share.mNear);
            ++in;
        }
        Sums* near = &grid[rowShare.mTarget * cellsX];
        Sums* far = near + cellsX;
        for (size_t c = 0; c < cellsX; ++c) {
            near[c].Add(row[c], rowShare.mNear);
            far[c].Add(row[c], newHeight - rowShare.mNear);
        }
    }
    const uint64_t area = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    std::vector<uint32_t> result;
    result.reserve(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
    for (size_t ty = 0; ty < static_cast<size_t>(newHeight); ++ty) {
        for (size_t tx = 0; tx < static_cast<size_t>(newWidth); ++tx) {
            result.push_back(grid[ty * cellsX + tx].Mean(area));
        }
    }
    return result;
}

} // namespace Vuro
