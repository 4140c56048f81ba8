#pragma once
// The 3-D device of the display (platform/Direct3D.h) over the display's drawing surface, and
// the drawing of images, lines, rectangles and polygons through it. Images become tiled
// textures (TextureData) drawn as textured quads or triangles with alpha or additive blending.
//
// What a caller can rely on:
// - InitD3D makes the device; false leaves the reason in gD3DError.
// - A scene begins lazily at the first drawing call of a frame and ends at Flush, which the
//   display calls before presenting; Flush empties gD3DError. EndScene ends it without that,
//   for whoever must touch the drawing surface's pixels in the middle of a frame.
// - Every failing device call is recorded: gD3DError becomes "<operation>: <hex code>" and the
//   text is written to the settings ("Test3D\RuntimeError") once per new text and never while
//   a demo is recorded or played back (a device that keeps failing would rewrite it every
//   frame).
// - Drawing calls do nothing when no scene can be begun (no device, drawing suspended by the
//   application, or the render target was refused: then the next frame tries again) or when
//   the image has no valid textures.
// - Draw is the one entry the display images use (D3DDrawCall); it answers whether the device
//   took the operation (false without a device, so the caller draws in 2-D).
// - The matrix drawing places the image as the software path does (one call, the device's,
//   with the caller's offset folded into the matrix).
// - Pieces whose texture could not be made are skipped, never drawn through null; a lost
//   render target is retried at the next drawing call and the scene is begun again.

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/graphics/Rect.h"
#include "platform/Direct3D.h"

#include <memory>
#include <set>
#include <string>

namespace Vuro {

class DDInterface;
class DisplayHost;
class Image;
class Matrix3x3;
class MemoryImage;
class TextureData;

// The text of the last 3-D failure; a non-empty text makes the next presentation fail and
// switches the display to 2-D. Main thread only.
extern std::string gD3DError;

// The device's texture limits (one display exists). Before a device reports its own: 64 x 64
// textures only, aspect ratio 1, no formats.
struct D3DDeviceLimits {
    int mMinTextureWidth = 64;
    int mMinTextureHeight = 64;
    int mMaxTextureWidth = 64; // at most 1024
    int mMaxTextureHeight = 64;
    int mMaxAspectRatio = 1;
    int mSupportedFormats = 0; // bits of Platform::kTexFormat...
};
extern D3DDeviceLimits gD3DLimits;

// One drawing operation handed to the 3-D device, with every argument it may need.
struct D3DDrawCall {
    enum class Op {
        FillPoly,
        FillRect,
        DrawLine,
        Blt,
        BltClipF,
        BltRotated,
        StretchBlt,
        BltTransformed,
        DrawTrianglesTex,
        BltMirror,
    };
    Op mOp = Op::FillRect;
    Image* mImage = nullptr; // source or texture
    float mX = 0;            // destination position (Blt, BltRotated, BltTransformed)
    float mY = 0;
    double mX1 = 0; // DrawLine's end points
    double mY1 = 0;
    double mX2 = 0;
    double mY2 = 0;
    Rect mSrcRect;
    Rect mDestRect;
    Rect mClipRect;
    Color mColor;
    DrawMode mMode = kDrawModeNormal;
    double mAngle = 0;
    float mCenterX = 0;
    float mCenterY = 0;
    const Matrix3x3* mMatrix = nullptr;
    const TexVertex (*mTriangles)[3] = nullptr;
    int mCount = 0;
    const Point* mPoints = nullptr;
    bool mBlend = false;
    bool mFastStretch = false;
    bool mMirror = false;
    bool mLinearFilter = false;
};

class D3DInterface {
public:
    D3DInterface();
    ~D3DInterface();
    D3DInterface(const D3DInterface&) = delete;
    D3DInterface& operator=(const D3DInterface&) = delete;

    // False: no 3-D device; the reason is in gD3DError.
    bool InitD3D(DDInterface* display);
    // Ends the scene, forgets every image's textures and lets the device go.
    void Cleanup();
    // Ends the frame's scene before it is presented, and empties gD3DError.
    void Flush();
    // Ends the scene (its picture goes into the drawing surface); the next drawing call
    // begins another.
    void EndScene();
    // Whether the device took the operation.
    bool Draw(const D3DDrawCall& call);

