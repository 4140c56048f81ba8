#pragma once
// The display device of platform/DirectDraw.h with every surface in memory. What differs
// between the real desktop and a test's is the host: the desktop's format and refresh rate and
// the memory offered for surfaces. The primary surface shows itself in the cooperative window
// through Window::PresentPixels.

#include "platform/DirectDraw.h"

#include <cstdint>
#include <memory>

namespace Vuro::Platform {

class DisplayHost {
public:
    virtual ~DisplayHost() = default;
    // The desktop's format (a depth other than 16 or 32 is possible: such a primary is made,
    // and refused by whoever reads its format) and size.
    virtual PixelFormat DesktopFormat() = 0;
    virtual void DesktopSize(int& width, int& height) = 0;
    // The monitor's refresh rate; 0 when unknown.
    virtual DDResult MonitorFrequency(uint32_t& hertz) = 0;
    // Bytes offered for video-memory surfaces.
    virtual uint32_t VideoMemoryBytes() = 0;
};

// A device on the host; the host must outlive it.
std::shared_ptr<DirectDraw> MakeMemoryDirectDraw(DisplayHost& host);

} // namespace Vuro::Platform
