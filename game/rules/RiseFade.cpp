#include "game/rules/RiseFade.h"

#include "game/rules/GameSeconds.h"

namespace Vuro {

void RiseFade::Reset() {
    *this = RiseFade();
}

void RiseFade::Start(int seconds) {
    mActive = true;
    mOffset = kHiddenOffset;
    mLimit = 0;
    mSeconds = seconds;
    mPhase = kSlidingIn;
}

bool RiseFade::Tick(int tick) {
    bool changed = false;
    if (!mActive || mPhase == kIdle) {
        return false;
    }
    if (mPhase == kStaying) {
        CountSecondDown(tick, mSeconds);
        if (mSeconds <= 0) {
            mPhase = kSlidingOut;
        }
    }
    if (tick % 2 != 0) {
        return false;
    }
    if (mPhase == kSlidingIn) {
        if (++mOffset >= mLimit) {
            mPhase = kStaying;
        }
        changed = true;
    } else if (mPhase == kSlidingOut) {
        if (--mOffset < kHiddenOffset + 1) {
            mActive = false;
            mPhase = kIdle;
        }
        changed = true;
    }
    return changed;
}

} // namespace Vuro
