// Fills and lines drawn in software on the locked surface, 16 or 32 bits, in normal mode
// (alpha blending) and additive mode (saturating sums through the display's clamp tables).
// Each channel c of a pixel P is (P & m) >> s, m the surface's mask and s, n the display's
// shift and width.
//
// A line never writes outside the surface, whatever its end points.

#include "framework/display/DDImage.h"

#include "framework/display/SurfaceFormulas.h"
#include "framework/display/SurfacePixels.h"
#include "framework/display/SurfaceRows.h"
#include "framework/display/SurfaceRows16.h"

#include <cmath>
#include <cstdlib>

namespace Vuro {

namespace {

// The colour's channels, red first.
void Channels(const Color& c, uint32_t (&out)[3]) {
    out[0] = static_cast<uint32_t>(c.mRed);
    out[1] = static_cast<uint32_t>(c.mGreen);
    out[2] = static_cast<uint32_t>(c.mBlue);
}

// Per-channel amounts an additive draw adds: (c * a / 255) >> (8 - n).
void AdditiveAmounts(const SurfacePixels& s, const Color& color, uint32_t (&amount)[3]) {
    uint32_t c[3];
    Channels(color, c);
    for (int k = 0; k < 3; ++k) {
        amount[k] = (c[k] * static_cast<uint32_t>(color.mAlpha) / 255) >> (8 - s.mChannelBits[k]);
    }
}

uint32_t AddSaturating(const SurfacePixels& s, uint32_t d, const uint32_t (&amount)[3]) {
    uint32_t out = 0;
    for (int k = 0; k < 3; ++k) {
        out |= s.mTable[k][((d & s.mMask[k]) >> s.mShift[k]) + amount[k]] << s.mShift[k];
    }
    return out;
}

template <typename Word, typename Plot>
void ForEachInRect(const SurfacePixels& s, const Rect& r, Plot plot) {
    for (int y = r.mY; y < r.mY + r.mHeight; ++y) {
        Word* row = s.Row<Word>(y) + r.mX;
        for (int x = 0; x < r.mWidth; ++x) {
            row[x] = static_cast<Word>(plot(row[x]));
        }
    }
}

template <typename Word>
void NormalFill(const SurfacePixels& s, const Rect& r, const Color& color) {
    constexpr bool wide = sizeof(Word) == 4;
    uint32_t c[3];
    Channels(color, c);
    const uint32_t a = static_cast<uint32_t>(color.mAlpha);
    if (a == 255) {
        uint32_t value = 0;
        for (int k = 0; k < 3; ++k) {
            value |= ((wide ? c[k] : c[k] + 1) * s.mMask[k] >> 8) & s.mMask[k];
        }
        ForEachInRect<Word>(s, r, [value](uint32_t) { return value; });
        return;
    }
    const uint32_t k0 = wide ? 127 : 128;
    uint32_t source = 0;
    for (int k = 0; k < 3; ++k) {
        source |= ((((c[k] * a + k0) >> 8) + 1) * s.mMask[k] >> 8) & s.mMask[k];
    }
    const uint32_t ia = 256 - a;
    if (const int layout = s.SixteenBitLayout(); layout != 0) {
        SurfaceRows16::FadeFill(
            layout == 0x565 ? SurfaceRows16::Layout::Rgb565 : SurfaceRows16::Layout::Rgb555,
            s.mBits + static_cast<size_t>(r.mY) * s.mPitch + static_cast<size_t>(r.mX) * 2,
            s.mPitch, r.mWidth, r.mHeight, static_cast<uint16_t>(source), ia);
        return;
    }
    if constexpr (wide) {
        if (s.IsEightBitChannels()) {
            for (int y = r.mY; y < r.mY + r.mHeight; ++y) {
                SurfaceRows::FadeFillRow(s.Row<uint32_t>(y) + r.mX, source, ia, r.mWidth);
            }
            return;
        }
    }
    ForEachInRect<Word>(s, r,
                        [&](uint32_t d) { return SurfaceFormulas::FadeFill(s, d, source, ia); });
}

// The line walk: one pixel per step of the major axis, the minor axis moved by an error term.
// plot is called for every pixel on the way, inside the surface or not.
template <typename Plot> void WalkLine(double x1, double y1, double x2, double y2, Plot plot) {
    const double minX = std::min(x1, x2);
    const double maxX = std::max(x1, x2);
    const double minY = std::min(y1, y2);
    const double maxY = std::max(y1, y2);
    double dx = x2 - x1;
    double dy = y2 - y1;
    const bool yMajor = std::abs(dy) >= std::abs(dx);
    if ((yMajor ? dy : dx) < 0) {
        std::swap(x1, x2);
        std::swap(y1, y2);
        dx = -dx;
        dy = -dy;
    }
    const double minorDelta = yMajor ? dx : dy;
    const int minorStep = minorDelta < 0 ? -1 : 1;
    const double e = std::abs(minorDelta);
    const double f = yMajor ? dy : dx;
    const double startMinor = yMajor ? x1 : y1;
    const double endMajor = yMajor ? y2 : x2;
    const double minorLow = yMajor ? minX : minY;
    const double minorHigh = yMajor ? maxX : maxY;
    int major = static_cast<int>(yMajor ? y1 : x1);
    int minor = static_cast<int>(startMinor);
    auto plotAt = [&] { yMajor ? plot(minor, major) : plot(major, minor); };
    plotAt();
    const double fraction = startMinor - std::trunc(startMinor);
    int error = static_cast<int>(fraction * static_cast<int>(2 * e) + static_cast<int>(2 * e - f));
    const int moveIncrement = static_cast<int>(2 * (e - f));
    const int stayIncrement = static_cast<int>(2 * e);
    for (++major; major <= endMajor; ++major) {
        if (error > 0) {
            minor += minorStep;
            error += moveIncrement;
            if (minor < minorLow || minor > minorHigh) {
                return;
            }
        } else {
            error += stayIncrement;
        }
        plotAt();
    }
}

template <typename Word, typename Blend>
void LineOnSurface(const SurfacePixels& s, int width, int height, double x1, double y1, double x2,
                   double y2, Blend blend) {
    WalkLine(x1, y1, x2, y2, [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            Word& pixel = s.Row<Word>(y)[x];
            pixel = static_cast<Word>(blend(pixel));
        }
    });
}

} // namespace

