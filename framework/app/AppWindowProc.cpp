// The window procedure: painting, the cursor, the end of a move by the window's frame, the
// window's destruction, session end and a second copy's notification are handled at once;
// input and window events are only queued here, and reach the widgets later, one record
// per loop step (AppInputDispatch.cpp), so that a demo sees them at exact update ticks.
//
// Queue rules: nothing is queued after a close; a timer message right after a queued timer
// message is dropped; Alt+Enter toggles the screen mode instead of being queued.
//
// A close asked for with Alt+F4 is posted to the window as a close message, which is what the
// key means to the desktop.

#include "framework/app/VuroAppBase.h"

#include "framework/util/StringHelpers.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/EventSource.h"
#include "platform/Messages.h"
#include "platform/Process.h"

namespace Vuro {

namespace {

bool IsQueuedMessage(uint32_t message) {
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
    case kWmMouseWheel:
        return true;
    default:
        return IsMouseMessage(message);
    }
}

bool IsInputMessage(uint32_t message) {
    using namespace Platform;
    switch (message) {
    case kWmKeyDown:
    case kWmKeyUp:
    case kWmChar:
    case kWmMouseWheel:
        return true;
    default:
        return IsMouseMessage(message);
    }
}

} // namespace

void VuroAppBase::WindowProc(const Platform::Message& message) {
    using namespace Platform;
    if (mIsScreenSaver && ScreenSaverMessage(message)) {
        return;
    }
    bool isMain = mMainWindow != nullptr && message.window == mMainWindow->Id();
    if (mNotifyMessage != 0 && message.message == mNotifyMessage) {
        // A second copy was started: this one comes forward instead.
        if (mMainWindow != nullptr) {
            mMainWindow->Raise();
        }
        return;
    }
    switch (message.message) {
    case kWmPaint:
        if (mInitialized && !mCrashed && mInMainLoop) {
            Redraw(nullptr);
        }
        return;
    case kWmNcLButtonDown:
        // The window manager held the program while the window was moved or resized: that
        // time is not owed to updates, so the loop does not race to catch up.
        ResetFrameClock(false);
        return;
    case kWmSetCursor:
        if (!mCrashed) {
            UpdateCursor();
        }
        return;
    case kWmDestroy:
        Platform::DebugOutput(
            StrFormat("DESTROYED HWND: %d\r\n", static_cast<int>(message.window)));
        return;
    case kWmEndSession:
        mSessionEnding = true;
        Shutdown();
        return;
    case kWmSysChar:
        // Alt+character: the product's hook sees it and may act on it; what the hook does not
        // swallow has no default handling here (there is no system menu to open).
        (void)SwallowsAltKey(static_cast<char>(message.wParam));
        return;
    default:
        break;
    }
    if (!IsQueuedMessage(message.message)) {
        return;
    }
    if (message.message == kWmActivateApp && isMain && !mPlayingDemoBuffer) {
        mActive = message.wParam != 0;
    }
    if (mPopupShown) {
        return; // a system box is up in full screen: input belongs to it
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
    if (mPlayingDemoBuffer && !IsDemoControlOpen()) {
        if (keyDown) {
            (void)DeveloperKeyDown(key);
        }
        if (message.message == kWmChar) {
            DemoPlaybackKey(static_cast<char>(key));
        }
        // Never dispatched while the demo plays; queued, the key that opens a playback window
        // would reach that window.
        if (IsInputMessage(message.message)) {
            return;
        }
    }

    bool queued = false;
    uint32_t last = mInputQueue.empty() ? 0 : mInputQueue.back().message;
    if (last != kWmClose && !(last == kWmTimer && message.message == kWmTimer)) {
        mInputQueue.push_back(message);
        queued = true;
    }
    if (message.message == kWmSysKeyDown) {
        HandleSystemKey(message, queued);
        return;
    }
    if (message.message == kWmClose && queued) {
        CloseRequest();
    }
}

void VuroAppBase::HandleSystemKey(const Platform::Message& message, bool queued) {
    using namespace Platform;
    int key = static_cast<int>(message.wParam);
    if (key == kVkReturn && !mForceWindowed && !mForceFullscreen) {
        // Alt+Enter is not input: it switches the screen mode, and the keys held for it must
        // not stay down in the widgets.
        if (queued) {
            mInputQueue.pop_back();
        }
        SetWindowedMode(!mIsWindowed);
        for (int code = 1; code < WidgetManager::kKeyCount; ++code) {
            mWidgetManager->mKeyDown[code] = 0;
        }
        return;
    }
    if (key == kVkF1 + 3 && mMainWindow != nullptr) {
        (void)GetEventSource().PostMessage(Message{mMainWindow->Id(), kWmClose, 0, 0});
    }
}

} // namespace Vuro
