// StretchBlt of the in-memory image: nearest sample and area-weighted, both composited in
// normal mode.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/BlitLanes.h"
#include "framework/graphics/BlitRows.h"
#include "framework/graphics/BltClip.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

namespace Vuro {

namespace {

// The four channels of an accumulator cell, summed together (a compiler vector type).
using Channels = int32_t __attribute__((vector_size(16)));

// One contribution of a source column (or row) to an accumulator cell. Cell c + 1 holds
// destination pixel c: the cells keep one cell of margin on each side.
struct Tap {
    int mSource;
    int mCell;
    int mWeight;
};

// Taps of one axis of the area-weighted stretch. unit is the full weight (257 across, 256
// down). origin and extent are the fractional source range, [win0, win1) its whole pixels
// inside the source image.
std::vector<Tap> BuildTaps(double origin, double extent, int destExtent, int win0, int win1,
                           int unit) {
    std::vector<Tap> taps;
    if (destExtent > extent) {
        // A one-pixel destination has no step (rather than dividing by zero).
        const double step = destExtent == 1 ? 0.0 : (extent - 1) / (destExtent - 1);
        for (int c = 0; c < destExtent; ++c) {
            const double pos = origin + c * step;
            const int k = static_cast<int>(pos);
            const int w = std::clamp(static_cast<int>((1 - (pos - k)) * unit), 0, unit);
            // The right neighbour of the window's last pixel is that pixel itself, so a
            // palettised source is never read past its last index.
            taps.push_back({std::clamp(k, win0, win1 - 1), c + 1, w});
            taps.push_back({std::clamp(k + 1, win0, win1 - 1), c + 1, unit - w});
        }
        return taps;
    }
    const double scale = destExtent / extent;
    for (int k = 0; k < win1 - win0; ++k) {
        const double a = (win0 - origin) * scale + k * scale + 1;
        const double b = a + scale;
        const int i = static_cast<int>(a);
        const int j = static_cast<int>(b);
        if (i == j) {
            taps.push_back({win0 + k, i, static_cast<int>(scale * unit)});
        } else {
            taps.push_back({win0 + k, i, static_cast<int>((j - a) * unit)});
            // Rounding must not push the far edge past the margin cell.
            if (j <= destExtent + 1) {
                taps.push_back({win0 + k, j, static_cast<int>((b - j) * unit)});
            }
        }
    }
    return taps;
}

// The horizontal pass over one source row: its pixels split into cells and spread over the
// accumulator cells by the taps.
VURO_LANES void SpreadRowBody(const uint32_t* in, int width, const std::vector<Tap>& taps,
                              int firstSource, int cellCount, Channels* unpacked, Channels* acc) {
    std::fill_n(acc, cellCount, Channels{});
    for (int i = 0; i < width; ++i) {
        unpacked[i] = Channels{int32_t(in[i] & 0xFF), int32_t((in[i] >> 8) & 0xFF),
                               int32_t((in[i] >> 16) & 0xFF), int32_t(in[i] >> 24)};
    }
    // Consecutive taps mostly feed one cell: their sum is added to it once.
    Channels run{};
    int cell = taps.empty() ? 0 : taps.front().mCell;
    for (const Tap& tap : taps) {
        if (tap.mCell != cell) {
            acc[cell] += run;
            run = Channels{};
            cell = tap.mCell;
        }
        run += unpacked[tap.mSource - firstSource] * tap.mWeight;
    }
    acc[cell] += run;
}

void SpreadRow(const uint32_t* in, int width, const std::vector<Tap>& taps, int firstSource,
               int cellCount, Channels* unpacked, Channels* acc) {
    Blend::RunKernel<SpreadRowBody>(in, width, taps, firstSource, cellCount, unpacked, acc);
}

// The vertical pass's sum of one destination row: each tap's row of cells, weighted.
VURO_LANES void SumRowsBody(const std::vector<Tap>& taps, const Channels* rows, int firstRow,
                            int cellsX, int width, Channels* sum) {
    if (taps.empty()) {
        std::fill_n(sum, width, Channels{});
    }
    for (size_t k = 0; k < taps.size(); ++k) {
        // Cell 0 of a row is margin: destination column i is cell i + 1.
        const Channels* in = rows + static_cast<size_t>(taps[k].mSource - firstRow) * cellsX + 1;
        const int weight = taps[k].mWeight;
        if (k == 0) {
            for (int i = 0; i < width; ++i) {
                sum[i] = in[i] * weight;
            }
        } else {
            for (int i = 0; i < width; ++i) {
                sum[i] += in[i] * weight;
            }
        }
    }
}

void SumRows(const std::vector<Tap>& taps, const Channels* rows, int firstRow, int cellsX,
             int width, Channels* sum) {
    Blend::RunKernel<SumRowsBody>(taps, rows, firstRow, cellsX, width, sum);
}

// Each sum >> 16 is a channel value below 256, so the low bytes of the four lanes are the
// pixel's bytes in memory order.
VURO_LANES void PackSumsBody(const Channels* sum, int width, uint32_t* samples) {
    static_assert(std::endian::native == std::endian::little, "bytes in memory order");
    using Bytes = uint8_t __attribute__((vector_size(16)));
    for (int i = 0; i < width; ++i) {
        const Bytes bytes = reinterpret_cast<Bytes>(sum[i] >> 16);
        const Bytes packed = __builtin_shufflevector(bytes, bytes, 0, 4, 8, 12, 0, 4, 8, 12, 0, 4,
                                                     8, 12, 0, 4, 8, 12);
        std::memcpy(samples + i, &packed, sizeof(uint32_t));
    }
}

void PackSums(const Channels* sum, int width, uint32_t* samples) {
    Blend::RunKernel<PackSumsBody>(sum, width, samples);
}

// [SECTION] Magnification on both axes

// Every destination pixel of a magnified axis has two taps, the neighbours k and k + 1 with
// weights w and unit - w (BuildTaps pushes them in pairs). Across, a channel's sum
// p[k] w + p[k + 1] (257 - w) is at most 255 * 257 = 65535, so a magnified row keeps its sums
// in 16-bit lanes (blue-red and green-alpha pairs, as Simd::SplitOf splits pixels), half the
// bytes of the general path's cells and twice the channels to a vector.
using Blend::Simd::Lanes;
using Blend::Simd::Pixels;

// Kept as plain words and read and written through Simd::Load and Store: a vector type's
// alignment is 32 bytes in the AVX2 kernels but 16 in the code that allocates.
struct MagnifiedGroup {
    uint32_t mBlueRed[Blend::Simd::kGroup];
    uint32_t mGreenAlpha[Blend::Simd::kGroup];
};

// One window row magnified across into groups of eight destination columns; the columns past
// width in the last group are padding (their sums are of column 0).
VURO_LANES void MagnifyRowBody(const uint32_t* in, int firstSource, const std::vector<Tap>& taps,
                               int width, MagnifiedGroup* out) {
    using namespace Blend::Simd;
    for (int c0 = 0; c0 < width; c0 += kGroup) {
        Pixels near{};
        Pixels far{};
        Pixels weight{};
        for (int i = 0; i < kGroup; ++i) {
            const size_t c = static_cast<size_t>(c0 + i < width ? c0 + i : 0);
            near[i] = in[taps[2 * c].mSource - firstSource];
            far[i] = in[taps[2 * c + 1].mSource - firstSource];
            weight[i] = static_cast<uint32_t>(taps[2 * c].mWeight);
        }
        const Lanes w = reinterpret_cast<Lanes>(weight | (weight << 16));
        const Split n = SplitOf(near);
        const Split f = SplitOf(far);
        MagnifiedGroup& group = out[c0 / kGroup];
        Store(group.mBlueRed, reinterpret_cast<Pixels>(n.mBlueRed * w + f.mBlueRed * (257 - w)));
        Store(group.mGreenAlpha,
              reinterpret_cast<Pixels>(n.mGreenAlpha * w + f.mGreenAlpha * (257 - w)));
    }
}

void MagnifyRow(const uint32_t* in, int firstSource, const std::vector<Tap>& taps, int width,
                MagnifiedGroup* out) {
    Blend::RunKernel<MagnifyRowBody>(in, firstSource, taps, width, out);
}

VURO_LANES Lanes LoadLanes(const uint32_t* words) {
    return reinterpret_cast<Lanes>(Blend::Simd::Load(words));
}

// Down, a channel is (h[k] w + h[k + 1] (256 - w)) >> 16 for row sums h below 2^16. With
// h = 256 hh + hl both partial sums (of hh and of hl) are at most 255 * 256, and the dropped
// fraction of the low one cannot carry the high one across a multiple of 256 (as in
// Simd::MulHigh), so the 16-bit lanes give the exact quotient.
VURO_LANES Lanes MagnifyDown(Lanes near, Lanes far, Lanes w) {
    const Lanes v = 256 - w;
    const Lanes high = (near >> 8) * w + (far >> 8) * v;
    const Lanes low = (near & 0xFF) * w + (far & 0xFF) * v;
    return (high + (low >> 8)) >> 8;
}

VURO_LANES void MagnifyRowsDownBody(const MagnifiedGroup* near, const MagnifiedGroup* far,
                                    int weight, int groups, uint32_t* samples) {
    using namespace Blend::Simd;
    const Lanes w = Pair(static_cast<uint32_t>(weight), static_cast<uint32_t>(weight));
    for (int g = 0; g < groups; ++g) {
        Store(samples + g * kGroup,
              Join(MagnifyDown(LoadLanes(near[g].mBlueRed), LoadLanes(far[g].mBlueRed), w),
                   MagnifyDown(LoadLanes(near[g].mGreenAlpha), LoadLanes(far[g].mGreenAlpha), w)));
    }
}

void MagnifyRowsDown(const MagnifiedGroup* near, const MagnifiedGroup* far, int weight, int groups,
                     uint32_t* samples) {
    Blend::RunKernel<MagnifyRowsDownBody>(near, far, weight, groups, samples);
}

// The magnified rows a destination row reads, two at a time: rows go down the source in
// order, so each is magnified once and stays in the cache while it is read.
class MagnifiedRows {
public:
    MagnifiedRows(const SourcePixels& pixels, int winX0, int winWidth,
                  const std::vector<Tap>& across, int width)
        : mPixels(pixels), mWinX0(winX0), mWinWidth(winWidth), mAcross(std::move(across)),
          mWidth(width), mGroups((width + Blend::Simd::kGroup - 1) / Blend::Simd::kGroup),
          mScratch(static_cast<size_t>(winWidth)) {
        for (Slot& slot : mSlots) {
            slot.mGroups.resize(static_cast<size_t>(mGroups));
        }
    }

