// Blits drawn in software on the locked surface: normal (alpha blending) and additive
// (saturating sums), plain and mirrored, 16 or 32 bits. They read the source's native copy
// (premultiplied, in the display's layout, alpha in the top byte) and its run-length tables, so
// runs of transparent pixels are skipped and runs of opaque ones copied whole.

#include "framework/display/DDImage.h"

#include "framework/display/DDInterface.h"
#include "framework/display/SurfaceFormulas.h"
#include "framework/display/SurfacePixels.h"
#include "framework/display/SurfaceRows.h"
#include "framework/display/SurfaceRows16.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace Vuro {

namespace {

// The source's native words, through the index bytes when palettised.
struct NativeSource {
    const uint32_t* mNative = nullptr;
    const uint8_t* mIndices = nullptr;
    int mWidth = 0;

    NativeSource(MemoryImage& image, NativeDisplay* layout) : mWidth(image.mWidth) {
        mNative = image.GetNativeAlphaData(layout);
        if (image.IsPalettised()) {
            mIndices = image.mColorIndices.get();
        }
    }
    uint32_t At(size_t i) const { return mIndices != nullptr ? mNative[mIndices[i]] : mNative[i]; }
};

// A run of native words copied as they are: a whole-row copy where the words are the pixels
// (32 bits, not palettised, left to right), else word by word.
template <typename Word>
void CopyRun(Word* out, const NativeSource& native, size_t at, int n, int step) {
    if (sizeof(Word) == 4 && native.mIndices == nullptr && step == 1) {
        std::memcpy(out, native.mNative + at, static_cast<size_t>(n) * sizeof(Word));
        return;
    }
    for (int k = 0; k < n; ++k) {
        out[k * step] = static_cast<Word>(native.At(at + k));
    }
}

// Per-channel tint t_c = c * a / 255.
void Tint(const Color& c, uint32_t (&t)[3]) {
    t[0] = static_cast<uint32_t>(c.mRed * c.mAlpha / 255);
    t[1] = static_cast<uint32_t>(c.mGreen * c.mAlpha / 255);
    t[2] = static_cast<uint32_t>(c.mBlue * c.mAlpha / 255);
}

// Runs `kernel` on the rows of a forward blit from the source rectangle `from` to (x, y): the
// destination rectangle and the source's native words under it.
template <typename Kernel>
void OnKernelRows(const SurfacePixels& s, const NativeSource& native, int x, int y,
                  const Rect& from, Kernel kernel) {
    const auto destination = [&s](int left, int top) {
        return s.mBits + static_cast<size_t>(top) * s.mPitch +
               static_cast<size_t>(left) * static_cast<size_t>(s.mBitCount / 8);
    };
    if (from.mWidth <= 0 || from.mHeight <= 0) {
        return;
    }
    if (native.mIndices == nullptr) {
        kernel(NativeRows{destination(x, y), s.mPitch,
                          native.mNative + static_cast<size_t>(from.mY) * native.mWidth + from.mX,
                          static_cast<size_t>(native.mWidth), from.mWidth, from.mHeight});
        return;
    }
    // Fast path: a palettised source's words are looked up through the palette into a buffer, a
    // band of rows at a time; they are the words the run walk reads (NativeSource::At), so the
    // kernels draw what it draws. The buffer is kept, so drawing allocates nothing once it has
    // grown to the widest row.
    constexpr int kBandWords = 4096;
    thread_local std::vector<uint32_t> buffer;
    const int bandRows = std::max(1, kBandWords / from.mWidth);
    buffer.resize(std::max(buffer.size(), static_cast<size_t>(bandRows) * from.mWidth));
    for (int top = 0; top < from.mHeight; top += bandRows) {
        const int height = std::min(from.mHeight - top, bandRows);
        for (int row = 0; row < height; ++row) {
            const size_t first = static_cast<size_t>(from.mY + top + row) * native.mWidth + from.mX;
            uint32_t* words = buffer.data() + static_cast<size_t>(row) * from.mWidth;
            for (int i = 0; i < from.mWidth; ++i) {
                words[i] = native.mNative[native.mIndices[first + i]];
            }
        }
        kernel(NativeRows{destination(x, y + top), s.mPitch, buffer.data(),
                          static_cast<size_t>(from.mWidth), from.mWidth, height});
    }
}

SurfaceRows16::Layout Layout16(int code) {
    return code == 0x565 ? SurfaceRows16::Layout::Rgb565 : SurfaceRows16::Layout::Rgb555;
}

// Walks the source rectangle row by row and run by run; `run` gets the index of the run's
// first source pixel, its length and the destination column of that pixel (the column of
// the run's last pixel when mirrored, the run then going leftward).
template <typename Run>
void ForEachRun(const uint8_t* runs, int sourceWidth, int x, int y, const Rect& from, bool mirror,
                Run run) {
    for (int row = 0; row < from.mHeight; ++row) {
        const size_t first = static_cast<size_t>(from.mY + row) * sourceWidth + from.mX;
        for (int i = 0; i < from.mWidth;) {
            const int n = std::min<int>(runs[first + i], from.mWidth - i);
            const int destX = mirror ? x + from.mWidth - 1 - i : x + i;
            run(first + i, n, destX, y + row);
            i += n;
        }
    }
}

template <typename Word>
void NormalRuns(const SurfacePixels& s, MemoryImage& src, NativeDisplay* layout, int x, int y,
                const Rect& from, const Color& color, bool mirror) {
    const NativeSource native(src, layout);
    const uint8_t* runs = src.GetRLAlphaData();
    const int step = mirror ? -1 : 1;
    const bool white = color == Color::White;
    uint32_t t[3];
    Tint(color, t);
    const uint32_t colorAlpha = static_cast<uint32_t>(color.mAlpha);
    const bool eightBits = s.IsEightBitChannels();
    // Fast path: each pixel's alpha class is its run's, so the kernels, which choose by the
    // pixel, give what the run walk gives.
    if (const int layout = s.SixteenBitLayout(); !mirror && layout != 0) {
        OnKernelRows(s, native, x, y, from, [&](const NativeRows& rows) {
            white ? SurfaceRows16::Over(Layout16(layout), rows)
                  : SurfaceRows16::Tinted(Layout16(layout), rows, t, colorAlpha);
        });
        return;
    }
    if (!mirror && eightBits) {
        OnKernelRows(s, native, x, y, from, [&](const NativeRows& rows) {
            white ? SurfaceRows::OverRows(rows) : SurfaceRows::TintedRows(rows, t, colorAlpha);
        });
        return;
    }
    ForEachRun(runs, src.mWidth, x, y, from, mirror, [&](size_t at, int n, int destX, int destY) {
        Word* out = s.Row<Word>(destY) + destX;
        const uint32_t firstAlpha = native.At(at) >> 24;
        if (firstAlpha == 0) {
            return;
        }
        if (white && firstAlpha == 255) {
            CopyRun(out, native, at, n, step);
            return;
        }
        const bool opaqueRun = firstAlpha == 255 && colorAlpha == 255;
        for (int k = 0; k < n; ++k) {
            const uint32_t p = native.At(at + k);
            Word& d = out[k * step];
            d = static_cast<Word>(white
                                      ? SurfaceFormulas::Blend(s, d, p)
                                      : SurfaceFormulas::Tinted(s, d, p, t, colorAlpha, opaqueRun));
        }
    });
}

template <typename Word>
void AdditiveRuns(const SurfacePixels& s, MemoryImage& src, NativeDisplay* layout, int x, int y,
                  const Rect& from, const Color& color, bool mirror) {
    const NativeSource native(src, layout);
    const uint8_t* runs = src.GetRLAdditiveData(layout);
    const int step = mirror ? -1 : 1;
    const bool white = color == Color::White;
    uint32_t t[3];
    Tint(color, t);
    const bool eightBits = s.IsEightBitChannels();
    // Fast path: a black pixel lies in a black run and the others in runs that are added, so
    // choosing by the pixel gives what the run walk gives.
    if (const int layout = s.SixteenBitLayout(); !mirror && layout != 0) {
        OnKernelRows(s, native, x, y, from, [&](const NativeRows& rows) {
            SurfaceRows16::Add(Layout16(layout), rows, white, t);
        });
        return;
    }
    if (!mirror && eightBits) {
        OnKernelRows(s, native, x, y, from,
                     [&](const NativeRows& rows) { SurfaceRows::AddRows(rows, t, white); });
        return;
    }
    ForEachRun(runs, src.mWidth, x, y, from, mirror, [&](size_t at, int n, int destX, int destY) {
        if ((native.At(at) & 0xFFFFFF) == 0) {
            return;
        }
        Word* out = s.Row<Word>(destY) + destX;
        for (int k = 0; k < n; ++k) {
            Word& d = out[k * step];
            d = static_cast<Word>(SurfaceFormulas::Added(s, d, native.At(at + k), white, t));
        }
    });
}

// A volatile source is read from its 32-bit colours without any derived data.
template <typename Word>
void VolatileBlt(const SurfacePixels& s, MemoryImage& src, int x, int y, const Rect& from) {
    const SourcePixels pixels = SourcePixels::Of(&src);
    for (int row = 0; row < from.mHeight; ++row) {
        Word* out = s.Row<Word>(y + row) + x;
        for (int i = 0; i < from.mWidth; ++i) {
            const uint32_t p = pixels.At(from.mX + i, from.mY + row);
            const uint32_t a = p >> 24;
            uint32_t value = 0;
            for (int c = 0; c < 3; ++c) {
                const uint32_t m = s.mMask[c];
                const uint32_t channel = (p >> (16 - 8 * c)) & 0xFF;
                const uint32_t q =
                    s.mBitCount == 16 ? (channel * a * m) >> 8 : ((channel * a) >> 8) * m;
                value |= (((out[i] & m) * (256 - a) + q + (m >> 1)) >> 8) & m;
            }
            out[i] = static_cast<Word>(value);
        }
    }
}

// An image without partly transparent pixels: its native words copied, transparent ones (alpha
// 0) skipped when it has any.
template <typename Word>
void CopyNative(const SurfacePixels& s, MemoryImage& src, NativeDisplay* layout, int x, int y,
                const Rect& from) {
    const NativeSource native(src, layout);
    const bool skipTransparent = src.mHasTrans;
    if (s.SixteenBitLayout() != 0) {
        OnKernelRows(s, native, x, y, from, [skipTransparent](const NativeRows& rows) {
            SurfaceRows16::Copy(rows, skipTransparent);
        });
        return;
    }
    for (int row = 0; row < from.mHeight; ++row) {
        Word* out = s.Row<Word>(y + row) + x;
        const size_t first = static_cast<size_t>(from.mY + row) * src.mWidth + from.mX;
        if (!skipTransparent) {
            CopyRun(out, native, first, from.mWidth, 1);
            continue;
        }
        for (int i = 0; i < from.mWidth; ++i) {
            const uint32_t p = native.At(first + i);
            if (!skipTransparent || (p >> 24) != 0) {
                out[i] = static_cast<Word>(p);
            }
        }
    }
}

} // namespace

