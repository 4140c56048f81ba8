#include "framework/app/VuroAppBase.h"

namespace Vuro {

VuroAppBase* gVuroApp = nullptr;

VuroAppBase::VuroAppBase() {
    for (int i = 0; i < 512; ++i) {
        mAdd8BitMaxTable[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    }
    gVuroApp = this;
}

VuroAppBase::~VuroAppBase() {
    delete mDDInterface;
    mDDInterface = nullptr;
    if (gVuroApp == this) {
        gVuroApp = nullptr;
    }
}

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

} // namespace Vuro
