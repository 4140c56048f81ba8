// The application's set of live images: every MemoryImage registers here for its whole life,
// so the application can rebuild or purge them all when the display changes.

#include "framework/app/VuroAppBase.h"

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

} // namespace Vuro
