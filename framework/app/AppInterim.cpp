// Simple working bodies of operations whose full versions come with their own files: the
// window procedure and input dispatch, demo replay, screen mode and cursors, and settings.
// Each section is self-contained; a file that brings the full
// version of a section deletes that section here.

#include "framework/app/VuroAppBase.h"

#include "framework/display/DDImage.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Messages.h"
#include "platform/Window.h"

namespace Vuro {

// ---- [Window procedure and deferred input] ----
// Close, activation, keys, characters and mouse input are queued and dispatched one record per
// loop step; a second copy's notification raises the main window.

namespace {

bool IsQueuedInput(uint32_t message) {
    using namespace Platform;
    switch (message) {
    case kWmMove:
    case kWmSize:
    case kWmClose:
    case kWmActivateApp:
    case kWmKeyDown:
    case kWmKeyUp:
    case kWmChar:
    case kWmSysKeyDown:
    case kWmSysKeyUp:
    case kWmTimer:
    case kWmMouseMove:
    case kWmLButtonDown:
    case kWmLButtonUp:
    case kWmLButtonDblClk:
    case kWmRButtonDown:
    case kWmRButtonUp:
    case kWmRButtonDblClk:
    case kWmMButtonDown:
    case kWmMButtonUp:
    case kWmMouseWheel:
        return true;
    default:
        return false;
    }
}

// The click count of a button message: 1 left, 2 left double, -1 right, -2 right double,
// 3 middle; 0 for other messages.
int ClickCountOf(uint32_t message) {
    using namespace Platform;
    switch (message) {
    case kWmLButtonDown:
    case kWmLButtonUp:
        return 1;
    case kWmLButtonDblClk:
        return 2;
    case kWmRButtonDown:
    case kWmRButtonUp:
        return -1;
    case kWmRButtonDblClk:
        return -2;
    case kWmMButtonDown:
    case kWmMButtonUp:
        return 3;
    default:
        return 0;
    }
}

bool IsButtonUp(uint32_t message) {
    using namespace Platform;
    return message == kWmLButtonUp || message == kWmRButtonUp || message == kWmMButtonUp;
}

} // namespace

void VuroAppBase::WindowProc(const Platform::Message& message) {
    using namespace Platform;
    bool isMain = mMainWindow != nullptr && message.window == mMainWindow->Id();
    if (mNotifyMessage != 0 && message.message == mNotifyMessage) {
        if (mMainWindow != nullptr) {
            mMainWindow->Raise();
        }
        return;
    }
    if (message.message == kWmEndSession) {
        Shutdown();
        return;
    }
    if (!IsQueuedInput(message.message)) {
        return;
    }
    if (message.message == kWmActivateApp && isMain && !mPlayingDemoBuffer) {
        mActive = message.wParam != 0;
    }
    int key = static_cast<int>(message.wParam);
    bool keyDown = message.message == kWmKeyDown || message.message == kWmSysKeyDown;
    bool keyUp = message.message == kWmKeyUp || message.message == kWmSysKeyUp;
    if ((keyDown || keyUp) && key == kVkControl) {
        mCtrlDown = keyDown;
    }
    if ((keyDown || keyUp) && key == kVkMenu) {
        mAltDown = keyDown;
    }
    if (keyDown && DeveloperKeyFilter(key, mCtrlDown, mAltDown)) {
        return;
    }
    if (!mInputQueue.empty()) {
        uint32_t last = mInputQueue.back().message;
        if (last == kWmClose || (last == kWmTimer && message.message == kWmTimer)) {
            return;
        }
    }
    mInputQueue.push_back(message);
    if (message.message == kWmClose) {
        CloseRequest();
    }
}

bool VuroAppBase::DispatchQueuedInput(bool one) {
    while (!mInputQueue.empty()) {
        Platform::Message message = mInputQueue.front();
        mInputQueue.pop_front();
        if (!mPlayingDemoBuffer) {
            DispatchInputRecord(message);
        }
        if (message.message == Platform::kWmClose) {
            mClosedByUser = true;
            Shutdown();
        }
        if (one) {
            break;
        }
    }
    return !mInputQueue.empty();
}

void VuroAppBase::DispatchInputRecord(const Platform::Message& message) {
    using namespace Platform;
    int key = static_cast<int>(message.wParam);
    switch (message.message) {
    case kWmMouseWheel:
        mWidgetManager->MouseWheel(WheelParamDelta(message.wParam) / kWheelDelta);
        return;
    case kWmKeyDown:
    case kWmSysKeyDown:
        mWidgetManager->KeyDown(key);
        return;
    case kWmKeyUp:
    case kWmSysKeyUp:
        mWidgetManager->KeyUp(key);
        return;
    case kWmChar:
        mWidgetManager->CharInput(static_cast<char>(key));
        return;
    default:
        break;
    }
    int clicks = ClickCountOf(message.message);
    if (clicks == 0 && message.message != kWmMouseMove) {
        return;
    }
    int x = PointParamX(message.lParam);
    int y = PointParamY(message.lParam);
    mWidgetManager->MouseMove(x, y);
    if (clicks != 0 && IsButtonUp(message.message)) {
        mWidgetManager->MouseUp(x, y, clicks);
    } else if (clicks != 0) {
        mWidgetManager->MouseDown(x, y, clicks);
    }
}

// ---- [Demo recording and playback] ----
// No demo is recorded or played yet.

void VuroAppBase::ReplayDemoInput() {}

bool VuroAppBase::IsDemoRecordDue() {
    return false;
}

void VuroAppBase::RecordLoadingDone() {}

void VuroAppBase::SyncDemoString(std::string&) {}

// ---- [Screen mode, redraw and cursors] ----
// One window of the application's size (full screen when asked) and its display; no mode
// switching, no cursors, no screensaver checks.

void VuroAppBase::CreateMainWindow() {
    mWidgetManager->mImage = nullptr;
    mMainWindow.reset();
    Platform::WindowParams params;
    params.title = mTitle;
    params.x = mPreferredX;
    params.y = mPreferredY;
    params.width = mWidth;
    params.height = mHeight;
    params.fullScreen = !mPlayingDemoBuffer && (!mIsWindowed || mDesktopFullScreen);
    mMainWindow = Platform::GetWindowSystem().CreateWindow(params);
    mIsPhysWindowed = !params.fullScreen;
    if (mDDInterface == nullptr) {
        mDDInterface = new DDInterface(this);
    }
    BeforeDisplayInit();
    DropNativeImageData();
    int result = mDDInterface->Init(mMainWindow.get(), mIsPhysWindowed);
    if (result != DDInterface::RESULT_OK) {
        Popup("Failed to initialize DirectDraw: " + DDInterface::ResultToString(result) + " " +
              mDDInterface->mErrorString);
        DoExit(1);
    }
    RebuildAllImages();
    mWidgetManager->mImage = mDDInterface->GetScreenImage();
    mWidgetManager->InvalidateAll();
}

void VuroAppBase::UpdateCursor() {}

void VuroAppBase::SetCursor(int cursorNum) {
    mCursorNum = cursorNum;
    UpdateCursor();
}

void VuroAppBase::SetWindowedModeEx(bool, bool, bool) {}

void VuroAppBase::SetWindowedMode(bool windowed) {
    SetWindowedModeEx(windowed, false, false);
}

void VuroAppBase::ReapplyWindowedMode() {
    SetWindowedModeEx(mIsWindowed, false, true);
}

void VuroAppBase::UseVideoMemoryScreen(bool) {}

void VuroAppBase::Redraw(const Rect* rect) {
    if (mIsDrawing || mShutdown || mScreenSaverHold || mDDInterface == nullptr) {
        return;
    }
    mSurfaceLost = !mDDInterface->Redraw(rect);
}

DDImage* VuroAppBase::GetImage(const std::string&) {
    return nullptr;
}

bool VuroAppBase::DeveloperKeyDown(int) {
    return false;
}

void VuroAppBase::CheckScreenSaverIdle(uint32_t) {}

void VuroAppBase::RestoreDesktop() {}

// ---- [Settings] ----
// Nothing is read or written yet.

void VuroAppBase::ReadSettings() {}

void VuroAppBase::WriteSettings() {}

} // namespace Vuro
