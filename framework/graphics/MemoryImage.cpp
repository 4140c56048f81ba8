#include "framework/graphics/MemoryImage.h"

#include "framework/graphics/ImageRegistry.h"
#include "framework/graphics/NativeDisplay.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <type_traits>

namespace Vuro {

namespace {

template <typename T, typename Delete>
std::unique_ptr<T[], Delete> CopyArray(const std::unique_ptr<T[], Delete>& source, size_t count) {
    if (!source) {
        return nullptr;
    }
    std::unique_ptr<T[], Delete> copy;
    if constexpr (std::is_same_v<Delete, PixelWordsDelete>) {
        copy = MakePixelWordsForOverwrite(count);
    } else {
        copy = std::make_unique_for_overwrite<T[]>(count);
    }
    std::memcpy(copy.get(), source.get(), count * sizeof(T));
    return copy;
}

size_t PixelCount(int width, int height) {
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

} // namespace

MemoryImage::MemoryImage(ImageRegistry* app) : mApp(app) {
    assert(app != nullptr && "an image belongs to an application");
    mApp->AddMemoryImage(this);
}

MemoryImage::MemoryImage(const MemoryImage& other)
    : Image(other), mBitsChangedCount(other.mBitsChangedCount), mTextureFlags(other.mTextureFlags),
      mForcedMode(other.mForcedMode), mHasTrans(other.mHasTrans), mHasAlpha(other.mHasAlpha),
      mIsVolatile(other.mIsVolatile), mPurgeBits(other.mPurgeBits), mWantPal(other.mWantPal),
      mBitsChanged(other.mBitsChanged), mApp(other.mApp) {
    // A source held only in its native or texture form lends its 32-bit bits for the copy and
    // drops them again, so it ends as it was.
    auto& source = const_cast<MemoryImage&>(other);
    const bool borrowBits = !source.mBits && !source.mColorTable;
    if (borrowBits) {
        source.GetBits();
    }
    const size_t pixels = PixelCount(mWidth, mHeight);
    mBits = CopyArray(source.mBits, pixels + 1);
    mColorTable = CopyArray(source.mColorTable, 256);
    mColorIndices = CopyArray(source.mColorIndices, pixels);
    mNativeAlphaData = CopyArray(source.mNativeAlphaData, source.mColorTable ? 256 : pixels);
    mRLAlphaData = CopyArray(source.mRLAlphaData, pixels);
    mRLAdditiveData = CopyArray(source.mRLAdditiveData, pixels);
    if (borrowBits) {
        source.mBits.reset();
    }
    mApp->AddMemoryImage(this);
}

MemoryImage::~MemoryImage() {
    mApp->RemoveMemoryImage(this);
}

NativeDisplay* MemoryImage::GetDisplayLayout() const {
    return mApp->GetDisplayLayout();
}

bool MemoryImage::Is3D() const {
    return mApp->Is3DOn();
}

template <typename ClassOf>
std::unique_ptr<uint8_t[]> MemoryImage::BuildRunLengths(ClassOf classOf) const {
    auto runs = std::make_unique_for_overwrite<uint8_t[]>(PixelCount(mWidth, mHeight));
    for (int y = 0; y < mHeight; ++y) {
        const size_t row = static_cast<size_t>(y) * mWidth;
        int count = 0;
        int runClass = -1;
        for (int x = mWidth - 1; x >= 0; --x) {
            const int pixelClass = classOf(row + x);
            count = pixelClass == runClass ? std::min(count + 1, 255) : 1;
            runClass = pixelClass;
            runs[row + x] = static_cast<uint8_t>(count);
        }
    }
    return runs;
}

uint32_t* MemoryImage::GetNativeAlphaData(NativeDisplay* display) {
    if (mNativeAlphaData) {
        return mNativeAlphaData.get();
    }
    ApplyBits();
    const bool palettised = IsPalettised();
    const uint32_t* source = palettised ? mColorTable.get() : GetBits();
    const size_t count = palettised ? 256 : PixelCount(mWidth, mHeight);
    PixelWords native = MakePixelWordsForOverwrite(count);
    const NativeDisplay& d = *display;
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = source[i];
        const uint32_t a1 = (p >> 24) + 1;
        const uint32_t red = ((p & 0xFF0000) * a1) >> 8;
        const uint32_t green = ((p & 0xFF00) * a1) >> 8;
        const uint32_t blue = ((p & 0xFF) * a1) >> 8;
        native[i] = (p & 0xFF000000) | (((red >> (24 - d.mRedBits)) << d.mRedShift) & d.mRedMask) |
                    (((green >> (16 - d.mGreenBits)) << d.mGreenShift) & d.mGreenMask) |
                    (((blue >> (8 - d.mBlueBits)) << d.mBlueShift) & d.mBlueMask);
    }
    mNativeAlphaData = std::move(native);
    return mNativeAlphaData.get();
}

uint8_t* MemoryImage::GetRLAlphaData() {
    ApplyBits();
    if (mRLAlphaData) {
        return mRLAlphaData.get();
    }
    auto alphaClass = [](uint32_t p) {
        const uint32_t a = p >> 24;
        return a == 0 ? 0 : (a == 255 ? 1 : 2);
    };
    if (IsPalettised()) {
        const uint32_t* table = mColorTable.get();
        const uint8_t* indices = mColorIndices.get();
        mRLAlphaData = BuildRunLengths([&](size_t i) { return alphaClass(table[indices[i]]); });
    } else {
        const uint32_t* bits = GetBits();
        mRLAlphaData = BuildRunLengths([&](size_t i) { return alphaClass(bits[i]); });
    }
    return mRLAlphaData.get();
}

uint8_t* MemoryImage::GetRLAdditiveData(NativeDisplay* display) {
    if (mRLAdditiveData) {
        return mRLAdditiveData.get();
    }
    const uint32_t* native = GetNativeAlphaData(display);
    if (IsPalettised()) {
        const uint8_t* indices = mColorIndices.get();
        mRLAdditiveData =
            BuildRunLengths([&](size_t i) { return (native[indices[i]] & 0xFFFFFF) == 0 ? 0 : 1; });
    } else {
        mRLAdditiveData =
            BuildRunLengths([&](size_t i) { return (native[i] & 0xFFFFFF) == 0 ? 0 : 1; });
    }
    return mRLAdditiveData.get();
}

void MemoryImage::DropBits() {
    mPurgeBits = true;
    if (!Is3D()) {
        if (!mBits && !mColorIndices) {
            return;
        }
        GetNativeAlphaData(GetDisplayLayout());
        mBits.reset();
        return;
    }
    if (mTextureData == nullptr) {
        return;
    }
    mBits.reset();
    mColorIndices.reset();
    mColorTable.reset();
}

void MemoryImage::DropSoftwareBuffers() {
    if (!mBits && !mColorIndices) {
        GetBits();
    }
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
    mRLAlphaData.reset();
    mAdditiveTerms.reset();
}

void MemoryImage::Drop3DBuffers() {
    mApp->Remove3DData(this);
}

void MemoryImage::DropExtraBuffers() {
    DropSoftwareBuffers();
    Drop3DBuffers();
}

void MemoryImage::ReInit() {
    if (mWantPal) {
        (void)Palletize();
    }
    if (mPurgeBits) {
        DropBits();
    }
}

void MemoryImage::OnBitsChanged() {
    mBitsChanged = true;
    ++mBitsChangedCount;
    mNativeAlphaData.reset();
    mRLAlphaData.reset();
    mRLAdditiveData.reset();
    mAdditiveTerms.reset();
}

void MemoryImage::ApplyBits() {
    if (!mBitsChanged || mForcedMode) {
        return;
    }
    if (!mBits && !mColorTable) {
        mHasTrans = true;
        mHasAlpha = false;
    } else {
        const bool fromTable = !mBits;
        const uint32_t* words = fromTable ? mColorTable.get() : mBits.get();
        const size_t count = fromTable ? 256 : PixelCount(mWidth, mHeight);
        mHasTrans = false;
        mHasAlpha = false;
        for (size_t i = 0; i < count; ++i) {
            const uint32_t a = words[i] >> 24;
            mHasTrans |= a == 0;
            mHasAlpha |= a != 0 && a != 255;
        }
    }
    mBitsChanged = false;
}

void MemoryImage::DropNativeData() {
    if (!mBits && !mColorIndices) {
        GetBits();
    }
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
}

void MemoryImage::Clear() {
    uint32_t* bits = GetBits();
    if (bits != nullptr) {
        std::fill_n(bits, PixelCount(mWidth, mHeight), 0u);
        OnBitsChanged();
    }
}

void MemoryImage::SetBits(const uint32_t* bits, int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const size_t pixels = PixelCount(width, height);
    assert((bits != nullptr || pixels == 0) && "SetBits needs pixels");
    mColorIndices.reset();
    mColorTable.reset();
    mBits.reset();
    mWidth = width;
    mHeight = height;
    mBits = MakePixelWordsForOverwrite(pixels + 1);
    if (pixels != 0) {
        std::memcpy(mBits.get(), bits, pixels * sizeof(uint32_t));
    }
    mBits[pixels] = kSentinel;
    OnBitsChanged();
    ApplyBits();
}

void MemoryImage::Create(int width, int height) {
    mBits.reset();
    // A palettised form of the old size would be read with the new size; it goes too.
    mColorIndices.reset();
    mColorTable.reset();
    mWidth = std::max(width, 0);
    mHeight = std::max(height, 0);
    mHasTrans = true;
    mHasAlpha = true;
    OnBitsChanged();
}

uint32_t* MemoryImage::GetBits() {
    if (mBits) {
        return mBits.get();
    }
    const size_t pixels = PixelCount(mWidth, mHeight);
    mBits = MakePixelWords(pixels + 1);
    mBits[pixels] = kSentinel;
    uint32_t* bits = mBits.get();
    if (IsPalettised()) {
        const uint32_t* table = mColorTable.get();
        const uint8_t* indices = mColorIndices.get();
        for (size_t i = 0; i < pixels; ++i) {
            bits[i] = table[indices[i]];
        }
        mColorIndices.reset();
        mColorTable.reset();
        mNativeAlphaData.reset();
    } else if (mNativeAlphaData) {
        const NativeDisplay& d = *GetDisplayLayout();
        const uint32_t* native = mNativeAlphaData.get();
        auto channel = [](uint32_t p, uint32_t a, uint32_t mask, int shift, int bitCount) {
            return (((((p & mask) << 8) / (a + 1)) & mask) << 8) >> (shift + bitCount);
        };
        for (size_t i = 0; i < pixels; ++i) {
            const uint32_t p = native[i];
            const uint32_t a = p >> 24;
            bits[i] = (a << 24) | (channel(p, a, d.mRedMask, d.mRedShift, d.mRedBits) << 16) |
                      (channel(p, a, d.mGreenMask, d.mGreenShift, d.mGreenBits) << 8) |
                      channel(p, a, d.mBlueMask, d.mBlueShift, d.mBlueBits);
        }
    } else if (mTextureData != nullptr) {
        // Only the textures hold the pixels (dropped with the 3-D display): read them back.
        mApp->ReadTexturesBack(this);
    }
    return bits;
}

void MemoryImage::SetTransAlphaFlags(bool hasTrans, bool hasAlpha) {
    mForcedMode = true;
    mHasTrans = hasTrans;
    mHasAlpha = hasAlpha;
}

void MemoryImage::SetVolatile(bool isVolatile) {
    mIsVolatile = isVolatile;
}

SourcePixels SourcePixels::Of(MemoryImage* image) {
    SourcePixels pixels;
    pixels.mWidth = image->mWidth;
    pixels.mHeight = image->mHeight;
    if (image->IsPalettised()) {
        pixels.mIndices = image->mColorIndices.get();
        pixels.mPalette = image->mColorTable.get();
    } else {
        pixels.mBits = image->GetBits();
    }
    return pixels;
}

} // namespace Vuro
