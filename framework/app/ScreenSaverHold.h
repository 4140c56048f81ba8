#pragma once
// The application beside the desktop's screen saver: the idle hold that stops updates and
// drawing so the saver can start, and the application's own screensaver mode, which ends on
// input. The application is built on it, so its fields keep the names the tests read on the
// application; it asks the desktop and acts on what this part decides.
//
// What callers can rely on:
// - The saver's settings are taken at the first check and then at most every 10 s; the hold
//   starts once the user has been idle past the saver's time less 2 s (at least 1 s), and
//   lifts on the next input or when the saver is no longer running.
// - In screensaver mode the first three mouse moves are swallowed; the fourth, a button or key
//   press, a close or losing the focus ends the saver.

#include "platform/Messages.h"
#include "platform/Window.h"

#include <cstdint>

namespace Vuro {

class ScreenSaverHold {
public:
    // Whether the idle check is due at now (at most once a second); when it is, it is noted.
    bool IdleCheckDue(uint32_t now);
    // Applies what the desktop told at now (known: it could be asked). True when the hold was
    // lifted, so the screen must be drawn again.
    bool ApplyIdle(uint32_t now, bool known, const Platform::ScreenSaverInfo& info);

    struct SaverInput {
        bool swallowed; // the message goes no further
        bool ends;      // the saver closes
    };
    // Screensaver mode: what a message does to the saver (the mouse position noted first).
    SaverInput JudgeSaverInput(const Platform::Message& message);

    // ---- [Fields] ----
    uint32_t mLastInputTime = 0;
    uint32_t mLastIdleCheck = 0;
    int mScreenSaverLimitMs = 0;     // idle time after which the screen saver is due
    bool mScreenSaverActive = false; // the screen saver is enabled at all
    uint32_t mLastScreenSaverQuery = 0;
    bool mScreenSaverQueried = false;
    int mScreenSaverPermission = -1;  // what the desktop was last told (-1 nothing yet)
    bool mScreenSaverHold = false;    // updates and drawing stop so the saver can start
    bool mScreenSaverClosing = false; // screensaver mode: the saver is ending
    int mScreenSaverMoves = 0;        // screensaver mode: mouse moves seen
    bool mScreenSaverMouseNoted = false;
    int mScreenSaverMouseX = 0;
    int mScreenSaverMouseY = 0;
};

} // namespace Vuro
