#pragma once
// The 2-D display device: surfaces of pixels in memory that frames are drawn into, blitted
// between and shown from. It stands where the system's DirectDraw stood, with the operations
// and failure results the display expects of it.
//
// What a caller can rely on:
// - Results are DDResult codes: 0 success, negative a failure (the constants below).
// - Surfaces hold 16-bit pixels (masks 5-6-5 or 5-5-5) or 32-bit pixels (0x00RRGGBB); a
//   surface made without a pixel format takes the primary surface's. A format of another
//   depth is refused with kDDErrInvalidPixelFormat.
// - The primary surface is the window's picture: it has the window's client size, and every
//   change of it (a blit onto it, a flip, an unlock) is shown in the window. A blit or flip
//   the window cannot show answers kDDErrSurfaceLost (the picture is kept; show it again). In a
//   window it has the desktop's format; in full screen the format of the display mode set, which is
//   honoured inside (a 16-bit mode gives a 16-bit primary whatever the desktop's depth).
// - Blt copies a rectangle, stretching by the nearest pixel when the sizes differ, with the
//   source's colour key (kBltKeySrc): source pixels within the key's range are not copied.
//   Rectangles must lie inside their surfaces (else kDDErrInvalidRect); a locked surface is
//   busy (kDDErrSurfaceBusy) for blits and a second lock. Pixels are converted between the
//   formats of the two surfaces.
// - Lock hands out the whole surface's pixels, pitch and format until Unlock.
// - Objects are shared: whoever holds a std::shared_ptr keeps the object alive. An attached
//   back buffer lives as long as its primary.
// - Any operation can be made to fail by name for tests (InjectDirectDrawFailure).
//
// The module "ddraw.dll" of the library table (platform/Library.h) has the entry points
// "DirectDrawCreate" and "DirectDrawCreateEx" (signatures below); both make a device through
// the installed DirectDrawSystem.

#include "platform/Library.h"
#include "platform/TextRenderer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Vuro::Platform {

class Window;

// [SECTION] Results, flags and records

using DDResult = int32_t;
inline constexpr DDResult kDDOk = 0;
inline constexpr DDResult kDDErrGeneric = static_cast<DDResult>(0x80004005);
inline constexpr DDResult kDDErrUnsupported = static_cast<DDResult>(0x80004001);
inline constexpr DDResult kDDErrOutOfMemory = static_cast<DDResult>(0x8007000E);
inline constexpr DDResult kDDErrInvalidParams = static_cast<DDResult>(0x80070057);
inline constexpr DDResult kDDErrInvalidPixelFormat = static_cast<DDResult>(0x88760091);
inline constexpr DDResult kDDErrInvalidRect = static_cast<DDResult>(0x88760096);
inline constexpr DDResult kDDErrInvalidMode = static_cast<DDResult>(0x88760078);
inline constexpr DDResult kDDErrNoCooperativeLevel = static_cast<DDResult>(0x887600D4);
inline constexpr DDResult kDDErrNoExclusiveMode = static_cast<DDResult>(0x887600E1);
inline constexpr DDResult kDDErrNotFound = static_cast<DDResult>(0x887600FF);
inline constexpr DDResult kDDErrNotFlippable = static_cast<DDResult>(0x88760246);
inline constexpr DDResult kDDErrNotLocked = static_cast<DDResult>(0x887602A8);
inline constexpr DDResult kDDErrSurfaceBusy = static_cast<DDResult>(0x887601AE);
inline constexpr DDResult kDDErrCantCreateDC = static_cast<DDResult>(0x88760241);
inline constexpr DDResult kDDErrSurfaceLost = static_cast<DDResult>(0x887601C2);

inline bool DDFailed(DDResult result) {
    return result < 0;
}

