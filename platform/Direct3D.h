#pragma once
// The 3-D drawing device: textured, coloured triangles with alpha or additive blending onto a
// surface of the 2-D device (platform/DirectDraw.h). It stands where the system's Direct3D 7
// stood, with the operations, states and failure results the display and its capability test
// expect of it. The real one draws through SDL's 2-D renderer (SDL_RenderGeometry).
//
// What a caller can rely on:
// - Results are DDResult codes (0 success, negative a failure), as for the 2-D device. Any
//   operation can be made to fail by its name ("CreateDevice", "BeginScene", "DrawPrimitive",
//   "SetTexture", "Lock", ...) through InjectDirectDrawFailure, for tests.
// - Vertices are pre-transformed (TLVertex): x and y in pixels of the target, pixel centres on
//   whole numbers (a quad from x - 0.5 to x + w - 0.5 covers pixels x .. x + w - 1), texel
//   centres at (i + 0.5) / width. z, rhw and specular are carried but not used.
// - The target is a surface of the 2-D device, 16 or 32 bits. Between BeginScene and EndScene
//   the device draws into a picture of its own; BeginScene brings it up to date with the
//   surface, EndScene writes the pixels the scene drew into the surface and leaves the others
//   as they are. Whoever touches the surface in between sees the pixels of before the scene.
// - Blending (kRsAlphaBlendEnable on): source factor kBlendSrcAlpha with destination factor
//   kBlendInvSrcAlpha (normal) or kBlendOne (additive), and source factor kBlendOne with
//   destination kBlendOne or kBlendZero. Any other pair answers kDDErrUnsupported from
//   DrawPrimitive: the renderer cannot express it.
// - The texture colour is modulated by the vertex colour, alpha as well (the only stage-0
//   operation there is). Addressing is always clamped.
// - Filtering: point or linear per SetTextureStageState; SDL's software renderer samples the
//   nearest texel whatever is asked (its triangles know no other sampling).
// - Texture formats: A8R8G8B8, A4R4G4B4, R5G6B5, and 8-bit indices through a palette of
//   0xAARRGGBB words (the palette's alpha is used). Textures hold their pixels in memory and
//   are handed to the renderer when drawn after a change (managed textures).
// - Limits (GetCaps): textures of 1 .. the renderer's maximum (at most 1024) on a side, any
//   aspect ratio, alpha palettes supported.

#include "platform/DirectDraw.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Vuro::Platform {

// Texture format codes; also the bits of a set of formats.
inline constexpr int kTexFormatA8R8G8B8 = 1;
inline constexpr int kTexFormatA4R4G4B4 = 2;
inline constexpr int kTexFormatR5G6B5 = 4;
inline constexpr int kTexFormatPalette8 = 8;

// Bytes of one texel of a format code; 0 for an unknown code.
int TexelBytes(int format);

struct TLVertex {
    float x;
    float y;
    float z;
    float rhw;
    uint32_t color; // 0xAARRGGBB, modulates the texture
    uint32_t specular;
    float u;
    float v;
};
static_assert(sizeof(TLVertex) == 32);

enum class RenderState {
    AlphaBlendEnable,
    SrcBlend,
    DestBlend,
    Lighting,
    DitherEnable,
    SpecularEnable,
    ZWriteEnable,
    ZEnable,
    CullMode,
};
inline constexpr uint32_t kBlendZero = 1;
inline constexpr uint32_t kBlendOne = 2;
inline constexpr uint32_t kBlendSrcAlpha = 5;
inline constexpr uint32_t kBlendInvSrcAlpha = 6;
inline constexpr uint32_t kCullNone = 1;

enum class TextureStageState { MinFilter, MagFilter, MipFilter, AlphaOp, AddressU, AddressV };
inline constexpr uint32_t kFilterPoint = 1;
inline constexpr uint32_t kFilterLinear = 2;
inline constexpr uint32_t kTopModulate = 4;
inline constexpr uint32_t kAddressClamp = 3;

enum class Primitive { LineStrip, TriangleList, TriangleStrip, TriangleFan };

struct DeviceCaps {
    int minTextureWidth = 0;
    int minTextureHeight = 0;
    int maxTextureWidth = 0; // 0: the device does not say
    int maxTextureHeight = 0;
    int maxTextureAspectRatio = 0; // 0: any
    bool alphaPalette = false;     // palettised textures carry alpha
};

// Who draws: the renderer's name ("SDL software renderer"), a 16-byte identity made of it, and
// the display driver's file where there is one (its date tells the driver's age; the software
// renderer has none).
struct DeviceIdentifier {
    std::string description;
    std::string driverFile;
    uint8_t guid[16] = {};
};

class Texture3D {
public:
    virtual ~Texture3D() = default;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual int GetFormat() const = 0;
    // The texels (pitch bytes a row) until Unlock; desc.width, height and pitch are set.
    virtual DDResult Lock(SurfaceDesc& desc, uint32_t flags) = 0;
    virtual DDResult Unlock() = 0;
    // The palette of an 8-bit texture; its entries are read when the texture is drawn.
    virtual DDResult SetPalette(std::shared_ptr<Palette> palette) = 0;
    virtual std::shared_ptr<Palette> GetPalette() const = 0;
};

class Device3D {
public:
    virtual ~Device3D() = default;
    virtual DDResult GetCaps(DeviceCaps& caps) = 0;
    // The format codes textures can be made in.
    virtual DDResult EnumTextureFormats(std::vector<int>& formats) = 0;
    virtual DDResult CreateTexture(int width, int height, int format,
                                   std::shared_ptr<Texture3D>& out) = 0;
    // The surface drawn into; it must keep the size the device was made with.
    virtual DDResult SetRenderTarget(Surface* target) = 0;
    virtual DDResult SetViewport(int x, int y, int width, int height) = 0;
    virtual DDResult BeginScene() = 0;
    virtual DDResult EndScene() = 0;
    // Every pixel of the target (inside a scene: of the scene's picture) set to the colour.
    virtual DDResult Clear(uint32_t argb) = 0;
    virtual DDResult SetRenderState(RenderState state, uint32_t value) = 0;
    virtual DDResult SetTextureStageState(int stage, TextureStageState state, uint32_t value) = 0;
    // Null draws untextured (the vertex colours alone).
    virtual DDResult SetTexture(int stage, Texture3D* texture) = 0;
    // Draws only inside a scene (else kDDErrGeneric).
    virtual DDResult DrawPrimitive(Primitive primitive, const TLVertex* vertices, int count) = 0;
};

// A device drawing into the target surface (16 or 32 bits, the size it has now). Fails
// ("CreateDevice") where no renderer can be made.
DDResult CreateDevice3D(Surface* target, std::shared_ptr<Device3D>& out);
// The renderer the devices draw with.
DDResult GetDevice3DIdentifier(DeviceIdentifier& identifier);

} // namespace Vuro::Platform
