#pragma once
// An image the display can show: the screen image every frame is drawn into is one.
// (Minimal form: an in-memory image tied to its display; surfaces come with the display.)

#include "framework/graphics/MemoryImage.h"

namespace Vuro {

class DDInterface;

class DDImage : public MemoryImage {
public:
    explicit DDImage(DDInterface* display);
    ~DDImage() override = default;

    // Brackets direct drawing into the image's surface. Nested calls only count; false on the
    // 3-D path, where nothing is drawn through a locked surface. Call UnlockSurface only after
    // a successful LockSurface.
    bool LockSurface();
    bool UnlockSurface();

    DDInterface* mDDInterface; // not owned
    int mLockCount = 0;        // nesting depth of LockSurface
};

} // namespace Vuro
