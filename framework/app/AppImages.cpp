// The application's set of live images: every MemoryImage registers here for its whole life,
// so the application can rebuild or purge them all when the display changes. The walks over
// the set hold the lock images register under, since the loading thread makes images too.
// Also images read from files as display images.

#include "framework/app/VuroAppBase.h"

#include "framework/display/DDImage.h"
#include "framework/graphics/ImageLib.h"
#include "framework/graphics/MemoryImage.h"

#include <algorithm>

namespace Vuro {

LockSection& VuroAppBase::ImageSetLock() {
    return mDDInterface ? mDDInterface->mCritSect : mImageSetLock;
}

void VuroAppBase::AddMemoryImage(MemoryImage* image) {
    ScopedLock lock(ImageSetLock());
    mMemoryImageSet.insert(image);
}

void VuroAppBase::RemoveMemoryImage(MemoryImage* image) {
    ScopedLock lock(ImageSetLock());
    mMemoryImageSet.erase(image);
    Remove3DData(image);
}

void VuroAppBase::ReadTexturesBack(MemoryImage* image) {
    if (mDDInterface != nullptr) {
        (void)mDDInterface->CopyTexturesToBits(image);
    }
}

void VuroAppBase::Remove3DData(MemoryImage* image) {
    if (mDDInterface != nullptr) {
        mDDInterface->Remove3DData(image);
    }
}

void VuroAppBase::RebuildAllImages() {
    ScopedLock lock(ImageSetLock());
    for (MemoryImage* image : mMemoryImageSet) {
        image->ReInit();
    }
}

void VuroAppBase::DropNativeImageData() {
    ScopedLock lock(ImageSetLock());
    for (MemoryImage* image : mMemoryImageSet) {
        image->DropNativeData();
    }
}

void VuroAppBase::DropExtraImageData() {
    ScopedLock lock(ImageSetLock());
    for (MemoryImage* image : mMemoryImageSet) {
        image->DropExtraBuffers();
    }
}

DDImage* VuroAppBase::GetImage(const std::string& fileName) {
    std::unique_ptr<ImageLib::Image> loaded = ImageLib::GetImage(fileName, true);
    if (loaded == nullptr || mDDInterface == nullptr) {
        return nullptr;
    }
    auto* image = new DDImage(mDDInterface);
    image->SetBits(loaded->mBits.get(), loaded->mWidth, loaded->mHeight);
    return image;
}

DDImage* VuroAppBase::CopyImage(Image* image) {
    return CopyImageRect(image, Rect(0, 0, image->GetWidth(), image->GetHeight()));
}

DDImage* VuroAppBase::CopyImageRect(Image* image, const Rect& rect) {
    auto* source = dynamic_cast<MemoryImage*>(image);
    if (mDDInterface == nullptr || source == nullptr || rect.IsEmpty()) {
        return nullptr;
    }
    auto* copy = new DDImage(mDDInterface);
    copy->Create(rect.mWidth, rect.mHeight);
    // Sized first: the assignment takes the cel layout and the animation record only.
    static_cast<Image&>(*copy) = *source;
    // The pixels are taken as they are: blending them onto the empty copy would change them.
    // Parts of the rectangle outside the image stay transparent.
    Rect part = rect.Intersection(Rect(0, 0, source->GetWidth(), source->GetHeight()));
    const uint32_t* in = source->GetBits();
    uint32_t* out = copy->GetBits();
    for (int row = 0; row < part.mHeight; ++row) {
        std::copy_n(
            in + static_cast<size_t>(part.mY + row) * source->GetWidth() + part.mX, part.mWidth,
            out + static_cast<size_t>(part.mY - rect.mY + row) * rect.mWidth + (part.mX - rect.mX));
    }
    copy->OnBitsChanged();
    return copy;
}

} // namespace Vuro
