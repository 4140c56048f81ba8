#include "platform/MemorySurface.h"

#include "platform/Window.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace Vuro::Platform {

namespace {

constexpr uint32_t kStoredCaps = kCapsSystemMemory | kCapsVideoMemory;

uint32_t FormatMask(const PixelFormat& format) {
    return format.redMask | format.greenMask | format.blueMask;
}

template <typename Pixel> Pixel Load(const uint8_t* row, int x) {
    Pixel value;
    std::memcpy(&value, row + static_cast<size_t>(x) * sizeof(Pixel), sizeof(Pixel));
    return value;
}

template <typename Pixel> void Store(uint8_t* row, int x, uint32_t value) {
    const auto pixel = static_cast<Pixel>(value);
    std::memcpy(row + static_cast<size_t>(x) * sizeof(Pixel), &pixel, sizeof(Pixel));
}

// One blit's rows: nearest source pixel per destination pixel, keyed or not, converted or not.
struct BltJob {
    const uint8_t* srcPixels;
    int srcPitch;
    PixelFormat srcFormat;
    SurfaceRect from;
    uint8_t* destPixels;
    int destPitch;
    PixelFormat destFormat;
    SurfaceRect to;
    bool keyed;
    ColorKey key;
};

template <typename SrcPixel, typename DestPixel> void RunBlt(const BltJob& job) {
    const int fromWidth = job.from.right - job.from.left;
    const int fromHeight = job.from.bottom - job.from.top;
    const int toWidth = job.to.right - job.to.left;
    const int toHeight = job.to.bottom - job.to.top;
    const bool sameFormat = job.srcFormat == job.destFormat;
    const uint32_t keyMask = FormatMask(job.srcFormat);
    std::vector<int> columns(static_cast<size_t>(toWidth));
    for (int x = 0; x < toWidth; ++x) {
        columns[x] = job.from.left + static_cast<int>(int64_t(x) * fromWidth / toWidth);
    }
    const bool plainCopy = sameFormat && !job.keyed && fromWidth == toWidth;
    for (int y = 0; y < toHeight; ++y) {
        const int sy = job.from.top + static_cast<int>(int64_t(y) * fromHeight / toHeight);
        const uint8_t* in = job.srcPixels + static_cast<size_t>(sy) * job.srcPitch;
        uint8_t* out = job.destPixels + static_cast<size_t>(job.to.top + y) * job.destPitch;
        if (plainCopy) {
            std::memmove(out + static_cast<size_t>(job.to.left) * sizeof(DestPixel),
                         in + static_cast<size_t>(job.from.left) * sizeof(SrcPixel),
                         static_cast<size_t>(toWidth) * sizeof(DestPixel));
            continue;
        }
        for (int x = 0; x < toWidth; ++x) {
            const uint32_t pixel = Load<SrcPixel>(in, columns[x]);
            const uint32_t keyed = pixel & keyMask;
            if (job.keyed && keyed >= job.key.low && keyed <= job.key.high) {
                continue;
            }
            Store<DestPixel>(out, job.to.left + x,
                             sameFormat ? pixel
                                        : ConvertPixel(pixel, job.srcFormat, job.destFormat));
        }
    }
}

} // namespace

uint32_t ConvertPixel(uint32_t pixel, const PixelFormat& from, const PixelFormat& to) {
    const uint32_t fromMasks[3] = {from.redMask, from.greenMask, from.blueMask};
    const uint32_t toMasks[3] = {to.redMask, to.greenMask, to.blueMask};
    uint32_t out = 0;
    for (int k = 0; k < 3; ++k) {
        if (fromMasks[k] == 0 || toMasks[k] == 0) {
            continue;
        }
        const uint32_t value = (pixel & fromMasks[k]) >> std::countr_zero(fromMasks[k]);
        const int fromBits = std::popcount(fromMasks[k]);
        const int toBits = std::popcount(toMasks[k]);
        const uint32_t scaled =
            fromBits >= toBits ? value >> (fromBits - toBits) : value << (toBits - fromBits);
        out |= scaled << std::countr_zero(toMasks[k]);
    }
    return out;
}

