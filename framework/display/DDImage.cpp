#include "framework/display/DDImage.h"

#include "framework/display/DDInterface.h"

namespace Vuro {

DDImage::DDImage(DDInterface* display) : MemoryImage(display->mApp), mDDInterface(display) {}

bool DDImage::LockSurface() {
    if (mDDInterface->mIs3D) {
        return false;
    }
    // The pixels live in memory until the display keeps surfaces of its own, so holding the
    // lock is only counted.
    ++mLockCount;
    return true;
}

bool DDImage::UnlockSurface() {
    if (mDDInterface->mIs3D) {
        return false;
    }
    if (mLockCount > 0) {
        --mLockCount;
    }
    return true;
}

} // namespace Vuro
