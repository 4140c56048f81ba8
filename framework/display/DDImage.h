#pragma once
// An image whose picture can live in a display surface as well as in the 32-bit bits of the
// in-memory image. It keeps the picture in whichever form was last written: drawing in
// software onto the surface frees the bits, and changing the bits drops the surface, which is
// made again from the bits when it is next needed. The screen image and the cursor's save areas
// are DDImages over surfaces the display hands in ("adopted").
//
// What a caller can rely on:
// - Every live DDImage is in its display's image set. When the display goes first, the image
//   keeps its picture in memory and draws as an in-memory image from then on.
// - Images with partly transparent pixels (alpha 1..254) never get a surface; images with
//   fully transparent pixels get a source colour key chosen so that no visible pixel is lost.
// - Drawing chooses, per operation, the 3-D device (D3DInterface::Draw), a device blit between
//   surfaces, a software routine on the locked surface (16-bit 5-6-5 or 5-5-5, or 32-bit), or
//   the in-memory image's drawing on the bits (DDImageDraw.cpp says which when).
// - LockSurface / UnlockSurface nest; the surface is unlocked at the outermost unlock. Both
//   are false on the 3-D screen; LockSurface is also false without a surface.
// - GetBits always answers width x height words (with the sentinel): read back from the
//   surface (alpha 255, each channel's low bits 0), or zeros where the surface cannot be read.
//   The buffer stays until the picture changes (drawing, OnBitsChanged), on the 3-D screen as
//   on any other, and bits handed back with OnBitsChanged go into an adopted surface on both.
//
// Further guarantees: an image without a surface is never locked; a surface whose filling failed is
// not kept; GetBits never hands out null; an adopted surface is never dropped with the bits (bits
// written into an adopted image go back into its surface, the 3-D screen's included); the 3-D
// screen's GetBits keeps one buffer rather than making one per call, so earlier pointers stay
// valid; 32-bit pixels are never written into 16-bit surfaces (the matrix and triangle paths
// convert through the layout).

#include "framework/graphics/MemoryImage.h"
#include "platform/DirectDraw.h"

#include <memory>

namespace Vuro {

class DDInterface;
struct D3DDrawCall;

class DDImage : public MemoryImage {
public:
    explicit DDImage(DDInterface* display);
    ~DDImage() override;

