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
// The idle check also runs from the window timer: while the hold is on nothing is drawn, so the
// check in the draw pass alone would never run and the hold could never end. No screen-saver
// password check exists on this platform.

#include "framework/app/VuroAppBase.h"

#include "framework/widgets/WidgetManager.h"
#include "platform/EventSource.h"

namespace Vuro {

void VuroAppBase::CheckScreenSaverIdleDue(uint32_t now) {
    if (IdleCheckDue(now)) {
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
    if (ApplyIdle(now, known, info)) {
        mWidgetManager->InvalidateAll();
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
    SaverInput input = JudgeSaverInput(message);
    if (input.ends && mMainWindow != nullptr && message.window == mMainWindow->Id()) {
        mScreenSaverClosing = true;
        (void)GetEventSource().PostMessage(Message{mMainWindow->Id(), kWmClose, 0, 0});
    }
    return input.swallowed;
}

} // namespace Vuro