    // False when result is not a failure; else records "<context>: <hex code>" (see above).
    static bool CheckD3DError(Platform::DDResult result, const char* context);
    // Adjusts a piece size in place to the device's limits: the good-size table for a regular
    // piece (flags bit 0 clear), the next power of two for an edge piece; flags bit 1 starts
    // from 64 x 64.
    static void ChooseTextureSize(int* width, int* height, bool isEdge, bool fitToDevice,
                                  int flags);

    // [Drawing: D3DInterfaceDraw.cpp]
    void Blt(Image* image, float x, float y, const Rect& srcRect, const Color& color, DrawMode mode,
             bool linear);
    void BltClipF(Image* image, float x, float y, const Rect& srcRect, const Rect* clipRect,
                  const Color& color, DrawMode mode);
    void BltMirror(Image* image, float x, float y, const Rect& srcRect, const Color& color,
                   DrawMode mode, bool linear);
    void StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect, const Rect* clipRect,
                    const Color& color, DrawMode mode, bool fastStretch, bool mirror);
    void BltRotated(Image* image, float x, float y, const Rect& srcRect, const Rect* clipRect,
                    const Color& color, DrawMode mode, double angle, float centerX, float centerY);
    void BltTransformed(Image* image, const Rect* clipRect, const Color& color, DrawMode mode,
                        const Rect& srcRect, const Matrix3x3& matrix, bool linear);
    void DrawLine(double x1, double y1, double x2, double y2, const Color& color, DrawMode mode);
    void FillRect(const Rect& rect, const Color& color, DrawMode mode);
    void FillPoly(const Point* points, int count, const Rect* clipRect, const Color& color,
                  DrawMode mode, int tx, int ty);
    void DrawTrianglesTex(const TexVertex (*triangles)[3], int count, const Color& color,
                          DrawMode mode, Image* texture, float tx, float ty, bool linear);

    // [Textures: TextureData.cpp]
    void RemoveImageData(MemoryImage* image);
    // The image's textures read back into its 32-bit bits; false without texture data.
    bool CopyTexturesToBits(MemoryImage* image);
    // The image's pixels from (x, y) into the whole texture, converted to its format; a piece
    // reaching past the image is cleared to transparent black first.
    static void CopyImageToTexture(Platform::Texture3D* texture, MemoryImage* image, int x, int y);

    DisplayHost* mHost = nullptr; // the display's application, from InitD3D on; not owned
    std::shared_ptr<Platform::Device3D> mDevice;
    std::shared_ptr<Platform::DirectDraw> mDirectDraw7; // the display's; palettes are made on it
    std::shared_ptr<Platform::Surface> mDrawSurface;    // the render target
    int mWidth = 640;
    int mHeight = 480;
    bool mSceneBegun = false;
    bool mRenderTargetLost = false; // the render target was refused at the start of a frame
    bool mLinearFilter = false;     // the filter last set; false = point
    std::set<MemoryImage*> mTexturedImages;

private:
    bool CreateDevice();
    bool BeginDraw();
    void SetDrawMode(DrawMode mode);
    void SetLinearFilter(bool linear);
    // The image's textures made or refreshed; false when it has none to draw with.
    bool PrepareTextures(MemoryImage* image);
    // The device ready for a textured call: scene, textures, blending and filter.
    TextureData* BeginTextured(Image* image, DrawMode mode, bool linear);
    bool BeginUntextured(DrawMode mode);
    // The matrix drawing of a display image: the quad centred on the origin, through the
    // matrix, placed at (x, y).
    void BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix, const Rect* clipRect,
                   const Color& color, DrawMode mode, const Rect& srcRect, bool linear);
};

// A Color as the device's vertex colour, 0xAARRGGBB.
uint32_t PackD3DColor(const Color& color);
// Draws a polygon cut to the clip rectangle as one triangle fan ("DrawPrimitive (Tri) 2").
class VertexList;
void DrawClippedPolygon(Platform::Device3D& device, const Rect& clip, const VertexList& list);

} // namespace Vuro
