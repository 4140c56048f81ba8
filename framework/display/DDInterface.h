#pragma once
// The display: owns the screen image and presents frames through the platform window.
// (Grows with the display work; today it carries the layout and the 3-D flag images read.)

#include "framework/display/NativeDisplay.h"

namespace Vuro {

class VuroAppBase;

class DDInterface : public NativeDisplay {
public:
    explicit DDInterface(VuroAppBase* app) : mApp(app) {}

    VuroAppBase* mApp;  // not owned
    bool mIs3D = false; // drawing goes through the 3-D device
};

} // namespace Vuro