    int Groups() const { return mGroups; }

    // Source row r magnified; it replaces the row read longest ago.
    const MagnifiedGroup* Row(int r) {
        ++mClock;
        for (Slot& slot : mSlots) {
            if (slot.mRow == r) {
                slot.mUsed = mClock;
                return slot.mGroups.data();
            }
        }
        Slot& slot = mSlots[0].mUsed < mSlots[1].mUsed ? mSlots[0] : mSlots[1];
        MagnifyRow(mPixels.Row(mWinX0, r, mWinWidth, mScratch.data()), mWinX0, mAcross, mWidth,
                   slot.mGroups.data());
        slot.mRow = r;
        slot.mUsed = mClock;
        return slot.mGroups.data();
    }

private:
    struct Slot {
        int mRow = -1;
        long mUsed = 0;
        std::vector<MagnifiedGroup> mGroups;
    };
    const SourcePixels& mPixels;
    int mWinX0;
    int mWinWidth;
    const std::vector<Tap>& mAcross;
    int mWidth;
    int mGroups;
    std::vector<uint32_t> mScratch;
    Slot mSlots[2];
    long mClock = 0;
};

} // namespace

void MemoryImage::StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect,
                             const Rect& clipRect, const Color& color, DrawMode, bool fastStretch) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    if (src == nullptr) {
        return;
    }
    DoubleRect from;
    Rect to;
    // The caller's clip is not trusted: it is cut to this image.
    if (!ClipStretchRects(srcRect, clipRect.Intersection(Bounds()), destRect, from, to)) {
        return;
    }
    if (!fastStretch) {
        SlowStretchBlt(src, to, from);
        return;
    }
    // A tinted nearest-sample stretch in memory draws nothing.
    if (color.Clamped() != Color::White) {
        return;
    }
    GetBits();
    NearestStretch(src, to, from);
    OnBitsChanged();
}

