// Fills, clears and lines of the in-memory image. Every operation keeps to the image's bounds
// whatever rectangle or end points it is given.

#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/BlitRows.h"
#include "framework/graphics/PixelBlend.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace Vuro {

namespace {

// Line end points far outside any image are pulled in so that truncation stays defined; the
// pixels of a line that crosses an image are unchanged by this.
constexpr double kLineLimit = 1 << 24;

int TruncCoord(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::clamp(value, -kLineLimit, kLineLimit));
}

double LimitCoord(double value) {
    return std::isnan(value) ? 0.0 : std::clamp(value, -kLineLimit, kLineLimit);
}

} // namespace

void MemoryImage::FillRect(const Rect& rect, const Color& color, DrawMode) {
    const Rect r = rect.Intersection(Bounds());
    const Color c = color.Clamped();
    if (r.IsEmpty() || c.mAlpha == 0) {
        return;
    }
    uint32_t* bits = GetBits();
    const uint32_t packed = c.ToInt();
    // Whole rows lie end to end: the rectangle is one run (while its length fits the kernels').
    const bool oneRun =
        r.mWidth == mWidth && static_cast<int64_t>(r.mWidth) * r.mHeight <= INT32_MAX;
    const int runs = oneRun ? 1 : r.mHeight;
    const int length = oneRun ? r.mWidth * r.mHeight : r.mWidth;
    for (int k = 0; k < runs; ++k) {
        uint32_t* run = bits + static_cast<size_t>(r.mY + k) * mWidth + r.mX;
        if (c.mAlpha == 255) {
            Blend::FillRow(run, packed, length);
        } else {
            Blend::NormalFillRow(run, packed, length);
        }
    }
    OnBitsChanged();
}

void MemoryImage::ClearRect(const Rect& rect) {
    const Rect r = rect.Intersection(Bounds());
    if (r.IsEmpty()) {
        return;
    }
    uint32_t* bits = GetBits();
    for (int y = r.mY; y < r.mY + r.mHeight; ++y) {
        std::fill_n(bits + static_cast<size_t>(y) * mWidth + r.mX, r.mWidth, 0u);
    }
    OnBitsChanged();
}

void MemoryImage::DrawLine(double x1, double y1, double x2, double y2, const Color& color,
                           DrawMode mode) {
    x1 = LimitCoord(x1);
    y1 = LimitCoord(y1);
    x2 = LimitCoord(x2);
    y2 = LimitCoord(y2);
    if (y1 == y2) {
        const int left = TruncCoord(std::min(x1, x2));
        const int right = TruncCoord(std::max(x1, x2));
        FillRect(Rect(left, TruncCoord(y1), right - left + 1, 1), color, mode);
        return;
    }
    if (x1 == x2) {
        const int top = TruncCoord(std::min(y1, y2));
        const int bottom = TruncCoord(std::max(y1, y2));
        FillRect(Rect(TruncCoord(x1), top, 1, bottom - top + 1), color, mode);
        return;
    }
    if (mode != kDrawModeNormal && mode != kDrawModeAdditive) {
        return;
    }
    const Color c = color.Clamped();
    uint32_t* bits = GetBits();
    const uint8_t* table = Blend::kAdd8BitMaxTable.data();
    const uint32_t a = static_cast<uint32_t>(c.mAlpha);
    const uint32_t channels[3] = {static_cast<uint32_t>(c.mRed), static_cast<uint32_t>(c.mGreen),
                                  static_cast<uint32_t>(c.mBlue)};
    auto plot = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= mWidth || py >= mHeight) {
            return;
        }
        uint32_t& d = bits[static_cast<size_t>(py) * mWidth + px];
        // The alpha of a translucent normal line is the normal-compositing alpha.
        uint32_t out =
            mode == kDrawModeNormal && a < 255 ? Blend::NewAlphaRef(d >> 24, a) << 24 : 0xFF000000u;
        for (int i = 0; i < 3; ++i) {
            const int shift = 16 - 8 * i;
            const uint32_t dc = (d >> shift) & 0xFF;
            uint32_t value;
            if (mode == kDrawModeAdditive) {
                value = table[dc + channels[i] * a / 255];
            } else if (a == 255) {
                value = (channels[i] * 255 + 127) >> 8;
            } else {
                const uint32_t premultiplied = (channels[i] * a + 128) >> 8;
                value = ((premultiplied * 255 + 127) >> 8) + ((dc * (256 - a) + 127) >> 8);
            }
            out |= value << shift;
        }
        d = out;
    };

    // Bresenham over the axis of the larger truncated extent (vertical on a tie), walking so
    // that the major coordinate increases.
    const bool xMajor = std::abs(TruncCoord(x2 - x1)) > std::abs(TruncCoord(y2 - y1));
    double startMajor = xMajor ? x1 : y1;
    double startMinor = xMajor ? y1 : x1;
    double endMajor = xMajor ? x2 : y2;
    double endMinor = xMajor ? y2 : x2;
    if (startMajor > endMajor) {
        std::swap(startMajor, endMajor);
        std::swap(startMinor, endMinor);
    }
    const double major = endMajor - startMajor;
    const double minor = std::abs(endMinor - startMinor);
    const int minorStep = endMinor > startMinor ? 1 : -1;
    const int increment = TruncCoord(2 * minor);
    const int decrement = TruncCoord(2 * minor - 2 * major);
    const double frac = startMajor - TruncCoord(startMajor);
    int error = TruncCoord(frac * increment + TruncCoord(2 * minor - major));
    const int minorLow = std::min(TruncCoord(startMinor), TruncCoord(endMinor));
    const int minorHigh = std::max(TruncCoord(startMinor), TruncCoord(endMinor));
    int minorPos = TruncCoord(startMinor);
    int majorPos = TruncCoord(startMajor);
    auto plotMajorMinor = [&](int mj, int mn) { xMajor ? plot(mj, mn) : plot(mn, mj); };
    plotMajorMinor(majorPos, minorPos);
    const int majorLimit = xMajor ? mWidth : mHeight;
    for (++majorPos; majorPos <= endMajor && majorPos < majorLimit; ++majorPos) {
        if (error > 0) {
            error += decrement;
            minorPos += minorStep;
            if (minorPos < minorLow || minorPos > minorHigh) {
                break;
            }
        } else {
            error += increment;
        }
        plotMajorMinor(majorPos, minorPos);
    }
    OnBitsChanged();
}

} // namespace Vuro