// Which fields of a SurfaceDesc are given.
inline constexpr uint32_t kDescCaps = 0x1;
inline constexpr uint32_t kDescHeight = 0x2;
inline constexpr uint32_t kDescWidth = 0x4;
inline constexpr uint32_t kDescPitch = 0x8;
inline constexpr uint32_t kDescBackBufferCount = 0x20;
inline constexpr uint32_t kDescPixelFormat = 0x1000;
inline constexpr uint32_t kDescSrcColorKey = 0x10000;

// Surface capabilities.
inline constexpr uint32_t kCapsBackBuffer = 0x4;
inline constexpr uint32_t kCapsComplex = 0x8;
inline constexpr uint32_t kCapsFlip = 0x10;
inline constexpr uint32_t kCapsOffscreenPlain = 0x40;
inline constexpr uint32_t kCapsPrimarySurface = 0x200;
inline constexpr uint32_t kCapsSystemMemory = 0x800;
inline constexpr uint32_t kCaps3DDevice = 0x2000;
inline constexpr uint32_t kCapsVideoMemory = 0x4000;

// Cooperative levels.
inline constexpr uint32_t kDDCoopFullScreen = 0x1;
inline constexpr uint32_t kDDCoopNormal = 0x8;
inline constexpr uint32_t kDDCoopExclusive = 0x10;

// Blt, Flip and Lock flags; colour key kinds.
inline constexpr uint32_t kBltKeySrc = 0x8000;
inline constexpr uint32_t kBltWait = 0x1000000;
inline constexpr uint32_t kFlipWait = 0x1;
inline constexpr uint32_t kLockWait = 0x1;
inline constexpr uint32_t kColorKeySrcBlt = 0x8;

struct PixelFormat {
    uint32_t bitCount = 0;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    bool operator==(const PixelFormat&) const = default;
};

inline constexpr PixelFormat kFormat565{16, 0xF800, 0x07E0, 0x001F};
inline constexpr PixelFormat kFormat555{16, 0x7C00, 0x03E0, 0x001F};
inline constexpr PixelFormat kFormat888{32, 0xFF0000, 0xFF00, 0xFF};

// A colour key: pixel values from low to high inclusive.
struct ColorKey {
    uint32_t low = 0;
    uint32_t high = 0;
};

// left and top inclusive, right and bottom exclusive.
struct SurfaceRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const SurfaceRect&) const = default;
};

// What a surface is asked to be, or what it is (GetSurfaceDesc, Lock).
struct SurfaceDesc {
    uint32_t flags = 0; // kDesc... of the fields given
    int32_t width = 0;
    int32_t height = 0;
    int32_t pitch = 0; // bytes from one row to the next
    uint32_t backBufferCount = 0;
    uint32_t caps = 0;
    PixelFormat pixelFormat;
    ColorKey srcColorKey;
    void* bits = nullptr; // the first pixel, while locked
};

// [SECTION] Objects

// Ties a surface to the window it is shown in.
class Clipper {
public:
    virtual ~Clipper() = default;
    virtual DDResult SetWindow(Window* window) = 0;
    virtual Window* GetWindow() = 0;
};

// 256 colour entries (0x00RRGGBB) for palettised textures.
class Palette {
public:
    virtual ~Palette() = default;
    virtual DDResult SetEntries(int first, int count, const uint32_t* entries) = 0;
    virtual DDResult GetEntries(int first, int count, uint32_t* entries) = 0;
};