void MemoryImage::NearestStretch(MemoryImage* src, const Rect& to, const DoubleRect& from) {
    const SourcePixels pixels = SourcePixels::Of(src);
    const double stepX = from.mWidth / to.mWidth;
    const double stepY = from.mHeight / to.mHeight;
    // Samples outside the source image are skipped, whatever rectangle the caller passed.
    std::vector<int> columns(to.mWidth);
    for (int i = 0; i < to.mWidth; ++i) {
        const double pos = from.mX + i * stepX;
        columns[i] = pos >= 0 && pos < pixels.mWidth ? static_cast<int>(pos) : -1;
    }
    // A skipped sample reads as alpha 0, which leaves the pixel as it is: only the columns
    // that sample the image (one run, as the position grows with the column) are drawn.
    const auto firstIn = std::find_if(columns.begin(), columns.end(), [](int c) { return c >= 0; });
    const auto endIn = std::find_if(firstIn, columns.end(), [](int c) { return c < 0; });
    const int first = static_cast<int>(firstIn - columns.begin());
    const int count = static_cast<int>(endIn - firstIn);
    std::vector<uint32_t> samples(static_cast<size_t>(count));
    int sampledRow = -1;
    // Where no source row repeats (no magnification down), 32-bit samples are read as they
    // are composited.
    const bool direct = stepY >= 1 && pixels.mBits != nullptr;
    for (int j = 0; j < to.mHeight; ++j) {
        const double pos = from.mY + j * stepY;
        if (!(pos >= 0 && pos < pixels.mHeight)) {
            continue;
        }
        // Rows of a magnified image repeat their source row: its samples are kept.
        const int sy = static_cast<int>(pos);
        uint32_t* out = mBits.get() + static_cast<size_t>(to.mY + j) * mWidth + to.mX + first;
        if (direct) {
            Blend::NormalSampledRow(out, pixels.mBits + static_cast<size_t>(sy) * pixels.mWidth,
                                    pixels.mWidth, &*firstIn, count);
            continue;
        }
        const uint32_t* row = pixels.mBits != nullptr
                                  ? pixels.mBits + static_cast<size_t>(sy) * pixels.mWidth
                                  : nullptr;
        if (sy != sampledRow && row != nullptr) {
            Blend::SampleRow(samples.data(), row, pixels.mWidth, &*firstIn, count);
        } else if (sy != sampledRow) {
            for (int i = 0; i < count; ++i) {
                samples[i] = pixels.At(firstIn[i], sy);
            }
        }
        sampledRow = sy;
        Blend::NormalRow(out, samples.data(), count);
    }
}

