// The drawing calls of the 3-D device: textured quads and triangles of images through their
// texture pieces, and untextured lines, rectangles and polygons.

#include "framework/display/D3DInterface.h"
#include "framework/display/TextureData.h"
#include "framework/display/VertexList.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/Matrix.h"

namespace Vuro {

using Platform::Primitive;
using Platform::TLVertex;

namespace {

TLVertex Vertex(float x, float y, uint32_t color) {
    return TLVertex{x, y, 0.0f, 1.0f, color, 0, 0.0f, 0.0f};
}

} // namespace

void DrawClippedPolygon(Platform::Device3D& device, const Rect& clip, const VertexList& list) {
    VertexList clipped = list;
    ClipToRect(clipped, clip);
    if (clipped.Count() >= 3) {
        (void)D3DInterface::CheckD3DError(
            device.DrawPrimitive(Primitive::TriangleFan, clipped.Data(), clipped.Count()),
            "DrawPrimitive (Tri) 2");
    }
}

bool D3DInterface::Draw(const D3DDrawCall& call) {
    if (mDevice == nullptr) {
        return false;
    }
    const Rect* clip = &call.mClipRect;
    switch (call.mOp) {
    case D3DDrawCall::Op::FillPoly:
        FillPoly(call.mPoints, call.mCount, clip, call.mColor, call.mMode,
                 static_cast<int>(call.mX), static_cast<int>(call.mY));
        break;
    case D3DDrawCall::Op::FillRect:
        FillRect(call.mDestRect, call.mColor, call.mMode);
        break;
    case D3DDrawCall::Op::DrawLine:
        DrawLine(call.mX1, call.mY1, call.mX2, call.mY2, call.mColor, call.mMode);
        break;
    case D3DDrawCall::Op::Blt:
        Blt(call.mImage, call.mX, call.mY, call.mSrcRect, call.mColor, call.mMode,
            call.mLinearFilter);
        break;
    case D3DDrawCall::Op::BltClipF:
        BltClipF(call.mImage, call.mX, call.mY, call.mSrcRect, clip, call.mColor, call.mMode);
        break;
    case D3DDrawCall::Op::BltRotated:
        BltRotated(call.mImage, call.mX, call.mY, call.mSrcRect, clip, call.mColor, call.mMode,
                   call.mAngle, call.mCenterX, call.mCenterY);
        break;
    case D3DDrawCall::Op::StretchBlt:
        StretchBlt(call.mImage, call.mDestRect, call.mSrcRect, clip, call.mColor, call.mMode,
                   call.mFastStretch, call.mMirror);
        break;
    case D3DDrawCall::Op::BltTransformed:
        if (call.mMatrix != nullptr) {
            BltMatrix(call.mImage, call.mX, call.mY, *call.mMatrix, clip, call.mColor, call.mMode,
                      call.mSrcRect, call.mBlend);
        }
        break;
    case D3DDrawCall::Op::DrawTrianglesTex:
        DrawTrianglesTex(call.mTriangles, call.mCount, call.mColor, call.mMode, call.mImage,
                         call.mX, call.mY, call.mBlend);
        break;
    case D3DDrawCall::Op::BltMirror:
        BltMirror(call.mImage, call.mX, call.mY, call.mSrcRect, call.mColor, call.mMode, false);
        break;
    }
    return true;
}

TextureData* D3DInterface::BeginTextured(Image* image, DrawMode mode, bool linear) {
    auto* memoryImage = dynamic_cast<MemoryImage*>(image);
    if (memoryImage == nullptr || !BeginDraw() || !PrepareTextures(memoryImage)) {
        return nullptr;
    }
    SetDrawMode(mode);
    SetLinearFilter(linear);
    return memoryImage->mTextureData;
}

bool D3DInterface::BeginUntextured(DrawMode mode) {
    if (!BeginDraw()) {
        return false;
    }
    SetDrawMode(mode);
    return !CheckD3DError(mDevice->SetTexture(0, nullptr), "SetTexture NULL");
}

void D3DInterface::Blt(Image* image, float x, float y, const Rect& srcRect, const Color& color,
                       DrawMode mode, bool linear) {
    if (TextureData* data = BeginTextured(image, mode, linear)) {
        data->Blt(*mDevice, x, y, srcRect, PackD3DColor(color));
    }
}

void D3DInterface::BltTransformed(Image* image, const Rect* clipRect, const Color& color,
                                  DrawMode mode, const Rect& srcRect, const Matrix3x3& matrix,
                                  bool linear) {
    if (TextureData* data = BeginTextured(image, mode, linear)) {
        data->BltTransformed(*mDevice, matrix, srcRect, PackD3DColor(color), clipRect);
    }
}

void D3DInterface::BltClipF(Image* image, float x, float y, const Rect& srcRect,
                            const Rect* clipRect, const Color& color, DrawMode mode) {
    Transform2D transform;
    transform.Translate(x, y);
    BltTransformed(image, clipRect, color, mode, srcRect, transform, true);
}

void D3DInterface::BltMirror(Image* image, float x, float y, const Rect& srcRect,
                             const Color& color, DrawMode mode, bool linear) {
    Transform2D transform;
    transform.Translate(-static_cast<float>(srcRect.mWidth), 0);
    transform.Scale(-1, 1);
    transform.Translate(x, y);
    BltTransformed(image, nullptr, color, mode, srcRect, transform, linear);
}

void D3DInterface::StretchBlt(Image* image, const Rect& destRect, const Rect& srcRect,
                              const Rect* clipRect, const Color& color, DrawMode mode,
                              bool fastStretch, bool mirror) {
    if (srcRect.mWidth <= 0 || srcRect.mHeight <= 0) {
        return;
    }
    const float sx = static_cast<float>(destRect.mWidth) / static_cast<float>(srcRect.mWidth);
    const float sy = static_cast<float>(destRect.mHeight) / static_cast<float>(srcRect.mHeight);
    Transform2D transform;
    if (mirror) {
        transform.Translate(-static_cast<float>(srcRect.mWidth), 0);
        transform.Scale(-sx, sy);
    } else {
        transform.Scale(sx, sy);
    }
    transform.Translate(static_cast<float>(destRect.mX), static_cast<float>(destRect.mY));
    BltTransformed(image, clipRect, color, mode, srcRect, transform, !fastStretch);
}

void D3DInterface::BltRotated(Image* image, float x, float y, const Rect& srcRect,
                              const Rect* clipRect, const Color& color, DrawMode mode, double angle,
                              float centerX, float centerY) {
    Transform2D transform;
    transform.Translate(-centerX, -centerY);
    transform.RotateRad(static_cast<float>(angle));
    transform.Translate(x + centerX, y + centerY);
    BltTransformed(image, clipRect, color, mode, srcRect, transform, true);
}

void D3DInterface::BltMatrix(Image* image, float x, float y, const Matrix3x3& matrix,
                             const Rect* clipRect, const Color& color, DrawMode mode,
                             const Rect& srcRect, bool linear) {
    // As the software path: the rectangle centred on the origin, through the matrix, at (x, y).
    Transform2D centre;
    centre.Translate(-static_cast<float>(srcRect.mWidth) / 2,
                     -static_cast<float>(srcRect.mHeight) / 2);
    Transform2D place;
    place.Translate(x, y);
    BltTransformed(image, clipRect, color, mode, srcRect, place.Multiply(matrix.Multiply(centre)),
                   linear);
}

void D3DInterface::DrawTrianglesTex(const TexVertex (*triangles)[3], int count, const Color& color,
                                    DrawMode mode, Image* texture, float tx, float ty,
                                    bool linear) {
    if (TextureData* data = BeginTextured(texture, mode, linear)) {
        data->BltTriangles(*mDevice, triangles, count, PackD3DColor(color), tx, ty);
    }
}

void D3DInterface::DrawLine(double x1, double y1, double x2, double y2, const Color& color,
                            DrawMode mode) {
    if (!BeginUntextured(mode)) {
        return;
    }
    const uint32_t packed = PackD3DColor(color);
    const auto endX = static_cast<float>(x2);
    const auto endY = static_cast<float>(y2);
    // The third point lights the end pixel.
    const TLVertex line[3] = {Vertex(static_cast<float>(x1), static_cast<float>(y1), packed),
                              Vertex(endX, endY, packed), Vertex(endX + 0.5f, endY + 0.5f, packed)};
    (void)CheckD3DError(mDevice->DrawPrimitive(Primitive::LineStrip, line, 3),
                        "DrawPrimitive (Line)");
}

void D3DInterface::FillRect(const Rect& rect, const Color& color, DrawMode mode) {
    if (!BeginUntextured(mode)) {
        return;
    }
    const uint32_t packed = PackD3DColor(color);
    const float left = static_cast<float>(rect.mX) - 0.5f;
    const float top = static_cast<float>(rect.mY) - 0.5f;
    const float right = left + static_cast<float>(rect.mWidth);
    const float bottom = top + static_cast<float>(rect.mHeight);
    const TLVertex quad[4] = {Vertex(left, top, packed), Vertex(left, bottom, packed),
                              Vertex(right, top, packed), Vertex(right, bottom, packed)};
    (void)CheckD3DError(mDevice->DrawPrimitive(Primitive::TriangleStrip, quad, 4),
                        "DrawPrimitive (Rect)");
}

void D3DInterface::FillPoly(const Point* points, int count, const Rect* clipRect,
                            const Color& color, DrawMode mode, int tx, int ty) {
    if (points == nullptr || count < 3 || !BeginUntextured(mode)) {
        return;
    }
    const uint32_t packed = PackD3DColor(color);
    VertexList list;
    for (int i = 0; i < count; ++i) {
        list.Append(Vertex(static_cast<float>(points[i].mX + tx),
                           static_cast<float>(points[i].mY + ty), packed));
    }
    if (clipRect != nullptr) {
        DrawClippedPolygon(*mDevice, *clipRect, list);
        return;
    }
    (void)CheckD3DError(mDevice->DrawPrimitive(Primitive::TriangleFan, list.Data(), list.Count()),
                        "DrawPrimitive (FillPoly)");
}

} // namespace Vuro
