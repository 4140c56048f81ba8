// The 3-D device on SDL's 2-D renderer (platform/Direct3D.h): a target texture of the render
// target's size, textured and coloured triangles through SDL_RenderGeometry, blending through
// SDL's blend and additive modes, the picture read back with SDL_RenderReadPixels.
//
// The renderer is a software renderer of the device's own (SDL_CreateSoftwareRenderer), which
// needs no window and no video driver: the same pixels on every machine.

#include "platform/Direct3D.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace Vuro::Platform {

namespace {

constexpr int kMaxTextureSize = 1024;

// The renderer and its backing surface; textures hold it so that it outlives them.
struct RendererHolder {
    SDL_Surface* backing = nullptr;
    SDL_Renderer* renderer = nullptr;
    ~RendererHolder() {
        if (renderer != nullptr) {
            SDL_DestroyRenderer(renderer);
        }
        if (backing != nullptr) {
            SDL_FreeSurface(backing);
        }
    }
};

std::shared_ptr<RendererHolder> MakeRenderer() {
    auto holder = std::make_shared<RendererHolder>();
    holder->backing = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_ARGB8888);
    if (holder->backing != nullptr) {
        holder->renderer = SDL_CreateSoftwareRenderer(holder->backing);
    }
    return holder->renderer != nullptr ? holder : nullptr;
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

class SdlTexture3D : public Texture3D {
public:
    SdlTexture3D(std::shared_ptr<RendererHolder> holder, int width, int height, int format)
        : mHolder(std::move(holder)), mWidth(width), mHeight(height), mFormat(format),
          mPitch((width * TexelBytes(format) + 3) & ~3),
          mTexels(static_cast<size_t>(mPitch) * static_cast<size_t>(height)) {}
    ~SdlTexture3D() override {
        for (SDL_Texture* texture : {mTexture, mOpaque}) {
            if (texture != nullptr) {
                SDL_DestroyTexture(texture);
            }
        }
    }

    int GetWidth() const override { return mWidth; }
    int GetHeight() const override { return mHeight; }
    int GetFormat() const override { return mFormat; }

    DDResult Lock(SurfaceDesc& desc, uint32_t) override {
        if (DDResult failure = TakeDirectDrawFailure("LockTexture")) {
            return failure;
        }
        if (mLocked) {
            return kDDErrSurfaceBusy;
        }
        mLocked = true;
        desc.width = mWidth;
        desc.height = mHeight;
        desc.pitch = mPitch;
        desc.bits = mTexels.data();
        return kDDOk;
    }

    DDResult Unlock() override {
        if (!mLocked) {
            return kDDErrNotLocked;
        }
        mLocked = false;
        ++mVersion;
        return kDDOk;
    }

    DDResult SetPalette(std::shared_ptr<Palette> palette) override {
        mPalette = std::move(palette);
        ++mVersion;
        return kDDOk;
    }
    std::shared_ptr<Palette> GetPalette() const override { return mPalette; }

    // The renderer's copy, brought up to date; opaque: every alpha 255 (source factor one).
    SDL_Texture* Upload(bool opaque) {
        SDL_Texture*& texture = opaque ? mOpaque : mTexture;
        uint64_t& version = opaque ? mOpaqueVersion : mTextureVersion;
        if (texture == nullptr) {
            texture = SDL_CreateTexture(mHolder->renderer, SDL_PIXELFORMAT_ARGB8888,
                                        SDL_TEXTUREACCESS_STATIC, mWidth, mHeight);
            version = 0;
        }
        if (texture == nullptr || version == mVersion + 1) {
            return texture;
        }
        std::vector<uint32_t> argb(static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight));
        uint32_t palette[256] = {};
        if (mFormat == kTexFormatPalette8 && mPalette) {
            (void)mPalette->GetEntries(0, 256, palette);
        }
        for (int y = 0; y < mHeight; ++y) {
            const uint8_t* row = mTexels.data() + static_cast<size_t>(y) * mPitch;
            uint32_t* out = argb.data() + static_cast<size_t>(y) * mWidth;
            for (int x = 0; x < mWidth; ++x) {
                out[x] = ToArgb(row, x, palette) | (opaque ? 0xFF000000u : 0);
            }
        }
        SDL_UpdateTexture(texture, nullptr, argb.data(), mWidth * 4);
        version = mVersion + 1;
        return texture;
    }

private:
    uint32_t ToArgb(const uint8_t* row, int x, const uint32_t* palette) const {
        switch (mFormat) {
        case kTexFormatA8R8G8B8: {
            uint32_t p;
            std::memcpy(&p, row + 4 * x, 4);
            return p;
        }
        case kTexFormatA4R4G4B4: {
            uint16_t t;
            std::memcpy(&t, row + 2 * x, 2);
            uint32_t p = 0;
            for (int shift = 0; shift < 16; shift += 4) {
                p |= ((t >> shift) & 0xFu) * 17u << (shift * 2);
            }
            return p;
        }
        case kTexFormatR5G6B5: {
            uint16_t t;
            std::memcpy(&t, row + 2 * x, 2);
            const uint32_t r = (t >> 11) & 0x1F;
            const uint32_t g = (t >> 5) & 0x3F;
            const uint32_t b = t & 0x1F;
            return 0xFF000000u | ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) |
                   (b << 3 | b >> 2);
        }
        default:
            return palette[row[x]];
        }
    }

    std::shared_ptr<RendererHolder> mHolder;
    int mWidth;
    int mHeight;
    int mFormat;
    int mPitch;
    std::vector<uint8_t> mTexels;
    std::shared_ptr<Palette> mPalette;
    bool mLocked = false;
    uint64_t mVersion = 0; // counts changes of texels and palette
    SDL_Texture* mTexture = nullptr;
    uint64_t mTextureVersion = 0; // mVersion + 1 of the last upload; 0 none
    SDL_Texture* mOpaque = nullptr;
    uint64_t mOpaqueVersion = 0;
};

