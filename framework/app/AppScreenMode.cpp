// The main window and its display: made in a window or full screen, re-made when the mode
// changes, and the display's failures answered by falling back (3-D to 2-D, windowed to full
// screen when the desktop's colour depth refuses a window, full screen to windowed when the
// mode cannot be set). Also presenting again (Redraw) and recovering a lost surface.
//
// Behaviour a reader might not expect:
// - When every fallback is used up (full screen refused while the colour depth also refuses a
//   window, or a 2-D re-initialisation failing) the program ends with the "Failed to
//   initialize DirectDraw: " message and exit code 1 instead of running on without a display.
// - After every successful re-initialisation the widget manager takes the new screen image
//   and the window gets its timer.

#include "framework/app/VuroAppBase.h"

#include "framework/app/WindowPlacement.h"
#include "framework/display/D3DInterface.h"
#include "framework/display/D3DTester.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/ImageLib.h"
#include "framework/graphics/ImageShrink.h"
#include "framework/sound/SoundManager.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/EventSource.h"

#include <algorithm>

namespace Vuro {

namespace {

// The main window's timer: id and interval (the frame time) of the window's timer messages.
constexpr uint32_t kMainTimerId = 100;
// A lost surface is retried at most this often while the application is inactive.
constexpr uint32_t kRecoveryIntervalMs = 1000;

} // namespace

void VuroAppBase::CreateMainWindow() {
    mWidgetManager->mImage = nullptr;
    mDrawingSuspended = false;
    // The display's surfaces show themselves in the window: they go first.
    if (mDDInterface != nullptr) {
        mDDInterface->Cleanup();
    }
    DestroyMainWindow();
    Platform::WindowSystem& system = Platform::GetWindowSystem();
    Platform::WindowParams params;
    params.title = mTitle;
    params.icon = &mMainIcon;
    params.width = mWidth;
    params.height = mHeight;
    // A demo always plays back in a window.
    params.fullScreen = !mPlayingDemoBuffer && (!mIsWindowed || mDesktopFullScreen);
    if (params.fullScreen) {
        params.x = 0;
        params.y = 0;
    } else {
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        system.GetFrameSize(left, top, right, bottom);
        WindowArea work;
        if (!system.GetWorkArea(work.x, work.y, work.width, work.height) &&
            !system.GetDesktopSize(work.width, work.height)) {
            work.width = mWidth;
            work.height = mHeight;
        }
        WindowPlacement place = WindowPlacement::Place(
            mPreferredX, mPreferredY, mWidth + left + right, mHeight + top + bottom, work);
        params.x = place.x + left;
        params.y = place.y + top;
    }
    mMainWindow = system.CreateWindow(params);
    mIsPhysWindowed = !params.fullScreen;

    if (mDDInterface == nullptr) {
        mDDInterface = new DDInterface(this);
        bool is3D = false;
        if (ReadRegBool("Is3D", is3D)) {
            mDDInterface->mIs3D = is3D;
            mAutoEnable3D = false;
            mTest3D = true;
        }
    }
    int result = InitDisplay();
    // A capability test that overrules the stored choice has it forgotten.
    if (mDDInterface->mD3DTester != nullptr && mDDInterface->mD3DTester->mOverrulesStored3D) {
        EraseRegValue("Is3D");
    }
    if (result != DDInterface::RESULT_OK && !FallBackFrom(result)) {
        return;
    }
    FinishDisplay();
}

int VuroAppBase::InitDisplay() {
    BeforeDisplayInit();
    DropNativeImageData();
    int result = mDDInterface->Init(mMainWindow.get(), mIsPhysWindowed);
    RecordScreenMode();
    return result;
}

void VuroAppBase::LoadMainIcon() {
    mMainIcon = {};
    const std::unique_ptr<ImageLib::Image> icon = ImageLib::GetImage(kMainIconFile, false);
    if (icon == nullptr) {
        return;
    }
    int width = icon->mWidth;
    int height = icon->mHeight;
    const int side = std::max(width, height);
    if (side > Platform::kMaxIconSide) {
        width = std::max(1, (width * Platform::kMaxIconSide + side / 2) / side);
        height = std::max(1, (height * Platform::kMaxIconSide + side / 2) / side);
        mMainIcon.pixels =
            ShrinkImage(icon->mBits.get(), icon->mWidth, icon->mHeight, width, height);
    } else {
        mMainIcon.pixels.assign(icon->mBits.get(),
                                icon->mBits.get() + static_cast<size_t>(width) * height);
    }
    mMainIcon.width = width;
    mMainIcon.height = height;
}

void VuroAppBase::DestroyMainWindow() {
    if (mMainWindow == nullptr) {
        return;
    }
    // A window's last message, handled while the window still exists.
    WindowProc(Platform::Message{mMainWindow->Id(), Platform::kWmDestroy, 0, 0});
    mMainWindow.reset();
}

bool VuroAppBase::FallBackFrom(int result) {
    if (mIsWindowed && result == DDInterface::RESULT_INVALID_COLORDEPTH) {
        if (mForceWindowed) {
            Popup("Please set your desktop color depth to 16 bit.");
            DoExit(1);
        }
        mForceFullscreen = true;
        SetWindowedMode(false);
        return false;
    }
    if (!mIsWindowed && (result == DDInterface::RESULT_EXCLUSIVE_FAIL ||
                         result == DDInterface::RESULT_DISPCHANGE_FAIL)) {
        if (mForceFullscreen) {
            FailDisplay(result); // a window was refused already: nothing is left to try
        }
        mForceWindowed = true;
        SetWindowedMode(true);
        return false;
    }
    if (result == DDInterface::RESULT_3D_FAIL || Is3DOn()) {
        if (!Is3DOn()) {
            FailDisplay(result);
        }
        Enable3D(false, true);
        return true;
    }
    FailDisplay(result);
}

void VuroAppBase::FailDisplay(int result) {
    Popup("Failed to initialize DirectDraw: " + DDInterface::ResultToString(result) + " " +
          mDDInterface->mErrorString);
    DoExit(1);
}

void VuroAppBase::FinishDisplay() {
    if (mMinimized) {
        if (mAutoMuteOnLostFocus) {
            Unmute(true);
        }
        mMinimized = false;
        ProcessActivation();
    }
    RebuildAllImages();
    mWidgetManager->mImage = mDDInterface->GetScreenImage();
    mWidgetManager->InvalidateAll();
    if (mMainWindow != nullptr) {
        Platform::GetEventSource().SetTimer(mMainWindow->Id(), kMainTimerId,
                                            static_cast<uint32_t>(mFrameTime));
    }
}

void VuroAppBase::SetWindowedModeEx(bool windowed, bool is3D, bool force) {
    if (mForceFullscreen) {
        windowed = false;
    }
    if (windowed == mIsWindowed && !force) {
        Enable3D(is3D, true);
        return;
    }
    Enable3D(is3D, false);
    mIsWindowed = windowed;
    CreateMainWindow();
    if (mMainWindow != nullptr) {
        mMainWindow->Show();
        // While a link opens in the browser the window must not take the focus back.
        if (!mIsOpeningURL) {
            mMainWindow->Raise();
        }
    }
    if (mSoundManager != nullptr) {
        mSoundManager->SetSoundWindow(mMainWindow.get(), mIsWindowed ? 1 : 0);
    }
    mLastTimeCheck = Platform::GetClock().TickMs();
}

void VuroAppBase::SetWindowedMode(bool windowed) {
    SetWindowedModeEx(windowed, Is3DOn(), false);
}

void VuroAppBase::ReapplyWindowedMode() {
    SetWindowedModeEx(mIsWindowed, Is3DOn(), true);
}

void VuroAppBase::Enable3D(bool is3D, bool reinit) {
    if (mDDInterface == nullptr || mDDInterface->mIs3D == is3D) {
        return;
    }
    mIs3DToggled = true;
    mDDInterface->mIs3D = is3D;
    if (!reinit) {
        return;
    }
    mWidgetManager->mImage = nullptr;
    BeforeDisplayInit();
    DropExtraImageData();
    int result = mDDInterface->Init(mMainWindow.get(), mIsPhysWindowed);
    RecordScreenMode();
    if (result != DDInterface::RESULT_OK && mDDInterface->mIs3D) {
        mDDInterface->mIs3D = false;
        result = mDDInterface->Init(mMainWindow.get(), mIsPhysWindowed);
        RecordScreenMode();
    }
    if (result != DDInterface::RESULT_OK) {
        FailDisplay(result);
    }
    mWidgetManager->mImage = mDDInterface->GetScreenImage();
    mWidgetManager->InvalidateAll();
}

void VuroAppBase::UseVideoMemoryScreen(bool useVideoMemory) {
    if (mDDInterface == nullptr || mDDInterface->mVideoMemoryScreen == useVideoMemory) {
        return;
    }
    mDDInterface->RemakeScreenImage(useVideoMemory);
    mWidgetManager->mImage = mDDInterface->GetScreenImage();
    mWidgetManager->InvalidateAll();
}

void VuroAppBase::Redraw(const Rect* rect) {
    if (mIsDrawing || mShutdown || mScreenSaverHold || mDDInterface == nullptr) {
        return;
    }
    if (mDDInterface->Redraw(rect)) {
        if (mSurfaceLost) {
            mSurfaceLost = false;
            mLastRecoveryAttempt = 0;
        }
    } else {
        mDDInterface->mD3DInterface->mRenderTargetLost = false;
        mSurfaceLost = true;
        uint32_t now = Platform::GetClock().TickMs();
        bool minimized = mMinimized || (mMainWindow != nullptr && mMainWindow->IsMinimized());
        if (!minimized &&
            (mActive || (mIsPhysWindowed && now - mLastRecoveryAttempt > kRecoveryIntervalMs))) {
            RecoverLostSurface(now);
        }
    }
    ++mRedrawCount;
}

void VuroAppBase::RecoverLostSurface(uint32_t now) {
    mLastRecoveryAttempt = now;
    mWidgetManager->mImage = nullptr;
    int result = InitDisplay();
    if (result == DDInterface::RESULT_INVALID_COLORDEPTH && mIsWindowed) {
        if (mActive) {
            mForceFullscreen = true;
            SetWindowedMode(false);
        }
        return;
    }
    if (result == DDInterface::RESULT_3D_FAIL) {
        Enable3D(false, true);
        return;
    }
    if (result != DDInterface::RESULT_OK) {
        return; // the next redraw tries again
    }
    RebuildAllImages();
    mWidgetManager->mImage = mDDInterface->GetScreenImage();
    mWidgetManager->InvalidateAll();
    mLastTimeCheck = now;
}

void VuroAppBase::RestoreDesktop() {
    // Full screen never changes the desktop's display mode or moves other windows here (the
    // image is scaled to the desktop instead), so there is nothing to put back.
    mDesktopFullScreen = false;
}

} // namespace Vuro