MemorySurface::MemorySurface(int width, int height, const PixelFormat& format, uint32_t caps,
                             std::shared_ptr<std::atomic<int64_t>> videoBytes)
    : mWidth(width), mHeight(height),
      mPitch((width * static_cast<int>(format.bitCount / 8) + 3) & ~3), mFormat(format),
      mCaps(caps), mPixels(static_cast<size_t>(mPitch) * static_cast<size_t>(height)) {
    if ((caps & kCapsVideoMemory) != 0 && videoBytes != nullptr) {
        mVideoBytes = std::move(videoBytes);
        *mVideoBytes += static_cast<int64_t>(mPixels.size());
    }
}

MemorySurface::~MemorySurface() {
    if (mVideoBytes != nullptr) {
        *mVideoBytes -= static_cast<int64_t>(mPixels.size());
    }
}

void MemorySurface::MakePrimary(Window* window, bool withBackBuffer) {
    mShowIn = window;
    if (withBackBuffer) {
        mBackBuffer = std::make_shared<MemorySurface>(
            mWidth, mHeight, mFormat, kCapsBackBuffer | (mCaps & kStoredCaps), nullptr);
    }
}

bool MemorySurface::Show() {
    if (mShowIn == nullptr || !IsDrawable()) {
        return true;
    }
    return mShowIn->PresentPixels(mPixels.data(), mPitch, mWidth, mHeight,
                                  static_cast<int>(mFormat.bitCount), mFormat.redMask,
                                  mFormat.greenMask, mFormat.blueMask);
}

bool MemorySurface::TakesWholePicture(const MemorySurface& src, const SurfaceRect& from,
                                      const SurfaceRect& to, bool keyed) const {
    const SurfaceRect whole{0, 0, mWidth, mHeight};
    return mShowIn != nullptr && &src != this && !keyed && src.mFormat == mFormat &&
           src.mWidth == mWidth && src.mHeight == mHeight && from == whole && to == whole;
}

void MemorySurface::Own() {
    if (!mPictureInWindow) {
        return;
    }
    mPictureInWindow = false;
    // The window promised the picture until its next present, and only this primary presents
    // there; should it fail all the same, the pixels stay as they were last owned.
    (void)mShowIn->ReadPicture(mPixels.data(), mPitch, mWidth, mHeight,
                               static_cast<int>(mFormat.bitCount), mFormat.redMask,
                               mFormat.greenMask, mFormat.blueMask);
}

bool MemorySurface::Resolve(const SurfaceRect* rect, SurfaceRect& out) const {
    out = rect != nullptr ? *rect : SurfaceRect{0, 0, mWidth, mHeight};
    return out.left >= 0 && out.top >= 0 && out.right <= mWidth && out.bottom <= mHeight &&
           out.left < out.right && out.top < out.bottom;
}

DDResult MemorySurface::GetSurfaceDesc(SurfaceDesc& desc) {
    if (DDResult failure = TakeDirectDrawFailure("GetSurfaceDesc")) {
        return failure;
    }
    desc.flags = kDescCaps | kDescWidth | kDescHeight | kDescPitch | kDescPixelFormat;
    desc.width = mWidth;
    desc.height = mHeight;
    desc.pitch = mPitch;
    desc.caps = mCaps;
    desc.pixelFormat = mFormat;
    desc.backBufferCount = mBackBuffer != nullptr ? 1 : 0;
    desc.srcColorKey = mKey;
    if (mHasKey) {
        desc.flags |= kDescSrcColorKey;
    }
    return kDDOk;
}

DDResult MemorySurface::Lock(SurfaceDesc& desc, uint32_t) {
    if (DDResult failure = TakeDirectDrawFailure("Lock")) {
        return failure;
    }
    if (IsBusy()) {
        return kDDErrSurfaceBusy;
    }
    Own();
    (void)GetSurfaceDesc(desc);
    desc.bits = mPixels.data();
    mLocked = true;
    return kDDOk;
}

