// The display image's core: its surface (made from the bits, with a colour key), locking,
// reading the surface back into bits, and the buffer operations of the in-memory image.

#include "framework/display/DDImage.h"

#include "framework/display/DDInterface.h"
#include "framework/display/SurfacePixels.h"
#include "framework/graphics/ImageRegistry.h"

#include <algorithm>
#include <vector>

namespace Vuro {

namespace {

// A key value no visible pixel has, searched among `count` values; the candidate when every
// value is taken.
uint32_t FreeKey(const std::vector<bool>& taken, uint32_t candidate) {
    for (uint32_t value = 0; value < taken.size(); ++value) {
        if (!taken[value]) {
            return value;
        }
    }
    return candidate;
}

// Fills the surface from 32-bit bits; transparent pixels (alpha below 255) get a key no opaque
// pixel has. Answers whether a key is needed and which.
template <typename Word>
bool FillFromBits(const SurfacePixels& out, const uint32_t* bits, int width, int height,
                  bool hasTrans, bool firstPixelKey, uint32_t& key) {
    const size_t count = static_cast<size_t>(width) * height;
    const bool wide = sizeof(Word) == 4;
    // 16 bits: the key is a converted pixel; 32 bits: the raw word of the first transparent one.
    auto convert = [&](uint32_t p) { return out.FromArgb(p); };
    uint32_t candidate = 0;
    for (size_t i = 0; i < count; ++i) {
        if ((bits[i] >> 24) < 255) {
            candidate = wide ? bits[i] : convert(bits[i]);
            break;
        }
    }
    key = candidate;
    if (hasTrans && firstPixelKey) {
        key = count > 0 ? convert(bits[0]) : 0;
    } else if (hasTrans) {
        const uint32_t valueMask = wide ? 0xFFFFFF : 0xFFFF;
        bool collides = false;
        for (size_t i = 0; i < count && !collides; ++i) {
            collides = (bits[i] >> 24) == 255 && (convert(bits[i]) & valueMask) == candidate;
        }
        if (collides) {
            std::vector<bool> taken(size_t(valueMask) + 1);
            for (size_t i = 0; i < count; ++i) {
                if ((bits[i] >> 24) > 0) {
                    taken[convert(bits[i]) & valueMask] = true;
                }
            }
            key = FreeKey(taken, candidate);
        }
    }
    for (int y = 0; y < height; ++y) {
        Word* row = out.Row<Word>(y);
        const uint32_t* in = bits + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            const bool keyed = hasTrans && !firstPixelKey && (in[x] >> 24) < 255;
            row[x] = static_cast<Word>(keyed ? key : convert(in[x]));
        }
    }
    return hasTrans;
}

} // namespace

SurfacePixels SurfacePixels::Of(const DDImage& image) {
    SurfacePixels s;
    const DDInterface* display = image.mDDInterface;
    const Platform::SurfaceDesc& desc = image.mLockedSurfaceDesc;
    const int bitCount = static_cast<int>(desc.pixelFormat.bitCount);
    if (display == nullptr || image.mLockCount <= 0 || (bitCount != 16 && bitCount != 32)) {
        return s;
    }
    s.mBits = static_cast<uint8_t*>(desc.bits);
    s.mPitch = desc.pitch;
    s.mBitCount = bitCount;
    s.mMask[0] = desc.pixelFormat.redMask;
    s.mMask[1] = desc.pixelFormat.greenMask;
    s.mMask[2] = desc.pixelFormat.blueMask;
    s.mShift[0] = display->mRedShift;
    s.mShift[1] = display->mGreenShift;
    s.mShift[2] = display->mBlueShift;
    s.mChannelBits[0] = display->mRedBits;
    s.mChannelBits[1] = display->mGreenBits;
    s.mChannelBits[2] = display->mBlueBits;
    s.mTable[0] = display->mRedAddTable.data();
    s.mTable[1] = display->mGreenAddTable.data();
    s.mTable[2] = display->mBlueAddTable.data();
    return s;
}

DDImage::DDImage(DDInterface* display)
    : MemoryImage(display->mApp->GetImageRegistry()), mDDInterface(display) {
    mDDInterface->AddDDImage(this);
}

DDImage::~DDImage() {
    if (mLockCount > 0 && mSurface != nullptr) {
        (void)mSurface->Unlock();
    }
    mSurface.reset();
    if (mDDInterface != nullptr) {
        mDDInterface->RemoveDDImage(this);
    }
}

void DDImage::DetachFromDisplay() {
    if (mLockCount > 0 && mSurface != nullptr) {
        (void)mSurface->Unlock();
        mLockCount = 0;
    }
    if (mSurface != nullptr && !mBits && !mColorTable) {
        GetBits();
    }
    mSurface.reset();
    mAdopted = false;
    mWantSurface = false;
    mDDInterface = nullptr;
}