class SdlDevice3D : public Device3D {
public:
    SdlDevice3D(std::shared_ptr<RendererHolder> holder, SDL_Texture* target, int width, int height)
        : mHolder(std::move(holder)), mTarget(target), mWidth(width), mHeight(height) {}
    ~SdlDevice3D() override {
        if (mInScene) {
            (void)SDL_SetRenderTarget(Renderer(), nullptr);
        }
        SDL_DestroyTexture(mTarget);
        if (mStaging != nullptr) {
            SDL_DestroyTexture(mStaging);
        }
    }

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
        out = std::make_shared<SdlTexture3D>(mHolder, width, height, format);
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
        mSurface = target;
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
        if (!CopySurface(true) || SDL_SetRenderTarget(Renderer(), mTarget) != 0) {
            return kDDErrGeneric;
        }
        if (mStaging != nullptr) {
            SDL_SetTextureBlendMode(mStaging, SDL_BLENDMODE_NONE);
            SDL_RenderCopy(Renderer(), mStaging, nullptr, nullptr);
        }
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
        mPicture.resize(static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight));
        const bool read = SDL_RenderReadPixels(Renderer(), nullptr, SDL_PIXELFORMAT_ARGB8888,
                                               mPicture.data(), mWidth * 4) == 0;
        (void)SDL_SetRenderTarget(Renderer(), nullptr);
        return read && CopySurface(false) ? kDDOk : kDDErrGeneric;
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
            mPicture.assign(static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight), argb);
            return CopySurface(false) ? kDDOk : kDDErrGeneric;
        }
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
        if (primitive == Primitive::LineStrip) {
            return DrawLines(vertices, count, mode, opaque);
        }
        SDL_Texture* texture = nullptr;
        if (mTexture != nullptr) {
            texture = mTexture->Upload(opaque);
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
                return CopyQuad(texture, vertices[0], destination, source, flip, opaque);
            }
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
    SDL_Renderer* Renderer() const { return mHolder->renderer; }

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

    DDResult CopyQuad(SDL_Texture* texture, const TLVertex& corner, const SDL_Rect& destination,
                      const SDL_Rect& source, SDL_RendererFlip flip, bool opaque) {
        if (destination.w <= 0 || destination.h <= 0) {
            return kDDOk;
        }
        const SDL_Vertex colour = ToSdl(corner, opaque);
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

    // into the scene: the surface's pixels to the staging texture; else mPicture to the surface.
    bool CopySurface(bool intoScene) {
        SurfaceDesc desc;
        if (DDFailed(mSurface->Lock(desc, kLockWait))) {
            return false;
        }
        const uint32_t format = SdlFormatOf(desc.pixelFormat);
        bool done = false;
        if (intoScene) {
            if (mStaging == nullptr) {
                mStaging = SDL_CreateTexture(Renderer(), SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STREAMING, mWidth, mHeight);
            }
            mPicture.resize(static_cast<size_t>(mWidth) * static_cast<size_t>(mHeight));
            done = mStaging != nullptr &&
                   SDL_ConvertPixels(mWidth, mHeight, format, desc.bits, desc.pitch,
                                     SDL_PIXELFORMAT_ARGB8888, mPicture.data(), mWidth * 4) == 0 &&
                   SDL_UpdateTexture(mStaging, nullptr, mPicture.data(), mWidth * 4) == 0;
        } else {
            done = SDL_ConvertPixels(mWidth, mHeight, SDL_PIXELFORMAT_ARGB8888, mPicture.data(),
                                     mWidth * 4, format, desc.bits, desc.pitch) == 0;
        }
        (void)mSurface->Unlock();
        return done;
    }

    std::shared_ptr<RendererHolder> mHolder;
    SDL_Texture* mTarget;            // the scene's picture
    SDL_Texture* mStaging = nullptr; // the surface's pixels on their way into a scene
    std::vector<uint32_t> mPicture;  // ARGB8888 on its way between surface and renderer
    int mWidth;
    int mHeight;
    Surface* mSurface = nullptr; // not owned
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
    std::shared_ptr<RendererHolder> holder = MakeRenderer();
    if (holder == nullptr) {
        return kDDErrGeneric;
    }
    SDL_Texture* picture = SDL_CreateTexture(holder->renderer, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_TARGET, desc.width, desc.height);
    if (picture == nullptr) {
        return kDDErrOutOfMemory;
    }
    auto device = std::make_shared<SdlDevice3D>(holder, picture, desc.width, desc.height);
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
    std::shared_ptr<RendererHolder> holder = MakeRenderer();
    SDL_RendererInfo info;
    if (holder == nullptr || SDL_GetRendererInfo(holder->renderer, &info) != 0) {
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
