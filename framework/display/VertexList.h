#pragma once
// Convex polygons of pre-transformed vertices and their clipping against one axis-aligned
// boundary at a time (Sutherland-Hodgman): on screen coordinates against a clip rectangle (the
// 3-D device does not clip pre-transformed vertices to it), and on texture coordinates against
// the borders of a texture piece (an image cut into pieces needs each triangle cut along them).
//
// - VertexList keeps up to 100 vertices inside itself, so clipping a quad or a triangle
//   allocates nothing; more grow the storage by doubling.
// - A vertex exactly on a lower bound is inside; one exactly on an upper bound is outside.
// - Clipping keeps the order of the vertices that stay; a polygon entirely outside comes out
//   empty.

#include "framework/graphics/Rect.h"
#include "platform/Direct3D.h"

#include <memory>

namespace Vuro {

class VertexList {
public:
    static constexpr int kInnerCapacity = 100;

    VertexList() = default;
    VertexList(const VertexList& other);
    VertexList& operator=(const VertexList& other);

    void Append(const Platform::TLVertex& vertex);
    void Reserve(int count);
    void Clear() { mCount = 0; }
    int Count() const { return mCount; }
    int Capacity() const { return mCapacity; }
    Platform::TLVertex* Data() { return mStorage; }
    const Platform::TLVertex* Data() const { return mStorage; }
    Platform::TLVertex& operator[](int i) { return mStorage[i]; }
    const Platform::TLVertex& operator[](int i) const { return mStorage[i]; }

private:
    void MoveTo(int capacity);

    Platform::TLVertex mInner[kInnerCapacity];
    std::unique_ptr<Platform::TLVertex[]> mHeap; // the storage once grown past the inner array
    Platform::TLVertex* mStorage = mInner;
    int mCount = 0;
    int mCapacity = kInnerCapacity;
};

// Component by index: 0 x, 1 y, 2 z, 3 u, 4 v; any other reads 0.
float GetVertexComponent(const Platform::TLVertex& vertex, int component);
// a + (b - a) t in x, y, u and v; each colour channel truncated toward zero when the colours
// differ. z, rhw and specular are a's.
Platform::TLVertex InterpolateVertex(const Platform::TLVertex& a, const Platform::TLVertex& b,
                                     float t);
// One step of a clipping stage for the edge p -> q, appending to out: ClipEdgeLow keeps
// component >= bound, ClipEdgeHigh component < bound.
void ClipEdgeLow(int component, float bound, const Platform::TLVertex& p,
                 const Platform::TLVertex& q, VertexList& out);
void ClipEdgeHigh(int component, float bound, const Platform::TLVertex& p,
                  const Platform::TLVertex& q, VertexList& out);
// The polygon cut in place to clip.x <= x < clip.x + width and clip.y <= y < clip.y + height.
void ClipToRect(VertexList& list, const Rect& clip);
// The polygon cut in place to 0 <= u < 1 and 0 <= v < 1.
void ClipToPieceUV(VertexList& list);

} // namespace Vuro
