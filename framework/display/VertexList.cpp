#include "framework/display/VertexList.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

using Platform::TLVertex;

VertexList::VertexList(const VertexList& other) {
    *this = other;
}

VertexList& VertexList::operator=(const VertexList& other) {
    if (this == &other) {
        return *this;
    }
    mCount = 0;
    Reserve(other.mCount);
    std::copy_n(other.mStorage, other.mCount, mStorage);
    mCount = other.mCount;
    return *this;
}

void VertexList::MoveTo(int capacity) {
    auto storage = std::make_unique<TLVertex[]>(static_cast<size_t>(capacity));
    std::copy_n(mStorage, mCount, storage.get());
    mHeap = std::move(storage);
    mStorage = mHeap.get();
    mCapacity = capacity;
}

void VertexList::Append(const TLVertex& vertex) {
    if (mCount == mCapacity) {
        MoveTo(mCapacity * 2);
    }
    mStorage[mCount++] = vertex;
}

void VertexList::Reserve(int count) {
    if (mCapacity < count) {
        MoveTo(count);
    }
}

float GetVertexComponent(const TLVertex& vertex, int component) {
    switch (component) {
    case 0:
        return vertex.x;
    case 1:
        return vertex.y;
    case 2:
        return vertex.z;
    case 3:
        return vertex.u;
    case 4:
        return vertex.v;
    default:
        return 0.0f;
    }
}

TLVertex InterpolateVertex(const TLVertex& a, const TLVertex& b, float t) {
    TLVertex out = a;
    out.x = a.x + (b.x - a.x) * t;
    out.y = a.y + (b.y - a.y) * t;
    out.u = a.u + (b.u - a.u) * t;
    out.v = a.v + (b.v - a.v) * t;
    if (a.color != b.color) {
        uint32_t color = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const auto from = static_cast<float>((a.color >> shift) & 0xFF);
            const auto to = static_cast<float>((b.color >> shift) & 0xFF);
            const auto channel = static_cast<int>(std::trunc(from + (to - from) * t));
            color |= static_cast<uint32_t>(std::clamp(channel, 0, 255)) << shift;
        }
        out.color = color;
    }
    return out;
}

namespace {

template <typename Inside>
void ClipEdge(int component, float bound, const TLVertex& p, const TLVertex& q, VertexList& out,
              Inside inside) {
    const float pc = GetVertexComponent(p, component);
    const float qc = GetVertexComponent(q, component);
    const bool pIn = inside(pc);
    const bool qIn = inside(qc);
    if (pIn && qIn) {
        out.Append(q);
    } else if (pIn != qIn) {
        out.Append(InterpolateVertex(p, q, (bound - pc) / (qc - pc)));
        if (qIn) {
            out.Append(q);
        }
    }
}

// One stage: every edge of the polygon, the closing one first, into the scratch list, which
// then becomes the polygon.
template <typename Step> void ClipStage(VertexList& list, VertexList& scratch, Step step) {
    const int n = list.Count();
    if (n <= 1) {
        return;
    }
    scratch.Clear();
    step(list[n - 1], list[0], scratch);
    for (int i = 0; i + 1 < n; ++i) {
        step(list[i], list[i + 1], scratch);
    }
    list = scratch;
}

void ClipLow(VertexList& list, VertexList& scratch, int component, float bound) {
    ClipStage(list, scratch, [&](const TLVertex& p, const TLVertex& q, VertexList& out) {
        ClipEdgeLow(component, bound, p, q, out);
    });
}

void ClipHigh(VertexList& list, VertexList& scratch, int component, float bound) {
    ClipStage(list, scratch, [&](const TLVertex& p, const TLVertex& q, VertexList& out) {
        ClipEdgeHigh(component, bound, p, q, out);
    });
}

} // namespace

void ClipEdgeLow(int component, float bound, const TLVertex& p, const TLVertex& q,
                 VertexList& out) {
    ClipEdge(component, bound, p, q, out, [bound](float c) { return c >= bound; });
}

void ClipEdgeHigh(int component, float bound, const TLVertex& p, const TLVertex& q,
                  VertexList& out) {
    ClipEdge(component, bound, p, q, out, [bound](float c) { return c < bound; });
}

void ClipToRect(VertexList& list, const Rect& clip) {
    VertexList scratch;
    ClipLow(list, scratch, 0, static_cast<float>(clip.mX));
    ClipLow(list, scratch, 1, static_cast<float>(clip.mY));
    ClipHigh(list, scratch, 0, static_cast<float>(clip.mX + clip.mWidth));
    ClipHigh(list, scratch, 1, static_cast<float>(clip.mY + clip.mHeight));
}

void ClipToPieceUV(VertexList& list) {
    VertexList scratch;
    ClipLow(list, scratch, 3, 0.0f);
    ClipLow(list, scratch, 4, 0.0f);
    ClipHigh(list, scratch, 3, 1.0f);
    ClipHigh(list, scratch, 4, 1.0f);
}

} // namespace Vuro
