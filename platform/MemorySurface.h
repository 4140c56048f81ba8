#pragma once
// A surface of the memory display device: its pixels, lock and text state, colour key,
// attached back buffer, and the window a primary surface shows itself in.
//
// A primary given a whole picture of its own size and format by an unkeyed blit presents the
// source's rows; where the window keeps them exactly (Window::KeepsPicture), the primary leaves
// its picture there and reads it back the next time it is locked, drawn on or read, so a frame
// is copied once on its way to the window rather than twice. Every operation's results are
// those of a primary that had copied the picture.

#include "platform/DirectDraw.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace Vuro::Platform {

class MemorySurface : public Surface {
public:
    // Pixels start black. videoBytes, when given, counts the bytes of video-memory surfaces
    // alive.
    MemorySurface(int width, int height, const PixelFormat& format, uint32_t caps,
                  std::shared_ptr<std::atomic<int64_t>> videoBytes);
    ~MemorySurface() override;

    DDResult GetSurfaceDesc(SurfaceDesc& desc) override;
    DDResult Lock(SurfaceDesc& desc, uint32_t flags) override;
    DDResult Unlock() override;
    DDResult Blt(const SurfaceRect* destRect, Surface* source, const SurfaceRect* srcRect,
                 uint32_t flags) override;
    DDResult ColorFill(const SurfaceRect* destRect, uint32_t pixel) override;
    DDResult Flip(uint32_t flags) override;
    DDResult GetAttachedSurface(uint32_t caps, std::shared_ptr<Surface>& out) override;
    DDResult SetColorKey(uint32_t flags, const ColorKey* key) override;
    DDResult GetColorKey(uint32_t flags, ColorKey& key) override;
    DDResult SetClipper(std::shared_ptr<Clipper> clipper) override;
    DDResult SetPalette(std::shared_ptr<Palette> palette) override;
    DDResult GetDC(TextTarget& target) override;
    DDResult ReleaseDC() override;
    bool TakeChangedRect(SurfaceRect& out) override;

    // A primary surface: shown in the window after every change; a flipping one gets its back
    // buffer.
    void MakePrimary(Window* window, bool withBackBuffer);

private:
    bool IsDrawable() const { return mFormat.bitCount == 16 || mFormat.bitCount == 32; }
    bool IsBusy() const { return mLocked || mHasDC; }
    uint8_t* Row(int y) { return mPixels.data() + static_cast<size_t>(y) * mPitch; }
    // Whether the rectangle (null: all) lies inside, with room; the whole surface for null.
    bool Resolve(const SurfaceRect* rect, SurfaceRect& out) const;
    // A primary shows itself in its window; false when the window could not show it.
    bool Show();
    // Whether a blit of these rectangles from src gives this primary a whole picture it can
    // leave in its window.
    bool TakesWholePicture(const MemorySurface& src, const SurfaceRect& from, const SurfaceRect& to,
                           bool keyed) const;
    // mPixels hold the picture again (read back from the window when it was left there).
    void Own();
    // The rectangle joins the changed part (TakeChangedRect).
    void NoteChange(const SurfaceRect& rect);
    void NoteWholeChange() { NoteChange(SurfaceRect{0, 0, mWidth, mHeight}); }

    int mWidth;
    int mHeight;
    int mPitch; // bytes, a multiple of 4
    PixelFormat mFormat;
    uint32_t mCaps;
    std::vector<uint8_t> mPixels;
    std::shared_ptr<std::atomic<int64_t>> mVideoBytes; // null unless in video memory
    bool mLocked = false;
    bool mHasDC = false;
    bool mHasKey = false;
    ColorKey mKey;
    std::shared_ptr<Clipper> mClipper;
    std::shared_ptr<Palette> mPalette;
    std::shared_ptr<MemorySurface> mBackBuffer; // attached to a flipping primary
    Window* mShowIn = nullptr;                  // a primary's window; not owned
    bool mPictureInWindow = false; // mPixels are stale: the window keeps the picture (Own)
    SurfaceRect mChanged;          // changed since the last TakeChangedRect; empty: nothing
};

// A pixel of one format in another: each channel's top bits kept, low bits dropped or zero.
uint32_t ConvertPixel(uint32_t pixel, const PixelFormat& from, const PixelFormat& to);

} // namespace Vuro::Platform
