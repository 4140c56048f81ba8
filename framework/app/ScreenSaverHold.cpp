#include "framework/app/ScreenSaverHold.h"

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

bool ScreenSaverHold::IdleCheckDue(uint32_t now) {
    if (now - mLastIdleCheck < kIdleCheckMs) {
        return false;
    }
    mLastIdleCheck = now;
    return true;
}

bool ScreenSaverHold::ApplyIdle(uint32_t now, bool known, const Platform::ScreenSaverInfo& info) {
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
        return false;
    }
    uint32_t idle = now - mLastInputTime;
    uint32_t limit = static_cast<uint32_t>(mScreenSaverLimitMs);
    if (!mScreenSaverHold) {
        mScreenSaverHold = idle > limit;
        return false;
    }
    if (!(info.idleKnown && info.running) && idle < limit) {
        mScreenSaverHold = false;
        return true;
    }
    return false;
}

ScreenSaverHold::SaverInput ScreenSaverHold::JudgeSaverInput(const Platform::Message& message) {
    using namespace Platform;
    switch (message.message) {
    case kWmMouseMove: {
        int x = PointParamX(message.lParam);
        int y = PointParamY(message.lParam);
        if (x == mScreenSaverMouseX && y == mScreenSaverMouseY) {
            return {false, false};
        }
        mScreenSaverMouseX = x;
        mScreenSaverMouseY = y;
        if (++mScreenSaverMoves <= kSwallowedMoves) {
            return {true, false};
        }
        return {false, true};
    }
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
    case kWmKeyDown:
    case kWmSysKeyDown:
    case kWmClose:
        return {false, true};
    case kWmActivate:
    case kWmActivateApp:
    case kWmNcActivate:
        return {false, message.wParam == 0};
    default:
        return {false, false};
    }
}

} // namespace Vuro
