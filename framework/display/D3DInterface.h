#pragma once
// The 3-D device's place in the display. The 3-D half of the display (Direct3D drawing on SDL's
// renderer) is not built yet; this is the seam it fills:
// - InitD3D answers false with the reason in gD3DError, so a display asked for 3-D reports
//   RESULT_3D_FAIL and the application falls back to 2-D.
// - Draw is the one call every drawing operation of a DDImage on the 3-D screen makes; it
//   answers whether the 3-D device took the operation ("not taken" for now), and when it was
//   not taken the operation follows the 2-D rules.

#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/graphics/Rect.h"

#include <string>

namespace Vuro {

class DDInterface;
class Image;
class Matrix3x3;
class MemoryImage;

// The text of the last 3-D failure; a non-empty text makes the next presentation fail and
// switches the display to 2-D. Main thread only.
extern std::string gD3DError;

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
    // False: no 3-D device; the reason is in gD3DError.
    bool InitD3D(DDInterface* display);
    void Cleanup() {}
    // Ends the frame's scene before it is presented.
    void Flush() {}
    // Forgets the texture data kept for the image.
    void RemoveImageData(MemoryImage*) {}
    // Whether the 3-D device drew the operation.
    bool Draw(const D3DDrawCall&) { return false; }
};

} // namespace Vuro