void DDImage::NormalFillRect(const Rect& rect, const Color& color) {
    if (mVideoMemoryOnly || GetSurface() == nullptr || !LockSurface()) {
        return;
    }
    const SurfacePixels s = SurfacePixels::Of(*this);
    if (s.mBitCount == 16) {
        NormalFill<uint16_t>(s, rect, color);
    } else if (s.mBitCount == 32) {
        NormalFill<uint32_t>(s, rect, color);
    }
    UnlockSurface();
}

void DDImage::AdditiveFillRect(const Rect& rect, const Color& color) {
    if (mVideoMemoryOnly || GetSurface() == nullptr || !LockSurface()) {
        return;
    }
    const SurfacePixels s = SurfacePixels::Of(*this);
    uint32_t amount[3];
    AdditiveAmounts(s, color, amount);
    auto add = [&](uint32_t d) { return AddSaturating(s, d, amount); };
    if (s.mBitCount == 16) {
        ForEachInRect<uint16_t>(s, rect, add);
    } else if (s.mBitCount == 32) {
        ForEachInRect<uint32_t>(s, rect, add);
    }
    UnlockSurface();
}

void DDImage::NormalDrawLine(double x1, double y1, double x2, double y2, const Color& color) {
    if (mVideoMemoryOnly || GetSurface() == nullptr || !LockSurface()) {
        return;
    }
    const SurfacePixels s = SurfacePixels::Of(*this);
    uint32_t c[3];
    Channels(color, c);
    const uint32_t a = static_cast<uint32_t>(color.mAlpha);
    uint32_t source = 0;
    for (int k = 0; k < 3; ++k) {
        const uint32_t m = s.mMask[k];
        const uint32_t value = a == 255 ? c[k] : (c[k] * a + 128) >> 8;
        source |= ((value * m + (m >> 1)) >> 8) & m;
    }
    auto blend = [&](uint32_t d) {
        if (a == 255) {
            return source;
        }
        uint32_t out = source;
        for (int k = 0; k < 3; ++k) {
            const uint32_t m = s.mMask[k];
            out += (((d & m) * (256 - a) + (m >> 1)) >> 8) & m;
        }
        return out;
    };
    if (s.mBitCount == 16) {
        LineOnSurface<uint16_t>(s, mWidth, mHeight, x1, y1, x2, y2, blend);
    } else if (s.mBitCount == 32) {
        LineOnSurface<uint32_t>(s, mWidth, mHeight, x1, y1, x2, y2, blend);
    }
    UnlockSurface();
}

void DDImage::AdditiveDrawLine(double x1, double y1, double x2, double y2, const Color& color) {
    if (mVideoMemoryOnly || GetSurface() == nullptr || !LockSurface()) {
        return;
    }
    const SurfacePixels s = SurfacePixels::Of(*this);
    uint32_t amount[3];
    AdditiveAmounts(s, color, amount);
    auto add = [&](uint32_t d) { return AddSaturating(s, d, amount); };
    if (s.mBitCount == 16) {
        LineOnSurface<uint16_t>(s, mWidth, mHeight, x1, y1, x2, y2, add);
    } else if (s.mBitCount == 32) {
        LineOnSurface<uint32_t>(s, mWidth, mHeight, x1, y1, x2, y2, add);
    }
    UnlockSurface();
}

} // namespace Vuro