    // [Drawing: the choice of path, DDImageDraw.cpp]
    bool FillPolygon3D(const Point* points, int count, const Rect* clipRect, const Color& color,
                       DrawMode mode, int tx, int ty) override;
    void FillRect(const Rect& rect, const Color& color, DrawMode mode) override;
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color,
                  DrawMode mode) override;
    void Blt(Image* image, int x, int y, const Rect& srcRect, const Color& color,
             DrawMode mode) override;
    void BltSubpixel(Image* image, float x, float y, const Rect& srcRect, const Rect& clipRect,
                     const Color& color, DrawMode mode) override;
    void BltRotated(Image* image, float x, float y, const Rect& srcRect, const Rect& clipRect,
                    const Color& color, DrawMode mode, double angle, float centerX,
                    float centerY) override;
    void StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect, const Rect& clipRect,
                    const Color& color, DrawMode mode, bool fastStretch) override;
    void BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const Rect& clipRect,
                   const Color& color, DrawMode mode, const Rect& srcRect, bool blend) override;
    void BltTrianglesTex(Image* texture, const TexVertex (*triangles)[3], int count,
                         const Rect& clipRect, const Color& color, DrawMode mode, float tx,
                         float ty, bool blend) override;
    void BltMirror(Image* image, int x, int y, const Rect& srcRect, const Color& color,
                   DrawMode mode) override;
    void StretchBltMirror(Image* image, const Rect& destRect, const Rect& srcRect,
                          const Rect& clipRect, const Color& color, DrawMode mode,
                          bool fastStretch) override;

    // [Buffers: DDImage.cpp]
    void DropBits() override;
    void DropExtraBuffers() override;
    void ReInit() override;
    void OnBitsChanged() override;
    void ApplyBits() override;
    void DropNativeData() override;
    uint32_t* GetBits() override;
    bool Palletize() override;

    // Slots added by the display image, in this order.
    virtual void SetVideoMemory(bool wantVideoMemory);
    virtual void SetColorKeyFromFirstPixel();
    // Software drawing on the locked surface (DDImageFill.cpp, DDImageBlt.cpp). The rectangles
    // must lie inside both images (the callers clip).
    virtual void NormalFillRect(const Rect& rect, const Color& color);
    virtual void AdditiveFillRect(const Rect& rect, const Color& color);
    virtual void NormalBlt(Image* image, int x, int y, const Rect& srcRect, const Color& color);
    virtual void AdditiveBlt(Image* image, int x, int y, const Rect& srcRect, const Color& color);
    virtual void NormalDrawLine(double x1, double y1, double x2, double y2, const Color& color);
    virtual void AdditiveDrawLine(double x1, double y1, double x2, double y2, const Color& color);
    virtual void NormalBltMirror(Image* image, int x, int y, const Rect& srcRect,
                                 const Color& color);
    virtual void AdditiveBltMirror(Image* image, int x, int y, const Rect& srcRect,
                                   const Color& color);
    virtual bool LockSurface();
    virtual bool UnlockSurface();
    // Adopts a surface the display made (screen, cursor areas): takes its size; the image
    // never drops it.
    virtual void SetSurface(std::shared_ptr<Platform::Surface> surface);

    // The surface, made from the bits first when there is none; null when none can be made.
    Platform::Surface* GetSurface();
    bool GenerateDDSurface();
    // Keeps the picture in bits (when nothing else holds it) and lets the surface go.
    void DeleteSurface();
    // Frees the bits and every form derived from them: the surface alone holds the picture.
    void DeleteMemoryBuffers();
    // This image is the surface the 3-D device renders into.
    bool Check3D() const;
    // Before the surface's pixels are touched directly (device blits, text, reading): on the
    // 3-D screen the scene's picture goes into the surface first.
    void EndScene3D();
    // The display goes: the picture stays in memory and the image draws as an in-memory image.
    void DetachFromDisplay();

    DDInterface* mDDInterface; // not owned; null once the display is gone
    std::shared_ptr<Platform::Surface> mSurface;
    bool mAdopted = false;         // the surface was handed in; the image never drops it
    bool mVideoMemoryOnly = false; // never read back or drawn on in software
    bool mWantVideoMemory = false; // make the surface in video memory, not system memory
    bool mFirstPixelKey = false;   // key from the first pixel (nothing sets it)
    bool mWantSurface = false;     // a surface was made once: make it again after changes
    bool mDrawInMemory = false;    // draw through the in-memory image (nothing sets it)
    int mLockCount = 0;            // nesting depth of LockSurface
    Platform::SurfaceDesc mLockedSurfaceDesc; // filled by the outermost lock

private:
    // Surface-drawable: the software routines may draw on the surface.
    bool SurfaceDrawable() const;
    bool StrictlySurfaceDrawable() const;
    // Hands the operation to the 3-D device when this image is the 3-D screen; true when taken.
    bool Draw3D(const D3DDrawCall& call);
    // The stretch (mirrored or not) handed to the 3-D device, after applying pending bits;
    // true when taken.
    bool StretchBlt3D(Image* image, const Rect& destRect, const Rect& srcRect, const Rect& clipRect,
                      const Color& color, DrawMode mode, bool fastStretch, bool mirror);
    // A device blit from a source surface onto this one, with the source's key when it has
    // fully transparent pixels; a held lock is released around it.
    void DeviceBlt(DDImage* source, const Platform::SurfaceRect& from,
                   const Platform::SurfaceRect& to);
    // Runs `runs(pixels, source, pixel)` on the locked surface, `pixel` a uint16_t or uint32_t
    // for its depth, with the source's bits applied; nothing when the source is no memory image
    // or the surface cannot be drawn on or locked (DDImageBlt.cpp).
    template <typename Runs> void RunsOnSurface(Image* image, Runs&& runs);
    // Writes bits into the adopted surface (they changed through the in-memory image).
    void WriteBitsToSurface();
    // The surface locked for its pixels, nesting as LockSurface does but on the 3-D screen too,
    // where the scene's picture goes into the surface first; false without a surface or when
    // the lock fails.
    bool LockPixels();
    void UnlockPixels();
    // The rasteriser's format code of the locked surface; 0 for one it cannot draw.
    PixelFormatCode SurfaceFormatCode() const;
    // The rotated blit and the nearest-sample stretches on the surface (DDImageTransform.cpp).
    void RotatedBltOnSurface(Image* image, float x, float y, const Rect& srcRect,
                             const Rect& clipRect, const Color& color, DrawMode mode, double angle,
                             float centerX, float centerY);
    void NearestStretchOnSurface(MemoryImage* source, const Rect& to, const DoubleRect& from,
                                 const Color& color, DrawMode mode, bool mirror);
};

} // namespace Vuro
