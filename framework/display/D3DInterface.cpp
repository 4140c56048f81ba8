// The 3-D device's life: making it, the lazy scene, the blending and filter states, recording
// failures, and cleaning up.

#include "framework/display/D3DInterface.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDInterface.h"
#include "framework/display/TextureData.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/StringHelpers.h"

#include <algorithm>

namespace Vuro {

std::string gD3DError;
D3DDeviceLimits gD3DLimits;

namespace {

// The text last written to the settings, so that a failure repeating every frame is written
// once.
std::string& LastWrittenError() {
    static std::string text;
    return text;
}

} // namespace

uint32_t PackD3DColor(const Color& color) {
    const Color c = color.Clamped();
    return static_cast<uint32_t>(c.mAlpha) << 24 | static_cast<uint32_t>(c.mRed) << 16 |
           static_cast<uint32_t>(c.mGreen) << 8 | static_cast<uint32_t>(c.mBlue);
}

D3DInterface::D3DInterface() = default;

D3DInterface::~D3DInterface() {
    Cleanup();
}

bool D3DInterface::CheckD3DError(Platform::DDResult result, const char* context) {
    if (!Platform::DDFailed(result)) {
        return false;
    }
    gD3DError = std::string(context) + ": " + UIntToHexString(static_cast<uint32_t>(result));
    VuroAppBase* app = gVuroApp;
    if (app != nullptr && gD3DError != LastWrittenError() && !app->mRecordingDemoBuffer &&
        !app->mPlayingDemoBuffer) {
        LastWrittenError() = gD3DError;
        (void)app->WriteRegString("Test3D\\RuntimeError", gD3DError);
    }
    return true;
}

bool D3DInterface::InitD3D(DDInterface* display) {
    gD3DError.clear();
    mRenderTargetLost = false;
    mHost = display->mApp;
    mDirectDraw7 = display->mDirectDraw7 ? display->mDirectDraw7 : display->mDirectDraw;
    mWidth = display->mWidth;
    mHeight = display->mHeight;
    mDrawSurface = display->mDrawSurface;
    if (mDrawSurface == nullptr) {
        (void)CheckD3DError(Platform::kDDErrGeneric, "Query DrawSurface");
        return false;
    }
    return CreateDevice();
}

bool D3DInterface::CreateDevice() {
    using namespace Platform;
    if (CheckD3DError(CreateDevice3D(mDrawSurface.get(), mDevice),
                      "CreateDevice IID_IDirect3DHALDevice")) {
        return false;
    }
    DeviceCaps caps;
    if (CheckD3DError(mDevice->GetCaps(caps), "")) {
        return false;
    }
    D3DDeviceLimits& limits = gD3DLimits;
    mLinearFilter = false;
    if (caps.maxTextureWidth == 0) {
        limits.mMinTextureWidth = limits.mMinTextureHeight = 64;
        limits.mMaxTextureWidth = limits.mMaxTextureHeight = 64;
        limits.mMaxAspectRatio = 1;
    } else {
        limits.mMinTextureWidth = std::max(caps.minTextureWidth, 1);
        limits.mMinTextureHeight = std::max(caps.minTextureHeight, 1);
        limits.mMaxTextureWidth = std::min(caps.maxTextureWidth, 1024);
        limits.mMaxTextureHeight = std::min(caps.maxTextureHeight, 1024);
        limits.mMaxAspectRatio =
            caps.maxTextureAspectRatio == 0 ? 65536 : caps.maxTextureAspectRatio;
    }
    std::vector<int> formats;
    if (CheckD3DError(mDevice->EnumTextureFormats(formats), "EnumTextureFormats")) {
        return false;
    }
    limits.mSupportedFormats = 0;
    for (int format : formats) {
        limits.mSupportedFormats |= format;
    }
    if (!caps.alphaPalette) {
        limits.mSupportedFormats &= ~kTexFormatPalette8;
    }
    int clientWidth = mWidth;
    int clientHeight = mHeight;
    if (Window* window = gVuroApp != nullptr ? gVuroApp->mMainWindow.get() : nullptr) {
        window->GetClientSize(clientWidth, clientHeight);
    }
    if (CheckD3DError(mDevice->SetViewport(0, 0, clientWidth, clientHeight), "SetViewport") ||
        CheckD3DError(mDevice->Clear(0xFF000000), "Clear")) {
        return false;
    }
    return true;
}

bool D3DInterface::BeginDraw() {
    using namespace Platform;
    if (mDevice == nullptr || (mHost != nullptr && mHost->IsDrawingSuspended())) {
        return false;
    }
    if (mSceneBegun) {
        return true;
    }
    if (DDFailed(mDevice->SetRenderTarget(mDrawSurface.get()))) {
        mRenderTargetLost = true;
        return false;
    }
    mRenderTargetLost = false;
    if (CheckD3DError(mDevice->BeginScene(), "BeginScene")) {
        return false;
    }
    mSceneBegun = true;
    const std::pair<RenderState, uint32_t> states[] = {{RenderState::AlphaBlendEnable, 1},
                                                       {RenderState::SrcBlend, kBlendSrcAlpha},
                                                       {RenderState::DestBlend, kBlendInvSrcAlpha},
                                                       {RenderState::Lighting, 0},
                                                       {RenderState::DitherEnable, 0},
                                                       {RenderState::SpecularEnable, 0},
                                                       {RenderState::ZWriteEnable, 0},
                                                       {RenderState::ZEnable, 0},
                                                       {RenderState::CullMode, kCullNone}};
    for (auto [state, value] : states) {
        (void)CheckD3DError(mDevice->SetRenderState(state, value), "SetRenderState");
    }
    const std::pair<TextureStageState, uint32_t> stages[] = {
        {TextureStageState::MinFilter, kFilterPoint}, {TextureStageState::MagFilter, kFilterPoint},
        {TextureStageState::MipFilter, kFilterPoint}, {TextureStageState::AlphaOp, kTopModulate},
        {TextureStageState::AddressU, kAddressClamp}, {TextureStageState::AddressV, kAddressClamp}};
    for (auto [state, value] : stages) {
        (void)CheckD3DError(mDevice->SetTextureStageState(0, state, value), "SetTextureStageState");
    }
    mLinearFilter = false;
    return true;
}

void D3DInterface::SetDrawMode(DrawMode mode) {
    using namespace Platform;
    (void)CheckD3DError(mDevice->SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha),
                        "SetRenderState");
    (void)CheckD3DError(mDevice->SetRenderState(RenderState::DestBlend, mode == kDrawModeNormal
                                                                            ? kBlendInvSrcAlpha
                                                                            : kBlendOne),
                        "SetRenderState");
}

