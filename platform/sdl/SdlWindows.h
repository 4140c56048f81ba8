#pragma once
// What the event source needs of the windows the SDL window system made (SdlWindowSystem.cpp);
// called on the thread that made the windows.

#include <cstdint>

namespace Vuro::Platform {

// The window size and the client (picture) size of a window; false for an unknown window.
bool QuerySdlWindowSizes(uint32_t windowId, int& windowWidth, int& windowHeight, int& clientWidth,
                         int& clientHeight);

// The SDL event type that says a picture presented from another thread waits to be shown in
// the window of its windowID (0 when SDL has no event type left); PresentWaitingFrame shows it.
uint32_t WaitingFrameEventType();
void PresentWaitingFrame(uint32_t windowId);

} // namespace Vuro::Platform