class Surface {
public:
    virtual ~Surface() = default;
    virtual DDResult GetSurfaceDesc(SurfaceDesc& desc) = 0;
    virtual DDResult Lock(SurfaceDesc& desc, uint32_t flags) = 0;
    virtual DDResult Unlock() = 0;
    // Null rectangles mean the whole surface.
    virtual DDResult Blt(const SurfaceRect* destRect, Surface* source, const SurfaceRect* srcRect,
                         uint32_t flags) = 0;
    // Sets every pixel of the rectangle (null: all) to the value, in the surface's format.
    virtual DDResult ColorFill(const SurfaceRect* destRect, uint32_t pixel) = 0;
    // A primary with a back buffer shows the back buffer's picture and takes the old one.
    virtual DDResult Flip(uint32_t flags) = 0;
    virtual DDResult GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) = 0;
    // kColorKeySrcBlt; a null key removes it.
    virtual DDResult SetColorKey(uint32_t flags, const ColorKey* key) = 0;
    virtual DDResult GetColorKey(uint32_t flags, ColorKey& key) = 0;
    virtual DDResult SetClipper(std::shared_ptr<Clipper> clipper) = 0;
    virtual DDResult SetPalette(std::shared_ptr<Palette> palette) = 0;
    // A text drawing target over the pixels (the system's text drawing works on it) until
    // ReleaseDC; refused while locked.
    virtual DDResult GetDC(TextTarget& target) = 0;
    virtual DDResult ReleaseDC() = 0;
    // The smallest rectangle holding every pixel changed since the last call (a lock or a text
    // target counts as a change of the whole surface); false when nothing changed. For the one
    // who keeps a copy of the picture (the 3-D device) and brings only the changed part up to
    // date.
    virtual bool TakeChangedRect(SurfaceRect& out) = 0;
};

class DirectDraw {
public:
    virtual ~DirectDraw() = default;
    // Another face of the same device (the older interface); it shares everything.
    virtual DDResult QueryInterface(std::shared_ptr<DirectDraw>& out) = 0;
    // kDDCoopNormal for a window, kDDCoopExclusive | kDDCoopFullScreen for full screen.
    virtual DDResult SetCooperativeLevel(Window* window, uint32_t flags) = 0;
    // Needs exclusive full-screen cooperation; depths 16 and 32.
    virtual DDResult SetDisplayMode(int width, int height, int bitCount) = 0;
    virtual DDResult CreateSurface(const SurfaceDesc& desc, std::shared_ptr<Surface>& out) = 0;
    virtual DDResult CreateClipper(std::shared_ptr<Clipper>& out) = 0;
    virtual DDResult CreatePalette(const uint32_t* entries, std::shared_ptr<Palette>& out) = 0;
    virtual DDResult GetMonitorFrequency(uint32_t& hertz) = 0;
    // Bytes of memory for surfaces of the given caps.
    virtual DDResult GetAvailableVidMem(uint32_t caps, uint32_t& total, uint32_t& free) = 0;
    // The desktop's mode, or the one set.
    virtual DDResult GetDisplayMode(SurfaceDesc& desc) = 0;
};

// [SECTION] The system and the module

// Makes devices. The real one is the SDL window system's desktop; tests install their own.
class DirectDrawSystem {
public:
    virtual ~DirectDrawSystem() = default;
    virtual DDResult Create(std::shared_ptr<DirectDraw>& out) = 0;
};

DirectDrawSystem& GetDirectDrawSystem();
// Installs a system for the whole process; null goes back to the SDL one. The caller keeps it
// alive while installed.
void SetDirectDrawSystem(DirectDrawSystem* system);

// Entry points of "ddraw.dll".
using DirectDrawCreateFn = DDResult (*)(std::shared_ptr<DirectDraw>* out);
using DirectDrawCreateExFn = DDResult (*)(std::shared_ptr<DirectDraw>* out);
const LibraryModule& DirectDrawModule();

// Makes the operation of that name (a method name above, or "DirectDrawCreate",
// "DirectDrawCreateEx") fail with `result`: the first `skip` calls still succeed, then `count`
// calls fail. Cleared by ClearDirectDrawFailures. Process-wide; for tests.
void InjectDirectDrawFailure(const std::string& operation, DDResult result, int skip = 0,
                             int count = 1);
void ClearDirectDrawFailures();
// The injected failure of this call of the operation, or kDDOk.
DDResult TakeDirectDrawFailure(const char* operation);

} // namespace Vuro::Platform
