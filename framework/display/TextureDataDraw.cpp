// Drawing an image's texture pieces: quads piece by piece, plain or through a matrix, and
// textured triangles cut along the piece borders.

#include "framework/display/D3DInterface.h"
#include "framework/display/TextureData.h"
#include "framework/display/VertexList.h"
#include "framework/graphics/GraphicsTypes.h"
#include "framework/util/Matrix.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

using Platform::Primitive;
using Platform::TLVertex;

namespace {

TLVertex Vertex(float x, float y, uint32_t color, float u, float v) {
    return TLVertex{x, y, 0.0f, 1.0f, color, 0, u, v};
}

// The source rectangle kept to the image, with the offset of what was cut from its top-left.
bool KeepToImage(const Rect& srcRect, int width, int height, Rect& inside) {
    inside = srcRect.Intersection(Rect(0, 0, width, height));
    return inside.mWidth > 0 && inside.mHeight > 0;
}

// Calls part(piece, sourceX, sourceY, width, height, u0, v0, u1, v1) for each part of the
// rectangle that lies in one piece, row by row.
template <typename Part> void WalkPieces(TextureData& data, const Rect& rect, Part part) {
    int restHeight = rect.mHeight;
    for (int y = rect.mY; restHeight > 0;) {
        int rowHeight = restHeight;
        int restWidth = rect.mWidth;
        for (int x = rect.mX; restWidth > 0;) {
            int width = restWidth;
            int height = restHeight;
            float u0, v0, u1, v1;
            TexturePiece* piece = data.GetTexture(x, y, width, height, u0, v0, u1, v1);
            if (piece->mTexture != nullptr) {
                part(*piece, x, y, width, height, u0, v0, u1, v1);
            }
            x += width;
            restWidth -= width;
            rowHeight = height;
        }
        y += rowHeight;
        restHeight -= rowHeight;
    }
}

bool SetPieceTexture(Platform::Device3D& device, const TexturePiece& piece) {
    return !D3DInterface::CheckD3DError(device.SetTexture(0, piece.mTexture.get()),
                                        "SetTexture gTexture");
}

} // namespace

void TextureData::Blt(Platform::Device3D& device, float x, float y, const Rect& srcRect,
                      uint32_t color) {
    Rect rect;
    if (!KeepToImage(srcRect, mImageWidth, mImageHeight, rect)) {
        return;
    }
    const float originX = x - static_cast<float>(srcRect.mX);
    const float originY = y - static_cast<float>(srcRect.mY);
    WalkPieces(*this, rect,
               [&](const TexturePiece& piece, int sx, int sy, int w, int h, float u0, float v0,
                   float u1, float v1) {
                   const float left = originX + static_cast<float>(sx) - 0.5f;
                   const float top = originY + static_cast<float>(sy) - 0.5f;
                   const float right = left + static_cast<float>(w);
                   const float bottom = top + static_cast<float>(h);
                   const TLVertex quad[4] = {
                       Vertex(left, top, color, u0, v0), Vertex(left, bottom, color, u0, v1),
                       Vertex(right, top, color, u1, v0), Vertex(right, bottom, color, u1, v1)};
                   if (SetPieceTexture(device, piece)) {
                       (void)D3DInterface::CheckD3DError(
                           device.DrawPrimitive(Primitive::TriangleStrip, quad, 4),
                           "DrawPrimitive (Tri) 1");
                   }
               });
}

