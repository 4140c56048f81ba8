// The desktop's screen saver beside the application, and the application as a screen saver.
//
// - Permission: the desktop's screen saver and monitor power-off may start only in a window,
//   once loading is complete (and power-off is allowed); otherwise they are held off.
// - The idle hold: in a window, when the user has been idle past the screen saver's time (less
//   2 seconds), updates and drawing stop so that the saver can start; the next input, or the
//   saver ending, lifts the hold. Settings are read every 10 s, the idle time every second.
// - Screensaver mode ("-screensaver"): the first three mouse moves are swallowed; the fourth,
//   a button or key press, a close or losing the focus ends the saver with a close.
//
// Mended: the idle check also runs from the window timer,
// because while the hold is on nothing is drawn and the check in the draw pass never runs, so
// the hold could never end. No screen-saver password check exists on this platform.

#include "framework/app/VuroAppBase.h"

#include "framework/widgets/WidgetManager.h"
#include "platform/EventSource.h"

#include <algorithm>

namespace Vuro {

namespace {
// The idle check runs at most this often; the settings are read at most this often.
constexpr uint32_t kIdleCheckMs = 1000;
constexpr uint32_t kSettingsCheckMs = 10000;
// The hold starts this long before the saver's own time.
constexpr int kLeadSeconds = 2;
// Mouse moves a saver lets pass before one ends it.
constexpr int kSwallowedMoves = 3;
} // namespace

void VuroAppBase::CheckScreenSaverIdleDue(uint32_t now) {
    if (now - mLastIdleCheck >= kIdleCheckMs) {
        mLastIdleCheck = now;
        CheckScreenSaverIdle(now);
    }
}

void VuroAppBase::CheckScreenSaverIdle(uint32_t now) {
    Platform::WindowSystem& system = Platform::GetWindowSystem();
    int permission = mLoaded && mIsPhysWindowed && mAllowMonitorPowersave ? 1 : 0;
    if (permission != mScreenSaverPermission) {
        mScreenSaverPermission = permission;
        system.AllowScreenSaver(permission == 1);
    }
    if (mIsScreenSaver || !mIsPhysWindowed) {
        return;
    }
    Platform::ScreenSaverInfo info;
    bool known = system.QueryScreenSaver(info);
    if (!mScreenSaverQueried || now - mLastScreenSaverQuery >= kSettingsCheckMs) {
        mScreenSaverQueried = true;
        mLastScreenSaverQuery = now;
        mScreenSaverLimitMs = std::max(info.timeoutSeconds - kLeadSeconds, 1) * 1000;
        mScreenSaverActive = known && info.enabled;
        if (!mScreenSaverActive) {
            mScreenSaverHold = false;
        }
    }
    if (info.idleKnown) {
        mLastInputTime = now - info.idleMs;
    }
    if (!mScreenSaverActive) {
        return;
    }
    uint32_t idle = now - mLastInputTime;
    if (mScreenSaverHold) {
        if (!(info.idleKnown && info.running) &&
            idle < static_cast<uint32_t>(mScreenSaverLimitMs)) {
            mScreenSaverHold = false;
            mWidgetManager->InvalidateAll();
        }
    } else if (idle > static_cast<uint32_t>(mScreenSaverLimitMs)) {
        mScreenSaverHold = true;
    }
}

bool VuroAppBase::ScreenSaverMessage(const Platform::Message& message) {
    using namespace Platform;
    if (mScreenSaverClosing) {
        return false;
    }
    if (!mScreenSaverMouseNoted) {
        mScreenSaverMouseNoted = true;
        GetEventSource().GetMousePosition(mScreenSaverMouseX, mScreenSaverMouseY);
    }
    bool ends = false;
    switch (message.message) {
    case kWmMouseMove: {
        int x = PointParamX(message.lParam);
        int y = PointParamY(message.lParam);
        if (x == mScreenSaverMouseX && y == mScreenSaverMouseY) {
            return false;
        }
        mScreenSaverMouseX = x;
        mScreenSaverMouseY = y;
        if (++mScreenSaverMoves <= kSwallowedMoves) {
            return true;
        }
        ends = true;
        break;
    }
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
    case kWmKeyDown:
    case kWmSysKeyDown:
    case kWmClose:
        ends = true;
        break;
    case kWmActivate:
    case kWmActivateApp:
    case kWmNcActivate:
        ends = message.wParam == 0;
        break;
    default:
        break;
    }
    if (ends && mMainWindow != nullptr && message.window == mMainWindow->Id()) {
        mScreenSaverClosing = true;
        (void)GetEventSource().PostMessage(Message{mMainWindow->Id(), kWmClose, 0, 0});
    }
    return false;
}

} // namespace Vuro