void DDImage::NormalBlt(Image* image, int x, int y, const Rect& srcRect, const Color& color) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    if (src == nullptr) {
        return;
    }
    src->ApplyBits();
    auto* ddSource = dynamic_cast<DDImage*>(image);
    const bool sourceHasSurface = ddSource != nullptr && ddSource->mSurface != nullptr;
    const bool white = color == Color::White;
    if (white && !src->mHasAlpha && sourceHasSurface &&
        (mWantVideoMemory || !ddSource->mWantVideoMemory)) {
        DeviceBlt(
            ddSource,
            {srcRect.mX, srcRect.mY, srcRect.mX + srcRect.mWidth, srcRect.mY + srcRect.mHeight},
            {x, y, x + srcRect.mWidth, y + srcRect.mHeight});
        return;
    }
    if (mVideoMemoryOnly || GetSurface() == nullptr || !LockSurface()) {
        return;
    }
    const SurfacePixels s = SurfacePixels::Of(*this);
    const bool wide = s.mBitCount == 32;
    if (s.mBits == nullptr) {
        // Neither 16 nor 32 bits: nothing is drawn.
    } else if (src->mIsVolatile && !sourceHasSurface && white) {
        wide ? VolatileBlt<uint32_t>(s, *src, x, y, srcRect)
             : VolatileBlt<uint16_t>(s, *src, x, y, srcRect);
    } else if (white && !src->mHasAlpha) {
        wide ? CopyNative<uint32_t>(s, *src, mDDInterface, x, y, srcRect)
             : CopyNative<uint16_t>(s, *src, mDDInterface, x, y, srcRect);
    } else {
        wide ? NormalRuns<uint32_t>(s, *src, mDDInterface, x, y, srcRect, color, false)
             : NormalRuns<uint16_t>(s, *src, mDDInterface, x, y, srcRect, color, false);
    }
    UnlockSurface();
}

