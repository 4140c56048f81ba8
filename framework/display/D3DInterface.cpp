// The 3-D device's life: making it, the lazy scene, the blending and filter states, recording
// failures, and cleaning up.

#include "framework/display/D3DInterface.h"

#include "framework/app/VuroAppBase.h"
#include "framework/debug/CrashHandler.h"
#include "framework/display/TextureData.h"
#include "framework/graphics/MemoryImage.h"

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

bool D3DInterface::InitD3D(DDInterface*) {
    gD3DError = "no 3-D device";
    return false;
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

bool D3DInterface::Draw(const D3DDrawCall&) {
    return false;
}

} // namespace Vuro
