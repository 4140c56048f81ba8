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

    DDInterface* mDDInterface; // not owned
};

} // namespace Vuro