void MemoryImage::SlowStretchBlt(Image* image, const Rect& destRect, const DoubleRect& srcRect) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    DoubleRect from;
    Rect to;
    if (src == nullptr || !ClipStretchRects(srcRect, Bounds(), destRect, from, to)) {
        return;
    }
    const int winX0 = std::max(0, static_cast<int>(std::floor(from.mX)));
    const int winY0 = std::max(0, static_cast<int>(std::floor(from.mY)));
    const int winX1 = std::min(src->mWidth, static_cast<int>(std::ceil(from.mX + from.mWidth)));
    const int winY1 = std::min(src->mHeight, static_cast<int>(std::ceil(from.mY + from.mHeight)));
    if (winX1 <= winX0 || winY1 <= winY0) {
        return;
    }
    const std::vector<Tap> across = BuildTaps(from.mX, from.mWidth, to.mWidth, winX0, winX1, 257);
    const std::vector<Tap> down = BuildTaps(from.mY, from.mHeight, to.mHeight, winY0, winY1, 256);
    const SourcePixels pixels = SourcePixels::Of(src);
    const int cellsX = to.mWidth + 2;
    const int winWidth = winX1 - winX0;

    // Rows are magnified while the destination is drawn, so an image stretched onto itself
    // takes the general path, which reads the whole window first.
    if (to.mWidth > from.mWidth && to.mHeight > from.mHeight && src != this) {
        uint32_t* bits = GetBits();
        MagnifiedRows rows(pixels, winX0, winWidth, across, to.mWidth);
        std::vector<uint32_t> samples(static_cast<size_t>(rows.Groups()) * Blend::Simd::kGroup);
        for (int j = 0; j < to.mHeight; ++j) {
            const Tap& near = down[2 * static_cast<size_t>(j)];
            const Tap& far = down[2 * static_cast<size_t>(j) + 1];
            const MagnifiedGroup* nearRow = rows.Row(near.mSource);
            MagnifyRowsDown(nearRow, rows.Row(far.mSource), near.mWeight, rows.Groups(),
                            samples.data());
            Blend::NormalRow(bits + static_cast<size_t>(to.mY + j) * mWidth + to.mX, samples.data(),
                             to.mWidth);
        }
        OnBitsChanged();
        return;
    }

    // Horizontal pass: every window row spread over the destination columns, the four
    // channels of a cell (blue, green, red, alpha) held and summed together.
    // Each row of cells is cleared by its own pass, while it is in the cache.
    const auto rows =
        std::make_unique_for_overwrite<Channels[]>(static_cast<size_t>(winY1 - winY0) * cellsX);
    std::vector<Channels> unpacked(static_cast<size_t>(winWidth));
    std::vector<uint32_t> scratch(static_cast<size_t>(winWidth));
    for (int r = winY0; r < winY1; ++r) {
        SpreadRow(pixels.Row(winX0, r, winWidth, scratch.data()), winWidth, across, winX0, cellsX,
                  unpacked.data(), rows.get() + static_cast<size_t>(r - winY0) * cellsX);
    }

    // Vertical pass, one destination row at a time, straight into the destination.
    std::vector<std::vector<Tap>> downByRow(to.mHeight);
    for (const Tap& tap : down) {
        if (tap.mCell >= 1 && tap.mCell <= to.mHeight) {
            downByRow[tap.mCell - 1].push_back(tap);
        }
    }
    uint32_t* bits = GetBits();
    std::vector<Channels> sum(static_cast<size_t>(to.mWidth));
    std::vector<uint32_t> samples(to.mWidth);
    for (int j = 0; j < to.mHeight; ++j) {
        SumRows(downByRow[j], rows.get(), winY0, cellsX, to.mWidth, sum.data());
        PackSums(sum.data(), to.mWidth, samples.data());
        Blend::NormalRow(bits + static_cast<size_t>(to.mY + j) * mWidth + to.mX, samples.data(),
                         to.mWidth);
    }
    OnBitsChanged();
}

} // namespace Vuro