template <typename Runs> void DDImage::RunsOnSurface(Image* image, Runs&& runs) {
    auto* src = dynamic_cast<MemoryImage*>(image);
    if (src == nullptr || mVideoMemoryOnly || GetSurface() == nullptr || !LockSurface()) {
        return;
    }
    src->ApplyBits();
    const SurfacePixels s = SurfacePixels::Of(*this);
    if (s.mBitCount == 32) {
        runs(s, *src, uint32_t{});
    } else if (s.mBitCount == 16) {
        runs(s, *src, uint16_t{});
    }
    UnlockSurface();
}

void DDImage::NormalBltMirror(Image* image, int x, int y, const Rect& srcRect, const Color& color) {
    RunsOnSurface(image, [&](const SurfacePixels& s, MemoryImage& src, auto pixel) {
        NormalRuns<decltype(pixel)>(s, src, mDDInterface, x, y, srcRect, color, true);
    });
}

void DDImage::AdditiveBlt(Image* image, int x, int y, const Rect& srcRect, const Color& color) {
    RunsOnSurface(image, [&](const SurfacePixels& s, MemoryImage& src, auto pixel) {
        AdditiveRuns<decltype(pixel)>(s, src, mDDInterface, x, y, srcRect, color, false);
    });
}

void DDImage::AdditiveBltMirror(Image* image, int x, int y, const Rect& srcRect,
                                const Color& color) {
    RunsOnSurface(image, [&](const SurfacePixels& s, MemoryImage& src, auto pixel) {
        AdditiveRuns<decltype(pixel)>(s, src, mDDInterface, x, y, srcRect, color, true);
    });
}

} // namespace Vuro