void TextureData::BltTransformed(Platform::Device3D& device, const Matrix3x3& matrix,
                                 const Rect& srcRect, uint32_t color, const Rect* clipRect) {
    Rect rect;
    if (!KeepToImage(srcRect, mImageWidth, mImageHeight, rect)) {
        return;
    }
    WalkPieces(*this, rect,
               [&](const TexturePiece& piece, int sx, int sy, int w, int h, float u0, float v0,
                   float u1, float v1) {
                   const auto left = static_cast<float>(sx - srcRect.mX);
                   const auto top = static_cast<float>(sy - srcRect.mY);
                   const float right = left + static_cast<float>(w);
                   const float bottom = top + static_cast<float>(h);
                   auto corner = [&](float cx, float cy, float u, float v) {
                       const Vector2 p = matrix.TransformVector2({cx, cy});
                       return Vertex(p.x - 0.5f, p.y - 0.5f, color, u, v);
                   };
                   const TLVertex topLeft = corner(left, top, u0, v0);
                   const TLVertex bottomLeft = corner(left, bottom, u0, v1);
                   const TLVertex topRight = corner(right, top, u1, v0);
                   const TLVertex bottomRight = corner(right, bottom, u1, v1);
                   bool clipped = false;
                   if (clipRect != nullptr) {
                       for (const TLVertex& v : {topLeft, bottomLeft, topRight, bottomRight}) {
                           clipped |= v.x < static_cast<float>(clipRect->mX) ||
                                      v.x >= static_cast<float>(clipRect->mX + clipRect->mWidth) ||
                                      v.y < static_cast<float>(clipRect->mY) ||
                                      v.y >= static_cast<float>(clipRect->mY + clipRect->mHeight);
                       }
                   }
                   if (!SetPieceTexture(device, piece)) {
                       return;
                   }
                   if (clipped) {
                       VertexList list;
                       for (const TLVertex& v : {topLeft, bottomLeft, bottomRight, topRight}) {
                           list.Append(v);
                       }
                       DrawClippedPolygon(device, *clipRect, list);
                       return;
                   }
                   const TLVertex quad[4] = {topLeft, bottomLeft, topRight, bottomRight};
                   (void)D3DInterface::CheckD3DError(
                       device.DrawPrimitive(Primitive::TriangleStrip, quad, 4),
                       "DrawPrimitive (Tri) 3");
               });
}

void TextureData::BltTriangles(Platform::Device3D& device, const TexVertex (*triangles)[3],
                               int count, uint32_t color, float tx, float ty) {
    if (triangles == nullptr || count <= 0 || mPieces.empty()) {
        return;
    }
    auto vertex = [&](const TexVertex& t) {
        return Vertex(t.mX + tx, t.mY + ty, t.mColor != 0 ? t.mColor : color, t.mU * mMaxU,
                      t.mV * mMaxV);
    };
    if (mMaxU <= 1.0f && mMaxV <= 1.0f) {
        if (mPieces[0].mTexture == nullptr || !SetPieceTexture(device, mPieces[0])) {
            return;
        }
        constexpr int kBatch = 100;
        TLVertex batch[kBatch * 3];
        for (int first = 0; first < count; first += kBatch) {
            const int n = std::min(kBatch, count - first);
            for (int i = 0; i < n; ++i) {
                for (int k = 0; k < 3; ++k) {
                    batch[i * 3 + k] = vertex(triangles[first + i][k]);
                }
            }
            (void)D3DInterface::CheckD3DError(
                device.DrawPrimitive(Primitive::TriangleList, batch, n * 3),
                "DrawPrimitive (TriList)");
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const TLVertex corners[3] = {vertex(triangles[i][0]), vertex(triangles[i][1]),
                                     vertex(triangles[i][2])};
        const auto [minU, maxU] = std::minmax({corners[0].u, corners[1].u, corners[2].u});
        const auto [minV, maxV] = std::minmax({corners[0].v, corners[1].v, corners[2].v});
        const int firstColumn = std::max(0, static_cast<int>(std::floor(minU)));
        const int lastColumn = std::min(mColumns - 1, static_cast<int>(std::ceil(maxU)) - 1);
        const int firstRow = std::max(0, static_cast<int>(std::floor(minV)));
        const int lastRow = std::min(mRows - 1, static_cast<int>(std::ceil(maxV)) - 1);
        for (int r = firstRow; r <= lastRow; ++r) {
            for (int c = firstColumn; c <= lastColumn; ++c) {
                const TexturePiece& piece = mPieces[static_cast<size_t>(r * mColumns + c)];
                if (piece.mTexture == nullptr) {
                    continue;
                }
                // Piece coordinates; the last column and row are scaled to their own size.
                const float scaleU = c == mColumns - 1 ? static_cast<float>(mPieceWidth) /
                                                             static_cast<float>(piece.mWidth)
                                                       : 1.0f;
                const float scaleV = r == mRows - 1 ? static_cast<float>(mPieceHeight) /
                                                          static_cast<float>(piece.mHeight)
                                                    : 1.0f;
                VertexList list;
                for (TLVertex v : corners) {
                    v.u = (v.u - static_cast<float>(c)) * scaleU;
                    v.v = (v.v - static_cast<float>(r)) * scaleV;
                    list.Append(v);
                }
                ClipToPieceUV(list);
                if (list.Count() >= 3 && SetPieceTexture(device, piece)) {
                    (void)D3DInterface::CheckD3DError(
                        device.DrawPrimitive(Primitive::TriangleFan, list.Data(), list.Count()),
                        "DrawPrimitive (Tri) 4");
                }
            }
        }
    }
}

} // namespace Vuro
