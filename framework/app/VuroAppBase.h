#pragma once
// The one application object of the process. Everything else reaches it through gVuroApp.
// (Seed of the application class: the image registry and the tables images draw with.)

#include "framework/display/DDInterface.h"

#include <cstdint>
#include <set>

namespace Vuro {

class MemoryImage;

class VuroAppBase {
public:
    VuroAppBase();
    virtual ~VuroAppBase();
    VuroAppBase(const VuroAppBase&) = delete;
    VuroAppBase& operator=(const VuroAppBase&) = delete;

    // Every live MemoryImage is in the set from construction to destruction, so the
    // application can rebuild, purge and list all images. Safe from any thread.
    void AddMemoryImage(MemoryImage* image);
    void RemoveMemoryImage(MemoryImage* image);
    // Asks the display to drop the texture data it keeps for the image.
    void Remove3DData(MemoryImage* image);

    // The lock that guards the image set: the display's when there is one.
    LockSection& ImageSetLock();

    // Saturating sum of two channel values: entry i is min(i, 255).
    uint8_t mAdd8BitMaxTable[512];
    DDInterface* mDDInterface = nullptr;
    std::set<MemoryImage*> mMemoryImageSet;

private:
    LockSection mImageSetLock;
};

extern VuroAppBase* gVuroApp;

} // namespace Vuro