DDResult MemorySurface::Unlock() {
    if (DDResult failure = TakeDirectDrawFailure("Unlock")) {
        return failure;
    }
    if (!mLocked) {
        return kDDErrNotLocked;
    }
    mLocked = false;
    NoteWholeChange();
    (void)Show();
    return kDDOk;
}

DDResult MemorySurface::Blt(const SurfaceRect* destRect, Surface* source,
                            const SurfaceRect* srcRect, uint32_t flags) {
    if (DDResult failure = TakeDirectDrawFailure("Blt")) {
        return failure;
    }
    auto* src = dynamic_cast<MemorySurface*>(source);
    if (src == nullptr) {
        return kDDErrInvalidParams;
    }
    BltJob job;
    if (!Resolve(destRect, job.to) || !src->Resolve(srcRect, job.from)) {
        return kDDErrInvalidRect;
    }
    if (IsBusy() || src->IsBusy()) {
        return kDDErrSurfaceBusy;
    }
    if (!IsDrawable() || !src->IsDrawable()) {
        return kDDErrInvalidPixelFormat;
    }
    src->Own();
    job.keyed = (flags & kBltKeySrc) != 0 && src->mHasKey;
    NoteChange(job.to);
    if (TakesWholePicture(*src, job.from, job.to, job.keyed)) {
        // Fast path: presented from the source's rows, which are the picture exactly; copied
        // here only where the window does not keep them.
        const bool shown = mShowIn->PresentPixels(
            src->mPixels.data(), src->mPitch, mWidth, mHeight, static_cast<int>(mFormat.bitCount),
            mFormat.redMask, mFormat.greenMask, mFormat.blueMask);
        mPictureInWindow = shown && mShowIn->KeepsPicture();
        if (!mPictureInWindow) {
            std::copy(src->mPixels.begin(), src->mPixels.end(), mPixels.begin());
        }
        return shown ? kDDOk : kDDErrSurfaceLost;
    }
    Own();
    // A surface blitted onto itself reads a copy, so overlapping rectangles stay whole.
    std::vector<uint8_t> copy;
    job.srcPixels = src->mPixels.data();
    if (src == this) {
        copy = mPixels;
        job.srcPixels = copy.data();
    }
    job.srcPitch = src->mPitch;
    job.srcFormat = src->mFormat;
    job.destPixels = mPixels.data();
    job.destPitch = mPitch;
    job.destFormat = mFormat;
    job.key = src->mKey;
    const bool src16 = src->mFormat.bitCount == 16;
    const bool dest16 = mFormat.bitCount == 16;
    if (src16 && dest16) {
        RunBlt<uint16_t, uint16_t>(job);
    } else if (src16) {
        RunBlt<uint16_t, uint32_t>(job);
    } else if (dest16) {
        RunBlt<uint32_t, uint16_t>(job);
    } else {
        RunBlt<uint32_t, uint32_t>(job);
    }
    return Show() ? kDDOk : kDDErrSurfaceLost;
}

DDResult MemorySurface::ColorFill(const SurfaceRect* destRect, uint32_t pixel) {
    if (DDResult failure = TakeDirectDrawFailure("ColorFill")) {
        return failure;
    }
    SurfaceRect to;
    if (!Resolve(destRect, to)) {
        return kDDErrInvalidRect;
    }
    if (IsBusy()) {
        return kDDErrSurfaceBusy;
    }
    if (!IsDrawable()) {
        return kDDErrInvalidPixelFormat;
    }
    Own();
    NoteChange(to);
    for (int y = to.top; y < to.bottom; ++y) {
        for (int x = to.left; x < to.right; ++x) {
            if (mFormat.bitCount == 16) {
                Store<uint16_t>(Row(y), x, pixel);
            } else {
                Store<uint32_t>(Row(y), x, pixel);
            }
        }
    }
    (void)Show();
    return kDDOk;
}