void DDImage::SetSurface(std::shared_ptr<Platform::Surface> surface) {
    mAdopted = true;
    mSurface = std::move(surface);
    Platform::SurfaceDesc desc;
    if (mSurface != nullptr && !Platform::DDFailed(mSurface->GetSurfaceDesc(desc))) {
        mWidth = desc.width;
        mHeight = desc.height;
    }
    mVideoMemoryOnly = false;
}

Platform::Surface* DDImage::GetSurface() {
    if (mSurface == nullptr) {
        (void)GenerateDDSurface();
    }
    return mSurface.get();
}

bool DDImage::Check3D() const {
    return mDDInterface != nullptr && mDDInterface->mIs3D && mSurface != nullptr &&
           mSurface == mDDInterface->mDrawSurface;
}

bool DDImage::LockSurface() {
    return !Check3D() && LockPixels();
}

bool DDImage::LockPixels() {
    if (mSurface == nullptr) {
        return false;
    }
    EndScene3D();
    if (mLockCount == 0) {
        mLockedSurfaceDesc = Platform::SurfaceDesc{};
        if (Platform::DDFailed(mSurface->Lock(mLockedSurfaceDesc, Platform::kLockWait))) {
            return false;
        }
    }
    ++mLockCount;
    return true;
}

bool DDImage::UnlockSurface() {
    if (Check3D()) {
        return false;
    }
    UnlockPixels();
    return true;
}

void DDImage::UnlockPixels() {
    if (mLockCount > 0 && --mLockCount == 0 && mSurface != nullptr) {
        (void)mSurface->Unlock();
    }
}

bool DDImage::GenerateDDSurface() {
    if (mSurface != nullptr) {
        return true;
    }
    if (mDDInterface == nullptr || mWidth <= 0 || mHeight <= 0) {
        return false;
    }
    ApplyBits();
    if (mHasAlpha) {
        return false;
    }
    mWantSurface = true;
    if (!mBits) {
        // Palettised, or held only in the native copy: made into bits so the surface gets it.
        GetBits();
    }
    Platform::SurfaceDesc desc;
    desc.flags = Platform::kDescCaps | Platform::kDescHeight | Platform::kDescWidth;
    desc.width = mWidth;
    desc.height = mHeight;
    desc.caps = mWantVideoMemory ? Platform::kCapsVideoMemory : Platform::kCapsSystemMemory;

    ScopedLock lock(mDDInterface->mCritSect);
    if (Platform::DDFailed(mDDInterface->CreateSurface(desc, mSurface))) {
        return false;
    }
    if (!LockSurface()) {
        // A surface that could not be filled is not kept.
        mSurface.reset();
        return false;
    }
    const SurfacePixels out = SurfacePixels::Of(*this);
    if (out.mBits == nullptr) {
        UnlockSurface();
        mSurface.reset();
        return false;
    }
    uint32_t key = 0;
    bool keyed = false;
    if (mBits) {
        keyed = out.mBitCount == 16 ? FillFromBits<uint16_t>(out, mBits.get(), mWidth, mHeight,
                                                             mHasTrans, mFirstPixelKey, key)
                                    : FillFromBits<uint32_t>(out, mBits.get(), mWidth, mHeight,
                                                             mHasTrans, mFirstPixelKey, key);
    }
    UnlockSurface();
    if (keyed) {
        const Platform::ColorKey colorKey{key, key};
        (void)mSurface->SetColorKey(Platform::kColorKeySrcBlt, &colorKey);
    }
    return true;
}

uint32_t* DDImage::GetBits() {
    if (mBits) {
        return mBits.get();
    }
    if (mSurface == nullptr || mVideoMemoryOnly) {
        // An unreadable surface gives zeros, never null.
        return MemoryImage::GetBits();
    }
    if (!LockPixels()) {
        return MemoryImage::GetBits();
    }
    const size_t pixels = static_cast<size_t>(mWidth) * mHeight;
    PixelWords bits = MakePixelWords(pixels + 1);
    bits[pixels] = kSentinel;
    const SurfacePixels in = SurfacePixels::Of(*this);
    if (in.mBits != nullptr) {
        for (int y = 0; y < mHeight; ++y) {
            uint32_t* out = bits.get() + static_cast<size_t>(y) * mWidth;
            for (int x = 0; x < mWidth; ++x) {
                out[x] =
                    in.ToArgb(in.mBitCount == 16 ? in.Row<uint16_t>(y)[x] : in.Row<uint32_t>(y)[x]);
            }
        }
    }
    UnlockPixels();
    mBits = std::move(bits);
    return mBits.get();
}

