#include "framework/display/DDInterface.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "platform/Window.h"

namespace Vuro {

DDInterface::DDInterface(VuroAppBase* app) : mApp(app) {}

DDInterface::~DDInterface() = default;

std::unique_ptr<DDImage> DDInterface::MakeScreenImage() {
    auto image = std::make_unique<DDImage>(this);
    image->Create(mWidth, mHeight);
    // A screen has no alpha channel: marking it opaque once lets every blit onto it take the
    // opaque-destination paths (whole runs copied or skipped) instead of alpha compositing.
    image->SetTransAlphaFlags(false, false);
    return image;
}

int DDInterface::Init(Platform::Window* window, bool isWindowed) {
    ScopedLock lock(mCritSect);
    mInitialized = false;
    mWindow = window;
    mIsWindowed = isWindowed;
    mWidth = mApp->mWidth;
    mHeight = mApp->mHeight;
    if (window == nullptr) {
        mErrorString = isWindowed ? "no window" : "no full-screen window";
        return isWindowed ? RESULT_DD_CREATE_FAIL : RESULT_DISPCHANGE_FAIL;
    }
    mScreenImage = MakeScreenImage();
    mErrorString.clear();
    mInitialized = true;
    return RESULT_OK;
}

std::string DDInterface::ResultToString(int result) {
    switch (result) {
    case RESULT_OK:
        return "RESULT_OK";
    case RESULT_FAIL:
        return "RESULT_FAIL";
    case RESULT_DD_CREATE_FAIL:
        return "RESULT_DD_CREATE_FAIL";
    case RESULT_SURFACE_FAIL:
        return "RESULT_SURFACE_FAIL";
    case RESULT_EXCLUSIVE_FAIL:
        return "RESULT_EXCLUSIVE_FAIL";
    case RESULT_DISPCHANGE_FAIL:
        return "RESULT_DISPCHANGE_FAIL";
    case RESULT_INVALID_COLORDEPTH:
        return "RESULT_INVALID_COLORDEPTH";
    case RESULT_3D_FAIL:
        return "RESULT_3D_FAIL";
    default:
        return "RESULT_UNKNOWN";
    }
}

bool DDInterface::Redraw(const Rect*) {
    ScopedLock lock(mCritSect);
    if (!mInitialized || mScreenImage == nullptr) {
        return false;
    }
    return mWindow->Present(mScreenImage->GetBits(), mWidth, mHeight);
}

bool DDInterface::SetCursorImage(Image* image) {
    ScopedLock lock(mCritSect);
    if (image == mCursorImage) {
        return false;
    }
    mCursorImage = image;
    return true;
}

void DDInterface::RemakeScreenImage(bool useVideoMemory) {
    ScopedLock lock(mCritSect);
    mVideoMemoryScreen = useVideoMemory;
    if (mScreenImage != nullptr) {
        mScreenImage = MakeScreenImage();
    }
}

void DDInterface::SetCursorPos(int x, int y) {
    ScopedLock lock(mCritSect);
    mCursorX = x;
    mCursorY = y;
}

} // namespace Vuro
