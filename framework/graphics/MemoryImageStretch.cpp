// StretchBlt of the in-memory image: nearest sample and area-weighted, both composited in
// normal mode.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/BltClip.h"
#include "framework/graphics/PixelBlend.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Vuro {

namespace {

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
        // A one-pixel destination has no step (the written design divided by zero here).
        const double step = destExtent == 1 ? 0.0 : (extent - 1) / (destExtent - 1);
        for (int c = 0; c < destExtent; ++c) {
            const double pos = origin + c * step;
            const int k = static_cast<int>(pos);
            const int w = std::clamp(static_cast<int>((1 - (pos - k)) * unit), 0, unit);
            // The right neighbour of the window's last pixel is that pixel itself; the written
            // design read one past the window here.
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

} // namespace

void MemoryImage::StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect,
                             const Rect& clipRect, const Color& color, DrawMode, bool fastStretch) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    if (src == nullptr) {
        return;
    }
    DoubleRect from;
    Rect to;
    // The clip is kept inside this image; the written design trusted the caller's clip.
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
    const Blend::BlendTables& tables = Blend::GetBlendTables();
    const double stepX = from.mWidth / to.mWidth;
    const double stepY = from.mHeight / to.mHeight;
    // Samples outside the source image are skipped (the written design read them).
    std::vector<int> columns(to.mWidth);
    for (int i = 0; i < to.mWidth; ++i) {
        const double pos = from.mX + i * stepX;
        columns[i] = pos >= 0 && pos < pixels.mWidth ? static_cast<int>(pos) : -1;
    }
    for (int j = 0; j < to.mHeight; ++j) {
        const double pos = from.mY + j * stepY;
        if (!(pos >= 0 && pos < pixels.mHeight)) {
            continue;
        }
        const int sy = static_cast<int>(pos);
        uint32_t* out = mBits.get() + static_cast<size_t>(to.mY + j) * mWidth + to.mX;
        for (int i = 0; i < to.mWidth; ++i) {
            if (columns[i] < 0) {
                continue;
            }
            const uint32_t s = pixels.At(columns[i], sy);
            if (s >> 24 != 0) {
                out[i] = Blend::Normal(out[i], s, s >> 24, tables);
            }
        }
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
    const int cellsY = to.mHeight + 2;

    // Horizontal pass: every window row spread over the destination columns, channels in the
    // order blue, green, red, alpha.
    std::vector<int32_t> rows(static_cast<size_t>(winY1 - winY0) * cellsX * 4, 0);
    for (int r = winY0; r < winY1; ++r) {
        int32_t* acc = rows.data() + static_cast<size_t>(r - winY0) * cellsX * 4;
        for (const Tap& tap : across) {
            const uint32_t p = pixels.At(tap.mSource, r);
            int32_t* cell = acc + tap.mCell * 4;
            for (int ch = 0; ch < 4; ++ch) {
                cell[ch] += static_cast<int32_t>((p >> (8 * ch)) & 0xFF) * tap.mWeight;
            }
        }
    }
    // Vertical pass.
    std::vector<int32_t> cells(static_cast<size_t>(cellsY) * cellsX * 4, 0);
    for (const Tap& tap : down) {
        const int32_t* in = rows.data() + static_cast<size_t>(tap.mSource - winY0) * cellsX * 4;
        int32_t* out = cells.data() + static_cast<size_t>(tap.mCell) * cellsX * 4;
        for (int i = 0; i < cellsX * 4; ++i) {
            out[i] += in[i] * tap.mWeight;
        }
    }

    uint32_t* bits = GetBits();
    const Blend::BlendTables& tables = Blend::GetBlendTables();
    for (int j = 0; j < to.mHeight; ++j) {
        const int32_t* cell = cells.data() + (static_cast<size_t>(j + 1) * cellsX + 1) * 4;
        uint32_t* out = bits + static_cast<size_t>(to.mY + j) * mWidth + to.mX;
        for (int i = 0; i < to.mWidth; ++i, cell += 4) {
            const uint32_t sa = static_cast<uint32_t>(cell[3]) >> 16;
            if (sa == 0) {
                continue;
            }
            const uint32_t s = (sa << 24) | ((static_cast<uint32_t>(cell[2]) >> 16) << 16) |
                               ((static_cast<uint32_t>(cell[1]) >> 16) << 8) |
                               (static_cast<uint32_t>(cell[0]) >> 16);
            out[i] = Blend::Normal(out[i], s, sa, tables);
        }
    }
    OnBitsChanged();
}

} // namespace Vuro