void D3DInterface::SetLinearFilter(bool linear) {
    using namespace Platform;
    if (linear == mLinearFilter) {
        return;
    }
    const uint32_t filter = linear ? kFilterLinear : kFilterPoint;
    const char* text = linear ? "SetTextureStageState LINEAR" : "SetTextureStageState Point";
    for (TextureStageState state : {TextureStageState::MinFilter, TextureStageState::MagFilter,
                                    TextureStageState::MipFilter}) {
        (void)CheckD3DError(mDevice->SetTextureStageState(0, state, filter), text);
    }
    mLinearFilter = linear;
}

bool D3DInterface::PrepareTextures(MemoryImage* image) {
    const bool made = image->mTextureData == nullptr;
    if (made) {
        mTexturedImages.insert(image);
        image->mTextureData = new TextureData();
    }
    const bool purge = image->mPurgeBits;
    image->mTextureData->CheckCreateTextures(image, *mDevice, mDirectDraw7.get());
    if (purge && made) {
        image->DropBits();
    }
    return image->mTextureData->mPixelFormat != 0;
}

void D3DInterface::Flush() {
    EndScene();
    gD3DError.clear();
}

void D3DInterface::EndScene() {
    if (!mSceneBegun) {
        return;
    }
    mSceneBegun = false;
    (void)CheckD3DError(mDevice->EndScene(), "EndScene");
}

void D3DInterface::Cleanup() {
    if (mDevice != nullptr) {
        Flush();
    }
    for (MemoryImage* image : mTexturedImages) {
        delete image->mTextureData;
        image->mTextureData = nullptr;
    }
    mTexturedImages.clear();
    mDevice.reset();
    mDirectDraw7.reset();
    mDrawSurface.reset();
}

} // namespace Vuro
