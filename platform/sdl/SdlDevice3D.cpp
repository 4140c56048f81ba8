// The 3-D device on SDL's 2-D renderer (platform/Direct3D.h): a software renderer drawing into
// a picture of the render target's size (platform/sdl/SdlTexture3D.h), textured and coloured
// triangles through SDL_RenderGeometry, blending through SDL's blend and additive modes.
//
// The picture is kept from scene to scene. A scene's start takes in only the part of the
// surface that changed since (Surface::TakeChangedRect), and on a 16-bit surface the part the
// last scene drew, whose picture pixels hold more colour than the surface kept; its end writes
// back only the part it drew. Whole frames are copied only where whole frames change. The
// copies, and the plain copies of texture rectangles that make most of a frame, are the
// device's own, pixel for pixel SDL's (platform/sdl/SdlScenePixels.h).

#include "platform/Direct3D.h"
#include "platform/sdl/SdlScenePixels.h"
#include "platform/sdl/SdlTexture3D.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace Vuro::Platform {

namespace {

constexpr int kMaxTextureSize = 1024;

SDL_Rect ToSdlRect(const SurfaceRect& rect) {
    return SDL_Rect{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// a joined with b; an empty rectangle adds nothing.
void Unite(SDL_Rect& a, const SDL_Rect& b) {
    if (SDL_RectEmpty(&b)) {
        return;
    }
    if (SDL_RectEmpty(&a)) {
        a = b;
        return;
    }
    SDL_UnionRect(&a, &b, &a);
}

uint32_t SdlFormatOf(const PixelFormat& format) {
    if (format.bitCount == 32) {
        return SDL_PIXELFORMAT_RGB888;
    }
    if (format == kFormat565) {
        return SDL_PIXELFORMAT_RGB565;
    }
    if (format == kFormat555) {
        return SDL_PIXELFORMAT_RGB555;
    }
    return SDL_PIXELFORMAT_UNKNOWN;
}

class SdlDevice3D : public Device3D {
public:
    SdlDevice3D(std::shared_ptr<SdlRenderer3D> renderer, int width, int height)
        : mRenderer(std::move(renderer)), mWidth(width), mHeight(height), mStale(Whole()) {}

    DDResult GetCaps(DeviceCaps& caps) override {
        if (DDResult failure = TakeDirectDrawFailure("GetCaps")) {
            return failure;
        }
        SDL_RendererInfo info;
        int maxWidth = kMaxTextureSize;
        int maxHeight = kMaxTextureSize;
        if (SDL_GetRendererInfo(Renderer(), &info) == 0 && info.max_texture_width > 0) {
            maxWidth = std::min(maxWidth, info.max_texture_width);
            maxHeight = std::min(maxHeight, info.max_texture_height);
        }
        caps = DeviceCaps{1, 1, maxWidth, maxHeight, 0, true};
        return kDDOk;
    }

    DDResult EnumTextureFormats(std::vector<int>& formats) override {
        if (DDResult failure = TakeDirectDrawFailure("EnumTextureFormats")) {
            return failure;
        }
        formats = {kTexFormatA8R8G8B8, kTexFormatA4R4G4B4, kTexFormatR5G6B5, kTexFormatPalette8};
        return kDDOk;
    }

    DDResult CreateTexture(int width, int height, int format,
                           std::shared_ptr<Texture3D>& out) override {
        if (DDResult failure = TakeDirectDrawFailure("CreateTexture")) {
            return failure;
        }
        if (width <= 0 || height <= 0 || width > kMaxTextureSize || height > kMaxTextureSize ||
            TexelBytes(format) == 0) {
            return kDDErrInvalidParams;
        }
        out = std::make_shared<SdlTexture3D>(mRenderer, width, height, format);
        return kDDOk;
    }

    DDResult SetRenderTarget(Surface* target) override {
        if (DDResult failure = TakeDirectDrawFailure("SetRenderTarget")) {
            return failure;
        }
        SurfaceDesc desc;
        if (target == nullptr || DDFailed(target->GetSurfaceDesc(desc)) || desc.width != mWidth ||
            desc.height != mHeight || SdlFormatOf(desc.pixelFormat) == SDL_PIXELFORMAT_UNKNOWN) {
            return kDDErrInvalidParams;
        }
        if (target != mSurface) {
            mStale = Whole();
        }
        mSurface = target;
        mLossy = desc.pixelFormat.bitCount < 32;
        return kDDOk;
    }

    DDResult SetViewport(int, int, int, int) override {
        return TakeDirectDrawFailure("SetViewport");
    }

    DDResult BeginScene() override {
        if (DDResult failure = TakeDirectDrawFailure("BeginScene")) {
            return failure;
        }
        if (mInScene || mSurface == nullptr) {
            return kDDErrGeneric;
        }
        NoteSurfaceChanges();
        if (!SDL_RectEmpty(&mStale) && !ReadSurface(mStale)) {
            return kDDErrGeneric;
        }
        mStale = SDL_Rect{};
        mDrawn = SDL_Rect{};
        mInScene = true;
        return kDDOk;
    }

    DDResult EndScene() override {
        if (DDResult failure = TakeDirectDrawFailure("EndScene")) {
            return failure;
        }
        if (!mInScene) {
            return kDDErrGeneric;
        }
        mInScene = false;
        // Changes made by others meanwhile are taken in by the next scene; the write-back's own
        // change is not.
        NoteSurfaceChanges();
        const bool written = SDL_RectEmpty(&mDrawn) || WriteSurface(mDrawn);
        SurfaceRect own;
        (void)mSurface->TakeChangedRect(own);
        if (!written) {
            mStale = Whole();
        } else if (mLossy) {
            Unite(mStale, mDrawn);
        }
        return written ? kDDOk : kDDErrGeneric;
    }

    DDResult Clear(uint32_t argb) override {
        if (DDResult failure = TakeDirectDrawFailure("Clear")) {
            return failure;
        }
        if (!mInScene) {
            // Outside a scene the surface itself is the picture.
            if (mSurface == nullptr) {
                return kDDErrGeneric;
            }
            // The picture is taken in again at the next scene.
            return SDL_FillRect(Picture(), nullptr, argb) == 0 && WriteSurface(Whole())
                       ? kDDOk
                       : kDDErrGeneric;
        }
        mDrawn = Whole();
        SDL_SetRenderDrawBlendMode(Renderer(), SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(Renderer(), (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF,
                               argb >> 24);
        return SDL_RenderClear(Renderer()) == 0 ? kDDOk : kDDErrGeneric;
    }

    DDResult SetRenderState(RenderState state, uint32_t value) override {
        if (DDResult failure = TakeDirectDrawFailure("SetRenderState")) {
            return failure;
        }
        switch (state) {
        case RenderState::AlphaBlendEnable:
            mBlendEnable = value != 0;
            break;
        case RenderState::SrcBlend:
            mSrcBlend = value;
            break;
        case RenderState::DestBlend:
            mDestBlend = value;
            break;
        default:
            break; // no depth, light, dither, specular or culling here
        }
        return kDDOk;
    }

    DDResult SetTextureStageState(int, TextureStageState state, uint32_t value) override {
        if (DDResult failure = TakeDirectDrawFailure("SetTextureStageState")) {
            return failure;
        }
        if (state == TextureStageState::MagFilter || state == TextureStageState::MinFilter) {
            mLinear = value == kFilterLinear;
        }
        return kDDOk;
    }

    DDResult SetTexture(int, Texture3D* texture) override {
        if (DDResult failure = TakeDirectDrawFailure("SetTexture")) {
            return failure;
        }
        mTexture = static_cast<SdlTexture3D*>(texture);
        return kDDOk;
    }

    DDResult DrawPrimitive(Primitive primitive, const TLVertex* vertices, int count) override {
        if (DDResult failure = TakeDirectDrawFailure("DrawPrimitive")) {
            return failure;
        }
        if (!mInScene || vertices == nullptr || count < 0) {
            return kDDErrGeneric;
        }
        SDL_BlendMode mode = SDL_BLENDMODE_NONE;
        bool opaque = false;
        if (!ChooseBlend(mode, opaque)) {
            return kDDErrUnsupported;
        }
        NoteDrawn(vertices, count);
        if (primitive == Primitive::LineStrip) {
            return DrawLines(vertices, count, mode, opaque);
        }
        SdlTexture3D::Uploaded uploaded;
        SDL_Texture* texture = nullptr;
        if (mTexture != nullptr) {
            uploaded = mTexture->Upload(opaque);
            texture = uploaded.texture;
            if (texture == nullptr) {
                return kDDErrGeneric;
            }
            SDL_SetTextureBlendMode(texture, mode);
            SDL_SetTextureScaleMode(texture, mLinear ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
        }
        SDL_SetRenderDrawBlendMode(Renderer(), mode);
        if (texture != nullptr && primitive != Primitive::TriangleList && count == 4) {
            SDL_Rect destination;
            SDL_Rect source;
            SDL_RendererFlip flip = SDL_FLIP_NONE;
            if (IsAxisAlignedQuad(vertices, destination, source, flip)) {
                return CopyQuad(uploaded, vertices[0], destination, source, flip, mode, opaque);
            }
        }
        SDL_Rect cover;
        if (texture == nullptr && primitive != Primitive::TriangleList && count == 4 &&
            mode != SDL_BLENDMODE_ADD && (opaque || vertices[0].color >> 24 == 255) &&
            IsOpaqueFill(vertices, primitive == Primitive::TriangleStrip, cover)) {
            // Fast path: an opaque colour blended over anything is the colour itself, and the
            // two triangles of a rectangle with whole-pixel corners cover exactly its pixels,
            // so one fill gives what SDL's triangles (each through a picture of its own,
            // blended back) give.
            const SDL_Vertex colour = ToSdl(vertices[0], true);
            SDL_SetRenderDrawBlendMode(Renderer(), SDL_BLENDMODE_NONE);
            SDL_SetRenderDrawColor(Renderer(), colour.color.r, colour.color.g, colour.color.b, 255);
            return SDL_RenderFillRect(Renderer(), &cover) == 0 ? kDDOk : kDDErrGeneric;
        }
        if (texture != nullptr) {
            SDL_SetTextureColorMod(texture, 255, 255, 255);
            SDL_SetTextureAlphaMod(texture, 255);
        }
        mVertices.clear();
        for (int i = 0; i < count; ++i) {
            mVertices.push_back(ToSdl(vertices[i], opaque));
        }
        mIndices.clear();
        for (int i = 0; i + 2 < count; ++i) {
            if (primitive == Primitive::TriangleList) {
                if (i % 3 == 0) {
                    mIndices.insert(mIndices.end(), {i, i + 1, i + 2});
                }
            } else if (primitive == Primitive::TriangleStrip) {
                mIndices.insert(mIndices.end(), {i, i + 1, i + 2});
            } else {
                mIndices.insert(mIndices.end(), {0, i + 1, i + 2});
            }
        }
        if (mIndices.empty()) {
            return kDDOk;
        }
        return SDL_RenderGeometry(Renderer(), texture, mVertices.data(),
                                  static_cast<int>(mVertices.size()), mIndices.data(),
                                  static_cast<int>(mIndices.size())) == 0
                   ? kDDOk
                   : kDDErrGeneric;
    }

private:
    SDL_Renderer* Renderer() const { return mRenderer->renderer; }
    SDL_Surface* Picture() const { return mRenderer->picture; }
    SDL_Rect Whole() const { return SDL_Rect{0, 0, mWidth, mHeight}; }

    // What others changed in the surface since it was last asked is stale in the picture.
    void NoteSurfaceChanges() {
        SurfaceRect changed;
        if (mSurface->TakeChangedRect(changed)) {
            Unite(mStale, ToSdlRect(changed));
        }
    }

    // The pixels the vertices can reach join the scene's drawn part: their bounds in SDL's
    // coordinates (pixel centres on halves, lines drawn between the points themselves) and a
    // pixel more on every side.
    void NoteDrawn(const TLVertex* vertices, int count) {
        if (count <= 0) {
            return;
        }
        float minX = vertices[0].x;
        float maxX = minX;
        float minY = vertices[0].y;
        float maxY = minY;
        for (int i = 1; i < count; ++i) {
            minX = std::min(minX, vertices[i].x);
            maxX = std::max(maxX, vertices[i].x);
            minY = std::min(minY, vertices[i].y);
            maxY = std::max(maxY, vertices[i].y);
        }
        const SDL_Rect whole = Whole();
        if (!(std::isfinite(minX) && std::isfinite(maxX) && std::isfinite(minY) &&
              std::isfinite(maxY))) {
            mDrawn = whole;
            return;
        }
        auto clamp = [](float value, int high) {
            return static_cast<int>(std::clamp(value, 0.0f, static_cast<float>(high)));
        };
        const int left = clamp(std::floor(minX) - 1.0f, mWidth);
        const int top = clamp(std::floor(minY) - 1.0f, mHeight);
        const int right = clamp(std::ceil(maxX) + 2.0f, mWidth);
        const int bottom = clamp(std::ceil(maxY) + 2.0f, mHeight);
        Unite(mDrawn, SDL_Rect{left, top, right - left, bottom - top});
    }

    // The blend state as one of SDL's modes; source factor one draws with alpha taken as
    // opaque, which SDL's modes then express exactly.
    bool ChooseBlend(SDL_BlendMode& mode, bool& opaque) const {
        if (!mBlendEnable) {
            mode = SDL_BLENDMODE_NONE;
            return true;
        }
        opaque = mSrcBlend == kBlendOne;
        if (mSrcBlend != kBlendSrcAlpha && !opaque) {
            return false;
        }
        if (mDestBlend == kBlendOne) {
            mode = SDL_BLENDMODE_ADD;
        } else if (mDestBlend == kBlendInvSrcAlpha && !opaque) {
            mode = SDL_BLENDMODE_BLEND;
        } else if (mDestBlend == kBlendZero && opaque) {
            mode = SDL_BLENDMODE_NONE;
        } else {
            return false;
        }
        return true;
    }

    // Four corners of one uniform colour lining up with the axes, texture coordinates along
    // them (plain, mirrored, stretched and clipped blits): the pixels whose centres the quad
    // covers get the texels under their centres, copied as a rectangle, exactly, where SDL's
    // triangles would sample a texel off here and there.
    bool IsAxisAlignedQuad(const TLVertex* v, SDL_Rect& destination, SDL_Rect& source,
                           SDL_RendererFlip& flip) const {
        const auto [minX, maxX] = std::minmax({v[0].x, v[1].x, v[2].x, v[3].x});
        const auto [minY, maxY] = std::minmax({v[0].y, v[1].y, v[2].y, v[3].y});
        float u[2] = {0, 0}; // at minX, maxX
        float t[2] = {0, 0}; // at minY, maxY
        int corners = 0;
        for (int i = 0; i < 4; ++i) {
            const int column = v[i].x == minX ? 0 : v[i].x == maxX ? 1 : -1;
            const int row = v[i].y == minY ? 0 : v[i].y == maxY ? 1 : -1;
            if (column < 0 || row < 0 || v[i].color != v[0].color) {
                return false;
            }
            const int bit = 1 << (row * 2 + column);
            if ((corners & bit) != 0 && i > 0) {
                return false;
            }
            // Every corner of a column (row) must carry the same u (v).
            if ((corners & (column == 0 ? 0x5 : 0xA)) != 0 ? u[column] != v[i].u : false) {
                return false;
            }
            if ((corners & (row == 0 ? 0x3 : 0xC)) != 0 ? t[row] != v[i].v : false) {
                return false;
            }
            u[column] = v[i].u;
            t[row] = v[i].v;
            corners |= bit;
        }
        if (corners != 0xF || minX == maxX || minY == maxY) {
            return false;
        }
        const auto width = static_cast<float>(mTexture->GetWidth());
        const auto height = static_cast<float>(mTexture->GetHeight());
        // Pixel i is covered when minX <= i < maxX; its texel is the one under its centre.
        auto span = [](float low, float high, const float(&coord)[2], float size, int& first,
                       int& count, int& texel, int& texels, bool& flipped) {
            first = static_cast<int>(std::ceil(low));
            const int last = static_cast<int>(std::ceil(high)) - 1;
            count = last - first + 1;
            auto texelAt = [&](int pixel) {
                const float c = coord[0] + (static_cast<float>(pixel) - low) / (high - low) *
                                               (coord[1] - coord[0]);
                return static_cast<int>(std::floor(c * size + 1e-3f));
            };
            const int a = texelAt(first);
            const int b = texelAt(last);
            texel = std::min(a, b);
            texels = std::abs(b - a) + 1;
            flipped = coord[1] < coord[0];
        };
        int texelX = 0;
        int texelY = 0;
        bool flipX = false;
        bool flipY = false;
        span(minX, maxX, u, width, destination.x, destination.w, texelX, source.w, flipX);
        span(minY, maxY, t, height, destination.y, destination.h, texelY, source.h, flipY);
        source.x = texelX;
        source.y = texelY;
        flip = static_cast<SDL_RendererFlip>((flipX ? SDL_FLIP_HORIZONTAL : 0) |
                                             (flipY ? SDL_FLIP_VERTICAL : 0));
        return true;
    }

    // Four corners of one colour on whole pixels in SDL's coordinates, forming a rectangle
    // whose diagonal is the edge the two triangles share (vertices 1 and 2 of a strip, 0 and 2
    // of a fan); cover: its pixels.
    static bool IsOpaqueFill(const TLVertex* v, bool strip, SDL_Rect& cover) {
        float xs[4];
        float ys[4];
        for (int i = 0; i < 4; ++i) {
            const SDL_FPoint p = ToSdl(v[i], true).position;
            // Whole pixels, and within what an int holds.
            if (v[i].color != v[0].color || p.x != std::floor(p.x) || p.y != std::floor(p.y) ||
                std::abs(p.x) > 1e6f || std::abs(p.y) > 1e6f) {
                return false;
            }
            xs[i] = p.x;
            ys[i] = p.y;
        }
        const auto [minX, maxX] = std::minmax({xs[0], xs[1], xs[2], xs[3]});
        const auto [minY, maxY] = std::minmax({ys[0], ys[1], ys[2], ys[3]});
        int corners = 0;
        for (int i = 0; i < 4; ++i) {
            if ((xs[i] != minX && xs[i] != maxX) || (ys[i] != minY && ys[i] != maxY)) {
                return false;
            }
            corners |= 1 << ((ys[i] == maxY ? 2 : 0) + (xs[i] == maxX ? 1 : 0));
        }
        const int a = strip ? 1 : 0;
        if (corners != 0xF || minX == maxX || minY == maxY || xs[a] == xs[2] || ys[a] == ys[2]) {
            return false;
        }
        cover = SDL_Rect{static_cast<int>(minX), static_cast<int>(minY),
                         static_cast<int>(maxX - minX), static_cast<int>(maxY - minY)};
        return true;
    }

    DDResult CopyQuad(const SdlTexture3D::Uploaded& uploaded, const TLVertex& corner,
                      const SDL_Rect& destination, const SDL_Rect& source, SDL_RendererFlip flip,
                      SDL_BlendMode mode, bool opaque) {
        if (destination.w <= 0 || destination.h <= 0) {
            return kDDOk;
        }
        const SDL_Vertex colour = ToSdl(corner, opaque);
        if (flip == SDL_FLIP_NONE && destination.w == source.w && destination.h == source.h &&
            source.x >= 0 && source.y >= 0 && source.x + source.w <= mTexture->GetWidth() &&
            source.y + source.h <= mTexture->GetHeight()) {
            // Fast path: SDL's unscaled copy, done here exactly as SDL does it (SdlScenePixels),
            // after whatever SDL still has to draw.
            SDL_RenderFlush(Renderer());
            const PixelRows texels{const_cast<uint32_t*>(uploaded.pixels), uploaded.pitch,
                                   mTexture->GetWidth(), mTexture->GetHeight()};
            const TexelMix mix = mode == SDL_BLENDMODE_BLEND ? TexelMix::Blend
                                 : mode == SDL_BLENDMODE_ADD ? TexelMix::Add
                                                             : TexelMix::Copy;
            CopyTexels(texels, source.x, source.y, source.w, source.h, PictureRows(Whole()),
                       destination.x, destination.y, mix,
                       TexelTint{colour.color.r, colour.color.g, colour.color.b, colour.color.a});
            return kDDOk;
        }
        SDL_Texture* texture = uploaded.texture;
        SDL_SetTextureColorMod(texture, colour.color.r, colour.color.g, colour.color.b);
        SDL_SetTextureAlphaMod(texture, colour.color.a);
        return SDL_RenderCopyEx(Renderer(), texture, &source, &destination, 0.0, nullptr, flip) == 0
                   ? kDDOk
                   : kDDErrGeneric;
    }

    // Pixel centres lie on whole numbers here and on halves in SDL.
    static SDL_Vertex ToSdl(const TLVertex& v, bool opaque) {
        SDL_Vertex out;
        out.position = SDL_FPoint{v.x + 0.5f, v.y + 0.5f};
        out.color = SDL_Color{static_cast<uint8_t>(v.color >> 16),
                              static_cast<uint8_t>(v.color >> 8), static_cast<uint8_t>(v.color),
                              static_cast<uint8_t>(opaque ? 255 : v.color >> 24)};
        out.tex_coord = SDL_FPoint{v.u, v.v};
        return out;
    }

    DDResult DrawLines(const TLVertex* vertices, int count, SDL_BlendMode mode, bool opaque) {
        if (count < 2) {
            return kDDOk;
        }
        const SDL_Vertex first = ToSdl(vertices[0], opaque);
        SDL_SetRenderDrawBlendMode(Renderer(), mode);
        SDL_SetRenderDrawColor(Renderer(), first.color.r, first.color.g, first.color.b,
                               first.color.a);
        std::vector<SDL_FPoint> points;
        for (int i = 0; i < count; ++i) {
            points.push_back(SDL_FPoint{vertices[i].x, vertices[i].y});
        }
        return SDL_RenderDrawLinesF(Renderer(), points.data(), count) == 0 ? kDDOk : kDDErrGeneric;
    }

    // Runs work (pixels of the rectangle's top-left, pitch, SDL format) on the locked surface.
    template <typename Work> bool OnSurface(const SDL_Rect& rect, Work work) {
        SurfaceDesc desc;
        if (DDFailed(mSurface->Lock(desc, kLockWait))) {
            return false;
        }
        const uint32_t format = SdlFormatOf(desc.pixelFormat);
        auto* first = static_cast<uint8_t*>(desc.bits) + static_cast<size_t>(rect.y) * desc.pitch +
                      static_cast<size_t>(rect.x) * (desc.pixelFormat.bitCount / 8);
        const bool done = work(first, desc.pitch, format);
        (void)mSurface->Unlock();
        return done;
    }

    // The picture's pixels of the rectangle.
    PixelRows PictureRows(const SDL_Rect& rect) const {
        SDL_Surface* picture = Picture();
        return PixelRows{static_cast<uint8_t*>(picture->pixels) +
                             static_cast<size_t>(rect.y) * picture->pitch +
                             static_cast<size_t>(rect.x) * 4,
                         picture->pitch, rect.w, rect.h};
    }

    // The surface's pixels of the rectangle into the picture.
    bool ReadSurface(const SDL_Rect& rect) {
        SDL_RenderFlush(Renderer());
        return OnSurface(rect, [&](void* pixels, int pitch, uint32_t format) {
            return SurfaceToPicture(PixelRows{pixels, pitch, rect.w, rect.h}, format,
                                    PictureRows(rect));
        });
    }

    // The picture's pixels of the rectangle into the surface.
    bool WriteSurface(const SDL_Rect& rect) {
        SDL_RenderFlush(Renderer());
        return OnSurface(rect, [&](void* pixels, int pitch, uint32_t format) {
            return PictureToSurface(PictureRows(rect), PixelRows{pixels, pitch, rect.w, rect.h},
                                    format);
        });
    }

    std::shared_ptr<SdlRenderer3D> mRenderer; // draws into the picture, kept between scenes
    int mWidth;
    int mHeight;
    Surface* mSurface = nullptr; // not owned
    bool mLossy = false;         // the surface keeps fewer colour bits than the picture
    SDL_Rect mStale;             // the picture differs from the surface here
    SDL_Rect mDrawn{};           // what the scene drew so far
    bool mInScene = false;
    bool mBlendEnable = false;
    uint32_t mSrcBlend = kBlendOne;
    uint32_t mDestBlend = kBlendZero;
    bool mLinear = false;
    SdlTexture3D* mTexture = nullptr; // not owned
    std::vector<SDL_Vertex> mVertices;
    std::vector<int> mIndices;
};

} // namespace

DDResult CreateDevice3D(Surface* target, std::shared_ptr<Device3D>& out) {
    if (DDResult failure = TakeDirectDrawFailure("CreateDevice")) {
        return failure;
    }
    SurfaceDesc desc;
    if (target == nullptr || DDFailed(target->GetSurfaceDesc(desc)) || desc.width <= 0 ||
        desc.height <= 0 || SdlFormatOf(desc.pixelFormat) == SDL_PIXELFORMAT_UNKNOWN) {
        return kDDErrInvalidPixelFormat;
    }
    std::shared_ptr<SdlRenderer3D> renderer = MakeSdlRenderer3D(desc.width, desc.height);
    if (renderer == nullptr) {
        return kDDErrOutOfMemory;
    }
    auto device = std::make_shared<SdlDevice3D>(renderer, desc.width, desc.height);
    if (DDFailed(device->SetRenderTarget(target))) {
        return kDDErrGeneric;
    }
    out = std::move(device);
    return kDDOk;
}

DDResult GetDevice3DIdentifier(DeviceIdentifier& identifier) {
    if (DDResult failure = TakeDirectDrawFailure("GetDeviceIdentifier")) {
        return failure;
    }
    std::shared_ptr<SdlRenderer3D> renderer = MakeSdlRenderer3D(1, 1);
    SDL_RendererInfo info;
    if (renderer == nullptr || SDL_GetRendererInfo(renderer->renderer, &info) != 0) {
        return kDDErrGeneric;
    }
    identifier.description = std::string("SDL ") + info.name + " renderer";
    // A renderer of SDL's own drawing in memory has no display driver behind it: no file, no
    // date, so the capability test does not take it for a card it can recommend.
    identifier.driverFile.clear();
    // FNV-1a of the description, spread over the 16 bytes.
    uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : identifier.description) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    for (int i = 0; i < 16; ++i) {
        hash = (hash ^ static_cast<uint64_t>(i)) * 1099511628211ull;
        identifier.guid[i] = static_cast<uint8_t>(hash >> 56);
    }
    return kDDOk;
}

} // namespace Vuro::Platform
