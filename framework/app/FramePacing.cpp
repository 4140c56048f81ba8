#include "framework/app/FramePacing.h"

#include <algorithm>
#include <cmath>

namespace Vuro {

namespace {
constexpr double kMaxOwedMs = 200.0;
constexpr int kStartDelayMs = 1000;
// Updates allowed between two draws at normal speed, once loading is complete.
constexpr double kUpdatesPerDraw = 10.0;
// Pacing checks closer together than this count as failures.
constexpr uint32_t kPacingCheckMs = 800;
constexpr int kPacingFailureLimit = 3;
} // namespace

void FramePacing::StartClocks(uint32_t now) {
    mLastTimeCheck = now;
    mStartTime = now;
    mLastPresentTime = now;
    mNextPresentTime = now;
    mPacingCheckTime = now;
}

void FramePacing::Accumulate(uint32_t now) {
    if (mLastTimeCheck != 0) {
        // Unsigned difference: right across the clock's wrap.
        uint32_t elapsed = now - mLastTimeCheck;
        mUpdateFTimeAcc = std::min(mUpdateFTimeAcc + elapsed, kMaxOwedMs);
        if (mStartDelay > 0) {
            int64_t rest = int64_t{mStartDelay} - elapsed;
            mStartDelay = rest < 1 ? 0 : static_cast<int>(rest);
        }
    }
    mLastTimeCheck = now;
}

void FramePacing::Restart(uint32_t now, bool addDelay) {
    mLastTimeCheck = now;
    mUpdateFTimeAcc = 0.0;
    if (addDelay) {
        mStartDelay = kStartDelayMs;
    }
}

bool FramePacing::TakeUpdateSlot(bool loaded) {
    // Compared before counting, so exactly the cap's updates run between draws.
    int cap = static_cast<int>(std::ceil(mUpdateMultiplier * kUpdatesPerDraw));
    if (loaded && mUpdatesThisFrame >= cap) {
        return false;
    }
    ++mUpdatesThisFrame;
    return true;
}

void FramePacing::PayUpdate(double msPerUpdate) {
    mUpdateFTimeAcc -= msPerUpdate;
    if (mStartDelay > 0) {
        mUpdateFTimeAcc = 0.0;
    }
}

void FramePacing::CheckPacing(uint32_t now) {
    // About a second of updates between checks.
    if (++mPacingCheckCount < (mFrameTime + 999) / mFrameTime) {
        return;
    }
    if (now - mPacingCheckTime <= kPacingCheckMs) {
        if (++mPacingFailures >= kPacingFailureLimit) {
            mVSyncPacingBroken = true;
        }
    } else {
        mPacingFailures = 0;
    }
    mPacingCheckTime = now;
    mPacingCheckCount = 0;
}

void FramePacing::SpacePresents(uint32_t start, uint32_t end, bool loading) {
    uint32_t passMs = end - start;
    uint32_t next = mNextPresentTime + std::max<uint32_t>(passMs, 15) + 35;
    mNextPresentTime = loading && static_cast<int32_t>(next - end) > 0 ? next : end;
}

} // namespace Vuro