DDResult MemorySurface::Flip(uint32_t) {
    if (DDResult failure = TakeDirectDrawFailure("Flip")) {
        return failure;
    }
    if (mBackBuffer == nullptr) {
        return kDDErrNotFlippable;
    }
    if (IsBusy() || mBackBuffer->IsBusy()) {
        return kDDErrSurfaceBusy;
    }
    Own();
    mPixels.swap(mBackBuffer->mPixels);
    NoteWholeChange();
    mBackBuffer->NoteWholeChange();
    return Show() ? kDDOk : kDDErrSurfaceLost;
}

DDResult MemorySurface::GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) {
    if (DDResult failure = TakeDirectDrawFailure("GetAttachedSurface")) {
        return failure;
    }
    if ((caps & kCapsBackBuffer) == 0 || mBackBuffer == nullptr) {
        return kDDErrNotFound;
    }
    out = mBackBuffer;
    return kDDOk;
}

DDResult MemorySurface::SetColorKey(uint32_t flags, const ColorKey* key) {
    if (DDResult failure = TakeDirectDrawFailure("SetColorKey")) {
        return failure;
    }
    if (flags != kColorKeySrcBlt) {
        return kDDErrUnsupported;
    }
    mHasKey = key != nullptr;
    mKey = key != nullptr ? *key : ColorKey{};
    return kDDOk;
}

DDResult MemorySurface::GetColorKey(uint32_t flags, ColorKey& key) {
    if (DDResult failure = TakeDirectDrawFailure("GetColorKey")) {
        return failure;
    }
    if (flags != kColorKeySrcBlt || !mHasKey) {
        return kDDErrNotFound;
    }
    key = mKey;
    return kDDOk;
}

DDResult MemorySurface::SetClipper(std::shared_ptr<Clipper> clipper) {
    if (DDResult failure = TakeDirectDrawFailure("SetClipper")) {
        return failure;
    }
    mClipper = std::move(clipper);
    return kDDOk;
}

DDResult MemorySurface::SetPalette(std::shared_ptr<Palette> palette) {
    if (DDResult failure = TakeDirectDrawFailure("SetPalette")) {
        return failure;
    }
    mPalette = std::move(palette);
    return kDDOk;
}

DDResult MemorySurface::GetDC(TextTarget& target) {
    if (DDResult failure = TakeDirectDrawFailure("GetDC")) {
        return failure;
    }
    if (IsBusy() || !IsDrawable()) {
        return kDDErrCantCreateDC;
    }
    Own();
    target = TextTarget{};
    target.width = mWidth;
    target.height = mHeight;
    if (mFormat.bitCount == 32) {
        target.pixels = reinterpret_cast<uint32_t*>(mPixels.data());
        target.pitch = mPitch / 4;
    } else {
        target.pixels16 = reinterpret_cast<uint16_t*>(mPixels.data());
        target.pitch = mPitch / 2;
        target.redMask = mFormat.redMask;
        target.greenMask = mFormat.greenMask;
        target.blueMask = mFormat.blueMask;
    }
    mHasDC = true;
    return kDDOk;
}

DDResult MemorySurface::ReleaseDC() {
    if (DDResult failure = TakeDirectDrawFailure("ReleaseDC")) {
        return failure;
    }
    if (!mHasDC) {
        return kDDErrNotLocked;
    }
    mHasDC = false;
    NoteWholeChange();
    (void)Show();
    return kDDOk;
}

void MemorySurface::NoteChange(const SurfaceRect& rect) {
    if (mChanged.left >= mChanged.right) {
        mChanged = rect;
        return;
    }
    mChanged =
        SurfaceRect{std::min(mChanged.left, rect.left), std::min(mChanged.top, rect.top),
                    std::max(mChanged.right, rect.right), std::max(mChanged.bottom, rect.bottom)};
}

bool MemorySurface::TakeChangedRect(SurfaceRect& out) {
    out = mChanged;
    mChanged = SurfaceRect{};
    return out.left < out.right;
}

} // namespace Vuro::Platform
