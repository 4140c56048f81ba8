// Queued input reaches the widget manager here, one record per loop step: each record is
// written to the demo first when one is recorded; while a demo plays back, real input is not
// dispatched (only a close still ends the program), except the mouse and keys that work a
// playback window. Also the window timer's work (mouse enter and leave, judging a link being
// opened) and the application's focus state.

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"

#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

namespace Vuro {

namespace {

// The main window's timer: its id and how long it may pause before it counts as resumed.
constexpr uint64_t kMainTimerId = 100;
constexpr uint32_t kTimerPauseMs = 500;
// A link being opened is judged only this long after the timer came back...
constexpr uint32_t kUrlSettleMs = 5001;
// ...as opened when the application lost the focus this long after it was asked for...
constexpr uint32_t kUrlOpenedMs = 8001;
// ...and as failed when it still has the focus after this long.
constexpr uint32_t kUrlFailedMs = 12000;

} // namespace

bool VuroAppBase::DispatchQueuedInput(bool one) {
    while (!mInputQueue.empty()) {
        Platform::Message message = mInputQueue.front();
        mInputQueue.pop_front();
        if (mRecordingDemoBuffer && !mShutdown) {
            RecordDemoInput(message);
        }
        if (!mPlayingDemoBuffer) {
            DispatchInputRecord(message);
        } else if (IsDemoControlOpen()) {
            DispatchDemoControlInput(message);
        }
        if (message.message == Platform::kWmClose) {
            // Also while a demo plays back: the user may always end the program.
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
    bool isMain = mMainWindow != nullptr && message.window == mMainWindow->Id();
    int key = static_cast<int>(message.wParam);
    if (IsMouseMessage(message.message)) {
        if (!mCrashed) {
            DispatchMouse(message);
        }
        return;
    }
    switch (message.message) {
    case kWmMouseWheel:
        mWidgetManager->MouseWheel(WheelParamDelta(message.wParam) / kWheelDelta);
        break;
    case kWmTimer:
        if (!mCrashed && message.wParam == kMainTimerId && mInMainLoop) {
            DispatchTimer();
        }
        break;
    case kWmKeyDown:
    case kWmSysKeyDown:
        mLastInputTime = mLastTimerTick;
        if (key == 'D' && mWidgetManager->mKeyDown[kVkControl] &&
            mWidgetManager->mKeyDown[kVkMenu]) {
            mDebugKeysEnabled = !mDebugKeysEnabled;
            PlayMenuCommandSound();
        }
        if (mDebugKeysEnabled && DeveloperKeyDown(key)) {
            break;
        }
        mWidgetManager->KeyDown(key);
        break;
    case kWmKeyUp:
    case kWmSysKeyUp:
        mLastInputTime = mLastTimerTick;
        mWidgetManager->KeyUp(key);
        break;
    case kWmChar:
        mLastInputTime = mLastTimerTick;
        mWidgetManager->CharInput(static_cast<char>(key));
        break;
    case kWmMove:
        if (isMain && mIsPhysWindowed) {
            int x = 0;
            int y = 0;
            if (mMainWindow->GetNormalPosition(x, y)) {
                int left = 0;
                int top = 0;
                int right = 0;
                int bottom = 0;
                GetWindowSystem().GetFrameSize(left, top, right, bottom);
                mPreferredX = x - left;
                mPreferredY = y - top;
            }
        }
        break;
    case kWmSize:
        if (isMain && !mShutdown) {
            bool minimized = message.wParam == kSizeMinimized;
            if (minimized != mMinimized) {
                mMinimized = minimized;
                mDrawingSuspended = minimized;
                if (mAutoMuteOnLostFocus) {
                    minimized ? Mute(true) : Unmute(true);
                }
                if (!minimized) {
                    mWidgetManager->InvalidateAll();
                }
                ProcessActivation();
            }
        }
        break;
    case kWmActivateApp:
        if (isMain && !mCrashed && !mShutdown) {
            ApplyAppActivation();
        }
        break;
    default:
        break;
    }
}

void VuroAppBase::DispatchDemoControlInput(const Platform::Message& message) {
    // Straight to the widgets: the application's own state (mouse in window, input time,
    // developer keys) stays the demo's.
    using namespace Platform;
    int key = static_cast<int>(message.wParam);
    switch (message.message) {
    case kWmKeyDown:
        mWidgetManager->KeyDown(key);
        return;
    case kWmKeyUp:
        mWidgetManager->KeyUp(key);
        return;
    case kWmChar:
        mWidgetManager->CharInput(static_cast<char>(key));
        return;
    case kWmMouseWheel:
        mWidgetManager->MouseWheel(WheelParamDelta(message.wParam) / kWheelDelta);
        return;
    default:
        break;
    }
    if (!IsMouseMessage(message.message)) {
        return;
    }
    int x = PointParamX(message.lParam);
    int y = PointParamY(message.lParam);
    mWidgetManager->MouseMove(x, y);
    int clicks = MouseClickCount(message.message);
    if (clicks == 0) {
        return;
    }
    if (IsMouseButtonUp(message.message)) {
        mWidgetManager->MouseUp(x, y, clicks);
    } else {
        mWidgetManager->MouseDown(x, y, clicks);
    }
}

void VuroAppBase::DispatchMouse(const Platform::Message& message) {
    using namespace Platform;
    mLastInputTime = mLastTimerTick;
    int x = PointParamX(message.lParam);
    int y = PointParamY(message.lParam);
    mWidgetManager->MouseMove(x, y);
    if (!mMouseIn) {
        if (mRecordingDemoBuffer && !mShutdown) {
            WriteDemoRecordHeader(DemoRecord::kMouseEnter, false);
        }
        mMouseIn = true;
        UpdateCursor();
    }
    int clicks = MouseClickCount(message.message);
    if (clicks == 0) {
        return;
    }
    if (IsMouseButtonUp(message.message)) {
        mWidgetManager->MouseUp(x, y, clicks);
        if (mWidgetManager->mPressedButtons == 0 && mMainWindow != nullptr) {
            mMainWindow->SetMouseCapture(false);
        }
    } else {
        if (mMainWindow != nullptr) {
            mMainWindow->SetMouseCapture(true);
        }
        mWidgetManager->MouseDown(x, y, clicks);
    }
}

void VuroAppBase::DispatchTimer() {
    uint32_t now = Platform::GetClock().TickMs();
    if (now - mLastTimerTick > kTimerPauseMs) {
        mResumeTick = now;
    }
    mLastTimerTick = now;
    if (mIsOpeningURL && now - mResumeTick >= kUrlSettleMs) {
        uint32_t sinceOpen = now - mOpeningURLTime;
        if (sinceOpen >= kUrlOpenedMs && !mActive) {
            OnUrlOpened(mOpeningURL);
        } else if (sinceOpen > kUrlFailedMs && mActive) {
            OnUrlOpenFailed(mOpeningURL);
        }
    }
    // While the idle hold is on nothing is drawn, so the draw pass cannot end the hold.
    if (mScreenSaverHold) {
        CheckScreenSaverIdleDue(now);
    }
    CheckMouseInWindow();
}

void VuroAppBase::CheckMouseInWindow() {
    int x = 0;
    int y = 0;
    bool inside = mMainWindow != nullptr && mMainWindow->GetMouseInClient(x, y) && x >= 0 &&
                  y >= 0 && x < mWidth && y < mHeight;
    if (inside == mMouseIn) {
        return;
    }
    if (mRecordingDemoBuffer && !mShutdown) {
        WriteDemoRecordHeader(inside ? DemoRecord::kMouseEnter : DemoRecord::kMouseLeave, false);
    }
    if (!inside) {
        mWidgetManager->MouseExit(x, y);
    }
    mMouseIn = inside;
    UpdateCursor();
}

void VuroAppBase::ApplyAppActivation() {
    ProcessActivation();
    if (mActive && !mIsPhysWindowed) {
        mWidgetManager->InvalidateAll();
    }
    if (!mActive && mIsOpeningURL) {
        OnUrlOpened(mOpeningURL);
    }
}

void VuroAppBase::ProcessActivation() {
    bool hasFocus = mActive && !mMinimized;
    if (hasFocus == mHasFocus) {
        return;
    }
    mHasFocus = hasFocus;
    if (hasFocus) {
        if (mAutoMuteOnLostFocus) {
            Unmute(true);
        }
        mWidgetManager->GotAppFocus();
        GotFocus();
        return;
    }
    if (mAutoMuteOnLostFocus) {
        Mute(true);
    }
    mWidgetManager->LostAppFocus();
    LostFocus();
    if (mMainWindow != nullptr) {
        mMainWindow->SetMouseCapture(false);
    }
    // A release outside the window would never arrive: the widgets let go now.
    mWidgetManager->ReleaseHeldMouse();
}

} // namespace Vuro
