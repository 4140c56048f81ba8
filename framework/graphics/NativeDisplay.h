#pragma once
// The display's pixel layout, read by images when they build or read their premultiplied native
// copy. Each channel is described by its mask, its width in bits and the position of its lowest
// bit. Until a display is initialised the layout is 32-bit 0x00RRGGBB, so that images made
// before (or without) a display still have a meaningful native copy.

#include "framework/util/LockSection.h"

#include <cstdint>

namespace Vuro {

class NativeDisplay {
public:
    NativeDisplay() = default;
    virtual ~NativeDisplay() = default;
    NativeDisplay(const NativeDisplay&) = delete;
    NativeDisplay& operator=(const NativeDisplay&) = delete;

    int mRGBBits = 32;                // bits per native pixel: 16 or 32
    uint32_t mRedMask = 0x00FF0000;   // bits of red in a native pixel
    uint32_t mGreenMask = 0x0000FF00; // bits of green
    uint32_t mBlueMask = 0x000000FF;  // bits of blue
    int mRedBits = 8;                 // channel widths, 8 or less
    int mGreenBits = 8;
    int mBlueBits = 8;
    int mRedShift = 16; // position of each channel's lowest bit
    int mGreenShift = 8;
    int mBlueShift = 0;
    // Guards the display's surfaces and cursor, and the application's set of live images
    // (images register from the loading thread too).
    LockSection mCritSect;
};

} // namespace Vuro
