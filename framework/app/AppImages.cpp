// The application's set of live images: every MemoryImage registers here for its whole life,
// so the application can rebuild or purge them all when the display changes. The walks over
// the set hold the lock images register under, since the loading thread makes images too.
// Also images read from files as display images.

#include "framework/app/VuroAppBase.h"

#include "framework/display/DDImage.h"
#include "framework/graphics/ImageLib.h"
#include "framework/graphics/MemoryImage.h"

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

void VuroAppBase::Remove3DData(MemoryImage*) {
    // Texture data exists only once the 3-D display does; nothing to drop until then.
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

} // namespace Vuro