void DDImage::WriteBitsToSurface() {
    if (!mBits || mSurface == nullptr || !LockPixels()) {
        return;
    }
    const SurfacePixels out = SurfacePixels::Of(*this);
    Platform::SurfaceDesc desc = mLockedSurfaceDesc;
    const int width = std::min(mWidth, desc.width);
    const int height = std::min(mHeight, desc.height);
    for (int y = 0; out.mBits != nullptr && y < height; ++y) {
        const uint32_t* in = mBits.get() + static_cast<size_t>(y) * mWidth;
        for (int x = 0; x < width; ++x) {
            if (out.mBitCount == 16) {
                out.Row<uint16_t>(y)[x] = static_cast<uint16_t>(out.FromArgb(in[x]));
            } else {
                out.Row<uint32_t>(y)[x] = out.FromArgb(in[x]);
            }
        }
    }
    UnlockPixels();
}

void DDImage::DeleteSurface() {
    if (mSurface == nullptr || mAdopted) {
        return;
    }
    if (!mBits && !mColorTable && mTextureData == nullptr) {
        GetBits();
    }
    if (mLockCount > 0) {
        (void)mSurface->Unlock();
        mLockCount = 0;
    }
    mSurface.reset();
}

void DDImage::DeleteMemoryBuffers() {
    mBits.reset();
    mNativeAlphaData.reset();
    mRLAdditiveData.reset();
    mRLAlphaData.reset();
    mAdditiveTerms.reset();
    mColorTable.reset();
    mColorIndices.reset();
}

void DDImage::DropBits() {
    if (mAdopted) {
        return;
    }
    mPurgeBits = true;
    ApplyBits();
    if (mApp->Is3DOn()) {
        if (mSurface != nullptr) {
            GetBits();
            DeleteSurface();
        }
        MemoryImage::DropBits();
        return;
    }
    if (mWantSurface && GenerateDDSurface()) {
        mBits.reset();
        mColorIndices.reset();
        mColorTable.reset();
        return;
    }
    MemoryImage::DropBits();
}

void DDImage::DropExtraBuffers() {
    if (!mAdopted) {
        MemoryImage::DropExtraBuffers();
        DeleteSurface();
    }
}

void DDImage::ReInit() {
    MemoryImage::ReInit();
    if (mWantSurface) {
        (void)GenerateDDSurface();
    }
}

void DDImage::OnBitsChanged() {
    MemoryImage::OnBitsChanged();
    if (mSurface == nullptr) {
        return;
    }
    if (mAdopted) {
        // The surface was handed in and stays; the changed bits go into it.
        WriteBitsToSurface();
        DeleteMemoryBuffers();
        return;
    }
    if (mLockCount > 0) {
        (void)mSurface->Unlock();
        mLockCount = 0;
    }
    mSurface.reset();
}

void DDImage::ApplyBits() {
    if (mSurface == nullptr) {
        MemoryImage::ApplyBits();
    }
}

void DDImage::DropNativeData() {
    if (!mAdopted) {
        MemoryImage::DropNativeData();
        DeleteSurface();
    }
}

bool DDImage::Palletize() {
    if (mAdopted || !MemoryImage::Palletize()) {
        return false;
    }
    DeleteSurface();
    return true;
}

void DDImage::SetVideoMemory(bool wantVideoMemory) {
    if (wantVideoMemory == mWantVideoMemory) {
        return;
    }
    mWantVideoMemory = wantVideoMemory;
    GetBits();
    DeleteSurface();
}

void DDImage::SetColorKeyFromFirstPixel() {
    if (!GenerateDDSurface() || mVideoMemoryOnly || !mHasTrans || !mFirstPixelKey) {
        return;
    }
    Platform::SurfaceDesc primary;
    if (mDDInterface->mPrimarySurface == nullptr ||
        Platform::DDFailed(mDDInterface->mPrimarySurface->GetSurfaceDesc(primary))) {
        return;
    }
    const uint32_t depth = primary.pixelFormat.bitCount;
    if ((depth != 16 && depth != 24 && depth != 32) || !LockSurface()) {
        return;
    }
    const SurfacePixels in = SurfacePixels::Of(*this);
    if (in.mBits != nullptr) {
        const uint32_t first = in.mBitCount == 16 ? in.Row<uint16_t>(0)[0] : in.Row<uint32_t>(0)[0];
        const Platform::ColorKey key{first, first};
        UnlockSurface();
        (void)mSurface->SetColorKey(Platform::kColorKeySrcBlt, &key);
        return;
    }
    UnlockSurface();
}

} // namespace Vuro
